// The published shell folder tree: container, inner-tree plumbing and the Path property.

#include "toolkit/editors/kvShellTreeView.h"

#include "rtl/ClassRegistry.h"
#include "user/WindowDC.h"
#include "vcl/ControlsMessages.h"

// ---- Inner tree ----------------------------------------------------------------------------

TAVREN_CLASS_IMPL(TkvInnerShellTreeView)

TAVREN_MESSAGE_TABLE(TkvInnerShellTreeView, MESSAGE_HANDLER(WM_GETDLGCODE, WMGetDlgCode),
                     MESSAGE_HANDLER(WM_SETFOCUS, WMSetFocus), MESSAGE_HANDLER(WM_KILLFOCUS, WMKillFocus),
                     MESSAGE_HANDLER(WM_NCPAINT, WMNCPaint), MESSAGE_HANDLER(CM_MOUSEENTER, CMMouseEnter),
                     MESSAGE_HANDLER(CM_MOUSELEAVE, CMMouseLeave))

TkvInnerShellTreeView::TkvInnerShellTreeView(TComponent* AOwner)
    : TkvInnerControlRelay<TkvCustomInnerShellTreeView>(AOwner) {
  SetBorderStyle(bsNone);
  FControlStyle.Include(csDoubleClicks);
  SetParentColor(false);
  SetParentFont(true);
}

bool TkvInnerShellTreeView::IsLoading() {
  return FContainer ? FContainer->GetComponentState().Contains(csLoading) : TkvCustomInnerShellTreeView::IsLoading();
}

void TkvInnerShellTreeView::WndProc(TMessage& Message) {
  if (FContainer && FContainer->HandleInnerCNKey(Message)) return;
  TWeakRef<TkvInnerShellTreeView> self(this);
  TkvCustomInnerShellTreeView::WndProc(Message);
  if (!self || !FContainer) return;
  switch (Message.Msg) {
    case WM_WINDOWPOSCHANGED:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case TVM_ENSUREVISIBLE:
    case KVSM_SHELL_NOTIFY:
    case KVSM_ITEMS_ENUMERATED:
    case KVSM_TREE_SHELL_NOTIFY: FContainer->UpdateInnerScrollBars(false); break;
    default: break;
  }
}

void TkvInnerShellTreeView::CreateWnd() {
  TkvCustomInnerShellTreeView::CreateWnd();
  if (!FContainer) return;
  FContainer->UpdateInnerScrollBars(false);
  FContainer->ApplyPendingPath();
}

TkvContainer* TkvInnerShellTreeView::RelayTarget() const { return FContainer; }

void TkvInnerShellTreeView::DragDrop(TObject* Source, Integer X, Integer Y) {
  if (FContainer) FContainer->DragDrop(Source, X + GetLeft(), Y + GetTop());
}

void TkvInnerShellTreeView::DragOver(TObject* Source, Integer X, Integer Y, TDragState State, bool& Accept) {
  if (FContainer) FContainer->DragOver(Source, X + GetLeft(), Y + GetTop(), State, Accept);
}

void TkvInnerShellTreeView::WMNCPaint(TMessage& Message) {
  InheritedMessage(Message);
  PaintScrollBarCorner();
}

// ---- Container -----------------------------------------------------------------------------

TAVREN_CLASS_IMPL_PUBLISHED(TkvCustomShellTreeView)

TAVREN_CLASS_IMPL_PUBLISHED(TkvShellTreeView,
    PROPERTY(Align).Default(alNone),
    PROPERTY(Anchors),
    PROPERTY(AutoExpand).Default(false),
    PROPERTY(ChangeDelay).Default(0),
    PROPERTY(Constraints),
    PROPERTY(DragDropSettings),
    PROPERTY(Enabled).Default(true),
    PROPERTY(HideSelection).Default(true),
    PROPERTY(Indent),
    PROPERTY(Options),
    PROPERTY(ParentColor).Default(false),
    PROPERTY(ParentFont).Default(true),
    PROPERTY(ParentShowHint).Default(true),
    PROPERTY_AS(PopupMenu, GetKvPopupMenu, SetKvPopupMenu),
    PROPERTY(RightClickSelect).Default(false),
    PROPERTY(Root),
    PROPERTY(ShellListView),
    PROPERTY(ShowButtons).Default(true),
    PROPERTY(ShowHint),
    PROPERTY(ShowInfoTips).Default(false),
    PROPERTY(ShowLines).Default(true),
    PROPERTY(ShowRoot).Default(true),
    PROPERTY(StateImages),
    PROPERTY(Style),
    PROPERTY(StyleDisabled),
    PROPERTY(StyleFocused),
    PROPERTY(StyleHot),
    PROPERTY(TabOrder).Default(-1),
    PROPERTY(TabStop).Default(true),
    PROPERTY(TreeHotTrack).Default(false),
    PROPERTY(Visible).Default(true),
    PROPERTY(OnAddFolder),
    PROPERTY(OnChange),
    PROPERTY(OnChanging),
    PROPERTY(OnClick),
    PROPERTY(OnCollapsed),
    PROPERTY(OnCollapsing),
    PROPERTY(OnDblClick),
    PROPERTY(OnEdited),
    PROPERTY(OnEditing),
    PROPERTY(OnEnter),
    PROPERTY(OnExit),
    PROPERTY(OnExpanded),
    PROPERTY(OnExpanding),
    PROPERTY(OnKeyDown),
    PROPERTY(OnKeyPress),
    PROPERTY(OnKeyUp),
    PROPERTY(OnMouseDown),
    PROPERTY(OnMouseMove),
    PROPERTY(OnMouseUp),
    PROPERTY(OnShellChange))

TkvCustomShellTreeView::TkvCustomShellTreeView(TComponent* AOwner) : TkvContainer(AOwner) {
  FInnerTree = new TkvInnerShellTreeView(this);
  FInnerTree->FContainer = this;
  FInnerTree->SetAlign(alClient);
  FInnerTree->SetParent(this);
  FInnerTree->SetOnAddFolder(MakeEvent<&TkvCustomShellTreeView::RelayAddFolder>(this));
  FInnerTree->SetOnChange(MakeEvent<&TkvCustomShellTreeView::RelayChange>(this));
  FInnerTree->SetOnChanging(MakeEvent<&TkvCustomShellTreeView::RelayChanging>(this));
  FInnerTree->SetOnCollapsed(MakeEvent<&TkvCustomShellTreeView::RelayCollapsed>(this));
  FInnerTree->SetOnCollapsing(MakeEvent<&TkvCustomShellTreeView::RelayCollapsing>(this));
  FInnerTree->SetOnEdited(MakeEvent<&TkvCustomShellTreeView::RelayEdited>(this));
  FInnerTree->SetOnEditing(MakeEvent<&TkvCustomShellTreeView::RelayEditing>(this));
  FInnerTree->SetOnExpanded(MakeEvent<&TkvCustomShellTreeView::RelayExpanded>(this));
  FInnerTree->SetOnExpanding(MakeEvent<&TkvCustomShellTreeView::RelayExpanding>(this));
  FInnerTree->SetOnRootChanged(MakeEvent<&TkvCustomShellTreeView::RootChanged>(this));
  FInnerTree->SetOnShellChange(MakeEvent<&TkvCustomShellTreeView::RelayShellChange>(this));
  SetInnerControl(FInnerTree);
  SetBounds(GetLeft(), GetTop(), 121, 97);
}

TkvCustomShellTreeView::~TkvCustomShellTreeView() {
  if (FInnerTree) {
    FInnerTree->FContainer = nullptr;
    delete FInnerTree;
  }
}

void TkvCustomShellTreeView::Notification(TComponent* AComponent, TOperation Operation) {
  TkvContainer::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FInnerTree) FInnerTree = nullptr;
  if (AComponent == FShellListView) FShellListView = nullptr;
}

void TkvCustomShellTreeView::SetShellListView(TkvCustomShellListView* Value) {
  if (FShellListView == Value) return;
  if (FShellListView) FShellListView->RemoveFreeNotification(this);
  FShellListView = Value;
  if (Value) Value->FreeNotification(this);
  if (FInnerTree) FInnerTree->SetListView(Value ? Value->GetInnerListView() : nullptr);
  if (Value && FInnerTree && FInnerTree->GetSelected()) FInnerTree->SyncListView(FInnerTree->GetSelected());
}

template <class F>
void TkvCustomShellTreeView::RelayThenUpdate(F&& Fire) {
  try {
    Fire();
  } catch (...) {
    UpdateInnerScrollBars(false);
    throw;
  }
  UpdateInnerScrollBars(false);
}

void TkvCustomShellTreeView::RelayChange(TObject*, TTreeNode* Node) {
  RelayThenUpdate([&] { FOnChange(this, Node); });
}

void TkvCustomShellTreeView::RelayCollapsed(TObject*, TTreeNode* Node) {
  RelayThenUpdate([&] { FOnCollapsed(this, Node); });
}

void TkvCustomShellTreeView::RelayEdited(TObject*, TTreeNode* Node, String& S) {
  RelayThenUpdate([&] { FOnEdited(this, Node, S); });
}

void TkvCustomShellTreeView::RelayExpanded(TObject*, TTreeNode* Node) {
  RelayThenUpdate([&] { FOnExpanded(this, Node); });
}

void TkvCustomShellTreeView::SetIndent(Integer Value) {
  if (GetIndent() == Value) return;
  FInnerTree->SetIndent(Value);
  UpdateInnerScrollBars(false);
}

Byte TkvCustomShellTreeView::GetEffectiveFilter(bool ForceHidden) {
  TkvShellTreeViewOptions* options = GetOptions();
  return (options->GetShowFolders() ? kvsfFolders : 0) | (options->GetShowNonFolders() ? kvsfNonFolders : 0) |
         (options->GetShowHidden() || ForceHidden ? kvsfHidden : 0);
}

LPITEMIDLIST TkvCustomShellTreeView::GetNodeIdList(TTreeNode* Node) {
  auto* producer = Node ? static_cast<TkvShellTreeItemProducer*>(Node->GetData()) : nullptr;
  if (producer && producer->GetFolderIdList()) return CopyIdList(producer->GetFolderIdList());
  TkvShellTreeRoot* root = GetRoot();
  root->EnsureResolved();
  LPITEMIDLIST list = CopyIdList(root->GetIdList());
  if (!Node || !Node->GetParent()) return list;
  std::vector<String> names;
  for (TTreeNode* n = Node; n->GetParent(); n = n->GetParent()) names.insert(names.begin(), n->GetText());
  TInterfacePtr<IShellFolder> folder = root->GetFolderIntf();
  for (size_t i = 0; i < names.size() && folder; ++i) {
    LPITEMIDLIST child = FindChildByName(folder.Get(), names[i], GetEffectiveFilter(false));
    if (!child) break;
    LPITEMIDLIST joined = ConcatIdLists(list, child);
    FreeIdList(list);
    list = joined;
    if (i + 1 < names.size()) {
      void* bound = nullptr;
      folder = folder->BindToObject(child, nullptr, IShellFolder::IID, &bound) == S_OK && bound
                   ? TInterfacePtr<IShellFolder>::Attach(static_cast<IShellFolder*>(bound))
                   : nullptr;
    }
    FreeIdList(child);
  }
  return list;
}

String TkvCustomShellTreeView::GetPath() {
  if (!FInnerTree || !FInnerTree->GetSelected()) return FPathPending ? FPendingPath : String();
  LPITEMIDLIST list = GetNodeIdList(FInnerTree->GetSelected());
  const String path = IdListToPath(list);
  FreeIdList(list);
  return path;
}

void TkvCustomShellTreeView::SetPath(const String& Value) {
  if (!FInnerTree) return;
  if (!FInnerTree->HandleAllocated()) {
    // Applied once the tree has its window: a path given before the dialog shows is not lost.
    FPendingPath = Value;
    FPathPending = true;
    return;
  }
  // With nothing selected yet, an empty path still selects the root.
  if (FInnerTree->GetSelected() && Value == GetPath()) return;
  LPITEMIDLIST list = ParsePath(Value, GetRoot(), GetEffectiveFilter(true), true);
  if (!list) return;
  SendMessage(FInnerTree->GetHandle(), KVSM_SELECT_FOLDER, reinterpret_cast<WPARAM>(list), 0);
  FreeIdList(list);
}

void TkvCustomShellTreeView::ApplyPendingPath() {
  if (!FPathPending) return;
  FPathPending = false;
  const String path = std::exchange(FPendingPath, String());
  SetPath(path);
}

void TkvCustomShellTreeView::ScrollContent(TScrollBarKind Kind, TScrollCode ScrollCode, Integer& Position) {
  if (!GetEnabled() || !FInnerTree->HandleAllocated()) return;
  HWND inner = FInnerTree->GetHandle();
  const int bar = Kind == sbHorizontal ? SB_HORZ : SB_VERT;
  if (Kind == sbVertical && ScrollCode == scTrack) {
    SCROLLINFO info;
    info.fMask = SIF_POS;
    info.nPos = Position;
    SetScrollInfo(inner, SB_VERT, &info, FALSE);
  }
  FInnerTree->CallDefault(Kind == sbHorizontal ? WM_HSCROLL : WM_VSCROLL,
                          MAKEWPARAM(static_cast<WORD>(ScrollCode), static_cast<WORD>(Position)),
                          reinterpret_cast<LPARAM>(Kind == sbHorizontal ? GetHScrollBar()->GetHandle()
                                                                        : GetVScrollBar()->GetHandle()));
  Position = GetScrollPos(inner, bar);
  UpdateInnerScrollBars(false);
}

void TkvCustomShellTreeView::SetFocus() {
  if (!IsDesignTime()) TkvContainer::SetFocus();
}

void TkvCustomShellTreeView::DoExit() {
  if (!IsBeingDestroyed()) TkvContainer::DoExit();
}

void TkvCustomShellTreeView::Loaded() {
  TkvContainer::Loaded();
  FInnerTree->Loaded();
  UpdateInnerScrollBars(false);
}

void kvShellTreeViewStart() { RegisterClasses({TkvShellTreeView::ClassInfo()}); }

void kvShellTreeViewEnd() { UnRegisterClass(TkvShellTreeView::ClassInfo()); }
