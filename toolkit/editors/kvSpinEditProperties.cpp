// The spin edit's Properties: the spin buttons' options, the value type and its assigned flag,
// the increments and the bounds a step runs between.

#include "rtl/ClassRegistry.h"
#include "toolkit/editors/kvSpinEdit.h"

TAVREN_CLASS_IMPL_PUBLISHED(TkvSpinEditButtons, PROPERTY(Position).Default(sbpVert),
                            PROPERTY(ShowFastButtons).Default(false), PROPERTY(Visible).Default(true))
TAVREN_CLASS_IMPL(TkvSpinEditPropertiesValues)
TAVREN_CLASS_IMPL(TkvCustomSpinEditProperties)

void TkvSpinEditButtons::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TkvSpinEditButtons*>(Source);
  if (!source) return TPersistent::Assign(Source);
  FOwner->LockChanges();
  SetPosition(source->FPosition);
  SetShowFastButtons(source->FShowFastButtons);
  SetVisible(source->FVisible);
  FOwner->UnlockChanges(true);
}

// ---- Assigned values ---------------------------------------------------------------------------

void TkvSpinEditPropertiesValues::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TkvSpinEditPropertiesValues*>(Source);
  if (!source) return TkvTextEditPropertiesValues::Assign(Source);
  LockOwner();
  TkvTextEditPropertiesValues::Assign(Source);
  SetValueType(source->FValueType);
  UnlockOwner();
}

void TkvSpinEditPropertiesValues::ClearAssigned() {
  LockOwner();
  TkvTextEditPropertiesValues::ClearAssigned();
  SetValueType(false);
  UnlockOwner();
}

void TkvSpinEditPropertiesValues::SetValueType(bool Value) {
  if (FValueType == Value) return;
  FValueType = Value;
  NotifyOwner();
}

// ---- Properties --------------------------------------------------------------------------------

TkvCustomSpinEditProperties::TkvCustomSpinEditProperties(TPersistent* AOwner)
    : TkvCustomMaskEditProperties(AOwner), FSpinButtons(std::make_unique<TkvSpinEditButtons>(this)) {
  LockChanges();
  GetButtons()->AddButton();
  GetButtons()->AddButton();
  UnlockChanges(false);
}

TkvCustomSpinEditProperties::~TkvCustomSpinEditProperties() = default;

void TkvCustomSpinEditProperties::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TkvCustomSpinEditProperties*>(Source);
  LockChanges();
  try {
    TkvCustomMaskEditProperties::Assign(Source);
    if (source) {
      AttachDefaultValuesProvider(source->GetDefaultValuesProvider());
      GetSpinAssignedValues()->SetValueType(false);
      if (source->IsValueTypeStored()) SetValueType(source->FValueType);
      SetCanEdit(source->FCanEdit);
      SetCircular(source->FCircular);
      SetExceptionOnInvalidInput(source->FExceptionOnInvalidInput);
      SetIncrement(source->FIncrement);
      SetLargeIncrement(source->FLargeIncrement);
      SetSpinButtons(source->GetSpinButtons());
      SetUseCtrlIncrement(source->FUseCtrlIncrement);
    }
  } catch (...) {
    UnlockChanges(true);
    throw;
  }
  UnlockChanges(true);
}

TkvCustomEditPropertiesValuesClass TkvCustomSpinEditProperties::GetAssignedValuesClass() {
  return TkvSpinEditPropertiesValues::ClassInfo();
}

void TkvCustomSpinEditProperties::NotifyChanged() {
  const Integer wanted = !FSpinButtons->GetVisible() ? 0 : FSpinButtons->GetShowFastButtons() ? 4 : 2;
  TkvEditButtons* buttons = GetButtons();
  if (buttons->GetCount() != wanted) {
    // The buttons' own change notices would come back here; the one below covers them.
    LockChanges();
    while (buttons->GetCount() < wanted) buttons->AddButton();
    while (buttons->GetCount() > wanted) buttons->Delete(buttons->GetCount() - 1);
    UnlockChanges(false);
  }
  TkvCustomMaskEditProperties::NotifyChanged();
}

TkvSpinOverflowMode TkvCustomSpinEditProperties::StepOverflowMode() {
  if (FCircular) return somWrap;
  return ClampsAtBounds() ? somClamp : somRefuse;
}

Variant TkvCustomSpinEditProperties::EffectiveMaxValue() {
  return IsBoundDefined(1) ? ToValueType(GetMaxValue()) : SpinTypeMaxValue(GetValueType());
}

Variant TkvCustomSpinEditProperties::EffectiveMinValue() {
  return IsBoundDefined(0) ? ToValueType(GetMinValue()) : SpinTypeMinValue(GetValueType());
}

TkvSpinStepRange TkvCustomSpinEditProperties::StepRange() {
  TkvSpinStepRange range;
  range.ValueType = GetValueType();
  range.MinValue = EffectiveMinValue();
  range.MaxValue = EffectiveMaxValue();
  range.OverflowMode = StepOverflowMode();
  return range;
}

TkvSpinEditPropertiesValues* TkvCustomSpinEditProperties::GetSpinAssignedValues() {
  return static_cast<TkvSpinEditPropertiesValues*>(GetAssignedValues());
}

TkvSpinEditValueType TkvCustomSpinEditProperties::GetValueType() {
  if (IsValueTypeStored()) return FValueType;
  if (IkvEditDefaultValuesProvider* provider = GetDefaultValuesProvider())
    return provider->ProvidedIsFloatValue() ? vtFloat : vtInt;
  return vtFloat;
}

void TkvCustomSpinEditProperties::SetValueType(TkvSpinEditValueType Value) {
  if (IsValueTypeStored() && FValueType == Value) return;
  FValueType = Value;
  LockChanges();
  GetSpinAssignedValues()->SetValueType(true);
  UnlockChanges(false);
  NotifyChanged();
}
