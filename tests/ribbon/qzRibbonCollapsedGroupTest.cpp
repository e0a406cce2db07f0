#include <gtest/gtest.h>

#include "gdi/Regions.h"
#include "gdi/SysMetrics.h"

#include "MainWindowRibbon.h"
#include "toolkit/bars/qzBarHooks.h"
#include "toolkit/bars/qzBarNavigation.h"
#include "user/Focus.h"
#include "user/InputEvents.h"
#include "user/WindowPos.h"

namespace {

class CollapsedGroup : public MainWindowRibbon {
 protected:
  void SetUp() override {
    MainWindowRibbon::SetUp();
    KeepButtonsLarge();
    form->SetBounds(0, 0, 400, 300);
    Pump();
    ASSERT_TRUE(Group(2)->GetCollapsed());
  }
  // A left click at a point of the window's client area, as the mouse makes it.
  void Click(TWinControl* AWindow, const TPoint& P) {
    const TPoint screenPoint = AWindow->ClientToScreen(P);
    static_cast<FakeClock&>(CurrentClock()).Advance(1000);
    InputMouseMove(screenPoint);
    InputMouseButton(screenPoint, MouseButton::Left, true);
    Pump();
    InputMouseButton(screenPoint, MouseButton::Left, false);
    Pump();
  }
  TqzRibbonCollapsedGroupPopupBarControl* Popup() {
    return dynamic_cast<TqzRibbonCollapsedGroupPopupBarControl*>(Group(2)->GetQuickPopup());
  }
  TPoint Centre(TWinControl* AWindow) { return TPoint(AWindow->GetClientWidth() / 2, AWindow->GetClientHeight() / 2); }
};

TEST_F(CollapsedGroup, PressingItOpensTheGroupBelowTheRibbonAndACommandRunsFromThere) {
  Click(Group(2), Centre(Group(2)));
  TqzRibbonCollapsedGroupPopupBarControl* popup = Popup();
  ASSERT_NE(popup, nullptr);
  ASSERT_TRUE(IsWindowVisible(popup->GetHandle()));
  EXPECT_EQ(Group(2)->GetMarkState(), 2) << "the group looks pressed while its popup is open";
  EXPECT_FALSE(popup->GetCollapsed()) << "the popup shows the whole group";
  ASSERT_EQ(popup->GetItemLinks()->GetVisibleLinkCount(), 2);
  RECT popupRect, ribbonRect;
  GetWindowRect(popup->GetHandle(), &popupRect);
  GetWindowRect(ribbon->GetHandle(), &ribbonRect);
  EXPECT_GE(popupRect.Top, ribbonRect.Bottom) << "below the ribbon";
  // The frame's rounded corners leave nothing drawn there: the window is cut round them.
  HRGN shape = CreateRectRgn(0, 0, 0, 0);
  ASSERT_EQ(GetWindowRgn(popup->GetHandle(), shape), COMPLEXREGION);
  const Integer w = popupRect.Right - popupRect.Left, h = popupRect.Bottom - popupRect.Top;
  for (const TPoint corner : {TPoint(0, 0), TPoint(w - 1, 0), TPoint(0, h - 1), TPoint(w - 1, h - 1)})
    EXPECT_FALSE(PtInRegion(shape, corner.X, corner.Y)) << corner.X << "," << corner.Y;
  EXPECT_TRUE(PtInRegion(shape, w / 2, 0) && PtInRegion(shape, 0, h / 2));
  DeleteObject(shape);
  EXPECT_EQ(popupRect.Right - popupRect.Left, popup->GroupViewInfo()->GetTotalSize().cx);
  if (const char* root = std::getenv("TAVREN_TEST_OUTPUT"); root && *root) {
    UpdateAllWindows();
    EXPECT_TRUE(screen.SaveScreenPng(std::string(root) + "/ribbon-main-collapsed-popup.png"));
  }
  TqzBarItemLink* about = popup->GetItemLinks()->GetVisibleLink(1);
  const TRect& r = about->GetItemRect();
  Click(popup, TPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
  EXPECT_EQ(clicks.Names, (std::vector<String>{"About"}));
  EXPECT_EQ(Popup(), nullptr) << "the command closed the popup";
  EXPECT_EQ(Group(2)->GetMarkState(), 0);
}

// With no room below the ribbon in the work area the popup opens above the ribbon and the group.
TEST_F(CollapsedGroup, NearTheBottomOfTheWorkAreaThePopupOpensAboveTheRibbon) {
  RECT work;
  SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
  form->SetBounds(0, work.Bottom - 140, 400, 300);
  Pump();
  ASSERT_TRUE(Group(2)->GetCollapsed());
  Click(Group(2), Centre(Group(2)));
  TqzRibbonCollapsedGroupPopupBarControl* popup = Popup();
  ASSERT_NE(popup, nullptr);
  RECT popupRect, ribbonRect, groupRect;
  GetWindowRect(popup->GetHandle(), &popupRect);
  GetWindowRect(ribbon->GetHandle(), &ribbonRect);
  GetWindowRect(Group(2)->GetHandle(), &groupRect);
  const Integer height = popupRect.Bottom - popupRect.Top;
  ASSERT_LT(work.Bottom - std::max<Integer>(ribbonRect.Bottom, groupRect.Bottom + 2), height) << "no room below";
  EXPECT_EQ(popupRect.Top, std::min<Integer>(ribbonRect.Top - height - 2, groupRect.Top - height - 4));
  EXPECT_EQ(popupRect.Left, groupRect.Left);
  InputKey(VK_ESCAPE, true);
  InputKey(VK_ESCAPE, false);
  Pump();
  EXPECT_EQ(Popup(), nullptr);
}

TEST_F(CollapsedGroup, AClickElsewhereClosesThePopupAndAClickOnTheGroupDoesNotOpenItAgain) {
  Click(Group(2), Centre(Group(2)));
  ASSERT_NE(Popup(), nullptr);
  Click(form, TPoint(10, form->GetClientHeight() - 10));
  EXPECT_EQ(Popup(), nullptr);
  EXPECT_TRUE(clicks.Names.empty());
  Click(Group(2), Centre(Group(2)));
  ASSERT_NE(Popup(), nullptr);
  Click(Group(2), Centre(Group(2)));
  EXPECT_EQ(Popup(), nullptr) << "the press on the open group closes its popup";
}

TEST_F(CollapsedGroup, SelectedByTheKeyboardACollapsedGroupLooksHotAndIsScrolledIntoView) {
  tab->GetGroups()->GetGroup(0)->SetCanCollapse(false);
  form->SetBounds(0, 0, 310, 300);
  Pump();
  TqzRibbonGroupsDockControl* dock = tab->GetDockControl();
  ASSERT_TRUE(Group(2)->GetCollapsed());
  ASSERT_TRUE(dock->GetViewInfo()->ShowsRightScrollButton());
  ASSERT_GT(Group(2)->GetLeft() + Group(2)->GetWidth(), dock->GetClientWidth()) << "Help lies past the right edge";
  TqzBarAccessibilityHelper* help = Group(2)->GetAccessibilityHelper();
  NavigationControllerInstance()->MoveSelection(false, BarHelperRef(help));
  Pump();
  EXPECT_TRUE(help->IsCurrentSelection());
  EXPECT_EQ(Group(2)->GetMarkState(), 1) << "hot";
  EXPECT_LE(Group(2)->GetLeft() + Group(2)->GetWidth(), dock->GetClientWidth()) << "scrolled into view";
  EXPECT_LT(dock->GetViewInfo()->GetScrollOffset(), 0);
  NavigationControllerInstance()->EndKeyboardNavigation();
  EXPECT_EQ(Group(2)->GetMarkState(), 0);
}

TEST_F(CollapsedGroup, WhileThePopupIsOpenTheWheelDoesNotSwitchTabsAndATabSwitchClosesIt) {
  AddTab("View");
  Pump();
  const TPoint overRibbon = Group(0)->ClientToScreen(TPoint(4, 4));
  Click(Group(2), Centre(Group(2)));
  ASSERT_NE(Popup(), nullptr);
  EXPECT_EQ(ActiveBarWheelState(), 0) << "the popup is the active bar window and does not scroll";
  InputMouseWheel(overRibbon, -WHEEL_DELTA);
  Pump();
  EXPECT_EQ(ribbon->GetActiveTab(), tab);
  Click(form, TPoint(10, form->GetClientHeight() - 10));
  ASSERT_EQ(Popup(), nullptr);
  EXPECT_EQ(ActiveBarWheelState(), 3);
  InputMouseWheel(overRibbon, -WHEEL_DELTA);
  Pump();
  EXPECT_NE(ribbon->GetActiveTab(), tab) << "with nothing open the wheel switches tabs";
  ribbon->SetActiveTab(tab);
  Pump();
  Click(Group(2), Centre(Group(2)));
  ASSERT_NE(Popup(), nullptr);
  ribbon->SetActiveTab(ribbon->GetTabs()->GetTab(1));
  EXPECT_EQ(Popup(), nullptr) << "a tab switch closes the popup of the tab that went";
}

TEST_F(CollapsedGroup, ItsKeyTipOpensThePopupWithTheKeyTipsOfItsItemsAndEscClosesIt) {
  TqzBarNavigationController* controller = NavigationControllerInstance();
  auto typed = [&](UINT AKey) {
    InputKey(AKey, true);
    Pump();
    InputKey(AKey, false);
    Pump();
  };
  auto texts = [&] {
    std::vector<String> result;
    for (const auto& data : controller->GetKeyTips()) result.push_back(data->KeyTipUpperText());
    return result;
  };
  SetFocus(form->GetHandle());
  typed(VK_MENU);
  EXPECT_EQ(texts(), (std::vector<String>{"Y1", "Y2", "Y3", "ZE", "ZH"})) << "File's buttons, then Edit and Help collapsed";
  typed('Z');
  typed('H');
  ASSERT_NE(Popup(), nullptr);
  EXPECT_EQ(texts(), (std::vector<String>{"Y1", "Y2"})) << "the popup's items";
  typed(VK_ESCAPE);
  EXPECT_EQ(Popup(), nullptr);
  EXPECT_EQ(texts().size(), 5u) << "back to the groups' key tips";
  typed('Z');
  typed('H');
  typed('Y');
  typed('2');
  EXPECT_EQ(clicks.Names, (std::vector<String>{"About"}));
  EXPECT_EQ(Popup(), nullptr);
  controller->EndKeyboardNavigation();
}

}  // namespace
