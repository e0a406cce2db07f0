// The bars' object and component lists.

#include "toolkit/bars/qzBar.h"

TAVREN_CLASS_IMPL(TqzObjectList)
TAVREN_CLASS_IMPL(TqzComponentList)

Integer TqzObjectList::AddUnique(TObject* AObject) {
  if (!AObject) return -1;
  Integer index = IndexOf(AObject);
  return index >= 0 ? index : Add(AObject);
}

TObject* TqzObjectList::GetObject(Integer Index) const {
  return Index >= 0 && Index < GetCount() ? GetItems(Index) : nullptr;
}

void TqzObjectList::Assign(TList* ASource) {
  Clear();
  if (!ASource) return;
  SetCapacity(ASource->GetCapacity());
  for (void* item : ASource->List()) AddUnique(static_cast<TObject*>(item));
}

TqzComponentList::~TqzComponentList() {
  // No change event while the list empties.
  FUpdateCount = 1;
  Clear();
}

void TqzComponentList::EndUpdate(bool ANotify) {
  --FUpdateCount;
  if (ANotify) DoComponentListChanged(nullptr, qzclaChanged);
}

void TqzComponentList::Notify(void* Ptr, TListNotification Action) {
  auto* object = static_cast<TObject*>(Ptr);
  if (!object->InheritsFrom(AcceptedClass())) {
    if (Action == lnAdded) Extract(object);
    return;
  }
  NotifyAccepted(object, Action);
}

void TqzComponentList::NotifyAccepted(TObject* AObject, TListNotification AAction) {
  TComponentList::Notify(AObject, AAction);
  FOnNotify(this, AObject, AAction);
  const Integer actions[] = {qzclaAdded, qzclaExtracted, qzclaDeleted};
  DoComponentListChanged(static_cast<TComponent*>(AObject), actions[AAction]);
}

void TqzComponentList::DoComponentListChanged(TComponent* AComponent, Integer AAction) {
  if (FUpdateCount == 0) FOnComponentListChanged(this, AComponent, AAction);
}
