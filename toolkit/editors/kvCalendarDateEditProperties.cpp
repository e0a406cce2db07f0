// The date edit's settings: the mask its input kind asks for, the texts of dates and of no date,
// reading typed texts, validation with its error rules, and the assigned-value flags.

#include <cmath>

#include "rtl/ClassRegistry.h"
#include "rtl/Resources.h"
#include "rtl/SysUtils.h"
#include "toolkit/editors/kvCalendar.h"
#include "toolkit/editors/kvEditUtils.h"
#include "toolkit/editors/kvFormats.h"

TAVREN_CLASS_IMPL(TkvDateEditMaskStandardMode)
TAVREN_CLASS_IMPL_PUBLISHED(TkvDateEditPropertiesValues,
                            PROPERTY(MaxValue).Stored<&TkvCustomEditPropertiesValues::IsMaxValueStored>(),
                            PROPERTY(MinValue).Stored<&TkvCustomEditPropertiesValues::IsMinValueStored>(),
                            PROPERTY(ReadOnly).Stored(false),
                            PROPERTY(DisplayFormat).Stored<&TkvTextEditPropertiesValues::IsDisplayFormatStored>(),
                            PROPERTY(EditFormat).Stored<&TkvTextEditPropertiesValues::IsEditFormatStored>(),
                            PROPERTY(MaxLength).Stored(false), PROPERTY(DateButtons).Stored(false),
                            PROPERTY(InputKind).Stored(false))
TAVREN_CLASS_IMPL(TkvCustomDateEditProperties)
TAVREN_CLASS_IMPL_PUBLISHED(
    TkvDateEditProperties,
    PROPERTY_AS(Alignment, GetAlignment, SetAlignmentProp).Stored<&TkvCustomEditProperties::IsAlignmentStored>(),
    PROPERTY(ArrowsForYear).Default(true), PROPERTY(AssignedValues), PROPERTY(AutoSelect).Default(true),
    PROPERTY(ButtonGlyph).Stored<&TkvCustomDropDownEditProperties::IsButtonGlyphStored>(),
    PROPERTY(ClearKey).Default(0),
    PROPERTY(DateButtons).Stored<&TkvCustomDateEditProperties::IsDateButtonsStored>(),
    PROPERTY(DateOnError).Default(deNoChange), PROPERTY(ImeMode).Default(imDontCare), PROPERTY(ImeName),
    PROPERTY(ImmediatePost).Default(false),
    PROPERTY(InputKind).Stored<&TkvCustomDateEditProperties::IsInputKindStored>(), PROPERTY(Kind).Default(ckDate),
    PROPERTY(MaxDate), PROPERTY(MinDate), PROPERTY(PostPopupValueOnTab).Default(false),
    PROPERTY(ReadOnly).Stored<&TkvCustomEditProperties::IsReadOnlyStored>(), PROPERTY(SaveTime).Default(true),
    PROPERTY(ShowTime).Default(true),
    PROPERTY(UseLeftAlignmentOnEditing).Stored<&TkvCustomEditProperties::IsUseLeftAlignmentOnEditingStored>(),
    PROPERTY(ValidateOnEnter).Default(true), PROPERTY(WeekNumbers).Default(false),
    PROPERTY(YearsInMonthList).Default(true), PROPERTY(OnChange), PROPERTY(OnCloseUp), PROPERTY(OnEditValueChanged),
    PROPERTY(OnInitPopup), PROPERTY(OnPopup), PROPERTY(OnValidate))

namespace {

bool IsNoValue(const Variant& Value) {
  return VarIsNull(Value) || VarIsEmpty(Value) || (VarIsStr(Value) && VarToStr(Value).empty()) ||
         (VarIsNumeric(Value) && Value.AsDouble() == kvNullDate) ||
         (VarType(Value) == varDate && VarToDateTime(Value) == kvNullDate);
}

// A day plus a time of day, signed like the day.
TDateTime WithTimeOfDay(TDateTime Day, TDateTime Time) { return Day < 0 ? Day - Time : Day + Time; }

TDateTime TimeOfDay(TDateTime Value) { return std::fabs(TimePartOf(Value)); }

}  // namespace

// ---- Assigned values -----------------------------------------------------------------------------

void TkvDateEditPropertiesValues::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TkvDateEditPropertiesValues*>(Source);
  if (!source) return TkvTextEditPropertiesValues::Assign(Source);
  LockOwner();
  TkvTextEditPropertiesValues::Assign(Source);
  SetDateButtons(source->FDateButtons);
  SetInputKind(source->FInputKind);
  UnlockOwner();
}

void TkvDateEditPropertiesValues::ClearAssigned() {
  LockOwner();
  TkvTextEditPropertiesValues::ClearAssigned();
  SetDateButtons(false);
  SetInputKind(false);
  UnlockOwner();
}

void TkvDateEditPropertiesValues::SetDateButtons(bool Value) {
  if (FDateButtons == Value) return;
  FDateButtons = Value;
  NotifyOwner();
}

void TkvDateEditPropertiesValues::SetInputKind(bool Value) {
  if (FInputKind == Value) return;
  FInputKind = Value;
  NotifyOwner();
}

// ---- Mask mode -----------------------------------------------------------------------------------

String TkvDateEditMaskStandardMode::BlankFor(Integer Position) {
  auto* properties = dynamic_cast<TkvCustomDateEditProperties*>(GetMaskProperties());
  TkvTimeItemPlace place;
  if (!properties || !properties->TimeItemAt(Position, place)) return TkvMaskEditStandardMode::BlankFor(Position);
  return place.Item == tiAmPm ? String() : String("0");
}

// ---- Settings ------------------------------------------------------------------------------------

TkvCustomDateEditProperties::TkvCustomDateEditProperties(TPersistent* AOwner) : TkvCustomPopupEditProperties(AOwner) {
  LockChanges();
  SetCaseInsensitive(true);
  SetImmediateDropDown(false);
  SetPopupSizeable(false);
  UnlockChanges(false);
  BuildMask();
}

void TkvCustomDateEditProperties::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TkvCustomDateEditProperties*>(Source);
  LockChanges();
  try {
    TkvCustomPopupEditProperties::Assign(Source);
    if (source) {
      SetArrowsForYear(source->FArrowsForYear);
      if (source->IsDateButtonsStored()) SetDateButtons(source->FDateButtons);
      if (source->IsInputKindStored()) SetInputKind(source->FInputKind);
      SetDateOnError(source->FDateOnError);
      SetKind(source->FKind);
      SetSaveTime(source->FSaveTime);
      SetShowTime(source->FShowTime);
      SetWeekNumbers(source->FWeekNumbers);
      SetYearsInMonthList(source->FYearsInMonthList);
    }
  } catch (...) {
    UnlockChanges(true);
    throw;
  }
  UnlockChanges(true);
}

TkvCustomEditPropertiesValuesClass TkvCustomDateEditProperties::GetAssignedValuesClass() {
  return TkvDateEditPropertiesValues::ClassInfo();
}

TkvDateEditPropertiesValues* TkvCustomDateEditProperties::GetDateAssignedValues() {
  return static_cast<TkvDateEditPropertiesValues*>(GetAssignedValues());
}

TClass TkvCustomDateEditProperties::GetEditorClass() { return TkvDateEdit::ClassInfo(); }

TClassOf<TkvCustomEditPopupWindow> TkvCustomDateEditProperties::PopupWindowClass() {
  return TkvDateEditPopupWindow::ClassInfo();
}

TkvMaskEditModeClass TkvCustomDateEditProperties::GetModeClass(TkvEditMaskKind Kind) {
  if (Kind == emkStandard) return TkvDateEditMaskStandardMode::ClassInfo();
  return TkvCustomPopupEditProperties::GetModeClass(Kind);
}

TDateButtons TkvCustomDateEditProperties::GetDateButtons() {
  if (IsDateButtonsStored()) return FDateButtons;
  return FKind == ckDate ? TDateButtons{btnClear, btnToday} : TDateButtons{btnClear, btnNow};
}

void TkvCustomDateEditProperties::SetDateButtons(TDateButtons Value) {
  if (IsDateButtonsStored() && FDateButtons == Value) return;
  FDateButtons = Value;
  LockChanges();
  GetDateAssignedValues()->SetDateButtons(true);
  NotifyChanged();
  UnlockChanges(true);
}

TkvInputKind TkvCustomDateEditProperties::GetInputKind() {
  if (!IsGregorianCalendar()) return ikStandard;
  if (IsInputKindStored()) return FInputKind;
  return FKind == ckDate ? ikRegExpr : ikMask;
}

void TkvCustomDateEditProperties::SetInputKind(TkvInputKind Value) {
  if (IsInputKindStored() && FInputKind == Value) return;
  FInputKind = Value;
  LockChanges();
  GetDateAssignedValues()->SetInputKind(true);
  NotifyChanged();
  UnlockChanges(true);
}

void TkvCustomDateEditProperties::NotifyChanged() {
  if (!IsChangeLocked()) BuildMask();
  TkvCustomPopupEditProperties::NotifyChanged();
}

void TkvCustomDateEditProperties::BuildMask() {
  TkvFormatController* controller = TheFormatController();
  if (FBuildingMask || !controller) return;
  FBuildingMask = true;
  // The mask is set without a change notice of its own: this runs inside one.
  const bool locked = IsChangeLocked();
  SetChangeLock(true);
  try {
    switch (GetInputKind()) {
      case ikMask:
        SetMaskKind(emkStandard);
        SetEditMask(FKind == ckDateTime ? controller->DateTimeStandardMask() : controller->DateStandardMask());
        break;
      case ikRegExpr:
        SetMaskKind(emkRegExprEx);
        SetEditMask(FKind == ckDateTime ? controller->DateTimeRegexMask() : controller->DateRegexMask());
        break;
      default:
        SetMaskKind(emkStandard);
        SetEditMask(String());
        break;
    }
  } catch (...) {
    SetChangeLock(locked);
    FBuildingMask = false;
    throw;
  }
  SetChangeLock(locked);
  FBuildingMask = false;
}

// ---- Bounds --------------------------------------------------------------------------------------

bool TkvCustomDateEditProperties::IsBoundDefined(Integer Which) {
  const TDateTime minDate = GetMinValue(), maxDate = GetMaxValue();
  if (minDate != 0 && maxDate != 0) return maxDate > minDate;
  return (Which == 0 ? minDate : maxDate) != 0;
}

// ---- Texts ---------------------------------------------------------------------------------------

bool TkvCustomDateEditProperties::HasTimeItems() {
  TkvFormatController* controller = TheFormatController();
  return controller && FKind == ckDateTime && GetInputKind() == ikMask &&
         GetEditMask() == controller->DateTimeStandardMask();
}

bool TkvCustomDateEditProperties::TimeItemAt(Integer Position, TkvTimeItemPlace& Place) {
  if (!HasTimeItems()) return false;
  TkvFormatController* controller = TheFormatController();
  const TkvDateTimeFormatInfo& info = controller->DateTimeFormatInfo();
  TkvFormatItemPlace found;
  if (!controller->FindFormatItemAt(info, Position, found)) return false;
  switch (found.Kind) {
    case kvdfHour: Place.Item = tiHour; break;
    case kvdfMinute: Place.Item = tiMinute; break;
    case kvdfSecond: Place.Item = tiSecond; break;
    case kvdfAmPm: Place.Item = tiAmPm; break;
    default: return false;
  }
  Place.Start = found.Start;
  Place.Length = found.Length;
  Place.Use24Hour = true;
  for (const TkvDateTimeFormatItem& item : info.Items)
    if (item.Kind == kvdfHour) Place.Use24Hour = item.Text.starts_with("24");
  return true;
}

String TkvCustomDateEditProperties::EmptyText(bool Focused) {
  if (!Focused || !HasMask()) return String();
  std::unique_ptr<TkvMaskEditCustomMode> mode = CreateFormattingMode();
  String text = mode ? mode->EmptyValueText() : String();
  if (!HasTimeItems()) return text;
  // The time part as the text of day 0 writes it: zeros.
  TkvFormatController* controller = TheFormatController();
  const size_t width = static_cast<size_t>(controller->FormatTextWidth(controller->TimeFormatInfo()));
  std::vector<String> chars = kvSplitChars(text);
  const std::vector<String> zero = kvSplitChars(DateTimeToDisplayText(true, true, false, 0));
  if (chars.size() < width || zero.size() < width) return text;
  std::copy(zero.end() - static_cast<std::ptrdiff_t>(width), zero.end(), chars.end() - static_cast<std::ptrdiff_t>(width));
  text.clear();
  for (const String& c : chars) text += c;
  return text;
}

bool TkvCustomDateEditProperties::ShowsTime(bool Focused, TDateTime Value) {
  if (!Focused) return FKind == ckDateTime || FShowTime;
  const bool hasTime = TimeOfDay(Value) != 0;
  if (FKind == ckDateTime) return hasTime || GetInputKind() == ikMask;
  return FShowTime && hasTime && GetInputKind() == ikStandard;
}

bool TkvCustomDateEditProperties::ReadDate(const String& Text, TDateTime& Value) {
  const String text = Trim(Text);
  if (text.empty()) return false;
  TDateTime value = kvNullDate;
  if (!SmartTextToDateTime(text, value) && !TextToDateTime(text, false, value)) return false;
  if (!std::isfinite(value) || !IsCalendarDateUsable(value) || value == kvNullDate) return false;
  Value = value;
  return true;
}

Variant TkvCustomDateEditProperties::TextToDate(const String& Text) {
  if (Trim(Text).empty() || Text == EmptyText(true)) return Null();
  TDateTime value;
  if (ReadDate(Text, value)) return VarFromDateTime(value);
  if (FDateOnError == deToday) return VarFromDateTime(FKind == ckDateTime ? Now() : Date());
  return Null();
}

String TkvCustomDateEditProperties::DateText(const Variant& Value, bool Focused) {
  Variant text;
  MakeDisplayValue(Value, text, Focused);
  return VarToStr(text);
}

bool TkvCustomDateEditProperties::ValueToDate(const Variant& EditValue, TDateTime& Value) {
  Value = kvNullDate;
  if (VarIsStr(EditValue)) {
    const Variant read = TextToDate(VarToStr(EditValue));
    if (!VarIsNull(read)) Value = VarToDateTime(read);
  } else if (VarIsNumeric(EditValue) || VarType(EditValue) == varDate) {
    Value = VarToDateTime(EditValue);
  }
  return Value != kvNullDate && std::isfinite(Value);
}

bool TkvCustomDateEditProperties::CanShowEditValue(const Variant& EditValue) {
  TDateTime value;
  return IsNoValue(EditValue) || ValueToDate(EditValue, value);
}

void TkvCustomDateEditProperties::MakeDisplayValue(const Variant& EditValue, Variant& DisplayValue, bool Editing) {
  if (IsNoValue(EditValue)) {
    DisplayValue = EmptyText(Editing);
    return;
  }
  TDateTime value;
  if (!ValueToDate(EditValue, value)) throw EConvertError(ResourceStringText(skvEditDateConvertError));
  if (!ShowsTime(Editing, value)) value = WholeDays(value);
  const bool masked = Editing && GetInputKind() == ikMask;
  String text = TrimRight(DateTimeToDisplayText(masked, masked && FKind == ckDateTime, false, value));
  if (Editing && HasMask())
    if (std::unique_ptr<TkvMaskEditCustomMode> mode = CreateFormattingMode()) text = mode->FormatText(text, true);
  DisplayValue = text;
}

bool TkvCustomDateEditProperties::AcceptsEditValue(const Variant& Value) {
  if (!VarIsStr(Value)) return VarIsNull(Value) || VarIsNumeric(Value) || VarType(Value) == varDate;
  TDateTime value;
  try {
    return ReadDate(VarToStr(Value), value);
  } catch (const Exception&) {
    return false;
  }
}

bool TkvCustomDateEditProperties::AcceptsTextValue(Variant& Value, bool Editing) {
  if (GetInputKind() != ikStandard) return TkvCustomPopupEditProperties::AcceptsTextValue(Value, Editing);
  TDateTime value;
  return ReadDate(VarToStr(Value), value);
}

// ---- Validation ----------------------------------------------------------------------------------

void TkvCustomDateEditProperties::CheckDisplayValue(Variant& DisplayValue, String& ErrorText, bool& Error,
                                                    TkvCustomEdit* Editor) {
  auto* edit = dynamic_cast<TkvCustomDateEdit*>(Editor);
  const String original = VarToStr(DisplayValue);
  ErrorText = ResourceStringText(skvEditInvalidDate);
  Error = false;
  TDateTime date = kvNullDate;
  auto isEmpty = [&](const String& Text) { return Trim(Text).empty() || Text == EmptyText(true); };
  try {
    String text = original;
    if (!isEmpty(text)) Error = !ReadDate(text, date);
    if (Editor && Editor->HasValidateHandler()) {
      if (!isEmpty(text) && !Error) DisplayValue = DateText(VarFromDateTime(date), true);
      bool changed = false;
      RunOnValidate(DisplayValue, ErrorText, changed, Editor, Error);
      text = VarToStr(DisplayValue);
      date = kvNullDate;
      if (!Error && !isEmpty(text)) Error = !ReadDate(text, date);
    } else if (Error && FDateOnError != deNoChange) {
      date = FDateOnError == deToday ? (FKind == ckDateTime ? Now() : Date()) : kvNullDate;
      Error = false;
    }
    if (!Error && date != kvNullDate) {
      if ((IsBoundDefined(0) && date < GetMinValue()) || (IsBoundDefined(1) && date > GetMaxValue())) {
        Error = true;
        ErrorText = DefaultValidationErrorText(1);
      }
      if (!Error && FKind == ckDate && edit) {
        const TDateTime time = TimeOfDay(date);
        if (time != 0) edit->SetSavedTime(time);
        else if (FSaveTime) date = WithTimeOfDay(date, edit->GetSavedTime());
        else edit->SetSavedTime(0);
      }
      if (!Error) DisplayValue = DateText(VarFromDateTime(date), true);
    } else if (!Error) {
      // No date: the value becomes Null, and no time of day is kept for it.
      if (edit) edit->SetSavedTime(0);
      DisplayValue = Null();
    }
  } catch (const Exception&) {
    Error = true;
  }
  if (Error) DisplayValue = original;
}
