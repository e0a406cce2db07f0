#include <gtest/gtest.h>

#include <vector>

#include "gdi/Drawing.h"
#include "gdi/GdiObjects.h"
#include "gdi/Modules.h"
#include "gdi/MsImg32.h"
#include "tests/gdi/PixelCanvas.h"
#include "toolkit/foundation/qzOffice11.h"
#include "vcl/GraphicClasses.h"

namespace {

// The classic scheme: face (212, 208, 200), window white, shadow (128, 128, 128).
class Office11Table : public testing::Test {
 protected:
  void SetUp() override {
    heldBefore = Office11ColorsRefCount();  // the palette listener holds one while it lives
    Office11ColorsAddRef();
  }
  void TearDown() override { Office11ColorsRelease(); }

  Integer heldBefore = 0;
};

TEST_F(Office11Table, ClassicDesktopFollowsTheSystemColourRules) {
  EXPECT_EQ(Office11SchemeIndex(), 0);
  EXPECT_FALSE(Office11SchemeInUse());
  EXPECT_EQ(Office11SplitPercent(), 75);
  struct Case {
    Integer slot;
    COLORREF rgb;
  };
  // Mixes worked by hand: each channel MulDiv(c1, P, 100) + MulDiv(c2, 100 - P, 100).
  const Case cases[] = {
      {0, RGB(212, 208, 200)},   // face
      {2, RGB(246, 245, 243)},   // face and window at 22 %
      {3, RGB(214, 210, 202)},   // at 96 %
      {4, RGB(161, 161, 161)},   // shadow and window at 74 %
      {19, RGB(255, 255, 255)},  // window
      {21, RGB(255, 255, 255)},
      {26, RGB(246, 245, 243)},  // = slot 2
      {33, RGB(214, 210, 202)},  // = slot 3
      {36, RGB(226, 225, 224)},  // slot 2 and black at 92 %
      {79, RGB(158, 174, 191)},  // the fixed colours
      {80, RGB(46, 70, 95)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.slot);
    EXPECT_EQ(ColorToRGB(Office11Color(c.slot)), c.rgb);
  }
  EXPECT_NE(Office11Brush(0), nullptr);
  EXPECT_EQ(Office11Brush(11), Office11Brush(4));  // B11 shares B4's brush
  EXPECT_EQ(Office11ColorsRefCount(), heldBefore + 1);
}

TEST_F(Office11Table, SubMenuGlyphIsRespreadOverTheSchemeColours) {
  TBitmap* glyph = Office11SubMenuExpandBitmap();
  ASSERT_NE(glyph, nullptr);
  HDC dc = glyph->GetCanvas()->GetHandle();
  EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 0, 255));  // the key stays
  // The arrow's darkest shade (its base) takes slot 3, its lightest (the tip) slot 2.
  EXPECT_EQ(GetPixel(dc, 1, 4), ColorToRGB(Office11Color(3)));
  EXPECT_EQ(GetPixel(dc, 4, 4), ColorToRGB(Office11Color(2)));
  ASSERT_NE(Office11ExpandButtonBitmap(true), nullptr);
  EXPECT_EQ(Office11ExpandButtonBitmap(false)->GetWidth(), 11);
}

TEST(Office11Colors, ArithmeticOnChannels) {
  EXPECT_EQ(ColorMix(RGB(200, 0, 100), RGB(0, 200, 100), 25), RGB(50, 150, 100));
  EXPECT_EQ(ColorMix(RGB(255, 255, 255), RGB(0, 0, 0), -1), RGB(0, 0, 0));  // never below 0
  EXPECT_EQ(ColorScaled(RGB(10, 30, 200), 50), RGB(5, 15, 100));
  EXPECT_EQ(ColorScaled(RGB(5, 15, 255), 50), RGB(2, 8, 128));  // halves to even
  EXPECT_EQ(ColorWhitened(RGB(0, 255, 55), 50), RGB(127, 255, 155));
  EXPECT_EQ(NavPaneCaptionColor(true), RGB(233, 231, 227));
  EXPECT_FALSE(HighContrastBlackFace());
}

TEST_F(Office11Table, SplitGradientOverOneAndTwoPixels) {
  PixelCanvas canvas(2, 1);
  const COLORREF c1 = RGB(200, 100, 0), c2 = RGB(0, 100, 200);
  // The middle colour with the classic split of 75 %: c1 - MulDiv(c1 - c2, 75, 200).
  const COLORREF middle = RGB(125, 100, 75);
  PaintSplitGradient(canvas.dc(), {0, 0, 1, 1}, c1, c2, true);
  EXPECT_EQ(canvas.At(0, 0), middle);
  PaintSplitGradient(canvas.dc(), {0, 0, 2, 1}, c1, c2, true);
  EXPECT_EQ(canvas.At(0, 0), c1);
  EXPECT_EQ(canvas.At(1, 0), middle);
}

std::vector<ULONG> gradientCalls;
BOOL RecordingGradientFill(HDC, const TRIVERTEX*, ULONG, const void*, ULONG, ULONG mode) {
  gradientCalls.push_back(mode);
  return TRUE;
}

TEST(Office11Gradients, ServiceOnlyForTwoColoursSoftwareBandsWithout) {
  const ModuleExport recording[] = {{"GradientFill", ExportOf(&RecordingGradientFill)}};
  RegisterModule("msimg32", recording);
  qzOffice11End();
  qzOffice11Start();
  PixelCanvas canvas(4, 2);
  PaintGradientRect(canvas.dc(), {0, 0, 4, 2}, clRed, clRed, true);
  EXPECT_TRUE(gradientCalls.empty());
  EXPECT_EQ(canvas.At(3, 1), RGB(255, 0, 0));
  PaintGradientRect(canvas.dc(), {0, 0, 4, 2}, clRed, clBlue, false);
  EXPECT_EQ(gradientCalls, (std::vector<ULONG>{GRADIENT_FILL_RECT_V}));

  RegisterModule("msimg32", {});  // the library without its gradient service
  qzOffice11End();
  qzOffice11Start();
  PaintGradientRect(canvas.dc(), {0, 0, 4, 2}, RGB(0, 0, 0), RGB(0, 0, 255), true);
  const COLORREF bands[] = {RGB(0, 0, 0), RGB(0, 0, 85), RGB(0, 0, 170), RGB(0, 0, 255)};
  for (int x = 0; x < 4; ++x) EXPECT_EQ(canvas.At(x, 1), bands[x]) << x;
  EXPECT_EQ(GradientColorAt({0, 0, 4, 2}, 2, RGB(0, 0, 0), RGB(0, 0, 255), true), bands[2]);

  MsImg32Start();
  qzOffice11End();
  qzOffice11Start();
}

TEST_F(Office11Table, GripDotsAndArrowsOnPixels) {
  PixelCanvas canvas(12, 10);
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
  Office11PaintGripDots(canvas.dc(), {0, 0, 4, 8}, true, red, blue);
  EXPECT_EQ(canvas.Map()[0].substr(0, 4), "rr..");
  EXPECT_EQ(canvas.Map()[1].substr(0, 4), "rrb.");
  EXPECT_EQ(canvas.Map()[2].substr(0, 4), ".bb.");
  EXPECT_EQ(canvas.Map()[5].substr(0, 4), "rrb.");
  EXPECT_EQ(canvas.Map()[8].substr(0, 4), "....");
  DeleteObject(red);
  DeleteObject(blue);

  // 10 wide: d = 2 gives the smallest arrow, size 3, its tip at (4, 5).
  canvas.Clear(RGB(255, 255, 255));
  Office11PaintItemArrow(canvas.dc(), {0, 0, 10, 10}, true, true, false);
  const COLORREF text = ColorToRGB(Office11Color(51));
  EXPECT_EQ(canvas.At(2, 3), text);
  EXPECT_EQ(canvas.At(6, 3), text);
  EXPECT_EQ(canvas.At(4, 5), text);
  EXPECT_NE(canvas.At(1, 3), text);
  EXPECT_NE(canvas.At(4, 6), text);
  EXPECT_EQ(canvas.CountOf(text), 9);
}

}  // namespace
