#include <gtest/gtest.h>

#include "RibbonFixture.h"
#include "user/Cursors.h"
#include "user/Input.h"
#include "user/Rects.h"

namespace {

class RibbonController : public RibbonOnForm {
 protected:
  TPoint Centre(const TRect& R) { return TPoint((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2); }
  // The cursor goes where a user's would before the ribbon hears of a press or release.
  void Press(const TPoint& P, WPARAM AKeys = MK_LBUTTON) {
    const TPoint s = ribbon->ClientToScreen(P);
    SetCursorPos(s.X, s.Y);
    SendMouse(ribbon->GetHandle(), WM_MOUSEMOVE, P);
    SendMouse(ribbon->GetHandle(), WM_LBUTTONDOWN, P, AKeys);
  }
  void Release(const TPoint& P) {
    const TPoint s = ribbon->ClientToScreen(P);
    SetCursorPos(s.X, s.Y);
    SendMouse(ribbon->GetHandle(), WM_LBUTTONUP, P);
  }
};

TEST_F(RibbonController, HoldingAScrollButtonStepsOnceThenRepeatsWhileTheMouseStaysOnIt) {
  form->SetBounds(0, 0, 320, 300);
  for (Integer i = 0; i < 12; ++i) AddTab("Tab number " + std::to_string(i + 1));
  ASSERT_EQ(TabRow()->GetScrollButtons(), 2);
  const TPoint right = Centre(TabRow()->GetScrollButtonRight());
  Press(right);
  EXPECT_EQ(TabRow()->GetScrollOffset(), 14);
  PassTime(390);
  EXPECT_EQ(TabRow()->GetScrollOffset(), 14) << "nothing more during the first 400 ms";
  PassTime(10);
  EXPECT_EQ(TabRow()->GetScrollOffset(), 17);
  PassTime(40);
  EXPECT_EQ(TabRow()->GetScrollOffset(), 23) << "3 pixels every 20 ms";
  const TPoint away = ribbon->ClientToScreen(TPoint(100, 100));
  SetCursorPos(away.X, away.Y);
  PassTime(100);
  EXPECT_EQ(TabRow()->GetScrollOffset(), 23) << "off the button the repeats pause";
  const TPoint back = ribbon->ClientToScreen(Centre(TabRow()->GetScrollButtonRight()));
  SetCursorPos(back.X, back.Y);
  PassTime(20);
  EXPECT_EQ(TabRow()->GetScrollOffset(), 26);
  Release(right);
  PassTime(100);
  EXPECT_EQ(TabRow()->GetScrollOffset(), 26);
  EXPECT_EQ(ribbon->GetController()->GetScrollingElement(), rhkNone);
}

struct THelpClicks : TObject {
  Integer count = 0;
  void Clicked(TqzCustomRibbon*) { ++count; }
};

TEST_F(RibbonController, AClickCountsOnlyWhereThePressBegan) {
  AddTab("Home");
  THelpClicks clicks;
  ribbon->SetOnHelpButtonClick(MakeEvent<&THelpClicks::Clicked>(&clicks));
  const TRect help = ribbon->GetViewInfo()->GetHelpButtonBounds();
  ASSERT_FALSE(IsRectEmpty(&help));
  Press(Centre(help));
  Release(TPoint(200, 60));
  EXPECT_EQ(clicks.count, 0) << "released elsewhere";
  Press(Centre(help));
  Release(Centre(help));
  EXPECT_EQ(clicks.count, 1);
}

TEST_F(RibbonController, ATabClickActivatesItAndADoubleClickOnTheActiveTabMinimizes) {
  AddTab("Home");
  TqzRibbonTab* view = AddTab("View");
  const TPoint onView = Centre(TabRow()->Find(view)->GetBounds());
  Press(onView);
  Release(onView);
  EXPECT_EQ(ribbon->GetActiveTab(), view);
  SendMouse(ribbon->GetHandle(), WM_LBUTTONDBLCLK, onView, MK_LBUTTON);
  Release(onView);
  EXPECT_FALSE(ribbon->GetShowTabGroups());
}

TEST_F(RibbonController, ADoubleClickOnTheApplicationButtonClosesTheForm) {
  AddTab("Home");
  TqzBar* quick = AddBar("Quick");
  quick->SetVisible(true);
  ribbon->GetQuickAccessToolbar()->SetToolbar(quick);
  ASSERT_TRUE(ribbon->GetViewInfo()->IsApplicationButtonShown(false));
  const TPoint button = Centre(ribbon->GetViewInfo()->GetApplicationButtonImageRect());
  Press(button);
  Release(button);
  EXPECT_TRUE(form->GetVisible()) << "a single click waits for the application menu";
  SendMouse(ribbon->GetHandle(), WM_LBUTTONDBLCLK, button, MK_LBUTTON);
  Release(button);
  EXPECT_FALSE(form->GetVisible());
}

TEST_F(RibbonController, ATabShowsItsCaptionAsAHintOnlyWhileCaptionsAreCut) {
  for (const char* caption : {"Home", "Insert", "Page Layout", "References", "Mailings", "Review"}) AddTab(caption);
  TqzRibbonController* controller = ribbon->GetController();
  auto hintOver = [&](Integer AIndex) {
    const TPoint p = Centre(TabRow()->GetItem(AIndex)->GetBounds());
    controller->MouseMove(TShiftState{}, p.X, p.Y);
    bool flag = true;
    String hint, shortCut;
    return controller->GetHintTexts(flag, hint, shortCut) ? hint : String("(none)");
  };
  EXPECT_EQ(hintOver(2), "(none)");
  form->SetBounds(0, 0, 300, 300);
  ASSERT_TRUE(TabRow()->GetTruncated()) << TabRow()->GetBounds().Width();
  EXPECT_EQ(hintOver(3), "References");
}

}  // namespace
