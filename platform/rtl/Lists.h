#pragma once
// Pointer lists: TList and the lists built on it, as the framework's container classes.
//
// A list tells Notify about every pointer that enters (lnAdded) or leaves it (lnExtracted,
// lnDeleted); nil entries are not reported. A class that acts in Notify (TObjectList frees what it
// owns) clears itself in its own destructor, because a base destructor no longer reaches it.
// Bad indexes raise EListError "List index out of bounds (N)".

#include <functional>
#include <mutex>
#include <vector>

#include "rtl/Exceptions.h"
#include "rtl/Interfaces.h"
#include "rtl/Object.h"

enum TListNotification { lnAdded, lnExtracted, lnDeleted };
enum TDuplicates { dupIgnore, dupAccept, dupError };

// Answers < 0, 0 or > 0, as Item1 sorts before, with or after Item2.
using TListSortCompare = std::function<Integer(void* Item1, void* Item2)>;

// EListError "List index out of bounds (Index)".
[[noreturn]] void ListIndexError(Integer Index);

class TList : public TObject {
  TAVREN_CLASS(TList, TObject)
 public:
  TList() = default;
  ~TList() override;

  Integer Add(void* Item);
  void Insert(Integer Index, void* Item);
  void Delete(Integer Index);
  virtual void Clear();
  void Exchange(Integer Index1, Integer Index2);
  void Move(Integer CurIndex, Integer NewIndex);
  Integer IndexOf(void* Item) const;
  // The index the item had, or -1.
  Integer Remove(void* Item);
  // Takes the item out without deleting it (lnExtracted); nullptr when absent.
  void* Extract(void* Item);
  void* First() const;
  void* Last() const;
  // Removes the nil entries.
  void Pack();
  // Stable: items that compare equal keep their order.
  void Sort(const TListSortCompare& Compare);

  Integer GetCount() const noexcept { return static_cast<Integer>(FList.size()); }
  // Growing adds nil entries; shrinking deletes from the end.
  void SetCount(Integer NewCount);
  Integer GetCapacity() const noexcept { return static_cast<Integer>(FList.capacity()); }
  void SetCapacity(Integer NewCapacity);
  void* GetItems(Integer Index) const;
  void SetItems(Integer Index, void* Item);
  // The items themselves, for range loops.
  const std::vector<void*>& List() const noexcept { return FList; }

 protected:
  virtual void Notify(void* Ptr, TListNotification Action);

 private:
  void CheckIndex(Integer Index) const;

  std::vector<void*> FList;
};

// A list of objects that, while OwnsObjects, deletes the objects it drops.
class TObjectList : public TList {
  TAVREN_CLASS(TObjectList, TList)
 public:
  explicit TObjectList(bool AOwnsObjects = true) : FOwnsObjects(AOwnsObjects) {}
  ~TObjectList() override;

  Integer Add(TObject* AObject) { return TList::Add(AObject); }
  void Insert(Integer Index, TObject* AObject) { TList::Insert(Index, AObject); }
  Integer IndexOf(TObject* AObject) const { return TList::IndexOf(AObject); }
  Integer Remove(TObject* AObject) { return TList::Remove(AObject); }
  TObject* Extract(TObject* Item) { return static_cast<TObject*>(TList::Extract(Item)); }
  TObject* First() const { return static_cast<TObject*>(TList::First()); }
  TObject* Last() const { return static_cast<TObject*>(TList::Last()); }
  // The index of the first object at or after AStartAt that is of class AClass (exactly, or a
  // descendant when not AExact); -1 when none.
  Integer FindInstanceOf(TClass AClass, bool AExact = true, Integer AStartAt = 0) const;

  TObject* GetItems(Integer Index) const { return static_cast<TObject*>(TList::GetItems(Index)); }
  void SetItems(Integer Index, TObject* AObject) { TList::SetItems(Index, AObject); }
  bool GetOwnsObjects() const noexcept { return FOwnsObjects; }
  void SetOwnsObjects(bool Value) noexcept { FOwnsObjects = Value; }

 protected:
  void Notify(void* Ptr, TListNotification Action) override;

 private:
  bool FOwnsObjects;
};

// A list of interfaces, each held with a reference. User-interface thread only.
class TInterfaceList : public TObject {
  TAVREN_CLASS(TInterfaceList, TObject)
 public:
  Integer Add(IInterface* Item);
  void Insert(Integer Index, IInterface* Item);
  void Delete(Integer Index);
  void Clear();
  void Exchange(Integer Index1, Integer Index2);
  Integer IndexOf(IInterface* Item) const;
  Integer Remove(IInterface* Item);
  IInterface* First() const;
  IInterface* Last() const;

  Integer GetCount() const noexcept { return static_cast<Integer>(FList.size()); }
  IInterface* GetItems(Integer Index) const;
  void SetItems(Integer Index, IInterface* Item);

 private:
  void CheckIndex(Integer Index) const;

  std::vector<TInterfacePtr<IInterface>> FList;
};

// A TList behind a lock, for lists shared between threads. LockList/UnlockList bracket any other
// use of the list; the lock may be taken again by the thread that holds it.
class TThreadList : public TObject {
  TAVREN_CLASS(TThreadList, TObject)
 public:
  // Adding an item already there: ignored, added again, or EListError
  // "List does not allow duplicates".
  void Add(void* Item);
  void Remove(void* Item);
  void Clear();
  TList* LockList();
  void UnlockList();

  TDuplicates GetDuplicates() const noexcept { return FDuplicates; }
  void SetDuplicates(TDuplicates Value) noexcept { FDuplicates = Value; }

 private:
  std::recursive_mutex FLock;
  TList FList;
  TDuplicates FDuplicates = dupIgnore;
};
