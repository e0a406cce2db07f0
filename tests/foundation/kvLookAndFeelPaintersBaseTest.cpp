#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "toolkit/foundation/kvGeometry.h"
#include "toolkit/foundation/kvLookAndFeelPainters.h"
#include "toolkit/foundation/kvLookAndFeels.h"
#include "user/MessageNumbers.h"
#include "user/Messages.h"

namespace {

TkvCustomLookAndFeelPainter* Base() { return PainterClassOf<TkvCustomLookAndFeelPainter>(); }

// A small 32-bit surface filled with one colour, read back as a map of "#" (the colour asked
// for) and "." (anything else).
class Surface {
 public:
  Surface(Integer W, Integer H, TColor Fill = clWhite) : FBitmap(W, H), FWidth(W), FHeight(H) {
    Canvas()->FillWithColor(Rect(0, 0, W, H), Fill);
  }
  TkvCanvas* Canvas() { return FBitmap.GetkvCanvas(); }
  COLORREF At(Integer X, Integer Y) { return GetPixel(FBitmap.GetCanvas()->GetHandle(), X, Y); }
  bool Is(Integer X, Integer Y, TColor Color) { return At(X, Y) == ColorToRGB(Color); }
  std::vector<std::string> Map(TColor Color) {
    std::vector<std::string> rows;
    for (Integer y = 0; y < FHeight; ++y) {
      std::string row;
      for (Integer x = 0; x < FWidth; ++x) row += Is(x, y, Color) ? '#' : '.';
      rows.push_back(row);
    }
    return rows;
  }
  // The box around every pixel of Color: (left, top, right, bottom), all 0 when there is none.
  TRect BoxOf(TColor Color) {
    TRect box{FWidth, FHeight, 0, 0};
    for (Integer y = 0; y < FHeight; ++y)
      for (Integer x = 0; x < FWidth; ++x)
        if (Is(x, y, Color)) box = {std::min(box.Left, x), std::min(box.Top, y), std::max(box.Right, x + 1),
                                    std::max(box.Bottom, y + 1)};
    return box.Right == 0 ? TRect{0, 0, 0, 0} : box;
  }
  TkvBitmap& Bitmap() { return FBitmap; }

 private:
  TkvBitmap FBitmap;
  Integer FWidth, FHeight;
};

TEST(BasePainterGlyphs, ArrowTrianglesOfANineByNineBox) {
  struct Case {
    TkvArrowDirection Direction;
    TPoint P0, P1, P2;
  };
  const Case cases[] = {
      {adUp, {2, 5}, {4, 3}, {6, 5}},
      {adDown, {6, 3}, {4, 5}, {2, 3}},
      {adLeft, {5, 6}, {3, 4}, {5, 2}},
      {adRight, {3, 2}, {5, 4}, {3, 6}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.Direction));
    TPoint p[3];
    ComputeArrowTriangle(Rect(0, 0, 9, 9), p, c.Direction, false);
    EXPECT_EQ(p[0], c.P0);
    EXPECT_EQ(p[1], c.P1);
    EXPECT_EQ(p[2], c.P2);
    // A wider box is first made square about its centre.
    TPoint q[3];
    ComputeArrowTriangle(Rect(0, 0, 15, 9), q, c.Direction, true);
    EXPECT_EQ(q[1], PointShifted(c.P1, 3, 0));
  }
}

TEST(BasePainterGlyphs, ArrowsOfDegenerateBoxesStayInPlace) {
  for (const TRect& r : {Rect(4, 4, 5, 5), Rect(4, 4, 4, 4), Rect(4, 4, 5, 30)}) {
    for (TkvArrowDirection d : {adUp, adDown, adLeft, adRight}) {
      TPoint p[3];
      ComputeArrowTriangle(r, p, d, true);
      for (const TPoint& point : p) {
        EXPECT_GE(point.X, r.Left - 1);
        EXPECT_LE(point.X, r.Right);
      }
    }
  }
}

TEST(BasePainterGlyphs, DownArrowOnPixels) {
  Surface s(9, 9);
  Base()->PaintArrow(s.Canvas(), Rect(0, 0, 9, 9), adDown, clBlack);
  const std::vector<std::string> expected{".........", ".........", ".........", "..#####..", "...###...",
                                          "....#....", ".........", ".........", "........."};
  EXPECT_EQ(s.Map(clBlack), expected);
}

TEST(BasePainterGlyphs, DropDownArrowInSixteenPixels) {
  Surface s(16, 10);
  Base()->PaintButtonArrow(s.Canvas(), Rect(0, 0, 16, 10), clBlack);
  EXPECT_EQ(s.BoxOf(clBlack), Rect(3, 3, 12, 8));
}

TEST(BasePainterGlyphs, ExpandCrossArms) {
  for (bool expanded : {false, true}) {
    SCOPED_TRACE(expanded);
    Surface s(11, 11);
    Base()->DrawExpandCross(s.Canvas(), Rect(0, 0, 11, 11), clBlack, expanded);
    EXPECT_EQ(s.BoxOf(clBlack), expanded ? Rect(2, 5, 9, 6) : Rect(2, 2, 9, 9));
  }
}

TEST(BasePainterGlyphs, SmallExpandButtonFramesFillsAndCrosses) {
  Surface s(9, 9, clRed);
  Base()->PaintSmallExpandButton(s.Canvas(), Rect(0, 0, 9, 9), false, clBlue, clWhite);
  EXPECT_TRUE(s.Is(0, 0, clBlue));
  EXPECT_TRUE(s.Is(8, 8, clBlue));
  EXPECT_TRUE(s.Is(1, 1, clWhite));
  EXPECT_TRUE(s.Is(4, 4, clBtnText));
  EXPECT_TRUE(s.Is(4, 2, clBtnText));
}

TEST(BasePainterGlyphs, CheckBoxShowsItsMarkOnlyWhenChecked) {
  struct Case {
    TkvCheckBoxState CheckState;
    TkvButtonState State;
    bool Marked;
  };
  const Case cases[] = {{cbsUnchecked, kvbsNormal, false},
                        {cbsChecked, kvbsNormal, true},
                        {cbsGrayed, kvbsNormal, false},
                        {cbsChecked, kvbsDisabled, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.CheckState << " " << c.State);
    Surface s(13, 13, clRed);
    Base()->PaintCheckBox(s.Canvas(), Rect(0, 0, 13, 13), c.State, c.CheckState);
    const TColor face = Base()->CheckBoxFaceColor(c.State);
    const TColor mark = c.State == kvbsDisabled ? clGrayText : clBtnText;
    EXPECT_TRUE(s.Is(2, 2, face));
    EXPECT_TRUE(s.Is(0, 0, clRed));  // the base draws no frame
    EXPECT_EQ(s.BoxOf(mark).Right > 0, c.Marked);
  }
}

TEST(BasePainterGlyphs, ButtonGlyphColours) {
  EXPECT_EQ(Base()->ButtonGlyphColor(kvbsDisabled, clRed), clBtnShadow);
  EXPECT_EQ(Base()->ButtonGlyphColor(kvbsNormal, clDefault), clBtnText);
  EXPECT_EQ(Base()->ButtonGlyphColor(kvbsHot, clRed), clRed);
}

TEST(BasePainterGlyphs, FillBackgroundHonoursTransparency) {
  TkvBitmap tile(2, 2);
  tile.GetkvCanvas()->FillWithColor(Rect(0, 0, 2, 2), clBlue);
  struct Case {
    bool Transparent;
    TBitmap* Bitmap;
    TColor Expected;
  };
  const Case cases[] = {{true, nullptr, clRed}, {false, &tile, clLime}, {true, &tile, clBlue}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.Transparent << " " << (c.Bitmap != nullptr));
    Surface s(4, 4, clRed);
    Base()->FillBackground(s.Canvas(), Rect(0, 0, 4, 4), c.Transparent, clLime, c.Bitmap);
    EXPECT_TRUE(s.Is(3, 3, c.Expected));
  }
}

TEST(BasePainterGlyphs, MonthArrowsFollowTheRequest) {
  struct Case {
    Integer Arrows;
    bool Previous, Next;
  };
  const Case cases[] = {{0, false, false}, {1, true, false}, {2, false, true}, {3, true, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Arrows);
    Surface s(40, 16);
    Base()->PaintMonthNavArrows(s.Canvas(), Rect(0, 0, 40, 16), c.Arrows, 6, clBlack);
    const std::vector<std::string> map = s.Map(clBlack);
    bool left = false, right = false;
    for (const std::string& row : map) {
      left = left || row.substr(0, 20).find('#') != std::string::npos;
      right = right || row.substr(20).find('#') != std::string::npos;
    }
    EXPECT_EQ(left, c.Previous);
    EXPECT_EQ(right, c.Next);
  }
}

TEST(BasePainterGlyphs, ClockAtThreePointsHourRightAndMinuteUp) {
  Surface s(60, 60, clRed);
  Base()->PaintClockFace(s.Canvas(), Rect(0, 0, 60, 60), 3.0 / 24, clWhite);
  const TColor hand = static_cast<TColor>(0x808000);
  EXPECT_TRUE(s.Is(30 + 15, 30, hand));
  EXPECT_TRUE(s.Is(32, 20, hand));
  EXPECT_TRUE(s.Is(30, 12, clRed));  // the second hand, pointing up as well
  EXPECT_TRUE(s.Is(30 - 15, 30, clWhite));
  EXPECT_TRUE(s.Is(30, 30 + 15, clWhite));
  // The hour dot at twelve keeps its centre colour; the canvas's clip comes back whole.
  EXPECT_TRUE(s.Is(30, 2, hand));
  s.Canvas()->FillWithColor(Rect(0, 0, 60, 60), clBlue);
  EXPECT_TRUE(s.Is(30, 2, clBlue));
}

TEST(BasePainterGlyphs, IndicatorGlyphs) {
  Surface empty(8, 9);
  Base()->PaintIndicatorGlyph(empty.Canvas(), Rect(0, 0, 8, 9), 0);
  EXPECT_EQ(empty.BoxOf(clBlack), Rect(0, 0, 0, 0));
  Surface arrow(8, 9);
  Base()->PaintIndicatorGlyph(arrow.Canvas(), Rect(0, 0, 8, 9), 1);
  EXPECT_EQ(arrow.BoxOf(clBlack), Rect(2, 0, 7, 9));
  EXPECT_TRUE(arrow.Is(1, 0, clWhite));
}

TEST(BasePainterGlyphs, ScrollPatternsAlternate) {
  TBitmap* light = ScrollPatternBitmap(0);
  TBitmap* dark = ScrollPatternBitmap(1);
  ASSERT_NE(light, nullptr);
  ASSERT_NE(dark, nullptr);
  EXPECT_EQ(ColorToRGB(light->GetCanvas()->GetPixel(1, 0)), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(ColorToRGB(light->GetCanvas()->GetPixel(1, 1)), ColorToRGB(clBtnFace));
  EXPECT_EQ(ColorToRGB(dark->GetCanvas()->GetPixel(0, 1)), ColorToRGB(cl3DDkShadow));
  EXPECT_EQ(ColorToRGB(dark->GetCanvas()->GetPixel(0, 0)), ColorToRGB(clBlack));
  EXPECT_EQ(ScrollPatternBitmap(2), nullptr);
}

// ---- Radio-button images ------------------------------------------------------------------

TEST(RadioButtonImages, ScansStopAtTheBitmapsEdge) {
  TkvBitmap bitmap(5, 5);
  bitmap.GetkvCanvas()->FillWithColor(Rect(0, 0, 5, 5), clBlack);
  bitmap.GetCanvas()->SetPixel(4, 2, clWhite);
  struct Case {
    Integer DX, DY;
    TPoint Expected;
  };
  const Case cases[] = {{0, -1, {2, -1}}, {0, 1, {2, 5}}, {-1, 0, {-1, 2}}, {1, 0, {4, 2}}, {0, 0, {2, 2}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.DX << "," << c.DY);
    EXPECT_EQ(ScanColorRun(&bitmap, 2, 2, c.DX, c.DY, clBlack), c.Expected);
  }
  EXPECT_EQ(ScanColorRun(&bitmap, 9, 9, 1, 0, clBlack), (TPoint{9, 9}));
}

TEST(RadioButtonImages, KeysAndGeometry) {
  EXPECT_EQ(TkvRadioButtonImageList::ImageKey(lfOffice11, kvbsHot, true, false, false), 29);
  TkvRadioButtonImageList* list = RadioButtonGlyphList();
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->Images()->GetCount(), 128);
  const TSize size = list->GlyphSize();
  EXPECT_GT(size.cx, 4);
  EXPECT_GT(size.cy, 4);
  EXPECT_EQ(list->PatternIndexAt(0, 0), 0);
  EXPECT_EQ(list->PatternIndexAt(size.cx / 2, size.cy / 2), 6);
  EXPECT_EQ(list->PatternIndexAt(0, size.cy / 2), 1);
  EXPECT_EQ(list->PatternIndexAt(size.cx - 1, size.cy / 2), 2);
  EXPECT_EQ(Base()->RadioButtonExtent(), size);
}

TEST(RadioButtonImages, ColourMaps) {
  TColor colors[7];
  TkvRadioButtonImageList::ColorMap(lfStandard, kvbsNormal, true, false, false, colors);
  EXPECT_EQ(colors[1], clBtnShadow);
  EXPECT_EQ(colors[3], cl3DDkShadow);
  EXPECT_EQ(colors[5], clWindow);
  EXPECT_EQ(colors[6], clWindowText);
  TkvRadioButtonImageList::ColorMap(lfUltraFlat, kvbsDisabled, true, true, false, colors);
  EXPECT_EQ(colors[1], clBtnShadow);
  EXPECT_EQ(colors[5], clBtnFace);
  EXPECT_EQ(colors[6], clBtnShadow);
  TkvRadioButtonImageList::ColorMap(lfUltraFlat, kvbsNormal, false, false, true, colors);
  EXPECT_EQ(colors[1], clHighlight);
  EXPECT_EQ(colors[6], colors[5]);
}

TEST(RadioButtonImages, PaintedMaskedOrOverABackground) {
  TkvRadioButtonImageList* list = RadioButtonGlyphList();
  ASSERT_NE(list, nullptr);
  const TSize size = list->GlyphSize();
  Surface masked(size.cx + 2, size.cy + 2, clRed);
  PainterClassOf<TkvStandardLookAndFeelPainter>()->PaintRadioButton(masked.Canvas(), 1, 1, kvbsNormal, true, false,
                                                                    clDefault, false);
  EXPECT_TRUE(masked.Is(1, 1, clRed));
  EXPECT_TRUE(masked.Is(1 + size.cx / 2, 1 + size.cy / 2, clWindowText));
  Surface filled(size.cx + 2, size.cy + 2, clRed);
  PainterClassOf<TkvStandardLookAndFeelPainter>()->PaintRadioButton(filled.Canvas(), 1, 1, kvbsNormal, true, false,
                                                                    clLime, false);
  EXPECT_TRUE(filled.Is(1, 1, clLime));
}

TEST(RadioButtonImages, ColourChangeRebuildsWithTheSameGeometry) {
  TkvRadioButtonImageList* list = RadioButtonGlyphList();
  ASSERT_NE(list, nullptr);
  const TSize size = list->GlyphSize();
  const TRect dot = list->DotRect();
  SendMessage(PaletteListenerWindow(), WM_SYSCOLORCHANGE, 0, 0);
  EXPECT_EQ(list->Images()->GetCount(), 128);
  EXPECT_EQ(list->GlyphSize(), size);
  EXPECT_EQ(list->DotRect(), dot);
}

}  // namespace
