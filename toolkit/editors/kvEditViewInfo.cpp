// An editor's painting: background, frame and buttons in each button style, and what a newer view
// must repaint over an older one.

#include <algorithm>
#include <memory>

#include "gdi/SysMetrics.h"
#include "rtl/SysUtils.h"
#include "toolkit/editors/kvEdit.h"
#include "toolkit/editors/kvEditUtils.h"
#include "toolkit/foundation/kvDWMApi.h"
#include "toolkit/foundation/kvGeometry.h"
#include "toolkit/foundation/qzOffice11.h"
#include "toolkit/foundation/qzThemeManager.h"
#include "toolkit/foundation/qzUxTheme.h"
#include "vcl/Forms.h"

namespace {

bool Empty(const TRect& R) { return R.Right <= R.Left || R.Bottom <= R.Top; }

// A one-pixel frame; R comes back inside it.
void Frame(TkvCanvas* Canvas, TRect& R, TColor Color) { DrawFrameEdges(Canvas, R, 15, Color); }

void TwoColorFrame(TkvCanvas* Canvas, TRect& R, TColor TopLeft, TColor BottomRight) {
  TRect inner = R;
  DrawFrameEdges(Canvas, inner, 1 | 2, TopLeft);
  TRect outer = R;
  DrawFrameEdges(Canvas, outer, 4 | 8, BottomRight);
  R = TRect(R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1);
}

// The left and right edges in a colour; R comes back between them.
void SideEdges(TkvCanvas* Canvas, TRect& R, TColor Color) { DrawFrameEdges(Canvas, R, 1 | 4, Color); }

TColor Office11NormalButtonColor() {
  return PainterClassForKind(false, lfOffice11)->ButtonFaceColor(kvbsNormal);
}

}  // namespace

// ---- Buttons' holder -----------------------------------------------------------------------------

TAVREN_CLASS_IMPL(TkvCustomEditViewInfo)

TkvCustomEditViewInfo::~TkvCustomEditViewInfo() = default;

void TkvCustomEditViewInfo::SetButtonCount(Integer Count) {
  while (ButtonCount() > Count) Buttons.pop_back();
  while (ButtonCount() < Count) Buttons.emplace_back(GetButtonViewInfoClass().Create());
}

void TkvCustomEditViewInfo::CopyFrom(TkvContainerViewInfo* Other) {
  auto* other = dynamic_cast<TkvCustomEditViewInfo*>(Other);
  if (other) {
    BackgroundColor = other->BackgroundColor;
    BorderColor = other->BorderColor;
    BorderStyle = other->BorderStyle;
    ContainerState = other->ContainerState;
    NativeState = other->NativeState;
    HasBackground = other->HasBackground;
    SetButtonCount(other->ButtonCount());
    for (Integer i = 0; i < ButtonCount(); ++i) Buttons[i]->Assign(other->Buttons[i].get());
    PressedButton = other->PressedButton;
    HotButton = other->HotButton;
  }
  TkvContainerViewInfo::CopyFrom(Other);
}

void TkvCustomEditViewInfo::MoveBy(Integer DX, Integer DY) {
  TkvContainerViewInfo::MoveBy(DX, DY);
  auto move = [&](TRect& R) { R = TRect(R.Left + DX, R.Top + DY, R.Right + DX, R.Bottom + DY); };
  move(InnerEditRect);
  move(ShadowRect);
  for (auto& button : Buttons) {
    move(button->Bounds);
    move(button->VisibleBounds);
  }
}

// ---- Background ----------------------------------------------------------------------------

void DrawEditBackgroundAndButtons(TkvCanvas* Canvas, TkvCustomEditViewInfo* ViewInfo, bool FillWhole, Integer Mode) {
  bool clipped = ViewInfo->ButtonCount() > 0 && !ViewInfo->Buttons[0]->PartiallyTransparent;
  if (clipped) {
    Canvas->PushClip();
    for (auto& button : ViewInfo->Buttons) Canvas->ClipOutRect(button->VisibleBounds);
  }
  const bool transparent = ViewInfo->IsTransparent();
  if (ViewInfo->DrawBackgroundByEvent(Canvas)) {
    // The in-place host painted it.
  } else if (ViewInfo->NativeStyle) {
    ViewInfo->DrawNativeFrame(Canvas, FillWhole, ViewInfo->BackgroundColor, Mode);
  } else {
    TRect r = ViewInfo->BorderRect;
    const TkvEditBorderStyle border = static_cast<TkvEditBorderStyle>(ViewInfo->BorderStyle);
    const Integer a = ViewInfo->Painter ? 1 : BorderWidthOf(ViewInfo->BorderStyle);
    TkvBorders edges = ViewInfo->Edges;
    r.Left -= a;
    r.Top -= a;
    if (edges.Contains(bRight)) r.Right += a;
    if (edges.Contains(bBottom)) r.Bottom += a;
    if (ViewInfo->Shadow) PaintShadowStrips(Canvas, r);
    if (!edges.Contains(bRight)) r.Right += a;
    if (!edges.Contains(bBottom)) r.Bottom += a;
    if (border != ebsNone) {
      if (ViewInfo->Painter || border == ebsSingle || border == ebsThick) {
        Canvas->PaintFrame(r, ViewInfo->BorderColor, a);
      } else if (border == ebsFlat || border == ebs3D) {
        Canvas->PaintBevel(r, true, true, edges);
        r = TRect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
        if (border == ebsFlat)
          Canvas->PaintFrame(r, clBtnFace, 1, edges);
        else
          Canvas->PaintTwoColorFrame(r, cl3DDkShadow, cl3DLight, edges);
      }
    }
    if (ViewInfo->Inplace) {
      if (!transparent) {
        if (FillWhole)
          FillRectColor(Canvas, ViewInfo->Bounds, ViewInfo->BackgroundColor);
        else if (ViewInfo->HasContentOffsets)
          FillRectOutside(Canvas, ViewInfo->Bounds, ViewInfo->BorderRect, ViewInfo->BackgroundColor);
      }
    } else if (FillWhole && !transparent) {
      FillRectColor(Canvas, ViewInfo->BorderRect, ViewInfo->BackgroundColor);
    } else if (FillWhole) {
      // A transparent editor's window holds nothing of its own behind the text: the parent's
      // image goes there, or the area would keep whatever the surface held.
      ViewInfo->DrawBackgroundByKind(Canvas, ViewInfo->BorderRect, TRect(), true);
    }
  }
  if (clipped) Canvas->PopClip();
  ViewInfo->DrawButtons(Canvas);
}

void TkvCustomEditViewInfo::PaintContent(TkvCanvas* Canvas) { DrawEditBackgroundAndButtons(Canvas, this, true, 0); }

void TkvCustomEditViewInfo::Draw(TkvCanvas* Canvas) {
  OnPaint(this, Canvas);
  TkvContainerViewInfo::Draw(Canvas);
}

bool TkvCustomEditViewInfo::IsTransparent() const {
  return Transparent || (Edit && Edit->GetTransparent());
}

TkvEditBackgroundKind TkvCustomEditViewInfo::GetBackgroundKind() {
  if (Inplace) {
    if (HasCustomBackground()) return ebkCustom;
    return IsTransparent() ? ebkNone : ebkSolid;
  }
  if (IsTransparent()) return ebkParentImage;
  if (Edit && Edit->NeedsParentBackground()) return ebkParentBackground;
  return NativeStyle ? ebkSolid : ebkWithButtons;
}

void TkvCustomEditViewInfo::DrawBackgroundByKind(TkvCanvas* Canvas, const TRect& R, const TRect& Excluded,
                                                 bool Keep) {
  Canvas->PushClip();
  if (!Keep) Canvas->ClipOutRect(Excluded);
  switch (GetBackgroundKind()) {
    case ebkCustom:
      Canvas->ClipToRect(R);
      DrawBackgroundByEvent(Canvas);
      break;
    case ebkWithButtons:
      DrawEditBackgroundAndButtons(Canvas, this, true, 0);
      break;
    case ebkSolid:
      FillRectColor(Canvas, R, BackgroundColor);
      break;
    case ebkParentImage:
      if (Edit) CopyParentImage(Edit, Canvas, R, false);
      break;
    case ebkParentBackground:
      if (Edit) DrawParentBackground(Edit, Canvas, R);
      break;
    case ebkNone:
      break;
  }
  Canvas->PopClip();
}

bool TkvCustomEditViewInfo::DrawBackgroundByEvent(TkvCanvas* Canvas) {
  if (!Inplace || !OnDrawBackground) return false;
  bool done = false;
  OnDrawBackground(this, Canvas, done);
  return done;
}

bool TkvCustomEditViewInfo::DrawBackgroundByEventAt(TkvCanvas* Canvas, const TPoint& Offset) {
  const TPoint origin = Canvas->ReadWindowOrg();
  Canvas->WriteWindowOrg(TPoint{origin.X - Offset.X, origin.Y - Offset.Y});
  bool done = false;
  try {
    done = DrawBackgroundByEvent(Canvas);
  } catch (...) {
    Canvas->WriteWindowOrg(origin);
    throw;
  }
  Canvas->WriteWindowOrg(origin);
  return done;
}

bool TkvCustomEditViewInfo::HasCustomBackground() { return DrawBackgroundByEvent(nullptr); }

void TkvCustomEditViewInfo::DrawNativeFrame(TkvCanvas* Canvas, bool FillWhole, TColor Color, Integer Mode) {
  TRect target = Bounds;
  const bool bordered = !Inplace && BorderStyle != cbsNone;
  if (bordered) {
    const bool composited = DwmCompositionEnabled();
    const bool buttonFace = Mode == 2 && composited;
    HTHEME theme = ObtainTheme(buttonFace ? totButton : totEdit);
    const Integer part = buttonFace ? 1 : (composited ? 6 : 1);
    const TRect frame = buttonFace ? RectInflated(Bounds, 1, 1) : Bounds;
    TRect content;
    if (Mode == 0) {
      content = RectInflated(Bounds, -2, -2);
      if (!composited && theme) UxGetThemeBackgroundContentRect(theme, Canvas->DCHandle(), part, NativeState, &Bounds, &content);
    } else if (Mode == 1) {
      content = RectInflated(Bounds, -3, -3);
      --content.Right;
    } else {
      content = composited ? TRect() : ClientRect;
    }
    if (theme) {
      Canvas->PushClip();
      Canvas->ClipOutRect(content);
      if (Edit && UxIsThemeBackgroundPartiallyTransparent(theme, part, NativeState))
        DrawParentBackground(Edit, Canvas, Bounds);
      UxDrawThemeBackground(theme, Canvas->DCHandle(), part, NativeState, &frame, nullptr);
      Canvas->PopClip();
    }
    target = content;
  }
  if (IsTransparent()) return;
  if (FillWhole || !bordered)
    FillRectColor(Canvas, target, Color);
  else if (Mode != 2)
    FillRectOutside(Canvas, target, BorderRect, Color);
}

// ---- Buttons -------------------------------------------------------------------------------

bool TkvCustomEditViewInfo::HasTextButton() const {
  return std::any_of(Buttons.begin(), Buttons.end(), [](const auto& b) { return b->Kind == bkText; });
}

bool TkvCustomEditViewInfo::PointOnButton(const TPoint& P) const {
  const TPoint p{P.X - Bounds.Left, P.Y - Bounds.Top};
  return std::any_of(Buttons.begin(), Buttons.end(), [&](const auto& b) { return RectHoldsPoint(b->Bounds, p); });
}

Integer TkvCustomEditViewInfo::GetHint(const TPoint& P, TRect& Area, String& Text) {
  Text.clear();
  for (const auto& button : Buttons) {
    if (button->State != ebsSelected) continue;
    Area = button->Bounds;
    TkvEditButtons* buttons = Properties ? Properties->GetButtons() : nullptr;
    if (buttons && button->Index >= 0 && button->Index < buttons->GetCount())
      Text = GetShortHint(buttons->GetButton(button->Index)->GetHint());
    return button->Index;
  }
  if (!RectHoldsPoint(BorderRect, P)) {
    Area = TRect();
    return -2;
  }
  // The editor's own area ends where its right-aligned buttons begin.
  Area = BorderRect;
  for (const auto& button : Buttons)
    if (!button->LeftAlignment) Area.Right = std::min(Area.Right, button->Bounds.Left);
  return -1;
}

bool TkvCustomEditViewInfo::GetButtonHint(const TPoint& P, TRect& R, bool& IsButton, String& Text) {
  TRect area;
  const Integer index = GetHint(P, area, Text);
  IsButton = index >= 0;
  R = TRect();
  if (!IsButton || Text.empty()) return false;
  std::unique_ptr<THintWindow> window(HintWindowClass.Create(nullptr));
  R = window->CalcHintRect(GetSystemMetrics(SM_CXSCREEN), Text, nullptr);
  const Integer below = GetSystemMetrics(SM_CYCURSOR);
  R = TRect(R.Left + P.X, R.Top + P.Y + below, R.Right + P.X, R.Bottom + P.Y + below);
  return true;
}

void TkvCustomEditViewInfo::DrawButtons(TkvCanvas* Canvas) {
  if (FPaintingButtons || (Edit && Edit->SkipsButtonPainting(Canvas->DCHandle()))) return;
  FPaintingButtons = true;
  for (Integer i = 0; i < ButtonCount(); ++i) DrawButtonClipped(Canvas, i);
  FPaintingButtons = false;
}

void TkvCustomEditViewInfo::DrawButtonClipped(TkvCanvas* Canvas, Integer Index) {
  TkvEditButtonViewInfo* button = Buttons[Index].get();
  button->BackgroundColor = BackgroundColor;
  if (Empty(button->VisibleBounds)) return;
  TRect inside;
  bool clip = !RectIntersection(button->Bounds, BorderRect, inside) || inside != button->Bounds;
  if (clip) {
    Canvas->PushClip();
    Canvas->ClipToRect(button->VisibleBounds);
  }
  bool done = false;
  OnDrawButton(this, Canvas, Index, done);
  if (!done) DrawButton(Canvas, Index);
  if (clip) Canvas->PopClip();
}

void TkvCustomEditViewInfo::DrawButton(TkvCanvas* Canvas, Integer Index) {
  TkvEditButtonViewInfo* button = Buttons[Index].get();
  TRect r = button->Bounds, content;
  TColor text = clBtnText, background = clBtnFace;
  DrawButtonBorder(Canvas, Index, r, content, text, background);
  if (!Empty(button->Bounds)) {
    bool done = false;
    OnDrawButtonBackground(this, Canvas, Index, r, done);
    if (done) {
    } else if (button->NativeState != 0) {
      DrawNativeButtonBackground(Canvas, button, r);
    } else {
      DrawButtonBackground(Canvas, button, r, background);
    }
  }
  // A pressed button's content moves only when the editor asks for it (bit 1 of its content options).
  const bool offset = button->State == ebsPressed && (!Edit || (Edit->GetContentOptions() & 2));
  if (!Empty(content)) DrawButtonContent(Canvas, Index, content, text, background, offset);
}

void TkvCustomEditViewInfo::DrawButtonBorder(TkvCanvas* Canvas, Integer Index, TRect& R, TRect& Content,
                                             TColor& TextColor, TColor& Background) {
  TkvEditButtonViewInfo* button = Buttons[Index].get();
  TextColor = clBtnText;
  bool done = false;
  OnDrawButtonBorder(this, Canvas, Index, R, Content, done);
  if (done) return;
  if (button->NativeState != 0) return DrawNativeButtonFrame(Canvas, button, Background, TextColor, Content, R);
  if (Painter) {
    Content = R;
    GetPainterColors(button, Background, TextColor);
    return;
  }
  TkvEditButtonStyle style = button->ButtonStyle;
  if (style == btsSimple && IsButtonHighlighted(Index)) style = btsFlat;
  switch (style) {
    case btsSimple: return DrawSimpleButtonBorder(Canvas, button, Background, TextColor, Content, R);
    case btsFlat: return DrawFlatButtonBorder(Canvas, button, Background, TextColor, Content, R);
    case btsHotFlat: return DrawHotFlatButtonBorder(Canvas, button, Background, TextColor, Content, R);
    case btsUltraFlat:
    case btsOffice11:
      return DrawUltraFlatButtonBorder(Canvas, button, Background, TextColor, Content, R, style == btsOffice11);
    default: return Draw3DButtonBorder(Canvas, button, Background, TextColor, Content, R);
  }
}

void TkvCustomEditViewInfo::GetPainterColors(TkvEditButtonViewInfo* Button, TColor& Background, TColor& TextColor) {
  const bool disabled = Button->State == ebsDisabled;
  TkvContainerStyle* style = Edit ? Edit->GetActiveStyle() : nullptr;
  Background = style && style->IsValueAssigned(svColor) ? style->GetColor() : Painter->EditorBackgroundColor(disabled);
  TextColor = style && style->IsValueAssigned(svTextColor) ? style->GetTextColor() : Painter->EditorTextColor(disabled);
  if (Background == clDefault) Background = Edit ? Edit->GetEditStyle()->GetColor() : (disabled ? clBtnFace : clWindow);
  if (TextColor == clDefault) TextColor = clBtnText;
}

void TkvCustomEditViewInfo::Draw3DButtonBorder(TkvCanvas* Canvas, TkvEditButtonViewInfo* Button, TColor& Background,
                                               TColor& TextColor, TRect& Content, TRect& R) {
  Background = Button->Transparent ? BackgroundColor : clBtnFace;
  TextColor = clBtnText;
  if (Button->State == ebsPressed) {
    Frame(Canvas, R, clBtnShadow);
    Frame(Canvas, R, Background);
  } else {
    TwoColorFrame(Canvas, R, cl3DLight, cl3DDkShadow);
    TwoColorFrame(Canvas, R, clBtnHighlight, clBtnShadow);
  }
  Content = R;
}

void TkvCustomEditViewInfo::DrawFlatButtonBorder(TkvCanvas* Canvas, TkvEditButtonViewInfo* Button,
                                                 TColor& Background, TColor& TextColor, TRect& Content, TRect& R) {
  Background = Button->Transparent ? BackgroundColor : clBtnFace;
  TextColor = clBtnText;
  DrawFrameEdges(Canvas, R, 1, Background);
  if (Button->State == ebsPressed)
    TwoColorFrame(Canvas, R, clBtnShadow, clBtnHighlight);
  else
    TwoColorFrame(Canvas, R, clBtnHighlight, clBtnShadow);
  DrawFrameEdges(Canvas, R, 4, Background);
  Content = R;
}

void TkvCustomEditViewInfo::DrawHotFlatButtonBorder(TkvCanvas* Canvas, TkvEditButtonViewInfo* Button,
                                                    TColor& Background, TColor& TextColor, TRect& Content, TRect& R) {
  const bool transparent = Button->Transparent;
  const TColor kByState[] = {clBtnFace, clBtnFace, clBtnText, clBtnShadow};
  Background = transparent ? BackgroundColor : kByState[Button->State];
  const bool full = (Button->LeftAlignment && Button->GroupEnd) || (!Button->LeftAlignment && Button->GroupStart);
  if (full) {
    Frame(Canvas, R, clBtnShadow);
  } else if (Button->LeftAlignment) {
    DrawFrameEdges(Canvas, R, 1 | 2 | 8, clBtnShadow);
    DrawFrameEdges(Canvas, R, 4, Background);
  } else {
    DrawFrameEdges(Canvas, R, 2 | 4 | 8, clBtnShadow);
    DrawFrameEdges(Canvas, R, 1, Background);
  }
  TextColor = clBtnText;
  if (Button->State == ebsPressed || Button->State == ebsSelected)
    TextColor = transparent && Button->State == ebsSelected ? clBtnShadow : clWindow;
  SideEdges(Canvas, R, Background);
  Content = R;
}

void TkvCustomEditViewInfo::DrawNativeButtonFrame(TkvCanvas* Canvas, TkvEditButtonViewInfo* Button,
                                                  TColor& Background, TColor& TextColor, TRect& Content, TRect& R) {
  Background = BackgroundColor;
  TextColor = clBtnText;
  bool claimed = false;
  if (ButtonCount() > 0) OnDrawButton(this, nullptr, 0, claimed);
  if (claimed) {
    Content = R;
  } else if (Button->ComboDropButton) {
    Content = TRect();
  } else {
    Content = R;
    if (HTHEME theme = ObtainTheme(totButton))
      UxGetThemeBackgroundContentRect(theme, Canvas->DCHandle(), 1, Button->NativeState, &R, &Content);
  }
}

void TkvCustomEditViewInfo::DrawSimpleButtonBorder(TkvCanvas* Canvas, TkvEditButtonViewInfo* Button,
                                                   TColor& Background, TColor& TextColor, TRect& Content, TRect& R) {
  if (!IsTransparent()) Frame(Canvas, R, Button->BackgroundColor);
  Background = Button->Transparent ? BackgroundColor : clBtnFace;
  TextColor = clBtnText;
  SideEdges(Canvas, R, Background);
  Content = R;
}

void TkvCustomEditViewInfo::DrawUltraFlatButtonBorder(TkvCanvas* Canvas, TkvEditButtonViewInfo* Button,
                                                      TColor& Background, TColor& TextColor, TRect& Content,
                                                      TRect& R, bool Office11) {
  TextColor = clBtnText;
  if (Button->Transparent)
    Background = BackgroundColor;
  else if (Button->State == ebsDisabled)
    Background = clBtnFace;
  else if (Button->State == ebsNormal)
    Background = Office11 ? Office11NormalButtonColor() : clBtnFace;
  else
    Background = FlatButtonStateColor(Button->State == ebsPressed, Office11);
  const TColor line = EditHighlightColor(Office11);
  const bool active = Button->State == ebsPressed || Button->State == ebsSelected;
  const bool bordered = Inplace ? (PaintOptions & 4) != 0 : BorderStyle != cbsNone;
  if (!active || !bordered) {
    if (active)
      Frame(Canvas, R, line);
    else if (!IsTransparent())
      Frame(Canvas, R, Button->BackgroundColor);
    Content = TRect(R.Left + 1, R.Top, R.Right - 1, R.Bottom);
    return;
  }
  Integer edges = 2 | 8;
  if (Button->LeftAlignment) {
    if (!Button->GroupStart) edges |= 1;
    if (R.Right < BorderRect.Right) edges |= 4;
  } else {
    if (!Button->GroupEnd) edges |= 4;
    if (R.Left > BorderRect.Left) edges |= 1;
  }
  DrawFrameEdges(Canvas, R, edges, line);
  Content = R;
}

void TkvCustomEditViewInfo::DrawNativeButtonBackground(TkvCanvas* Canvas, TkvEditButtonViewInfo* Button,
                                                       const TRect& R) {
  HTHEME theme = ObtainTheme(Button->ComboDropButton ? totComboBox : totButton);
  if (!theme) return;
  Integer part = 1;
  if (Button->ComboDropButton && !Inplace && DwmCompositionEnabled()) part = Button->LeftAlignment ? 7 : 6;
  UxDrawThemeBackground(theme, Canvas->DCHandle(), part, Button->NativeState, &R, nullptr);
}

void TkvCustomEditViewInfo::DrawButtonBackground(TkvCanvas* Canvas, TkvEditButtonViewInfo* Button, const TRect& R,
                                                 TColor Color) {
  if (Button->ButtonStyle == btsOffice11 && Button->Gradient && !Button->Transparent &&
      Button->State != ebsDisabled && !Painter) {
    // Lighter at the top, the state's colour at the bottom.
    PaintGradientRect(Canvas->DCHandle(), R, ColorWhitened(Color, 60), Color, false);
    return;
  }
  FillRectColor(Canvas, R, Color);
}

void TkvCustomEditViewInfo::DrawButtonContent(TkvCanvas* Canvas, Integer Index, const TRect& R, TColor TextColor,
                                              TColor, bool Offset) {
  TkvEditButtonViewInfo* button = Buttons[Index].get();
  const bool disabled = button->State == ebsDisabled;
  Canvas->PushClip();
  Canvas->ClipToRect(R);
  const Integer shift = Offset ? 1 : 0;
  if (Painter) {
    // The skin draws the button; a glyph or a caption goes on top.
    const TkvButtonState kStates[] = {kvbsDisabled, kvbsNormal, kvbsPressed, kvbsHot};
    const Integer kKinds[] = {3, 1, 2, 2};
    Painter->PaintEditButton(Canvas, R, kKinds[button->Kind], kStates[button->State]);
    if (button->Kind == bkEllipsis || button->Kind == bkDown) {
      Canvas->PopClip();
      return;
    }
  }
  auto twice = [&](auto draw) {
    if (disabled) {
      draw(1, clBtnHighlight);
      draw(0, clBtnShadow);
    } else {
      draw(shift, TextColor);
    }
  };
  switch (button->Kind) {
    case bkEllipsis: {
      const Integer s = button->Bounds.Width() > 11 ? 2 : 1;
      const Integer w = 3 * s + 4;
      Integer x = R.Left + (R.Width() - w) / 2, y = R.Top + (R.Height() - s) / 2;
      if (Offset && x + w + 1 <= R.Right && y + s + 1 <= R.Bottom) {
        ++x;
        ++y;
      }
      twice([&](Integer d, TColor c) {
        if (Offset && !disabled) d = 0;
        for (Integer i = 0; i < 3; ++i) FillRectColor(Canvas, TRect(x + d + i * (s + 2), y + d, x + d + i * (s + 2) + s, y + d + s), c);
      });
      break;
    }
    case bkDown:
      twice([&](Integer d, TColor c) {
        PainterClassForKind(false, lfStandard)->PaintArrow(Canvas, RectShifted(R, d, d), adDown, c);
      });
      break;
    case bkGlyph:
      if (IsGlyphUsable(button->Glyph)) {
        Integer x = R.Left + (R.Width() - button->Glyph->GetWidth()) / 2 + shift;
        Integer y = R.Top + (R.Height() - button->Glyph->GetHeight()) / 2 + shift;
        DrawGlyphOn(Canvas, x, y, button->Glyph, !disabled, clNone);
      }
      break;
    case bkText: {
      Canvas->AssignFont(Font);
      PrepareCanvasFont(Canvas);
      Canvas->CurrentBrush()->SetStyle(bsClear);
      TRect t(R.Left + 1, R.Top + (Inplace ? 0 : 1), R.Right - 2, R.Bottom - (Inplace ? 0 : 1));
      TColor color = button->ButtonStyle == btsHotFlat && (button->State == ebsPressed || button->State == ebsSelected)
                         ? TextColor
                         : (button->TextColor == clDefault ? this->TextColor : button->TextColor);
      const Integer kHorz[] = {ktfAlignLeft, ktfAlignRight, ktfAlignHCenter};
      const Integer flags = 2656 | kHorz[button->ContentAlignment];
      if (disabled) {
        Canvas->CurrentFont()->SetColor(clBtnHighlight);
        Canvas->PaintText(button->Caption, RectShifted(t, 1, 1), flags);
        color = clBtnShadow;
      }
      Canvas->CurrentFont()->SetColor(color);
      Canvas->PaintText(button->Caption, RectShifted(t, disabled ? 0 : shift, disabled ? 0 : shift), flags);
      break;
    }
  }
  Canvas->PopClip();
}

// ---- Repainting ----------------------------------------------------------------------------

TkvRegion* TkvCustomEditViewInfo::ChangedArea(TkvContainerViewInfo* Older) {
  TkvRegion* region = TkvContainerViewInfo::ChangedArea(Older);
  auto* older = dynamic_cast<TkvCustomEditViewInfo*>(Older);
  bool sameFrame = older && older->BorderStyle == BorderStyle && older->NativeState == NativeState &&
                   older->ButtonCount() == ButtonCount() &&
                   (older->BorderColor == BorderColor || BorderStyle == cbsNone);
  if (sameFrame) {
    for (Integer i = 0; i < ButtonCount(); ++i) region->CombineWith(Buttons[i]->GetUpdateRegion(older->Buttons[i].get()), roAdd);
  } else if (!Empty(Bounds)) {
    region->CombineWith(new TkvRegion(Bounds), roAdd);
  }
  return region;
}

bool TkvCustomEditViewInfo::RepaintDifference(TWinControl* Control, const TRect& Inner, TkvCustomEditViewInfo* Older) {
  if (!Control || !Control->HandleAllocated()) return false;
  const TRect r = Bounds;
  TRect keep;
  if (!Older) {
    RectIntersection(Inner, ClientRect, keep);
    InvalidateRectOutside(Control->GetHandle(), r, keep, HasBackground);
    return false;
  }
  bool changed = false;
  if (Older->NativeState != NativeState || Older->BackgroundColor != BackgroundColor ||
      Older->ButtonCount() != ButtonCount() || (RepaintsOnStateChange() && Older->ContainerState != ContainerState)) {
    changed = true;
    RectIntersection(Inner, ClientRect, keep);
  } else if ((BorderStyle != cbsNone && Older->BorderColor != BorderColor) || Older->BorderStyle != BorderStyle) {
    changed = true;
    keep = BorderRect;
  }
  if (changed && !Empty(r) && r != keep) InvalidateRectOutside(Control->GetHandle(), r, keep, Older->HasBackground);
  if (Older->ButtonCount() == ButtonCount())
    for (Integer i = 0; i < ButtonCount(); ++i)
      changed = Buttons[i]->Repaint(Control, Older->Buttons[i].get(), TPoint{0, 0}) || changed;
  return changed;
}
