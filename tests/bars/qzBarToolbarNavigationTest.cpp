#include <gtest/gtest.h>

#include "BarsTestSupport.h"
#include "rtl/SysUtils.h"
#include "toolkit/bars/qzBarAccessibility.h"
#include "user/Clock.h"
#include "user/Focus.h"
#include "user/InputEvents.h"
#include "user/Messages.h"
#include "user/Rects.h"
#include "user/VirtualKeys.h"

namespace {

// Toolbars of a manager, docked on a shown form.
class ToolbarNavigation : public BarManagerOnForm {
 protected:
  void SetUp() override {
    BarManagerOnForm::SetUp();
    form->SetBounds(40, 30, 420, 300);
    form->Show();
    SetFocus(form->GetHandle());
    Pump();
  }
  void TearDown() override {
    NavigationControllerInstance()->EndKeyboardNavigation();
    BarManagerOnForm::TearDown();
  }
  void Pump() {
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessage(&msg);
    }
  }
  void Press(UINT AKey) {
    InputKey(AKey, true);
    InputKey(AKey, false);
    Pump();
  }
  TqzBar* AddBar(Integer AButtons, TqzBarDockingStyle AStyle, Integer ARow = 0) {
    TqzBar* bar = manager->GetBars()->AddBar();
    for (Integer i = 0; i < AButtons; ++i) {
      auto* item = new TqzBarButton(form);
      item->SetCaption(String("Cmd") + IntToStr(i));
      item->SetPaintStyle(psCaption);
      bar->GetItemLinks()->AddLinkForItem(item);
    }
    bar->SetDockingStyle(AStyle);
    bar->SetRow(ARow);
    bar->SetVisible(true);
    Pump();
    return bar;
  }
  TqzBarItemControl* Control(TqzBar* ABar, Integer AIndex) {
    return ABar->GetItemLinks()->GetVisibleLink(AIndex)->GetControl();
  }
};

TEST_F(ToolbarNavigation, ADockSiteListsItsBarWindowsRowByRow) {
  TqzBar* bars[5] = {AddBar(2, dsTop, 0), AddBar(2, dsTop, 0), AddBar(1, dsTop, 1), AddBar(1, dsTop, 1),
                     AddBar(1, dsTop, 1)};
  TqzDockControl* site = manager->GetBars()->GetDockControl(dsTop);
  ASSERT_EQ(site->GetRowCount(), 2);
  TqzBarAccessibilityHelper* node = site->GetAccessibilityHelper();
  ASSERT_EQ(node->ChildTotal(), 5);
  TqzBarControl* firstOfSecondRow = site->GetRow(1)->GetCol(0)->GetBarControl();
  EXPECT_EQ(node->ChildAt(2), firstOfSecondRow->GetAccessibilityHelper());
  EXPECT_EQ(node->IndexOfChild(firstOfSecondRow->GetAccessibilityHelper()), 2);
  for (TqzBar* bar : bars) {
    TqzBarAccessibilityHelper* barNode = bar->GetBarControl()->GetAccessibilityHelper();
    EXPECT_EQ(barNode->ParentNode(), node);
    EXPECT_GE(node->IndexOfChild(barNode), 0);
  }
  EXPECT_EQ(node->ParentNode(), nullptr);
  EXPECT_TRUE(node->IsVisible());
}

TEST_F(ToolbarNavigation, ASiteThatChangesItsSizeUnderTheKeyboardsToolbarEndsMenuMode) {
  TqzBar* menuBar = AddBar(3, dsTop, 0);
  menuBar->SetIsMainMenu(true);
  Pump();
  TqzBarControl* window = menuBar->GetBarControl();
  TqzDockControl* site = window->GetDockControl();
  Press(VK_MENU);
  ASSERT_EQ(ActiveBarControl(), window);
  // Laid out again at the same size: the menu mode stays.
  site->RebuildRows();
  EXPECT_EQ(ActiveBarControl(), window);
  // A new row makes the site taller: the toolbar moved under the keyboard's feet.
  Integer height = site->GetHeight();
  AddBar(2, dsTop, 1);
  EXPECT_GT(site->GetHeight(), height);
  EXPECT_EQ(ActiveBarControl(), nullptr);
}

TEST_F(ToolbarNavigation, AltEntersNavigationOnTheMainMenuBarWhereKeysMoveAndEscLeaves) {
  AddBar(2, dsTop, 0);
  TqzBar* menuBar = AddBar(3, dsTop, 1);
  menuBar->SetIsMainMenu(true);
  Pump();
  TqzBarControl* window = menuBar->GetBarControl();
  Press(VK_MENU);
  EXPECT_EQ(ActiveBarControl(), window);
  EXPECT_TRUE(NavigationControllerInstance()->IsNavigatedBarWindow(window));
  Press(VK_RIGHT);
  EXPECT_EQ(window->GetSelectedControl(), Control(menuBar, 0));
  Press(VK_RIGHT);
  EXPECT_EQ(window->GetSelectedControl(), Control(menuBar, 1));
  Press(VK_TAB);
  EXPECT_EQ(window->GetSelectedControl(), Control(menuBar, 2));
  Press(VK_LEFT);
  EXPECT_EQ(window->GetSelectedControl(), Control(menuBar, 1));
  Press(VK_ESCAPE);
  EXPECT_EQ(window->GetSelectedControl(), nullptr);
  EXPECT_EQ(ActiveBarControl(), nullptr);
}

TEST_F(ToolbarNavigation, OnABarDockedAtTheLeftUpAndDownFollowTheLinks) {
  TqzBar* bar = AddBar(3, dsLeft);
  TqzBarControl* window = bar->GetBarControl();
  ASSERT_TRUE(window->IsVertical());
  TqzBarNavigationController* controller = NavigationControllerInstance();
  Control(bar, 0)->GetAccessibilityHelper()->BecomeSelected(false);
  controller->HandleKey(VK_DOWN);
  EXPECT_EQ(window->GetSelectedControl(), Control(bar, 1));
  controller->HandleKey(VK_DOWN);
  EXPECT_EQ(window->GetSelectedControl(), Control(bar, 2));
  controller->HandleKey(VK_UP);
  EXPECT_EQ(window->GetSelectedControl(), Control(bar, 1));
  // Across the bar there is nothing.
  controller->HandleKey(VK_RIGHT);
  EXPECT_EQ(window->GetSelectedControl(), Control(bar, 1));
}

// The caption buttons are the toolbar node's last child, listed from the last button on; the
// keyboard-selected button shows hot.
TEST_F(ToolbarNavigation, AFloatingBarListsItsCaptionButtonsLastFirst) {
  TqzBar* bar = AddBar(2, dsNone);
  TqzBarControl* window = bar->GetBarControl();
  // The caption lays its buttons out from the right edge.
  TRect caption = window->CaptionRect();
  Integer size = caption.Height();
  for (const char* tip : {"A", "B"}) {
    TqzBarCaptionButton* button = bar->GetCaptionButtons()->AddButton();
    button->SetKeyTip(tip);
    Integer right = caption.Right - size * (button->GetIndex() + 1);
    button->SetBounds(TRect(right - size, caption.Top, right, caption.Bottom));
  }
  Pump();
  TqzBarAccessibilityHelper* node = window->GetAccessibilityHelper();
  ASSERT_EQ(node->ChildTotal(), 3);
  TqzBarAccessibilityHelper* group = bar->GetCaptionButtons()->GetAccessibilityHelper();
  EXPECT_EQ(node->ChildAt(2), group);
  EXPECT_EQ(node->IndexOfChild(group), 2);
  EXPECT_EQ(group->ParentNode(), node);
  ASSERT_EQ(group->ChildTotal(), 2);
  TqzBarCaptionButton* last = bar->GetCaptionButtons()->GetButton(1);
  EXPECT_EQ(group->ChildAt(0), last->GetAccessibilityHelper());
  EXPECT_EQ(group->IndexOfChild(last->GetAccessibilityHelper()), 0);
  EXPECT_EQ(last->GetAccessibilityHelper()->KeyTipText(), "B");
  ASSERT_TRUE(last->GetAccessibilityHelper()->IsVisible());
  TRect bounds = group->ScreenRect(CHILDID_SELF);
  EXPECT_FALSE(IsRectEmpty(&bounds));
  TqzBarNavigationController* controller = NavigationControllerInstance();
  controller->EnterNavigation(BarHelperRef(node));
  controller->MoveSelection(false, BarHelperRef(last->GetAccessibilityHelper()));
  EXPECT_EQ(last->GetState(), 2);
  last->GetAccessibilityHelper()->LoseSelection(nullptr);
  EXPECT_FALSE(last->IsKeyboardSelected());
  // Without caption buttons the group is there but out of sight.
  TqzBar* plain = AddBar(1, dsTop);
  TqzBarAccessibilityHelper* plainGroup = plain->GetCaptionButtons()->GetAccessibilityHelper();
  EXPECT_EQ(plain->GetBarControl()->GetAccessibilityHelper()->ChildAt(1), plainGroup);
  EXPECT_FALSE(plainGroup->IsVisible());
}

}  // namespace
