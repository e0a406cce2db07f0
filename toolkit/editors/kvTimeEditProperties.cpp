// The time edit's layouts and masks, its Properties (display conversion, checks, the items of the
// text) and the unit's registrations.

#include <cmath>

#include "rtl/ClassRegistry.h"
#include "rtl/Resources.h"
#include "rtl/SysUtils.h"
#include "toolkit/editors/kvEditUtils.h"
#include "toolkit/editors/kvTimeEdit.h"

TAVREN_CLASS_IMPL(TkvTimeEditMaskMode)
TAVREN_CLASS_IMPL(TkvTimeEditFormatListener)
TAVREN_CLASS_IMPL(TkvCustomTimeEditProperties)
TAVREN_CLASS_IMPL_PUBLISHED(
    TkvTimeEditProperties,
    PROPERTY_AS(Alignment, GetAlignment, SetAlignmentProp).Stored<&TkvCustomEditProperties::IsAlignmentStored>(),
    PROPERTY(AssignedValues), PROPERTY(AutoCorrectHours).Default(true), PROPERTY(AutoSelect).Default(true),
    PROPERTY(BeepOnError).Default(false), PROPERTY(Circular).Default(false), PROPERTY(ClearKey).Default(0),
    PROPERTY(HideSelection).Default(true), PROPERTY(ImeMode).Default(imDontCare), PROPERTY(ImeName),
    PROPERTY(ImmediatePost).Default(false), PROPERTY(ReadOnly).Stored<&TkvCustomEditProperties::IsReadOnlyStored>(),
    PROPERTY(ShowDate).Default(false), PROPERTY(TimeFormat).Default(tfHourMinSec),
    PROPERTY(Use24HourFormat).Default(true), PROPERTY(UseCtrlIncrement).Default(false),
    PROPERTY(UseLeftAlignmentOnEditing).Stored<&TkvCustomEditProperties::IsUseLeftAlignmentOnEditingStored>(),
    PROPERTY(UseTimeFormatWhenUnfocused).Default(true), PROPERTY(ValidateOnEnter).Default(true),
    PROPERTY(OnChange), PROPERTY(OnEditValueChanged), PROPERTY(OnValidate))
TAVREN_CLASS_IMPL(TkvFilterTimeEditHelper)

// ---- Layouts -----------------------------------------------------------------------------------

namespace {

const char* const kFormats24[] = {"hh:nn:ss", "hh:nn", "hh"};
const char* const kMasks24[] = {"00:00:00;1;0", "00:00;1;0", "00;1;0"};
const char* const kFormats12[] = {"hh:nn:ss ampm", "hh:nn ampm", "hh ampm"};
String GMasks12[] = {"00:00:00 LL;1;0", "00:00 LL;1;0", "00 LL;1;0"};

bool DesignatorsUsable() {
  const String am = FormatSettings.TimeAMString, pm = FormatSettings.TimePMString;
  return !am.empty() && !pm.empty() && !AnsiSameText(am, pm);
}

}  // namespace

String TimeEditAMString() { return DesignatorsUsable() ? FormatSettings.TimeAMString : String("AM"); }
String TimeEditPMString() { return DesignatorsUsable() ? FormatSettings.TimePMString : String("PM"); }

TFormatSettings TimeEditFormatSettings() {
  TFormatSettings settings = FormatSettings;
  settings.TimeAMString = TimeEditAMString();
  settings.TimePMString = TimeEditPMString();
  return settings;
}

String TimeEditDisplayFormat(TkvTimeEditTimeFormat Format, bool Use24Hour) {
  return Use24Hour ? kFormats24[Format] : kFormats12[Format];
}

String TimeEditMask(TkvTimeEditTimeFormat Format, bool Use24Hour) {
  return Use24Hour ? String(kMasks24[Format]) : GMasks12[Format];
}

void RebuildTimeEditMasks() {
  // Noon in the 12-hour picture: after its eight digits and separators, a blank stays a blank and
  // every other character (not byte) takes any character.
  const std::vector<String> chars = kvSplitChars(FormatDateTime("hh:mm:ss AMPM", 1.5, TimeEditFormatSettings()));
  String designator;
  for (size_t i = 8; i < chars.size(); ++i) designator += chars[i] == " " ? " " : "c";
  designator = TrimRight(designator);
  const char* const kDigits[] = {"00:00:00", "00:00", "00"};
  for (Integer i = 0; i < 3; ++i) GMasks12[i] = String(kDigits[i]) + designator + ";1;0";
}

// ---- Mask mode and listener ---------------------------------------------------------------------

String TkvTimeEditMaskMode::BlankFor(Integer Position) {
  auto* properties = dynamic_cast<TkvCustomTimeEditProperties*>(GetMaskProperties());
  if (properties && properties->TimeItemAt(Position) == tiAmPm) return String();
  return "0";
}

TkvTimeEditFormatListener::TkvTimeEditFormatListener() : TkvInterfacedPersistent(nullptr) {
  if (TkvFormatController* controller = TheFormatController()) controller->AddListener(this);
  RebuildTimeEditMasks();
}

TkvTimeEditFormatListener::~TkvTimeEditFormatListener() {
  if (TkvFormatController* controller = TheFormatController()) controller->RemoveListener(this);
}

// ---- Properties --------------------------------------------------------------------------------

TkvCustomTimeEditProperties::TkvCustomTimeEditProperties(TPersistent* AOwner) : TkvCustomSpinEditProperties(AOwner) {
  LockChanges();
  SetValueType(vtFloat);
  SetEditMask(TimeEditMask(FTimeFormat, FUse24HourFormat));
  SetIgnoreMaskBlank(true);
  SetIncrement(1);
  SetMinValue(0);
  SetMaxValue(SecsPerDay - 1);
  SetAlwaysShowBlanksAndLiterals(true);
  UnlockChanges(false);
}

void TkvCustomTimeEditProperties::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TkvCustomTimeEditProperties*>(Source);
  LockChanges();
  try {
    TkvCustomSpinEditProperties::Assign(Source);
    if (source) {
      FAutoCorrectHours = source->FAutoCorrectHours;
      SetShowDate(source->FShowDate);
      SetTimeFormat(source->FTimeFormat);
      SetUse24HourFormat(source->FUse24HourFormat);
      SetUseTimeFormatWhenUnfocused(source->FUseTimeFormatWhenUnfocused);
    }
  } catch (...) {
    UnlockChanges(true);
    throw;
  }
  UnlockChanges(true);
}

TClass TkvCustomTimeEditProperties::GetEditorClass() { return TkvTimeEdit::ClassInfo(); }

void TkvCustomTimeEditProperties::ApplyMask() {
  LockChanges();
  try {
    SetEditMask(TimeEditMask(FTimeFormat, FUse24HourFormat));
    NotifyChanged();
  } catch (...) {
    UnlockChanges(true);
    throw;
  }
  UnlockChanges(true);
}

void TkvCustomTimeEditProperties::SetTimeFormat(TkvTimeEditTimeFormat Value) {
  if (FTimeFormat == Value) return;
  FTimeFormat = Value;
  ApplyMask();
}

void TkvCustomTimeEditProperties::SetUse24HourFormat(bool Value) {
  if (FUse24HourFormat == Value) return;
  FUse24HourFormat = Value;
  ApplyMask();
}

void TkvCustomTimeEditProperties::ReapplyLocaleFormats() {
  LockChanges();
  try {
    SetEditMask(TimeEditMask(FTimeFormat, FUse24HourFormat));
    TkvCustomSpinEditProperties::ReapplyLocaleFormats();
  } catch (...) {
    UnlockChanges(true);
    throw;
  }
  UnlockChanges(true);
}

String TkvCustomTimeEditProperties::FormatTime(TDateTime Time) {
  return TrimRight(FormatDateTime(DisplayFormat(), Time, TimeEditFormatSettings()));
}

Integer TkvCustomTimeEditProperties::TimeItemAt(Integer Position) {
  if (!FUse24HourFormat && Position > 8 - 3 * FTimeFormat) return tiAmPm;
  const String format = UpperCase(DisplayFormat());
  Integer length = static_cast<Integer>(format.size());
  const Integer maxLength = GetMaxLength();
  if (maxLength > 0 && maxLength < length) length = maxLength;
  Integer at = std::clamp<Integer>(Position, 1, length);
  if (format[at - 1] != 'H' && format[at - 1] != 'N' && format[at - 1] != 'S') at = std::min(at + 1, length);
  switch (format[at - 1]) {
    case 'H': return tiHour;
    case 'N': return tiMinute;
    default: return tiSecond;
  }
}

bool TkvCustomTimeEditProperties::AcceptsEditValue(const Variant& Value) {
  if (VarIsStr(Value)) {
    Variant text = Value;
    return AcceptsTextValue(text, false);
  }
  return VarIsNull(Value) || VarIsEmpty(Value) || VarType(Value) == varDate || VarIsNumeric(Value);
}

bool TkvCustomTimeEditProperties::AcceptsTextValue(Variant& Value, bool) {
  TDateTime time = 0;
  if (!TryStrToDateTime(VarToStr(Value), time, TimeEditFormatSettings())) return false;
  Value = FormatTime(time);
  return true;
}

void TkvCustomTimeEditProperties::MakeDisplayValue(const Variant& EditValue, Variant& DisplayValue, bool Editing) {
  if (VarIsNull(EditValue) || VarIsEmpty(EditValue)) {
    DisplayValue = Editing ? FormatTime(0) : String();
    return;
  }
  if (!VarIsStr(EditValue) && VarType(EditValue) != varDate && !VarIsNumeric(EditValue))
    throw EConvertError(ResourceStringText(skvEditTimeConvertError));
  const TFormatSettings settings = TimeEditFormatSettings();
  String text;
  try {
    const TDateTime value =
        VarIsStr(EditValue) ? StrToDateTime(VarToStr(EditValue), settings) : VarToDateTime(EditValue);
    const bool dated = std::trunc(value) != 0;
    if (Editing || (FUseTimeFormatWhenUnfocused && (!FShowDate || !dated)))
      text = FormatDateTime(DisplayFormat(), value, settings);
    else if (FShowDate && dated)
      text = DateTimeToStr(value, settings);
    else
      text = TimeToStr(value, settings);
  } catch (const Exception&) {
    text = DateTimeToStr(Now(), settings);
  }
  DisplayValue = TrimRight(text);
}

void TkvCustomTimeEditProperties::CheckDisplayValue(Variant& DisplayValue, String& ErrorText, bool& Error,
                                                    TkvCustomEdit* Editor) {
  if (ErrorText.empty()) ErrorText = ResourceStringText(skvEditTimeConvertError);
  TkvCustomEditProperties::CheckDisplayValue(DisplayValue, ErrorText, Error, Editor);
}

String TkvCustomTimeEditProperties::EmptyDisplayValue() { return FormatTime(0); }

// ---- Filter rows and unit ------------------------------------------------------------------------

void TkvFilterTimeEditHelper::InitEditorForFilter(TkvCustomEdit* Editor, TkvCustomEditProperties* Source) {
  TkvFilterSpinEditHelper::InitEditorForFilter(Editor, Source);
  if (auto* time = dynamic_cast<TkvCustomTimeEdit*>(Editor)) time->SetTime(0);
}

namespace {

Integer GStartCount = 0;
TkvTimeEditFormatListener* GListener = nullptr;

}  // namespace

void kvTimeEditStart() {
  if (GStartCount++ > 0) return;
  GListener = new TkvTimeEditFormatListener();
  RegisterClasses({TkvTimeEdit::ClassInfo(), TkvTimeEditProperties::ClassInfo()});
  EditPropertiesRegistry()->AddClass(TkvTimeEditProperties::ClassInfo(),
                                     ResourceStringText(skvEditTimeEditDescription));
  TheFilterEditsController()->AddHelper(TkvTimeEditProperties::ClassInfo(),
                                        FilterEditHelperOf<TkvFilterTimeEditHelper>());
}

// The Properties registry goes with the edit framework's end.
void kvTimeEditEnd() {
  if (GStartCount == 0 || --GStartCount > 0) return;
  TheFilterEditsController()->RemoveHelper(TkvTimeEditProperties::ClassInfo(),
                                           FilterEditHelperOf<TkvFilterTimeEditHelper>());
  UnRegisterClass(TkvTimeEditProperties::ClassInfo());
  UnRegisterClass(TkvTimeEdit::ClassInfo());
  delete GListener;
  GListener = nullptr;
}
