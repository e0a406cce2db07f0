#include "controls/ComboBox.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "controls/Edit.h"
#include "controls/ListBox.h"
#include "controls/ListBoxCombo.h"
#include "controls/ListControlWindow.h"
#include "controls/OwnerDraw.h"

namespace {

constexpr int kEditId = 1001;

class ComboBox : public ListControlBase {
 public:
  ComboBox(HWND window, const CREATESTRUCT* create) : ListControlBase(window), droppedHeight_(create->cy) {}
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  DWORD Kind() const { return Style() & 3; }
  bool Simple() const { return Kind() == CBS_SIMPLE; }
  bool HasEdit() const { return edit_ != nullptr; }
  int FieldHeight() const { return itemHeight_ + 6; }
  int ButtonWidth() const { return Simple() ? 0 : GetSystemMetrics(SM_CXVSCROLL); }
  LRESULT ToList(UINT message, WPARAM wParam, LPARAM lParam) const { return SendMessage(list_, message, wParam, lParam); }
  int Selection() const { return static_cast<int>(ToList(LB_GETCURSEL, 0, 0)); }

  void Create();
  void PlaceList();
  void ShowDropDown(bool show, bool accept);
  int DroppedListHeight() const;
  void SelectionChanged();
  void UpdateField();
  LRESULT ForwardOwnerDraw(UINT message, WPARAM wParam, LPARAM lParam);
  void KeyDown(UINT key, bool alt);
  void Paint(HDC dc);

  HWND list_ = nullptr;
  HWND edit_ = nullptr;
  int droppedHeight_;
  int droppedWidth_ = 0;
  int itemHeight_ = 13;
  int selectionAtDrop_ = -1;
  bool dropped_ = false;
  bool focused_ = false;
  bool extendedUi_ = false;
};

void ComboBox::Create() {
  itemHeight_ = FontHeight();
  const DWORD style = Style();
  DWORD listStyle = LBS_COMBOBOX | LBS_NOTIFY | WS_VSCROLL | WS_BORDER;
  if (style & CBS_OWNERDRAWFIXED) listStyle |= LBS_OWNERDRAWFIXED;
  if (style & CBS_OWNERDRAWVARIABLE) listStyle |= LBS_OWNERDRAWVARIABLE;
  if (style & CBS_HASSTRINGS) listStyle |= LBS_HASSTRINGS;
  if (style & CBS_SORT) listStyle |= LBS_SORT;
  if (style & CBS_NOINTEGRALHEIGHT) listStyle |= LBS_NOINTEGRALHEIGHT;
  if (style & CBS_DISABLENOSCROLL) listStyle |= LBS_DISABLENOSCROLL;
  if (Simple()) {
    list_ = CreateWindowEx(0, "ComboLBox", "", WS_CHILD | WS_VISIBLE | listStyle, 0, FieldHeight(), 10, 10, window_,
                           nullptr, nullptr, window_);
  } else {
    list_ = CreateWindowEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, "ComboLBox", "", WS_POPUP | listStyle, 0,
                           0, 10, 10, window_, nullptr, nullptr, window_);
  }
  if (Kind() != CBS_DROPDOWNLIST) {
    edit_ = CreateWindowEx(0, "Edit", "", WS_CHILD | WS_VISIBLE | ((style & CBS_AUTOHSCROLL) ? ES_AUTOHSCROLL : 0), 3, 3, 10,
                           itemHeight_, window_, reinterpret_cast<HMENU>(static_cast<intptr_t>(kEditId)), nullptr, nullptr);
  }
  // The item height of an owner-drawn field comes from the parent, as item -1.
  if (style & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) {
    MEASUREITEMSTRUCT measure;
    measure.CtlType = ODT_COMBOBOX;
    measure.CtlID = static_cast<UINT>(Id());
    measure.itemID = static_cast<UINT>(-1);
    measure.itemHeight = static_cast<UINT>(itemHeight_);
    if (GetParent(window_)) SendMessage(GetParent(window_), WM_MEASUREITEM, measure.CtlID, reinterpret_cast<LPARAM>(&measure));
    itemHeight_ = std::max(static_cast<int>(measure.itemHeight), 1);
  }
  RECT r;
  GetWindowRect(window_, &r);
  SetWindowPos(window_, nullptr, 0, 0, r.Width(), Simple() ? r.Height() : FieldHeight(),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  PlaceList();
}

void ComboBox::PlaceList() {
  const RECT client = Client();
  if (edit_) MoveWindow(edit_, 3, 3, std::max(client.Right - 6 - ButtonWidth(), 1), itemHeight_, TRUE);
  if (Simple() && list_) MoveWindow(list_, 0, FieldHeight(), client.Right, std::max(client.Bottom - FieldHeight(), 0), TRUE);
}

// The dropped list takes the room the window's height leaves below the field, but is no higher
// than its items (one row when it has none).
int ComboBox::DroppedListHeight() const {
  const int room = std::max(droppedHeight_ - FieldHeight(), itemHeight_ + 2);
  const int count = static_cast<int>(ToList(LB_GETCOUNT, 0, 0));
  int needed = 2;  // the list's border
  for (int i = 0; i < count && needed < room; ++i) needed += static_cast<int>(ToList(LB_GETITEMHEIGHT, i, 0));
  return std::clamp(needed, itemHeight_ + 2, room);
}

void ComboBox::ShowDropDown(bool show, bool accept) {
  if (Simple() || show == dropped_) return;
  if (show) {
    Command(CBN_DROPDOWN);
    if (Dead()) return;
    RECT r;
    GetWindowRect(window_, &r);
    const int width = std::max(droppedWidth_, r.Width());
    const int height = DroppedListHeight();
    selectionAtDrop_ = Selection();
    dropped_ = true;
    SetWindowPos(list_, HWND_TOPMOST, r.Left, r.Bottom, width, height, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    if (selectionAtDrop_ >= 0) ToList(LB_SETTOPINDEX, selectionAtDrop_, 0);
    SetCapture(list_);
    Invalidate();
    return;
  }
  dropped_ = false;
  ShowWindow(list_, SW_HIDE);
  if (GetCapture() == list_) ReleaseCapture();
  Invalidate();
  const int now = Selection();
  if (accept) {
    Command(CBN_SELENDOK);
  } else {
    ToList(LB_SETCURSEL, selectionAtDrop_, 0);
    Command(CBN_SELENDCANCEL);
  }
  if (Dead()) return;
  Command(CBN_CLOSEUP);
  if (Dead()) return;
  if (accept && now != selectionAtDrop_) {
    UpdateField();
    Command(CBN_SELCHANGE);
  } else {
    UpdateField();
  }
}

void ComboBox::UpdateField() {
  if (edit_) {
    const int i = Selection();
    std::string text;
    if (i >= 0) {
      text.resize(static_cast<size_t>(std::max<LRESULT>(ToList(LB_GETTEXTLEN, i, 0), 0)) + 1);
      ToList(LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()));
      text.resize(std::strlen(text.c_str()));
    }
    SetWindowText(edit_, text.c_str());
    SendMessage(edit_, EM_SETSEL, 0, -1);
  }
  Invalidate();
}

void ComboBox::SelectionChanged() {
  UpdateField();
  Command(CBN_SELCHANGE);
}

LRESULT ComboBox::ForwardOwnerDraw(UINT message, WPARAM, LPARAM lParam) {
  HWND parent = GetParent(window_);
  if (!parent) return 0;
  const UINT id = static_cast<UINT>(Id());
  switch (message) {
    case WM_MEASUREITEM: reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->CtlType = ODT_COMBOBOX; reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->CtlID = id; break;
    case WM_DRAWITEM: reinterpret_cast<DRAWITEMSTRUCT*>(lParam)->CtlType = ODT_COMBOBOX; reinterpret_cast<DRAWITEMSTRUCT*>(lParam)->CtlID = id; reinterpret_cast<DRAWITEMSTRUCT*>(lParam)->hwndItem = window_; break;
    case WM_DELETEITEM: reinterpret_cast<DELETEITEMSTRUCT*>(lParam)->CtlType = ODT_COMBOBOX; reinterpret_cast<DELETEITEMSTRUCT*>(lParam)->CtlID = id; reinterpret_cast<DELETEITEMSTRUCT*>(lParam)->hwndItem = window_; break;
    case WM_COMPAREITEM: reinterpret_cast<COMPAREITEMSTRUCT*>(lParam)->CtlType = ODT_COMBOBOX; reinterpret_cast<COMPAREITEMSTRUCT*>(lParam)->CtlID = id; reinterpret_cast<COMPAREITEMSTRUCT*>(lParam)->hwndItem = window_; break;
    default: break;
  }
  return SendMessage(parent, message, id, lParam);
}

void ComboBox::KeyDown(UINT key, bool alt) {
  if (key == VK_F4 || (alt && (key == VK_DOWN || key == VK_UP))) {
    ShowDropDown(!dropped_, true);
    return;
  }
  if (dropped_ && (key == VK_RETURN || key == VK_ESCAPE)) {
    ShowDropDown(false, key == VK_RETURN);
    return;
  }
  if (key == VK_DOWN && extendedUi_ && !dropped_ && !Simple()) {
    ShowDropDown(true, true);
    return;
  }
  switch (key) {
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_HOME:
    case VK_END: {
      if (HasEdit() && (key == VK_HOME || key == VK_END) && !dropped_) return;
      const int before = Selection();
      ToList(WM_KEYDOWN, key, 0);
      if (!Dead() && Selection() != before) SelectionChanged();
      break;
    }
    default: break;
  }
}

void ComboBox::Paint(HDC dc) {
  const RECT client = Client();
  RECT field{0, 0, client.Right, Simple() ? FieldHeight() : client.Bottom};
  HBRUSH face = GetSysColorBrush(COLOR_WINDOW);
  FillRect(dc, &field, face);
  RECT edge = field;
  DrawEdge(dc, &edge, EDGE_SUNKEN, BF_RECT);
  if (!Simple()) {
    RECT button{field.Right - 2 - ButtonWidth(), 2, field.Right - 2, field.Bottom - 2};
    DrawFrameControl(dc, &button, DFC_SCROLL, DFCS_SCROLLCOMBOBOX | (dropped_ ? DFCS_PUSHED | DFCS_FLAT : 0));
  }
  if (HasEdit()) return;
  RECT text{3, 3, field.Right - 3 - ButtonWidth(), field.Bottom - 3};
  const int i = Selection();
  const bool highlight = focused_ && !dropped_;
  if (Style() & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) {
    DRAWITEMSTRUCT draw;
    draw.CtlType = ODT_COMBOBOX;
    draw.CtlID = static_cast<UINT>(Id());
    draw.itemID = static_cast<UINT>(i);
    draw.itemAction = ODA_DRAWENTIRE;
    draw.itemState = ODS_COMBOBOXEDIT | (highlight ? ODS_SELECTED | ODS_FOCUS : 0);
    draw.hwndItem = window_;
    draw.hDC = dc;
    draw.rcItem = text;
    draw.itemData = i >= 0 ? static_cast<ULONG_PTR>(ToList(LB_GETITEMDATA, i, 0)) : 0;
    SendMessage(GetParent(window_), WM_DRAWITEM, draw.CtlID, reinterpret_cast<LPARAM>(&draw));
    return;
  }
  if (highlight) FillRect(dc, &text, GetSysColorBrush(COLOR_HIGHLIGHT));
  if (i >= 0) {
    char buffer[512] = {};
    if (ToList(LB_GETTEXTLEN, i, 0) < static_cast<LRESULT>(sizeof buffer)) ToList(LB_GETTEXT, i, reinterpret_cast<LPARAM>(buffer));
    HGDIOBJ old = SelectObject(dc, Font());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(highlight ? COLOR_HIGHLIGHTTEXT : IsWindowEnabled(window_) ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
    RECT t = text;
    t.Left += 2;
    DrawText(dc, buffer, -1, &t, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    SelectObject(dc, old);
  }
  if (highlight) DrawFocusRect(dc, &text);
}

LRESULT ComboBox::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCCREATE:
      // Scroll bars asked of a combo box belong to its list.
      SetWindowLong(window_, GWL_STYLE, static_cast<LONG>(Style() & ~(WS_VSCROLL | WS_HSCROLL)));
      break;
    case WM_CREATE: Create(); return 0;
    case WM_DESTROY:
      if (list_) DestroyWindow(list_);
      list_ = nullptr;
      return 0;
    case WM_WINDOWPOSCHANGING: {
      auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
      // The height asked for is the height with the list dropped; the window keeps the field's.
      if (!Simple() && !(pos->flags & SWP_NOSIZE) && pos->cy != FieldHeight()) {
        droppedHeight_ = pos->cy;
        pos->cy = FieldHeight();
      }
      return 0;
    }
    case WM_SIZE: PlaceList(); Invalidate(); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_PAINT:
    case WM_PRINTCLIENT: {
      if (message == WM_PRINTCLIENT || wParam) {
        Paint(reinterpret_cast<HDC>(wParam));
        return 0;
      }
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(window_, &ps);
      Paint(dc);
      EndPaint(window_, &ps);
      return 0;
    }
    case WM_SETFONT:
      SetFont(reinterpret_cast<HFONT>(wParam), LOWORD(lParam) != 0);
      if (list_) ToList(WM_SETFONT, wParam, lParam);
      if (edit_) SendMessage(edit_, WM_SETFONT, wParam, lParam);
      return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(font_);
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SETFOCUS:
      focused_ = true;
      if (edit_) SetFocus(edit_);
      Invalidate();
      Command(CBN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      if (reinterpret_cast<HWND>(wParam) == edit_ && edit_) return 0;
      focused_ = false;
      if (dropped_) ShowDropDown(false, false);
      Invalidate();
      if (!Dead()) Command(CBN_KILLFOCUS);
      return 0;
    case WM_LBUTTONDOWN: {
      if (GetFocus() != window_ && GetFocus() != edit_) SetFocus(window_);
      if (Dead() || Simple()) return 0;
      const int x = GET_X_LPARAM(lParam);
      if (!HasEdit() || x >= Client().Right - 2 - ButtonWidth()) ShowDropDown(!dropped_, true);
      return 0;
    }
    case WM_KEYDOWN: KeyDown(static_cast<UINT>(wParam), false); return 0;
    case WM_SYSKEYDOWN:
      if (wParam == VK_DOWN || wParam == VK_UP) {
        KeyDown(static_cast<UINT>(wParam), true);
        return 0;
      }
      break;
    case WM_CHAR:
      if (!HasEdit()) {
        const int before = Selection();
        ToList(WM_CHAR, wParam, lParam);
        if (!Dead() && Selection() != before) SelectionChanged();
      }
      return 0;
    case WM_COMMAND: {
      const HWND from = reinterpret_cast<HWND>(lParam);
      const WORD code = HIWORD(wParam);
      if (from == list_) {
        if (code == kComboListChosen) ShowDropDown(false, true);
        else if (code == kComboListOutside) ShowDropDown(false, false);
        else if (code == LBN_SELCHANGE && Simple()) SelectionChanged();
        else if (code == LBN_DBLCLK && Simple()) Command(CBN_DBLCLK);
        return 0;
      }
      if (from && from == edit_) {
        if (code == EN_CHANGE) Command(CBN_EDITCHANGE);
        if (code == EN_UPDATE) Command(CBN_EDITUPDATE);
        return 0;
      }
      break;
    }
    case WM_MEASUREITEM:
    case WM_DRAWITEM:
    case WM_DELETEITEM:
    case WM_COMPAREITEM: return ForwardOwnerDraw(message, wParam, lParam);
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLOREDIT:
      if (GetParent(window_)) return SendMessage(GetParent(window_), message, wParam, lParam);
      break;
    case WM_SETTEXT:
      if (edit_) return SendMessage(edit_, WM_SETTEXT, wParam, lParam);
      if (lParam) {
        const LRESULT found = ToList(LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), lParam);
        ToList(LB_SETCURSEL, found >= 0 ? found : static_cast<WPARAM>(-1), 0);
        Invalidate();
      }
      return TRUE;
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH: {
      if (edit_) return SendMessage(edit_, message, wParam, lParam);
      const int i = Selection();
      if (i < 0 || ((Style() & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) && !(Style() & CBS_HASSTRINGS))) {
        if (message == WM_GETTEXT && wParam > 0 && lParam) *reinterpret_cast<char*>(lParam) = 0;
        return 0;
      }
      std::string text(static_cast<size_t>(ToList(LB_GETTEXTLEN, i, 0)) + 1, '\0');
      ToList(LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()));
      text.resize(text.size() - 1);
      if (message == WM_GETTEXTLENGTH) return static_cast<LRESULT>(text.size());
      if (!lParam || wParam == 0) return 0;
      const size_t n = std::min(text.size(), static_cast<size_t>(wParam) - 1);
      std::memcpy(reinterpret_cast<char*>(lParam), text.data(), n);
      reinterpret_cast<char*>(lParam)[n] = 0;
      return static_cast<LRESULT>(n);
    }

    case CB_ADDSTRING: return ToList(LB_ADDSTRING, wParam, lParam);
    case CB_INSERTSTRING: return ToList(LB_INSERTSTRING, wParam, lParam);
    case CB_DELETESTRING: {
      const LRESULT result = ToList(LB_DELETESTRING, wParam, lParam);
      Invalidate();
      return result;
    }
    case CB_RESETCONTENT:
      ToList(LB_RESETCONTENT, 0, 0);
      if (edit_) SetWindowText(edit_, "");
      Invalidate();
      return CB_OKAY;
    case CB_GETCOUNT: return ToList(LB_GETCOUNT, 0, 0);
    case CB_GETCURSEL: return ToList(LB_GETCURSEL, 0, 0);
    case CB_SETCURSEL: {
      const LRESULT result = ToList(LB_SETCURSEL, wParam, 0);
      UpdateField();
      return result;
    }
    case CB_GETLBTEXT: return ToList(LB_GETTEXT, wParam, lParam);
    case CB_GETLBTEXTLEN: return ToList(LB_GETTEXTLEN, wParam, lParam);
    case CB_FINDSTRING: return ToList(LB_FINDSTRING, wParam, lParam);
    case CB_FINDSTRINGEXACT: return ToList(LB_FINDSTRINGEXACT, wParam, lParam);
    case CB_SELECTSTRING: {
      const LRESULT result = ToList(LB_SELECTSTRING, wParam, lParam);
      UpdateField();
      return result;
    }
    case CB_GETITEMDATA: return ToList(LB_GETITEMDATA, wParam, lParam);
    case CB_SETITEMDATA: return ToList(LB_SETITEMDATA, wParam, lParam);
    case CB_GETTOPINDEX: return ToList(LB_GETTOPINDEX, 0, 0);
    case CB_SETTOPINDEX: return ToList(LB_SETTOPINDEX, wParam, 0);
    case CB_GETHORIZONTALEXTENT: return ToList(LB_GETHORIZONTALEXTENT, 0, 0);
    case CB_SETHORIZONTALEXTENT: return ToList(LB_SETHORIZONTALEXTENT, wParam, 0);
    case CB_INITSTORAGE: return ToList(LB_INITSTORAGE, wParam, lParam);
    case CB_SHOWDROPDOWN: ShowDropDown(wParam != 0, true); return TRUE;
    case CB_GETDROPPEDSTATE: return dropped_;
    case CB_GETDROPPEDCONTROLRECT: {
      auto* r = reinterpret_cast<RECT*>(lParam);
      if (!r) return CB_ERR;
      GetWindowRect(window_, r);
      r->Right = r->Left + std::max(droppedWidth_, r->Width());
      r->Bottom = r->Top + std::max(droppedHeight_, FieldHeight());
      return TRUE;
    }
    case CB_SETITEMHEIGHT: {
      const int height = static_cast<int>(lParam);
      if (height <= 0 || height > 255) return CB_ERR;
      if (static_cast<int>(static_cast<INT_PTR>(wParam)) == -1) {
        itemHeight_ = height;
        RECT r;
        GetWindowRect(window_, &r);
        if (!Simple()) SetWindowPos(window_, nullptr, 0, 0, r.Width(), FieldHeight(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        PlaceList();
        return CB_OKAY;
      }
      return ToList(LB_SETITEMHEIGHT, wParam, lParam);
    }
    case CB_GETITEMHEIGHT:
      return static_cast<int>(static_cast<INT_PTR>(wParam)) == -1 ? itemHeight_ : ToList(LB_GETITEMHEIGHT, wParam, 0);
    case CB_SETDROPPEDWIDTH: droppedWidth_ = static_cast<int>(wParam); return droppedWidth_;
    case CB_GETDROPPEDWIDTH: {
      RECT r;
      GetWindowRect(window_, &r);
      return std::max(droppedWidth_, r.Width());
    }
    case CB_SETEXTENDEDUI: extendedUi_ = wParam != 0; return CB_OKAY;
    case CB_GETEXTENDEDUI: return extendedUi_;
    case CB_LIMITTEXT: return edit_ ? SendMessage(edit_, EM_LIMITTEXT, wParam, 0) : TRUE;
    case CB_GETEDITSEL: return edit_ ? SendMessage(edit_, EM_GETSEL, wParam, lParam) : CB_ERR;
    case CB_SETEDITSEL: return edit_ ? SendMessage(edit_, EM_SETSEL, LOWORD(lParam), static_cast<SHORT>(HIWORD(lParam))) : CB_ERR;
    case CB_SETLOCALE:
    case CB_GETLOCALE: return 0;
    default: break;
  }
  return DefWindowProc(window_, message, wParam, lParam);
}

}  // namespace

void ComboBoxRegister() { RegisterListControlClass(WC_COMBOBOX, ListControlProc<ComboBox>, CS_DBLCLKS, COLOR_WINDOW); }
