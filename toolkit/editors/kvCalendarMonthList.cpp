// The calendar's month list: a scrolling list of seven months that the held button drags over, or
// a pick list of the months of the year shown.

#include <algorithm>

#include "rtl/ClassRegistry.h"
#include "toolkit/editors/kvCalendar.h"
#include "user/Input.h"
#include "user/VirtualKeys.h"

TAVREN_CLASS_IMPL(TkvMonthListBox)

namespace {

// Scroll intervals by the distance beyond the list in rows: 0, 1, 2, 3 or more.
constexpr Cardinal kScrollIntervals[] = {500, 250, 100, 50};

}  // namespace

TkvMonthListBox::TkvMonthListBox(TkvCustomCalendar* ACalendar) : TkvCustomPopupWindow(ACalendar), FCalendar(ACalendar) {
  SetControlStyle(GetControlStyle() + TControlStyle{csCaptureMouse, csOpaque, csClickEvents});
  SetPopupBorderStyle(2);
  SetAdjustable(false);
  SetCaptureFocus(false);
  SetOwnerParent(ACalendar);
  SetAlignHorz(1);
  SetAlignVert(1);
  FTimer = std::make_unique<TkvTimer>(nullptr);
  FTimer->SetEnabled(false);
  FTimer->SetInterval(kScrollIntervals[0]);
  FTimer->SetOnTimer(MakeEvent<&TkvMonthListBox::ScrollTick>(this));
}

TkvMonthListBox::~TkvMonthListBox() { FTimer.reset(); }

void TkvMonthListBox::CreateParams(TCreateParams& Params) {
  TkvCustomPopupWindow::CreateParams(Params);
  Params.WindowClass.style |= CS_SAVEBITS;
}

TDateTime TkvMonthListBox::RowMonth(Integer Row) {
  TkvCustomCalendarTable* table = FCalendar->GetTable();
  TDateTime month = kvNullDate;
  if (FScrolling) {
    month = table->ShiftMonths(FCentre, Row - 3);
  } else {
    const TkvCalendarDateTime parts = table->DecodeValue(FCentre);
    month = FCentre;
    month = table->ShiftMonths(month, Row + 1 - parts.Month);
  }
  return IsCalendarDateUsable(month) && table->ValueAllowed(month) ? month : kvNullDate;
}

void TkvMonthListBox::Open() {
  const TkvCalendarMetrics& m = FCalendar->GetMetrics();
  FScrolling = !FCalendar->GetArrowsForYear() || FCalendar->GetYearsInMonthList();
  FCentre = FCalendar->GetDisplayedMonth();
  TkvCustomCalendarTable* table = FCalendar->GetTable();
  FMonthCount = table->MonthCount(table->YearOfRecord(table->DecodeValue(FCentre)));
  GetFont()->Assign(FCalendar->GetFont());
  FRowHeight = m.HeaderHeight - 2;
  FHotRow = -1;
  FScrollDirection = 0;
  SetWidth(6 * m.ColumnWidth + 2);
  SetHeight(RowCount() * FRowHeight + 2);
  SetOwnerBounds(FCalendar->GetMonthCaptionRect());
  Present(nullptr);
  if (FScrolling && HandleAllocated()) SetCapture(GetHandle());
}

void TkvMonthListBox::CloseList() {
  FTimer->SetEnabled(false);
  if (HandleAllocated() && GetCapture() == GetHandle()) ReleaseCapture();
  const TDateTime chosen = FScrolling && FHotRow >= 0 ? RowMonth(FHotRow) : kvNullDate;
  Dismiss();
  if (chosen != kvNullDate) FCalendar->SetDisplayedMonth(chosen);
  FCalendar->UpdateHotPart();
}

void TkvMonthListBox::Paint() {
  TkvCanvas* canvas = GetKvCanvas();
  canvas->AssignFont(GetFont());
  const TRect client = GetClientRect();
  canvas->PaintFrame(client, clBlack);
  canvas->CurrentBrush()->SetStyle(bsClear);
  TkvCustomCalendarTable* table = FCalendar->GetTable();
  for (Integer row = 0; row < RowCount(); ++row) {
    const TRect r(1, 1 + row * FRowHeight, client.Right - 1, 1 + (row + 1) * FRowHeight);
    const bool hot = row == FHotRow;
    canvas->FillWithColor(r, hot ? clWindowText : FCalendar->GetColor());
    const TDateTime month = RowMonth(row);
    if (month == kvNullDate) continue;
    canvas->CurrentFont()->SetColor(hot ? FCalendar->GetColor() : clWindowText);
    const String text = FScrolling ? CalendarDateText(table, month) : CalendarMonthName(table, month);
    canvas->PaintText(text, r, ktfAlignHCenter | ktfAlignVCenter | ktfSingleLine);
  }
}

void TkvMonthListBox::SetHotRow(Integer Row) {
  if (Row == FHotRow) return;
  FHotRow = Row;
  Invalidate();
}

void TkvMonthListBox::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  TkvCustomPopupWindow::MouseMove(Shift, X, Y);
  const TRect client = GetClientRect();
  if (X >= client.Left && X < client.Right && Y >= 1 && Y < 1 + RowCount() * FRowHeight) {
    SetHotRow((Y - 1) / FRowHeight);
    FTimer->SetEnabled(false);
    FScrollDirection = 0;
    return;
  }
  SetHotRow(-1);
  if (!FScrolling || (Y >= 0 && Y < client.Bottom)) {
    FTimer->SetEnabled(false);
    return;
  }
  FScrollDirection = Y < 0 ? -1 : 1;
  const Integer beyond = Y < 0 ? (-Y - 1) / FRowHeight : (Y - client.Bottom) / FRowHeight;
  const Cardinal interval = kScrollIntervals[std::min(beyond, 3)];
  if (FTimer->GetInterval() != interval) FTimer->SetInterval(interval);
  FTimer->SetEnabled(true);
}

void TkvMonthListBox::ScrollTick(TObject*) {
  if (FScrollDirection == 0) return;
  const TDateTime next = FCalendar->GetTable()->ShiftMonths(FCentre, FScrollDirection);
  if (!IsCalendarDateUsable(next)) return;
  FCentre = next;
  Invalidate();
}

void TkvMonthListBox::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TkvCustomPopupWindow::MouseUp(Button, Shift, X, Y);
  if (FScrolling) {
    CloseList();
    return;
  }
  const TRect client = GetClientRect();
  if (X < client.Left || X >= client.Right || Y < 1 || Y >= 1 + RowCount() * FRowHeight) return;
  const TDateTime month = RowMonth((Y - 1) / FRowHeight);
  Dismiss();
  if (month != kvNullDate) FCalendar->SetDisplayedMonth(month);
  FCalendar->UpdateHotPart();
}

void TkvMonthListBox::KeyDown(Word& Key, TShiftState Shift) {
  if (Key == VK_ESCAPE) {
    Key = 0;
    CloseList();
    return;
  }
  TkvCustomPopupWindow::KeyDown(Key, Shift);
}
