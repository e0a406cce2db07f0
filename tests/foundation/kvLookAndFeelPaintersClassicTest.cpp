#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "PainterTestSupport.h"
#include "toolkit/foundation/qzOffice11.h"

namespace {

TColor O11(Integer Slot) { return Office11Color(Slot); }

struct Probe {
  Integer x, y;
  TColor color;
};

// The Office-11 table is counted; the painters read it while someone holds it.
class ClassicPainters : public testing::Test {
 protected:
  void SetUp() override { Office11ColorsAddRef(); }
  void TearDown() override { Office11ColorsRelease(); }

  void ExpectProbes(PainterSurface& S, const std::vector<Probe>& Probes) {
    for (const Probe& p : Probes)
      EXPECT_EQ(S.At(p.x, p.y), ColorToRGB(p.color)) << "at " << p.x << ", " << p.y;
  }
};

// Counts calls and answers whether it drew the background.
struct BackgroundListener : TObject {
  bool Draw(TkvCanvas*, const TRect&) {
    ++Calls;
    return Answer;
  }
  TkvDrawBackgroundEvent Event() { return MakeEvent<&BackgroundListener::Draw>(this); }
  Integer Calls = 0;
  bool Answer = false;
};

}  // namespace

// A 20 x 20 button: outer ring, second ring, third ring and the face, each state.
TEST_F(ClassicPainters, ButtonFramesAndFacesPerState) {
  struct Case {
    const char* name;
    TkvCustomLookAndFeelPainter* painter;
    TkvButtonState state;
    TColor outerLT, outerRB, second, third, face;
  };
  const Case cases[] = {
      {"standard default", StandardPainter(), kvbsDefault, clBlack, clBlack, clBtnHighlight, cl3DLight, clBtnFace},
      {"standard normal", StandardPainter(), kvbsNormal, clBtnHighlight, cl3DDkShadow, cl3DLight, clBtnFace,
       clBtnFace},
      {"standard pressed", StandardPainter(), kvbsPressed, clBlack, clBlack, clBtnShadow, clBtnFace, clBtnFace},
      {"flat default", FlatPainter(), kvbsDefault, clBlack, clBlack, clBtnHighlight, clBtnFace, clBtnFace},
      {"flat normal", FlatPainter(), kvbsNormal, clBtnHighlight, clBtnShadow, clBtnFace, clBtnFace, clBtnFace},
      {"flat pressed", FlatPainter(), kvbsPressed, clBtnShadow, clBtnHighlight, clBtnFace, clBtnFace, clBtnFace},
      {"ultraflat default", UltraFlatPainter(), kvbsDefault, clWindowFrame, clWindowFrame, clWindowFrame, clBtnFace,
       clBtnFace},
      {"ultraflat normal", UltraFlatPainter(), kvbsNormal, clBtnText, clBtnText, clBtnFace, clBtnFace, clBtnFace},
      {"ultraflat hot", UltraFlatPainter(), kvbsHot, clHighlight, clHighlight, PaleHighlightColor(),
       PaleHighlightColor(), PaleHighlightColor()},
      {"ultraflat pressed", UltraFlatPainter(), kvbsPressed, clHighlight, clHighlight, LightHighlightColor(),
       LightHighlightColor(), LightHighlightColor()},
      {"ultraflat disabled", UltraFlatPainter(), kvbsDisabled, clBtnShadow, clBtnShadow, clBtnFace, clBtnFace,
       clBtnFace},
      {"office11 normal", Office11Painter(), kvbsNormal, clBtnText, clBtnText, O11(0), O11(0), O11(0)},
      {"office11 hot", Office11Painter(), kvbsHot, O11(41), O11(41), O11(42), O11(42), O11(42)},
      {"office11 pressed", Office11Painter(), kvbsPressed, O11(41), O11(41), O11(44), O11(44), O11(44)},
      {"office11 disabled", Office11Painter(), kvbsDisabled, O11(52), O11(52), clBtnFace, clBtnFace, clBtnFace},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PainterSurface s;
    c.painter->PaintButton(s.Canvas(), Rect(0, 0, 20, 20), String(), c.state, true, clDefault, clDefault, false);
    ExpectProbes(s, {{0, 0, c.outerLT}, {19, 19, c.outerRB}, {1, 1, c.second}, {2, 2, c.third}, {10, 10, c.face},
                     {20, 20, kUntouched}});
  }
  // The inner rings of the Standard look, right and bottom.
  PainterSurface s;
  StandardPainter()->PaintButtonFrame(s.Canvas(), Rect(0, 0, 20, 20), kvbsDefault);
  ExpectProbes(s, {{18, 18, cl3DDkShadow}, {17, 17, clBtnShadow}, {3, 3, kUntouched}});
  EXPECT_EQ(StandardPainter()->ButtonFrameWidth(kvbsDefault), 3);
  EXPECT_EQ(FlatPainter()->ButtonFrameWidth(kvbsDefault), 2);
  EXPECT_EQ(UltraFlatPainter()->ButtonPressedTextShift(), 0);
  EXPECT_EQ(StandardPainter()->ButtonPressedTextShift(), 1);
}

TEST_F(ClassicPainters, GlyphColoursOfPressedButtons) {
  EXPECT_EQ(UltraFlatPainter()->ButtonGlyphColor(kvbsPressed, clDefault), clHighlightText);
  EXPECT_EQ(UltraFlatPainter()->ButtonGlyphColor(kvbsDisabled, clDefault), clBtnShadow);
  // On a classic desktop the Office-11 scheme is not in use.
  ASSERT_FALSE(Office11SchemeInUse());
  EXPECT_EQ(Office11Painter()->ButtonGlyphColor(kvbsPressed, clRed), clHighlightText);
  EXPECT_EQ(Office11Painter()->ButtonGlyphColor(kvbsNormal, clRed), O11(51));
  EXPECT_EQ(Office11Painter()->ButtonGlyphColor(kvbsDisabled, clRed), O11(52));
}

TEST_F(ClassicPainters, CheckBoxesIncludingGrayed) {
  struct Case {
    const char* name;
    TkvCustomLookAndFeelPainter* painter;
    TkvButtonState state;
    TkvCheckBoxState check;
    TColor outerLT, outerRB, innerLT, face;
  };
  const Case cases[] = {
      {"standard", StandardPainter(), kvbsNormal, cbsUnchecked, cl3DDkShadow, cl3DLight, clBtnShadow, clWindow},
      {"standard grayed", StandardPainter(), kvbsNormal, cbsGrayed, cl3DDkShadow, cl3DLight, clBtnShadow, clWindow},
      {"flat disabled", FlatPainter(), kvbsDisabled, cbsChecked, clBtnShadow, clBtnHighlight, clBtnFace, clBtnFace},
      {"ultraflat", UltraFlatPainter(), kvbsNormal, cbsGrayed, clBtnText, clBtnText, clWindow, clWindow},
      {"ultraflat hot", UltraFlatPainter(), kvbsHot, cbsUnchecked, clBtnText, clBtnText, clWindow, clWindow},
      {"office11 hot", Office11Painter(), kvbsHot, cbsChecked, clBtnText, clBtnText, O11(42), O11(42)},
      {"office11 normal", Office11Painter(), kvbsNormal, cbsUnchecked, clBtnText, clBtnText, clWindow, clWindow},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PainterSurface s;
    c.painter->PaintCheckBox(s.Canvas(), Rect(0, 0, 13, 13), c.state, c.check);
    ExpectProbes(s, {{0, 0, c.outerLT}, {12, 12, c.outerRB}, {1, 1, c.innerLT}, {2, 2, c.face}});
    // A grayed box is a box without its mark; a checked one has one.
    const Integer bare = s.Count(Rect(2, 2, 11, 11), c.face);
    if (c.check == cbsChecked)
      EXPECT_LT(bare, 81);
    else
      EXPECT_EQ(bare, 81);
  }
}

TEST_F(ClassicPainters, ExpandButtons) {
  struct Case {
    const char* name;
    TkvCustomLookAndFeelPainter* painter;
    Integer extent;
    std::vector<Probe> probes;
  };
  const Case cases[] = {
      {"standard", StandardPainter(), 12,
       {{0, 0, clBtnHighlight}, {11, 11, cl3DDkShadow}, {10, 10, clBtnShadow}, {1, 1, clRed}, {9, 9, clRed}}},
      {"flat", FlatPainter(), 11, {{0, 0, clBtnHighlight}, {10, 10, clBtnShadow}, {1, 1, clRed}}},
      {"ultraflat", UltraFlatPainter(), 11, {{0, 0, clBtnShadow}, {10, 10, clBtnShadow}, {1, 1, clRed}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.painter->ExpandButtonExtent(), c.extent);
    for (bool expanded : {false, true}) {
      PainterSurface s;
      const TRect r = Rect(0, 0, c.extent, c.extent);
      c.painter->PaintExpandButton(s.Canvas(), r, expanded, clRed);
      ExpectProbes(s, c.probes);
      // The cross: a bar of five pixels, and the upright as well while collapsed.
      EXPECT_EQ(s.Count(r, clBtnText), expanded ? 5 : 9);
      // The button is left out of the clip region: later fills leave it alone.
      s.Clear(clGreen);
      ExpectProbes(s, c.probes);
      EXPECT_TRUE(s.Is(c.extent, 0, clGreen));
    }
  }
  // Office-11: the shared glyph, its corners blended with what lies under it.
  PainterSurface s;
  s.Clear(clWhite);
  Office11Painter()->PaintExpandButton(s.Canvas(), Rect(2, 2, 13, 13), false, clDefault);
  EXPECT_EQ(s.At(2, 2), ColorToRGB(ColorMix(O11(kOffice11FixedColor1), ColorToRGB(clWhite), 25)));
  EXPECT_EQ(s.At(12, 12), ColorToRGB(ColorMix(O11(kOffice11FixedColor2), ColorToRGB(clWhite), 25)));
  EXPECT_EQ(Office11Painter()->SmallExpandButtonExtent(), 11);
}

TEST_F(ClassicPainters, StandardScrollBarParts) {
  const TRect r = Rect(0, 0, 16, 16);
  // A disabled thumb is not drawn at all, in every classic look.
  for (TkvCustomLookAndFeelPainter* painter : {StandardPainter(), FlatPainter(), UltraFlatPainter()}) {
    PainterSurface s;
    painter->PaintScrollBarPart(s.Canvas(), false, r, sbpThumbnail, kvbsDisabled);
    EXPECT_EQ(s.Count(r, kUntouched), 256);
  }
  // Thumb: face frame outside, highlight and shadow inside, face within.
  PainterSurface thumb;
  StandardPainter()->PaintScrollBarPart(thumb.Canvas(), false, r, sbpThumbnail, kvbsHot);
  ExpectProbes(thumb, {{0, 0, clBtnFace}, {15, 15, cl3DDkShadow}, {1, 1, clBtnHighlight}, {14, 14, clBtnShadow},
                       {8, 8, clBtnFace}});

  // A pressed arrow moves one pixel right and down and is framed in shadow only.
  auto arrowBox = [&](TkvButtonState State, PainterSurface& S) {
    StandardPainter()->PaintScrollBarPart(S.Canvas(), false, r, sbpLineDown, State);
    TRect box = Rect(100, 100, -1, -1);
    for (Integer y = 2; y < 14; ++y)
      for (Integer x = 2; x < 14; ++x)
        if (S.Is(x, y, clBtnText)) box = Rect(std::min(box.Left, x), std::min(box.Top, y),
                                              std::max(box.Right, x + 1), std::max(box.Bottom, y + 1));
    return box;
  };
  PainterSurface normal, pressed;
  const TRect up = arrowBox(kvbsNormal, normal), down = arrowBox(kvbsPressed, pressed);
  ASSERT_FALSE(RectIsVoid(up));
  EXPECT_EQ(down, RectShifted(up, 1, 1));
  ExpectProbes(pressed, {{0, 0, clBtnShadow}, {15, 15, clBtnShadow}, {1, 1, clBtnFace}, {14, 14, clBtnFace}});
  ExpectProbes(normal, {{0, 0, clBtnFace}, {15, 15, cl3DDkShadow}});

  // Page tracks take the scroll pattern, the dark one while pressed.
  for (bool isPressed : {false, true}) {
    PainterSurface s;
    StandardPainter()->PaintScrollBarPart(s.Canvas(), true, r, sbpPageDown, isPressed ? kvbsPressed : kvbsNormal);
    TBitmap* pattern = ScrollPatternBitmap(isPressed ? 1 : 0);
    ASSERT_NE(pattern, nullptr);
    for (Integer y = 0; y < 16; y += 3)
      for (Integer x = 0; x < 16; x += 5)
        EXPECT_EQ(s.At(x, y), static_cast<COLORREF>(ColorToRGB(pattern->GetCanvas()->GetPixel(x % 8, y % 8))));
  }
}

// A 9 x 9 scroll arrow of the ultra-flat look: the frame, the face and the arrow.
TEST_F(ClassicPainters, UltraFlatScrollArrowsNineByNine) {
  const char* expected[] = {
      "TTTTTTTTT",
      "TFFFFFFFT",
      "TFFFFFFFT",
      "TFTTTTTFT",
      "TFFTTTFFT",
      "TFFFTFFFT",
      "TFFFFFFFT",
      "TFFFFFFFT",
      "TTTTTTTTT",
  };
  PainterSurface s;
  UltraFlatPainter()->PaintScrollBarPart(s.Canvas(), false, Rect(0, 0, 9, 9), sbpLineDown, kvbsNormal);
  for (Integer y = 0; y < 9; ++y) {
    String row;
    for (Integer x = 0; x < 9; ++x) row += s.Is(x, y, clBtnText) ? 'T' : s.Is(x, y, clBtnFace) ? 'F' : '?';
    EXPECT_EQ(row, expected[y]) << "row " << y;
  }
  // Hot parts take the hot face; a pressed arrow does not move and turns the highlight-text colour.
  s.Clear();
  UltraFlatPainter()->PaintScrollBarPart(s.Canvas(), false, Rect(0, 0, 9, 9), sbpLineDown, kvbsPressed);
  ExpectProbes(s, {{0, 0, clHighlight}, {1, 1, LightHighlightColor()}, {4, 4, clHighlightText}, {2, 3,
                                                                                                 clHighlightText}});
  s.Clear();
  UltraFlatPainter()->PaintScrollBarPart(s.Canvas(), true, Rect(0, 0, 9, 9), sbpThumbnail, kvbsHot);
  ExpectProbes(s, {{0, 0, clHighlight}, {4, 4, PaleHighlightColor()}});
}

TEST_F(ClassicPainters, HeaderFrames) {
  const TRect r = Rect(0, 0, 30, 16);
  struct Case {
    const char* name;
    TkvCustomLookAndFeelPainter* painter;
    TkvBorders neighbors, borders;
    std::vector<Probe> probes;
  };
  const TColor t = ColorMix(O11(2), O11(3), 50), l = O11(3), d = O11(20), sep = O11(21);
  const Case cases[] = {
      {"standard alone", StandardPainter(), {}, kvAllBorders,
       {{0, 1, clBtnHighlight}, {0, 14, clBtnHighlight}, {29, 0, clBtnShadow}, {29, 15, clBtnShadow}}},
      {"standard between", StandardPainter(), {bLeft, bRight}, kvAllBorders,
       {{0, 1, clBtnFace}, {0, 14, clBtnFace}, {0, 2, clBtnHighlight}, {29, 0, clBtnHighlight}, {29, 1, clBtnFace},
        {29, 14, clBtnFace}, {29, 2, clBtnShadow}}},
      {"flat between", FlatPainter(), {bLeft}, kvAllBorders, {{0, 1, clBtnFace}, {0, 14, clBtnFace}}},
      {"ultraflat no left", UltraFlatPainter(), {}, {bTop, bRight, bBottom},
       {{0, 5, kUntouched}, {5, 0, clBtnText}, {29, 5, clBtnText}, {5, 15, clBtnText}}},
      {"ultraflat none", UltraFlatPainter(), {}, {}, {{0, 5, kUntouched}, {5, 0, kUntouched}, {29, 5, clBtnText}}},
      // The separator of a header with a left neighbour starts a pixel lower and ends a pixel higher.
      {"office11 alone", Office11Painter(), {}, kvAllBorders,
       {{5, 0, t}, {5, 15, d}, {0, 1, sep}, {0, 13, sep}, {0, 14, l}, {29, 0, ColorMix(t, d, 50)}, {29, 1, d},
        {29, 13, d}, {29, 14, ColorMix(l, d, 50)}}},
      {"office11 between", Office11Painter(), {bLeft, bRight}, kvAllBorders,
       {{0, 1, t}, {0, 2, sep}, {0, 12, sep}, {0, 13, ColorMix(t, l, 25)}, {0, 14, l}, {29, 1, t}, {29, 2, d},
        {29, 13, ColorMix(t, l, 25)}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PainterSurface s;
    c.painter->PaintHeaderFrame(s.Canvas(), r, c.neighbors, c.borders);
    ExpectProbes(s, c.probes);
  }
}

TEST_F(ClassicPainters, HeaderSectionsAndSortMarks) {
  const TRect r = Rect(0, 0, 30, 16);
  PainterSurface s;
  StandardPainter()->PaintHeaderSectionFrame(s.Canvas(), r, kvAllBorders, kvbsNormal);
  ExpectProbes(s, {{0, 0, clBtnHighlight}, {29, 15, cl3DDkShadow}, {1, 1, cl3DLight}, {28, 14, clBtnShadow}});
  s.Clear();
  StandardPainter()->PaintHeaderSectionFrame(s.Canvas(), r, {bLeft, bRight}, kvbsPressed);
  ExpectProbes(s, {{0, 5, clBtnShadow}, {29, 5, clBtnShadow}, {5, 0, kUntouched}});
  EXPECT_EQ(StandardPainter()->HeaderSectionFrameWidth(kvbsPressed), 1);
  EXPECT_EQ(StandardPainter()->HeaderSectionFrameWidth(kvbsNormal), 2);

  // Ultra-flat sections show hot and pressed in the button faces; the text does not move.
  s.Clear();
  UltraFlatPainter()->PaintHeaderSection(s.Canvas(), r, r, {}, kvAllBorders, kvbsPressed, taLeftJustify, vaTop,
                                         false, false, String(), nullptr, clBtnText, clWindow);
  ExpectProbes(s, {{0, 0, clBlack}, {5, 5, LightHighlightColor()}});

  EXPECT_EQ(StandardPainter()->SortMarkExtent(), (TPoint{8, 7}));
  EXPECT_EQ(UltraFlatPainter()->SortMarkExtent(), (TPoint{7, 8}));
  s.Clear();
  UltraFlatPainter()->PaintSortMark(s.Canvas(), Rect(0, 0, 16, 16), true);
  EXPECT_GT(s.Count(Rect(0, 0, 16, 16), clBtnShadow), 6);
}

TEST_F(ClassicPainters, Office11HeaderBackgroundEventIsNeverCalledButFootersAre) {
  BackgroundListener listener;
  listener.Answer = true;
  PainterSurface s;
  const TRect r = Rect(0, 0, 30, 16);
  Office11Painter()->PaintHeader(s.Canvas(), r, r, {}, kvAllBorders, kvbsNormal, taLeftJustify, vaTop, false, false,
                                 String(), nullptr, clBtnText, clWindow, listener.Event(), false, 0);
  EXPECT_EQ(listener.Calls, 0);
  EXPECT_TRUE(s.Is(5, 5, ColorMix(O11(2), O11(3), 50)));

  // The hot header: a plain face and the orange underline from slot 42 to 43.
  s.Clear();
  Office11Painter()->PaintHeader(s.Canvas(), r, r, {}, kvAllBorders, kvbsHot, taLeftJustify, vaTop, false, false,
                                 String(), nullptr, clBtnText, clWindow, listener.Event(), false, 0);
  EXPECT_TRUE(s.Is(5, 5, O11(2)));
  EXPECT_TRUE(s.Is(5, 13, O11(42)));

  s.Clear();
  Office11Painter()->PaintFooterCell(s.Canvas(), r, taLeftJustify, vaTop, false, String(), nullptr, clBtnText,
                                     clWindow, listener.Event());
  EXPECT_EQ(listener.Calls, 1);
  EXPECT_TRUE(s.Is(5, 5, kUntouched));  // the event drew it (nothing)
  EXPECT_TRUE(s.Is(0, 0, O11(20)));     // the cell frame in the header's dark colour
}

TEST_F(ClassicPainters, GradientsOfOneAndTwoPixels) {
  for (Integer height : {1, 2}) {
    SCOPED_TRACE(height);
    PainterSurface s;
    Office11Painter()->PaintPanelBackground(s.Canvas(), nullptr, Rect(0, 0, 8, height), clRed, clBlue);
    EXPECT_TRUE(s.Is(3, 0, clRed));
    EXPECT_TRUE(s.Is(3, height, kUntouched));
    // A header one or two pixels tall still gets its gradient strip without dividing by zero.
    s.Clear();
    Office11Painter()->PaintContent(s.Canvas(), Rect(0, 0, 8, height), Rect(0, 0, 8, height), kvbsHot, taCenter,
                                    vaCenter, false, false, String(), nullptr, clBtnText, clWindow,
                                    TkvDrawBackgroundEvent(), false);
    EXPECT_FALSE(s.Is(3, 0, kUntouched));
    // The shared split gradient on one and two pixels, both ways.
    for (bool horizontal : {false, true}) {
      s.Clear();
      const TRect r = horizontal ? Rect(0, 0, height, 8) : Rect(0, 0, 8, height);
      PaintSplitGradient(s.Canvas()->DCHandle(), r, clRed, clBlue, horizontal);
      EXPECT_EQ(s.Count(r, kUntouched), 0);
    }
  }
}

TEST_F(ClassicPainters, TabFramesAndStrips) {
  struct Case {
    const char* name;
    TkvCustomLookAndFeelPainter* painter;
    TRect band;
    TkvBorder side;
    TkvBorders borders;
    bool vertical;
    std::vector<Probe> probes;
  };
  const Case cases[] = {
      {"standard top", StandardPainter(), Rect(0, 0, 20, 1), bTop, kvAllBorders, false,
       {{0, 0, kUntouched}, {1, 0, clBtnHighlight}, {18, 0, clBtnHighlight}, {19, 0, kUntouched},
        {0, 1, clBtnHighlight}, {19, 1, clBtnHighlight}}},
      {"standard right", StandardPainter(), Rect(19, 0, 20, 20), bRight, {bTop, bBottom}, false,
       {{19, 1, kUntouched}, {19, 2, clBtnShadow}, {19, 18, clBtnShadow}, {19, 19, kUntouched}}},
      {"flat vertical left", FlatPainter(), Rect(0, 0, 1, 20), bLeft, {bTop}, true,
       {{0, 1, kUntouched}, {0, 2, clBtnHighlight}, {0, 18, clBtnHighlight}, {0, 19, kUntouched},
        {1, 1, clBtnHighlight}, {1, 19, clBtnHighlight}}},
      {"standard vertical bottom", StandardPainter(), Rect(0, 19, 20, 20), bBottom, {bLeft}, true,
       {{0, 19, kUntouched}, {1, 19, clBtnShadow}}},
      {"ultraflat right", UltraFlatPainter(), Rect(19, 0, 20, 20), bRight, kvAllBorders, false,
       {{19, 0, clBtnText}, {19, 18, clBtnText}, {19, 19, kUntouched}}},
      {"ultraflat top", UltraFlatPainter(), Rect(0, 0, 20, 1), bTop, kvAllBorders, false,
       {{0, 0, clBtnShadow}, {19, 0, clBtnShadow}}},
      {"office11 top", Office11Painter(), Rect(0, 0, 20, 1), bTop, kvAllBorders, false, {{0, 0, O11(20)}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PainterSurface s;
    c.painter->PaintTabFrame(s.Canvas(), c.band, c.side, c.borders, c.vertical);
    ExpectProbes(s, c.probes);
  }
  PainterSurface s;
  StandardPainter()->PaintTabStrip(s.Canvas(), Rect(0, 0, 20, 10), {bTop, bRight}, false);
  ExpectProbes(s, {{5, 0, clBtnHighlight}, {19, 5, clBtnShadow}, {0, 5, kUntouched}, {5, 9, kUntouched}});
}

TEST_F(ClassicPainters, FootersFiltersAndGroupButtons) {
  PainterSurface s;
  const TRect r = Rect(0, 0, 16, 16);
  UltraFlatPainter()->PaintFooterFrame(s.Canvas(), r);
  ExpectProbes(s, {{0, 5, kUntouched}, {5, 0, kUntouched}, {15, 5, clBtnShadow}, {5, 15, clBtnShadow}});

  s.Clear();
  StandardPainter()->PaintFilterDropDownButton(s.Canvas(), r, kvbsPressed, true);
  ExpectProbes(s, {{0, 0, clBtnShadow}, {15, 15, clBtnHighlight}, {1, 1, clBtnFace}});
  EXPECT_GT(s.Count(r, clBlue), 0);
  s.Clear();
  UltraFlatPainter()->PaintFilterDropDownButton(s.Canvas(), r, kvbsHot, false);
  ExpectProbes(s, {{0, 0, clHighlight}, {1, 1, PaleHighlightColor()}});
  EXPECT_GT(s.Count(r, clBtnText), 0);

  // Group buttons: a one-button group is wide on the left only; the frame follows the neighbours.
  EXPECT_EQ(UltraFlatPainter()->ButtonGroupFrameWidths(1, 0), Rect(2, 2, 1, 2));
  EXPECT_EQ(UltraFlatPainter()->ButtonGroupFrameWidths(3, 2), Rect(1, 2, 2, 2));
  EXPECT_EQ(UltraFlatPainter()->ButtonGroupFrameWidths(3, 1), Rect(1, 2, 1, 2));
  s.Clear();
  UltraFlatPainter()->PaintGroupButton(s.Canvas(), Rect(0, 0, 20, 16), kvbsHot, 3, 1, clRed);
  ExpectProbes(s, {{0, 0, kUntouched}, {0, 1, clHighlight}, {19, 14, clHighlight}, {1, 1, PaleHighlightColor()},
                   {5, 15, kUntouched}});
  s.Clear();
  UltraFlatPainter()->PaintGroupButton(s.Canvas(), Rect(0, 0, 20, 16), kvbsNormal, 3, 0, clRed);
  ExpectProbes(s, {{0, 1, kUntouched}, {1, 1, clRed}, {19, 14, clRed}, {2, 2, clBtnFace}});
}

TEST_F(ClassicPainters, MonthHeadersAndSplitters) {
  TkvViewParams params;
  params.Color = clYellow;
  params.TextColor = clBtnText;
  // A Standard month header between two others has black lines on top and bottom only.
  PainterSurface s;
  const TRect r = Rect(0, 0, 30, 16);
  StandardPainter()->PaintMonthHeader(s.Canvas(), r, String(), {bLeft, bRight}, params, 0, 0,
                                      TkvDrawBackgroundEvent());
  ExpectProbes(s, {{10, 0, clBlack}, {10, 15, clBlack}, {0, 8, clBtnHighlight}, {29, 8, clBtnShadow},
                   {10, 8, clYellow}});
  s.Clear();
  StandardPainter()->PaintMonthHeader(s.Canvas(), r, String(), {}, params, 0, 0, TkvDrawBackgroundEvent());
  ExpectProbes(s, {{0, 8, clBlack}, {29, 8, clBlack}, {1, 8, clBtnHighlight}});

  struct Case {
    const char* name;
    TkvCustomLookAndFeelPainter* painter;
    bool horizontal;
    std::vector<Probe> probes;
  };
  const Case cases[] = {
      {"standard horizontal", StandardPainter(), true,
       {{5, 0, clBtnFace}, {5, 9, cl3DDkShadow}, {5, 1, clBtnHighlight}, {5, 8, clBtnShadow}, {5, 5, clYellow}}},
      {"standard vertical", StandardPainter(), false,
       {{0, 5, clBtnFace}, {9, 5, cl3DDkShadow}, {1, 5, clBtnHighlight}, {8, 5, clBtnShadow}, {5, 5, clYellow}}},
      {"flat horizontal", FlatPainter(), true, {{5, 0, clBtnHighlight}, {5, 9, clBtnShadow}, {5, 1, clYellow}}},
      {"ultraflat vertical", UltraFlatPainter(), false, {{0, 5, clBtnShadow}, {9, 5, clBtnShadow}, {1, 5, clYellow}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PainterSurface split;
    c.painter->PaintSchedulerSplitterFrame(split.Canvas(), Rect(0, 0, 10, 10), params, c.horizontal);
    ExpectProbes(split, c.probes);
  }
}
