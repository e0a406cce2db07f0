// Drawing elements on pixels: state frames, nine parts, borders, fill and alpha, tiles, the
// element cache.

#include <gtest/gtest.h>

#include <functional>

#include "SkinsTestSupport.h"
#include "toolkit/skins/qzSkinsCore.h"

namespace {

constexpr COLORREF kBackground = 0x5A3C1E;

COLORREF Rgb(uint32_t Value) { return RGB(Value >> 16, (Value >> 8) & 0xFF, Value & 0xFF); }

struct ElementFixture {
  ElementFixture() : skin("Draw", false, nullptr), element(skin.AddGroup("Common")->AddElement("E")) {}
  TqzSkin skin;
  TqzSkinElement* element;
};

}  // namespace

TEST(SkinDraw, StateFramesPickTheirBlock) {
  ElementFixture f;
  TqzSkinImage* image = f.element->GetImage();
  // Six frames of 15 x 20: two images of normal, hot and pressed; frame k coloured 0x10 * (k + 1).
  SetPicture(image, 90, 20, [](Integer x, Integer) { return 0x10u * static_cast<uint32_t>(x / 15 + 1); });
  image->SetStates({esNormal, esHot, esPressed});
  f.element->SetImageCount(2);
  EXPECT_EQ(image->Size(), (TSize{15, 20}));
  EXPECT_EQ(image->GetStateRect(1, esHot), (TRect{60, 0, 75, 20}));
  struct Case {
    Integer index;
    TqzSkinElementState state;
    COLORREF expected;
  };
  const Case cases[] = {{1, esHot, Rgb(0x50)},      {0, esDisabled, Rgb(0x10)}, {0, esPressed, Rgb(0x30)},
                        {1, esNormal, Rgb(0x40)},   {2, esNormal, kBackground}, {9, esHot, kBackground}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.index * 100 + c.state);
    SkinSurface surface;
    f.element->Draw(surface.DC(), TRect{0, 0, 9, 9}, c.index, c.state);
    EXPECT_EQ(surface.At(4, 4), c.expected);
    EXPECT_EQ(surface.At(0, 8), c.expected);
  }
}

TEST(SkinDraw, MarginsShrinkOnSmallDestinations) {
  ElementFixture f;
  TqzSkinImage* image = f.element->GetImage();
  SetPicture(image, 30, 10, [](Integer, Integer) { return 0x808080u; });
  image->SetStates({esNormal});
  struct Case {
    TRect margins;
    TRect dest;
    TRect left, middle, right;
    bool middleVisible, rightVisible;
  };
  const Case cases[] = {
      // 10 + 10 on 12 pixels become 6 + 6; the middle column has no width.
      {{10, 0, 10, 0}, {0, 0, 12, 5}, {0, 0, 6, 5}, {6, 0, 6, 5}, {6, 0, 12, 5}, false, true},
      // No right margin: the left column covers the destination alone.
      {{10, 0, 0, 0}, {0, 0, 7, 5}, {0, 0, 7, 5}, {7, 0, 7, 5}, {7, 0, 7, 5}, false, false},
  };
  for (const Case& c : cases) {
    image->GetMargins()->AssignRect(c.margins);
    TRect parts[9];
    bool visible[9] = {true, true, true, true, true, true, true, true, true};
    image->CalculateParts(c.dest, parts, visible, true);
    EXPECT_EQ(parts[1], c.left);
    EXPECT_TRUE(visible[1]);
    EXPECT_EQ(parts[4], c.middle);
    EXPECT_EQ(visible[4], c.middleVisible);
    EXPECT_EQ(parts[7], c.right);
    EXPECT_EQ(visible[7], c.rightVisible);
  }
}

TEST(SkinDraw, StretchModesGradientsAndTiles) {
  ElementFixture f;
  TqzSkinImage* image = f.element->GetImage();
  image->SetStates({esNormal});

  // Unscaled and centred: a 3 x 3 frame in the middle of 9 x 9; a 12 x 12 frame overflows both sides.
  SetPicture(image, 3, 3, [](Integer, Integer) { return 0x00FF00u; });
  image->SetStretch(smNoResize);
  SkinSurface small;
  f.element->Draw(small.DC(), TRect{0, 0, 9, 9}, 0, esNormal);
  EXPECT_EQ(small.At(4, 4), Rgb(0x00FF00));
  EXPECT_EQ(small.At(3, 3), Rgb(0x00FF00));
  EXPECT_EQ(small.At(2, 2), kBackground);
  SetPicture(image, 12, 12, [](Integer, Integer) { return 0x00FF00u; });
  SkinSurface overflow(16, 16);
  f.element->Draw(overflow.DC(), TRect{4, 4, 12, 12}, 0, esNormal);
  EXPECT_EQ(overflow.At(2, 2), Rgb(0x00FF00)) << "the frame reaches past the rectangle on both sides";
  EXPECT_EQ(overflow.At(13, 13), Rgb(0x00FF00));
  EXPECT_EQ(overflow.At(1, 1), kBackground);
  EXPECT_EQ(overflow.At(14, 14), kBackground);

  // A gradient centre with no end colour is filled with the begin colour; the frame stays.
  SetPicture(image, 3, 3, [](Integer x, Integer y) { return x == 1 && y == 1 ? 0x0000FFu : 0xFF0000u; });
  image->SetStretch(smStretch);
  image->GetMargins()->AssignRect(TRect{1, 1, 1, 1});
  image->SetGradientBeginColor(RGB(0, 0xFF, 0xFF));
  SkinSurface gradient;
  f.element->Draw(gradient.DC(), TRect{0, 0, 9, 9}, 0, esNormal);
  EXPECT_EQ(gradient.At(4, 4), RGB(0, 0xFF, 0xFF));
  EXPECT_EQ(gradient.At(0, 4), Rgb(0xFF0000));
  EXPECT_EQ(gradient.At(8, 8), Rgb(0xFF0000));

  // Tiles repeat from the top-left and are cut at the far edges.
  image->SetGradientBeginColor(clNone);
  image->GetMargins()->AssignRect(TRect{});
  SetPicture(image, 2, 2, [](Integer x, Integer y) { return (x + y) % 2 ? 0xFFFFFFu : 0x000000u; });
  image->SetStretch(smTile);
  SkinSurface tiles;
  f.element->Draw(tiles.DC(), TRect{0, 0, 9, 9}, 0, esNormal);
  for (Integer x = 0; x < 9; ++x) EXPECT_EQ(tiles.At(x, 8), (x + 8) % 2 ? Rgb(0xFFFFFF) : Rgb(0)) << x;
}

TEST(SkinDraw, BordersFillAndGlyphWithoutAnImage) {
  ElementFixture f;
  TqzSkinBorders* borders = f.element->GetBorders();
  const COLORREF sides[4] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(255, 255, 0)};
  for (Integer side = 0; side < 4; ++side) borders->Items(side)->SetColor(static_cast<TColor>(sides[side]));
  borders->GetTop()->SetThin(2);
  f.element->SetColor(RGB(0x40, 0x40, 0x40));
  SkinSurface surface;
  f.element->Draw(surface.DC(), TRect{0, 0, 9, 9}, 0, esNormal);
  // Left first, then top over it, then right and bottom over those.
  EXPECT_EQ(surface.At(0, 0), sides[1]);
  EXPECT_EQ(surface.At(0, 4), sides[0]);
  EXPECT_EQ(surface.At(4, 1), sides[1]);
  EXPECT_EQ(surface.At(8, 4), sides[2]);
  EXPECT_EQ(surface.At(0, 8), sides[3]);
  EXPECT_EQ(surface.At(1, 2), RGB(0x40, 0x40, 0x40)) << "the fill starts inside the borders";

  // No image, no colour, no borders: only the glyph, inside the content offset.
  for (Integer side = 0; side < 4; ++side) borders->Items(side)->SetColor(clNone);
  f.element->SetColor(clDefault);
  SetPicture(f.element->GetGlyph(), 1, 1, [](Integer, Integer) { return 0x00FFFFu; });
  f.element->GetGlyph()->SetStates({esNormal});
  f.element->GetContentOffset()->AssignRect(TRect{3, 3, 3, 3});
  SkinSurface glyph;
  f.element->Draw(glyph.DC(), TRect{0, 0, 9, 9}, 0, esNormal);
  EXPECT_EQ(glyph.At(4, 4), Rgb(0x00FFFF));
  EXPECT_EQ(glyph.At(2, 2), kBackground);
}

TEST(SkinDraw, AlphaFillBlendsAndOpaquePicturesSkipTheFill) {
  ElementFixture f;
  f.element->SetColor(RGB(0xFF, 0xFF, 0xFF));
  f.element->SetAlpha(128);
  EXPECT_TRUE(f.element->HasAlpha());
  SkinSurface blend(9, 9, 0);
  f.element->Draw(blend.DC(), TRect{0, 0, 9, 9}, 0, esNormal);
  COLORREF mixed = blend.At(4, 4);
  EXPECT_NEAR(GetRValue(mixed), 128, 2);
  EXPECT_NEAR(GetBValue(mixed), 128, 2);

  // The fill brush follows the colour; clNone fills nothing and leaves the brush for the next one.
  struct Step {
    TColor color;
    COLORREF expected;
  };
  for (const Step& step : {Step{RGB(0xFF, 0, 0), RGB(128, 0, 0)}, Step{clNone, RGB(0, 0, 0)},
                           Step{RGB(0, 0, 0xFF), RGB(0, 0, 128)}}) {
    f.element->SetColor(step.color);
    SkinSurface black(9, 9, 0);
    f.element->Draw(black.DC(), TRect{0, 0, 9, 9}, 0, esNormal);
    const COLORREF c = black.At(4, 4);
    EXPECT_NEAR(GetRValue(c), GetRValue(step.expected), 2) << step.color;
    EXPECT_NEAR(GetBValue(c), GetBValue(step.expected), 2) << step.color;
  }

  SetPicture(f.element->GetImage(), 1, 1, [](Integer, Integer) { return 0x102030u; });
  f.element->GetImage()->SetStates({esNormal});
  EXPECT_FALSE(f.element->HasAlpha()) << "an opaque picture decides";
  SkinSurface opaque;
  f.element->Draw(opaque.DC(), TRect{0, 0, 9, 9}, 0, esNormal);
  EXPECT_EQ(opaque.At(4, 4), Rgb(0x102030));
}

TEST(SkinDraw, CacheRendersOncePerSizeStateAndIndex) {
  ElementFixture f;
  f.element->SetColor(RGB(0x11, 0x22, 0x33));
  TqzSkinElementCache cache;
  cache.CheckCacheState(f.element, TRect{0, 0, 9, 9}, esNormal, 0);
  cache.CheckCacheState(f.element, TRect{0, 0, 9, 9}, esNormal, 0);
  cache.CheckCacheState(f.element, TRect{5, 5, 14, 14}, esNormal, 0);
  EXPECT_EQ(cache.RenderCount(), 1) << "a move keeps the picture";
  SkinSurface surface(16, 16);
  cache.Draw(surface.DC(), TRect{5, 5, 14, 14});
  EXPECT_EQ(surface.At(5, 5), RGB(0x11, 0x22, 0x33));
  EXPECT_EQ(surface.At(4, 4), kBackground);
  cache.CheckCacheState(f.element, TRect{0, 0, 9, 8}, esNormal, 0);
  cache.CheckCacheState(f.element, TRect{0, 0, 9, 8}, esHot, 0);
  cache.CheckCacheState(f.element, TRect{0, 0, 9, 8}, esHot, 1);
  EXPECT_EQ(cache.RenderCount(), 4);

  // A missing element draws as the empty element: white, framed in red.
  SkinSurface empty;
  SkinElementOrEmpty(nullptr)->Draw(empty.DC(), TRect{0, 0, 9, 9}, 0, esNormal);
  EXPECT_EQ(empty.At(0, 0), RGB(255, 0, 0));
  EXPECT_EQ(empty.At(4, 4), RGB(255, 255, 255));
}
