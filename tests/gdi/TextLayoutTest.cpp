#include <gtest/gtest.h>

#include "gdi/TextLayout.h"

namespace {

// Every character 5 pixels wide, lines 10 high: layouts can be worked out by hand.
class FixedMeasure : public TextMeasure {
 public:
  int Advance(char32_t ch) override { return ch == U'\t' ? 0 : 5; }
  int LineHeight(bool withExternalLeading) override { return withExternalLeading ? 12 : 10; }
  int AverageCharWidth() override { return 5; }
};

std::string Utf8(const std::vector<PlacedChar>& chars) {
  std::string text;
  for (const PlacedChar& placed : chars) AppendUtf8(text, placed.ch);
  return text;
}

std::string Lines(const TextLayoutResult& result) {
  std::string joined;
  for (const LaidLine& line : result.lines) joined += (joined.empty() ? "" : "|") + Utf8(line.chars);
  return joined;
}

struct LayoutCase {
  const char* name;
  const char* text;
  int width;
  UINT format;
  const char* lines;  // drawn characters, lines joined by '|'
  int calcWidth;      // bounds width
  int height;         // the answer
};

TEST(TextLayout, LaysOutLinesAsDrawTextDoes) {
  const LayoutCase kCases[] = {
      {"single line", "Hello", 100, DT_SINGLELINE, "Hello", 25, 10},
      {"line breaks", "ab\ncd\r\nef", 100, 0, "ab|cd|ef", 10, 30},
      {"single line drops breaks", "ab\ncd", 100, DT_SINGLELINE, "abcd", 20, 10},
      {"word break", "aa bb cc", 30, DT_WORDBREAK, "aa bb|cc", 25, 20},
      {"blanks at a break are consumed", "aa    bb", 20, DT_WORDBREAK, "aa|bb", 10, 20},
      {"long word is not split", "abcdefgh ij", 20, DT_WORDBREAK, "abcdefgh|ij", 40, 20},
      {"edit control splits long words", "abcdefgh", 20, DT_WORDBREAK | DT_EDITCONTROL, "abcd|efgh", 20, 20},
      {"one pixel wide gives the widest word", "aa bbb c", 1, DT_WORDBREAK, "aa|bbb|c", 15, 30},
      {"full width characters break", "\u65e5\u672c\u8a9e", 10, DT_WORDBREAK, "\u65e5\u672c|\u8a9e", 10, 20},
      {"unless asked not to", "\u65e5\u672c\u8a9e", 10, DT_WORDBREAK | DT_NOFULLWIDTHCHARBREAK, "\u65e5\u672c\u8a9e", 15, 10},
      {"end ellipsis", "abcdefgh", 30, DT_SINGLELINE | DT_END_ELLIPSIS, "abc...", 30, 10},
      {"end ellipsis not needed", "abc", 30, DT_SINGLELINE | DT_END_ELLIPSIS, "abc", 15, 10},
      {"word ellipsis", "abcdefgh", 30, DT_SINGLELINE | DT_WORD_ELLIPSIS, "abc...", 30, 10},
      {"path ellipsis keeps the file name", "c:\\dir\\sub\\file.txt", 90, DT_SINGLELINE | DT_PATH_ELLIPSIS,
       "c:\\dir...\\file.txt", 90, 10},
      {"path ellipsis without a separator", "abcdefgh", 30, DT_SINGLELINE | DT_PATH_ELLIPSIS, "abc...", 30, 10},
      {"prefix", "&File", 100, DT_SINGLELINE, "File", 20, 10},
      {"double prefix", "A&&B", 100, DT_SINGLELINE, "A&B", 15, 10},
      {"no prefix", "&File", 100, DT_SINGLELINE | DT_NOPREFIX, "&File", 25, 10},
      {"prefix only", "&File", 100, DT_SINGLELINE | DT_PREFIXONLY, "", 20, 10},
      {"trailing prefix", "Ab&", 100, DT_SINGLELINE, "Ab", 10, 10},
      {"tabs expand", "a\tb", 100, DT_SINGLELINE | DT_EXPANDTABS, "ab", 45, 10},
      {"tab stop in the format", "a\tb", 100, DT_SINGLELINE | DT_EXPANDTABS | DT_TABSTOP | 0x0200, "ab", 15, 10},
      {"external leading", "a\nb", 100, DT_EXTERNALLEADING, "a|b", 5, 24},
      {"vertical centre answers the offset", "ab", 100, DT_SINGLELINE | DT_VCENTER, "ab", 10, 25},
      {"bottom answers the offset", "ab", 100, DT_SINGLELINE | DT_BOTTOM, "ab", 10, 40},
  };
  FixedMeasure measure;
  for (const LayoutCase& c : kCases) {
    SCOPED_TRACE(c.name);
    UINT format = c.format;
    TextLayoutOptions options;
    if (format & DT_TABSTOP) {
      options.tabLength = static_cast<int>((format >> 8) & 0xFF);
      format &= ~0xFF00u;
    }
    TextLayoutResult result = LayOutText(c.text, TRect{10, 10, 10 + c.width, 50}, format, measure, options);
    EXPECT_EQ(Lines(result), c.lines);
    EXPECT_EQ(result.bounds.Width(), c.calcWidth);
    EXPECT_EQ(result.height, c.height);
  }
}

TEST(TextLayout, AlignsLinesInTheRectangle) {
  FixedMeasure measure;
  TRect rect{0, 0, 50, 30};
  EXPECT_EQ(LayOutText("ab", rect, DT_SINGLELINE, measure).lines[0].left, 0);
  EXPECT_EQ(LayOutText("ab", rect, DT_SINGLELINE | DT_CENTER, measure).lines[0].left, 20);
  EXPECT_EQ(LayOutText("ab", rect, DT_SINGLELINE | DT_RIGHT, measure).lines[0].left, 40);
  EXPECT_EQ(LayOutText("ab", rect, DT_SINGLELINE | DT_VCENTER, measure).lines[0].top, 10);
  EXPECT_EQ(LayOutText("ab", rect, DT_SINGLELINE | DT_BOTTOM, measure).lines[0].top, 20);
  // Vertical placement is for single lines only.
  EXPECT_EQ(LayOutText("ab", rect, DT_VCENTER, measure).lines[0].top, 0);
  TextLayoutOptions margins;
  margins.leftMargin = 4;
  margins.rightMargin = 6;
  TextLayoutResult withMargins = LayOutText("ab", rect, DT_SINGLELINE | DT_RIGHT, measure, margins);
  EXPECT_EQ(withMargins.lines[0].left, 34);
  EXPECT_EQ(withMargins.bounds.Width(), 20);
}

TEST(TextLayout, UnderlinesTheLastPrefixedCharacter) {
  FixedMeasure measure;
  TRect rect{0, 0, 100, 10};
  LaidLine line = LayOutText("&Save &As", rect, DT_SINGLELINE, measure).lines[0];
  EXPECT_EQ(line.underlineLeft, 25);
  EXPECT_EQ(line.underlineRight, 30);
  LaidLine hidden = LayOutText("&Save", rect, DT_SINGLELINE | DT_HIDEPREFIX, measure).lines[0];
  EXPECT_EQ(hidden.underlineRight, hidden.underlineLeft);
  EXPECT_EQ(Utf8(hidden.chars), "Save");
}

TEST(TextLayout, EditControlHidesAPartlyVisibleLastLineAndEllipsizesTheLastShown) {
  FixedMeasure measure;
  TRect rect{0, 0, 30, 15};  // room for one whole line of 10
  TextLayoutResult result = LayOutText("aaaa bb cc", rect, DT_WORDBREAK | DT_EDITCONTROL, measure);
  EXPECT_EQ(Lines(result), "aaaa");
  TextLayoutResult ellipsized = LayOutText("aaaa bb cc", rect, DT_WORDBREAK | DT_EDITCONTROL | DT_END_ELLIPSIS, measure);
  EXPECT_EQ(Lines(ellipsized), "aaa...");
  // Measuring counts every line.
  EXPECT_EQ(LayOutText("aaaa bb cc", rect, DT_WORDBREAK | DT_EDITCONTROL | DT_CALCRECT, measure).height, 20);
}

TEST(TextLayout, ShortenedTextKeepsPrefixesAndFitsTheRoomGiven) {
  FixedMeasure measure;
  TextLayoutResult result = LayOutText("&Open the file", TRect{0, 0, 35, 10}, DT_SINGLELINE | DT_END_ELLIPSIS, measure);
  ASSERT_TRUE(result.shortened);
  EXPECT_EQ(result.shortenedText, "&Open...");
  // A buffer with room for 4 bytes gets a text of at most 4 bytes, and the drawing matches it.
  TRect rect{0, 0, 35, 10};
  TextLayoutOptions tight;
  tight.maxShortenedBytes = 4;
  TextLayoutResult small = LayOutText("abcdefgh", rect, DT_SINGLELINE | DT_END_ELLIPSIS, measure, tight);
  EXPECT_EQ(small.shortenedText, "a...");
  EXPECT_EQ(Lines(small), "a...");
  tight.maxShortenedBytes = 2;
  EXPECT_EQ(LayOutText("abcdefgh", rect, DT_SINGLELINE | DT_END_ELLIPSIS, measure, tight).shortenedText, "..");
}

TEST(TextLayout, MalformedUtf8DecodesByteByByte) {
  std::vector<size_t> offsets;
  std::u32string decoded = DecodeUtf8("a\xC3\xA9\xFF\xE2\x82", &offsets);
  EXPECT_EQ(decoded, (std::u32string{U'a', U'\u00e9', 0xFFFD, 0xFFFD, 0xFFFD}));
  EXPECT_EQ(offsets, (std::vector<size_t>{0, 1, 3, 4, 5}));
}

}  // namespace
