// The scroll controls: content shifting, the window's bars with roll mode, and the framed control
// with the drawn bar and auto-repeat.

#include "toolkit/inspector/JyScrollControl.h"

#include <algorithm>
#include <cstdlib>

#include "controls/ScrollBars.h"
#include "gdi/Gdi.h"
#include "rtl/Resources.h"
#include "user/Rects.h"
#include "user/User.h"
#include "vcl/Forms.h"

TAVREN_CLASS_IMPL(TJyCustomScrollControl)
TAVREN_CLASS_IMPL(TJyScrollControl)
TAVREN_CLASS_IMPL(TJyControl)

void RegisterRollCursors() {
  const struct {
    Integer Id;
    const char* Name;
  } cursors[] = {{crRoll, "ROLL"}, {crRollUp, "ROLLUP"}, {crRollDown, "ROLLDOWN"}};
  for (const auto& c : cursors)
    if (HCURSOR cursor = LoadCursor(HInstance, c.Name)) Screen()->SetCursors(c.Id, cursor);
}

// ---- Content shifting ---------------------------------------------------------------------------

void TJyCustomScrollControl::ScrollContent(TJyCustomScrollBar* Bar, Integer DX, Integer DY) {
  BeforeScroll(Bar->GetScrollKind());
  if (HandleAllocated()) {
    if (DX != 0)
      ScrollWindowEx(GetHandle(), DX, DY, nullptr, &FHorzScrollArea, nullptr, nullptr, SW_INVALIDATE);
    else
      ScrollWindowEx(GetHandle(), 0, DY, nullptr, &FVertScrollArea, nullptr, nullptr, SW_INVALIDATE);
  }
  AfterScroll(Bar->GetScrollKind());
}

// ---- The scroll control -------------------------------------------------------------------------

TAVREN_MESSAGE_TABLE(TJyScrollControl,
    MESSAGE_HANDLER(WM_ERASEBKGND, WMEraseBkgnd),
    MESSAGE_HANDLER(WM_GETDLGCODE, WMGetDlgCode),
    MESSAGE_HANDLER(WM_HSCROLL, WMHScroll),
    MESSAGE_HANDLER(WM_VSCROLL, WMVScroll))

TJyScrollControl::TJyScrollControl(TComponent* AOwner) : TJyCustomScrollControl(AOwner) {
  FHorzScrollBar = std::make_unique<TJyScrollBar>(this, GetCanvas());
  FHorzScrollBar->SetKind(0);
  FVertScrollBar = std::make_unique<TJyScrollBar>(this, GetCanvas());
  FVertScrollBar->SetKind(1);
  FRollShadow = new TRollShadow(this);
  FRollTimer = new TTimer(this);
  FRollTimer->SetEnabled(false);
  FRollTimer->SetInterval(1);
  FRollTimer->SetOnTimer(MakeEvent<&TJyScrollControl::RollTimerTick>(this));
  RegisterRollCursors();
}

TJyScrollControl::~TJyScrollControl() = default;

void TJyScrollControl::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  Params.Style |= WS_VSCROLL | WS_HSCROLL | WS_CLIPCHILDREN;
}

void TJyScrollControl::CreateWnd() {
  inherited::CreateWnd();
  FHorzScrollBar->SetVisible(FHorzScrollBar->GetVisible());
  FHorzScrollBar->Update();
  FVertScrollBar->SetVisible(FVertScrollBar->GetVisible());
  FVertScrollBar->Update();
}

void TJyScrollControl::WMEraseBkgnd(TMessage& Message) { Message.Result = 1; }

void TJyScrollControl::WMGetDlgCode(TMessage& Message) { Message.Result = DLGC_WANTARROWS; }

void TJyScrollControl::Scroll(TJyScrollBar* Bar, Integer Code) {
  switch (Code) {
    case SB_LINEUP:
    case SB_LINEDOWN:
      Bar->SetScrollKind(skLine);
      break;
    case SB_PAGEUP:
    case SB_PAGEDOWN:
      Bar->SetScrollKind(skPage);
      break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
      Bar->SetScrollKind(skThumb);
      break;
    case SB_TOP:
    case SB_BOTTOM:
      Bar->SetScrollKind(skEnd);
      break;
  }
  switch (Code) {
    case SB_LINEUP:
      Bar->SetPosition(Bar->GetPosition() - Bar->GetSmallChange());
      break;
    case SB_LINEDOWN:
      Bar->SetPosition(Bar->GetPosition() + Bar->GetSmallChange());
      break;
    case SB_PAGEUP:
      Bar->SetPosition(Bar->GetPosition() - Bar->GetLargeChange());
      break;
    case SB_PAGEDOWN:
      Bar->SetPosition(Bar->GetPosition() + Bar->GetLargeChange());
      break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: {
      SCROLLINFO info{};
      info.cbSize = sizeof(info);
      info.fMask = SIF_TRACKPOS;
      GetScrollInfo(GetHandle(), Bar->GetKind() == 0 ? SB_HORZ : SB_VERT, &info);
      Bar->SetPosition(info.nTrackPos);
      break;
    }
    case SB_TOP:
      Bar->SetPosition(0);
      break;
    case SB_BOTTOM:
      Bar->SetPosition(Bar->GetMax());
      break;
  }
  if (Bar == FHorzScrollBar.get())
    FOnHorizontalScroll(this, Bar->GetPosition());
  else
    FOnVerticalScroll(this, Bar->GetPosition());
}

void TJyScrollControl::WMHScroll(TMessage& Message) {
  InheritedMessage(Message);
  Scroll(FHorzScrollBar.get(), LOWORD(Message.WParam));
}

void TJyScrollControl::WMVScroll(TMessage& Message) {
  InheritedMessage(Message);
  Scroll(FVertScrollBar.get(), LOWORD(Message.WParam));
}

void TJyScrollControl::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  inherited::MouseDown(Button, Shift, X, Y);
  if (Button != mbMiddle || !FRollOptions.Contains(roAllowRollMode)) return;
  FRollState = TRollState{rsActive};
  FRollShadow->SetCursor(crRoll);
  FRollOrigin = Point(X, Y);
  FRollShadow->SetParentWindow(GetHandle());
  FRollShadow->ShowAt(ClientToScreen(FRollOrigin));
  FRollShadow->Show();
  FRollTimer->SetInterval(1);
  FRollTimer->SetEnabled(true);
  SetCapture(GetHandle());
}

void TJyScrollControl::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  inherited::MouseMove(Shift, X, Y);
  if (!FRollState.Contains(rsActive)) return;
  FRollState.Exclude(rsUp);
  FRollState.Exclude(rsDown);
  const Integer dy = Y - FRollOrigin.Y;
  if (dy < -5) {
    Screen()->SetCursor(crRollUp);
    FRollState.Include(rsUp);
  } else if (dy < 6) {
    Screen()->SetCursor(crRoll);
  } else {
    Screen()->SetCursor(crRollDown);
    FRollState.Include(rsDown);
  }
  FRollShadow->SetCursor(Screen()->GetCursor());
}

void TJyScrollControl::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  inherited::MouseUp(Button, Shift, X, Y);
  FRollTimer->SetEnabled(false);
  FRollState = TRollState{};
  FRollShadow->Hide();
  Screen()->SetCursor(crDefault);
  if (GetCapture() == GetHandle()) ReleaseCapture();
}

void TJyScrollControl::RollTimerTick(TObject*) {
  const Integer dy = ScreenToClient(Mouse()->GetCursorPos()).Y - FRollOrigin.Y;
  FRollTimer->SetInterval(static_cast<Cardinal>(std::max(1, 100 - std::abs(dy))));
  if (FRollState.Contains(rsUp)) FVertScrollBar->LineUp();
  if (FRollState.Contains(rsDown)) FVertScrollBar->LineDown();
}

// ---- The framed control -------------------------------------------------------------------------


TJyControl::TJyControl(TComponent* AOwner) : TJyCustomScrollControl(AOwner) {
  // Both timers wait for a press: without a repeat action their ticks would change nothing.
  FDelayTimer = new TTimer(this);
  FDelayTimer->SetEnabled(false);
  FDelayTimer->SetInterval(300);
  FDelayTimer->SetOnTimer(MakeEvent<&TJyControl::DelayTimerTick>(this));
  FRepeatTimer = new TTimer(this);
  FRepeatTimer->SetEnabled(false);
  FRepeatTimer->SetInterval(50);
  FRepeatTimer->SetOnTimer(MakeEvent<&TJyControl::RepeatTimerTick>(this));
  FHorzScrollBar = std::make_unique<TJyVertScrollBar>(this, GetCanvas());
  FHorzScrollBar->SetKind(0);
  FVertScrollBar = std::make_unique<TJyVertScrollBar>(this, GetCanvas());
  FVertScrollBar->SetKind(1);
}

TJyControl::~TJyControl() = default;

Integer TJyControl::ContentHeight() { return GetClientHeight() - 4; }

Integer TJyControl::ContentWidth() {
  Integer width = GetClientWidth() - 4;
  if (FVertScrollBar->GetVisible()) width -= GetSystemMetrics(SM_CXVSCROLL);
  return width;
}

TRect TJyControl::ContentRect() { return Rect(2, 2, 2 + ContentWidth(), 2 + ContentHeight()); }

TRect TJyControl::ScrollBarRect() {
  const Integer right = 2 + ContentWidth();
  return Rect(right, 2, right + GetSystemMetrics(SM_CXVSCROLL), ContentHeight() + 2);
}

void TJyControl::DrawFrame() {
  TCanvas* canvas = GetCanvas();
  TRect r = GetClientRect();
  canvas->GetBrush()->SetColor(clBlack);
  canvas->FrameRect(r);
  InflateRect(&r, -1, -1);
  canvas->GetBrush()->SetColor(GetColor());
  canvas->FrameRect(r);
}

void TJyControl::Paint() {
  inherited::Paint();
  DrawFrame();
  if (FVertScrollBar->GetVisible()) FVertScrollBar->Paint();
}

void TJyControl::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  inherited::MouseDown(Button, Shift, X, Y);
  if (!FVertScrollBar->GetVisible()) return;
  TJyVertScrollBar* bar = FVertScrollBar.get();
  const TPoint p{X, Y};
  const TRect up = bar->UpArrowRect(), down = bar->DownArrowRect(), pageUp = bar->PageUpRect(),
              pageDown = bar->PageDownRect(), thumb = bar->ThumbRect();
  bool repeat = true;
  if (PtInRect(&down, p)) {
    bar->FDownState |= kPartPressed;
    bar->SetPosition(bar->GetPosition() + 1);
    InvalidateRect(GetHandle(), &down, FALSE);
    FRepeatAction = raLineDown;
  } else if (PtInRect(&up, p)) {
    bar->FUpState |= kPartPressed;
    bar->SetPosition(bar->GetPosition() - 1);
    InvalidateRect(GetHandle(), &up, FALSE);
    FRepeatAction = raLineUp;
  } else if (bar->GetMax() > 0 && PtInRect(&thumb, p)) {
    bar->FThumbState |= kPartPressed;
    repeat = false;
  } else if (PtInRect(&pageDown, p)) {
    bar->PageDown();
    FRepeatAction = raPageDown;
  } else if (PtInRect(&pageUp, p)) {
    bar->PageUp();
    FRepeatAction = raPageUp;
  } else {
    repeat = false;
  }
  if (repeat) FDelayTimer->SetEnabled(true);
}

void TJyControl::DelayTimerTick(TObject*) {
  FDelayTimer->SetEnabled(false);
  FRepeatTimer->SetEnabled(true);
}

void TJyControl::RepeatTimerTick(TObject*) {
  TJyVertScrollBar* bar = FVertScrollBar.get();
  switch (FRepeatAction) {
    case raLineUp:
      bar->SetPosition(bar->GetPosition() - 1);
      break;
    case raLineDown:
      bar->SetPosition(bar->GetPosition() + 1);
      break;
    case raPageUp:
      bar->PageUp();
      break;
    case raPageDown:
      bar->PageDown();
      break;
  }
}

void TJyControl::ClearHotParts() {
  TJyVertScrollBar* bar = FVertScrollBar.get();
  // A point outside every part clears the hot bits and repaints what was hot.
  const TShiftState none;
  const bool dragging = (bar->FThumbState & kPartPressed) != 0;
  bar->FThumbState &= ~kPartPressed;
  bar->MouseMove(none, -1000, -1000);
  if (dragging) bar->FThumbState |= kPartPressed;
}

void TJyControl::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  inherited::MouseMove(Shift, X, Y);
  const TRect bar = ScrollBarRect();
  const TPoint p{X, Y};
  if (FVertScrollBar->GetVisible() && (PtInRect(&bar, p) || (FVertScrollBar->FThumbState & kPartPressed)))
    FVertScrollBar->MouseMove(Shift, X, Y);
  else
    ClearHotParts();
}

void TJyControl::MouseLeave() {
  inherited::MouseLeave();
  ClearHotParts();
}

void TJyControl::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  inherited::MouseUp(Button, Shift, X, Y);
  TJyVertScrollBar* bar = FVertScrollBar.get();
  bar->FUpState &= ~kPartPressed;
  bar->FDownState &= ~kPartPressed;
  bar->FThumbState &= ~kPartPressed;
  FRepeatAction = raNone;
  FDelayTimer->SetEnabled(false);
  FRepeatTimer->SetEnabled(false);
  if (HandleAllocated()) Invalidate();
}
