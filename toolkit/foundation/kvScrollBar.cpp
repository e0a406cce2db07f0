// TkvScrollBar: range and position, the mouse (arrow and page repeat on a timer, thumb tracking
// with snap-back), painting through the look-and-feel painter onto an off-screen bitmap, and the
// reactions to look-and-feel, theme, colour and Ctl3D changes.

#include "toolkit/foundation/kvScrollBar.h"

#include <algorithm>

#include "gdi/Blits.h"
#include "gdi/SysMetrics.h"
#include "rtl/ClassRegistry.h"
#include "toolkit/foundation/kvClasses.h"
#include "toolkit/foundation/kvControls.h"
#include "toolkit/foundation/kvGraphics.h"
#include "toolkit/foundation/qzThemeManager.h"
#include "user/Input.h"

TAVREN_CLASS_IMPL_PUBLISHED(TkvScrollBar,
    PROPERTY(Kind).Default(sbHorizontal),
    PROPERTY(LargeChange).Default(1),
    PROPERTY(SmallChange).Default(1),
    PROPERTY(Min).Default(0),
    PROPERTY(Max).Default(100),
    PROPERTY(PageSize).Default(0),
    PROPERTY(Position).Default(0),
    PROPERTY(UnlimitedTracking).Default(false),
    PROPERTY(LookAndFeel),
    PROPERTY(Ctl3D).Stored<&TkvScrollBar::IsCtl3DStored>(),
    PROPERTY(OnChange),
    PROPERTY(OnScroll))

TAVREN_MESSAGE_TABLE(TkvScrollBar,
    MESSAGE_HANDLER(WM_ERASEBKGND, WMEraseBkgnd),
    MESSAGE_HANDLER(WM_CANCELMODE, WMCancelMode),
    MESSAGE_HANDLER(CN_HSCROLL, CNHScroll),
    MESSAGE_HANDLER(CN_VSCROLL, CNVScroll),
    MESSAGE_HANDLER(CN_CTLCOLORSCROLLBAR, CNCtlColorScrollBar),
    MESSAGE_HANDLER(CM_CTL3DCHANGED, CMCtl3DChanged),
    MESSAGE_HANDLER(CM_SYSCOLORCHANGE, CMSysColorChange),
    MESSAGE_HANDLER(CM_ENABLEDCHANGED, CMEnabledChanged),
    MESSAGE_HANDLER(CM_VISIBLECHANGED, CMVisibleChanged))

namespace {

constexpr Cardinal kFirstRepeatDelay = 400;
constexpr Cardinal kRepeatInterval = 60;
// How far the mouse may stray from the bar while the thumb still follows it.
constexpr Integer kTrackingSlackAlong = 34;
constexpr Integer kTrackingSlackAcross = 136;

TScrollCode ScrollCodeOfPart(TkvScrollBarPart Part) {
  switch (Part) {
    case sbpLineUp: return scLineUp;
    case sbpLineDown: return scLineDown;
    case sbpPageUp: return scPageUp;
    case sbpPageDown: return scPageDown;
    default: return scTrack;
  }
}

}  // namespace

TSize SystemScrollBarSize() { return {GetSystemMetrics(SM_CXVSCROLL), GetSystemMetrics(SM_CYHSCROLL)}; }

TkvScrollBar::TkvScrollBar(TComponent* AOwner) : TCustomControl(AOwner) {
  FBitmap = std::make_unique<TBitmap>();
  FCanvas = std::make_unique<TkvCanvas>(FBitmap->GetCanvas());
  FLookAndFeel = std::make_unique<TkvLookAndFeel>(this);
  FLookAndFeel->SetOnChanged(MakeEvent<&TkvScrollBar::LookAndFeelChanged>(this));
  FThemeChangedNotificator = std::make_unique<TqzThemeChangedNotificator>();
  FThemeChangedNotificator->SetOnThemeChanged(MakeEvent<&TkvScrollBar::ThemeChanged>(this));
  FTimer = std::make_unique<TkvTimer>(nullptr);
  FTimer->SetEnabled(false);
  FTimer->SetInterval(kFirstRepeatDelay);
  FTimer->SetOnTimer(MakeEvent<&TkvScrollBar::TimerTick>(this));
  FControlStyle = TControlStyle{csCaptureMouse, csFramed, csOpaque};
  FCtl3D = TWinControl::GetCtl3D();
  FViewInfo.reset(ViewInfoClass().Create(this));
  FViewInfo->MinThumbSize = MinThumbSize();
  SetBounds(GetLeft(), GetTop(), 121, GetSystemMetrics(SM_CYHSCROLL));
  FViewInfo->Calculate();
}

TkvScrollBar::~TkvScrollBar() = default;

TkvCustomLookAndFeelPainterClass TkvScrollBar::Painter() { return FLookAndFeel->PainterForThemeKind(totScrollBar); }

// ---- Range and position ---------------------------------------------------------------------

void TkvScrollBar::SetRangeAndPosition(Integer AMin, Integer AMax, Integer APosition, Integer APageSize,
                                       bool ARedraw) {
  // A form gives the range one property at a time (Min 200 before Max 300): it is checked whole
  // once the form is read.
  if (GetComponentState().Contains(csLoading)) {
    FMin = AMin;
    FMax = AMax;
    FPosition = APosition;
    FPageSize = APageSize;
    return;
  }
  if (AMax < AMin || AMax < APageSize) throw EInvalidOperation(ResourceStringText(skvScrollBarRange));
  APosition = std::clamp(APosition, AMin, AMax);
  bool redraw = ARedraw && HandleAllocated() &&
                (AMin != FMin || AMax != FMax || APosition != FPosition || APageSize != FPageSize);
  FMin = AMin;
  FMax = AMax;
  FPageSize = APageSize;
  if (APosition == FPosition) {
    FViewInfo->CalculateThumb();
    if (redraw) Repaint();
    return;
  }
  SetEnabled(true);
  FPosition = APosition;
  FViewInfo->CalculateThumb();
  if (redraw) Repaint();
  Change();
}

void TkvScrollBar::Loaded() {
  inherited::Loaded();
  if (FMax < FMin || FMax < FPageSize) throw EInvalidOperation(ResourceStringText(skvScrollBarRange));
  FPosition = std::clamp(FPosition, FMin, FMax);
  FViewInfo->CalculateThumb();
}

void TkvScrollBar::SetKind(TScrollBarKind Value) {
  if (FKind == Value) return;
  FKind = Value;
  FViewInfo->MinThumbSize = MinThumbSize();
  FViewInfo->Calculate();
  Invalidate();
}

void TkvScrollBar::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
  TRect before = GetBoundsRect();
  inherited::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (GetBoundsRect() == before || GetWidth() <= 0 || GetHeight() <= 0) return;
  FBitmap->SetSize(GetWidth(), GetHeight());
  FViewInfo->Calculate();
}

void TkvScrollBar::SetCtl3D(bool Value) {
  FCtl3D = Value;
  if (TWinControl::GetCtl3D() != Value) TWinControl::SetCtl3D(Value);
}

void TkvScrollBar::Change() {
  Changed();
  FOnChange(this);
}

void TkvScrollBar::Scroll(TScrollCode ScrollCode, Integer& ScrollPos) { FOnScroll(this, ScrollCode, ScrollPos); }

void TkvScrollBar::InternalScroll(TScrollCode ScrollCode) {
  Int64 position = FPosition;
  switch (ScrollCode) {
    case scLineUp: position -= FSmallChange; break;
    case scLineDown: position += FSmallChange; break;
    case scPageUp: position -= FLargeChange; break;
    case scPageDown: position += FLargeChange; break;
    case scTop: position = FMin; break;
    case scBottom: position = FMax; break;
    default: break;
  }
  Integer scrollPos = static_cast<Integer>(std::clamp<Int64>(position, FMin, FMax));
  TWeakRef<TkvScrollBar> self(this);
  Scroll(ScrollCode, scrollPos);
  if (!self) return;
  scrollPos = std::clamp(scrollPos, FMin, FMax);
  if (scrollPos == FPosition) return;
  if (ScrollCode == scTrack) {
    FPosition = scrollPos;
    Repaint();
  } else {
    SetPosition(scrollPos);
  }
}

// ---- Mouse ----------------------------------------------------------------------------------

void TkvScrollBar::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TWeakRef<TkvScrollBar> self(this);
  inherited::MouseDown(Button, Shift, X, Y);
  if (!self || Button != mbLeft) return;
  TkvScrollBarPart part = FViewInfo->HitTest({X, Y});
  if (part == sbpNone) return;
  if (part == sbpThumbnail) {
    FSavePoint = {X, Y};
    FSavePosition = FPosition;
    FSaveThumbPos = FViewInfo->Thumb.TopLeft();
    FThumbOutside = false;
    InternalScroll(scTrack);
    if (!self) return;
    FState = FHotPart = part;
  } else {
    FState = FHotPart = part;
    InternalScroll(ScrollCodeOfPart(part));
    if (!self) return;
    FTimer->SetInterval(kFirstRepeatDelay);
    FTimer->SetEnabled(true);
  }
  Repaint();
}

void TkvScrollBar::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  TWeakRef<TkvScrollBar> self(this);
  inherited::MouseMove(Shift, X, Y);
  if (!self) return;
  if (FState == sbpThumbnail) {
    DragThumb({X, Y});
    return;
  }
  TkvScrollBarPart part = FViewInfo->HitTest({X, Y});
  if (IsArrowOrPage(FState)) FTimer->SetEnabled(part == FState);
  if (part == FHotPart) return;
  FHotPart = part;
  // A pressed part looks pressed only while the mouse is over it, whatever the painter.
  if (IsHotTrack() || IsArrowOrPage(FState)) Repaint();
}

void TkvScrollBar::DragThumb(const TPoint& P) {
  bool vertical = FKind == sbVertical;
  TRect area = GetClientRect();
  if (vertical)
    area = RectInflated(area, kTrackingSlackAcross, kTrackingSlackAlong);
  else
    area = RectInflated(area, kTrackingSlackAlong, kTrackingSlackAcross);
  if (!FUnlimitedTracking && !RectHoldsPoint(area, P)) {
    FThumbOutside = true;
    if (FPosition == FSavePosition) return;
    TWeakRef<TkvScrollBar> self(this);
    SetPosition(FSavePosition);
    if (self) InternalScroll(scTrack);
    return;
  }
  FThumbOutside = false;
  const TkvScrollBarViewInfo& info = *FViewInfo;
  Integer start = vertical ? FSaveThumbPos.Y - info.TopLeftArrow.Bottom + (P.Y - FSavePoint.Y)
                           : FSaveThumbPos.X - info.TopLeftArrow.Right + (P.X - FSavePoint.X);
  FViewInfo->PlaceThumb(start);
  Repaint();
  Integer position = FViewInfo->PositionFromThumb();
  if (position == FPosition) return;
  FPosition = position;
  InternalScroll(scTrack);
}

void TkvScrollBar::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TWeakRef<TkvScrollBar> self(this);
  inherited::MouseUp(Button, Shift, X, Y);
  if (!self) return;
  CancelScroll();
  if (self) FHotPart = FViewInfo->HitTest({X, Y});
}

void TkvScrollBar::TimerTick(TObject*) {
  if (!HandleAllocated() || GetCapture() != GetHandle() || !IsArrowOrPage(FState)) {
    CancelScroll();
    return;
  }
  if (FTimer->GetInterval() == kFirstRepeatDelay) FTimer->SetInterval(kRepeatInterval);
  TWeakRef<TkvScrollBar> self(this);
  InternalScroll(ScrollCodeOfPart(FState));
  if (!self || !IsArrowOrPage(FState)) return;
  POINT cursor;
  GetCursorPos(&cursor);
  FTimer->SetEnabled(FViewInfo->HitTest(ScreenToClient(cursor)) == FState);
}

void TkvScrollBar::CancelScroll() {
  if (FState == sbpNone) return;
  TWeakRef<TkvScrollBar> self(this);
  if (FState == sbpThumbnail) {
    // A thumb that snapped back stands where the drag began; reading it back could be off by the
    // rounding between pixels and positions.
    if (!FThumbOutside) FPosition = FViewInfo->PositionFromThumb();
    FState = sbpNone;
    InternalScroll(scPosition);
    if (!self) return;
  }
  FTimer->SetEnabled(false);
  FState = FHotPart = sbpNone;
  InternalScroll(scEndScroll);
  if (!self) return;
  FViewInfo->CalculateThumb();
  Invalidate();
}

void TkvScrollBar::MouseEnter() {
  TWeakRef<TkvScrollBar> self(this);
  inherited::MouseEnter();
  if (self && (IsHotTrack() || IsArrowOrPage(FState))) Repaint();
}

void TkvScrollBar::MouseLeave() {
  TWeakRef<TkvScrollBar> self(this);
  inherited::MouseLeave();
  if (!self) return;
  if (FState != sbpThumbnail) FHotPart = sbpNone;
  if (IsHotTrack() || IsArrowOrPage(FState)) Invalidate();
}

// ---- Painting -------------------------------------------------------------------------------

bool TkvScrollBar::IsHotTrack() { return Painter()->ButtonHotTracks(); }

Integer TkvScrollBar::MinThumbSize() { return Painter()->ScrollBarMinThumbExtent(FKind == sbVertical); }

void TkvScrollBar::DrawPart(TkvCanvas* Canvas, const TRect& R, TkvButtonState State, TkvScrollBarPart Part) {
  Painter()->PaintScrollBarPart(Canvas, FKind == sbHorizontal, R, Part, State);
}

TkvButtonState TkvScrollBar::PartState(TkvScrollBarPart Part) {
  if (!GetEnabled()) return kvbsDisabled;
  if (Part == sbpThumbnail && !IsHotTrack()) return kvbsNormal;
  if (FState != sbpNone) return Part == FState && Part == FHotPart ? kvbsPressed : kvbsNormal;
  bool designing = GetComponentState().Contains(csDesigning);
  return Part == FHotPart && !designing ? kvbsHot : kvbsNormal;
}

void TkvScrollBar::DoPaint(TkvCanvas* Canvas) {
  const TkvScrollBarViewInfo& info = *FViewInfo;
  if (!info.HasThumb())
    DrawPart(Canvas, GetClientRect(), kvbsNormal, sbpPageUp);
  else
    DrawPart(Canvas, info.Thumb, PartState(sbpThumbnail), sbpThumbnail);
  DrawPart(Canvas, info.TopLeftArrow, PartState(sbpLineUp), sbpLineUp);
  DrawPart(Canvas, info.BottomRightArrow, PartState(sbpLineDown), sbpLineDown);
  if (!RectIsVoid(info.PageUp)) DrawPart(Canvas, info.PageUp, PartState(sbpPageUp), sbpPageUp);
  if (!RectIsVoid(info.PageDown)) DrawPart(Canvas, info.PageDown, PartState(sbpPageDown), sbpPageDown);
}

void TkvScrollBar::Paint() {
  if (GetWidth() <= 0 || GetHeight() <= 0) return;
  DoPaint(FCanvas.get());
  BitBlt(GetCanvas()->GetHandle(), 0, 0, GetWidth(), GetHeight(), FBitmap->GetCanvas()->GetHandle(), 0, 0, SRCCOPY);
}

// ---- Messages and looks ---------------------------------------------------------------------

void TkvScrollBar::WMCancelMode(TMessage& Message) {
  TWeakRef<TkvScrollBar> self(this);
  InheritedMessage(Message);
  if (self) CancelScroll();
}

void TkvScrollBar::CNHScroll(TMessage& Message) {
  WORD code = LOWORD(Message.WParam);
  if (code <= scEndScroll) InternalScroll(static_cast<TScrollCode>(code));
}

void TkvScrollBar::CNVScroll(TMessage& Message) { CNHScroll(Message); }

void TkvScrollBar::CNCtlColorScrollBar(TMessage& Message) {
  RefreshScrollPatterns();
  DefaultHandler(Message);
}

void TkvScrollBar::CMCtl3DChanged(TMessage& Message) {
  InheritedMessage(Message);
  if (FSwitchingCtl3D) return;
  FCtl3D = TWinControl::GetCtl3D();
  LookAndFeelChanged(FLookAndFeel.get(), {});
}

void TkvScrollBar::CMSysColorChange(TMessage& Message) {
  InheritedMessage(Message);
  RefreshScrollPatterns();
}

void TkvScrollBar::CMEnabledChanged(TMessage& Message) {
  TWeakRef<TkvScrollBar> self(this);
  InheritedMessage(Message);
  if (!self) return;
  FViewInfo->Calculate();
  if (!GetEnabled()) CancelScroll();
  if (self) Invalidate();
}

void TkvScrollBar::CMVisibleChanged(TMessage& Message) {
  TWeakRef<TkvScrollBar> self(this);
  InheritedMessage(Message);
  if (self && !GetVisible()) CancelScroll();
}

void TkvScrollBar::LookAndFeelChanged(TkvLookAndFeel*, TkvLookAndFeelValues) {
  // Switching the window's Ctl3D here is the look's doing: the value the user set is kept.
  FSwitchingCtl3D = true;
  if (FLookAndFeel->GetSkinPainter() && GetCtl3D()) {
    FCtl3D = true;
    TWinControl::SetCtl3D(false);
  } else {
    TWinControl::SetCtl3D(FCtl3D);
  }
  FSwitchingCtl3D = false;
  RecalculateAndInvalidate();
}

void TkvScrollBar::ThemeChanged() {
  RecalculateAndInvalidate();
  RefreshScrollPatterns();
  if (GetParent()) GetParent()->Realign();
}

void TkvScrollBar::RecalculateAndInvalidate() {
  FViewInfo->MinThumbSize = MinThumbSize();
  FViewInfo->Calculate();
  Invalidate();
}

void kvScrollBarStart() { RegisterClass(TkvScrollBar::ClassInfo()); }
void kvScrollBarEnd() { UnRegisterClass(TkvScrollBar::ClassInfo()); }
