#include <gtest/gtest.h>

#include "RibbonTestSupport.h"
#include "toolkit/foundation/qzGDIPlusAPI.h"
#include "vcl/Graphics.h"

namespace {

TColor C(uint32_t Value) { return static_cast<TColor>(Value); }
TColor Rgb(TColor Color) { return static_cast<TColor>(ColorToRGB(Color)); }

TEST(RibbonSchemes, PartColoursFollowEachSchemesTable) {
  struct Case {
    Integer part, state;
    TColor blue, black, silver;
  };
  const Case cases[] = {
      {9, 0, C(0xFBF2EA), C(0xE8E8E8), C(0xE8E8E8)},
      {9, 8, C(0xFFFFFF), C(0xFFFFFF), C(0xFFFFFF)},
      {10, 1, C(0xC6BBB1), C(0xCCCCCC), C(0xCCCCCC)},  // Silver answers Black's value
      {12, 3, C(0xDEC7AD), C(0xB7B7B7), C(0xB7B7B7)},
      {12, 8, C(0xC6BBB1), C(0xCCCCCC), C(0xCCCCCC)},
      {51, 3, C(0xFBF3EC), C(0xF7F7F7), C(0xF2F1F0)},
      {51, 0, C(0xF8E6D4), C(0xE2E2DA), C(0xECEAE8)},
      {52, 2, C(0xEDD0B9), C(0xACACAC), C(0xA4A4A4)},
      {66, 2, C(0xFF6600), C(0x32D2FF), C(0x32D2FF)},
      {66, 1, clDefault, clDefault, clDefault},  // not an exception
      {362, 0, C(0x6E1500), C(0x464646), C(0x5C534C)},
      {362, 8, C(0xA7A7A7), C(0xA7A7A7), C(0xA7A7A7)},
      {64, 5, C(0x6E1500), C(0x464646), C(0x5C534C)},
      {335, 0, C(0x8B4215), C(0x464646), C(0x5C534C)},
      {335, 1, C(0x8D8D8D), C(0x8D8D8D), C(0x8D8D8D)},
      {67, 6, C(0x1048EF), C(0x1048EF), C(0x1048EF)},
      {425, 3, C(0x85B6CA), C(0x85B6CA), C(0x85B6CA)},
      {425, 0, clDefault, clDefault, clDefault},
      {455, 0, C(0xEDD3BE), C(0x504F4F), C(0xD8D2CD)},
      {10065, 0, C(0xFFDBBF), C(0x535353), C(0xDDD4D0)},
      {10066, 0, C(0xF3E2D5), C(0x626262), C(0x808080)},
      {10099, 0, C(0xE8C9B1), C(0xCCCCCC), C(0xD9D0CD)},
      {10130, 1, C(0xA0A0A0), C(0xE1E1E1), C(0x8A8A8A)},
      {10132, 3, C(0x8B4215), C(0x000000), C(0x595453)},
      {10138, 2, C(0x8B4215), C(0x000000), C(0x595453)},
      {10138, 5, C(0x8D8D8D), C(0xC2C2C2), C(0x8D8D8D)},
      {56, 0, C(0xFAFAFA), C(0xFAFAFA), C(0xFAFAFA)},
      {777, 0, clDefault, clDefault, clDefault},  // a part no table lists
  };
  TqzCustomRibbonSkin* skins[] = {RibbonSkin("Blue"), RibbonSkin("Black"), RibbonSkin("Silver")};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "part " << c.part << " state " << c.state);
    EXPECT_EQ(skins[0]->GetPartColor(c.part, c.state), c.blue);
    EXPECT_EQ(skins[1]->GetPartColor(c.part, c.state), c.black);
    EXPECT_EQ(skins[2]->GetPartColor(c.part, c.state), c.silver);
  }
  // Silver's dark size-grip dots are a dark grey.
  const TColor grip = skins[2]->GetPartColor(10098, 0);
  EXPECT_LT(GetRValue(grip) + GetGValue(grip) + GetBValue(grip), 3 * 0x80);
  EXPECT_LT(std::abs(GetRValue(grip) - GetBValue(grip)), 0x18);
}

TEST(RibbonSchemes, ALowColourScreenAnswersTheLowColourTableInEveryScheme) {
  SetScreenBitsPerPixel(8);
  auto blue = NewRibbonSkin<TqzBlueRibbonSkin>();
  auto black = NewRibbonSkin<TqzBlackRibbonSkin>();
  auto silver = NewRibbonSkin<TqzSilverRibbonSkin>();
  SetScreenBitsPerPixel(0);
  struct Case {
    Integer part, state;
    TColor expected;
  };
  const Case cases[] = {
      {10, 2, C(0xFFFFFF)},         {12, 1, Rgb(clBtnShadow)},      {10065, 0, Rgb(clBtnFace)},
      {362, 1, Rgb(clGrayText)},    {64, 3, Rgb(clHighlightText)},  {10133, 0, Rgb(clWindowText)},
      {425, 5, clDefault},          {10130, 1, Rgb(clInactiveCaptionText)}, {10132, 0, Rgb(clWindowText)},
      {66, 0, Rgb(clBtnFace)},      {777, 0, Rgb(clBtnFace)},       {67, 2, Rgb(clHighlight)},
  };
  for (TqzCustomRibbonSkin* skin : {static_cast<TqzCustomRibbonSkin*>(blue.get()),
                                    static_cast<TqzCustomRibbonSkin*>(black.get()),
                                    static_cast<TqzCustomRibbonSkin*>(silver.get())}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(testing::Message() << skin->GetName() << " part " << c.part << " state " << c.state);
      EXPECT_EQ(skin->GetPartColor(c.part, c.state), c.expected);
    }
  }
}

TEST(RibbonSchemes, TabRowEdgesAreTwoLinesInTheSchemesColours) {
  struct Case {
    const char* scheme;
    COLORREF first, second;
  };
  for (const Case& c : {Case{"Blue", RGB(0xA4, 0xC3, 0xEB), RGB(0xD5, 0xE2, 0xF3)},
                        Case{"Black", RGB(0x4F, 0x4F, 0x4F), RGB(0x62, 0x62, 0x62)},
                        Case{"Silver", RGB(0x80, 0x80, 0x80), RGB(0xEB, 0xE1, 0xDC)}}) {
    SCOPED_TRACE(c.scheme);
    RibbonSurface surface(10, 4, clFuchsia);
    RibbonSkin(c.scheme)->DrawTabRowEdge(surface.DC(), TRect{0, 0, 10, 3});
    EXPECT_EQ(surface.At(5, 0), c.first);
    EXPECT_EQ(surface.At(5, 1), c.first);
    EXPECT_EQ(surface.At(5, 2), c.second);
    EXPECT_EQ(surface.At(5, 3), ColorToRGB(clFuchsia));
  }
}

TEST(RibbonSchemes, ASchemeNameTakenIsRefusedAndTheEndRemovesOnlyRibbonSkins) {
  TqzBarSkinManager* manager = BarSkinManagerInstance();
  auto second = NewRibbonSkin<TqzBlueRibbonSkin>();
  EXPECT_EQ(manager->AddSkin(second.get()), -1);
  auto* other = new TqzCustomBarSkin("Other");
  ASSERT_EQ(manager->AddSkin(other), 3);

  qzRibbonSkinsEnd();
  ASSERT_EQ(manager->GetSkinCount(), 1);
  EXPECT_EQ(manager->GetSkin(0), other);

  qzRibbonSkinsStart();  // registers again at once, the library being loaded
  ASSERT_EQ(manager->GetSkinCount(), 4);
  EXPECT_EQ(manager->GetSkin(1)->GetName(), "Blue");
  EXPECT_EQ(manager->GetSkin(3)->GetName(), "Silver");
  manager->RemoveSkin(other);
  EXPECT_EQ(manager->GetSkinCount(), 3);
}

}  // namespace
