// The spin edit's Properties: the spin buttons' options, the value type and its assigned flag,
// the increments and the bounds a step runs between.

#include <cmath>

#include "rtl/ClassRegistry.h"
#include "rtl/Filer.h"
#include "rtl/Reader.h"
#include "rtl/SysUtils.h"
#include "rtl/Writer.h"
#include "toolkit/editors/kvSpinEdit.h"

TAVREN_CLASS_IMPL_PUBLISHED(TkvSpinEditButtons, PROPERTY(Position).Default(sbpVert),
                            PROPERTY(ShowFastButtons).Default(false), PROPERTY(Visible).Default(true))
TAVREN_CLASS_IMPL_PUBLISHED(TkvSpinEditPropertiesValues,
                            PROPERTY(MaxValue).Stored<&TkvCustomEditPropertiesValues::IsMaxValueStored>(),
                            PROPERTY(MinValue).Stored<&TkvCustomEditPropertiesValues::IsMinValueStored>(),
                            PROPERTY(ReadOnly).Stored(false),
                            PROPERTY(DisplayFormat).Stored<&TkvTextEditPropertiesValues::IsDisplayFormatStored>(),
                            PROPERTY(EditFormat).Stored<&TkvTextEditPropertiesValues::IsEditFormatStored>(),
                            PROPERTY(MaxLength).Stored(false), PROPERTY(ValueType).Stored(false))
TAVREN_CLASS_IMPL(TkvCustomSpinEditProperties)
TAVREN_CLASS_IMPL_PUBLISHED(
    TkvSpinEditProperties,
    PROPERTY_AS(Alignment, GetAlignment, SetAlignmentProp).Stored<&TkvCustomEditProperties::IsAlignmentStored>(),
    PROPERTY(AssignedValues), PROPERTY(AutoSelect).Default(true), PROPERTY(BeepOnError).Default(false),
    PROPERTY(CanEdit).Default(true), PROPERTY(ClearKey).Default(0),
    PROPERTY(DisplayFormat).Stored<&TkvCustomTextEditProperties::IsDisplayFormatStored>(),
    PROPERTY(EchoMode).Default(eemNormal),
    PROPERTY(EditFormat).Stored<&TkvCustomTextEditProperties::IsEditFormatStored>(),
    PROPERTY(ExceptionOnInvalidInput).Default(false), PROPERTY(HideSelection).Default(true),
    PROPERTY(ImeMode).Default(imDontCare), PROPERTY(ImeName), PROPERTY(ImmediatePost).Default(false),
    PROPERTY(Increment).Stored<&TkvCustomSpinEditProperties::IsIncrementStored>(),
    PROPERTY(LargeIncrement).Stored<&TkvCustomSpinEditProperties::IsLargeIncrementStored>(),
    PROPERTY(MaxValue).Stored<&TkvCustomEditProperties::IsMaxValueStored>(),
    PROPERTY(MinValue).Stored<&TkvCustomEditProperties::IsMinValueStored>(),
    PROPERTY(ReadOnly).Stored<&TkvCustomEditProperties::IsReadOnlyStored>(), PROPERTY(SpinButtons),
    PROPERTY(UseCtrlIncrement).Default(false), PROPERTY(UseDisplayFormatWhenEditing).Default(false),
    PROPERTY(UseLeftAlignmentOnEditing).Stored<&TkvCustomEditProperties::IsUseLeftAlignmentOnEditingStored>(),
    PROPERTY(ValidateOnEnter).Default(true),
    PROPERTY(ValueType).Stored<&TkvCustomSpinEditProperties::IsValueTypeStored>(), PROPERTY(OnChange),
    PROPERTY(OnEditValueChanged), PROPERTY(OnGetValue), PROPERTY(OnValidate))

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
  FAdjustingButtons = true;
  GetButtons()->AddButton();
  GetButtons()->AddButton();
  FAdjustingButtons = false;
  SetValidateOnEnter(true);
  UnlockChanges(false);
}

TkvCustomSpinEditProperties::~TkvCustomSpinEditProperties() = default;

void TkvCustomSpinEditProperties::DefineProperties(TFiler* Filer) {
  TkvCustomMaskEditProperties::DefineProperties(Filer);
  auto* ancestor = dynamic_cast<TkvCustomSpinEditProperties*>(Filer->GetAncestor());
  auto zero = [&](const char* Name, Double TkvCustomSpinEditProperties::*Field) {
    const bool write = this->*Field == 0 && !(ancestor && ancestor->*Field == 0);
    Filer->DefineProperty(
        Name,
        [this, Field](TReader* Reader) {
          Reader->ReadBoolean();
          if (this->*Field == 0) return;
          this->*Field = 0;
          NotifyChanged();
        },
        [](TWriter* Writer) { Writer->WriteBoolean(true); }, write);
  };
  zero("ZeroIncrement", &TkvCustomSpinEditProperties::FIncrement);
  zero("ZeroLargeIncrement", &TkvCustomSpinEditProperties::FLargeIncrement);
}

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
      SetOnGetValue(source->FOnGetValue);
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
  if (!FAdjustingButtons && buttons->GetCount() != wanted) {
    // The buttons' own change notices come back here; the one below covers them.
    LockChanges();
    FAdjustingButtons = true;
    while (buttons->GetCount() < wanted) buttons->AddButton();
    while (buttons->GetCount() > wanted) buttons->Delete(buttons->GetCount() - 1);
    FAdjustingButtons = false;
    UnlockChanges(false);
  }
  TkvCustomMaskEditProperties::NotifyChanged();
}

TClassOf<TkvCustomEditViewData> TkvCustomSpinEditProperties::GetViewDataClass() {
  return TkvSpinEditViewData::ClassInfo();
}

TClass TkvCustomSpinEditProperties::GetEditorClass() { return TkvSpinEdit::ClassInfo(); }

TClassOf<TkvCustomEditViewInfo> TkvCustomSpinEditProperties::GetViewInfoClass() {
  return TkvSpinEditViewInfo::ClassInfo();
}

// ---- Values and texts --------------------------------------------------------------------------

bool TkvCustomSpinEditProperties::ParseNumber(const String& Text, Variant& Value) {
  if (GetValueType() == vtInt) {
    Int64 number = 0;
    if (!TryStrToInt64(Text, number)) return false;
    Value = Variant(number);
    return true;
  }
  Extended number = 0;
  if (!TryStrToFloat(Text, number) || !(std::fabs(number) <= 1.7e308)) return false;
  Value = Variant(static_cast<Double>(number));
  return true;
}

String TkvCustomSpinEditProperties::PlainText(const Variant& Value) {
  if (!VarIsNumeric(Value)) return VarToStr(Value);
  return GetValueType() == vtInt ? IntToStr(ToValueType(Value).AsInt64()) : FloatToStr(Value.AsDouble());
}

Variant TkvCustomSpinEditProperties::Clamp(const Variant& Value) {
  if (!VarIsNumeric(Value)) return Value;
  const Variant v = ToValueType(Value), min = EffectiveMinValue(), max = EffectiveMaxValue();
  if (GetValueType() == vtInt) {
    if (v.AsInt64() < min.AsInt64()) return min;
    if (v.AsInt64() > max.AsInt64()) return max;
    return v;
  }
  if (v.AsDouble() < min.AsDouble()) return min;
  if (v.AsDouble() > max.AsDouble()) return max;
  return v;
}

bool TkvCustomSpinEditProperties::AcceptsEditValue(const Variant& Value) {
  try {
    if (VarIsNull(Value) || VarIsEmpty(Value) || VarType(Value) == varDate) return true;
    if (VarIsStr(Value) && VarToStr(Value).empty()) return true;
    if (!VarIsStr(Value) && !VarIsNumeric(Value)) return false;
    Variant number;
    return ParseNumber(VarIsStr(Value) ? Trim(VarToStr(Value)) : PlainText(Value), number) ||
           (VarIsNumeric(Value) && std::isfinite(Value.AsDouble()));
  } catch (const Exception&) {
    return false;
  }
}

bool TkvCustomSpinEditProperties::AcceptsTextValue(Variant& Value, bool Editing) {
  if (!TkvCustomMaskEditProperties::AcceptsTextValue(Value, Editing)) return false;
  const String text = Trim(VarToStr(Value));
  if (text.empty()) return true;
  // A handler may read what the number conversion does not.
  if (FOnGetValue && FCanEdit) return true;
  Variant number;
  try {
    if (!ParseNumber(text, number)) return false;
  } catch (const EConvertError&) {
    return false;
  }
  if (!VarSameTypeAndValue(Clamp(number), number)) Value = PlainText(number);
  return true;
}

void TkvCustomSpinEditProperties::CheckDisplayValue(Variant& DisplayValue, String& ErrorText, bool& Error,
                                                    TkvCustomEdit* Editor) {
  auto* spin = dynamic_cast<TkvCustomSpinEdit*>(Editor);
  Variant value;
  if (spin && spin->GetTextEdited()) {
    if (!spin->TextToValue(VarToStr(DisplayValue), value, ErrorText, false)) Error = true;
  } else if (spin) {
    value = spin->CurrentSpinValue();
  } else if (!ParseNumber(Trim(VarToStr(DisplayValue)), value)) {
    value = Null();
  }
  if (!Error) {
    if (VarIsNull(value)) value = Clamp(ToValueType(Variant(0)));
    if (!FExceptionOnInvalidInput) {
      DisplayValue = PlainText(Clamp(value));
    } else if (!VarSameTypeAndValue(Clamp(value), ToValueType(value))) {
      Error = true;
      ErrorText = ResourceStringText(skvEditValueOutOfBounds);
    }
  }
  // The mask's check and the text editor's bounds are the spin edit's own here, and an error
  // without a text ends silently: no default text is put in.
  bool changed = false;
  if (Editor) RunOnValidate(DisplayValue, ErrorText, changed, Editor, Error);
}

bool TkvCustomSpinEditProperties::HasDefaultDisplayFormat(bool EditorFocused) {
  return !IsDisplayFormatStored() && TkvCustomMaskEditProperties::HasDefaultDisplayFormat(EditorFocused);
}

void TkvCustomSpinEditProperties::MakeDisplayValue(const Variant& EditValue, Variant& DisplayValue, bool Editing) {
  // The text editor's general float format would round a long integer.
  if (Editing && GetValueType() == vtInt && VarIsNumeric(EditValue) && !HasMask() &&
      ResolveEditFormat(nullptr).Format.empty()) {
    DisplayValue = PlainText(EditValue);
    return;
  }
  TkvCustomMaskEditProperties::MakeDisplayValue(EditValue, DisplayValue, Editing);
}

String TkvCustomSpinEditProperties::EmptyDisplayValue() { return PlainText(Clamp(ToValueType(Variant(0)))); }

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
  // Only a data storage's field has a kind; a plain editor's provider knows none.
  IkvEditDefaultValuesProvider* provider = GetDefaultValuesProvider();
  if (provider && provider->IsDataStorage()) return provider->ProvidedIsFloatValue() ? vtFloat : vtInt;
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
