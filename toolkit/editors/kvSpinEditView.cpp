// The spin buttons' layout (all placed at once, by SpinButtons.Position) and their painting:
// arrows, the shared frame lines of the flat styles, the theme's spin parts and the delimiter.

#include <algorithm>

#include "gdi/UxTheme.h"
#include "rtl/ClassRegistry.h"
#include "rtl/Math.h"
#include "toolkit/editors/kvEditUtils.h"
#include "toolkit/editors/kvSpinEdit.h"
#include "toolkit/foundation/kvDWMApi.h"
#include "toolkit/foundation/qzThemeManager.h"
#include "toolkit/foundation/qzUxTheme.h"

TAVREN_CLASS_IMPL(TkvSpinEditViewData)
TAVREN_CLASS_IMPL(TkvSpinEditViewInfo)

namespace {

bool IsEmptyRect(const TRect& R) { return R.Right <= R.Left || R.Bottom <= R.Top; }

TRect Clipped(const TRect& R, const TRect& By) {
  TRect result(std::max(R.Left, By.Left), std::max(R.Top, By.Top), std::min(R.Right, By.Right),
               std::min(R.Bottom, By.Bottom));
  return IsEmptyRect(result) ? TRect() : result;
}

bool IsActive(const TkvEditButtonViewInfo* Button) {
  return Button->State == ebsPressed || Button->State == ebsSelected;
}

}  // namespace

// ---- Layout ----------------------------------------------------------------------------------

TkvSpinEditButtonsPosition TkvSpinEditViewData::Position() {
  return static_cast<TkvCustomSpinEditProperties*>(Properties)->GetSpinButtons()->GetPosition();
}

void TkvSpinEditViewData::ComputeViewInfo(TkvCanvas* Canvas, const TRect& ABounds, const TPoint& P, Integer Button,
                                          TShiftState Shift, TkvCustomEditViewInfo* ViewInfo, bool IsMouseEvent) {
  TkvCustomTextEditViewData::ComputeViewInfo(Canvas, ABounds, P, Button, Shift, ViewInfo, IsMouseEvent);
  HTHEME theme = NativeStyle ? ObtainTheme(totSpin) : nullptr;
  const bool vertical = Position() == sbpVert;
  for (auto& info : ViewInfo->Buttons) {
    if (!theme) {
      info->NativePart = info->NativeState = 0;
      info->PartiallyTransparent = false;
      continue;
    }
    const Integer kParts[] = {vertical ? 2 : 4, vertical ? 1 : 3, 4, 3};
    const Integer kStates[] = {4, 1, 3, 2};
    info->NativePart = kParts[std::clamp<Integer>(info->Index, 0, 3)];
    info->NativeState = kStates[info->State];
    info->PartiallyTransparent = UxIsThemeBackgroundPartiallyTransparent(theme, info->NativePart, info->NativeState);
  }
}

void TkvSpinEditViewData::FillButtonViewInfo(TkvCanvas* Canvas, TkvCustomEditViewInfo* ViewInfo,
                                             TkvEditButton* Button, TkvEditButtonViewInfo* Info) {
  TkvCustomTextEditViewData::FillButtonViewInfo(Canvas, ViewInfo, Button, Info);
  if (Position() == sbpHorzLeftRight && Info->Index % 2 == 0) Info->LeftAlignment = true;
}

void TkvSpinEditViewData::PlaceButton(TkvCanvas* Canvas, TkvCustomEditViewInfo* ViewInfo, Integer Index, TRect& R) {
  // The framework asks from the last button down: all are placed at its first question.
  if (Index != ViewInfo->ButtonCount() - 1) return;
  PlaceAll(Canvas, static_cast<TkvSpinEditViewInfo*>(ViewInfo), R);
}

void TkvSpinEditViewData::PlaceAll(TkvCanvas* Canvas, TkvSpinEditViewInfo* ViewInfo, TRect& Area) {
  const Integer count = ViewInfo->ButtonCount();
  const TkvSpinEditButtonsPosition position = Position();
  ViewInfo->ButtonsPosition = position;
  for (auto& info : ViewInfo->Buttons) info->Bounds = info->VisibleBounds = TRect();
  if (IsEmptyRect(Area) || count < 2) return;
  auto button = [&](Integer Number) { return ViewInfo->Buttons[Number].get(); };
  const Integer w = EditButtonWidth(Canvas, button(count - 1));
  ViewInfo->ArrowSize = ArrowSize(TSize{w + 2, Area.Height() / 2 + 2}, adUp).cy;
  TkvCustomLookAndFeelPainter* painter = GetEditStyle()->GetLookAndFeel()->GetSkinPainter();
  Integer horzWidth, fastWidth;
  if (painter) {
    const Integer extent = painter->EditButtonExtent().cy;
    horzWidth = extent / 2 + ViewInfo->ArrowSize;
    fastWidth = (extent & 1) + horzWidth * 3 / 2;
  } else {
    horzWidth = NativeStyle ? (Area.Height() + 1) / 2 : 4 * ViewInfo->ArrowSize - 3;
    fastWidth = MulDiv(horzWidth, 3, 2);
  }
  bool customDrawn = false;
  ViewInfo->OnDrawButton(ViewInfo, nullptr, 0, customDrawn);
  FDelimiter = NativeStyle && !customDrawn ? 1 : 0;
  // Under composition the themed buttons that do not reach the bottom end a pixel above it.
  const Integer raised = NativeStyle && DwmCompositionEnabled() ? 1 : 0;
  auto takeRight = [&](Integer Number, Integer Width, Integer Lift) {
    button(Number)->Bounds = TRect(Area.Right - Width, Area.Top, Area.Right, Area.Bottom - Lift);
    Area.Right -= Width;
  };
  auto takeLeft = [&](Integer Number, Integer Width) {
    button(Number)->Bounds = TRect(Area.Left, Area.Top, Area.Left + Width, Area.Bottom - raised);
    Area.Left += Width;
  };
  const bool fast = count == 4;
  if (fast) takeRight(3, fastWidth, raised);
  if (position == sbpVert) {
    const Integer upHeight = (Area.Height() - FDelimiter) / 2;
    button(1)->Bounds = TRect(Area.Right - w, Area.Top, Area.Right, Area.Top + upHeight);
    button(0)->Bounds = TRect(Area.Right - w, Area.Top + upHeight + FDelimiter, Area.Right, Area.Bottom);
    Area.Right -= w;
  } else {
    takeRight(1, horzWidth, raised);
    Area.Right -= FDelimiter;
    if (position == sbpHorzRight) {
      takeRight(0, horzWidth, 0);
    } else {
      if (fast) takeLeft(2, fastWidth);
      takeLeft(0, horzWidth);
    }
  }
  if (fast && position != sbpHorzLeftRight) takeRight(2, fastWidth, raised);
  for (auto& info : ViewInfo->Buttons) info->VisibleBounds = info->Bounds;
}

void TkvSpinEditViewData::StretchButtons(TkvCustomEditViewInfo* ViewInfo, Integer Total, Integer Remaining) {
  TkvCustomTextEditViewData::StretchButtons(ViewInfo, Total, Remaining);
  auto* info = static_cast<TkvSpinEditViewInfo*>(ViewInfo);
  info->DelimiterFrom = info->DelimiterTo = TPoint();
  if (info->ButtonCount() < 2) return;
  TkvEditButtonViewInfo* down = info->Buttons[0].get();
  TkvEditButtonViewInfo* up = info->Buttons[1].get();
  const TkvSpinEditButtonsPosition position = Position();
  if (position == sbpVert) {
    down->Bounds.Left = up->Bounds.Left;
    down->Bounds.Right = up->Bounds.Right;
  }
  for (auto& button : info->Buttons) button->VisibleBounds = Clipped(button->Bounds, Bounds);
  if (FDelimiter == 0 || position == sbpHorzLeftRight) return;
  if (position == sbpVert) {
    info->DelimiterFrom = TPoint(up->Bounds.Left, up->Bounds.Bottom);
    info->DelimiterTo = TPoint(up->Bounds.Right, up->Bounds.Bottom);
  } else {
    info->DelimiterFrom = TPoint(down->Bounds.Right, down->Bounds.Top);
    info->DelimiterTo = TPoint(down->Bounds.Right, down->Bounds.Bottom);
  }
}

bool TkvSpinEditViewData::IsButtonFixedWidth(Integer Index) { return Index == 0 && Position() == sbpVert; }

// ---- Painting --------------------------------------------------------------------------------

void TkvSpinEditViewInfo::CopyFrom(TkvContainerViewInfo* Other) {
  TkvCustomTextEditViewInfo::CopyFrom(Other);
  auto* other = dynamic_cast<TkvSpinEditViewInfo*>(Other);
  if (!other) return;
  ArrowSize = other->ArrowSize;
  ButtonsPosition = other->ButtonsPosition;
  DelimiterFrom = other->DelimiterFrom;
  DelimiterTo = other->DelimiterTo;
}

void TkvSpinEditViewInfo::MoveBy(Integer DX, Integer DY) {
  TkvCustomTextEditViewInfo::MoveBy(DX, DY);
  if (DelimiterFrom == DelimiterTo) return;
  DelimiterFrom = TPoint(DelimiterFrom.X + DX, DelimiterFrom.Y + DY);
  DelimiterTo = TPoint(DelimiterTo.X + DX, DelimiterTo.Y + DY);
}

void TkvSpinEditViewInfo::PaintContent(TkvCanvas* Canvas) {
  TkvCustomTextEditViewInfo::PaintContent(Canvas);
  if (DelimiterFrom == DelimiterTo) return;
  // One pixel wide, along the line, within the border.
  const bool vertical = DelimiterFrom.X == DelimiterTo.X;
  const TRect line = vertical ? TRect(DelimiterFrom.X, DelimiterFrom.Y, DelimiterFrom.X + 1, DelimiterTo.Y)
                              : TRect(DelimiterFrom.X, DelimiterFrom.Y, DelimiterTo.X, DelimiterFrom.Y + 1);
  const TRect clipped = Clipped(line, BorderRect);
  if (!IsEmptyRect(clipped)) FillRectColor(Canvas, clipped, BackgroundColor);
}

Integer TkvSpinEditViewInfo::FlatFrameEdges(const TkvEditButtonViewInfo* Button) const {
  constexpr Integer A = 1 | 2 | 8, B = 2 | 4 | 8, C = 4 | 8, D = 1 | 4 | 8, E = 1 | 2 | 4 | 8;
  const bool fast = ButtonCount() == 4;
  if (Button->Index < 0 || Button->Index > 3) return E;
  switch (ButtonsPosition) {
    case sbpHorzLeftRight: {
      const Integer kinds[] = {E, E, A, B};
      return kinds[Button->Index];
    }
    case sbpHorzRight: {
      const Integer kinds[] = {fast ? B : E, B, E, B};
      return kinds[Button->Index];
    }
    case sbpVert: {
      const Integer kinds[] = {fast ? C : D, fast ? B : E, E, B};
      return kinds[Button->Index];
    }
  }
  return E;
}

void TkvSpinEditViewInfo::DrawHotFlatButtonBorder(TkvCanvas* Canvas, TkvEditButtonViewInfo* Button,
                                                  TColor& Background, TColor& TextColor, TRect& Content, TRect& R) {
  const TColor kFaces[] = {clBtnFace, clBtnFace, clBtnText, clBtnShadow};
  Background = Button->Transparent ? BackgroundColor : kFaces[Button->State];
  const Integer edges = FlatFrameEdges(Button);
  // Each side once: the frame kind's in the shadow colour, the others in the face colour.
  for (Integer edge : {1, 2, 4, 8}) {
    TRect side = R;
    DrawFrameEdges(Canvas, side, edge, (edges & edge) ? clBtnShadow : Background);
  }
  R = TRect(R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1);
  TextColor = clBtnText;
  if (IsActive(Button)) TextColor = Button->Transparent && Button->State == ebsSelected ? clBtnShadow : clBtnHighlight;
  Content = R;
}

void TkvSpinEditViewInfo::DrawNativeButtonFrame(TkvCanvas*, TkvEditButtonViewInfo*, TColor& Background,
                                                TColor& TextColor, TRect& Content, TRect& R) {
  Background = BackgroundColor;
  TextColor = clBtnText;
  // The theme's part shows its own arrow; only a custom-drawn button gets the content.
  bool claimed = false;
  if (ButtonCount() > 0) OnDrawButton(this, nullptr, 0, claimed);
  Content = claimed ? R : TRect();
}

void TkvSpinEditViewInfo::DrawUltraFlatButtonBorder(TkvCanvas* Canvas, TkvEditButtonViewInfo* Button,
                                                    TColor& Background, TColor& TextColor, TRect& Content,
                                                    TRect& R, bool Office11) {
  if (!IsActive(Button)) {
    TkvCustomTextEditViewInfo::DrawUltraFlatButtonBorder(Canvas, Button, Background, TextColor, Content, R, Office11);
    return;
  }
  TextColor = clBtnText;
  Background = Button->Transparent ? BackgroundColor : FlatButtonStateColor(Button->State == ebsPressed, Office11);
  // The state colour on every side that is not the editor's own border line.
  Integer edges = 0;
  if (R.Left > BorderRect.Left) edges |= 1;
  if (R.Top > BorderRect.Top) edges |= 2;
  if (R.Right < BorderRect.Right) edges |= 4;
  if (R.Bottom < BorderRect.Bottom) edges |= 8;
  const bool bordered = Inplace ? (PaintOptions & 4) != 0 : BorderStyle != cbsNone;
  if (!bordered) edges = 1 | 2 | 4 | 8;
  DrawFrameEdges(Canvas, R, edges, EditHighlightColor(Office11));
  Content = R;
}

void TkvSpinEditViewInfo::DrawNativeButtonBackground(TkvCanvas* Canvas, TkvEditButtonViewInfo* Button,
                                                     const TRect& R) {
  if (HTHEME theme = ObtainTheme(totSpin))
    UxDrawThemeBackground(theme, Canvas->DCHandle(), Button->NativePart, Button->NativeState, &R, nullptr);
}

void TkvSpinEditViewInfo::DrawButtonContent(TkvCanvas* Canvas, Integer Index, const TRect& R, TColor TextColor,
                                            TColor, bool Offset) {
  TkvEditButtonViewInfo* button = Buttons[Index].get();
  const bool vertical = ButtonsPosition == sbpVert;
  const bool fast = button->Index >= 2;
  const bool down = button->Index % 2 == 0;
  if (Painter) {
    const TkvButtonState kStates[] = {kvbsDisabled, kvbsNormal, kvbsPressed, kvbsHot};
    const Integer glyph = vertical ? (down ? 5 : 4) : (down ? 6 : 7);
    Painter->PaintEditButton(Canvas, R, glyph, kStates[button->State]);
    return;
  }
  TkvArrowDirection direction = down ? adLeft : adRight;
  if (vertical && !fast) direction = down ? adDown : adUp;
  Canvas->PushClip();
  Canvas->ClipToRect(R);
  const bool pressed = button->State == ebsPressed;
  if (button->State == ebsDisabled) {
    // Embossed: the highlight one pixel right and down, the shadow over it.
    DrawArrows(Canvas, ArrowSize, R, direction, fast, true, clBtnHighlight);
    DrawArrows(Canvas, ArrowSize, R, direction, fast, false, clBtnShadow);
  } else {
    DrawArrows(Canvas, ArrowSize, R, direction, fast, pressed || Offset, TextColor);
  }
  Canvas->PopClip();
}
