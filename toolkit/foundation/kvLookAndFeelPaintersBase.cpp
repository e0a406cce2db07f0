// The base painter: plain system colours, simple metrics, the compositions every descendant
// reuses, and the geometry of the small glyphs (arrows, crosses, marks, the clock).

#include <cmath>
#include <numbers>

#include "gdi/Edges.h"
#include "gdi/SysMetrics.h"
#include "rtl/Math.h"
#include "toolkit/foundation/kvGeometry.h"
#include "toolkit/foundation/kvLookAndFeelPainters.h"

TAVREN_CLASS_IMPL(TkvCustomLookAndFeelPainter)

namespace {

void SetSolidBrushAndPen(TkvCanvas* Canvas, TColor Color) {
  Canvas->CurrentBrush()->SetStyle(bsSolid);
  Canvas->CurrentBrush()->SetColor(Color);
  Canvas->CurrentPen()->SetColor(Color);
}

void FillTriangle(TkvCanvas* Canvas, const TPoint (&P)[3], TColor Color) {
  SetSolidBrushAndPen(Canvas, Color);
  Canvas->DrawPolygon({P[0], P[1], P[2]});
}

void FillWithViewParams(TkvCanvas* Canvas, const TRect& R, const TkvViewParams& ViewParams) {
  if (ViewParams.Bitmap && !ViewParams.Bitmap->GetEmpty())
    Canvas->FillTiled(R, ViewParams.Bitmap, false);
  else
    Canvas->FillWithColor(R, ViewParams.Color);
}

void DrawLine(TkvCanvas* Canvas, Integer X1, Integer Y1, Integer X2, Integer Y2) {
  Canvas->MovePenTo(X1, Y1);
  Canvas->DrawLineTo(X2, Y2);
}

Integer RoundHalfEven(Double Value) { return static_cast<Integer>(std::nearbyint(Value)); }

}  // namespace

// ---- Routines of the unit -----------------------------------------------------------------

void ComputeArrowTriangle(const TRect& Bounds, TPoint Points[3], TkvArrowDirection Direction, bool Proportional,
                          Integer Size) {
  TRect R = Bounds;
  if (Proportional) {
    const Integer d = R.Width() - R.Height();
    if (d > 0)
      R = RectInflatedSides(R, -(d / 2), 0, -(d / 2), 0);
    else if (d < 0)
      R = RectInflatedSides(R, 0, d / 2, 0, d / 2);
  }
  const bool vertical = Direction == adUp || Direction == adDown;
  Integer s = Size;
  if (s == 0) s = (vertical ? R.Width() - 1 : R.Height() - 1) / 4 + 1;
  const Integer wt = vertical ? 2 * s - 1 : s, ht = vertical ? s : 2 * s - 1;
  const Integer y0 = MulDiv(R.Top + R.Bottom - ht, 1, 2), x0 = (R.Left + R.Right - wt) / 2;
  switch (Direction) {
    case adUp:
      Points[1] = {(R.Left + R.Right - 1) / 2, y0};
      Points[0] = {x0, y0 + ht - 1};
      Points[2] = {x0 + wt - 1, y0 + ht - 1};
      break;
    case adDown:
      Points[2] = {x0, y0};
      Points[0] = {x0 + wt - 1, y0};
      Points[1] = {(R.Left + R.Right - 1) / 2, y0 + ht - 1};
      break;
    case adLeft:
      Points[1] = {x0, (R.Top + R.Bottom) / 2};
      Points[2] = {x0 + wt - 1, y0};
      Points[0] = {x0 + wt - 1, y0 + ht - 1};
      break;
    case adRight:
      Points[0] = {x0, y0};
      Points[1] = {x0 + wt - 1, (R.Top + R.Bottom) / 2};
      Points[2] = {x0, y0 + ht - 1};
      break;
  }
}

TkvLookAndFeelKind PainterStyleToKind(Byte Style) {
  switch (Style) {
    case kvpsFlat: return lfFlat;
    case kvpsUltraFlat: return lfUltraFlat;
    case kvpsOffice11: return lfOffice11;
    default: return lfStandard;
  }
}

TkvArrowDirection ScrollArrowDirection(bool Horizontal, TkvScrollBarPart Part) {
  if (Horizontal) return Part == sbpLineUp ? adLeft : adRight;
  return Part == sbpLineUp ? adUp : adDown;
}

Integer TkvCustomLookAndFeelPainter::TextFlagsFor(TAlignment AlignHorz, TkvVerticalAlignment AlignVert,
                                                  bool MultiLine, bool ShowEndEllipsis) {
  Integer flags = AlignHorz == taRightJustify ? ktfAlignRight : AlignHorz == taCenter ? ktfAlignHCenter : ktfAlignLeft;
  flags |= AlignVert == vaBottom ? ktfAlignBottom : AlignVert == vaCenter ? ktfAlignVCenter : ktfAlignTop;
  flags |= MultiLine ? ktfWordBreak : ktfSingleLine;
  if (ShowEndEllipsis) flags |= ktfEndEllipsis;
  return flags;
}

// ---- General fills and content ------------------------------------------------------------

void TkvCustomLookAndFeelPainter::FillBackground(TkvCanvas* Canvas, const TRect& R, bool Transparent, TColor BkColor,
                                                 TBitmap* BkBitmap) {
  if (!Transparent)
    Canvas->FillWithColor(R, BkColor);
  else if (BkBitmap && !BkBitmap->GetEmpty())
    Canvas->FillTiled(R, BkBitmap, false);
}

void TkvCustomLookAndFeelPainter::PaintButtonArrow(TkvCanvas* Canvas, const TRect& R, TColor Color) {
  Integer w = R.Width() / 2;
  if (w % 2 == 0) ++w;
  const Integer h = w / 2 + 1;
  TPoint p[3];
  p[0] = {(R.Left + R.Right - w) / 2, MulDiv(R.Top + R.Bottom - h, 1, 2)};
  p[1] = {p[0].X + w - 1, p[0].Y};
  p[2] = {p[0].X + w / 2, p[0].Y + h - 1};
  FillTriangle(Canvas, p, Color);
}

void TkvCustomLookAndFeelPainter::PaintContent(TkvCanvas* Canvas, const TRect& R, const TRect& TextRect,
                                               TkvButtonState, TAlignment AlignHorz, TkvVerticalAlignment AlignVert,
                                               bool MultiLine, bool ShowEndEllipsis, const String& Text, TFont* Font,
                                               TColor TextColor, TColor BkColor,
                                               const TkvDrawBackgroundEvent& OnDrawBackground, bool) {
  if (!OnDrawBackground(Canvas, R)) Canvas->FillWithColor(R, BkColor);
  if (Text.empty()) return;
  Canvas->CurrentBrush()->SetStyle(bsClear);
  if (Font) Canvas->AssignFont(Font);
  Canvas->CurrentFont()->SetColor(TextColor);
  Canvas->PaintText(Text, TextRect, TextFlagsFor(AlignHorz, AlignVert, MultiLine, ShowEndEllipsis));
  Canvas->CurrentBrush()->SetStyle(bsSolid);
}

void TkvCustomLookAndFeelPainter::PaintSchedulerNavButtonFace(TkvCanvas* Canvas, const TRect& R,
                                                              const TRect& ArrowRect, bool IsNext,
                                                              TkvButtonState State) {
  Canvas->FillWithColor(R, clBtnFace);
  const TkvBorders sides = IsNext ? TkvBorders{bLeft, bTop, bBottom} : TkvBorders{bTop, bRight, bBottom};
  Canvas->PaintFrame(R, clBtnShadow, 1, sides);
  const TRect inner = RectInflatedSides(R, IsNext ? -1 : 0, -1, IsNext ? 0 : -1, -1);
  const bool pressed = State == kvbsPressed;
  Canvas->PaintTwoColorFrame(inner, pressed ? clBtnShadow : clBtnHighlight, pressed ? clBtnHighlight : clBtnFace,
                             sides);
  PaintSchedulerNavArrow(Canvas, ArrowRect, IsNext, ButtonGlyphColor(State, clDefault));
}

TRect TkvCustomLookAndFeelPainter::FooterCellContentBounds(const TRect& Bounds) {
  return RectInflated(Bounds, -FooterCellFrameWidth(), -FooterCellFrameWidth());
}

TRect TkvCustomLookAndFeelPainter::FooterCellTextBounds(const TRect& Bounds) {
  return RectInflated(FooterCellContentBounds(Bounds), -2, -2);
}

Byte TkvCustomLookAndFeelPainter::PainterStyle() { return kvpsStandard; }

// ---- Default colours ----------------------------------------------------------------------

TColor TkvCustomLookAndFeelPainter::ContentColor() { return clWindow; }
TColor TkvCustomLookAndFeelPainter::ContentEvenColor() { return ContentColor(); }
TColor TkvCustomLookAndFeelPainter::ContentOddColor() { return ContentColor(); }
TColor TkvCustomLookAndFeelPainter::ContentTextColor() { return clWindowText; }
TColor TkvCustomLookAndFeelPainter::EditorBackgroundColor(bool) { return clDefault; }
TColor TkvCustomLookAndFeelPainter::EditorTextColor(bool) { return clDefault; }
TColor TkvCustomLookAndFeelPainter::DefaultColor13() { return clBtnShadow; }
TColor TkvCustomLookAndFeelPainter::FilterBoxTextColor() { return clBtnHighlight; }
TColor TkvCustomLookAndFeelPainter::FixedSeparatorColor() { return clBtnText; }
TColor TkvCustomLookAndFeelPainter::DefaultColor16() { return clBtnFace; }
TColor TkvCustomLookAndFeelPainter::DefaultColor17() { return clBtnText; }
TColor TkvCustomLookAndFeelPainter::DefaultColor18() { return clBtnShadow; }
TColor TkvCustomLookAndFeelPainter::GridLineColor() { return clBtnShadow; }
TColor TkvCustomLookAndFeelPainter::DefaultColor20() { return clBtnFace; }
TColor TkvCustomLookAndFeelPainter::GridDetailsSiteColor() { return clBtnFace; }
TColor TkvCustomLookAndFeelPainter::DefaultColor22() { return clBtnText; }
TColor TkvCustomLookAndFeelPainter::GroupByBoxColor() { return clBtnShadow; }
TColor TkvCustomLookAndFeelPainter::GroupByBoxTextColor() { return clBtnFace; }
TColor TkvCustomLookAndFeelPainter::DefaultColor25() { return clBtnFace; }
TColor TkvCustomLookAndFeelPainter::GroupTextColor() { return clBtnText; }
TColor TkvCustomLookAndFeelPainter::DefaultColor27() { return clBlue; }
TColor TkvCustomLookAndFeelPainter::DefaultColor28() { return clBtnFace; }
TColor TkvCustomLookAndFeelPainter::DefaultColor29() { return clBtnText; }
TColor TkvCustomLookAndFeelPainter::DefaultColor30() { return clBlue; }
TColor TkvCustomLookAndFeelPainter::DefaultColor31() { return DefaultColor18(); }
TColor TkvCustomLookAndFeelPainter::DefaultColor32() { return clBtnFace; }
TColor TkvCustomLookAndFeelPainter::DefaultColor33() { return DefaultColor25(); }
TColor TkvCustomLookAndFeelPainter::DefaultColor34() { return clDefault; }
TColor TkvCustomLookAndFeelPainter::DefaultColor35() { return clBlack; }
TColor TkvCustomLookAndFeelPainter::DefaultColor36() { return DefaultColor35(); }
TColor TkvCustomLookAndFeelPainter::DateNavigatorHeaderColor() { return clBtnFace; }
TColor TkvCustomLookAndFeelPainter::DateNavigatorSelectionColor() { return clHighlight; }
TColor TkvCustomLookAndFeelPainter::DateNavigatorSelectionTextColor() { return clHighlightText; }
TColor TkvCustomLookAndFeelPainter::SchedulerBackgroundColor() { return clWindow; }
TColor TkvCustomLookAndFeelPainter::DefaultColor41() { return clWindowText; }
TColor TkvCustomLookAndFeelPainter::DefaultColor42() { return static_cast<TColor>(0x9D9DA1); }
TColor TkvCustomLookAndFeelPainter::DefaultColor43() { return clBtnFace; }
TColor TkvCustomLookAndFeelPainter::DefaultColor44() { return clBtnFace; }
TColor TkvCustomLookAndFeelPainter::DefaultColor45() { return static_cast<TColor>(0xD5FFFF); }
TColor TkvCustomLookAndFeelPainter::DefaultColor46(Integer, Integer) { return DefaultColor49(); }
TColor TkvCustomLookAndFeelPainter::DefaultColor47() { return clWindowText; }
TColor TkvCustomLookAndFeelPainter::DefaultColor48() { return clHighlight; }
TColor TkvCustomLookAndFeelPainter::DefaultColor49() { return clHighlightText; }
TColor TkvCustomLookAndFeelPainter::DefaultColor50() { return clBtnFace; }
TColor TkvCustomLookAndFeelPainter::DefaultColor51() { return clBtnFace; }
TColor TkvCustomLookAndFeelPainter::DefaultColor52() { return clBtnText; }
TColor TkvCustomLookAndFeelPainter::DefaultColor53() { return clBtnFace; }
TColor TkvCustomLookAndFeelPainter::DefaultColor54() { return clWhite; }
TColor TkvCustomLookAndFeelPainter::DefaultColor55() { return clBlack; }
TColor TkvCustomLookAndFeelPainter::DefaultColor56() { return clBtnFace; }
TColor TkvCustomLookAndFeelPainter::DefaultColor57() { return clBtnText; }
TColor TkvCustomLookAndFeelPainter::DefaultColor58() { return clWhite; }
TColor TkvCustomLookAndFeelPainter::DefaultColor59() { return clBlack; }
TColor TkvCustomLookAndFeelPainter::DefaultColor60() { return clBlack; }
TColor TkvCustomLookAndFeelPainter::DefaultColor61() { return clBlack; }
TColor TkvCustomLookAndFeelPainter::DefaultColor62() { return static_cast<TColor>(0xCFCFCF); }
TColor TkvCustomLookAndFeelPainter::DefaultColor63() { return clWhite; }
TColor TkvCustomLookAndFeelPainter::DefaultColor64() { return clBtnShadow; }
TColor TkvCustomLookAndFeelPainter::DefaultColor65() { return static_cast<TColor>(0xF0CAA6); }
TColor TkvCustomLookAndFeelPainter::DefaultColor66() { return clNavy; }
TColor TkvCustomLookAndFeelPainter::DefaultColor67() { return clBtnShadow; }
TColor TkvCustomLookAndFeelPainter::DefaultColor68() { return clBtnShadow; }

// ---- Arrows, frames and buttons -----------------------------------------------------------

void TkvCustomLookAndFeelPainter::PaintArrow(TkvCanvas* Canvas, const TRect& R, TkvArrowDirection Direction,
                                             TColor Color) {
  TPoint p[3];
  ComputeArrowTriangle(R, p, Direction, true);
  FillTriangle(Canvas, p, Color);
}

void TkvCustomLookAndFeelPainter::PaintArrowButton(TkvCanvas* Canvas, const TRect& R, TkvButtonState State,
                                                   TkvArrowDirection Direction, bool DrawFrame) {
  if (DrawFrame)
    PaintArrowButtonFrame(Canvas, R, State);
  else
    Canvas->FillWithColor(R, ButtonFaceColor(State));
  TPoint p[3];
  ComputeArrowTriangle(R, p, Direction, false);
  FillTriangle(Canvas, p, ButtonGlyphColor(State, clDefault));
}

void TkvCustomLookAndFeelPainter::PaintArrowButtonFrame(TkvCanvas* Canvas, const TRect& R, TkvButtonState State) {
  Canvas->CurrentBrush()->SetStyle(bsSolid);
  Canvas->FillWithColor(R, ButtonFaceColor(State));
  PaintButtonFrame(Canvas, R, State);
}

void TkvCustomLookAndFeelPainter::PaintScrollArrowGlyph(TkvCanvas* Canvas, const TRect& R, TkvButtonState State,
                                                        TkvArrowDirection Direction) {
  TRect r = R;
  if (State == kvbsPressed) r = RectShifted(r, ButtonPressedTextShift(), ButtonPressedTextShift());
  TPoint p[3];
  ComputeArrowTriangle(r, p, Direction, true);
  if (State == kvbsDisabled) {
    const TPoint shifted[3] = {PointShifted(p[0], 1, 1), PointShifted(p[1], 1, 1), PointShifted(p[2], 1, 1)};
    FillTriangle(Canvas, shifted, clBtnHighlight);
    FillTriangle(Canvas, p, clBtnShadow);
  } else {
    FillTriangle(Canvas, p, ButtonGlyphColor(State, clDefault));
  }
}

Integer TkvCustomLookAndFeelPainter::FrameWidth() { return 0; }
void TkvCustomLookAndFeelPainter::PaintFrame(TkvCanvas*, const TRect&) {}
TRect TkvCustomLookAndFeelPainter::GroupButtonDisplayBounds(const TRect& R, Integer, Integer) { return R; }
Integer TkvCustomLookAndFeelPainter::ButtonFrameWidth(TkvButtonState) { return 0; }
TColor TkvCustomLookAndFeelPainter::ButtonFaceColor(TkvButtonState) { return clBtnFace; }

TRect TkvCustomLookAndFeelPainter::ButtonFocusBounds(TkvCanvas*, const TRect& R) {
  const TRect inset = RectInflated(R, -4, -4);
  return RectIsVoid(inset) ? R : inset;
}

TRect TkvCustomLookAndFeelPainter::ButtonGroupFrameWidths(Integer, Integer) {
  const Integer w = ButtonFrameWidth(kvbsNormal);
  return Rect(w, w, w, w);
}

Integer TkvCustomLookAndFeelPainter::ButtonTextIndent() { return 0; }
Integer TkvCustomLookAndFeelPainter::ButtonPressedTextShift() { return 0; }

TColor TkvCustomLookAndFeelPainter::ButtonGlyphColor(TkvButtonState State, TColor DefaultColor) {
  if (State == kvbsDisabled) return clBtnShadow;
  return DefaultColor == clDefault ? clBtnText : DefaultColor;
}

TkvButtonState TkvCustomLookAndFeelPainter::GlyphButtonState(TkvButtonState State) { return State; }

void TkvCustomLookAndFeelPainter::PaintButton(TkvCanvas* Canvas, const TRect& R, const String& Caption,
                                              TkvButtonState State, bool DrawFrame, TColor Color, TColor TextColor,
                                              bool WordWrap) {
  TRect b = R;
  if (DrawFrame) {
    PaintButtonFrame(Canvas, b, State);
    b = RectInflated(b, -ButtonFrameWidth(State), -ButtonFrameWidth(State));
  }
  Canvas->FillWithColor(b, Color == clDefault ? ButtonFaceColor(State) : Color);
  Canvas->CurrentFont()->SetColor(TextColor == clDefault ? ButtonGlyphColor(State, clDefault) : TextColor);
  Canvas->CurrentBrush()->SetStyle(bsClear);
  if (b.Height() % 2 != 0) --b.Bottom;
  if (b.Height() < 18) --b.Top;
  if (State == kvbsPressed) b = RectShifted(b, ButtonPressedTextShift(), ButtonPressedTextShift());
  if (!Caption.empty())
    Canvas->PaintText(Caption, b,
                      ktfAlignHCenter | ktfAlignVCenter | ktfShowPrefix | (WordWrap ? ktfWordBreak : ktfSingleLine),
                      State != kvbsDisabled);
  Canvas->CurrentBrush()->SetStyle(bsSolid);
}

void TkvCustomLookAndFeelPainter::PaintGroupButton(TkvCanvas* Canvas, const TRect& R, TkvButtonState State, Integer,
                                                   Integer, TColor) {
  PaintButton(Canvas, R, String(), State, true, clDefault, clDefault, false);
}

void TkvCustomLookAndFeelPainter::PaintButtonFrame(TkvCanvas*, const TRect&, TkvButtonState) {}
void TkvCustomLookAndFeelPainter::PaintButtonGroupFrame(TkvCanvas*, const TRect&, bool, bool) {}
void TkvCustomLookAndFeelPainter::PaintExpandButton(TkvCanvas*, const TRect&, bool, TColor) {}
bool TkvCustomLookAndFeelPainter::ExpandButtonPaintedFirst() { return true; }

void TkvCustomLookAndFeelPainter::PaintGroupExpandButton(TkvCanvas* Canvas, const TRect& R, bool Expanded,
                                                         TkvButtonState State) {
  PaintButton(Canvas, R, String(), State, true, clDefault, clDefault, false);
  DrawGroupExpandMark(Canvas, R, State, Expanded);
}

void TkvCustomLookAndFeelPainter::PaintSmallExpandButton(TkvCanvas* Canvas, const TRect& R, bool Expanded,
                                                         TColor BorderColor, TColor Color) {
  Canvas->PaintFrame(R, BorderColor);
  if (Color != clDefault) Canvas->FillWithColor(RectInflated(R, -1, -1), Color);
  DrawExpandCross(Canvas, R, clBtnText, Expanded);
}

Integer TkvCustomLookAndFeelPainter::ExpandButtonExtent() { return 0; }
Integer TkvCustomLookAndFeelPainter::GroupExpandButtonExtent() { return 15; }
bool TkvCustomLookAndFeelPainter::ButtonHotTracks() { return false; }
bool TkvCustomLookAndFeelPainter::HitsGroupExpandButton(const TRect& R, const TPoint& P) { return RectHoldsPoint(R, P); }
Integer TkvCustomLookAndFeelPainter::SmallExpandButtonExtent() { return 9; }

// ---- Check boxes and radio buttons --------------------------------------------------------

Integer TkvCustomLookAndFeelPainter::CheckBoxFrameWidth() { return 2; }

TColor TkvCustomLookAndFeelPainter::CheckBoxFaceColor(TkvButtonState State) {
  return State == kvbsPressed || State == kvbsDisabled ? clBtnFace : clWindow;
}

TSize TkvCustomLookAndFeelPainter::CheckBoxExtent() { return SharedCheckBoxSize(); }

void TkvCustomLookAndFeelPainter::PaintCheckMark(TkvCanvas* Canvas, const TRect& R, TkvButtonState State,
                                                 bool Checked, TColor Color) {
  if (Canvas->CurrentBrush()->GetStyle() == bsSolid) Canvas->FillWithColor(R, CheckBoxFaceColor(State));
  if (Checked) DrawCheckMarkGlyph(Canvas, R, Color);
}

void TkvCustomLookAndFeelPainter::PaintCheckBoxFrame(TkvCanvas*, const TRect&, TkvButtonState) {}

void TkvCustomLookAndFeelPainter::PaintCheckBoxFlag(TkvCanvas* Canvas, const TRect& R, TkvButtonState State,
                                                    bool Checked) {
  PaintCheckBox(Canvas, R, State, Checked ? cbsChecked : cbsUnchecked);
}

void TkvCustomLookAndFeelPainter::PaintCheckBox(TkvCanvas* Canvas, const TRect& R, TkvButtonState State,
                                                TkvCheckBoxState CheckState) {
  PaintCheckBoxFrame(Canvas, R, State);
  const TRect inner = RectInflated(R, -CheckBoxFrameWidth(), -CheckBoxFrameWidth());
  const TColor mark = State == kvbsDisabled || CheckState == cbsGrayed ? clGrayText : clBtnText;
  PaintCheckMark(Canvas, inner, State, CheckState == cbsChecked, mark);
}

void TkvCustomLookAndFeelPainter::PaintRadioButton(TkvCanvas* Canvas, Integer X, Integer Y, TkvButtonState State,
                                                   bool Checked, bool Focused, TColor BkColor, bool Highlighted) {
  TkvRadioButtonImageList* images = RadioButtonGlyphList();
  if (!images) return;
  // The images exist for the states normal to disabled; a default button's radio is a normal one.
  if (State == kvbsDefault) State = kvbsNormal;
  images->PaintGlyph(Canvas, X, Y, BkColor, PainterStyleToKind(PainterStyle()), State, Checked, Focused,
                     Highlighted);
}

TSize TkvCustomLookAndFeelPainter::RadioButtonExtent() {
  TkvRadioButtonImageList* images = RadioButtonGlyphList();
  return images ? images->GlyphSize() : TSize{0, 0};
}

// ---- Headers ------------------------------------------------------------------------------

void TkvCustomLookAndFeelPainter::PaintHeader(TkvCanvas* Canvas, const TRect& Bounds, const TRect& TextAreaBounds,
                                              TkvBorders Neighbors, TkvBorders Borders, TkvButtonState State,
                                              TAlignment AlignHorz, TkvVerticalAlignment AlignVert, bool MultiLine,
                                              bool ShowEndEllipsis, const String& Text, TFont* Font, TColor TextColor,
                                              TColor BkColor, const TkvDrawBackgroundEvent& OnDrawBackground, bool,
                                              Integer) {
  PaintHeaderFrame(Canvas, Bounds, Neighbors, Borders);
  PaintContent(Canvas, HeaderContentBounds(Bounds, Borders), TextAreaBounds, State, AlignHorz, AlignVert, MultiLine,
               ShowEndEllipsis, Text, Font, TextColor, BkColor, OnDrawBackground, false);
}

void TkvCustomLookAndFeelPainter::PaintHeaderSimple(TkvCanvas* Canvas, const TRect& Bounds,
                                                    const TRect& TextAreaBounds, TkvBorders Neighbors,
                                                    TkvBorders Borders, TkvButtonState State, TAlignment AlignHorz,
                                                    TkvVerticalAlignment AlignVert, bool MultiLine,
                                                    bool ShowEndEllipsis, const String& Text, TFont* Font,
                                                    TColor TextColor, TColor BkColor,
                                                    const TkvDrawBackgroundEvent& OnDrawBackground) {
  PaintHeader(Canvas, Bounds, TextAreaBounds, Neighbors, Borders, State, AlignHorz, AlignVert, MultiLine,
              ShowEndEllipsis, Text, Font, TextColor, BkColor, OnDrawBackground, false, 0);
}

void TkvCustomLookAndFeelPainter::PaintHeaderFrame(TkvCanvas*, const TRect&, TkvBorders, TkvBorders) {}

void TkvCustomLookAndFeelPainter::PaintHeaderPressed(TkvCanvas* Canvas, const TRect& R) { Canvas->InvertArea(R); }

void TkvCustomLookAndFeelPainter::PaintHeaderSection(TkvCanvas* Canvas, const TRect& Bounds,
                                                     const TRect& TextAreaBounds, TkvBorders, TkvBorders Borders,
                                                     TkvButtonState State, TAlignment AlignHorz,
                                                     TkvVerticalAlignment AlignVert, bool MultiLine,
                                                     bool ShowEndEllipsis, const String& Text, TFont* Font,
                                                     TColor TextColor, TColor BkColor) {
  PaintHeaderSectionFrame(Canvas, Bounds, Borders, State);
  PaintHeaderSectionContent(Canvas, HeaderSectionContentBounds(Bounds, State), TextAreaBounds, State, AlignHorz,
                            AlignVert, MultiLine, ShowEndEllipsis, Text, Font, TextColor, BkColor);
}

void TkvCustomLookAndFeelPainter::PaintHeaderSectionFrame(TkvCanvas*, const TRect&, TkvBorders, TkvButtonState) {}

void TkvCustomLookAndFeelPainter::PaintHeaderSectionContent(TkvCanvas* Canvas, const TRect& Bounds,
                                                            const TRect& TextAreaBounds, TkvButtonState State,
                                                            TAlignment AlignHorz, TkvVerticalAlignment AlignVert,
                                                            bool MultiLine, bool ShowEndEllipsis, const String& Text,
                                                            TFont* Font, TColor TextColor, TColor BkColor) {
  Canvas->FillWithColor(Bounds, BkColor);
  PaintHeaderSectionText(Canvas, HeaderSectionTextBounds(TextAreaBounds, State), State, AlignHorz, AlignVert,
                         MultiLine, ShowEndEllipsis, Text, Font, TextColor);
}

void TkvCustomLookAndFeelPainter::PaintHeaderSectionText(TkvCanvas* Canvas, const TRect& TextAreaBounds,
                                                         TkvButtonState State, TAlignment AlignHorz,
                                                         TkvVerticalAlignment AlignVert, bool MultiLine,
                                                         bool ShowEndEllipsis, const String& Text, TFont* Font,
                                                         TColor TextColor) {
  if (Text.empty()) return;
  const Integer flags = TextFlagsFor(AlignHorz, AlignVert, MultiLine, ShowEndEllipsis);
  auto draw = [&](const TRect& R, TColor Color) {
    if (Font) Canvas->AssignFont(Font);
    Canvas->CurrentFont()->SetColor(Color);
    Canvas->PaintText(Text, R, flags);
  };
  Canvas->CurrentBrush()->SetStyle(bsClear);
  if (State == kvbsDisabled) {
    draw(RectShifted(TextAreaBounds, 1, 1), clBtnHighlight);
    draw(TextAreaBounds, clBtnShadow);
  } else {
    draw(TextAreaBounds, TextColor);
  }
  Canvas->CurrentBrush()->SetStyle(bsSolid);
}

void TkvCustomLookAndFeelPainter::PaintHeaderSeparator(TkvCanvas* Canvas, const TRect& Bounds, Integer IndentSize,
                                                       TColor Color, const TkvViewParams& ViewParams) {
  FillWithViewParams(Canvas, Rect(Bounds.Left, Bounds.Top, Bounds.Left + IndentSize, Bounds.Bottom), ViewParams);
  FillWithViewParams(Canvas, Rect(Bounds.Right - IndentSize, Bounds.Top, Bounds.Right, Bounds.Bottom), ViewParams);
  Canvas->FillWithColor(RectInflated(Bounds, -IndentSize, 0), Color);
}

void TkvCustomLookAndFeelPainter::PaintSortMark(TkvCanvas*, const TRect&, bool) {}
TkvBorders TkvCustomLookAndFeelPainter::HeaderFrameSides(TkvBorders) { return kvAllBorders; }
Integer TkvCustomLookAndFeelPainter::HeaderFrameWidth() { return 0; }

TRect TkvCustomLookAndFeelPainter::HeaderDrawBounds(const TRect& Bounds, TkvBorders Neighbors, TkvBorders Borders) {
  const TkvBorders grow = Borders - HeaderFrameSides(Neighbors);
  const Integer w = HeaderFrameWidth();
  auto by = [&](TkvBorder Side) { return grow.Contains(Side) ? w : 0; };
  return RectInflatedSides(Bounds, by(bLeft), by(bTop), by(bRight), by(bBottom));
}

TRect TkvCustomLookAndFeelPainter::HeaderContentBounds(const TRect& Bounds, TkvBorders Borders) {
  const Integer w = HeaderFrameWidth();
  auto by = [&](TkvBorder Side) { return Borders.Contains(Side) ? -w : 0; };
  return RectInflatedSides(Bounds, by(bLeft), by(bTop), by(bRight), by(bBottom));
}

bool TkvCustomLookAndFeelPainter::HeaderFlag120() { return true; }

Integer TkvCustomLookAndFeelPainter::HeaderWidthForContent(Integer ContentWidth) {
  return ContentWidth + 2 * HeaderFrameWidth() + 4;
}

Integer TkvCustomLookAndFeelPainter::HeaderSectionFrameWidth(TkvButtonState) { return 1; }

TRect TkvCustomLookAndFeelPainter::HeaderSectionTextBounds(const TRect& Bounds, TkvButtonState State) {
  return State == kvbsPressed ? RectShifted(Bounds, 1, 1) : Bounds;
}

TRect TkvCustomLookAndFeelPainter::HeaderSectionContentBounds(const TRect& Bounds, TkvButtonState State) {
  return RectInflated(Bounds, -HeaderSectionFrameWidth(State), -HeaderSectionFrameWidth(State));
}

Integer TkvCustomLookAndFeelPainter::HeaderTextWidth(TkvCanvas* Canvas, TkvBorders Borders, const String& Text,
                                                     TFont* Font) {
  if (Font) Canvas->AssignFont(Font);
  Integer width = Canvas->TextWidthOf(Text) + 4;
  if (Borders.Contains(bLeft)) width += HeaderFrameWidth();
  if (Borders.Contains(bRight)) width -= HeaderFrameWidth();
  return width;
}

bool TkvCustomLookAndFeelPainter::HeaderFlag126() { return false; }
TPoint TkvCustomLookAndFeelPainter::SortMarkSpace() { return {16, SortMarkExtent().Y}; }
TPoint TkvCustomLookAndFeelPainter::SortMarkExtent() { return {0, 0}; }

// ---- Footers and filter elements ----------------------------------------------------------

void TkvCustomLookAndFeelPainter::PaintBackgroundArea(TkvCanvas* Canvas, const TRect& R, bool Transparent,
                                                      TColor BkColor, TBitmap* BkBitmap) {
  FillBackground(Canvas, R, Transparent, BkColor, BkBitmap);
}

TkvBorders TkvCustomLookAndFeelPainter::FooterFrameSides() { return kvAllBorders; }
Integer TkvCustomLookAndFeelPainter::FooterFrameWidth() { return 0; }
Integer TkvCustomLookAndFeelPainter::FooterCellFrameWidth() { return 0; }
Integer TkvCustomLookAndFeelPainter::FooterCellSpacing() { return 0; }
bool TkvCustomLookAndFeelPainter::FooterCellsPaintedFirst() { return true; }
TColor TkvCustomLookAndFeelPainter::FooterFrameColor() { return clBtnShadow; }
Integer TkvCustomLookAndFeelPainter::DefaultMetric136() { return 1; }

void TkvCustomLookAndFeelPainter::PaintFooterCell(TkvCanvas* Canvas, const TRect& Bounds, TAlignment AlignHorz,
                                                  TkvVerticalAlignment AlignVert, bool MultiLine, const String& Text,
                                                  TFont* Font, TColor TextColor, TColor BkColor,
                                                  const TkvDrawBackgroundEvent& OnDrawBackground) {
  PaintFooterCellFrame(Canvas, Bounds);
  PaintContent(Canvas, FooterCellContentBounds(Bounds), FooterCellTextBounds(Bounds), kvbsDefault, AlignHorz,
               AlignVert, MultiLine, false, Text, Font, TextColor, BkColor, OnDrawBackground, true);
}

void TkvCustomLookAndFeelPainter::PaintFooterFrame(TkvCanvas*, const TRect&) {}
void TkvCustomLookAndFeelPainter::PaintFooterCellFrame(TkvCanvas*, const TRect&) {}

void TkvCustomLookAndFeelPainter::PaintFooterContent(TkvCanvas* Canvas, const TRect& R,
                                                     const TkvViewParams& ViewParams) {
  if (!RectIsVoid(R)) FillWithViewParams(Canvas, R, ViewParams);
}

void TkvCustomLookAndFeelPainter::PaintFooterSeparator(TkvCanvas* Canvas, const TRect& R) {
  Canvas->FillWithColor(R, FooterFrameColor());
}

void TkvCustomLookAndFeelPainter::PaintFilterActivator(TkvCanvas* Canvas, const TRect& R, TkvButtonState State,
                                                       bool Checked) {
  PaintCheckBoxFlag(Canvas, R, State, Checked);
}

void TkvCustomLookAndFeelPainter::PaintFilterCloseButton(TkvCanvas* Canvas, const TRect& R, TkvButtonState State) {
  PaintButtonFrame(Canvas, R, State);
  const TRect inner = RectInflated(R, -ButtonFrameWidth(kvbsNormal), -ButtonFrameWidth(kvbsNormal));
  Canvas->FillWithColor(inner, ButtonFaceColor(State));
  DrawCloseButtonCross(Canvas, inner, ButtonGlyphColor(State, clDefault), GlyphButtonState(State));
}

void TkvCustomLookAndFeelPainter::PaintFilterDropDownButton(TkvCanvas*, const TRect&, TkvButtonState, bool) {}

void TkvCustomLookAndFeelPainter::PaintFilterPanel(TkvCanvas* Canvas, const TRect& R, bool Transparent,
                                                   TColor BkColor, TBitmap* BkBitmap) {
  FillBackground(Canvas, R, Transparent, BkColor, BkBitmap);
}

TPoint TkvCustomLookAndFeelPainter::FilterActivatorExtent() { return {13, 13}; }
TPoint TkvCustomLookAndFeelPainter::FilterCloseButtonExtent() { return {16, 14}; }
TPoint TkvCustomLookAndFeelPainter::FilterDropDownButtonExtent() { return {15, 0}; }

void TkvCustomLookAndFeelPainter::PaintWindowContent(TkvCanvas* Canvas, const TRect& R) {
  Canvas->FillWithColor(R, clBtnFace);
}

Byte TkvCustomLookAndFeelPainter::PopupFrameStyle() { return 1; }

// ---- Tabs and indicator -------------------------------------------------------------------

void TkvCustomLookAndFeelPainter::PaintTab(TkvCanvas*, const TRect&, TkvBorders, const String&, TkvButtonState, bool,
                                           TFont*, TColor, TColor, bool) {}
void TkvCustomLookAndFeelPainter::PaintTabFrame(TkvCanvas*, const TRect&, TkvBorder, TkvBorders, bool) {}
void TkvCustomLookAndFeelPainter::PaintTabStrip(TkvCanvas*, const TRect&, TkvBorders, bool) {}
bool TkvCustomLookAndFeelPainter::PaintsTabs(bool) { return false; }
bool TkvCustomLookAndFeelPainter::TabHotTracks(bool) { return false; }
Integer TkvCustomLookAndFeelPainter::TabFrameWidth(bool) { return 0; }

void TkvCustomLookAndFeelPainter::PaintIndicatorCustomizeMark(TkvCanvas* Canvas, const TRect& R, TColor Color) {
  Canvas->CurrentPen()->SetColor(Color);
  const Integer x = R.Left + 3, w = R.Width() - 6;
  for (Integer i = 0; i <= 4; ++i) {
    const Integer y = (R.Top + R.Bottom - 9) / 2 + 2 * i;
    if (i % 2 == 0) Canvas->WritePixel(x, y, Color);
    DrawLine(Canvas, x + 2, y, x + w, y);
  }
}

void TkvCustomLookAndFeelPainter::PaintIndicatorGlyph(TkvCanvas* Canvas, const TRect& R, Integer Kind) {
  TCustomImageList* images = IndicatorImages();
  if (Kind == 0 || !images) return;
  const Integer left = (R.Left + R.Right - images->GetWidth()) / 2;
  const Integer top = (R.Top + R.Bottom - images->GetHeight()) / 2;
  Canvas->DrawImageListItem(images, left, top, Kind - 1, true);
}

void TkvCustomLookAndFeelPainter::PaintIndicatorItem(TkvCanvas* Canvas, const TRect& R, Integer Kind, TColor BkColor,
                                                     const TkvDrawBackgroundEvent& OnDrawBackground) {
  PaintHeader(Canvas, R, R, {}, HeaderFrameSides({bTop, bBottom}), kvbsNormal, taLeftJustify, vaTop, false, false,
              String(), nullptr, clNone, BkColor, OnDrawBackground, false, 0);
  PaintIndicatorGlyph(Canvas, R, Kind);
}

void TkvCustomLookAndFeelPainter::PaintIndicatorHeader(TkvCanvas* Canvas, const TRect& R, Integer Kind,
                                                       TColor BkColor, const TkvDrawBackgroundEvent& OnDrawBackground) {
  PaintHeaderSimple(Canvas, R, R, {}, kvAllBorders, kvbsNormal, taLeftJustify, vaTop, false, false, String(), nullptr,
                    clNone, BkColor, OnDrawBackground);
  PaintIndicatorGlyph(Canvas, R, Kind);
}

bool TkvCustomLookAndFeelPainter::IndicatorItemsPaintedFirst() { return true; }

// ---- Scroll bars, size grip, scheduler, clock ---------------------------------------------

Integer TkvCustomLookAndFeelPainter::ScrollBarMinThumbExtent(bool) { return 8; }
void TkvCustomLookAndFeelPainter::PaintScrollBarPart(TkvCanvas*, bool, const TRect&, TkvScrollBarPart,
                                                     TkvButtonState) {}

TSize TkvCustomLookAndFeelPainter::SizeGripExtent() {
  return {GetSystemMetrics(SM_CXVSCROLL), GetSystemMetrics(SM_CYHSCROLL)};
}

void TkvCustomLookAndFeelPainter::PaintSizeGrip(TkvCanvas* Canvas, const TRect& R, TColor BkColor) {
  Canvas->FillWithColor(R, BkColor);
  TRect r = R;
  DrawFrameControl(Canvas->DCHandle(), &r, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
}

void TkvCustomLookAndFeelPainter::LayoutSchedulerNavButton(bool IsNext, bool ArrowOnly, const TSize& TextExtent1,
                                                           const TSize& TextExtent2, TRect& Bounds, TRect& TextRect,
                                                           TRect& ArrowRect) {
  TRect borders;
  TSize arrowSize;
  SchedulerNavButtonMetrics(IsNext, borders, arrowSize);
  const Integer a = 3 * arrowSize.cy;
  if (ArrowOnly) {
    TextRect = Rect(0, 0, 0, 0);
    Bounds.Top = (Bounds.Top + Bounds.Bottom - borders.Top - borders.Bottom - a) / 2;
    Bounds.Bottom = Bounds.Top + a + borders.Top + borders.Bottom;
    ArrowRect = RectCenteredSize(Bounds, arrowSize);
    return;
  }
  const TRect inner = RectInsideMargins(Bounds, borders);
  ArrowRect = RectCenteredSize(Rect(inner.Left, inner.Top, inner.Right, inner.Top + a), arrowSize);
  TextRect = Rect(inner.Left, inner.Top + a + 5, inner.Right, inner.Bottom - 2 * arrowSize.cy);
  const Integer dy = std::max(TextExtent1.cx, TextExtent2.cx) - TextRect.Height();
  if (dy >= 1) {
    ArrowRect = RectShifted(ArrowRect, 0, -dy);
    TextRect = RectInflated(TextRect, 0, dy);
    Bounds = RectInflated(Bounds, 0, dy);
  }
}

void TkvCustomLookAndFeelPainter::PaintMonthHeader(TkvCanvas* Canvas, const TRect& R, const String& Text,
                                                   TkvBorders Neighbors, const TkvViewParams& ViewParams,
                                                   Integer Arrows, Integer ArrowIndent,
                                                   const TkvDrawBackgroundEvent& OnDrawBackground) {
  PaintHeader(Canvas, R, R, Neighbors, HeaderFrameSides(Neighbors), kvbsNormal, taCenter, vaCenter, false, false,
              Text, ViewParams.Font, ViewParams.TextColor, ViewParams.Color, OnDrawBackground, false, 0);
  PaintMonthNavArrows(Canvas, R, Arrows, ArrowIndent, clWindowText);
}

void TkvCustomLookAndFeelPainter::PaintContentFrame(TkvCanvas* Canvas, const TRect& R) { PaintFrame(Canvas, R); }

void TkvCustomLookAndFeelPainter::PaintSchedulerEventProgress(TkvCanvas* Canvas, const TRect& Bounds,
                                                              const TRect& ProgressRect,
                                                              const TkvViewParams& ViewParams, bool Transparent) {
  Canvas->PaintFrame(Bounds, static_cast<TColor>(0x808080));
  if (!Transparent) FillWithViewParams(Canvas, RectInflated(Bounds, -1, -1), ViewParams);
  Canvas->FillWithColor(ProgressRect, clNavy);
}

void TkvCustomLookAndFeelPainter::PaintSchedulerNavButton(TkvCanvas* Canvas, const TRect& Bounds, bool IsNext,
                                                          TkvButtonState State, const String& Text,
                                                          const TRect& TextRect, const TRect& ArrowRect) {
  if (RectIsVoid(TextRect)) {
    PaintSchedulerNavButtonFace(Canvas, Bounds, ArrowRect, IsNext, State);
    return;
  }
  // The caption runs along the button: the face is painted on a bitmap that is turned a quarter
  // for the text and back.
  TkvCustomBitmap bitmap(Bounds, pf32bit);
  const TRect local = Rect(0, 0, Bounds.Width(), Bounds.Height());
  bitmap.GetCanvas()->CopyRect(local, Canvas->GetCanvas(), Bounds);
  TkvCanvas* target = bitmap.GetkvCanvas();
  PaintSchedulerNavButtonFace(target, local, RectShifted(ArrowRect, -Bounds.Left, -Bounds.Top), IsNext, State);
  bitmap.RotateFlip(2, false);
  target = bitmap.GetkvCanvas();
  target->CurrentBrush()->SetStyle(bsClear);
  target->AssignFont(Canvas->CurrentFont());
  target->CurrentFont()->SetColor(ButtonGlyphColor(State, Canvas->CurrentFont()->GetColor()));
  const TRect turned = MakeBoundsRect(Bounds.Bottom - TextRect.Bottom, TextRect.Left - Bounds.Left, TextRect.Height(),
                                      TextRect.Width());
  target->PaintText(Text, turned, ktfSingleLine | ktfAlignHCenter | ktfAlignVCenter);
  target->CurrentBrush()->SetStyle(bsSolid);
  bitmap.RotateFlip(1, false);
  Canvas->DrawGraphic(Bounds.Left, Bounds.Top, &bitmap);
}

void TkvCustomLookAndFeelPainter::PaintSchedulerNavArrow(TkvCanvas* Canvas, const TRect& R, bool IsNext,
                                                         TColor Color) {
  Canvas->CurrentBrush()->SetStyle(bsSolid);
  Canvas->SetBrushColor(Color);
  const Integer n = (R.Height() + 1) / 2, step = IsNext ? 1 : -1;
  const Integer x = IsNext ? R.Left : R.Right - 2;
  TRect top = Rect(x, R.Top, x + 2, R.Top + 1), bottom = Rect(x, R.Bottom - 1, x + 2, R.Bottom);
  for (Integer i = 0; i < n; ++i) {
    Canvas->FillWithColor(top, Color);
    Canvas->FillWithColor(bottom, Color);
    top = RectShifted(top, step, 1);
    bottom = RectShifted(bottom, step, -1);
  }
  const Integer edge = IsNext ? R.Right - 1 : R.Left;
  Canvas->FillWithColor(Rect(edge, R.Top, edge + 1, R.Bottom), Color);
}

void TkvCustomLookAndFeelPainter::PaintSchedulerNavigatorButton(TkvCanvas* Canvas, const TRect& R,
                                                                TkvButtonState State) {
  PaintButton(Canvas, R, String(), State, true, clDefault, clDefault, false);
}

void TkvCustomLookAndFeelPainter::PaintSchedulerSplitterFrame(TkvCanvas*, const TRect&, const TkvViewParams&, bool) {}
TRect TkvCustomLookAndFeelPainter::SchedulerEventProgressMargins() { return Rect(2, 2, 2, 2); }

void TkvCustomLookAndFeelPainter::SchedulerNavButtonMetrics(bool IsNext, TRect& Borders, TSize& ArrowSize) {
  Borders = IsNext ? Rect(2, 6, 0, 6) : Rect(0, 6, 2, 6);
  ArrowSize = {7, 7};
}

Integer TkvCustomLookAndFeelPainter::DefaultMetric176() { return 1; }

void TkvCustomLookAndFeelPainter::PaintClockFace(TkvCanvas* Canvas, const TRect& R, TDateTime Time, TColor BkColor) {
  const Integer mx = (R.Left + R.Right) / 2, my = (R.Top + R.Bottom) / 2;
  const Double rx = R.Width() / 2.0 - 2, ry = R.Height() / 2.0 - 2;
  constexpr Double pi = std::numbers::pi;
  // The dots are clipped out so that the fill leaves them; the caller's clip comes back after.
  Canvas->PushClip();
  for (Integer i = 0; i < 60; i += 5) {
    const Double a = 2 * pi * i / 60;
    const Integer x = RoundHalfEven(rx * std::cos(a) + mx), y = RoundHalfEven(ry * std::sin(a) + my);
    const TColor light = static_cast<TColor>(0xFFFF00);
    Canvas->WritePixel(x, y, static_cast<TColor>(0x808000));
    Canvas->WritePixel(x - 1, y + 1, light);
    Canvas->WritePixel(x - 1, y, light);
    Canvas->WritePixel(x - 1, y - 1, light);
    Canvas->WritePixel(x, y - 1, light);
    Canvas->WritePixel(x, y + 1, clBtnText);
    Canvas->WritePixel(x + 1, y + 1, clBtnText);
    Canvas->WritePixel(x + 1, y, clBtnText);
    Canvas->WritePixel(x + 1, y - 1, clBtnText);
    Canvas->ClipOutRect(Rect(x - 1, y - 1, x + 2, y + 2));
  }
  Canvas->FillWithColor(R, BkColor);

  Double dayFraction = Time - std::floor(Time);
  Int64 seconds = static_cast<Int64>(std::nearbyint(dayFraction * 86400.0)) % 86400;
  const Integer hour = static_cast<Integer>(seconds / 3600), minute = static_cast<Integer>(seconds / 60 % 60),
                second = static_cast<Integer>(seconds % 60);
  auto hand = [&](Double a, Double width, Double tip, Double tail) {
    const TPoint tipPoint{RoundHalfEven(mx + tip * rx * std::cos(a)), RoundHalfEven(my + tip * ry * std::sin(a))};
    const std::vector<TPoint> path{
        tipPoint,
        {RoundHalfEven(mx + width / 2 * std::cos(a + pi / 2)), RoundHalfEven(my + width / 2 * std::sin(a + pi / 2))},
        {RoundHalfEven(mx + tail * rx * std::cos(a + pi)), RoundHalfEven(my + tail * ry * std::sin(a + pi))},
        {RoundHalfEven(mx + width / 2 * std::cos(a + 3 * pi / 2)),
         RoundHalfEven(my + width / 2 * std::sin(a + 3 * pi / 2))}};
    SetSolidBrushAndPen(Canvas, static_cast<TColor>(0x808000));
    Canvas->DrawPolygon(path);
    Canvas->WritePixel(tipPoint.X, tipPoint.Y, static_cast<TColor>(0x808000));
  };
  hand(((hour % 12) * 3600 + minute * 60 + second - 10800) * 2 * pi / 43200, 9, 0.75, 0.15);
  hand((minute * 60 + second - 900) * 2 * pi / 3600, 7, 0.85, 0.2);
  const Double s = (second - 15) * 2 * pi / 60;
  Canvas->CurrentPen()->SetColor(clRed);
  DrawLine(Canvas, mx, my, RoundHalfEven(0.9 * rx * std::cos(s) + mx), RoundHalfEven(0.9 * ry * std::sin(s) + my));
  Canvas->PopClip();
}

// ---- Editors, navigator, progress bar, group box, panel, track bar, splitter ---------------

void TkvCustomLookAndFeelPainter::PaintEditButton(TkvCanvas*, const TRect&, Integer, TkvButtonState) {}
Integer TkvCustomLookAndFeelPainter::EditButtonTextIndent() { return 0; }
TSize TkvCustomLookAndFeelPainter::EditButtonExtent() { return {0, 0}; }
TColor TkvCustomLookAndFeelPainter::EditButtonCaptionColor() { return clDefault; }
TColor TkvCustomLookAndFeelPainter::ContainerFrameColor(bool) { return clDefault; }

void TkvCustomLookAndFeelPainter::PaintNavigatorGlyph(TkvCanvas* Canvas, TCustomImageList* ImageList,
                                                      Integer ImageIndex, Integer, const TPoint& P, bool Enabled,
                                                      Integer) {
  if (ImageList) Canvas->DrawImageListItem(ImageList, P.X, P.Y, ImageIndex, Enabled);
}

TSize TkvCustomLookAndFeelPainter::NavigatorGlyphExtent() { return {0, 0}; }
void TkvCustomLookAndFeelPainter::PaintProgressFrame(TkvCanvas*, const TRect&, bool) {}
void TkvCustomLookAndFeelPainter::PaintProgressChunk(TkvCanvas*, const TRect&, bool) {}
TRect TkvCustomLookAndFeelPainter::ProgressFrameWidths(bool) { return Rect(0, 0, 0, 0); }
TColor TkvCustomLookAndFeelPainter::ProgressTextColor() { return clDefault; }
void TkvCustomLookAndFeelPainter::PaintGroupBoxBackground(TkvCanvas*, const TRect&, const TRect&) {}
void TkvCustomLookAndFeelPainter::PaintGroupBoxCaption(TkvCanvas*, const TRect&, Integer) {}
void TkvCustomLookAndFeelPainter::PaintGroupBoxContent(TkvCanvas*, const TRect&, Integer) {}
TRect TkvCustomLookAndFeelPainter::GroupBoxFrameWidths(bool, Integer) { return Rect(0, 0, 0, 0); }
TColor TkvCustomLookAndFeelPainter::GroupBoxCaptionColor(Integer) { return clDefault; }
bool TkvCustomLookAndFeelPainter::GroupBoxIsTransparent(bool, Integer) { return false; }

void TkvCustomLookAndFeelPainter::PaintPanelBackground(TkvCanvas* Canvas, TControl*, const TRect& Bounds, TColor,
                                                       TColor) {
  PaintGroupBoxBackground(Canvas, Bounds, Bounds);
}

void TkvCustomLookAndFeelPainter::PaintPanelFrame(TkvCanvas*, const TRect&) {}

void TkvCustomLookAndFeelPainter::PaintPanelCaption(TkvCanvas* Canvas, const TRect& CaptionRect,
                                                    Integer CaptionPosition) {
  PaintGroupBoxCaption(Canvas, CaptionRect, CaptionPosition);
}

void TkvCustomLookAndFeelPainter::PanelHook198(TkvCanvas*, const TRect&, bool) {}
TRect TkvCustomLookAndFeelPainter::PanelContentMargins() { return Rect(0, 0, 0, 0); }
TColor TkvCustomLookAndFeelPainter::DefaultColor200() { return clDefault; }
void TkvCustomLookAndFeelPainter::PanelHook201(TkvCanvas*, const TRect&, const TRect&, bool, bool, bool) {}
void TkvCustomLookAndFeelPainter::PaintTrackBarThumb(TkvCanvas*, const TRect&, TkvButtonState, bool, Integer) {}
TSize TkvCustomLookAndFeelPainter::TrackBarThumbExtent(bool) { return {0, 0}; }
TColor TkvCustomLookAndFeelPainter::TrackBarScaleColor(bool) { return clDefault; }
Integer TkvCustomLookAndFeelPainter::TrackBarTrackWidth() { return 0; }
void TkvCustomLookAndFeelPainter::PaintSplitter(TkvCanvas*, const TRect&, bool, bool, bool) {}
TSize TkvCustomLookAndFeelPainter::SplitterExtent(bool) { return {0, 0}; }

// ---- Shared glyphs ------------------------------------------------------------------------

void TkvCustomLookAndFeelPainter::PaintMonthNavArrows(TkvCanvas* Canvas, TRect R, Integer Arrows,
                                                      Integer ArrowIndent, TColor Color) {
  R.Top += FrameWidth();
  R = RectInflated(R, 0, -1);
  for (Integer arrow : {1, 2}) {
    if ((Arrows & arrow) == 0) continue;
    const bool previous = arrow == 1;
    Integer h = R.Height() / 2;
    if (h % 2 == 0) ++h;
    const Integer side = previous ? R.Left : R.Right, e = previous ? 1 : -1;
    TPoint p[3];
    p[0] = {side + (ArrowIndent - 1) * e, (R.Top + R.Bottom - h) / 2 - 1};
    p[1] = {p[0].X, p[0].Y + h + 1};
    p[2] = {p[0].X - (h / 2 + 1) * e, p[0].Y + h / 2 + 1};
    FillTriangle(Canvas, p, Color);
  }
}

void TkvCustomLookAndFeelPainter::DrawExpandCross(TkvCanvas* Canvas, const TRect& R, TColor Color, bool Expanded) {
  const Integer mx = RangeMidpoint(R.Left, R.Right), my = RangeMidpoint(R.Top, R.Bottom);
  const Integer h = (R.Width() - 4) / 2;
  Canvas->FillWithColor(Rect(mx - h, my, mx + h + 1, my + 1), Color);
  if (!Expanded) Canvas->FillWithColor(Rect(mx, my - h, mx + 1, my + h + 1), Color);
}

void TkvCustomLookAndFeelPainter::DrawGroupExpandMark(TkvCanvas* Canvas, const TRect& R, TkvButtonState State,
                                                      bool Expanded) {
  Canvas->CurrentPen()->SetColor(ButtonGlyphColor(State, clDefault));
  constexpr Integer s = 3;
  const Integer x0 = (R.Left + R.Right - 7) / 2, y0 = (R.Top + R.Bottom - 8) / 2;
  const Integer d = Expanded ? 1 : -1;
  for (Integer i = y0; i <= y0 + 3; ++i) {
    Integer y = i - y0 < 2 ? i : i + 2;
    if (Expanded) y += s;
    Integer p = (i - y0) % 2;
    if (!Expanded) p = 1 - p;
    Canvas->MovePenTo(x0 + p, y - d * p);
    Canvas->DrawLineTo(x0 + s, y - s * d);
    Canvas->DrawLineTo(x0 + 2 * s + 1 - p, y + (1 - p) * d);
  }
}

void TkvCustomLookAndFeelPainter::DrawCheckMarkGlyph(TkvCanvas* Canvas, const TRect& R, TColor Color) {
  Canvas->CurrentPen()->SetColor(Color);
  const Integer wm = R.Width() - 2, hm = R.Height() - 4, xc = (R.Left + R.Right) / 2 - 1;
  for (Integer k = 0; k <= 2; ++k) {
    const Integer y = (R.Top + R.Bottom + hm) / 2 - 2 + k;
    Canvas->MovePenTo(xc + 1 - wm / 2, y - hm / 2);
    Canvas->DrawLineTo(xc, y);
    Canvas->DrawLineTo(xc + wm / 2 + 2, y - hm);
  }
}

void TkvCustomLookAndFeelPainter::DrawCloseButtonCross(TkvCanvas* Canvas, const TRect& R, TColor Color,
                                                       TkvButtonState State) {
  Integer s = FilterCloseButtonExtent().X / 2;
  if (s % 2 == 0) --s;
  Canvas->CurrentPen()->SetColor(Color);
  const Integer shift = State == kvbsPressed ? 1 : 0;
  for (Integer i = 0; i <= 1; ++i) {
    const Integer x = (R.Left + R.Right - s) / 2 + i + shift, y = (R.Top + R.Bottom - s) / 2 + shift;
    DrawLine(Canvas, x, y, x + s, y + s);
    DrawLine(Canvas, x, y + s - 1, x + s, y - 1);
  }
}

void TkvCustomLookAndFeelPainter::DrawSortArrow(TkvCanvas* Canvas, const TRect& R, TColor ShadowColor,
                                                TColor LightColor, bool Ascending) {
  const TPoint extent = SortMarkExtent();
  const Integer w = extent.X, h = extent.Y, d = Ascending ? 1 : -1;
  const bool even = w % 2 == 0;
  const Integer xc = (R.Left + R.Right) / 2 - (even ? 1 : 0);
  const Integer y0 = Ascending ? (R.Top + R.Bottom - h) / 2 : (R.Top + R.Bottom + h) / 2 - 1;
  const Integer a = w / 2 - (even ? 1 : 0), b = w / 2;
  Canvas->CurrentPen()->SetColor(LightColor);
  Canvas->MovePenTo(xc + b, y0 + (h - 2) * d);
  Canvas->DrawLineTo(xc + b - a, y0);
  Canvas->DrawLineTo(xc + b, y0 + (h - 1) * d);
  if (!Ascending) Canvas->CurrentPen()->SetColor(ShadowColor);
  Canvas->DrawLineTo(xc - a, y0 + (h - 1) * d);
  if (Ascending) Canvas->CurrentPen()->SetColor(ShadowColor);
  Canvas->DrawLineTo(xc, y0);
  Canvas->DrawLineTo(xc - a, y0 + (h - w % 2) * d);
}
