#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "QuickAccessRibbon.h"
#include "toolkit/bars/qzBarNavigation.h"
#include "toolkit/ribbon/qzRibbonGroupsDock.h"
#include "toolkit/ribbon/qzRibbonNavigation.h"
#include "toolkit/ribbon/qzRibbonQuickAccessCustomize.h"
#include "toolkit/ribbon/qzRibbonQuickAccessPopup.h"
#include "user/Focus.h"

namespace {

TEST_F(QuickAccessRibbon, TheToolbarShowsItsButtonsInOneRowAboveTheTabsAndEndsWithTheMark) {
  ASSERT_NE(Window(), nullptr) << "the site makes quick access windows";
  EXPECT_EQ(Window()->GetParent(), static_cast<TWinControl*>(Site()));
  EXPECT_TRUE(IsWindowVisible(Window()->GetHandle()));
  EXPECT_EQ(ShownLinks(), 3);
  Integer right = 0;
  for (Integer i = 0; i < 3; ++i) {
    const TRect r = quick->GetItemLinks()->GetVisibleLink(i)->GetItemRect();
    EXPECT_EQ(r.Left, right) << "one row without gaps, link " << i;
    EXPECT_EQ(r.Top, 0);
    right = r.Right;
  }
  EXPECT_TRUE(Window()->ShowsMark()) << "the ribbon has commands for the menus";
  EXPECT_EQ(Window()->GetClientWidth(), right + Window()->MarkSize()) << "the links and the mark, nothing more";
  TRect mark;
  Window()->MarkRect(mark);
  EXPECT_EQ(mark.Right, Window()->GetClientWidth());
  EXPECT_EQ(mark.Width() % 2, 1) << "the mark is always odd in width";

  TqzRibbonViewInfo* info = ribbon->GetViewInfo();
  const TRect site = SiteInRibbon();
  EXPECT_LE(site.Bottom, info->GetTabsViewInfo()->GetBounds().Top) << "above the tab row";
  EXPECT_TRUE(site.Left >= info->GetQuickAccessToolbarBounds().Left && site.Right <= info->GetQuickAccessToolbarBounds().Right);
  SavePicture("ribbon-quick-access-above");
}

TEST_F(QuickAccessRibbon, BelowTheRibbonTheToolbarFollowsTheGroupsAndTheRibbonGrows) {
  const Integer aboveHeight = ribbon->GetHeight();
  ribbon->GetQuickAccessToolbar()->SetPosition(qtpBelowRibbon);
  Pump();
  const TRect site = SiteInRibbon();
  EXPECT_GE(site.Top, ribbon->GetGroupsSite()->GetTop() + ribbon->GetGroupsSite()->GetHeight()) << "under the groups";
  EXPECT_EQ(ribbon->GetViewInfo()->GetTabsViewInfo()->GetBounds().Top, 0) << "the tab row takes the top";
  EXPECT_GT(ribbon->GetHeight(), aboveHeight - site.Height());
  EXPECT_EQ(ShownLinks(), 3);
  SavePicture("ribbon-quick-access-below");
}

TEST_F(QuickAccessRibbon, NarrowingHidesTheLinksThatDoNotFitAndTheMarkTellsSo) {
  AddButtons(quick, 17);
  Pump();
  EXPECT_EQ(ShownLinks(), 20) << "all fit at full width";
  EXPECT_FALSE(Window()->GetLinksHidden());
  form->SetWidth(360);
  Pump();
  const Integer shown = ShownLinks();
  EXPECT_GT(shown, 0);
  EXPECT_LT(shown, 20);
  EXPECT_TRUE(Window()->GetLinksHidden());
  for (Integer i = 0; i < 20; ++i)
    EXPECT_EQ(IsRectEmpty(&quick->GetItemLinks()->GetVisibleLink(i)->GetItemRect()), i >= shown) << "the first links stay, " << i;
  const TRect last = quick->GetItemLinks()->GetVisibleLink(shown - 1)->GetItemRect();
  TRect mark;
  Window()->MarkRect(mark);
  EXPECT_LE(last.Right, mark.Left) << "the mark keeps its place";
  EXPECT_LE(SiteInRibbon().Right, ribbon->GetClientWidth());
  SavePicture("ribbon-quick-access-narrowed");
  form->SetWidth(640);
  Pump();
  EXPECT_EQ(ShownLinks(), 20) << "widening shows them again";
  EXPECT_FALSE(Window()->GetLinksHidden());
}

TEST_F(QuickAccessRibbon, AGroupsToolbarMadeTheQuickAccessToolbarLeavesItsTab) {
  TqzRibbonTabGroups* groups = ribbon->GetTabs()->GetTab(0)->GetGroups();
  ASSERT_EQ(groups->GetCount(), 1);
  ribbon->GetQuickAccessToolbar()->SetToolbar(group);
  Pump();
  EXPECT_EQ(groups->GetCount(), 0) << "the tab group is deleted";
  EXPECT_EQ(group->GetDockControl(), static_cast<TqzDockControl*>(Site()));
  EXPECT_NE(dynamic_cast<TqzRibbonQuickAccessBarControl*>(group->GetBarControl()), nullptr);
  EXPECT_EQ(quick->GetDockControl(), nullptr) << "the replaced toolbar floats again";
  EXPECT_EQ(quick->GetDockingStyle(), dsNone);
  EXPECT_TRUE(quick->GetVisible()) << "with its visibility kept";
}

TEST_F(QuickAccessRibbon, FreeingTheToolbarOrHidingTheSettingEmptiesTheStrip) {
  ribbon->GetQuickAccessToolbar()->SetVisible(false);
  Pump();
  EXPECT_FALSE(Site()->GetVisible());
  EXPECT_EQ(ribbon->GetViewInfo()->GetTabsViewInfo()->GetBounds().Top, 0);
  ribbon->GetQuickAccessToolbar()->SetVisible(true);
  Pump();
  EXPECT_TRUE(IsWindowVisible(Site()->GetHandle()));
  delete quick;
  Pump();
  EXPECT_EQ(ribbon->GetQuickAccessToolbar()->GetToolbar(), nullptr);
  EXPECT_FALSE(Site()->GetVisible());
  EXPECT_EQ(ribbon->GetViewInfo()->GetTabsViewInfo()->GetBounds().Top, 0);
}

TEST_F(QuickAccessRibbon, TheMarkOpensTheHiddenLinksInAPopupBelowItAndACommandRunsFromThere) {
  AddButtons(quick, 17);
  TRunCommands commands;
  for (Integer i = 0; i < quick->GetItemLinks()->GetCount(); ++i)
    static_cast<TqzBarButton*>(quick->GetItemLinks()->GetLink(i)->GetItem())
        ->SetOnClick(MakeEvent<&TRunCommands::Clicked>(&commands));
  form->SetWidth(360);
  Pump();
  const Integer shown = ShownLinks();
  ASSERT_TRUE(Window()->GetLinksHidden());
  TRect mark;
  Window()->MarkScreenRect(mark);
  Click(Centre(mark));
  auto* popup = dynamic_cast<TqzRibbonQuickAccessPopupBarControl*>(Window()->GetQuickPopup());
  ASSERT_NE(popup, nullptr);
  ASSERT_TRUE(IsWindowVisible(popup->GetHandle()));
  EXPECT_EQ(popup->Ribbon(), ribbon);
  TqzBarItemLinks* links = popup->GetItemLinks();
  ASSERT_EQ(links->GetVisibleLinkCount(), 20 - shown + 1) << "the links the toolbar had no room for, then customizing";
  EXPECT_NE(dynamic_cast<TqzRibbonQuickAccessPopupSubItem*>(links->GetVisibleLink(20 - shown)->GetItem()), nullptr);
  EXPECT_TRUE(popup->HasShadow());
  EXPECT_EQ(links->GetVisibleLink(0)->GetSourceLink(), quick->GetItemLinks()->GetVisibleLink(shown));
  RECT r;
  GetWindowRect(popup->GetHandle(), &r);
  EXPECT_GE(r.Top, mark.Bottom) << "below the mark";
  EXPECT_EQ(r.Right, std::min<Integer>(mark.Right, r.Right)) << "ending at the mark or before it";
  const TRect& first = links->GetVisibleLink(0)->GetItemRect();
  EXPECT_EQ(first.Left, 3) << "inside the popup's margins";
  EXPECT_EQ(first.Top, 3);
  const TPoint entry = popup->ClientToScreen(links->GetVisibleLink(20 - shown)->GetItemRect().TopLeft());
  UpdateAllWindows();
  const PixelImage shot = screen.ComposeScreen();
  EXPECT_NE(shot.pixels[entry.Y * shot.width + entry.X + 1] & 0xFFFFFF, 0u) << "the entry stands on the popup's background";
  if (const char* root = std::getenv("TAVREN_TEST_OUTPUT"); root && *root) {
    UpdateAllWindows();
    EXPECT_TRUE(screen.SaveScreenPng(std::string(root) + "/ribbon-quick-access-mark-popup.png"));
  }
  const TRect& last = links->GetVisibleLink(links->GetVisibleLinkCount() - 2)->GetItemRect();
  Click(popup->ClientToScreen(Centre(last)));
  EXPECT_EQ(commands.Names, (std::vector<String>{"Command 20"}));
  EXPECT_EQ(Window()->GetQuickPopup(), nullptr) << "the command closed the popup";
}

// With every link shown the mark opens the customize menu itself: the popup holding its entry
// stays unseen. The menu shows or hides each link and carries the ribbon's commands.
TEST_F(QuickAccessRibbon, WithNothingHiddenTheMarkOpensTheCustomizeMenuWhoseChecksShowAndHideLinks) {
  auto openMenu = [&]() -> TqzBarSubMenuControl* {
    ClickMark();
    auto* popup = dynamic_cast<TqzRibbonQuickAccessPopupBarControl*>(Window()->GetQuickPopup());
    if (!popup) return nullptr;
    RECT box;
    EXPECT_EQ(GetWindowRgnBox(popup->GetHandle(), &box), NULLREGION) << "the popup stays unseen";
    EXPECT_FALSE(popup->HasShadow());
    TqzBarItemLinks* links = popup->GetItemLinks();
    EXPECT_EQ(links->GetVisibleLinkCount(), 1) << "the customize entry alone";
    auto* entry = dynamic_cast<TqzRibbonQuickAccessPopupSubItemControl*>(links->GetVisibleLink(0)->GetControl());
    return entry ? entry->GetSubMenu() : nullptr;
  };
  TqzBarSubMenuControl* menu = openMenu();
  ASSERT_NE(menu, nullptr) << "the customize menu is open at once";
  TRect mark;
  Window()->MarkScreenRect(mark);
  RECT r;
  GetWindowRect(menu->GetHandle(), &r);
  EXPECT_GE(r.Top, mark.Bottom) << "below the mark";
  std::vector<String> captions;
  TqzBarItemLinks* items = menu->GetItemLinks();
  for (Integer i = 0; i < items->GetVisibleLinkCount(); ++i) captions.push_back(items->GetVisibleLink(i)->GetCaption());
  EXPECT_EQ(captions, (std::vector<String>{"Customize Quick Access Toolbar", "Command 1", "Command 2", "Command 3",
                                           "&More Commands...", "&Show Quick Access Toolbar Below the Ribbon",
                                           "Mi&nimize the Ribbon"}));
  auto* second = dynamic_cast<TqzRibbonQuickAccessPopupSubItemButton*>(items->GetVisibleLink(2)->GetItem());
  ASSERT_NE(second, nullptr);
  EXPECT_TRUE(second->GetDown());
  EXPECT_NE(dynamic_cast<TqzRibbonQuickAccessPopupSubItemButtonControl*>(items->GetVisibleLink(2)->GetControl()), nullptr)
      << "the registry's control for the check items";
  if (const char* root = std::getenv("TAVREN_TEST_OUTPUT"); root && *root) {
    EXPECT_TRUE(screen.SaveScreenPng(std::string(root) + "/ribbon-quick-access-customize-menu.png"));
  }

  Click(menu->ClientToScreen(Centre(items->GetVisibleLink(2)->GetItemRect())));
  EXPECT_FALSE(quick->GetItemLinks()->GetLink(1)->GetVisible()) << "unchecking hides the link";
  EXPECT_EQ(ShownLinks(), 2);
  EXPECT_EQ(Window()->GetQuickPopup(), nullptr) << "the click closed the menu and its popup";

  menu = openMenu();
  ASSERT_NE(menu, nullptr);
  items = menu->GetItemLinks();
  second = dynamic_cast<TqzRibbonQuickAccessPopupSubItemButton*>(items->GetVisibleLink(2)->GetItem());
  ASSERT_NE(second, nullptr);
  EXPECT_FALSE(second->GetDown()) << "the menu is filled anew";
  Click(menu->ClientToScreen(Centre(items->GetVisibleLink(2)->GetItemRect())));
  EXPECT_TRUE(quick->GetItemLinks()->GetLink(1)->GetVisible()) << "checking shows it again";

  // Esc closes the menu and, nothing being hidden, the unseen popup with it.
  menu = openMenu();
  ASSERT_NE(menu, nullptr);
  InputKey(VK_ESCAPE, true);
  InputKey(VK_ESCAPE, false);
  Pump();
  EXPECT_EQ(Window()->GetQuickPopup(), nullptr);
  EXPECT_EQ(Window()->GetMarkState(), 0);
}

// The ribbon's commands at the end of the customize menu act on the ribbon.
TEST_F(QuickAccessRibbon, TheCustomizeMenusCommandsMoveTheToolbarAndMinimizeTheRibbon) {
  struct TCase {
    const char* Caption;
    std::function<bool()> Done;
  };
  const TCase cases[] = {
      {"Mi&nimize the Ribbon", [&] { return !ribbon->GetShowTabGroups(); }},
      {"&Show Quick Access Toolbar Below the Ribbon",
       [&] { return ribbon->GetQuickAccessToolbar()->GetPosition() == qtpBelowRibbon; }},
      {"&Show Quick Access Toolbar Above the Ribbon",
       [&] { return ribbon->GetQuickAccessToolbar()->GetPosition() == qtpAboveRibbon; }},
  };
  for (const TCase& c : cases) {
    ClickMark();
    auto* popup = dynamic_cast<TqzRibbonQuickAccessPopupBarControl*>(Window()->GetQuickPopup());
    ASSERT_NE(popup, nullptr) << c.Caption;
    auto* entry = dynamic_cast<TqzRibbonQuickAccessPopupSubItemControl*>(
        popup->GetItemLinks()->GetVisibleLink(0)->GetControl());
    ASSERT_TRUE(entry && entry->GetSubMenu()) << c.Caption;
    TqzBarSubMenuControl* menu = entry->GetSubMenu();
    TqzBarItemLink* command = nullptr;
    for (Integer i = 0; i < menu->GetItemLinks()->GetVisibleLinkCount(); ++i)
      if (menu->GetItemLinks()->GetVisibleLink(i)->GetCaption() == c.Caption) {
        command = menu->GetItemLinks()->GetVisibleLink(i);
      }
    ASSERT_NE(command, nullptr) << c.Caption;
    Click(menu->ClientToScreen(Centre(command->GetItemRect())));
    EXPECT_TRUE(c.Done()) << c.Caption;
  }
  ClickMark();
  auto* popup = dynamic_cast<TqzRibbonQuickAccessPopupBarControl*>(Window()->GetQuickPopup());
  ASSERT_NE(popup, nullptr);
  auto* entry =
      dynamic_cast<TqzRibbonQuickAccessPopupSubItemControl*>(popup->GetItemLinks()->GetVisibleLink(0)->GetControl());
  ASSERT_TRUE(entry && entry->GetSubMenu());
  TqzBarItemLinks* items = entry->GetSubMenu()->GetItemLinks();
  auto* minimize = dynamic_cast<TqzBarButton*>(items->GetVisibleLink(items->GetVisibleLinkCount() - 1)->GetItem());
  ASSERT_NE(minimize, nullptr);
  EXPECT_TRUE(minimize->GetDown()) << "shown down while the ribbon is minimized";
  InputKey(VK_ESCAPE, true);
  InputKey(VK_ESCAPE, false);
  Pump();
}

}  // namespace

namespace {

// A right press on a tab opens the ribbon's context menu with its commands; a ribbon without
// commands opens none.
// A right click on a group's command offers to add it to the quick access toolbar; on the
// toolbar, to remove it again.
TEST_F(QuickAccessRibbon, TheContextMenuOfACommandAddsItToTheToolbarAndRemovesItFromThere) {
  TqzBarItemLink* source = group->GetItemLinks()->GetLink(1);
  auto* command = static_cast<TqzBarButton*>(source->GetItem());
  command->SetCaption("&Paste");
  Pump();
  TqzBarControl* groupWindow = group->GetBarControl();
  ASSERT_NE(groupWindow, nullptr);
  const TPoint onCommand = groupWindow->ClientToScreen(Centre(source->GetItemRect()));
  TqzBarCustomizingPopup* popup = ContextMenuAt(onCommand);
  ASSERT_NE(popup, nullptr);
  EXPECT_EQ(Captions(popup->GetItemLinks()),
            (std::vector<String>{"&Add &Paste to Quick Access Toolbar", "&More Commands...",
                                 "&Show Quick Access Toolbar Below the Ribbon", "Mi&nimize the Ribbon"}))
      << "the item's caption as stored";
  EXPECT_TRUE(popup->GetItemLinks()->GetLink(0)->GetItem()->GetEnabled());
  EXPECT_TRUE(popup->GetItemLinks()->GetLink(1)->GetBeginGroup());
  ClickEntry(popup->GetItemLinks()->GetLink(0));
  ASSERT_EQ(quick->GetItemLinks()->GetCount(), 4);
  EXPECT_EQ(quick->GetItemLinks()->GetLink(3)->GetItem(), command);
  EXPECT_EQ(ShownLinks(), 4);

  popup = ContextMenuAt(onCommand);
  ASSERT_NE(popup, nullptr);
  EXPECT_FALSE(popup->GetItemLinks()->GetLink(0)->GetItem()->GetEnabled()) << "the toolbar holds it already";
  popup->Dismiss();
  Pump();

  TqzBarItemLink* added = quick->GetItemLinks()->GetLink(3);
  popup = ContextMenuAt(Window()->ClientToScreen(Centre(added->GetItemRect())));
  ASSERT_NE(popup, nullptr);
  ASSERT_EQ(popup->GetItemLinks()->GetLink(0)->GetCaption(), "&Remove from Quick Access Toolbar");
  ClickEntry(popup->GetItemLinks()->GetLink(0));
  EXPECT_EQ(quick->GetItemLinks()->GetCount(), 3);
  EXPECT_EQ(source->GetItem(), command) << "the group keeps its command";
  EXPECT_EQ(ShownLinks(), 3);

  // The mark is no command: only the ribbon's commands.
  TRect mark;
  Window()->MarkScreenRect(mark);
  popup = ContextMenuAt(Centre(mark));
  ASSERT_NE(popup, nullptr);
  EXPECT_EQ(Captions(popup->GetItemLinks()),
            (std::vector<String>{"&More Commands...", "&Show Quick Access Toolbar Below the Ribbon", "Mi&nimize the Ribbon"}));
  popup->Dismiss();
  Pump();
}

// A command copied into the mark's popup stands for the toolbar's own link: removing it there
// takes the link off the toolbar and closes the popup.
TEST_F(QuickAccessRibbon, RemovingAHiddenCommandFromTheMarksPopupTakesItsLinkOffTheToolbar) {
  AddButtons(quick, 17);
  form->SetWidth(360);
  Pump();
  ASSERT_TRUE(Window()->GetLinksHidden());
  ClickMark();
  TqzBarControl* markPopup = Window()->GetQuickPopup();
  ASSERT_NE(markPopup, nullptr);
  TqzBarItemLink* copy = markPopup->GetItemLinks()->GetVisibleLink(0);
  TqzBarItemLink* own = copy->GetSourceLink();
  ASSERT_NE(own, copy);
  const Integer before = quick->GetItemLinks()->GetCount();
  TqzBarCustomizingPopup* popup = ContextMenuAt(markPopup->ClientToScreen(Centre(copy->GetItemRect())));
  ASSERT_NE(popup, nullptr);
  ASSERT_EQ(popup->GetItemLinks()->GetLink(0)->GetCaption(), "&Remove from Quick Access Toolbar");
  ClickEntry(popup->GetItemLinks()->GetLink(0));
  EXPECT_EQ(quick->GetItemLinks()->GetCount(), before - 1);
  EXPECT_EQ(Window()->GetQuickPopup(), nullptr);
}

// While customizing, a link's context menu leaves out what a ribbon window does not show: paint
// styles in a group; paint styles and group starts on the quick access toolbar.
TEST_F(QuickAccessRibbon, WhileCustomizingTheLinkMenusOfferOnlyWhatTheWindowsShow) {
  manager->SetIsCustomizing(true);
  Pump();
  auto entries = [&](TqzBarItemLink* ALink, TCustomqzBarControl* AWindow) {
    std::vector<String> captions;
    if (TqzBarCustomizingPopup* popup = ContextMenuAt(AWindow->ClientToScreen(Centre(ALink->GetItemRect())))) {
      captions = Captions(popup->GetItemLinks());
      popup->Dismiss();
      Pump();
    }
    return captions;
  };
  EXPECT_EQ(entries(group->GetItemLinks()->GetLink(1), group->GetBarControl()),
            (std::vector<String>{"&Reset", "&Delete", "&Name:", "Begin a &Group"}));
  EXPECT_EQ(entries(quick->GetItemLinks()->GetLink(1), Window()), (std::vector<String>{"&Reset", "&Delete", "&Name:"}));
  manager->SetIsCustomizing(false);
  DesignControllerInstance()->ClearInternalItems();
  DesignControllerInstance()->SetLastSelectedItem(nullptr);
}

TEST_F(QuickAccessRibbon, ARightPressOnATabOpensTheRibbonsCommands) {
  TqzBarDesignController* controller = DesignControllerInstance();
  const TRect row = TabRow()->GetBounds();
  TPoint inTab(row.Left, (row.Top + row.Bottom) / 2);
  while (inTab.X < row.Right && !ribbon->GetTabAtPoint(inTab.X, inTab.Y)) ++inTab.X;
  ASSERT_LT(inTab.X, row.Right);
  const TPoint at = ribbon->ClientToScreen(TPoint(inTab.X + 5, inTab.Y));
  auto rightClick = [&] {
    InputMouseMove(at);
    InputMouseButton(at, MouseButton::Right, true);
    Pump();
    InputMouseButton(at, MouseButton::Right, false);
    Pump();
  };
  rightClick();
  TqzBarCustomizingPopup* popup = controller->GetCustomizingPopup();
  ASSERT_NE(popup, nullptr);
  std::vector<String> captions;
  for (Integer i = 0; i < popup->GetItemLinks()->GetCount(); ++i)
    captions.push_back(popup->GetItemLinks()->GetLink(i)->GetCaption());
  EXPECT_EQ(captions, (std::vector<String>{"&More Commands...", "&Show Quick Access Toolbar Below the Ribbon",
                                           "Mi&nimize the Ribbon"}));
  popup->Dismiss();
  Pump();
  ribbon->SetPopupMenuItems(TqzRibbonPopupMenuItems());
  rightClick();
  EXPECT_EQ(controller->GetCustomizingPopup(), nullptr);
}

}  // namespace

namespace {

class QuickAccessKeyTips : public QuickAccessRibbon {
 protected:
  void TearDown() override {
    NavigationControllerInstance()->EndKeyboardNavigation();
    QuickAccessRibbon::TearDown();
  }
  static void Press(UINT AKey) {
    InputKey(AKey, true);
    Pump();
    InputKey(AKey, false);
    Pump();
  }
  // The key tips shown, in order.
  static std::vector<String> ShownKeyTips() {
    std::vector<String> texts;
    for (const auto& data : NavigationControllerInstance()->GetKeyTips())
      if (data->Info.Visible) texts.push_back(data->KeyTipUpperText());
    return texts;
  }
};

// Up from the tab reaches the toolbar; Left and Right move along its buttons to the mark at its
// end and back, never past either end.
TEST_F(QuickAccessKeyTips, ArrowsMoveAlongTheToolbarsButtonsToItsMark) {
  auto selected = [] {
    TqzBarHelperRef current = NavigationControllerInstance()->CurrentSelection();
    return current ? current->BarHelperObject() : nullptr;
  };
  auto button = [this](Integer AIndex) {
    return quick->GetItemLinks()->GetLink(AIndex)->GetControl()->GetAccessibilityHelper();
  };
  TqzBarAccessibilityHelper* mark = Window()->GetMarkAccessibilityHelper();
  SetFocus(form->GetHandle());
  Press(VK_MENU);
  ASSERT_EQ(selected(), ribbon->GetActiveTab()->GetAccessibilityHelper());
  Press(VK_UP);
  TqzBarAccessibilityHelper* reached = selected();
  EXPECT_TRUE(reached == button(0) || reached == button(1) || reached == button(2)) << "a button of the toolbar";
  for (Integer i = 0; i < 3; ++i) Press(VK_LEFT);
  EXPECT_EQ(selected(), button(0));
  const std::pair<UINT, TqzBarAccessibilityHelper*> kSteps[] = {
      {VK_RIGHT, button(1)}, {VK_RIGHT, button(2)}, {VK_RIGHT, mark}, {VK_RIGHT, mark}, {VK_LEFT, button(2)}};
  for (const auto& [key, expected] : kSteps) {
    Press(key);
    EXPECT_EQ(selected(), expected);
  }
  Press(VK_RIGHT);
  Press(VK_RETURN);
  EXPECT_NE(Window()->GetQuickPopup(), nullptr) << "Enter on the mark opens it";
  Press(VK_ESCAPE);
  EXPECT_EQ(Window()->GetQuickPopup(), nullptr);
}

// While links are hidden the mark's key tip "00" opens its popup, where the hidden links keep
// the numbers they have on the toolbar; Esc goes back to the toolbar's level with the mark
// selected.
TEST_F(QuickAccessKeyTips, TheMarksKeyTipOpensTheHiddenLinksUnderTheirOwnNumbers) {
  AddButtons(quick, 9);
  form->SetWidth(300);
  Pump();
  ASSERT_TRUE(Window()->GetLinksHidden());
  const Integer shown = ShownLinks();
  ASSERT_GT(shown, 0);
  ASSERT_LT(shown, 12);
  SetFocus(form->GetHandle());
  Press(VK_MENU);
  ASSERT_TRUE(NavigationControllerInstance()->AreKeyTipsShown());
  std::vector<String> tips = ShownKeyTips();
  EXPECT_NE(std::find(tips.begin(), tips.end(), "00"), tips.end());
  EXPECT_NE(std::find(tips.begin(), tips.end(), QuickAccessKeyTip(shown - 1)), tips.end());
  EXPECT_EQ(std::find(tips.begin(), tips.end(), QuickAccessKeyTip(shown)), tips.end()) << "a hidden link shows none";

  Press('0');
  Press('0');
  ASSERT_NE(Window()->GetQuickPopup(), nullptr) << "the mark's key tip opens the popup";
  std::vector<String> hidden;
  for (Integer i = shown; i < 12; ++i) hidden.push_back(QuickAccessKeyTip(i));
  EXPECT_EQ(ShownKeyTips(), hidden);

  Press(VK_ESCAPE);
  EXPECT_EQ(Window()->GetQuickPopup(), nullptr);
  EXPECT_TRUE(Window()->GetMarkAccessibilityHelper()->IsCurrentSelection()) << "the mark is selected again";
  tips = ShownKeyTips();
  EXPECT_NE(std::find(tips.begin(), tips.end(), "00"), tips.end()) << "the toolbar's level again";
}

}  // namespace

namespace {

// The form goes while the mark's popup is open: the toolbar, losing the focus as the windows go,
// frees the popup whose window is being destroyed; nothing reaches the freed popup afterwards.
TEST_F(QuickAccessRibbon, TheFormGoesWhileTheMarksPopupIsOpen) {
  ClickMark();
  ASSERT_NE(Window()->GetQuickPopup(), nullptr);
  delete form;
  form = nullptr;
}

}  // namespace
