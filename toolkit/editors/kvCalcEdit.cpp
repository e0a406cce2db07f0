// The calc edit: its Properties, the number texts it shows and accepts, the calculator in its
// drop-down, and the unit's registrations.

#include <cmath>

#include "rtl/ClassRegistry.h"
#include "rtl/FMTBcd.h"
#include "rtl/Resources.h"
#include "rtl/SysUtils.h"
#include "toolkit/editors/kvCalc.h"
#include "toolkit/editors/kvEditFilterHelpers.h"
#include "toolkit/editors/kvEditUtils.h"
#include "toolkit/foundation/kvLookAndFeels.h"
#include "user/User.h"

TAVREN_CLASS_IMPL(TkvPopupCalculator)
TAVREN_CLASS_IMPL_PUBLISHED(TkvCalcEditPropertiesValues,
                            PROPERTY(MaxValue).Stored<&TkvCustomEditPropertiesValues::IsMaxValueStored>(),
                            PROPERTY(MinValue).Stored<&TkvCustomEditPropertiesValues::IsMinValueStored>(),
                            PROPERTY(ReadOnly).Stored(false),
                            PROPERTY(DisplayFormat).Stored<&TkvTextEditPropertiesValues::IsDisplayFormatStored>(),
                            PROPERTY(EditFormat).Stored<&TkvTextEditPropertiesValues::IsEditFormatStored>(),
                            PROPERTY(MaxLength).Stored(false), PROPERTY(Precision).Stored(false))
TAVREN_CLASS_IMPL(TkvCustomCalcEditProperties)
TAVREN_CLASS_IMPL_PUBLISHED(
    TkvCalcEditProperties,
    PROPERTY_AS(Alignment, GetAlignment, SetAlignmentProp).Stored<&TkvCustomEditProperties::IsAlignmentStored>(),
    PROPERTY(AssignedValues), PROPERTY(AutoSelect).Default(true), PROPERTY(BeepOnError).Default(true),
    PROPERTY(ButtonGlyph).Stored<&TkvCustomDropDownEditProperties::IsButtonGlyphStored>(),
    PROPERTY(ClearKey).Default(0), PROPERTY(DisplayFormat).Stored<&TkvCustomTextEditProperties::IsDisplayFormatStored>(),
    PROPERTY(ImeMode).Default(imDontCare), PROPERTY(ImeName), PROPERTY(ImmediatePost).Default(false),
    PROPERTY(Precision).Stored<&TkvCustomCalcEditProperties::IsPrecisionStored>(),
    PROPERTY(ReadOnly).Stored<&TkvCustomEditProperties::IsReadOnlyStored>(), PROPERTY(QuickClose).Default(false),
    PROPERTY(ScientificFormat).Default(false),
    PROPERTY(UseLeftAlignmentOnEditing).Stored<&TkvCustomEditProperties::IsUseLeftAlignmentOnEditingStored>(),
    PROPERTY(UseThousandSeparator).Default(false), PROPERTY(ValidateOnEnter).Default(true), PROPERTY(OnChange),
    PROPERTY(OnCloseUp), PROPERTY(OnEditValueChanged), PROPERTY(OnInitPopup), PROPERTY(OnPopup), PROPERTY(OnValidate))
TAVREN_CLASS_IMPL(TkvCustomCalcEdit)
TAVREN_CLASS_IMPL_PUBLISHED(TkvCalcEdit, PROPERTY(AutoSize).Default(true), PROPERTY(BeepOnEnter).Default(true),
                            PROPERTY_AS(EditValue, GetEditValueProp, SetEditValue),
                            PROPERTY(ImeMode).Default(imDontCare), PROPERTY(ImeName),
                            PROPERTY_AS(Properties, GetCalcEditProperties, SetCalcEditProperties),
                            PROPERTY_AS(Style, GetEditStyle, SetEditStyle),
                            PROPERTY_AS(StyleDisabled, GetEditStyleDisabled, SetEditStyleDisabled),
                            PROPERTY_AS(StyleFocused, GetEditStyleFocused, SetEditStyleFocused),
                            PROPERTY_AS(StyleHot, GetEditStyleHot, SetEditStyleHot),
                            PROPERTY(Value).Stored(false), PROPERTY(OnEditing))
TAVREN_CLASS_IMPL(TkvFilterCalcEditHelper)

namespace {

// Whether Text reads as a number an edit value can hold: 0, or a magnitude within the double range.
bool IsCalcNumber(const String& Text, Extended& Number) {
  if (!TryStrToFloat(Text, Number)) return false;
  const Extended magnitude = std::fabs(Number);
  return Number == 0 || (magnitude >= 5.0e-324 && magnitude <= 1.7e308);
}

}  // namespace

// ---- Popup calculator --------------------------------------------------------------------------

TkvPopupCalculator::TkvPopupCalculator(TComponent* AOwner) : TkvCustomCalculator(AOwner) { FIsPopup = true; }

TkvCustomLookAndFeelPainterClass TkvPopupCalculator::GetCalcPainter() {
  if (!FEdit) return TkvCustomCalculator::GetCalcPainter();
  if (TkvCustomEditViewInfo* info = FEdit->GetEditViewInfo(); info && info->Painter) return info->Painter;
  if (TkvEditPopupControlLookAndFeel* lookAndFeel = FEdit->GetPopupControlsLookAndFeel())
    if (TkvCustomLookAndFeelPainterClass painter = lookAndFeel->ActivePainter()) return painter;
  return TkvCustomCalculator::GetCalcPainter();
}

String TkvPopupCalculator::ReadDisplay() { return FEdit ? FEdit->GetText() : String(); }

void TkvPopupCalculator::WriteDisplay(const String& Text) {
  if (FEdit) FEdit->SetTextAsUser(Text);
}

void TkvPopupCalculator::FitToFont(TFont* Font) {
  HandleNeeded();
  GetFont()->Assign(Font);
  Perform(CM_FONTCHANGED, 0, 0);
  Resize();
}

void TkvPopupCalculator::KeyDown(Word& Key, TShiftState Shift) {
  // The calculator's own mapping first: Enter has acted as "=", Esc as "C".
  TkvCustomCalculator::KeyDown(Key, Shift);
  if (!FEdit) return;
  const bool alt = Shift.Contains(ssAlt);
  switch (Key) {
    case VK_TAB: FEdit->HandleKeyDown(Key, Shift); break;
    case VK_RETURN: RequestClose(this, crEnter); break;
    case VK_ESCAPE: RequestClose(this, crCancel); break;
    case VK_UP:
    case VK_DOWN:
      if (alt) RequestClose(this, crClose);
      break;
    case VK_F4:
      if (!alt) RequestClose(this, crClose);
      break;
    case VK_INSERT:
      if (Shift == TShiftState{ssShift}) PasteFromClipboard();
      else if (Shift == TShiftState{ssCtrl}) CopyToClipboard();
      break;
    default: break;
  }
}

void TkvPopupCalculator::KeyPress(Char& Key) {
  TkvCustomCalculator::KeyPress(Key);
  if (Key == '=' && FEdit && FEdit->CalcProperties()->GetQuickClose()) RequestClose(this, crEnter);
}

// ---- Assigned values ---------------------------------------------------------------------------

void TkvCalcEditPropertiesValues::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TkvCalcEditPropertiesValues*>(Source);
  if (!source) return TkvTextEditPropertiesValues::Assign(Source);
  LockOwner();
  TkvTextEditPropertiesValues::Assign(Source);
  SetPrecision(source->FPrecision);
  UnlockOwner();
}

void TkvCalcEditPropertiesValues::ClearAssigned() {
  LockOwner();
  TkvTextEditPropertiesValues::ClearAssigned();
  SetPrecision(false);
  UnlockOwner();
}

void TkvCalcEditPropertiesValues::SetPrecision(bool Value) {
  if (FPrecision == Value) return;
  FPrecision = Value;
  NotifyOwner();
}

// ---- Properties --------------------------------------------------------------------------------

TkvCustomCalcEditProperties::TkvCustomCalcEditProperties(TPersistent* AOwner) : TkvCustomPopupEditProperties(AOwner) {
  SetBeepOnError(true);
  SetPopupSizeable(false);
  SetImmediateDropDown(false);
}

void TkvCustomCalcEditProperties::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TkvCustomCalcEditProperties*>(Source);
  LockChanges();
  try {
    TkvCustomPopupEditProperties::Assign(Source);
    if (source) {
      GetCalcAssignedValues()->SetPrecision(false);
      if (source->IsPrecisionStored()) SetPrecision(source->FPrecision);
      SetQuickClose(source->FQuickClose);
      SetScientificFormat(source->FScientificFormat);
      SetUseThousandSeparator(source->FUseThousandSeparator);
    }
  } catch (...) {
    UnlockChanges(true);
    throw;
  }
  UnlockChanges(true);
}

TkvCustomEditPropertiesValuesClass TkvCustomCalcEditProperties::GetAssignedValuesClass() {
  return TkvCalcEditPropertiesValues::ClassInfo();
}

TkvCalcEditPropertiesValues* TkvCustomCalcEditProperties::GetCalcAssignedValues() {
  return static_cast<TkvCalcEditPropertiesValues*>(GetAssignedValues());
}

TClass TkvCustomCalcEditProperties::GetEditorClass() { return TkvCalcEdit::ClassInfo(); }

bool TkvCustomCalcEditProperties::AcceptsEditValue(const Variant& Value) {
  if (VarIsNull(Value) || VarIsNumeric(Value) || VarIsFMTBcd(Value)) return true;
  if (!VarIsStr(Value)) return false;
  const String text = VarToStr(Value);
  Extended number;
  return text.empty() || TryStrToFloat(text, number);
}

void TkvCustomCalcEditProperties::MakeDisplayValue(const Variant& EditValue, Variant& DisplayValue, bool Editing) {
  if (VarIsNull(EditValue) || VarIsEmpty(EditValue) || (VarIsStr(EditValue) && VarToStr(EditValue).empty())) {
    DisplayValue = String();
    return;
  }
  if (!Editing && GetTextAssignedValues()->GetDisplayFormat()) {
    DisplayValue = FormatFloat(GetDisplayFormat(), EditValue.AsDouble());
    return;
  }
  const Integer precision = GetPrecision() == 0 ? 15 : GetPrecision();
  String text = FloatToStrF(EditValue.AsDouble(), FScientificFormat ? ffExponent : ffGeneral, precision, 0);
  if (FScientificFormat) {
    if (text.find(FormatSettings.DecimalSeparator) != String::npos) {
      const String exponent = SplitExponent(text);
      while (!text.empty() && text.back() == '0') text.pop_back();
      if (!text.empty() && text.back() == FormatSettings.DecimalSeparator) text.pop_back();
      text += exponent;
    }
  } else if (FUseThousandSeparator) {
    text = InsertThousandSeparators(text, FormatSettings);
  }
  DisplayValue = text;
}

void TkvCustomCalcEditProperties::CheckDisplayValue(Variant& DisplayValue, String& ErrorText, bool& Error,
                                                    TkvCustomEdit* Editor) {
  Error = false;
  TkvCustomPopupEditProperties::CheckDisplayValue(DisplayValue, ErrorText, Error, Editor);
}

Integer TkvCustomCalcEditProperties::GetValueFormatKind(bool Editing) {
  if (Editing || GetTextAssignedValues()->GetDisplayFormat()) return 0;
  IkvEditDefaultValuesProvider* provider = GetDefaultValuesProvider();
  return provider && provider->IsDisplayFormatDefined(false) ? 1 : 0;
}

Byte TkvCustomCalcEditProperties::GetPrecision() {
  Integer precision = 15;
  if (IsPrecisionStored()) precision = FPrecision;
  else if (IkvEditDefaultValuesProvider* provider = GetDefaultValuesProvider()) precision = provider->ProvidedPrecision();
  return static_cast<Byte>(std::clamp<Integer>(precision, 0, 15));
}

void TkvCustomCalcEditProperties::SetPrecision(Byte Value) {
  TkvCalcEditPropertiesValues* values = GetCalcAssignedValues();
  if (values->GetPrecision() && FPrecision == Value) return;
  FPrecision = Value;
  LockChanges();
  values->SetPrecision(true);
  NotifyChanged();
  UnlockChanges(true);
}

// ---- Editor ------------------------------------------------------------------------------------

TkvCustomCalcEdit::TkvCustomCalcEdit(TComponent* AOwner, bool AInplace, TkvCustomEditPropertiesClass APropertiesClass)
    : TkvCustomPopupEdit(AOwner, AInplace, APropertiesClass) {
  // The text is the value's picture, not a caption to set.
  SetControlStyle(GetControlStyle() - TControlStyle{csSetCaption});
  SetValue(0);
  TkvCustomEditPopupWindow* popup = GetPopupWindow();
  if (!popup) return;
  FCalculator = new TkvPopupCalculator(this);
  FCalculator->SetVisible(false);
  FCalculator->SetParent(popup);
  FCalculator->SetEdit(this);
  FCalculator->SetAutoFontSize(false);
  FCalculator->SetBeepOnError(CalcProperties()->GetBeepOnError());
  FCalculator->SetPrecision(CalcProperties()->GetPrecision());
  FCalculator->OnCloseRequest = MakeEvent<&TkvCustomCalcEdit::ClosePopupFor>(this);
  static_cast<TkvCustomPopupEditProperties*>(GetProperties())->SetPopupControl(FCalculator);
}

TkvCustomCalcEdit::~TkvCustomCalcEdit() { delete FCalculator; }

Extended TkvCustomCalcEdit::GetValue() {
  Variant value;
  GetEditValue(value);
  if (VarIsNull(value) || VarIsEmpty(value) || (VarIsStr(value) && VarToStr(value).empty())) return 0;
  if (VarIsStr(value)) return StrToFloat(VarToStr(value));
  return value.AsDouble();
}

void TkvCustomCalcEdit::SetValue(Extended Value) { SetEditValue(Variant(static_cast<double>(Value))); }

void TkvCustomCalcEdit::EditingValueToEditValue(Variant& Value) {
  ConvertDisplayToEditValue(Variant(GetText()), Value, true);
}

void TkvCustomCalcEdit::ConvertDisplayToEditValue(const Variant& Display, Variant& Value, bool) {
  TkvCustomCalcEditProperties* properties = CalcProperties();
  String text = VarToStr(Display);
  if (!properties->GetScientificFormat() && properties->GetUseThousandSeparator())
    text = StripThousandSeparators(text, FormatSettings);
  text = Trim(text);
  Extended number = 0;
  if (!text.empty() && TryStrToFloat(text, number)) Value = Variant(static_cast<double>(number));
  else Value = Null();
}

bool TkvCustomCalcEdit::IsCharAllowed(Char Character) {
  if (!IsNumericEntryChar(Character, 2)) return false;
  const String result = PrepareTextChange(String(1, Character)).Text;
  if (Character == '-' && result == "-") return true;
  Extended number;
  return IsCalcNumber(StripThousandSeparators(result, FormatSettings), number);
}

void TkvCustomCalcEdit::KeyPress(Char& Key) {
  if (Key == '.' || Key == ',') Key = FormatSettings.DecimalSeparator;
  if (Key >= 32 && !IsCharAllowed(Key)) {
    if (CalcProperties()->GetBeepOnError()) MessageBeep(0);
    Key = 0;
  }
  TkvCustomPopupEdit::KeyPress(Key);
}

void TkvCustomCalcEdit::ApplyPropertiesChange(TObject* Properties) {
  if (CalcProperties()->IsReapplyingFormats()) return;
  TkvCustomPopupEdit::ApplyPropertiesChange(Properties);
  if (InnerEditMissing() || !FCalculator) return;
  TkvCustomCalcEditProperties* properties = CalcProperties();
  FCalculator->SetBeepOnError(properties->GetBeepOnError());
  FCalculator->SetPrecision(properties->GetPrecision());
  properties->SetPopupControl(FCalculator);
}

void TkvCustomCalcEdit::ClipboardPaste() {
  if (FCalculator && RequestEdit()) FCalculator->PasteFromClipboard();
}

bool TkvCustomCalcEdit::CanOpenPopup() {
  return !IsEffectivelyReadOnly() && GetDataBinding()->HasData() && TkvCustomPopupEdit::CanOpenPopup();
}

void TkvCustomCalcEdit::PreparePopup() {
  TkvCustomPopupEdit::PreparePopup();
  if (FCalculator) PopupEditProperties()->SetPopupControl(FCalculator);
}

void TkvCustomCalcEdit::ConfigurePopupWindow() {
  TkvCustomPopupEdit::ConfigurePopupWindow();
  if (FCalculator) FCalculator->FitToFont(ActiveStyle()->GetEffectiveFont());
}

void TkvCustomCalcEdit::AfterPopupShow(TObject* Sender) {
  TWeakRef<TkvCustomCalcEdit> self(this);
  TkvCustomPopupEdit::AfterPopupShow(Sender);
  if (self && FCalculator) FCalculator->ResetKeyButton();
}

void TkvCustomCalcEdit::BeforePopupClosing(TObject* Sender) {
  // The error text is no number: the calculator's failure leaves 0 behind. Decided before the
  // popup hides, since the focus coming back rewrites the text from the edit value.
  if (GetText() == ResourceStringText(skvEditError)) SetEditValue(Variant(0.0));
  TkvCustomPopupEdit::BeforePopupClosing(Sender);
}

void TkvCustomCalcEdit::AfterPopupClose(TObject* Sender) {
  if (CalcProperties()->GetAutoSelect()) SelectWholeText();
  else PlaceCaret(TextLength());
  TkvCustomPopupEdit::AfterPopupClose(Sender);
}

void TkvCustomCalcEdit::ClosePopupFor(TObject*, TkvEditCloseUpReason Reason) {
  PostClosePopup(static_cast<TkvPopupCloseReason>(Reason));
}

// ---- Filter rows -------------------------------------------------------------------------------

TkvFilterOperators TkvFilterCalcEditHelper::FilterOperatorSet(TkvValueTypeClass ValueType, bool Extended) {
  TkvFilterOperators operators = TkvFilterDropDownEditHelper::FilterOperatorSet(ValueType, Extended);
  operators.reset(7);
  operators.reset(8);
  return operators;
}

void TkvFilterCalcEditHelper::InitFilterProperties(TkvCustomEditProperties* Properties,
                                                   TkvCustomEditProperties* Source, bool KeepButtons) {
  TkvFilterDropDownEditHelper::InitFilterProperties(Properties, Source, KeepButtons);
  if (auto* properties = dynamic_cast<TkvCustomCalcEditProperties*>(Properties)) properties->SetQuickClose(true);
}

// ---- Unit --------------------------------------------------------------------------------------

namespace {

Integer GStartCount = 0;

}  // namespace

void kvCalcStart() {
  if (GStartCount++ > 0) return;
  RegisterClasses({TkvCalcEdit::ClassInfo(), TkvCalcEditProperties::ClassInfo()});
  EditPropertiesRegistry()->AddClass(TkvCalcEditProperties::ClassInfo(), ResourceStringText(skvEditCalcEditDescription));
  TheFilterEditsController()->AddHelper(TkvCalcEditProperties::ClassInfo(), FilterEditHelperOf<TkvFilterCalcEditHelper>());
}

void kvCalcEnd() {
  if (GStartCount == 0 || --GStartCount > 0) return;
  UnRegisterClass(TkvCalcEditProperties::ClassInfo());
  UnRegisterClass(TkvCalcEdit::ClassInfo());
  // The Properties registry goes with the edit framework's end.
  TheFilterEditsController()->RemoveHelper(TkvCalcEditProperties::ClassInfo(),
                                           FilterEditHelperOf<TkvFilterCalcEditHelper>());
}
