// TCustomTreeView: nodes over the SysTreeView32 window class, each window item carrying its node.

#include <utility>

#include "rtl/Lists.h"
#include "rtl/SysUtils.h"
#include "user/Timers.h"
#include "vcl/ComCtrls.h"

namespace {
// While the framework itself expands or collapses a node it has asked the events already.
bool gManualNotify = false;

constexpr DWORD kTreeStyleMask = TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_EDITLABELS |
                                 TVS_SHOWSELALWAYS | TVS_FULLROWSELECT | TVS_TRACKSELECT;
}  // namespace

// ---- Nodes --------------------------------------------------------------------------------------

TTreeNode::TTreeNode(TTreeNodes* AOwner) : FOwner(AOwner) {}
TTreeNode::~TTreeNode() = default;

TCustomTreeView* TTreeNode::GetTreeView() const { return FOwner->GetOwner(); }

HWND TTreeNode::Window() const {
  TCustomTreeView* tree = FOwner->GetOwner();
  return tree->HandleAllocated() ? tree->GetHandle() : nullptr;
}

void TTreeNode::UpdateItem(UINT Mask) {
  HWND window = Window();
  if (!window || !FItemId) return;
  TVITEM item;
  item.mask = Mask | TVIF_HANDLE;
  item.hItem = FItemId;
  item.pszText = const_cast<char*>(FText.c_str());
  item.iImage = FImageIndex;
  item.iSelectedImage = FSelectedIndex;
  SendMessage(window, TVM_SETITEM, 0, reinterpret_cast<LPARAM>(&item));
}

void TTreeNode::SetText(const String& Value) {
  FText = Value;
  UpdateItem(TVIF_TEXT);
}

void TTreeNode::SetImageIndex(Integer Value) {
  FImageIndex = Value;
  UpdateItem(TVIF_IMAGE);
}

void TTreeNode::SetSelectedIndex(Integer Value) {
  FSelectedIndex = Value;
  UpdateItem(TVIF_SELECTEDIMAGE);
}

bool TTreeNode::GetHasChildren() {
  HWND window = Window();
  if (!window) return false;
  TVITEM item;
  item.mask = TVIF_CHILDREN | TVIF_HANDLE;
  item.hItem = FItemId;
  SendMessage(window, TVM_GETITEM, 0, reinterpret_cast<LPARAM>(&item));
  return item.cChildren > 0;
}

UINT TTreeNode::StateBits(UINT Mask) {
  HWND window = Window();
  if (!window) return 0;
  TVITEM item;
  item.mask = TVIF_STATE | TVIF_HANDLE;
  item.hItem = FItemId;
  item.stateMask = Mask;
  SendMessage(window, TVM_GETITEM, 0, reinterpret_cast<LPARAM>(&item));
  return item.state & Mask;
}

void TTreeNode::SetState(UINT Mask, UINT Value) {
  HWND window = Window();
  if (!window) return;
  TVITEM item;
  item.mask = TVIF_STATE | TVIF_HANDLE;
  item.hItem = FItemId;
  item.stateMask = Mask;
  item.state = Value;
  SendMessage(window, TVM_SETITEM, 0, reinterpret_cast<LPARAM>(&item));
}

Integer TTreeNode::GetOverlayIndex() { return static_cast<Integer>(StateBits(TVIS_OVERLAYMASK) >> 8) - 1; }

void TTreeNode::SetOverlayIndex(Integer Value) {
  // The state keeps overlay images one based; 0 is none.
  SetState(TVIS_OVERLAYMASK, static_cast<UINT>(Value + 1) << 8 & TVIS_OVERLAYMASK);
}

Integer TTreeNode::GetStateIndex() {
  const auto index = static_cast<Integer>(StateBits(TVIS_STATEIMAGEMASK) >> 12);
  return index ? index : -1;
}

void TTreeNode::SetStateIndex(Integer Value) {
  SetState(TVIS_STATEIMAGEMASK, Value > 0 ? static_cast<UINT>(Value) << 12 & TVIS_STATEIMAGEMASK : 0);
}

void TTreeNode::SetHasChildren(bool Value) {
  HWND window = Window();
  if (!window) return;
  TVITEM item;
  item.mask = TVIF_CHILDREN | TVIF_HANDLE;
  item.hItem = FItemId;
  item.cChildren = Value ? 1 : 0;
  SendMessage(window, TVM_SETITEM, 0, reinterpret_cast<LPARAM>(&item));
}

bool TTreeNode::GetExpanded() { return StateBits(TVIS_EXPANDED) != 0; }

void TTreeNode::SetExpanded(bool Value) {
  HWND window = Window();
  if (!window || GetExpanded() == Value) return;
  TCustomTreeView* tree = GetTreeView();
  if (Value ? !tree->CanExpand(this) : !tree->CanCollapse(this)) return;
  // OnExpanding may have given the node no children after all; then there is nothing to open.
  if (Value && !GetHasChildren()) return;
  bool saved = std::exchange(gManualNotify, true);
  SendMessage(window, TVM_EXPAND, Value ? TVE_EXPAND : TVE_COLLAPSE, reinterpret_cast<LPARAM>(FItemId));
  gManualNotify = saved;
  if (Value)
    tree->Expand(this);
  else
    tree->Collapse(this);
}

void TTreeNode::Expand(bool Recurse) {
  SetExpanded(true);
  if (!Recurse) return;
  for (TTreeNode* child = GetFirstChild(); child; child = child->getNextSibling()) child->Expand(true);
}

void TTreeNode::Collapse(bool Recurse) {
  if (Recurse)
    for (TTreeNode* child = GetFirstChild(); child; child = child->getNextSibling()) child->Collapse(true);
  SetExpanded(false);
}

bool TTreeNode::GetSelected() {
  HWND window = Window();
  return window && reinterpret_cast<HTREEITEM>(SendMessage(window, TVM_GETNEXTITEM, TVGN_CARET, 0)) == FItemId;
}

void TTreeNode::SetSelected(bool Value) {
  HWND window = Window();
  if (!window) return;
  if (Value)
    SendMessage(window, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(FItemId));
  else if (GetSelected())
    SendMessage(window, TVM_SELECTITEM, TVGN_CARET, 0);
}

void TTreeNode::Delete() {
  HWND window = Window();
  // The window's deletion notice frees this node (and those below it).
  if (window && FItemId) SendMessage(window, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(FItemId));
}

void TTreeNode::DeleteChildren() {
  while (TTreeNode* child = GetFirstChild()) child->Delete();
}

void TTreeNode::MakeVisible() {
  if (HWND window = Window()) SendMessage(window, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(FItemId));
}

TRect TTreeNode::DisplayRect(bool TextOnly) {
  RECT rect{};
  HWND window = Window();
  if (!window || !TreeView_GetItemRect(window, FItemId, &rect, TextOnly)) return TRect{};
  return rect;
}

namespace {
// The window timer that holds back OnChange by the change delay.
constexpr UINT_PTR kChangeTimer = 0x7C01;

TTreeNode* Neighbour(TTreeNode* Node, UINT Relation) {
  HWND window = Node->GetTreeView()->GetHandle();
  auto item = reinterpret_cast<HTREEITEM>(
      SendMessage(window, TVM_GETNEXTITEM, Relation, reinterpret_cast<LPARAM>(Node->GetItemId())));
  return Node->GetOwner()->GetNode(item);
}
}  // namespace

TTreeNode* TTreeNode::GetParent() { return Neighbour(this, TVGN_PARENT); }
TTreeNode* TTreeNode::GetFirstChild() { return Neighbour(this, TVGN_CHILD); }
TTreeNode* TTreeNode::getNextSibling() { return Neighbour(this, TVGN_NEXT); }
TTreeNode* TTreeNode::getPrevSibling() { return Neighbour(this, TVGN_PREVIOUS); }

TTreeNode* TTreeNode::GetLastChild() {
  TTreeNode* last = GetFirstChild();
  while (last)
    if (TTreeNode* next = last->getNextSibling())
      last = next;
    else
      break;
  return last;
}

TTreeNode* TTreeNode::GetNext() {
  if (TTreeNode* child = GetFirstChild()) return child;
  for (TTreeNode* node = this; node; node = node->GetParent())
    if (TTreeNode* next = node->getNextSibling()) return next;
  return nullptr;
}

bool TTreeNode::HasAsParent(TTreeNode* Value) {
  for (TTreeNode* parent = GetParent(); parent; parent = parent->GetParent())
    if (parent == Value) return true;
  return false;
}

Integer TTreeNode::GetCount() {
  Integer count = 0;
  for (TTreeNode* child = GetFirstChild(); child; child = child->getNextSibling()) ++count;
  return count;
}

TTreeNode* TTreeNode::GetItem(Integer Index) {
  TTreeNode* child = GetFirstChild();
  for (Integer i = 0; child && i < Index; ++i) child = child->getNextSibling();
  if (!child || Index < 0) ListIndexError(Index);
  return child;
}

Integer TTreeNode::GetIndex() {
  Integer index = 0;
  for (TTreeNode* node = getPrevSibling(); node; node = node->getPrevSibling()) ++index;
  return index;
}

Integer TTreeNode::GetLevel() {
  Integer level = 0;
  for (TTreeNode* parent = GetParent(); parent; parent = parent->GetParent()) ++level;
  return level;
}

Integer TTreeNode::GetAbsoluteIndex() {
  Integer index = 0;
  for (TTreeNode* node = FOwner->GetFirstNode(); node && node != this; node = node->GetNext()) ++index;
  return index;
}

// ---- Node list ----------------------------------------------------------------------------------

TTreeNodes::TTreeNodes(TCustomTreeView* AOwner) : FOwner(AOwner) {}
TTreeNodes::~TTreeNodes() = default;

TTreeNode* TTreeNodes::GetNode(HTREEITEM ItemId) {
  if (!ItemId || !FOwner->HandleAllocated()) return nullptr;
  TVITEM item;
  item.mask = TVIF_PARAM | TVIF_HANDLE;
  item.hItem = ItemId;
  if (!SendMessage(FOwner->GetHandle(), TVM_GETITEM, 0, reinterpret_cast<LPARAM>(&item))) return nullptr;
  return reinterpret_cast<TTreeNode*>(item.lParam);
}

TTreeNode* TTreeNodes::InsertNode(HTREEITEM Parent, HTREEITEM After, const String& S, void* Ptr) {
  auto node = std::make_unique<TTreeNode>(this);
  node->FText = S;
  node->FData = Ptr;
  TVINSERTSTRUCT insert;
  insert.hParent = Parent;
  insert.hInsertAfter = After;
  insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
  insert.item.pszText = const_cast<char*>(node->FText.c_str());
  insert.item.iImage = node->FImageIndex;
  insert.item.iSelectedImage = node->FSelectedIndex;
  insert.item.lParam = reinterpret_cast<LPARAM>(node.get());
  auto id = reinterpret_cast<HTREEITEM>(
      SendMessage(FOwner->GetHandle(), TVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&insert)));
  if (!id) throw EOutOfResources("Failed to insert a tree node");
  node->FItemId = id;
  // A parent shows its button from its first child on.
  if (Parent != TVI_ROOT)
    if (TTreeNode* parent = GetNode(Parent); parent && !parent->GetHasChildren()) parent->SetHasChildren(true);
  // The window owns the node from here: its deletion notice frees it.
  return node.release();
}

TTreeNode* TTreeNodes::Add(TTreeNode* Sibling, const String& S) { return AddObject(Sibling, S, nullptr); }

TTreeNode* TTreeNodes::AddObject(TTreeNode* Sibling, const String& S, void* Ptr) {
  TTreeNode* parent = Sibling ? Sibling->GetParent() : nullptr;
  return InsertNode(parent ? parent->FItemId : TVI_ROOT, TVI_LAST, S, Ptr);
}

TTreeNode* TTreeNodes::AddFirst(TTreeNode* Sibling, const String& S) {
  TTreeNode* parent = Sibling ? Sibling->GetParent() : nullptr;
  return InsertNode(parent ? parent->FItemId : TVI_ROOT, TVI_FIRST, S, nullptr);
}

TTreeNode* TTreeNodes::AddChild(TTreeNode* Parent, const String& S) { return AddChildObject(Parent, S, nullptr); }

TTreeNode* TTreeNodes::AddChildObject(TTreeNode* Parent, const String& S, void* Ptr) {
  return InsertNode(Parent ? Parent->FItemId : TVI_ROOT, TVI_LAST, S, Ptr);
}

TTreeNode* TTreeNodes::AddChildFirst(TTreeNode* Parent, const String& S) {
  return InsertNode(Parent ? Parent->FItemId : TVI_ROOT, TVI_FIRST, S, nullptr);
}

TTreeNode* TTreeNodes::Insert(TTreeNode* Sibling, const String& S) {
  if (!Sibling) return Add(nullptr, S);
  TTreeNode* parent = Sibling->GetParent();
  TTreeNode* previous = Sibling->getPrevSibling();
  return InsertNode(parent ? parent->FItemId : TVI_ROOT, previous ? previous->FItemId : TVI_FIRST, S, nullptr);
}

void TTreeNodes::Delete(TTreeNode* Node) {
  if (Node) Node->Delete();
}

void TTreeNodes::Clear() {
  if (FOwner->HandleAllocated())
    SendMessage(FOwner->GetHandle(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
}

void TTreeNodes::BeginUpdate() {
  if (FUpdateCount++ == 0 && FOwner->HandleAllocated()) SendMessage(FOwner->GetHandle(), WM_SETREDRAW, FALSE, 0);
}

void TTreeNodes::EndUpdate() {
  if (FUpdateCount == 0 || --FUpdateCount > 0 || !FOwner->HandleAllocated()) return;
  SendMessage(FOwner->GetHandle(), WM_SETREDRAW, TRUE, 0);
  FOwner->Invalidate();
}

TTreeNode* TTreeNodes::GetFirstNode() {
  if (!FOwner->HandleAllocated()) return nullptr;
  return GetNode(reinterpret_cast<HTREEITEM>(SendMessage(FOwner->GetHandle(), TVM_GETNEXTITEM, TVGN_ROOT, 0)));
}

Integer TTreeNodes::GetCount() {
  return FOwner->HandleAllocated() ? static_cast<Integer>(SendMessage(FOwner->GetHandle(), TVM_GETCOUNT, 0, 0)) : 0;
}

TTreeNode* TTreeNodes::GetItem(Integer Index) {
  TTreeNode* node = GetFirstNode();
  for (Integer i = 0; node && i < Index; ++i) node = node->GetNext();
  if (!node || Index < 0) ListIndexError(Index);
  return node;
}

// ---- Tree view ----------------------------------------------------------------------------------

TAVREN_MESSAGE_TABLE(TCustomTreeView, MESSAGE_HANDLER(CN_NOTIFY, CNNotify), MESSAGE_HANDLER(WM_TIMER, WMTimer))

TCustomTreeView::TCustomTreeView(TComponent* AOwner)
    : TWinControl(AOwner), FTreeNodes(std::make_unique<TTreeNodes>(this)) {
  // No mouse capture of the framework's: the tree's window takes the mouse itself while it tells
  // a click from a drag, and eats the button's release meanwhile, so a capture set after the
  // press would never be let go.
  FControlStyle = TControlStyle{csDoubleClicks};
  SetBounds(0, 0, 121, 97);
  SetTabStop(true);
  FParentColor = false;
  SetColor(clWindow);
}

TCustomTreeView::~TCustomTreeView() {
  // The nodes go with the window, while this class still hears of it.
  if (HandleAllocated()) DestroyHandle();
}

DWORD TCustomTreeView::TreeStyles() const {
  DWORD style = 0;
  if (FShowLines) style |= TVS_HASLINES;
  if (FShowButtons) style |= TVS_HASBUTTONS;
  if (FShowRoot) style |= TVS_LINESATROOT;
  if (!FReadOnly) style |= TVS_EDITLABELS;
  if (!FHideSelection) style |= TVS_SHOWSELALWAYS;
  if (FRowSelect) style |= TVS_FULLROWSELECT;
  if (FHotTrack) style |= TVS_TRACKSELECT;
  if (FAutoExpand) style |= TVS_SINGLEEXPAND;
  return style;
}

void TCustomTreeView::SetStyleFlag(bool& Field, bool Value) {
  Field = Value;
  if (!HandleAllocated()) return;
  // Restyled in place: a new window would lose the nodes.
  DWORD style = static_cast<DWORD>(GetWindowLong(FHandle, GWL_STYLE));
  SetWindowLong(FHandle, GWL_STYLE, static_cast<LONG>((style & ~kTreeStyleMask) | TreeStyles()));
  Invalidate();
}

void TCustomTreeView::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  CreateSubClass(Params, WC_TREEVIEW);
  Params.Style |= TreeStyles();
  if (FBorderStyle == bsSingle) {
    if (GetCtl3D())
      Params.ExStyle |= WS_EX_CLIENTEDGE;
    else
      Params.Style |= WS_BORDER;
  }
}

void TCustomTreeView::CreateWnd() {
  inherited::CreateWnd();
  if (FImages) SendMessage(FHandle, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(FImages->GetHandle()));
  if (FStateImages)
    SendMessage(FHandle, TVM_SETIMAGELIST, TVSIL_STATE, reinterpret_cast<LPARAM>(FStateImages->GetHandle()));
  SendMessage(FHandle, TVM_SETINDENT, static_cast<WPARAM>(FIndent), 0);
}

void TCustomTreeView::DestroyWnd() {
  if (std::exchange(FChangePending, false)) KillTimer(GetHandle(), kChangeTimer);
  FIndent = GetIndent();
  FTreeNodes->Clear();
  inherited::DestroyWnd();
}

void TCustomTreeView::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FImages) SetImages(nullptr);
  if (AComponent == FStateImages) SetStateImages(nullptr);
}

void TCustomTreeView::SetImages(TCustomImageList* Value) {
  if (FImages) FImages->RemoveFreeNotification(this);
  FImages = Value;
  if (Value) Value->FreeNotification(this);
  if (HandleAllocated())
    SendMessage(FHandle, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(Value ? Value->GetHandle() : nullptr));
}

void TCustomTreeView::SetStateImages(TCustomImageList* Value) {
  if (FStateImages) FStateImages->RemoveFreeNotification(this);
  FStateImages = Value;
  if (Value) Value->FreeNotification(this);
  if (HandleAllocated())
    SendMessage(FHandle, TVM_SETIMAGELIST, TVSIL_STATE, reinterpret_cast<LPARAM>(Value ? Value->GetHandle() : nullptr));
}

Integer TCustomTreeView::GetIndent() {
  return HandleAllocated() ? static_cast<Integer>(SendMessage(FHandle, TVM_GETINDENT, 0, 0)) : FIndent;
}

void TCustomTreeView::SetIndent(Integer Value) {
  FIndent = Value;
  if (HandleAllocated()) SendMessage(FHandle, TVM_SETINDENT, static_cast<WPARAM>(Value), 0);
}

void TCustomTreeView::SetBorderStyle(TFormBorderStyle Value) {
  FBorderStyle = Value;
  if (!HandleAllocated()) return;
  // Set on the window as it is: a new window would lose the nodes.
  LONG ex = GetWindowLong(FHandle, GWL_EXSTYLE);
  SetWindowLong(FHandle, GWL_EXSTYLE, Value == bsSingle ? ex | WS_EX_CLIENTEDGE : ex & ~WS_EX_CLIENTEDGE);
  SetWindowPos(FHandle, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
}

TTreeNode* TCustomTreeView::GetSelected() {
  if (!HandleAllocated()) return nullptr;
  return FTreeNodes->GetNode(reinterpret_cast<HTREEITEM>(SendMessage(FHandle, TVM_GETNEXTITEM, TVGN_CARET, 0)));
}

void TCustomTreeView::SetSelected(TTreeNode* Value) {
  if (Value)
    Value->SetSelected(true);
  else if (HandleAllocated())
    SendMessage(FHandle, TVM_SELECTITEM, TVGN_CARET, 0);
}

TTreeNode* TCustomTreeView::GetTopItem() {
  if (!HandleAllocated()) return nullptr;
  return FTreeNodes->GetNode(
      reinterpret_cast<HTREEITEM>(SendMessage(FHandle, TVM_GETNEXTITEM, TVGN_FIRSTVISIBLE, 0)));
}

TTreeNode* TCustomTreeView::GetNodeAt(Integer X, Integer Y) {
  TVHITTESTINFO info;
  info.pt = {X, Y};
  SendMessage(GetHandle(), TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info));
  if (!info.hItem || !(info.flags & (TVHT_ONITEM | TVHT_ONITEMBUTTON | TVHT_ONITEMINDENT | TVHT_ONITEMRIGHT)))
    return nullptr;
  return FTreeNodes->GetNode(info.hItem);
}

void TCustomTreeView::FullExpand() {
  for (TTreeNode* node = FTreeNodes->GetFirstNode(); node; node = node->getNextSibling()) node->Expand(true);
}

void TCustomTreeView::FullCollapse() {
  for (TTreeNode* node = FTreeNodes->GetFirstNode(); node; node = node->getNextSibling()) node->Collapse(true);
}

bool TCustomTreeView::IsEditing() {
  return HandleAllocated() && SendMessage(FHandle, TVM_GETEDITCONTROL, 0, 0) != 0;
}

bool TCustomTreeView::CanExpand(TTreeNode* Node) {
  bool allow = true;
  FOnExpanding(this, Node, allow);
  return allow;
}

bool TCustomTreeView::CanCollapse(TTreeNode* Node) {
  bool allow = true;
  FOnCollapsing(this, Node, allow);
  return allow;
}

bool TCustomTreeView::CanEdit(TTreeNode* Node) {
  bool allow = !FReadOnly;
  if (allow) FOnEditing(this, Node, allow);
  return allow;
}

void TCustomTreeView::Edit(const TVITEM& Item) {
  auto* node = reinterpret_cast<TTreeNode*>(Item.lParam);
  if (!Item.pszText || !node) return;
  String text = Item.pszText;
  FOnEdited(this, node, text);
  node->SetText(text);
}

bool TCustomTreeView::CanChange(TTreeNode* Node) {
  bool allow = true;
  FOnChanging(this, Node, allow);
  return allow;
}

void TCustomTreeView::WMTimer(TMessage& Message) {
  if (Message.WParam != kChangeTimer || !FChangePending) return InheritedMessage(Message);
  FChangePending = false;
  KillTimer(GetHandle(), kChangeTimer);
  Change(GetSelected());
}

void TCustomTreeView::CNNotify(TMessage& Message) {
  auto* header = reinterpret_cast<NMHDR*>(Message.LParam);
  auto* tree = reinterpret_cast<NMTREEVIEW*>(header);
  auto nodeOf = [](const TVITEM& item) { return reinterpret_cast<TTreeNode*>(item.lParam); };
  switch (header->code) {
    case TVN_SELCHANGING: Message.Result = CanChange(nodeOf(tree->itemNew)) ? 0 : 1; break;
    case TVN_SELCHANGED:
      // The delay is for a person moving through the tree; a node the program selects is
      // reported at once, so that the program can go on from it.
      if (FChangeDelay > 0 && (tree->action == TVC_BYMOUSE || tree->action == TVC_BYKEYBOARD)) {
        FChangePending = true;
        SetTimer(GetHandle(), kChangeTimer, static_cast<UINT>(FChangeDelay), nullptr);
      } else {
        if (std::exchange(FChangePending, false)) KillTimer(GetHandle(), kChangeTimer);
        Change(nodeOf(tree->itemNew));
      }
      break;
    case TVN_ITEMEXPANDING:
      if (gManualNotify) break;
      if (tree->action & TVE_EXPAND)
        Message.Result = CanExpand(nodeOf(tree->itemNew)) ? 0 : 1;
      else if (tree->action & TVE_COLLAPSE)
        Message.Result = CanCollapse(nodeOf(tree->itemNew)) ? 0 : 1;
      break;
    case TVN_ITEMEXPANDED:
      if (gManualNotify) break;
      if (tree->action & TVE_EXPAND)
        Expand(nodeOf(tree->itemNew));
      else if (tree->action & TVE_COLLAPSE)
        Collapse(nodeOf(tree->itemNew));
      break;
    case TVN_DELETEITEM:
      if (TTreeNode* node = nodeOf(tree->itemOld)) {
        Delete(node);
        delete node;
      }
      break;
    case TVN_BEGINLABELEDIT: {
      auto* info = reinterpret_cast<NMTVDISPINFO*>(header);
      Message.Result = CanEdit(nodeOf(info->item)) ? 0 : 1;
      break;
    }
    case TVN_ENDLABELEDIT: Edit(reinterpret_cast<NMTVDISPINFO*>(header)->item); break;
    case NM_CLICK: Click(); break;
    case NM_DBLCLK: DblClick(); break;
  }
}
