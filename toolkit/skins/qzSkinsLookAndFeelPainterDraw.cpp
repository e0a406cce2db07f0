// The skin painter's drawing operations: each draws the bound skin element, or leaves the work to
// the Office-11 painter when the skin lacks it.

#include <cmath>
#include <memory>
#include <numbers>

#include "gdi/Gdi.h"
#include "rtl/DateUtils.h"
#include "toolkit/foundation/kvGeometry.h"
#include "toolkit/skins/qzSkinsLookAndFeelPainter.h"

namespace {

constexpr TColor kClockMark = static_cast<TColor>(0x808000);

void NarrowClip(TkvCanvas* Canvas, const TRect& R) {
  Canvas->ApplyClipRegion(new TkvRegion(R), roIntersect, true, true);
}

TPoint Rounded(Double X, Double Y) {
  return TPoint{static_cast<Integer>(std::nearbyint(X)), static_cast<Integer>(std::nearbyint(Y))};
}

// A filled quadrilateral hand: tip, side, tail, other side; the tip pixel is marked first.
void PaintClockHand(TCanvas* Canvas, const TPoint& C, TColor Color, Double A, Double TipX, Double TipY, Double TailX,
                    Double TailY, Double Width) {
  constexpr Double pi = std::numbers::pi;
  const TPoint tip = Rounded(C.X + TipX * std::cos(A), C.Y + TipY * std::sin(A));
  const TPoint side = Rounded(C.X + Width / 2 * std::cos(A + pi / 2), C.Y + Width / 2 * std::sin(A + pi / 2));
  const TPoint tail = Rounded(C.X + TailX * std::cos(A + pi), C.Y + TailY * std::sin(A + pi));
  const TPoint other =
      Rounded(C.X + Width / 2 * std::cos(A + 3 * pi / 2), C.Y + Width / 2 * std::sin(A + 3 * pi / 2));
  HDC dc = Canvas->GetHandle();
  Canvas->GetBrush()->SetColor(Color);
  BeginPath(dc);
  Canvas->SetPixel(tip.X, tip.Y, kClockMark);
  Canvas->GetPen()->SetColor(kClockMark);
  Canvas->MoveTo(tip.X, tip.Y);
  Canvas->LineTo(side.X, side.Y);
  Canvas->LineTo(tail.X, tail.Y);
  Canvas->LineTo(other.X, other.Y);
  Canvas->LineTo(tip.X, tip.Y);
  EndPath(dc);
  FillPath(dc);
}

void PaintClockHands(TCanvas* Canvas, const TRect& R, TDateTime Time, TColor Color) {
  constexpr Double pi = std::numbers::pi;
  const TPoint c{(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2};
  const Double hx = R.Width() / 2.0 - 2, hy = R.Height() / 2.0 - 2;
  Word h = 0, m = 0, s = 0, ms = 0;
  DecodeTime(Time, h, m, s, ms);
  PaintClockHand(Canvas, c, Color, ((h % 12) * 3600 + m * 60 + s - 10800) * 2 * pi / 43200, 0.75 * hx, 0.75 * hy,
                 0.15 * hx, 0.15 * hy, 9);
  PaintClockHand(Canvas, c, Color, (m * 60 + s - 900) * 2 * pi / 3600, 0.85 * hx, 0.85 * hy, 0.2 * hx, 0.2 * hy, 7);
  const Double a = (s - 15) * 2 * pi / 60;
  Canvas->GetPen()->SetColor(Color);
  Canvas->MoveTo(c.X, c.Y);
  const TPoint end = Rounded(c.X + 0.9 * hx * std::cos(a), c.Y + 0.9 * hy * std::sin(a));
  Canvas->LineTo(end.X, end.Y);
}

}  // namespace

void TqzSkinLookAndFeelPainter::PaintContent(TkvCanvas* Canvas, const TRect&, const TRect& TextRect, TkvButtonState,
                                             TAlignment AlignHorz, TkvVerticalAlignment AlignVert, bool MultiLine,
                                             bool ShowEndEllipsis, const String& Text, TFont* Font, TColor TextColor,
                                             TColor, const TkvDrawBackgroundEvent&, bool) {
  // The element under the content has drawn the background.
  if (Text.empty()) return;
  Canvas->CurrentBrush()->SetStyle(bsClear);
  if (Font) Canvas->AssignFont(Font);
  Canvas->CurrentFont()->SetColor(TextColor);
  Canvas->PaintText(Text, TextRect, TextFlagsFor(AlignHorz, AlignVert, MultiLine, ShowEndEllipsis), true);
  Canvas->CurrentBrush()->SetStyle(bsSolid);
}

void TqzSkinLookAndFeelPainter::PaintSchedulerNavButtonFace(TkvCanvas* Canvas, const TRect& R,
                                                            const TRect& ArrowRect, bool IsNext,
                                                            TkvButtonState State) {
  TqzSkinElement* button = Bound(IsNext ? seSchedulerNavButtonNext : seSchedulerNavButtonPrev);
  if (!button) {
    inherited::PaintSchedulerNavButtonFace(Canvas, R, ArrowRect, IsNext, State);
    return;
  }
  const TqzSkinElementState state = SkinElementStateOf(State);
  Canvas->PushClip();
  NarrowClip(Canvas, R);
  // The button's open side lies outside the clip, so that only its closed edges show.
  button->Draw(Canvas->DCHandle(), RectInflatedSides(R, IsNext ? 0 : 1, 0, IsNext ? 1 : 0, 0), 0, state);
  DrawBound(Canvas, IsNext ? seSchedulerNavButtonNextArrow : seSchedulerNavButtonPrevArrow, ArrowRect, 0, state);
  Canvas->PopClip();
}

void TqzSkinLookAndFeelPainter::PaintFrame(TkvCanvas* Canvas, const TRect& R) {
  TqzSkinLookAndFeelPainterInfo* info = PainterInfo();
  TqzSkinColor* color = info ? info->SkinColor(scContainerBorderColor) : nullptr;
  if (color)
    Canvas->PaintFrame(R, color->GetValue());
  else
    inherited::PaintFrame(Canvas, R);
}

void TqzSkinLookAndFeelPainter::PaintButton(TkvCanvas* Canvas, const TRect& R, const String& Caption,
                                            TkvButtonState State, bool DrawFrame, TColor Color, TColor TextColor,
                                            bool WordWrap) {
  TqzSkinElement* button = Bound(seCommonButton);
  if (!button) {
    inherited::PaintButton(Canvas, R, Caption, State, DrawFrame, Color, TextColor, WordWrap);
    return;
  }
  button->Draw(Canvas->DCHandle(), R, 0, SkinElementStateOf(State));
  TRect text = RectInsideMargins(R, button->GetContentOffset()->RectRef());
  Canvas->CurrentFont()->SetColor(TextColor == clDefault ? ButtonGlyphColor(State, clDefault) : TextColor);
  Canvas->CurrentBrush()->SetStyle(bsClear);
  // Text centres on whole pixels in low buttons.
  if (text.Height() % 2 != 0) --text.Bottom;
  if (text.Height() < 18) --text.Top;
  if (State == kvbsPressed) {
    const Integer shift = ButtonPressedTextShift();
    text = RectShifted(text, shift, shift);
  }
  if (!Caption.empty()) {
    Canvas->PaintText(Caption, text,
                      ktfAlignHCenter | ktfAlignVCenter | ktfShowPrefix | (WordWrap ? ktfWordBreak : ktfSingleLine),
                      State != kvbsDisabled);
  }
  Canvas->CurrentBrush()->SetStyle(bsSolid);
}

void TqzSkinLookAndFeelPainter::PaintGroupButton(TkvCanvas* Canvas, const TRect& R, TkvButtonState State, Integer,
                                                 Integer, TColor) {
  PaintEditButton(Canvas, R, 2, State);
}

void TqzSkinLookAndFeelPainter::PaintButtonGroupFrame(TkvCanvas*, const TRect&, bool, bool) {}

void TqzSkinLookAndFeelPainter::PaintExpandButton(TkvCanvas* Canvas, const TRect& R, bool Expanded, TColor Color) {
  if (!DrawBound(Canvas, seGridPlusMinus, R, Expanded ? 1 : 0, esNormal))
    inherited::PaintExpandButton(Canvas, R, Expanded, Color);
}

void TqzSkinLookAndFeelPainter::PaintSmallExpandButton(TkvCanvas* Canvas, const TRect& R, bool Expanded,
                                                       TColor BorderColor, TColor Color) {
  if (!DrawBound(Canvas, seGridPlusMinus, R, Expanded ? 1 : 0, esNormal))
    inherited::PaintSmallExpandButton(Canvas, R, Expanded, BorderColor, Color);
}

void TqzSkinLookAndFeelPainter::PaintCheckBox(TkvCanvas* Canvas, const TRect& R, TkvButtonState State,
                                              TkvCheckBoxState CheckState) {
  const Integer index = CheckState == cbsChecked ? 1 : CheckState == cbsGrayed ? 2 : 0;
  if (!DrawBound(Canvas, seEditorsCheckbox, R, index, SkinElementStateOf(State)))
    inherited::PaintCheckBox(Canvas, R, State, CheckState);
}

void TqzSkinLookAndFeelPainter::PaintRadioButton(TkvCanvas* Canvas, Integer X, Integer Y, TkvButtonState State,
                                                 bool Checked, bool Focused, TColor BkColor, bool Highlighted) {
  TqzSkinElement* radio = Bound(seEditorsRadioButton);
  if (!radio) {
    inherited::PaintRadioButton(Canvas, X, Y, State, Checked, Focused, BkColor, Highlighted);
    return;
  }
  const TSize size = radio->Size();
  const TRect r = Bounds(X, Y, size.cx, size.cy);
  if (BkColor != clDefault) Canvas->FillWithColor(r, BkColor);
  radio->Draw(Canvas->DCHandle(), r, Checked ? 1 : 0, SkinElementStateOf(State));
}

void TqzSkinLookAndFeelPainter::PaintHeader(TkvCanvas* Canvas, const TRect& Bounds, const TRect& TextAreaBounds,
                                            TkvBorders Neighbors, TkvBorders Borders, TkvButtonState State,
                                            TAlignment AlignHorz, TkvVerticalAlignment AlignVert, bool MultiLine,
                                            bool ShowEndEllipsis, const String& Text, TFont* Font, TColor TextColor,
                                            TColor BkColor, const TkvDrawBackgroundEvent& OnDrawBackground,
                                            bool Rightmost, Integer Reserved) {
  TqzSkinElement* header = Bound(Reserved != 0 ? seCommonHeaderSpecial : seCommonHeader);
  if (!header) {
    inherited::PaintHeader(Canvas, Bounds, TextAreaBounds, Neighbors, Borders, State, AlignHorz, AlignVert, MultiLine,
                           ShowEndEllipsis, Text, Font, TextColor, BkColor, OnDrawBackground, Rightmost, Reserved);
    return;
  }
  // Sides without a border are drawn outside the clip, so neighbouring headers share one line.
  const TRect drawn = RectInflatedSides(Bounds, Borders.Contains(bLeft) ? 0 : 1, Borders.Contains(bTop) ? 0 : 1,
                                        Borders.Contains(bRight) ? 0 : 1, Borders.Contains(bBottom) ? 0 : 1);
  Canvas->PushClip();
  NarrowClip(Canvas, Bounds);
  header->Draw(Canvas->DCHandle(), drawn, 0, SkinElementStateOf(State));
  PaintContent(Canvas, HeaderContentBounds(Bounds, Borders), TextAreaBounds, State, AlignHorz, AlignVert, MultiLine,
               ShowEndEllipsis, Text, Font, TextColor, BkColor, OnDrawBackground, false);
  Canvas->PopClip();
}

void TqzSkinLookAndFeelPainter::PaintHeaderSimple(TkvCanvas* Canvas, const TRect& Bounds, const TRect& TextAreaBounds,
                                                  TkvBorders Neighbors, TkvBorders Borders, TkvButtonState State,
                                                  TAlignment AlignHorz, TkvVerticalAlignment AlignVert,
                                                  bool MultiLine, bool ShowEndEllipsis, const String& Text,
                                                  TFont* Font, TColor TextColor, TColor BkColor,
                                                  const TkvDrawBackgroundEvent& OnDrawBackground) {
  PaintHeader(Canvas, Bounds, TextAreaBounds, Neighbors, Borders, State, AlignHorz, AlignVert, MultiLine,
              ShowEndEllipsis, Text, Font, TextColor, BkColor, OnDrawBackground, false, 0);
}

void TqzSkinLookAndFeelPainter::PaintHeaderSeparator(TkvCanvas* Canvas, const TRect& Bounds, Integer IndentSize,
                                                     TColor Color, const TkvViewParams& ViewParams) {
  TqzSkinLookAndFeelPainterInfo* info = PainterInfo();
  TqzSkinColor* color = info ? info->SkinColor(scHeaderBackgroundColor) : nullptr;
  if (color)
    Canvas->FillWithColor(RectInflatedSides(Bounds, -IndentSize, 0, -IndentSize, 0), color->GetValue());
  else
    inherited::PaintHeaderSeparator(Canvas, Bounds, IndentSize, Color, ViewParams);
}

void TqzSkinLookAndFeelPainter::PaintBackgroundArea(TkvCanvas* Canvas, const TRect& R, bool Transparent,
                                                    TColor BkColor, TBitmap* BkBitmap) {
  if (!DrawBound(Canvas, seGridGridGroupPanel, R, 0, esNormal))
    inherited::PaintBackgroundArea(Canvas, R, Transparent, BkColor, BkBitmap);
}

void TqzSkinLookAndFeelPainter::PaintFooterCell(TkvCanvas* Canvas, const TRect& Bounds, TAlignment AlignHorz,
                                                TkvVerticalAlignment AlignVert, bool MultiLine, const String& Text,
                                                TFont* Font, TColor TextColor, TColor BkColor,
                                                const TkvDrawBackgroundEvent& OnDrawBackground) {
  if (!DrawBound(Canvas, seGridFooterCell, Bounds, 0, esNormal)) {
    inherited::PaintFooterCell(Canvas, Bounds, AlignHorz, AlignVert, MultiLine, Text, Font, TextColor, BkColor,
                               OnDrawBackground);
    return;
  }
  PaintContent(Canvas, FooterCellContentBounds(Bounds), FooterCellTextBounds(Bounds), kvbsDefault, AlignHorz,
               AlignVert, MultiLine, false, Text, Font, TextColor, BkColor, OnDrawBackground, true);
  Canvas->ClipOutRect(Bounds);
}

void TqzSkinLookAndFeelPainter::PaintFooterFrame(TkvCanvas* Canvas, const TRect& R) {
  TqzSkinElement* panel = Bound(seGridFooterPanel);
  if (!panel) {
    inherited::PaintFooterFrame(Canvas, R);
    return;
  }
  const TRect& o = panel->GetContentOffset()->RectRef();
  Canvas->PushClip();
  Canvas->ClipOutRect(Rect(R.Left, R.Top, R.Right - o.Right, R.Bottom - o.Bottom));
  Canvas->ClipOutRect(Rect(R.Left, R.Top - 1, R.Right, R.Top));
  panel->Draw(Canvas->DCHandle(), Rect(R.Left - o.Left, R.Top - 1, R.Right, R.Bottom), 0, esNormal);
  Canvas->PopClip();
}

void TqzSkinLookAndFeelPainter::PaintFooterContent(TkvCanvas* Canvas, const TRect& R, const TkvViewParams& ViewParams) {
  TqzSkinElement* panel = Bound(seGridFooterPanel);
  if (!panel || (ViewParams.Bitmap && !ViewParams.Bitmap->GetEmpty())) {
    inherited::PaintFooterContent(Canvas, R, ViewParams);
    return;
  }
  const TRect& o = panel->GetContentOffset()->RectRef();
  panel->Draw(Canvas->DCHandle(), Rect(R.Left - o.Left, R.Top - 1, R.Right + o.Right, R.Bottom + o.Bottom), 0,
              esNormal);
}

void TqzSkinLookAndFeelPainter::PaintFilterCloseButton(TkvCanvas* Canvas, const TRect& R, TkvButtonState State) {
  if (!DrawBound(Canvas, seEditorsCloseButton, R, 0, SkinElementStateOf(State)))
    inherited::PaintFilterCloseButton(Canvas, R, State);
}

void TqzSkinLookAndFeelPainter::PaintFilterDropDownButton(TkvCanvas* Canvas, const TRect& R, TkvButtonState State,
                                                          bool Active) {
  if (!DrawBound(Canvas, Active ? seGridFilterButtonActive : seGridFilterButton, R, 0, SkinElementStateOf(State)))
    inherited::PaintFilterDropDownButton(Canvas, R, State, Active);
}

void TqzSkinLookAndFeelPainter::PaintFilterPanel(TkvCanvas* Canvas, const TRect& R, bool Transparent, TColor BkColor,
                                                 TBitmap* BkBitmap) {
  if (!DrawBound(Canvas, seGridGridFilterPanel, R, 0, esNormal))
    inherited::PaintFilterPanel(Canvas, R, Transparent, BkColor, BkBitmap);
}

void TqzSkinLookAndFeelPainter::PaintWindowContent(TkvCanvas* Canvas, const TRect& R) {
  TqzSkinElement* content = Bound(seFormFormContent);
  if (content)
    Canvas->FillWithColor(R, content->GetColor());
  else
    inherited::PaintWindowContent(Canvas, R);
}

void TqzSkinLookAndFeelPainter::PaintIndicatorCustomizeMark(TkvCanvas* Canvas, const TRect& R, TColor Color) {
  TqzSkinElement* images = Bound(seGridIndicatorImages);
  if (images)
    images->Draw(Canvas->DCHandle(), RectCenteredSize(R, images->Size()), 2, esNormal);
  else
    inherited::PaintIndicatorCustomizeMark(Canvas, R, Color);
}

void TqzSkinLookAndFeelPainter::PaintIndicatorGlyph(TkvCanvas* Canvas, const TRect& R, Integer Kind) {
  TqzSkinElement* images = Bound(seGridIndicatorImages);
  if (!images) {
    inherited::PaintIndicatorGlyph(Canvas, R, Kind);
    return;
  }
  constexpr Integer kImageOfKind[7] = {-1, 0, 1, 2, 0, 0, 8};
  if (Kind < 1 || Kind > 6) return;
  images->Draw(Canvas->DCHandle(), RectCenteredSize(R, images->Size()), kImageOfKind[Kind], esNormal);
}

void TqzSkinLookAndFeelPainter::PaintIndicatorItem(TkvCanvas* Canvas, const TRect& R, Integer Kind, TColor BkColor,
                                                   const TkvDrawBackgroundEvent& OnDrawBackground) {
  const TRect header = Rect(R.Left, R.Top - HeaderFrameWidth(), R.Right, R.Bottom);
  PaintHeader(Canvas, header, header, TkvBorders{}, HeaderFrameSides(TkvBorders{bTop, bBottom}), kvbsNormal,
              taLeftJustify, vaTop, false, false, String(), nullptr, clNone, BkColor, OnDrawBackground, false, 0);
  PaintIndicatorGlyph(Canvas, R, Kind);
}

void TqzSkinLookAndFeelPainter::PaintIndicatorHeader(TkvCanvas* Canvas, const TRect& R, Integer Kind, TColor BkColor,
                                                     const TkvDrawBackgroundEvent& OnDrawBackground) {
  PaintIndicatorItem(Canvas, R, Kind, BkColor, OnDrawBackground);
}

void TqzSkinLookAndFeelPainter::PaintScrollBarPart(TkvCanvas* Canvas, bool Horizontal, const TRect& R,
                                                   TkvScrollBarPart Part, TkvButtonState State) {
  TqzSkinLookAndFeelPainterInfo* info = PainterInfo();
  TqzSkinScrollInfo* scroll = info ? info->ScrollInfo(Horizontal ? 1 : 0, Part) : nullptr;
  if (scroll && scroll->Element)
    scroll->Element->Draw(Canvas->DCHandle(), R, scroll->ImageIndex, SkinElementStateOf(State));
  else
    inherited::PaintScrollBarPart(Canvas, Horizontal, R, Part, State);
}

void TqzSkinLookAndFeelPainter::PaintSizeGrip(TkvCanvas* Canvas, const TRect& R, TColor BkColor) {
  TqzSkinElement* grip = Bound(seCommonSizeGrip);
  if (!grip) {
    inherited::PaintSizeGrip(Canvas, R, BkColor);
    return;
  }
  Canvas->FillWithColor(R, BkColor);
  grip->Draw(Canvas->DCHandle(), R, 0, esNormal);
}

void TqzSkinLookAndFeelPainter::LayoutSchedulerNavButton(bool IsNext, bool ArrowOnly, const TSize& TextExtent1,
                                                         const TSize& TextExtent2, TRect& Bounds, TRect& TextRect,
                                                         TRect& ArrowRect) {
  TqzSkinElement* button = Bound(IsNext ? seSchedulerNavButtonNext : seSchedulerNavButtonPrev);
  const Integer minWidth = button ? button->GetMinSize()->SizeRef().cx : 0;
  if (minWidth > 0 && Bounds.Width() < minWidth) {
    if (IsNext)
      Bounds.Left = Bounds.Right - minWidth;
    else
      Bounds.Right = Bounds.Left + minWidth;
  }
  inherited::LayoutSchedulerNavButton(IsNext, ArrowOnly, TextExtent1, TextExtent2, Bounds, TextRect, ArrowRect);
}

void TqzSkinLookAndFeelPainter::PaintMonthHeader(TkvCanvas* Canvas, const TRect& R, const String& Text,
                                                 TkvBorders Neighbors, const TkvViewParams& ViewParams, Integer Arrows,
                                                 Integer ArrowIndent, const TkvDrawBackgroundEvent& OnDrawBackground) {
  PaintHeader(Canvas, R, R, Neighbors, HeaderFrameSides(Neighbors), kvbsNormal, taCenter, vaCenter, false, false, Text,
              ViewParams.Font, ViewParams.TextColor, ViewParams.Color, OnDrawBackground, false, 0);
  PaintMonthNavArrows(Canvas, R, Arrows, ArrowIndent, clWindowText);
}

void TqzSkinLookAndFeelPainter::PaintSchedulerEventProgress(TkvCanvas* Canvas, const TRect& Bounds,
                                                            const TRect& ProgressRect,
                                                            const TkvViewParams& ViewParams, bool Transparent) {
  TqzSkinElement* border = Bound(seEditorsProgressBorder);
  TqzSkinElement* chunk = Bound(seEditorsProgressChunk);
  if (!border || !chunk) {
    inherited::PaintSchedulerEventProgress(Canvas, Bounds, ProgressRect, ViewParams, Transparent);
    return;
  }
  border->Draw(Canvas->DCHandle(), Bounds, 0, esNormal);
  chunk->Draw(Canvas->DCHandle(), ProgressRect, 0, esNormal);
}

void TqzSkinLookAndFeelPainter::PaintSchedulerNavigatorButton(TkvCanvas* Canvas, const TRect& R,
                                                              TkvButtonState State) {
  PaintEditButtonElement(Canvas, R, false, SkinElementStateOf(State));
}

void TqzSkinLookAndFeelPainter::PaintClockFace(TkvCanvas* Canvas, const TRect& R, TDateTime Time, TColor BkColor) {
  TqzSkinElement* face = Bound(seEditorsClockFace);
  TqzSkinElement* glass = Bound(seEditorsClockGlass);
  if (!face || !glass) {
    inherited::PaintClockFace(Canvas, R, Time, BkColor);
    return;
  }
  // Composed off-screen: the glass goes over the hands.
  const TRect local = Rect(0, 0, R.Width(), R.Height());
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetPixelFormat(pf32bit);
  bitmap->SetSize(local.Width(), local.Height());
  TCanvas* canvas = bitmap->GetCanvas();
  canvas->GetBrush()->SetColor(BkColor);
  canvas->FillRect(local);
  face->Draw(canvas->GetHandle(), local, 0, esNormal);
  PaintClockHands(canvas, local, Time, face->GetTextColor());
  glass->Draw(canvas->GetHandle(), local, 0, esNormal);
  BitBlt(Canvas->DCHandle(), R.Left, R.Top, local.Width(), local.Height(), canvas->GetHandle(), 0, 0, SRCCOPY);
}

void TqzSkinLookAndFeelPainter::PaintEditButton(TkvCanvas* Canvas, const TRect& R, Integer Kind,
                                                TkvButtonState State) {
  if (!PaintEditButtonElement(Canvas, R, Kind == 0, SkinElementStateOf(State))) {
    inherited::PaintEditButton(Canvas, R, Kind, State);
    return;
  }
  TqzSkinLookAndFeelPainterInfo* info = PainterInfo();
  if (!info) return;
  TqzSkinElement* button = info->Element(seEditorsEditorButton);
  const TRect content = button ? RectInsideMargins(R, button->GetContentOffset()->RectRef()) : R;
  if (Kind == 3) {
    const Integer d = content.Width() < 12 ? 1 : 2;
    const TRect dots = RectCentered(content, 3 * d + 4, d);
    const TColor color = button ? button->GetTextColor() : clDefault;
    for (Integer i = 0; i < 3; ++i) Canvas->FillWithColor(Bounds(dots.Left + i * (d + 2), dots.Top, d, d), color);
    return;
  }
  TqzSkinElement* glyph = nullptr;
  switch (Kind) {
    case 1: glyph = info->Element(seEditorsComboButtonGlyph); break;
    case 2: glyph = button; break;
    case 4: glyph = info->Element(seEditorsSpinUpGlyph); break;
    case 5: glyph = info->Element(seEditorsSpinDownGlyph); break;
    case 6: glyph = info->Element(seEditorsSpinLeftGlyph); break;
    case 7: glyph = info->Element(seEditorsSpinRightGlyph); break;
    default: break;
  }
  if (glyph) glyph->GetGlyph()->Draw(Canvas->DCHandle(), content, 0, esNormal);
}

void TqzSkinLookAndFeelPainter::PaintNavigatorGlyph(TkvCanvas* Canvas, TCustomImageList* ImageList,
                                                    Integer ImageIndex, Integer Extra1, const TPoint& P, bool Enabled,
                                                    Integer Extra2) {
  TqzSkinElement* navigator = Bound(seEditorsNavigator);
  TqzSkinElement* vertical = Bound(seEditorsNavigatorVert);
  if (!navigator || !vertical || Extra2 != 0) {
    inherited::PaintNavigatorGlyph(Canvas, ImageList, ImageIndex, Extra1, P, Enabled, Extra2);
    return;
  }
  const bool first = ImageIndex < navigator->GetImageCount();
  TqzSkinElement* element = first ? navigator : vertical;
  const TSize size = element->Size();
  element->Draw(Canvas->DCHandle(), Bounds(P.X, P.Y, size.cx, size.cy),
                first ? ImageIndex : ImageIndex - navigator->GetImageCount(), esNormal);
}

void TqzSkinLookAndFeelPainter::PaintProgressFrame(TkvCanvas* Canvas, const TRect& R, bool Vertical) {
  if (!DrawBound(Canvas, Vertical ? seEditorsProgressBorderVert : seEditorsProgressBorder, R, 0, esNormal))
    inherited::PaintProgressFrame(Canvas, R, Vertical);
}

void TqzSkinLookAndFeelPainter::PaintProgressChunk(TkvCanvas* Canvas, const TRect& R, bool Vertical) {
  if (!DrawBound(Canvas, Vertical ? seEditorsProgressChunkVert : seEditorsProgressChunk, R, 0, esNormal))
    inherited::PaintProgressChunk(Canvas, R, Vertical);
}

void TqzSkinLookAndFeelPainter::PaintGroupBoxBackground(TkvCanvas* Canvas, const TRect& Bounds, const TRect& R) {
  if (!DrawBound(Canvas, seCommonGroupPanelNoBorder, R, 0, esNormal))
    inherited::PaintGroupBoxBackground(Canvas, Bounds, R);
}

void TqzSkinLookAndFeelPainter::PaintGroupBoxCaption(TkvCanvas* Canvas, const TRect& CaptionRect,
                                                     Integer CaptionPosition) {
  TqzSkinElement* caption = GroupBoxElement(true, CaptionPosition);
  if (caption)
    caption->Draw(Canvas->DCHandle(), CaptionRect, 0, esNormal);
  else
    inherited::PaintGroupBoxCaption(Canvas, CaptionRect, CaptionPosition);
}

void TqzSkinLookAndFeelPainter::PaintGroupBoxContent(TkvCanvas* Canvas, const TRect& FrameRect,
                                                     Integer CaptionPosition) {
  TqzSkinElement* frame = GroupBoxElement(false, CaptionPosition);
  TqzSkinElement* noBorder = Bound(seCommonGroupPanelNoBorder);
  if (!frame || !noBorder) {
    inherited::PaintGroupBoxContent(Canvas, FrameRect, CaptionPosition);
    return;
  }
  const TRect& o = frame->GetContentOffset()->RectRef();
  TqzSkinBorders* borders = frame->GetBorders();
  const TRect inner = Rect(FrameRect.Left + o.Left + borders->GetLeft()->GetThin(),
                           FrameRect.Top + o.Top + borders->GetTop()->GetThin(),
                           FrameRect.Right - o.Right - borders->GetRight()->GetThin(),
                           FrameRect.Bottom - o.Bottom - borders->GetBottom()->GetThin());
  noBorder->Draw(Canvas->DCHandle(), inner, 0, esNormal);
  Canvas->ClipOutRect(inner);
  frame->Draw(Canvas->DCHandle(), FrameRect, 0, esNormal);
}

void TqzSkinLookAndFeelPainter::PaintPanelFrame(TkvCanvas* Canvas, const TRect& R) {
  TqzSkinElement* panel = Bound(seCommonGroupPanel);
  if (!panel) {
    inherited::PaintPanelFrame(Canvas, R);
    return;
  }
  Canvas->PushClip();
  Canvas->ClipOutRect(RectInsideMargins(R, panel->GetContentOffset()->RectRef()));
  panel->Draw(Canvas->DCHandle(), R, 0, esNormal);
  Canvas->PopClip();
}

void TqzSkinLookAndFeelPainter::PanelHook198(TkvCanvas* Canvas, const TRect& R, bool WithFrame) {
  if (!DrawBound(Canvas, seCommonGroupPanelNoBorder, R, 0, esNormal)) {
    inherited::PanelHook198(Canvas, R, WithFrame);
    return;
  }
  if (WithFrame) PaintPanelFrame(Canvas, R);
}

void TqzSkinLookAndFeelPainter::PanelHook201(TkvCanvas* Canvas, const TRect& R1, const TRect& R2, bool HasSecond,
                                             bool Flag, bool Horizontal) {
  TqzSkinElement* track = Bound(Horizontal ? seEditorsTrackBarTrack : seEditorsTrackBarTrackVert);
  if (!track) {
    inherited::PanelHook201(Canvas, R1, R2, HasSecond, Flag, Horizontal);
    return;
  }
  const Integer base = Flag ? 0 : 2;
  track->Draw(Canvas->DCHandle(), R1, base, esNormal);
  if (HasSecond) track->Draw(Canvas->DCHandle(), R2, base + 1, esNormal);
}

void TqzSkinLookAndFeelPainter::PaintTrackBarThumb(TkvCanvas* Canvas, const TRect& R, TkvButtonState State,
                                                   bool Horizontal, Integer Ticks) {
  constexpr TqzSkinElementId kThumbs[2][3] = {
      {seEditorsTrackBarThumbVertUp, seEditorsTrackBarThumbVert, seEditorsTrackBarThumbVertBoth},
      {seEditorsTrackBarThumbUp, seEditorsTrackBarThumb, seEditorsTrackBarThumbBoth}};
  const bool known = Ticks >= 0 && Ticks <= 2;
  if (!known || !DrawBound(Canvas, kThumbs[Horizontal ? 1 : 0][Ticks], R, 0, SkinElementStateOf(State)))
    inherited::PaintTrackBarThumb(Canvas, R, State, Horizontal, Ticks);
}

void TqzSkinLookAndFeelPainter::PaintSplitter(TkvCanvas* Canvas, const TRect& R, bool Highlighted, bool Clicked,
                                              bool Horizontal) {
  if (!DrawBound(Canvas, Horizontal ? seCommonSplitterHorz : seCommonSplitter, R, Highlighted ? 1 : 0, esNormal))
    inherited::PaintSplitter(Canvas, R, Highlighted, Clicked, Horizontal);
}
