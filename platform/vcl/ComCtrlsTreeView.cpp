// TCustomTreeView: the nodes it keeps, shown by a SysTreeView32 window whose items carry them.

#include <algorithm>
#include <functional>
#include <limits>
#include <memory>
#include <unordered_map>
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

namespace {
// An insertion index past every sibling.
constexpr Integer kAtEnd = std::numeric_limits<Integer>::max();
// The state bits a node keeps for a window made later; selection is the tree's.
constexpr UINT kKeptStates = TVIS_EXPANDED | TVIS_STATEIMAGEMASK | TVIS_OVERLAYMASK | TVIS_CUT | TVIS_DROPHILITED;
}  // namespace

TTreeNode::TTreeNode(TTreeNodes* AOwner) : FOwner(AOwner) {}
TTreeNode::~TTreeNode() = default;

TCustomTreeView* TTreeNode::GetTreeView() const { return FOwner->GetOwner(); }

HWND TTreeNode::Window() const {
  TCustomTreeView* tree = FOwner->GetOwner();
  return FItemId && tree->HandleAllocated() ? tree->GetHandle() : nullptr;
}

std::vector<TTreeNode*>& TTreeNode::Siblings() const { return FParent ? FParent->FChildren : FOwner->FRoots; }

void TTreeNode::Assign(TPersistent* Source) {
  auto* node = dynamic_cast<TTreeNode*>(Source);
  if (!node) return inherited::Assign(Source);
  SetText(node->GetText());
  SetData(node->GetData());
  SetImageIndex(node->GetImageIndex());
  SetSelectedIndex(node->GetSelectedIndex());
  SetState(kKeptStates & ~TVIS_EXPANDED, node->StateBits(kKeptStates & ~TVIS_EXPANDED));
  if (node->FHasChildren) SetHasChildren(true);
}

void TTreeNode::UpdateItem(UINT Mask) {
  HWND window = Window();
  if (!window) return;
  TVITEM item;
  item.mask = Mask | TVIF_HANDLE;
  item.hItem = FItemId;
  item.pszText = const_cast<char*>(FText.c_str());
  // The window asks for the images as it draws (TCustomTreeView::GetImageIndex); setting them
  // only makes it draw again.
  item.iImage = I_IMAGECALLBACK;
  item.iSelectedImage = I_IMAGECALLBACK;
  SendMessage(window, TVM_SETITEM, 0, reinterpret_cast<LPARAM>(&item));
}

void TTreeNode::SetText(const String& Value) {
  if (FText == Value) return;
  FText = Value;
  UpdateItem(TVIF_TEXT);
  FOwner->Resort(this, true);
}

void TTreeNode::SetData(void* Value) {
  if (FData == Value) return;
  FData = Value;
  FOwner->Resort(this, false);
}

// An unchanged index draws nothing again: the image handlers set it while the node is drawn.
void TTreeNode::SetImageIndex(Integer Value) {
  if (FImageIndex == Value) return;
  FImageIndex = Value;
  UpdateItem(TVIF_IMAGE);
}

void TTreeNode::SetSelectedIndex(Integer Value) {
  if (FSelectedIndex == Value) return;
  FSelectedIndex = Value;
  UpdateItem(TVIF_SELECTEDIMAGE);
}

bool TTreeNode::GetHasChildren() {
  if (!FChildren.empty()) return true;
  HWND window = Window();
  if (!window) return FHasChildren;
  TVITEM item;
  item.mask = TVIF_CHILDREN | TVIF_HANDLE;
  item.hItem = FItemId;
  SendMessage(window, TVM_GETITEM, 0, reinterpret_cast<LPARAM>(&item));
  return item.cChildren > 0;
}

void TTreeNode::SetHasChildren(bool Value) {
  FHasChildren = Value;
  HWND window = Window();
  if (!window) return;
  TVITEM item;
  item.mask = TVIF_CHILDREN | TVIF_HANDLE;
  item.hItem = FItemId;
  item.cChildren = Value || !FChildren.empty() ? 1 : 0;
  SendMessage(window, TVM_SETITEM, 0, reinterpret_cast<LPARAM>(&item));
}

UINT TTreeNode::StateBits(UINT Mask) {
  HWND window = Window();
  if (!window) return FState & Mask;
  TVITEM item;
  item.mask = TVIF_STATE | TVIF_HANDLE;
  item.hItem = FItemId;
  item.stateMask = Mask;
  SendMessage(window, TVM_GETITEM, 0, reinterpret_cast<LPARAM>(&item));
  return item.state & Mask;
}

void TTreeNode::SetState(UINT Mask, UINT Value) {
  FState = (FState & ~Mask) | (Value & Mask);
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

bool TTreeNode::GetExpanded() { return StateBits(TVIS_EXPANDED) != 0; }

void TTreeNode::SetExpanded(bool Value) {
  if (GetExpanded() == Value) return;
  TCustomTreeView* tree = GetTreeView();
  if (Value ? !tree->CanExpand(this) : !tree->CanCollapse(this)) return;
  // OnExpanding may have given the node no children after all; then there is nothing to open.
  if (Value && !GetHasChildren()) return;
  if (HWND window = Window()) {
    bool saved = std::exchange(gManualNotify, true);
    SendMessage(window, TVM_EXPAND, Value ? TVE_EXPAND : TVE_COLLAPSE, reinterpret_cast<LPARAM>(FItemId));
    gManualNotify = saved;
  }
  FState = Value ? FState | TVIS_EXPANDED : FState & ~TVIS_EXPANDED;
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

bool TTreeNode::GetSelected() { return GetTreeView()->GetSelected() == this; }

void TTreeNode::SetSelected(bool Value) {
  TCustomTreeView* tree = GetTreeView();
  if (Value)
    tree->SetSelected(this);
  else if (GetSelected())
    tree->SetSelected(nullptr);
}

void TTreeNode::Delete() { FOwner->Delete(this); }

void TTreeNode::DeleteChildren() {
  while (!FChildren.empty()) FOwner->Delete(FChildren.back());
}

void TTreeNode::AlphaSort(bool ARecurse) { FOwner->SortChildren(this, ARecurse); }

void TTreeNode::MakeVisible() {
  if (HWND window = Window()) SendMessage(window, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(FItemId));
}

TRect TTreeNode::DisplayRect(bool TextOnly) {
  RECT rect{};
  HWND window = Window();
  if (!window || !TreeView_GetItemRect(window, FItemId, &rect, TextOnly)) return TRect{};
  return rect;
}

TTreeNode* TTreeNode::getNextSibling() {
  std::vector<TTreeNode*>& siblings = Siblings();
  auto at = std::find(siblings.begin(), siblings.end(), this);
  return at == siblings.end() || at + 1 == siblings.end() ? nullptr : *(at + 1);
}

TTreeNode* TTreeNode::getPrevSibling() {
  std::vector<TTreeNode*>& siblings = Siblings();
  auto at = std::find(siblings.begin(), siblings.end(), this);
  return at == siblings.end() || at == siblings.begin() ? nullptr : *(at - 1);
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

TTreeNode* TTreeNode::GetItem(Integer Index) {
  if (Index < 0 || Index >= GetCount()) ListIndexError(Index);
  return FChildren[static_cast<size_t>(Index)];
}

Integer TTreeNode::GetIndex() {
  std::vector<TTreeNode*>& siblings = Siblings();
  return static_cast<Integer>(std::find(siblings.begin(), siblings.end(), this) - siblings.begin());
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

TTreeNodes::~TTreeNodes() {
  // The tree is going: its nodes go without telling it.
  std::function<void(TTreeNode*)> free = [&](TTreeNode* node) {
    for (TTreeNode* child : node->FChildren) free(child);
    delete node;
  };
  for (TTreeNode* node : FRoots) free(node);
}

TTreeNode* TTreeNodes::GetNode(HTREEITEM ItemId) {
  if (!ItemId || !FOwner->HandleAllocated()) return nullptr;
  TVITEM item;
  item.mask = TVIF_PARAM | TVIF_HANDLE;
  item.hItem = ItemId;
  if (!SendMessage(FOwner->GetHandle(), TVM_GETITEM, 0, reinterpret_cast<LPARAM>(&item))) return nullptr;
  return reinterpret_cast<TTreeNode*>(item.lParam);
}

void TTreeNodes::AddItems(TTreeNode* Node) {
  HWND window = FOwner->GetHandle();
  TTreeNode* previous = Node->getPrevSibling();
  TVINSERTSTRUCT insert;
  insert.hParent = Node->FParent ? Node->FParent->FItemId : TVI_ROOT;
  insert.hInsertAfter = previous ? previous->FItemId : TVI_FIRST;
  insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE | TVIF_CHILDREN;
  insert.item.pszText = const_cast<char*>(Node->FText.c_str());
  insert.item.iImage = I_IMAGECALLBACK;
  insert.item.iSelectedImage = I_IMAGECALLBACK;
  insert.item.lParam = reinterpret_cast<LPARAM>(Node);
  insert.item.state = Node->FState & kKeptStates;
  insert.item.stateMask = kKeptStates;
  insert.item.cChildren = Node->FHasChildren || !Node->FChildren.empty() ? 1 : 0;
  auto id = reinterpret_cast<HTREEITEM>(SendMessage(window, TVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&insert)));
  if (!id) throw EOutOfResources("Failed to insert a tree node");
  Node->FItemId = id;
  for (TTreeNode* child : Node->FChildren) AddItems(child);
}

TTreeNode* TTreeNodes::InsertNode(TTreeNode* Parent, Integer Index, const String& S, void* Ptr) {
  auto node = std::make_unique<TTreeNode>(this);
  node->FText = S;
  node->FData = Ptr;
  node->FParent = Parent;
  std::vector<TTreeNode*>& siblings = node->Siblings();
  auto at = siblings.begin() + std::clamp<Integer>(Index, 0, static_cast<Integer>(siblings.size()));
  if (FOwner->GetSortType() == stText || FOwner->GetSortType() == stBoth)
    at = std::find_if(siblings.begin(), siblings.end(),
                      [&](TTreeNode* sibling) { return FOwner->CompareNodes(sibling, node.get()) > 0; });
  TTreeNode* raw = node.get();
  siblings.insert(at, node.release());
  ++FCount;
  if (!FOwner->HandleAllocated()) return raw;
  try {
    AddItems(raw);
  } catch (...) {
    DeleteNode(raw);
    throw;
  }
  // A parent shows its button from its first child on.
  if (Parent && Parent->FItemId && Parent->GetCount() == 1) Parent->SetHasChildren(true);
  return raw;
}

TTreeNode* TTreeNodes::Add(TTreeNode* Sibling, const String& S) { return AddObject(Sibling, S, nullptr); }

TTreeNode* TTreeNodes::AddObject(TTreeNode* Sibling, const String& S, void* Ptr) {
  TTreeNode* parent = Sibling ? Sibling->GetParent() : nullptr;
  return InsertNode(parent, kAtEnd, S, Ptr);
}

TTreeNode* TTreeNodes::AddFirst(TTreeNode* Sibling, const String& S) {
  return InsertNode(Sibling ? Sibling->GetParent() : nullptr, 0, S, nullptr);
}

TTreeNode* TTreeNodes::AddChild(TTreeNode* Parent, const String& S) { return AddChildObject(Parent, S, nullptr); }

TTreeNode* TTreeNodes::AddChildObject(TTreeNode* Parent, const String& S, void* Ptr) {
  return InsertNode(Parent, kAtEnd, S, Ptr);
}

TTreeNode* TTreeNodes::AddChildFirst(TTreeNode* Parent, const String& S) { return InsertNode(Parent, 0, S, nullptr); }

TTreeNode* TTreeNodes::Insert(TTreeNode* Sibling, const String& S) {
  if (!Sibling) return Add(nullptr, S);
  return InsertNode(Sibling->GetParent(), Sibling->GetIndex(), S, nullptr);
}

void TTreeNodes::DeleteNode(TTreeNode* Node) {
  while (!Node->FChildren.empty()) DeleteNode(Node->FChildren.back());
  // Told while the node still stands in the tree and in the window.
  FOwner->Delete(Node);
  FOwner->NodeDeleted(Node);
  // The window's item has no children left; its deletion notice is the window's only.
  if (HWND window = Node->Window()) SendMessage(window, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(Node->FItemId));
  std::vector<TTreeNode*>& siblings = Node->Siblings();
  siblings.erase(std::remove(siblings.begin(), siblings.end(), Node), siblings.end());
  --FCount;
  delete Node;
}

void TTreeNodes::Delete(TTreeNode* Node) {
  if (!Node) return;
  TTreeNode* parent = Node->FParent;
  DeleteNode(Node);
  if (parent && parent->FChildren.empty() && !parent->FHasChildren) parent->SetHasChildren(false);
}

void TTreeNodes::Clear() {
  if (FRoots.empty()) return;
  BeginUpdate();
  try {
    while (!FRoots.empty()) DeleteNode(FRoots.back());
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TTreeNodes::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TTreeNodes*>(Source);
  if (!source) return inherited::Assign(Source);
  if (source == this) return;
  BeginUpdate();
  try {
    Clear();
    std::function<void(TTreeNode*, TTreeNode*)> copy = [&](TTreeNode* from, TTreeNode* parent) {
      TTreeNode* node = InsertNode(parent, kAtEnd, from->GetText(), from->GetData());
      node->Assign(from);
      for (TTreeNode* child : from->FChildren) copy(child, node);
    };
    for (TTreeNode* node : source->FRoots) copy(node, nullptr);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TTreeNodes::BeginUpdate() {
  if (FUpdateCount++ == 0 && FOwner->HandleAllocated()) SendMessage(FOwner->GetHandle(), WM_SETREDRAW, FALSE, 0);
}

void TTreeNodes::EndUpdate() {
  if (FUpdateCount == 0 || --FUpdateCount > 0 || !FOwner->HandleAllocated()) return;
  SendMessage(FOwner->GetHandle(), WM_SETREDRAW, TRUE, 0);
  FOwner->Invalidate();
}

TTreeNode* TTreeNodes::GetItem(Integer Index) {
  TTreeNode* node = GetFirstNode();
  for (Integer i = 0; node && i < Index; ++i) node = node->GetNext();
  if (!node || Index < 0) ListIndexError(Index);
  return node;
}

void TTreeNodes::AlphaSort(bool ARecurse) { SortChildren(nullptr, ARecurse); }

namespace {
// The window sorts its items by where their nodes stand.
int CompareByPosition(LPARAM A, LPARAM B, LPARAM Positions) {
  auto& position = *reinterpret_cast<std::unordered_map<LPARAM, size_t>*>(Positions);
  return position[A] < position[B] ? -1 : position[A] > position[B] ? 1 : 0;
}
}  // namespace

void TTreeNodes::SortChildren(TTreeNode* Parent, bool ARecurse) {
  std::vector<TTreeNode*>& children = Parent ? Parent->FChildren : FRoots;
  std::stable_sort(children.begin(), children.end(),
                   [this](TTreeNode* a, TTreeNode* b) { return FOwner->CompareNodes(a, b) < 0; });
  if (FOwner->HandleAllocated() && (!Parent || Parent->FItemId)) {
    std::unordered_map<LPARAM, size_t> positions;
    for (size_t i = 0; i < children.size(); ++i) positions[reinterpret_cast<LPARAM>(children[i])] = i;
    TVSORTCB sort;
    sort.hParent = Parent ? Parent->FItemId : TVI_ROOT;
    sort.lpfnCompare = CompareByPosition;
    sort.lParam = reinterpret_cast<LPARAM>(&positions);
    SendMessage(FOwner->GetHandle(), TVM_SORTCHILDRENCB, 0, reinterpret_cast<LPARAM>(&sort));
  }
  if (ARecurse)
    for (TTreeNode* child : children) SortChildren(child, true);
}

void TTreeNodes::Resort(TTreeNode* Node, bool ATextChanged) {
  TSortType sort = FOwner->GetSortType();
  if (sort == stBoth || sort == (ATextChanged ? stText : stData)) SortChildren(Node->FParent, false);
}

// ---- Tree view ----------------------------------------------------------------------------------

namespace {
// The window timer that holds back OnChange by the change delay.
constexpr UINT_PTR kChangeTimer = 0x7C01;
}  // namespace

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
  // The window goes while this class still hears of it; the nodes go with the node list.
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
  // The window shows the nodes as they were; putting them in reports no change.
  bool filling = std::exchange(FFillingWindow, true);
  try {
    for (TTreeNode* node : FTreeNodes->FRoots) FTreeNodes->AddItems(node);
    if (TTreeNode* selected = std::exchange(FSelectedNode, nullptr))
      SendMessage(FHandle, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(selected->FItemId));
  } catch (...) {
    FFillingWindow = filling;
    throw;
  }
  FFillingWindow = filling;
}

void TCustomTreeView::DestroyWnd() {
  if (std::exchange(FChangePending, false)) KillTimer(GetHandle(), kChangeTimer);
  FIndent = GetIndent();
  // The nodes keep what the window knew of them for the next window.
  FSelectedNode = GetSelected();
  for (TTreeNode* node = FTreeNodes->GetFirstNode(); node; node = node->GetNext()) {
    node->FState = node->StateBits(kKeptStates);
    if (node->FChildren.empty()) node->FHasChildren = node->GetHasChildren();
  }
  for (TTreeNode* node = FTreeNodes->GetFirstNode(); node; node = node->GetNext()) node->FItemId = nullptr;
  inherited::DestroyWnd();
}

void TCustomTreeView::NodeDeleted(TTreeNode* Node) {
  if (FSelectedNode == Node) FSelectedNode = nullptr;
}

void TCustomTreeView::SetSortType(TSortType Value) {
  if (FSortType == Value) return;
  FSortType = Value;
  if (Value != stNone) AlphaSort(true);
}

Integer TCustomTreeView::CompareNodes(TTreeNode* Node1, TTreeNode* Node2) {
  Integer result = 0;
  if (FOnCompare)
    FOnCompare(this, Node1, Node2, 0, result);
  else
    result = AnsiCompareText(Node1->GetText(), Node2->GetText());
  return result;
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
  if (!HandleAllocated()) return FSelectedNode;
  return FTreeNodes->GetNode(reinterpret_cast<HTREEITEM>(SendMessage(FHandle, TVM_GETNEXTITEM, TVGN_CARET, 0)));
}

void TCustomTreeView::SetSelected(TTreeNode* Value) {
  if (!HandleAllocated())
    FSelectedNode = Value;
  else
    SendMessage(FHandle, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(Value ? Value->FItemId : nullptr));
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
    case TVN_SELCHANGING:
      if (!FFillingWindow) Message.Result = CanChange(nodeOf(tree->itemNew)) ? 0 : 1;
      break;
    case TVN_SELCHANGED:
      if (FFillingWindow) break;
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
    case TVN_BEGINLABELEDIT: {
      auto* info = reinterpret_cast<NMTVDISPINFO*>(header);
      Message.Result = CanEdit(nodeOf(info->item)) ? 0 : 1;
      break;
    }
    case TVN_ENDLABELEDIT: Edit(reinterpret_cast<NMTVDISPINFO*>(header)->item); break;
    case TVN_GETDISPINFO: {
      TVITEM& item = reinterpret_cast<NMTVDISPINFO*>(header)->item;
      // The handlers may delete the node they are asked about: it then answers nothing more.
      TWeakRef<TTreeNode> node(nodeOf(item));
      if (!node) break;
      if (item.mask & TVIF_IMAGE) {
        GetImageIndex(node.Get());
        if (!node) break;
        item.iImage = node->FImageIndex;
      }
      if (item.mask & TVIF_SELECTEDIMAGE) {
        GetSelectedIndex(node.Get());
        if (!node) break;
        item.iSelectedImage = node->FSelectedIndex;
      }
      break;
    }
    case NM_CLICK: Click(); break;
    case NM_DBLCLK: DblClick(); break;
  }
}
