// The calendar's keys, mouse, header arrows and buttons, and the clock.

#include <cmath>

#include "rtl/ClassRegistry.h"
#include "toolkit/editors/kvCalendar.h"
#include "toolkit/editors/kvEditUtils.h"
#include "user/Input.h"
#include "user/VirtualKeys.h"

TAVREN_CLASS_IMPL_PUBLISHED(TkvClock, PROPERTY(Color).Default(clWindow), PROPERTY(MinuteDotColor).Default(clWindow),
                            PROPERTY(Time))

namespace {

bool Contains(const TRect& R, const TPoint& P) {
  return P.X >= R.Left && P.X < R.Right && P.Y >= R.Top && P.Y < R.Bottom;
}

TDateTime Fraction(TDateTime Value) { return std::fabs(Value - std::trunc(Value)); }

// A day plus a time of day, signed like the day.
TDateTime WithTime(TDateTime Day, TDateTime Time) { return Day < 0 ? Day - Time : Day + Time; }

}  // namespace

// ---- Clock ---------------------------------------------------------------------------------------

TkvClock::TkvClock(TComponent* AOwner) : TkvControl(AOwner) { SetColor(clWindow); }

void TkvClock::SetMinuteDotColor(TColor Value) {
  if (FMinuteDotColor == Value) return;
  FMinuteDotColor = Value;
  Invalidate();
}

void TkvClock::SetTime(TDateTime Value) {
  const TDateTime time = Fraction(Value);
  if (time == FTime) return;
  FTime = time;
  Invalidate();
}

void TkvClock::Paint() {
  LookAndFeelPainter()->PaintClockFace(GetKvCanvas(), GetClientRect(), FTime, GetColor());
}

// ---- Buttons and the time ------------------------------------------------------------------------

TDateTime TkvCustomCalendar::ClockTime() { return FClock->GetTime(); }

void TkvCustomCalendar::ButtonClicked(TObject* Sender) { ClickButton(static_cast<TkvButton*>(Sender)->GetTag()); }

void TkvCustomCalendar::ClickButton(Integer Tag) {
  TDateTime result = kvNullDate;
  switch (Tag) {
    case 1: result = Now(); break;
    case 2: result = WithTime(Date(), ClockTime()); break;
    case 3: result = FSelectedDate == kvNullDate ? kvNullDate : WithTime(std::trunc(FSelectedDate), ClockTime()); break;
    default: break;
  }
  if (result != kvNullDate) {
    FClock->SetTime(result);
    FTimeEdit->SetTime(Fraction(result));
  }
  TWeakRef<TkvCustomCalendar> self(this);
  SelectDate(result, true);
  FireDateChosen();
  if (self) CloseUp(crEnter);
}

void TkvCustomCalendar::TimeChanged(TObject*) {
  FClock->SetTime(FTimeEdit->GetTime());
  if (HandleAllocated()) {
    const RECT r = FTimeCaption;
    InvalidateRect(GetHandle(), &r, FALSE);
  }
}

void TkvCustomCalendar::CloseUp(TkvEditCloseUpReason) {
  FArrowTimer->SetEnabled(false);
  FPressedArrow = caNoArrow;
  if (FMonthList->GetVisible()) FMonthList->CloseList();
  if (FMonthList->GetScrollTimer()) FMonthList->GetScrollTimer()->SetEnabled(false);
}

// ---- Arrows --------------------------------------------------------------------------------------

TkvCalendarArrow TkvCustomCalendar::ArrowAt(const TPoint& P) const {
  for (Integer a = caPrevMonth; a <= caNextYear; ++a)
    if (Contains(FArrowRects[a], P)) return static_cast<TkvCalendarArrow>(a);
  return caNoArrow;
}

void TkvCustomCalendar::PressArrow(TkvCalendarArrow Arrow) {
  switch (Arrow) {
    case caPrevMonth: SetDisplayedMonth(FTable->ShiftMonths(FDisplayedMonth, -1)); break;
    case caNextMonth: SetDisplayedMonth(FTable->ShiftMonths(FDisplayedMonth, 1)); break;
    case caPrevYear: SetDisplayedMonth(FTable->ShiftYears(FDisplayedMonth, -1)); break;
    case caNextYear: SetDisplayedMonth(FTable->ShiftYears(FDisplayedMonth, 1)); break;
    default: break;
  }
}

void TkvCustomCalendar::ArrowTick(TObject*) {
  TPoint p = ScreenToClient(CursorPosOrInvalid());
  const TkvCalendarArrow arrow = ArrowAt(p);
  if (arrow != FPressedArrow) return;
  try {
    PressArrow(arrow);
  } catch (...) {
    // Else every tick would raise again.
    FArrowTimer->SetEnabled(false);
    FPressedArrow = caNoArrow;
    throw;
  }
}

// ---- Keys ----------------------------------------------------------------------------------------

void TkvCustomCalendar::KeyDown(Word& Key, TShiftState Shift) {
  const TDateTime base = FSelectedDate == kvNullDate ? Date() : std::trunc(FSelectedDate);
  const TDateTime time = FSelectedDate == kvNullDate ? 0 : Fraction(FSelectedDate);
  TDateTime target = kvNullDate;
  const bool ctrl = Shift.Contains(ssCtrl);
  switch (Key) {
    case VK_LEFT: target = base - 1; break;
    case VK_RIGHT: target = base + 1; break;
    case VK_UP:
      if (!Shift.Contains(ssAlt)) target = base - 7;
      break;
    case VK_DOWN:
      if (!Shift.Contains(ssAlt)) target = base + 7;
      break;
    case VK_PRIOR: target = FTable->ShiftMonths(base, -1); break;
    case VK_NEXT: target = FTable->ShiftMonths(base, 1); break;
    case VK_HOME: {
      const TkvCalendarDateTime parts = FTable->DecodeValue(base);
      target = ctrl ? base - (parts.Day - 1) : base - WeekDayIndex(base);
      break;
    }
    case VK_END: {
      const TkvCalendarDateTime parts = FTable->DecodeValue(base);
      target = ctrl ? base + FTable->MonthLength(FTable->YearOfRecord(parts), parts.Month) - parts.Day
                    : base + 6 - WeekDayIndex(base);
      break;
    }
    default: break;
  }
  if (target != kvNullDate) SelectDate(WithTime(target, time), true);
  TkvControl::KeyDown(Key, Shift);
}

// ---- Mouse ---------------------------------------------------------------------------------------

void TkvCustomCalendar::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TWeakRef<TkvCustomCalendar> self(this);
  TkvControl::MouseDown(Button, Shift, X, Y);
  if (!self || Button != mbLeft) return;
  const TPoint p(X, Y);
  const TDateTime day = DateAtPoint(p);
  if (day != kvNullDate) {
    SelectDate(WithTime(day, FSelectedDate == kvNullDate ? 0 : Fraction(FSelectedDate)), false);
    return;
  }
  const TkvCalendarArrow arrow = ArrowAt(p);
  if (arrow != caNoArrow) {
    FPressedArrow = arrow;
    PressArrow(arrow);
    FArrowTimer->SetEnabled(true);
    return;
  }
  if (Contains(FMonthCaption, p)) {
    UpdateHotPart();
    FMonthList->Open();
  }
}

void TkvCustomCalendar::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  TkvControl::MouseMove(Shift, X, Y);
  UpdateHotPart();
  if (!Shift.Contains(ssLeft) || FArrowTimer->GetEnabled()) return;
  const TDateTime day = DateAtPoint(TPoint(X, Y));
  if (day != kvNullDate) SelectDate(WithTime(day, FSelectedDate == kvNullDate ? 0 : Fraction(FSelectedDate)), false);
}

void TkvCustomCalendar::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TWeakRef<TkvCustomCalendar> self(this);
  TkvControl::MouseUp(Button, Shift, X, Y);
  if (!self || Button != mbLeft) return;
  if (FArrowTimer->GetEnabled()) {
    FArrowTimer->SetEnabled(false);
    FPressedArrow = caNoArrow;
    return;
  }
  const TPoint p(X, Y);
  if (FKind == ckDateTime) {
    if (FSelectedDate != kvNullDate) SetDisplayedMonth(FSelectedDate);
    return;
  }
  if (!Contains(GetClientRect(), p) || Contains(FMonthCaption, p) || Contains(FYearCaption, p)) return;
  if (ArrowAt(p) != caNoArrow) return;
  const bool onDay = DateAtPoint(p) != kvNullDate;
  CloseUp(crEnter);
  if (self && onDay) FireDateChosen();
}

void TkvCustomCalendar::DblClick() {
  TkvControl::DblClick();
  if (FKind != ckDateTime) return;
  const TPoint p = ScreenToClient(CursorPosOrInvalid());
  const TDateTime day = DateAtPoint(p);
  if (day == kvNullDate) return;
  TWeakRef<TkvCustomCalendar> self(this);
  SelectDate(WithTime(day, FSelectedDate == kvNullDate ? 0 : Fraction(FSelectedDate)), true);
  CloseUp(crEnter);
  if (self) FireDateChosen();
}

bool TkvCustomCalendar::DoMouseWheel(TShiftState Shift, Integer WheelDelta, TPoint MousePos) {
  if (TkvControl::DoMouseWheel(Shift, WheelDelta, MousePos)) return true;
  if (FMonthList->GetVisible()) return false;
  const TPoint p = ScreenToClient(MousePos);
  const Integer step = WheelDelta > 0 ? -1 : 1;
  if (Contains(FMonthCaption, p)) {
    SetDisplayedMonth(FTable->ShiftMonths(FDisplayedMonth, step));
    return true;
  }
  if (Contains(FYearCaption, p)) {
    SetDisplayedMonth(FTable->ShiftYears(FDisplayedMonth, step));
    return true;
  }
  return false;
}

void TkvCustomCalendar::UpdateHotPart() {
  Integer part = chpNone;
  if (HandleAllocated() && TracksHotPart() && !FMonthList->GetVisible() && GetCapture() != GetHandle()) {
    const TPoint p = ScreenToClient(CursorPosOrInvalid());
    if (Contains(FMonthCaption, p)) part = chpMonth;
    else if (Contains(FYearCaption, p)) part = chpYear;
  }
  if (part == FHotPart) return;
  FHotPart = part;
  if (HandleAllocated()) {
    const RECT r = FHeader;
    InvalidateRect(GetHandle(), &r, FALSE);
  }
}

void TkvCustomCalendar::FireMouseEnter(TControl* AControl) {
  TkvControl::FireMouseEnter(AControl);
  UpdateHotPart();
}

void TkvCustomCalendar::FireMouseLeave(TControl* AControl) {
  TkvControl::FireMouseLeave(AControl);
  UpdateHotPart();
}
