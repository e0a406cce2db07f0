// The shell tree view: nodes loaded level by level from their producers, and rebuilt keeping
// what was open and selected.

#include "toolkit/editors/kvShellControls.h"

#include "controls/SystemImageList.h"
#include "user/ShellFileInfo.h"
#include "user/ShellNotify.h"
#include "vcl/ControlsMessages.h"

// ---- Root ----------------------------------------------------------------------------------

TAVREN_CLASS_IMPL(TkvShellTreeViewOptions)
TAVREN_CLASS_IMPL(TkvShellTreeRoot)

TkvShellTreeRoot::TkvShellTreeRoot(TkvCustomInnerShellTreeView* ATree, HWND AParentWindow)
    : TkvCustomShellRoot(ATree, AParentWindow), FTree(ATree) {}

void TkvShellTreeRoot::AfterResolve() {
  TkvCustomShellRoot::AfterResolve();
  // A root may stand alone, as the value a caller assigns to a tree.
  if (!FTree) return;
  FTree->ClearNodes();
  FTree->LoadNode(nullptr, false);
  FTree->FOnRootChanged(FTree, this);
}

// ---- Tree ----------------------------------------------------------------------------------

TAVREN_CLASS_IMPL(TkvCustomInnerShellTreeView)

TAVREN_MESSAGE_TABLE(TkvCustomInnerShellTreeView, MESSAGE_HANDLER(CN_NOTIFY, CNNotify),
                     MESSAGE_HANDLER(KVSM_ITEMS_ENUMERATED, KVSMItemsEnumerated),
                     MESSAGE_HANDLER(KVSM_ITEM_FETCHED, KVSMItemFetched),
                     MESSAGE_HANDLER(KVSM_ITEM_REMOVED, KVSMItemRemoved),
                     MESSAGE_HANDLER(KVSM_ITEM_ADDED, KVSMItemAdded),
                     MESSAGE_HANDLER(KVSM_OPTIONS_CHANGED, KVSMOptionsChanged),
                     MESSAGE_HANDLER(KVSM_SELECT_FOLDER, KVSMSelectFolder),
                     MESSAGE_HANDLER(KVSM_ROOT_CHANGED, KVSMRootChanged),
                     MESSAGE_HANDLER(KVSM_TREE_SHELL_NOTIFY, KVSMTreeShellNotify),
                     MESSAGE_HANDLER(KVSM_RESELECT, KVSMReselect),
                     MESSAGE_HANDLER(KVSM_SHELL_NOTIFY, KVSMShellNotify))

TkvCustomInnerShellTreeView::TkvCustomInnerShellTreeView(TComponent* AOwner)
    : TTreeView(AOwner),
      FGatherer(std::make_unique<TkvShellItemsInfoGatherer>(this)),
      FRoot(std::make_unique<TkvShellTreeRoot>(this, nullptr)),
      FOptions(std::make_unique<TkvShellTreeViewOptions>(this)),
      FProducers(std::make_unique<TThreadList>()),
      FDragDropSettings(std::make_unique<TkvDragDropSettings>()) {
  FDragDropSettings->SetOnAllowDragChanged(MakeEvent<&TkvCustomInnerShellTreeView::AllowDragChanged>(this));
  SetRightClickSelect(true);
}

TkvCustomInnerShellTreeView::~TkvCustomInnerShellTreeView() {
  if (FListView) FListView->SetTreeView(nullptr);
  StopTracking();
  TList* producers = FProducers->LockList();
  for (Integer i = 0; i < producers->GetCount(); ++i)
    static_cast<TkvShellTreeItemProducer*>(producers->GetItems(i))->CancelFetches();
  FProducers->UnlockList();
  // The nodes take their producers with them, while this class still handles their deletion.
  ClearNodes();
  FGatherer->StopWorker();
  for (LPITEMIDLIST list : FSavedExpanded) FreeIdList(list);
  FreeIdList(FSavedSelection);
}

TkvShellTreeItemProducer* TkvCustomInnerShellTreeView::ProducerOf(TTreeNode* Node) {
  return Node ? static_cast<TkvShellTreeItemProducer*>(Node->GetData()) : nullptr;
}

TkvShellTreeItemProducer* TkvCustomInnerShellTreeView::LiveProducerOf(TTreeNode* Node) {
  TkvShellTreeItemProducer* found = nullptr;
  TList* producers = FProducers->LockList();
  for (Integer i = 0; i < producers->GetCount() && !found; ++i) {
    auto* producer = static_cast<TkvShellTreeItemProducer*>(producers->GetItems(i));
    if (producer->Node == Node) found = producer;
  }
  FProducers->UnlockList();
  return found;
}

void TkvCustomInnerShellTreeView::Delete(TTreeNode* Node) {
  TkvShellTreeItemProducer* producer = ProducerOf(Node);
  Node->SetData(nullptr);
  delete producer;
  TTreeView::Delete(Node);
}

void TkvCustomInnerShellTreeView::ClearNodes() {
  const bool clearing = std::exchange(FClearing, true);
  try {
    GetItems()->Clear();
  } catch (...) {
    FClearing = clearing;
    throw;
  }
  FClearing = clearing;
}

void TkvCustomInnerShellTreeView::DestroyWnd() {
  StopTracking();
  RevokeDrops(GetHandle());
  const bool clearing = std::exchange(FClearing, true);
  try {
    // The nodes stand for what the folders held when they were read: a new window reads anew.
    GetItems()->Clear();
    TTreeView::DestroyWnd();
  } catch (...) {
    FClearing = clearing;
    throw;
  }
  FClearing = clearing;
}

void TkvCustomInnerShellTreeView::CreateParams(TCreateParams& Params) {
  TTreeView::CreateParams(Params);
  if (FShowInfoTips) Params.Style = (Params.Style | TVS_INFOTIP) & ~TVS_NOTOOLTIPS;
  if (!FDragDropSettings->GetAllowDragObjects()) Params.Style |= TVS_DISABLEDRAGDROP;
}

void TkvCustomInnerShellTreeView::AllowDragChanged(TObject*) {
  if (!HandleAllocated()) return;
  const DWORD style = static_cast<DWORD>(GetWindowLong(GetHandle(), GWL_STYLE));
  SetWindowLong(GetHandle(), GWL_STYLE,
                static_cast<LONG>(FDragDropSettings->GetAllowDragObjects() ? style & ~TVS_DISABLEDRAGDROP
                                                                          : style | TVS_DISABLEDRAGDROP));
}

void TkvCustomInnerShellTreeView::SetShowInfoTips(bool Value) {
  if (FShowInfoTips == Value) return;
  FShowInfoTips = Value;
  if (!HandleAllocated()) return;
  const DWORD style = static_cast<DWORD>(GetWindowLong(GetHandle(), GWL_STYLE));
  SetWindowLong(GetHandle(), GWL_STYLE, static_cast<LONG>(Value ? style | TVS_INFOTIP : style & ~TVS_INFOTIP));
}

void TkvCustomInnerShellTreeView::CNNotify(TMessage& Message) {
  auto* header = reinterpret_cast<NMHDR*>(Message.LParam);
  if (header->code == TVN_BEGINDRAGA || header->code == TVN_BEGINRDRAGA) {
    auto* node = reinterpret_cast<TTreeNode*>(reinterpret_cast<NMTREEVIEW*>(header)->itemNew.lParam);
    if (!node || !FDragDropSettings->GetAllowDragObjects()) return;
    node->SetSelected(true);
    if (GetSelected() == node) StartTreeDrag();
    return;
  }
  if (header->code != TVN_GETINFOTIP) {
    InheritedMessage(Message);
    return;
  }
  auto* tip = reinterpret_cast<NMTVGETINFOTIP*>(header);
  auto* node = reinterpret_cast<TTreeNode*>(tip->lParam);
  if (node && node->GetParent())
    ProducerOf(node->GetParent())->GetInfoTip(GetHandle(), node->GetIndex(), tip->cchTextMax, tip->pszText);
}

void TkvCustomInnerShellTreeView::Loaded() {
  TTreeView::Loaded();
  if (!FRoot->GetIdList()) FRoot->ResolveRoot();
  LoadNode(nullptr, false);
}

void TkvCustomInnerShellTreeView::CreateWnd() {
  TTreeView::CreateWnd();
  SendMessage(GetHandle(), TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(SystemImageList(true)));
  RegisterDrops(GetHandle());
  if (IsLoading()) return;
  if (!FRoot->GetIdList())
    FRoot->ResolveRoot();
  else
    LoadNode(nullptr, false);
}

// ---- Loading -------------------------------------------------------------------------------

void TkvCustomInnerShellTreeView::LoadNode(TTreeNode* Node, bool Child) {
  if (IsLoading() || !HandleAllocated() || !FRoot->GetValid()) return;
  TTreeNodes* nodes = GetItems();
  if (!Node) {
    if (nodes->GetCount() > 0 && ProducerOf(nodes->GetFirstNode())) ClearNodes();
    Node = nodes->GetFirstNode();
    if (!Node) Node = nodes->AddChild(nullptr, "");
    Node->SetData(new TkvShellTreeItemProducer(this));
  }
  TTreeNode* parent = Node->GetParent();
  if (Child && parent) {
    TkvShellTreeItemProducer* parentProducer = ProducerOf(parent);
    TkvShellTreeItemProducer* producer = ProducerOf(Node);
    parentProducer->BeginRead();
    const Integer index = Node->GetIndex();
    if (producer && index < parentProducer->ItemCount()) {
      LPITEMIDLIST list =
          ConcatIdLists(parentProducer->GetFolderIdList(), parentProducer->Item(index)->GetItemIdList());
      producer->SetFolderIdList(list);
      Node->SetHasChildren(HasChildItems(parentProducer->GetFolderIntf(), list, parentProducer->GetEnumFlags()));
      FreeIdList(list);
    }
    parentProducer->EndRead();
  } else {
    Node->SetHasChildren(true);
  }
  if (!Child || !parent) CanExpand(Node);
  RegisterTreeNotify(nullptr);
}

void TkvCustomInnerShellTreeView::StopTracking() {
  if (FChangeRegistration) SHChangeNotifyDeregister(FChangeRegistration);
  FChangeRegistration = 0;
}

void TkvCustomInnerShellTreeView::RegisterTreeNotify(TTreeNode* Node) {
  // The menu's node keeps its registration until the menu has gone.
  if (FContextMenuOpen) return;
  const bool registering = std::exchange(FRegisteringNotify, true);
  StopTracking();
  if (!Node) Node = GetSelected() ? GetSelected() : GetItems()->GetFirstNode();
  if (FOptions->GetTrackShellChanges() && Node && HandleAllocated()) {
    LPITEMIDLIST list = nullptr;
    if (TTreeNode* parent = Node->GetParent()) {
      TkvShellTreeItemProducer* producer = ProducerOf(parent);
      producer->BeginRead();
      const Integer index = Node->GetIndex();
      if (index < producer->ItemCount()) list = CopyIdList(producer->Item(index)->GetFullIdList());
      producer->EndRead();
    } else {
      list = CopyIdList(FRoot->GetIdList());
    }
    if (list) {
      SHChangeNotifyEntry entry;
      entry.pidl = list;
      entry.fRecursive = TRUE;
      FChangeRegistration = SHChangeNotifyRegister(GetHandle(), SHCNRF_InterruptLevel | SHCNRF_ShellLevel,
                                                   SHCNE_DISKEVENTS, KVSM_TREE_SHELL_NOTIFY, 1, &entry);
      FreeIdList(list);
    }
  }
  FRegisteringNotify = registering;
}

bool TkvCustomInnerShellTreeView::CanExpand(TTreeNode* Node) {
  bool result = true;
  TkvShellTreeItemProducer* producer = ProducerOf(Node);
  if (producer && Node->GetCount() == 0) {
    TInterfacePtr<IShellFolder> folder;
    LPITEMIDLIST list = nullptr;
    if (TTreeNode* parent = Node->GetParent()) {
      TkvShellTreeItemProducer* parentProducer = ProducerOf(parent);
      parentProducer->BeginRead();
      const Integer index = Node->GetIndex();
      result = index < parentProducer->ItemCount() && parentProducer->Item(index)->IsContainer;
      if (result) {
        LPCITEMIDLIST id = parentProducer->Item(index)->GetItemIdList();
        void* bound = nullptr;
        if (parentProducer->GetFolderIntf()->BindToObject(id, nullptr, IShellFolder::IID, &bound) == S_OK && bound) {
          folder = TInterfacePtr<IShellFolder>::Attach(static_cast<IShellFolder*>(bound));
          list = ConcatIdLists(parentProducer->GetFolderIdList(), id);
        } else {
          result = false;
        }
      }
      parentProducer->EndRead();
      Node->SetHasChildren(result);
    } else {
      folder = FRoot->GetFolderIntf();
      list = CopyIdList(FRoot->GetIdList());
    }
    if (result && folder) LoadChildren(producer, folder.Get(), list, Node);
    FreeIdList(list);
  }
  return result && TTreeView::CanExpand(Node);
}

void TkvCustomInnerShellTreeView::LoadChildren(TkvShellTreeItemProducer* Producer, IShellFolder* Folder,
                                               LPCITEMIDLIST List, TTreeNode* Node) {
  Producer->Node = Node;
  const char* path = reinterpret_cast<const char*>(List);
  SHFILEINFO info{};
  if (SHGetFileInfo(path, 0, &info, sizeof info, SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_DISPLAYNAME)) {
    SystemImageList(true);
    Node->SetImageIndex(info.iIcon);
    if (!Node->GetParent()) Node->SetText(info.szDisplayName);
  }
  if (SHGetFileInfo(path, 0, &info, sizeof info, SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_OPENICON)) {
    SystemImageList(true);
    Node->SetSelectedIndex(info.iIcon);
  }
  Producer->ProcessItems(Folder, List, 0);
}

void TkvCustomInnerShellTreeView::ApplyItem(TTreeNode* Node, TkvShellItemInfo* Item) {
  SystemImageList(true);  // takes in the icons the worker found meanwhile
  Node->SetImageIndex(Item->ImageIndex);
  Node->SetSelectedIndex(Item->OpenImageIndex);
  Node->SetHasChildren(Item->MayHaveChildren);
  if (!Item->GetFetched()) return;
  Node->SetCut(Item->Hidden);
  Node->SetOverlayIndex(Item->IsShortcut ? 1 : Item->IsShared ? 0 : -1);
}

void TkvCustomInnerShellTreeView::KVSMItemsEnumerated(TMessage& Message) {
  auto* node = reinterpret_cast<TTreeNode*>(Message.LParam);
  TkvShellTreeItemProducer* producer = LiveProducerOf(node);
  if (!producer) return;
  const Integer count = static_cast<Integer>(Message.WParam);
  if (count <= 0) {
    node->DeleteChildren();
    node->SetHasChildren(false);
    return;
  }
  TTreeNodes* nodes = GetItems();
  producer->BeginRead();
  nodes->BeginUpdate();
  try {
    for (Integer i = 0; i < producer->ItemCount(); ++i) {
      TkvShellItemInfo* item = producer->Item(i);
      if (!item->GetFetched()) producer->RequestFetch(i, false);
      TTreeNode* child = nodes->AddChildObject(node, item->DisplayName, new TkvShellTreeItemProducer(this));
      ApplyItem(child, item);
    }
  } catch (...) {
    nodes->EndUpdate();
    producer->EndRead();
    throw;
  }
  nodes->EndUpdate();
  producer->EndRead();
  if (node->GetCount() == 0) node->SetHasChildren(false);
}

void TkvCustomInnerShellTreeView::KVSMItemFetched(TMessage& Message) {
  // Posted by the worker: the node may have gone with a rebuild since.
  auto* node = reinterpret_cast<TTreeNode*>(Message.LParam);
  TkvShellTreeItemProducer* producer = LiveProducerOf(node);
  const Integer index = static_cast<Integer>(Message.WParam);
  if (!producer || index < 0 || index >= node->GetCount()) return;
  producer->BeginRead();
  if (index < producer->ItemCount()) {
    TTreeNode* child = node->GetItem(index);
    child->SetText(producer->Item(index)->DisplayName);
    ApplyItem(child, producer->Item(index));
  }
  producer->EndRead();
}

void TkvCustomInnerShellTreeView::KVSMItemAdded(TMessage& Message) {
  auto* node = reinterpret_cast<TTreeNode*>(Message.LParam);
  TkvShellTreeItemProducer* producer = LiveProducerOf(node);
  const Integer index = static_cast<Integer>(Message.WParam);
  if (!producer) return;
  producer->BeginRead();
  if (index < producer->ItemCount()) {
    TkvShellItemInfo* item = producer->Item(index);
    ApplyItem(GetItems()->AddChildObject(node, item->DisplayName, new TkvShellTreeItemProducer(this)), item);
  }
  producer->EndRead();
}

void TkvCustomInnerShellTreeView::KVSMItemRemoved(TMessage& Message) {
  auto* node = reinterpret_cast<TTreeNode*>(Message.LParam);
  const Integer index = static_cast<Integer>(Message.WParam);
  if (LiveProducerOf(node) && index >= 0 && index < node->GetCount()) node->GetItem(index)->Delete();
}

void TkvCustomInnerShellTreeView::KVSMOptionsChanged(TMessage&) {
  if (!IsLoading()) LoadNode(nullptr, false);
}

void TkvCustomInnerShellTreeView::KVSMRootChanged(TMessage& Message) {
  if (!IsLoading()) FRoot->UpdateFrom(reinterpret_cast<TkvCustomShellRoot*>(Message.WParam));
}

// ---- Selection -----------------------------------------------------------------------------

void TkvCustomInnerShellTreeView::Change(TTreeNode* Node) {
  TTreeView::Change(Node);
  // A click only works out the node's button; a folder chosen by the program loads its children.
  // While nodes go, the selection passing through them loads nothing.
  if (Node && !FClearing) LoadNode(Node, !FNavigating);
  if (Node && !FClearing && !FRebuilding) SyncListView(Node);
}

void TkvCustomInnerShellTreeView::DoContextPopup(TPoint MousePos, bool& Handled) {
  const bool keyboard = MousePos.X == -1 && MousePos.Y == -1;
  TTreeNode* node = keyboard ? GetSelected() : GetNodeAt(MousePos.X, MousePos.Y);
  TTreeNode* parent = node ? node->GetParent() : nullptr;
  TkvShellTreeItemProducer* producer = parent ? ProducerOf(parent) : nullptr;
  if (!FOptions->GetContextMenus() || !producer) return TTreeView::DoContextPopup(MousePos, Handled);
  Handled = true;
  TPoint at = MousePos;
  if (keyboard) {
    TRect r = node->DisplayRect(true);
    at = TPoint(r.Left, r.Bottom);
  }
  // The parent's items stay as they are while the menu is up: its read lock is held, and let go
  // by MenuProducerGone should a rebuild free the producer meanwhile.
  FMenuProducer = producer;
  producer->OnDestroying = MakeEvent<&TkvCustomInnerShellTreeView::MenuProducerGone>(this);
  producer->BeginRead();
  LPITEMIDLIST item = nullptr;
  auto finish = [&] {
    FreeIdList(item);
    if (FMenuProducer) {
      FMenuProducer->EndRead();
      FMenuProducer->OnDestroying = nullptr;
      FMenuProducer = nullptr;
    }
    FContextMenuOpen = false;
  };
  try {
    RegisterTreeNotify(node);
    FContextMenuOpen = true;
    const Integer index = node->GetIndex();
    if (index < producer->ItemCount()) item = CopyIdList(producer->Item(index)->GetItemIdList());
    TInterfacePtr<IShellFolder> folder(producer->GetFolderIntf());
    if (item) ShowShellContextMenu(GetHandle(), folder.Get(), {item}, ClientToScreen(at));
  } catch (...) {
    finish();
    throw;
  }
  finish();
}

void TkvCustomInnerShellTreeView::MenuProducerGone(TObject*) {
  if (!FMenuProducer) return;
  FMenuProducer->EndRead();
  FMenuProducer->OnDestroying = nullptr;
  FMenuProducer = nullptr;
}

void TkvCustomInnerShellTreeView::SetListView(TkvCustomInnerShellListView* Value) {
  if (FListView == Value) return;
  if (FListView) FListView->SetTreeView(nullptr);
  FListView = Value;
  if (Value) Value->SetTreeView(this);
}

LPITEMIDLIST TkvCustomInnerShellTreeView::NodeIdList(TTreeNode* Node) {
  if (!Node) return nullptr;
  TTreeNode* parent = Node->GetParent();
  if (!parent) return CopyIdList(FRoot->GetIdList());
  TkvShellTreeItemProducer* producer = ProducerOf(parent);
  if (!producer) return nullptr;
  LPITEMIDLIST list = nullptr;
  producer->BeginRead();
  const Integer index = Node->GetIndex();
  if (index >= 0 && index < producer->ItemCount()) list = CopyIdList(producer->Item(index)->GetFullIdList());
  producer->EndRead();
  return list;
}

void TkvCustomInnerShellTreeView::SyncListView(TTreeNode* Node) {
  if (!FListView || ShellSyncInProgress) return;
  LPITEMIDLIST list = NodeIdList(Node);
  try {
    FListView->FollowFolder(list);
  } catch (...) {
    FreeIdList(list);
    throw;
  }
  FreeIdList(list);
}

TTreeNode* TkvCustomInnerShellTreeView::FindNode(LPCITEMIDLIST List) {
  if (!List) return nullptr;
  FRoot->EnsureResolved();
  TTreeNode* node = GetItems()->GetFirstNode();
  if (!node || SameIdList(List, FRoot->GetIdList())) return node;
  if (!IsIdListPrefix(FRoot->GetIdList(), List)) return nullptr;
  LPCITEMIDLIST rest = List;
  for (Integer i = ItemIdCount(FRoot->GetIdList()); i > 0; --i) rest = NextItemId(rest);
  for (; rest && rest->mkid.cb && node; rest = NextItemId(rest)) {
    TkvShellTreeItemProducer* producer = ProducerOf(node);
    LPITEMIDLIST single = FirstItemId(rest);
    const Integer index = producer ? producer->IndexOfId(single) : -1;
    FreeIdList(single);
    node = index >= 0 && index < node->GetCount() ? node->GetItem(index) : nullptr;
  }
  return node;
}

void TkvCustomInnerShellTreeView::KVSMSelectFolder(TMessage& Message) {
  SelectFolder(reinterpret_cast<LPCITEMIDLIST>(Message.WParam));
}

void TkvCustomInnerShellTreeView::SelectFolder(LPCITEMIDLIST List) {
  if (!List) return;
  FNavigating = true;
  TTreeNodes* nodes = GetItems();
  nodes->BeginUpdate();
  try {
    const Integer rootCount = ItemIdCount(FRoot->GetIdList());
    if (ItemIdCount(List) >= rootCount) {
      LPCITEMIDLIST rest = List;
      for (Integer i = 0; i < rootCount; ++i) rest = NextItemId(rest);
      TTreeNode* node = nodes->GetFirstNode();
      if (node) node->SetSelected(true);
      for (; node && rest && rest->mkid.cb; rest = NextItemId(rest)) {
        LPITEMIDLIST single = FirstItemId(rest);
        const Integer index = ProducerOf(node) ? ProducerOf(node)->IndexOfId(single) : -1;
        FreeIdList(single);
        if (index < 0 || index >= node->GetCount()) break;
        node = node->GetItem(index);
        node->SetSelected(true);
      }
      if (TTreeNode* selected = GetSelected()) selected->MakeVisible();
    } else {
      FRoot->AssignIdList(List);
      if (TTreeNode* first = nodes->GetFirstNode()) first->SetSelected(true);
    }
  } catch (...) {
    FNavigating = false;
    nodes->EndUpdate();
    throw;
  }
  FNavigating = false;
  nodes->EndUpdate();
}

void TkvCustomInnerShellTreeView::KVSMReselect(TMessage& Message) {
  auto* list = reinterpret_cast<LPITEMIDLIST>(Message.WParam);
  const bool autoExpand = GetAutoExpand();
  SetAutoExpand(false);
  try {
    Perform(KVSM_SELECT_FOLDER, reinterpret_cast<WPARAM>(list), 0);
  } catch (...) {
    SetAutoExpand(autoExpand);
    FreeIdList(list);
    throw;
  }
  SetAutoExpand(autoExpand);
  FreeIdList(list);
}

// ---- Renaming ------------------------------------------------------------------------------

bool TkvCustomInnerShellTreeView::CanEdit(TTreeNode* Node) {
  if (!Node || !Node->GetParent()) return false;
  TkvShellTreeItemProducer* parent = ProducerOf(Node->GetParent());
  parent->BeginRead();
  const Integer index = Node->GetIndex();
  const bool renamable =
      index < parent->ItemCount() && parent->Item(index)->GetFetched() && parent->Item(index)->Renamable;
  parent->EndRead();
  return renamable && TTreeView::CanEdit(Node);
}

void TkvCustomInnerShellTreeView::Edit(const TVITEM& Item) {
  auto* node = reinterpret_cast<TTreeNode*>(Item.lParam);
  if (!node) return;
  const String oldText = node->GetText();
  TTreeView::Edit(Item);
  if (!Item.pszText || !node->GetParent()) return;
  // Our own rename is no change to rebuild for; tracking resumes with the next selection.
  StopTracking();
  TkvShellTreeItemProducer* parent = ProducerOf(node->GetParent());
  const Integer index = node->GetIndex();
  parent->GetGatherer()->PauseWorker();
  parent->BeginWrite();
  if (index < parent->ItemCount()) {
    TkvShellItemInfo* item = parent->Item(index);
    LPITEMIDLIST renamed = nullptr;
    if (parent->GetFolderIntf()->SetNameOf(nullptr, item->GetItemIdList(), node->GetText().c_str(),
                                           SHGDN_INFOLDER | SHGDN_FORPARSING, &renamed) == S_OK && renamed) {
      item->ReplaceIdList(parent->GetFolderIntf(), parent->GetFolderIdList(), renamed);
      ILFree(renamed);
    } else {
      node->SetText(oldText);
    }
  }
  parent->EndWrite();
  parent->GetGatherer()->ResumeWorker();
}

// ---- Rebuild -------------------------------------------------------------------------------

void TkvCustomInnerShellTreeView::KeyDown(Word& Key, TShiftState Shift) {
  TTreeView::KeyDown(Key, Shift);
  if (Key == VK_F5) RefreshTree();
}

void TkvCustomInnerShellTreeView::RefreshTree() {
  if (!HandleAllocated()) return;
  FRoot->EnsureResolved();
  // The same shape as a change notice: two lists, the second none.
  LPCITEMIDLIST lists[2] = {FRoot->GetIdList(), nullptr};
  SendMessage(GetHandle(), KVSM_TREE_SHELL_NOTIFY, reinterpret_cast<WPARAM>(lists), 0);
}

void TkvCustomInnerShellTreeView::SaveState() {
  TTreeNode* top = GetTopItem();
  FSavedTopIndex = top ? top->GetAbsoluteIndex() : -1;
  auto listOf = [&](TTreeNode* Node) -> LPITEMIDLIST {
    TTreeNode* parent = Node->GetParent();
    if (!parent) return CopyIdList(FRoot->GetIdList());
    TkvShellTreeItemProducer* producer = ProducerOf(parent);
    producer->BeginRead();
    const Integer index = Node->GetIndex();
    LPITEMIDLIST list = index < producer->ItemCount() ? CopyIdList(producer->Item(index)->GetFullIdList()) : nullptr;
    producer->EndRead();
    return list;
  };
  for (TTreeNode* node = GetItems()->GetFirstNode(); node; node = node->GetNext())
    if (node->GetExpanded()) FSavedExpanded.push_back(node->GetParent() ? listOf(node) : nullptr);
  FreeIdList(FSavedSelection);
  FSavedSelection = GetSelected() ? listOf(GetSelected()) : nullptr;
}

void TkvCustomInnerShellTreeView::RestoreState() {
  for (LPITEMIDLIST list : FSavedExpanded) {
    if (TTreeNode* node = FindNode(list ? list : FRoot->GetIdList())) node->Expand(false);
    FreeIdList(list);
  }
  FSavedExpanded.clear();
  if (FSavedTopIndex >= 0 && FSavedTopIndex < GetItems()->GetCount())
    SendMessage(GetHandle(), TVM_SELECTITEM, TVGN_FIRSTVISIBLE,
                reinterpret_cast<LPARAM>(GetItems()->GetItem(FSavedTopIndex)->GetItemId()));
  if (FSavedSelection) {
    // A folder that went is replaced by its nearest ancestor that is still there.
    LPITEMIDLIST list = CopyIdList(FSavedSelection);
    while (!FindNode(list) && ItemIdCount(list) > 0) {
      LPITEMIDLIST parent = ParentIdList(list);
      FreeIdList(list);
      list = parent;
    }
    PostMessage(GetHandle(), KVSM_RESELECT, reinterpret_cast<WPARAM>(list), 0);
    FreeIdList(FSavedSelection);
    FSavedSelection = nullptr;
  }
}

void TkvCustomInnerShellTreeView::KVSMTreeShellNotify(TMessage& Message) {
  auto* lists = reinterpret_cast<LPCITEMIDLIST*>(Message.WParam);
  if (FRegisteringNotify || FRebuilding || !lists) return;
  if (Message.LParam == SHCNE_UPDATEITEM && !FindNode(lists[0])) return;
  // A drag over the tree holds targets of its nodes: they stay until it has gone.
  if (FDragData) {
    FOnShellChange(this, static_cast<Cardinal>(Message.LParam), lists[0], lists[1]);
    return;
  }
  TTreeNodes* nodes = GetItems();
  nodes->BeginUpdate();
  FRebuilding = true;
  HWND parent = GetParent() && GetParent()->HandleAllocated() ? GetParent()->GetHandle() : nullptr;
  if (parent) SendMessage(parent, WM_SETREDRAW, FALSE, 0);
  try {
    SaveState();
    try {
      ClearNodes();
      LoadNode(nullptr, false);
    } catch (...) {
      RestoreState();
      throw;
    }
    RestoreState();
  } catch (...) {
    if (parent) {
      SendMessage(parent, WM_SETREDRAW, TRUE, 0);
      RedrawWindow(parent, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
    }
    FRebuilding = false;
    nodes->EndUpdate();
    throw;
  }
  if (parent) {
    SendMessage(parent, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(parent, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
  }
  FRebuilding = false;
  nodes->EndUpdate();
  FOnShellChange(this, static_cast<Cardinal>(Message.LParam), lists[0], lists[1]);
}

// ---- Drag and drop -------------------------------------------------------------------------

bool TkvCustomInnerShellTreeView::IsLiveProducer(TkvShellTreeItemProducer* Producer) {
  TList* producers = FProducers->LockList();
  const bool live = Producer && producers->IndexOf(Producer) >= 0;
  FProducers->UnlockList();
  return live;
}

void TkvCustomInnerShellTreeView::StartTreeDrag() {
  TTreeNode* node = GetSelected();
  TTreeNode* parentNode = node ? node->GetParent() : nullptr;
  TkvShellTreeItemProducer* parent = ProducerOf(parentNode);
  if (!parent) return;
  LPITEMIDLIST item = nullptr;
  parent->BeginRead();
  TInterfacePtr<IShellFolder> folder(parent->GetFolderIntf());
  const Integer index = node->GetIndex();
  if (index < parent->ItemCount()) item = CopyIdList(parent->Item(index)->GetItemIdList());
  parent->EndRead();
  LPCITEMIDLIST items[] = {item};
  void* raw = nullptr;
  // The lock is not held over the drag: a drop into this tree reads the folders again.
  if (folder && item && folder->GetUIObjectOf(GetHandle(), 1, items, IDataObject::IID, nullptr, &raw) == S_OK && raw) {
    auto data = TInterfacePtr<IDataObject>::Attach(static_cast<IDataObject*>(raw));
    TInterfacePtr<IDropSource> source(new TkvDropSource);
    DWORD effect = DROPEFFECT_NONE;
    TWeakRef<TkvCustomInnerShellTreeView> self(this);
    DoDragDrop(data.Get(), source.Get(), FDragDropSettings->GetAllowedEffects(), &effect);
    if (self && effect != DROPEFFECT_NONE && IsLiveProducer(parent) && !parent->RefreshItems())
      LoadNode(parent->Node, false);
  }
  FreeIdList(item);
}

void TkvCustomInnerShellTreeView::SetDropHighlightNode(TTreeNode* Node) {
  if (FDropHighlightNode) FDropHighlightNode->SetDropTarget(false);
  FDropHighlightNode = Node;
  if (Node) Node->SetDropTarget(true);
}

bool TkvCustomInnerShellTreeView::DropHover(const TPoint& ScreenPoint) {
  const TPoint p = ScreenToClient(ScreenPoint);
  TTreeNode* node = GetNodeAt(p.X, p.Y);
  if (!node) {
    DropLeave();
    return false;
  }
  if (node == FDropHighlightNode && FDropTarget) return false;
  DropLeave();
  void* raw = nullptr;
  TTreeNode* parentNode = node->GetParent();
  if (!parentNode) {
    TkvShellTreeItemProducer* producer = ProducerOf(node);
    TInterfacePtr<IShellFolder> folder(producer ? producer->GetFolderIntf() : nullptr);
    if (folder) folder->CreateViewObject(GetHandle(), IDropTarget::IID, &raw);
  } else if (TkvShellTreeItemProducer* parent = ProducerOf(parentNode)) {
    LPITEMIDLIST item = nullptr;
    bool container = false;
    parent->BeginRead();
    TInterfacePtr<IShellFolder> folder(parent->GetFolderIntf());
    const Integer index = node->GetIndex();
    if (index < parent->ItemCount()) {
      item = CopyIdList(parent->Item(index)->GetItemIdList());
      container = parent->Item(index)->IsContainer;
    }
    parent->EndRead();
    if (folder && item) {
      void* bound = nullptr;
      if (container) {
        if (folder->BindToObject(item, nullptr, IShellFolder::IID, &bound) == S_OK && bound) {
          auto sub = TInterfacePtr<IShellFolder>::Attach(static_cast<IShellFolder*>(bound));
          sub->CreateViewObject(GetHandle(), IDropTarget::IID, &raw);
        }
      } else {
        LPCITEMIDLIST items[] = {item};
        folder->GetUIObjectOf(GetHandle(), 1, items, IDropTarget::IID, nullptr, &raw);
      }
    }
    FreeIdList(item);
  }
  if (raw) {
    FDropTarget = TInterfacePtr<IDropTarget>::Attach(static_cast<IDropTarget*>(raw));
    SetDropHighlightNode(node);
  }
  return true;
}

void TkvCustomInnerShellTreeView::Dropped() {
  if (FDropHighlightNode)
    PostMessage(GetHandle(), KVSM_SHELL_NOTIFY, reinterpret_cast<WPARAM>(ProducerOf(FDropHighlightNode)), 0);
}

void TkvCustomInnerShellTreeView::KVSMShellNotify(TMessage& Message) {
  auto* producer = reinterpret_cast<TkvShellTreeItemProducer*>(Message.WParam);
  // A rebuild meanwhile took the node with it.
  if (!IsLiveProducer(producer)) return;
  if (!producer->RefreshItems()) LoadNode(producer->Node, false);
}
