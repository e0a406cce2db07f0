#include <gtest/gtest.h>

#include "PixelCanvas.h"

namespace {

// With pattern 0xF0, source 0xCC and destination 0xAA in every channel, a raster operation leaves
// its own index byte in every channel: one run checks the whole truth table of each code.
TEST(Blits, EveryRasterOperationFollowsItsTruthTable) {
  PixelCanvas source(1, 1, RGB(0xCC, 0xCC, 0xCC));
  PixelCanvas dest(1, 1);
  HBRUSH pattern = CreateSolidBrush(RGB(0xF0, 0xF0, 0xF0));
  SelectObject(dest.dc(), pattern);
  for (DWORD index = 0; index < 256; ++index) {
    dest.Clear(RGB(0xAA, 0xAA, 0xAA));
    ASSERT_TRUE(BitBlt(dest.dc(), 0, 0, 1, 1, source.dc(), 0, 0, index << 16));
    ASSERT_EQ(dest.At(0, 0), RGB(index, index, index)) << "rop " << index;
  }
  struct Named {
    DWORD rop;
    BYTE expected;
  };
  const Named named[] = {{SRCCOPY, 0xCC},   {SRCPAINT, 0xEE},   {SRCAND, 0x88},    {SRCINVERT, 0x66},
                         {MERGECOPY, 0xC0}, {PATINVERT, 0x5A},  {DSTINVERT, 0x55}, {0x00B8074A, 0xB8},
                         {PATCOPY, 0xF0},   {WHITENESS, 0xFF},  {BLACKNESS, 0x00}, {0x00220326, 0x22}};
  for (const Named& n : named) {
    dest.Clear(RGB(0xAA, 0xAA, 0xAA));
    BitBlt(dest.dc(), 0, 0, 1, 1, source.dc(), 0, 0, n.rop);
    EXPECT_EQ(dest.At(0, 0), RGB(n.expected, n.expected, n.expected)) << std::hex << n.rop;
  }
  SelectObject(dest.dc(), GetStockObject(WHITE_BRUSH));
  DeleteObject(pattern);
}

TEST(Blits, SourceCopyKeepsAlphaAndPatBltUsesTheBrush) {
  PixelCanvas source(2, 1);
  PixelCanvas dest(2, 1);
  source.SetRaw(0, 0, 0x80112233);
  BitBlt(dest.dc(), 0, 0, 2, 1, source.dc(), 0, 0, SRCCOPY);
  EXPECT_EQ(dest.Raw(0, 0), 0x80112233u);
  SelectObject(dest.dc(), GetStockObject(BLACK_BRUSH));
  PatBlt(dest.dc(), 1, 0, 1, 1, PATCOPY);
  EXPECT_EQ(dest.Map()[0], "?#");
  PatBlt(dest.dc(), 0, 0, 2, 1, DSTINVERT);
  EXPECT_EQ(dest.Map()[0][1], '.');
  EXPECT_FALSE(PatBlt(dest.dc(), 0, 0, 1, 1, SRCCOPY));  // PatBlt has no source
}

TEST(Blits, MonochromeSourcesAndDestinationsUseTextAndBackgroundColours) {
  const BYTE rows[2] = {0x50, 0};  // 0 1 0 1
  HBITMAP mono = CreateBitmap(4, 1, 1, 1, rows);
  HDC monoDc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(monoDc, mono);
  PixelCanvas colour(4, 1);
  SetTextColor(colour.dc(), RGB(255, 0, 0));
  SetBkColor(colour.dc(), RGB(0, 0, 255));
  BitBlt(colour.dc(), 0, 0, 4, 1, monoDc, 0, 0, SRCCOPY);
  EXPECT_EQ(colour.Map()[0], "rbrb");

  // Back to monochrome: the source DC's background colour becomes white, the rest black.
  SetBkColor(colour.dc(), RGB(255, 0, 0));
  BitBlt(monoDc, 0, 0, 4, 1, colour.dc(), 0, 0, SRCCOPY);
  EXPECT_EQ(GetPixel(monoDc, 0, 0), RGB(255, 255, 255));
  EXPECT_EQ(GetPixel(monoDc, 1, 0), RGB(0, 0, 0));
  SelectObject(monoDc, old);
  DeleteDC(monoDc);
  DeleteObject(mono);
}

TEST(Blits, FreshMemoryDcMakesMonochromeCompatibleBitmaps) {
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(dc, 4, 4);
  BITMAP info;
  ASSERT_EQ(GetObject(bitmap, sizeof(info), &info), static_cast<int>(sizeof(BITMAP)));
  EXPECT_EQ(info.bmBitsPixel, 1);
  PixelCanvas canvas(2, 2);
  HBITMAP colour = CreateCompatibleBitmap(canvas.dc(), 4, 4);
  GetObject(colour, sizeof(info), &info);
  EXPECT_EQ(info.bmBitsPixel, 32);
  DeleteObject(colour);
  DeleteObject(bitmap);
  DeleteDC(dc);
}

TEST(Blits, OverlappingCopyWithinOneSurfaceAndPartlyMissingSource) {
  PixelCanvas canvas(4, 2);
  SetPixel(canvas.dc(), 0, 0, RGB(255, 0, 0));
  SetPixel(canvas.dc(), 1, 0, RGB(0, 255, 0));
  SetPixel(canvas.dc(), 0, 1, RGB(0, 0, 255));
  BitBlt(canvas.dc(), 1, 0, 3, 2, canvas.dc(), 0, 0, SRCCOPY);
  EXPECT_EQ(canvas.Map(), (Rows{"rrg.", "bb.."}));
  BitBlt(canvas.dc(), 0, 1, 4, 1, canvas.dc(), 0, 0, SRCCOPY);
  EXPECT_EQ(canvas.Map()[1], "rrg.");
  PixelCanvas small(1, 1, RGB(0, 0, 0));
  BitBlt(canvas.dc(), 0, 0, 4, 2, small.dc(), -1, 0, SRCCOPY);  // only source pixel (0, 0) exists
  EXPECT_EQ(canvas.Map()[0], "r#g.");
}

TEST(Blits, StretchMirrorsAndAverages) {
  PixelCanvas source(4, 1);
  SetPixel(source.dc(), 0, 0, RGB(255, 0, 0));
  SetPixel(source.dc(), 1, 0, RGB(0, 255, 0));
  SetPixel(source.dc(), 2, 0, RGB(0, 0, 255));
  PixelCanvas dest(4, 1);
  StretchBlt(dest.dc(), 3, 0, -4, 1, source.dc(), 0, 0, 4, 1, SRCCOPY);
  EXPECT_EQ(dest.Map()[0], ".bgr");
  StretchBlt(dest.dc(), 0, 0, 4, 1, source.dc(), 3, 0, -4, 1, SRCCOPY);
  EXPECT_EQ(dest.Map()[0], ".bgr");
  PixelCanvas wide(8, 1);
  StretchBlt(wide.dc(), 0, 0, 8, 1, source.dc(), 0, 0, 4, 1, SRCCOPY);
  EXPECT_EQ(wide.Map()[0], "rrggbb..");

  PixelCanvas stripes(4, 1, RGB(0, 0, 0));
  SetPixel(stripes.dc(), 1, 0, RGB(255, 255, 255));
  SetPixel(stripes.dc(), 3, 0, RGB(255, 255, 255));
  PixelCanvas half(2, 1);
  SetStretchBltMode(half.dc(), HALFTONE);
  StretchBlt(half.dc(), 0, 0, 2, 1, stripes.dc(), 0, 0, 4, 1, SRCCOPY);
  EXPECT_EQ(half.At(0, 0), RGB(128, 128, 128));
  SetStretchBltMode(half.dc(), COLORONCOLOR);
  StretchBlt(half.dc(), 0, 0, 2, 1, stripes.dc(), 0, 0, 4, 1, SRCCOPY);
  EXPECT_EQ(half.At(0, 0), RGB(0, 0, 0));
}

TEST(Blits, TransparentBltSkipsTheKeyColour) {
  PixelCanvas source(3, 1, RGB(255, 0, 255));
  SetPixel(source.dc(), 1, 0, RGB(0, 0, 255));
  PixelCanvas dest(3, 1);
  EXPECT_TRUE(TransparentBlt(dest.dc(), 0, 0, 3, 1, source.dc(), 0, 0, 3, 1, RGB(255, 0, 255)));
  EXPECT_EQ(dest.Map()[0], ".b.");
}

TEST(Blits, MaskBltPicksForegroundWhereTheMaskIsSet) {
  const BYTE rows[2] = {0xA0, 0};  // 1 0 1 0
  HBITMAP mask = CreateBitmap(4, 1, 1, 1, rows);
  PixelCanvas source(4, 1, RGB(255, 0, 0));
  PixelCanvas dest(4, 1, RGB(0, 0, 255));
  EXPECT_TRUE(MaskBlt(dest.dc(), 0, 0, 4, 1, source.dc(), 0, 0, mask, 0, 0, MAKEROP4(SRCCOPY, 0x00AA0029)));
  EXPECT_EQ(dest.Map()[0], "rbrb");
  DeleteObject(mask);
}

TEST(Blits, AlphaBlendConstantAndPremultiplied) {
  PixelCanvas source(1, 1, RGB(255, 255, 255));
  PixelCanvas dest(1, 1, RGB(0, 0, 0));
  BLENDFUNCTION constant{AC_SRC_OVER, 0, 128, 0};
  EXPECT_TRUE(AlphaBlend(dest.dc(), 0, 0, 1, 1, source.dc(), 0, 0, 1, 1, constant));
  EXPECT_EQ(dest.At(0, 0), RGB(128, 128, 128));

  source.SetRaw(0, 0, 0x80404040);  // half-transparent grey, premultiplied
  dest.Clear(RGB(255, 255, 255));
  BLENDFUNCTION perPixel{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  AlphaBlend(dest.dc(), 0, 0, 1, 1, source.dc(), 0, 0, 1, 1, perPixel);
  EXPECT_EQ(dest.At(0, 0), RGB(0xBF, 0xBF, 0xBF));
  EXPECT_FALSE(AlphaBlend(dest.dc(), 0, 0, 1, 1, source.dc(), 0, 0, 2, 1, perPixel));  // outside the source
}

TEST(Blits, GradientFillRectanglesAndTriangles) {
  PixelCanvas canvas(256, 2);
  TRIVERTEX v[2] = {{0, 0, 0, 0, 0, 0}, {256, 1, 0xFF00, 0, 0, 0}};
  GRADIENT_RECT r{0, 1};
  EXPECT_TRUE(GradientFill(canvas.dc(), v, 2, &r, 1, GRADIENT_FILL_RECT_H));
  EXPECT_EQ(canvas.At(0, 0), RGB(0, 0, 0));
  EXPECT_EQ(canvas.At(128, 0), RGB(127, 0, 0));
  EXPECT_EQ(canvas.At(0, 1), RGB(255, 255, 255));
  // One pixel wide, and zero wide: no division by zero.
  TRIVERTEX one[2] = {{5, 1, 0x8000, 0x8000, 0, 0}, {6, 2, 0xFF00, 0xFF00, 0xFF00, 0}};
  EXPECT_TRUE(GradientFill(canvas.dc(), one, 2, &r, 1, GRADIENT_FILL_RECT_H));
  EXPECT_EQ(canvas.At(5, 1), RGB(128, 128, 0));
  TRIVERTEX none[2] = {{7, 1, 0, 0, 0, 0}, {7, 2, 0, 0, 0, 0}};
  EXPECT_TRUE(GradientFill(canvas.dc(), none, 2, &r, 1, GRADIENT_FILL_RECT_V));
  EXPECT_EQ(canvas.At(7, 1), RGB(255, 255, 255));
  TRIVERTEX tri[3] = {{10, 0, 0xFF00, 0, 0, 0}, {20, 0, 0xFF00, 0, 0, 0}, {10, 2, 0xFF00, 0, 0, 0}};
  GRADIENT_TRIANGLE t{0, 1, 2};
  EXPECT_TRUE(GradientFill(canvas.dc(), tri, 3, &t, 1, GRADIENT_FILL_TRIANGLE));
  EXPECT_EQ(canvas.At(11, 0), RGB(255, 0, 0));
  GRADIENT_RECT bad{0, 5};
  EXPECT_FALSE(GradientFill(canvas.dc(), v, 2, &bad, 1, GRADIENT_FILL_RECT_H));
}

}  // namespace
