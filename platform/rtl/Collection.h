#pragma once
// Collections: lists of items of one class that stream as a property of their owner.
//
// A collection reports changes through Update(Item): Item is the one that changed, or nullptr
// when the whole collection did (items added, removed, moved). Between BeginUpdate and EndUpdate
// nothing is reported; EndUpdate reports once for the whole collection.

#include "rtl/Lists.h"
#include "rtl/Persistent.h"

class TCollection;

enum TCollectionNotification { cnAdded, cnExtracting, cnDeleting };

class TCollectionItem : public TPersistent {
  TAVREN_CLASS(TCollectionItem, TPersistent)
 public:
  using TCreateArg = TCollection*;

  // Adds itself to Collection when one is given.
  explicit TCollectionItem(TCollection* Collection);
  ~TCollectionItem() override;
  void BeforeDestruction() override;

  TCollection* GetCollection() const noexcept { return FCollection; }
  // Moves the item into another collection (or none).
  virtual void SetCollection(TCollection* Value);
  // Unique in its collection for the collection's lifetime; never reused.
  Integer GetID() const noexcept { return FID; }
  Integer GetIndex() const;
  virtual void SetIndex(Integer Value);
  virtual String GetDisplayName();
  virtual void SetDisplayName(const String& Value);
  String GetNamePath() override;

 protected:
  TPersistent* GetOwner() override;
  // Reports a change of this item, or of the whole collection when AllItems.
  void Changed(bool AllItems);

 private:
  friend class TCollection;
  TCollection* FCollection = nullptr;
  Integer FID = 0;
  bool FExtractionNotified = false;
};

using TCollectionItemClass = TClassOf<TCollectionItem>;

class TCollection : public TPersistent {
  TAVREN_CLASS(TCollection, TPersistent)
 public:
  explicit TCollection(TCollectionItemClass ItemClass);
  ~TCollection() override;

  TCollectionItem* Add();
  // A new item at Index.
  TCollectionItem* Insert(Integer Index);
  void Delete(Integer Index);
  void Clear();
  void Assign(TPersistent* Source) override;
  virtual void BeginUpdate();
  virtual void EndUpdate();
  TCollectionItem* FindItemID(Integer ID) const;
  String GetNamePath() override;

  Integer GetCount() const noexcept { return FItems.GetCount(); }
  TCollectionItem* GetItems(Integer Index) const;
  // Assigns Value to the item at Index.
  void SetItems(Integer Index, TCollectionItem* Value);
  TCollectionItemClass GetItemClass() const noexcept { return FItemClass; }
  TPersistent* GetOwner() override;
  Integer GetUpdateCount() const noexcept { return FUpdateCount; }

 protected:
  // Reports a change of the whole collection unless an update is in progress.
  void Changed();
  virtual void Notify(TCollectionItem* Item, TCollectionNotification Action);
  virtual void Update(TCollectionItem* Item);

 private:
  friend class TCollectionItem;
  void InsertItem(TCollectionItem* Item);
  void RemoveItem(TCollectionItem* Item);

  TCollectionItemClass FItemClass;
  TList FItems;
  Integer FUpdateCount = 0;
  Integer FNextID = 0;
  bool FAddingItem = false;
};


// A collection that streams as a property of its owner.
class TOwnedCollection : public TCollection {
  TAVREN_CLASS(TOwnedCollection, TCollection)
 public:
  TOwnedCollection(TPersistent* AOwner, TCollectionItemClass ItemClass);
  TPersistent* GetOwner() override { return FOwner; }

 private:
  TPersistent* FOwner;
};
