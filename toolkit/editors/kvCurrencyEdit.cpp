// The currency edit: its Properties, the number and decimal checks, the value and its bounds,
// typing, and the unit's registrations.

#include "toolkit/editors/kvCurrencyEdit.h"

#include <cmath>

#include "rtl/ClassRegistry.h"
#include "rtl/Resources.h"
#include "rtl/SysUtils.h"
#include "toolkit/editors/kvEditFilterHelpers.h"
#include "toolkit/editors/kvEditUtils.h"

TAVREN_CLASS_IMPL_PUBLISHED(TkvCurrencyEditPropertiesValues,
                            PROPERTY(MaxValue).Stored<&TkvCustomEditPropertiesValues::IsMaxValueStored>(),
                            PROPERTY(MinValue).Stored<&TkvCustomEditPropertiesValues::IsMinValueStored>(),
                            PROPERTY(ReadOnly).Stored(false),
                            PROPERTY(DisplayFormat).Stored<&TkvTextEditPropertiesValues::IsDisplayFormatStored>(),
                            PROPERTY(EditFormat).Stored<&TkvTextEditPropertiesValues::IsEditFormatStored>(),
                            PROPERTY(MaxLength).Stored(false), PROPERTY(DecimalPlaces).Stored(false))
TAVREN_CLASS_IMPL(TkvCustomCurrencyEditProperties)
TAVREN_CLASS_IMPL_PUBLISHED(
    TkvCurrencyEditProperties,
    PROPERTY_AS(Alignment, GetAlignment, SetAlignmentProp).Stored<&TkvCustomEditProperties::IsAlignmentStored>(),
    PROPERTY(AssignedValues), PROPERTY(AutoSelect).Default(true), PROPERTY(ClearKey).Default(0),
    PROPERTY(DecimalPlaces).Stored<&TkvCustomCurrencyEditProperties::IsDecimalPlacesStored>(),
    PROPERTY(DisplayFormat).Stored<&TkvCustomTextEditProperties::IsDisplayFormatStored>(),
    PROPERTY(EchoMode).Default(eemNormal),
    PROPERTY(EditFormat).Stored<&TkvCustomTextEditProperties::IsEditFormatStored>(),
    PROPERTY(HideSelection).Default(true), PROPERTY(ImeMode).Default(imDontCare), PROPERTY(ImeName),
    PROPERTY(MaxLength).Stored<&TkvCustomTextEditProperties::IsMaxLengthStored>(),
    PROPERTY(MaxValue).Stored<&TkvCustomEditProperties::IsMaxValueStored>(),
    PROPERTY(MinValue).Stored<&TkvCustomEditProperties::IsMinValueStored>(), PROPERTY(Nullable).Default(true),
    PROPERTY(NullString), PROPERTY(ReadOnly).Stored<&TkvCustomEditProperties::IsReadOnlyStored>(),
    PROPERTY(UseDisplayFormatWhenEditing).Default(false),
    PROPERTY(UseLeftAlignmentOnEditing).Stored<&TkvCustomEditProperties::IsUseLeftAlignmentOnEditingStored>(),
    PROPERTY(UseThousandSeparator).Default(false), PROPERTY(ValidateOnEnter).Default(true), PROPERTY(OnChange),
    PROPERTY(OnEditValueChanged), PROPERTY(OnValidate))
TAVREN_CLASS_IMPL(TkvCustomCurrencyEdit)
TAVREN_CLASS_IMPL_PUBLISHED(TkvCurrencyEdit, PROPERTY(AutoSize).Default(true), PROPERTY(BeepOnEnter).Default(true),
                            PROPERTY_AS(EditValue, GetEditValueProp, SetEditValue),
                            PROPERTY(ImeMode).Default(imDontCare), PROPERTY(ImeName),
                            PROPERTY_AS(Properties, GetCurrencyEditProperties, SetCurrencyEditProperties),
                            PROPERTY_AS(Style, GetEditStyle, SetEditStyle),
                            PROPERTY_AS(StyleDisabled, GetEditStyleDisabled, SetEditStyleDisabled),
                            PROPERTY_AS(StyleFocused, GetEditStyleFocused, SetEditStyleFocused),
                            PROPERTY_AS(StyleHot, GetEditStyleHot, SetEditStyleHot),
                            PROPERTY(Value).Stored(false), PROPERTY(OnEditing))
TAVREN_CLASS_IMPL(TkvFilterCurrencyEditHelper)

// ---- Number texts ------------------------------------------------------------------------------

bool CheckCurrencyText(const String& Text, double& Value) {
  Value = 0;
  String text = StripThousandSeparators(Text, FormatSettings);
  if (text.empty()) return true;
  Extended number = 0;
  if (!TryStrToFloat(text, number)) return false;
  // Whatever a double cannot hold (a denormal underflow, beyond the largest finite) is no amount.
  Extended magnitude = std::fabs(number);
  if (number != 0 && !(magnitude >= 5.0e-324 && magnitude <= 1.7e308)) return false;
  Value = number;
  return true;
}

bool CheckCurrencyDecimals(const String& Text, Integer Places, double& Value) {
  size_t separator = Text.find(FormatSettings.DecimalSeparator);
  if (separator != String::npos) {
    size_t end = Text.find_first_of("eE", separator + 1);
    if (end == String::npos) end = Text.size();
    if (static_cast<Integer>(end - separator - 1) > Places) {
      Value = 0;
      return false;
    }
  }
  return CheckCurrencyText(Text, Value);
}

// ---- Assigned values ---------------------------------------------------------------------------

void TkvCurrencyEditPropertiesValues::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TkvCurrencyEditPropertiesValues*>(Source);
  if (!source) return TkvTextEditPropertiesValues::Assign(Source);
  LockOwner();
  TkvTextEditPropertiesValues::Assign(Source);
  SetDecimalPlaces(source->FDecimalPlaces);
  UnlockOwner();
}

void TkvCurrencyEditPropertiesValues::ClearAssigned() {
  LockOwner();
  TkvTextEditPropertiesValues::ClearAssigned();
  SetDecimalPlaces(false);
  UnlockOwner();
}

void TkvCurrencyEditPropertiesValues::SetDecimalPlaces(bool Value) {
  if (FDecimalPlaces == Value) return;
  FDecimalPlaces = Value;
  NotifyOwner();
}

// ---- Properties --------------------------------------------------------------------------------

TkvCustomCurrencyEditProperties::TkvCustomCurrencyEditProperties(TPersistent* AOwner)
    : TkvCustomTextEditProperties(AOwner) {
  SetValidateOnEnter(true);
}

void TkvCustomCurrencyEditProperties::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TkvCustomCurrencyEditProperties*>(Source);
  LockChanges();
  try {
    TkvCustomTextEditProperties::Assign(Source);
    if (source) {
      GetCurrencyAssignedValues()->SetDecimalPlaces(false);
      if (source->IsDecimalPlacesStored()) SetDecimalPlaces(source->FDecimalPlaces);
      SetNullable(source->FNullable);
      SetNullString(source->FNullString);
      SetUseThousandSeparator(source->FUseThousandSeparator);
    }
  } catch (...) {
    UnlockChanges(true);
    throw;
  }
  UnlockChanges(true);
}

TkvCustomEditPropertiesValuesClass TkvCustomCurrencyEditProperties::GetAssignedValuesClass() {
  return TkvCurrencyEditPropertiesValues::ClassInfo();
}

TkvCurrencyEditPropertiesValues* TkvCustomCurrencyEditProperties::GetCurrencyAssignedValues() {
  return static_cast<TkvCurrencyEditPropertiesValues*>(GetAssignedValues());
}

TClass TkvCustomCurrencyEditProperties::GetEditorClass() { return TkvCurrencyEdit::ClassInfo(); }

Integer TkvCustomCurrencyEditProperties::GetValueFormatKind(bool Editing) {
  if (Editing) return 0;
  IkvEditDefaultValuesProvider* provider = GetDefaultValuesProvider();
  return provider && provider->HasGetTextHandler() ? 1 : 0;
}

String TkvCustomCurrencyEditProperties::KindDisplayFormat() { return TheFormatController()->CurrencyFormat(); }

bool TkvCustomCurrencyEditProperties::IsEditFormatInForce(TkvCustomEdit* Editor) {
  TkvEditFormatChoice choice = ResolveEditFormat(Editor);
  return !choice.Format.empty() || choice.UseGetText;
}

void TkvCustomCurrencyEditProperties::MakeDisplayValue(const Variant& EditValue, Variant& DisplayValue,
                                                       bool Editing) {
  if (VarIsNull(EditValue) || VarIsEmpty(EditValue) || (VarIsStr(EditValue) && VarToStr(EditValue).empty())) {
    if (Editing) DisplayValue = String();
    else if (FNullable) DisplayValue = FNullString;
    else TkvCustomTextEditProperties::MakeDisplayValue(Variant(0), DisplayValue, false);
    return;
  }
  try {
    TkvCustomTextEditProperties::MakeDisplayValue(EditValue, DisplayValue, Editing);
  } catch (const EConvertError&) {
    DisplayValue = Editing ? String() : VarToStr(EditValue);
  } catch (const EVariantError&) {
    DisplayValue = Editing ? String() : VarToStr(EditValue);
  }
}

void TkvCustomCurrencyEditProperties::CheckDisplayValue(Variant& DisplayValue, String& ErrorText, bool& Error,
                                                        TkvCustomEdit* Editor) {
  String text = VarToStr(DisplayValue);
  double number;
  // NullString is a committed Null, not a wrong number.
  if (!CheckCurrencyText(text, number) && !(!FNullString.empty() && text == FNullString)) Error = true;
  TkvCustomTextEditProperties::CheckDisplayValue(DisplayValue, ErrorText, Error, Editor);
}

bool TkvCustomCurrencyEditProperties::AcceptsTextValue(Variant& Value, bool EditFormatMayDecide) {
  if (EditFormatMayDecide && IsEditFormatInForce(nullptr)) return true;
  String text = Trim(VarToStr(Value));
  double number;
  if (!CheckCurrencyText(text, number)) return false;
  Value = text;
  return true;
}

Integer TkvCustomCurrencyEditProperties::GetDecimalPlaces() {
  return IsDecimalPlacesStored() ? FDecimalPlaces : FormatSettings.CurrencyDecimals;
}

void TkvCustomCurrencyEditProperties::SetDecimalPlaces(Integer Value) {
  TkvCurrencyEditPropertiesValues* values = GetCurrencyAssignedValues();
  if (values->GetDecimalPlaces() && FDecimalPlaces == Value) return;
  FDecimalPlaces = Value;
  LockChanges();
  values->SetDecimalPlaces(true);
  NotifyChanged();
  UnlockChanges(true);
}

// ---- Editor ------------------------------------------------------------------------------------

TkvCustomCurrencyEdit::TkvCustomCurrencyEdit(TComponent* AOwner, bool AInplace,
                                             TkvCustomEditPropertiesClass APropertiesClass)
    : TkvCustomTextEdit(AOwner, AInplace, APropertiesClass) {
  // The text is the value's picture, not a caption to set.
  SetControlStyle(GetControlStyle() - TControlStyle{csSetCaption});
}

double TkvCustomCurrencyEdit::GetValue() {
  Variant value;
  if (Focused() && !IsValidated() && GetUserEdited()) {
    ConvertDisplayToEditValue(Variant(GetText()), value, true);
    return VarIsNumeric(value) ? value.AsDouble() : 0;
  }
  GetEditValue(value);
  if (VarIsNull(value) || VarIsEmpty(value)) return 0;
  // A stored text that is no number reads 0 rather than raising out of a getter.
  if (VarIsStr(value)) return StrToFloatDef(Trim(VarToStr(value)), 0);
  return value.AsDouble();
}

void TkvCustomCurrencyEdit::SetValue(double Value) {
  TkvCustomCurrencyEditProperties* properties = CurrencyProperties();
  if (properties->IsBoundDefined(0) && Value < properties->GetMinValue()) Value = properties->GetMinValue();
  else if (properties->IsBoundDefined(1) && Value > properties->GetMaxValue()) Value = properties->GetMaxValue();
  SetEditValue(Variant(Value));
}

void TkvCustomCurrencyEdit::EditingValueToEditValue(Variant& Value) {
  ConvertDisplayToEditValue(Variant(GetText()), Value, true);
}

void TkvCustomCurrencyEdit::ConvertDisplayToEditValue(const Variant& Display, Variant& Value, bool) {
  TkvCustomCurrencyEditProperties* properties = CurrencyProperties();
  String text = VarToStr(Display);
  double number;
  if (!text.empty() && text != properties->GetNullString() && CheckCurrencyText(text, number))
    Value = Variant(number);
  else if (properties->GetNullable())
    Value = Null();
  else
    Value = Variant(0.0);
}

bool TkvCustomCurrencyEdit::IsCharAllowed(Char Character) {
  TkvCustomCurrencyEditProperties* properties = CurrencyProperties();
  const TFormatSettings& settings = FormatSettings;
  bool numeric = (Character >= '0' && Character <= '9') || Character == '+' || Character == '-' ||
                 Character == settings.DecimalSeparator || Character == 'e' || Character == 'E';
  bool separator = properties->GetUseThousandSeparator() && settings.ThousandSeparator != '\0' &&
                   Character == settings.ThousandSeparator;
  if (!numeric && !separator) return false;
  double number;
  Integer places = properties->GetDecimalPlaces();
  // A text the edit format made may hold more decimals: typing may go on until it is rewritten.
  if (properties->IsEditFormatInForce(this) && !CheckCurrencyDecimals(GetText(), places, number)) return true;
  String result = PrepareTextChange(String(1, Character)).Text;
  if (Character == '-' && result == "-") return true;
  return CheckCurrencyDecimals(result, places, number);
}

void TkvCustomCurrencyEdit::KeyPress(Char& Key) {
  const TFormatSettings& settings = FormatSettings;
  bool keptSeparator = CurrencyProperties()->GetUseThousandSeparator() && Key == settings.ThousandSeparator;
  if (!keptSeparator && (Key == ',' || Key == '.')) Key = settings.DecimalSeparator;
  TkvCustomTextEdit::KeyPress(Key);
}

void TkvCustomCurrencyEdit::ApplyPropertiesChange(TObject* Properties) {
  if (CurrencyProperties()->GetChangesIgnored()) return;
  if (!Focused() && !InnerEditMissing() && !GetComponentState().Contains(csLoading)) UpdateDisplayFromEditValue();
  TkvCustomTextEdit::ApplyPropertiesChange(Properties);
}

void TkvCustomCurrencyEdit::ClipboardPaste() {
  if (!RequestEdit()) return;
  TkvCustomTextEdit::ClipboardPaste();
}

void TkvCustomCurrencyEdit::ValueBoundsDefined() {
  TkvCustomCurrencyEditProperties* properties = CurrencyProperties();
  bool keyboard = IsKeyboardAction();
  SetKeyboardAction(GetUserEdited());
  double value = GetValue();
  try {
    if (properties->IsBoundDefined(0) && value < properties->GetMinValue())
      SetValue(properties->GetMinValue());
    else if (properties->IsBoundDefined(1) && value > properties->GetMaxValue())
      SetValue(properties->GetMaxValue());
  } catch (...) {
    SetKeyboardAction(keyboard);
    throw;
  }
  SetKeyboardAction(keyboard);
}

// ---- Filter rows -------------------------------------------------------------------------------

TkvFilterOperators TkvFilterCurrencyEditHelper::FilterOperatorSet(TkvValueTypeClass ValueType, bool Extended) {
  TkvFilterOperators operators = TkvFilterTextEditHelper::FilterOperatorSet(ValueType, Extended);
  operators.reset(7);
  operators.reset(8);
  return operators;
}

void TkvFilterCurrencyEditHelper::InitFilterProperties(TkvCustomEditProperties* Properties,
                                                       TkvCustomEditProperties* Source, bool KeepButtons) {
  TkvFilterTextEditHelper::InitFilterProperties(Properties, Source, KeepButtons);
  auto* properties = dynamic_cast<TkvCustomCurrencyEditProperties*>(Properties);
  if (!properties) return;
  properties->SetMinValue(0);
  properties->SetMaxValue(0);
  properties->SetNullable(true);
  properties->SetNullString("");
}

// ---- Unit --------------------------------------------------------------------------------------

namespace {

Integer GStartCount = 0;

}  // namespace

void kvCurrencyEditStart() {
  if (GStartCount++ > 0) return;
  RegisterClasses({TkvCurrencyEdit::ClassInfo(), TkvCurrencyEditProperties::ClassInfo()});
  EditPropertiesRegistry()->AddClass(TkvCurrencyEditProperties::ClassInfo(),
                                     ResourceStringText(skvEditCurrencyEditDescription));
  TheFilterEditsController()->AddHelper(TkvCurrencyEditProperties::ClassInfo(),
                                        FilterEditHelperOf<TkvFilterCurrencyEditHelper>());
}

void kvCurrencyEditEnd() {
  if (GStartCount == 0 || --GStartCount > 0) return;
  UnRegisterClass(TkvCurrencyEditProperties::ClassInfo());
  UnRegisterClass(TkvCurrencyEdit::ClassInfo());
  // The Properties registry goes with the edit framework's end.
  TheFilterEditsController()->RemoveHelper(TkvCurrencyEditProperties::ClassInfo(),
                                           FilterEditHelperOf<TkvFilterCurrencyEditHelper>());
}
