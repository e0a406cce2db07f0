#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "QuickAccessRibbon.h"
#include "toolkit/bars/qzBarNavigation.h"
#include "toolkit/ribbon/qzRibbonQuickAccessGroupButton.h"
#include "user/Focus.h"

namespace {

class QuickAccessGroupButton : public QuickAccessRibbon {
 protected:
  // A group button at the end of the quick access toolbar, showing AGroup.
  TqzRibbonQuickAccessGroupButton* AddGroupButton(TqzBar* AGroup) {
    auto* button = static_cast<TqzRibbonQuickAccessGroupButton*>(
        quick->GetItemLinks()->AddNewItemOfClass(TqzRibbonQuickAccessGroupButton::ClassInfo(), manager)->GetItem());
    button->SetToolbar(AGroup);
    Pump();
    return button;
  }
  TqzRibbonQuickAccessGroupButtonControl* ControlOf(TqzRibbonQuickAccessGroupButton* AButton) {
    return dynamic_cast<TqzRibbonQuickAccessGroupButtonControl*>(AButton->GetLink(0)->GetControl());
  }
  TPoint ButtonCentre(TqzRibbonQuickAccessGroupButton* AButton) {
    return Window()->ClientToScreen(Centre(AButton->GetLink(0)->GetItemRect()));
  }
};

TEST_F(QuickAccessGroupButton, ItShowsItsGroupAndOpensItAsAPopupWhoseCommandsRun) {
  TRunCommands commands;
  for (Integer i = 0; i < group->GetItemLinks()->GetCount(); ++i)
    group->GetItemLinks()->GetLink(i)->GetItem()->SetOnClick(MakeEvent<&TRunCommands::Clicked>(&commands));
  TqzRibbonQuickAccessGroupButton* button = AddGroupButton(group);
  ASSERT_EQ(button->GetToolbar(), group);
  EXPECT_EQ(button->GetCaption(), "Clipboard");
  EXPECT_EQ(ShownLinks(), 4);
  TqzRibbonQuickAccessGroupButtonControl* control = ControlOf(button);
  ASSERT_NE(control, nullptr);
  EXPECT_TRUE(control->IsEnabled());
  EXPECT_EQ(control->GetHint(), "Clipboard");
  const TRect& place = button->GetLink(0)->GetItemRect();
  EXPECT_EQ(place.Width(), place.Height()) << "a square as high as the toolbar";

  Click(ButtonCentre(button));
  TqzRibbonQuickAccessGroupButtonPopupBarControl* popup = control->GetPopup();
  ASSERT_NE(popup, nullptr) << "a press opens the group";
  EXPECT_TRUE(IsWindowVisible(popup->GetHandle()));
  EXPECT_EQ(popup->Ribbon(), ribbon);
  EXPECT_EQ(popup->GetCaptionText(), "Clipboard") << "the group's caption strip";
  ASSERT_EQ(popup->GetItemLinks()->GetCount(), 3);
  EXPECT_EQ(popup->GetItemLinks()->GetLink(0)->GetSourceLink(), group->GetItemLinks()->GetLink(0));
  RECT r;
  GetWindowRect(popup->GetHandle(), &r);
  const TPoint buttonBottom = Window()->ClientToScreen(TPoint(place.Left, place.Bottom));
  EXPECT_EQ(r.Top, buttonBottom.Y + 2) << "right below the button";
  EXPECT_EQ(r.Left, buttonBottom.X);
  RECT ribbonRect;
  GetWindowRect(ribbon->GetHandle(), &ribbonRect);
  EXPECT_LT(r.Top, ribbonRect.Bottom) << "over the ribbon, not below it";
  SavePicture("ribbon-quick-access-group-button");
  if (const char* root = std::getenv("TAVREN_TEST_OUTPUT"); root && *root) {
    UpdateAllWindows();
    EXPECT_TRUE(screen.SaveScreenPng(std::string(root) + "/ribbon-quick-access-group-popup.png"));
  }

  // A press on the open button closes the popup and does not open it again.
  Click(ButtonCentre(button));
  EXPECT_EQ(control->GetPopup(), nullptr);
  Pump();
  EXPECT_EQ(ControlOf(button)->GetPopup(), nullptr);

  Click(ButtonCentre(button));
  popup = ControlOf(button)->GetPopup();
  ASSERT_NE(popup, nullptr);
  TqzBarItemLink* second = popup->GetItemLinks()->GetLink(1);
  Click(popup->ClientToScreen(Centre(second->GetItemRect())));
  EXPECT_EQ(commands.Names, (std::vector<String>{"Command 2"}));
  EXPECT_EQ(ControlOf(button)->GetPopup(), nullptr) << "the command closed the popup";
}

// Without a group the button is disabled, named "GroupButton" and opens nothing; a toolbar that is
// no group of the ribbon is not taken; a group's toolbar that goes leaves the button without one.
TEST_F(QuickAccessGroupButton, WithoutAGroupItIsADisabledGroupButtonThatOpensNothing) {
  TqzRibbonQuickAccessGroupButton* button = AddGroupButton(nullptr);
  EXPECT_EQ(button->GetCaption(), "GroupButton");
  EXPECT_FALSE(button->IsCaptionStored());
  button->SetCaption("Other");
  EXPECT_EQ(button->GetCaption(), "GroupButton") << "the caption is the group's";
  TqzRibbonQuickAccessGroupButtonControl* control = ControlOf(button);
  ASSERT_NE(control, nullptr);
  EXPECT_FALSE(control->IsEnabled());
  Click(ButtonCentre(button));
  EXPECT_EQ(ControlOf(button)->GetPopup(), nullptr);

  TqzBar* floating = AddBar("Floating");
  button->SetToolbar(floating);
  EXPECT_EQ(button->GetToolbar(), nullptr) << "no group of the ribbon";
  button->SetToolbar(group);
  ASSERT_EQ(button->GetToolbar(), group);
  delete group;
  group = nullptr;
  Pump();
  EXPECT_EQ(button->GetToolbar(), nullptr) << "the freed group's toolbar is let go";
  EXPECT_EQ(button->GetCaption(), "GroupButton");
}

TEST_F(QuickAccessGroupButton, ItIsRefusedOffTheQuickAccessToolbarForAToolbarOutsideTheRibbonAndTwice) {
  TqzRibbonQuickAccessGroupButton* placed = AddGroupButton(group);
  ASSERT_EQ(placed->GetToolbar(), group);
  auto* loose = new TqzRibbonQuickAccessGroupButton(form);
  TqzBar* floating = AddBar("Floating");
  TqzBar* target = quick;
  const struct {
    const char* Case;
    std::function<void()> Prepare;
    Integer Kind;
    TqzBar** Target;
    const char* Message;
  } kCases[] = {
      {"a menu", [] {}, 1, &target, "You can place TqzRibbonQuickAccessGroupButton only on TqzRibbonQuickAccessToolbar"},
      {"a group", [] {}, 0, &group, "You can place TqzRibbonQuickAccessGroupButton only on TqzRibbonQuickAccessToolbar"},
      {"no group", [&] { loose->SetToolbar(floating); }, 0, &target,
       "Quick Access Group Button's Toolbar is not docked in the Ribbon"},
      {"the same group", [&] { loose->SetToolbar(group); }, 0, &target,
       "The Quick Access Toolbar already contains GroupButton with the same toolbar"},
  };
  for (const auto& c : kCases) {
    c.Prepare();
    String message;
    EXPECT_FALSE(loose->CanBePlacedOn(c.Kind, *c.Target, message)) << c.Case;
    EXPECT_EQ(message, c.Message) << c.Case;
  }
  loose->SetToolbar(nullptr);
  String message;
  EXPECT_TRUE(loose->CanBePlacedOn(0, quick, message)) << "a button without a group goes anywhere on the toolbar";
  EXPECT_THROW(group->GetItemLinks()->AddLinkForItem(loose), Exception) << "the links refuse it";
}

// The group's context menu puts the whole group on the toolbar; on the toolbar the button is
// offered for removal, which frees it.
TEST_F(QuickAccessGroupButton, TheGroupsContextMenuAddsItAsAButtonThatTheToolbarsRemoves) {
  TqzBarControl* window = group->GetBarControl();
  ASSERT_NE(window, nullptr);
  RECT box;
  GetWindowRect(window->GetHandle(), &box);
  const TPoint onCaption((box.Left + box.Right) / 2, box.Bottom - 4);
  TqzBarCustomizingPopup* popup = ContextMenuAt(onCaption);
  ASSERT_NE(popup, nullptr);
  ASSERT_EQ(popup->GetItemLinks()->GetLink(0)->GetCaption(), "&Add to Quick Access Toolbar");
  ClickEntry(popup->GetItemLinks()->GetLink(0));
  ASSERT_EQ(quick->GetItemLinks()->GetCount(), 4);
  auto* button = dynamic_cast<TqzRibbonQuickAccessGroupButton*>(quick->GetItemLinks()->GetLink(3)->GetItem());
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->GetToolbar(), group);
  EXPECT_TRUE(ribbon->GetQuickAccessToolbar()->HasGroupButton(group));

  popup = ContextMenuAt(onCaption);
  ASSERT_NE(popup, nullptr);
  EXPECT_FALSE(popup->GetItemLinks()->GetLink(0)->GetItem()->GetEnabled()) << "the group is there already";
  popup->Dismiss();
  Pump();

  TqzBarItemLink* onToolbar = quick->GetItemLinks()->GetLink(3);
  popup = ContextMenuAt(Window()->ClientToScreen(Centre(onToolbar->GetItemRect())));
  ASSERT_NE(popup, nullptr);
  ASSERT_EQ(popup->GetItemLinks()->GetLink(0)->GetCaption(), "&Remove from Quick Access Toolbar");
  TWeakRef<TqzRibbonQuickAccessGroupButton> gone(button);
  ClickEntry(popup->GetItemLinks()->GetLink(0));
  EXPECT_FALSE(gone) << "the button is freed";
  EXPECT_EQ(quick->GetItemLinks()->GetCount(), 3);
}

// A group that gives up its toolbar takes it from the button; a replaced quick access toolbar
// frees its group buttons.
TEST_F(QuickAccessGroupButton, AGroupLettingGoOfItsToolbarOrANewQuickAccessToolbarEndsTheButton) {
  TqzRibbonQuickAccessGroupButton* button = AddGroupButton(group);
  ASSERT_EQ(button->GetToolbar(), group);
  TqzBar* other = AddBar("Other");
  other->SetVisible(true);
  ribbon->GetTabs()->GetTab(0)->GetGroups()->GetGroup(0)->SetToolBar(other);
  EXPECT_EQ(button->GetToolbar(), nullptr);

  TWeakRef<TqzRibbonQuickAccessGroupButton> gone(AddGroupButton(other));
  ASSERT_TRUE(gone);
  TqzBar* replacement = AddBar("Replacement");
  ribbon->GetQuickAccessToolbar()->SetToolbar(replacement);
  EXPECT_FALSE(gone);
  EXPECT_EQ(quick->GetItemLinks()->GetCount(), 3) << "the commands stay";
}

}  // namespace

namespace {

// The group button's key tip opens the group with its items' key tips; Esc closes it again.
TEST_F(QuickAccessGroupButton, ItsKeyTipOpensTheGroupWithItsKeyTips) {
  TqzRibbonQuickAccessGroupButton* button = AddGroupButton(group);
  TqzBarNavigationController* controller = NavigationControllerInstance();
  auto press = [](UINT AKey) {
    InputKey(AKey, true);
    Pump();
    InputKey(AKey, false);
    Pump();
  };
  auto shownTips = [&] {
    std::vector<String> tips;
    for (const auto& data : controller->GetKeyTips())
      if (data->Info.Visible) tips.push_back(data->KeyTipUpperText());
    return tips;
  };
  SetFocus(form->GetHandle());
  press(VK_MENU);
  ASSERT_TRUE(controller->AreKeyTipsShown());
  const std::vector<String> tips = shownTips();
  EXPECT_NE(std::find(tips.begin(), tips.end(), "4"), tips.end()) << "the fourth link of the toolbar";
  press('4');
  TqzRibbonQuickAccessGroupButtonPopupBarControl* popup = ControlOf(button)->GetPopup();
  ASSERT_NE(popup, nullptr) << "the key tip opens the group";
  EXPECT_EQ(controller->GetActiveContainer()->BarHelperObject(), popup->GetAccessibilityHelper());
  EXPECT_EQ(shownTips().size(), 3u) << "the group's commands";
  press(VK_ESCAPE);
  EXPECT_EQ(ControlOf(button)->GetPopup(), nullptr);
  EXPECT_TRUE(ControlOf(button)->GetAccessibilityHelper()->IsCurrentSelection()) << "the keyboard is back on the button";
  EXPECT_EQ(shownTips(), tips) << "with the toolbar's key tips";
  controller->EndKeyboardNavigation();
}

}  // namespace
