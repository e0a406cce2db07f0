#include <gtest/gtest.h>

#include <string>

#include "TextCanvas.h"

namespace {

// Courier New at -11 advances 7 pixels a character; the default tab stop is every 56.
TEST(TextTabs, TabbedExtentFollowsTheStops) {
  TextCanvas canvas(8, 8);
  canvas.UseFont("Courier New", -11);
  const int stops[] = {10, 30};
  const int every20[] = {20};
  struct Case {
    std::string text;
    int positions;
    const int* tabs;
    int width;
  };
  const Case kCases[] = {
      {"ab", 0, nullptr, 14},        {"\t", 0, nullptr, 56},       {"a\tb", 0, nullptr, 63},
      {"abcdefghi\tx", 0, nullptr, 119}, {"a\tb", 1, every20, 27},  {"a\tb\tc\td", 2, stops, 56 + 7},
      {std::string(10000, 'x'), 0, nullptr, 70000 & 0xFFFF},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.text.substr(0, 16));
    DWORD extent = GetTabbedTextExtent(canvas.dc(), c.text.data(), static_cast<int>(c.text.size()), c.positions, c.tabs);
    EXPECT_EQ(LOWORD(extent), c.width);
    EXPECT_EQ(HIWORD(extent), 14);
  }
}

TEST(TextTabs, TabbedTextOutDrawsRunsAtTheirStops) {
  TextCanvas canvas(200, 20);
  canvas.UseFont("Courier New", -11);
  SetBkMode(canvas.dc(), TRANSPARENT);
  LONG answer = TabbedTextOut(canvas.dc(), 4, 2, "\tI", 2, 0, nullptr, 4);
  EXPECT_EQ(LOWORD(answer), 63);
  RECT ink = canvas.Ink();
  EXPECT_GE(ink.Left, 60);
  EXPECT_LE(ink.Right, 67);
  // The origin moves the stops: from origin 0 the first stop is at 56, so the run starts there.
  canvas.Clear();
  TabbedTextOut(canvas.dc(), 4, 2, "\tI", 2, 0, nullptr, 0);
  ink = canvas.Ink();
  EXPECT_GE(ink.Left, 56);
  EXPECT_LE(ink.Right, 63);
}

TEST(TextTabs, JustificationWidensTheBreaksOfTheNextOutput) {
  TextCanvas canvas(200, 20);
  canvas.UseFont("Courier New", -11);
  SetBkMode(canvas.dc(), TRANSPARENT);
  TextOut(canvas.dc(), 0, 0, "I I I", 5);
  RECT plain = canvas.Ink();
  canvas.Clear();
  ASSERT_TRUE(SetTextJustification(canvas.dc(), 11, 2));
  TextOut(canvas.dc(), 0, 0, "I I I", 5);
  RECT wide = canvas.Ink();
  EXPECT_EQ(wide.Left, plain.Left);
  EXPECT_EQ(wide.Right, plain.Right + 11);
  // A text with fewer breaks takes only the first breaks' shares: 5 of the 11.
  canvas.Clear();
  SetTextJustification(canvas.dc(), 0, 0);
  TextOut(canvas.dc(), 0, 0, "I I", 3);
  RECT pair = canvas.Ink();
  canvas.Clear();
  SetTextJustification(canvas.dc(), 11, 2);
  TextOut(canvas.dc(), 0, 0, "I I", 3);
  EXPECT_EQ(canvas.Ink().Right, pair.Right + 5);
  SetTextJustification(canvas.dc(), 0, 0);
  canvas.Clear();
  TextOut(canvas.dc(), 0, 0, "I I I", 5);
  EXPECT_EQ(canvas.Ink().Right, plain.Right);
}

}  // namespace
