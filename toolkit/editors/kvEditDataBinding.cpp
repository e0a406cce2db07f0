// The editor's data binding, the in-place edit data and the change-event catcher.

#include "toolkit/editors/kvEdit.h"

// ---- Change-events catcher -----------------------------------------------------------------

TAVREN_CLASS_IMPL(TkvEditChangeEventsCatcher)

void TkvEditChangeEventsCatcher::Lock(bool ALock, bool Replay) {
  if (ALock) {
    if (FLockCount == 0) PendingChange = PendingEditValueChanged = false;
    ++FLockCount;
    return;
  }
  if (FLockCount == 0 || --FLockCount > 0 || !Replay) return;
  if (FEdit->GetComponentState().Contains(csLoading) || FEdit->IsBeingDestroyed()) return;
  if (PendingChange && FEdit->HasChangeHandler()) {
    PendingChange = false;
    // A handler may free the editor, and this catcher with it.
    TWeakRef<TkvCustomEdit> edit(FEdit);
    FEdit->FireChange();
    if (!edit) return;
  }
  if (PendingEditValueChanged && FEdit->HasEditValueChangedHandler()) {
    PendingEditValueChanged = false;
    FEdit->FireEditValueChanged();
  }
}

// ---- Data binding --------------------------------------------------------------------------

TAVREN_CLASS_IMPL(TkvEditDataBinding)
TAVREN_CLASS_IMPL(TkvDataBinding)

TkvEditDataBinding::TkvEditDataBinding(TkvCustomEdit* AEdit) : FEdit(AEdit) {}

TkvEditDataBinding::~TkvEditDataBinding() = default;

TPersistent* TkvEditDataBinding::GetOwner() { return FEdit; }

IkvEditDefaultValuesProvider* TkvEditDataBinding::GetDefaultValuesProvider() {
  if (!FProvider) FProvider.reset(GetDefaultValuesProviderClass().Create(FEdit));
  return FProvider.get();
}

TClassOf<TkvCustomEditDefaultValuesProvider> TkvEditDataBinding::GetDefaultValuesProviderClass() {
  return TkvCustomEditDefaultValuesProvider::ClassInfo();
}

void TkvEditDataBinding::DefaultValuesChanged() {
  TkvCustomEditProperties* properties = FEdit->GetEffectiveProperties();
  if (!FEdit->GetRepositoryItem()) return properties->NotifyChanged();
  properties->LockChanges();
  properties->NotifyChanged();
  properties->UnlockChanges(false);
  FEdit->ApplyPropertiesChange(properties);
}

void TkvEditDataBinding::GetDisplayValue(Variant& Value) {
  String text;
  FEdit->ReadDisplayText(text);
  Value = text;
}

bool TkvEditDataBinding::IsModified() { return FEdit->GetUserEdited(); }
bool TkvEditDataBinding::IsEditing() { return FEdit->GetUserEdited(); }
void TkvEditDataBinding::GetStoredValue(Variant& Value) { FEdit->GetEditValue(Value); }
void TkvEditDataBinding::Reset() { FEdit->ResetEditValue(); }
void TkvEditDataBinding::SetDisplayValue(const Variant& Value) { FEdit->SetDisplayValue(Value); }

bool TkvEditDataBinding::SetEditMode() {
  FEdit->MarkModifiedByUser(true);
  return true;
}

bool TkvEditDataBinding::IsValueCurrent() {
  return FEdit->GetComponentState().Contains(csDesigning) || !FEdit->GetUserEdited();
}

void TkvEditDataBinding::SetModified() {
  if (FEdit->Focused()) FEdit->MarkModifiedByUser(true);
}

void TkvEditDataBinding::UpdateDisplayValue() { FEdit->UpdateDisplayFromEditValue(); }

// ---- Edit data -----------------------------------------------------------------------------

TAVREN_CLASS_IMPL(TkvCustomEditData)

TkvCustomEditData::TkvCustomEditData(TkvCustomEdit* AEdit) : FEdit(AEdit) {
  FNotificator = std::make_unique<TkvFreeNotificator>(nullptr);
  FNotificator->SetOnFreeNotification(MakeEvent<&TkvCustomEditData::EditFreed>(this));
  if (FEdit) FNotificator->Watch(FEdit);
  Clear();
}

TkvCustomEditData::~TkvCustomEditData() = default;

void TkvCustomEditData::EditFreed(TComponent* Component) {
  if (Component == FEdit) FEdit = nullptr;
}

void TkvCustomEditData::Clear() {
  Cleared = true;
  if (FEdit && FEdit->GetEditData() == this) {
    FEdit->InitFromEditData();
    Cleared = false;
  }
}
