// The calendar windows of the date items: the selection model, the month navigator with its
// arrows, buttons and keys, and the month list over its caption.

#include <algorithm>

#include "gdi/Drawing.h"
#include "gdi/Edges.h"
#include "gdi/GdiTypes.h"
#include "gdi/Regions.h"
#include "gdi/SysColors.h"
#include "rtl/DateUtils.h"
#include "rtl/FormatSettings.h"
#include "rtl/Math.h"
#include "rtl/SysUtils.h"
#include "toolkit/bars/qzBarControl.h"
#include "toolkit/bars/qzBarExtItemsCombos.h"
#include "toolkit/bars/qzBarExtItemsDates.h"
#include "toolkit/bars/qzBarPainter.h"
#include "toolkit/bars/qzBarStrs.h"
#include "toolkit/foundation/kvClasses.h"
#include "user/Input.h"
#include "user/Messages.h"
#include "user/NonClient.h"
#include "user/Painting.h"
#include "user/Rects.h"
#include "user/Timers.h"
#include "user/VirtualKeys.h"
#include "user/WindowPos.h"
#include "user/WindowStyles.h"
#include "vcl/ControlsMessages.h"
#include "vcl/Forms.h"

TAVREN_CLASS_IMPL(TqzBarCustomCalendar)
TAVREN_CLASS_IMPL(TqzBarDateNavigator)
TAVREN_MESSAGE_TABLE(TqzBarDateNavigator,
    MESSAGE_HANDLER(WM_NCCALCSIZE, WMNCCalcSize),
    MESSAGE_HANDLER(WM_NCPAINT, WMNCPaint),
    MESSAGE_HANDLER(WM_CANCELMODE, WMCancelMode),
    MESSAGE_HANDLER(WM_CAPTURECHANGED, WMCaptureChanged),
    MESSAGE_HANDLER(CM_FONTCHANGED, CMFontChanged),
    MESSAGE_HANDLER(WM_MOUSEACTIVATE, WMMouseActivate),
    MESSAGE_HANDLER(WM_TIMER, WMTimer))
TAVREN_CLASS_IMPL(TAMonthListBox)
TAVREN_MESSAGE_TABLE(TAMonthListBox,
    MESSAGE_HANDLER(WM_TIMER, WMTimer),
    MESSAGE_HANDLER(WM_ERASEBKGND, WMEraseBkgnd),
    MESSAGE_HANDLER(WM_MOUSEACTIVATE, WMMouseActivate))

namespace {

constexpr UINT kArrowInterval = 170;
// The month list's scroll intervals for the steps 1 to 4 away from its edge.
constexpr UINT kScrollIntervals[4] = {500, 250, 100, 50};

TDateTime FirstOfMonth(TDateTime ADate) {
  Word year, month, day;
  DecodeDate(ADate, year, month, day);
  return EncodeDate(year, month, 1);
}

String MonthText(TDateTime ADate) {
  Word year, month, day;
  DecodeDate(ADate, year, month, day);
  return FormatSettings.LongMonthNames[month - 1] + " " + IntToStr(year);
}

void Line(HDC DC, Integer X1, Integer Y1, Integer X2, Integer Y2, TColor AColor) {
  HPEN pen = CreatePen(PS_SOLID, 1, ColorToRGB(AColor));
  HGDIOBJ old = SelectObject(DC, pen);
  MoveToEx(DC, X1, Y1, nullptr);
  LineTo(DC, X2, Y2);
  SelectObject(DC, old);
  DeleteObject(pen);
}

void Exclude(HRGN ARest, const TRect& R) {
  HRGN part = CreateRectRgn(R.Left, R.Top, R.Right, R.Bottom);
  CombineRgn(ARest, ARest, part, RGN_DIFF);
  DeleteObject(part);
}

}  // namespace

// ---- Calendar base --------------------------------------------------------------------------------

TqzBarCustomCalendar::TqzBarCustomCalendar(TComponent* AOwner)
    : TCustomControl(AOwner), FFirstDate(Date()), FSelStart(FFirstDate), FSelFinish(FFirstDate) {}

TDateTime TqzBarCustomCalendar::GetSelStart() {
  return FSelStart >= FSelFinish && FSelFinish != NullDate ? FSelFinish : FSelStart;
}

TDateTime TqzBarCustomCalendar::GetSelFinish() { return FSelStart >= FSelFinish ? FSelStart : FSelFinish; }

void TqzBarCustomCalendar::SetFirstDate(TDateTime ADate) {
  if (FFirstDate == ADate) return;
  FFirstDate = ADate;
  Invalidate();
}

void TqzBarCustomCalendar::SelectDate(TDateTime ADate) {
  FSelStart = ADate;
  FSelFinish = NullDate;
  SetSelFinish(ADate);
}

void TqzBarCustomCalendar::SetSelFinish(TDateTime ADate) {
  if (FSelFinish == ADate) return;
  FSelFinish = ADate;
  EnsureSelectionVisible();
  Invalidate();
}

void TqzBarCustomCalendar::SetStyle(Byte Value) {
  if (FStyle == Value) return;
  FStyle = Value;
  RecreateWnd();
}

void TqzBarCustomCalendar::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  Params.Style |= WS_CLIPCHILDREN;
  Params.WindowClass.style |= CS_DBLCLKS;
}

void TqzBarCustomCalendar::CreateWnd() {
  inherited::CreateWnd();
  Perform(CM_FONTCHANGED, 0, 0);
}

void TqzBarCustomCalendar::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  inherited::MouseDown(Button, Shift, X, Y);
  FDoubleClicked = Shift.Contains(ssDouble);
  if (FDoubleClicked) return;
  TDateTime date = PosToDateTime(TPoint(X, Y));
  if (Button != mbLeft) return;
  FDragDate = GetSelStart();
  if (date != NullDate) SelectDate(date);
}

// ---- Navigator ------------------------------------------------------------------------------------

TqzBarDateNavigator::TqzBarDateNavigator(TComponent* AOwner, TqzBarDateCombo* ACombo, bool AIsPopup)
    : TqzBarCustomCalendar(AOwner), FCombo(ACombo), FIsPopup(AIsPopup) {
  SetVisible(false);
  SetBounds(0, 0, 20, 20);
  FFirstDate = FirstOfMonth(FFirstDate);
  SetColor(clWindow);
  GetFont()->SetColor(clWindowText);
  UpdateMetrics();
}

TqzBarDateNavigator::~TqzBarDateNavigator() {
  FMonthList.reset();
  StopArrowTimer();
}

TqzBarPainter* TqzBarDateNavigator::Painter() {
  if (FIsPopup && FCombo) {
    TqzBarItemLink* link = FCombo->GetActiveLink();
    if (TqzBarItemControl* control = link ? link->GetControl() : nullptr) return control->Painter();
  }
  TqzBarManager* manager = FCombo ? FCombo->GetBarManager() : nullptr;
  return manager ? manager->GetDefaultPainter() : nullptr;
}

Byte TqzBarDateNavigator::GetStyle() {
  TqzBarPainter* painter = Painter();
  return FStyle == 1 && painter && painter->ClassRef()->HasFlatDateButtons() ? 2 : FStyle;
}

Integer TqzBarDateNavigator::WeekdayIndex(TDateTime ADate) {
  Integer d = DayOfWeek(ADate) - BarFirstWeekDay();
  return d > 0 ? d - 1 : d + 6;
}

TDateTime TqzBarDateNavigator::GetFirstVisibleDate() {
  Integer index = WeekdayIndex(FFirstDate);
  // A month that starts on the first week day shows the whole week before it.
  return FFirstDate - (index == 0 ? 7 : index);
}

TDateTime TqzBarDateNavigator::GetLastDate() { return IncMonth(FFirstDate, 1) - 1; }

TDateTime TqzBarDateNavigator::GetLastVisibleDate() { return GetFirstVisibleDate() + 41; }

void TqzBarDateNavigator::SetFirstDate(TDateTime ADate) { inherited::SetFirstDate(FirstOfMonth(ADate)); }

void TqzBarDateNavigator::SetSelFinish(TDateTime ADate) {
  if (ADate == FSelFinish) return;
  FSelStart = ADate;
  inherited::SetSelFinish(ADate);
}

void TqzBarDateNavigator::EnsureSelectionVisible() {
  TDateTime selected = GetSelStart();
  // "No date" has no month to show.
  if (selected == NullDate) return;
  if (GetFirstVisibleDate() > selected) SetFirstDate(IncMonth(FirstOfMonth(selected), -1));
  if (GetLastVisibleDate() < selected) SetFirstDate(selected);
}

TDateTime TqzBarDateNavigator::PosToDateTime(const TPoint& P) {
  TRect client = GetClientRect();
  if (!PtInRect(&client, P)) return NullDate;
  TRect calendar = CalendarRect();
  TRect days(calendar.Left + FSideWidth, calendar.Top + FDaysHeight, calendar.Right - FSideWidth,
             calendar.Top + FDaysHeight + 6 * FRowHeight);
  if (!PtInRect(&days, P) || FColWidth <= 0 || FRowHeight <= 0) return NullDate;
  Integer column = (P.X - days.Left) / FColWidth;
  Integer row = (P.Y - days.Top) / FRowHeight;
  if (column > 6 || row > 5) return NullDate;
  return GetFirstVisibleDate() + 7 * row + column;
}

void TqzBarDateNavigator::SetShowTodayButton(bool Value) {
  if (FShowTodayButton == Value) return;
  FShowTodayButton = Value;
  UpdateMetrics();
}

void TqzBarDateNavigator::SetShowClearButton(bool Value) {
  if (FShowClearButton == Value) return;
  FShowClearButton = Value;
  UpdateMetrics();
}

void TqzBarDateNavigator::SetOwnerWindow(HWND AWindow) {
  if (FOwnerWindow == AWindow) return;
  FOwnerWindow = AWindow;
  if (HandleAllocated()) DestroyHandle();
}

void TqzBarDateNavigator::UpdateMetrics() {
  TBitmap measure;
  measure.SetSize(1, 1);
  TCanvas* canvas = measure.GetCanvas();
  canvas->SetFont(GetFont());
  Integer w = canvas->TextWidth("0");
  Integer h = canvas->TextHeight("0");
  FColWidth = 3 * w;
  FSideWidth = 2 * w;
  FRowHeight = h + 2;
  FHeaderHeight = h + 4 + (FStyle != 0 ? 1 : 0);
  FDaysHeight = FRowHeight + 1;
  FTodayWidth = canvas->TextWidth(ResourceStringText(sqzBarToday)) + FColWidth;
  FClearWidth = canvas->TextWidth(ResourceStringText(sqzBarClear)) + FColWidth;
  Integer size = GetFont()->GetSize();
  FButtonOffset = size / 2;
  FButtonHeight = MulDiv(size, 5, 2);
  FButtonRegionHeight = size * 3 / 4 + FButtonHeight + FButtonOffset;
  // The frame: a sunken client edge for the plain look, else one pixel a side.
  Integer frame = FStyle == 0 ? 2 * GetSystemMetrics(SM_CXEDGE) : 2;
  Integer width = frame + 2 * FSideWidth + 7 * FColWidth;
  Integer height = frame + (FStyle == 0 ? 1 : 0) + FHeaderHeight + FDaysHeight + 6 * FRowHeight + 1 +
                   (ShowsButtons() ? FButtonRegionHeight : 0);
  SetBounds(GetLeft(), GetTop(), width, height);
}

TRect TqzBarDateNavigator::HeaderRect() { return TRect(0, 0, GetClientWidth(), FHeaderHeight); }

TRect TqzBarDateNavigator::CalendarRect() {
  Integer top = FHeaderHeight + (FStyle == 0 ? 1 : 0);
  return TRect(0, top, GetClientWidth(), top + FDaysHeight + 6 * FRowHeight + 1);
}

TRect TqzBarDateNavigator::MonthCaptionRect() {
  TRect calendar = CalendarRect();
  Integer plain = FStyle == 0 ? 1 : 0;
  Integer bottom = calendar.Top - plain - 1;
  return TRect(calendar.Left + FColWidth, bottom - FHeaderHeight + 2, calendar.Right - FColWidth - plain, bottom);
}

TRect TqzBarDateNavigator::LeftArrowRect() { return TRect(1, 1, FColWidth - 1, FHeaderHeight - 1); }

TRect TqzBarDateNavigator::RightArrowRect() {
  Integer w = GetClientWidth();
  return TRect(w - FColWidth, 1, w - (FStyle == 0 ? 1 : 0) - 1, FHeaderHeight - 1);
}

TRect TqzBarDateNavigator::TodayButtonRect() {
  Integer w = GetClientWidth();
  Integer left = (w - FTodayWidth - (FShowClearButton ? FClearWidth : 0)) / (FShowClearButton ? 3 : 2);
  Integer top = GetClientHeight() + FButtonOffset - FButtonRegionHeight;
  return TRect(left, top, left + FTodayWidth, top + FButtonHeight);
}

TRect TqzBarDateNavigator::ClearButtonRect() {
  Integer w = GetClientWidth();
  Integer gap = (w - (FShowTodayButton ? FTodayWidth : 0) - FClearWidth) / (FShowTodayButton ? 3 : 2);
  Integer left = w - FClearWidth - gap;
  Integer top = GetClientHeight() + FButtonOffset - FButtonRegionHeight;
  return TRect(left, top, left + FClearWidth, top + FButtonHeight);
}

void TqzBarDateNavigator::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  if (FStyle == 0) Params.ExStyle |= WS_EX_CLIENTEDGE;
  if (!FIsPopup) return;
  // Above everything, owned by the bar window it drops from, never taking the focus.
  Params.Style = (Params.Style & ~WS_CHILD) | WS_POPUP;
  Params.ExStyle |= WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
  Params.WindowClass.style |= CS_SAVEBITS;
  Params.WndParent = FOwnerWindow;
}

void TqzBarDateNavigator::CreateWnd() {
  inherited::CreateWnd();
  UpdateMetrics();
}

void TqzBarDateNavigator::CMFontChanged(TMessage& Message) {
  InheritedMessage(Message);
  UpdateMetrics();
  Invalidate();
}

void TqzBarDateNavigator::WMMouseActivate(TMessage& Message) {
  if (!FIsPopup) {
    InheritedMessage(Message);
    return;
  }
  Message.Result = MA_NOACTIVATE;
}

void TqzBarDateNavigator::WMNCCalcSize(TMessage& Message) {
  InheritedMessage(Message);
  if (FStyle == 0) return;
  auto* params = reinterpret_cast<NCCALCSIZE_PARAMS*>(Message.LParam);
  InflateRect(&params->rgrc[0], -1, -1);
}

void TqzBarDateNavigator::WMNCPaint(TMessage& Message) {
  InheritedMessage(Message);
  if (FStyle == 0) return;
  HDC DC = GetWindowDC(GetHandle());
  RECT r{0, 0, GetWidth(), GetHeight()};
  if (GetStyle() == 1) {
    DrawEdge(DC, &r, BDR_SUNKENOUTER, BF_RECT);
  } else {
    HBRUSH brush = CreateSolidBrush(ColorToRGB(clBtnShadow));
    FrameRect(DC, &r, brush);
    DeleteObject(brush);
  }
  ReleaseDC(GetHandle(), DC);
}

void TqzBarDateNavigator::WMCancelMode(TMessage& Message) {
  InheritedMessage(Message);
  CancelMode();
}

void TqzBarDateNavigator::WMCaptureChanged(TMessage& Message) {
  InheritedMessage(Message);
  // Only another window taking the capture ends the press; a release of our own does not.
  HWND other = reinterpret_cast<HWND>(Message.LParam);
  if (other && other != GetHandle()) CancelMode();
}

void TqzBarDateNavigator::CancelMode() {
  if (HandleAllocated() && GetCapture() == GetHandle()) {
    Perform(WM_LBUTTONUP, 0, MAKELPARAM(static_cast<WORD>(-1), static_cast<WORD>(-1)));
    ReleaseCapture();
  }
  StopArrowTimer();
  FMonthList.reset();
  FTodayActive = FTodayPressed = false;
  FClearActive = FClearPressed = false;
}

void TqzBarDateNavigator::StopArrowTimer() {
  if (FArrowTimer && HandleAllocated()) KillTimer(GetHandle(), FArrowTimer);
  FArrowTimer = 0;
}

void TqzBarDateNavigator::StepMonth(Integer ADelta) {
  SetFirstDate(IncMonth(FFirstDate, ADelta));
  Invalidate();
}

void TqzBarDateNavigator::WMTimer(TMessage& Message) {
  if (Message.WParam != FArrowTimer || !FArrowTimer) return InheritedMessage(Message);
  POINT screen;
  GetCursorPos(&screen);
  TPoint cursor = ScreenToClient(screen);
  TRect arrow = FArrowTimer == 1 ? LeftArrowRect() : RightArrowRect();
  // Off the arrow, the steps wait until the cursor comes back.
  if (PtInRect(&arrow, cursor)) StepMonth(FArrowTimer == 1 ? -1 : 1);
}

void TqzBarDateNavigator::OpenMonthList(const TRect& ACaption) {
  FMonthList = std::make_unique<TAMonthListBox>(this);
  FMonthList->GetFont()->Assign(GetFont());
  FMonthList->SetColor(GetColor());
  FMonthList->SetMetrics(FHeaderHeight - 2, FColWidth);
  FListOffset = 0;
  FMonthList->SetTopDate(IncMonth(FFirstDate, -3));
  TPoint topLeft = ClientToScreen(TPoint(ACaption.Left, ACaption.Top));
  Integer left = topLeft.X + (ACaption.Width() - FMonthList->GetWidth()) / 2;
  Integer top = topLeft.Y + (ACaption.Height() - FMonthList->GetHeight()) / 2;
  FMonthList->SetParentWindow(nullptr);
  FMonthList->HandleNeeded();
  SetWindowPos(FMonthList->GetHandle(), HWND_TOPMOST, left, top, FMonthList->GetWidth(), FMonthList->GetHeight(),
               SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void TqzBarDateNavigator::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TPoint p(X, Y);
  if (FIsPopup && Button == mbLeft) {
    // A press on a button that ends off it keeps the selection as it is.
    FDragDate = GetSelStart();
    TRect today = TodayButtonRect();
    TRect clear = ClearButtonRect();
    if (FShowTodayButton && PtInRect(&today, p)) {
      FTodayActive = FTodayPressed = true;
      SetMouseCapture(true);
      Invalidate();
      return;
    }
    if (FShowClearButton && PtInRect(&clear, p)) {
      FClearActive = FClearPressed = true;
      SetMouseCapture(true);
      Invalidate();
      return;
    }
    if (ShowsButtons() && Y >= GetClientHeight() - FButtonRegionHeight) return;
  }
  inherited::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft || FDoubleClicked) return;
  SetMouseCapture(true);
  TRect caption = MonthCaptionRect();
  TRect left = LeftArrowRect();
  TRect right = RightArrowRect();
  if (PtInRect(&caption, p)) {
    OpenMonthList(caption);
  } else if (PtInRect(&left, p) || PtInRect(&right, p)) {
    bool back = PtInRect(&left, p);
    StepMonth(back ? -1 : 1);
    StopArrowTimer();
    FArrowTimer = SetTimer(GetHandle(), back ? 1 : 2, kArrowInterval, nullptr);
  }
}

void TqzBarDateNavigator::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  inherited::MouseMove(Shift, X, Y);
  TPoint p(X, Y);
  if (FArrowTimer) return;
  if (FMonthList) {
    TPoint screen = ClientToScreen(p);
    FMonthList->TrackMouse(FMonthList->ScreenToClient(screen));
    return;
  }
  if (FTodayActive || FClearActive) {
    TRect button = FTodayActive ? TodayButtonRect() : ClearButtonRect();
    bool& pressed = FTodayActive ? FTodayPressed : FClearPressed;
    bool on = PtInRect(&button, p) != 0;
    if (on != pressed) {
      pressed = on;
      Invalidate();
    }
    return;
  }
  if (GetCapture() != GetHandle() || !Shift.Contains(ssLeft)) return;
  TDateTime date = PosToDateTime(p);
  TRect client = GetClientRect();
  if (date != NullDate)
    SetSelFinish(date);
  else if (!PtInRect(&client, p))
    SetSelFinish(FDragDate);
}

void TqzBarDateNavigator::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  inherited::MouseUp(Button, Shift, X, Y);
  if (Button != mbLeft) return;
  TPoint p(X, Y);
  if (FArrowTimer) {
    StopArrowTimer();
    SetMouseCapture(false);
    return;
  }
  if (FMonthList) {
    TDateTime month = FMonthList->GetDate();
    FMonthList.reset();
    SetMouseCapture(false);
    if (month != NullDate) {
      SetFirstDate(IncMonth(month, -FListOffset));
      Invalidate();
    }
    return;
  }
  bool onButton = false;
  if (FTodayActive) {
    onButton = FTodayPressed;
    FTodayActive = FTodayPressed = false;
    Invalidate();
    if (onButton) SelectDate(Date());
  } else if (FClearActive) {
    onButton = FClearPressed;
    FClearActive = FClearPressed = false;
    Invalidate();
    if (onButton) SelectDate(NullDate);
  }
  SetMouseCapture(false);
  if (FDoubleClicked) return;
  TRect client = GetClientRect();
  if ((PtInRect(&client, p) && PosToDateTime(p) != NullDate) || onButton) {
    DateSelected();
  } else if (FDragDate != FSelFinish) {
    SetSelFinish(FDragDate);
  } else {
    Invalidate();
  }
}

void TqzBarDateNavigator::DblClick() {
  inherited::DblClick();
  if (FIsPopup) return;
  POINT cursor;
  GetCursorPos(&cursor);
  if (PosToDateTime(ScreenToClient(cursor)) == NullDate) return;
  if (TCustomForm* form = ::GetParentForm(this)) form->SetModalResult(mrOk);
}

void TqzBarDateNavigator::KeyDown(Word& Key, TShiftState Shift) {
  inherited::KeyDown(Key, Shift);
  if (!FIsPopup) return;
  if (Key == VK_RETURN) {
    if (!FMonthList) DateSelected();
    return;
  }
  TDateTime selected = GetSelStart();
  if (selected == NullDate) selected = Date();
  bool ctrl = Shift.Contains(ssCtrl);
  TDateTime date = NullDate;
  switch (Key) {
    case VK_PRIOR: date = IncMonth(selected, -1); break;
    case VK_NEXT: date = IncMonth(selected, 1); break;
    case VK_HOME: date = ctrl ? FirstOfMonth(selected) : selected - WeekdayIndex(selected); break;
    case VK_END: date = ctrl ? IncMonth(FirstOfMonth(selected), 1) - 1 : selected + 6 - WeekdayIndex(selected); break;
    case VK_LEFT: date = selected - 1; break;
    case VK_RIGHT: date = selected + 1; break;
    case VK_UP: date = selected - 7; break;
    case VK_DOWN: date = selected + 7; break;
    default: return;
  }
  SelectDate(date);
  Key = 0;
}

TColor TqzBarDateNavigator::SelectedCellColor() {
  switch (GetStyle()) {
    case 2: {
      TqzBarManager* manager = FCombo ? FCombo->GetBarManager() : nullptr;
      return manager ? manager->GetFlatLightColor() : clBtnFace;
    }
    case 1: return clBtnFace;
    default: return clHighlight;
  }
}

void TqzBarDateNavigator::Paint() {
  TCanvas* canvas = GetCanvas();
  canvas->SetFont(GetFont());
  HRGN rest = CreateRectRgn(0, 0, GetClientWidth(), GetClientHeight());
  PaintHeader(canvas, rest);
  PaintDays(canvas, rest);
  PaintButtons(canvas, rest);
  HBRUSH brush = CreateSolidBrush(ColorToRGB(GetColor()));
  FillRgn(canvas->GetHandle(), rest, brush);
  DeleteObject(brush);
  DeleteObject(rest);
}

void TqzBarDateNavigator::PaintHeader(TCanvas* ACanvas, HRGN ARest) {
  HDC DC = ACanvas->GetHandle();
  TRect header = HeaderRect();
  Exclude(ARest, header);
  TRect inner = header;
  if (FStyle == 0) {
    Line(DC, header.Left, header.Bottom - 1, header.Right - 1, header.Bottom - 1, clBtnText);
    Line(DC, header.Right - 1, header.Top, header.Right - 1, header.Bottom, clBtnText);
    inner.Right -= 1;
    inner.Bottom -= 1;
  } else if (GetStyle() == 2) {
    Line(DC, header.Left, header.Bottom - 1, header.Right, header.Bottom - 1, clBtnShadow);
    inner.Bottom -= 1;
  } else {
    RECT edge = header;
    DrawEdge(DC, &edge, BDR_RAISEDINNER, BF_RECT);
    InflateRect(&inner, -1, -1);
  }
  // The caption, opaque over the whole header in the look's header colour.
  TqzBarPainter* painter = Painter();
  TColor back = painter ? painter->ClassRef()->DateHeaderColor() : clBtnFace;
  String text = MonthText(FFirstDate);
  SIZE extent;
  GetTextExtentPoint32(DC, text.c_str(), static_cast<int>(text.size()), &extent);
  SetBkColor(DC, ColorToRGB(back));
  SetTextColor(DC, GetSysColor(COLOR_BTNTEXT));
  RECT r = inner;
  ExtTextOut(DC, inner.Left + (inner.Width() - extent.cx) / 2, inner.Top + (inner.Height() - extent.cy) / 2,
             ETO_OPAQUE | ETO_CLIPPED, &r, text.c_str(), static_cast<UINT>(text.size()), nullptr);
  // The arrows: triangles half the header high (an odd height), C - 1 inside the header's edges.
  Integer a = (header.Height() / 2) | 1;
  Integer middle = (header.Top + header.Bottom) / 2;
  HBRUSH brush = CreateSolidBrush(ColorToRGB(clBtnText));
  HPEN pen = CreatePen(PS_SOLID, 1, ColorToRGB(clBtnText));
  HGDIOBJ oldBrush = SelectObject(DC, brush);
  HGDIOBJ oldPen = SelectObject(DC, pen);
  for (Integer side : {-1, 1}) {
    Integer x = side < 0 ? header.Left + FColWidth - 1 : header.Right - FColWidth;
    POINT points[3] = {{x, middle - a / 2}, {x, middle + a / 2}, {x + side * (a / 2), middle}};
    Polygon(DC, points, 3);
  }
  SelectObject(DC, oldBrush);
  SelectObject(DC, oldPen);
  DeleteObject(brush);
  DeleteObject(pen);
}

void TqzBarDateNavigator::PaintDays(TCanvas* ACanvas, HRGN ARest) {
  HDC DC = ACanvas->GetHandle();
  TRect calendar = CalendarRect();
  Integer left = calendar.Left + FSideWidth;
  // The week days: one letter each, the columns starting with the locale's first day.
  TRect band(left, calendar.Top, left + 7 * FColWidth, calendar.Top + FDaysHeight - 2);
  ACanvas->GetBrush()->SetColor(GetColor());
  ACanvas->FillRect(band);
  ACanvas->GetFont()->SetColor(clWindowText);
  SetBkMode(DC, TRANSPARENT);
  for (Integer column = 0; column < 7; ++column) {
    String name = FormatSettings.ShortDayNames[(BarFirstWeekDay() + column) % 7];
    String letter = name.substr(0, 1);
    Integer right = left + (column + 1) * FColWidth - 3;
    ACanvas->TextOut(right - ACanvas->TextWidth(letter), band.Top + (band.Height() - ACanvas->TextHeight(letter)) / 2,
                     letter);
  }
  Line(DC, band.Left, band.Bottom, band.Right, band.Bottom, clBtnShadow);
  Line(DC, band.Left, band.Bottom + 1, band.Right, band.Bottom + 1, GetColor());
  Exclude(ARest, TRect(band.Left, band.Top, band.Right, band.Bottom + 2));

  TDateTime first = GetFirstVisibleDate();
  TDateTime selStart = GetSelStart();
  TDateTime selFinish = GetSelFinish();
  TDateTime today = Date();
  bool flat = GetStyle() == 2;
  Integer top = calendar.Top + FDaysHeight;
  for (Integer row = 0; row < 6; ++row)
    for (Integer column = 0; column < 7; ++column) {
      TDateTime date = first + 7 * row + column;
      TRect cell(left + column * FColWidth, top + row * FRowHeight, left + (column + 1) * FColWidth,
                 top + (row + 1) * FRowHeight);
      Exclude(ARest, cell);
      bool selected = selStart != NullDate && date >= selStart && date <= selFinish;
      TRect content = cell;
      if (date == today) {
        ACanvas->GetBrush()->SetColor(clMaroon);
        ACanvas->FrameRect(cell);
        InflateRect(&content, -1, -1);
      }
      ACanvas->GetBrush()->SetColor(selected ? SelectedCellColor() : GetColor());
      ACanvas->FillRect(content);
      TColor text = selected && !flat ? clHighlightText
                    : date >= FFirstDate && date <= GetLastDate() ? clWindowText
                                                                  : clGrayText;
      ACanvas->GetFont()->SetColor(text);
      Word year, month, day;
      DecodeDate(date, year, month, day);
      String number = IntToStr(day);
      ACanvas->TextOut(content.Right - 3 - ACanvas->TextWidth(number),
                       content.Top + (content.Height() - ACanvas->TextHeight(number)) / 2, number);
    }
  SetBkMode(DC, OPAQUE);
}

void TqzBarDateNavigator::PaintButtons(TCanvas* ACanvas, HRGN ARest) {
  if (!ShowsButtons()) return;
  HDC DC = ACanvas->GetHandle();
  Integer y = GetClientHeight() - FButtonRegionHeight - 1;
  // The band is filled here and kept from the fill of what is left, which would cover the buttons.
  RECT band = TRect(0, y, GetClientWidth(), GetClientHeight());
  HBRUSH brush = CreateSolidBrush(ColorToRGB(GetColor()));
  FillRect(DC, &band, brush);
  DeleteObject(brush);
  Exclude(ARest, band);
  Line(DC, FSideWidth, y, GetClientWidth() - FSideWidth, y, clBtnShadow);
  TqzBarPainter* painter = Painter();
  if (!painter) return;
  if (FShowTodayButton)
    painter->DrawDateNavigatorButton(FCombo, DC, FTodayActive && FTodayPressed, ResourceStringText(sqzBarToday),
                                     TodayButtonRect());
  if (FShowClearButton)
    painter->DrawDateNavigatorButton(FCombo, DC, FClearActive && FClearPressed, ResourceStringText(sqzBarClear),
                                     ClearButtonRect());
}

// ---- Month list -----------------------------------------------------------------------------------

TAMonthListBox::TAMonthListBox(TComponent* AOwner) : TCustomControl(AOwner) { SetVisible(false); }

TAMonthListBox::~TAMonthListBox() { StopTimer(); }

void TAMonthListBox::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  Params.Style = (Params.Style & ~WS_CHILD) | WS_POPUP | WS_BORDER;
  Params.ExStyle |= WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
  Params.WindowClass.style |= CS_SAVEBITS;
  auto* owner = dynamic_cast<TWinControl*>(GetOwner());
  Params.WndParent = owner && owner->HandleAllocated() ? owner->GetHandle() : nullptr;
}

void TAMonthListBox::SetMetrics(Integer AItemHeight, Integer AColumnWidth) {
  FItemHeight = std::max(AItemHeight, 1);
  Integer border = 2 * GetSystemMetrics(SM_CXBORDER);
  SetBounds(GetLeft(), GetTop(), border + 6 * AColumnWidth, border + 7 * FItemHeight);
}

void TAMonthListBox::SetTopDate(TDateTime Value) {
  FTopDate = Value == NullDate ? Value : FirstOfMonth(Value);
  Invalidate();
}

TDateTime TAMonthListBox::GetDate() { return FItemIndex >= 0 ? IncMonth(FTopDate, FItemIndex) : NullDate; }

void TAMonthListBox::SetItemIndex(Integer AIndex) {
  if (FItemIndex == AIndex) return;
  FItemIndex = AIndex;
  Invalidate();
}

void TAMonthListBox::StopTimer() {
  if (FTimerId && HandleAllocated()) KillTimer(GetHandle(), FTimerId);
  FTimerId = 0;
  FTimerInterval = 0;
}

void TAMonthListBox::TrackMouse(const TPoint& P) {
  Integer height = GetClientHeight();
  if (P.X >= 0 && P.X < GetClientWidth() && P.Y >= 0 && P.Y < height) {
    StopTimer();
    SetItemIndex(std::min(P.Y / FItemHeight, 6));
    return;
  }
  SetItemIndex(-1);
  // Beside the list only: a running scroll goes on.
  if (P.Y >= 0 && P.Y < height) return;
  bool above = P.Y < 0;
  Integer distance = above ? -P.Y : P.Y - height + 1;
  Integer step = std::min(1 + distance / 12, 4);
  UINT_PTR id = static_cast<UINT_PTR>(above ? 5 - step : 5 + step);
  if (id == FTimerId || !HandleAllocated()) return;
  StopTimer();
  FTimerInterval = kScrollIntervals[step - 1];
  FTimerId = SetTimer(GetHandle(), id, FTimerInterval, nullptr);
}

void TAMonthListBox::WMTimer(TMessage& Message) {
  if (Message.WParam != FTimerId || !FTimerId) return InheritedMessage(Message);
  SetTopDate(IncMonth(FTopDate, FTimerId < 6 ? -1 : 1));
}

void TAMonthListBox::WMEraseBkgnd(TMessage& Message) { Message.Result = 1; }

void TAMonthListBox::WMMouseActivate(TMessage& Message) { Message.Result = MA_NOACTIVATE; }

void TAMonthListBox::Paint() {
  TCanvas* canvas = GetCanvas();
  canvas->SetFont(GetFont());
  for (Integer row = 0; row < 7; ++row) {
    TRect r(0, row * FItemHeight, GetClientWidth(), (row + 1) * FItemHeight);
    bool highlighted = row == FItemIndex;
    canvas->GetBrush()->SetColor(highlighted ? clWindowText : GetColor());
    canvas->FillRect(r);
    if (FTopDate == NullDate) continue;
    canvas->GetFont()->SetColor(highlighted ? GetColor() : clWindowText);
    String text = MonthText(IncMonth(FTopDate, row));
    SetBkMode(canvas->GetHandle(), TRANSPARENT);
    canvas->TextOut(r.Left + (r.Width() - canvas->TextWidth(text)) / 2,
                    r.Top + (r.Height() - canvas->TextHeight(text)) / 2, text);
  }
  // Below the rows (a list taller than seven rows), the list's colour.
  canvas->GetBrush()->SetColor(GetColor());
  canvas->FillRect(TRect(0, 7 * FItemHeight, GetClientWidth(), GetClientHeight()));
}
