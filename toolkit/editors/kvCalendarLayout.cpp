// The calendar's life, metrics, layout of header, grid, time panel and button bar, and painting.

#include <algorithm>
#include <cmath>

#include "gdi/UxTheme.h"
#include "rtl/ClassRegistry.h"
#include "rtl/Math.h"
#include "rtl/Resources.h"
#include "rtl/SysUtils.h"
#include "toolkit/editors/kvCalendar.h"
#include "toolkit/editors/kvEditUtils.h"
#include "toolkit/editors/kvFormats.h"
#include "toolkit/foundation/qzThemeManager.h"
#include "toolkit/foundation/qzUxTheme.h"

TAVREN_CLASS_IMPL(TkvCustomCalendar)
TAVREN_MESSAGE_TABLE(TkvCustomCalendar, MESSAGE_HANDLER(CM_FONTCHANGED, CMFontChanged))

namespace {

constexpr TDateTime kLastUsableDate = 2958465.99999;

// The captions and tags of the buttons, by TCalendarButton.
const Integer kButtonTexts[] = {skvEditClear, skvEditNow, skvEditToday, skvEditButtonOK};
const Integer kButtonTags[] = {0, 1, 2, 3};
const Integer kButtonTabOrders[] = {3, 2, 1, 4};

bool IsEmpty(const TRect& R) { return R.Right <= R.Left || R.Bottom <= R.Top; }

}  // namespace

bool IsCalendarDateUsable(TDateTime Value) {
  return Value == kvNullDate || (Value >= FirstDayOfBaseYear() && Value <= kLastUsableDate);
}

// ---- Life ----------------------------------------------------------------------------------------

TkvCustomCalendar::TkvCustomCalendar(TComponent* AOwner) : TkvControl(AOwner), FTable(LocaleCalendarTable()) {
  SetControlStyle(GetControlStyle() + TControlStyle{csCaptureMouse, csOpaque});
  SetWidth(20);
  SetHeight(20);
  const TDateTime today = Date();
  FSelectedDate = today;
  FDisplayedMonth = FTable->ShiftDays(FTable->DecodeValue(today), 1 - FTable->DecodeValue(today).Day);
  for (Integer i = 0; i < 4; ++i) {
    auto* button = new TkvButton(this);
    button->SetUseSystemPaint(false);
    button->SetCaption(ResourceStringText(kButtonTexts[i]));
    button->SetTag(kButtonTags[i]);
    button->SetTabOrder(kButtonTabOrders[i]);
    button->SetOnClick(MakeEvent<&TkvCustomCalendar::ButtonClicked>(this));
    FButtons[i] = button;
  }
  FButtons[btnOk]->SetDefault(true);
  FTimeEdit = new TkvTimeEdit(this);
  FTimeEdit->SetTabOrder(0);
  FTimeEdit->GetTimeEditProperties()->SetCircular(true);
  FTimeEdit->GetTimeEditProperties()->SetOnChange(MakeEvent<&TkvCustomCalendar::TimeChanged>(this));
  FClock = new TkvClock(this);
  FClock->SetTabStop(false);
  FClock->GetLookAndFeelObject()->AttachToMaster(FButtons[btnOk]->GetLookAndFeel());
  // The calendar draws as its OK button does, so it hears when that look changes.
  GetLookAndFeel()->AttachToMaster(FButtons[btnOk]->GetLookAndFeel());
  FMonthList = std::make_unique<TkvMonthListBox>(this);
  FArrowTimer = std::make_unique<TkvTimer>(nullptr);
  FArrowTimer->SetEnabled(false);
  FArrowTimer->SetInterval(200);
  FArrowTimer->SetOnTimer(MakeEvent<&TkvCustomCalendar::ArrowTick>(this));
  CalcLayout();
}

TkvCustomCalendar::~TkvCustomCalendar() {
  FArrowTimer.reset();
  FMonthList.reset();
}

void TkvCustomCalendar::SetParent(TWinControl* AParent) {
  TkvControl::SetParent(AParent);
  for (TkvButton* button : FButtons) button->SetParent(this);
  FClock->SetParent(this);
  FTimeEdit->SetParent(this);
  CalcLayout();
}

bool TkvCustomCalendar::CanResize(Integer& NewWidth, Integer& NewHeight) {
  NewWidth = FMetrics.Size.cx > 0 ? FMetrics.Size.cx : NewWidth;
  NewHeight = FMetrics.Size.cy > 0 ? FMetrics.Size.cy : NewHeight;
  return true;
}

bool TkvCustomCalendar::ErasesBackground() {
  return FButtons[btnToday]->GetLookAndFeel()->GetNativeStyle() && VisualStylesInUse();
}

TkvCustomLookAndFeelPainterClass TkvCustomCalendar::Painter() { return FButtons[btnOk]->GetLookAndFeel()->ActivePainter(); }

void TkvCustomCalendar::LookAndFeelUpdated(TkvLookAndFeel*, TkvLookAndFeelValues) {
  // Also heard when the buttons go with the calendar.
  if (GetComponentState().Contains(csDestroying)) return;
  // The Office-11 painter's metrics differ.
  CalcLayout();
  FClock->Invalidate();
}

bool TkvCustomCalendar::PaintsOffice11() { return Painter() == PainterClassOf<TkvOffice11LookAndFeelPainter>(); }

void TkvCustomCalendar::CMFontChanged(TMessage& Message) {
  InheritedMessage(Message);
  CalcLayout();
}

// ---- Settings ------------------------------------------------------------------------------------

void TkvCustomCalendar::SetKind(TkvCalendarKind Value) {
  if (FKind == Value) return;
  FKind = Value;
  CalcLayout();
}

void TkvCustomCalendar::SetArrowsForYear(bool Value) {
  if (FArrowsForYear == Value) return;
  FArrowsForYear = Value;
  CalcLayout();
}

void TkvCustomCalendar::SetDateButtons(TDateButtons Value) {
  if (FDateButtons == Value) return;
  FDateButtons = Value;
  CalcLayout();
}

void TkvCustomCalendar::SetFlat(bool Value) {
  if (FFlat == Value) return;
  FFlat = Value;
  CalcLayout();
}

void TkvCustomCalendar::SetWeekNumbers(bool Value) {
  if (FWeekNumbers == Value) return;
  FWeekNumbers = Value;
  CalcLayout();
}

void TkvCustomCalendar::SetTimeFormat(TkvTimeEditTimeFormat Format, bool Use24Hour) {
  FTimeEdit->GetTimeEditProperties()->SetTimeFormat(Format);
  FTimeEdit->GetTimeEditProperties()->SetUse24HourFormat(Use24Hour);
  CalcLayout();
}

// ---- Dates ---------------------------------------------------------------------------------------

TDateTime TkvCustomCalendar::LastDayOfMonthShown() {
  const TkvCalendarDateTime month = FTable->DecodeValue(FDisplayedMonth);
  return FDisplayedMonth + FTable->MonthLength(FTable->YearOfRecord(month), month.Month) - 1;
}

TDateTime TkvCustomCalendar::FirstGridDate() {
  TDateTime first = FDisplayedMonth - WeekDayIndex(FDisplayedMonth);
  // A month that starts on the first day of the week shows the week before it in the first row.
  if (first == FDisplayedMonth && FDisplayedMonth != FirstDayOfBaseYear()) first -= 7;
  return first;
}

TDateTime TkvCustomCalendar::LastGridDate() { return FirstGridDate() + 41; }

void TkvCustomCalendar::SetDisplayedMonth(TDateTime Value) {
  if (Value == kvNullDate || !IsCalendarDateUsable(Value)) return;
  const TkvCalendarDateTime parts = FTable->DecodeValue(std::trunc(Value));
  const TDateTime first = std::trunc(Value) - (parts.Day - 1);
  if (first == FDisplayedMonth) return;
  FDisplayedMonth = first;
  PlaceHeader();
  Invalidate();
}

void TkvCustomCalendar::SelectDate(TDateTime Value, bool FollowMonth) {
  if (Value == FSelectedDate || !IsCalendarDateUsable(Value)) return;
  FSelectedDate = Value;
  if (FollowMonth && Value != kvNullDate) SetDisplayedMonth(Value);
  if (FollowMonth || FKind == ckDateTime || !HandleAllocated()) {
    Invalidate();
  } else {
    const TRect grid = GetGridRect();
    InvalidateRect(GetHandle(), &grid, FALSE);
  }
}

void TkvCustomCalendar::SetSelectedDate(TDateTime Value) { SelectDate(Value, true); }

TRect TkvCustomCalendar::GetGridRect() const {
  const Integer top = FMetrics.HeaderHeight + FMetrics.DayNamesHeight + (FKind == ckDateTime ? FMetrics.PanelOffset : 0);
  const Integer left = FMetrics.WeekColumn + FMetrics.SideMargin;
  return TRect(left, top, left + 7 * FMetrics.ColumnWidth, top + 6 * FMetrics.RowHeight);
}

TDateTime TkvCustomCalendar::DateAtPoint(const TPoint& P) {
  const TRect grid = GetGridRect();
  if (P.X < grid.Left || P.X >= grid.Right || P.Y < grid.Top || P.Y >= grid.Bottom) return kvNullDate;
  const Integer column = (P.X - grid.Left) / FMetrics.ColumnWidth;
  const Integer row = (P.Y - grid.Top) / FMetrics.RowHeight;
  return FirstGridDate() + 7 * row + column;
}

// ---- Layout --------------------------------------------------------------------------------------

bool TkvCustomCalendar::ShowsButtonBar() {
  return FKind == ckDateTime || FDateButtons.Contains(btnToday) || FDateButtons.Contains(btnClear);
}

void TkvCustomCalendar::CalcLayout() {
  if (FLayingOut || !FTimeEdit) return;
  FLayingOut = true;
  TkvCanvas* canvas = CanvasOrScreen();
  canvas->AssignFont(GetFont());
  TkvCalendarMetrics& m = FMetrics;
  const Integer fontSize = std::abs(GetFont()->GetSize());
  {
    auto small = std::make_unique<TFont>();
    small->Assign(GetFont());
    small->SetSize(MulDiv(GetFont()->GetSize(), 2, 3));
    canvas->AssignFont(small.get());
    m.WeekNumberWidth = canvas->TextWidthOf("99");
    canvas->AssignFont(GetFont());
  }
  const Integer zero = canvas->TextWidthOf("0");
  const Integer zeroHeight = canvas->TextHeightOf("0");
  const Integer wg = canvas->TextHeightOf("Wg");
  const bool office11 = PaintsOffice11();
  m.ColumnWidth = 3 * zero;
  m.SideMargin = 2 * zero;
  m.RowHeight = zeroHeight + 2;
  m.HeaderHeight = zeroHeight + 5 - (FKind == ckDate && office11 ? 1 : 0);
  m.DayNamesHeight = m.RowHeight + 1;
  Integer widest = 0;
  for (Integer i = 0; i < 4; ++i) {
    const bool shown = i == btnOk ? FKind == ckDateTime : FDateButtons.Contains(static_cast<TDateButton>(i));
    const bool allowed = FKind == ckDateTime || i == btnToday || i == btnClear;
    FButtons[i]->SetVisible(shown && allowed);
    if (shown && allowed) widest = std::max(widest, canvas->TextWidthOf(FButtons[i]->GetCaption()));
  }
  m.ButtonWidth = widest + m.ColumnWidth;
  m.Gap = fontSize / 2;
  m.ButtonHeight = MulDiv(wg, 20, 13) + 1;
  if (FKind == ckDateTime) {
    const Integer product = MulDiv(fontSize, 5, 4);
    m.BarHeight = product + 1 + (product % 2 == 1 ? 1 : 0) + m.ButtonHeight;
  } else {
    m.BarHeight = MulDiv(fontSize, 3, 4) + MulDiv(wg, 20, 13) + m.Gap;
  }
  m.PanelOffset = MulDiv(fontSize, 3, 4);
  m.BarGap = (m.BarHeight - m.ButtonHeight - 1) / 2;
  m.WeekColumn = FWeekNumbers ? m.WeekNumberWidth + 3 + 1 + 1 : 0;
  m.GridWidth = m.WeekColumn + 2 * m.SideMargin + 7 * m.ColumnWidth;
  Integer height = m.DayNamesHeight + 6 * m.RowHeight + m.HeaderHeight + 1;
  if (ShowsButtonBar()) height += m.BarHeight;
  height += FKind == ckDateTime ? m.PanelOffset + m.HeaderHeight + m.Gap : 1;
  if (FKind == ckDate && office11) height += 2;
  Integer width = m.GridWidth;
  // The time edit as wide as its widest text and a digit.
  FTimeEdit->GetEditStyle()->SetFont(GetFont());
  const Integer timeWidth =
      canvas->TextWidthOf(FTimeEdit->GetTimeEditProperties()->FormatTime(0.5 + 11 / 24.0 + 59 / 1440.0)) + zero +
      28;
  const Integer timeHeight = FTimeEdit->HandleAllocated() ? FTimeEdit->GetHeight() : m.ButtonHeight;
  m.ClockSize = height - m.HeaderHeight - m.PanelOffset - m.BarHeight - timeHeight - 3 * m.BarGap;
  m.PanelWidth = 2 * m.BarGap + std::max(m.ClockSize, timeWidth);
  if (FKind == ckDateTime) width += 2 * m.PanelOffset + m.ColumnWidth + m.PanelWidth;
  m.Size = TSize{width, height};
  for (TkvButton* button : FButtons) {
    button->SetTabStop(FKind == ckDateTime);
  }
  FTimeEdit->SetTabStop(FKind == ckDateTime);
  FTimeEdit->SetVisible(FKind == ckDateTime);
  FClock->SetVisible(FKind == ckDateTime);
  TkvControlKeys keys{kAll, kArrows, kChars};
  if (FKind == ckDate) keys.Include(kTab);
  StoreKeys(keys);
  SetBounds(GetLeft(), GetTop(), width, height);
  PlaceHeader();
  PlaceChildren();
  FLayingOut = false;
  Invalidate();
}

void TkvCustomCalendar::PlaceHeader() {
  const TkvCalendarMetrics& m = FMetrics;
  const Integer top = FKind == ckDateTime ? m.PanelOffset : 0;
  FHeader = TRect(0, top, m.GridWidth, top + m.HeaderHeight);
  FTimeCaption = FKind == ckDateTime ? TRect(m.GridWidth + m.PanelOffset, top, m.Size.cx - m.PanelOffset, top + m.HeaderHeight)
                                     : TRect();
  const Integer arrowWidth = m.ColumnWidth - 2;
  const Integer inset = FFlat && FKind == ckDate ? 0 : 1;
  auto box = [&](Integer Left) {
    return TRect(Left + inset, FHeader.Top + inset, Left + arrowWidth + inset, FHeader.Top + m.HeaderHeight - 1);
  };
  for (TRect& r : FArrowRects) r = TRect();
  TkvCanvas* canvas = CanvasOrScreen();
  canvas->AssignFont(GetFont());
  if (!FArrowsForYear) {
    FArrowRects[caPrevMonth] = box(FHeader.Left);
    FArrowRects[caNextMonth] = box(FHeader.Right - arrowWidth - 2 * inset);
    FMonthCaption = TRect(FArrowRects[caPrevMonth].Right, FHeader.Top, FArrowRects[caNextMonth].Left, FHeader.Bottom);
    FYearCaption = TRect();
    return;
  }
  // The month caption takes the widest month name of the year shown, and a share of what is left
  // in proportion to it against the widest year text.
  Integer monthWidth = 0, yearWidth = 0;
  const TkvCalendarDateTime parts = FTable->DecodeValue(FDisplayedMonth);
  const Integer year = FTable->YearOfRecord(parts);
  for (Integer month = 1; month <= FTable->MonthCount(year); ++month)
    monthWidth = std::max(monthWidth, canvas->TextWidthOf(CalendarMonthNameOf(year, month, FTable.get())));
  yearWidth = std::max(canvas->TextWidthOf(CalendarYearText(FTable.get(), FDisplayedMonth)), canvas->TextWidthOf("0000"));
  const Integer free = std::max(0, FHeader.Width() - 4 * (arrowWidth + 2 * inset) - monthWidth - yearWidth);
  const Integer monthShare = monthWidth + (monthWidth + yearWidth > 0 ? free * monthWidth / (monthWidth + yearWidth) : 0);
  Integer x = FHeader.Left;
  FArrowRects[caPrevMonth] = box(x);
  x = FArrowRects[caPrevMonth].Right + inset;
  FMonthCaption = TRect(x, FHeader.Top, x + monthShare, FHeader.Bottom);
  x = FMonthCaption.Right;
  FArrowRects[caNextMonth] = box(x);
  x = FArrowRects[caNextMonth].Right + inset;
  FArrowRects[caPrevYear] = box(x);
  x = FArrowRects[caPrevYear].Right + inset;
  FArrowRects[caNextYear] = box(FHeader.Right - arrowWidth - 2 * inset);
  FYearCaption = TRect(x, FHeader.Top, FArrowRects[caNextYear].Left, FHeader.Bottom);
}

void TkvCustomCalendar::PlaceChildren() {
  const TkvCalendarMetrics& m = FMetrics;
  const Integer barTop = m.Size.cy - (ShowsButtonBar() ? m.BarHeight : 0) - (FKind == ckDate ? 1 : 0);
  FBar = ShowsButtonBar() ? TRect(0, barTop, m.Size.cx, barTop + m.BarHeight) : TRect();
  const Integer w = m.ButtonWidth + 1;
  if (FKind == ckDate) {
    const bool today = FButtons[btnToday]->GetVisible(), clear = FButtons[btnClear]->GetVisible();
    const Integer top = barTop + m.Gap;
    if (today && clear) {
      const Integer x = (m.GridWidth - 2 * m.ButtonWidth) / 3;
      FButtons[btnToday]->SetBounds(x, top, w, m.ButtonHeight);
      FButtons[btnClear]->SetBounds(m.GridWidth - m.ButtonWidth - x, top, w, m.ButtonHeight);
    } else if (today || clear) {
      FButtons[today ? btnToday : btnClear]->SetBounds((m.GridWidth - m.ButtonWidth) / 2, top, w, m.ButtonHeight);
    }
    return;
  }
  // Today, Now, Clear as chosen, then OK: the last g from the right edge.
  std::vector<TkvButton*> shown;
  for (TCalendarButton b : {btnToday, btnNow, btnClear, btnOk})
    if (FButtons[b]->GetVisible()) shown.push_back(FButtons[b]);
  const Integer g = MulDiv(std::abs(GetFont()->GetSize()), 5, 4);
  const Integer top = barTop + (m.BarHeight - m.ButtonHeight) / 2;
  const Integer count = static_cast<Integer>(shown.size());
  for (Integer i = 0; i < count; ++i) {
    Integer x;
    if (i == count - 1) x = m.Size.cx - g - w;
    else if (count == 2) x = m.Size.cx - g - w - g - w;
    else x = g + i * (w + g);
    shown[i]->SetBounds(x, top, w, m.ButtonHeight);
  }
  const Integer panelLeft = m.Size.cx - m.PanelOffset - m.PanelWidth;
  FClock->SetBounds(panelLeft + m.BarGap, FHeader.Bottom + m.BarGap, m.ClockSize, m.ClockSize);
  const Integer editHeight = FTimeEdit->GetHeight();
  const Integer editWidth = m.PanelWidth - 2 * m.BarGap;
  FTimeEdit->SetBounds(panelLeft + (m.PanelWidth - editWidth) / 2, barTop - m.BarGap - editHeight, editWidth,
                       editHeight);
  if (FTimeEdit->HandleAllocated()) FTimeEdit->PlaceCaret(0);
}

// ---- Painting ------------------------------------------------------------------------------------

TColor TkvCustomCalendar::HeaderColor() {
  TColor color = Painter()->DateNavigatorHeaderColor();
  return color == clDefault ? clBtnFace : color;
}

void TkvCustomCalendar::Paint() {
  TkvCanvas* canvas = GetKvCanvas();
  canvas->AssignFont(GetFont());
  canvas->FillWithColor(GetClientRect(), GetColor());
  if (FKind == ckDateTime) PaintTimeCaption(canvas);
  PaintHeader(canvas);
  PaintDayNames(canvas);
  PaintDays(canvas);
  if (FWeekNumbers) PaintWeekNumbers(canvas);
  PaintButtonBar(canvas);
}

bool TkvCustomCalendar::HasThemedHeader() {
  TkvLookAndFeel* lookAndFeel = FButtons[btnOk]->GetLookAndFeel();
  return lookAndFeel->GetSkinPainter() || (lookAndFeel->GetNativeStyle() && VisualStylesInUse());
}

void TkvCustomCalendar::PaintHeaderBackground(TkvCanvas* Canvas, const TRect& R) {
  if (!HasThemedHeader()) {
    Canvas->FillWithColor(R, HeaderColor());
    return;
  }
  // The skin's or theme's header item, without text: the calendar writes its own captions.
  Painter()->PaintHeader(Canvas, R, R, TkvBorders{}, kvAllBorders, kvbsNormal, taCenter, vaCenter, false, false,
                         String(), GetFont(), clBtnText, HeaderColor(), TkvDrawBackgroundEvent(), false, 0);
}

void TkvCustomCalendar::PaintTimeCaption(TkvCanvas* Canvas) {
  TRect r = FTimeCaption;
  PaintHeaderBackground(Canvas, r);
  if (!HasThemedHeader()) {
    if (FFlat) Canvas->FillWithColor(TRect(r.Left, r.Bottom - 1, r.Right, r.Bottom), clBtnText);
    else Canvas->PaintBevel(r, false, true);
  }
  String text =
      FSelectedDate == kvNullDate ? String() : DateTimeToDisplayText(false, false, true, std::trunc(FSelectedDate));
  const TDateTime time = FTimeEdit->GetTime();
  if (time > 0) text += " " + FTimeEdit->GetTimeEditProperties()->FormatTime(time);
  Canvas->CurrentBrush()->SetStyle(bsClear);
  Canvas->CurrentFont()->SetColor(clBtnText);
  Canvas->PaintText(text, r, ktfAlignHCenter | ktfAlignVCenter | ktfSingleLine);
}

void TkvCustomCalendar::PaintHeader(TkvCanvas* Canvas) {
  const bool themed = HasThemedHeader();
  PaintHeaderBackground(Canvas, FHeader);
  for (Integer a = caPrevMonth; a <= caNextYear; ++a) {
    const TRect& box = FArrowRects[a];
    if (IsEmpty(box)) continue;
    if (FFlat && FKind == ckDate) Canvas->FillWithColor(TRect(box.Left, box.Top, box.Right, box.Top + 1), clBtnText);
    const TkvArrowDirection direction = a % 2 == 0 ? adLeft : adRight;
    DrawArrows(Canvas, std::max(3, FMetrics.HeaderHeight / 4), box, direction, false, false, clBtnText);
  }
  Canvas->CurrentBrush()->SetStyle(bsClear);
  auto caption = [&](const String& Text, const TRect& R, bool Hot) {
    Canvas->CurrentFont()->SetColor(Hot ? HotTrackColor() : clBtnText);
    Canvas->PaintText(Text, R, ktfAlignHCenter | ktfAlignVCenter | ktfSingleLine);
  };
  if (FArrowsForYear) {
    caption(CalendarMonthName(FTable.get(), FDisplayedMonth), FMonthCaption, FHotPart == chpMonth);
    caption(CalendarYearText(FTable.get(), FDisplayedMonth), FYearCaption, FHotPart == chpYear);
  } else {
    caption(CalendarDateText(FTable.get(), FDisplayedMonth), FMonthCaption, FHotPart == chpMonth);
  }
  const bool office11 = PaintsOffice11();
  if (themed) return;
  if (!FFlat) {
    Canvas->PaintBevel(FHeader, false, true);
  } else if (FKind == ckDateTime) {
    Canvas->PaintFrame(FHeader, office11 ? GetColor() : clBtnShadow);
  } else if (office11) {
    // The header stands apart from the calendar's edges as a band.
    Canvas->PaintFrame(TRect(FHeader.Left, FHeader.Top - 2, FHeader.Right, FHeader.Bottom + 1), GetColor(), 2);
  } else {
    Canvas->FillWithColor(TRect(FHeader.Left, FHeader.Bottom - 1, FHeader.Right, FHeader.Bottom), clBtnText);
  }
}

void TkvCustomCalendar::PaintDayNames(TkvCanvas* Canvas) {
  const TkvCalendarMetrics& m = FMetrics;
  const TRect grid = GetGridRect();
  const Integer top = grid.Top - m.DayNamesHeight;
  const Integer first = TheFormatController()->StartOfWeek();
  Canvas->CurrentBrush()->SetStyle(bsClear);
  Canvas->CurrentFont()->SetColor(clBtnText);
  for (Integer c = 0; c < 7; ++c) {
    const TRect cell(grid.Left + c * m.ColumnWidth, top, grid.Left + (c + 1) * m.ColumnWidth - 3, top + m.RowHeight);
    // The locale's names count from Monday.
    Canvas->PaintText(ShortDayNameText((first + c + 6) % 7 + 1, DEFAULT_CHARSET), cell,
                      ktfAlignRight | ktfAlignVCenter | ktfSingleLine);
  }
  // The etched line under the names, with its filler boxes at the ends.
  const Integer y = grid.Top - 2;
  Canvas->FillWithColor(TRect(grid.Left - 8, y, grid.Right + 8, y + 1), clBtnShadow);
  Canvas->FillWithColor(TRect(grid.Left - 8, y + 1, grid.Right + 8, y + 2), clWindow);
  if (FWeekNumbers) {
    const Integer x = m.WeekColumn - 2;
    Canvas->FillWithColor(TRect(x, grid.Top, x + 1, grid.Bottom), clBtnShadow);
    Canvas->FillWithColor(TRect(x + 1, grid.Top, x + 2, grid.Bottom), clWindow);
  }
}

void TkvCustomCalendar::PaintDays(TkvCanvas* Canvas) {
  const TkvCalendarMetrics& m = FMetrics;
  const TRect grid = GetGridRect();
  const TDateTime first = FirstGridDate(), today = Date();
  const TDateTime selected = FSelectedDate == kvNullDate ? today : std::trunc(FSelectedDate);
  const TDateTime monthEnd = LastDayOfMonthShown();
  TColor selection = Painter()->DateNavigatorSelectionColor();
  TColor selectionText = Painter()->DateNavigatorSelectionTextColor();
  if (selection == clDefault) selection = clHighlight;
  if (selectionText == clDefault) selectionText = clHighlightText;
  Canvas->CurrentBrush()->SetStyle(bsClear);
  for (Integer i = 0; i < 42; ++i) {
    const TDateTime day = first + i;
    const TRect cell(grid.Left + (i % 7) * m.ColumnWidth, grid.Top + (i / 7) * m.RowHeight,
                     grid.Left + (i % 7 + 1) * m.ColumnWidth, grid.Top + (i / 7 + 1) * m.RowHeight);
    const bool isSelected = day == selected;
    if (day == today) Canvas->PaintFrame(cell, clMaroon);
    const TRect inner = day == today ? TRect(cell.Left + 1, cell.Top + 1, cell.Right - 1, cell.Bottom - 1) : cell;
    Canvas->FillWithColor(inner, isSelected ? selection : GetColor());
    if (!FTable->ValueAllowed(day) || !IsCalendarDateUsable(day)) continue;
    const bool outside = day < FDisplayedMonth || day > monthEnd;
    Canvas->CurrentFont()->SetColor(isSelected ? selectionText : outside ? clGrayText : clWindowText);
    const TRect text(cell.Left, cell.Top, cell.Right - 3, cell.Bottom);
    Canvas->PaintText(CalendarDayText(day), text, ktfAlignRight | ktfAlignVCenter | ktfSingleLine);
  }
}

void TkvCustomCalendar::PaintWeekNumbers(TkvCanvas* Canvas) {
  const TkvCalendarMetrics& m = FMetrics;
  const TRect grid = GetGridRect();
  auto small = std::make_unique<TFont>();
  small->Assign(GetFont());
  small->SetSize(MulDiv(GetFont()->GetSize(), 2, 3));
  Canvas->AssignFont(small.get());
  Canvas->CurrentFont()->SetColor(clBtnText);
  Canvas->CurrentBrush()->SetStyle(bsClear);
  const Integer startDay = TheFormatController()->StartOfWeek();
  const Integer rule = TheFormatController()->FirstWeekOfYear() + 1;
  for (Integer row = 0; row < 6; ++row) {
    const TDateTime day = FirstGridDate() + 7 * row;
    if (!IsCalendarDateUsable(day)) continue;
    const TRect r(0, grid.Top + row * m.RowHeight, m.WeekColumn - 3, grid.Top + (row + 1) * m.RowHeight);
    Canvas->PaintText(IntToStr(FTable->WeekOfYearValue(day, startDay, rule)), r,
                      ktfAlignRight | ktfAlignVCenter | ktfSingleLine);
  }
  Canvas->AssignFont(GetFont());
}

void TkvCustomCalendar::PaintButtonBar(TkvCanvas* Canvas) {
  if (IsEmpty(FBar)) return;
  if (FKind == ckDate) {
    Canvas->FillWithColor(TRect(FBar.Left, FBar.Top, FBar.Right, FBar.Top + 1), clBtnShadow);
    return;
  }
  TColor line = Painter()->DateNavigatorHeaderColor();
  if (line == clDefault) line = clBtnText;
  Canvas->FillWithColor(TRect(FBar.Left, FBar.Top, FBar.Right, FBar.Top + 1), line);
  if (!FFlat) Canvas->PaintBevel(FBar, false, true);
  // The time panel's divider, half a column right of the grid.
  const Integer x = FMetrics.GridWidth + FMetrics.ColumnWidth / 2;
  const TRect grid = GetGridRect();
  Canvas->FillWithColor(TRect(x, grid.Top - FMetrics.DayNamesHeight, x + 1, FTimeEdit->GetTop() + FTimeEdit->GetHeight()),
                        clBtnShadow);
}
