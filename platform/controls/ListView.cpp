#include "controls/ListView.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "controls/Header.h"
#include "controls/ImageList.h"
#include "controls/ListInfoTip.h"
#include "controls/ListControlWindow.h"
#include "controls/ListLabelEdit.h"
#include "controls/ListScrollBars.h"
#include "controls/OwnerDraw.h"
#include "rtl/SysUtils.h"

namespace {

struct ListColumn {
  int subItem = 0;
  int image = 0;
};

struct ListRow {
  std::vector<std::string> texts;     // by sub-item
  std::vector<bool> callbacks;        // text asked of the parent
  int image = 0;
  UINT state = 0;
  LPARAM param = 0;
  int indent = 0;
};

constexpr COLORREF kDefaultColour = 0xFF000000;  // CLR_DEFAULT
constexpr COLORREF kNoColour = 0xFFFFFFFF;       // CLR_NONE
constexpr int kLabelPadding = 2;
constexpr int kCheckBoxSize = 13;
constexpr UINT kCheckedState = 2U << 12;  // state image 2: a ticked check box

class ListView : public ListControlBase {
 public:
  ListView(HWND window, const CREATESTRUCT*) : ListControlBase(window) {}
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  bool OwnerData() const { return (Style() & LVS_OWNERDATA) != 0; }
  int Count() const { return OwnerData() ? ownerCount_ : static_cast<int>(rows_.size()); }
  bool Valid(int i) const { return i >= 0 && i < Count(); }
  int Columns() const { return static_cast<int>(columns_.size()); }
  UINT& State(int i) { return OwnerData() ? ownerStates_[i] : rows_[i].state; }
  UINT StateOf(int i) const { return OwnerData() ? ownerStates_[i] : rows_[i].state; }

  void Create();
  void Layout();
  int HeaderHeight() const;
  int RowHeight() const { return std::max({FontHeight(), 1, SmallImageSize().cy, StateImageSize().cy}) + 1; }
  // A list's icon size; none without a list.
  static SIZE ImageSize(HIMAGELIST list);
  SIZE SmallImageSize() const { return ImageSize(images_[LVSIL_SMALL]); }
  // The state image list's size; check boxes stand in for it.
  SIZE StateImageSize() const { return CheckBoxes() ? SIZE{0, 0} : ImageSize(images_[LVSIL_STATE]); }
  bool CheckBoxes() const { return (exStyle_ & LVS_EX_CHECKBOXES) != 0; }
  // Width of the state column before the icon: the check box with LVS_EX_CHECKBOXES, else the
  // state image list's width (0 without either).
  int StateWidth() const { return CheckBoxes() ? kCheckBoxSize + 4 : StateImageSize().cx; }
  // The check box, or the state list's image of the item's state index (0: none).
  void PaintStateImage(HDC dc, int item, const RECT& row);
  // The item's image, and its overlay bits (LVIS_OVERLAYMASK) into *overlay: the stored ones,
  // unless the parent's answer for a callback image carries overlay state of its own.
  int Image(int item, UINT* overlay);
  int ColumnLeft(int column) const;
  int ColumnWidth(int column) const;
  int TotalWidth() const;
  int PageRows() const;

  std::string Text(int item, int subItem);
  RECT RowRect(int item) const;
  RECT ItemRect(int item, int code) const;
  bool SubItemRect(int item, int subItem, int code, RECT* out) const;
  int HitTest(LVHITTESTINFO* info, bool subItems) const;

  bool ChangeState(int item, UINT state, UINT mask);
  void SetStateAll(UINT state, UINT mask);
  void SelectOnly(int item);
  void SetFocusItem(int item);
  int NextItem(int start, UINT flags) const;
  void EnsureVisible(int item, bool partialOk);
  void SetTop(int top);
  void SetScrollX(int x);
  void UpdateScrollBars();

  LRESULT InsertItem(const LVITEM* item);
  bool SetItem(const LVITEM* item);
  bool GetItem(LVITEM* item);
  bool DeleteItem(int item);
  bool DeleteAll();
  int InsertColumn(int index, const LVCOLUMN* column);
  bool SetColumn(int index, const LVCOLUMN* column);
  bool GetColumn(int index, LVCOLUMN* column) const;
  bool SetColumnWidth(int index, int width);

  void Click(POINT p, WPARAM keys, UINT code);
  void TrackHover(POINT p);
  void ShowInfoTip(POINT p);
  void KeyDown(UINT key);
  HWND EditLabel(int item);
  void EndEdit(bool save, const std::string& edited);

  void Paint(HDC dc, const RECT& clip);
  LRESULT CustomDraw(DWORD stage, HDC dc, const RECT& rect, int item, int subItem, COLORREF* text, COLORREF* back);

  HWND header_ = nullptr;
  std::vector<ListColumn> columns_;
  std::vector<ListRow> rows_;
  int ownerCount_ = 0;
  std::vector<UINT> ownerStates_;
  // How many items are focused and selected, and where one of each was last set: a list of many
  // rows finds its focus and a single selection without walking every row.
  struct StateTally {
    int count = 0;
    int hint = -1;
  };
  StateTally focusTally_, selectTally_;
  void TallyChange(int item, UINT before, UINT after);
  void TallyInsert(int item);
  void TallyRemove(int item, UINT state);
  void TallyClear() { focusTally_ = selectTally_ = StateTally(); }
  int top_ = 0;
  int scrollX_ = 0;
  int mark_ = -1;
  DWORD exStyle_ = 0;
  int hoverTime_ = -1;
  COLORREF back_ = kDefaultColour, text_ = kDefaultColour, textBack_ = kDefaultColour;
  HIMAGELIST images_[3] = {};
  bool focused_ = false;
  bool updatingBars_ = false;
  ListLabelEdit labelEdit_;
  int editItem_ = -1;
  ListInfoTip tip_;
  int tipItem_ = -1;
};

void ListView::Create() {
  DWORD style = WS_CHILD | HDS_HORZ | HDS_FULLDRAG;
  if (!(Style() & LVS_NOSORTHEADER)) style |= HDS_BUTTONS;
  if ((Style() & LVS_TYPEMASK) == LVS_REPORT && !(Style() & LVS_NOCOLUMNHEADER)) style |= WS_VISIBLE;
  header_ = CreateWindowEx(0, WC_HEADER, "", style, 0, 0, 0, 0, window_, nullptr, nullptr, nullptr);
  Layout();
}

int ListView::HeaderHeight() const {
  if (!header_ || !(GetWindowLong(header_, GWL_STYLE) & WS_VISIBLE)) return 0;
  RECT r;
  GetWindowRect(header_, &r);
  return r.Height();
}

void ListView::Layout() {
  if (!header_) return;
  RECT client = Client();
  client.Left -= scrollX_;
  client.Right = std::max(client.Right, TotalWidth() - scrollX_);
  WINDOWPOS pos;
  HDLAYOUT layout{&client, &pos};
  SendMessage(header_, HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(&layout));
  const bool show = (Style() & LVS_TYPEMASK) == LVS_REPORT && !(Style() & LVS_NOCOLUMNHEADER);
  SetWindowPos(header_, nullptr, pos.x, pos.y, pos.cx, pos.cy,
               SWP_NOZORDER | SWP_NOACTIVATE | (show ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
  UpdateScrollBars();
}

int ListView::ColumnLeft(int column) const {
  RECT r{};
  SendMessage(header_, HDM_GETITEMRECT, column, reinterpret_cast<LPARAM>(&r));
  return r.Left;
}

int ListView::ColumnWidth(int column) const {
  HDITEM item;
  item.mask = HDI_WIDTH;
  if (!SendMessage(header_, HDM_GETITEM, column, reinterpret_cast<LPARAM>(&item))) return 0;
  return item.cxy;
}

int ListView::TotalWidth() const {
  int width = 0;
  for (int i = 0; i < Columns(); ++i) width += ColumnWidth(i);
  return width;
}

int ListView::PageRows() const { return std::max((Client().Bottom - HeaderHeight()) / RowHeight(), 1); }

SIZE ListView::ImageSize(HIMAGELIST list) {
  int cx = 0, cy = 0;
  if (!list || !ImageList_GetIconSize(list, &cx, &cy)) return {0, 0};
  return {cx, cy};
}

int ListView::Image(int item, UINT* overlay) {
  *overlay = StateOf(item) & LVIS_OVERLAYMASK;
  const int image = OwnerData() ? I_IMAGECALLBACK : rows_[item].image;
  if (image != I_IMAGECALLBACK) return image;
  NMLVDISPINFO info;
  info.item.mask = LVIF_IMAGE;
  info.item.iItem = item;
  info.item.lParam = OwnerData() ? 0 : rows_[item].param;
  Notify(LVN_GETDISPINFO, &info.hdr);
  if ((info.item.mask & LVIF_STATE) && (info.item.stateMask & LVIS_OVERLAYMASK))
    *overlay = info.item.state & LVIS_OVERLAYMASK;
  return info.item.iImage;
}

std::string ListView::Text(int item, int subItem) {
  if (!Valid(item)) return {};
  const bool callback = OwnerData() || (subItem < static_cast<int>(rows_[item].callbacks.size()) && rows_[item].callbacks[subItem]);
  if (!callback) return subItem < static_cast<int>(rows_[item].texts.size()) ? rows_[item].texts[subItem] : std::string();
  char buffer[1024] = {};
  NMLVDISPINFO info;
  info.item.mask = LVIF_TEXT;
  info.item.iItem = item;
  info.item.iSubItem = subItem;
  info.item.pszText = buffer;
  info.item.cchTextMax = sizeof buffer;
  info.item.lParam = OwnerData() ? 0 : rows_[item].param;
  Notify(LVN_GETDISPINFO, &info.hdr);
  if (!info.item.pszText || info.item.pszText == LPSTR_TEXTCALLBACK) return {};
  // The parent may point at text of its own instead of filling the buffer.
  return std::string(info.item.pszText, strnlen(info.item.pszText, sizeof buffer));
}

RECT ListView::RowRect(int item) const {
  const int y = HeaderHeight() + (item - top_) * RowHeight();
  return {-scrollX_, y, TotalWidth() - scrollX_, y + RowHeight()};
}

RECT ListView::ItemRect(int item, int code) const {
  RECT row = RowRect(item);
  const int left = ColumnLeft(0) - scrollX_;
  const int right = left + ColumnWidth(0);
  const int iconWidth = SmallImageSize().cx;
  const int indent = (OwnerData() ? 0 : rows_[item].indent * iconWidth) + StateWidth();
  RECT icon{left + indent, row.Top, left + indent + iconWidth, row.Bottom};
  RECT label{icon.Right, row.Top, std::max(right, icon.Right), row.Bottom};
  switch (code) {
    case LVIR_ICON: return icon;
    case LVIR_LABEL: return label;
    case LVIR_SELECTBOUNDS:
      if (exStyle_ & LVS_EX_FULLROWSELECT) return {icon.Left, row.Top, row.Right, row.Bottom};
      return {icon.Left, row.Top, label.Right, row.Bottom};
    default: return row;
  }
}

bool ListView::SubItemRect(int item, int subItem, int code, RECT* out) const {
  if (!Valid(item) || subItem < 0 || subItem >= std::max(Columns(), 1)) return false;
  if (subItem == 0) {
    *out = ItemRect(item, code);
    return true;
  }
  RECT row = RowRect(item);
  const int left = ColumnLeft(subItem) - scrollX_;
  *out = {left, row.Top, left + ColumnWidth(subItem), row.Bottom};
  return true;
}

int ListView::HitTest(LVHITTESTINFO* info, bool subItems) const {
  const RECT client = Client();
  const POINT p = info->pt;
  info->flags = 0;
  info->iItem = -1;
  info->iSubItem = 0;
  if (p.Y < HeaderHeight()) info->flags |= LVHT_ABOVE;
  if (p.Y >= client.Bottom) info->flags |= LVHT_BELOW;
  if (p.X < 0) info->flags |= LVHT_TOLEFT;
  if (p.X >= client.Right) info->flags |= LVHT_TORIGHT;
  if (info->flags) return -1;
  const int item = top_ + (p.Y - HeaderHeight()) / RowHeight();
  if (!Valid(item)) {
    info->flags = LVHT_NOWHERE;
    return -1;
  }
  if (subItems) {
    for (int c = 0; c < Columns(); ++c) {
      const int left = ColumnLeft(c) - scrollX_;
      if (p.X >= left && p.X < left + ColumnWidth(c)) info->iSubItem = c;
    }
  }
  const RECT icon = ItemRect(item, LVIR_ICON), label = ItemRect(item, LVIR_LABEL), row = RowRect(item);
  const int stateLeft = icon.Left - StateWidth();
  if (StateWidth() && p.X >= stateLeft && p.X < icon.Left) info->flags = LVHT_ONITEMSTATEICON;
  else if (p.X >= icon.Left && p.X < icon.Right) info->flags = LVHT_ONITEMICON;
  else if (p.X >= label.Left && p.X < label.Right) info->flags = LVHT_ONITEMLABEL;
  else if ((exStyle_ & LVS_EX_FULLROWSELECT) && p.X >= row.Left && p.X < row.Right) info->flags = LVHT_ONITEMLABEL;
  else if (subItems && p.X >= row.Left && p.X < row.Right) info->flags = LVHT_ONITEMLABEL;
  else info->flags = LVHT_NOWHERE;
  if (info->flags == LVHT_NOWHERE) return -1;
  info->iItem = item;
  return item;
}

// One item's state changes, asked first (LVN_ITEMCHANGING may refuse) and told after.
bool ListView::ChangeState(int item, UINT state, UINT mask) {
  if (!Valid(item)) return false;
  const UINT old = StateOf(item);
  const UINT wanted = (old & ~mask) | (state & mask);
  if (wanted == old) return true;
  NMLISTVIEW change;
  change.iItem = item;
  change.uNewState = wanted;
  change.uOldState = old;
  change.uChanged = LVIF_STATE;
  change.lParam = OwnerData() ? 0 : rows_[item].param;
  if (Notify(LVN_ITEMCHANGING, &change.hdr) || Dead() || !Valid(item)) return false;
  if ((wanted & LVIS_FOCUSED) && !(old & LVIS_FOCUSED)) {
    const int previous = NextItem(-1, LVNI_FOCUSED);
    if (previous >= 0 && previous != item) ChangeState(previous, 0, LVIS_FOCUSED);
  }
  if ((wanted & LVIS_SELECTED) && !(old & LVIS_SELECTED) && (Style() & LVS_SINGLESEL)) {
    for (int i = NextItem(-1, LVNI_SELECTED); i >= 0; i = NextItem(i, LVNI_SELECTED))
      if (i != item) ChangeState(i, 0, LVIS_SELECTED);
  }
  if (Dead() || !Valid(item)) return false;
  State(item) = wanted;
  TallyChange(item, old, wanted);
  RECT r = RowRect(item);
  r.Left = 0;
  r.Right = Client().Right;
  InvalidateRect(window_, &r, TRUE);
  Notify(LVN_ITEMCHANGED, &change.hdr);
  return true;
}

void ListView::SetStateAll(UINT state, UINT mask) {
  for (int i = 0; i < Count() && !Dead(); ++i) ChangeState(i, state, mask);
}

void ListView::SelectOnly(int item) {
  for (int i = NextItem(-1, LVNI_SELECTED); i >= 0 && !Dead(); i = NextItem(i, LVNI_SELECTED))
    if (i != item) ChangeState(i, 0, LVIS_SELECTED);
  if (Valid(item)) ChangeState(item, LVIS_SELECTED, LVIS_SELECTED);
}

void ListView::SetFocusItem(int item) {
  if (Valid(item)) ChangeState(item, LVIS_FOCUSED, LVIS_FOCUSED);
}

void ListView::TallyChange(int item, UINT before, UINT after) {
  for (auto [bit, tally] : {std::pair{LVIS_FOCUSED, &focusTally_}, std::pair{LVIS_SELECTED, &selectTally_}}) {
    if ((before & bit) == (after & bit)) continue;
    tally->count += (after & bit) ? 1 : -1;
    if (after & bit) tally->hint = item;
    else if (tally->hint == item) tally->hint = -1;
  }
}

void ListView::TallyInsert(int item) {
  for (StateTally* tally : {&focusTally_, &selectTally_})
    if (tally->hint >= item) ++tally->hint;
}

void ListView::TallyRemove(int item, UINT state) {
  for (auto [bit, tally] : {std::pair{LVIS_FOCUSED, &focusTally_}, std::pair{LVIS_SELECTED, &selectTally_}}) {
    if (state & bit) --tally->count;
    if (tally->hint == item) tally->hint = -1;
    else if (tally->hint > item) --tally->hint;
  }
}

int ListView::NextItem(int start, UINT flags) const {
  const UINT want = flags & (LVNI_FOCUSED | LVNI_SELECTED | LVNI_CUT | LVNI_DROPHILITED);
  auto matches = [&](int i) { return (StateOf(i) & want) == want; };
  // The only focused or selected item, where it was last set, answers at once.
  for (auto [bit, tally] : {std::pair{LVNI_FOCUSED, &focusTally_}, std::pair{LVNI_SELECTED, &selectTally_}}) {
    if (!(want & bit)) continue;
    if (tally->count == 0) return -1;
    if (tally->count == 1 && Valid(tally->hint) && matches(tally->hint)) {
      const bool ahead = (flags & LVNI_ABOVE) ? tally->hint < start : tally->hint > start;
      return ahead ? tally->hint : -1;
    }
  }
  if (flags & LVNI_ABOVE) {
    for (int i = start - 1; i >= 0; --i)
      if (matches(i)) return i;
    return -1;
  }
  for (int i = start + 1; i < Count(); ++i)
    if (matches(i)) return i;
  return -1;
}

void ListView::SetTop(int top) {
  top = std::clamp(top, 0, std::max(Count() - PageRows(), 0));
  if (top == top_) return;
  top_ = top;
  UpdateScrollBars();
  Invalidate();
}

void ListView::SetScrollX(int x) {
  x = std::clamp(x, 0, std::max(TotalWidth() - Client().Right, 0));
  if (x == scrollX_) return;
  scrollX_ = x;
  Layout();
  Invalidate();
}

void ListView::EnsureVisible(int item, bool partialOk) {
  if (!Valid(item)) return;
  const int page = PageRows();
  if (item < top_) SetTop(item);
  else if (item >= top_ + page) {
    const bool partlyShown = item == top_ + page && partialOk;
    if (!partlyShown) SetTop(item - page + 1);
  }
}

void ListView::UpdateScrollBars() {
  if (updatingBars_ || (Style() & LVS_NOSCROLL)) return;
  updatingBars_ = true;
  SetListScrollBar(window_, ListBar::Vertical, Count(), PageRows(), top_);
  SetListScrollBar(window_, ListBar::Horizontal, TotalWidth(), Client().Right, scrollX_);
  top_ = std::clamp(top_, 0, std::max(Count() - PageRows(), 0));
  updatingBars_ = false;
}

LRESULT ListView::InsertItem(const LVITEM* item) {
  if (!item || OwnerData()) return -1;
  int index = std::clamp(item->iItem, 0, Count());
  ListRow row;
  row.texts.resize(1);
  row.callbacks.resize(1);
  if (item->mask & LVIF_TEXT) {
    if (item->pszText == LPSTR_TEXTCALLBACK) row.callbacks[0] = true;
    else if (item->pszText) row.texts[0] = item->pszText;
  }
  if (Style() & (LVS_SORTASCENDING | LVS_SORTDESCENDING)) {
    const bool down = (Style() & LVS_SORTDESCENDING) != 0;
    index = 0;
    while (index < Count() && (down ? AnsiCompareText(rows_[index].texts[0], row.texts[0]) >= 0
                                    : AnsiCompareText(rows_[index].texts[0], row.texts[0]) <= 0))
      ++index;
  }
  if (item->mask & LVIF_IMAGE) row.image = item->iImage;
  if (item->mask & LVIF_PARAM) row.param = item->lParam;
  if (item->mask & LVIF_INDENT) row.indent = item->iIndent;
  const UINT state = (item->mask & LVIF_STATE) ? (item->state & item->stateMask) : 0;
  rows_.insert(rows_.begin() + index, std::move(row));
  TallyInsert(index);
  if (mark_ >= index) ++mark_;
  NMLISTVIEW inserted;
  inserted.iItem = index;
  Notify(LVN_INSERTITEM, &inserted.hdr);
  if (state && !Dead()) ChangeState(index, state, state);
  UpdateScrollBars();
  Invalidate();
  return index;
}

bool ListView::SetItem(const LVITEM* item) {
  if (!item || !Valid(item->iItem) || item->iSubItem < 0) return false;
  if (item->mask & LVIF_STATE) ChangeState(item->iItem, item->state, item->stateMask);
  if (OwnerData() || Dead() || !Valid(item->iItem)) return !Dead();
  ListRow& row = rows_[item->iItem];
  if (item->mask & LVIF_TEXT) {
    const size_t n = static_cast<size_t>(item->iSubItem) + 1;
    if (row.texts.size() < n) {
      row.texts.resize(n);
      row.callbacks.resize(n);
    }
    row.callbacks[item->iSubItem] = item->pszText == LPSTR_TEXTCALLBACK;
    row.texts[item->iSubItem] = item->pszText && item->pszText != LPSTR_TEXTCALLBACK ? item->pszText : "";
  }
  if (item->iSubItem == 0) {
    if (item->mask & LVIF_IMAGE) row.image = item->iImage;
    if (item->mask & LVIF_PARAM) row.param = item->lParam;
    if (item->mask & LVIF_INDENT) row.indent = item->iIndent;
  }
  RECT r = RowRect(item->iItem);
  r.Left = 0;
  r.Right = Client().Right;
  InvalidateRect(window_, &r, TRUE);
  return true;
}

bool ListView::GetItem(LVITEM* item) {
  if (!item || !Valid(item->iItem)) return false;
  if ((item->mask & LVIF_TEXT) && item->pszText && item->cchTextMax > 0) {
    const std::string text = Text(item->iItem, item->iSubItem);
    const size_t n = std::min(text.size(), static_cast<size_t>(item->cchTextMax - 1));
    std::memcpy(item->pszText, text.data(), n);
    item->pszText[n] = 0;
  }
  if (item->mask & LVIF_STATE) item->state = StateOf(item->iItem) & item->stateMask;
  if (!OwnerData()) {
    const ListRow& row = rows_[item->iItem];
    if (item->mask & LVIF_IMAGE) item->iImage = row.image;
    if (item->mask & LVIF_PARAM) item->lParam = row.param;
    if (item->mask & LVIF_INDENT) item->iIndent = row.indent;
  }
  return true;
}

bool ListView::DeleteItem(int item) {
  if (!Valid(item)) return false;
  if (labelEdit_.Window() && editItem_ == item) labelEdit_.End(false);
  tip_.Hide();
  tipItem_ = -1;
  NMLISTVIEW deleted;
  deleted.iItem = item;
  deleted.lParam = OwnerData() ? 0 : rows_[item].param;
  Notify(LVN_DELETEITEM, &deleted.hdr);
  if (Dead() || !Valid(item)) return false;
  TallyRemove(item, StateOf(item));
  if (OwnerData()) {
    ownerStates_.erase(ownerStates_.begin() + item);
    --ownerCount_;
  } else {
    rows_.erase(rows_.begin() + item);
  }
  if (mark_ > item) --mark_;
  else if (mark_ == item) mark_ = -1;
  top_ = std::clamp(top_, 0, std::max(Count() - PageRows(), 0));
  UpdateScrollBars();
  Invalidate();
  return true;
}

bool ListView::DeleteAll() {
  labelEdit_.End(false);
  tip_.Hide();
  tipItem_ = -1;
  NMLISTVIEW all;
  all.iItem = -1;
  // A parent that answers TRUE does not want an LVN_DELETEITEM per item.
  const bool quiet = OwnerData() || Notify(LVN_DELETEALLITEMS, &all.hdr) != 0;
  if (Dead()) return false;
  if (!quiet) {
    for (int i = 0; i < Count() && !Dead(); ++i) {
      NMLISTVIEW deleted;
      deleted.iItem = i;
      deleted.lParam = rows_[i].param;
      Notify(LVN_DELETEITEM, &deleted.hdr);
    }
  }
  rows_.clear();
  ownerStates_.clear();
  TallyClear();
  ownerCount_ = 0;
  top_ = 0;
  mark_ = -1;
  UpdateScrollBars();
  Invalidate();
  return true;
}

int ListView::InsertColumn(int index, const LVCOLUMN* column) {
  if (!column) return -1;
  index = std::clamp(index, 0, Columns());
  HDITEM item;
  item.mask = HDI_WIDTH | HDI_FORMAT | HDI_TEXT;
  item.cxy = (column->mask & LVCF_WIDTH) ? column->cx : 0;
  item.fmt = HDF_STRING | ((column->mask & LVCF_FMT) ? (column->fmt & LVCFMT_JUSTIFYMASK) : 0);
  item.pszText = (column->mask & LVCF_TEXT) ? column->pszText : nullptr;
  // The first column is always left-aligned.
  if (index == 0) item.fmt &= ~HDF_JUSTIFYMASK;
  SendMessage(header_, HDM_INSERTITEM, index, reinterpret_cast<LPARAM>(&item));
  ListColumn c;
  c.subItem = (column->mask & LVCF_SUBITEM) ? column->iSubItem : index;
  c.image = (column->mask & LVCF_IMAGE) ? column->iImage : 0;
  columns_.insert(columns_.begin() + index, c);
  Layout();
  Invalidate();
  return index;
}

bool ListView::SetColumn(int index, const LVCOLUMN* column) {
  if (!column || index < 0 || index >= Columns()) return false;
  HDITEM item;
  if (column->mask & LVCF_WIDTH) {
    item.mask |= HDI_WIDTH;
    item.cxy = column->cx;
  }
  if (column->mask & LVCF_FMT) {
    item.mask |= HDI_FORMAT;
    item.fmt = HDF_STRING | (index == 0 ? 0 : (column->fmt & LVCFMT_JUSTIFYMASK));
  }
  if (column->mask & LVCF_TEXT) {
    item.mask |= HDI_TEXT;
    item.pszText = column->pszText;
  }
  if (column->mask & LVCF_SUBITEM) columns_[index].subItem = column->iSubItem;
  if (column->mask & LVCF_IMAGE) columns_[index].image = column->iImage;
  if (item.mask) SendMessage(header_, HDM_SETITEM, index, reinterpret_cast<LPARAM>(&item));
  Layout();
  Invalidate();
  return true;
}

bool ListView::GetColumn(int index, LVCOLUMN* column) const {
  if (!column || index < 0 || index >= Columns()) return false;
  HDITEM item;
  item.mask = HDI_WIDTH | HDI_FORMAT | ((column->mask & LVCF_TEXT) ? HDI_TEXT : 0);
  item.pszText = column->pszText;
  item.cchTextMax = column->cchTextMax;
  SendMessage(header_, HDM_GETITEM, index, reinterpret_cast<LPARAM>(&item));
  if (column->mask & LVCF_WIDTH) column->cx = item.cxy;
  if (column->mask & LVCF_FMT) column->fmt = item.fmt & LVCFMT_JUSTIFYMASK;
  if (column->mask & LVCF_SUBITEM) column->iSubItem = columns_[index].subItem;
  if (column->mask & LVCF_IMAGE) column->iImage = columns_[index].image;
  if (column->mask & LVCF_ORDER) column->iOrder = index;
  return true;
}

bool ListView::SetColumnWidth(int index, int width) {
  if (index < 0 || index >= Columns()) return false;
  if (width == LVSCW_AUTOSIZE || width == LVSCW_AUTOSIZE_USEHEADER) {
    int widest = 0;
    // Owner data can hold millions of items: only the ones in view are measured.
    const int first = OwnerData() ? top_ : 0;
    const int last = OwnerData() ? std::min(Count(), top_ + PageRows() + 1) : Count();
    for (int i = first; i < last && !Dead(); ++i) widest = std::max(widest, TextWidth(Text(i, columns_[index].subItem)));
    widest += 2 * kLabelPadding + 4;
    if (width == LVSCW_AUTOSIZE_USEHEADER) {
      char text[256] = {};
      HDITEM item;
      item.mask = HDI_TEXT;
      item.pszText = text;
      item.cchTextMax = sizeof text;
      SendMessage(header_, HDM_GETITEM, index, reinterpret_cast<LPARAM>(&item));
      widest = std::max(widest, TextWidth(text) + 12);
      // The last column fills what is left of the client area.
      if (index == Columns() - 1) widest = std::max(widest, Client().Right - ColumnLeft(index));
    }
    width = widest;
  }
  HDITEM item;
  item.mask = HDI_WIDTH;
  item.cxy = std::max(width, 0);
  SendMessage(header_, HDM_SETITEM, index, reinterpret_cast<LPARAM>(&item));
  Layout();
  Invalidate();
  return true;
}

void ListView::Click(POINT p, WPARAM keys, UINT code) {
  labelEdit_.End(true);
  if (GetFocus() != window_) SetFocus(window_);
  if (Dead()) return;
  LVHITTESTINFO hit;
  hit.pt = p;
  const int item = HitTest(&hit, true);
  if (code == NM_CLICK && item >= 0 && hit.flags == LVHT_ONITEMSTATEICON && CheckBoxes()) {
    // A click on the check box ticks or clears it and leaves the selection alone.
    ChangeState(item, (StateOf(item) & LVIS_STATEIMAGEMASK) == kCheckedState ? 1U << 12 : kCheckedState,
                LVIS_STATEIMAGEMASK);
    return;
  }
  if (code == NM_CLICK || code == NM_RCLICK) {
    const bool shift = (keys & MK_SHIFT) && !(Style() & LVS_SINGLESEL);
    const bool control = (keys & MK_CONTROL) && !(Style() & LVS_SINGLESEL);
    if (item < 0) {
      if (!control) SelectOnly(-1);
    } else if (shift) {
      const int from = Valid(mark_) ? mark_ : item;
      if (!control) SelectOnly(-1);
      for (int i = std::min(from, item); i <= std::max(from, item) && !Dead(); ++i) ChangeState(i, LVIS_SELECTED, LVIS_SELECTED);
      SetFocusItem(item);
    } else if (control) {
      ChangeState(item, StateOf(item) & LVIS_SELECTED ? 0 : LVIS_SELECTED, LVIS_SELECTED);
      SetFocusItem(item);
      mark_ = item;
    } else if (code == NM_CLICK || !(StateOf(item) & LVIS_SELECTED)) {
      SelectOnly(item);
      SetFocusItem(item);
      mark_ = item;
    }
  }
  if (Dead()) return;
  // Pressing on an item and moving away with the button down starts a drag instead of a click.
  if (code == NM_CLICK && item >= 0) {
    POINT screen = p;
    ClientToScreen(window_, &screen);
    if (DragDetect(window_, screen)) {
      if (Dead()) return;
      NMLISTVIEW drag;
      drag.iItem = item;
      drag.ptAction = p;
      drag.lParam = OwnerData() ? 0 : rows_[item].param;
      Notify(LVN_BEGINDRAG, &drag.hdr);
      return;
    }
    if (Dead()) return;
  }
  NMITEMACTIVATE activate;
  activate.iItem = item;
  activate.iSubItem = hit.iSubItem;
  activate.ptAction = p;
  activate.uKeyFlags = static_cast<UINT>(keys & (MK_SHIFT | MK_CONTROL));
  Notify(code, &activate.hdr);
}

void ListView::KeyDown(UINT key) {
  NMLVKEYDOWN down;
  down.wVKey = static_cast<WORD>(key);
  Notify(LVN_KEYDOWN, &down.hdr);
  if (Dead() || Count() == 0) return;
  const int focus = NextItem(-1, LVNI_FOCUSED);
  int target = -1;
  switch (key) {
    case VK_UP: target = focus < 0 ? 0 : focus - 1; break;
    case VK_DOWN: target = focus < 0 ? 0 : focus + 1; break;
    case VK_PRIOR: target = focus - std::max(PageRows() - 1, 1); break;
    case VK_NEXT: target = focus + std::max(PageRows() - 1, 1); break;
    case VK_HOME: target = 0; break;
    case VK_END: target = Count() - 1; break;
    case VK_SPACE:
      if (Valid(focus)) ChangeState(focus, StateOf(focus) & LVIS_SELECTED && GetKeyState(VK_CONTROL) < 0 ? 0 : LVIS_SELECTED, LVIS_SELECTED);
      return;
    case VK_F2:
      if (Valid(focus) && (Style() & LVS_EDITLABELS)) EditLabel(focus);
      return;
    case VK_RETURN: Notify(NM_RETURN); return;
    default: return;
  }
  target = std::clamp(target, 0, Count() - 1);
  const bool shift = GetKeyState(VK_SHIFT) < 0 && !(Style() & LVS_SINGLESEL);
  const bool control = GetKeyState(VK_CONTROL) < 0 && !(Style() & LVS_SINGLESEL);
  if (shift) {
    const int from = Valid(mark_) ? mark_ : target;
    SelectOnly(-1);
    for (int i = std::min(from, target); i <= std::max(from, target) && !Dead(); ++i) ChangeState(i, LVIS_SELECTED, LVIS_SELECTED);
  } else if (!control) {
    SelectOnly(target);
    mark_ = target;
  }
  SetFocusItem(target);
  EnsureVisible(target, false);
}

// Info tips: the parent is asked for an item's tip once the mouse rests on it.
void ListView::TrackHover(POINT p) {
  if (!(exStyle_ & LVS_EX_INFOTIP)) return;
  LVHITTESTINFO hit;
  hit.pt = p;
  const int item = HitTest(&hit, true);
  if (item != tipItem_) {
    tip_.Hide();
    tipItem_ = -1;
    tip_.ResetHover();
  }
  tip_.ArmHover(window_);
}

void ListView::ShowInfoTip(POINT p) {
  tip_.ResetHover();
  LVHITTESTINFO hit;
  hit.pt = p;
  const int item = HitTest(&hit, true);
  if (item < 0 || item == tipItem_) return;
  char buffer[1024] = {};
  NMLVGETINFOTIP tip;
  tip.pszText = buffer;
  tip.cchTextMax = sizeof buffer;
  tip.iItem = item;
  tip.iSubItem = hit.iSubItem;
  tip.lParam = OwnerData() ? 0 : rows_[item].param;
  const std::string label = Text(item, 0);
  // LVGIT_UNFOLDED: the label is shown whole, so the tip need not repeat it.
  tip.dwFlags = TextWidth(label) + 2 * kLabelPadding <= ItemRect(item, LVIR_LABEL).Width() ? 1 : 0;
  Notify(LVN_GETINFOTIP, &tip.hdr);
  if (Dead() || !buffer[0]) return;
  POINT screen = p;
  ClientToScreen(window_, &screen);
  tipItem_ = item;
  tip_.Show(window_, screen, std::string(buffer, strnlen(buffer, sizeof buffer)), Font());
}

HWND ListView::EditLabel(int item) {
  labelEdit_.End(true);
  if (Dead() || !Valid(item)) return nullptr;
  EnsureVisible(item, false);
  NMLVDISPINFO begin;
  begin.item.iItem = item;
  begin.item.mask = LVIF_TEXT | LVIF_PARAM | LVIF_STATE;
  begin.item.lParam = OwnerData() ? 0 : rows_[item].param;
  if (Notify(LVN_BEGINLABELEDIT, &begin.hdr) || Dead() || !Valid(item)) return nullptr;
  const RECT label = ItemRect(item, LVIR_LABEL);
  const std::string text = Text(item, 0);
  RECT place{label.Left, label.Top - 1, label.Left + std::max(TextWidth(text) + 16, label.Width()), label.Bottom + 1};
  editItem_ = item;
  labelEdit_.Begin(window_, place, text, Font(), [this](bool save, const std::string& edited) { EndEdit(save, edited); });
  return labelEdit_.Window();
}

void ListView::EndEdit(bool save, const std::string& edited) {
  const int item = editItem_;
  editItem_ = -1;
  std::string buffer = edited;
  NMLVDISPINFO end;
  end.item.mask = LVIF_TEXT;
  end.item.iItem = item;
  end.item.pszText = save ? buffer.data() : nullptr;
  end.item.cchTextMax = static_cast<int>(buffer.size()) + 1;
  end.item.lParam = OwnerData() || !Valid(item) ? 0 : rows_[item].param;
  const bool accept = Notify(LVN_ENDLABELEDIT, &end.hdr) != 0;
  if (!Dead() && save && accept && Valid(item) && !OwnerData()) {
    LVITEM set;
    set.mask = LVIF_TEXT;
    set.iItem = item;
    set.pszText = buffer.data();
    SetItem(&set);
  }
}

LRESULT ListView::CustomDraw(DWORD stage, HDC dc, const RECT& rect, int item, int subItem, COLORREF* text, COLORREF* back) {
  NMLVCUSTOMDRAW draw;
  draw.nmcd.dwDrawStage = stage;
  draw.nmcd.hdc = dc;
  draw.nmcd.rc = rect;
  draw.nmcd.dwItemSpec = static_cast<DWORD_PTR>(item < 0 ? 0 : item);
  if (item >= 0 && Valid(item)) {
    const UINT state = StateOf(item);
    draw.nmcd.uItemState = ((state & LVIS_SELECTED) ? CDIS_SELECTED : 0) | ((state & LVIS_FOCUSED) && focused_ ? CDIS_FOCUS : 0);
    draw.nmcd.lItemlParam = OwnerData() ? 0 : rows_[item].param;
  }
  draw.clrText = text ? *text : 0;
  draw.clrTextBk = back ? *back : 0;
  draw.iSubItem = subItem;
  const LRESULT result = Notify(NM_CUSTOMDRAW, &draw.nmcd.hdr);
  if (text) *text = draw.clrText;
  if (back) *back = draw.clrTextBk;
  return result;
}

void ListView::PaintStateImage(HDC dc, int item, const RECT& row) {
  const RECT icon = ItemRect(item, LVIR_ICON);
  if (!CheckBoxes()) {
    const int index = static_cast<int>((StateOf(item) & LVIS_STATEIMAGEMASK) >> 12);
    if (index)
      ImageList_Draw(images_[LVSIL_STATE], index, dc, icon.Left - StateWidth(),
                     row.Top + (row.Height() - StateImageSize().cy) / 2, ILD_TRANSPARENT);
    return;
  }
  const int left = icon.Left - StateWidth() + 2;
  const int top = row.Top + (row.Height() - kCheckBoxSize) / 2;
  RECT box{left, top, left + kCheckBoxSize, top + kCheckBoxSize};
  const bool checked = (StateOf(item) & LVIS_STATEIMAGEMASK) == kCheckedState;
  DrawFrameControl(dc, &box, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_FLAT | (checked ? DFCS_CHECKED : 0));
}

void ListView::Paint(HDC dc, const RECT& clip) {
  const RECT client = Client();
  const COLORREF background = back_ == kDefaultColour ? GetSysColor(COLOR_WINDOW) : back_;
  if (back_ != kNoColour) {
    HBRUSH brush = CreateSolidBrush(background);
    FillRect(dc, &clip, brush);
    DeleteObject(brush);
  }
  HGDIOBJ oldFont = SelectObject(dc, Font());
  const LRESULT whole = CustomDraw(CDDS_PREPAINT, dc, client, -1, 0, nullptr, nullptr);
  if (Dead() || (whole & CDRF_SKIPDEFAULT)) {
    SelectObject(dc, oldFont);
    return;
  }
  const bool showSelection = focused_ || (Style() & LVS_SHOWSELALWAYS);
  const int headerHeight = HeaderHeight();
  const int page = PageRows() + 1;
  if (OwnerData() && top_ < Count()) {
    // The rows about to be asked for, so that the parent can fetch them at once.
    NMLVCACHEHINT hint;
    hint.iFrom = top_;
    hint.iTo = std::min(top_ + page, Count()) - 1;
    Notify(LVN_ODCACHEHINT, &hint.hdr);
    if (Dead()) return;
  }
  const bool ownerDraw = (Style() & LVS_OWNERDRAWFIXED) && (Style() & LVS_TYPEMASK) == LVS_REPORT;
  for (int item = top_; item < Count() && item < top_ + page && !Dead(); ++item) {
    const RECT row = RowRect(item);
    if (row.Bottom <= clip.Top || row.Top >= clip.Bottom) continue;
    const UINT state = StateOf(item);
    const bool selected = (state & LVIS_SELECTED) && showSelection;
    if (ownerDraw) {
      DRAWITEMSTRUCT draw;
      draw.CtlType = ODT_LISTVIEW;
      draw.CtlID = static_cast<UINT>(Id());
      draw.itemID = static_cast<UINT>(item);
      draw.itemAction = ODA_DRAWENTIRE;
      draw.itemState = (selected ? ODS_SELECTED : 0) | ((state & LVIS_FOCUSED) && focused_ ? ODS_FOCUS : 0);
      draw.hwndItem = window_;
      draw.hDC = dc;
      draw.rcItem = row;
      draw.itemData = OwnerData() ? 0 : static_cast<ULONG_PTR>(rows_[item].param);
      if (HWND parent = Parent()) SendMessage(parent, WM_DRAWITEM, draw.CtlID, reinterpret_cast<LPARAM>(&draw));
      continue;
    }
    COLORREF textColour = text_ == kDefaultColour ? GetSysColor(COLOR_WINDOWTEXT) : text_;
    COLORREF backColour = textBack_ == kDefaultColour || textBack_ == kNoColour ? background : textBack_;
    LRESULT itemResult = 0;
    if (whole & CDRF_NOTIFYITEMDRAW) {
      itemResult = CustomDraw(CDDS_ITEMPREPAINT, dc, row, item, 0, &textColour, &backColour);
      if (Dead() || (itemResult & CDRF_SKIPDEFAULT)) continue;
    }
    if (StateWidth()) PaintStateImage(dc, item, row);
    if (images_[LVSIL_SMALL]) {
      const RECT icon = ItemRect(item, LVIR_ICON);
      UINT overlay = 0;
      const int image = Image(item, &overlay);
      if (Dead()) return;
      if (image >= 0)
        ImageList_Draw(images_[LVSIL_SMALL], image, dc, icon.Left, icon.Top + (row.Height() - SmallImageSize().cy) / 2,
                       ILD_TRANSPARENT | overlay | (selected && focused_ ? ILD_SELECTED : 0));
    }
    if (selected && (exStyle_ & LVS_EX_FULLROWSELECT)) {
      RECT r = ItemRect(item, LVIR_LABEL);
      r.Right = ItemRect(item, LVIR_SELECTBOUNDS).Right;
      FillRect(dc, &r, GetSysColorBrush(focused_ ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
    }
    for (int c = 0; c < std::max(Columns(), 1); ++c) {
      RECT cell;
      if (!SubItemRect(item, Columns() ? columns_[c].subItem : 0, c == 0 ? LVIR_LABEL : LVIR_BOUNDS, &cell)) continue;
      if (Columns()) {
        const int left = ColumnLeft(c) - scrollX_;
        cell.Left = c == 0 ? cell.Left : left;
        cell.Right = left + ColumnWidth(c);
      }
      if (cell.Right <= cell.Left) continue;
      COLORREF cellText = textColour, cellBack = backColour;
      if ((itemResult & CDRF_NOTIFYSUBITEMDRAW)) {
        if (CustomDraw(CDDS_ITEMPREPAINT | CDDS_SUBITEM, dc, cell, item, c, &cellText, &cellBack) & CDRF_SKIPDEFAULT) continue;
        if (Dead()) return;
      }
      const bool highlight = selected && (c == 0 || (exStyle_ & LVS_EX_FULLROWSELECT));
      const std::string text = Text(item, Columns() ? columns_[c].subItem : 0);
      if (Dead()) return;
      RECT textRect = cell;
      textRect.Left += c == 0 ? kLabelPadding : 6;
      textRect.Right -= 6;
      if (highlight) {
        if (c == 0 && !(exStyle_ & LVS_EX_FULLROWSELECT)) {
          RECT fill = cell;
          fill.Right = std::min(cell.Right, cell.Left + TextWidth(text) + 2 * kLabelPadding);
          FillRect(dc, &fill, GetSysColorBrush(focused_ ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
        }
        SetTextColor(dc, GetSysColor(focused_ ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
      } else {
        if (cellBack != background && cellBack != kNoColour) {
          HBRUSH brush = CreateSolidBrush(cellBack);
          FillRect(dc, &cell, brush);
          DeleteObject(brush);
        }
        SetTextColor(dc, cellText);
      }
      SetBkMode(dc, TRANSPARENT);
      UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;
      if (c > 0) {
        HDITEM column;
        column.mask = HDI_FORMAT;
        SendMessage(header_, HDM_GETITEM, c, reinterpret_cast<LPARAM>(&column));
        if ((column.fmt & HDF_JUSTIFYMASK) == HDF_RIGHT) format |= DT_RIGHT;
        else if ((column.fmt & HDF_JUSTIFYMASK) == HDF_CENTER) format |= DT_CENTER;
      }
      if (textRect.Right > textRect.Left) DrawText(dc, text.c_str(), static_cast<int>(text.size()), &textRect, format);
    }
    if ((state & LVIS_FOCUSED) && focused_) {
      RECT focus = ItemRect(item, LVIR_SELECTBOUNDS);
      if (!(exStyle_ & LVS_EX_FULLROWSELECT)) focus.Right = std::min(focus.Right, focus.Left + TextWidth(Text(item, 0)) + 2 * kLabelPadding);
      SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
      DrawFocusRect(dc, &focus);
    }
    if (itemResult & CDRF_NOTIFYPOSTPAINT) CustomDraw(CDDS_ITEMPOSTPAINT, dc, row, item, 0, nullptr, nullptr);
  }
  if (!Dead() && (exStyle_ & LVS_EX_GRIDLINES)) {
    HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNFACE));
    HGDIOBJ oldPen = SelectObject(dc, pen);
    const int right = std::min(TotalWidth() - scrollX_, static_cast<int>(client.Right));
    for (int y = headerHeight + RowHeight() - 1; y < client.Bottom; y += RowHeight()) {
      MoveToEx(dc, 0, y, nullptr);
      LineTo(dc, right, y);
    }
    for (int c = 0; c < Columns(); ++c) {
      const int x = ColumnLeft(c) - scrollX_ + ColumnWidth(c) - 1;
      MoveToEx(dc, x, headerHeight, nullptr);
      LineTo(dc, x, client.Bottom);
    }
    SelectObject(dc, oldPen);
    DeleteObject(pen);
  }
  if (!Dead() && (whole & CDRF_NOTIFYPOSTPAINT)) CustomDraw(CDDS_POSTPAINT, dc, client, -1, 0, nullptr, nullptr);
  SelectObject(dc, oldFont);
}

LRESULT ListView::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: Create(); return 0;
    case WM_DESTROY:
      labelEdit_.End(false);
      if (!OwnerData() && Count()) DeleteAll();
      return 0;
    case WM_SIZE: Layout(); Invalidate(); return 0;
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
      if (header_) SendMessage(header_, WM_SETFONT, wParam, lParam);
      Layout();
      return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(font_);
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SETFOCUS: focused_ = true; Invalidate(); Notify(NM_SETFOCUS); return 0;
    case WM_KILLFOCUS: focused_ = false; Invalidate(); Notify(NM_KILLFOCUS); return 0;
    case WM_MOUSEMOVE: TrackHover({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}); return 0;
    case WM_MOUSEHOVER: ShowInfoTip({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}); return 0;
    case WM_MOUSELEAVE:
      tip_.Hide();
      tipItem_ = -1;
      tip_.ResetHover();
      return 0;
    case WM_LBUTTONDOWN:
      tip_.Hide();
      Click({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, wParam, NM_CLICK);
      return 0;
    case WM_LBUTTONDBLCLK: Click({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, wParam, NM_DBLCLK); return 0;
    case WM_RBUTTONDOWN: Click({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, wParam, NM_RCLICK); return 0;
    case WM_KEYDOWN:
      tip_.Hide();
      KeyDown(static_cast<UINT>(wParam));
      return 0;
    case WM_MOUSEWHEEL: SetTop(top_ - GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA * 3); return 0;
    case WM_VSCROLL: SetTop(ScrollRequestPosition(window_, ListBar::Vertical, wParam, top_, 1, PageRows(), Count())); return 0;
    case WM_HSCROLL:
      SetScrollX(ScrollRequestPosition(window_, ListBar::Horizontal, wParam, scrollX_, 8, Client().Right, TotalWidth()));
      return 0;
    case WM_DRAWITEM: {
      // Owner-drawn header sections are drawn by our parent.
      auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
      HWND parent = GetParent(window_);
      if (draw && draw->hwndItem == header_ && parent) return SendMessage(parent, WM_DRAWITEM, wParam, lParam);
      break;
    }
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      if (!header || header->hwndFrom != header_) break;
      if (header->code == HDN_ITEMCLICK) {
        NMLISTVIEW click;
        click.iSubItem = reinterpret_cast<NMHEADER*>(lParam)->iItem;
        Notify(LVN_COLUMNCLICK, &click.hdr);
        return 0;
      }
      // The header's notifications go on to our parent, which may refuse a change.
      HWND parent = GetParent(window_);
      const LRESULT result = parent ? SendMessage(parent, WM_NOTIFY, wParam, lParam) : 0;
      if (!Dead() && (header->code == HDN_ITEMCHANGED || header->code == HDN_ENDTRACK)) {
        UpdateScrollBars();
        Invalidate();
      }
      return result;
    }

    case LVM_GETITEMCOUNT: return Count();
    case LVM_SETITEMCOUNT:
      if (OwnerData()) {
        ownerCount_ = std::max(static_cast<int>(wParam), 0);
        for (int i = static_cast<int>(ownerStates_.size()) - 1; i >= ownerCount_; --i) TallyRemove(i, ownerStates_[i]);
        ownerStates_.resize(static_cast<size_t>(ownerCount_));
        if (mark_ >= ownerCount_) mark_ = -1;
        top_ = std::clamp(top_, 0, std::max(Count() - PageRows(), 0));
        UpdateScrollBars();
        Invalidate();
      } else {
        rows_.reserve(wParam);
      }
      return TRUE;
    case LVM_INSERTITEM: return InsertItem(reinterpret_cast<const LVITEM*>(lParam));
    case LVM_SETITEM: return SetItem(reinterpret_cast<const LVITEM*>(lParam));
    case LVM_GETITEM: return GetItem(reinterpret_cast<LVITEM*>(lParam));
    case LVM_SETITEMTEXT: {
      auto* item = reinterpret_cast<LVITEM*>(lParam);
      if (!item) return FALSE;
      LVITEM copy = *item;
      copy.iItem = static_cast<int>(wParam);
      copy.mask = LVIF_TEXT;
      return SetItem(&copy);
    }
    case LVM_GETITEMTEXT: {
      auto* item = reinterpret_cast<LVITEM*>(lParam);
      if (!item || !Valid(static_cast<int>(wParam))) return 0;
      item->iItem = static_cast<int>(wParam);
      item->mask = LVIF_TEXT;
      GetItem(item);
      return item->pszText ? static_cast<LRESULT>(std::strlen(item->pszText)) : 0;
    }
    case LVM_DELETEITEM: return DeleteItem(static_cast<int>(wParam));
    case LVM_DELETEALLITEMS: return DeleteAll();
    case LVM_SETITEMSTATE: {
      auto* item = reinterpret_cast<const LVITEM*>(lParam);
      if (!item) return FALSE;
      const int index = static_cast<int>(static_cast<INT_PTR>(wParam));
      if (index == -1) {
        SetStateAll(item->state, item->stateMask);
        return TRUE;
      }
      return ChangeState(index, item->state, item->stateMask);
    }
    case LVM_GETITEMSTATE: {
      const int i = static_cast<int>(wParam);
      return Valid(i) ? static_cast<LRESULT>(StateOf(i) & static_cast<UINT>(lParam)) : 0;
    }
    case LVM_GETSELECTEDCOUNT: {
      int n = 0;
      for (int i = 0; i < Count(); ++i) n += (StateOf(i) & LVIS_SELECTED) ? 1 : 0;
      return n;
    }
    case LVM_GETNEXTITEM: return NextItem(static_cast<int>(static_cast<INT_PTR>(wParam)), static_cast<UINT>(LOWORD(lParam)));
    case LVM_GETSELECTIONMARK: return mark_;
    case LVM_SETSELECTIONMARK: {
      const int old = mark_;
      mark_ = static_cast<int>(lParam);
      return old;
    }
    case LVM_GETITEMRECT: {
      auto* r = reinterpret_cast<RECT*>(lParam);
      if (!r || !Valid(static_cast<int>(wParam))) return FALSE;
      *r = ItemRect(static_cast<int>(wParam), r->Left);
      return TRUE;
    }
    case LVM_GETSUBITEMRECT: {
      auto* r = reinterpret_cast<RECT*>(lParam);
      if (!r) return FALSE;
      return SubItemRect(static_cast<int>(wParam), r->Top, r->Left, r);
    }
    case LVM_HITTEST: return HitTest(reinterpret_cast<LVHITTESTINFO*>(lParam), false);
    case LVM_SUBITEMHITTEST: return HitTest(reinterpret_cast<LVHITTESTINFO*>(lParam), true);
    case LVM_ENSUREVISIBLE: EnsureVisible(static_cast<int>(wParam), lParam != 0); return Valid(static_cast<int>(wParam));
    case LVM_SCROLL: {
      const int dy = static_cast<int>(lParam);
      const int rows = dy / RowHeight() + (dy % RowHeight() != 0 ? (dy > 0 ? 1 : -1) : 0);
      SetScrollX(scrollX_ + static_cast<int>(wParam));
      SetTop(top_ + rows);
      return TRUE;
    }
    case LVM_GETTOPINDEX: return top_;
    case LVM_GETCOUNTPERPAGE: return PageRows();
    case LVM_GETORIGIN: {
      // Report view has no origin: it scrolls by items.
      if (auto* p = reinterpret_cast<POINT*>(lParam)) *p = POINT{0, 0};
      return FALSE;
    }
    case LVM_GETVIEWRECT: {
      auto* r = reinterpret_cast<RECT*>(lParam);
      if (!r) return FALSE;
      *r = {-scrollX_, -top_ * RowHeight(), TotalWidth() - scrollX_, (Count() - top_) * RowHeight()};
      return TRUE;
    }
    case LVM_REDRAWITEMS:
    case LVM_UPDATE: Invalidate(); return TRUE;
    case LVM_INSERTCOLUMN: return InsertColumn(static_cast<int>(wParam), reinterpret_cast<const LVCOLUMN*>(lParam));
    case LVM_SETCOLUMN: return SetColumn(static_cast<int>(wParam), reinterpret_cast<const LVCOLUMN*>(lParam));
    case LVM_GETCOLUMN: return GetColumn(static_cast<int>(wParam), reinterpret_cast<LVCOLUMN*>(lParam));
    case LVM_DELETECOLUMN: {
      const int i = static_cast<int>(wParam);
      if (i < 0 || i >= Columns()) return FALSE;
      SendMessage(header_, HDM_DELETEITEM, i, 0);
      columns_.erase(columns_.begin() + i);
      Layout();
      Invalidate();
      return TRUE;
    }
    case LVM_GETCOLUMNWIDTH: return ColumnWidth(static_cast<int>(wParam));
    case LVM_SETCOLUMNWIDTH: return SetColumnWidth(static_cast<int>(wParam), static_cast<SHORT>(LOWORD(lParam)));
    case LVM_GETHEADER: return reinterpret_cast<LRESULT>(header_);
    case LVM_GETSTRINGWIDTH: return lParam ? TextWidth(reinterpret_cast<const char*>(lParam)) : 0;
    case LVM_SETEXTENDEDLISTVIEWSTYLE: {
      const DWORD old = exStyle_;
      const DWORD mask = wParam ? static_cast<DWORD>(wParam) : 0xFFFFFFFF;
      exStyle_ = (exStyle_ & ~mask) | (static_cast<DWORD>(lParam) & mask);
      Invalidate();
      return old;
    }
    case LVM_GETEXTENDEDLISTVIEWSTYLE: return exStyle_;
    case LVM_SETHOVERTIME: {
      const int old = hoverTime_;
      hoverTime_ = static_cast<int>(lParam);
      return old;
    }
    case LVM_GETHOVERTIME: return hoverTime_;
    case LVM_SETIMAGELIST: {
      const int which = static_cast<int>(wParam);
      if (which < 0 || which > 2) return 0;
      HIMAGELIST old = images_[which];
      images_[which] = reinterpret_cast<HIMAGELIST>(lParam);
      Invalidate();
      return reinterpret_cast<LRESULT>(old);
    }
    case LVM_GETIMAGELIST: return wParam <= 2 ? reinterpret_cast<LRESULT>(images_[wParam]) : 0;
    case LVM_SETBKCOLOR: back_ = static_cast<COLORREF>(lParam); Invalidate(); return TRUE;
    case LVM_GETBKCOLOR: return back_ == kDefaultColour ? GetSysColor(COLOR_WINDOW) : back_;
    case LVM_SETTEXTCOLOR: text_ = static_cast<COLORREF>(lParam); Invalidate(); return TRUE;
    case LVM_GETTEXTCOLOR: return text_ == kDefaultColour ? GetSysColor(COLOR_WINDOWTEXT) : text_;
    case LVM_SETTEXTBKCOLOR: textBack_ = static_cast<COLORREF>(lParam); Invalidate(); return TRUE;
    case LVM_GETTEXTBKCOLOR: return textBack_;
    case LVM_EDITLABEL: return reinterpret_cast<LRESULT>(EditLabel(static_cast<int>(static_cast<INT_PTR>(wParam))));
    case LVM_GETEDITCONTROL: return reinterpret_cast<LRESULT>(labelEdit_.Window());
    default: break;
  }
  return DefWindowProc(window_, message, wParam, lParam);
}

}  // namespace

void ListViewRegister() {
  RegisterListControlClass(WC_LISTVIEW, ListControlProc<ListView>, CS_DBLCLKS, COLOR_WINDOW);
  ListInfoTipRegister();
}
