#include <gtest/gtest.h>

#include "rtl/Resources.h"
#include "vcl/GraphicClasses.h"

// The six indicator glyphs are linked in as 8 x 9 black-on-white bitmaps, drawn row for row.
TEST(IndicatorGlyphs, LoadFromTheResourcesWithTheirPixels) {
  struct Case {
    const char* name;
    const char* rows[9];
  };
  const Case cases[] = {
      {"KV_ARROWBITMAP",
       {"..#.....", "..##....", "..###...", "..####..", "..#####.", "..####..", "..###...", "..##....", "..#....."}},
      {"KV_EDITBITMAP",
       {".##.##..", "...#....", "...#....", "...#....", "...#....", "...#....", "...#....", "...#....", ".##.##.."}},
      {"KV_INSERTBITMAP",
       {"........", "...#....", ".#.#.#..", "..###...", "...#....", "..###...", ".#.#.#..", "...#....", "........"}},
      {"KV_MULTIDOTBITMAP",
       {"........", "........", "...#....", "..###...", "..###...", "..###...", "...#....", "........", "........"}},
      {"KV_MULTIARROWBITMAP",
       {"..#.....", "..##....", "....#...", "..#..#..", "..##.##.", "..#..#..", "....#...", "..##....", "..#....."}},
      {"KV_FILTERBITMAP",
       {"........", "########", "#......#", "#......#", ".#....#.", "..####..", "..#..#..", "..#..#..", "..####.."}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TBitmap glyph;
    glyph.LoadFromResourceName(HInstance, c.name);
    ASSERT_EQ(glyph.GetWidth(), 8);
    ASSERT_EQ(glyph.GetHeight(), 9);
    for (Integer y = 0; y < 9; ++y) {
      String row;
      for (Integer x = 0; x < 8; ++x) {
        const COLORREF pixel = ColorToRGB(glyph.GetCanvas()->GetPixel(x, y));
        row += pixel == 0 ? '#' : pixel == 0xFFFFFF ? '.' : '?';
      }
      EXPECT_EQ(row, c.rows[y]) << "row " << y;
    }
  }
}
