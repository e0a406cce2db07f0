// Binding a skin to the names painters use.

#include <gtest/gtest.h>

#include "SkinsTestSupport.h"
#include "toolkit/skins/qzSkinInfo.h"

namespace {

Integer PlaceholderCount(TqzSkinControlGroup* Group) {
  Integer count = 0;
  for (Integer i = 0; i < Group->ElementCount(); ++i)
    if (Group->Elements(i)->GetImage()->Size() == TSize{32, 32}) ++count;
  return count;
}

}  // namespace

TEST(SkinInfo, MissingGroupsAndElementsAreAddedOptionalOnesAreNot) {
  auto* skin = new TqzSkin("Bare", false, nullptr);
  skin->AddGroup("Reports");
  TqzSkinElement* panel = skin->AddGroup("Grid")->AddElement("GridGroupPanel");
  panel->SetColor(clLime);
  TqzSkinInfo info(skin);
  EXPECT_EQ(skin->GroupCount(), 13) << "twelve groups added beside Reports, none twice";
  TqzSkinControlGroup* navPane = skin->GetGroupByName("NavPane");
  ASSERT_NE(navPane, nullptr);
  EXPECT_EQ(navPane->ElementCount(), 17);
  EXPECT_EQ(PlaceholderCount(navPane), 17);
  EXPECT_EQ(info.Group(sgNavPane), navPane);
  EXPECT_EQ(info.Element(seSchedulerTimeGridCurrentTimeIndicator), nullptr);
  EXPECT_EQ(info.Element(seBarsMainMenuCustomize), nullptr);
  EXPECT_NE(info.Element(seBarsMainMenu), nullptr);
  EXPECT_EQ(info.Element(seGridGridGroupPanel), panel);
  EXPECT_EQ(panel->GetColor(), clLime) << "without a picture the panel keeps its colour";
  EXPECT_EQ(info.SkinColor(scContentColor), nullptr);
  EXPECT_EQ(info.ColorValue(cvRibbonCaptionTextColor), clDefault);
  EXPECT_EQ(info.FormCaptionFontDelta(), 1);
  EXPECT_EQ(info.ScrollInfo(1, 2)->Element, info.Element(seCommonScrollButton));
  EXPECT_EQ(info.ScrollInfo(1, 2)->ImageIndex, 3);
  EXPECT_EQ(info.ScrollInfo(0, 0), nullptr);

  TqzSkin* again = skin;
  Integer before = again->GetGroupByName("Form")->ElementCount();
  info.SetSkin(skin);
  EXPECT_EQ(again->GetGroupByName("Form")->ElementCount(), before) << "the same skin again does nothing";
}

TEST(SkinInfo, RebindsAfterEveryChange) {
  auto* skin = new TqzSkin("S", false, nullptr);
  TqzSkinInfo info(skin);
  TqzSkinElement* caption = info.Element(seFormFormCaption);
  struct Case {
    const char* what;
    std::function<void()> change;
    Integer fontDelta;
  };
  TqzSkinIntegerProperty* delta = nullptr;
  const Case cases[] = {
      {"FontDelta 3", [&] { delta = static_cast<TqzSkinIntegerProperty*>(caption->AddProperty("FontDelta", TqzSkinIntegerProperty::ClassInfo())); delta->SetValue(3); }, 3},
      {"FontDelta 50 stays within 10", [&] { delta->SetValue(50); }, 10},
      {"FontDelta -4", [&] { delta->SetValue(-4); }, 1},
      {"a FontDelta of another class reads as absent", [&] { caption->Delete(delta); caption->AddProperty("FontDelta", TqzSkinColor::ClassInfo()); }, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    c.change();
    EXPECT_EQ(info.FormCaptionFontDelta(), c.fontDelta);
  }
  TqzSkinControlGroup* common = skin->GetGroupByName("Common");
  common->Delete(common->GetElementByName("ScrollButton"));
  ASSERT_NE(info.Element(seCommonScrollButton), nullptr) << "a placeholder comes back";
  EXPECT_EQ(info.ScrollInfo(0, 1)->Element, info.Element(seCommonScrollButton));
  skin->AddColor("ContentColor", clWhite);
  ASSERT_NE(info.SkinColor(scContentColor), nullptr);
  EXPECT_EQ(info.SkinColor(scContentColor)->GetValue(), clWhite);
}

TEST(SkinInfo, FormElementsFollowTheFormRules) {
  auto* skin = new TqzSkin("S", false, nullptr);
  TqzSkinControlGroup* form = skin->AddGroup("Form");
  TqzSkinElement* close = form->AddElement("FormButtonClose");
  close->GetImage()->SetStates({esNormal, esActive});
  close->GetImage()->SetStretch(smTile);
  TqzSkinElement* left = form->AddElement("FormFrameLeft");
  left->GetImage()->SetStates({esNormal});
  left->GetImage()->GetMargins()->AssignRect(TRect{4, 4, 4, 4});
  TqzSkinInfo info(skin);
  EXPECT_EQ(close->GetImage()->GetStates(), (TqzSkinElementStates{esNormal, esActiveDisabled}));
  EXPECT_EQ(close->GetImage()->GetStretch(), smStretch);
  EXPECT_EQ(left->GetImage()->GetStates(), (TqzSkinElementStates{esActive, esActiveDisabled}));
  EXPECT_EQ(left->GetImage()->GetMargins()->RectRef(), (TRect{1, 4, 0, 4}));
  EXPECT_EQ(info.FormButton(1, 5), close);
  EXPECT_EQ(info.FormButton(0, 5), info.Element(seFormSmallFormButtonClose));
  EXPECT_EQ(info.FormButton(0, 2), nullptr);
  EXPECT_EQ(info.FormFrame(0, 1), info.Element(seFormSmallFormCaption));
  EXPECT_EQ(info.FormFrameSize(1), (TRect{0, 0, 16, 32})) << "two frames of the placeholders; the left one is empty";

  info.SetSkin(nullptr);
  EXPECT_EQ(info.ScrollInfo(0, 3), nullptr);
  EXPECT_EQ(info.Element(seFormFormCaption), nullptr);
  delete skin;
}
