// The classic painters: Standard draws raised and sunken two-ring bevels and lets the platform draw
// its scroll arrows; Flat draws the same things with one ring.

#include "gdi/Edges.h"
#include "toolkit/foundation/kvGeometry.h"
#include "toolkit/foundation/kvLookAndFeelPainters.h"
#include "toolkit/foundation/kvLookAndFeelPaintersShared.h"

TAVREN_CLASS_IMPL(TkvStandardLookAndFeelPainter)
TAVREN_CLASS_IMPL(TkvFlatLookAndFeelPainter)

namespace {

TRect Inset(const TRect& R) { return RectInflated(R, -1, -1); }

void PaintClassicHeaderFrame(TkvCanvas* Canvas, const TRect& R, TkvBorders Neighbors) {
  Canvas->PaintTwoColorFrame(R, clBtnHighlight, clBtnShadow);
  // Inner corners shared with a neighbour blend into the face so that the sections read as one bar.
  if (Neighbors.Contains(bLeft)) {
    Canvas->WritePixel(R.Left, R.Top + 1, clBtnFace);
    Canvas->WritePixel(R.Left, R.Bottom - 2, clBtnFace);
  }
  if (Neighbors.Contains(bRight)) {
    Canvas->WritePixel(R.Right - 1, R.Top, clBtnHighlight);
    Canvas->WritePixel(R.Right - 1, R.Top + 1, clBtnFace);
    Canvas->WritePixel(R.Right - 1, R.Bottom - 2, clBtnFace);
  }
}

void PaintClassicFilterDropDownButton(TkvCustomLookAndFeelPainter* Painter, TkvCanvas* Canvas, const TRect& R,
                                      TkvButtonState State, bool Active) {
  const bool pressed = State == kvbsPressed;
  Canvas->PaintTwoColorFrame(R, pressed ? clBtnShadow : clBtnHighlight, pressed ? clBtnHighlight : clBtnShadow);
  const TRect inner = Inset(R);
  Canvas->FillWithColor(inner, clBtnFace);
  Painter->PaintButtonArrow(Canvas, inner, Active ? clBlue : clBtnText);
}

// R is the one-pixel band of one side of a tab.
void PaintClassicTabFrame(TkvCanvas* Canvas, const TRect& R, TkvBorder Side, TkvBorders Borders, bool Vertical) {
  TRect r = R;
  TColor color = clBtnHighlight;
  if (Vertical) {
    if (Side == bLeft) {
      r.Top += Borders.Contains(bTop) ? 2 : 1;
      r.Bottom -= Borders.Contains(bBottom) ? 2 : 1;
      Canvas->WritePixel(r.Left + 1, r.Top - 1, clBtnHighlight);
      Canvas->WritePixel(r.Left + 1, r.Bottom, clBtnHighlight);
    } else if ((Side == bTop || Side == bBottom) && Borders.Contains(bLeft)) {
      ++r.Left;
    }
    if (Side == bBottom) color = clBtnShadow;
  } else {
    if (Side == bLeft || Side == bRight) {
      if (Borders.Contains(bTop)) r.Top += 2;
      if (Borders.Contains(bBottom)) --r.Bottom;
    } else if (Side == bTop) {
      ++r.Left;
      --r.Right;
      Canvas->WritePixel(r.Left - 1, r.Top + 1, clBtnHighlight);
      Canvas->WritePixel(r.Right, r.Top + 1, clBtnHighlight);
    }
    if (Side == bRight) color = clBtnShadow;
  }
  Canvas->FillWithColor(r, color);
}

void PaintScrollButtonFrame(TkvCanvas* Canvas, const TRect& R, bool PressedArrow) {
  if (PressedArrow) {
    Canvas->PaintTwoColorFrame(R, clBtnShadow, clBtnShadow);
    Canvas->PaintTwoColorFrame(Inset(R), clBtnFace, clBtnFace);
  } else {
    Canvas->PaintTwoColorFrame(R, clBtnFace, cl3DDkShadow);
    Canvas->PaintTwoColorFrame(Inset(R), clBtnHighlight, clBtnShadow);
  }
}

UINT ScrollArrowFrameKind(bool Horizontal, TkvScrollBarPart Part) {
  switch (ScrollArrowDirection(Horizontal, Part)) {
    case adUp: return DFCS_SCROLLUP;
    case adDown: return DFCS_SCROLLDOWN;
    case adLeft: return DFCS_SCROLLLEFT;
    default: return DFCS_SCROLLRIGHT;
  }
}

}  // namespace

// ---- Steps shared with the other painters -------------------------------------------------

void PaintScrollPatternTrack(TkvCanvas* Canvas, const TRect& R, bool Pressed) {
  TBrush* brush = Canvas->CurrentBrush();
  brush->SetBitmap(ScrollPatternBitmap(Pressed ? 1 : 0));
  Canvas->FillWithColor(R, clDefault);
  brush->SetBitmap(nullptr);
  brush->SetStyle(bsSolid);
}

void PaintSplitterLines(TkvCanvas* Canvas, const TRect& R, const TkvViewParams& ViewParams, bool Horizontal,
                        std::initializer_list<std::pair<TColor, TColor>> Pairs) {
  TRect r = R;
  for (const auto& [first, second] : Pairs) {
    if (Horizontal) {
      Canvas->FillWithColor(Rect(r.Left, r.Top, r.Right, r.Top + 1), first);
      Canvas->FillWithColor(Rect(r.Left, r.Bottom - 1, r.Right, r.Bottom), second);
      r = RectInflated(r, 1, -1);
    } else {
      Canvas->FillWithColor(Rect(r.Left, r.Top, r.Left + 1, r.Bottom), first);
      Canvas->FillWithColor(Rect(r.Right - 1, r.Top, r.Right, r.Bottom), second);
      r = RectInflated(r, -1, 1);
    }
  }
  Canvas->PaintFramedFill(r, ViewParams, TkvBorders{}, clDefault, 0, false);
}

// ---- Standard -----------------------------------------------------------------------------

Byte TkvStandardLookAndFeelPainter::PainterStyle() { return kvpsStandard; }
TColor TkvStandardLookAndFeelPainter::DefaultColor45() { return clWindow; }
Integer TkvStandardLookAndFeelPainter::FrameWidth() { return 2; }

void TkvStandardLookAndFeelPainter::PaintFrame(TkvCanvas* Canvas, const TRect& R) {
  Canvas->PaintTwoColorFrame(R, clBtnShadow, clBtnHighlight);
  Canvas->PaintTwoColorFrame(Inset(R), cl3DDkShadow, cl3DLight);
}

Integer TkvStandardLookAndFeelPainter::ButtonFrameWidth(TkvButtonState State) { return State == kvbsDefault ? 3 : 2; }
Integer TkvStandardLookAndFeelPainter::ButtonTextIndent() { return 1; }
Integer TkvStandardLookAndFeelPainter::ButtonPressedTextShift() { return 1; }

void TkvStandardLookAndFeelPainter::PaintButtonFrame(TkvCanvas* Canvas, const TRect& R, TkvButtonState State) {
  TRect r = R;
  if (State == kvbsPressed) {
    Canvas->PaintFrame(r, clBlack);
    Canvas->PaintTwoColorFrame(Inset(r), clBtnShadow, clBtnShadow);
    return;
  }
  if (State == kvbsDefault) {
    Canvas->PaintFrame(r, clBlack);
    r = Inset(r);
  }
  Canvas->PaintTwoColorFrame(r, clBtnHighlight, cl3DDkShadow);
  Canvas->PaintTwoColorFrame(Inset(r), cl3DLight, clBtnShadow);
}

void TkvStandardLookAndFeelPainter::PaintExpandButton(TkvCanvas* Canvas, const TRect& R, bool Expanded, TColor Color) {
  Canvas->PaintTwoColorFrame(R, clBtnHighlight, cl3DDkShadow);
  Canvas->PaintFrame(Inset(R), clBtnShadow, 1, {bRight, bBottom});
  const TRect face = RectInflatedSides(Inset(R), 0, 0, -1, -1);
  Canvas->FillWithColor(face, Color == clDefault ? clBtnFace : Color);
  DrawExpandCross(Canvas, face, clBtnText, Expanded);
  Canvas->ClipOutRect(R);
}

void TkvStandardLookAndFeelPainter::PaintGroupExpandButton(TkvCanvas* Canvas, const TRect& R, bool Expanded,
                                                           TkvButtonState State) {
  // The button under the mark takes the flat frame.
  PainterClassOf<TkvFlatLookAndFeelPainter>()->PaintGroupExpandButton(Canvas, R, Expanded, State);
}

Integer TkvStandardLookAndFeelPainter::ExpandButtonExtent() { return 12; }
bool TkvStandardLookAndFeelPainter::ButtonHotTracks() { return false; }

void TkvStandardLookAndFeelPainter::PaintCheckBoxFrame(TkvCanvas* Canvas, const TRect& R, TkvButtonState) {
  Canvas->PaintTwoColorFrame(R, cl3DDkShadow, cl3DLight);
  Canvas->PaintTwoColorFrame(Inset(R), clBtnShadow, clBtnHighlight);
}

void TkvStandardLookAndFeelPainter::PaintHeaderFrame(TkvCanvas* Canvas, const TRect& R, TkvBorders Neighbors,
                                                     TkvBorders) {
  PaintClassicHeaderFrame(Canvas, R, Neighbors);
}

void TkvStandardLookAndFeelPainter::PaintHeaderSectionFrame(TkvCanvas* Canvas, const TRect& R, TkvBorders Borders,
                                                            TkvButtonState State) {
  if (State == kvbsPressed) {
    Canvas->PaintTwoColorFrame(R, clBtnShadow, clBtnShadow, Borders);
    return;
  }
  Canvas->PaintTwoColorFrame(R, clBtnHighlight, cl3DDkShadow, Borders);
  auto in = [&](TkvBorder Side) { return Borders.Contains(Side) ? -1 : 0; };
  Canvas->PaintTwoColorFrame(RectInflatedSides(R, in(bLeft), in(bTop), in(bRight), in(bBottom)), cl3DLight,
                             clBtnShadow, Borders);
}

void TkvStandardLookAndFeelPainter::PaintSortMark(TkvCanvas* Canvas, const TRect& R, bool Ascending) {
  DrawSortArrow(Canvas, R, clBtnShadow, clBtnHighlight, Ascending);
}

Integer TkvStandardLookAndFeelPainter::HeaderFrameWidth() { return 1; }

Integer TkvStandardLookAndFeelPainter::HeaderSectionFrameWidth(TkvButtonState State) {
  return State == kvbsPressed ? 1 : 2;
}

TPoint TkvStandardLookAndFeelPainter::SortMarkExtent() { return {8, 7}; }
Integer TkvStandardLookAndFeelPainter::FooterFrameWidth() { return 1; }
Integer TkvStandardLookAndFeelPainter::FooterCellFrameWidth() { return 1; }
Integer TkvStandardLookAndFeelPainter::FooterCellSpacing() { return 1; }

void TkvStandardLookAndFeelPainter::PaintFooterFrame(TkvCanvas* Canvas, const TRect& R) {
  Canvas->PaintTwoColorFrame(R, clBtnHighlight, clBtnShadow);
}

void TkvStandardLookAndFeelPainter::PaintFooterCellFrame(TkvCanvas* Canvas, const TRect& R) {
  Canvas->PaintTwoColorFrame(R, clBtnShadow, clBtnHighlight);
}

void TkvStandardLookAndFeelPainter::PaintFilterDropDownButton(TkvCanvas* Canvas, const TRect& R,
                                                              TkvButtonState State, bool Active) {
  PaintClassicFilterDropDownButton(this, Canvas, R, State, Active);
}

void TkvStandardLookAndFeelPainter::PaintTabFrame(TkvCanvas* Canvas, const TRect& R, TkvBorder Side,
                                                  TkvBorders Borders, bool Vertical) {
  PaintClassicTabFrame(Canvas, R, Side, Borders, Vertical);
}

void TkvStandardLookAndFeelPainter::PaintTabStrip(TkvCanvas* Canvas, const TRect& R, TkvBorders Borders, bool) {
  Canvas->PaintTwoColorFrame(R, clBtnHighlight, clBtnShadow, Borders);
}

Integer TkvStandardLookAndFeelPainter::TabFrameWidth(bool) { return 1; }

void TkvStandardLookAndFeelPainter::PaintScrollBarPart(TkvCanvas* Canvas, bool Horizontal, const TRect& R,
                                                       TkvScrollBarPart Part, TkvButtonState State) {
  if (RectIsVoid(R) || (Part == sbpThumbnail && State == kvbsDisabled)) return;
  if (State == kvbsHot) State = kvbsNormal;
  switch (Part) {
    case sbpPageUp:
    case sbpPageDown:
      PaintScrollPatternTrack(Canvas, R, State == kvbsPressed);
      break;
    case sbpThumbnail:
      PaintScrollButtonFrame(Canvas, R, false);
      Canvas->FillWithColor(RectInflated(R, -ButtonFrameWidth(kvbsNormal), -ButtonFrameWidth(kvbsNormal)),
                            clBtnFace);
      break;
    case sbpLineUp:
    case sbpLineDown: {
      const bool pressed = State == kvbsPressed;
      TRect r = pressed ? RectShifted(R, 1, 1) : R;
      UINT flags = ScrollArrowFrameKind(Horizontal, Part);
      if (State == kvbsDisabled) flags |= DFCS_INACTIVE;
      if (pressed) flags |= DFCS_FLAT;
      DrawFrameControl(Canvas->DCHandle(), &r, DFC_SCROLL, flags);
      PaintScrollButtonFrame(Canvas, R, pressed);
      break;
    }
    default:
      break;
  }
}

void TkvStandardLookAndFeelPainter::PaintMonthHeader(TkvCanvas* Canvas, const TRect& R, const String& Text,
                                                     TkvBorders Neighbors, const TkvViewParams& ViewParams,
                                                     Integer Arrows, Integer ArrowIndent,
                                                     const TkvDrawBackgroundEvent& OnDrawBackground) {
  TkvBorders sides = kvAllBorders;
  if (Neighbors.Contains(bRight)) sides = sides - TkvBorders{bRight};
  if (Neighbors.Contains(bLeft)) sides = sides - TkvBorders{bLeft};
  Canvas->PaintFrame(R, clBlack, 1, sides);
  const TRect inner = HeaderContentBounds(R, sides);
  PaintHeader(Canvas, inner, inner, Neighbors, kvAllBorders, kvbsNormal, taCenter, vaCenter, false, false, Text,
              ViewParams.Font, ViewParams.TextColor, ViewParams.Color, OnDrawBackground, false, 0);
  PaintMonthNavArrows(Canvas, R, Arrows, ArrowIndent, clWindowText);
}

void TkvStandardLookAndFeelPainter::PaintSchedulerSplitterFrame(TkvCanvas* Canvas, const TRect& R,
                                                                const TkvViewParams& ViewParams, bool Horizontal) {
  PaintSplitterLines(Canvas, R, ViewParams, Horizontal, {{clBtnFace, cl3DDkShadow}, {clBtnHighlight, clBtnShadow}});
}

// ---- Flat ---------------------------------------------------------------------------------

Byte TkvFlatLookAndFeelPainter::PainterStyle() { return kvpsFlat; }
Integer TkvFlatLookAndFeelPainter::FrameWidth() { return 1; }

void TkvFlatLookAndFeelPainter::PaintFrame(TkvCanvas* Canvas, const TRect& R) {
  Canvas->PaintTwoColorFrame(R, clBtnShadow, clBtnHighlight);
}

Integer TkvFlatLookAndFeelPainter::ButtonFrameWidth(TkvButtonState State) { return State == kvbsDefault ? 2 : 1; }
Integer TkvFlatLookAndFeelPainter::ButtonTextIndent() { return 1; }
Integer TkvFlatLookAndFeelPainter::ButtonPressedTextShift() { return 1; }

void TkvFlatLookAndFeelPainter::PaintButtonFrame(TkvCanvas* Canvas, const TRect& R, TkvButtonState State) {
  if (State == kvbsPressed) {
    Canvas->PaintTwoColorFrame(R, clBtnShadow, clBtnHighlight);
    return;
  }
  TRect r = R;
  if (State == kvbsDefault) {
    Canvas->PaintFrame(r, clBlack);
    r = Inset(r);
  }
  Canvas->PaintTwoColorFrame(r, clBtnHighlight, clBtnShadow);
}

void TkvFlatLookAndFeelPainter::PaintExpandButton(TkvCanvas* Canvas, const TRect& R, bool Expanded, TColor Color) {
  PaintButton(Canvas, R, String(), kvbsNormal, true, Color, clDefault, false);
  DrawExpandCross(Canvas, Inset(R), clBtnText, Expanded);
  Canvas->ClipOutRect(R);
}

Integer TkvFlatLookAndFeelPainter::ExpandButtonExtent() { return 11; }
bool TkvFlatLookAndFeelPainter::ButtonHotTracks() { return false; }

void TkvFlatLookAndFeelPainter::PaintCheckBoxFrame(TkvCanvas* Canvas, const TRect& R, TkvButtonState State) {
  Canvas->PaintTwoColorFrame(R, clBtnShadow, clBtnHighlight);
  Canvas->PaintFrame(Inset(R), CheckBoxFaceColor(State));
}

void TkvFlatLookAndFeelPainter::PaintHeaderFrame(TkvCanvas* Canvas, const TRect& R, TkvBorders Neighbors,
                                                 TkvBorders) {
  PaintClassicHeaderFrame(Canvas, R, Neighbors);
}

void TkvFlatLookAndFeelPainter::PaintHeaderSectionFrame(TkvCanvas* Canvas, const TRect& R, TkvBorders Borders,
                                                        TkvButtonState State) {
  const bool pressed = State == kvbsPressed;
  Canvas->PaintTwoColorFrame(R, pressed ? clBtnShadow : clBtnHighlight, pressed ? clBtnHighlight : clBtnShadow,
                             Borders);
}

void TkvFlatLookAndFeelPainter::PaintSortMark(TkvCanvas* Canvas, const TRect& R, bool Ascending) {
  DrawSortArrow(Canvas, R, clBtnShadow, clBtnHighlight, Ascending);
}

Integer TkvFlatLookAndFeelPainter::HeaderFrameWidth() { return 1; }
TPoint TkvFlatLookAndFeelPainter::SortMarkExtent() { return {8, 7}; }
Integer TkvFlatLookAndFeelPainter::FooterFrameWidth() { return 1; }
Integer TkvFlatLookAndFeelPainter::FooterCellFrameWidth() { return 1; }
Integer TkvFlatLookAndFeelPainter::FooterCellSpacing() { return 1; }

void TkvFlatLookAndFeelPainter::PaintFooterFrame(TkvCanvas* Canvas, const TRect& R) {
  Canvas->PaintTwoColorFrame(R, clBtnHighlight, clBtnShadow);
}

void TkvFlatLookAndFeelPainter::PaintFooterCellFrame(TkvCanvas* Canvas, const TRect& R) {
  Canvas->PaintTwoColorFrame(R, clBtnShadow, clBtnHighlight);
}

void TkvFlatLookAndFeelPainter::PaintFilterDropDownButton(TkvCanvas* Canvas, const TRect& R, TkvButtonState State,
                                                          bool Active) {
  PaintClassicFilterDropDownButton(this, Canvas, R, State, Active);
}

void TkvFlatLookAndFeelPainter::PaintTabFrame(TkvCanvas* Canvas, const TRect& R, TkvBorder Side, TkvBorders Borders,
                                              bool Vertical) {
  PaintClassicTabFrame(Canvas, R, Side, Borders, Vertical);
}

void TkvFlatLookAndFeelPainter::PaintTabStrip(TkvCanvas* Canvas, const TRect& R, TkvBorders Borders, bool) {
  Canvas->PaintTwoColorFrame(R, clBtnHighlight, clBtnShadow, Borders);
}

Integer TkvFlatLookAndFeelPainter::TabFrameWidth(bool) { return 1; }

void TkvFlatLookAndFeelPainter::PaintScrollBarPart(TkvCanvas* Canvas, bool Horizontal, const TRect& R,
                                                   TkvScrollBarPart Part, TkvButtonState State) {
  if (RectIsVoid(R) || (Part == sbpThumbnail && State == kvbsDisabled)) return;
  if (State == kvbsHot) State = kvbsNormal;
  if (Part == sbpPageUp || Part == sbpPageDown) {
    PaintScrollPatternTrack(Canvas, R, State == kvbsPressed);
    return;
  }
  if (Part != sbpLineUp && Part != sbpLineDown && Part != sbpThumbnail) return;
  PaintButton(Canvas, R, String(), State, true, clDefault, clDefault, false);
  const TRect inner = RectInflated(R, -ButtonFrameWidth(kvbsNormal), -ButtonFrameWidth(kvbsNormal));
  if (Part != sbpThumbnail) PaintScrollArrowGlyph(Canvas, inner, State, ScrollArrowDirection(Horizontal, Part));
}

void TkvFlatLookAndFeelPainter::PaintSchedulerSplitterFrame(TkvCanvas* Canvas, const TRect& R,
                                                            const TkvViewParams& ViewParams, bool Horizontal) {
  PaintSplitterLines(Canvas, R, ViewParams, Horizontal, {{clBtnHighlight, clBtnShadow}});
}
