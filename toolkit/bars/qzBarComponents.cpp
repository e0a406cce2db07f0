// The base of items, item groups and popup menus, its list and the manager's sub-objects' base.

#include <algorithm>

#include "toolkit/bars/qzBar.h"

TAVREN_CLASS_IMPL(TqzBarComponent)
TAVREN_CLASS_IMPL(TqzBarComponentList)
TAVREN_CLASS_IMPL(TqzBarPersistent)

TPersistent* TqzBarPersistent::GetOwner() { return FBarManager; }

// ---- TqzBarComponent -----------------------------------------------------------------------

TqzBarComponent::~TqzBarComponent() {
  // The lists were told through free notification already; drop what may remain.
  for (TqzBarComponentList* list : std::vector<TqzBarComponentList*>(FChangeNotificationLists))
    while (list->IndexOf(this) >= 0) list->Extract(this);
}

HRESULT TqzBarComponent::QueryInterface(const TInterfaceId& IID, void** Obj) {
  return GetInterface(this, IID, Obj) ? S_OK : E_NOINTERFACE;
}

void TqzBarComponent::NotifyChanged(bool AAllChanged) {
  if (GetComponentState().Contains(csDestroying)) return;
  for (TqzBarComponentList* list : std::vector<TqzBarComponentList*>(FChangeNotificationLists))
    list->DoComponentListChanged(AAllChanged ? nullptr : this, qzclaChanged);
}

bool TqzBarComponent::CanBeDeleted(bool) { return !FBarManager || FBarManager->CanDeleteComponent(this); }

void TqzBarComponent::DeleteIfAllowed(IqzBarSelectableItem*& ARef, bool AWholeItem) {
  if (!CanBeDeleted(AWholeItem)) return;
  ARef = nullptr;
  delete this;
}

void TqzBarComponent::CollectOwner(TList* AList) {
  TComponent* owner = GetOwner();
  if (owner && AList->IndexOf(owner) < 0) AList->Add(owner);
}

Integer TqzBarComponent::SelectionStatus() { return FBarManager ? FBarManager->GetSelectionStatus(this) : 0; }

void TqzBarComponent::SelectInDesigner(Integer AMode) {
  if (FBarManager) FBarManager->SelectComponent(this, AMode);
}

// ---- TqzBarComponentList -------------------------------------------------------------------

TqzBarComponentList::~TqzBarComponentList() {
  // Emptied while still a bar component list, so every component forgets it.
  BeginUpdate();
  Clear();
}

void TqzBarComponentList::NotifyAccepted(TObject* AObject, TListNotification AAction) {
  auto* component = static_cast<TqzBarComponent*>(AObject);
  auto& lists = component->FChangeNotificationLists;
  if (AAction == lnAdded) {
    if (std::find(lists.begin(), lists.end(), this) == lists.end()) lists.push_back(this);
  } else if (!component->GetComponentState().Contains(csDestroying) && IndexOf(component) < 0) {
    std::erase(lists, this);
  }
  TqzComponentList::NotifyAccepted(AObject, AAction);
}
