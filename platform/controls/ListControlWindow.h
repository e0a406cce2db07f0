#pragma once
// What the list, tree, header and combo controls share: binding a control object to its window
// (created on WM_NCCREATE, freed after WM_NCDESTROY once no message of it is on the stack, so that
// a parent that destroys the control from a notification does not pull it from under itself),
// notifications to the parent and text measures of the control's font.

#include <string>

#include "controls/CommonNotify.h"
#include "gdi/Gdi.h"
#include "user/User.h"

class ListControlBase {
 public:
  explicit ListControlBase(HWND window) : window_(window) {}
  virtual ~ListControlBase() = default;
  virtual LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) = 0;

  HWND Window() const { return window_; }
  bool Dead() const { return dead_; }

  // Bookkeeping for ListControlProc.
  int depth = 0;
  bool dead_ = false;

 protected:
  // Where notifications go: the parent, unless the control was told otherwise.
  HWND Parent() const { return notify_ ? notify_ : GetParent(window_); }
  DWORD Style() const { return static_cast<DWORD>(GetWindowLong(window_, GWL_STYLE)); }
  UINT_PTR Id() const { return static_cast<UINT_PTR>(GetWindowLongPtr(window_, GWLP_ID)); }
  // WM_COMMAND to the parent with a notification code.
  void Command(WORD code) const;
  // WM_NOTIFY to the parent; fills the header. Answers the parent's result.
  LRESULT Notify(UINT code, NMHDR* header) const;
  LRESULT Notify(UINT code) const {
    NMHDR header;
    return Notify(code, &header);
  }

  HFONT Font() const { return font_ ? font_ : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }
  // Height of a line of the font (tmHeight).
  int FontHeight() const;
  int TextWidth(const std::string& text) const;
  void SetFont(HFONT font, bool redraw);
  void Invalidate() const { InvalidateRect(window_, nullptr, TRUE); }
  RECT Client() const {
    RECT r;
    GetClientRect(window_, &r);
    return r;
  }

  HWND window_;
  HWND notify_ = nullptr;
  HFONT font_ = nullptr;
};

// The window procedure of a control class T (a ListControlBase made from (HWND, CREATESTRUCT*)).
// The class must reserve sizeof(void*) window extra bytes.
template <class T>
LRESULT ListControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<T*>(GetWindowLongPtr(window, 0));
  if (!self) {
    if (message != WM_NCCREATE) return DefWindowProc(window, message, wParam, lParam);
    self = new T(window, reinterpret_cast<CREATESTRUCT*>(lParam));
    SetWindowLongPtr(window, 0, reinterpret_cast<LONG_PTR>(self));
  }
  ++self->depth;
  LRESULT result = 0;
  try {
    result = self->Handle(message, wParam, lParam);
  } catch (...) {
    // A control's procedure is called from the message loop: nothing may escape into it.
    result = 0;
  }
  --self->depth;
  if (message == WM_NCDESTROY) {
    SetWindowLongPtr(window, 0, 0);
    self->dead_ = true;
  }
  if (self->dead_ && self->depth == 0) delete self;
  return result;
}

// Registers a control class with a pointer of extra bytes and the procedure above.
bool RegisterListControlClass(const char* name, WNDPROC procedure, UINT classStyle, int background);

// Case-insensitive prefix and whole-text comparisons of UTF-8 text (the list controls' searches).
bool TextStartsWith(const std::string& text, const std::string& prefix);
bool TextEquals(const std::string& a, const std::string& b);
