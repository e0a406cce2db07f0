#include "toolkit/foundation/kvClasses.h"

#include <algorithm>

TAVREN_CLASS_IMPL(TkvComponentCollectionItem)
TAVREN_CLASS_IMPL(TkvComponentCollection)

namespace {

// Ends an update however the block is left, so a failing item never leaves the collection mute.
class TUpdateScope {
 public:
  explicit TUpdateScope(TkvComponentCollection* Collection) : FCollection(Collection) { FCollection->BeginUpdate(); }
  ~TUpdateScope() { FCollection->EndUpdate(true); }
  TUpdateScope(const TUpdateScope&) = delete;
  TUpdateScope& operator=(const TUpdateScope&) = delete;

 private:
  TkvComponentCollection* FCollection;
};

}  // namespace

// ---- Collection ---------------------------------------------------------------------------

TkvComponentCollection::TkvComponentCollection(TComponent* AParentComponent,
                                               TkvComponentCollectionItemClass AItemClass)
    : FParentComponent(AParentComponent), FItemClass(AItemClass) {}

TkvComponentCollection::~TkvComponentCollection() {
  FUpdateCount = 1;  // nothing is reported while the collection goes
  while (!FItems.empty()) delete FItems.back();
}

TkvComponentCollectionItem* TkvComponentCollection::AppendItem() {
  TComponent* owner = FParentComponent ? FParentComponent->GetOwner() : nullptr;
  TkvComponentCollectionItem* item = FItemClass.Create(owner);
  item->SetParentComponent(FParentComponent);
  SetItemName(item);
  return item;
}

void TkvComponentCollection::FreeAllItems() {
  if (FItems.empty()) return;
  TUpdateScope update(this);
  while (!FItems.empty()) delete FItems.back();
}

void TkvComponentCollection::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TkvComponentCollection*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  TUpdateScope update(this);
  FreeAllItems();
  for (Integer i = 0; i < source->ItemCount(); ++i) AppendItem()->Assign(source->ItemAt(i));
}

void TkvComponentCollection::EndUpdate(bool ForceUpdate) {
  --FUpdateCount;
  if (ForceUpdate) Report(nullptr, ccnChanged);
}

Integer TkvComponentCollection::IndexOfItem(const TkvComponentCollectionItem* Item) const {
  auto it = std::find(FItems.begin(), FItems.end(), Item);
  return it == FItems.end() ? -1 : static_cast<Integer>(it - FItems.begin());
}

void TkvComponentCollection::Insert(TkvComponentCollectionItem* AItem) {
  if (!FItemClass || !AItem->InheritsFrom(FItemClass)) return;
  FItems.push_back(AItem);
  AItem->FCollection = this;
  AItem->FID = FNextID++;
  ItemNotification(AItem, ccnAdded);
  Report(AItem, ccnAdded);
}

void TkvComponentCollection::Remove(TkvComponentCollectionItem* AItem) {
  ItemNotification(AItem, ccnExtracting);
  auto it = std::find(FItems.begin(), FItems.end(), AItem);
  if (it != FItems.end()) FItems.erase(it);
  AItem->FCollection = nullptr;
  ItemNotification(AItem, ccnExtracted);
  Report(AItem, ccnExtracted);
}

void TkvComponentCollection::MoveItem(TkvComponentCollectionItem* AItem, Integer NewIndex) {
  Integer current = IndexOfItem(AItem);
  if (current < 0) return;
  NewIndex = std::clamp(NewIndex, 0, ItemCount() - 1);
  FItems.erase(FItems.begin() + current);
  FItems.insert(FItems.begin() + NewIndex, AItem);
}

void TkvComponentCollection::Report(TkvComponentCollectionItem* AItem, TkvCollectionAction AAction) {
  if (FUpdateCount == 0) ReportChange(AItem, AAction);
}

void TkvComponentCollection::ReportChange(TkvComponentCollectionItem* AItem, TkvCollectionAction AAction) {
  FOnChange(this, AItem, AAction);
}

void TkvComponentCollection::ItemNotification(TkvComponentCollectionItem*, TkvCollectionAction) {}

void TkvComponentCollection::SetItemName(TkvComponentCollectionItem*) {}

// ---- Item ---------------------------------------------------------------------------------

TkvComponentCollectionItem::~TkvComponentCollectionItem() {
  TkvComponentCollectionItem::SetCollection(nullptr);
}

void TkvComponentCollectionItem::SetCollection(TkvComponentCollection* Value) {
  if (Value == FCollection) return;
  if (FCollection) FCollection->Remove(this);
  if (Value) Value->Insert(this);
}

String TkvComponentCollectionItem::GetDisplayName() { return GetName(); }

void TkvComponentCollectionItem::SetIndex(Integer Value) {
  if (!FCollection || Value == PositionInCollection()) return;
  FCollection->MoveItem(this, Value);
  SignalChanged(true);
}

Integer TkvComponentCollectionItem::PositionInCollection() const {
  return FCollection ? FCollection->IndexOfItem(this) : -1;
}

void TkvComponentCollectionItem::SignalChanged(bool AllItems) {
  if (GetComponentState().Contains(csDestroying) || !FCollection) return;
  FCollection->Report(AllItems ? nullptr : this, ccnChanged);
}

TComponent* TkvComponentCollectionItem::GetParentComponent() {
  return FCollection ? FCollection->GetParentComponent() : inherited::GetParentComponent();
}

bool TkvComponentCollectionItem::HasParent() { return GetParentComponent() != nullptr; }

void TkvComponentCollectionItem::SetParentComponent(TComponent* Value) {
  SetCollection(GetCollectionFromParent(Value));
}
