#include "toolkit/foundation/kvClasses.h"

#include <algorithm>

#include "rtl/ClassRegistry.h"
#include "rtl/SysUtils.h"
#include "rtl/TypInfo.h"
#include "vcl/Controls.h"

TAVREN_CLASS_IMPL(TkvInterfacedPersistent)
TAVREN_CLASS_IMPL(TkvIUnknownObject)
TAVREN_CLASS_IMPL_PUBLISHED(TkvComponent,
    PROPERTY(FakeComponentLink1).Stored(false),
    PROPERTY(FakeComponentLink2).Stored(false),
    PROPERTY(FakeComponentLink3).Stored(false))
TAVREN_CLASS_IMPL(TkvObjectList)
TAVREN_CLASS_IMPL(TkvEventHandlerCollection)
TAVREN_CLASS_IMPL(TkvRegisteredClassListItemData)
TAVREN_CLASS_IMPL(TkvRegisteredClassList)
TAVREN_CLASS_IMPL(TkvRegisteredClasses)
TAVREN_CLASS_IMPL(TkvObjectLink)
TAVREN_CLASS_IMPL(TkvFreeNotificator)

// ---- Base classes -------------------------------------------------------------------------

HRESULT TkvIUnknownObject::QueryInterface(const TInterfaceId& IID, void** Obj) {
  return GetInterface(this, IID, Obj) ? S_OK : E_NOINTERFACE;
}

TkvComponent::~TkvComponent() { InvalidateObjectLinks(this); }

void TkvComponent::BeforeDestruction() {
  if (!GetComponentState().Contains(csDestroying)) Destroying();
  inherited::BeforeDestruction();
}

void TkvComponent::GetFakeComponentLinks(TList*) {}

void TkvComponent::Loaded() {
  inherited::Loaded();
  RefreshDesignerLinks();
}

void TkvComponent::RefreshDesignerLinks() {
  TComponentState state = GetComponentState();
  if (!state.Contains(csDesigning) || state.Contains(csDestroying) || !GetOwner()) return;
  TList links;
  GetFakeComponentLinks(&links);
  for (Integer i = 0; i < 3; ++i)
    FFakeComponentLinks[i] = i < links.GetCount() ? static_cast<TComponent*>(links.GetItems(i)) : nullptr;
}

TkvObjectList::~TkvObjectList() { Clear(); }

void TkvObjectList::Clear() {
  for (Integer i = 0; i < GetCount(); ++i) delete ItemAt(i);
  TList::Clear();
}

// ---- Multicast events ---------------------------------------------------------------------

Integer TkvEventHandlerCollection::IndexOf(const TkvEventHandler& Handler) const {
  for (size_t i = 0; i < FHandlers.size(); ++i)
    if (SameEventHandler(FHandlers[i], Handler)) return static_cast<Integer>(i);
  return -1;
}

void TkvEventHandlerCollection::AttachHandler(const TkvEventHandler& Handler) {
  if (IndexOf(Handler) < 0) FHandlers.push_back(Handler);
}

void TkvEventHandlerCollection::DetachHandler(const TkvEventHandler& Handler) { DeleteAt(IndexOf(Handler)); }

void TkvEventHandlerCollection::DeleteAt(Integer Index) {
  if (Index < 0 || Index >= Count()) return;
  FHandlers.erase(FHandlers.begin() + Index);
}

void TkvEventHandlerCollection::FireAll(TComponent* Sender, void* EventData) {
  Integer count = Count();
  // The bound is checked again on every step: a handler may have shortened the array.
  for (Integer i = 0; i < count && i < Count(); ++i) {
    TkvEventHandler handler = FHandlers[i];
    handler(Sender, EventData);
  }
}

// ---- Class-to-class registry --------------------------------------------------------------

TkvRegisteredClassList::~TkvRegisteredClassList() {
  for (auto* item : FItems) delete item;
}

bool TkvRegisteredClassList::Find(TClass ItemClass, Integer& Index) {
  for (Integer i = ClassCount() - 1; i >= 0; --i) {
    TClass paired = FItems[i]->ItemClass;
    if (ItemClass->InheritsFrom(paired)) {
      Index = i;
      return true;
    }
    if (paired->InheritsFrom(ItemClass)) Index = i;
  }
  return false;
}

TClass TkvRegisteredClassList::PairedClassOf(TClass ItemClass) {
  Integer index = -1;
  return ItemClass && Find(ItemClass, index) ? FItems[index]->RegisteredClass : nullptr;
}

void TkvRegisteredClassList::AddPair(TClass ItemClass, TClass RegisteredClass) {
  auto* item = new TkvRegisteredClassListItemData(ItemClass, RegisteredClass);
  Integer index = -1;
  if (Find(ItemClass, index))
    FItems.insert(FItems.begin() + index + 1, item);
  else if (index == -1)
    FItems.push_back(item);
  else
    FItems.insert(FItems.begin() + index, item);
}

void TkvRegisteredClassList::RemovePair(TClass ItemClass, TClass RegisteredClass) {
  for (Integer i = ClassCount() - 1; i >= 0; --i) {
    if (FItems[i]->ItemClass == ItemClass && FItems[i]->RegisteredClass == RegisteredClass) {
      delete FItems[i];
      FItems.erase(FItems.begin() + i);
    }
  }
}

// ---- Described class registry -------------------------------------------------------------

Integer TkvRegisteredClasses::IndexOfClass(TClass AClass) const {
  for (size_t i = 0; i < FItems.size(); ++i)
    if (FItems[i].second == AClass) return static_cast<Integer>(i);
  return -1;
}

void TkvRegisteredClasses::AddClass(TClass AClass, const String& Description) {
  if (!AClass || IndexOfClass(AClass) >= 0) return;
  FItems.emplace_back(Description, AClass);
  if (FSorted) Sort();
  if (FRegisterClasses && AClass->InheritsFrom(TPersistent::ClassInfo())) RegisterClass(AClass);
}

void TkvRegisteredClasses::RemoveClass(TClass AClass) {
  Integer index = IndexOfClass(AClass);
  if (index >= 0) FItems.erase(FItems.begin() + index);
}

void TkvRegisteredClasses::SetSortedFlag(bool Value) {
  if (FSorted == Value) return;
  FSorted = Value;
  if (FSorted) Sort();
}

String TkvRegisteredClasses::DescriptionAt(Integer Index) const { return TextBeforeBar(TextAt(Index)); }

Integer TkvRegisteredClasses::CompareItems(Integer Index1, Integer Index2) {
  return AnsiCompareText(DescriptionAt(Index1), DescriptionAt(Index2));
}

void TkvRegisteredClasses::Sort() {
  // Sorts a permutation through CompareItems, so that descendants comparing by index still work.
  std::vector<Integer> order(FItems.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = static_cast<Integer>(i);
  std::stable_sort(order.begin(), order.end(), [this](Integer a, Integer b) { return CompareItems(a, b) < 0; });
  std::vector<std::pair<String, TClass>> sorted;
  sorted.reserve(FItems.size());
  for (Integer i : order) sorted.push_back(FItems[i]);
  FItems = std::move(sorted);
}

// ---- Weak object links --------------------------------------------------------------------

namespace {

class TkvObjectLinkController {
 public:
  void Add(TkvObjectLink* Link) { FLinks.push_back(Link); }
  void Remove(TkvObjectLink* Link) {
    auto it = std::find(FLinks.begin(), FLinks.end(), Link);
    if (it != FLinks.end()) FLinks.erase(it);
  }
  void Invalidate(TObject* Object) {
    for (Integer i = static_cast<Integer>(FLinks.size()) - 1; i >= 0; --i) {
      if (FLinks[i]->Ref == Object) {
        FLinks[i]->Ref = nullptr;
        FLinks.erase(FLinks.begin() + i);
      }
    }
  }

 private:
  std::vector<TkvObjectLink*> FLinks;
};

TkvObjectLinkController* linkController = nullptr;
Integer linkCount = 0;

}  // namespace

TkvObjectLink* LinkToObject(TObject* Object) {
  if (!Object) return nullptr;
  if (!linkController) linkController = new TkvObjectLinkController;
  ++linkCount;
  auto* link = new TkvObjectLink;
  link->Ref = Object;
  linkController->Add(link);
  return link;
}

void ReleaseObjectLink(TkvObjectLink* Link) {
  if (!Link) return;
  if (Link->Ref && linkController) linkController->Remove(Link);
  delete Link;
  if (--linkCount == 0) {
    delete linkController;
    linkController = nullptr;
  }
}

void InvalidateObjectLinks(TObject* Object) {
  if (linkController) linkController->Invalidate(Object);
}

Integer ObjectLinkCount() { return linkCount; }

// ---- Free notification relay --------------------------------------------------------------

void TkvFreeNotificator::Watch(TComponent* AComponent) {
  if (AComponent) AComponent->FreeNotification(this);
}

void TkvFreeNotificator::Unwatch(TComponent* AComponent) {
  if (AComponent) AComponent->RemoveFreeNotification(this);
}

void TkvFreeNotificator::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation == opRemove) FOnFreeNotification(AComponent);
}

// ---- Unit start and end -------------------------------------------------------------------

void kvClassesStart() {
  StartClassGroup(TControl::ClassInfo());
  GroupDescendentsWith(TkvComponent::ClassInfo(), TControl::ClassInfo());
}
