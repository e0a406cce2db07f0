// Copies through a transparency mask, and the push-button face.

#include <gtest/gtest.h>

#include "vcl/Buttons.h"
#include "vcl/Graphics.h"
#include "vcl/GraphicsBlits.h"

namespace {
COLORREF Pixel(TBitmap& Bitmap, Integer X, Integer Y) { return ColorToRGB(Bitmap.GetCanvas()->GetPixel(X, Y)); }
void Fill(TBitmap& Bitmap, Integer W, Integer H, TColor Color) {
  Bitmap.SetSize(W, H);
  Bitmap.GetCanvas()->GetBrush()->SetColor(Color);
  Bitmap.GetCanvas()->FillRect({0, 0, W, H});
}
}  // namespace

TEST(GraphicsBlits, TransparentStretchBltCopiesOnlyWhereTheMaskIsBlack) {
  TBitmap source, mask, target;
  Fill(source, 2, 2, clRed);
  mask.SetMonochrome(true);
  Fill(mask, 2, 2, clWhite);
  mask.GetCanvas()->SetPixel(0, 0, clBlack);
  Fill(target, 6, 6, clBlue);
  // Twice as large, at (2, 2).
  TransparentStretchBlt(target.GetCanvas()->GetHandle(), 2, 2, 4, 4, source.GetCanvas()->GetHandle(), 0, 0, 2, 2,
                        mask.GetCanvas()->GetHandle(), 0, 0);
  EXPECT_EQ(Pixel(target, 2, 2), 0x0000FFu);
  EXPECT_EQ(Pixel(target, 3, 3), 0x0000FFu);
  EXPECT_EQ(Pixel(target, 4, 4), 0xFF0000u);
  EXPECT_EQ(Pixel(target, 1, 1), 0xFF0000u);
}

TEST(GraphicsBlits, ButtonFaceLeavesTheFaceInsideTheBorder) {
  struct Case {
    TButtonStyle Style;
    bool Down, Focused;
    TRect Face;
  };
  const Case kCases[] = {{bsNew, false, false, {2, 2, 18, 18}},
                         {bsNew, true, false, {2, 2, 18, 18}},
                         {bsNew, false, true, {3, 3, 17, 17}},
                         {bsWin31, false, false, {3, 3, 17, 17}}};
  for (const auto& c : kCases) {
    TBitmap bitmap;
    Fill(bitmap, 20, 20, clWhite);
    TRect face = DrawButtonFace(bitmap.GetCanvas(), {0, 0, 20, 20}, 2, c.Style, true, c.Down, c.Focused);
    EXPECT_EQ(face, c.Face);
    EXPECT_EQ(Pixel(bitmap, 10, 10), ColorToRGB(clBtnFace));
  }
}
