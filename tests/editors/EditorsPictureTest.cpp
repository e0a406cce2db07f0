// The text layout's cases, the edit arrows and a glyph normal and greyed, saved under
// $TAVREN_TEST_OUTPUT/editors/painting.png for a person to look at.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

#include "../foundation/PainterTestSupport.h"
#include "gdi/ImageFiles.h"
#include "toolkit/editors/kvDrawTextUtils.h"
#include "toolkit/editors/kvEditUtils.h"

namespace {

constexpr Integer kCellWidth = 170;
constexpr Integer kCellHeight = 86;
const char kParagraph[] = "The quick brown fox jumps over the lazy dog, then rests a while beside the river.";

struct TextCase {
  const char* caption;
  String text;
  Cardinal flags;
  Integer highlightStart = 0;
  Integer highlightLength = 0;
};

void Caption(TCanvas* Canvas, Integer X, Integer Y, const char* Text) {
  Canvas->GetFont()->SetColor(clGrayText);
  Canvas->GetFont()->SetStyle({fsBold});
  TRect r = Bounds(X, Y, kCellWidth, 14);
  DrawTextRowsInFontColor(Canvas, Text, r, kvtfSingleLine | kvtfEndEllipsis);
  Canvas->GetFont()->SetStyle({});
  Canvas->GetFont()->SetColor(clWindowText);
}

void Frame(PainterSurface& Sheet, const TRect& R) {
  TRect frame = R;
  DrawFrameEdges(Sheet.Canvas(), frame, 15, clBtnShadow);
}

TEST(EditorsPicture, TextLayoutArrowsAndGlyphs) {
  const char* root = std::getenv("TAVREN_TEST_OUTPUT");
  if (!root || !*root) GTEST_SKIP() << "TAVREN_TEST_OUTPUT is not set";
  const std::vector<TextCase> cases = {
      {"Word wrap", kParagraph, kvtfWordWrap},
      {"Centred", kParagraph, kvtfWordWrap | kvtfCenterX | kvtfCenterY},
      {"Right, bottom", kParagraph, kvtfWordWrap | kvtfRight | kvtfBottom},
      {"Justified", kParagraph, kvtfJustify},
      {"Rows spread", "First row\r\nSecond row\r\nThird row", kvtfSpreadY},
      {"End ellipsis", kParagraph, kvtfSingleLine | kvtfEndEllipsis | kvtfCenterY},
      {"Highlight", kParagraph, kvtfWordWrap, 10, 15},
      {"Tabs", "Clip\tSize\tLength\r\na.avi\t12 MB\t0:41\r\nb.mpg\t640 MB\t1:32:05", kvtfExpandTabs},
      {"Whole rows, ellipsis", kParagraph, kvtfWordWrap | kvtfWholeRows | kvtfEndEllipsis},
  };
  const Integer columns = 3;
  const Integer rows = static_cast<Integer>(cases.size() + columns - 1) / columns + 1;
  PainterSurface sheet(columns * (kCellWidth + 16) + 8, (rows - 1) * (kCellHeight + 26) + 56);
  sheet.Clear(clWindow);
  TCanvas* canvas = sheet.bitmap.GetCanvas();
  canvas->GetFont()->SetName("Tahoma");
  canvas->GetFont()->SetHeight(-11);

  for (size_t i = 0; i < cases.size(); ++i) {
    Integer x = 8 + static_cast<Integer>(i % columns) * (kCellWidth + 16);
    Integer y = 8 + static_cast<Integer>(i / columns) * (kCellHeight + 26);
    Caption(canvas, x, y, cases[i].caption);
    TRect cell = Bounds(x, y + 18, kCellWidth, kCellHeight);
    Frame(sheet, cell);
    TRect inner = Rect(cell.Left + 4, cell.Top + 3, cell.Right - 4, cell.Bottom - 3);
    DrawTextRowsOnCanvas(canvas, cases[i].text, inner, cases[i].flags, cases[i].highlightStart,
                         cases[i].highlightLength, clHighlight, clHighlightText, cases[i].flags & kvtfWholeRows ? 4 : 0);
  }

  // The last row: arrows of every direction, single and double, and a glyph normal and greyed.
  Integer y = 8 + (rows - 1) * (kCellHeight + 26);
  Caption(canvas, 8, y, "Arrows");
  const TkvArrowDirection directions[] = {adUp, adDown, adLeft, adRight};
  for (Integer i = 0; i < 8; ++i) {
    TRect box = Bounds(8 + i * 22, y + 18, 18, 18);
    sheet.Canvas()->FillWithColor(box, clBtnFace);
    DrawArrows(sheet.Canvas(), 4, box, directions[i % 4], i >= 4, false, clBtnText);
  }
  Caption(canvas, 8 + (kCellWidth + 16), y, "Glyph, greyed glyph");
  // A small calendar: a blue header, a frame, and a grid of days with see-through gaps.
  TBitmap glyph;
  glyph.SetSize(16, 16);
  TCanvas* g = glyph.GetCanvas();
  g->GetBrush()->SetColor(clFuchsia);
  g->FillRect(Rect(0, 0, 16, 16));
  g->GetBrush()->SetColor(static_cast<TColor>(0x404040));
  g->FillRect(Rect(1, 2, 15, 15));
  g->GetBrush()->SetColor(static_cast<TColor>(0xC06020));
  g->FillRect(Rect(2, 3, 14, 6));
  g->GetBrush()->SetColor(clFuchsia);
  for (Integer row = 0; row < 3; ++row)
    for (Integer col = 0; col < 4; ++col) g->FillRect(Bounds(3 + col * 3, 7 + row * 3 - 0, 2, 2));
  g->GetBrush()->SetColor(static_cast<TColor>(0x2020D0));
  g->FillRect(Bounds(9, 10, 2, 2));
  glyph.SetTransparentColor(clFuchsia);
  Integer gx = 8 + (kCellWidth + 16);
  DrawGlyphOn(sheet.Canvas(), gx, y + 19, &glyph, true, clWindow);
  DrawGlyphOn(sheet.Canvas(), gx + 24, y + 19, &glyph, false, clWindow);

  PixelImage image;
  image.width = sheet.bitmap.GetWidth();
  image.height = sheet.bitmap.GetHeight();
  for (Integer py = 0; py < image.height; ++py)
    for (Integer px = 0; px < image.width; ++px) {
      const COLORREF c = sheet.At(px, py);
      image.pixels.push_back(0xFF000000u | (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c));
    }
  std::vector<uint8_t> png;
  ASSERT_TRUE(EncodePng(image, png, false));
  const std::filesystem::path folder = std::filesystem::path(root) / "editors";
  std::filesystem::create_directories(folder);
  std::ofstream(folder / "painting.png", std::ios::binary)
      .write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
  EXPECT_GT(sheet.Count(Rect(0, 0, image.width, image.height), clHighlight), 0);
}

}  // namespace
