#include "rtl/ComponentList.h"

TAVREN_CLASS_IMPL(TComponentList)

TComponentList::TComponentList(bool AOwnsObjects)
    : TObjectList(AOwnsObjects), FNotifier([this](TComponent* AComponent) { HandleFreeNotify(AComponent); }) {}

// Emptied here, while the list is still whole: a base destructor would no longer stop watching.
TComponentList::~TComponentList() { Clear(); }

void TComponentList::Notify(void* Ptr, TListNotification Action) {
  auto* component = static_cast<TComponent*>(static_cast<TObject*>(Ptr));
  if (Action == lnAdded)
    FNotifier.Watch(component);
  else if (IndexOf(component) < 0)  // the same component may stand in the list twice
    FNotifier.Unwatch(component);
  TObjectList::Notify(Ptr, Action);
}

void TComponentList::HandleFreeNotify(TComponent* AComponent) {
  // Every entry of it: the list may hold a component twice.
  while (IndexOf(AComponent) >= 0) Extract(AComponent);
}
