// TCustomListView: columns, items and owner data over the SysListView32 window class.

#include <algorithm>
#include <cstring>

#include "controls/OwnerDraw.h"
#include "rtl/Lists.h"
#include "rtl/SysUtils.h"
#include "vcl/ComCtrls.h"

namespace {
// Copies Text into a notification's buffer, cut on a character boundary.
void CopyToBuffer(const String& Text, char* Buffer, int Size) {
  if (!Buffer || Buffer == LPSTR_TEXTCALLBACK || Size <= 0) return;
  StrPLCopy(Buffer, Text, static_cast<Cardinal>(Size - 1));
}

constexpr int kColumnFormats[] = {LVCFMT_LEFT, LVCFMT_RIGHT, LVCFMT_CENTER};

// The check box of a row is its state image: 1 unchecked, 2 checked.
constexpr UINT kUnchecked = 1U << 12;
constexpr UINT kChecked = 2U << 12;

TCustomDrawState DrawStateOf(UINT ItemState) {
  TCustomDrawState state;
  if (ItemState & CDIS_SELECTED) state.Include(cdsSelected);
  if (ItemState & CDIS_FOCUS) state.Include(cdsFocused);
  if (ItemState & CDIS_HOT) state.Include(cdsHot);
  if (ItemState & CDIS_CHECKED) state.Include(cdsChecked);
  if (ItemState & CDIS_DISABLED) state.Include(cdsDisabled);
  return state;
}

TItemStates ItemStatesOf(UINT State) {
  TItemStates states;
  if (State & LVIS_CUT) states.Include(isCut);
  if (State & LVIS_DROPHILITED) states.Include(isDropHilited);
  if (State & LVIS_FOCUSED) states.Include(isFocused);
  if (State & LVIS_SELECTED) states.Include(isSelected);
  return states;
}
}  // namespace

// ---- Icon options -------------------------------------------------------------------------------

void TIconOptions::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TIconOptions*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  FArrangement = source->FArrangement;
  FAutoArrange = source->FAutoArrange;
  FWrapText = source->FWrapText;
  FListView->UpdateIconStyles();
}

void TIconOptions::SetArrangement(TIconArrangement Value) {
  FArrangement = Value;
  FListView->UpdateIconStyles();
}

void TIconOptions::SetAutoArrange(bool Value) {
  FAutoArrange = Value;
  FListView->UpdateIconStyles();
}

void TIconOptions::SetWrapText(bool Value) {
  FWrapText = Value;
  FListView->UpdateIconStyles();
}

// ---- Columns ------------------------------------------------------------------------------------

TListColumn::TListColumn(TCollection* Collection) : TCollectionItem(Collection) {}

void TListColumn::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TListColumn*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  FCaption = source->FCaption;
  FWidth = source->FWidth;
  FAlignment = source->FAlignment;
  FImageIndex = source->FImageIndex;
  Changed(false);
}

void TListColumn::SetImageIndex(Integer Value) {
  FImageIndex = Value;
  Changed(false);
}

String TListColumn::GetDisplayName() { return FCaption.empty() ? inherited::GetDisplayName() : FCaption; }

void TListColumn::SetCaption(const String& Value) {
  FCaption = Value;
  Changed(false);
}

Integer TListColumn::GetWidth() {
  // The user may have dragged the divider: the window knows the width now.
  auto* columns = static_cast<TListColumns*>(GetCollection());
  if (columns && columns->GetOwner()->Window())
    FWidth = static_cast<Integer>(SendMessage(columns->GetOwner()->Window(), LVM_GETCOLUMNWIDTH, GetIndex(), 0));
  return FWidth;
}

void TListColumn::SetWidth(Integer Value) {
  FWidth = Value;
  Changed(false);
}

void TListColumn::SetAlignment(TAlignment Value) {
  FAlignment = Value;
  Changed(false);
}

TListColumns::TListColumns(TCustomListView* AOwner)
    : TOwnedCollection(AOwner, TListColumn::ClassInfo()), FListView(AOwner) {}

void TListColumns::Update(TCollectionItem* Item) {
  if (Item)
    FListView->UpdateColumn(Item->GetIndex());
  else
    FListView->UpdateColumns();
}

// ---- Items --------------------------------------------------------------------------------------

TListItem::TListItem(TListItems* AOwner) : FOwner(AOwner), FSubItems(std::make_unique<TStringList>()) {
  FSubItems->SetOnChange(MakeEvent<&TListItem::SubItemsChanged>(this));
}

TListItem::~TListItem() { FSubItems->SetOnChange(nullptr); }

void TListItem::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TListItem*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  SetCaption(source->FCaption);
  FData = source->FData;
  SetImageIndex(source->FImageIndex);
  FSubItems->Assign(source->FSubItems.get());
}

TCustomListView* TListItem::GetListView() const { return FOwner->GetOwner(); }

Integer TListItem::GetIndex() const { return FIndex >= 0 ? FIndex : FOwner->IndexOf(this); }

void TListItem::SetCaption(const String& Value) {
  FCaption = Value;
  HWND window = GetListView()->Window();
  Integer index = GetIndex();
  if (!window || index < 0 || GetListView()->GetOwnerData()) return;
  LVITEM item;
  item.iSubItem = 0;
  item.pszText = const_cast<char*>(FCaption.c_str());
  SendMessage(window, LVM_SETITEMTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

void TListItem::SetImageIndex(Integer Value) {
  FImageIndex = Value;
  HWND window = GetListView()->Window();
  Integer index = GetIndex();
  if (!window || index < 0 || GetListView()->GetOwnerData()) return;
  LVITEM item;
  item.mask = LVIF_IMAGE;
  item.iItem = index;
  item.iImage = Value;
  SendMessage(window, LVM_SETITEM, 0, reinterpret_cast<LPARAM>(&item));
}

void TListItem::SubItemsChanged(TObject*) {
  HWND window = GetListView()->Window();
  Integer index = GetIndex();
  if (!window || index < 0 || GetListView()->GetOwnerData()) return;
  // Every column beyond the first shows its sub-item, or nothing once the sub-item is gone.
  Integer count = std::max(FSubItems->GetCount(), GetListView()->GetColumns()->GetCount() - 1);
  for (Integer i = 0; i < count; ++i) {
    String text = i < FSubItems->GetCount() ? FSubItems->GetStrings(i) : String();
    LVITEM item;
    item.iSubItem = i + 1;
    item.pszText = const_cast<char*>(text.c_str());
    SendMessage(window, LVM_SETITEMTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  }
}

bool TListItem::GetChecked() {
  HWND window = GetListView()->Window();
  Integer index = GetIndex();
  UINT state = FStates;
  if (window && index >= 0) state = static_cast<UINT>(SendMessage(window, LVM_GETITEMSTATE, static_cast<WPARAM>(index), LVIS_STATEIMAGEMASK));
  return (state & LVIS_STATEIMAGEMASK) == kChecked;
}

void TListItem::SetChecked(bool Value) {
  FStates = (FStates & ~LVIS_STATEIMAGEMASK) | (Value ? kChecked : kUnchecked);
  HWND window = GetListView()->Window();
  Integer index = GetIndex();
  if (!window || index < 0) return;
  LVITEM item;
  item.stateMask = LVIS_STATEIMAGEMASK;
  item.state = Value ? kChecked : kUnchecked;
  SendMessage(window, LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

bool TListItem::GetState(UINT State) {
  HWND window = GetListView()->Window();
  Integer index = GetIndex();
  if (!window || index < 0) return (FStates & State) != 0;
  return (SendMessage(window, LVM_GETITEMSTATE, static_cast<WPARAM>(index), State) & State) != 0;
}

void TListItem::SetState(UINT State, bool Value) {
  FStates = Value ? FStates | State : FStates & ~State;
  HWND window = GetListView()->Window();
  Integer index = GetIndex();
  if (!window || index < 0) return;
  LVITEM item;
  item.stateMask = State;
  item.state = Value ? State : 0;
  SendMessage(window, LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

void TListItem::Delete() {
  Integer index = GetIndex();
  if (index >= 0) FOwner->Delete(index);
}

void TListItem::MakeVisible(bool PartialOK) {
  if (HWND window = GetListView()->Window()) SendMessage(window, LVM_ENSUREVISIBLE, GetIndex(), PartialOK);
}

TRect TListItem::DisplayRect(TDisplayCode Code) {
  static constexpr int kCodes[] = {LVIR_BOUNDS, LVIR_ICON, LVIR_LABEL, LVIR_SELECTBOUNDS};
  RECT rect{kCodes[Code], 0, 0, 0};
  if (SendMessage(GetListView()->GetHandle(), LVM_GETITEMRECT, static_cast<WPARAM>(GetIndex()),
                  reinterpret_cast<LPARAM>(&rect)) == 0)
    return TRect{};
  return rect;
}

TListItems::TListItems(TCustomListView* AOwner) : FOwner(AOwner), FTempItem(std::make_unique<TListItem>(this)) {}

TListItems::~TListItems() = default;

Integer TListItems::GetCount() const {
  return FOwner->GetOwnerData() ? FOwnerDataCount : static_cast<Integer>(FItems.size());
}

void TListItems::SetCount(Integer Value) {
  if (!FOwner->GetOwnerData()) return;
  FOwnerDataCount = std::max(Value, 0);
  if (HWND window = FOwner->Window()) SendMessage(window, LVM_SETITEMCOUNT, static_cast<WPARAM>(FOwnerDataCount), 0);
}

Integer TListItems::IndexOf(const TListItem* Item) const {
  for (size_t i = 0; i < FItems.size(); ++i)
    if (FItems[i].get() == Item) return static_cast<Integer>(i);
  return -1;
}

TListItem* TListItems::Insert(Integer Index) {
  if (FOwner->GetOwnerData()) throw EListError("An owner-data list view holds no items: set its count");
  if (Index < 0 || Index > GetCount()) ListIndexError(Index);
  TListItemClass itemClass = TListItem::ClassInfo();
  FOwner->FOnCreateItemClass(FOwner, itemClass);
  FItems.insert(FItems.begin() + Index, std::unique_ptr<TListItem>(itemClass.Create(this)));
  TListItem* item = FItems[static_cast<size_t>(Index)].get();
  if (FOwner->Window()) FOwner->InsertItemWindow(item, Index);
  FOwner->FOnInsert(FOwner, item);
  return item;
}

void TListItems::Delete(Integer Index) {
  if (Index < 0 || Index >= GetCount()) ListIndexError(Index);
  if (FOwner->GetOwnerData()) {
    SetCount(GetCount() - 1);
    return;
  }
  FOwner->FOnDeletion(FOwner, FItems[static_cast<size_t>(Index)].get());
  // The handler may have changed the list.
  if (Index >= GetCount()) return;
  if (HWND window = FOwner->Window()) SendMessage(window, LVM_DELETEITEM, static_cast<WPARAM>(Index), 0);
  FItems.erase(FItems.begin() + Index);
}

void TListItems::Clear() {
  if (FOwner->GetOwnerData()) {
    SetCount(0);
    return;
  }
  BeginUpdate();
  try {
    while (!FItems.empty()) Delete(GetCount() - 1);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TListItems::BeginUpdate() {
  if (FUpdateCount++ == 0)
    if (HWND window = FOwner->Window()) SendMessage(window, WM_SETREDRAW, FALSE, 0);
}

void TListItems::EndUpdate() {
  if (FUpdateCount == 0 || --FUpdateCount > 0) return;
  if (HWND window = FOwner->Window()) {
    SendMessage(window, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(window, nullptr, TRUE);
  }
}

TListItem* TListItems::GetItem(Integer Index) {
  if (Index < 0 || Index >= GetCount()) ListIndexError(Index);
  if (!FOwner->GetOwnerData()) return FItems[static_cast<size_t>(Index)].get();
  TListItem* item = FTempItem.get();
  item->FIndex = -1;  // not a row while it is being cleared
  item->FCaption.clear();
  item->FSubItems->Clear();
  item->FImageIndex = -1;
  item->FData = nullptr;
  item->FIndex = Index;
  FOwner->OwnerDataFetch(item);
  return item;
}

// ---- List view ----------------------------------------------------------------------------------

TAVREN_MESSAGE_TABLE(TCustomListView, MESSAGE_HANDLER(CN_NOTIFY, CNNotify), MESSAGE_HANDLER(CN_DRAWITEM, CNDrawItem))

TCustomListView::TCustomListView(TComponent* AOwner)
    : TWinControl(AOwner),
      FColumns(std::make_unique<TListColumns>(this)),
      FItems(std::make_unique<TListItems>(this)),
      FCanvas(std::make_unique<TCanvas>()),
      FIconOptions(std::make_unique<TIconOptions>(this)) {
  // The list window tracks a press itself (it waits for the release or a drag before it
  // answers), so the release never reaches the control: capturing here would keep the mouse
  // from every other window until the next release.
  FControlStyle = TControlStyle{csDoubleClicks};
  SetBounds(0, 0, 250, 150);
  SetTabStop(true);
  FParentColor = false;
  SetColor(clWindow);
}

TCustomListView::~TCustomListView() {
  // Items outlive the window's last notifications.
  if (HandleAllocated()) DestroyHandle();
}

void TCustomListView::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  CreateSubClass(Params, WC_LISTVIEW);
  static constexpr DWORD kViews[] = {LVS_ICON, LVS_SMALLICON, LVS_LIST, LVS_REPORT};
  Params.Style |= LVS_SHAREIMAGELISTS | kViews[FViewStyle];
  if (!FShowColumnHeaders) Params.Style |= LVS_NOCOLUMNHEADER;
  if (!FColumnClick) Params.Style |= LVS_NOSORTHEADER;
  if (!FReadOnly) Params.Style |= LVS_EDITLABELS;
  if (!FHideSelection) Params.Style |= LVS_SHOWSELALWAYS;
  if (!FMultiSelect) Params.Style |= LVS_SINGLESEL;
  if (FOwnerData) Params.Style |= LVS_OWNERDATA;
  if (FOwnerDraw) Params.Style |= LVS_OWNERDRAWFIXED;
  if (FIconOptions->GetArrangement() == TIconArrangement::iaLeft) Params.Style |= LVS_ALIGNLEFT;
  if (FIconOptions->GetAutoArrange()) Params.Style |= LVS_AUTOARRANGE;
  if (!FIconOptions->GetWrapText()) Params.Style |= LVS_NOLABELWRAP;
  if (FBorderStyle == bsSingle) {
    if (GetCtl3D())
      Params.ExStyle |= WS_EX_CLIENTEDGE;
    else
      Params.Style |= WS_BORDER;
  }
}

void TCustomListView::CreateWnd() {
  inherited::CreateWnd();
  UpdateExtendedStyle();
  if (FSmallImages)
    SendMessage(FHandle, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(FSmallImages->GetHandle()));
  if (FLargeImages)
    SendMessage(FHandle, LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(FLargeImages->GetHandle()));
  if (FStateImages)
    SendMessage(FHandle, LVM_SETIMAGELIST, LVSIL_STATE, reinterpret_cast<LPARAM>(FStateImages->GetHandle()));
  if (FHoverTime != -1) SendMessage(FHandle, LVM_SETHOVERTIME, 0, FHoverTime);
  UpdateColumns();
  if (FOwnerData) {
    SendMessage(FHandle, LVM_SETITEMCOUNT, static_cast<WPARAM>(FItems->FOwnerDataCount), 0);
    return;
  }
  for (size_t i = 0; i < FItems->FItems.size(); ++i) InsertItemWindow(FItems->FItems[i].get(), static_cast<Integer>(i));
}

void TCustomListView::DestroyWnd() {
  // The items keep their selection and focus for the next window.
  if (!FOwnerData) {
    for (size_t i = 0; i < FItems->FItems.size(); ++i)
      FItems->FItems[i]->FStates =
          static_cast<UINT>(SendMessage(FHandle, LVM_GETITEMSTATE, i, LVIS_SELECTED | LVIS_FOCUSED | LVIS_STATEIMAGEMASK));
  }
  for (Integer i = 0; i < FColumns->GetCount(); ++i) FColumns->GetItems(i)->GetWidth();
  inherited::DestroyWnd();
}

void TCustomListView::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FSmallImages) SetSmallImages(nullptr);
  if (AComponent == FLargeImages) SetLargeImages(nullptr);
  if (AComponent == FStateImages) SetStateImages(nullptr);
}

void TCustomListView::UpdateColumns() {
  if (!Window()) return;
  while (SendMessage(FHandle, LVM_DELETECOLUMN, 0, 0)) {
  }
  for (Integer i = 0; i < FColumns->GetCount(); ++i) {
    TListColumn* column = FColumns->GetItems(i);
    LVCOLUMN info;
    info.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_IMAGE;
    info.fmt = kColumnFormats[column->FAlignment];
    info.cx = column->FWidth;
    info.iImage = column->FImageIndex;
    info.pszText = const_cast<char*>(column->FCaption.c_str());
    SendMessage(FHandle, LVM_INSERTCOLUMN, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&info));
  }
}

void TCustomListView::UpdateColumn(Integer Index) {
  if (!Window() || Index < 0 || Index >= FColumns->GetCount()) return;
  TListColumn* column = FColumns->GetItems(Index);
  LVCOLUMN info;
  info.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_IMAGE;
  info.fmt = kColumnFormats[column->FAlignment];
  info.cx = column->FWidth;
  info.iImage = column->FImageIndex;
  info.pszText = const_cast<char*>(column->FCaption.c_str());
  SendMessage(FHandle, LVM_SETCOLUMN, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&info));
}

void TCustomListView::InsertItemWindow(TListItem* Item, Integer Index) {
  LVITEM info;
  info.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM | LVIF_STATE;
  info.iItem = Index;
  info.pszText = const_cast<char*>(Item->FCaption.c_str());
  info.iImage = Item->FImageIndex;
  info.lParam = reinterpret_cast<LPARAM>(Item);
  info.state = Item->FStates;
  if (FCheckboxes && !(info.state & LVIS_STATEIMAGEMASK)) info.state |= kUnchecked;
  info.stateMask = LVIS_SELECTED | LVIS_FOCUSED | LVIS_STATEIMAGEMASK;
  SendMessage(FHandle, LVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&info));
  Item->SubItemsChanged(nullptr);
}

void TCustomListView::UpdateExtendedStyle() {
  if (!Window()) return;
  DWORD styles = (FGridLines ? LVS_EX_GRIDLINES : 0) | (FRowSelect ? LVS_EX_FULLROWSELECT : 0) |
                 (FCheckboxes ? LVS_EX_CHECKBOXES : 0) | (FHotTrack ? LVS_EX_TRACKSELECT : 0) | LVS_EX_INFOTIP;
  SendMessage(FHandle, LVM_SETEXTENDEDLISTVIEWSTYLE,
              LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_CHECKBOXES | LVS_EX_TRACKSELECT | LVS_EX_INFOTIP, styles);
}

void TCustomListView::UpdateIconStyles() {
  UpdateStyle(LVS_ALIGNLEFT, FIconOptions->GetArrangement() == TIconArrangement::iaLeft);
  UpdateStyle(LVS_AUTOARRANGE, FIconOptions->GetAutoArrange());
  UpdateStyle(LVS_NOLABELWRAP, !FIconOptions->GetWrapText());
}

void TCustomListView::UpdateStyle(DWORD Flag, bool On) {
  if (!Window()) return;
  DWORD style = static_cast<DWORD>(GetWindowLong(FHandle, GWL_STYLE));
  SetWindowLong(FHandle, GWL_STYLE, static_cast<LONG>(On ? style | Flag : style & ~Flag));
  InvalidateRect(FHandle, nullptr, TRUE);
}

void TCustomListView::SetViewStyle(TViewStyle Value) {
  if (FViewStyle == Value) return;
  FViewStyle = Value;
  RecreateWnd();
}

void TCustomListView::SetGridLines(bool Value) {
  FGridLines = Value;
  UpdateExtendedStyle();
}

void TCustomListView::SetRowSelect(bool Value) {
  FRowSelect = Value;
  UpdateExtendedStyle();
}

void TCustomListView::SetReadOnly(bool Value) {
  FReadOnly = Value;
  UpdateStyle(LVS_EDITLABELS, !Value);
}

void TCustomListView::SetHideSelection(bool Value) {
  FHideSelection = Value;
  UpdateStyle(LVS_SHOWSELALWAYS, !Value);
}

void TCustomListView::SetMultiSelect(bool Value) {
  FMultiSelect = Value;
  UpdateStyle(LVS_SINGLESEL, !Value);
}

void TCustomListView::SetOwnerData(bool Value) {
  if (FOwnerData == Value) return;
  FItems->Clear();
  FOwnerData = Value;
  FItems->FOwnerDataCount = 0;
  RecreateWnd();
}

void TCustomListView::SetShowColumnHeaders(bool Value) {
  FShowColumnHeaders = Value;
  UpdateStyle(LVS_NOCOLUMNHEADER, !Value);
}

void TCustomListView::SetColumnClick(bool Value) {
  FColumnClick = Value;
  UpdateStyle(LVS_NOSORTHEADER, !Value);
}

void TCustomListView::SetBorderStyle(TFormBorderStyle Value) {
  if (FBorderStyle == Value) return;
  FBorderStyle = Value;
  RecreateWnd();
}

void TCustomListView::SetAllocBy(Integer Value) {
  FAllocBy = Value;
  // Room for that many rows at once; owner data sets its count instead.
  if (Window() && !FOwnerData && Value > 0) SendMessage(FHandle, LVM_SETITEMCOUNT, static_cast<WPARAM>(Value), 0);
}

void TCustomListView::SetCheckboxes(bool Value) {
  FCheckboxes = Value;
  UpdateExtendedStyle();
}

void TCustomListView::SetHotTrack(bool Value) {
  FHotTrack = Value;
  UpdateExtendedStyle();
}

Integer TCustomListView::GetHoverTime() {
  if (Window()) FHoverTime = static_cast<Integer>(SendMessage(FHandle, LVM_GETHOVERTIME, 0, 0));
  return FHoverTime;
}

void TCustomListView::SetHoverTime(Integer Value) {
  FHoverTime = Value;
  if (Window()) SendMessage(FHandle, LVM_SETHOVERTIME, 0, Value);
}

Integer TCustomListView::GetItemIndex() {
  TListItem* selected = GetSelected();
  return selected ? selected->GetIndex() : -1;
}

void TCustomListView::SetItemIndex(Integer Value) {
  if (Value < 0 || Value >= FItems->GetCount()) {
    ClearSelection();
    return;
  }
  FItems->GetItem(Value)->SetSelected(true);
}

void TCustomListView::SetLargeImages(TCustomImageList* Value) {
  if (FLargeImages) FLargeImages->RemoveFreeNotification(this);
  FLargeImages = Value;
  if (Value) Value->FreeNotification(this);
  if (Window())
    SendMessage(FHandle, LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(Value ? Value->GetHandle() : nullptr));
}

void TCustomListView::SetStateImages(TCustomImageList* Value) {
  if (FStateImages) FStateImages->RemoveFreeNotification(this);
  FStateImages = Value;
  if (Value) Value->FreeNotification(this);
  if (Window())
    SendMessage(FHandle, LVM_SETIMAGELIST, LVSIL_STATE, reinterpret_cast<LPARAM>(Value ? Value->GetHandle() : nullptr));
}

void TCustomListView::SetOwnerDraw(bool Value) {
  FOwnerDraw = Value;
  UpdateStyle(LVS_OWNERDRAWFIXED, Value);
}

void TCustomListView::SetSortType(TSortType Value) {
  if (FSortType == Value) return;
  FSortType = Value;
  if (Value != stNone) AlphaSort();
}

void TCustomListView::SortItems(const TLVCompareEvent& Compare, Integer Data) {
  auto& items = FItems->FItems;
  // The window's rows follow the new order: selection and checks go with their items.
  if (Window())
    for (size_t i = 0; i < items.size(); ++i)
      items[i]->FStates = static_cast<UINT>(
          SendMessage(FHandle, LVM_GETITEMSTATE, i, LVIS_SELECTED | LVIS_FOCUSED | LVIS_STATEIMAGEMASK));
  std::stable_sort(items.begin(), items.end(), [&](const auto& a, const auto& b) {
    Integer result = 0;
    if (Compare)
      Compare(this, a.get(), b.get(), Data, result);
    else
      result = AnsiCompareText(a->FCaption, b->FCaption);
    return result < 0;
  });
  if (!Window()) return;
  FItems->BeginUpdate();
  SendMessage(FHandle, LVM_DELETEALLITEMS, 0, 0);
  for (size_t i = 0; i < items.size(); ++i) InsertItemWindow(items[i].get(), static_cast<Integer>(i));
  FItems->EndUpdate();
}

bool TCustomListView::AlphaSort() {
  if (FOwnerData) return false;
  SortItems(FOnCompare, 0);
  return true;
}

bool TCustomListView::CustomSort(TLVCompareEvent Compare, Integer Data) {
  if (FOwnerData) return false;
  SortItems(Compare ? Compare : FOnCompare, Data);
  return true;
}

void TCustomListView::DeleteSelected() {
  if (FOwnerData) return;
  FItems->BeginUpdate();
  try {
    for (Integer i = FItems->GetCount() - 1; i >= 0; --i)
      if (i < FItems->GetCount() && FItems->GetItem(i)->GetSelected()) FItems->Delete(i);
  } catch (...) {
    FItems->EndUpdate();
    throw;
  }
  FItems->EndUpdate();
}

bool TCustomListView::CanEdit(TListItem* Item) {
  bool allow = !FReadOnly;
  if (allow) FOnEditing(this, Item, allow);
  return allow;
}

bool TCustomListView::CanChange(TListItem* Item, TItemChange Change) {
  bool allow = true;
  FOnChanging(this, Item, Change, allow);
  return allow;
}

void TCustomListView::Edit(const LVITEM& Item) {
  TListItem* item = ItemOf(Item.iItem);
  if (!Item.pszText || !item) return;
  String text = Item.pszText;
  FOnEdited(this, item, text);
  // The handler may change the text; the item takes what it leaves.
  if (!FOwnerData) item->SetCaption(text);
}

void TCustomListView::SetSmallImages(TCustomImageList* Value) {
  if (FSmallImages) FSmallImages->RemoveFreeNotification(this);
  FSmallImages = Value;
  if (Value) Value->FreeNotification(this);
  if (Window())
    SendMessage(FHandle, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(Value ? Value->GetHandle() : nullptr));
}

TListItem* TCustomListView::ItemOf(int Index) {
  if (Index < 0 || Index >= FItems->GetCount()) return nullptr;
  return FItems->GetItem(Index);
}

TListItem* TCustomListView::GetItemAt(Integer X, Integer Y) {
  LVHITTESTINFO info;
  info.pt = {X, Y};
  int index = static_cast<int>(SendMessage(GetHandle(), LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)));
  if (index < 0 || !(info.flags & LVHT_ONITEM)) return nullptr;
  return ItemOf(index);
}

TListItem* TCustomListView::GetSelected() {
  if (!Window()) {
    for (auto& item : FItems->FItems)
      if (item->FStates & LVIS_SELECTED) return item.get();
    return nullptr;
  }
  return ItemOf(static_cast<int>(SendMessage(FHandle, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED)));
}

void TCustomListView::SetSelected(TListItem* Value) {
  if (Value)
    Value->SetSelected(true);
  else
    ClearSelection();
}

TListItem* TCustomListView::GetItemFocused() {
  if (!Window()) {
    for (auto& item : FItems->FItems)
      if (item->FStates & LVIS_FOCUSED) return item.get();
    return nullptr;
  }
  return ItemOf(static_cast<int>(SendMessage(FHandle, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED)));
}

void TCustomListView::SetItemFocused(TListItem* Value) {
  if (Value) Value->SetFocused(true);
}

Integer TCustomListView::GetSelCount() {
  if (!Window()) {
    return static_cast<Integer>(std::count_if(FItems->FItems.begin(), FItems->FItems.end(),
                                              [](auto& item) { return (item->FStates & LVIS_SELECTED) != 0; }));
  }
  return static_cast<Integer>(SendMessage(FHandle, LVM_GETSELECTEDCOUNT, 0, 0));
}

void TCustomListView::ClearSelection() {
  for (auto& item : FItems->FItems) item->FStates &= ~LVIS_SELECTED;
  if (!Window()) return;
  LVITEM info;
  info.stateMask = LVIS_SELECTED;
  info.state = 0;
  SendMessage(FHandle, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&info));
}

TListItem* TCustomListView::GetTopItem() {
  return ItemOf(static_cast<int>(SendMessage(GetHandle(), LVM_GETTOPINDEX, 0, 0)));
}

Integer TCustomListView::GetVisibleRowCount() {
  return static_cast<Integer>(SendMessage(GetHandle(), LVM_GETCOUNTPERPAGE, 0, 0));
}

void TCustomListView::Scroll(Integer DX, Integer DY) { SendMessage(GetHandle(), LVM_SCROLL, DX, DY); }

bool TCustomListView::IsEditing() { return Window() && SendMessage(FHandle, LVM_GETEDITCONTROL, 0, 0) != 0; }

void TCustomListView::FillDispInfo(NMLVDISPINFO* Info) {
  TListItem* item = ItemOf(Info->item.iItem);
  if (!item) return;
  if (Info->item.mask & LVIF_TEXT) {
    int sub = Info->item.iSubItem;
    FDispText = sub == 0 ? item->FCaption
                         : sub - 1 < item->FSubItems->GetCount() ? item->FSubItems->GetStrings(sub - 1) : String();
    CopyToBuffer(FDispText, Info->item.pszText, Info->item.cchTextMax);
  }
  if ((Info->item.mask & LVIF_IMAGE) && Info->item.iSubItem == 0) {
    FOnGetImageIndex(this, item);
    Info->item.iImage = item->FImageIndex;
  }
}

LRESULT TCustomListView::CustomDrawNotify(NMLVCUSTOMDRAW* Draw) {
  const DWORD stage = Draw->nmcd.dwDrawStage;
  const bool wantsItems = FOnCustomDrawItem || FOnAdvancedCustomDrawItem || FOnCustomDrawSubItem ||
                          FOnAdvancedCustomDrawSubItem;
  const bool wantsSubItems = FOnCustomDrawSubItem || FOnAdvancedCustomDrawSubItem;
  FCanvas->SetHandle(Draw->nmcd.hdc);
  FCanvas->SetFont(GetFont());
  FCanvas->GetBrush()->SetColor(GetColor());
  bool defaultDraw = true;
  LRESULT result = CDRF_DODEFAULT;
  const TRect rect = Draw->nmcd.rc;
  if (stage == CDDS_PREPAINT) {
    FOnCustomDraw(this, rect, defaultDraw);
    if (defaultDraw) FOnAdvancedCustomDraw(this, rect, cdPrePaint, defaultDraw);
    result = !defaultDraw ? CDRF_SKIPDEFAULT
                          : (wantsItems ? CDRF_NOTIFYITEMDRAW : 0) | (FOnAdvancedCustomDraw ? CDRF_NOTIFYPOSTPAINT : 0);
  } else if (stage == CDDS_POSTPAINT) {
    FOnAdvancedCustomDraw(this, rect, cdPostPaint, defaultDraw);
  } else {
    TListItem* item = ItemOf(static_cast<int>(Draw->nmcd.dwItemSpec));
    const TCustomDrawState state = DrawStateOf(Draw->nmcd.uItemState);
    if (item && stage == CDDS_ITEMPREPAINT) {
      FOnCustomDrawItem(this, item, state, defaultDraw);
      if (defaultDraw) FOnAdvancedCustomDrawItem(this, item, state, cdPrePaint, defaultDraw);
      result = !defaultDraw ? CDRF_SKIPDEFAULT
                            : CDRF_NEWFONT | (wantsSubItems ? CDRF_NOTIFYSUBITEMDRAW : 0) |
                                  (FOnAdvancedCustomDrawItem ? CDRF_NOTIFYPOSTPAINT : 0);
    } else if (item && stage == CDDS_ITEMPOSTPAINT) {
      FOnAdvancedCustomDrawItem(this, item, state, cdPostPaint, defaultDraw);
    } else if (item && stage == (CDDS_ITEMPREPAINT | CDDS_SUBITEM)) {
      FOnCustomDrawSubItem(this, item, Draw->iSubItem, state, defaultDraw);
      if (defaultDraw) FOnAdvancedCustomDrawSubItem(this, item, Draw->iSubItem, state, cdPrePaint, defaultDraw);
      result = defaultDraw ? CDRF_NEWFONT : CDRF_SKIPDEFAULT;
    }
    if (result & CDRF_NEWFONT) {
      Draw->clrText = ColorToRGB(FCanvas->GetFont()->GetColor());
      Draw->clrTextBk = ColorToRGB(FCanvas->GetBrush()->GetColor());
    }
  }
  FCanvas->SetHandle(nullptr);
  return result;
}

void TCustomListView::CNNotify(TMessage& Message) {
  auto* header = reinterpret_cast<NMHDR*>(Message.LParam);
  switch (header->code) {
    case LVN_GETDISPINFO: FillDispInfo(reinterpret_cast<NMLVDISPINFO*>(header)); break;
    case LVN_ITEMCHANGING: {
      auto* change = reinterpret_cast<NMLISTVIEW*>(header);
      bool allow = true;
      if (change->uChanged & LVIF_STATE)
        if (TListItem* item = ItemOf(change->iItem)) FOnChanging(this, item, ctState, allow);
      Message.Result = allow ? 0 : 1;
      break;
    }
    case LVN_ITEMCHANGED: {
      auto* change = reinterpret_cast<NMLISTVIEW*>(header);
      if (!(change->uChanged & LVIF_STATE)) break;
      // A change of every row at once names no item; handlers are given items only.
      TListItem* item = ItemOf(change->iItem);
      if (!item) break;
      FOnChange(this, item, ctState);
      if ((change->uOldState ^ change->uNewState) & LVIS_SELECTED)
        FOnSelectItem(this, ItemOf(change->iItem), (change->uNewState & LVIS_SELECTED) != 0);
      break;
    }
    case LVN_COLUMNCLICK: {
      auto* click = reinterpret_cast<NMLISTVIEW*>(header);
      if (click->iSubItem >= 0 && click->iSubItem < FColumns->GetCount())
        FOnColumnClick(this, FColumns->GetItems(click->iSubItem));
      break;
    }
    case LVN_BEGINLABELEDIT: {
      auto* info = reinterpret_cast<NMLVDISPINFO*>(header);
      Message.Result = CanEdit(ItemOf(info->item.iItem)) ? 0 : 1;
      break;
    }
    case LVN_ENDLABELEDIT: {
      auto* info = reinterpret_cast<NMLVDISPINFO*>(header);
      TListItem* item = ItemOf(info->item.iItem);
      if (info->item.pszText && item && CanChange(item, ctText)) Edit(info->item);
      break;
    }
    case LVN_ODCACHEHINT: {
      auto* hint = reinterpret_cast<NMLVCACHEHINT*>(header);
      FOnDataHint(this, hint->iFrom, hint->iTo);
      break;
    }
    case LVN_ODSTATECHANGED: {
      auto* change = reinterpret_cast<NMLVODSTATECHANGE*>(header);
      FOnDataStateChange(this, change->iFrom, change->iTo, ItemStatesOf(change->uOldState),
                         ItemStatesOf(change->uNewState));
      break;
    }
    case LVN_ODFINDITEM: {
      auto* find = reinterpret_cast<NMLVFINDITEM*>(header);
      Integer index = -1;
      const String text = find->lvfi.psz ? find->lvfi.psz : "";
      TItemFind kind = (find->lvfi.flags & LVFI_PARAM) ? ifData
                       : (find->lvfi.flags & LVFI_PARTIAL) ? ifPartialString : ifExactString;
      FOnDataFind(this, kind, text, TPoint(), reinterpret_cast<void*>(find->lvfi.lParam), find->iStart, sdAll,
                  (find->lvfi.flags & LVFI_WRAP) != 0, index);
      Message.Result = index;
      break;
    }
    case LVN_GETINFOTIP: {
      auto* tip = reinterpret_cast<NMLVGETINFOTIP*>(header);
      if (!FOnInfoTip) break;
      String text;
      FOnInfoTip(this, ItemOf(tip->iItem), text);
      CopyToBuffer(text, tip->pszText, tip->cchTextMax);
      break;
    }
    case NM_CLICK: Click(); break;
    case NM_DBLCLK: DblClick(); break;
    case NM_CUSTOMDRAW: Message.Result = CustomDrawNotify(reinterpret_cast<NMLVCUSTOMDRAW*>(header)); break;
  }
}

void TCustomListView::CNDrawItem(TMessage& Message) {
  auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam);
  TListItem* item = ItemOf(static_cast<int>(draw->itemID));
  if (!item || !FOnDrawItem) return;
  TOwnerDrawState state;
  if (draw->itemState & ODS_SELECTED) state.Include(odSelected);
  if (draw->itemState & ODS_FOCUS) state.Include(odFocused);
  FCanvas->SetHandle(draw->hDC);
  FCanvas->SetFont(GetFont());
  FCanvas->GetBrush()->SetColor(GetColor());
  FOnDrawItem(this, item, draw->rcItem, state);
  FCanvas->SetHandle(nullptr);
  Message.Result = 1;
}
