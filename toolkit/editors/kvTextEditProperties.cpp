// The text editor kind's settings: text, lookup, formats, bounds and display text.

#include "rtl/DateUtils.h"
#include "rtl/Reader.h"
#include "rtl/Resources.h"
#include "rtl/SysUtils.h"
#include "rtl/TypInfo.h"
#include "toolkit/editors/kvTextEdit.h"

// ---- Assigned values --------------------------------------------------------------------------

TAVREN_CLASS_IMPL_PUBLISHED(TkvTextEditPropertiesValues,
                            PROPERTY(MaxValue).Stored<&TkvCustomEditPropertiesValues::IsMaxValueStored>(),
                            PROPERTY(MinValue).Stored<&TkvCustomEditPropertiesValues::IsMinValueStored>(),
                            PROPERTY(ReadOnly).Stored(false),
                            PROPERTY(DisplayFormat).Stored<&TkvTextEditPropertiesValues::IsDisplayFormatStored>(),
                            PROPERTY(EditFormat).Stored<&TkvTextEditPropertiesValues::IsEditFormatStored>(),
                            PROPERTY(MaxLength).Stored(false))

TkvCustomTextEditProperties* TkvTextEditPropertiesValues::TextOwner() {
  return dynamic_cast<TkvCustomTextEditProperties*>(GetOwnerProperties());
}

void TkvTextEditPropertiesValues::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TkvTextEditPropertiesValues*>(Source);
  if (!source) return TkvCustomEditPropertiesValues::Assign(Source);
  LockOwner();
  TkvCustomEditPropertiesValues::Assign(Source);
  SetDisplayFormat(source->FDisplayFormat);
  SetEditFormat(source->FEditFormat);
  SetMaxLength(source->FMaxLength);
  UnlockOwner();
}

void TkvTextEditPropertiesValues::ClearAssigned() {
  LockOwner();
  TkvCustomEditPropertiesValues::ClearAssigned();
  SetDisplayFormat(false);
  SetEditFormat(false);
  SetMaxLength(false);
  UnlockOwner();
}

void TkvTextEditPropertiesValues::SetDisplayFormat(bool Value) {
  if (FDisplayFormat == Value) return;
  FDisplayFormat = Value;
  NotifyOwner();
}

void TkvTextEditPropertiesValues::SetEditFormat(bool Value) {
  if (FEditFormat == Value) return;
  FEditFormat = Value;
  NotifyOwner();
}

void TkvTextEditPropertiesValues::SetMaxLength(bool Value) {
  if (FMaxLength == Value) return;
  FMaxLength = Value;
  if (TkvCustomTextEditProperties* owner = TextOwner()) owner->MaxLengthUpdated();
}

// A flag is written on its own only where the text it guards is empty, so that the
// emptiness survives a reload.
bool TkvTextEditPropertiesValues::IsDisplayFormatStored() {
  TkvCustomTextEditProperties* owner = TextOwner();
  return FDisplayFormat && owner && owner->GetDisplayFormat().empty() && OwnerPublishes("DisplayFormat");
}

bool TkvTextEditPropertiesValues::IsEditFormatStored() {
  TkvCustomTextEditProperties* owner = TextOwner();
  return FEditFormat && owner && owner->GetEditFormat().empty() && OwnerPublishes("EditFormat");
}

// ---- Lookup items ---------------------------------------------------------------------------

TAVREN_CLASS_IMPL(TkvLookupItems)

void TkvLookupItems::DefineProperties(TFiler* Filer) {
  TStringList::DefineProperties(Filer);
  DefineStringsProperty(this, Filer);
}

// ---- Properties -------------------------------------------------------------------------------

TAVREN_CLASS_IMPL(TkvCustomTextEditProperties)

TkvCustomTextEditProperties::TkvCustomTextEditProperties(TPersistent* AOwner)
    : TkvCustomEditProperties(AOwner), FLookupItems(std::make_unique<TkvLookupItems>()) {
  FLookupItems->SetDuplicates(dupAccept);
  FLookupItems->SetOnChange(MakeEvent<&TkvCustomTextEditProperties::LookupItemsChanged>(this));
  if (TkvFormatController* controller = TheFormatController()) controller->AddListener(this);
}

TkvCustomTextEditProperties::~TkvCustomTextEditProperties() {
  // The controller is gone once the formats unit has ended.
  if (TkvFormatController* controller = TheFormatController()) controller->RemoveListener(this);
  FLookupItems.reset();
}

TkvTextEditPropertiesValues* TkvCustomTextEditProperties::GetTextAssignedValues() {
  return static_cast<TkvTextEditPropertiesValues*>(GetAssignedValues());
}

void TkvCustomTextEditProperties::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TkvCustomTextEditProperties*>(Source);
  if (!source) return TkvCustomEditProperties::Assign(Source);
  LockChanges();
  TkvCustomEditProperties::Assign(Source);
  SetCharCase(source->FCharCase);
  SetEchoMode(source->FEchoMode);
  SetKeepCompletionSelected(source->FKeepCompletionSelected);
  SetHideCursor(source->FHideCursor);
  SetHideSelection(source->FHideSelection);
  SetImmediateUpdateText(source->FImmediateUpdateText);
  SetIncrementalSearch(source->FIncrementalSearch);
  SetExactLookup(source->FExactLookup);
  FAcceptedChars = source->FAcceptedChars;
  // Unsorted first, so that the copy keeps the source's order before its own sorting applies.
  SetLookupItemsSorted(false);
  FLookupItems->Assign(source->FLookupItems.get());
  SetLookupItemsSorted(source->GetLookupItemsSorted());
  TkvTextEditPropertiesValues* values = GetTextAssignedValues();
  TkvTextEditPropertiesValues* sourceValues = source->GetTextAssignedValues();
  values->SetDisplayFormat(false);
  if (sourceValues->GetDisplayFormat()) SetDisplayFormat(source->GetDisplayFormat());
  values->SetEditFormat(false);
  if (sourceValues->GetEditFormat()) SetEditFormat(source->FEditFormat);
  values->SetMaxLength(false);
  if (sourceValues->GetMaxLength()) SetMaxLength(source->FMaxLength);
  SetOEMConvert(source->FOEMConvert);
  SetImeMode(source->FImeMode);
  SetImeName(source->FImeName);
  SetPasswordChar(source->FPasswordChar);
  SetUseDisplayFormatWhenEditing(source->FUseDisplayFormatWhenEditing);
  FOnNewLookupDisplayText = source->FOnNewLookupDisplayText;
  UnlockChanges(true);
}

void TkvCustomTextEditProperties::DefineProperties(TFiler* Filer) {
  TkvCustomEditProperties::DefineProperties(Filer);
  // Read from older forms only: the flag itself is streamed with AssignedValues.
  Filer->DefineProperty(
      "IsDisplayFormatAssigned",
      [this](TReader* Reader) { GetTextAssignedValues()->SetDisplayFormat(Reader->ReadBoolean()); }, nullptr,
      false);
}

void TkvCustomTextEditProperties::AlignmentChanged(TObject* Sender) {
  LockChanges();
  TkvCustomEditProperties::AlignmentChanged(Sender);
  UnlockChanges(true);
}

void TkvCustomTextEditProperties::SetAlignment(TkvEditAlignment* Value) {
  LockChanges();
  TkvCustomEditProperties::SetAlignment(Value);
  UnlockChanges(true);
}

TkvCustomEditPropertiesValuesClass TkvCustomTextEditProperties::GetAssignedValuesClass() {
  return TkvTextEditPropertiesValues::ClassInfo();
}

String TkvCustomTextEditProperties::DefaultValidationErrorText(Integer Kind) {
  if (Kind == 1) return ResourceStringText(skvEditValueOutOfBounds);
  return TkvCustomEditProperties::DefaultValidationErrorText(Kind);
}

bool TkvCustomTextEditProperties::DisplayValuesEqual(const Variant& A, const Variant& B) {
  return EditValueToDisplayText(A, true) == EditValueToDisplayText(B, true);
}

Integer TkvCustomTextEditProperties::GetSupportedFeatures() {
  return TkvCustomEditProperties::GetSupportedFeatures() | 0x15E;
}

bool TkvCustomTextEditProperties::AcceptsEditValue(const Variant& Value) {
  if (!VarIsStr(Value)) return true;
  Variant text = Value;
  return AcceptsTextValue(text, false);
}

bool TkvCustomTextEditProperties::AcceptsTextValue(Variant& Value, bool) {
  String text = VarToStr(Value);
  if (!text.empty()) {
    Byte style = EditingStyleCode();
    if ((style == kvEditingListText || style == kvEditingStrictList) && HasLookup() && !LookupContainsText(text))
      return false;
  }
  if (FCharCase == ecUpperCase) text = AnsiUpperCase(text);
  else if (FCharCase == ecLowerCase) text = AnsiLowerCase(text);
  Value = text;
  return true;
}

String TkvCustomTextEditProperties::NumericDisplayText(const Variant& Value, bool Editing) {
  if (VarIsNull(Value) || VarIsEmpty(Value) || (VarIsStr(Value) && VarToStr(Value).empty())) return String();
  if (!VarIsNumeric(Value) && !VarIsStr(Value))
    throw EConvertError(ResourceStringText(skvEditCannotConvertToNumeric));
  String text = VarToStr(Value);
  if (!Editing) {
    String format = GetDisplayFormat();
    return format.empty() ? text : FormatFloat(format, Value.AsDouble());
  }
  TkvEditFormatChoice choice = ResolveEditFormat(nullptr);
  IkvEditDefaultValuesProvider* provider = GetDefaultValuesProvider();
  Integer precision = provider ? provider->ProvidedPrecision() : 15;
  Extended number = 0;
  if (choice.IsCurrency) {
    if (TryStrToFloat(text, number)) text = FloatToStrF(number, ffFixed, precision, FormatSettings.CurrencyDecimals);
    return text;
  }
  if (!choice.Format.empty()) return FormatFloat(choice.Format, Value.AsDouble());
  if (TryStrToFloat(text, number)) text = FloatToStrF(number, ffGeneral, precision, 0);
  if (UsesThousandSeparators(false)) text = InsertThousandSeparators(text, FormatSettings);
  return text;
}

void TkvCustomTextEditProperties::MakeDisplayValue(const Variant& EditValue, Variant& DisplayValue, bool Editing) {
  if (IsValueNumeric()) DisplayValue = NumericDisplayText(EditValue, Editing);
  else if (VarIsArray(EditValue)) DisplayValue = String();
  else DisplayValue = VarToStr(EditValue);
}

String TkvCustomTextEditProperties::EditValueToDisplayText(const Variant& EditValue, bool) {
  String text;
  struct Shaper {
    TkvCustomTextEditProperties* Self;
    String& Text;
    ~Shaper() { Self->ShapeDisplayText(Text); }
  } shaper{this, text};
  if (AcceptsEditValue(EditValue)) {
    Variant display;
    MakeDisplayValue(EditValue, display, false);
    text = VarToStr(display);
  } else if (VarType(EditValue) == varDate) {
    text = DateTimeToStr(VarToDateTime(EditValue));
  } else {
    text = VarToStr(EditValue);
  }
  return text;
}

void TkvCustomTextEditProperties::CheckDisplayValue(Variant& DisplayValue, String& ErrorText, bool& Error,
                                                    TkvCustomEdit* Editor) {
  if (IsValueNumeric() && IsRangeDefined()) CheckValueRange(DisplayValue, ErrorText, Editor, Error);
  TkvCustomEditProperties::CheckDisplayValue(DisplayValue, ErrorText, Error, Editor);
}

void TkvCustomTextEditProperties::CheckValueRange(const Variant& DisplayValue, String& ErrorText,
                                                  TkvCustomEdit* Editor, bool& Error) {
  Variant value;
  Editor->ConvertDisplayToEditValue(DisplayValue, value, false);
  if (!VarIsNumeric(value) && VarType(value) != varDate) return;
  double number = value.AsDouble();
  if ((IsBoundDefined(0) && number < GetMinValue()) || (IsBoundDefined(1) && number > GetMaxValue())) {
    Error = true;
    ErrorText = DefaultValidationErrorText(1);
  }
}

void TkvCustomTextEditProperties::ReapplyLocaleFormats() {
  FReapplyingFormats = true;
  try {
    NotifyChanged();
  } catch (...) {
    FReapplyingFormats = false;
    throw;
  }
  FReapplyingFormats = false;
}

bool TkvCustomTextEditProperties::LookupContainsText(const String& Text) {
  String wanted = AnsiUpperCase(Text);
  for (Integer i = 0; i < FLookupItems->GetCount(); ++i)
    if (AnsiUpperCase(FLookupItems->GetStrings(i)) == wanted) return true;
  return false;
}

Integer TkvCustomTextEditProperties::KindMaxLength() {
  IkvEditDefaultValuesProvider* provider = GetDefaultValuesProvider();
  return provider ? provider->ProvidedMaxLength() : 0;
}

Byte TkvCustomTextEditProperties::EditingStyleCode() { return FHideCursor ? kvEditingNoTyping : kvEditingFreeText; }

TkvEditFormatChoice TkvCustomTextEditProperties::ResolveEditFormat(TkvCustomEdit* Editor) {
  TkvEditFormatChoice choice;
  if (GetTextAssignedValues()->GetEditFormat()) {
    choice.Format = FEditFormat;
    return choice;
  }
  IkvEditDefaultValuesProvider* provider = GetDefaultValuesProvider();
  if ((!Editor || !Editor->IsInplace()) && provider && provider->HasGetTextHandler()) {
    choice.UseGetText = true;
    return choice;
  }
  String providedEdit;
  if (provider) provider->ProvidedEditFormat(providedEdit);
  if (!providedEdit.empty()) {
    choice.Format = providedEdit;
    return choice;
  }
  String providedDisplay;
  if (provider) provider->ProvidedDisplayFormat(providedDisplay);
  if (GetTextAssignedValues()->GetDisplayFormat()) choice.Format = FDisplayFormat;
  else if (!providedDisplay.empty()) choice.Format = providedDisplay;
  else if (!KindDisplayFormat().empty()) choice.Format = KindDisplayFormat();
  else if (provider && !(GetDisplayFormatOptions() & 2)) choice.IsCurrency = provider->IsCurrency();
  if (!FUseDisplayFormatWhenEditing) choice.Format.clear();
  return choice;
}

bool TkvCustomTextEditProperties::IsBoundDefined(Integer Which) {
  TkvCustomEditPropertiesValues* values = GetAssignedValues();
  if (values->GetMinValue() != values->GetMaxValue()) return Which == 0 ? values->GetMinValue() : values->GetMaxValue();
  return GetMaxValue() > GetMinValue();
}

void TkvCustomTextEditProperties::SetCharCase(TEditCharCase Value) { Store(FCharCase, Value); }

void TkvCustomTextEditProperties::ShapeDisplayText(String& Text) {
  if (FEchoMode == eemPassword) {
    Text = String(Text.size(), FPasswordChar == '\0' ? '*' : FPasswordChar);
    return;
  }
  if (FCharCase == ecUpperCase) Text = AnsiUpperCase(Text);
  else if (FCharCase == ecLowerCase) Text = AnsiLowerCase(Text);
}

String TkvCustomTextEditProperties::GetDisplayFormat() {
  if (GetTextAssignedValues()->GetDisplayFormat()) return FDisplayFormat;
  String provided;
  if (IkvEditDefaultValuesProvider* provider = GetDefaultValuesProvider()) provider->ProvidedDisplayFormat(provided);
  return provided.empty() ? KindDisplayFormat() : provided;
}

void TkvCustomTextEditProperties::SetDisplayFormat(const String& Value) {
  if (GetTextAssignedValues()->GetDisplayFormat() && FDisplayFormat == Value) return;
  FDisplayFormat = Value;
  LockChanges();
  GetTextAssignedValues()->SetDisplayFormat(true);
  NotifyChanged();
  UnlockChanges(true);
}

void TkvCustomTextEditProperties::SetEditFormat(const String& Value) {
  if (GetTextAssignedValues()->GetEditFormat() && FEditFormat == Value) return;
  FEditFormat = Value;
  LockChanges();
  GetTextAssignedValues()->SetEditFormat(true);
  NotifyChanged();
  UnlockChanges(true);
}

void TkvCustomTextEditProperties::SetEchoMode(TkvEditEchoMode Value) { Store(FEchoMode, Value); }

void TkvCustomTextEditProperties::SetKeepCompletionSelected(bool Value) {
  if (FKeepCompletionSelected == Value) return;
  FKeepCompletionSelected = Value;
  if (EditingStyleCode() == kvEditingStrictList) NotifyChanged();
}

void TkvCustomTextEditProperties::SetHideCursor(bool Value) { Store(FHideCursor, Value); }
void TkvCustomTextEditProperties::SetHideSelection(bool Value) { Store(FHideSelection, Value); }
void TkvCustomTextEditProperties::SetImeMode(TImeMode Value) { Store(FImeMode, Value); }
void TkvCustomTextEditProperties::SetImeName(const TImeName& Value) { Store(FImeName, Value); }
void TkvCustomTextEditProperties::SetIncrementalSearch(bool Value) { Store(FIncrementalSearch, Value); }
void TkvCustomTextEditProperties::SetExactLookup(bool Value) { Store(FExactLookup, Value); }
void TkvCustomTextEditProperties::SetOEMConvert(bool Value) { Store(FOEMConvert, Value); }
void TkvCustomTextEditProperties::SetPasswordChar(Char Value) { Store(FPasswordChar, Value); }
void TkvCustomTextEditProperties::SetUseDisplayFormatWhenEditing(bool Value) {
  Store(FUseDisplayFormatWhenEditing, Value);
}

Integer TkvCustomTextEditProperties::GetMaxLength() {
  return GetTextAssignedValues()->GetMaxLength() ? FMaxLength : KindMaxLength();
}

void TkvCustomTextEditProperties::SetMaxLength(Integer Value) {
  if (Value < 0) Value = 0;
  TkvTextEditPropertiesValues* values = GetTextAssignedValues();
  if (values->GetMaxLength() && FMaxLength == Value) return;
  FMaxLength = Value;
  LockChanges();
  values->SetMaxLength(true);
  MaxLengthUpdated();
  UnlockChanges(true);
}

TkvTextEditViewStyle TkvCustomTextEditProperties::GetViewStyle() {
  switch (GetButtonsLayout()) {
    case 1: return vsButtonsOnly;
    case 2: return vsButtonsAutoWidth;
    default: return FHideCursor ? vsHideCursor : vsNormal;
  }
}

void TkvCustomTextEditProperties::SetViewStyle(TkvTextEditViewStyle Value) {
  if (Value == GetViewStyle()) return;
  static constexpr Byte kLayouts[] = {0, 0, 1, 2};
  LockChanges();
  SetButtonsLayout(kLayouts[Value]);
  SetHideCursor(Value != vsNormal);
  UnlockChanges(true);
}

// ---- Published --------------------------------------------------------------------------------

TAVREN_CLASS_IMPL_PUBLISHED(
    TkvTextEditProperties,
    PROPERTY_AS(Alignment, GetAlignment, SetAlignmentProp).Stored<&TkvCustomEditProperties::IsAlignmentStored>(),
    PROPERTY(AssignedValues), PROPERTY(AutoSelect).Default(true), PROPERTY(BeepOnError).Default(false),
    PROPERTY(CharCase).Default(ecNormal), PROPERTY(ClearKey).Default(0), PROPERTY(EchoMode).Default(eemNormal),
    PROPERTY(HideSelection).Default(true), PROPERTY(ImeMode).Default(imDontCare), PROPERTY(ImeName),
    PROPERTY(IncrementalSearch).Default(true), PROPERTY(LookupItems),
    PROPERTY(LookupItemsSorted).Default(false),
    PROPERTY(MaxLength).Stored<&TkvCustomTextEditProperties::IsMaxLengthStored>(),
    PROPERTY(OEMConvert).Default(false),
    PROPERTY(ReadOnly).Stored<&TkvCustomEditProperties::IsReadOnlyStored>(),
    PROPERTY(UseLeftAlignmentOnEditing).Stored<&TkvCustomEditProperties::IsUseLeftAlignmentOnEditingStored>(),
    PROPERTY(ValidateOnEnter).Default(false), PROPERTY(OnChange), PROPERTY(OnEditValueChanged),
    PROPERTY(OnNewLookupDisplayText), PROPERTY(OnValidate))
