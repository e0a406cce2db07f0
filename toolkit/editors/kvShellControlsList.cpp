// The shell list view: one folder's items in a platform list view in owner-data mode, completed
// on display or by the worker; navigation, renaming and refresh on shell changes.

#include <utility>

#include "controls/ListView.h"
#include "controls/SystemImageList.h"
#include "user/ShellNamespace.h"
#include "user/ShellNotify.h"
#include "user/VirtualKeys.h"
#include "toolkit/editors/kvShellControls.h"
#include "toolkit/foundation/kvGraphics.h"

namespace {


// Items completed while the folder is enumerated; the rest come from the worker or on display.
constexpr Integer kPrefetchCount = 10;

}  // namespace

bool ShellSyncInProgress = false;

// ---- Options, root and producer -----------------------------------------------------------------

TAVREN_CLASS_IMPL(TkvShellListViewOptions)
TAVREN_CLASS_IMPL(TkvShellListRoot)
TAVREN_CLASS_IMPL(TkvShellListViewProducer)

void TkvShellListViewOptions::Assign(TPersistent* Source) {
  TkvShellOptions::Assign(Source);
  if (auto* source = dynamic_cast<TkvShellListViewOptions*>(Source)) FAutoNavigate = source->FAutoNavigate;
}

TkvShellListRoot::TkvShellListRoot(TkvCustomInnerShellListView* AList, HWND AParentWindow)
    : TkvCustomShellRoot(AList, AParentWindow), FList(AList) {}

void TkvShellListRoot::AfterResolve() {
  TkvCustomShellRoot::AfterResolve();
  if (!FList) return;
  FList->Refill();
  FList->FOnRootChanged(FList, this);
}

TkvShellListViewProducer::TkvShellListViewProducer(TkvCustomInnerShellListView* AList)
    : TkvCustomItemProducer(AList), FList(AList) {}

TkvShellListViewProducer::~TkvShellListViewProducer() { ClearItems(); }

bool TkvShellListViewProducer::CanAddFolder(TkvShellFolder* Folder) {
  bool canAdd = true;
  FList->GetOnAddFolder()(FList, Folder, canAdd);
  return canAdd;
}

bool TkvShellListViewProducer::CompareItems(TkvShellFolder* First, TkvShellFolder* Second, Integer& Order) {
  return FList->CompareHook(First, Second, Order);
}

DWORD TkvShellListViewProducer::GetEnumFlags() { return FList->GetOptions()->GetEnumFlags(); }

TkvShellItemsInfoGatherer* TkvShellListViewProducer::GetGatherer() { return FList->GetGatherer(); }

bool TkvShellListViewProducer::ShowsInfoTips() { return FList->GetOptions()->GetShowToolTip(); }

void TkvShellListViewProducer::LoadDetails(IShellFolder* Folder, Integer) {
  TkvCustomItemProducer::LoadDetails(Folder, TextWidthInFont(FList->GetFont(), "X"));
  FList->RebuildColumns();
}

void TkvShellListViewProducer::NotifyItemFetched(const TkvFetchRequest& Request) {
  if (GetOwnerControl()->HandleAllocated())
    PostMessage(GetOwnerControl()->GetHandle(), KVSM_ITEM_FETCHED, static_cast<WPARAM>(Request.ItemIndex),
                reinterpret_cast<LPARAM>(this));
}

// ---- List view ------------------------------------------------------------------------------

TAVREN_CLASS_IMPL(TkvCustomInnerShellListView)

TAVREN_MESSAGE_TABLE(TkvCustomInnerShellListView, MESSAGE_HANDLER(KVSM_ITEMS_ENUMERATED, KVSMItemsEnumerated),
                     MESSAGE_HANDLER(KVSM_ITEM_FETCHED, KVSMItemFetched),
                     MESSAGE_HANDLER(KVSM_OPTIONS_CHANGED, KVSMOptionsChanged),
                     MESSAGE_HANDLER(KVSM_SHELL_NOTIFY, KVSMShellNotify),
                     MESSAGE_HANDLER(KVSM_ROOT_CHANGED, KVSMRootChanged), MESSAGE_HANDLER(CN_NOTIFY, CNNotify))

TkvCustomInnerShellListView::TkvCustomInnerShellListView(TComponent* AOwner)
    : TCustomListView(AOwner),
      FDragDropSettings(std::make_unique<TkvDragDropSettings>()),
      FProducer(std::make_unique<TkvShellListViewProducer>(this)),
      FGatherer(std::make_unique<TkvShellItemsInfoGatherer>(this)),
      FOptions(std::make_unique<TkvShellListViewOptions>(this)),
      FRoot(std::make_unique<TkvShellListRoot>(this, nullptr)) {
  FLargeSystemImages = SystemImageList(false);
  FSmallSystemImages = SystemImageList(true);
  SetDoubleBuffered(true);
  SetHideSelection(false);
  SetOwnerData(true);
}

TkvCustomInnerShellListView::~TkvCustomInnerShellListView() {
  if (FTreeView) FTreeView->SetListView(nullptr);
  StopTracking();
  // The worker stops before the producer it serves goes.
  FGatherer->StopWorker();
  FProducer.reset();
}

void TkvCustomInnerShellListView::SetShellViewStyle(TViewStyle Value) {
  if (FShellViewStyle == Value) return;
  FShellViewStyle = Value;
  SetViewStyle(Value);
  if (Value == vsReport)
    RebuildColumns();
  else
    GetColumns()->Clear();
}

void TkvCustomInnerShellListView::CreateWnd() {
  TCustomListView::CreateWnd();
  // Asked again: the icons the worker found since come into the lists.
  SystemImageList(true);
  SystemImageList(false);
  SendMessage(GetHandle(), LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(FSmallSystemImages));
  SendMessage(GetHandle(), LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(FLargeSystemImages));
  RegisterDrops(GetHandle());
  if (IsLoading()) return;
  if (FRoot->GetIdList())
    Refill();
  else
    FRoot->ResolveRoot();
}

void TkvCustomInnerShellListView::DestroyWnd() {
  StopTracking();
  GetColumns()->Clear();
  RevokeDrops(GetHandle());
  TCustomListView::DestroyWnd();
}

void TkvCustomInnerShellListView::Refill() {
  FProducer->ClearItems();
  if (HandleAllocated()) {
    if (FRoot->GetValid() && FRoot->GetFolderIntf())
      FProducer->ProcessItems(FRoot->GetFolderIntf(), FRoot->GetIdList(), kPrefetchCount);
    else
      GetItems()->SetCount(0);
  }
  TrackChanges();
  Invalidate();
}

void TkvCustomInnerShellListView::BrowseTo(LPCITEMIDLIST List) {
  if (!List || SameIdList(List, FProducer->GetFolderIdList())) return;
  GetItems()->BeginUpdate();
  try {
    FOnBeforeNavigation(this, List, IdListToPath(List));
    FRoot->AssignIdList(List);
    SyncTreeView();
  } catch (...) {
    GetItems()->EndUpdate();
    throw;
  }
  GetItems()->EndUpdate();
}

void TkvCustomInnerShellListView::SyncTreeView() {
  if (ShellSyncInProgress || !FTreeView || !FRoot->GetIdList()) return;
  FTreeView->HandleNeeded();
  LPITEMIDLIST list = CopyIdList(FRoot->GetIdList());
  SendMessage(FTreeView->GetHandle(), KVSM_SELECT_FOLDER, reinterpret_cast<WPARAM>(list), 0);
  FreeIdList(list);
}

void TkvCustomInnerShellListView::FollowFolder(LPCITEMIDLIST List) {
  const bool previous = std::exchange(ShellSyncInProgress, true);
  try {
    if (List && (ShellAttributesOf(List) & SFGAO_FOLDER) && !SameIdList(List, FRoot->GetIdList()))
      FRoot->AssignIdList(List);
  } catch (...) {
    ShellSyncInProgress = previous;
    throw;
  }
  ShellSyncInProgress = previous;
}

void TkvCustomInnerShellListView::NavigateUp() {
  LPCITEMIDLIST current = FProducer->GetFolderIdList();
  if (!current) return;
  LPITEMIDLIST parent = ParentIdList(current);
  try {
    BrowseTo(parent);
  } catch (...) {
    FreeIdList(parent);
    throw;
  }
  FreeIdList(parent);
}

void TkvCustomInnerShellListView::OpenItem(Integer Index) {
  LPITEMIDLIST target = nullptr;
  bool container = false;
  FProducer->BeginRead();
  if (Index >= 0 && Index < FProducer->ItemCount()) {
    TkvShellItemInfo* item = FProducer->Item(Index);
    container = item->IsContainer;
    if (container)
      target = CopyIdList(item->GetFullIdList());
    else
      ExecuteItem(item);
  }
  FProducer->EndRead();
  if (!container || !target) return;
  try {
    BrowseTo(target);
  } catch (...) {
    FreeIdList(target);
    throw;
  }
  FreeIdList(target);
}

void TkvCustomInnerShellListView::ExecuteItem(TkvShellItemInfo* Item) {
  SHELLEXECUTEINFOA info;
  info.fMask = SEE_MASK_INVOKEIDLIST;
  info.hwnd = HandleAllocated() ? GetHandle() : nullptr;
  info.lpIDList = const_cast<ITEMIDLIST*>(Item->GetFullIdList());
  info.nShow = SW_SHOW;
  ShellExecuteExA(&info);
}

bool TkvCustomInnerShellListView::CompareHook(TkvShellFolder* First, TkvShellFolder* Second, Integer& Order) {
  if (!FOnCompare) return false;
  FOnCompare(this, First, Second, Order);
  return true;
}

void TkvCustomInnerShellListView::RefreshKeepSelection() {
  LPITEMIDLIST kept = nullptr;
  TListItem* selected = GetSelected();
  if (!GetMultiSelect() && selected) {
    FProducer->BeginRead();
    const Integer index = selected->GetIndex();
    if (index >= 0 && index < FProducer->ItemCount()) kept = CopyIdList(FProducer->Item(index)->GetItemIdList());
    FProducer->EndRead();
  }
  try {
    Refill();
  } catch (...) {
    FreeIdList(kept);
    throw;
  }
  if (!kept) return;
  const Integer index = FProducer->IndexOfId(kept);
  FreeIdList(kept);
  if (index >= 0 && index < GetItems()->GetCount()) SetItemIndex(index);
}

void TkvCustomInnerShellListView::TrackChanges() {
  if (!FOptions->GetTrackShellChanges() || !HandleAllocated()) return StopTracking();
  LPCITEMIDLIST list = FProducer->GetFolderIdList();
  if (!list) return StopTracking();
  if (FRegisteredList && SameIdList(list, FRegisteredList)) return;
  StopTracking();
  SHChangeNotifyEntry entry;
  entry.pidl = list;
  entry.fRecursive = FALSE;
  FChangeRegistration = SHChangeNotifyRegister(GetHandle(), SHCNRF_InterruptLevel | SHCNRF_ShellLevel,
                                               SHCNE_DISKEVENTS, KVSM_SHELL_NOTIFY, 1, &entry);
  FRegisteredList = CopyIdList(list);
}

void TkvCustomInnerShellListView::StopTracking() {
  if (FChangeRegistration) SHChangeNotifyDeregister(FChangeRegistration);
  FChangeRegistration = 0;
  FreeIdList(FRegisteredList);
  FRegisteredList = nullptr;
}

void TkvCustomInnerShellListView::RebuildColumns() {
  if (FShellViewStyle != vsReport) return;
  TListColumns* columns = GetColumns();
  columns->BeginUpdate();
  try {
    columns->Clear();
    FProducer->BeginRead();
    TkvShellDetails* details = FProducer->GetColumns();
    for (Integer i = 0; i < details->ColumnCount(); ++i) {
      TkvDetailItem* detail = details->Column(i);
      TListColumn* column = columns->Add();
      column->SetCaption(detail->HeaderText);
      column->SetAlignment(detail->TextAlign);
      column->SetWidth(detail->PixelWidth);
    }
    FProducer->EndRead();
  } catch (...) {
    columns->EndUpdate();
    throw;
  }
  columns->EndUpdate();
}

// ---- Display ----------------------------------------------------------------------------------

void TkvCustomInnerShellListView::OwnerDataFetch(TListItem* Item) {
  const Integer index = Item->GetIndex();
  FProducer->BeginRead();
  if (index >= 0 && index < FProducer->ItemCount()) {
    TkvShellItemInfo* info = FProducer->Item(index);
    info->Fetch(FProducer->GetFolderIntf(), FProducer->GetFolderIdList());
    Item->SetCaption(info->DisplayName);
    Item->SetImageIndex(info->ImageIndex);
    if (FShellViewStyle == vsReport) {
      if (info->GetDetailTexts()->GetCount() == 0) info->LoadDetailTexts(FProducer->GetFolderIntf(), FProducer->GetColumns());
      Item->GetSubItems()->Assign(info->GetDetailTexts());
    }
    if (info->GetFetched()) Item->SetCut(info->Hidden);
    else FProducer->RequestFetch(index, true);
  }
  FProducer->EndRead();
  TCustomListView::OwnerDataFetch(Item);
}

void TkvCustomInnerShellListView::KVSMItemsEnumerated(TMessage& Message) {
  GetItems()->SetCount(static_cast<Integer>(Message.WParam));
  SetItemIndex(-1);
}

void TkvCustomInnerShellListView::KVSMItemFetched(TMessage& Message) {
  // A notice from a producer's earlier folder names an item that is no longer there.
  if (reinterpret_cast<TkvShellListViewProducer*>(Message.LParam) != FProducer.get()) return;
  const Integer index = static_cast<Integer>(Message.WParam);
  if (HandleAllocated() && index < GetItems()->GetCount()) SendMessage(GetHandle(), LVM_REDRAWITEMS, index, index);
}

void TkvCustomInnerShellListView::KVSMOptionsChanged(TMessage&) {
  if (!IsLoading()) Refill();
}

void TkvCustomInnerShellListView::KVSMShellNotify(TMessage& Message) {
  if (FRefreshingOnNotify) return;
  FRefreshingOnNotify = true;
  try {
    Refill();
  } catch (...) {
    FRefreshingOnNotify = false;
    throw;
  }
  FRefreshingOnNotify = false;
  auto* lists = reinterpret_cast<LPCITEMIDLIST*>(Message.WParam);
  FOnShellChange(this, static_cast<Cardinal>(Message.LParam), lists ? lists[0] : nullptr, lists ? lists[1] : nullptr);
}

void TkvCustomInnerShellListView::KVSMRootChanged(TMessage& Message) {
  TWinControl* parent = GetParent();
  if (parent && parent->GetComponentState().Contains(csLoading)) return;
  FRoot->UpdateFrom(reinterpret_cast<TkvCustomShellRoot*>(Message.WParam));
}

// ---- Input and renaming -------------------------------------------------------------------------

void TkvCustomInnerShellListView::DblClick() {
  TCustomListView::DblClick();
  TListItem* selected = GetSelected();
  if (FOptions->GetAutoNavigate() && selected) OpenItem(selected->GetIndex());
}

void TkvCustomInnerShellListView::KeyDown(Word& Key, TShiftState Shift) {
  TCustomListView::KeyDown(Key, Shift);
  if (IsEditing()) return;
  switch (Key) {
    case VK_BACK:
      if (FOptions->GetAutoNavigate()) NavigateUp();
      break;
    case VK_RETURN:
      DblClick();
      break;
    case VK_F5:
      RefreshKeepSelection();
      break;
    default:
      break;
  }
}

void TkvCustomInnerShellListView::DoContextPopup(TPoint MousePos, bool& Handled) {
  if (!FOptions->GetContextMenus() || !HandleAllocated() || !GetSelected())
    return TCustomListView::DoContextPopup(MousePos, Handled);
  Handled = true;
  // Copies are taken under the lock and the menu runs without it: a command may change the
  // folder, and the change notice refills the list while the menu is still up.
  std::vector<LPITEMIDLIST> copies;
  TInterfacePtr<IShellFolder> folder;
  FProducer->BeginRead();
  folder = FProducer->GetFolderIntf();
  for (LRESULT i = SendMessage(GetHandle(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED); i >= 0;
       i = SendMessage(GetHandle(), LVM_GETNEXTITEM, static_cast<WPARAM>(i), LVNI_SELECTED))
    if (i < FProducer->ItemCount()) copies.push_back(CopyIdList(FProducer->Item(static_cast<Integer>(i))->GetItemIdList()));
  FProducer->EndRead();
  std::vector<LPCITEMIDLIST> items(copies.begin(), copies.end());
  const TPoint screen = MousePos.X == -1 && MousePos.Y == -1 ? ClientToScreen(TPoint(0, 0)) : ClientToScreen(MousePos);
  try {
    ShowShellContextMenu(GetHandle(), folder.Get(), items, screen);
  } catch (...) {
    for (LPITEMIDLIST copy : copies) FreeIdList(copy);
    throw;
  }
  for (LPITEMIDLIST copy : copies) FreeIdList(copy);
}

bool TkvCustomInnerShellListView::CanEdit(TListItem* Item) {
  if (!Item) return true;
  FProducer->BeginRead();
  const Integer index = Item->GetIndex();
  bool renamable = false;
  if (index >= 0 && index < FProducer->ItemCount()) {
    TkvShellItemInfo* info = FProducer->Item(index);
    info->Fetch(FProducer->GetFolderIntf(), FProducer->GetFolderIdList());
    renamable = info->Renamable;
  }
  FProducer->EndRead();
  return renamable && TCustomListView::CanEdit(Item);
}

void TkvCustomInnerShellListView::Edit(const LVITEM& Item) {
  TCustomListView::Edit(Item);
  if (!Item.pszText) return;
  FProducer->BeginRead();
  if (Item.iItem >= 0 && Item.iItem < FProducer->ItemCount()) {
    TkvShellItemInfo* info = FProducer->Item(Item.iItem);
    IShellFolder* folder = FProducer->GetFolderIntf();
    LPITEMIDLIST renamed = nullptr;
    folder->SetNameOf(GetHandle(), info->GetItemIdList(), Item.pszText, SHGDN_INFOLDER | SHGDN_FORPARSING, &renamed);
    if (renamed) {
      info->ReplaceIdList(folder, FProducer->GetFolderIdList(), renamed);
      FreeIdList(renamed);
    }
  }
  FProducer->EndRead();
}

// ---- Drag and drop ------------------------------------------------------------------------------

void TkvCustomInnerShellListView::CNNotify(TMessage& Message) {
  auto* header = reinterpret_cast<NMHDR*>(Message.LParam);
  if (GetComponentState().Contains(csDestroying)) return;
  if ((header->code == LVN_BEGINDRAG || header->code == LVN_BEGINRDRAG) && FDragDropSettings->GetAllowDragObjects()) {
    if (GetSelected()) StartShellDrag();
    return;
  }
  TCustomListView::CNNotify(Message);
  // With the image goes the item's overlay: the link mark for a shortcut, 1 for a shared item.
  auto* info = reinterpret_cast<NMLVDISPINFO*>(header);
  if (header->code != LVN_GETDISPINFO || !(info->item.mask & LVIF_IMAGE) || info->item.iSubItem != 0) return;
  FProducer->BeginRead();
  if (info->item.iItem >= 0 && info->item.iItem < FProducer->ItemCount()) {
    const TkvShellItemInfo* item = FProducer->Item(info->item.iItem);
    info->item.mask |= LVIF_STATE;
    info->item.stateMask |= LVIS_OVERLAYMASK;
    info->item.state = (info->item.state & ~LVIS_OVERLAYMASK) |
                       INDEXTOOVERLAYMASK(item->IsShortcut ? kLinkOverlay : item->IsShared ? 1 : 0);
  }
  FProducer->EndRead();
}

void TkvCustomInnerShellListView::StartShellDrag() {
  std::vector<LPITEMIDLIST> copies;
  TInterfacePtr<IShellFolder> folder;
  FProducer->BeginRead();
  folder = FProducer->GetFolderIntf();
  for (LRESULT i = SendMessage(GetHandle(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED); i >= 0;
       i = SendMessage(GetHandle(), LVM_GETNEXTITEM, static_cast<WPARAM>(i), LVNI_SELECTED))
    if (i < FProducer->ItemCount()) copies.push_back(CopyIdList(FProducer->Item(static_cast<Integer>(i))->GetItemIdList()));
  FProducer->EndRead();
  std::vector<LPCITEMIDLIST> items(copies.begin(), copies.end());
  void* raw = nullptr;
  if (folder && !items.empty() &&
      folder->GetUIObjectOf(GetHandle(), static_cast<UINT>(items.size()), items.data(), IDataObject::IID, nullptr,
                            &raw) == S_OK &&
      raw) {
    auto data = TInterfacePtr<IDataObject>::Attach(static_cast<IDataObject*>(raw));
    TInterfacePtr<IDropSource> source(new TkvDropSource);
    DWORD effect = DROPEFFECT_NONE;
    DoDragDrop(data.Get(), source.Get(), FDragDropSettings->GetAllowedEffects(), &effect);
  }
  for (LPITEMIDLIST copy : copies) FreeIdList(copy);
}

void TkvCustomInnerShellListView::SetDropHighlight(Integer Index) {
  if (FDropHighlight >= 0 && FDropHighlight < GetItems()->GetCount())
    GetItems()->GetItem(FDropHighlight)->SetDropTarget(false);
  FDropHighlight = Index;
  if (Index >= 0 && Index < GetItems()->GetCount()) GetItems()->GetItem(Index)->SetDropTarget(true);
}

bool TkvCustomInnerShellListView::DropHover(const TPoint& ScreenPoint) {
  const TPoint p = ScreenToClient(ScreenPoint);
  LVHITTESTINFO hit{};
  hit.pt = POINT{p.X, p.Y};
  const Integer index = static_cast<Integer>(SendMessage(GetHandle(), LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  TInterfacePtr<IShellFolder> folder(FProducer->GetFolderIntf());
  if (index < 0 || index >= FProducer->ItemCount()) {
    if (FDropHighlight < 0 && FDropTarget) return false;
    DropLeave();
    void* raw = nullptr;
    if (folder && folder->CreateViewObject(GetHandle(), IDropTarget::IID, &raw) == S_OK && raw)
      FDropTarget = TInterfacePtr<IDropTarget>::Attach(static_cast<IDropTarget*>(raw));
    return true;
  }
  if (index == FDropHighlight) return false;
  DropLeave();
  LPITEMIDLIST item = nullptr;
  FProducer->BeginRead();
  if (index < FProducer->ItemCount()) item = CopyIdList(FProducer->Item(index)->GetItemIdList());
  FProducer->EndRead();
  LPCITEMIDLIST items[] = {item};
  void* raw = nullptr;
  if (folder && item && folder->GetUIObjectOf(GetHandle(), 1, items, IDropTarget::IID, nullptr, &raw) == S_OK && raw) {
    FDropTarget = TInterfacePtr<IDropTarget>::Attach(static_cast<IDropTarget*>(raw));
    SetDropHighlight(index);
  }
  FreeIdList(item);
  return true;
}

