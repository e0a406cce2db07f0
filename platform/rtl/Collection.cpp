#include "rtl/Collection.h"

#include <utility>

#include "rtl/SysUtils.h"

TAVREN_CLASS_IMPL(TCollectionItem)
TAVREN_CLASS_IMPL(TCollection)
TAVREN_CLASS_IMPL(TOwnedCollection)

// ---- TCollectionItem -----------------------------------------------------------------------

// The class is not checked here: a constructor cannot see the class being built.
TCollectionItem::TCollectionItem(TCollection* Collection) {
  if (Collection) Collection->InsertItem(this);
}

// The collection hears that the item goes while the whole item is alive, so that Notify sees its
// class; the item stays in the list through its destructors, which may still use Collection and
// Index, and leaves it last.
void TCollectionItem::BeforeDestruction() {
  if (!FCollection) return;
  FCollection->Notify(this, cnExtracting);
  FExtractionNotified = true;
}

TCollectionItem::~TCollectionItem() {
  if (!FCollection) return;
  try {
    FCollection->RemoveItem(this);
  } catch (...) {
  }
}

void TCollectionItem::SetCollection(TCollection* Value) {
  if (FCollection == Value) return;
  if (Value && !InheritsFrom(Value->FItemClass))
    throw EListError(Format("Cannot add a %s to a collection of %s", ClassName(), Value->FItemClass->Name));
  if (FCollection) FCollection->RemoveItem(this);
  if (Value) Value->InsertItem(this);
}

Integer TCollectionItem::GetIndex() const { return FCollection ? FCollection->FItems.IndexOf(const_cast<TCollectionItem*>(this)) : -1; }

void TCollectionItem::SetIndex(Integer Value) {
  Integer current = GetIndex();
  if (current >= 0 && current != Value) {
    FCollection->FItems.Move(current, Value);
    Changed(true);
  }
}

String TCollectionItem::GetDisplayName() { return ClassName(); }

void TCollectionItem::SetDisplayName(const String&) { Changed(false); }

String TCollectionItem::GetNamePath() {
  if (!FCollection) return ClassName();
  return Format("%s[%d]", FCollection->GetNamePath(), GetIndex());
}

TPersistent* TCollectionItem::GetOwner() { return FCollection; }

void TCollectionItem::Changed(bool AllItems) {
  if (FCollection && FCollection->FUpdateCount == 0) FCollection->Update(AllItems ? nullptr : this);
}

// ---- TCollection ---------------------------------------------------------------------------

TCollection::TCollection(TCollectionItemClass ItemClass) : FItemClass(ItemClass) {}

TCollection::~TCollection() {
  // Nothing is reported while the collection goes.
  FUpdateCount = 1;
  while (GetCount() > 0) delete GetItems(GetCount() - 1);
}

// The item joins the list in its constructor, but the collection hears of it only once the item
// is fully constructed, so that Notify and Update see the item's own class.
TCollectionItem* TCollection::Add() {
  bool outer = !std::exchange(FAddingItem, true);
  TCollectionItem* item;
  try {
    item = FItemClass.Create(this);
  } catch (...) {
    if (outer) FAddingItem = false;
    throw;
  }
  if (outer) FAddingItem = false;
  Notify(item, cnAdded);
  Changed();
  return item;
}

TCollectionItem* TCollection::Insert(Integer Index) {
  TCollectionItem* item = Add();
  item->SetIndex(Index);
  return item;
}

void TCollection::Delete(Integer Index) {
  TCollectionItem* item = GetItems(Index);
  Notify(item, cnDeleting);
  delete item;
}

void TCollection::Clear() {
  if (GetCount() == 0) return;
  BeginUpdate();
  try {
    while (GetCount() > 0) delete GetItems(GetCount() - 1);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TCollection::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TCollection*>(Source);
  if (!source) {
    TPersistent::Assign(Source);
    return;
  }
  BeginUpdate();
  try {
    Clear();
    for (Integer i = 0; i < source->GetCount(); ++i) Add()->Assign(source->GetItems(i));
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TCollection::BeginUpdate() { ++FUpdateCount; }

void TCollection::EndUpdate() {
  if (FUpdateCount > 0) --FUpdateCount;
  Changed();
}

void TCollection::Changed() {
  if (FUpdateCount == 0) Update(nullptr);
}

TCollectionItem* TCollection::FindItemID(Integer ID) const {
  for (Integer i = 0; i < GetCount(); ++i)
    if (GetItems(i)->FID == ID) return GetItems(i);
  return nullptr;
}

String TCollection::GetNamePath() { return ClassName(); }

TCollectionItem* TCollection::GetItems(Integer Index) const {
  return static_cast<TCollectionItem*>(FItems.GetItems(Index));
}

void TCollection::SetItems(Integer Index, TCollectionItem* Value) { GetItems(Index)->Assign(Value); }

TPersistent* TCollection::GetOwner() { return nullptr; }

void TCollection::Notify(TCollectionItem*, TCollectionNotification) {}

void TCollection::Update(TCollectionItem*) {}

void TCollection::InsertItem(TCollectionItem* Item) {
  FItems.Add(Item);
  Item->FCollection = this;
  Item->FID = FNextID++;
  if (FAddingItem) return;
  Notify(Item, cnAdded);
  Changed();
}

void TCollection::RemoveItem(TCollectionItem* Item) {
  if (!std::exchange(Item->FExtractionNotified, false)) Notify(Item, cnExtracting);
  FItems.Remove(Item);
  Item->FCollection = nullptr;
  Changed();
}

// ---- TOwnedCollection ----------------------------------------------------------------------

TOwnedCollection::TOwnedCollection(TPersistent* AOwner, TCollectionItemClass ItemClass)
    : TCollection(ItemClass), FOwner(AOwner) {}
