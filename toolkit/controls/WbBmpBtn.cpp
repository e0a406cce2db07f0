#include "toolkit/controls/WbBmpBtn.h"

#include "gdi/Bitmaps.h"
#include "gdi/Blits.h"
#include "gdi/DeviceContexts.h"
#include "gdi/Text.h"
#include "gdi/TextLayout.h"
#include "rtl/ClassRegistry.h"
#include "toolkit/controls/WbGrafx.h"
#include "user/VirtualKeys.h"
#include "vcl/Forms.h"
#include "vcl/StdCtrls.h"

// ---- TWbButtonBitmaps ---------------------------------------------------------------------------

TAVREN_CLASS_IMPL_PUBLISHED(TWbButtonBitmaps,
    PROPERTY(Up),
    PROPERTY(UpAndFocused),
    PROPERTY(Disabled),
    PROPERTY(Down),
    PROPERTY(StayDown),
    PROPERTY(Hot),
    PROPERTY(TransparentColor).Idents(ColorIdentMap).Default(clOlive))

TWbButtonBitmaps::TWbButtonBitmaps() {
  for (auto* image : {&FUp, &FUpAndFocused, &FDisabled, &FDown, &FStayDown, &FHot}) {
    *image = std::make_unique<TBitmap>();
    (*image)->SetOnChange(MakeEvent<&TWbButtonBitmaps::ImageChanged>(this));
  }
}

TWbButtonBitmaps::~TWbButtonBitmaps() = default;

void TWbButtonBitmaps::Assign(TPersistent* Source) {
  auto* other = dynamic_cast<TWbButtonBitmaps*>(Source);
  if (!other) {
    inherited::Assign(Source);
    return;
  }
  SetUp(other->GetUp());
  SetUpAndFocused(other->GetUpAndFocused());
  SetDisabled(other->GetDisabled());
  SetDown(other->GetDown());
  SetStayDown(other->GetStayDown());
  SetHot(other->GetHot());
  SetTransparentColor(other->GetTransparentColor());
}

void TWbButtonBitmaps::SetTransparentColor(TColor Value) {
  if (Value == FTransparentColor) return;
  FTransparentColor = Value;
  FOnChange(this);
}

// ---- The shared stuck-down pattern ----------------------------------------------------------------

namespace {

Integer gPatternUsers = 0;
std::unique_ptr<TBitmap> gPattern;

// clBtnFace with white where column and row have the same parity.
TBitmap* DownPattern() {
  if (!gPattern) {
    gPattern = std::make_unique<TBitmap>();
    gPattern->SetSize(8, 8);
    for (Integer y = 0; y < 8; ++y)
      for (Integer x = 0; x < 8; ++x) gPattern->GetCanvas()->SetPixel(x, y, (x % 2) == (y % 2) ? clWhite : clBtnFace);
  }
  return gPattern.get();
}

bool Present(TBitmap* Bitmap) { return Bitmap && !Bitmap->GetEmpty(); }

// The disabled look made from Up: its dark lines (the ink of a monochrome copy) drawn in the
// highlight one pixel down and right and then in the shadow colour, on the button face.
std::unique_ptr<TBitmap> EmbossedImage(TBitmap* Up, TColor TransparentColor) {
  const Integer w = Up->GetWidth(), h = Up->GetHeight();
  const COLORREF transparent = ColorToRGB(TransparentColor);
  TBitmap mono;
  mono.SetMonochrome(true);
  mono.SetSize(w, h);
  TCanvas* source = Up->GetCanvas();
  TCanvas* ink = mono.GetCanvas();
  for (Integer y = 0; y < h; ++y)
    for (Integer x = 0; x < w; ++x) {
      COLORREF c = ColorToRGB(source->GetPixel(x, y)) & 0xFFFFFF;
      const Integer luminance = (Integer(c & 0xFF) * 30 + Integer((c >> 8) & 0xFF) * 59 + Integer(c >> 16) * 11) / 100;
      ink->SetPixel(x, y, c != transparent && luminance < 128 ? clWhite : clBlack);
    }
  auto result = std::make_unique<TBitmap>();
  result->SetSize(w, h);
  TCanvas* c = result->GetCanvas();
  c->GetBrush()->SetColor(clBtnFace);
  c->FillRect({0, 0, w, h});
  HDC dc = c->GetHandle();
  HDC monoDc = ink->GetHandle();
  // Where the copy is white the brush is painted, elsewhere the face stays (DSPDxax).
  for (auto [offset, colour] : {std::pair{1, clBtnHighlight}, std::pair{0, clBtnShadow}}) {
    c->GetBrush()->SetColor(colour);
    c->RequiredState({csHandleValid, csBrushValid});
    SetTextColor(dc, 0);
    SetBkColor(dc, 0xFFFFFF);
    BitBlt(dc, offset, offset, w, h, monoDc, 0, 0, 0x00E20746);
  }
  return result;
}

TRect Moved(const TRect& R, Integer dx, Integer dy) { return {R.Left + dx, R.Top + dy, R.Right + dx, R.Bottom + dy}; }

}  // namespace

// ---- TWbBmpButton ---------------------------------------------------------------------------------

TAVREN_CLASS_IMPL_PUBLISHED(TWbBmpButton,
    PROPERTY(Bitmaps),
    PROPERTY(AllowAllUp).Default(false),
    PROPERTY(ButtonBorder).Default(bbNone),
    PROPERTY(ButtonSize).Default(bszButtonToBitmap),
    PROPERTY(ButtonStyle).Default(bsAutoDetect),
    PROPERTY(CaptionDownOffset).Default(1),
    PROPERTY(Color).Idents(ColorIdentMap),
    PROPERTY(Down).Default(false),
    PROPERTY(GroupIndex).Default(0),
    PROPERTY(Layout).Default(blGlyphLeft),
    PROPERTY(Margin).Default(-1),
    PROPERTY(ModalResult).Default(0),
    PROPERTY(ShowDownPattern).Default(true),
    PROPERTY(ShowFocus).Default(true),
    PROPERTY(Spacing).Default(4),
    PROPERTY(Action),
    PROPERTY(Anchors),
    PROPERTY(Caption),
    PROPERTY(Enabled).Default(true),
    PROPERTY(Font),
    PROPERTY(Hint),
    PROPERTY(ParentFont).Default(true),
    PROPERTY(ShowHint),
    PROPERTY(TabOrder),
    PROPERTY(TabStop).Default(true),
    PROPERTY(Visible).Default(true),
    PROPERTY(OnClick),
    PROPERTY(OnDblClick),
    PROPERTY(OnEnter),
    PROPERTY(OnExit),
    PROPERTY(OnKeyDown),
    PROPERTY(OnKeyPress),
    PROPERTY(OnKeyUp),
    PROPERTY(OnMouseDown),
    PROPERTY(OnMouseMove),
    PROPERTY(OnMouseUp),
    PROPERTY(OnMouseEnter),
    PROPERTY(OnMouseLeave))
TAVREN_MESSAGE_TABLE(TWbBmpButton,
    MESSAGE_HANDLER(CM_WBBUTTONPRESSED, CMButtonPressed),
    MESSAGE_HANDLER(CM_DIALOGCHAR, CMDialogChar),
    MESSAGE_HANDLER(CM_MOUSEENTER, CMMouseEnter),
    MESSAGE_HANDLER(CM_MOUSELEAVE, CMMouseLeave),
    MESSAGE_HANDLER(CM_ENABLEDCHANGED, CMLookChanged),
    MESSAGE_HANDLER(CM_FONTCHANGED, CMLookChanged),
    MESSAGE_HANDLER(CM_TEXTCHANGED, CMLookChanged),
    MESSAGE_HANDLER(CM_SYSCOLORCHANGE, CMLookChanged),
    MESSAGE_HANDLER(WM_SETFOCUS, WMSetFocus),
    MESSAGE_HANDLER(WM_KILLFOCUS, WMKillFocus))

TWbBmpButton::TWbBmpButton(TComponent* AOwner) : TCustomControl(AOwner), FBitmaps(std::make_unique<TWbButtonBitmaps>()) {
  FBitmaps->SetOnChange(MakeEvent<&TWbBmpButton::BitmapsChanged>(this));
  FControlStyle = TControlStyle{csCaptureMouse, csOpaque, csDoubleClicks};
  TControl::SetColor(clBtnFace);
  SetBounds(GetLeft(), GetTop(), 80, 30);
  SetTabStop(true);
  ++gPatternUsers;
}

TWbBmpButton::~TWbBmpButton() {
  if (--gPatternUsers == 0) gPattern.reset();
}

bool TWbBmpButton::NewStyle() const {
  return FButtonStyle == bsNew || (FButtonStyle == bsAutoDetect && NewStyleControls);
}

void TWbBmpButton::ApplySizeRule() {
  if (GetComponentState().Contains(csLoading) || FButtonSize == bszNeither || !Present(FBitmaps->GetUp())) return;
  if (FButtonSize == bszButtonToBitmap) {
    const Integer b = FButtonBorder == bbNone ? 0 : FButtonBorder == bbSingle ? 1 : NewStyle() ? 2 : 3;
    const Integer w = FBitmaps->GetUp()->GetWidth() + 2 * b, h = FBitmaps->GetUp()->GetHeight() + 2 * b;
    if (w != GetWidth() || h != GetHeight()) inherited::SetBounds(GetLeft(), GetTop(), w, h);
  }
  Invalidate();
}

void TWbBmpButton::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
  inherited::SetBounds(ALeft, ATop, AWidth, AHeight);
  ApplySizeRule();
}

void TWbBmpButton::Loaded() {
  inherited::Loaded();
  ApplySizeRule();
}

void TWbBmpButton::BitmapsChanged(TObject*) {
  if (FButtonSize == bszButtonToBitmap) ApplySizeRule();
  Invalidate();
}

#define WB_BMP_SETTER(Name, Type, Resize)       \
  void TWbBmpButton::Set##Name(Type Value) {    \
    if (Value == F##Name) return;               \
    F##Name = Value;                            \
    if (Resize) ApplySizeRule();                \
    Invalidate();                               \
  }
WB_BMP_SETTER(ButtonBorder, TButtonBorder, true)
WB_BMP_SETTER(ButtonSize, TBtnSize, true)
WB_BMP_SETTER(ButtonStyle, TButtonStyle, true)
WB_BMP_SETTER(CaptionDownOffset, Integer, false)
WB_BMP_SETTER(Layout, TButtonLayout, false)
WB_BMP_SETTER(ShowDownPattern, bool, false)
WB_BMP_SETTER(ShowFocus, bool, false)
WB_BMP_SETTER(Spacing, Integer, false)
#undef WB_BMP_SETTER

void TWbBmpButton::SetMargin(Integer Value) {
  if (Value == FMargin || Value < -1) return;
  FMargin = Value;
  Invalidate();
}

void TWbBmpButton::SetAllowAllUp(bool Value) {
  FAllowAllUp = Value;
  UpdateExclusive();
}

void TWbBmpButton::SetGroupIndex(Integer Value) {
  FGroupIndex = Value;
  UpdateExclusive();
}

void TWbBmpButton::UpdateExclusive() {
  if (FGroupIndex != 0 && GetParent()) {
    TMessage msg{CM_WBBUTTONPRESSED, WPARAM(FGroupIndex), reinterpret_cast<LPARAM>(this), 0};
    GetParent()->Broadcast(msg);
  } else {
    FState = bsUp;
  }
}

void TWbBmpButton::SetDown(bool Value) {
  if (FGroupIndex == 0) Value = false;
  if (Value == FDown || (FDown && !FAllowAllUp)) return;
  FDown = Value;
  FState = Value ? bsExclusive : bsUp;
  Invalidate();
  if (Value) UpdateExclusive();
}

void TWbBmpButton::CMButtonPressed(TMessage& Message) {
  auto* sender = reinterpret_cast<TWbBmpButton*>(Message.LParam);
  if (Integer(Message.WParam) != FGroupIndex || sender == this) return;
  if (sender->GetDown() && FDown) {
    FDown = false;
    FState = bsUp;
    Invalidate();
  }
  FAllowAllUp = sender->GetAllowAllUp();
}

TBitmap* TWbBmpButton::ChooseImage(std::unique_ptr<TBitmap>& Embossed) {
  TWbButtonBitmaps* b = FBitmaps.get();
  switch (FState) {
    case bsUp:
      if (FMouseOver && Present(b->GetHot())) return b->GetHot();
      if (Focused() && FShowFocus && Present(b->GetUpAndFocused())) return b->GetUpAndFocused();
      return b->GetUp();
    case bsDisabled: {
      if (Present(b->GetDisabled())) return b->GetDisabled();
      Embossed = EmbossedImage(b->GetUp(), b->GetTransparentColor());
      return Embossed.get();
    }
    case bsDown: return Present(b->GetDown()) ? b->GetDown() : b->GetUp();
    case bsExclusive:
      if (Present(b->GetStayDown())) return b->GetStayDown();
      return Present(b->GetDown()) ? b->GetDown() : b->GetUp();
  }
  return b->GetUp();
}

void TWbBmpButton::CalcLayout(const TRect& Client, TBitmap* Image, TRect& CaptionRect, TRect& GlyphRect) {
  const Integer W = Client.Width(), H = Client.Height();
  TPoint G{0, 0};
  if (Present(Image) && FButtonSize == bszNeither) G = {Image->GetWidth(), Image->GetHeight()};
  TRect text{0, 0, W, 0};
  const String caption = GetCaption();
  if (!caption.empty()) {
    GetCanvas()->SetFont(GetFont());
    GetCanvas()->RequiredState({csHandleValid, csFontValid});
    DrawText(GetCanvas()->GetHandle(), caption.c_str(), -1, &text, DT_CALCRECT | DT_SINGLELINE);
  } else {
    text = {};
  }
  const TPoint T{text.Width(), text.Height()};
  TPoint glyphAt, textAt;
  const bool horizontal = FLayout == blGlyphLeft || FLayout == blGlyphRight;
  if (horizontal) {
    glyphAt.Y = H / 2 - G.Y / 2;
    textAt.Y = H / 2 - T.Y / 2;
  } else {
    glyphAt.X = W / 2 - G.X / 2;
    textAt.X = W / 2 - T.X / 2;
  }
  Integer S = FSpacing, M = FMargin;
  if (T.X == 0 || G.X == 0) S = 0;
  const Integer E = horizontal ? W : H, g = horizontal ? G.X : G.Y, t = horizontal ? T.X : T.Y;
  if (M == -1 && S == -1) {
    M = (E - (g + t)) / 3;
    S = M;
  } else if (M == -1) {
    M = E / 2 - (g + S + t) / 2;
  } else if (S == -1) {
    S = (E - (M + g)) / 2 - t / 2;
  }
  switch (FLayout) {
    case blGlyphLeft:
      glyphAt.X = M;
      textAt.X = M + G.X + S;
      break;
    case blGlyphRight:
      glyphAt.X = W - M - G.X;
      textAt.X = glyphAt.X - S - T.X;
      break;
    case blGlyphTop:
      glyphAt.Y = M;
      textAt.Y = M + G.Y + S;
      break;
    case blGlyphBottom:
      glyphAt.Y = H - M - G.Y;
      textAt.Y = glyphAt.Y - S - T.Y;
      break;
  }
  CaptionRect = Moved(text, Client.Left + textAt.X, Client.Top + textAt.Y);
  GlyphRect = G.X || G.Y ? TRect{Client.Left + glyphAt.X, Client.Top + glyphAt.Y, Client.Left + glyphAt.X + G.X,
                                 Client.Top + glyphAt.Y + G.Y}
                         : TRect{};
}

void TWbBmpButton::Paint() {
  if (!GetEnabled()) {
    FState = bsDisabled;
    FTracking = false;
  } else if (FState == bsDisabled) {
    FState = bsUp;
  }
  const Integer W = GetWidth(), H = GetHeight();
  TBitmap buffer;
  buffer.SetSize(W, H);
  TCanvas* canvas = buffer.GetCanvas();
  const Integer bevel = NewStyle() ? 1 : 2;
  TRect r{0, 0, W, H};
  canvas->GetBrush()->SetColor(GetColor());
  switch (FButtonBorder) {
    case bbNone: PaintParentBackground(this, canvas, false); break;
    case bbSingle:
      canvas->FillRect(r);
      canvas->GetBrush()->SetColor(clBlack);
      canvas->FrameRect(r);
      r = {r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
      break;
    case bbButton:
      r = DrawButtonFace(canvas, {0, 0, W, H}, bevel, FButtonStyle, !NewStyle(), FState == bsDown || FState == bsExclusive,
                         FFocused && FShowFocus);
      r = {r.Left - 1, r.Top - 1, r.Right + 1, r.Bottom + 1};
      break;
  }
  if (FState == bsExclusive && FButtonBorder != bbNone) {
    if (FShowDownPattern) canvas->GetBrush()->SetBitmap(DownPattern());
    const Integer pull = NewStyle() ? 2 : 1;
    TRect fill{r.Left - bevel, r.Top - bevel, r.Right - pull + bevel, r.Bottom - pull + bevel};
    canvas->FillRect(fill);
    canvas->GetBrush()->SetBitmap(nullptr);
  }
  std::unique_ptr<TBitmap> embossed;
  TBitmap* image = nullptr;
  if (Present(FBitmaps->GetUp()) || (FState == bsDisabled && Present(FBitmaps->GetDisabled())))
    image = ChooseImage(embossed);
  TRect captionRect, glyphRect;
  CalcLayout(r, image, captionRect, glyphRect);
  if (Present(image)) {
    const TColor transparent = FBitmaps->GetTransparentColor();
    const TRect whole{0, 0, image->GetWidth(), image->GetHeight()};
    switch (FButtonSize) {
      case bszNeither: PaintTransparentBitmap(canvas, image, glyphRect, whole, transparent); break;
      case bszButtonToBitmap: PaintTransparentBitmapFull(canvas, image, r, whole, transparent); break;
      case bszStretchToButton: PaintTransparentStretched(canvas, image, r, transparent); break;
      case bszTileToButton: PaintTransparentTiled(canvas, image, r, transparent); break;
    }
  }
  const String caption = GetCaption();
  if (!caption.empty()) {
    canvas->SetFont(GetFont());
    canvas->GetBrush()->SetStyle(bsClear);
    const UINT flags = DT_SINGLELINE | DT_VCENTER | DT_CENTER;
    HDC dc = canvas->GetHandle();
    auto draw = [&](TRect at, TColor color) {
      canvas->GetFont()->SetColor(color);
      canvas->RequiredState({csHandleValid, csFontValid, csBrushValid});
      DrawText(dc, caption.c_str(), -1, &at, flags);
    };
    if (FState == bsDisabled) {
      draw(Moved(captionRect, 1, 1), clWhite);
      draw(captionRect, TColor(0x808080));
    } else {
      const Integer d = FState == bsDown || FState == bsExclusive ? FCaptionDownOffset : 0;
      draw(Moved(captionRect, d, d), GetFont()->GetColor());
    }
    canvas->GetBrush()->SetStyle(bsSolid);
    if (Focused() && FShowFocus) {
      canvas->GetBrush()->SetColor(clBtnFace);
      canvas->DrawFocusRect({captionRect.Left - 2, captionRect.Top - 2, captionRect.Right + 2, captionRect.Bottom + 2});
    }
  }
  GetCanvas()->Draw(0, 0, &buffer);
}

void TWbBmpButton::Click() {
  if (TCustomForm* form = GetParentForm()) form->SetModalResult(FModalResult);
  inherited::Click();
}

void TWbBmpButton::Finish(bool Clicked) {
  if (FGroupIndex == 0) {
    Repaint();
  } else if (Clicked) {
    SetDown(!FDown);
  } else {
    if (FDown) FState = bsExclusive;
    Repaint();
  }
  if (Clicked) Click();
}

void TWbBmpButton::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  inherited::MouseDown(Button, Shift, X, Y);
  if (GetEnabled() && !FFocused && IsWindowVisible(GetHandle())) SetFocus();
  if (Button == mbLeft && GetEnabled() && FFocused) {
    if (!FDown) {
      FState = bsDown;
      Repaint();
    }
    FTracking = true;
    FTrackingKey = false;
  }
}

void TWbBmpButton::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  inherited::MouseMove(Shift, X, Y);
  if (!FTracking || FTrackingKey) return;
  // The row just below the button still counts as inside.
  const bool inside = X >= 0 && X < GetClientWidth() && Y >= 0 && Y <= GetClientHeight();
  TWbButtonState state = inside ? (FDown ? bsExclusive : bsDown) : (FDown ? bsExclusive : bsUp);
  if (state != FState) {
    FState = state;
    Repaint();
  }
}

void TWbBmpButton::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  inherited::MouseUp(Button, Shift, X, Y);
  if (!FTracking || FTrackingKey) return;
  FTracking = false;
  const bool inside = X >= 0 && X < GetClientWidth() && Y >= 0 && Y <= GetClientHeight();
  if (FGroupIndex == 0) FState = bsUp;
  UpdateExclusive();
  Finish(inside);
}

void TWbBmpButton::KeyDown(Word& Key, TShiftState Shift) {
  inherited::KeyDown(Key, Shift);
  if (Key == VK_RETURN) {
    Click();
  } else if (Key == VK_SPACE && GetEnabled() && !FTracking) {
    if (!FDown) {
      FState = bsDown;
      Repaint();
    }
    FTracking = true;
    FTrackingKey = true;
  }
}

void TWbBmpButton::KeyUp(Word& Key, TShiftState Shift) {
  inherited::KeyUp(Key, Shift);
  // Only the release of the Space that began the press clicks; a mouse press ends with the mouse.
  if (!FTracking || !FTrackingKey || Key != VK_SPACE) return;
  FTracking = false;
  FTrackingKey = false;
  FState = bsUp;
  Finish(true);
}

void TWbBmpButton::DblClick() {
  inherited::DblClick();
  if (FDown) GetOnDblClick()(this);
}

void TWbBmpButton::CMDialogChar(TMessage& Message) {
  if (GetEnabled() && IsAccel(Word(Message.WParam), GetCaption())) {
    Click();
    Message.Result = 1;
    return;
  }
  InheritedMessage(Message);
}

void TWbBmpButton::CMMouseEnter(TMessage& Message) {
  if (Message.LParam == 0) FMouseOver = true;
  InheritedMessage(Message);
  if (Message.LParam == 0 && Present(FBitmaps->GetHot())) Invalidate();
}

void TWbBmpButton::CMMouseLeave(TMessage& Message) {
  if (Message.LParam == 0) FMouseOver = false;
  InheritedMessage(Message);
  if (Message.LParam == 0 && Present(FBitmaps->GetHot())) Invalidate();
}

void TWbBmpButton::CMLookChanged(TMessage& Message) {
  InheritedMessage(Message);
  Invalidate();
}

void TWbBmpButton::WMSetFocus(TMessage& Message) {
  FFocused = true;
  InheritedMessage(Message);
  Invalidate();
}

void TWbBmpButton::WMKillFocus(TMessage& Message) {
  FFocused = false;
  InheritedMessage(Message);
  Invalidate();
}

void WbBmpBtnStart() { RegisterClasses({TWbBmpButton::ClassInfo()}); }
