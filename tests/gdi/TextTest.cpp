#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "TextCanvas.h"

namespace {

struct FontCase {
  const char* face;
  LONG height;
  LONG weight;
  int tmHeight, ascent, descent, aveCharWidth, helloWorld;
};

// The pinned fonts measure the same on every machine; layouts of the system depend on these.
TEST(Text, PinnedFontsMeasureStably) {
  const FontCase kCases[] = {
      {"MS Sans Serif", -11, FW_NORMAL, 13, 10, 3, 6, 55},
      {"Tahoma", -11, FW_NORMAL, 13, 10, 3, 6, 55},
      {"Tahoma", -11, FW_BOLD, 13, 10, 3, 7, 61},
      {"Verdana", -11, FW_NORMAL, 14, 11, 3, 6, 65},
      {"Arial", 16, FW_NORMAL, 16, 13, 3, 8, 73},
      {"Courier New", -11, FW_NORMAL, 14, 10, 4, 7, 77},
  };
  TextCanvas canvas(8, 8);
  for (const FontCase& c : kCases) {
    SCOPED_TRACE(std::string(c.face) + " " + std::to_string(c.height) + " " + std::to_string(c.weight));
    canvas.UseFont(c.face, c.height, c.weight);
    TEXTMETRIC metrics;
    ASSERT_TRUE(GetTextMetrics(canvas.dc(), &metrics));
    EXPECT_EQ(metrics.tmHeight, c.tmHeight);
    EXPECT_EQ(metrics.tmAscent, c.ascent);
    EXPECT_EQ(metrics.tmDescent, c.descent);
    EXPECT_EQ(metrics.tmAveCharWidth, c.aveCharWidth);
    EXPECT_EQ(metrics.tmPitchAndFamily & TMPF_TRUETYPE, TMPF_TRUETYPE);
    SIZE extent;
    ASSERT_TRUE(GetTextExtentPoint32(canvas.dc(), "Hello World", -1, &extent));
    EXPECT_EQ(extent.cx, c.helloWorld);
    EXPECT_EQ(extent.cy, c.tmHeight);
  }
}

TEST(Text, FontObjectAnswersItsLogFontAndFaceName) {
  LOGFONT asked;
  asked.lfHeight = -13;
  asked.lfWeight = FW_BOLD;
  asked.lfEscapement = 900;
  asked.lfOutPrecision = OUT_TT_ONLY_PRECIS;
  std::strcpy(asked.lfFaceName, "Tahoma");
  HFONT font = CreateFontIndirect(&asked);
  LOGFONT read;
  EXPECT_EQ(GetObject(font, sizeof(read), &read), static_cast<int>(sizeof(LOGFONT)));
  EXPECT_EQ(std::memcmp(&read, &asked, sizeof(LOGFONT)), 0);
  EXPECT_EQ(GetObjectType(font), OBJ_FONT);

  TextCanvas canvas(4, 4);
  HGDIOBJ old = SelectObject(canvas.dc(), font);
  char face[LF_FACESIZE];
  EXPECT_EQ(GetTextFace(canvas.dc(), sizeof(face), face), 6);
  EXPECT_STREQ(face, "Tahoma");
  char tiny[4];
  EXPECT_EQ(GetTextFace(canvas.dc(), sizeof(tiny), tiny), 3);
  EXPECT_STREQ(tiny, "Tah");
  SelectObject(canvas.dc(), old);
  EXPECT_TRUE(DeleteObject(font));

  // The stock interface font is the 8-point one.
  LOGFONT gui;
  ASSERT_EQ(GetObject(GetStockObject(DEFAULT_GUI_FONT), sizeof(gui), &gui), static_cast<int>(sizeof(LOGFONT)));
  EXPECT_EQ(gui.lfHeight, -11);
}

TEST(Text, ExtentsAndFitCountWholeCharacters) {
  TextCanvas canvas(4, 4);
  canvas.UseFont("Tahoma", -11);
  const char* text = "a\xC3\xA9z";  // a, e acute (two bytes), z
  int extents[4] = {};
  int fit = -1;
  SIZE size;
  ASSERT_TRUE(GetTextExtentExPoint(canvas.dc(), text, 4, 1000, &fit, extents, &size));
  EXPECT_EQ(fit, 4);
  EXPECT_EQ(extents[1], extents[2]);  // both bytes of the e belong to it
  EXPECT_EQ(extents[3], size.cx);
  ASSERT_TRUE(GetTextExtentExPoint(canvas.dc(), text, 4, extents[1], &fit, nullptr, &size));
  EXPECT_EQ(fit, 3);
  int widths[3];
  ASSERT_TRUE(GetCharWidth32(canvas.dc(), 'a', 'c', widths));
  EXPECT_EQ(widths[0], extents[0]);
}

TEST(Text, RotatedTextKeepsItsExtentAndRunsUpward) {
  TextCanvas canvas(80, 120);
  canvas.UseFont("Tahoma", -11, FW_NORMAL, 900);
  SIZE extent;
  ASSERT_TRUE(GetTextExtentPoint32(canvas.dc(), "Rotated", -1, &extent));
  canvas.UseFont("Tahoma", -11, FW_NORMAL, 0);
  SIZE flat;
  ASSERT_TRUE(GetTextExtentPoint32(canvas.dc(), "Rotated", -1, &flat));
  EXPECT_EQ(extent.cx, flat.cx);
  EXPECT_EQ(extent.cy, flat.cy);

  canvas.UseFont("Tahoma", -11, FW_NORMAL, 900);
  SetBkMode(canvas.dc(), TRANSPARENT);
  ASSERT_TRUE(TextOut(canvas.dc(), 20, 100, "Rotated", 7));
  RECT ink = canvas.Ink();
  // The text reads from bottom to top, its top edge to the left of the reference point's column.
  EXPECT_LE(ink.Bottom, 101);
  EXPECT_GE(ink.Top, 100 - extent.cx - 1);
  EXPECT_GE(ink.Height(), extent.cx - 4);
  EXPECT_GE(ink.Left, 20);
  EXPECT_LE(ink.Right, 20 + extent.cy + 1);

  // Reading downward (2700) it hangs to the left of the reference point.
  canvas.Clear();
  canvas.UseFont("Tahoma", -11, FW_NORMAL, 2700);
  ASSERT_TRUE(TextOut(canvas.dc(), 60, 10, "Rotated", 7));
  ink = canvas.Ink();
  EXPECT_GE(ink.Top, 9);
  EXPECT_LE(ink.Bottom, 10 + extent.cx + 1);
  EXPECT_LE(ink.Right, 61);
  EXPECT_GE(ink.Left, 60 - extent.cy - 1);
}

TEST(Text, TextAlignPlacesTheReferencePoint) {
  TextCanvas canvas(200, 60);
  canvas.UseFont("Tahoma", -11);
  SetBkMode(canvas.dc(), TRANSPARENT);
  SIZE extent;
  GetTextExtentPoint32(canvas.dc(), "HH", 2, &extent);
  TEXTMETRIC metrics;
  GetTextMetrics(canvas.dc(), &metrics);
  struct AlignCase {
    UINT align;
    int left, baseline;  // where the text's box starts and its baseline lies for reference (100, 30)
  };
  const AlignCase kCases[] = {
      {TA_LEFT | TA_TOP, 100, 30 + metrics.tmAscent},
      {TA_RIGHT | TA_TOP, 100 - extent.cx, 30 + metrics.tmAscent},
      {TA_CENTER | TA_BASELINE, 100 - extent.cx / 2, 30},
      {TA_LEFT | TA_BOTTOM, 100, 30 - metrics.tmDescent},
  };
  for (const AlignCase& c : kCases) {
    SCOPED_TRACE(c.align);
    canvas.Clear();
    SetTextAlign(canvas.dc(), c.align);
    ASSERT_TRUE(TextOut(canvas.dc(), 100, 30, "HH", 2));
    RECT ink = canvas.Ink();
    EXPECT_NEAR(ink.Left, c.left, 2);
    EXPECT_EQ(ink.Bottom, c.baseline);  // "H" stands on the baseline
  }
  // TA_UPDATECP draws at the current position and moves it past the text.
  canvas.Clear();
  SetTextAlign(canvas.dc(), TA_UPDATECP);
  MoveToEx(canvas.dc(), 10, 5, nullptr);
  TextOut(canvas.dc(), 150, 40, "HH", 2);
  POINT position;
  GetCurrentPositionEx(canvas.dc(), &position);
  EXPECT_EQ(position.X, 10 + extent.cx);
  EXPECT_NEAR(canvas.Ink().Left, 10, 2);
}

TEST(Text, TextFollowsOriginsAndClipping) {
  TextCanvas canvas(120, 40);
  canvas.UseFont("Tahoma", -11);
  SetBkMode(canvas.dc(), TRANSPARENT);
  TextOut(canvas.dc(), 10, 5, "Wg", 2);
  RECT plain = canvas.Ink();
  canvas.Clear();
  SetWindowOrgEx(canvas.dc(), -30, 0, nullptr);
  TextOut(canvas.dc(), 10, 5, "Wg", 2);
  RECT moved = canvas.Ink();
  EXPECT_EQ(moved.Left, plain.Left + 30);
  EXPECT_EQ(moved.Top, plain.Top);
  SetWindowOrgEx(canvas.dc(), 0, 0, nullptr);

  canvas.Clear();
  IntersectClipRect(canvas.dc(), 0, 0, plain.Left + 3, 40);
  TextOut(canvas.dc(), 10, 5, "Wg", 2);
  EXPECT_EQ(canvas.Ink().Right, plain.Left + 3);
}

TEST(Text, ExtTextOutClipsAndFillsItsRectangle) {
  TextCanvas canvas(100, 30);
  canvas.UseFont("Tahoma", -11);
  SetBkColor(canvas.dc(), RGB(0, 0, 255));
  SetTextColor(canvas.dc(), RGB(255, 0, 0));
  RECT rect{5, 5, 30, 20};
  ASSERT_TRUE(ExtTextOut(canvas.dc(), 5, 5, ETO_CLIPPED | ETO_OPAQUE, &rect, "Clipped text", 12, nullptr));
  RECT ink = canvas.Ink();
  EXPECT_EQ(ink, rect);
  EXPECT_EQ(canvas.Pixel(29, 19), 0x0000FFu);  // blue background in B, G, R order: 0x0000FF is blue
  // Opaque background mode paints the text's cell, transparent mode leaves it.
  canvas.Clear();
  SetBkMode(canvas.dc(), OPAQUE);
  TextOut(canvas.dc(), 0, 0, "  ", 2);
  EXPECT_EQ(canvas.Pixel(1, 1), 0x0000FFu);
  canvas.Clear();
  SetBkMode(canvas.dc(), TRANSPARENT);
  TextOut(canvas.dc(), 0, 0, "  ", 2);
  EXPECT_EQ(canvas.Ink(), RECT{});
}

TEST(Text, DrawTextMeasuresAndDraws) {
  TextCanvas canvas(200, 100);
  canvas.UseFont("MS Sans Serif", -11);
  RECT rect{10, 10, 10, 10};
  EXPECT_EQ(DrawText(canvas.dc(), "Hello World", -1, &rect, DT_CALCRECT | DT_SINGLELINE), 13);
  EXPECT_EQ(rect, (RECT{10, 10, 65, 23}));
  EXPECT_EQ(canvas.Ink(), RECT{});  // measuring draws nothing

  RECT wrapped{0, 0, 40, 0};
  EXPECT_EQ(DrawText(canvas.dc(), "Hello World", -1, &wrapped, DT_CALCRECT | DT_WORDBREAK), 26);
  EXPECT_LE(wrapped.Right, 40);

  RECT box{0, 0, 200, 100};
  SetBkMode(canvas.dc(), TRANSPARENT);
  EXPECT_EQ(DrawText(canvas.dc(), "Centred", -1, &box, DT_SINGLELINE | DT_CENTER | DT_VCENTER), (100 - 13) / 2 + 13);
  RECT ink = canvas.Ink();
  EXPECT_NEAR((ink.Left + ink.Right) / 2, 100, 2);
  EXPECT_NEAR((ink.Top + ink.Bottom) / 2, 50, 3);

  // The prefix underline is drawn under the character, "&&" shows one ampersand.
  canvas.Clear();
  RECT line{0, 0, 200, 20};
  DrawText(canvas.dc(), "&&x", -1, &line, DT_SINGLELINE);
  RECT ampersand = canvas.Ink();
  canvas.Clear();
  DrawText(canvas.dc(), "&x", -1, &line, DT_SINGLELINE);
  RECT underlined = canvas.Ink();
  canvas.Clear();
  DrawText(canvas.dc(), "&x", -1, &line, DT_SINGLELINE | DT_NOPREFIX);
  EXPECT_EQ(canvas.Ink(), ampersand);
  EXPECT_GT(underlined.Bottom, 10 + 1);  // below the baseline of "x"
  canvas.Clear();
  DrawText(canvas.dc(), "&x", -1, &line, DT_SINGLELINE | DT_HIDEPREFIX);
  EXPECT_LT(canvas.Ink().Bottom, underlined.Bottom);
}

TEST(Text, DrawTextClipsUnlessToldNotToAndExtTextOutTakesAdvances) {
  TextCanvas canvas(200, 30);
  canvas.UseFont("Tahoma", -11);
  SetBkMode(canvas.dc(), TRANSPARENT);
  RECT rect{10, 5, 30, 25};
  DrawText(canvas.dc(), "Wide text", -1, &rect, DT_SINGLELINE);
  EXPECT_EQ(canvas.Ink().Right, 30);
  canvas.Clear();
  DrawText(canvas.dc(), "Wide text", -1, &rect, DT_SINGLELINE | DT_NOCLIP);
  EXPECT_GT(canvas.Ink().Right, 40);

  canvas.Clear();
  const int advances[3] = {40, 40, 40};
  ASSERT_TRUE(ExtTextOut(canvas.dc(), 10, 5, 0, nullptr, "III", 3, advances));
  RECT ink = canvas.Ink();
  EXPECT_GE(ink.Width(), 80);
  EXPECT_LE(ink.Width(), 80 + 6);
}

TEST(Text, ModifyStringNeverWritesPastTheCallersText) {
  TextCanvas canvas(100, 20);
  canvas.UseFont("Tahoma", -11);
  // A zero-ended text in a buffer of exactly its size, guarded on both sides.
  const std::string text = "A caption far too long for its column";
  std::string storage = "<<" + text + '\0' + ">>>>";
  char* buffer = storage.data() + 2;
  RECT rect{0, 0, 60, 20};
  DrawText(canvas.dc(), buffer, -1, &rect, DT_SINGLELINE | DT_END_ELLIPSIS | DT_MODIFYSTRING | DT_CALCRECT);
  std::string shortened(buffer);
  EXPECT_EQ(shortened.substr(shortened.size() - 3), "...");
  EXPECT_LT(shortened.size(), text.size());
  EXPECT_EQ(storage.substr(0, 2), "<<");
  EXPECT_EQ(storage.substr(storage.size() - 4), ">>>>");
  SIZE extent;
  GetTextExtentPoint32(canvas.dc(), buffer, -1, &extent);
  EXPECT_LE(extent.cx, 60);

  // A counted text with no terminator: at most count bytes change, whatever the text.
  struct Counted {
    const char* text;
    int width;
  };
  for (const Counted& c : {Counted{"ab", 1}, Counted{"abc", 2}, Counted{"abcdef", 1}, Counted{"x\xC3\xA9\xC3\xA9", 3}}) {
    SCOPED_TRACE(c.text);
    int count = static_cast<int>(std::strlen(c.text));
    std::string guarded = std::string(c.text) + "####";
    RECT narrow{0, 0, c.width, 20};
    DrawText(canvas.dc(), guarded.data(), count, &narrow, DT_SINGLELINE | DT_END_ELLIPSIS | DT_MODIFYSTRING);
    EXPECT_EQ(guarded.substr(count), "####");
  }

  // A path shortened in place keeps its file name.
  std::string path = "C:\\Program Files\\Some Folder\\Deeper\\movie.avi";
  RECT wide{0, 0, 120, 20};
  DrawText(canvas.dc(), path.data(), -1, &wide, DT_SINGLELINE | DT_PATH_ELLIPSIS | DT_MODIFYSTRING);
  std::string shortPath(path.c_str());
  EXPECT_NE(shortPath.find("...\\movie.avi"), std::string::npos);
}

TEST(Text, MarlettDrawsTheCloseCross) {
  TextCanvas canvas(20, 20);
  canvas.UseFont("Marlett", -11);
  SetBkMode(canvas.dc(), TRANSPARENT);
  TextOut(canvas.dc(), 2, 2, "r", 1);
  RECT ink = canvas.Ink();
  ASSERT_NE(ink, RECT{});
  // A cross: its corners and its centre are inked, the middle of its sides is not.
  EXPECT_NE(canvas.Pixel(ink.Left, ink.Top), 0xFFFFFFu);
  EXPECT_NE(canvas.Pixel(ink.Right - 1, ink.Bottom - 1), 0xFFFFFFu);
  EXPECT_NE(canvas.Pixel((ink.Left + ink.Right) / 2, (ink.Top + ink.Bottom) / 2), 0xFFFFFFu);
  EXPECT_EQ(canvas.Pixel((ink.Left + ink.Right) / 2, ink.Top), 0xFFFFFFu);
}

}  // namespace

namespace {

struct EnumResult {
  std::vector<std::string> names;
  std::vector<DWORD> types;
  size_t stopAfter = 0;
};

int CollectFamily(const LOGFONT* font, const TEXTMETRIC*, DWORD type, LPARAM data) {
  auto* result = reinterpret_cast<EnumResult*>(data);
  result->names.push_back(font->lfFaceName);
  result->types.push_back(type);
  return result->names.size() == result->stopAfter ? 0 : 1;
}

}  // namespace

// The font lists of the program come from here: installed families once each, in name order,
// outline faces as TrueType; a face name narrows the list; a zero answer stops it.
TEST(Text, FontFamilyEnumerationListsInstalledFamilies) {
  LOGFONT filter;
  filter.lfCharSet = DEFAULT_CHARSET;
  EnumResult all;
  EXPECT_EQ(EnumFontFamiliesExA(nullptr, &filter, CollectFamily, reinterpret_cast<LPARAM>(&all), 0), 1);
  auto sans = std::find(all.names.begin(), all.names.end(), "Liberation Sans");
  ASSERT_NE(sans, all.names.end());
  EXPECT_EQ(all.types[static_cast<size_t>(sans - all.names.begin())], TRUETYPE_FONTTYPE);
  EXPECT_TRUE(std::is_sorted(all.names.begin(), all.names.end()));
  EXPECT_EQ(std::adjacent_find(all.names.begin(), all.names.end()), all.names.end());

  std::strcpy(filter.lfFaceName, "liberation MONO");
  EnumResult one;
  EnumFontFamiliesExA(nullptr, &filter, CollectFamily, reinterpret_cast<LPARAM>(&one), 0);
  EXPECT_EQ(one.names, std::vector<std::string>{"Liberation Mono"});

  filter.lfFaceName[0] = 0;
  EnumResult first;
  first.stopAfter = 1;
  EXPECT_EQ(EnumFontFamiliesExA(nullptr, &filter, CollectFamily, reinterpret_cast<LPARAM>(&first), 0), 0);
  EXPECT_EQ(first.names.size(), 1u);
}
