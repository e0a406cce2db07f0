#include "rtl/Lists.h"

#include <algorithm>

#include "rtl/SysUtils.h"

TAVREN_CLASS_IMPL(TList)
TAVREN_CLASS_IMPL(TObjectList)
TAVREN_CLASS_IMPL(TInterfaceList)
TAVREN_CLASS_IMPL(TThreadList)

void ListIndexError(Integer Index) { throw EListError(Format("List index out of bounds (%d)", Index)); }

// ---- TList ---------------------------------------------------------------------------------

TList::~TList() { TList::Clear(); }

void TList::CheckIndex(Integer Index) const {
  if (Index < 0 || Index >= GetCount()) ListIndexError(Index);
}

Integer TList::Add(void* Item) {
  FList.push_back(Item);
  if (Item) Notify(Item, lnAdded);
  return GetCount() - 1;
}

void TList::Insert(Integer Index, void* Item) {
  if (Index < 0 || Index > GetCount()) ListIndexError(Index);
  FList.insert(FList.begin() + Index, Item);
  if (Item) Notify(Item, lnAdded);
}

void TList::Delete(Integer Index) {
  CheckIndex(Index);
  void* item = FList[Index];
  FList.erase(FList.begin() + Index);
  if (item) Notify(item, lnDeleted);
}

void TList::Clear() {
  SetCount(0);
  FList.shrink_to_fit();
}

void TList::Exchange(Integer Index1, Integer Index2) {
  CheckIndex(Index1);
  CheckIndex(Index2);
  std::swap(FList[Index1], FList[Index2]);
}

void TList::Move(Integer CurIndex, Integer NewIndex) {
  if (CurIndex == NewIndex) return;
  CheckIndex(NewIndex);
  CheckIndex(CurIndex);
  void* item = FList[CurIndex];
  FList.erase(FList.begin() + CurIndex);
  FList.insert(FList.begin() + NewIndex, item);
}

Integer TList::IndexOf(void* Item) const {
  auto it = std::find(FList.begin(), FList.end(), Item);
  return it == FList.end() ? -1 : static_cast<Integer>(it - FList.begin());
}

Integer TList::Remove(void* Item) {
  Integer index = IndexOf(Item);
  if (index >= 0) Delete(index);
  return index;
}

void* TList::Extract(void* Item) {
  Integer index = IndexOf(Item);
  if (index < 0) return nullptr;
  FList.erase(FList.begin() + index);
  if (Item) Notify(Item, lnExtracted);
  return Item;
}

void* TList::First() const { return GetItems(0); }

void* TList::Last() const { return GetItems(GetCount() - 1); }

void TList::Pack() { std::erase(FList, nullptr); }

void TList::Sort(const TListSortCompare& Compare) {
  std::stable_sort(FList.begin(), FList.end(),
                   [&Compare](void* a, void* b) { return Compare(a, b) < 0; });
}

void TList::SetCount(Integer NewCount) {
  if (NewCount < 0) throw EListError(Format("List count out of bounds (%d)", NewCount));
  if (NewCount >= GetCount()) {
    FList.resize(NewCount, nullptr);
    return;
  }
  // Deleting one at a time lets Notify see each item leave, from the last one down.
  for (Integer i = GetCount() - 1; i >= NewCount; --i) Delete(i);
}

void TList::SetCapacity(Integer NewCapacity) {
  if (NewCapacity < GetCount()) throw EListError(Format("List capacity out of bounds (%d)", NewCapacity));
  if (NewCapacity > GetCapacity())
    FList.reserve(NewCapacity);
  else
    FList.shrink_to_fit();
}

void* TList::GetItems(Integer Index) const {
  CheckIndex(Index);
  return FList[Index];
}

void TList::SetItems(Integer Index, void* Item) {
  CheckIndex(Index);
  void* old = FList[Index];
  if (old == Item) return;
  FList[Index] = Item;
  if (old) Notify(old, lnDeleted);
  if (Item) Notify(Item, lnAdded);
}

void TList::Notify(void*, TListNotification) {}

// ---- TObjectList ---------------------------------------------------------------------------

TObjectList::~TObjectList() { Clear(); }

void TObjectList::Notify(void* Ptr, TListNotification Action) {
  if (FOwnsObjects && Action == lnDeleted) delete static_cast<TObject*>(Ptr);
  TList::Notify(Ptr, Action);
}

Integer TObjectList::FindInstanceOf(TClass AClass, bool AExact, Integer AStartAt) const {
  for (Integer i = std::max(AStartAt, 0); i < GetCount(); ++i) {
    TObject* item = GetItems(i);
    if (!item) continue;
    if (AExact ? item->ClassType() == AClass : item->InheritsFrom(AClass)) return i;
  }
  return -1;
}

// ---- TInterfaceList ------------------------------------------------------------------------

void TInterfaceList::CheckIndex(Integer Index) const {
  if (Index < 0 || Index >= GetCount()) ListIndexError(Index);
}

Integer TInterfaceList::Add(IInterface* Item) {
  FList.emplace_back(Item);
  return GetCount() - 1;
}

void TInterfaceList::Insert(Integer Index, IInterface* Item) {
  if (Index < 0 || Index > GetCount()) ListIndexError(Index);
  FList.emplace(FList.begin() + Index, Item);
}

void TInterfaceList::Delete(Integer Index) {
  CheckIndex(Index);
  // Release after the entry is gone, so a listener freed by its last release is not in the list.
  TInterfacePtr<IInterface> item = std::move(FList[Index]);
  FList.erase(FList.begin() + Index);
}

void TInterfaceList::Clear() {
  std::vector<TInterfacePtr<IInterface>> items;
  items.swap(FList);
}

void TInterfaceList::Exchange(Integer Index1, Integer Index2) {
  CheckIndex(Index1);
  CheckIndex(Index2);
  std::swap(FList[Index1], FList[Index2]);
}

Integer TInterfaceList::IndexOf(IInterface* Item) const {
  for (Integer i = 0; i < GetCount(); ++i)
    if (FList[i].Get() == Item) return i;
  return -1;
}

Integer TInterfaceList::Remove(IInterface* Item) {
  Integer index = IndexOf(Item);
  if (index >= 0) Delete(index);
  return index;
}

IInterface* TInterfaceList::First() const { return GetItems(0); }

IInterface* TInterfaceList::Last() const { return GetItems(GetCount() - 1); }

IInterface* TInterfaceList::GetItems(Integer Index) const {
  CheckIndex(Index);
  return FList[Index].Get();
}

void TInterfaceList::SetItems(Integer Index, IInterface* Item) {
  CheckIndex(Index);
  TInterfacePtr<IInterface> old = std::move(FList[Index]);
  FList[Index] = Item;
}

// ---- TThreadList ---------------------------------------------------------------------------

void TThreadList::Add(void* Item) {
  std::lock_guard lock(FLock);
  if (FDuplicates != dupAccept && FList.IndexOf(Item) >= 0) {
    if (FDuplicates == dupError) throw EListError("List does not allow duplicates");
    return;
  }
  FList.Add(Item);
}

void TThreadList::Remove(void* Item) {
  std::lock_guard lock(FLock);
  FList.Remove(Item);
}

void TThreadList::Clear() {
  std::lock_guard lock(FLock);
  FList.Clear();
}

TList* TThreadList::LockList() {
  FLock.lock();
  return &FList;
}

void TThreadList::UnlockList() { FLock.unlock(); }
