// The alignment of an editor's content, the default-values provider, the Properties of an
// editor kind and the registry of Properties classes.

#include <algorithm>

#include "rtl/TypInfo.h"
#include "toolkit/editors/kvEdit.h"
#include "toolkit/editors/kvVariants.h"
#include "vcl/Controls.h"

namespace {

std::vector<TkvCustomEditProperties*>* GLiveProperties = nullptr;
TkvRegisteredClasses* GPropertiesRegistry = nullptr;

}  // namespace

// ---- Alignment -----------------------------------------------------------------------------

TAVREN_CLASS_IMPL_PUBLISHED(TkvEditAlignment, PROPERTY(Horz).Stored<&TkvEditAlignment::IsHorzStored>(),
                            PROPERTY(Vert).Stored<&TkvEditAlignment::IsVertStored>())

void TkvEditAlignment::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TkvEditAlignment*>(Source);
  if (!source) return TPersistent::Assign(Source);
  FVert = source->FVert;
  FHorz = source->FHorz;
  FIsHorzAssigned = source->FIsHorzAssigned;
  Changed();
}

void TkvEditAlignment::Reset() {
  FIsHorzAssigned = false;
  Changed();
}

void TkvEditAlignment::SetHorz(TAlignment Value) {
  if (FIsHorzAssigned && FHorz == Value) return;
  FHorz = Value;
  FIsHorzAssigned = true;
  Changed();
}

void TkvEditAlignment::SetVert(TkvEditVertAlignment Value) {
  if (FVert == Value) return;
  FVert = Value;
  Changed();
}

void TkvEditAlignment::Changed() { FOnChanged(this); }

// ---- Default-values provider ---------------------------------------------------------------

TAVREN_CLASS_IMPL(TkvCustomEditDefaultValuesProvider)

TkvCustomEditDefaultValuesProvider::~TkvCustomEditDefaultValuesProvider() { NotifyUsers(); }

void TkvCustomEditDefaultValuesProvider::NotifyUsers() {
  if (!GLiveProperties) return;
  IkvEditDefaultValuesProvider* self = this;
  // A user may drop more than its own reference: walk a copy.
  std::vector<TkvCustomEditProperties*> users = *GLiveProperties;
  for (TkvCustomEditProperties* properties : users)
    if (properties->GetDefaultValuesProvider() == self) properties->DefaultValuesProviderDestroyed();
}

// ---- Assigned values -----------------------------------------------------------------------

TAVREN_CLASS_IMPL_PUBLISHED(TkvCustomEditPropertiesValues, PROPERTY(ReadOnly).Stored(false))

TkvCustomEditProperties* TkvCustomEditPropertiesValues::GetOwnerProperties() {
  return dynamic_cast<TkvCustomEditProperties*>(FOwner);
}

void TkvCustomEditPropertiesValues::LockOwner() {
  if (TkvCustomEditProperties* owner = GetOwnerProperties()) owner->LockChanges();
}

void TkvCustomEditPropertiesValues::UnlockOwner() {
  if (TkvCustomEditProperties* owner = GetOwnerProperties()) owner->UnlockChanges(true);
}

void TkvCustomEditPropertiesValues::NotifyOwner() {
  if (TkvCustomEditProperties* owner = GetOwnerProperties()) owner->NotifyChanged();
}

bool TkvCustomEditPropertiesValues::OwnerPublishes(const String& Name) {
  return FOwner && IsPublishedProp(FOwner->ClassType(), Name);
}

bool TkvCustomEditPropertiesValues::IsMaxValueStored() {
  TkvCustomEditProperties* owner = GetOwnerProperties();
  return FMaxValue && owner && owner->GetMaxValue() == 0 && OwnerPublishes("MaxValue");
}

bool TkvCustomEditPropertiesValues::IsMinValueStored() {
  TkvCustomEditProperties* owner = GetOwnerProperties();
  return FMinValue && owner && owner->GetMinValue() == 0 && OwnerPublishes("MinValue");
}

void TkvCustomEditPropertiesValues::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TkvCustomEditPropertiesValues*>(Source);
  if (!source) return TPersistent::Assign(Source);
  LockOwner();
  SetMaxValue(source->FMaxValue);
  SetMinValue(source->FMinValue);
  SetReadOnly(source->FReadOnly);
  UnlockOwner();
}

void TkvCustomEditPropertiesValues::ClearAssigned() {
  LockOwner();
  SetMaxValue(false);
  SetMinValue(false);
  SetReadOnly(false);
  UnlockOwner();
}

void TkvCustomEditPropertiesValues::SetMaxValue(bool Value) {
  if (FMaxValue == Value) return;
  FMaxValue = Value;
  NotifyOwner();
}

void TkvCustomEditPropertiesValues::SetMinValue(bool Value) {
  if (FMinValue == Value) return;
  FMinValue = Value;
  NotifyOwner();
}

void TkvCustomEditPropertiesValues::SetReadOnly(bool Value) {
  if (FReadOnly == Value) return;
  FReadOnly = Value;
  NotifyOwner();
}

// ---- Properties ----------------------------------------------------------------------------

TAVREN_CLASS_IMPL(TkvCustomEditProperties)

TkvCustomEditProperties::TkvCustomEditProperties(TPersistent* AOwner)
    : TkvInterfacedPersistent(AOwner), FOwner(AOwner) {
  FFreeNotificator = std::make_unique<TkvFreeNotificator>(nullptr);
  FFreeNotificator->SetOnFreeNotification(MakeEvent<&TkvCustomEditProperties::FreeNotified>(this));
  FAlignment = std::make_unique<TkvEditAlignment>(this);
  FAlignment->SetOnChanged(MakeEvent<&TkvCustomEditProperties::AlignmentChanged>(this));
  FInnerAlignment = std::make_unique<TkvEditAlignment>(this);
  FUseLeftAlignmentOnEditing = DefaultUseLeftAlignmentOnEditing();
  if (GLiveProperties) GLiveProperties->push_back(this);
}

TkvCustomEditProperties::~TkvCustomEditProperties() {
  if (GLiveProperties) std::erase(*GLiveProperties, this);
  ClearEditorPropertiesSlots(this);
  FDefaultValuesProvider = nullptr;
  FButtons.reset();
  FInnerAlignment.reset();
  FAssignedValues.reset();
  FAlignment.reset();
  FFreeNotificator.reset();
}

void TkvCustomEditProperties::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TkvCustomEditProperties*>(Source);
  if (!source) return TkvInterfacedPersistent::Assign(Source);
  LockChanges();
  FInnerAlignment->Assign(source->FInnerAlignment.get());
  SetAssignedValues(source->GetAssignedValues());
  SetAutoSelect(source->FAutoSelect);
  SetBeepOnError(source->FBeepOnError);
  GetButtons()->Assign(source->GetButtons());
  SetButtonsLayout(source->FButtonsLayout);
  SetClearKey(source->FClearKey);
  SetClickKey(source->FClickKey);
  // A bound the source does not hold stays unassigned here too.
  if (source->GetAssignedValues()->GetMaxValue()) SetMaxValue(source->FMaxValue);
  if (source->GetAssignedValues()->GetMinValue()) SetMinValue(source->FMinValue);
  if (source->GetAssignedValues()->GetReadOnly()) SetReadOnly(source->FReadOnly);
  SetImmediatePost(source->FImmediatePost);
  SetTransparent(source->FTransparent);
  SetMouseWheelInPlace(source->FMouseWheelInPlace);
  SetValidateOnEnter(source->FValidateOnEnter);
  FOnButtonClick = source->FOnButtonClick;
  FOnChange = source->FOnChange;
  FOnEditValueChanged = source->FOnEditValueChanged;
  FOnValidate = source->FOnValidate;
  FOnPopupClosed = source->FOnPopupClosed;
  UnlockChanges(true);
}

void TkvCustomEditProperties::AlignmentChanged(TObject*) {
  FInnerAlignment->Assign(FAlignment.get());
  NotifyChanged();
}

void TkvCustomEditProperties::SetAlignment(TkvEditAlignment* Value) {
  FInnerAlignment->Assign(Value);
  NotifyChanged();
}

void TkvCustomEditProperties::ButtonsChanged(TObject*) { NotifyChanged(); }

TkvCustomEditPropertiesValuesClass TkvCustomEditProperties::GetAssignedValuesClass() {
  return TkvCustomEditPropertiesValues::ClassInfo();
}

TAlignment TkvCustomEditProperties::DefaultHorzAlignment() {
  if (FDefaultValuesProvider) return FDefaultValuesProvider->ProvidedAlignment();
  return FAlignment->GetHorz();
}

double TkvCustomEditProperties::GetMaxValue() {
  if (GetAssignedValues()->GetMaxValue()) return FMaxValue;
  return FDefaultValuesProvider ? FDefaultValuesProvider->ProvidedMaxValue() : 0;
}

double TkvCustomEditProperties::GetMinValue() {
  if (GetAssignedValues()->GetMinValue()) return FMinValue;
  return FDefaultValuesProvider ? FDefaultValuesProvider->ProvidedMinValue() : 0;
}

String TkvCustomEditProperties::DefaultValidationErrorText(Integer) { return ResourceStringText(skvEditInvalidInput); }

bool TkvCustomEditProperties::HasDefaultDisplayFormat(bool EditorFocused) {
  Byte options = GetDisplayFormatOptions();
  if (EditorFocused || !(options & 1) || !FDefaultValuesProvider) return false;
  return FDefaultValuesProvider->IsDisplayFormatDefined(!(options & 2));
}

TkvEditButtonsClass TkvCustomEditProperties::GetButtonsClass() { return TkvEditButtons::ClassInfo(); }

TkvCustomEditStyleClass TkvCustomEditProperties::GetStyleClass() { return TkvEditStyle::ClassInfo(); }

bool TkvCustomEditProperties::OwnerIsDestroying() {
  auto* component = dynamic_cast<TComponent*>(FOwner);
  return component && component->GetComponentState().Contains(csDestroying);
}

void TkvCustomEditProperties::NotifyChanged() {
  if (IsChangeLocked() || OwnerIsDestroying()) {
    FChangedWhileLocked = true;
    return;
  }
  if (!FOnPropertiesChanged) return;
  ++FNotifyingCount;
  try {
    FOnPropertiesChanged(this);
  } catch (...) {
    --FNotifyingCount;
    throw;
  }
  --FNotifyingCount;
}

bool TkvCustomEditProperties::DisplayValuesEqual(const Variant& A, const Variant& B) {
  Variant a, b;
  MakeDisplayValue(A, a, false);
  MakeDisplayValue(B, b, false);
  return VariantsEqual(a, b);
}

TkvCustomEditProperties* TkvCustomEditProperties::NewOfSameClass() {
  return static_cast<TkvCustomEditProperties*>(ClassType()->Create(nullptr));
}

String TkvCustomEditProperties::EditValueToDisplayText(const Variant&, bool) { return String(); }

Integer TkvCustomEditProperties::GetSupportedFeatures() { return GetButtons()->GetCount() > 0 ? 32 : 0; }

void TkvCustomEditProperties::MakeDisplayValue(const Variant& EditValue, Variant& DisplayValue, bool) {
  DisplayValue = EditValue;
}

void TkvCustomEditProperties::RestoreDefaults() {
  FInnerAlignment->Reset();
  LockChanges();
  GetAssignedValues()->ClearAssigned();
  UnlockChanges(true);
}

void TkvCustomEditProperties::LockChanges() {
  if (FUpdateCount == 0) FChangedWhileLocked = false;
  ++FUpdateCount;
}

void TkvCustomEditProperties::UnlockChanges(bool Notify) {
  if (FUpdateCount < 1) return;
  if (--FUpdateCount == 0 && Notify && FChangedWhileLocked) NotifyChanged();
}

void TkvCustomEditProperties::AttachDefaultValuesProvider(IkvEditDefaultValuesProvider* Provider) {
  FDefaultValuesProvider = Provider;
  // Only an editor's own Properties show the provider's defaults at once.
  if (dynamic_cast<TControl*>(FOwner)) NotifyChanged();
}

bool TkvCustomEditProperties::CanModify() {
  if (GetAssignedValues()->GetReadOnly() && !FReadOnly) return true;
  if (GetReadOnly()) return false;
  if (!FDefaultValuesProvider) return true;
  return FDefaultValuesProvider->ProvidedCanModify() && FDefaultValuesProvider->CanEnterEditMode();
}

bool TkvCustomEditProperties::UsesProviderDisplayFormat() {
  Byte options = GetDisplayFormatOptions();
  return (options & 1) && GetValueFormatKind(true) == 0 && GetValueFormatKind(false) == 1 && FDefaultValuesProvider &&
         FDefaultValuesProvider->IsDisplayFormatDefined(!(options & 2));
}

TkvEditAlignment* TkvCustomEditProperties::GetAlignment() {
  FAlignment->SetOnChanged(TNotifyEvent());
  FAlignment->Assign(FInnerAlignment.get());
  bool assigned = FInnerAlignment->IsHorzStored() || FInnerAlignment->IsVertStored();
  // Every view computation reads the alignment: the owner, a walk of casts, is looked up only
  // when an alignment of its own is there to keep.
  auto ownerWriting = [this] {
    TComponent* owner = OwningComponentOf(this);
    return owner && owner->GetComponentState().Contains(csWriting);
  };
  if (!FInnerAlignment->IsHorzStored() && !(assigned && ownerWriting())) {
    FAlignment->ShowDefaultHorz(DefaultHorzAlignment());
  }
  FAlignment->SetOnChanged(MakeEvent<&TkvCustomEditProperties::AlignmentChanged>(this));
  return FAlignment.get();
}

void TkvCustomEditProperties::SetAutoSelect(bool Value) { Store(FAutoSelect, Value); }
void TkvCustomEditProperties::SetBeepOnError(bool Value) { Store(FBeepOnError, Value); }
void TkvCustomEditProperties::SetButtons(TkvEditButtons* Value) { GetButtons()->Assign(Value); }

TkvEditButtons* TkvCustomEditProperties::GetButtons() {
  if (!FButtons) {
    FButtons.reset(GetButtonsClass().Create(new TkvEditButtonsArgs(this, TkvEditButtons::ButtonClass())));
    FButtons->SetOnChange(MakeEvent<&TkvCustomEditProperties::ButtonsChanged>(this));
  }
  return FButtons.get();
}

TkvCustomEditPropertiesValues* TkvCustomEditProperties::GetAssignedValues() {
  if (!FAssignedValues) FAssignedValues.reset(GetAssignedValuesClass().Create(this));
  return FAssignedValues.get();
}
void TkvCustomEditProperties::SetButtonsLayout(Byte Value) { Store(FButtonsLayout, Value); }
void TkvCustomEditProperties::SetClearKey(TShortCut Value) { Store(FClearKey, Value); }
void TkvCustomEditProperties::SetClickKey(TShortCut Value) { Store(FClickKey, Value); }
void TkvCustomEditProperties::SetImmediatePost(bool Value) { Store(FImmediatePost, Value); }
void TkvCustomEditProperties::SetTransparent(bool Value) { Store(FTransparent, Value); }
void TkvCustomEditProperties::SetUseLeftAlignmentOnEditing(bool Value) { Store(FUseLeftAlignmentOnEditing, Value); }
void TkvCustomEditProperties::SetMouseWheelInPlace(bool Value) { Store(FMouseWheelInPlace, Value); }
void TkvCustomEditProperties::SetValidateOnEnter(bool Value) { Store(FValidateOnEnter, Value); }

void TkvCustomEditProperties::SetMaxValue(double Value) {
  if (GetAssignedValues()->GetMaxValue() && FMaxValue == Value) return;
  LockChanges();
  FMaxValue = Value;
  GetAssignedValues()->SetMaxValue(true);
  NotifyChanged();
  UnlockChanges(true);
}

void TkvCustomEditProperties::SetMinValue(double Value) {
  if (GetAssignedValues()->GetMinValue() && FMinValue == Value) return;
  LockChanges();
  FMinValue = Value;
  GetAssignedValues()->SetMinValue(true);
  NotifyChanged();
  UnlockChanges(true);
}

bool TkvCustomEditProperties::GetReadOnly() {
  if (GetAssignedValues()->GetReadOnly()) return FReadOnly;
  return FDefaultValuesProvider && FDefaultValuesProvider->ProvidedReadOnly();
}

void TkvCustomEditProperties::SetReadOnly(bool Value) {
  if (GetAssignedValues()->GetReadOnly() && FReadOnly == Value) return;
  LockChanges();
  FReadOnly = Value;
  GetAssignedValues()->SetReadOnly(true);
  NotifyChanged();
  UnlockChanges(true);
}

TComponent* OwningComponentOf(TPersistent* Persistent) {
  while (Persistent) {
    if (auto* component = dynamic_cast<TComponent*>(Persistent)) return component;
    Persistent = Persistent->GetOwner();
  }
  return nullptr;
}

// ---- Registry and live list ----------------------------------------------------------------

TkvRegisteredClasses* EditPropertiesRegistry() {
  if (!GPropertiesRegistry) {
    GPropertiesRegistry = new TkvRegisteredClasses(false);
    GPropertiesRegistry->SetSortedFlag(true);
  }
  return GPropertiesRegistry;
}

const std::vector<TkvCustomEditProperties*>& LivePropertiesList() {
  static const std::vector<TkvCustomEditProperties*> none;
  return GLiveProperties ? *GLiveProperties : none;
}

void kvEditPropertiesStart() { GLiveProperties = new std::vector<TkvCustomEditProperties*>(); }

void kvEditPropertiesEnd() {
  delete GPropertiesRegistry;
  GPropertiesRegistry = nullptr;
  delete GLiveProperties;
  GLiveProperties = nullptr;
}
