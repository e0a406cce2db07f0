// Colour maths, the Office 2003 scheme and the classic expand box.

#include <gtest/gtest.h>

#include <memory>

#include "gdi/Gdi.h"
#include "rtl/Exceptions.h"
#include "toolkit/inspector/JyConsts.h"
#include "toolkit/inspector/JyInspectorCommon.h"
#include "toolkit/inspector/JySharedDraw.h"

TEST(JySharedDraw, ColourMathsRoundsAsSpecified) {
  struct Case {
    const char* what;
    TColor got;
    COLORREF expected;
  };
  const Case cases[] = {
      {"blend halfway rounds half to even", TGraphicsProvider::BlendColor(clBlack, clWhite, 0.5), RGB(128, 128, 128)},
      {"blend at 0 keeps the first colour", TGraphicsProvider::BlendColor(RGB(10, 20, 30), clWhite, 0), RGB(10, 20, 30)},
      {"blend resolves system colours", TGraphicsProvider::BlendColor(clWindow, clWindow, 0.3), ColorToRGB(clWindow)},
      {"mix white over black at 255", TMaskProvider::MixColors(clWhite, clBlack, 255), RGB(254, 254, 254)},
      {"mix at 0 is almost the second", TMaskProvider::MixColors(clWhite, clBlack, 0), RGB(0, 0, 0)},
      {"blend colours is the mix", BlendColors(RGB(200, 100, 0), RGB(0, 100, 200), 128), RGB(100, 99, 99)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(static_cast<COLORREF>(c.got), c.expected);
  }
  EXPECT_THROW(TMaskProvider::MixColors(clWhite, clBlack, 256), EAssertionFailed);
  EXPECT_THROW(BlendColors(clWhite, clBlack, 300), EAssertionFailed);
}

TEST(JySharedDraw, OfficeColoursWithoutThemes) {
  EXPECT_EQ(OfficeColor(13), clNone);
  EXPECT_EQ(OfficeColor(-1), clNone);
  EXPECT_EQ(OfficeColor(1), cl3DLight);
  EXPECT_EQ(OfficeColor(8), TColor(RGB(254, 145, 178)));
  EXPECT_EQ(OfficeColor(3), TColor(GetSysColor(COLOR_HOTLIGHT)));
}

TEST(JySharedDraw, ExpandBoxShowsPlusWhenCollapsed) {
  for (bool expanded : {false, true}) {
    SCOPED_TRACE(expanded);
    TBitmap bitmap;
    bitmap.SetPixelFormat(pf24bit);
    bitmap.SetSize(12, 12);
    TCanvas* canvas = bitmap.GetCanvas();
    canvas->GetBrush()->SetColor(clRed);
    canvas->FillRect(Rect(0, 0, 12, 12));
    DrawExpandBox(canvas, Point(1, 1), expanded, false, clBtnFace);
    const COLORREF ink = ColorToRGB(clWindowText), paper = ColorToRGB(clWindow);
    EXPECT_EQ(ColorToRGB(canvas->GetPixel(1, 1)), ink);     // frame
    EXPECT_EQ(ColorToRGB(canvas->GetPixel(9, 9)), ink);     // frame's far corner
    EXPECT_EQ(ColorToRGB(canvas->GetPixel(4, 5)), ink);     // minus bar
    EXPECT_EQ(ColorToRGB(canvas->GetPixel(5, 3)), expanded ? paper : ink);  // the plus's upright
    EXPECT_EQ(ColorToRGB(canvas->GetPixel(11, 11)), RGB(255, 0, 0));       // nothing outside
  }
}

TEST(JySharedDraw, GradientOfOneLineIsTheFirstColour) {
  TBitmap bitmap;
  bitmap.SetPixelFormat(pf24bit);
  bitmap.SetSize(8, 4);
  TCanvas* canvas = bitmap.GetCanvas();
  canvas->GetBrush()->SetColor(clRed);
  canvas->FillRect(Rect(0, 0, 8, 4));
  TGraphicsProvider::DrawGradient(canvas, Rect(0, 1, 8, 2), clBlue, clWhite);
  EXPECT_EQ(ColorToRGB(canvas->GetPixel(3, 1)), ColorToRGB(clBlue));
  EXPECT_EQ(ColorToRGB(canvas->GetPixel(3, 2)), RGB(255, 0, 0));
}

TEST(JySharedDraw, AlphaBitmapBlendsOverTheCanvas) {
  TBitmap picture;
  picture.SetPixelFormat(pf32bit);
  picture.SetSize(2, 1);
  auto* row = static_cast<uint32_t*>(picture.GetScanLine(0));
  row[0] = 0xFF0000FFu;  // opaque blue
  row[1] = 0x000000FFu;  // transparent
  TBitmap target;
  target.SetPixelFormat(pf24bit);
  target.SetSize(4, 1);
  target.GetCanvas()->GetBrush()->SetColor(clRed);
  target.GetCanvas()->FillRect(Rect(0, 0, 4, 1));
  DrawBitmap(target.GetCanvas(), 1, 0, &picture);
  EXPECT_EQ(ColorToRGB(target.GetCanvas()->GetPixel(1, 0)), RGB(0, 0, 254));
  EXPECT_EQ(ColorToRGB(target.GetCanvas()->GetPixel(2, 0)), RGB(254, 0, 0));
  TDrawProvider::DrawGraphic(target.GetCanvas(), 1, 0, &picture);
  EXPECT_EQ(ColorToRGB(target.GetCanvas()->GetPixel(1, 0)), RGB(0, 0, 255));
}

TEST(JyConsts, NameTablesAreComplete) {
  EXPECT_STREQ(WebColorNames[0], "transparent");
  EXPECT_STREQ(WebColorNames[280], "yellowgreen");
  EXPECT_STREQ(WebColorNames[281], "#9ACD32");
  EXPECT_STREQ(ColorConstantNames[51], "clWindowText");
}
