#include <gtest/gtest.h>

#include "RibbonTestSupport.h"
#include "gdi/Gdi.h"
#include "toolkit/ribbon/qzRibbonSkins.h"
#include "vcl/Graphics.h"

namespace {

// Whether a part's own picture has a pixel that is not fully transparent.
bool HasVisiblePixel(TqzSkinnedRect* Part) {
  GpBitmap* image = Part->GetImage();
  UINT w = 0, h = 0;
  GdipGetImageWidth(image, &w);
  GdipGetImageHeight(image, &h);
  GpRect all{0, 0, static_cast<INT>(w), static_cast<INT>(h)};
  BitmapData data;
  if (GdipBitmapLockBits(image, &all, ImageLockModeRead, PixelFormat32bppARGB, &data) != Ok) return false;
  bool visible = false;
  for (UINT y = 0; y < h && !visible; ++y)
    for (UINT x = 0; x < w && !visible; ++x)
      visible = (static_cast<const uint32_t*>(data.Scan0)[y * data.Stride / 4 + x] >> 24) != 0;
  GdipBitmapUnlockBits(image, &data);
  return visible;
}

TEST(RibbonSkins, TheThreeSchemesAreRegisteredInOrderWithEveryPartCut) {
  Integer tableParts = 0;
  for (const TqzRibbonCutRow& row : kRibbonCutRows)
    ForEachRibbonPart(row, [&](const TqzRibbonCutRow&, const TqzRibbonPiece&, int, int, int, int, int) { ++tableParts; });
  TqzBarSkinManager* manager = BarSkinManagerInstance();
  ASSERT_EQ(manager->GetSkinCount(), 3);
  const char* names[] = {"Blue", "Black", "Silver"};
  for (Integer i = 0; i < 3; ++i) {
    SCOPED_TRACE(names[i]);
    auto* skin = dynamic_cast<TqzCustomRibbonSkin*>(manager->GetSkin(i));
    ASSERT_NE(skin, nullptr);
    EXPECT_EQ(skin->GetName(), names[i]);
    EXPECT_EQ(skin->SchemeName(), names[i]);
    EXPECT_FALSE(skin->GetLowColors());
    EXPECT_EQ(skin->GetCount(), tableParts);  // every cutter together cuts each part once
    for (Integer e = 0; e < rseCount; ++e)
      for (Integer s = 0; s < 9; ++s) {
        TqzSkinnedRect* part = skin->Handles(static_cast<TqzRibbonSkinElement>(e))[s];
        if (!part) continue;
        SCOPED_TRACE(testing::Message() << "part " << part->GetID());
        // A resting tab is the tab row itself: its picture is empty on purpose.
        if (e == rseTab && s == 0) continue;
        EXPECT_TRUE(HasVisiblePixel(part));
      }
  }
  EXPECT_EQ(manager->FindSkin("silver"), manager->GetSkin(2));
}

TEST(RibbonSkins, AStateWithoutAPartDrawsNothing) {
  TqzCustomRibbonSkin* skin = RibbonSkin("Blue");
  RibbonSurface surface(30, 30, clFuchsia);
  for (Integer state : {0, 1}) skin->DrawSmallButton(surface.DC(), TRect{2, 2, 26, 26}, state);
  skin->DrawGroupBackground(surface.DC(), TRect{2, 2, 26, 26}, 1);
  EXPECT_TRUE(surface.IsAll(ColorToRGB(clFuchsia)));
  skin->DrawSmallButton(surface.DC(), TRect{2, 2, 26, 26}, 2);
  EXPECT_FALSE(surface.IsAll(ColorToRGB(clFuchsia)));
}

TEST(RibbonSkins, QuickAccessToolbarIsSkippedWhenItsWidthLessHalfItsHeightIsUnderThatHalf) {
  TqzCustomRibbonSkin* skin = RibbonSkin("Blue");
  struct Case {
    Integer width;
    bool drawn;
  };
  // Height 26: half 13; 25 - 13 < 13, 26 - 13 = 13.
  for (const Case& c : {Case{25, false}, Case{26, true}, Case{80, true}}) {
    SCOPED_TRACE(c.width);
    RibbonSurface surface(100, 30, clFuchsia);
    skin->DrawQuickAccessToolbar(surface.DC(), TRect{0, 0, c.width, 26}, true, false, false, false, false);
    EXPECT_EQ(!surface.IsAll(ColorToRGB(clFuchsia)), c.drawn);
  }
}

TEST(RibbonSkins, CaptionButtonsCentreTheirGlyphOnePixelDown) {
  TqzCustomRibbonSkin* skin = RibbonSkin("Black");
  RibbonSurface surface(25, 25, clFuchsia);
  skin->DrawCaptionButton(surface.DC(), TRect{0, 0, 25, 25}, 0, 3);  // close, no background
  // The 9 x 9 glyph at (8, 9): nothing drawn outside it.
  for (Integer y = 0; y < 25; ++y)
    for (Integer x = 0; x < 25; ++x) {
      if (x < 8 || x >= 17 || y < 9 || y >= 18) {
        ASSERT_EQ(surface.At(x, y), ColorToRGB(clFuchsia)) << x << "," << y;
      }
    }
  EXPECT_FALSE(surface.IsAll(ColorToRGB(clFuchsia)));
}

// On a low-colour screen every look is drawn in system colours.
class LowColorSkin : public testing::Test {
 protected:
  void SetUp() override { SetScreenBitsPerPixel(8); }
  void TearDown() override { SetScreenBitsPerPixel(0); }
};

TEST_F(LowColorSkin, StateFamiliesDrawAFrameAndAFill) {
  auto skin = NewRibbonSkin<TqzBlueRibbonSkin>();
  ASSERT_TRUE(skin->GetLowColors());
  struct Case {
    Integer state;
    TColor frame, fill;
  };
  const Case cases[] = {{2, clWhite, clHighlight}, {6, clWhite, clHighlight}, {4, clBtnShadow, clHighlight},
                        {0, clBtnShadow, clBtnFace}, {3, clBtnShadow, clBtnFace}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.state);
    RibbonSurface surface(20, 20, clFuchsia);
    skin->DrawSmallButton(surface.DC(), TRect{2, 2, 18, 18}, c.state);
    EXPECT_EQ(surface.At(2, 2), ColorToRGB(c.frame));
    EXPECT_EQ(surface.At(17, 10), ColorToRGB(c.frame));
    EXPECT_EQ(surface.At(10, 10), ColorToRGB(c.fill));
    EXPECT_EQ(surface.At(1, 1), ColorToRGB(clFuchsia));
  }
  RibbonSurface tab(20, 20, clFuchsia);
  skin->DrawTab(tab.DC(), TRect{0, 0, 20, 20}, 2);
  EXPECT_EQ(tab.At(0, 10), ColorToRGB(clWhite));
  EXPECT_EQ(tab.At(10, 19), ColorToRGB(clHighlight));  // open at the bottom
  // The size grip stays visible on a button-face status bar.
  RibbonSurface grip(14, 14, clBtnFace);
  skin->DrawStatusBarSizeGrip(grip.DC(), TRect{0, 0, 14, 14});
  EXPECT_FALSE(grip.IsAll(ColorToRGB(clBtnFace)));
}

}  // namespace

namespace {

TEST(RibbonAtlases, HaveTheirSizesAndNothingOutsideTheTablesRectangles) {
  struct Atlas {
    const char* name;
    TqzRibbonAtlas atlas;
  };
  const Atlas atlases[] = {{"RIBBONCOMMON", raCommon}, {"RIBBONBLUE", raScheme}, {"RIBBONBLACK", raScheme},
                           {"RIBBONSILVER", raScheme}, {"FORMBLUE", raForm},     {"FORMBLACK", raForm},
                           {"FORMSILVER", raForm}};
  for (const Atlas& a : atlases) {
    SCOPED_TRACE(a.name);
    GpBitmap* image = LoadRibbonAtlas(a.name);
    ASSERT_NE(image, nullptr);
    UINT w = 0, h = 0;
    GdipGetImageWidth(image, &w);
    GdipGetImageHeight(image, &h);
    EXPECT_EQ(static_cast<int>(w), kRibbonAtlasWidth[a.atlas]);
    EXPECT_EQ(static_cast<int>(h), kRibbonAtlasHeight[a.atlas]);
    std::vector<bool> covered(static_cast<size_t>(w) * h, false);
    for (const TqzRibbonCutRow& row : kRibbonCutRows) {
      if (row.atlas != a.atlas) continue;
      ForEachRibbonPart(row, [&](const TqzRibbonCutRow& r, const TqzRibbonPiece&, int, int, int, int x, int y) {
        for (int yy = y; yy < y + r.height; ++yy)
          for (int xx = x; xx < x + r.width; ++xx) covered[static_cast<size_t>(yy) * w + xx] = true;
      });
    }
    GpRect all{0, 0, static_cast<INT>(w), static_cast<INT>(h)};
    BitmapData data;
    ASSERT_EQ(GdipBitmapLockBits(image, &all, ImageLockModeRead, PixelFormat32bppARGB, &data), Ok);
    int stray = 0;
    for (UINT y = 0; y < h; ++y)
      for (UINT x = 0; x < w; ++x)
        if (!covered[static_cast<size_t>(y) * w + x] &&
            (static_cast<const uint32_t*>(data.Scan0)[y * data.Stride / 4 + x] >> 24) != 0)
          ++stray;
    GdipBitmapUnlockBits(image, &data);
    GdipDisposeImage(image);
    EXPECT_EQ(stray, 0);
  }
}

}  // namespace
