#include "controls/ListBox.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "controls/ListBoxCombo.h"
#include "controls/ListControlWindow.h"
#include "controls/ListScrollBars.h"
#include "controls/OwnerDraw.h"
#include "rtl/SysUtils.h"

namespace {

struct ListBoxItem {
  std::string text;
  ULONG_PTR data = 0;
  bool selected = false;
  int height = 0;  // owner-drawn items of variable height
};

class ListBox : public ListControlBase {
 public:
  ListBox(HWND window, const CREATESTRUCT* create)
      : ListControlBase(window),
        wantVertical_((create->style & WS_VSCROLL) != 0),
        wantHorizontal_((create->style & WS_HSCROLL) != 0) {
    // The list of a combo box is a popup owned by the top-level window: it is told its combo.
    if ((create->style & LBS_COMBOBOX) && create->lpCreateParams) notify_ = static_cast<HWND>(create->lpCreateParams);
  }

  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  enum class Mode { Single, Multiple, Extended, None };
  Mode SelectionMode() const {
    const DWORD style = Style();
    if (style & LBS_NOSEL) return Mode::None;
    if (style & LBS_EXTENDEDSEL) return Mode::Extended;
    if (style & LBS_MULTIPLESEL) return Mode::Multiple;
    return Mode::Single;
  }
  bool OwnerDraw() const { return (Style() & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) != 0; }
  bool Variable() const { return (Style() & LBS_OWNERDRAWVARIABLE) != 0; }
  bool HasStrings() const { return !OwnerDraw() || (Style() & LBS_HASSTRINGS) != 0; }
  bool ComboList() const { return (Style() & LBS_COMBOBOX) != 0; }
  int Count() const { return static_cast<int>(items_.size()); }
  bool Valid(int index) const { return index >= 0 && index < Count(); }
  HWND Owner() const { return Parent(); }

  void Create();
  void MeasureFixed();
  int Measure(int index);
  void DeleteNotify(int index);
  LRESULT Insert(int index, LPARAM value, bool sorted);
  int SortedPosition(LPARAM value);
  LRESULT Delete(int index);
  void Reset();
  LRESULT SetCount(int count);

  int ItemHeight(int index) const { return Variable() && Valid(index) ? items_[index].height : itemHeight_; }
  RECT ItemRect(int index) const;
  int ItemFromPoint(POINT point, bool* outside) const;
  int PageCount() const;
  int MaxTop() const;
  void SetTop(int top);
  void EnsureVisible(int index);
  void UpdateScrollBars();

  int CurrentSelection() const;
  bool SetSelected(int index, bool selected);
  bool SelectOnly(int index);
  bool SelectRange(int first, int last, bool selected);
  void SetCaret(int index);
  void NotifySelChange() {
    if (Style() & LBS_NOTIFY || ComboList()) Command(LBN_SELCHANGE);
  }

  void MoveTo(int target, bool shift, bool control);
  void KeyDown(UINT key);
  void TypeAhead(char c);
  void MouseDown(POINT point, WPARAM keys);
  void MouseTrack(POINT point);
  void MouseUp(POINT point);

  LRESULT FindString(int start, LPARAM value, bool exact) const;
  void Paint(HDC dc, const RECT& clip);
  void DrawItem(HDC dc, int index, const RECT& rect, HBRUSH background);
  void AdjustIntegralHeight(WINDOWPOS* position);

  std::vector<ListBoxItem> items_;
  int itemHeight_ = 13;
  int top_ = 0;
  int caret_ = -1;
  int anchor_ = -1;
  int selected_ = -1;  // the last item selected and still selected (the selection, in single mode)
  int horizontalExtent_ = 0;
  int horizontalOffset_ = 0;
  bool focused_ = false;
  bool tracking_ = false;
  bool updatingBars_ = false;
  bool wantVertical_;
  bool wantHorizontal_;
  std::string search_;
  DWORD searchTick_ = 0;
};

void ListBox::Create() {
  itemHeight_ = FontHeight();
  if (Style() & LBS_OWNERDRAWFIXED) MeasureFixed();
  RECT r;
  GetWindowRect(window_, &r);
  // Let the integral-height rule size the window now that the item height is known.
  SetWindowPos(window_, nullptr, 0, 0, r.Width(), r.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  UpdateScrollBars();
}

void ListBox::MeasureFixed() {
  MEASUREITEMSTRUCT measure;
  measure.CtlType = ODT_LISTBOX;
  measure.CtlID = static_cast<UINT>(Id());
  measure.itemID = 0;
  measure.itemHeight = static_cast<UINT>(itemHeight_);
  if (Owner()) SendMessage(Owner(), WM_MEASUREITEM, measure.CtlID, reinterpret_cast<LPARAM>(&measure));
  itemHeight_ = std::clamp(static_cast<int>(measure.itemHeight), 1, 255);
}

int ListBox::Measure(int index) {
  MEASUREITEMSTRUCT measure;
  measure.CtlType = ODT_LISTBOX;
  measure.CtlID = static_cast<UINT>(Id());
  measure.itemID = static_cast<UINT>(index);
  measure.itemHeight = static_cast<UINT>(itemHeight_);
  measure.itemData = HasStrings() ? reinterpret_cast<ULONG_PTR>(items_[index].text.c_str()) : items_[index].data;
  if (Owner()) SendMessage(Owner(), WM_MEASUREITEM, measure.CtlID, reinterpret_cast<LPARAM>(&measure));
  return std::clamp(static_cast<int>(measure.itemHeight), 1, 255);
}

void ListBox::DeleteNotify(int index) {
  if (!OwnerDraw() && items_[index].data == 0) return;
  DELETEITEMSTRUCT del;
  del.CtlType = ODT_LISTBOX;
  del.CtlID = static_cast<UINT>(Id());
  del.itemID = static_cast<UINT>(index);
  del.hwndItem = window_;
  del.itemData = items_[index].data;
  if (Owner()) SendMessage(Owner(), WM_DELETEITEM, del.CtlID, reinterpret_cast<LPARAM>(&del));
}

int ListBox::SortedPosition(LPARAM value) {
  if (HasStrings()) {
    const std::string text = value ? reinterpret_cast<const char*>(value) : "";
    auto at = std::upper_bound(items_.begin(), items_.end(), text, [](const std::string& t, const ListBoxItem& item) {
      return AnsiCompareText(t, item.text) < 0;
    });
    return static_cast<int>(at - items_.begin());
  }
  // Items without strings are ordered by the parent.
  int position = Count();
  for (int i = 0; i < Count(); ++i) {
    COMPAREITEMSTRUCT compare;
    compare.CtlType = ODT_LISTBOX;
    compare.CtlID = static_cast<UINT>(Id());
    compare.hwndItem = window_;
    compare.itemID1 = static_cast<UINT>(-1);
    compare.itemData1 = static_cast<ULONG_PTR>(value);
    compare.itemID2 = static_cast<UINT>(i);
    compare.itemData2 = items_[i].data;
    if (Owner() && SendMessage(Owner(), WM_COMPAREITEM, compare.CtlID, reinterpret_cast<LPARAM>(&compare)) < 0) {
      position = i;
      break;
    }
  }
  return position;
}

LRESULT ListBox::Insert(int index, LPARAM value, bool sorted) {
  if (Style() & LBS_NODATA) return LB_ERR;
  if (sorted && (Style() & LBS_SORT)) index = SortedPosition(value);
  if (index < 0 || index > Count()) {
    if (index != -1 && !sorted) return LB_ERR;
    index = Count();
  }
  ListBoxItem item;
  if (HasStrings()) item.text = value ? reinterpret_cast<const char*>(value) : "";
  else item.data = static_cast<ULONG_PTR>(value);
  items_.insert(items_.begin() + index, std::move(item));
  items_[index].height = itemHeight_;
  if (Variable()) items_[index].height = Measure(index);
  if (caret_ >= index) ++caret_;
  if (anchor_ >= index) ++anchor_;
  if (selected_ >= index) ++selected_;
  if (top_ > index) ++top_;
  UpdateScrollBars();
  Invalidate();
  return index;
}

LRESULT ListBox::Delete(int index) {
  if (!Valid(index)) return LB_ERR;
  DeleteNotify(index);
  if (Dead() || !Valid(index)) return LB_ERR;
  items_.erase(items_.begin() + index);
  if (selected_ == index) selected_ = -1;
  else if (selected_ > index) --selected_;
  auto shift = [&](int& i) {
    if (i > index || i >= Count()) --i;
  };
  shift(caret_);
  shift(anchor_);
  if (top_ > index) --top_;
  top_ = std::clamp(top_, 0, MaxTop());
  UpdateScrollBars();
  Invalidate();
  return Count();
}

void ListBox::Reset() {
  for (int i = 0; i < Count() && !Dead(); ++i) DeleteNotify(i);
  items_.clear();
  top_ = 0;
  caret_ = anchor_ = selected_ = -1;
  horizontalOffset_ = 0;
  UpdateScrollBars();
  Invalidate();
}

LRESULT ListBox::SetCount(int count) {
  if (!(Style() & LBS_NODATA) || count < 0) return LB_ERR;
  items_.resize(static_cast<size_t>(count));
  for (auto& item : items_) item.height = itemHeight_;
  if (caret_ >= count) caret_ = count - 1;
  if (anchor_ >= count) anchor_ = count - 1;
  if (selected_ >= count) selected_ = -1;
  top_ = std::clamp(top_, 0, MaxTop());
  UpdateScrollBars();
  Invalidate();
  return LB_OKAY;
}

RECT ListBox::ItemRect(int index) const {
  const RECT client = Client();
  int y = 0;
  if (Variable()) {
    if (index >= top_) {
      for (int i = top_; i < index; ++i) y += items_[i].height;
    } else {
      for (int i = index; i < top_; ++i) y -= items_[i].height;
    }
  } else {
    y = (index - top_) * itemHeight_;
  }
  return {0, y, std::max(client.Right, horizontalExtent_), y + ItemHeight(index)};
}

int ListBox::ItemFromPoint(POINT point, bool* outside) const {
  const RECT client = Client();
  *outside = point.X < 0 || point.X >= client.Right || point.Y < 0 || point.Y >= client.Bottom;
  if (Count() == 0) {
    *outside = true;
    return 0;
  }
  if (point.Y < 0) return std::max(top_ - 1, 0);
  int y = 0;
  for (int i = top_; i < Count(); ++i) {
    const int h = ItemHeight(i);
    if (point.Y < y + h) return i;
    y += h;
  }
  *outside = true;
  return Count() - 1;
}

int ListBox::PageCount() const {
  const int height = Client().Bottom;
  if (!Variable()) return std::max(height / std::max(itemHeight_, 1), 1);
  int y = 0, n = 0;
  for (int i = top_; i < Count() && y + items_[i].height <= height; ++i, ++n) y += items_[i].height;
  return std::max(n, 1);
}

int ListBox::MaxTop() const {
  const int height = Client().Bottom;
  if (!Variable()) return std::max(Count() - std::max(height / std::max(itemHeight_, 1), 1), 0);
  int y = 0, i = Count();
  while (i > 0 && y + items_[i - 1].height <= height) y += items_[--i].height;
  return std::min(i, std::max(Count() - 1, 0));
}

void ListBox::SetTop(int top) {
  top = std::clamp(top, 0, MaxTop());
  if (top == top_) return;
  top_ = top;
  UpdateScrollBars();
  Invalidate();
}

void ListBox::EnsureVisible(int index) {
  if (!Valid(index)) return;
  if (index < top_) {
    SetTop(index);
    return;
  }
  // The highest top that still shows the item's bottom: rows are added upwards from the item
  // while they fit, so the cost follows the rows shown, not the distance scrolled.
  const int height = Client().Bottom;
  int top = index;
  int used = ItemHeight(index);
  while (top > top_ && used + ItemHeight(top - 1) <= height) used += ItemHeight(--top);
  SetTop(top);
}

void ListBox::UpdateScrollBars() {
  if (updatingBars_) return;
  updatingBars_ = true;
  const DWORD style = Style();
  const bool always = (style & LBS_DISABLENOSCROLL) != 0;
  if (wantVertical_) {
    const int page = Count() - MaxTop();
    SetListScrollBar(window_, ListBar::Vertical, Count(), page, top_, always);
  }
  if (wantHorizontal_) {
    const int width = Client().Right;
    SetListScrollBar(window_, ListBar::Horizontal, horizontalExtent_, width, horizontalOffset_, always);
    horizontalOffset_ = std::clamp(horizontalOffset_, 0, std::max(horizontalExtent_ - width, 0));
  }
  top_ = std::clamp(top_, 0, MaxTop());
  updatingBars_ = false;
}

int ListBox::CurrentSelection() const {
  if (SelectionMode() != Mode::Single) return caret_;
  return selected_;
}

bool ListBox::SetSelected(int index, bool selected) {
  if (!Valid(index) || items_[index].selected == selected) return false;
  items_[index].selected = selected;
  if (selected) selected_ = index;
  else if (selected_ == index) selected_ = -1;
  RECT r = ItemRect(index);
  InvalidateRect(window_, &r, TRUE);
  return true;
}

bool ListBox::SelectOnly(int index) {
  if (SelectionMode() == Mode::Single) {
    // The single selection moves without a walk over every item.
    const int current = CurrentSelection();
    if (current == index) return false;
    const bool cleared = SetSelected(current, false);
    return SetSelected(index, true) || cleared;
  }
  bool changed = false;
  for (int i = 0; i < Count(); ++i) changed |= SetSelected(i, i == index);
  return changed;
}

bool ListBox::SelectRange(int first, int last, bool selected) {
  if (first > last) std::swap(first, last);
  bool changed = false;
  for (int i = std::max(first, 0); i <= last && i < Count(); ++i) changed |= SetSelected(i, selected);
  return changed;
}

void ListBox::SetCaret(int index) {
  if (index == caret_) return;
  if (Valid(caret_)) {
    RECT r = ItemRect(caret_);
    InvalidateRect(window_, &r, TRUE);
  }
  caret_ = index;
  if (Valid(caret_)) {
    RECT r = ItemRect(caret_);
    InvalidateRect(window_, &r, TRUE);
  }
}

// Keyboard and type-ahead moves: what the caret's new place selects depends on the mode.
void ListBox::MoveTo(int target, bool shift, bool control) {
  if (Count() == 0) return;
  target = std::clamp(target, 0, Count() - 1);
  bool changed = false;
  switch (SelectionMode()) {
    case Mode::Single: changed = SelectOnly(target); break;
    case Mode::Multiple:
    case Mode::None: break;
    case Mode::Extended:
      if (shift) {
        if (!Valid(anchor_)) anchor_ = target;
        if (!control) changed = SelectOnly(-1);
        changed |= SelectRange(anchor_, target, true);
      } else if (!control) {
        changed = SelectOnly(target);
        anchor_ = target;
      }
      break;
  }
  SetCaret(target);
  EnsureVisible(target);
  if (changed) NotifySelChange();
}

void ListBox::KeyDown(UINT key) {
  int caret = caret_;
  if (Style() & LBS_WANTKEYBOARDINPUT) {
    const LRESULT answer = SendMessage(Owner(), WM_VKEYTOITEM, MAKEWPARAM(static_cast<WORD>(key), static_cast<WORD>(caret)),
                                       reinterpret_cast<LPARAM>(window_));
    if (Dead() || answer == -2) return;
    if (answer >= 0) {
      MoveTo(static_cast<int>(answer), false, false);
      return;
    }
  }
  const bool shift = GetKeyState(VK_SHIFT) < 0;
  const bool control = GetKeyState(VK_CONTROL) < 0;
  const int page = PageCount();
  switch (key) {
    case VK_UP:
    case VK_LEFT: MoveTo(caret < 0 ? 0 : caret - 1, shift, control); break;
    case VK_DOWN:
    case VK_RIGHT: MoveTo(caret < 0 ? 0 : caret + 1, shift, control); break;
    case VK_PRIOR: MoveTo(caret - std::max(page - 1, 1), shift, control); break;
    case VK_NEXT: MoveTo(caret + std::max(page - 1, 1), shift, control); break;
    case VK_HOME: MoveTo(0, shift, control); break;
    case VK_END: MoveTo(Count() - 1, shift, control); break;
    case VK_SPACE: {
      const Mode mode = SelectionMode();
      if (!Valid(caret)) break;
      if (mode == Mode::Multiple || (mode == Mode::Extended && control)) {
        SetSelected(caret, !items_[caret].selected);
        anchor_ = caret;
        NotifySelChange();
      } else if (mode == Mode::Extended) {
        MoveTo(caret, shift, false);
      }
      break;
    }
    default: break;
  }
}

void ListBox::TypeAhead(char c) {
  if (!HasStrings() || Count() == 0 || static_cast<unsigned char>(c) < 0x20) return;
  const DWORD now = GetTickCount();
  if (search_.empty() || now - searchTick_ > 2 * GetDoubleClickTime()) search_.clear();
  searchTick_ = now;
  search_ += c;
  // The same letter typed again steps through the items that start with it.
  const bool repeated = std::all_of(search_.begin(), search_.end(), [&](char x) { return x == search_[0]; });
  auto find = [&](const std::string& prefix, int from) {
    for (int n = 0; n < Count(); ++n) {
      const int i = (from + n) % Count();
      if (TextStartsWith(items_[i].text, prefix)) return i;
    }
    return -1;
  };
  const int start = std::max(caret_, 0);
  int found = find(search_, search_.size() == 1 ? (caret_ < 0 ? 0 : start + 1) : start);
  if (found < 0 && repeated) found = find(search_.substr(0, 1), start + 1);
  if (found >= 0) MoveTo(found, false, false);
}

void ListBox::MouseDown(POINT point, WPARAM keys) {
  if (!ComboList() && GetFocus() != window_) SetFocus(window_);
  if (Dead()) return;
  bool outside = false;
  const int index = ItemFromPoint(point, &outside);
  if (!outside && Valid(index)) {
    bool changed = false;
    const bool shift = (keys & MK_SHIFT) != 0, control = (keys & MK_CONTROL) != 0;
    switch (SelectionMode()) {
      case Mode::Single: changed = SelectOnly(index); break;
      case Mode::Multiple: changed = SetSelected(index, !items_[index].selected); break;
      case Mode::Extended:
        if (shift) {
          if (!Valid(anchor_)) anchor_ = index;
          if (!control) changed = SelectOnly(-1);
          changed |= SelectRange(anchor_, index, true);
        } else if (control) {
          changed = SetSelected(index, !items_[index].selected);
          anchor_ = index;
        } else {
          changed = SelectOnly(index);
          anchor_ = index;
        }
        break;
      case Mode::None: break;
    }
    SetCaret(index);
    if (changed) NotifySelChange();
  }
  if (Dead()) return;
  tracking_ = true;
  SetCapture(window_);
}

void ListBox::MouseTrack(POINT point) {
  const RECT client = Client();
  // Dragging past the top or bottom scrolls one item at a time.
  if (tracking_ && point.Y < 0 && top_ > 0) SetTop(top_ - 1);
  if (tracking_ && point.Y >= client.Bottom && top_ < MaxTop()) SetTop(top_ + 1);
  bool outside = false;
  const int index = ItemFromPoint(point, &outside);
  if (!Valid(index) || (ComboList() && !tracking_ && outside)) return;
  bool changed = false;
  switch (SelectionMode()) {
    case Mode::Single: changed = SelectOnly(index); break;
    case Mode::Extended:
      if (GetKeyState(VK_CONTROL) >= 0) {
        if (!Valid(anchor_)) anchor_ = index;
        changed = SelectOnly(-1);
        changed |= SelectRange(anchor_, index, true);
      }
      break;
    default: return;
  }
  SetCaret(index);
  EnsureVisible(index);
  if (changed) NotifySelChange();
}

void ListBox::MouseUp(POINT point) {
  const bool was = tracking_;
  tracking_ = false;
  // A dropped combo list keeps the mouse until a click in or out of it closes it.
  if (GetCapture() == window_ && (was || !ComboList())) ReleaseCapture();
  if (ComboList() && was) {
    bool outside = false;
    ItemFromPoint(point, &outside);
    Command(outside ? kComboListOutside : kComboListChosen);
  }
}

LRESULT ListBox::FindString(int start, LPARAM value, bool exact) const {
  if (Count() == 0) return LB_ERR;
  if (start < -1 || start >= Count()) start = -1;
  for (int n = 1; n <= Count(); ++n) {
    const int i = (start + n) % Count();
    if (!HasStrings()) {
      if (items_[i].data == static_cast<ULONG_PTR>(value)) return i;
      continue;
    }
    const std::string text = value ? reinterpret_cast<const char*>(value) : "";
    if (exact ? TextEquals(items_[i].text, text) : TextStartsWith(items_[i].text, text)) return i;
  }
  return LB_ERR;
}

void ListBox::DrawItem(HDC dc, int index, const RECT& rect, HBRUSH background) {
  const bool selected = items_[index].selected;
  const bool focus = focused_ && index == caret_ && !ComboList();
  if (OwnerDraw()) {
    DRAWITEMSTRUCT draw;
    draw.CtlType = ODT_LISTBOX;
    draw.CtlID = static_cast<UINT>(Id());
    draw.itemID = static_cast<UINT>(index);
    draw.itemAction = ODA_DRAWENTIRE;
    draw.itemState = (selected ? ODS_SELECTED : 0) | (focus ? ODS_FOCUS : 0) |
                     (IsWindowEnabled(window_) ? 0 : ODS_DISABLED);
    draw.hwndItem = window_;
    draw.hDC = dc;
    draw.rcItem = rect;
    draw.itemData = HasStrings() ? items_[index].data : items_[index].data;
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, rect.Left, rect.Top, rect.Right, rect.Bottom);
    SendMessage(Owner(), WM_DRAWITEM, draw.CtlID, reinterpret_cast<LPARAM>(&draw));
    RestoreDC(dc, saved);
    return;
  }
  const COLORREF text = GetTextColor(dc), back = GetBkColor(dc);
  if (selected) {
    FillRect(dc, &rect, GetSysColorBrush(COLOR_HIGHLIGHT));
    SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
  } else {
    FillRect(dc, &rect, background);
  }
  if (!IsWindowEnabled(window_)) SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
  RECT textRect = rect;
  textRect.Left += 2 - horizontalOffset_;
  UINT format = DT_SINGLELINE | DT_NOPREFIX | DT_VCENTER | DT_NOCLIP;
  if (Style() & LBS_USETABSTOPS) format |= DT_EXPANDTABS;
  DrawText(dc, items_[index].text.c_str(), static_cast<int>(items_[index].text.size()), &textRect, format);
  SetTextColor(dc, text);
  SetBkColor(dc, back);
  if (focus) DrawFocusRect(dc, &rect);
}

void ListBox::Paint(HDC dc, const RECT& clip) {
  const RECT client = Client();
  HBRUSH background = reinterpret_cast<HBRUSH>(
      Owner() ? SendMessage(Owner(), WM_CTLCOLORLISTBOX, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(window_)) : 0);
  if (!background) background = GetSysColorBrush(COLOR_WINDOW);
  FillRect(dc, &clip, background);
  HGDIOBJ oldFont = SelectObject(dc, Font());
  SetBkMode(dc, TRANSPARENT);
  for (int i = top_; i < Count(); ++i) {
    RECT r = ItemRect(i);
    if (r.Top >= client.Bottom) break;
    r.Right = client.Right;
    if (r.Bottom > clip.Top && r.Top < clip.Bottom) DrawItem(dc, i, r, background);
  }
  if (Count() == 0 && focused_ && !ComboList()) {
    RECT r{0, 0, client.Right, itemHeight_};
    DrawFocusRect(dc, &r);
  }
  SelectObject(dc, oldFont);
}

void ListBox::AdjustIntegralHeight(WINDOWPOS* position) {
  if ((position->flags & SWP_NOSIZE) || (Style() & LBS_NOINTEGRALHEIGHT) || Variable()) return;
  RECT window, client;
  GetWindowRect(window_, &window);
  GetClientRect(window_, &client);
  const int frame = window.Height() - client.Height();
  const int clientHeight = position->cy - frame;
  if (clientHeight <= itemHeight_) return;
  position->cy -= clientHeight % itemHeight_;
}

LRESULT ListBox::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  const bool single = SelectionMode() == Mode::Single;
  switch (message) {
    case WM_CREATE: Create(); return 0;
    case WM_DESTROY: Reset(); return 0;
    case WM_SIZE: UpdateScrollBars(); Invalidate(); return 0;
    case WM_WINDOWPOSCHANGING: AdjustIntegralHeight(reinterpret_cast<WINDOWPOS*>(lParam)); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_PAINT:
    case WM_PRINTCLIENT: {
      if (message == WM_PRINTCLIENT || wParam) {
        Paint(reinterpret_cast<HDC>(wParam), Client());
        return 0;
      }
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(window_, &ps);
      Paint(dc, ps.rcPaint);
      EndPaint(window_, &ps);
      return 0;
    }
    case WM_SETFONT:
      SetFont(reinterpret_cast<HFONT>(wParam), LOWORD(lParam) != 0);
      if (!OwnerDraw()) {
        itemHeight_ = FontHeight();
        for (auto& item : items_) item.height = itemHeight_;
        UpdateScrollBars();
      }
      return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(font_);
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SETFOCUS:
      focused_ = true;
      if (Valid(caret_)) {
        RECT r = ItemRect(caret_);
        InvalidateRect(window_, &r, TRUE);
      } else {
        Invalidate();
      }
      Command(LBN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      focused_ = false;
      Invalidate();
      Command(LBN_KILLFOCUS);
      return 0;
    case WM_ENABLE: Invalidate(); return 0;
    case WM_KEYDOWN: KeyDown(static_cast<UINT>(wParam)); return 0;
    case WM_CHAR: TypeAhead(static_cast<char>(wParam)); return 0;
    case WM_LBUTTONDOWN: MouseDown({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, wParam); return 0;
    case WM_MOUSEMOVE:
      if (tracking_ || ComboList()) MouseTrack({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return 0;
    case WM_LBUTTONUP: MouseUp({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}); return 0;
    case WM_CAPTURECHANGED: tracking_ = false; return 0;
    case WM_LBUTTONDBLCLK:
      if (Style() & LBS_NOTIFY) Command(LBN_DBLCLK);
      return 0;
    case WM_MOUSEWHEEL: {
      const int notches = GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA;
      SetTop(top_ - notches * 3);
      return 0;
    }
    case WM_VSCROLL:
      SetTop(ScrollRequestPosition(window_, ListBar::Vertical, wParam, top_, 1, PageCount(), Count()));
      return 0;
    case WM_HSCROLL: {
      const int width = Client().Right;
      const int offset = ScrollRequestPosition(window_, ListBar::Horizontal, wParam, horizontalOffset_, 8, width, horizontalExtent_);
      if (offset != horizontalOffset_) {
        horizontalOffset_ = offset;
        UpdateScrollBars();
        Invalidate();
      }
      return 0;
    }
    case WM_MOUSEACTIVATE:
      if (ComboList()) return MA_NOACTIVATE;
      break;

    case LB_ADDSTRING: return Insert(-1, lParam, true);
    case LB_INSERTSTRING: return Insert(static_cast<int>(wParam), lParam, false);
    case LB_DELETESTRING: return Delete(static_cast<int>(wParam));
    case LB_RESETCONTENT: Reset(); return LB_OKAY;
    case LB_GETCOUNT: return Count();
    case LB_SETCOUNT: return SetCount(static_cast<int>(wParam));
    case LB_GETTEXTLEN: {
      const int i = static_cast<int>(wParam);
      if (!Valid(i)) return LB_ERR;
      return HasStrings() ? static_cast<LRESULT>(items_[i].text.size()) : static_cast<LRESULT>(sizeof(ULONG_PTR));
    }
    case LB_GETTEXT: {
      const int i = static_cast<int>(wParam);
      if (!Valid(i) || !lParam) return LB_ERR;
      if (!HasStrings()) {
        std::memcpy(reinterpret_cast<void*>(lParam), &items_[i].data, sizeof(ULONG_PTR));
        return sizeof(ULONG_PTR);
      }
      std::memcpy(reinterpret_cast<char*>(lParam), items_[i].text.c_str(), items_[i].text.size() + 1);
      return static_cast<LRESULT>(items_[i].text.size());
    }
    case LB_GETITEMDATA: {
      const int i = static_cast<int>(wParam);
      return Valid(i) ? static_cast<LRESULT>(items_[i].data) : LB_ERR;
    }
    case LB_SETITEMDATA: {
      const int i = static_cast<int>(wParam);
      if (!Valid(i)) return LB_ERR;
      items_[i].data = static_cast<ULONG_PTR>(lParam);
      return LB_OKAY;
    }
    case LB_GETCURSEL: {
      const int i = CurrentSelection();
      return i < 0 ? LB_ERR : i;
    }
    case LB_SETCURSEL: {
      if (!single) return LB_ERR;
      const int i = static_cast<int>(wParam);
      SelectOnly(Valid(i) ? i : -1);
      if (!Valid(i)) return LB_ERR;
      SetCaret(i);
      anchor_ = i;
      EnsureVisible(i);
      return i;
    }
    case LB_GETSEL: {
      const int i = static_cast<int>(wParam);
      return Valid(i) ? (items_[i].selected ? 1 : 0) : LB_ERR;
    }
    case LB_SETSEL: {
      if (single) return LB_ERR;
      const int i = static_cast<int>(lParam);
      if (i == -1) {
        SelectRange(0, Count() - 1, wParam != 0);
        return LB_OKAY;
      }
      if (!Valid(i)) return LB_ERR;
      SetSelected(i, wParam != 0);
      if (wParam) {
        SetCaret(i);
        anchor_ = i;
      }
      return LB_OKAY;
    }
    case LB_GETSELCOUNT:
      if (single) return LB_ERR;
      return std::count_if(items_.begin(), items_.end(), [](const ListBoxItem& item) { return item.selected; });
    case LB_GETSELITEMS: {
      if (single) return LB_ERR;
      auto* out = reinterpret_cast<int*>(lParam);
      if (!out) return LB_ERR;
      int n = 0;
      for (int i = 0; i < Count() && n < static_cast<int>(wParam); ++i)
        if (items_[i].selected) out[n++] = i;
      return n;
    }
    case LB_SELITEMRANGE:
      if (single) return LB_ERR;
      SelectRange(LOWORD(lParam), HIWORD(lParam), wParam != 0);
      return LB_OKAY;
    case LB_SELITEMRANGEEX: {
      if (single) return LB_ERR;
      const int first = static_cast<int>(wParam), last = static_cast<int>(lParam);
      if (first <= last) SelectRange(first, last, true);
      else SelectRange(last, first, false);
      return LB_OKAY;
    }
    case LB_GETTOPINDEX: return top_;
    case LB_SETTOPINDEX: {
      const int i = static_cast<int>(wParam);
      if (!Valid(i) && !(i == 0 && Count() == 0)) return LB_ERR;
      SetTop(i);
      return LB_OKAY;
    }
    case LB_GETITEMRECT: {
      const int i = static_cast<int>(wParam);
      if (!lParam || (!Valid(i) && !(i == 0 && Count() == 0))) return LB_ERR;
      RECT r = ItemRect(i);
      r.Right = Client().Right;
      *reinterpret_cast<RECT*>(lParam) = r;
      return 1;
    }
    case LB_ITEMFROMPOINT: {
      bool outside = false;
      const int i = ItemFromPoint({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, &outside);
      return MAKELONG(static_cast<WORD>(i), outside ? 1 : 0);
    }
    case LB_GETITEMHEIGHT: return ItemHeight(Variable() ? static_cast<int>(wParam) : 0);
    case LB_SETITEMHEIGHT: {
      const int height = LOWORD(lParam);
      if (height <= 0 || height > 255) return LB_ERR;
      if (Variable()) {
        const int i = static_cast<int>(wParam);
        if (!Valid(i)) return LB_ERR;
        items_[i].height = height;
      } else {
        itemHeight_ = height;
        for (auto& item : items_) item.height = height;
      }
      UpdateScrollBars();
      Invalidate();
      return LB_OKAY;
    }
    case LB_FINDSTRING: return FindString(static_cast<int>(wParam), lParam, false);
    case LB_FINDSTRINGEXACT: return FindString(static_cast<int>(wParam), lParam, true);
    case LB_SELECTSTRING: {
      const LRESULT found = FindString(static_cast<int>(wParam), lParam, false);
      if (found == LB_ERR) return LB_ERR;
      const int i = static_cast<int>(found);
      if (single) SelectOnly(i);
      else SetSelected(i, true);
      SetCaret(i);
      EnsureVisible(i);
      return found;
    }
    case LB_GETCARETINDEX: return caret_;
    case LB_SETCARETINDEX: {
      const int i = static_cast<int>(wParam);
      if (!Valid(i)) return LB_ERR;
      SetCaret(i);
      if (!LOWORD(lParam)) EnsureVisible(i);
      return LB_OKAY;
    }
    case LB_GETANCHORINDEX: return anchor_;
    case LB_SETANCHORINDEX: {
      const int i = static_cast<int>(wParam);
      if (!Valid(i)) return LB_ERR;
      anchor_ = i;
      return LB_OKAY;
    }
    case LB_GETHORIZONTALEXTENT: return horizontalExtent_;
    case LB_SETHORIZONTALEXTENT: {
      horizontalExtent_ = std::max(static_cast<int>(wParam), 0);
      const int offset = horizontalOffset_, top = top_;
      UpdateScrollBars();
      // The rows move only when the new range pushed the view; a scroll bar coming or going
      // resizes the client area, which repaints what it uncovers.
      if (horizontalOffset_ != offset || top_ != top) Invalidate();
      return 0;
    }
    case LB_INITSTORAGE: items_.reserve(items_.size() + wParam); return LB_OKAY;
    case LB_SETLOCALE:
    case LB_GETLOCALE: return 0;
    default: break;
  }
  return DefWindowProc(window_, message, wParam, lParam);
}

}  // namespace

void ListBoxRegister() {
  RegisterListControlClass(WC_LISTBOX, ListControlProc<ListBox>, CS_DBLCLKS, COLOR_WINDOW);
  // The list of a combo box; the same control, its style says LBS_COMBOBOX.
  RegisterListControlClass("ComboLBox", ListControlProc<ListBox>, CS_DBLCLKS | CS_SAVEBITS, COLOR_WINDOW);
}
