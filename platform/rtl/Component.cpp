#include "rtl/Component.h"

#include <algorithm>

#include "rtl/Actions.h"
#include "rtl/Lists.h"
#include "rtl/Reader.h"
#include "rtl/SysUtils.h"
#include "rtl/TypInfo.h"

TAVREN_CLASS_IMPL_PUBLISHED(TComponent, PROPERTY(Name).Stored(false), PROPERTY(Tag).Default(0))

TComponent::TComponent(TComponent* AOwner) {
  if (AOwner) AOwner->InsertComponent(this);
}

// Those that asked for free notification are told in BeforeDestruction, while the whole object is
// alive, so that they still see its class. Owned components go and the owner is left in the
// destructor, as the framework's destructor does after the descendants' ones; the destructor also
// covers components that were not deleted through `delete` (those on the stack).
void TComponent::BeforeDestruction() {
  Destroying();
  SetReference(false);
  RemoveFreeNotifications();
}

TComponent::~TComponent() {
  Destroying();
  RemoveFreeNotifications();
  // A destructor never throws: a failing notification must not stop the others.
  try {
    DestroyComponents();
  } catch (...) {
  }
  LeaveOwner();
}

void TComponent::Destroying() {
  if (FComponentState.Contains(csDestroying)) return;
  FComponentState.Include(csDestroying);
  for (TComponent* component : FComponents) component->Destroying();
}

void TComponent::DestroyComponents() {
  // Last created first; each one leaves the list (its owner and siblings told) before it goes.
  while (!FComponents.empty()) {
    TComponent* instance = FComponents.back();
    RemoveComponent(instance);
    delete instance;
  }
}

void TComponent::RemoveFreeNotifications() noexcept {
  while (!FFreeNotifies.empty()) {
    TComponent* other = FFreeNotifies.back();
    FFreeNotifies.pop_back();
    std::erase(other->FFreeNotifies, this);
    try {
      other->Notification(this, opRemove);
    } catch (...) {
    }
  }
}

void TComponent::LeaveOwner() noexcept {
  if (!FOwner) return;
  try {
    FOwner->RemoveComponent(this);
  } catch (...) {
    FOwner->Remove(this);
  }
}

// ---- Ownership -----------------------------------------------------------------------------

void TComponent::InsertComponent(TComponent* AComponent) {
  AComponent->ValidateContainer(this);
  ValidateRename(AComponent, String(), AComponent->FName);
  // A component has one owner: moving it must not leave it in the old owner's list as well.
  if (AComponent->FOwner) AComponent->FOwner->RemoveComponent(AComponent);
  Insert(AComponent);
  AComponent->SetReference(true);
  Notification(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent) {
  if (AComponent->FOwner != this) return;
  AComponent->SetReference(false);
  Notification(AComponent, opRemove);
  Remove(AComponent);
}

void TComponent::Insert(TComponent* AComponent) {
  FComponents.push_back(AComponent);
  AComponent->FOwner = this;
}

void TComponent::Remove(TComponent* AComponent) {
  std::erase(FComponents, AComponent);
  AComponent->FOwner = nullptr;
}

TComponent* TComponent::GetComponents(Integer Index) const {
  if (Index < 0 || Index >= GetComponentCount()) ListIndexError(Index);
  return FComponents[Index];
}

Integer TComponent::GetComponentIndex() const {
  if (!FOwner) return -1;
  auto& list = FOwner->FComponents;
  auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : static_cast<Integer>(it - list.begin());
}

void TComponent::SetComponentIndex(Integer Value) {
  Integer current = GetComponentIndex();
  if (current < 0) return;
  auto& list = FOwner->FComponents;
  Value = std::clamp(Value, 0, static_cast<Integer>(list.size()) - 1);
  if (Value == current) return;
  list.erase(list.begin() + current);
  list.insert(list.begin() + Value, this);
}

TComponent* TComponent::FindComponent(const String& AName) const {
  if (AName.empty()) return nullptr;
  for (TComponent* component : FComponents)
    if (SameText(component->FName, AName)) return component;
  return nullptr;
}

// ---- Notification --------------------------------------------------------------------------

void TComponent::FreeNotification(TComponent* AComponent) {
  if (!AComponent || AComponent == this) return;
  FComponentState.Include(csFreeNotification);
  if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent) != FFreeNotifies.end()) return;
  FFreeNotifies.push_back(AComponent);
  AComponent->FreeNotification(this);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
  if (!AComponent) return;
  std::erase(FFreeNotifies, AComponent);
  std::erase(AComponent->FFreeNotifies, this);
}

void TComponent::Notification(TComponent* AComponent, TOperation Operation) {
  if (Operation == opRemove && AComponent) RemoveFreeNotification(AComponent);
  // A notified component may free others, so the index is re-checked against the list each time.
  Integer i = GetComponentCount() - 1;
  while (i >= 0) {
    FComponents[i]->Notification(AComponent, Operation);
    --i;
    if (i >= GetComponentCount()) i = GetComponentCount() - 1;
  }
}

// ---- Names ---------------------------------------------------------------------------------

void TComponent::SetName(const String& NewName) {
  if (FName == NewName) return;
  if (!NewName.empty() && !IsValidIdent(NewName))
    throw EComponentError(Format("'%s' is not a valid component name", NewName));
  if (FOwner)
    FOwner->ValidateRename(this, FName, NewName);
  else
    ValidateRename(nullptr, FName, NewName);
  SetReference(false);
  ChangeName(NewName);
  SetReference(true);
}

void TComponent::SetReference(bool Enable) {
  if (!FOwner || FName.empty()) return;
  const TFieldInfo* field = FindPublishedField(FOwner->ClassType(), FName);
  // The class test also keeps a half-destroyed object (seen as its base class) out of a field.
  if (field && InheritsFrom(field->FieldClass())) field->Set(FOwner, Enable ? this : nullptr);
}

void TComponent::ChangeName(const String& NewName) { FName = NewName; }

void TComponent::ValidateRename(TComponent* AComponent, const String& CurName, const String& NewName) {
  // Also checked while AComponent is being inserted, before it is in this owner's list.
  if (!AComponent || SameText(CurName, NewName)) return;
  TComponent* existing = FindComponent(NewName);
  if (existing && existing != AComponent)
    throw EComponentError(Format("A component named %s already exists", NewName));
}

void TComponent::ValidateContainer(TComponent* AComponent) { AComponent->ValidateInsert(this); }

void TComponent::ValidateInsert(TComponent*) {}

String TComponent::GetNamePath() { return FName; }

// ---- Streaming hooks -----------------------------------------------------------------------

bool TComponent::HasParent() { return false; }

TComponent* TComponent::GetParentComponent() { return nullptr; }

void TComponent::SetParentComponent(TComponent*) {}

void TComponent::GetChildren(const TGetChildProc&, TComponent*) {}

TComponent* TComponent::GetChildOwner() { return nullptr; }

TComponent* TComponent::GetChildParent() { return this; }

void TComponent::SetChildOrder(TComponent*, Integer) {}

void TComponent::Loaded() { FComponentState.Exclude(csLoading); }

void TComponent::ReadState(TReader* Reader) { Reader->ReadData(this); }

void TComponent::Updating() { FComponentState.Include(csUpdating); }

void TComponent::Updated() { FComponentState.Exclude(csUpdating); }

void TComponent::SetAncestor(bool Value) {
  if (Value)
    FComponentState.Include(csAncestor);
  else
    FComponentState.Exclude(csAncestor);
  for (TComponent* component : FComponents) component->SetAncestor(Value);
}

void TComponent::SetInline(bool Value) {
  if (Value)
    FComponentState.Include(csInline);
  else
    FComponentState.Exclude(csInline);
}

void TComponent::SetSubComponent(bool IsSubComponent) {
  if (IsSubComponent)
    FComponentStyle.Include(csSubComponent);
  else
    FComponentStyle.Exclude(csSubComponent);
}

bool TComponent::ExecuteAction(TBasicAction* Action) {
  if (!Action->HandlesTarget(this)) return false;
  Action->ExecuteTarget(this);
  return true;
}

bool TComponent::UpdateAction(TBasicAction* Action) {
  if (!Action->HandlesTarget(this)) return false;
  Action->UpdateTarget(this);
  return true;
}
