#include "toolkit/controls/WbButton.h"

#include "gdi/TextLayout.h"
#include "gdi/Text.h"
#include "toolkit/controls/WbGrafx.h"
#include "user/Focus.h"
#include "user/Input.h"
#include "user/Painting.h"
#include "user/WindowPos.h"
#include "vcl/Forms.h"
#include "vcl/Themes.h"
#include "vcl/Timers.h"

namespace {
bool ThemesOn() { return ThemeServices()->ThemesEnabled(); }
bool Inside(TControl* Control, Integer X, Integer Y) {
  return X >= 0 && X < Control->GetClientWidth() && Y >= 0 && Y < Control->GetClientHeight();
}
}  // namespace

// ---- TWbCustomButton ---------------------------------------------------------------------------

TAVREN_CLASS_IMPL(TWbCustomButton)
TAVREN_MESSAGE_TABLE(TWbCustomButton,
    MESSAGE_HANDLER(CM_MOUSEENTER, CMMouseEnter),
    MESSAGE_HANDLER(CM_MOUSELEAVE, CMMouseLeave),
    MESSAGE_HANDLER(CM_ENABLEDCHANGED, CMEnabledChanged),
    MESSAGE_HANDLER(CM_TEXTCHANGED, CMTextChanged),
    MESSAGE_HANDLER(WM_SETFOCUS, WMSetFocus),
    MESSAGE_HANDLER(WM_KILLFOCUS, WMKillFocus),
    MESSAGE_HANDLER(WM_ERASEBKGND, WMEraseBkgnd))

TWbCustomButton::TWbCustomButton(TComponent* AOwner) : TCustomControl(AOwner) {
  FControlStyle = TControlStyle{csCaptureMouse, csSetCaption, csDoubleClicks, csReplicatable, csReflector};
  SetBounds(GetLeft(), GetTop(), 115, 17);
  SetTabStop(true);
}

#define WB_INVALIDATING_SETTER(Class, Name, Type) \
  void Class::Set##Name(Type Value) {             \
    if (Value == F##Name) return;                 \
    F##Name = Value;                              \
    Invalidate();                                 \
  }
WB_INVALIDATING_SETTER(TWbCustomButton, AlignmentVertical, TAlignmentVertical)
WB_INVALIDATING_SETTER(TWbCustomButton, HotTrack, bool)
WB_INVALIDATING_SETTER(TWbCustomButton, HighlightColor, TColor)
WB_INVALIDATING_SETTER(TWbCustomButton, HotTrackColor, TColor)
WB_INVALIDATING_SETTER(TWbCustomButton, HotTrackColorType, TWbHotTrackColorType)
WB_INVALIDATING_SETTER(TWbCustomButton, LightTextStyle, bool)
WB_INVALIDATING_SETTER(TWbCustomButton, TextStyle, TTextStyle)
WB_INVALIDATING_SETTER(TWbCustomButton, TextHighlightColor, TColor)
WB_INVALIDATING_SETTER(TWbCustomButton, TextShadowColor, TColor)
WB_INVALIDATING_SETTER(TWbCustomButton, TextShadowDepth, Integer)
WB_INVALIDATING_SETTER(TWbCustomButton, ThemeAware, bool)
WB_INVALIDATING_SETTER(TWbCustomButton, Transparent, bool)
#undef WB_INVALIDATING_SETTER

void TWbCustomButton::DrawStyledText(TCanvas* Canvas, const TRect& Rect, UINT Flags) {
  Canvas->GetBrush()->SetStyle(bsClear);
  Canvas->SetFont(GetFont());
  String caption = GetCaption();
  HDC dc = Canvas->GetHandle();
  auto draw = [&](TRect r, Integer dx, Integer dy, TColor color) {
    r = {r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy};
    Canvas->GetFont()->SetColor(color);
    Canvas->RequiredState({csHandleValid, csFontValid, csBrushValid});
    DrawText(dc, caption.c_str(), -1, &r, Flags);
  };
  TRect measure = Rect;
  Canvas->RequiredState({csHandleValid, csFontValid});
  DrawText(dc, caption.c_str(), -1, &measure,
           DT_CALCRECT | DT_EXPANDTABS | DT_WORDBREAK | DT_VCENTER | DT_CENTER);
  const Integer h = measure.Bottom - measure.Top;
  TRect r = Rect;
  switch (FAlignmentVertical) {
    case avTop: r.Bottom = r.Top + h; break;
    case avCenter:
      r.Top = (r.Top + r.Bottom - h) / 2;
      r.Bottom = r.Top + h;
      break;
    case avBottom: r.Top = r.Bottom - h - 1; break;
  }
  TRect t = r;
  if (UsesRightToLeftReading(this)) Flags |= DT_RTLREADING;
  const bool right = (Flags & DT_RIGHT) != 0;
  if (GetEnabled()) {
    if (FTextStyle == tsRaised || FTextStyle == tsRecessed) {
      TColor ul = FTextStyle == tsRaised ? FTextHighlightColor : FTextShadowColor;
      TColor lr = FTextStyle == tsRaised ? FTextShadowColor : FTextHighlightColor;
      if (FTextStyle == tsRecessed || !FLightTextStyle) draw(t, 1, 1, lr);
      if (FTextStyle == tsRaised || !FLightTextStyle) draw(r, -1, -1, ul);
    } else if (FTextStyle == tsShadow) {
      draw(t, right ? 0 : FTextShadowDepth, FTextShadowDepth, FTextShadowColor);
    }
    draw(r, right ? -FTextShadowDepth : 0, 0, GetFont()->GetColor());
  } else {
    draw(r, 1, 1, clBtnHighlight);
    draw(r, 0, 0, clBtnShadow);
  }
  Canvas->GetBrush()->SetStyle(bsSolid);
}

void TWbCustomButton::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  inherited::MouseDown(Button, Shift, X, Y);
  FMouseUsed = true;
  if (Button != mbLeft || !GetEnabled()) return;
  ::SetFocus(GetHandle());
  if (!Focused()) return;
  FPressed = true;
  ShowPressedState();
  FTracking = true;
}

void TWbCustomButton::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  inherited::MouseMove(Shift, X, Y);
  if (!FTracking) return;
  bool over = Inside(this, X, Y);
  if (over == FPressed) return;
  FPressed = over;
  ShowPressedState();
}

void TWbCustomButton::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  inherited::MouseUp(Button, Shift, X, Y);
  FMouseUsed = true;
  if (!FTracking) return;
  FTracking = false;
  FPressed = false;
  if (Inside(this, X, Y)) ChangeState();
  ShowPressedState();
}

void TWbCustomButton::InvalidateHotTrack() {
  if (!HandleAllocated() || !(FHotTrack || (FThemeAware && ThemesOn()))) return;
  TRect r = HotTrackBounds();
  InvalidateRect(GetHandle(), &r, FALSE);
}

void TWbCustomButton::CMMouseEnter(TMessage& Message) {
  if (Message.LParam != 0) {
    InheritedMessage(Message);
    return;
  }
  FMouseOver = true;
  InheritedMessage(Message);
  InvalidateHotTrack();
}

void TWbCustomButton::CMMouseLeave(TMessage& Message) {
  if (Message.LParam != 0) {
    InheritedMessage(Message);
    return;
  }
  FMouseOver = false;
  InheritedMessage(Message);
  InvalidateHotTrack();
}

void TWbCustomButton::CMEnabledChanged(TMessage& Message) {
  InheritedMessage(Message);
  if (!GetEnabled() && GetParent()) {
    if (TCustomForm* form = GetParentForm()) form->DefocusControl(this, false);
  }
  if (HandleAllocated()) EnableWindow(GetHandle(), GetEnabled());
  Invalidate();
}

void TWbCustomButton::CMTextChanged(TMessage& Message) {
  InheritedMessage(Message);
  Repaint();
}

void TWbCustomButton::WMSetFocus(TMessage& Message) {
  InheritedMessage(Message);
  ShowFocusState();
}

void TWbCustomButton::WMKillFocus(TMessage& Message) {
  InheritedMessage(Message);
  ShowFocusState();
}

void TWbCustomButton::WMEraseBkgnd(TMessage& Message) {
  if (!FTransparent) {
    InheritedMessage(Message);
    return;
  }
  PaintParentBackground(this, reinterpret_cast<HDC>(Message.WParam), false);
  Message.Result = 1;
}

// ---- TWbControlButton --------------------------------------------------------------------------

TAVREN_CLASS_IMPL_PUBLISHED(TWbControlButton,
    PROPERTY(Flat).Default(false),
    PROPERTY(Glyph),
    PROPERTY(NumGlyphs).Default(1),
    PROPERTY(Delay).Default(100),
    PROPERTY(InitialDelay).Default(400),
    PROPERTY(RepeatClicks).Default(false),
    PROPERTY(Style).Default(cbsNone),
    PROPERTY(Action),
    PROPERTY(Caption),
    PROPERTY(Color).Idents(ColorIdentMap).Default(clBtnFace),
    PROPERTY(Enabled).Default(true),
    PROPERTY(Hint),
    PROPERTY(ShowHint),
    PROPERTY(Visible).Default(true),
    PROPERTY(OnClick),
    PROPERTY(OnMouseDown),
    PROPERTY(OnMouseMove),
    PROPERTY(OnMouseUp),
    PROPERTY(OnMouseEnter),
    PROPERTY(OnMouseLeave))
TAVREN_MESSAGE_TABLE(TWbControlButton,
    MESSAGE_HANDLER(CM_MOUSEENTER, CMMouseEnter),
    MESSAGE_HANDLER(CM_MOUSELEAVE, CMMouseLeave))

TWbControlButton::TWbControlButton(TComponent* AOwner) : TGraphicControl(AOwner), FGlyph(std::make_unique<TBitmap>()) {
  FControlStyle = TControlStyle{csCaptureMouse};
  SetColor(clBtnFace);
  SetBounds(GetLeft(), GetTop(), 17, 21);
  FGlyph->SetOnChange(MakeEvent<&TWbControlButton::GlyphChanged>(this));
}

TWbControlButton::~TWbControlButton() = default;

void TWbControlButton::SetFlat(bool Value) {
  if (Value == FFlat) return;
  FFlat = Value;
  Repaint();
}

void TWbControlButton::SetGlyph(TBitmap* Value) { FGlyph->Assign(Value); }

void TWbControlButton::GlyphChanged(TObject*) {
  const Integer w = FGlyph->GetWidth(), h = FGlyph->GetHeight();
  if (h != 0 && w % h == 0) FNumGlyphs = w / h < 5 ? w / h : 1;
  Invalidate();
}

void TWbControlButton::SetNumGlyphs(TNumGlyphs Value) {
  if (Value == FNumGlyphs) return;
  FNumGlyphs = Value;
  Invalidate();
}

void TWbControlButton::SetStyle(TWbControlButtonStyle Value) {
  if (Value == FStyle) return;
  FStyle = Value;
  Invalidate();
}

bool TWbControlButton::Active() { return FDown || (FMouseOver && GetEnabled()); }

void TWbControlButton::GetGlyphSize(TPoint& Size) {
  Size = {FNumGlyphs > 0 ? FGlyph->GetWidth() / FNumGlyphs : 0, FGlyph->GetHeight()};
}

void TWbControlButton::Paint() {
  TRect r = GetClientRect();
  if (FStyle == cbsNone) {
    DrawPlainButton(r);
    if (FGlyph->GetEmpty()) return;
    r = {r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
    TPoint size;
    GetGlyphSize(size);
    TRect g = RectCenteredIn(r, size.X, size.Y);
    if (FDown) {
      Integer dy = ThemesOn() ? 0 : 1;
      g = {g.Left + 1, g.Top + dy, g.Right + 1, g.Bottom + dy};
    }
    DrawButtonGlyph(g);
  } else if (FStyle == cbsDropDown) {
    DrawDropDownButton(r);
  } else {
    DrawArrowButton(r);
  }
}

namespace {
TRect Shrunk(const TRect& R, Integer d) { return {R.Left + d, R.Top + d, R.Right - d, R.Bottom - d}; }
// Theme states of the scroll-bar, spin and combo-box parts: normal, hot, pressed, disabled.
int ThemeState(bool Down, bool Active, bool Enabled) { return Down ? 3 : Active ? 2 : Enabled ? 1 : 4; }
}  // namespace

void TWbControlButton::DrawPlainButton(TRect& Rect) {
  TCanvas* canvas = GetCanvas();
  if (ThemesOn()) {
    if (!FFlat || Active()) {
      TBitmap part;
      part.SetSize(Rect.Width(), Rect.Height());
      TRect over{-1, -2, Rect.Width() + 2, Rect.Height() + 2};
      DrawThemedPart(part.GetCanvas()->GetHandle(), u"scrollbar", 2, ThemeState(FDown, Active(), GetEnabled()), over);
      canvas->Draw(Rect.Left, Rect.Top, &part);
    } else {
      canvas->GetBrush()->SetColor(GetColor());
      canvas->FillRect(Rect);
    }
    Rect = Shrunk(Rect, 2);
    return;
  }
  if (FFlat) {
    if (Active()) Rect = PaintBorder(canvas, Rect, FDown ? fsStatus : fsPopup);
    canvas->GetBrush()->SetColor(GetColor());
  } else {
    Rect = FDown ? PaintBox(canvas, Rect, clBtnShadow) : PaintBorder(canvas, Rect, fsRaised);
    canvas->GetBrush()->SetColor(clBtnFace);
  }
  canvas->FillRect(Rect);
}

void TWbControlButton::DrawArrowButton(TRect& Rect) {
  TCanvas* canvas = GetCanvas();
  const Integer direction = FStyle == cbsUp ? 0 : FStyle == cbsDown ? 1 : FStyle == cbsLeft ? 2 : 3;
  if (ThemesOn()) {
    if (FFlat && !Active()) {
      canvas->GetBrush()->SetColor(GetColor());
      canvas->FillRect(Rect);
      PaintDirectionArrow(canvas, Rect, true, GetEnabled(), FDown, direction);
    } else {
      const int part = FStyle == cbsUp ? 1 : FStyle == cbsDown ? 2 : FStyle == cbsRight ? 3 : 4;
      DrawThemedPart(canvas->GetHandle(), u"spin", part, ThemeState(FDown, Active(), GetEnabled()), Rect);
    }
    Rect = Shrunk(Rect, 2);
    return;
  }
  if (!FFlat)
    Rect = FDown ? PaintBox(canvas, Rect, clBtnShadow) : PaintBorder(canvas, Rect, fsButtonUp);
  else if (Active())
    Rect = PaintBorder(canvas, Rect, FDown ? fsStatus : fsPopup);
  canvas->GetBrush()->SetColor(GetColor());
  canvas->FillRect(Rect);
  PaintDirectionArrow(canvas, Rect, false, GetEnabled(), FDown, direction);
}

void TWbControlButton::DrawDropDownButton(TRect& Rect) {
  TCanvas* canvas = GetCanvas();
  if (ThemesOn()) {
    Rect = Shrunk(Rect, -1);
    if (FFlat && !Active()) {
      canvas->GetBrush()->SetColor(GetColor());
      canvas->FillRect(Rect);
      PaintDropDownArrow(canvas, Rect, true, GetEnabled(), FDown);
    } else {
      DrawThemedPart(canvas->GetHandle(), u"combobox", 1, ThemeState(FDown, Active(), GetEnabled()), Rect);
    }
    Rect = Shrunk(Rect, 2);
    return;
  }
  if (FFlat) {
    if (Active()) Rect = PaintBorder(canvas, Rect, FDown ? fsStatus : fsPopup);
    canvas->GetBrush()->SetColor(GetColor());
  } else {
    Rect = FDown ? PaintBox(canvas, Rect, clBtnShadow) : PaintBorder(canvas, Rect, fsButtonUp);
    canvas->GetBrush()->SetColor(clBtnFace);
  }
  canvas->FillRect(Rect);
  PaintDropDownArrow(canvas, Rect, false, GetEnabled(), FDown);
}

void TWbControlButton::DrawButtonGlyph(const TRect& Rect) {
  TPoint size;
  GetGlyphSize(size);
  const Integer image = FNumGlyphs >= 2 && !GetEnabled() ? 1 : 0;
  TBitmap work;
  work.SetSize(Rect.Width(), Rect.Height());
  work.GetCanvas()->CopyRect({0, 0, Rect.Width(), Rect.Height()}, GetCanvas(), Rect);
  PaintTransparentBitmapFull(work.GetCanvas(), FGlyph.get(), {0, 0, Rect.Width(), Rect.Height()},
                             {image * size.X, 0, (image + 1) * size.X, size.Y}, FGlyph->GetTransparentColor());
  GetCanvas()->Draw(Rect.Left, Rect.Top, &work);
}

void TWbControlButton::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  inherited::MouseDown(Button, Shift, X, Y);
  if (Button == mbLeft && GetEnabled()) {
    if (!FDown) {
      FDown = true;
      Invalidate();
    }
    FTracking = true;
  }
  if (FRepeatClicks) {
    if (!FRepeatTimer) {
      FRepeatTimer = new TTimer(this);
      FRepeatTimer->SetOnTimer(MakeEvent<&TWbControlButton::RepeatTimerTick>(this));
    }
    FRepeatTimer->SetInterval(FInitialDelay);
    FRepeatTimer->SetEnabled(true);
  }
}

void TWbControlButton::RepeatTimerTick(TObject*) {
  FRepeatTimer->SetInterval(FDelay);
  if (!FDown || !GetMouseCapture()) return;
  try {
    Click();
  } catch (...) {
    FRepeatTimer->SetEnabled(false);
    throw;
  }
}

void TWbControlButton::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  inherited::MouseUp(Button, Shift, X, Y);
  if (FTracking) {
    FTracking = false;
    const bool inside = Inside(this, X, Y);
    FDown = false;
    FMouseOver = false;
    Repaint();
    if (inside) Click();
    if ((FFlat || ThemesOn()) && GetEnabled()) {
      TPoint cursor;
      GetCursorPos(&cursor);
      Perform(FindDragTarget(cursor, false) == this ? CM_MOUSEENTER : CM_MOUSELEAVE, 0, 0);
    }
  }
  if (FRepeatTimer) FRepeatTimer->SetEnabled(false);
}

void TWbControlButton::CMMouseEnter(TMessage& Message) {
  if (Message.LParam != 0) {
    InheritedMessage(Message);
    return;
  }
  FMouseOver = true;
  InheritedMessage(Message);
  if (FFlat || ThemesOn()) Repaint();
}

void TWbControlButton::CMMouseLeave(TMessage& Message) {
  if (Message.LParam != 0) {
    InheritedMessage(Message);
    return;
  }
  FMouseOver = false;
  InheritedMessage(Message);
  if (FFlat || ThemesOn()) Repaint();
}
