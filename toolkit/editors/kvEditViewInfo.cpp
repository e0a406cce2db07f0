// An editor's painting: background, frame and buttons in each button style, and what a newer view
// must repaint over an older one.

#include <algorithm>

#include "toolkit/editors/kvEdit.h"
#include "toolkit/editors/kvEditUtils.h"
#include "toolkit/foundation/kvDWMApi.h"
#include "toolkit/foundation/kvGeometry.h"
#include "toolkit/foundation/qzOffice11.h"
#include "toolkit/foundation/qzThemeManager.h"
#include "toolkit/foundation/qzUxTheme.h"

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

bool TkvCustomEditViewInfo::HasTextButton() const {
  return std::any_of(Buttons.begin(), Buttons.end(), [](const auto& b) { return b->Kind == bkText; });
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

void DrawEditBackgroundAndButtons(TkvCanvas* Canvas, TkvCustomEditViewInfo* ViewInfo, bool FillWhole, Integer) {
  bool clipped = ViewInfo->ButtonCount() > 0 && !ViewInfo->Buttons[0]->PartiallyTransparent;
  if (clipped) {
    Canvas->PushClip();
    for (auto& button : ViewInfo->Buttons) Canvas->ClipOutRect(button->VisibleBounds);
  }
  const bool transparent = ViewInfo->IsTransparent();
  if (ViewInfo->NativeStyle) {
    // Native frames are the theme's; inside them the editor's colour.
    if (!transparent) FillRectColor(Canvas, FillWhole ? ViewInfo->Bounds : ViewInfo->BorderRect, ViewInfo->BackgroundColor);
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
    }
  }
  if (clipped) Canvas->PopClip();
  ViewInfo->DrawButtons(Canvas);
}

void TkvCustomEditViewInfo::PaintContent(TkvCanvas* Canvas) { DrawEditBackgroundAndButtons(Canvas, this, true, 0); }

bool TkvCustomEditViewInfo::IsTransparent() const {
  return Transparent || (Edit && Edit->GetTransparent());
}

// ---- Buttons -------------------------------------------------------------------------------

void TkvCustomEditViewInfo::DrawButtons(TkvCanvas* Canvas) {
  if (FPaintingButtons) return;
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
  DrawButton(Canvas, Index);
  if (clip) Canvas->PopClip();
}

void TkvCustomEditViewInfo::DrawButton(TkvCanvas* Canvas, Integer Index) {
  TkvEditButtonViewInfo* button = Buttons[Index].get();
  TRect r = button->Bounds, content;
  TColor text = clBtnText, background = clBtnFace;
  DrawButtonBorder(Canvas, Index, r, content, text, background);
  if (!Empty(button->Bounds)) DrawButtonBackground(Canvas, button, r, background);
  // A pressed button's content moves only when the editor asks for it (bit 1 of its content options).
  const bool offset = button->State == ebsPressed && (!Edit || (Edit->GetContentOptions() & 2));
  if (!Empty(content)) DrawButtonContent(Canvas, Index, content, text, background, offset);
}

void TkvCustomEditViewInfo::DrawButtonBorder(TkvCanvas* Canvas, Integer Index, TRect& R, TRect& Content,
                                             TColor& TextColor, TColor& Background) {
  TkvEditButtonViewInfo* button = Buttons[Index].get();
  const bool transparent = button->Transparent;
  const TColor face = transparent ? BackgroundColor : clBtnFace;
  TextColor = clBtnText;
  if (Painter) {
    Background = Painter->EditorBackgroundColor(button->State == ebsDisabled);
    TextColor = Painter->EditorTextColor(button->State == ebsDisabled);
    Content = R;
    return;
  }
  TkvEditButtonStyle style = button->ButtonStyle;
  if (style == btsSimple && (button->State == ebsPressed || button->State == ebsSelected)) style = btsFlat;
  switch (style) {
    case btsSimple:
      if (!IsTransparent()) Frame(Canvas, R, button->BackgroundColor);
      Background = face;
      SideEdges(Canvas, R, Background);
      break;
    case btsFlat:
      Background = face;
      DrawFrameEdges(Canvas, R, 1, Background);
      if (button->State == ebsPressed)
        TwoColorFrame(Canvas, R, clBtnShadow, clBtnHighlight);
      else
        TwoColorFrame(Canvas, R, clBtnHighlight, clBtnShadow);
      DrawFrameEdges(Canvas, R, 4, Background);
      break;
    case btsHotFlat: {
      const TColor kByState[] = {clBtnFace, clBtnFace, clBtnText, clBtnShadow};
      Background = transparent ? BackgroundColor : kByState[button->State];
      bool full = (button->LeftAlignment && button->GroupEnd) || (!button->LeftAlignment && button->GroupStart);
      if (full) {
        Frame(Canvas, R, clBtnShadow);
      } else if (button->LeftAlignment) {
        DrawFrameEdges(Canvas, R, 1 | 2 | 8, clBtnShadow);
        DrawFrameEdges(Canvas, R, 4, Background);
      } else {
        DrawFrameEdges(Canvas, R, 2 | 4 | 8, clBtnShadow);
        DrawFrameEdges(Canvas, R, 1, Background);
      }
      if (button->State == ebsPressed || button->State == ebsSelected)
        TextColor = transparent && button->State == ebsSelected ? clBtnShadow : clWindow;
      SideEdges(Canvas, R, Background);
      break;
    }
    case btsUltraFlat:
    case btsOffice11: {
      const bool office11 = style == btsOffice11;
      if (transparent)
        Background = BackgroundColor;
      else if (button->State == ebsDisabled)
        Background = clBtnFace;
      else if (button->State == ebsNormal)
        Background = office11 ? Office11NormalButtonColor() : clBtnFace;
      else
        Background = FlatButtonStateColor(button->State == ebsPressed, office11);
      const TColor line = EditHighlightColor(office11);
      const bool active = button->State == ebsPressed || button->State == ebsSelected;
      const bool bordered = Inplace ? (PaintOptions & 4) != 0 : BorderStyle != cbsNone;
      if (!active || !bordered) {
        if (active)
          Frame(Canvas, R, line);
        else if (!IsTransparent())
          Frame(Canvas, R, button->BackgroundColor);
        Content = TRect(R.Left + 1, R.Top, R.Right - 1, R.Bottom);
        return;
      }
      Integer edges = 2 | 8;
      if (button->LeftAlignment) {
        if (!button->GroupStart) edges |= 1;
        if (R.Right < BorderRect.Right) edges |= 4;
      } else {
        if (!button->GroupEnd) edges |= 4;
        if (R.Left > BorderRect.Left) edges |= 1;
      }
      DrawFrameEdges(Canvas, R, edges, line);
      Content = R;
      return;
    }
    default:  // bts3D and the default look
      Background = face;
      if (button->State == ebsPressed) {
        Frame(Canvas, R, clBtnShadow);
        Frame(Canvas, R, Background);
      } else {
        TwoColorFrame(Canvas, R, cl3DLight, cl3DDkShadow);
        TwoColorFrame(Canvas, R, clBtnHighlight, clBtnShadow);
      }
      break;
  }
  Content = R;
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
