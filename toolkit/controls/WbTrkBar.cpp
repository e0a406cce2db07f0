#include "toolkit/controls/WbTrkBar.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "gdi/Bitmaps.h"
#include "gdi/Blits.h"
#include "gdi/DeviceContexts.h"
#include "gdi/Icons.h"
#include "rtl/ClassRegistry.h"
#include "rtl/Math.h"
#include "rtl/Resources.h"
#include "toolkit/controls/WbGrafx.h"
#include "user/Cursors.h"
#include "user/Input.h"
#include "user/Messages.h"
#include "user/Rects.h"
#include "user/VirtualKeys.h"
#include "vcl/GraphicsBlits.h"
#include "vcl/Themes.h"
#include "vcl/Timers.h"

namespace {
constexpr Integer kBorder = 4;
constexpr Cardinal kFirstRepeat = 200, kNextRepeat = 100;

Integer ClampToInteger(Int64 v) { return Integer(std::clamp<Int64>(v, INT_MIN, INT_MAX)); }
}  // namespace

TAVREN_CLASS_IMPL_PUBLISHED(TWbTrackBar,
    PROPERTY(CustomThumb),
    PROPERTY(HighlightColor).Idents(ColorIdentMap).Default(clHighlight),
    PROPERTY(HotTrackColor).Idents(ColorIdentMap).Default(TColor(1350640)),
    PROPERTY(HotTrackColorType).Default(htctActual),
    PROPERTY(Max).Default(10),
    PROPERTY(Min).Default(0),
    PROPERTY(Orientation).Default(orHorizontal),
    PROPERTY(PageSize).Default(1),
    PROPERTY(PointerType).Default(ptStandard),
    PROPERTY(Position),
    PROPERTY(ShowFocusRect).Default(true),
    PROPERTY(ShowTicks).Default(true),
    PROPERTY(TabOnEnter).Default(false),
    PROPERTY(ThumbStyle).Default(tsPointer),
    PROPERTY(TickColor).Idents(ColorIdentMap).Default(clBtnShadow),
    PROPERTY(TickStep).Default(1),
    PROPERTY(TickStyle).Default(tkStandard),
    PROPERTY(TrackColor).Idents(ColorIdentMap).Default(cl3DLight),
    PROPERTY(TrackOffset).Default(20),
    PROPERTY(TrackFrame).Default(fsStatus),
    PROPERTY(TrackFrameColor).Idents(ColorIdentMap).Default(clBtnShadow),
    PROPERTY(TrackWidth).Default(8),
    PROPERTY(Transparent).Default(false),
    PROPERTY(OnChange),
    PROPERTY(OnChanging),
    PROPERTY(OnDrawTick),
    PROPERTY(OnMouseEnter),
    PROPERTY(OnMouseLeave),
    PROPERTY(Align).Default(alNone),
    PROPERTY(Anchors),
    PROPERTY(Color).Idents(ColorIdentMap),
    PROPERTY(Enabled).Default(true),
    PROPERTY(Height).Default(35),
    PROPERTY(Hint),
    PROPERTY(ParentColor).Default(true),
    PROPERTY(ShowHint),
    PROPERTY(TabOrder),
    PROPERTY(TabStop).Default(true),
    PROPERTY(Visible).Default(true),
    PROPERTY(Width).Default(200),
    PROPERTY(OnClick),
    PROPERTY(OnEnter),
    PROPERTY(OnExit),
    PROPERTY(OnKeyDown),
    PROPERTY(OnKeyPress),
    PROPERTY(OnKeyUp),
    PROPERTY(OnMouseDown),
    PROPERTY(OnMouseMove),
    PROPERTY(OnMouseUp))
TAVREN_MESSAGE_TABLE(TWbTrackBar,
    MESSAGE_HANDLER(WM_ERASEBKGND, WMEraseBkgnd),
    MESSAGE_HANDLER(WM_GETDLGCODE, WMGetDlgCode),
    MESSAGE_HANDLER(WM_SETCURSOR, WMSetCursor),
    MESSAGE_HANDLER(WM_SIZE, WMSize),
    MESSAGE_HANDLER(WM_SETFOCUS, WMFocusChanged),
    MESSAGE_HANDLER(WM_KILLFOCUS, WMFocusChanged),
    MESSAGE_HANDLER(CM_ENABLEDCHANGED, CMEnabledChanged),
    MESSAGE_HANDLER(CM_PARENTCOLORCHANGED, CMParentColorChanged),
    MESSAGE_HANDLER(CM_MOUSELEAVE, CMMouseLeave))

TWbTrackBar::TWbTrackBar(TComponent* AOwner)
    : TCustomControl(AOwner),
      FCustomThumb(std::make_unique<TBitmap>()),
      FThumb(std::make_unique<TBitmap>()),
      FThumbHot(std::make_unique<TBitmap>()),
      FThumbMask(std::make_unique<TBitmap>()),
      FThumbDisabled(std::make_unique<TBitmap>()),
      FBackground(std::make_unique<TBitmap>()) {
  SetBounds(GetLeft(), GetTop(), 200, 35);
  SetTabStop(true);
  FTimer = new TTimer(this);
  FTimer->SetEnabled(false);
  FTimer->SetInterval(kFirstRepeat);
  FTimer->SetOnTimer(MakeEvent<&TWbTrackBar::TimerTick>(this));
  FCustomThumb->SetOnChange(MakeEvent<&TWbTrackBar::CustomThumbChanged>(this));
  LoadThumbBitmaps();
  FHorizontalCursor = LoadCursor(HInstance, "WBTRKBAR_H_CURSOR");
  FVerticalCursor = LoadCursor(HInstance, "WBTRKBAR_V_CURSOR");
}

TWbTrackBar::~TWbTrackBar() {
  if (FHorizontalCursor) DestroyCursor(FHorizontalCursor);
  if (FVerticalCursor) DestroyCursor(FVerticalCursor);
}

// ---- Thumb images -----------------------------------------------------------------------------

TThumbStyle TWbTrackBar::EffectiveStyle() const {
  if (ThemeServices()->ThemesEnabled()) {
    if (FThumbStyle == tsBox) return tsXPBox;
    if (FThumbStyle == tsPointer) return tsXPPointer;
  }
  return FThumbStyle;
}

void TWbTrackBar::LoadThumbBitmaps() {
  const TThumbStyle style = EffectiveStyle();
  const bool vertical = FOrientation == orVertical;
  if (style == tsCustom) {
    const Integer third = FCustomThumb->GetWidth() / 3, h = FCustomThumb->GetHeight();
    auto cut = [&](TBitmap* to, Integer index) {
      to->SetSize(third, h);
      to->GetCanvas()->CopyRect({0, 0, third, h}, FCustomThumb->GetCanvas(), {index * third, 0, (index + 1) * third, h});
    };
    cut(FThumb.get(), 0);
    cut(FThumbHot.get(), 0);
    cut(FThumbMask.get(), 1);
    cut(FThumbDisabled.get(), 2);
  } else {
    const char* base = nullptr;
    switch (style) {
      case tsBox: base = vertical ? "WBTRKBAR_V_BOX" : "WBTRKBAR_H_BOX"; break;
      case tsMixer: base = vertical ? "WBTRKBAR_V_MIXER" : "WBTRKBAR_H_MIXER"; break;
      case tsPointer:
        base = vertical ? "WBTRKBAR_V_PTR" : FPointerType == ptWin95 ? "WBTRKBAR_WIN95" : "WBTRKBAR_H_PTR";
        break;
      case tsFlat: base = vertical ? "WBTRKBAR_V_FLAT" : "WBTRKBAR_H_FLAT"; break;
      case tsXPPointer: base = vertical ? "WBTRKBAR_V_XPPTR" : "WBTRKBAR_H_XPPTR"; break;
      default: base = vertical ? "WBTRKBAR_V_XPBOX" : "WBTRKBAR_H_XPBOX"; break;
    }
    const String name = base;
    const bool recoloured = style != tsXPPointer && style != tsXPBox;
    TColor a, b, c;
    if (FHotTrackColorType == htctActual) {
      a = b = FHotTrackColor;
      c = MixColors(clWhite, FHotTrackColor, 190);
    } else {
      TColor k = OppositeHueColor(FHotTrackColor, 140);
      a = DarkenColor(k, 15);
      b = DarkenColor(k, 30);
      c = k;
    }
    const TColor oldColors[14] = {clSilver, clGray, clOlive, clYellow, clGreen, clBlue,    clNavy,
                                  clAqua,   clRed,  clMaroon, clFuchsia, clTeal, clPurple, clLime};
    const TColor newColors[14] = {clBtnFace,
                                  clBtnShadow,
                                  cl3DDkShadow,
                                  cl3DLight,
                                  LightenColor(clBtnShadow, 30),
                                  TColor(ColorToRGB(FHighlightColor) + 1),
                                  DarkenColor(FHighlightColor, 30),
                                  LightenColor(FHighlightColor, 30),
                                  a,
                                  b,
                                  c,
                                  clBtnShadow,
                                  DarkenColor(clBtnShadow, 30),
                                  LightenColor(clBtnShadow, 30)};
    auto load = [&](TBitmap* to, const String& resource, bool mapped) {
      HBITMAP handle = mapped ? CreateMappedRes(HInstance, resource.c_str(), oldColors, newColors, 14)
                              : LoadBitmap(HInstance, resource.c_str());
      if (!handle) throw EResNotFound("Resource " + resource + " not found");
      to->SetHandle(handle);
    };
    load(FThumb.get(), name, recoloured);
    load(FThumbHot.get(), name + "_HOT", recoloured);
    load(FThumbDisabled.get(), name + "_DISABLED", recoloured);
    load(FThumbMask.get(), name + "_MASK", false);
  }
  const bool turned = vertical;
  FThumbWidth = turned ? FThumb->GetHeight() : FThumb->GetWidth();
  FThumbHeight = turned ? FThumb->GetWidth() : FThumb->GetHeight();
  FHalfWidth = FThumbWidth / 2;
}

void TWbTrackBar::MarkStale() {
  FStale = true;
  Invalidate();
}

void TWbTrackBar::ThumbsChanged() {
  LoadThumbBitmaps();
  MarkStale();
}

void TWbTrackBar::SetCustomThumb(TBitmap* Value) { FCustomThumb->Assign(Value); }

void TWbTrackBar::CustomThumbChanged(TObject*) {
  FThumbStyle = tsCustom;
  ThumbsChanged();
}

#define WB_THUMB_SETTER(Name, Type)          \
  void TWbTrackBar::Set##Name(Type Value) {  \
    if (Value == F##Name) return;            \
    F##Name = Value;                         \
    ThumbsChanged();                         \
  }
WB_THUMB_SETTER(HighlightColor, TColor)
WB_THUMB_SETTER(HotTrackColor, TColor)
WB_THUMB_SETTER(HotTrackColorType, TWbHotTrackColorType)
WB_THUMB_SETTER(Orientation, TOrientation)
WB_THUMB_SETTER(PointerType, TPointerType)
#undef WB_THUMB_SETTER

#define WB_REPAINT_SETTER(Name, Type)        \
  void TWbTrackBar::Set##Name(Type Value) {  \
    if (Value == F##Name) return;            \
    F##Name = Value;                         \
    MarkStale();                             \
  }
WB_REPAINT_SETTER(ShowTicks, bool)
WB_REPAINT_SETTER(TickColor, TColor)
WB_REPAINT_SETTER(TickStyle, TTickStyle)
WB_REPAINT_SETTER(TrackColor, TColor)
WB_REPAINT_SETTER(TrackOffset, Word)
WB_REPAINT_SETTER(TrackFrame, TFrameStyle)
WB_REPAINT_SETTER(TrackFrameColor, TColor)
WB_REPAINT_SETTER(Transparent, bool)
#undef WB_REPAINT_SETTER

void TWbTrackBar::SetTickStep(TPositiveInteger Value) {
  if (Value < 1 || Value == FTickStep) return;
  FTickStep = Value;
  MarkStale();
}

void TWbTrackBar::SetTrackWidth(Word Value) {
  Value = std::max<Word>(Value, 4);
  if (Value == FTrackWidth) return;
  FTrackWidth = Value;
  MarkStale();
}

void TWbTrackBar::SetThumbStyle(TThumbStyle Value) {
  if (Value == FThumbStyle) return;
  FThumbStyle = Value;
  if (!GetComponentState().Contains(csLoading)) FTrackWidth = Value == tsMixer || Value == tsFlat ? 6 : 8;
  ThumbsChanged();
}

// ---- Range and position -------------------------------------------------------------------------

void TWbTrackBar::SetMax(Integer Value) {
  if (Value == FMax) return;
  FMax = Value;
  // Keep Min < Max inside the Integer range.
  if (FMin >= FMax) {
    if (FMin == INT_MAX) FMin = INT_MAX - 1;
    FMax = FMin + 1;
  }
  if (FPosition > FMax) SetPosition(FMax);
  MarkStale();
}

void TWbTrackBar::SetMin(Integer Value) {
  if (Value == FMin) return;
  FMin = Value;
  if (FMin >= FMax) {
    if (FMax == INT_MIN) FMax = INT_MIN + 1;
    FMin = FMax - 1;
  }
  if (FPosition < FMin) SetPosition(FMin);
  MarkStale();
}

bool TWbTrackBar::DoChanging(Integer NewPos) {
  bool allow = true;
  FOnChanging(this, NewPos, allow);
  return allow;
}

void TWbTrackBar::SetPosition(Integer Value) {
  if (Value == FPosition) return;
  Value = std::clamp(Value, FMin, FMax);
  if (!DoChanging(Value)) return;
  FPosition = Value;
  if (!FStale && HandleAllocated()) DrawThumb(GetCanvas());
  Change();
  MarkDesignerModified(this);
}

void TWbTrackBar::MoveTo(Int64 Value) {
  Integer v = ClampToInteger(Value);
  if (CanMoveTo(v)) SetPosition(v);
}

Integer TWbTrackBar::TrackLength() const {
  const Integer extent = FOrientation == orHorizontal ? GetWidth() : GetHeight();
  return std::max(extent - FThumbWidth - 2 * kBorder, 0);
}

// ---- Drawing -------------------------------------------------------------------------------------

void TWbTrackBar::DrawTrack(TCanvas* Canvas) {
  if (FOrientation == orHorizontal)
    FTrackRect = {FHalfWidth + kBorder, FTrackOffset, GetWidth() - kBorder - FHalfWidth, FTrackOffset + FTrackWidth};
  else
    FTrackRect = {FTrackOffset, FHalfWidth + kBorder, FTrackOffset + FTrackWidth, GetHeight() - kBorder - FHalfWidth};
  Canvas->GetBrush()->SetColor(GetEnabled() ? FTrackColor : clBtnFace);
  Canvas->FillRect(FTrackRect);
  if (FTrackFrame == fsFlat)
    PaintSides(Canvas, FTrackRect, FTrackFrameColor, FTrackFrameColor, AllSides);
  else
    PaintBorder(Canvas, FTrackRect, FTrackFrame);
}

void TWbTrackBar::TickPositions(std::vector<std::pair<Integer, Integer>>& Ticks) {
  Ticks.clear();
  const Integer length = TrackLength();
  if (length <= 0 || FMax <= FMin) return;
  const Int64 range = Int64(FMax) - FMin;
  const Int64 step = FTickStep;
  // Every multiple of TickStep in [Min, Max], but never more than one tick per pixel.
  Int64 stride = step;
  if (range / step > length) stride = step * ((range / step + length - 1) / length);
  Int64 first = (Int64(FMin) / stride) * stride;
  if (first < FMin) first += stride;
  const double factor = double(length) / double(range);
  for (Int64 i = first; i <= FMax; i += stride) {
    const Integer d = Integer(Trunc((i - FMin) * factor));
    const Integer at = FOrientation == orHorizontal ? kBorder + d + FHalfWidth
                                                    : GetHeight() - FThumbWidth - d - kBorder + FHalfWidth;
    Ticks.emplace_back(Integer(i), at);
  }
}

void TWbTrackBar::DrawTicks(TCanvas* Canvas) {
  std::vector<std::pair<Integer, Integer>> ticks;
  TickPositions(ticks);
  Canvas->GetPen()->SetColor(FTickColor);
  const bool horizontal = FOrientation == orHorizontal;
  // The sides follow the ThumbStyle property, not the look the theme gives it.
  bool first = true, second = true;
  if (horizontal) {
    if (FThumbStyle == tsPointer && FPointerType == ptWin95) first = false;
    else if (FThumbStyle == tsPointer || FThumbStyle == tsXPPointer) second = false;
  } else if (FThumbStyle == tsPointer || FThumbStyle == tsXPPointer) {
    second = false;
  }
  auto line = [Canvas](Integer x1, Integer y1, Integer x2, Integer y2) {
    Canvas->MoveTo(x1, y1);
    Canvas->LineTo(x2, y2);
  };
  for (const auto& [value, at] : ticks) {
    if (FTickStyle == tkOwnerDraw) {
      DrawTick(Canvas, horizontal ? TPoint{at, 0} : TPoint{0, at}, value);
      continue;
    }
    if (horizontal) {
      if (first) line(at, 4, at, 10);
      if (second) line(at, GetHeight() - 10, at, GetHeight() - 4);
    } else {
      if (first) line(4, at, 10, at);
      if (second) line(GetWidth() - 10, at, GetWidth() - 4, at);
    }
  }
}

void TWbTrackBar::UpdateBackground() {
  const TRect client{0, 0, GetWidth(), GetHeight()};
  FBackground->SetSize(GetWidth(), GetHeight());
  TCanvas* canvas = FBackground->GetCanvas();
  if (FTransparent) {
    canvas->CopyRect(client, GetCanvas(), client);
  } else {
    canvas->GetBrush()->SetColor(GetColor());
    canvas->FillRect(client);
  }
  DrawTrack(canvas);
  if (FShowTicks) DrawTicks(canvas);
  FStale = false;
}

void TWbTrackBar::DrawThumb(TCanvas* Canvas) {
  const TThumbStyle style = FThumbStyle;
  Integer p = 0;
  if (style == tsPointer || style == tsXPPointer)
    p = FOrientation == orHorizontal && FPointerType == ptWin95 && style == tsPointer ? 0 : 2;
  const Integer length = TrackLength();
  const Int64 range = Int64(FMax) - FMin;
  const Integer travel = range > 0 ? Integer(Int64(length) * (Int64(FPosition) - FMin) / range) : 0;
  const Integer c = (FTrackWidth - FThumbHeight) / 2 + FTrackOffset - p;
  TRect r;
  if (FOrientation == orHorizontal) {
    r = {kBorder + travel, c, kBorder + travel + FThumbWidth, c + FThumbHeight};
  } else {
    const Integer bottom = GetHeight() - travel - kBorder;
    r = {c, bottom - FThumbWidth, c + FThumbHeight, bottom};
  }
  if (FStale) UpdateBackground();
  HDC dc = Canvas->GetHandle();
  HDC background = FBackground->GetCanvas()->GetHandle();
  // Put back what the previous thumb covered and the new one does not.
  TRect uncovered;
  if (!(FThumbRect == TRect()) && SubtractRect(&uncovered, &FThumbRect, &r))
    BitBlt(dc, uncovered.Left, uncovered.Top, uncovered.Width(), uncovered.Height(), background, uncovered.Left,
           uncovered.Top, SRCCOPY);
  FThumbRect = r;
  const Integer w = FThumb->GetWidth(), h = FThumb->GetHeight();
  TBitmap work;
  work.SetSize(w, h);
  HDC workDc = work.GetCanvas()->GetHandle();
  BitBlt(workDc, 0, 0, w, h, background, r.Left, r.Top, SRCCOPY);
  BitBlt(workDc, 0, 0, w, h, FThumbMask->GetCanvas()->GetHandle(), 0, 0, SRCAND);
  TBitmap* image = !GetEnabled() ? FThumbDisabled.get() : FHot ? FThumbHot.get() : FThumb.get();
  BitBlt(workDc, 0, 0, w, h, image->GetCanvas()->GetHandle(), 0, 0, SRCPAINT);
  BitBlt(dc, r.Left, r.Top, w, h, workDc, 0, 0, SRCCOPY);
}

void TWbTrackBar::RedrawThumb() {
  if (HandleAllocated() && !FStale) DrawThumb(GetCanvas());
}

void TWbTrackBar::Paint() {
  TCanvas* canvas = GetCanvas();
  if (Focused() && FShowFocusRect) canvas->DrawFocusRect(GetClientRect());
  DrawTrack(canvas);
  if (FShowTicks) DrawTicks(canvas);
  FThumbRect = {};
  DrawThumb(canvas);
}

void TWbTrackBar::Loaded() {
  inherited::Loaded();
  ThumbsChanged();
}

// ---- Messages ------------------------------------------------------------------------------------

void TWbTrackBar::WMEraseBkgnd(TMessage& Message) {
  FStale = true;
  if (!FTransparent) {
    InheritedMessage(Message);
    return;
  }
  PaintParentBackground(this, reinterpret_cast<HDC>(Message.WParam), false);
  Message.Result = 1;
}

void TWbTrackBar::WMGetDlgCode(TMessage& Message) { Message.Result = DLGC_WANTARROWS; }

void TWbTrackBar::WMSetCursor(TMessage& Message) {
  TPoint p;
  GetCursorPos(&p);
  p = ScreenToClient(p);
  if (p.X >= FThumbRect.Left && p.X < FThumbRect.Right && p.Y >= FThumbRect.Top && p.Y < FThumbRect.Bottom) {
    HCURSOR cursor = FOrientation == orVertical ? FVerticalCursor : FHorizontalCursor;
    if (cursor) {
      ::SetCursor(cursor);
      Message.Result = 1;
      return;
    }
  }
  InheritedMessage(Message);
}

void TWbTrackBar::WMSize(TMessage& Message) {
  InheritedMessage(Message);
  SetOrientation(GetHeight() > GetWidth() ? orVertical : orHorizontal);
  MarkStale();
}

void TWbTrackBar::WMFocusChanged(TMessage& Message) {
  InheritedMessage(Message);
  Repaint();
}

void TWbTrackBar::CMEnabledChanged(TMessage& Message) {
  InheritedMessage(Message);
  MarkStale();
}

void TWbTrackBar::CMParentColorChanged(TMessage& Message) {
  InheritedMessage(Message);
  MarkStale();
}

void TWbTrackBar::CMMouseLeave(TMessage& Message) {
  InheritedMessage(Message);
  if (Message.LParam == 0 && !FSliding && FHot) {
    FHot = false;
    RedrawThumb();
  }
}

// ---- Keyboard and mouse ----------------------------------------------------------------------------

void TWbTrackBar::KeyDown(Word& Key, TShiftState Shift) {
  inherited::KeyDown(Key, Shift);
  const bool vertical = FOrientation == orVertical;
  Int64 v = FPosition;
  switch (Key) {
    case VK_PRIOR: v += FPageSize; break;
    case VK_NEXT: v -= FPageSize; break;
    case VK_END: v = vertical ? FMin : FMax; break;
    case VK_HOME: v = vertical ? FMax : FMin; break;
    case VK_LEFT:
    case VK_DOWN:
    case VK_SUBTRACT:
      if (FPosition > FMin) --v;
      break;
    case VK_UP:
    case VK_RIGHT:
    case VK_ADD:
      if (FPosition < FMax) ++v;
      break;
    default: break;
  }
  MoveTo(v);
}

void TWbTrackBar::KeyPress(Char& Key) {
  if (!TabOnEnterKey(this, FTabOnEnter, Key)) inherited::KeyPress(Key);
}

void TWbTrackBar::EndPaging() {
  FTimer->SetEnabled(false);
  FTimer->SetInterval(kFirstRepeat);
  FPaging = false;
}

void TWbTrackBar::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  inherited::MouseDown(Button, Shift, X, Y);
  if (CanFocus() && !Focused()) SetFocus();
  const TRect& t = FThumbRect;
  if (Button == mbLeft && X >= t.Left && X < t.Right && Y >= t.Top && Y < t.Bottom) {
    if (FPaging) EndPaging();
    SetMouseCapture(true);
    FSliding = true;
    FGrab = {X - t.Left - (t.Right - t.Left) / 2, Y - t.Top - (t.Bottom - t.Top) / 2};
    return;
  }
  const TRect& k = FTrackRect;
  if (Button != mbLeft || X < k.Left || X >= k.Right || Y < k.Top || Y >= k.Bottom) return;
  const Integer length = TrackLength();
  if (length <= 0 || FMax <= FMin) return;  // no room to page in
  FTimer->SetEnabled(true);
  FPressPoint = {X, Y};
  const double factor = double(length) / (double(FMax) - FMin);
  const bool increase = FOrientation == orHorizontal
                            ? X >= kBorder + Trunc((double(FPosition) - FMin) * factor)
                            : Y < kBorder + Trunc((double(FMax) - FPosition) * factor);
  if (!FPaging) {
    FPagingUp = increase;
    FPaging = true;
  }
  if (increase == FPagingUp)
    MoveTo(Int64(FPosition) + (increase ? FPageSize : -Int64(FPageSize)));
  else
    EndPaging();
}

void TWbTrackBar::TimerTick(TObject*) {
  FTimer->SetInterval(kNextRepeat);
  if (!GetMouseCapture()) return;
  try {
    MouseDown(mbLeft, {}, FPressPoint.X, FPressPoint.Y);
  } catch (...) {
    FTimer->SetEnabled(false);
    FTimer->SetInterval(kFirstRepeat);
    throw;
  }
}

void TWbTrackBar::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  inherited::MouseMove(Shift, X, Y);
  if (!FSliding) {
    TPoint p;
    GetCursorPos(&p);
    p = ScreenToClient(p);
    FHot = p.X >= FThumbRect.Left && p.X < FThumbRect.Right && p.Y >= FThumbRect.Top && p.Y < FThumbRect.Bottom;
    RedrawThumb();
    return;
  }
  const TRect& k = FTrackRect;
  const double range = double(FMax) - FMin;
  double v;
  if (FOrientation == orHorizontal) {
    if (k.Right - k.Left <= 0) return;
    v = double(X - FGrab.X - k.Left) / double(k.Right - k.Left) * range + FMin;
  } else {
    if (k.Bottom - k.Top <= 0) return;
    v = double(k.Bottom - (Y - FGrab.Y)) / double(k.Bottom - k.Top) * range + FMin;
  }
  v = std::clamp(v, double(FMin), double(FMax));
  MoveTo(Round(v));
}

void TWbTrackBar::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  inherited::MouseUp(Button, Shift, X, Y);
  EndPaging();
  if (FSliding && Button == mbLeft) {
    FSliding = false;
    SetMouseCapture(false);
    FHot = false;
    RedrawThumb();
  }
}

void WbTrkBarStart() { RegisterClasses({TWbTrackBar::ClassInfo()}); }
