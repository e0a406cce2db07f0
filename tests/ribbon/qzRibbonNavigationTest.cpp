#include <gtest/gtest.h>

#include "MainWindowRibbon.h"
#include "toolkit/bars/qzBarNavigation.h"
#include "toolkit/bars/qzBarSubMenuControl.h"
#include "toolkit/ribbon/qzRibbonKeyTipWindows.h"
#include "toolkit/ribbon/qzRibbonNavigation.h"
#include "user/Focus.h"
#include "user/InputEvents.h"

namespace {

TqzBarNavigationController* Controller() { return NavigationControllerInstance(); }

// The key tips the controller holds, in order.
std::vector<String> KeyTipTexts() {
  std::vector<String> texts;
  for (const auto& data : Controller()->GetKeyTips()) texts.push_back(data->KeyTipUpperText());
  return texts;
}

class RibbonKeyTips : public MainWindowRibbon {
 protected:
  void TearDown() override {
    Controller()->EndKeyboardNavigation();
    MainWindowRibbon::TearDown();
  }
  void Press(UINT AKey) {
    InputKey(AKey, true);
    Pump();
    InputKey(AKey, false);
    Pump();
  }
  // The selection after each key, from the navigation that Alt starts.
  std::vector<String> Walk(std::initializer_list<UINT> AKeys) {
    Controller()->EndKeyboardNavigation();
    SetFocus(form->GetHandle());
    Press(VK_MENU);
    std::vector<String> path;
    for (UINT key : AKeys) {
      Press(key);
      path.push_back(Selected());
    }
    return path;
  }
};

TEST(RibbonQuickAccessKeyTips, LinksAreNumberedByPlace) {
  const struct {
    Integer Index;
    const char* KeyTip;
  } kCases[] = {{0, "1"}, {8, "9"}, {9, "09"}, {11, "07"}, {17, "01"}, {18, "0A"}, {43, "0Z"}, {44, "0["}, {45, ""}};
  for (const auto& c : kCases) EXPECT_EQ(QuickAccessKeyTip(c.Index), c.KeyTip) << c.Index;
}

TEST_F(RibbonKeyTips, WithoutTabHeadersAltShowsTheGroupsKeyTipsAndTypingOneRunsItsCommand) {
  SetFocus(form->GetHandle());
  Press(VK_MENU);
  ASSERT_TRUE(Controller()->AreKeyTipsShown());
  EXPECT_EQ(KeyTipTexts(), (std::vector<String>{"Y1", "Y2", "Y3", "Y4", "Y5", "Y6", "Y7", "Y8"}));
  TInterfacePtr<IqzBarKeyTipWindowsManager> windows;
  ASSERT_TRUE(ribbon->GetAccessibilityHelper()->KeyTipsAvailable(windows));
  auto* shown = dynamic_cast<TqzRibbonKeyTipWindows*>(windows.Get());
  ASSERT_NE(shown, nullptr);
  EXPECT_EQ(shown->WindowCount(), 8);
  // A large button's tip hangs from the caption strip, centred on the button.
  const TRect& add = buttons[0]->GetLink(0)->GetItemRect();
  const TPoint addCentre = Group(0)->ClientToScreen(TPoint((add.Left + add.Right) / 2, 0));
  const TqzRibbonKeyTipWindow* first = shown->Window(0);
  EXPECT_NEAR(first->GetLeft() + first->GetWidth() / 2, addCentre.X, 1);
  EXPECT_EQ(first->GetTop() + first->GetHeight() / 2, Group(0)->KeyTipLine(2));
  if (const char* root = std::getenv("TAVREN_TEST_OUTPUT"); root && *root) {
    UpdateAllWindows();
    EXPECT_TRUE(screen.SaveScreenPng(std::string(root) + "/ribbon-main-key-tips.png"));
  }
  Press('Y');
  Press('5');
  EXPECT_EQ(clicks.Names, (std::vector<String>{"Trim"}));
  EXPECT_FALSE(Controller()->AreKeyTipsShown());
}

TEST_F(RibbonKeyTips, TabsAndCollapsedGroupsTakeTheirKeyTipsFromTheirSettings) {
  KeepButtonsLarge();
  form->SetBounds(0, 0, 400, 300);
  Pump();
  ASSERT_TRUE(Group(2)->GetCollapsed());
  auto* help = static_cast<TqzRibbonGroupBarControlAccessibilityHelper*>(Group(2)->GetAccessibilityHelper());
  EXPECT_TRUE(help->IsSelectableTarget()) << "a collapsed group is one element";
  EXPECT_EQ(help->KeyTipText(), "ZH");
  bars[2]->SetCaption("");
  EXPECT_EQ(help->KeyTipText(), "Z");
  bars[2]->SetKeyTip("Q");
  EXPECT_EQ(help->KeyTipText(), "Q");
  EXPECT_FALSE(static_cast<TqzRibbonGroupBarControlAccessibilityHelper*>(Group(0)->GetAccessibilityHelper())->HasKeyTip())
      << "an expanded group is no key-tip level of its own";

  auto* node = static_cast<TqzRibbonTabAccessibilityHelper*>(tab->GetAccessibilityHelper());
  const struct {
    const char* Assigned;
    const char* Shown;
  } kTabs[] = {{"", "Y"}, {"2A", "Y"}, {"H", "H"}, {"HOME", "HOM"}};
  for (const auto& c : kTabs) {
    tab->SetKeyTip(c.Assigned);
    EXPECT_EQ(node->KeyTipText(), c.Shown) << c.Assigned;
  }
  EXPECT_THROW(Group(0)->KeyTipLine(4), Exception);
}

TEST_F(RibbonKeyTips, WithTabHeadersTheTabComesFirstAndItsKeyTipShowsItsGroups) {
  ribbon->SetShowTabHeaders(true);
  Pump();
  SetFocus(form->GetHandle());
  Press(VK_MENU);
  ASSERT_TRUE(Controller()->AreKeyTipsShown());
  EXPECT_EQ(KeyTipTexts(), (std::vector<String>{"Y"})) << "the tab (no application button without a quick access toolbar above)";
  EXPECT_TRUE(tab->GetAccessibilityHelper()->IsCurrentSelection()) << "navigation starts on the active tab";
  Press('Y');
  EXPECT_EQ(KeyTipTexts().size(), 8u) << "the tab's groups";
  Press(VK_ESCAPE);
  EXPECT_EQ(KeyTipTexts(), (std::vector<String>{"Y"})) << "Esc goes back to the level above";
}

TEST_F(RibbonKeyTips, ArrowsMoveByPlaceAcrossTheGroupsAndUpToTheTab) {
  EXPECT_EQ(Walk({VK_DOWN, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_LEFT, VK_DOWN, VK_UP}),
            (std::vector<String>{"Add", "Delete", "Clear", "Effect", "Clear", "Clear", "Home"}))
      << "Right crosses into the next group; Down finds nothing below; Up leaves the groups for the tab";
  EXPECT_EQ(Walk({VK_DOWN, VK_LEFT}), (std::vector<String>{"Add", "Add"})) << "no wrap-around at the row's ends";
  EXPECT_EQ(Walk({VK_DOWN, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RIGHT}),
            (std::vector<String>{"Add", "Delete", "Clear", "Effect", "Trim", "Crop", "Help", "About", "About"}));
  EXPECT_TRUE(clicks.Names.empty());
  Press(VK_RETURN);
  EXPECT_EQ(clicks.Names, (std::vector<String>{"About"}));
}

TEST_F(RibbonKeyTips, ACollapsedGroupIsOneElementOfTheRowAndEnterOpensItWithItsFirstItemSelected) {
  KeepButtonsLarge();
  form->SetBounds(0, 0, 560, 300);
  Pump();
  ASSERT_TRUE(Group(2)->GetCollapsed());
  ASSERT_FALSE(Group(1)->GetCollapsed());
  EXPECT_EQ(Walk({VK_DOWN, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_DOWN}),
            (std::vector<String>{"Add", "Delete", "Clear", "Effect", "Trim", "Crop", "Help", "Help"}));
  EXPECT_EQ(Group(2)->GetMarkState(), 1) << "the selected collapsed group looks hot";
  Press(VK_RETURN);
  TqzBarControl* popup = Group(2)->GetQuickPopup();
  ASSERT_NE(popup, nullptr);
  EXPECT_EQ(Selected(), "Help") << "the popup's first button";
  EXPECT_EQ(popup->GetSelectedControl(), popup->GetItemLinks()->GetLink(0)->GetControl());
  Press(VK_RIGHT);
  EXPECT_EQ(Selected(), "About");
  Press(VK_UP);
  EXPECT_EQ(Selected(), "About") << "Up stays inside the popup";
  Press(VK_ESCAPE);
  EXPECT_EQ(Group(2)->GetQuickPopup(), nullptr);
  EXPECT_EQ(Selected(), "Help") << "Esc returns to the collapsed group";
  Press(VK_LEFT);
  EXPECT_EQ(Selected(), "Crop");
}

}  // namespace

namespace {

// A sub-item in the Help group: Recent (One, Two).
class RibbonMenuKeyTips : public RibbonKeyTips {
 protected:
  void SetUp() override {
    RibbonKeyTips::SetUp();
    recent = new TqzBarSubItem(form);
    recent->SetCaption("&Recent");
    for (const char* caption : {"&One", "&Two"}) {
      auto* button = new TqzBarButton(form);
      button->SetCaption(caption);
      button->SetOnClick(MakeEvent<&TClicks::Clicked>(&clicks));
      recent->GetItemLinks()->AddLinkForItem(button);
    }
    bars[2]->GetItemLinks()->AddLinkForItem(recent);
    Pump();
    SetFocus(form->GetHandle());
  }
  TqzBarSubMenuControl* Menu() {
    return dynamic_cast<TqzBarSubMenuControl*>(recent->GetItemLinks()->GetBarControl());
  }
  TqzBarSubItem* recent = nullptr;
};

TEST_F(RibbonMenuKeyTips, ASubItemsKeyTipOpensItsMenuWhoseKeyTipsShowUntilEscGoesBack) {
  Press(VK_MENU);
  ASSERT_TRUE(Controller()->AreKeyTipsShown());
  const std::vector<String> groupTips = KeyTipTexts();
  ASSERT_EQ(groupTips.size(), 9u);
  EXPECT_EQ(groupTips.back(), "R");
  Press('R');
  TqzBarSubMenuControl* menu = Menu();
  ASSERT_NE(menu, nullptr) << "the key tip opens the menu";
  EXPECT_EQ(KeyTipTexts(), (std::vector<String>{"O", "T"})) << "the menu's key tips replace the group's";
  EXPECT_EQ(Controller()->GetActiveContainer()->BarHelperObject(), menu->GetAccessibilityHelper());
  // Each stands left of its caption, in the middle of the icon column, level with its item.
  const TqzBarKeyTipInfo& two = Controller()->GetKeyTips()[1]->Info;
  TRect band;
  menu->GetSideBandRect(band);
  const TRect item = recent->GetItemLinks()->GetLink(1)->GetControl()->GetAccessibilityHelper()->ScreenRect(CHILDID_SELF);
  EXPECT_EQ(two.Anchor, TPoint(menu->ClientToScreen(TPoint(0, 0)).X + band.Right + menu->GetTextStart() / 2,
                               (item.Top + item.Bottom) / 2));
  EXPECT_EQ(two.HorzAlign, 1);
  EXPECT_EQ(two.VertAlign, 1);
  TInterfacePtr<IqzBarKeyTipWindowsManager> windows;
  ASSERT_TRUE(ribbon->GetAccessibilityHelper()->KeyTipsAvailable(windows));
  EXPECT_EQ(static_cast<TqzRibbonKeyTipWindows*>(windows.Get())->WindowCount(), 2);
  if (const char* root = std::getenv("TAVREN_TEST_OUTPUT"); root && *root) {
    UpdateAllWindows();
    EXPECT_TRUE(screen.SaveScreenPng(std::string(root) + "/ribbon-menu-key-tips.png"));
  }

  Press(VK_ESCAPE);
  EXPECT_EQ(Menu(), nullptr) << "Esc closes the menu";
  EXPECT_EQ(KeyTipTexts(), groupTips) << "and the group's key tips show again";
  EXPECT_EQ(static_cast<TqzRibbonKeyTipWindows*>(windows.Get())->WindowCount(), 9);

  Press('R');
  Press('T');
  EXPECT_EQ(clicks.Names, (std::vector<String>{"&Two"}));
  EXPECT_EQ(Menu(), nullptr);
  EXPECT_FALSE(Controller()->AreKeyTipsShown());
}

}  // namespace
