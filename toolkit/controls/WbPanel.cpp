#include "toolkit/controls/WbPanel.h"

#include <algorithm>

#include "gdi/DeviceContexts.h"
#include "gdi/Regions.h"
#include "gdi/Text.h"
#include "gdi/TextLayout.h"
#include "rtl/ClassRegistry.h"
#include "rtl/WideText.h"
#include "toolkit/controls/WbGrafx.h"
#include "user/Input.h"
#include "user/Painting.h"
#include "user/WindowPos.h"
#include "vcl/StdCtrls.h"
#include "vcl/Themes.h"

namespace {
bool ThemesOn() { return ThemeServices()->ThemesEnabled(); }
TRect Shrunk(const TRect& R, Integer d) { return {R.Left + d, R.Top + d, R.Right - d, R.Bottom - d}; }
UINT AlignmentFlag(TAlignment Alignment) {
  return Alignment == taRightJustify ? DT_RIGHT : Alignment == taCenter ? DT_CENTER : DT_LEFT;
}
}  // namespace

// ---- TWbCustomPanel -----------------------------------------------------------------------------

TAVREN_CLASS_IMPL(TWbCustomPanel)
TAVREN_MESSAGE_TABLE(TWbCustomPanel,
    MESSAGE_HANDLER(WM_ERASEBKGND, WMEraseBkgnd),
    MESSAGE_HANDLER(WM_WINDOWPOSCHANGED, WMWindowPosChanged),
    MESSAGE_HANDLER(WM_THEMECHANGED, WMThemeChanged),
    MESSAGE_HANDLER(CM_ENABLEDCHANGED, CMEnabledChanged),
    MESSAGE_HANDLER(CM_CONTROLCHANGE, CMControlChange))

TWbCustomPanel::TWbCustomPanel(TComponent* AOwner) : TCustomPanel(AOwner) {
  SetBevelOuter(bvNone);
  FControlStyle.Exclude(csSetCaption);
  FControlStyle.Exclude(csParentBackground);
  FControlStyle.Include(csOpaque);
  SetUseDockManager(true);
}

TWbCustomPanel::~TWbCustomPanel() {
  if (FFrameController) FFrameController->RemoveControl(this);
}

void TWbCustomPanel::Changed(bool Realign) {
  if (Realign) this->Realign();
  Invalidate();
}

#define WB_PANEL_SETTER(Name, Type, Realign)         \
  void TWbCustomPanel::Set##Name(Type Value) {       \
    if (Value == F##Name) return;                    \
    F##Name = Value;                                 \
    Changed(Realign);                                \
  }
WB_PANEL_SETTER(AlignmentVertical, TAlignmentVertical, false)
WB_PANEL_SETTER(BorderColor, TColor, false)
WB_PANEL_SETTER(BorderInner, TFrameStyleEx, true)
WB_PANEL_SETTER(BorderOuter, TFrameStyleEx, true)
WB_PANEL_SETTER(BorderSides, TSides, true)
WB_PANEL_SETTER(BorderHighlight, TColor, false)
WB_PANEL_SETTER(BorderShadow, TColor, false)
WB_PANEL_SETTER(FlatColor, TColor, false)
WB_PANEL_SETTER(FlatColorAdjustment, Integer, false)
WB_PANEL_SETTER(GradientColorStyle, TWbGradientColorStyle, false)
WB_PANEL_SETTER(GridColor, TColor, false)
WB_PANEL_SETTER(GridStyle, TWbGridStyle, false)
WB_PANEL_SETTER(GridXSize, Word, false)
WB_PANEL_SETTER(GridYSize, Word, false)
WB_PANEL_SETTER(ShowGrid, bool, false)
WB_PANEL_SETTER(TextMargin, Integer, false)
WB_PANEL_SETTER(VisualStyle, TWbVisualStyle, false)
WB_PANEL_SETTER(WordWrap, bool, false)
#undef WB_PANEL_SETTER

#define WB_GRADIENT_SETTER(Name, Type)               \
  void TWbCustomPanel::Set##Name(Type Value) {       \
    if (Value == F##Name) return;                    \
    F##Name = Value;                                 \
    Invalidate();                                    \
    InvalidateTransparentChildren(this);             \
  }
WB_GRADIENT_SETTER(GradientColorStart, TColor)
WB_GRADIENT_SETTER(GradientColorStop, TColor)
WB_GRADIENT_SETTER(GradientDirection, TGradientDirection)
#undef WB_GRADIENT_SETTER

void TWbCustomPanel::SetTransparent(bool Value) {
  if (Value == FTransparent) return;
  FTransparent = Value;
  if (Value)
    FControlStyle.Exclude(csOpaque);
  else
    FControlStyle.Include(csOpaque);
  Invalidate();
  for (Integer i = 0; i < GetControlCount(); ++i) GetControls(i)->Invalidate();
}

void TWbCustomPanel::SetFrameController(TWbFrameController* Value) {
  if (Value == FFrameController) return;
  if (FFrameController) FFrameController->RemoveControl(this);
  FFrameController = Value;
  if (Value) {
    Value->AddControl(this);
    Value->FreeNotification(this);
  }
}

void TWbCustomPanel::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FFrameController) FFrameController = nullptr;
}

void TWbCustomPanel::DoPullFrameControllerValues() {
  if (!FFrameController || !FFrameController->GetFrameVisible()) return;
  TWbFrameController* c = FFrameController;
  const TWbFrameControllerNotifications& n = FFrameControllerNotifications;
  if (n.Contains(fcpFrameStyle)) FBorderOuter = c->GetFrameStyle();
  if (n.Contains(fcpFrameSides)) FBorderSides = c->GetFrameSides();
  if (n.Contains(fcpFrameColor)) {
    FFlatColor = c->GetFrameColor();
    FFlatColorAdjustment = 0;
  }
  if (n.Contains(fcpColor)) SetColor(c->GetColor());
  if (n.Contains(fcpParentColor)) SetParentColor(c->GetParentColor());
  if (n.Contains(fcpColor)) {
    FBorderHighlight = LightenColor(GetColor(), 100);
    FBorderShadow = DarkenColor(GetColor(), 50);
  }
  Invalidate();
}

TRect TWbCustomPanel::AdjustBorderRect(TRect Rect, bool IncludeBorderWidth) {
  if (IncludeBorderWidth) Rect = Shrunk(Rect, GetBorderWidth());
  for (TFrameStyleEx style : {FBorderOuter, FBorderInner}) {
    Integer d = 0;
    switch (style) {
      case fsNone: d = 0; break;
      case fsFlat: d = 1; break;
      case fsStatus:
      case fsPopup: d = GetBevelWidth(); break;
      default: d = 2; break;
    }
    if (FBorderSides.Contains(sdLeft)) Rect.Left += d;
    if (FBorderSides.Contains(sdTop)) Rect.Top += d;
    if (FBorderSides.Contains(sdRight)) Rect.Right -= d;
    if (FBorderSides.Contains(sdBottom)) Rect.Bottom -= d;
  }
  return Rect;
}

void TWbCustomPanel::AlignControls(TControl* AControl, TRect& Rect) {
  Rect = AdjustBorderRect(Rect, false);
  inherited::AlignControls(AControl, Rect);
}

void TWbCustomPanel::AdjustClientRect(TRect& Rect) {
  inherited::AdjustClientRect(Rect);
  if (GetDockSite()) Rect = AdjustBorderRect(Rect, false);
}

void TWbCustomPanel::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
  // A panel docked to the bottom or right keeps that edge when it changes size.
  if (GetAlign() == alBottom && AHeight != GetHeight()) ATop = GetTop() + GetHeight() - AHeight;
  if (GetAlign() == alRight && AWidth != GetWidth()) ALeft = GetLeft() + GetWidth() - AWidth;
  inherited::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TWbCustomPanel::GetGradientColors(TColor& Start, TColor& Stop) {
  if (FGradientColorStyle == gcsCustom) {
    Start = FGradientColorStart;
    Stop = FGradientColorStop;
  } else {
    OfficeGradientColors(FGradientColorStyle, Start, Stop);
  }
}

TPoint TWbCustomPanel::CursorPosition() {
  TPoint p;
  GetCursorPos(&p);
  return ScreenToClient(p);
}

void TWbCustomPanel::Paint() {
  TColor parentColor = GetParent() ? GetParent()->GetColor() : GetColor();
  TRect face = PaintInnerOuterBorders(GetCanvas(), PaintBounds(), FBorderOuter, FBorderInner, GetBorderWidth(),
                                      FBorderSides, FBorderColor, FBorderHighlight, FBorderShadow, GetBevelWidth(),
                                      FFlatColor, FFlatColorAdjustment, GetColor(), parentColor, FTransparent);
  TCanvas* canvas = GetCanvas();
  if (!FTransparent) {
    if (FVisualStyle == vsGradient) {
      TColor start, stop;
      GetGradientColors(start, stop);
      PaintGradientArea(canvas, face, FGradientDirection, start, stop, 1);
    } else {
      canvas->GetBrush()->SetColor(GetColor());
      canvas->FillRect(face);
    }
  }
  if (FShowGrid) DrawGrid(face);
  canvas->GetBrush()->SetStyle(bsClear);
  DrawPanelCaption(face);
  canvas->GetBrush()->SetStyle(bsSolid);
  FOnPaint(this);
}

void TWbCustomPanel::PaintPanel() { TWbCustomPanel::Paint(); }

void TWbCustomPanel::DrawPanelCaption(TRect Rect) {
  String caption = GetCaption();
  if (caption.empty()) return;
  TCanvas* canvas = GetCanvas();
  canvas->SetFont(GetFont());
  Rect = Shrunk(Rect, FTextMargin);
  UINT flags = (FWordWrap ? DT_WORDBREAK : 0) | DT_EXPANDTABS | DT_VCENTER | AlignmentFlag(GetAlignment());
  TRect measure = Rect;
  canvas->RequiredState({csHandleValid, csFontValid});
  HDC dc = canvas->GetHandle();
  DrawText(dc, caption.c_str(), -1, &measure, flags | DT_CALCRECT);
  const Integer h = measure.Height();
  switch (FAlignmentVertical) {
    case avTop: Rect.Bottom = std::min(Rect.Bottom, Rect.Top + h); break;
    case avCenter:
      Rect.Top = (Rect.Top + Rect.Bottom - h) / 2;
      Rect.Bottom = std::min(Rect.Bottom, Rect.Top + h);
      break;
    case avBottom: Rect.Top = std::max(Rect.Top, Rect.Bottom - h - 1); break;
  }
  if (!GetEnabled()) {
    TRect shadow{Rect.Left + 1, Rect.Top + 1, Rect.Right + 1, Rect.Bottom + 1};
    canvas->GetFont()->SetColor(clBtnHighlight);
    canvas->RequiredState({csHandleValid, csFontValid, csBrushValid});
    DrawText(dc, caption.c_str(), -1, &shadow, flags);
    canvas->GetFont()->SetColor(clBtnShadow);
  }
  canvas->RequiredState({csHandleValid, csFontValid, csBrushValid});
  DrawText(dc, caption.c_str(), -1, &Rect, flags);
}

void TWbCustomPanel::DrawGrid(const TRect& Rect) {
  TCanvas* canvas = GetCanvas();
  const Integer columns = FGridXSize ? Rect.Width() / FGridXSize : 0;
  const Integer rows = FGridYSize ? Rect.Height() / FGridYSize : 0;
  if (FGridStyle == gsDots) {
    for (Integer i = 1; i <= columns; ++i)
      for (Integer j = 1; j <= rows; ++j)
        canvas->SetPixel(Rect.Left + i * FGridXSize - 1, Rect.Top + j * FGridYSize - 1, FGridColor);
    return;
  }
  canvas->GetPen()->SetColor(FGridColor);
  auto line = [&](Integer x1, Integer y1, Integer x2, Integer y2) {
    if (FGridStyle == gsSolidLines) {
      canvas->MoveTo(x1, y1);
      canvas->LineTo(x2, y2);
      return;
    }
    // Dotted: every second pixel, from one past the start.
    for (Integer x = x1, y = y1; x < x2 || y < y2;) {
      if (x1 == x2) y += 1; else x += 1;
      if ((x1 == x2 ? y - y1 : x - x1) % 2 == 1 && (x < x2 || y < y2)) canvas->SetPixel(x, y, FGridColor);
    }
  };
  for (Integer i = 1; i <= columns; ++i) {
    Integer x = Rect.Left + i * FGridXSize - 1;
    line(x, Rect.Top, x, Rect.Bottom);
  }
  for (Integer j = 1; j <= rows; ++j) {
    Integer y = Rect.Top + j * FGridYSize - 1;
    line(Rect.Left, y, Rect.Right, y);
  }
}

void TWbCustomPanel::WMEraseBkgnd(TMessage& Message) {
  if (!FTransparent) {
    InheritedMessage(Message);
    return;
  }
  if (FFullRepaint) PaintParentBackground(this, reinterpret_cast<HDC>(Message.WParam), false);
  Message.Result = 1;
}

void TWbCustomPanel::WMWindowPosChanged(TMessage& Message) {
  const auto* pos = reinterpret_cast<const WINDOWPOS*>(Message.LParam);
  if (HandleAllocated() && pos && !(pos->flags & SWP_NOSIZE)) {
    if (FFullRepaint || !GetCaption().empty()) {
      Invalidate();
    } else {
      // Only the border strips along the edges that moved.
      const Integer oldW = GetWidth(), oldH = GetHeight();
      TRect r = AdjustBorderRect({0, 0, oldW, oldH}, true);
      if (pos->cx != oldW) {
        TRect strip{r.Right - 1, 0, oldW, oldH};
        InvalidateRect(GetHandle(), &strip, TRUE);
      }
      if (pos->cy != oldH) {
        TRect strip{0, r.Bottom - 1, oldW, oldH};
        InvalidateRect(GetHandle(), &strip, TRUE);
      }
    }
  }
  InheritedMessage(Message);
}

void TWbCustomPanel::WMThemeChanged(TMessage& Message) {
  InheritedMessage(Message);
  XPColorScheme = DetectXPColorScheme();
}

void TWbCustomPanel::CMEnabledChanged(TMessage& Message) {
  InheritedMessage(Message);
  Repaint();
  if (!GetEnabled()) {
    FEnabledStates.clear();
    for (Integer i = 0; i < GetControlCount(); ++i) {
      TControl* child = GetControls(i);
      FEnabledStates.emplace_back(child->GetEnabled(), child);
      child->SetEnabled(false);
    }
    return;
  }
  for (Integer i = 0; i < GetControlCount(); ++i) {
    TControl* child = GetControls(i);
    auto known = std::find_if(FEnabledStates.begin(), FEnabledStates.end(),
                              [child](const auto& entry) { return entry.second == child; });
    if (known == FEnabledStates.end() || known->first) child->SetEnabled(true);
  }
}

void TWbCustomPanel::CMControlChange(TMessage& Message) {
  InheritedMessage(Message);
  // A child that leaves the panel leaves its remembered state too, so that a later control at
  // the same address is not mistaken for it.
  if (Message.LParam == FALSE) {
    auto* child = reinterpret_cast<TControl*>(Message.WParam);
    std::erase_if(FEnabledStates, [child](const auto& entry) { return entry.second == child; });
  }
}

void TWbCustomPanel::DefineProperties(TFiler* Filer) {
  inherited::DefineProperties(Filer);
  Filer->DefineProperty("FrameSides", &TWbOldPropReader::SkipSetValue, nullptr, false);
  Filer->DefineProperty("ThemeAware", &TWbOldPropReader::SkipBooleanValue, nullptr, false);
  Filer->DefineProperty(
      "UseGradients", [this](TReader* R) { if (R->ReadBoolean()) SetVisualStyle(vsGradient); }, nullptr, false);
}

std::unique_ptr<TDockTree> TWbCustomPanel::CreateDockManager() {
  SetDoubleBuffered(true);
  return std::make_unique<TWbPanelDockManager>(this);
}

// ---- TWbPanelDockManager ---------------------------------------------------------------------

TAVREN_CLASS_IMPL(TWbPanelDockManager)

namespace {
constexpr Integer kGrabber = 14;
}

TWbPanelDockManager::TWbPanelDockManager(TWbCustomPanel* Panel)
    : TDockTree(Panel), FPanel(Panel), FCaptionFont(std::make_unique<TFont>()) {
  FGrabberSize = kGrabber;
  FCaptionFont->SetName("Verdana");
  FCaptionFont->SetSize(8);
  FPreviousWndProc = Panel->GetWindowProc();
  Panel->SetWindowProc(MakeEvent<&TWbPanelDockManager::PanelWndProc>(this));
}

TWbPanelDockManager::~TWbPanelDockManager() { FPanel->SetWindowProc(FPreviousWndProc); }

void TWbPanelDockManager::PanelWndProc(TMessage& Message) {
  if (Message.Msg == WM_COMMAND || Message.Msg == WM_MOUSEACTIVATE) FPanel->Invalidate();
  FPreviousWndProc(Message);
}

bool TWbPanelDockManager::GrabberOnTop() const {
  return FPanel->GetAlign() != alTop && FPanel->GetAlign() != alBottom;
}

void TWbPanelDockManager::AdjustDockRect(TControl*, TRect& ARect) {
  if (GrabberOnTop())
    ARect.Top += kGrabber;
  else
    ARect.Left += kGrabber;
}

TRect TWbPanelDockManager::CloseButtonRect(const TRect& Zone) {
  if (GrabberOnTop()) return {Zone.Right - 15, Zone.Top + 1, Zone.Right - 2, Zone.Top + 12};
  return {Zone.Left + 1, Zone.Top + 1, Zone.Left + 12, Zone.Top + 12};
}

void TWbPanelDockManager::PaintDockFrame(TCanvas* Canvas, TControl* Control, const TRect& ARect) {
  if (!FPanel->GetShowDockClientCaptions()) {
    TDockTree::PaintDockFrame(Canvas, Control, ARect);
    return;
  }
  auto* windowed = dynamic_cast<TWinControl*>(Control);
  const bool active = !windowed || windowed->Focused();
  const TColor bar = active ? clActiveCaption : clInactiveCaption;
  const TColor text = active ? clCaptionText : clInactiveCaptionText;
  const String caption = Control->GetText();
  HDC dc = Canvas->GetHandle();
  Canvas->GetBrush()->SetColor(bar);
  Canvas->GetBrush()->SetStyle(bsSolid);
  Canvas->SetFont(FCaptionFont.get());
  Canvas->GetFont()->SetColor(text);
  TRect close = CloseButtonRect(ARect);
  if (GrabberOnTop()) {
    Canvas->FillRect({ARect.Left, ARect.Top, ARect.Right, ARect.Top + kGrabber});
    Canvas->GetBrush()->SetStyle(bsClear);
    Canvas->TextRect({ARect.Left, ARect.Top, close.Left - 1, ARect.Top + kGrabber}, ARect.Left + 2, ARect.Top, caption);
  } else {
    const TRect strip{ARect.Left, ARect.Top, ARect.Left + kGrabber, ARect.Bottom};
    Canvas->FillRect(strip);
    // The caption written upward, clipped to the bar.
    HFONT rotated = CreateRotatedFont(FCaptionFont.get(), 90);
    HGDIOBJ oldFont = SelectObject(dc, rotated);
    UINT oldAlign = SetTextAlign(dc, TA_BASELINE);
    SetTextColor(dc, ColorToRGB(clCaptionText));
    SetBkMode(dc, TRANSPARENT);
    RECT clip = strip;
    ExtTextOut(dc, strip.Right - 2, strip.Bottom - 3, ETO_CLIPPED, &clip, caption.c_str(), UINT(caption.size()),
               nullptr);
    SetTextAlign(dc, oldAlign);
    SelectObject(dc, oldFont);
    DeleteObject(rotated);
  }
  // The close cross, drawn in the bar's text colour.
  Canvas->GetPen()->SetColor(text);
  const Integer size = std::min(close.Width(), close.Height()) - 4;
  const Integer x = close.Left + (close.Width() - size) / 2, y = close.Top + (close.Height() - size) / 2;
  for (Integer k = 0; k < 2; ++k) {
    Canvas->MoveTo(x + k, y);
    Canvas->LineTo(x + size + k, y + size);
    Canvas->MoveTo(x + size - 1 + k, y);
    Canvas->LineTo(x - 1 + k, y + size);
  }
  Canvas->GetBrush()->SetStyle(bsSolid);
}

// ---- TWbCustomGroupBox --------------------------------------------------------------------------

TAVREN_CLASS_IMPL(TWbCustomGroupBox)
TAVREN_MESSAGE_TABLE(TWbCustomGroupBox,
    MESSAGE_HANDLER(CM_DIALOGCHAR, CMDialogChar),
    MESSAGE_HANDLER(CM_FONTCHANGED, CMFontChanged),
    MESSAGE_HANDLER(WM_ERASEBKGND, WMEraseBkgnd))

TWbCustomGroupBox::TWbCustomGroupBox(TComponent* AOwner) : TWbCustomPanel(AOwner) {
  FControlStyle.Include(csSetCaption);
  FControlStyle.Include(csDoubleClicks);
  SetBorderOuter(fsNone);
  SetBorderInner(fsNone);
  SetAlignment(taLeftJustify);
  SetAlignmentVertical(avTop);
  SetHeight(105);
}

void TWbCustomGroupBox::SetGroupStyle(TWbGroupBoxStyle Value) {
  if (Value == FGroupStyle) return;
  FGroupStyle = Value;
  Changed(true);
}

Integer TWbCustomGroupBox::TextHeightOf(const char* Sample) {
  GetCanvas()->SetFont(GetFont());
  return GetCanvas()->TextHeight(Sample);
}

void TWbCustomGroupBox::AdjustClientRect(TRect& Rect) {
  inherited::AdjustClientRect(Rect);
  const Integer h = TextHeightOf("Yy");
  switch (FGroupStyle) {
    case gsCustom:
      if (!GetCaption().empty()) Rect.Top += h;
      Rect = Shrunk(Rect, 2);
      break;
    case gsTopLine: Rect.Top += h; break;
    case gsBanner: Rect.Top += h + 8; break;
    case gsUnderline: Rect.Top += h + 4; break;
    case gsStandard:
    case gsFlat:
      if (h / 2 - 1 >= GetBorderWidth())
        Rect.Top += h - GetBorderWidth();
      else
        Rect.Top += h / 2 - 1;
      Rect = Shrunk(Rect, FGroupStyle == gsStandard ? 2 : 1);
      break;
  }
}

TRect TWbCustomGroupBox::CaptionRect() {
  String caption = StripAccelerators(GetCaption());
  if (caption.empty() || FGroupStyle == gsCustom) return {};
  GetCanvas()->SetFont(GetFont());
  TSize size = GetCanvas()->TextExtent(caption);
  const Integer tw = size.cx, th = size.cy, W = GetWidth();
  const bool rtl = UsesRightToLeftReading(this);
  switch (FGroupStyle) {
    case gsStandard:
    case gsFlat: return rtl ? TRect{W - tw - 8, 0, W - 8, th} : TRect{8, 0, tw + 8, th};
    case gsTopLine: return rtl ? TRect{W - tw - 4, 0, W - 4, th} : TRect{0, 0, tw + 4, th};
    case gsBanner: return {0, 0, W, th + 6};
    case gsUnderline: return {0, 0, W, th + 2};
    default: return {};
  }
}

void TWbCustomGroupBox::Paint() {
  TCanvas* canvas = GetCanvas();
  HDC dc = canvas->GetHandle();
  const Integer W = GetWidth(), H = GetHeight();
  const Integer t = TextHeightOf("Pp") / 2 - 1;
  const String caption = GetCaption();
  TRect c = CaptionRect();
  const UINT alignment = AlignmentFlag(GetAlignment());
  if (GetVisualStyle() == vsWinXP && ThemesOn() && (FGroupStyle == gsStandard || FGroupStyle == gsFlat)) {
    if (!GetTransparent()) PaintParentBackground(this, dc, false);
    ExcludeClipRect(dc, c.Left, c.Top, c.Right, c.Bottom);
    DrawThemedPart(dc, u"button", 4, GetEnabled() ? 1 : 2, {0, t, W, H});
    SelectClipRgn(dc, nullptr);
    HTHEME theme = OpenThemeData(nullptr, u"button");
    if (theme) {
      WideString text = UTF8Decode(caption);
      DrawThemeText(theme, dc, 4, GetEnabled() ? 1 : 2, text.c_str(), int(text.size()), alignment | DT_SINGLELINE, 0,
                    &c);
      CloseThemeData(theme);
    }
    return;
  }
  if (FGroupStyle == gsCustom) {
    PaintPanel();
    return;
  }
  if (!GetTransparent()) {
    canvas->GetBrush()->SetColor(GetColor());
    canvas->FillRect({0, 0, W, H});
  } else if (FGroupStyle != gsBanner) {
    ExcludeClipRect(dc, c.Left, c.Top, c.Right, c.Bottom);
  }
  const TRect F{0, t, W, H};
  const TColor lineColor = ShiftColorLightness(GetFlatColor(), GetFlatColorAdjustment());
  auto line = [&](Integer x1, Integer y1, Integer x2, Integer y2) {
    canvas->GetPen()->SetColor(lineColor);
    canvas->MoveTo(x1, y1);
    canvas->LineTo(x2, y2);
  };
  switch (FGroupStyle) {
    case gsStandard:
      switch (GetBorderOuter()) {
        case fsNone: PaintBorderSides(canvas, F, fsGroove, AllSides); break;
        case fsFlat: PaintBox(canvas, F, lineColor); break;
        case fsFlatBold: PaintBevel(canvas, F, lineColor, lineColor, 2, AllSides); break;
        default: PaintBorderSides(canvas, F, GetBorderOuter(), AllSides); break;
      }
      break;
    case gsTopLine:
      switch (GetBorderOuter()) {
        case fsNone: PaintBorderSides(canvas, F, fsGroove, TSides{sdTop}); break;
        case fsFlat: line(F.Left + 2, F.Top, F.Right - 2, F.Top); break;
        case fsFlatBold:
          line(F.Left + 2, F.Top, F.Right - 2, F.Top);
          line(F.Left + 2, F.Top + 1, F.Right - 2, F.Top + 1);
          break;
        default: PaintBorderSides(canvas, F, GetBorderOuter(), TSides{sdTop}); break;
      }
      break;
    case gsFlat:
      line(F.Left, F.Top + 2, F.Left, F.Bottom - 2);
      line(F.Left + 2, F.Top, F.Right - 2, F.Top);
      line(F.Right - 1, F.Top + 2, F.Right - 1, F.Bottom - 2);
      line(F.Left + 2, F.Bottom - 1, F.Right - 2, F.Bottom - 1);
      canvas->SetPixel(F.Left + 1, F.Top + 1, lineColor);
      canvas->SetPixel(F.Right - 2, F.Top + 1, lineColor);
      canvas->SetPixel(F.Right - 2, F.Bottom - 2, lineColor);
      canvas->SetPixel(F.Left + 1, F.Bottom - 2, lineColor);
      break;
    case gsBanner: {
      TColor start, stop, frame;
      if (GetGradientColorStyle() == gcsCustom) {
        start = GetGradientColorStart();
        stop = GetGradientColorStop();
        frame = lineColor;
      } else {
        GroupGradientColors(GetGradientColorStyle(), stop, start, frame);
      }
      canvas->GetPen()->SetColor(frame);
      auto framed = [&](Integer x1, Integer y1, Integer x2, Integer y2) {
        canvas->MoveTo(x1, y1);
        canvas->LineTo(x2, y2);
      };
      framed(c.Left, c.Top + 1, c.Left, c.Bottom - 1);
      framed(c.Left + 1, c.Top, c.Right - 1, c.Top);
      framed(c.Right - 1, c.Top + 1, c.Right - 1, c.Bottom - 1);
      framed(c.Left + 1, c.Bottom - 1, c.Right - 1, c.Bottom - 1);
      PaintGradientArea(canvas, Shrunk(c, 1), gdHorizontalEnd, start, stop, 1);
      break;
    }
    case gsUnderline: line(c.Left, c.Bottom, c.Right, c.Bottom); break;
    case gsCustom: break;
  }
  if (caption.empty()) {
    SelectClipRgn(dc, nullptr);
    return;
  }
  if (!GetTransparent() && FGroupStyle != gsBanner) {
    canvas->GetBrush()->SetColor(GetColor());
    canvas->FillRect(c);
  }
  if (FGroupStyle == gsBanner) c = {c.Left + 4, c.Top + 1, c.Right - 4, c.Bottom - 1};
  canvas->GetBrush()->SetStyle(bsClear);
  canvas->SetFont(GetFont());
  SelectClipRgn(dc, nullptr);
  const UINT flags = DT_SINGLELINE | alignment | (FGroupStyle == gsBanner ? DT_VCENTER : 0);
  if (!GetEnabled()) {
    TRect shadow{c.Left + 1, c.Top + 1, c.Right + 1, c.Bottom + 1};
    canvas->GetFont()->SetColor(clBtnHighlight);
    canvas->RequiredState({csHandleValid, csFontValid, csBrushValid});
    DrawText(dc, caption.c_str(), -1, &shadow, flags);
    canvas->GetFont()->SetColor(clBtnShadow);
  } else if (GetVisualStyle() == vsWinXP && ThemesOn()) {
    canvas->GetFont()->SetColor(ThemePartColor(6));
  }
  canvas->RequiredState({csHandleValid, csFontValid, csBrushValid});
  DrawText(dc, caption.c_str(), -1, &c, flags);
  canvas->GetBrush()->SetStyle(bsSolid);
}

void TWbCustomGroupBox::DoPullFrameControllerValues() {
  if (FGroupStyle == gsCustom) TWbCustomPanel::DoPullFrameControllerValues();
}

void TWbCustomGroupBox::CMDialogChar(TMessage& Message) {
  if (IsAccel(Word(Message.WParam), GetCaption()) && CanFocus()) {
    SelectFirst();
    Message.Result = 1;
    return;
  }
  InheritedMessage(Message);
}

void TWbCustomGroupBox::CMFontChanged(TMessage& Message) {
  InheritedMessage(Message);
  Invalidate();
}

void TWbCustomGroupBox::WMEraseBkgnd(TMessage& Message) {
  if (!GetTransparent()) {
    InheritedMessage(Message);
    return;
  }
  PaintParentBackground(this, reinterpret_cast<HDC>(Message.WParam), false);
  Message.Result = 1;
}

// ---- Published --------------------------------------------------------------------------------

#define WB_PANEL_COMMON                                                                  \
  PROPERTY(BevelWidth).Default(1), PROPERTY(BorderColor).Idents(ColorIdentMap).Default(clBtnFace), \
      PROPERTY(BorderInner).Default(fsNone), PROPERTY(BorderSides).Default(AllSides),    \
      PROPERTY(BorderWidth).Default(0), PROPERTY(Caption),                               \
      PROPERTY(Color).Idents(ColorIdentMap).Default(clBtnFace),                          \
      PROPERTY(FlatColor).Idents(ColorIdentMap).Default(clBtnShadow),                    \
      PROPERTY(FlatColorAdjustment).Default(30), PROPERTY(FrameController),              \
      PROPERTY(FrameControllerNotifications).Default(AllFrameControllerNotifications),   \
      PROPERTY(GradientColorStyle).Default(gcsSystem),                                   \
      PROPERTY(GradientColorStart).Idents(ColorIdentMap).Default(clWhite),               \
      PROPERTY(GradientColorStop).Idents(ColorIdentMap).Default(clBtnFace),              \
      PROPERTY(GradientDirection).Default(gdHorizontalEnd),                              \
      PROPERTY(ShowDockClientCaptions).Default(true), PROPERTY(Transparent).Default(false), \
      PROPERTY(VisualStyle).Default(vsWinXP), PROPERTY(Align).Default(alNone), PROPERTY(Anchors), \
      PROPERTY(Enabled).Default(true), PROPERTY(Font), PROPERTY(ParentColor).Default(false), \
      PROPERTY(ParentFont).Default(true), PROPERTY(PopupMenu), PROPERTY(ShowHint), PROPERTY(Hint), \
      PROPERTY(TabOrder), PROPERTY(TabStop).Default(false), PROPERTY(Visible).Default(true), \
      PROPERTY(OnClick), PROPERTY(OnDblClick), PROPERTY(OnEnter), PROPERTY(OnExit),      \
      PROPERTY(OnMouseDown), PROPERTY(OnMouseMove), PROPERTY(OnMouseUp), PROPERTY(OnMouseEnter), \
      PROPERTY(OnMouseLeave), PROPERTY(OnResize)

TAVREN_CLASS_IMPL_PUBLISHED(TWbPanel,
    WB_PANEL_COMMON,
    PROPERTY(Alignment).Default(taCenter),
    PROPERTY(AlignmentVertical).Default(avCenter),
    PROPERTY(BorderOuter).Default(fsRaised),
    PROPERTY(BorderHighlight).Idents(ColorIdentMap).Default(clBtnHighlight),
    PROPERTY(BorderShadow).Idents(ColorIdentMap).Default(clBtnShadow),
    PROPERTY(FullRepaint).Default(true),
    PROPERTY(GridColor).Idents(ColorIdentMap).Default(clBtnShadow),
    PROPERTY(GridStyle).Default(gsDots),
    PROPERTY(GridXSize).Default(8),
    PROPERTY(GridYSize).Default(8),
    PROPERTY(Locked).Default(false),
    PROPERTY(ShowGrid).Default(false),
    PROPERTY(TextMargin).Default(0),
    PROPERTY(WordWrap).Default(true),
    PROPERTY(OnPaint))

TAVREN_CLASS_IMPL_PUBLISHED(TWbGroupBox,
    WB_PANEL_COMMON,
    PROPERTY(GroupStyle).Default(gsFlat),
    PROPERTY(Alignment).Default(taLeftJustify),
    PROPERTY(BorderOuter).Default(fsNone),
    PROPERTY(Height).Default(105))
#undef WB_PANEL_COMMON

void WbPanelStart() { RegisterClasses({TWbPanel::ClassInfo(), TWbGroupBox::ClassInfo()}); }
