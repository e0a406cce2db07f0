#include "UserTestSupport.h"

using DeferWindowPosTest = UserTest;

namespace {

RECT WindowRectOf(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  return r;
}

}  // namespace

TEST_F(DeferWindowPosTest, StepsApplyOnlyWhenTheBatchEnds) {
  HWND parent = Create(WS_POPUP | WS_VISIBLE, Bounds(0, 0, 300, 200));
  HWND a = Create(WS_CHILD | WS_VISIBLE, Bounds(0, 0, 50, 50), parent);
  HWND b = Create(WS_CHILD | WS_VISIBLE, Bounds(60, 0, 50, 50), parent);
  log.clear();
  HDWP batch = BeginDeferWindowPos(2);
  ASSERT_NE(batch, nullptr);
  batch = DeferWindowPos(batch, a, nullptr, 100, 10, 40, 30, SWP_NOZORDER | SWP_NOACTIVATE);
  batch = DeferWindowPos(batch, b, nullptr, 150, 10, 40, 30, SWP_NOZORDER | SWP_NOACTIVATE);
  ASSERT_NE(batch, nullptr);
  EXPECT_EQ(WindowRectOf(a), Bounds(0, 0, 50, 50));
  EXPECT_TRUE(Messages(nullptr, {WM_WINDOWPOSCHANGED}).empty());

  EXPECT_TRUE(EndDeferWindowPos(batch));
  EXPECT_EQ(WindowRectOf(a), Bounds(100, 10, 40, 30));
  EXPECT_EQ(WindowRectOf(b), Bounds(150, 10, 40, 30));
  EXPECT_EQ(Messages(a, {WM_WINDOWPOSCHANGED}).size(), 1u);
  EXPECT_EQ(Messages(b, {WM_WINDOWPOSCHANGED}).size(), 1u);
  // The batch is closed: its handle is refused from now on.
  EXPECT_FALSE(EndDeferWindowPos(batch));
  EXPECT_EQ(DeferWindowPos(batch, a, nullptr, 0, 0, 10, 10, SWP_NOZORDER), nullptr);
}

TEST_F(DeferWindowPosTest, AFailedStepClosesTheBatchWithoutApplyingIt) {
  HWND parent = Create(WS_POPUP | WS_VISIBLE, Bounds(0, 0, 300, 200));
  HWND other = Create(WS_POPUP | WS_VISIBLE, Bounds(400, 0, 300, 200));
  HWND a = Create(WS_CHILD | WS_VISIBLE, Bounds(0, 0, 50, 50), parent);
  HWND stranger = Create(WS_CHILD | WS_VISIBLE, Bounds(0, 0, 50, 50), other);
  HWND gone = Create(WS_CHILD, Bounds(0, 0, 5, 5), parent);
  DestroyWindow(gone);
  struct Case {
    const char* name;
    HWND failing;
  };
  for (Case c : {Case{"destroyed window", gone}, Case{"window of another parent", stranger},
                 Case{"no window", nullptr}}) {
    SCOPED_TRACE(c.name);
    HDWP batch = DeferWindowPos(BeginDeferWindowPos(2), a, nullptr, 100, 100, 20, 20, SWP_NOZORDER);
    ASSERT_NE(batch, nullptr);
    EXPECT_EQ(DeferWindowPos(batch, c.failing, nullptr, 0, 0, 10, 10, SWP_NOZORDER), nullptr);
    EXPECT_FALSE(EndDeferWindowPos(batch));
    EXPECT_EQ(WindowRectOf(a), Bounds(0, 0, 50, 50));
  }
  EXPECT_EQ(DeferWindowPos(nullptr, a, nullptr, 0, 0, 10, 10, SWP_NOZORDER), nullptr);
  EXPECT_EQ(BeginDeferWindowPos(-1), nullptr);
}

TEST_F(DeferWindowPosTest, AStepThatFailsWhileEndingStillLetsTheOthersApply) {
  HWND parent = Create(WS_POPUP | WS_VISIBLE, Bounds(0, 0, 300, 200));
  HWND a = Create(WS_CHILD | WS_VISIBLE, Bounds(0, 0, 50, 50), parent);
  HWND b = Create(WS_CHILD | WS_VISIBLE, Bounds(60, 0, 50, 50), parent);
  HWND c = Create(WS_CHILD | WS_VISIBLE, Bounds(120, 0, 50, 50), parent);
  // Moving a destroys b, whose step then fails.
  handlers[a] = [&](HWND, UINT m, WPARAM, LPARAM, LRESULT*) {
    if (m == WM_WINDOWPOSCHANGED) DestroyWindow(b);
    return false;
  };
  HDWP batch = BeginDeferWindowPos(3);
  batch = DeferWindowPos(batch, a, nullptr, 0, 60, 50, 50, SWP_NOZORDER);
  batch = DeferWindowPos(batch, b, nullptr, 60, 60, 50, 50, SWP_NOZORDER);
  batch = DeferWindowPos(batch, c, nullptr, 120, 60, 50, 50, SWP_NOZORDER);
  EXPECT_FALSE(EndDeferWindowPos(batch));
  EXPECT_FALSE(IsWindow(b));
  EXPECT_EQ(WindowRectOf(c), Bounds(120, 60, 50, 50));
  EXPECT_FALSE(EndDeferWindowPos(batch));
}
