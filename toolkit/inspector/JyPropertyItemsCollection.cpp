// The inspector's item collection: tree order, name order and the active list between them.

#include <algorithm>

#include "toolkit/inspector/JyInspector.h"
#include "toolkit/inspector/JyPropertyItems.h"

TJyPropertyItems::TJyPropertyItems(TComponent* AOwner)
    : TComponent(AOwner), FOwnerControl(dynamic_cast<TJyCustomInspector*>(AOwner)) {}

TJyPropertyItems::~TJyPropertyItems() {
  try {
    Clear();
  } catch (...) {
    // A handler that fails while the inspector goes must not stop the others from being freed.
  }
}

Integer TJyPropertyItems::IndexIn(const std::vector<TJyPropertyItem*>& List, const TJyPropertyItem* Item) {
  const auto at = std::find(List.begin(), List.end(), Item);
  return at == List.end() ? -1 : static_cast<Integer>(at - List.begin());
}

Integer TJyPropertyItems::DescendantCount(const std::vector<TJyPropertyItem*>& List, const TJyPropertyItem* Item) {
  const Integer at = IndexIn(List, Item);
  if (at < 0) return 0;
  Integer count = 0;
  for (Integer i = at + 1; i < static_cast<Integer>(List.size()) && List[i]->GetLevel() > Item->GetLevel(); ++i)
    ++count;
  return count;
}

void TJyPropertyItems::AddItem(TJyPropertyItem* Parent, TJyPropertyItem* Item, bool AddAsLast) {
  Item->FCollection = this;
  if (Parent) {
    Item->FParent = Parent;
    Item->FLevel = Parent->FLevel + 1;
    Item->FAttached = true;
    Item->FHidden = Parent->FHidden || !Parent->FExpanded;
    ++Parent->FChildCount;
    auto place = [&](std::vector<TJyPropertyItem*>& List, Integer ParentAt) {
      const Integer at = AddAsLast ? ParentAt + 1 + DescendantCount(List, Parent) : ParentAt + 1;
      List.insert(List.begin() + std::min<Integer>(at, static_cast<Integer>(List.size())), Item);
    };
    place(FTree, IndexIn(FTree, Parent));
    const Integer sortedParent = IndexIn(FSorted, Parent);
    if (sortedParent >= 0)
      place(FSorted, sortedParent);
    else if (AddAsLast)
      FSorted.push_back(Item);
    else
      FSorted.insert(FSorted.begin(), Item);
    if (Parent->FChildCount == 1) Parent->ItemChanged(ickRepaint);
  } else {
    Item->FLevel = 0;
    Item->FAttached = true;
    if (AddAsLast)
      FTree.push_back(Item);
    else
      FTree.insert(FTree.begin(), Item);
  }
  if (FOwnerControl) Item->FFont->Assign(FOwnerControl->GetFont());
  Item->FValueFont->Assign(Item->FFont.get());
  if (!Item->FHidden) Item->ItemChanged(ickAdded);
}

void TJyPropertyItems::Remove(TJyPropertyItem* Item) {
  const Integer at = IndexIn(FTree, Item);
  if (at >= 0) FTree.erase(FTree.begin() + at);
  const Integer sortedAt = IndexIn(FSorted, Item);
  if (sortedAt >= 0) FSorted.erase(FSorted.begin() + sortedAt);
  Item->ItemChanged(ickRemoved);
  if (Item->FParent) --Item->FParent->FChildCount;
  FOnChange(this);
}

void TJyPropertyItems::DeleteChildren(TJyPropertyItem* Item) {
  for (;;) {
    const Integer at = IndexIn(FTree, Item);
    if (at < 0 || at + 1 >= static_cast<Integer>(FTree.size())) break;
    TJyPropertyItem* child = FTree[at + 1];
    if (child->FLevel <= Item->FLevel) break;
    // Reported while still attached, so the inspector drops the child as selection, editor,
    // hot or hint item before it is freed.
    child->ItemChanged(ickDeleted);
    const Integer sortedAt = IndexIn(FSorted, child);
    if (sortedAt >= 0) FSorted.erase(FSorted.begin() + sortedAt);
    FTree.erase(FTree.begin() + at + 1);
    child->FCollection = nullptr;
    child->FAttached = false;
    delete child;
  }
  Item->FChildCount = 0;
}

void TJyPropertyItems::Clear() {
  while (!FTree.empty()) delete FTree.back();
  FOnChange(this);
}

void TJyPropertyItems::SetArrange(TItemsArrange Arrange) {
  if (Arrange == taCatagory || Arrange == taName) FArrange = Arrange;
}
