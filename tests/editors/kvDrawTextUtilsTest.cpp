#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../gdi/TextCanvas.h"
#include "toolkit/editors/kvDrawTextUtils.h"

namespace {

// Courier New at -11: every character 7 pixels wide, rows 14 high.
constexpr int kChar = 7;
constexpr int kRow = 14;

struct RowsCase {
  const char* name;
  std::string text;
  Cardinal flags;
  int widthInChars;
  std::vector<std::string> rows;
  std::vector<int> breakCounts;  // empty: not checked
};

TEST(kvDrawTextUtils, RowsBreakAsTheFlagsSay) {
  const RowsCase kCases[] = {
      {"wraps after the blank", "ab cd", kvtfWordWrap, 4, {"ab ", "cd"}, {1, 0}},
      {"justify drops the trailing blank", "ab cd", kvtfJustify, 4, {"ab", "cd"}, {0, 0}},
      {"a long word stays whole", "abcdefgh ij", kvtfWordWrap, 4, {"abcdefgh ", "ij"}, {}},
      {"bit 17 cuts the word", "abcdefgh", kvtfWordWrap | kvtfBreakInWords, 4, {"abcd", "efgh"}, {}},
      {"hard breaks", "a\r\nb", kvtfWordWrap, 10, {"a", "b"}, {}},
      {"hard breaks end justified paragraphs", "a b\r\nc", kvtfJustify, 10, {"a b", "c"}, {0, 0}},
      {"single line keeps going past breaks", "a\r\nb", kvtfSingleLine, 10, {"a\r\nb"}, {}},
      {"justify all keeps the paragraph's breaks", "a b c", kvtfJustifyAll | kvtfWordWrap, 4, {"a b", "c"}, {1, 0}},
      {"a character never splits", "\xc3\xa9\xc3\xa9\xc3\xa9", kvtfWordWrap | kvtfBreakInWords, 2,
       {"\xc3\xa9\xc3\xa9", "\xc3\xa9"}, {}},
      {"a row narrower than a character still advances", "abc", kvtfWordWrap | kvtfBreakInWords, 0,
       {"a", "b", "c"}, {}},
  };
  TextCanvas canvas(8, 8);
  canvas.UseFont("Courier New", -11);
  for (const RowsCase& c : kCases) {
    SCOPED_TRACE(c.name);
    TkvTextParams params = MakeTextParams(canvas.dc(), c.flags);
    TkvTextRows rows;
    Integer count = 0;
    TRect r = Rect(0, 0, c.widthInChars * kChar, 1000);
    EXPECT_TRUE(MakeTextRows(canvas.dc(), c.text.data(), static_cast<Integer>(c.text.size()), r, params, rows, count, 0));
    ASSERT_EQ(count, static_cast<Integer>(c.rows.size()));
    for (size_t i = 0; i < c.rows.size(); ++i) {
      EXPECT_EQ(std::string(rows[i].Text, static_cast<size_t>(rows[i].Length)), c.rows[i]) << "row " << i;
      EXPECT_EQ(rows[i].StartIndex, rows[i].Text - c.text.data());
      if (!c.breakCounts.empty()) {
        EXPECT_EQ(rows[i].BreakCount, c.breakCounts[i]) << "row " << i;
      }
    }
  }
}

TEST(kvDrawTextUtils, MaximumRowsStopTheBreakingAndSayWhetherTextWasLeft) {
  TextCanvas canvas(8, 8);
  canvas.UseFont("Courier New", -11);
  TkvTextParams params = MakeTextParams(canvas.dc(), kvtfWordWrap);
  TkvTextRows rows;
  Integer count = 0;
  EXPECT_FALSE(MakeTextRows(canvas.dc(), "aa bb cc", 8, Rect(0, 0, 3 * kChar, 100), params, rows, count, 2));
  EXPECT_EQ(count, 2);
  EXPECT_TRUE(MakeTextRows(canvas.dc(), "aa bb", 5, Rect(0, 0, 3 * kChar, 100), params, rows, count, 2));
  // A top-aligned text stops below the rectangle: the row that crosses the bottom is the last.
  EXPECT_TRUE(MakeTextRows(canvas.dc(), "aa bb cc dd", 11, Rect(0, 0, 3 * kChar, kRow + 1), params, rows, count, 0));
  EXPECT_EQ(count, 2);
  params = MakeTextParams(canvas.dc(), kvtfWordWrap | kvtfWholeRows);
  MakeTextRows(canvas.dc(), "aa bb cc dd", 11, Rect(0, 0, 3 * kChar, 2 * kRow + 1), params, rows, count, 0);
  EXPECT_EQ(count, 2);
}

TEST(kvDrawTextUtils, RowsArePlacedByTheAlignments) {
  TextCanvas canvas(8, 8);
  canvas.UseFont("Courier New", -11);
  struct Case {
    Cardinal flags;
    std::vector<int> xs;
    std::vector<int> ys;
  };
  // "aaaa b" wrapped at 5 characters in (10, 20, 45, 120): rows of 4 (28 px, with its blank 35) and 1.
  const Case kCases[] = {
      {kvtfWordWrap, {10, 10}, {20, 34}},
      {kvtfWordWrap | kvtfCenterX | kvtfCenterY, {10, 24}, {56, 70}},
      {kvtfWordWrap | kvtfRight | kvtfBottom, {10, 38}, {92, 106}},
      {kvtfWordWrap | kvtfSpreadY, {10, 10}, {20, 106}},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.flags);
    TkvTextParams params = MakeTextParams(canvas.dc(), c.flags);
    TkvTextRows rows;
    Integer count = 0;
    TRect r = Rect(10, 20, 45, 120);
    MakeTextRows(canvas.dc(), "aaaa b", 6, r, params, rows, count, 0);
    ASSERT_EQ(count, 2);
    PlaceTextRows(canvas.dc(), r, params, rows, count);
    for (int i = 0; i < 2; ++i) {
      EXPECT_EQ(rows[i].X, c.xs[i]) << i;
      EXPECT_EQ(rows[i].Y, c.ys[i]) << i;
    }
  }
  // Spread rows: three in 100 pixels, the last ending at the bottom, the remainder in the first gaps.
  TkvTextParams params = MakeTextParams(canvas.dc(), kvtfSpreadY | kvtfWordWrap);
  TkvTextRows rows;
  Integer count = 0;
  TRect r = Rect(0, 0, kChar, 100);
  MakeTextRows(canvas.dc(), "a b c", 5, r, params, rows, count, 0);
  ASSERT_EQ(count, 3);
  PlaceTextRows(canvas.dc(), r, params, rows, count);
  EXPECT_EQ(rows[0].Y, 0);
  EXPECT_EQ(rows[1].Y, 43);
  EXPECT_EQ(rows[2].Y + kRow, 100);
  // Overhang guards keep a row inside the rectangle.
  params = MakeTextParams(canvas.dc(), kvtfCenterX | kvtfCenterY | kvtfNoLeftOverhang | kvtfNoTopOverhang);
  MakeTextRows(canvas.dc(), "abcdefgh", 8, Rect(0, 0, 14, 4), params, rows, count, 0);
  PlaceTextRows(canvas.dc(), Rect(0, 0, 14, 4), params, rows, count);
  EXPECT_EQ(rows[0].X, 0);
  EXPECT_EQ(rows[0].Y, 0);
  EXPECT_EQ(MaxRowWidth(rows, 5), 8 * kChar);
  EXPECT_EQ(MaxRowWidth(rows, 0), 0);
}

TEST(kvDrawTextUtils, MeasuringGivesTheRectangleTheTextNeeds) {
  TextCanvas canvas(8, 8);
  canvas.UseFont("Courier New", -11);
  struct Case {
    std::string text;
    Cardinal flags;
    TRect given;
    TRect expected;
    Integer answer;
  };
  const Case kCases[] = {
      {"ab cd", kvtfWordWrap | kvtfCalcRect, Rect(5, 5, 5 + 4 * kChar, 6), Rect(5, 5, 5 + 3 * kChar, 5 + 2 * kRow), 28},
      {"ab cd", kvtfSingleLine | kvtfCalcRect, Rect(0, 0, 10, 10), Rect(0, 0, 5 * kChar, kRow), kRow},
      // Vertical alignment has no height to work in while measuring: the rectangle keeps its top.
      {"ab cd", kvtfSingleLine | kvtfCenterY | kvtfCalcRect, Rect(0, 0, 10, 0), Rect(0, 0, 5 * kChar, kRow), kRow},
      {"ab cd", kvtfWordWrap | kvtfBottom | kvtfCalcRect, Rect(0, 3, 4 * kChar, 3), Rect(0, 3, 3 * kChar, 3 + 2 * kRow), 28},
      {"ab cd ef", kvtfWordWrap | kvtfCalcRect | kvtfAnswerRowCount, Rect(0, 0, 3 * kChar, 1), Rect(0, 0, 3 * kChar, 3 * kRow), 3},
      {"a\tb", kvtfSingleLine | kvtfExpandTabs | kvtfCalcRect, Rect(0, 0, 1, 1), Rect(0, 0, 63, kRow), kRow},
      {"", kvtfWordWrap | kvtfCalcRect, Rect(0, 0, 9, 9), Rect(0, 0, 9, 9), 0},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.text);
    TRect r = c.given;
    EXPECT_EQ(DrawTextRowsPlain(canvas.dc(), c.text, r, c.flags), c.answer);
    EXPECT_EQ(r, c.expected);
  }
  // Indents narrow the layout and come back on the answer.
  TRect r = Rect(0, 0, 2 + 4 * kChar + 3, 1);
  DrawTextRowsPlain(canvas.dc(), "ab cd", r, kvtfWordWrap | kvtfCalcRect, 0, 2, 3);
  EXPECT_EQ(r, Rect(0, 0, 2 + 3 * kChar + 3, 2 * kRow));
  // Long texts with tabs are measured past the 16 bits of the tabbed extent.
  std::string wide(10000, 'x');
  EXPECT_EQ(TextExtentOf(canvas.dc(), wide.data(), 10000, true).cx, 70000);
  EXPECT_EQ(TextExtentOf(canvas.dc(), "a\tb", 3, true).cx, 63);
}

TEST(kvDrawTextUtils, DrawingClipsShortensAndHighlights) {
  TextCanvas canvas(200, 40);
  canvas.UseFont("Courier New", -11);
  // Single line with an end ellipsis: four characters and "..." fill the seven-character width.
  TRect r = Rect(0, 0, 7 * kChar, kRow);
  DrawTextRowsPlain(canvas.dc(), "abcdefghij", r, kvtfSingleLine | kvtfEndEllipsis);
  RECT ink = canvas.Ink();
  EXPECT_LE(ink.Right, 7 * kChar);
  EXPECT_GE(ink.Right, 6 * kChar);
  canvas.Clear();
  TRect plain = Rect(0, 0, 4 * kChar, kRow);
  DrawTextRowsPlain(canvas.dc(), "abcd", plain, kvtfSingleLine);
  RECT four = canvas.Ink();
  // Without clipping turned off the text stays inside the rectangle.
  canvas.Clear();
  r = Rect(0, 0, 3 * kChar, kRow);
  DrawTextRowsPlain(canvas.dc(), "abcdefgh", r, kvtfSingleLine);
  EXPECT_LE(canvas.Ink().Right, 3 * kChar);
  canvas.Clear();
  DrawTextRowsPlain(canvas.dc(), "abcdefgh", r, kvtfSingleLine | kvtfNoClip);
  EXPECT_GT(canvas.Ink().Right, 3 * kChar);

  // A highlight fills its characters' cells; one starting past the end draws none.
  const COLORREF kBlue = 0x00FF0000;
  const uint32_t kBluePixel = 0x0000FF;  // the surface holds B, G, R
  canvas.Clear();
  r = Rect(0, 0, 100, kRow);
  DrawTextRows(canvas.dc(), "abcd", r, kvtfSingleLine, 1, 2, static_cast<TColor>(kBlue), clWhite);
  EXPECT_EQ(canvas.Ink(0x00FFFFFF).Left, four.Left);
  EXPECT_EQ(canvas.Pixel(kChar, 0), kBluePixel);
  EXPECT_EQ(canvas.Pixel(3 * kChar - 1, kRow - 1), kBluePixel);
  EXPECT_NE(canvas.Pixel(3 * kChar, 0), kBluePixel);
  EXPECT_NE(canvas.Pixel(kChar - 1, 0), kBluePixel);
  canvas.Clear();
  DrawTextRows(canvas.dc(), "abcd", r, kvtfSingleLine, 4, 2, static_cast<TColor>(kBlue), clWhite);
  EXPECT_EQ(canvas.Ink(), four);
  // The caller's clip comes back whole after a highlight cut its part out.
  HRGN clip = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetClipRgn(canvas.dc(), clip), 0);
  DeleteObject(clip);
}

TEST(kvDrawTextUtils, JustifiedRowsReachTheRightSide) {
  TextCanvas canvas(200, 40);
  canvas.UseFont("Courier New", -11);
  TRect r = Rect(0, 0, 10 * kChar, 2 * kRow);
  DrawTextRowsPlain(canvas.dc(), "ab cd ef gh", r, kvtfJustify | kvtfWordWrap);
  RECT first = canvas.Ink();
  EXPECT_GT(first.Right, 9 * kChar);
  EXPECT_LE(first.Right, 10 * kChar);
}

TEST(kvDrawTextUtils, ClipSavingRestoresWhatWasThere) {
  TextCanvas canvas(20, 20);
  HRGN saved = SaveAndIntersectClip(canvas.dc(), Rect(2, 2, 8, 8));
  EXPECT_EQ(saved, nullptr);
  HRGN inner = SaveAndIntersectClip(canvas.dc(), Rect(4, 4, 6, 6));
  ASSERT_NE(inner, nullptr);
  RECT box;
  GetClipBox(canvas.dc(), &box);
  EXPECT_EQ(box, Rect(4, 4, 6, 6));
  RestoreClip(canvas.dc(), inner);
  EXPECT_EQ(inner, nullptr);
  GetClipBox(canvas.dc(), &box);
  EXPECT_EQ(box, Rect(2, 2, 8, 8));
  RestoreClip(canvas.dc(), saved);
  GetClipBox(canvas.dc(), &box);
  EXPECT_EQ(box, Rect(0, 0, 20, 20));
  EXPECT_EQ(IndentRect(Rect(0, 0, 10, 10), 2, 3), Rect(2, 0, 7, 10));
  EXPECT_EQ(OutdentRect(Rect(2, 0, 7, 10), 2, 3), Rect(0, 0, 10, 10));
}

}  // namespace
