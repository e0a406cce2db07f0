#include <gtest/gtest.h>

#include <memory>

#include "gdi/Gdi.h"
#include "toolkit/foundation/kvGraphics.h"

namespace {

COLORREF PixelOf(TBitmap& B, Integer X, Integer Y) { return GetPixel(B.GetCanvas()->GetHandle(), X, Y); }

}  // namespace

TEST(KvResampling, ContributorsStayInsideTinySources) {
  for (Integer source : {1, 2, 3}) {
    for (Integer dest : {1, 2, 9, 40}) {
      SCOPED_TRACE(testing::Message() << source << " -> " << dest);
      const Double scale = source == 1 ? Double(dest) : dest == 1 ? 1.0 / source : Double(dest - 1) / (source - 1);
      const TContributorList list = BuildContributors(source, dest, scale);
      ASSERT_EQ(list.size(), size_t(dest));
      for (const TContributorArray& entry : list)
        for (const TContributor& c : entry) {
          EXPECT_GE(c.Pixel, 0);
          EXPECT_LT(c.Pixel, source);
        }
    }
  }
  EXPECT_DOUBLE_EQ(LanczosWeight(0), 1.0);
  EXPECT_EQ(LanczosWeight(3), 0.0);
}

// Weights are whole 1/256 steps and not normalised, so a flat colour may drift a few levels.
TEST(KvResampling, LanczosKeepsAUniformColourAndHandlesOnePixelSizes) {
  struct Case {
    Integer sw, sh, w, h;
  };
  const Case cases[] = {{2, 2, 9, 9}, {8, 8, 1, 1}, {1, 5, 7, 1}, {5, 3, 2, 6}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.sw << "x" << c.sh << " -> " << c.w << "x" << c.h);
    TkvBitmap source(c.sw, c.sh, 0xFF306090);
    TkvBitmap dest(c.w, c.h);
    ResampleBitmap(&source, &dest, true);
    for (Integer y = 0; y < c.h; ++y)
      for (Integer x = 0; x < c.w; ++x) {
        const COLORREF p = PixelOf(dest, x, y);
        EXPECT_NEAR(GetRValue(p), 0x30, 6);
        EXPECT_NEAR(GetGValue(p), 0x60, 6);
        EXPECT_NEAR(GetBValue(p), 0x90, 6);
      }
  }
}

TEST(KvGlyphRenderer, NothingToDrawLeavesTheDCUntouched) {
  TkvBitmap target(6, 6, 0xFF123456);
  TkvImageList list(nullptr, 4, 4);
  DrawGlyphOrListImage(target.GetCanvas()->GetHandle(), Rect(0, 0, 4, 4), Rect(0, 0, 6, 6), false, clNone, nullptr,
                       false, gdmNormal, 3, &list, nullptr);
  EXPECT_EQ(PixelOf(target, 1, 1), 0x563412u);
}
