#include "controls/ListLabelEdit.h"

#include <vector>

#include "controls/Edit.h"
#include "user/User.h"

namespace {

constexpr const char* kOwnerProp = "ListLabelEdit";

}  // namespace

bool ListLabelEdit::Begin(HWND owner, const RECT& rect, const std::string& text, HFONT font, EndHandler onEnd) {
  End(true);
  edit_ = CreateWindowEx(0, "Edit", text.c_str(), WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, rect.Left, rect.Top,
                         rect.Width(), rect.Height(), owner, nullptr, nullptr, nullptr);
  if (!edit_) return false;
  owner_ = owner;
  onEnd_ = std::move(onEnd);
  SendMessage(edit_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  SetProp(edit_, kOwnerProp, reinterpret_cast<HANDLE>(this));
  previous_ = reinterpret_cast<WNDPROC>(SetWindowLongPtr(edit_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ListLabelEdit::EditProc)));
  SendMessage(edit_, EM_SETSEL, 0, -1);
  SetFocus(edit_);
  return true;
}

void ListLabelEdit::End(bool save) {
  if (!edit_ || ending_) return;
  ending_ = true;
  HWND edit = edit_;
  std::vector<char> buffer(static_cast<size_t>(GetWindowTextLength(edit)) + 1, '\0');
  GetWindowText(edit, buffer.data(), static_cast<int>(buffer.size()));
  EndHandler onEnd = std::move(onEnd_);
  onEnd_ = nullptr;
  if (onEnd) onEnd(save, std::string(buffer.data()));
  const bool hadFocus = GetFocus() == edit;
  edit_ = nullptr;
  SetWindowLongPtr(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
  RemoveProp(edit, kOwnerProp);
  DestroyWindow(edit);
  ending_ = false;
  if (hadFocus && IsWindow(owner_)) SetFocus(owner_);
}

LRESULT ListLabelEdit::EditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<ListLabelEdit*>(GetProp(window, kOwnerProp));
  if (!self) return DefWindowProc(window, message, wParam, lParam);
  WNDPROC previous = self->previous_;
  if (!self->ending_) {
    if (message == WM_GETDLGCODE) return DLGC_WANTALLKEYS | CallWindowProc(previous, window, message, wParam, lParam);
    if (message == WM_KEYDOWN && (wParam == VK_RETURN || wParam == VK_ESCAPE)) {
      self->End(wParam == VK_RETURN);
      return 0;
    }
    if (message == WM_CHAR && (wParam == '\r' || wParam == 27)) return 0;
    if (message == WM_KILLFOCUS) {
      const LRESULT result = CallWindowProc(previous, window, message, wParam, lParam);
      self->End(true);
      return result;
    }
  }
  return CallWindowProc(previous, window, message, wParam, lParam);
}
