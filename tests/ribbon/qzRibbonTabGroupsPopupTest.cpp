#include <gtest/gtest.h>

#include <deque>
#include <functional>

#include "MainWindowRibbon.h"
#include "toolkit/ribbon/qzRibbonGroupsSite.h"
#include "toolkit/ribbon/qzRibbonTabGroupsPopup.h"
#include "user/InputEvents.h"
#include "user/WindowPos.h"

namespace {

// The main window's ribbon with its tab headers shown and minimized. The popup runs its own
// message loop while it is shown: the steps of a test run inside that loop from a timer, one per
// tick, and a popup that opens with no step left is closed and counted.
class TabGroupsPopup : public MainWindowRibbon {
 protected:
  void SetUp() override {
    MainWindowRibbon::SetUp();
    ribbon->SetShowTabHeaders(true);
    view = AddTab("View");
    ribbon->SetActiveTab(tab);
    ribbon->SetShowTabGroups(false);
    Pump();
    current = this;
    timer = SetTimer(nullptr, 0, 10, &Tick);
  }
  void TearDown() override {
    KillTimer(nullptr, timer);
    current = nullptr;
    MainWindowRibbon::TearDown();
  }
  static void Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (!current->ribbon->IsTabGroupsPopupShown()) return;
    if (current->steps.empty()) {
      ++current->unexpectedOpenings;
      current->ribbon->CloseTabGroupsPopup();
      return;
    }
    std::function<void()> step = std::move(current->steps.front());
    current->steps.pop_front();
    step();
  }
  static void Press(const TPoint& AScreenPoint) {
    InputMouseMove(AScreenPoint);
    InputMouseButton(AScreenPoint, MouseButton::Left, true);
    InputMouseButton(AScreenPoint, MouseButton::Left, false);
  }
  TPoint TabHeader(TqzRibbonTab* ATab) {
    const TRect r = TabRow()->Find(ATab)->GetBounds();
    return ribbon->ClientToScreen(TPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
  }
  TPoint ButtonCentre(Integer AGroup, Integer ALink) {
    const TRect& r = bars[AGroup]->GetItemLinks()->GetVisibleLink(ALink)->GetItemRect();
    return Group(AGroup)->ClientToScreen(TPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
  }
  // A click as the mouse makes it; the popup's loop runs inside when it opens the popup.
  void Click(const TPoint& AScreenPoint) {
    static_cast<FakeClock&>(CurrentClock()).Advance(1000);
    Press(AScreenPoint);
    Pump();
  }
  TqzRibbonTab* view = nullptr;
  std::deque<std::function<void()>> steps;
  Integer unexpectedOpenings = 0;
  static inline TabGroupsPopup* current = nullptr;
  static inline UINT_PTR timer = 0;
};

TEST_F(TabGroupsPopup, AClickOnATabShowsItsGroupsUnderTheTabsAndACommandRunsFromThereAndClosesIt) {
  ASSERT_FALSE(ribbon->AreTabGroupsShown());
  const Integer ribbonHeight = ribbon->GetHeight();
  steps.push_back([&] {
    TqzRibbonTabGroupsPopupWindow* popup = ribbon->GetTabGroupsPopup();
    EXPECT_TRUE(ribbon->AreTabGroupsShown());
    EXPECT_EQ(ribbon->GetGroupsSite()->GetParent(), popup) << "the groups site moved into the popup";
    RECT popupRect;
    GetWindowRect(popup->GetHandle(), &popupRect);
    const TPoint ribbonLeft = ribbon->ClientToScreen(TPoint(0, 0));
    const TRect tabs = ribbon->GetViewInfo()->TabsAreaBounds();
    EXPECT_EQ(popupRect.Left, ribbonLeft.X);
    EXPECT_EQ(popupRect.Right - popupRect.Left, ribbon->GetClientWidth());
    EXPECT_EQ(popupRect.Top, ribbon->ClientToScreen(tabs.BottomRight()).Y - 1) << "right under the tab row";
    EXPECT_EQ(popupRect.Bottom - popupRect.Top, ribbon->GetViewInfo()->GetGroupsHeight(true)) << "as high as the groups area";
    EXPECT_TRUE(Group(0)->GetVisible() && IsWindowVisible(Group(1)->GetHandle()));
    if (const char* root = std::getenv("TAVREN_TEST_OUTPUT"); root && *root) {
      UpdateAllWindows();
      EXPECT_TRUE(screen.SaveScreenPng(std::string(root) + "/ribbon-minimized-groups-popup.png"));
    }
    Press(ButtonCentre(1, 1));
  });
  Click(TabHeader(tab));
  EXPECT_TRUE(steps.empty()) << "the popup opened";
  EXPECT_EQ(clicks.Names, (std::vector<String>{"Trim"}));
  EXPECT_FALSE(ribbon->IsTabGroupsPopupShown()) << "the command closed the popup";
  EXPECT_EQ(ribbon->GetGroupsSite()->GetParent(), ribbon) << "the groups site came back";
  EXPECT_FALSE(tab->GetDockControl()->GetVisible());
  EXPECT_EQ(ribbon->GetHeight(), ribbonHeight) << "the ribbon stays minimized";
  EXPECT_EQ(unexpectedOpenings, 0);
}

// Each way of closing leaves the popup closed after one opening: no press that closes it opens it
// again, and none runs a command.
TEST_F(TabGroupsPopup, EscAClickElsewhereAndAClickOnTheActiveTabCloseIt) {
  struct Case {
    const char* Name;
    std::function<void()> Close;
  };
  const Case cases[] = {
      {"Esc",
       [] {
         InputKey(VK_ESCAPE, true);
         InputKey(VK_ESCAPE, false);
       }},
      {"a click on the form below", [&] { Press(form->ClientToScreen(TPoint(10, form->GetClientHeight() - 10))); }},
      {"a click on the active tab", [&] { Press(TabHeader(tab)); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    steps.push_back(c.Close);
    Click(TabHeader(tab));
    EXPECT_TRUE(steps.empty()) << "the popup opened";
    steps.clear();
    EXPECT_FALSE(ribbon->IsTabGroupsPopupShown());
    EXPECT_EQ(ribbon->GetGroupsSite()->GetParent(), ribbon);
    EXPECT_EQ(unexpectedOpenings, 0) << "the closing press opened it again";
    unexpectedOpenings = 0;
  }
  EXPECT_TRUE(clicks.Names.empty());
  EXPECT_EQ(ribbon->GetActiveTab(), tab);
}

TEST_F(TabGroupsPopup, AClickOnAnotherTabWhileItIsOpenShowsThatTabsGroups) {
  steps.push_back([&] { Press(TabHeader(view)); });
  steps.push_back([&] {
    EXPECT_EQ(ribbon->GetActiveTab(), view);
    EXPECT_TRUE(view->GetDockControl()->GetVisible());
    ribbon->CloseTabGroupsPopup();
  });
  Click(TabHeader(tab));
  EXPECT_TRUE(steps.empty());
  EXPECT_EQ(unexpectedOpenings, 0);
}

TEST_F(TabGroupsPopup, ShowingTheGroupsAgainClosesThePopup) {
  steps.push_back([&] { ribbon->SetShowTabGroups(true); });
  Click(TabHeader(tab));
  EXPECT_TRUE(steps.empty());
  EXPECT_FALSE(ribbon->IsTabGroupsPopupShown());
  EXPECT_EQ(ribbon->GetGroupsSite()->GetParent(), ribbon);
  EXPECT_TRUE(tab->GetDockControl()->GetVisible()) << "the groups show in the ribbon again";
  EXPECT_EQ(unexpectedOpenings, 0);
}

// ---- From the keyboard ----

std::vector<String> KeyTipTexts() {
  std::vector<String> texts;
  for (const auto& data : NavigationControllerInstance()->GetKeyTips()) texts.push_back(data->KeyTipUpperText());
  return texts;
}

void TypeKey(UINT AKey) {
  InputKey(AKey, true);
  InputKey(AKey, false);
}

class TabGroupsPopupByKeyboard : public TabGroupsPopup {
 protected:
  void TearDown() override {
    NavigationControllerInstance()->EndKeyboardNavigation();
    TabGroupsPopup::TearDown();
  }
  void PressNow(UINT AKey) {
    TypeKey(AKey);
    Pump();
  }
};

TEST_F(TabGroupsPopupByKeyboard, ATabsKeyTipOpensItsGroupsWithTheirKeyTipsAndEscClosesThemAgain) {
  SetFocus(form->GetHandle());
  PressNow(VK_MENU);
  ASSERT_EQ(KeyTipTexts(), (std::vector<String>{"Y1", "Y2"}));
  steps.push_back([&] {
    EXPECT_EQ(ribbon->GetGroupsSite()->GetParent(), ribbon->GetTabGroupsPopup());
    EXPECT_EQ(KeyTipTexts().size(), 8u) << "the key tips of the tab's groups";
    TypeKey(VK_ESCAPE);
  });
  PressNow('Y');
  PressNow('1');
  EXPECT_TRUE(steps.empty()) << "the popup opened";
  EXPECT_FALSE(ribbon->IsTabGroupsPopupShown());
  EXPECT_EQ(KeyTipTexts(), (std::vector<String>{"Y1", "Y2"})) << "Esc went back to the tabs' key tips";
  EXPECT_EQ(unexpectedOpenings, 0);
}

TEST_F(TabGroupsPopupByKeyboard, EnterOnATabOpensItsGroupsWithTheFirstSelectedAndEscReturnsToTheTab) {
  ribbon->SetShowTabGroups(true);
  Pump();
  SetFocus(form->GetHandle());
  PressNow(VK_MENU);
  ASSERT_EQ(Selected(), "Home");
  PressNow(VK_RIGHT);
  EXPECT_EQ(Selected(), "View");
  PressNow(VK_RIGHT);
  EXPECT_EQ(Selected(), "View") << "no wrap-around and no application button to go on to";
  PressNow(VK_LEFT);
  ASSERT_EQ(Selected(), "Home");
  ribbon->SetShowTabGroups(false);
  Pump();
  steps.push_back([&] {
    EXPECT_EQ(Selected(), "Add");
    TypeKey(VK_RIGHT);
  });
  steps.push_back([&] {
    EXPECT_EQ(Selected(), "Delete");
    TypeKey(VK_ESCAPE);
  });
  PressNow(VK_RETURN);
  EXPECT_TRUE(steps.empty()) << "the popup opened";
  EXPECT_FALSE(ribbon->IsTabGroupsPopupShown());
  EXPECT_EQ(Selected(), "Home");
  EXPECT_TRUE(clicks.Names.empty());
}

TEST_F(TabGroupsPopupByKeyboard, AnArrowInAPopupTheMouseOpenedStartsNavigationOnTheFirstElement) {
  steps.push_back([&] {
    EXPECT_FALSE(NavigationControllerInstance()->CurrentSelection());
    TypeKey(VK_DOWN);
  });
  steps.push_back([&] {
    EXPECT_EQ(Selected(), "Add");
    TypeKey(VK_RETURN);
  });
  Click(TabHeader(tab));
  EXPECT_TRUE(steps.empty());
  EXPECT_EQ(clicks.Names, (std::vector<String>{"Add"}));
  EXPECT_FALSE(ribbon->IsTabGroupsPopupShown());
}

}  // namespace
