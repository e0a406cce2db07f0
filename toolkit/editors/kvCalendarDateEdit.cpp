// The date edit: its value and the time of day it keeps, the mask's time items, the calendar it
// drops down and what a date chosen there writes, the popup's keys, the filter helper and the
// unit's registrations.

#include <cmath>

#include "rtl/ClassRegistry.h"
#include "rtl/Resources.h"
#include "rtl/SysUtils.h"
#include "toolkit/editors/kvCalendar.h"
#include "toolkit/editors/kvEditFilterHelpers.h"
#include "toolkit/editors/kvEditUtils.h"
#include "toolkit/editors/kvFormats.h"
#include "user/VirtualKeys.h"

TAVREN_CLASS_IMPL(TkvPopupCalendar)
TAVREN_CLASS_IMPL(TkvDateEditPopupWindow)
TAVREN_CLASS_IMPL(TkvCustomDateEdit)
TAVREN_CLASS_IMPL_PUBLISHED(TkvDateEdit, PROPERTY(AutoSize).Default(true), PROPERTY(BeepOnEnter).Default(true),
                            PROPERTY(BiDiMode), PROPERTY(Date).Stored(false),
                            PROPERTY_AS(EditValue, GetEditValueProp, SetEditValue),
                            PROPERTY(ImeMode).Default(imDontCare), PROPERTY(ImeName),
                            PROPERTY_AS(Properties, GetDateEditProperties, SetDateEditProperties),
                            PROPERTY_AS(Style, GetEditStyle, SetEditStyle),
                            PROPERTY_AS(StyleDisabled, GetEditStyleDisabled, SetEditStyleDisabled),
                            PROPERTY_AS(StyleFocused, GetEditStyleFocused, SetEditStyleFocused),
                            PROPERTY_AS(StyleHot, GetEditStyleHot, SetEditStyleHot), PROPERTY(OnEditing))
TAVREN_CLASS_IMPL(TkvFilterDateEditHelper)

namespace {

TDateTime TimeOfDay(TDateTime Value) { return std::fabs(Value - std::trunc(Value)); }

// A day plus a time of day, signed like the day.
TDateTime WithTimeOfDay(TDateTime Day, TDateTime Time) { return Day < 0 ? Day - Time : Day + Time; }

}  // namespace

// ---- Popup calendar ------------------------------------------------------------------------------

void TkvPopupCalendar::CloseUp(TkvEditCloseUpReason Reason) {
  TkvCustomCalendar::CloseUp(Reason);
  FOnCloseUp(this, Reason);
}

bool TkvPopupCalendar::TracksHotPart() { return FDateEdit && FDateEdit->IsPopupOpen(); }

void TkvPopupCalendar::KeyDown(Word& Key, TShiftState Shift) {
  TkvCustomCalendar::KeyDown(Key, Shift);
  if (Key != VK_TAB) {
    PopupKey(Key, Shift);
    return;
  }
  // In the date-and-time kind Tab moves between the time edit and the buttons.
  if (GetKind() == ckDateTime || !FDateEdit) return;
  TWeakRef<TkvPopupCalendar> self(this);
  if (FDateEdit->DateProperties()->GetPostPopupValueOnTab()) FireDateChosen();
  if (self && FDateEdit) FDateEdit->HandleKeyDown(Key, Shift);
}

void TkvPopupCalendar::PopupKey(Word& Key, TShiftState Shift) {
  const bool alt = Shift.Contains(ssAlt);
  TWeakRef<TkvPopupCalendar> self(this);
  switch (Key) {
    case VK_RETURN:
      if (GetMonthList()->GetVisible()) return;
      CloseUp(crEnter);
      if (self) FireDateChosen();
      break;
    case VK_ESCAPE:
      if (GetMonthList()->GetVisible() && !GetMonthList()->IsScrolling()) {
        GetMonthList()->CloseList();
        return;
      }
      CloseUp(crCancel);
      break;
    case VK_UP:
    case VK_DOWN:
      if (alt) CloseUp(crClose);
      break;
    case VK_F4:
      if (!alt) CloseUp(crClose);
      break;
    default: break;
  }
}

void TkvPopupCalendar::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  TkvCustomCalendar::MouseMove(Shift, X, Y);
  if (!FDateEdit || !Shift.Contains(ssLeft) || GetArrowTimer()->GetEnabled()) return;
  const TRect client = GetClientRect();
  if (X >= client.Left && X < client.Right && Y >= client.Top && Y < client.Bottom) return;
  // Dragged off the calendar: nothing is picked.
  SelectDate(FDateEdit->GetSavedDate(), false);
}

// ---- Popup window --------------------------------------------------------------------------------

TkvDateEditPopupWindow::TkvDateEditPopupWindow(TControl* OwnerControl) : TkvPopupEditPopupWindow(OwnerControl) {
  SetKeyPreview(true);
  // The application's own loop serves the calendar, its time edit and its timers.
  SetOwnLoop(false);
}

void TkvDateEditPopupWindow::KeyDown(Word& Key, TShiftState Shift) {
  TkvPopupEditPopupWindow::KeyDown(Key, Shift);
  auto* edit = dynamic_cast<TkvCustomDateEdit*>(GetOwnerEditor());
  TkvPopupCalendar* calendar = edit ? edit->GetCalendar() : nullptr;
  TWinControl* focused = GetActiveControl();
  // The calendar hears its own keys.
  if (!calendar || !focused || focused == calendar) return;
  bool handOver = false;
  if (Key == VK_ESCAPE) {
    TkvTimeEdit* timeEdit = calendar->GetTimeEdit();
    const bool inTimeEdit = focused == timeEdit || focused->GetParent() == timeEdit;
    handOver = !inTimeEdit || !timeEdit->GetValueModified();
  } else if (Key == VK_UP || Key == VK_DOWN) {
    handOver = Shift.Contains(ssAlt);
  } else if (Key == VK_F4) {
    handOver = !Shift.Contains(ssAlt);
  }
  if (!handOver) return;
  calendar->PopupKey(Key, Shift);
  Key = 0;
}

// ---- Editor --------------------------------------------------------------------------------------

TkvCustomDateEdit::TkvCustomDateEdit(TComponent* AOwner, bool AInplace, TkvCustomEditPropertiesClass APropertiesClass)
    : TkvCustomPopupEdit(AOwner, AInplace, APropertiesClass) {
  // The text is the date's picture, not a caption to set.
  SetControlStyle(GetControlStyle() - TControlStyle{csSetCaption});
}

TkvCustomDateEdit::~TkvCustomDateEdit() { delete FCalendar; }

TDateTime TkvCustomDateEdit::GetDate() {
  Variant value;
  GetEditValue(value);
  if (VarIsStr(value)) ConvertDisplayToEditValue(value, value, false);
  if (VarIsNumeric(value) || VarType(value) == varDate) return VarToDateTime(value);
  return kvNullDate;
}

void TkvCustomDateEdit::SetDate(TDateTime Value) {
  if (Value == kvNullDate) {
    SetEditValue(Null());
    return;
  }
  TkvCustomDateEditProperties* properties = DateProperties();
  if (properties->GetKind() == ckDate) {
    if (!properties->GetSaveTime()) Value = std::trunc(Value);
    else if (TimeOfDay(Value) == 0) Value = WithTimeOfDay(Value, FSavedTime);
  }
  SetEditValue(VarFromDateTime(Value));
}

void TkvCustomDateEdit::EditingValueToEditValue(Variant& Value) {
  ConvertDisplayToEditValue(Variant(TkvCustomTextEdit::GetText()), Value, true);
}

void TkvCustomDateEdit::ConvertDisplayToEditValue(const Variant& Display, Variant& Value, bool) {
  TkvCustomDateEditProperties* properties = DateProperties();
  const Variant date = properties->TextToDate(VarToStr(Display));
  if (VarIsNull(date)) {
    Value = Null();
    return;
  }
  TDateTime value = VarToDateTime(date);
  if (properties->GetKind() == ckDate && properties->GetSaveTime())
    value = WithTimeOfDay(std::trunc(value), FSavedTime);
  Value = VarFromDateTime(value);
}

void TkvCustomDateEdit::StoreEditValue(const Variant& Value) {
  TkvCustomDateEditProperties* properties = DateProperties();
  if (!properties->CanShowEditValue(Value)) {
    FSavedTime = 0;
    TkvCustomPopupEdit::StoreEditValue(Null());
    throw EConvertError(ResourceStringText(skvEditDateConvertError));
  }
  if (!GetComponentState().Contains(csDestroying) && properties->GetKind() == ckDate) {
    TDateTime time = 0;
    if (properties->GetSaveTime()) {
      TDateTime read;
      if (VarIsStr(Value)) time = properties->ReadDate(VarToStr(Value), read) ? TimeOfDay(read) : 0;
      else if (VarIsNumeric(Value) || VarType(Value) == varDate) time = TimeOfDay(VarToDateTime(Value));
    }
    FSavedTime = time;
  }
  TkvCustomPopupEdit::StoreEditValue(Value);
}

void TkvCustomDateEdit::ApplyDisplayValue(const Variant& Value) {
  if (VarIsStr(Value)) {
    TkvCustomPopupEdit::ApplyDisplayValue(Value);
    return;
  }
  TWeakRef<TkvCustomDateEdit> self(this);
  PushModifiedState();
  SetEditValue(Value);
  if (self) PopModifiedState();
}

void TkvCustomDateEdit::SetDisplayValue(const Variant& Value) {
  if (!Focused()) TkvCustomTextEdit::SetDisplayValue(Value);
  else TkvCustomPopupEdit::SetDisplayValue(Value);
}

TDateTime TkvCustomDateEdit::CurrentDate() {
  Variant current;
  GetCurrentValue(current);
  if (VarIsStr(current)) ConvertDisplayToEditValue(current, current, true);
  return VarIsNumeric(current) || VarType(current) == varDate ? VarToDateTime(current) : kvNullDate;
}

void TkvCustomDateEdit::ValueBoundsDefined() {
  // A stored value is read as it was written, whatever order its bounds come in.
  if (GetComponentState().Contains(csLoading)) return;
  TkvCustomDateEditProperties* properties = DateProperties();
  const TDateTime date = CurrentDate();
  if (date == kvNullDate || !IsCalendarDateUsable(date)) return;
  TDateTime clamped = date;
  if (properties->IsBoundDefined(0) && date < properties->GetMinDate()) clamped = properties->GetMinDate();
  else if (properties->IsBoundDefined(1) && date > properties->GetMaxDate()) clamped = properties->GetMaxDate();
  if (clamped == date) return;
  const bool keyboard = IsKeyboardAction();
  SetKeyboardAction(GetUserEdited());
  try {
    SetEditValue(VarFromDateTime(clamped));
  } catch (...) {
    SetKeyboardAction(keyboard);
    throw;
  }
  SetKeyboardAction(keyboard);
}

bool TkvCustomDateEdit::AcceptsCharAt(String& Ch, Integer Position) {
  TkvTimeItemPlace place;
  if (!DateProperties()->TimeItemAt(Position, place)) return true;
  return TypeTimeItemChar(this, place, Ch, Position);
}

// ---- Drop-down -----------------------------------------------------------------------------------

void TkvCustomDateEdit::CreateCalendar() {
  FCalendar = new TkvPopupCalendar(this);
  FCalendar->SetVisible(false);
  FCalendar->SetDateEdit(this);
  FCalendar->SetParent(GetPopupWindow());
  FCalendar->SetOnCloseUp(MakeEvent<&TkvCustomDateEdit::CalendarClosed>(this));
  // The calendar's controls look like the rest of the popup.
  for (TCalendarButton button : {btnClear, btnNow, btnToday, btnOk})
    FCalendar->GetButton(button)->GetLookAndFeel()->AttachToMaster(GetPopupControlsLookAndFeel());
  FCalendar->GetTimeEdit()->GetStyle()->GetLookAndFeel()->AttachToMaster(GetPopupControlsLookAndFeel());
}

void TkvCustomDateEdit::PreparePopup() {
  if (!FCalendar && GetPopupWindow()) CreateCalendar();
  if (FCalendar) PopupEditProperties()->SetPopupControl(FCalendar);
  TkvCustomPopupEdit::PreparePopup();
}

void TkvCustomDateEdit::ConfigurePopupWindow() {
  TkvCustomPopupEdit::ConfigurePopupWindow();
  if (!FCalendar) return;
  TkvCustomDateEditProperties* properties = DateProperties();
  FCalendar->HandleNeeded();
  FCalendar->SetColor(ActiveStyle()->GetColor());
  FCalendar->SetFlat(GetPopupControlsLookAndFeel()->EffectiveKind() != lfStandard);
  FCalendar->SetDateButtons(properties->GetDateButtons());
  FCalendar->SetOnDateChosen(TNotifyEvent());
  FSavedDate = CurrentDate();
  if (!IsCalendarDateUsable(FSavedDate)) FSavedDate = kvNullDate;
  const TDateTime shown = FSavedDate == kvNullDate ? Date() : FSavedDate;
  if (properties->GetKind() == ckDateTime) FCalendar->GetTimeEdit()->SetTime(TimeOfDay(shown));
  FCalendar->SetSelectedDate(shown);
  FCalendar->GetFont()->Assign(ActiveStyle()->GetEffectiveFont());
  FCalendar->GetFont()->SetColor(clBtnText);
  FCalendar->SetOnDateChosen(MakeEvent<&TkvCustomDateEdit::DateChosen>(this));
  FCalendar->SetArrowsForYear(properties->GetArrowsForYear());
  FCalendar->SetKind(properties->GetKind());
  FCalendar->SetWeekNumbers(properties->GetWeekNumbers());
  FCalendar->SetYearsInMonthList(properties->GetYearsInMonthList());
  // The time panel follows the locale's time items.
  TkvTimeEditTimeFormat format = tfHour;
  bool use24Hour = true;
  if (TkvFormatController* controller = TheFormatController()) {
    const TkvDateTimeFormatInfo& info = controller->DateTimeFormatInfo();
    format = info.Defined[kvdfSecond] ? tfHourMinSec : info.Defined[kvdfMinute] ? tfHourMin : tfHour;
    for (const TkvDateTimeFormatItem& item : info.Items)
      if (item.Kind == kvdfHour) use24Hour = item.Text.starts_with("24");
  }
  FCalendar->SetTimeFormat(format, use24Hour);
}

void TkvCustomDateEdit::AfterPopupShow(TObject* Sender) {
  TWeakRef<TkvCustomDateEdit> self(this);
  TkvCustomPopupEdit::AfterPopupShow(Sender);
  if (!self || !FCalendar) return;
  FCalendar->CalcLayout();
  FCalendar->UpdateHotPart();
}

void TkvCustomDateEdit::AfterPopupClose(TObject* Sender) {
  TWeakRef<TkvCustomDateEdit> self(this);
  TkvCustomPopupEdit::AfterPopupClose(Sender);
  if (self && FCalendar) FCalendar->UpdateHotPart();
}

void TkvCustomDateEdit::CalendarClosed(TObject*, TkvEditCloseUpReason Reason) {
  PostClosePopup(static_cast<TkvPopupCloseReason>(Reason));
}

void TkvCustomDateEdit::DateChosen(TObject*) {
  TkvCustomDateEditProperties* properties = DateProperties();
  TDateTime date = FCalendar->GetSelectedDate();
  if (date != kvNullDate) {
    if (properties->GetKind() == ckDateTime)
      date = WithTimeOfDay(std::trunc(date), FCalendar->GetTimeEdit()->GetTime());
    else if (properties->GetSaveTime())
      date = WithTimeOfDay(std::trunc(date), FSavedDate == kvNullDate ? 0 : TimeOfDay(FSavedDate));
  }
  const Variant value = date == kvNullDate ? Null() : VarFromDateTime(date);
  String text = properties->DateText(value, true);
  if (date != kvNullDate && properties->GetInputKind() == ikStandard) {
    // A text the locale would read as another day is written in full.
    TDateTime read;
    if (!properties->ReadDate(text, read) || std::trunc(read) != std::trunc(date)) {
      const TDateTime shown = properties->ShowsTime(true, date) ? date : std::trunc(date);
      TkvFormatController* controller = TheFormatController();
      text = DateTimeToLocaleText(true, controller && controller->UseFrameworkFormats(), shown);
    }
  }
  if (date == GetDate() && text == TkvCustomTextEdit::GetText()) return;
  if (!RequestEdit()) return;
  TWeakRef<TkvCustomDateEdit> self(this);
  LockChangeEvents(true);
  try {
    SetDate(date);
    if (self) {
      MarkModifiedByUser(true);
      SetInnerEditValue(text);
      SelectWholeText();
    }
  } catch (...) {
    if (self) LockChangeEvents(false);
    throw;
  }
  if (self) LockChangeEvents(false);
}

// ---- Filter rows ---------------------------------------------------------------------------------

TkvFilterOperators TkvFilterDateEditHelper::FilterOperatorSet(TkvValueTypeClass, bool Extended) {
  TkvFilterOperators operators(0x067E);
  if (Extended)
    for (size_t bit = 11; bit <= 39; ++bit) operators.set(bit);
  return operators;
}

void TkvFilterDateEditHelper::InitFilterProperties(TkvCustomEditProperties* Properties,
                                                   TkvCustomEditProperties* Source, bool KeepButtons) {
  TkvFilterDropDownEditHelper::InitFilterProperties(Properties, Source, KeepButtons);
  auto* properties = dynamic_cast<TkvCustomDateEditProperties*>(Properties);
  if (!properties) return;
  properties->SetDateButtons(TDateButtons{btnClear, btnToday});
  properties->SetDateOnError(deNull);
  properties->SetInputKind(ikRegExpr);
  properties->SetSaveTime(true);
}

// ---- Unit ----------------------------------------------------------------------------------------

namespace {

Integer GStartCount = 0;

}  // namespace

void kvCalendarStart() {
  if (GStartCount++ > 0) return;
  RegisterClasses({TkvDateEdit::ClassInfo(), TkvDateEditProperties::ClassInfo()});
  EditPropertiesRegistry()->AddClass(TkvDateEditProperties::ClassInfo(),
                                     ResourceStringText(skvEditDateEditDescription));
  TheFilterEditsController()->AddHelper(TkvDateEditProperties::ClassInfo(),
                                        FilterEditHelperOf<TkvFilterDateEditHelper>());
}

// The Properties registry goes with the edit framework's end.
void kvCalendarEnd() {
  if (GStartCount == 0 || --GStartCount > 0) return;
  TheFilterEditsController()->RemoveHelper(TkvDateEditProperties::ClassInfo(),
                                           FilterEditHelperOf<TkvFilterDateEditHelper>());
  UnRegisterClass(TkvDateEditProperties::ClassInfo());
  UnRegisterClass(TkvDateEdit::ClassInfo());
}
