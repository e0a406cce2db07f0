#include "toolkit/controls/WbRadChk.h"

#include "gdi/Edges.h"
#include "gdi/GdiTypes.h"
#include "gdi/TextLayout.h"
#include "rtl/ClassRegistry.h"
#include "toolkit/controls/WbGrafx.h"
#include "user/Messages.h"
#include "user/VirtualKeys.h"
#include "vcl/StdCtrls.h"
#include "vcl/Themes.h"

namespace {
bool ThemesOn() { return ThemeServices()->ThemesEnabled(); }
}

// ---- TWbCustomGlyphButton -------------------------------------------------------------------------

TAVREN_CLASS_IMPL(TWbCustomGlyphButton)
TAVREN_MESSAGE_TABLE(TWbCustomGlyphButton,
    MESSAGE_HANDLER(WM_ERASEBKGND, WMEraseBkgnd),
    MESSAGE_HANDLER(WM_SIZE, WMSize),
    MESSAGE_HANDLER(CM_ENABLEDCHANGED, CMEnabledChanged),
    MESSAGE_HANDLER(CM_PARENTCOLORCHANGED, CMParentColorChanged))

TWbCustomGlyphButton::TWbCustomGlyphButton(TComponent* AOwner)
    : TWbCustomButton(AOwner), FCustomGlyphs(std::make_unique<TBitmap>()), FBackground(std::make_unique<TBitmap>()) {
  FControlStyle.Include(csSetCaption);
  FControlStyle.Include(csReplicatable);
  FCustomGlyphs->SetOnChange(MakeEvent<&TWbCustomGlyphButton::CustomGlyphsChanged>(this));
}

TWbCustomGlyphButton::~TWbCustomGlyphButton() {
  if (FFrameController) FFrameController->RemoveControl(this);
}

#define WB_INVALIDATING_SETTER(Name, Type) \
  void TWbCustomGlyphButton::Set##Name(Type Value) { \
    if (Value == F##Name) return;                    \
    F##Name = Value;                                 \
    Invalidate();                                    \
  }
WB_INVALIDATING_SETTER(Alignment, TLeftRight)
WB_INVALIDATING_SETTER(DisabledColor, TColor)
WB_INVALIDATING_SETTER(FillColor, TColor)
WB_INVALIDATING_SETTER(FocusColor, TColor)
WB_INVALIDATING_SETTER(FrameColor, TColor)
WB_INVALIDATING_SETTER(ReadOnly, bool)
WB_INVALIDATING_SETTER(ReadOnlyColor, TColor)
WB_INVALIDATING_SETTER(TransparentColor, TColor)
WB_INVALIDATING_SETTER(WinMaskColor, TColor)
WB_INVALIDATING_SETTER(UseCustomGlyphs, bool)
#undef WB_INVALIDATING_SETTER

void TWbCustomGlyphButton::SetCustomGlyphs(TBitmap* Value) { FCustomGlyphs->Assign(Value); }

void TWbCustomGlyphButton::CustomGlyphsChanged(TObject*) {
  SetUseCustomGlyphs(!FCustomGlyphs->GetEmpty());
  FBackgroundStale = true;
  Invalidate();
}

void TWbCustomGlyphButton::SetTransparent(bool Value) {
  if (Value == GetTransparent()) return;
  FBackgroundStale = true;
  TWbCustomButton::SetTransparent(Value);
}

void TWbCustomGlyphButton::SetFrameController(TWbFrameController* Value) {
  if (Value == FFrameController) return;
  if (FFrameController) FFrameController->RemoveControl(this);
  FFrameController = Value;
  if (Value) {
    Value->AddControl(this);
    Value->FreeNotification(this);
  }
}

void TWbCustomGlyphButton::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FFrameController) FFrameController = nullptr;
}

void TWbCustomGlyphButton::PullFrameControllerValues() {
  if (!FFrameController || !FFrameController->GetFrameVisible()) return;
  TWbFrameController* c = FFrameController;
  const TWbFrameControllerNotifications& n = FFrameControllerNotifications;
  SetHotTrack(true);
  if (n.Contains(fcpColor)) FFillColor = c->GetColor();
  if (n.Contains(fcpFrameColor)) FFrameColor = c->GetFrameColor();
  if (n.Contains(fcpFocusColor)) FFocusColor = c->GetFocusColor();
  if (n.Contains(fcpDisabledColor)) FDisabledColor = c->GetDisabledColor();
  if (n.Contains(fcpReadOnlyColor)) FReadOnlyColor = c->GetReadOnlyColor();
  if (n.Contains(fcpReadOnlyColorOnFocus)) FReadOnlyColorOnFocus = c->GetReadOnlyColorOnFocus();
  if (n.Contains(fcpFrameHotTrack)) FHotTrackStyle = c->GetFrameHotTrack() ? htsFrame : htsInterior;
  if (n.Contains(fcpFrameHotColor) && FHotTrackStyle == htsFrame) SetHotTrackColor(c->GetFrameHotColor());
  Invalidate();
}

Integer TWbCustomGlyphButton::GlyphWidth() const {
  return FUseCustomGlyphs && FNumGlyphs > 0 ? FCustomGlyphs->GetWidth() / FNumGlyphs : 13;
}

Integer TWbCustomGlyphButton::GlyphHeight() const { return FUseCustomGlyphs ? FCustomGlyphs->GetHeight() : 13; }

TRect TWbCustomGlyphButton::GlyphRect() {
  const Integer w = GlyphWidth(), h = GlyphHeight();
  const bool rtl = UsesRightToLeftReading(this);
  const bool atRight = (FAlignment == taLeftJustify && !rtl) || (FAlignment == taRightJustify && rtl);
  const Integer x = atRight ? GetWidth() - w : 0;
  Integer y = 2;
  if (GetAlignmentVertical() == avCenter) y = (GetHeight() - h) / 2;
  if (GetAlignmentVertical() == avBottom) y = GetHeight() - h - 2;
  return {x, y, x + w, y + h};
}

void TWbCustomGlyphButton::ExtractGlyph(Integer Index, TBitmap* Bitmap, Integer Height, Integer Width,
                                        TBitmap* Strip) {
  Bitmap->SetSize(Width, Height);
  Bitmap->GetCanvas()->CopyRect({0, 0, Width, Height}, Strip->GetCanvas(),
                                {Index * Width, 0, (Index + 1) * Width, Height});
}

void TWbCustomGlyphButton::DrawGlyph(TCanvas* Canvas) {
  if (!Canvas) Canvas = GetCanvas();
  const TRect at = GlyphRect();
  const Integer w = at.Width(), h = at.Height();
  const TRect whole{0, 0, w, h};
  TBitmap glyph;
  glyph.SetSize(w, h);
  GetGlyph(&glyph);
  TBitmap composed;
  composed.SetSize(w, h);
  if (GetTransparent()) {
    composed.GetCanvas()->CopyRect(whole, Canvas, at);
    PaintTransparentBitmapFull(composed.GetCanvas(), &glyph, whole, whole, ThemesOn() ? clBtnFace : FTransparentColor);
  } else {
    composed.GetCanvas()->GetBrush()->SetColor(GetColor());
    composed.GetCanvas()->BrushCopy(whole, &glyph, whole, FTransparentColor);
  }
  TBitmap* final = &composed;
  TBitmap masked;
  if (FUseCustomGlyphs) {
    masked.SetSize(w, h);
    masked.GetCanvas()->GetBrush()->SetColor(clWindow);
    masked.GetCanvas()->BrushCopy(whole, &composed, whole, FWinMaskColor);
    final = &masked;
  }
  if (GetTransparent()) AdjustTransparentGlyph(final);
  Canvas->Draw(at.Left, at.Top, final);
}

void TWbCustomGlyphButton::UpdateBackground() {
  FBackground->SetSize(GetWidth(), GetHeight());
  const TRect client{0, 0, GetWidth(), GetHeight()};
  if (GetTransparent()) {
    FBackground->GetCanvas()->CopyRect(client, GetCanvas(), client);
  } else {
    FBackground->GetCanvas()->GetBrush()->SetColor(GetColor());
    FBackground->GetCanvas()->FillRect(client);
  }
  FBackgroundStale = false;
}

void TWbCustomGlyphButton::Paint() {
  const Integer W = GetWidth(), H = GetHeight();
  TBitmap buffer;
  buffer.SetSize(W, H);
  TCanvas* canvas = buffer.GetCanvas();
  canvas->SetFont(GetFont());
  canvas->GetBrush()->SetColor(GetColor());
  if (FBackgroundStale) UpdateBackground();
  canvas->Draw(0, 0, FBackground.get());
  DrawGlyph(canvas);
  const bool rtl = UsesRightToLeftReading(this);
  const TRect glyph = GlyphRect();
  TRect t{1, 1, W - 1, H - 1};
  if (glyph.Left == 0)
    t.Left += glyph.Width() + 4;
  else
    t.Right -= glyph.Width() + 4;
  DrawStyledText(canvas, t, DT_EXPANDTABS | DT_WORDBREAK | (rtl ? DT_RIGHT : 0));
  t = {t.Left - 1, t.Top - 1, t.Right + 1, t.Bottom + 1};
  String caption = GetCaption();
  if (Focused() && !caption.empty()) {
    canvas->SetFont(GetFont());
    Integer e = std::min(t.Width(), canvas->TextWidth(StripAccelerators(caption)) + 3);
    if (rtl)
      t.Left = t.Right - e;
    else
      t.Right = t.Left + e;
    PaintDottedFocusRect(canvas, t);
  }
  GetCanvas()->Draw(0, 0, &buffer);
}

void TWbCustomGlyphButton::WMEraseBkgnd(TMessage& Message) {
  FBackgroundStale = true;
  InheritedMessage(Message);
}

void TWbCustomGlyphButton::WMSize(TMessage& Message) {
  FBackgroundStale = true;
  InheritedMessage(Message);
}

void TWbCustomGlyphButton::CMEnabledChanged(TMessage& Message) {
  FBackgroundStale = true;
  InheritedMessage(Message);
}

void TWbCustomGlyphButton::CMParentColorChanged(TMessage& Message) {
  FBackgroundStale = true;
  InheritedMessage(Message);
}

void TWbCustomGlyphButton::KeyPress(Char& Key) {
  if (!TabOnEnterKey(this, FTabOnEnter, Key)) inherited::KeyPress(Key);
}

TClassOf<TActionLink> TWbCustomGlyphButton::GetActionLinkClass() { return TWbCheckedActionLink::ClassInfo(); }

void TWbCustomGlyphButton::ActionChange(TObject* Sender, bool CheckDefaults) {
  inherited::ActionChange(Sender, CheckDefaults);
  if (auto* action = dynamic_cast<TCustomAction*>(Sender)) {
    if (!CheckDefaults || !GetChecked()) {
      FClicksDisabled = true;
      SetChecked(action->GetChecked());
      FClicksDisabled = false;
    }
  }
}

void TWbCustomGlyphButton::DefineProperties(TFiler* Filer) {
  inherited::DefineProperties(Filer);
  // Older versions stored the hot-tracking flag as "Flat".
  Filer->DefineProperty("Flat", [this](TReader* R) { SetHotTrack(R->ReadBoolean()); }, nullptr, false);
}

// ---- TWbCheckedActionLink ---------------------------------------------------------------------------

TAVREN_CLASS_IMPL(TWbCheckedActionLink)

TWbCheckedActionLink::TWbCheckedActionLink(TObject* AClient)
    : TWinControlActionLink(AClient), FButton(dynamic_cast<TWbCustomGlyphButton*>(AClient)) {}

bool TWbCheckedActionLink::IsCheckedLinked() {
  auto* action = dynamic_cast<TCustomAction*>(GetAction());
  return TWinControlActionLink::IsCheckedLinked() && FButton && action && FButton->GetChecked() == action->GetChecked();
}

void TWbCheckedActionLink::SetChecked(bool Value) {
  if (!IsCheckedLinked() && !dynamic_cast<TCustomAction*>(GetAction())) return;
  if (!FButton) return;
  FButton->SetClicksDisabled(true);
  try {
    FButton->SetChecked(Value);
  } catch (...) {
    FButton->SetClicksDisabled(false);
    throw;
  }
  FButton->SetClicksDisabled(false);
}

// ---- TWbCustomCheckBox ----------------------------------------------------------------------------

TAVREN_CLASS_IMPL(TWbCustomCheckBox)
TAVREN_MESSAGE_TABLE(TWbCustomCheckBox,
    MESSAGE_HANDLER(CM_EXIT, CMExit),
    MESSAGE_HANDLER(CM_DIALOGCHAR, CMDialogChar))

TWbCustomCheckBox::TWbCustomCheckBox(TComponent* AOwner) : TWbCustomGlyphButton(AOwner) {
  SetAlignmentVertical(avTop);
  FNumGlyphs = 9;
}

bool TWbCustomCheckBox::IsCheckedStored() const {
  TActionLink* link = GetActionLink();
  return !link || !link->IsCheckedLinked();
}

void TWbCustomCheckBox::ChangeState() {
  // Read-only refuses every interactive change, by mouse, Space or accelerator alike.
  if (GetReadOnly()) return;
  switch (FState) {
    case cbUnchecked: SetState(FAllowGrayed ? cbGrayed : cbChecked); break;
    case cbChecked: SetState(cbUnchecked); break;
    case cbGrayed: SetState(cbChecked); break;
  }
}

void TWbCustomCheckBox::SetState(TCheckBoxState Value) {
  if (Value == FState) return;
  FState = Value;
  ShowPressedState();
  if (!GetClicksDisabled()) Click();
}

void TWbCustomCheckBox::GetGlyph(TBitmap* Bitmap) {
  const Integer w = Bitmap->GetWidth(), h = Bitmap->GetHeight();
  const bool pressed = IsPressed();
  if (GetUseCustomGlyphs()) {
    Integer index = FState + (!GetEnabled() ? 6 : pressed ? 3 : 0);
    ExtractGlyph(index, Bitmap, h, w, GetCustomGlyphs());
    return;
  }
  TRect r{0, 0, w, h};
  if (ThemesOn()) {
    // Check-box states: four per state of the box (normal, hot, pressed, disabled).
    int look = !GetEnabled() ? 4 : pressed ? 3 : IsMouseOver() ? 2 : 1;
    int state = FState * 4 + look;
    Bitmap->GetCanvas()->GetBrush()->SetColor(clBtnFace);
    Bitmap->GetCanvas()->FillRect(r);
    DrawThemedPart(Bitmap->GetCanvas()->GetHandle(), u"button", 3, state, r);
    return;
  }
  if (GetHotTrack()) {
    Integer drawState = !GetEnabled() ? 3 : pressed ? 1 : IsMouseOver() ? 2 : 0;
    TColor hotFrame, hotLight;
    if (GetHotTrackColorType() == htctActual) {
      hotFrame = GetHotTrackColor();
      hotLight = MixColors(clWhite, GetHotTrackColor(), 190);
    } else {
      hotLight = OppositeHueColor(GetHotTrackColor(), 180);
      hotFrame = DarkenColor(hotLight, 30);
    }
    PaintCheckGlyph(Bitmap->GetCanvas(), r, FState, drawState, Focused(), GetReadOnly(), GetReadOnlyColorOnFocus(),
                    GetHotTrackStyle(), GetFrameColor(), GetFillColor(), GetFocusColor(), GetDisabledColor(),
                    GetReadOnlyColor(), GetHighlightColor(), hotFrame, hotLight);
    return;
  }
  UINT state = DFCS_BUTTONCHECK;
  if (FState == cbChecked) state |= DFCS_CHECKED;
  if (FState == cbGrayed) state |= DFCS_BUTTON3STATE | DFCS_CHECKED;
  if (pressed) state |= DFCS_PUSHED;
  if (!GetEnabled()) state |= DFCS_INACTIVE;
  DrawFrameControl(Bitmap->GetCanvas()->GetHandle(), &r, DFC_BUTTON, state);
}

void TWbCustomCheckBox::KeyDown(Word& Key, TShiftState Shift) {
  inherited::KeyDown(Key, Shift);
  if (GetReadOnly()) return;
  if (Key == VK_SPACE) {
    FSpacePressed = true;
    SetPressed(true);
    Repaint();
  } else if (Key == VK_ESCAPE) {
    FSpacePressed = false;
    SetPressed(false);
    Repaint();
  }
}

void TWbCustomCheckBox::KeyUp(Word& Key, TShiftState Shift) {
  inherited::KeyUp(Key, Shift);
  if (GetReadOnly() || Key != VK_SPACE) return;
  SetPressed(false);
  if (FSpacePressed) {
    FSpacePressed = false;
    ChangeState();
  }
  Repaint();
}

void TWbCustomCheckBox::CMExit(TMessage& Message) {
  InheritedMessage(Message);
  SetPressed(false);
  Repaint();
}

void TWbCustomCheckBox::CMDialogChar(TMessage& Message) {
  if (IsAccel(Word(Message.WParam), GetCaption()) && CanFocus()) {
    SetFocus();
    if (Focused()) {
      ChangeState();
      Repaint();
    }
    Message.Result = 1;
    return;
  }
  InheritedMessage(Message);
}

TAVREN_CLASS_IMPL_PUBLISHED(TWbCheckBox,
    PROPERTY(Alignment).Default(taRightJustify),
    PROPERTY(AlignmentVertical).Default(avTop),
    PROPERTY(AllowGrayed).Default(false),
    PROPERTY(Checked).Stored<&TWbCheckBox::IsCheckedStored>().Default(false),
    PROPERTY(State),
    PROPERTY(CustomGlyphs),
    PROPERTY(UseCustomGlyphs).Default(false),
    PROPERTY(DisabledColor).Idents(ColorIdentMap).Default(clBtnFace),
    PROPERTY(FillColor).Idents(ColorIdentMap).Default(clWindow),
    PROPERTY(FocusColor).Idents(ColorIdentMap).Default(clWindow),
    PROPERTY(FrameColor).Idents(ColorIdentMap).Default(clBtnShadow),
    PROPERTY(FrameController),
    PROPERTY(FrameControllerNotifications).Default(AllFrameControllerNotifications),
    PROPERTY(HighlightColor).Idents(ColorIdentMap).Default(clHighlight),
    PROPERTY(HotTrack).Default(false),
    PROPERTY(HotTrackColor).Idents(ColorIdentMap).Default(TColor(1350640)),
    PROPERTY(HotTrackColorType).Default(htctActual),
    PROPERTY(HotTrackStyle).Default(htsInterior),
    PROPERTY(LightTextStyle).Default(false),
    PROPERTY(TextStyle).Default(tsNormal),
    PROPERTY(TextHighlightColor).Idents(ColorIdentMap).Default(clBtnHighlight),
    PROPERTY(TextShadowColor).Idents(ColorIdentMap).Default(clBtnShadow),
    PROPERTY(TextShadowDepth).Default(2),
    PROPERTY(ReadOnly).Default(false),
    PROPERTY(ReadOnlyColor).Idents(ColorIdentMap).Default(clInfoBk),
    PROPERTY(ReadOnlyColorOnFocus).Default(false),
    PROPERTY(TabOnEnter).Default(false),
    PROPERTY(Transparent).Default(false),
    PROPERTY(TransparentColor).Idents(ColorIdentMap).Default(clOlive),
    PROPERTY(WinMaskColor).Idents(ColorIdentMap).Default(clLime),
    PROPERTY(Action),
    PROPERTY(Caption),
    PROPERTY(Color).Idents(ColorIdentMap),
    PROPERTY(Enabled).Default(true),
    PROPERTY(Font),
    PROPERTY(Hint),
    PROPERTY(ParentColor).Default(true),
    PROPERTY(ParentFont).Default(true),
    PROPERTY(ShowHint),
    PROPERTY(TabOrder),
    PROPERTY(TabStop).Default(true),
    PROPERTY(Visible).Default(true),
    PROPERTY(OnClick),
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

// ---- Named colours ----------------------------------------------------------------------------------

const TWbColorRec WbPseudoColors[2] = {{"Default", 0}, {"Custom", 0}};
const TWbColorRec WbStandardColors[16] = {
    {"Black", 0x000000}, {"Maroon", 0x000080}, {"Green", 0x008000}, {"Olive", 0x008080},
    {"Navy", 0x800000},  {"Purple", 0x800080}, {"Teal", 0x808000},  {"Gray", 0x808080},
    {"Silver", 0xC0C0C0}, {"Red", 0x0000FF},   {"Lime", 0x00FF00},  {"Yellow", 0x00FFFF},
    {"Blue", 0xFF0000},  {"Fuchsia", 0xFF00FF}, {"Aqua", 0xFFFF00}, {"White", 0xFFFFFF}};
const TWbColorRec WbSystemColors[25] = {
    {"ScrollBar", clScrollBar},         {"Background", clBackground},
    {"ActiveCaption", clActiveCaption}, {"InactiveCaption", clInactiveCaption},
    {"Menu", clMenu},                   {"Window", clWindow},
    {"WindowFrame", clWindowFrame},     {"MenuText", clMenuText},
    {"WindowText", clWindowText},       {"CaptionText", clCaptionText},
    {"ActiveBorder", clActiveBorder},   {"InactiveBorder", clInactiveBorder},
    {"AppWorkSpace", clAppWorkSpace},   {"Highlight", clHighlight},
    {"HighlightText", clHighlightText}, {"BtnFace", clBtnFace},
    {"BtnShadow", clBtnShadow},         {"GrayText", clGrayText},
    {"BtnText", clBtnText},             {"InactiveCaptionText", clInactiveCaptionText},
    {"BtnHighlight", clBtnHighlight},   {"3DDkShadow", cl3DDkShadow},
    {"3DLight", cl3DLight},             {"InfoText", clInfoText},
    {"InfoBk", clInfoBk}};

void WbRadChkStart() { RegisterClasses({TWbCheckBox::ClassInfo()}); }
