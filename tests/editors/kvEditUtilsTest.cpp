#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "../foundation/PainterTestSupport.h"
#include "toolkit/editors/kvEditUtils.h"
#include "toolkit/foundation/kvClasses.h"
#include "user/Messages.h"
#include "user/MessageNumbers.h"

namespace {

// Rows of '#' for pixels of Color and '.' for the rest.
std::vector<std::string> Map(PainterSurface& s, const TRect& R, TColor Color) {
  std::vector<std::string> rows;
  for (Integer y = R.Top; y < R.Bottom; ++y) {
    std::string row;
    for (Integer x = R.Left; x < R.Right; ++x) row += s.Is(x, y, Color) ? '#' : '.';
    rows.push_back(row);
  }
  return rows;
}

TEST(kvEditUtils, BrushCacheKeepsTheMostUsedAndRetiresTheRest) {
  TkvSolidBrushCache cache(128);
  // Colours 1..128, each asked once more except colour 9: the 129th colour evicts 9.
  for (TColor c = 1; c <= 128; ++c) cache.Brush(c);
  for (TColor c = 1; c <= 128; ++c) {
    if (c != 9) cache.Brush(c);
  }
  EXPECT_EQ(cache.Depth(), 128);
  cache.Brush(0x7FFFFF);
  EXPECT_EQ(cache.Depth(), 128);
  EXPECT_EQ(cache.RetiredCount(), 1);
  std::vector<TColor> colors;
  for (Integer i = 0; i < cache.Depth(); ++i) colors.push_back(cache.ColorAt(i));
  EXPECT_TRUE(std::is_sorted(colors.begin(), colors.end()));
  EXPECT_EQ(std::count(colors.begin(), colors.end(), 9), 0);
  EXPECT_EQ(colors.back(), 0x7FFFFF);
  // With equal counts the lowest colour value goes.
  TkvSolidBrushCache small(2);
  HBRUSH first = small.Brush(0x10);
  small.Brush(0x20);
  small.Brush(0x30);
  EXPECT_EQ(small.ColorAt(0), 0x20);
  // The evicted brush is still a brush until the cache is cleared.
  EXPECT_EQ(GetObjectType(first), OBJ_BRUSH);
  small.Clear();
  EXPECT_EQ(small.Depth(), 0);
  EXPECT_EQ(small.RetiredCount(), 0);
  // System colours come from the platform's brushes and never enter the cache.
  EXPECT_EQ(cache.Brush(clBtnFace), GetSysColorBrush(COLOR_BTNFACE));
  EXPECT_EQ(CachedSolidBrush(clBtnFace), GetSysColorBrush(COLOR_BTNFACE));
}

TEST(kvEditUtils, SharedCacheEmptiesOnAPaletteChange) {
  TkvSolidBrushCache* cache = SolidBrushCache();
  ASSERT_NE(cache, nullptr);
  HBRUSH brush = CachedSolidBrush(0x123456);
  EXPECT_EQ(CachedSolidBrush(0x123456), brush);
  EXPECT_GT(cache->Depth(), 0);
  ASSERT_NE(PaletteListenerWindow(), nullptr);
  SendMessage(PaletteListenerWindow(), WM_SYSCOLORCHANGE, 0, 0);
  EXPECT_EQ(cache->Depth(), 0);
  HBRUSH again = CachedSolidBrush(0x123456);
  EXPECT_EQ(GetObjectType(again), OBJ_BRUSH);
  EXPECT_EQ(cache->Depth(), 1);
}

TEST(kvEditUtils, ArrowsFramesAndFills) {
  EXPECT_EQ(ArrowSize(TSize{9, 9}, adUp), (TSize{5, 3}));
  EXPECT_EQ(ArrowSize(TSize{8, 12}, adRight), (TSize{2, 3}));

  PainterSurface s(20, 20);
  TRect r = Rect(0, 0, 10, 10);
  DrawFrameEdges(s.Canvas(), r, 15, clBlack);
  EXPECT_EQ(r, Rect(1, 1, 9, 9));
  EXPECT_EQ(s.Count(Rect(0, 0, 10, 10), clBlack), 36);
  EXPECT_TRUE(s.Is(9, 9, clBlack));
  EXPECT_TRUE(s.Is(1, 1, kUntouched));

  s.Clear();
  DrawArrows(s.Canvas(), 3, Rect(0, 0, 7, 7), adDown, true, false, clRed);
  const std::vector<std::string> kDouble = {".#####.", "..###..", "...#...", ".#####.",
                                            "..###..", "...#...", "......."};
  EXPECT_EQ(Map(s, Rect(0, 0, 7, 7), clRed), kDouble);
  s.Clear();
  DrawArrows(s.Canvas(), 3, Rect(0, 0, 5, 5), adLeft, false, true, clRed);
  const std::vector<std::string> kLeft = {".....", "....#", "...##", "..###", "...##"};
  EXPECT_EQ(Map(s, Rect(0, 0, 5, 5), clRed), kLeft);

  s.Clear();
  FillRectExcept(s.Canvas(), Rect(0, 0, 6, 6), Rect(2, 2, 4, 4), CachedSolidBrush(clBlue));
  EXPECT_EQ(s.Count(Rect(0, 0, 6, 6), clBlue), 32);
  EXPECT_TRUE(s.Is(2, 2, kUntouched));
  s.Clear();
  FillRectExcept(s.Canvas(), Rect(0, 0, 3, 3), TRect{}, CachedSolidBrush(clBlue));
  EXPECT_EQ(s.Count(Rect(0, 0, 6, 6), clBlue), 9);

  s.Clear();
  const TPoint corner[] = {{1, 1}, {5, 1}, {5, 4}};
  DrawPolyLineColored(s.Canvas(), corner, 2, clGreen, true);
  EXPECT_EQ(s.Count(Rect(0, 0, 10, 10), clGreen), 8);
  s.Clear();
  DrawPolyLineColored(s.Canvas(), corner, 2, clGreen, false);
  EXPECT_EQ(s.Count(Rect(0, 0, 10, 10), clGreen), 8);
}

TEST(kvEditUtils, GlyphsNormalAndGreyed) {
  TBitmap glyph;
  glyph.SetSize(4, 4);
  glyph.GetCanvas()->GetBrush()->SetColor(clFuchsia);
  glyph.GetCanvas()->FillRect(Rect(0, 0, 4, 4));
  glyph.GetCanvas()->GetBrush()->SetColor(clBlack);
  glyph.GetCanvas()->FillRect(Rect(1, 1, 3, 3));
  glyph.SetTransparentColor(clFuchsia);
  EXPECT_TRUE(IsGlyphUsable(&glyph));
  EXPECT_FALSE(IsGlyphUsable(nullptr));

  PainterSurface s(10, 10);
  DrawGlyphOn(s.Canvas(), 2, 2, &glyph, true, clWhite);
  EXPECT_TRUE(s.Is(2, 2, clWhite));
  EXPECT_TRUE(s.Is(3, 3, clBlack));
  s.Clear();
  DrawGlyphOn(s.Canvas(), 2, 2, &glyph, true, clNone);
  EXPECT_TRUE(s.Is(2, 2, kUntouched));
  EXPECT_TRUE(s.Is(4, 4, clBlack));
  s.Clear();
  DrawGlyphOn(s.Canvas(), 2, 2, &glyph, false, clWhite);
  EXPECT_TRUE(s.Is(2, 2, clWhite));
  EXPECT_FALSE(s.Is(3, 3, clBlack));
  EXPECT_FALSE(s.Is(3, 3, clWhite));
}

TEST(kvEditUtils, ColoursPaintersFlagsAndTexts) {
  EXPECT_EQ(EditHighlightColor(false), clHighlight);
  EXPECT_EQ(FlatButtonStateColor(true, false),
            PainterClassOf<TkvUltraFlatLookAndFeelPainter>()->ButtonFaceColor(kvbsPressed));
  EXPECT_EQ(PainterClassForKind(true, lfFlat), PainterClassOf<TkvFlatLookAndFeelPainter>());  // no visual styles
  EXPECT_EQ(PainterClassForKind(false, lfOffice11), PainterClassOf<TkvOffice11LookAndFeelPainter>());
  EXPECT_EQ(PainterClassForKind(false, lfStandard), PainterClassOf<TkvStandardLookAndFeelPainter>());
  EXPECT_TRUE(HotTrackColor() == static_cast<TColor>(0xFF0000) ||
              HotTrackColor() == static_cast<TColor>(GetSysColor(COLOR_HOTLIGHT)));

  struct Pair {
    Cardinal layout;
    UINT drawText;
  };
  for (const Pair& p : {Pair{0x1, DT_VCENTER}, Pair{0x2, DT_RIGHT}, Pair{0x10, DT_SINGLELINE},
                        Pair{0x20, DT_WORDBREAK}, Pair{0x200, DT_EXPANDTABS}, Pair{0x100, DT_CALCRECT}}) {
    EXPECT_EQ(MapTextOutFlagsToDrawText(p.layout), p.drawText);
    EXPECT_EQ(MapDrawTextFlags(p.drawText), p.layout);
  }
  EXPECT_EQ(MapDrawTextFlags(DT_CENTER | DT_BOTTOM), 0u);
  EXPECT_EQ(MapTextOutFlagsToDrawText(0x4 | 0x8), 0u);

  EXPECT_EQ(ResourceStringText(skvEditInvalidDate), "Invalid Date");
  EXPECT_EQ(ResourceStringText(skvEditLinkPrefix), "http://");
  EXPECT_EQ(ResourceStringText(skvRegExSpaceAfterBackslash), "The space character is not allowed after '\\'");
  EXPECT_EQ(ResourceStringText(skvEditButtonEditDescription), "ButtonEdit|Represents an edit control with embedded buttons");
  EXPECT_EQ(ResourceStringText(skvEditReserved2), "");

  PainterSurface s;
  LOGFONT font;
  ASSERT_TRUE(GetCanvasLogFont(s.Canvas(), font));
  font.lfHeight = -20;
  SetCanvasFontFromLogFont(s.Canvas(), font);
  LOGFONT read;
  ASSERT_TRUE(GetCanvasLogFont(s.Canvas(), read));
  EXPECT_EQ(read.lfHeight, -20);
}

}  // namespace
