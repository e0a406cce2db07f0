#include <gtest/gtest.h>

#include <string>

#include "BarsTestSupport.h"
#include "toolkit/bars/qzBarMenuAnimation.h"
#include "toolkit/bars/qzBarPopupMenu.h"
#include "toolkit/bars/qzBarSubMenuControl.h"
#include "user/Clock.h"
#include "user/Messages.h"
#include "user/Rects.h"
#include "user/WindowPos.h"

namespace {

// A popup menu of ten buttons opened without its own message loop.
class MenuAnimation : public BarManagerOnForm {
 protected:
  void SetUp() override {
    BarManagerOnForm::SetUp();
    form->SetBounds(40, 30, 420, 300);
    form->Show();
    popup = new TqzBarPopupMenu(form);
    for (int i = 0; i < 10; ++i) {
      auto* item = new TqzBarButton(form);
      item->SetCaption(("Command " + std::to_string(i)).c_str());
      popup->GetItemLinks()->AddLinkForItem(item);
    }
  }
  void TearDown() override {
    if (TqzBarSubMenuControl* open = popup->GetMenuControl()) open->Dismiss();
    BarManagerOnForm::TearDown();
  }
  void Pump() {
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessage(&msg);
    }
  }
  TqzBarSubMenuControl* Open(TqzBarMenuAnimations AEffect, Integer X, Integer Y) {
    manager->SetMenuAnimations(AEffect);
    popup->PopupForOwner(X, Y, 0, 0, true, nullptr, false, nullptr);
    return popup->GetMenuControl();
  }
  static RECT Rect(HWND AWnd, bool AClient) {
    RECT r;
    if (AClient)
      GetClientRect(AWnd, &r);
    else
      GetWindowRect(AWnd, &r);
    return r;
  }

  TqzBarPopupMenu* popup = nullptr;
};

// Frames for a client size: count, the first frame's client size, the last (a slide's end step
// then jumps to the full height).
TEST_F(MenuAnimation, UnfoldAndSlideGrowByTheirStepsToTheFinalSize) {
  struct Case {
    TqzBarMenuAnimations effect;
    Integer width, height, frames;
    TSize first, last;
  } const kCases[] = {
      {maUnfold, 200, 300, 25, {8, 108}, {200, 300}},
      {maUnfold, 300, 200, 25, {108, 8}, {300, 200}},
      {maSlide, 150, 400, 23, {150, 17}, {150, 391}},
  };
  for (const Case& c : kCases) {
    TqzBarSubMenuControl* menu = Open(maNone, 100, 100);
    ASSERT_NE(menu, nullptr);
    HWND wnd = menu->GetHandle();
    RECT window = Rect(wnd, false), client = Rect(wnd, true);
    Integer frameW = window.Width() - client.Width(), frameH = window.Height() - client.Height();
    SetWindowPos(wnd, nullptr, 100, 100, c.width + frameW, c.height + frameH, SWP_NOZORDER | SWP_NOACTIVATE);
    TqzBarMenuAnimation animation(menu, c.effect);
    EXPECT_EQ(animation.FrameCount(), c.frames) << c.effect;
    ASSERT_TRUE(animation.Step());
    client = Rect(wnd, true);
    EXPECT_EQ(client.Width(), c.first.cx) << c.effect;
    EXPECT_EQ(client.Height(), c.first.cy) << c.effect;
    // Opening down and to the right: the top-left corner stays.
    EXPECT_EQ(Rect(wnd, false).Left, 100);
    EXPECT_EQ(Rect(wnd, false).Top, 100);
    Integer steps = 1;
    while (animation.Step()) ++steps;
    EXPECT_EQ(steps, c.frames);
    client = Rect(wnd, true);
    EXPECT_EQ(client.Width(), c.last.cx) << c.effect;
    EXPECT_EQ(client.Height(), c.last.cy) << c.effect;
    EXPECT_EQ(animation.FinalBounds().Height() - frameH, c.height) << c.effect;
    menu->Dismiss();
    Pump();
  }
}

TEST_F(MenuAnimation, AMenuOpeningUpAndLeftGrowsFromItsBottomRightCornerAndAKeyFinishesIt) {
  TRect wa;
  WorkAreaAtPoint(TPoint(10, 10), wa);
  TqzBarSubMenuControl* menu = Open(maUnfold, wa.Right - 10, wa.Bottom - 10);
  ASSERT_NE(menu, nullptr);
  HWND wnd = menu->GetHandle();
  EXPECT_TRUE(menu->IsAnimating());
  EXPECT_FALSE(IsWindowVisible(wnd));
  // It flipped away from the preferred directions, which stay.
  EXPECT_TRUE(menu->OpensLeft());
  EXPECT_TRUE(menu->OpensUp());
  EXPECT_EQ(menu->GetHorzDirection(), 1);
  EXPECT_EQ(menu->GetVertDirection(), 1);
  RECT final = Rect(wnd, false);
  // One frame a tick of the window's timer.
  static_cast<FakeClock&>(CurrentClock()).Advance(10);
  Pump();
  EXPECT_TRUE(IsWindowVisible(wnd));
  RECT frame = Rect(wnd, false);
  EXPECT_EQ(frame.Right, final.Right);
  EXPECT_EQ(frame.Bottom, final.Bottom);
  EXPECT_LT(frame.Width(), final.Width());
  SendMessage(wnd, WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_FALSE(menu->IsAnimating());
  EXPECT_FALSE(menu->GetAnimateOnShow());
  EXPECT_EQ(Rect(wnd, false), final);
}

TEST_F(MenuAnimation, FadingAndNoAnimationShowTheMenuAtOnce) {
  for (TqzBarMenuAnimations effect : {maNone, maFade}) {
    TqzBarSubMenuControl* menu = Open(effect, 100, 100);
    ASSERT_NE(menu, nullptr);
    EXPECT_FALSE(menu->IsAnimating()) << effect;
    EXPECT_TRUE(IsWindowVisible(menu->GetHandle())) << effect;
    menu->Dismiss();
    Pump();
  }
}

}  // namespace
