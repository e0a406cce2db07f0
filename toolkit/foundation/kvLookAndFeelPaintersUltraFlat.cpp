// The ultra-flat look (one-pixel frames, hot tracking, faces blended from the highlight colour)
// and the Office-11 look built on it from the shared Office-11 colour table.

#include "toolkit/foundation/kvGeometry.h"
#include "toolkit/foundation/kvLookAndFeelPainters.h"
#include "toolkit/foundation/kvLookAndFeelPaintersShared.h"
#include "toolkit/foundation/qzOffice11.h"
#include "toolkit/foundation/qzThemeManager.h"

TAVREN_CLASS_IMPL(TkvUltraFlatLookAndFeelPainter)
TAVREN_CLASS_IMPL(TkvOffice11LookAndFeelPainter)

namespace {

TRect Inset(const TRect& R) { return RectInflated(R, -1, -1); }
TColor O11(Integer Slot) { return Office11Color(Slot); }

TkvBorders NavButtonSides(bool IsNext) {
  return IsNext ? TkvBorders{bLeft, bTop, bBottom} : TkvBorders{bTop, bRight, bBottom};
}

void PaintVerticalGradient(TkvCanvas* Canvas, const TRect& R, TColor Top, TColor Bottom) {
  PaintGradientRect(Canvas->DCHandle(), R, Top, Bottom, false);
}

}  // namespace

// ---- UltraFlat ----------------------------------------------------------------------------

void TkvUltraFlatLookAndFeelPainter::PaintSchedulerNavButtonFace(TkvCanvas* Canvas, const TRect& R,
                                                                 const TRect& ArrowRect, bool IsNext,
                                                                 TkvButtonState State) {
  Canvas->FillWithColor(R, clBtnFace);
  Canvas->PaintFrame(R, State == kvbsHot ? LightFrameColor() : DarkFrameColor(), 1, NavButtonSides(IsNext));
  PaintSchedulerNavArrow(Canvas, ArrowRect, IsNext, ButtonGlyphColor(State, clDefault));
}

Byte TkvUltraFlatLookAndFeelPainter::PainterStyle() { return kvpsUltraFlat; }
TColor TkvUltraFlatLookAndFeelPainter::DefaultColor42() { return clBtnShadow; }
Integer TkvUltraFlatLookAndFeelPainter::FrameWidth() { return 1; }
void TkvUltraFlatLookAndFeelPainter::PaintFrame(TkvCanvas* Canvas, const TRect& R) { Canvas->PaintFrame(R, clBtnShadow); }
Integer TkvUltraFlatLookAndFeelPainter::ButtonFrameWidth(TkvButtonState State) { return State == kvbsDefault ? 2 : 1; }

TColor TkvUltraFlatLookAndFeelPainter::ButtonFaceColor(TkvButtonState State) {
  switch (State) {
    case kvbsHot: return PaleHighlightColor();
    case kvbsPressed: return LightHighlightColor();
    default: return clBtnFace;
  }
}

TRect TkvUltraFlatLookAndFeelPainter::ButtonFocusBounds(TkvCanvas*, const TRect& R) {
  const TRect inset = RectInflated(R, -3, -3);
  return RectIsVoid(inset) ? R : inset;
}

TRect TkvUltraFlatLookAndFeelPainter::ButtonGroupFrameWidths(Integer ButtonCount, Integer ButtonIndex) {
  TRect widths = Rect(1, 2, 1, 2);
  if (ButtonIndex == 0)
    widths.Left = 2;
  else if (ButtonIndex == ButtonCount - 1)
    widths.Right = 2;
  return widths;
}

Integer TkvUltraFlatLookAndFeelPainter::ButtonTextIndent() { return 2; }
Integer TkvUltraFlatLookAndFeelPainter::ButtonPressedTextShift() { return 0; }

TColor TkvUltraFlatLookAndFeelPainter::ButtonGlyphColor(TkvButtonState State, TColor DefaultColor) {
  if (State == kvbsPressed) return clHighlightText;
  return TkvCustomLookAndFeelPainter::ButtonGlyphColor(State, DefaultColor);
}

TkvButtonState TkvUltraFlatLookAndFeelPainter::GlyphButtonState(TkvButtonState) { return kvbsNormal; }

void TkvUltraFlatLookAndFeelPainter::PaintGroupButton(TkvCanvas* Canvas, const TRect& R, TkvButtonState State,
                                                      Integer ButtonCount, Integer ButtonIndex, TColor FrameColor) {
  const bool first = ButtonIndex == 0, last = ButtonIndex == ButtonCount - 1;
  TRect b = RectInflatedSides(R, first ? -1 : 0, -1, last ? -1 : 0, -1);
  if (State == kvbsNormal || State == kvbsDisabled) {
    Canvas->PaintFrame(b, FrameColor);
    b = Inset(b);
  } else {
    // Hot and pressed buttons show the highlight only where they meet their neighbours.
    if (!first) {
      Canvas->FillWithColor(Rect(b.Left, b.Top, b.Left + 1, b.Bottom), HighlightFrameColor());
      ++b.Left;
    }
    if (!last) {
      Canvas->FillWithColor(Rect(b.Right - 1, b.Top, b.Right, b.Bottom), HighlightFrameColor());
      --b.Right;
    }
  }
  Canvas->FillWithColor(b, ButtonFaceColor(State));
}

void TkvUltraFlatLookAndFeelPainter::PaintButtonFrame(TkvCanvas* Canvas, const TRect& R, TkvButtonState State) {
  switch (State) {
    case kvbsDefault:
      Canvas->PaintFrame(R, clWindowFrame);
      Canvas->PaintFrame(Inset(R), clWindowFrame);
      break;
    case kvbsNormal: Canvas->PaintFrame(R, clBtnText); break;
    case kvbsDisabled: Canvas->PaintFrame(R, clBtnShadow); break;
    default: Canvas->PaintFrame(R, clHighlight); break;
  }
}

void TkvUltraFlatLookAndFeelPainter::PaintButtonGroupFrame(TkvCanvas* Canvas, const TRect& R, bool Selected,
                                                           bool Highlighted) {
  Canvas->PaintFrame(R, Selected ? clBtnText : Highlighted ? HighlightFrameColor() : clBtnShadow);
}

void TkvUltraFlatLookAndFeelPainter::PaintExpandButton(TkvCanvas* Canvas, const TRect& R, bool Expanded,
                                                       TColor Color) {
  Canvas->PaintFrame(R, clBtnShadow);
  Canvas->FillWithColor(Inset(R), Color == clDefault ? clBtnFace : Color);
  DrawExpandCross(Canvas, Inset(R), clBtnText, Expanded);
  Canvas->ClipOutRect(R);
}

Integer TkvUltraFlatLookAndFeelPainter::ExpandButtonExtent() { return 11; }
bool TkvUltraFlatLookAndFeelPainter::ButtonHotTracks() { return true; }

void TkvUltraFlatLookAndFeelPainter::PaintCheckBoxFrame(TkvCanvas* Canvas, const TRect& R, TkvButtonState State) {
  Canvas->PaintFrame(R, clBtnText);
  Canvas->PaintFrame(Inset(R), CheckBoxFaceColor(State));
}

void TkvUltraFlatLookAndFeelPainter::PaintHeaderSimple(TkvCanvas* Canvas, const TRect& Bounds,
                                                       const TRect& TextAreaBounds, TkvBorders Neighbors,
                                                       TkvBorders Borders, TkvButtonState State, TAlignment AlignHorz,
                                                       TkvVerticalAlignment AlignVert, bool MultiLine,
                                                       bool ShowEndEllipsis, const String& Text, TFont* Font,
                                                       TColor TextColor, TColor BkColor,
                                                       const TkvDrawBackgroundEvent& OnDrawBackground) {
  PaintContent(Canvas, Bounds, Inset(TextAreaBounds), State, AlignHorz, AlignVert, MultiLine, ShowEndEllipsis, Text,
               Font, TextColor, BkColor, OnDrawBackground, false);
  PaintHeaderFrame(Canvas, Inset(Bounds), Neighbors, Borders);
}

void TkvUltraFlatLookAndFeelPainter::PaintHeaderFrame(TkvCanvas* Canvas, const TRect& R, TkvBorders,
                                                      TkvBorders Borders) {
  TkvBorders sides{bRight, bBottom};
  if (Borders.Contains(bLeft)) sides = sides + TkvBorders{bLeft};
  if (Borders.Contains(bTop)) sides = sides + TkvBorders{bTop};
  Canvas->PaintFrame(R, clBtnText, 1, sides);
}

void TkvUltraFlatLookAndFeelPainter::PaintHeaderSectionFrame(TkvCanvas* Canvas, const TRect& R, TkvBorders Borders,
                                                             TkvButtonState State) {
  Canvas->PaintFrame(R, State == kvbsDisabled ? clBtnShadow : clBlack, 1, Borders);
}

void TkvUltraFlatLookAndFeelPainter::PaintHeaderSectionContent(TkvCanvas* Canvas, const TRect& Bounds,
                                                               const TRect& TextAreaBounds, TkvButtonState State,
                                                               TAlignment AlignHorz, TkvVerticalAlignment AlignVert,
                                                               bool MultiLine, bool ShowEndEllipsis,
                                                               const String& Text, TFont* Font, TColor TextColor,
                                                               TColor BkColor) {
  const bool faced = State == kvbsHot || State == kvbsPressed || State == kvbsDisabled;
  Canvas->FillWithColor(Bounds, faced ? ButtonFaceColor(State) : BkColor);
  Canvas->CurrentFont()->SetColor(TextColor);
  // The text stays where it is when pressed: the face colour shows the press.
  PaintHeaderSectionText(Canvas, TextAreaBounds, State, AlignHorz, AlignVert, MultiLine, ShowEndEllipsis, Text, Font,
                         TextColor);
}

void TkvUltraFlatLookAndFeelPainter::PaintSortMark(TkvCanvas* Canvas, const TRect& R, bool Ascending) {
  DrawSortArrow(Canvas, R, clBtnShadow, clBtnShadow, Ascending);
}

TkvBorders TkvUltraFlatLookAndFeelPainter::HeaderFrameSides(TkvBorders Neighbors) {
  TkvBorders sides = kvAllBorders;
  if (Neighbors.Contains(bLeft)) sides = sides - TkvBorders{bLeft};
  if (Neighbors.Contains(bTop)) sides = sides - TkvBorders{bTop};
  return sides;
}

Integer TkvUltraFlatLookAndFeelPainter::HeaderFrameWidth() { return 1; }
TPoint TkvUltraFlatLookAndFeelPainter::SortMarkExtent() { return {7, 8}; }
TkvBorders TkvUltraFlatLookAndFeelPainter::FooterFrameSides() { return {bRight, bBottom}; }
Integer TkvUltraFlatLookAndFeelPainter::FooterFrameWidth() { return 1; }
Integer TkvUltraFlatLookAndFeelPainter::FooterCellFrameWidth() { return 1; }
Integer TkvUltraFlatLookAndFeelPainter::FooterCellSpacing() { return 2; }

void TkvUltraFlatLookAndFeelPainter::PaintFooterFrame(TkvCanvas* Canvas, const TRect& R) {
  Canvas->PaintFrame(R, FooterFrameColor(), 1, {bRight, bBottom});
}

void TkvUltraFlatLookAndFeelPainter::PaintFooterCellFrame(TkvCanvas* Canvas, const TRect& R) {
  Canvas->PaintFrame(R, FooterFrameColor());
}

void TkvUltraFlatLookAndFeelPainter::PaintFilterDropDownButton(TkvCanvas* Canvas, const TRect& R,
                                                               TkvButtonState State, bool Active) {
  Canvas->PaintFrame(R, StateFrameColor(State));
  Canvas->FillWithColor(Inset(R), ButtonFaceColor(State));
  PaintButtonArrow(Canvas, Inset(R), Active ? clBlue : ButtonGlyphColor(State, clDefault));
}

TPoint TkvUltraFlatLookAndFeelPainter::FilterCloseButtonExtent() {
  const TPoint base = TkvCustomLookAndFeelPainter::FilterCloseButtonExtent();
  return {base.X, base.Y + 1};
}

void TkvUltraFlatLookAndFeelPainter::PaintTabFrame(TkvCanvas* Canvas, const TRect& R, TkvBorder Side, TkvBorders,
                                                   bool Vertical) {
  TRect r = R;
  const bool dark = Vertical ? Side == bBottom : Side == bRight;
  if (!Vertical && Side == bRight) r.Bottom -= TabFrameWidth(Vertical);
  Canvas->FillWithColor(r, dark ? DarkFrameColor() : LightFrameColor());
}

void TkvUltraFlatLookAndFeelPainter::PaintTabStrip(TkvCanvas* Canvas, const TRect& R, TkvBorders Borders,
                                                   bool Vertical) {
  Canvas->PaintFrame(R, LightFrameColor(), TabFrameWidth(Vertical), Borders);
}

Integer TkvUltraFlatLookAndFeelPainter::TabFrameWidth(bool) { return 1; }

void TkvUltraFlatLookAndFeelPainter::PaintScrollBarPart(TkvCanvas* Canvas, bool Horizontal, const TRect& R,
                                                        TkvScrollBarPart Part, TkvButtonState State) {
  if (RectIsVoid(R) || (Part == sbpThumbnail && State == kvbsDisabled)) return;
  switch (Part) {
    case sbpPageUp:
    case sbpPageDown:
      PaintScrollPatternTrack(Canvas, R, State == kvbsPressed);
      break;
    case sbpThumbnail:
      PaintButton(Canvas, R, String(), State, true, clDefault, clDefault, false);
      break;
    case sbpLineUp:
    case sbpLineDown:
      PaintButton(Canvas, R, String(), State, true, clDefault, clDefault, false);
      PaintScrollArrowGlyph(Canvas, R, State, ScrollArrowDirection(Horizontal, Part));
      break;
    default:
      break;
  }
}

void TkvUltraFlatLookAndFeelPainter::PaintSchedulerNavigatorButton(TkvCanvas* Canvas, const TRect& R,
                                                                   TkvButtonState State) {
  PaintButton(Canvas, R, String(), State, State == kvbsHot || State == kvbsPressed, clDefault, clDefault, false);
}

void TkvUltraFlatLookAndFeelPainter::PaintSchedulerSplitterFrame(TkvCanvas* Canvas, const TRect& R,
                                                                 const TkvViewParams& ViewParams, bool Horizontal) {
  PaintSplitterLines(Canvas, R, ViewParams, Horizontal, {{DefaultColor42(), DefaultColor42()}});
}

TColor TkvUltraFlatLookAndFeelPainter::StateFrameColor(TkvButtonState State) {
  return State == kvbsNormal ? clBtnShadow : clHighlight;
}

TColor TkvUltraFlatLookAndFeelPainter::LightFrameColor() { return clBtnShadow; }
TColor TkvUltraFlatLookAndFeelPainter::DarkFrameColor() { return clBtnText; }
TColor TkvUltraFlatLookAndFeelPainter::HighlightFrameColor() { return clHighlight; }

// ---- Office11 -----------------------------------------------------------------------------

void TkvOffice11LookAndFeelPainter::PaintContent(TkvCanvas* Canvas, const TRect& R, const TRect& TextRect,
                                                 TkvButtonState State, TAlignment AlignHorz,
                                                 TkvVerticalAlignment AlignVert, bool MultiLine, bool ShowEndEllipsis,
                                                 const String& Text, TFont* Font, TColor TextColor, TColor,
                                                 const TkvDrawBackgroundEvent& OnDrawBackground, bool Plain) {
  if (!OnDrawBackground(Canvas, R)) {
    const bool hot = State == kvbsHot;
    const TColor a = hot ? O11(2) : HeaderTopColor(), b = hot ? O11(2) : HeaderLightColor();
    if (Plain) {
      Canvas->FillWithColor(R, a);
    } else {
      Canvas->FillWithColor(Rect(R.Left, R.Top, R.Right, R.Bottom - 3), a);
      PaintVerticalGradient(Canvas, Rect(R.Left, R.Bottom - 4, R.Right, R.Bottom), a, b);
    }
  }
  // The background is ours (or the event's); the base draws only the text over it.
  TkvCustomLookAndFeelPainter::PaintContent(Canvas, R, TextRect, State, AlignHorz, AlignVert, MultiLine,
                                            ShowEndEllipsis, Text, Font, TextColor, clNone, TkvDrawBackgroundEvent(),
                                            Plain);
  if (State == kvbsHot)
    PaintVerticalGradient(Canvas, Rect(R.Left - 1, R.Bottom - 2, R.Right, R.Bottom + 1), O11(42), O11(43));
}

void TkvOffice11LookAndFeelPainter::PaintSchedulerNavButtonFace(TkvCanvas* Canvas, const TRect& R,
                                                                const TRect& ArrowRect, bool IsNext,
                                                                TkvButtonState State) {
  Canvas->FillWithColor(R, State == kvbsHot ? O11(42) : State == kvbsPressed ? O11(44) : O11(0));
  Canvas->PaintFrame(R, O11(60), 1, NavButtonSides(IsNext));
  PaintSchedulerNavArrow(Canvas, ArrowRect, IsNext, ButtonGlyphColor(State, clDefault));
}

Byte TkvOffice11LookAndFeelPainter::PainterStyle() { return kvpsOffice11; }
TColor TkvOffice11LookAndFeelPainter::DefaultColor13() { return O11(24); }
TColor TkvOffice11LookAndFeelPainter::FilterBoxTextColor() { return O11(28); }
TColor TkvOffice11LookAndFeelPainter::DefaultColor16() { return O11(0); }
TColor TkvOffice11LookAndFeelPainter::DefaultColor17() { return GroupTextColor(); }
TColor TkvOffice11LookAndFeelPainter::GridLineColor() { return O11(55); }
TColor TkvOffice11LookAndFeelPainter::DefaultColor20() { return O11(2); }
TColor TkvOffice11LookAndFeelPainter::GridDetailsSiteColor() { return O11(58); }
TColor TkvOffice11LookAndFeelPainter::GroupByBoxColor() { return GridLineColor(); }
TColor TkvOffice11LookAndFeelPainter::DefaultColor25() { return HeaderTopColor(); }
TColor TkvOffice11LookAndFeelPainter::DateNavigatorHeaderColor() { return O11(0); }
TColor TkvOffice11LookAndFeelPainter::DateNavigatorSelectionColor() { return O11(59); }
TColor TkvOffice11LookAndFeelPainter::DateNavigatorSelectionTextColor() { return clWindowText; }
TColor TkvOffice11LookAndFeelPainter::DefaultColor42() { return O11(60); }
TColor TkvOffice11LookAndFeelPainter::DefaultColor43() { return O11(61); }
TColor TkvOffice11LookAndFeelPainter::DefaultColor51() { return O11(1); }
TColor TkvOffice11LookAndFeelPainter::DefaultColor53() { return DefaultColor51(); }
TColor TkvOffice11LookAndFeelPainter::DefaultColor56() { return O11(0); }
TColor TkvOffice11LookAndFeelPainter::DefaultColor58() { return DefaultColor43(); }
void TkvOffice11LookAndFeelPainter::PaintFrame(TkvCanvas* Canvas, const TRect& R) { Canvas->PaintFrame(R, O11(57)); }

TColor TkvOffice11LookAndFeelPainter::ButtonFaceColor(TkvButtonState State) {
  switch (State) {
    case kvbsHot: return O11(42);
    case kvbsPressed: return O11(44);
    case kvbsDisabled: return clBtnFace;
    default: return O11(0);
  }
}

TColor TkvOffice11LookAndFeelPainter::ButtonGlyphColor(TkvButtonState State, TColor) {
  if (State == kvbsPressed && !Office11SchemeInUse()) return clHighlightText;
  return State == kvbsDisabled ? O11(52) : O11(51);
}

void TkvOffice11LookAndFeelPainter::PaintButtonFrame(TkvCanvas* Canvas, const TRect& R, TkvButtonState State) {
  switch (State) {
    case kvbsDefault: TkvUltraFlatLookAndFeelPainter::PaintButtonFrame(Canvas, R, State); break;
    case kvbsNormal: Canvas->PaintFrame(R, clBtnText); break;
    case kvbsDisabled: Canvas->PaintFrame(R, O11(52)); break;
    default: Canvas->PaintFrame(R, O11(41)); break;
  }
}

void TkvOffice11LookAndFeelPainter::PaintExpandButton(TkvCanvas* Canvas, const TRect& R, bool Expanded, TColor) {
  TBitmap* glyph = Office11ExpandButtonBitmap(Expanded);
  if (!glyph || glyph->GetEmpty()) return;
  // The corners blend with what lies under the button, so the glyph looks rounded on any background.
  TCanvas* pixels = glyph->GetCanvas();
  const Integer last = glyph->GetWidth() - 1;
  pixels->SetPixel(0, 0, ColorMix(O11(kOffice11FixedColor1), Canvas->GetCanvas()->GetPixel(R.Left, R.Top), 25));
  const TColor corner = ColorMix(O11(kOffice11FixedColor2), Canvas->GetCanvas()->GetPixel(R.Right - 1, R.Bottom - 1), 25);
  pixels->SetPixel(last, last, corner);
  pixels->SetPixel(0, last, corner);
  pixels->SetPixel(last, 0, corner);
  Canvas->DrawGraphic(R.Left, R.Top, glyph);
}

bool TkvOffice11LookAndFeelPainter::ExpandButtonPaintedFirst() { return false; }

void TkvOffice11LookAndFeelPainter::PaintSmallExpandButton(TkvCanvas* Canvas, const TRect& R, bool Expanded, TColor,
                                                           TColor Color) {
  PaintExpandButton(Canvas, R, Expanded, Color);
}

Integer TkvOffice11LookAndFeelPainter::ExpandButtonExtent() { return 11; }
Integer TkvOffice11LookAndFeelPainter::SmallExpandButtonExtent() { return ExpandButtonExtent(); }

TColor TkvOffice11LookAndFeelPainter::CheckBoxFaceColor(TkvButtonState State) {
  return State == kvbsDefault || State == kvbsNormal ? clWindow : ButtonFaceColor(State);
}

void TkvOffice11LookAndFeelPainter::PaintFilterDropDownButton(TkvCanvas* Canvas, const TRect& R,
                                                              TkvButtonState State, bool Active) {
  TkvUltraFlatLookAndFeelPainter::PaintFilterDropDownButton(Canvas, R, State, Active);
}

void TkvOffice11LookAndFeelPainter::PaintHeader(TkvCanvas* Canvas, const TRect& Bounds, const TRect& TextAreaBounds,
                                                TkvBorders Neighbors, TkvBorders Borders, TkvButtonState State,
                                                TAlignment AlignHorz, TkvVerticalAlignment AlignVert, bool MultiLine,
                                                bool ShowEndEllipsis, const String& Text, TFont* Font,
                                                TColor TextColor, TColor BkColor, const TkvDrawBackgroundEvent&,
                                                bool Rightmost, Integer) {
  // The Office-11 header always draws its own gradient: the background event is not offered.
  TkvCustomLookAndFeelPainter::PaintHeader(Canvas, Bounds, TextAreaBounds, Neighbors, Borders, State, AlignHorz,
                                           AlignVert, MultiLine, ShowEndEllipsis, Text, Font, TextColor, BkColor,
                                           TkvDrawBackgroundEvent(), Rightmost, 0);
}

void TkvOffice11LookAndFeelPainter::PaintHeaderFrame(TkvCanvas* Canvas, const TRect& R, TkvBorders Neighbors,
                                                     TkvBorders Borders) {
  const TColor t = HeaderTopColor(), l = HeaderLightColor(), d = HeaderDarkColor(), s = HeaderSeparatorColor();
  auto column = [&](Integer X, Integer From, Integer To, TColor Color) {
    Canvas->FillWithColor(Rect(X, From, X + 1, To), Color);
  };
  if (Borders.Contains(bTop)) Canvas->FillWithColor(Rect(R.Left, R.Top, R.Right, R.Top + 1), t);
  if (Borders.Contains(bBottom)) Canvas->FillWithColor(Rect(R.Left, R.Bottom - 1, R.Right, R.Bottom), d);
  if (Borders.Contains(bLeft)) {
    Canvas->WritePixel(R.Left, R.Top + 1, t);
    if (Neighbors.Contains(bLeft)) {
      Canvas->WritePixel(R.Left, R.Top + 2, t);
      Canvas->WritePixel(R.Left, R.Bottom - 3, ColorMix(t, l, 25));
      Canvas->WritePixel(R.Left, R.Bottom - 2, l);
      column(R.Left, R.Top + 2, R.Bottom - 3, s);
    } else {
      Canvas->WritePixel(R.Left, R.Bottom - 2, l);
      column(R.Left, R.Top + 1, R.Bottom - 2, s);
    }
  }
  if (Borders.Contains(bRight)) {
    const Integer x = R.Right - 1;
    if (Neighbors.Contains(bRight)) {
      Canvas->WritePixel(x, R.Top + 1, t);
      Canvas->WritePixel(x, R.Top + 2, t);
      Canvas->WritePixel(x, R.Bottom - 3, ColorMix(t, l, 25));
      Canvas->WritePixel(x, R.Bottom - 2, l);
      column(x, R.Top + 2, R.Bottom - 3, d);
    } else {
      Canvas->WritePixel(x, R.Top, ColorMix(t, d, 50));
      Canvas->WritePixel(x, R.Bottom - 2, ColorMix(l, d, 50));
      column(x, R.Top + 1, R.Bottom - 2, d);
    }
  }
}

void TkvOffice11LookAndFeelPainter::PaintHeaderSection(TkvCanvas* Canvas, const TRect& Bounds,
                                                       const TRect& TextAreaBounds, TkvBorders Neighbors,
                                                       TkvBorders Borders, TkvButtonState State, TAlignment AlignHorz,
                                                       TkvVerticalAlignment AlignVert, bool MultiLine,
                                                       bool ShowEndEllipsis, const String& Text, TFont* Font,
                                                       TColor TextColor, TColor BkColor) {
  PaintHeader(Canvas, Bounds, TextAreaBounds, Neighbors, Borders, State, AlignHorz, AlignVert, MultiLine,
              ShowEndEllipsis, Text, Font, TextColor, BkColor, TkvDrawBackgroundEvent(), false, 0);
  if (State == kvbsPressed) PaintHeaderPressed(Canvas, Bounds);
}

void TkvOffice11LookAndFeelPainter::PaintSortMark(TkvCanvas* Canvas, const TRect& R, bool Ascending) {
  DrawSortArrow(Canvas, R, HeaderDarkColor(), HeaderSeparatorColor(), Ascending);
}

TkvBorders TkvOffice11LookAndFeelPainter::HeaderFrameSides(TkvBorders) { return kvAllBorders; }
Integer TkvOffice11LookAndFeelPainter::HeaderFrameWidth() { return 1; }
bool TkvOffice11LookAndFeelPainter::HeaderFlag126() { return true; }
TColor TkvOffice11LookAndFeelPainter::FooterFrameColor() { return HeaderDarkColor(); }

void TkvOffice11LookAndFeelPainter::PaintScrollBarPart(TkvCanvas* Canvas, bool Horizontal, const TRect& R,
                                                       TkvScrollBarPart Part, TkvButtonState State) {
  if (ThemesAvailableFor(ThemedKindBit(totScrollBar)))
    PainterClassOf<TkvWinXPLookAndFeelPainter>()->PaintScrollBarPart(Canvas, Horizontal, R, Part, State);
  else
    PainterClassOf<TkvStandardLookAndFeelPainter>()->PaintScrollBarPart(Canvas, Horizontal, R, Part, State);
}

void TkvOffice11LookAndFeelPainter::PaintSizeGrip(TkvCanvas* Canvas, const TRect& R, TColor BkColor) {
  Canvas->FillWithColor(R, BkColor);
  Office11PaintSizeGrip(Canvas->DCHandle(), R, clDefault, clDefault);
}

void TkvOffice11LookAndFeelPainter::PaintMonthHeader(TkvCanvas* Canvas, const TRect& R, const String& Text,
                                                     TkvBorders, const TkvViewParams& ViewParams, Integer Arrows,
                                                     Integer ArrowIndent,
                                                     const TkvDrawBackgroundEvent& OnDrawBackground) {
  const TRect b = Inset(R);
  if (!OnDrawBackground(Canvas, b)) Canvas->PaintFramedFill(b, ViewParams, TkvBorders{}, clDefault, 0, false);
  if (!Text.empty()) {
    Canvas->CurrentBrush()->SetStyle(bsClear);
    if (ViewParams.Font) Canvas->AssignFont(ViewParams.Font);
    Canvas->CurrentFont()->SetColor(ViewParams.TextColor);
    Canvas->PaintText(Text, b, ktfAlignHCenter | ktfAlignVCenter | ktfSingleLine);
    Canvas->CurrentBrush()->SetStyle(bsSolid);
  }
  PaintMonthNavArrows(Canvas, R, Arrows, ArrowIndent, clWindowText);
}

void TkvOffice11LookAndFeelPainter::PaintContentFrame(TkvCanvas* Canvas, const TRect& R) {
  Canvas->PaintFrame(R, DefaultColor42());
}

void TkvOffice11LookAndFeelPainter::PaintSchedulerNavigatorButton(TkvCanvas* Canvas, const TRect& R,
                                                                  TkvButtonState State) {
  PainterClassOf<TkvWinXPLookAndFeelPainter>()->PaintSchedulerNavigatorButton(Canvas, R, State);
}

void TkvOffice11LookAndFeelPainter::PaintPanelBackground(TkvCanvas* Canvas, TControl* Control, const TRect& Bounds,
                                                         TColor ColorFrom, TColor ColorTo) {
  if (ColorFrom == clDefault)
    CopyParentImage(Control, Canvas, Bounds, true);
  else if (ColorTo == clDefault)
    Canvas->FillWithColor(Bounds, ColorFrom);
  else
    PaintVerticalGradient(Canvas, Bounds, ColorFrom, ColorTo);
}

TColor TkvOffice11LookAndFeelPainter::StateFrameColor(TkvButtonState State) {
  return State == kvbsNormal ? HeaderDarkColor() : O11(41);
}

TColor TkvOffice11LookAndFeelPainter::LightFrameColor() { return HeaderDarkColor(); }
TColor TkvOffice11LookAndFeelPainter::DarkFrameColor() { return TkvUltraFlatLookAndFeelPainter::DarkFrameColor(); }
TColor TkvOffice11LookAndFeelPainter::HighlightFrameColor() { return O11(41); }
TColor TkvOffice11LookAndFeelPainter::HeaderLightColor() { return O11(3); }
TColor TkvOffice11LookAndFeelPainter::HeaderDarkColor() { return O11(20); }
TColor TkvOffice11LookAndFeelPainter::HeaderSeparatorColor() { return O11(21); }
TColor TkvOffice11LookAndFeelPainter::HeaderTopColor() { return ColorMix(O11(2), O11(3), 50); }
