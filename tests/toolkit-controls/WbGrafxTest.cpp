// Gradients and transparent copies.

#include <gtest/gtest.h>

#include "WbTestSupport.h"
#include "toolkit/controls/WbGrafx.h"
#include "vcl/Graphics.h"

namespace {
const TGradientDirection kAllDirections[] = {gdDiagonalUp,     gdDiagonalDown,   gdHorizontalEnd, gdHorizontalCenter,
                                             gdHorizontalBox,  gdVerticalEnd,    gdVerticalCenter, gdVerticalBox,
                                             gdSquareBox,      gdBigSquareBox};
}

TEST(WbGradients, EqualColoursFillSolidInEveryDirection) {
  for (TGradientDirection d : kAllDirections) {
    SCOPED_TRACE(int(d));
    TBitmap bitmap;
    FillBitmap(bitmap, 30, 20, clWhite);
    PaintGradientArea(bitmap.GetCanvas(), {0, 0, 30, 20}, d, clRed, clRed, 1);
    EXPECT_EQ(CountPixels(bitmap, 0x0000FF), 600);
  }
}

TEST(WbGradients, EmptyAreaPaintsNothingAndNegativeExtentsKeepTheirSize) {
  TBitmap bitmap;
  FillBitmap(bitmap, 10, 10, clWhite);
  PaintGradientArea(bitmap.GetCanvas(), {2, 2, 2, 8}, gdVerticalEnd, clRed, clBlue, 1);
  PaintGradientArea(bitmap.GetCanvas(), {2, 2, 8, 2}, gdVerticalEnd, clRed, clBlue, 1);
  EXPECT_EQ(CountPixels(bitmap, 0xFFFFFF), 100);
  PaintGradientArea(bitmap.GetCanvas(), {2, 2, -2, -2}, gdHorizontalEnd, clRed, clRed, 1);
  EXPECT_EQ(CountPixels(bitmap, 0x0000FF), 16);
  EXPECT_EQ(PixelAt(bitmap, 5, 5), 0x0000FFu);
}

TEST(WbGradients, LinearEndsAndCentres) {
  struct Case {
    TGradientDirection Direction;
    Integer Width, Height;
    TPoint StartAt, StopAt;
  };
  const Case kCases[] = {
      {gdVerticalEnd, 40, 1, {0, 0}, {39, 0}},       // one line still runs left to right
      {gdHorizontalEnd, 12, 40, {5, 0}, {5, 39}},
      {gdVerticalCenter, 41, 10, {0, 5}, {20, 5}},
      {gdHorizontalCenter, 10, 41, {5, 40}, {5, 20}},
      {gdSquareBox, 41, 41, {0, 0}, {20, 20}},
      {gdDiagonalUp, 30, 30, {0, 29}, {29, 0}},
      {gdDiagonalDown, 30, 30, {0, 0}, {29, 29}},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(int(c.Direction));
    TBitmap bitmap;
    FillBitmap(bitmap, c.Width, c.Height, clWhite);
    PaintGradientArea(bitmap.GetCanvas(), {0, 0, c.Width, c.Height}, c.Direction, clBlack, clWhite, 1);
    // Within a step or two of the ends.
    EXPECT_LE(PixelAt(bitmap, c.StartAt.X, c.StartAt.Y) & 0xFF, 0x18u);
    EXPECT_GE(PixelAt(bitmap, c.StopAt.X, c.StopAt.Y) & 0xFF, 0xE4u);
    EXPECT_EQ(CountPixels(bitmap, 0xFFFFFF) + CountPixels(bitmap, 0) < c.Width * c.Height, true);
  }
}

TEST(WbGradients, BoxGradientsAreSymmetric) {
  for (TGradientDirection d : {gdSquareBox, gdBigSquareBox, gdHorizontalBox, gdVerticalBox}) {
    for (Integer w : {20, 21}) {
      SCOPED_TRACE(testing::Message() << int(d) << " width " << w);
      TBitmap bitmap;
      FillBitmap(bitmap, w, 15, clWhite);
      PaintGradientArea(bitmap.GetCanvas(), {0, 0, w, 15}, d, clNavy, clYellow, 1);
      for (Integer y = 0; y < 15; ++y)
        for (Integer x = 0; x < w; ++x) {
          ASSERT_EQ(PixelAt(bitmap, x, y), PixelAt(bitmap, w - 1 - x, y)) << x << "," << y;
          ASSERT_EQ(PixelAt(bitmap, x, y), PixelAt(bitmap, x, 14 - y)) << x << "," << y;
        }
      // The corner is near the edge colour, the centre is the centre colour.
      EXPECT_GE(PixelAt(bitmap, 0, 0) >> 16, 0x40u);
      EXPECT_EQ(PixelAt(bitmap, w / 2, 7), 0x00FFFFu);
    }
  }
  // Too small for a box: one fill in the edge colour.
  TBitmap bitmap;
  FillBitmap(bitmap, 4, 20, clWhite);
  PaintGradientArea(bitmap.GetCanvas(), {0, 0, 4, 20}, gdSquareBox, clNavy, clYellow, 1);
  EXPECT_EQ(CountPixels(bitmap, 0x800000), 80);
}

TEST(WbTransparency, TilesAreCutAtTheEdges) {
  TBitmap tile;
  FillBitmap(tile, 16, 16, clOlive);
  tile.GetCanvas()->SetPixel(0, 0, clRed);
  tile.GetCanvas()->SetPixel(15, 15, clBlue);
  TBitmap target;
  FillBitmap(target, 40, 20, clWhite);
  PaintTransparentTiled(target.GetCanvas(), &tile, {0, 0, 40, 20}, clOlive);
  // Tiles start at 0, 16 and 32 across and at 0 and 16 down; the last ones are cut.
  EXPECT_EQ(CountPixels(target, 0x0000FF), 6);
  EXPECT_EQ(CountPixels(target, 0xFF0000), 2);
  EXPECT_EQ(PixelAt(target, 16, 16), 0x0000FFu);
  EXPECT_EQ(PixelAt(target, 31, 15), 0xFF0000u);
  EXPECT_EQ(CountPixels(target, 0xFFFFFF), 800 - 8);
  EXPECT_EQ(target.GetCanvas()->GetCopyMode(), cmSrcCopy);
}

TEST(WbTransparency, FullCopyGoesToTheDestinationsPlace) {
  TBitmap image;
  FillBitmap(image, 4, 4, clOlive);
  image.GetCanvas()->GetBrush()->SetColor(clRed);
  image.GetCanvas()->FillRect({1, 1, 3, 3});
  TBitmap target;
  FillBitmap(target, 10, 10, clWhite);
  PaintTransparentBitmapFull(target.GetCanvas(), &image, {5, 5, 9, 9}, {0, 0, 4, 4}, clOlive);
  EXPECT_EQ(CountPixels(target, 0x0000FF), 4);
  EXPECT_EQ(PixelAt(target, 6, 6), 0x0000FFu);
  EXPECT_EQ(PixelAt(target, 5, 5), 0xFFFFFFu);
  // Stretched twice as large.
  FillBitmap(target, 10, 10, clWhite);
  PaintTransparentStretched(target.GetCanvas(), &image, {0, 0, 8, 8}, clOlive);
  EXPECT_EQ(CountPixels(target, 0x0000FF), 16);
  EXPECT_EQ(CountPixels(target, 0xFFFFFF), 84);
}
