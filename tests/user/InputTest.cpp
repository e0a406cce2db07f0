#include "UserTestSupport.h"

using Input = UserTest;

TEST_F(Input, CaptureSendsMouseToTheCapturingWindowAcrossWindows) {
  HWND left = Create(WS_POPUP | WS_VISIBLE, Bounds(0, 0, 100, 100));
  HWND right = Create(WS_POPUP | WS_VISIBLE, Bounds(200, 0, 100, 100));
  SetCapture(left);
  log.clear();
  InputMouseMove({250, 40});
  Pump();
  ASSERT_EQ(Messages(left, {WM_MOUSEMOVE}).size(), 1u);
  EXPECT_TRUE(Messages(right, {WM_MOUSEMOVE}).empty());
  for (const Recorded& r : log) {
    if (r.window == left && r.message == WM_MOUSEMOVE) {
      EXPECT_EQ(GET_X_LPARAM(r.lParam), 250);  // client coordinates of the capturing window
      EXPECT_EQ(GET_Y_LPARAM(r.lParam), 40);
    }
  }
  log.clear();
  SetCapture(right);
  EXPECT_EQ(Messages(left, {WM_CAPTURECHANGED}).size(), 1u);
  EXPECT_EQ(GetCapture(), right);
  ReleaseCapture();
  EXPECT_EQ(Messages(right, {WM_CAPTURECHANGED}).size(), 1u);
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(Input, DoubleClicksNeedTheClassStyleTimeAndPlace) {
  HWND plain = Create(WS_POPUP | WS_VISIBLE, Bounds(0, 0, 100, 100));
  HWND dbl = Create(WS_POPUP | WS_VISIBLE, Bounds(200, 0, 100, 100), nullptr, 0, true);
  const std::vector<UINT> downs{WM_LBUTTONDOWN, WM_LBUTTONDBLCLK};
  Click({10, 10});
  Click({10, 10});
  Pump();
  EXPECT_EQ(Messages(plain, downs), (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONDOWN}));
  struct Case { int secondX; uint64_t delay; UINT expected; };
  const Case cases[] = {{210, 100, WM_LBUTTONDBLCLK}, {210, 501, WM_LBUTTONDOWN}, {240, 100, WM_LBUTTONDOWN}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.secondX);
    clock.Advance(1000);
    Click({210, 10});
    Pump();
    clock.Advance(c.delay);
    log.clear();
    Click({c.secondX, 10});
    Pump();
    EXPECT_EQ(Messages(dbl, downs), (std::vector<UINT>{c.expected}));
  }
  // A third click after a double click starts over.
  clock.Advance(1000);
  Click({210, 10});
  Click({210, 10});
  Pump();
  log.clear();
  Click({210, 10});
  Pump();
  EXPECT_EQ(Messages(dbl, downs), (std::vector<UINT>{WM_LBUTTONDOWN}));
}

TEST_F(Input, HitTestingRespectsTransparentChildrenAndRegions) {
  HWND parent = Create(WS_POPUP | WS_VISIBLE, Bounds(0, 0, 200, 200));
  HWND below = Create(WS_CHILD | WS_VISIBLE, Bounds(0, 0, 100, 100), parent);
  HWND overlay = Create(WS_CHILD | WS_VISIBLE, Bounds(0, 0, 100, 100), parent);
  SetWindowPos(overlay, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  HWND round = Create(WS_CHILD | WS_VISIBLE, Bounds(100, 100, 100, 100), parent);
  SetWindowRgn(round, CreateEllipticRgn(0, 0, 100, 100), TRUE);
  EXPECT_EQ(WindowFromPoint({50, 50}), overlay);
  handlers[overlay] = [](HWND, UINT m, WPARAM, LPARAM, LRESULT* r) {
    if (m != WM_NCHITTEST) return false;
    *r = HTTRANSPARENT;
    return true;
  };
  EXPECT_EQ(WindowFromPoint({50, 50}), below);
  EXPECT_EQ(WindowFromPoint({150, 150}), round);
  EXPECT_EQ(WindowFromPoint({103, 103}), parent);  // inside the rectangle, outside the ellipse
  EXPECT_EQ(ChildWindowFromPoint(parent, {103, 103}), parent);
  EXPECT_EQ(ChildWindowFromPoint(parent, {150, 150}), round);
  EnableWindow(below, FALSE);
  EXPECT_EQ(WindowFromPoint({50, 50}), parent);  // disabled children pass the point to the parent
  EXPECT_EQ(ChildWindowFromPointEx(parent, {50, 50}, CWP_SKIPDISABLED), overlay);
  HRGN copy = CreateRectRgn(0, 0, 0, 0);
  EXPECT_NE(GetWindowRgn(round, copy), ERROR);
  RECT box;
  GetRgnBox(copy, &box);
  EXPECT_EQ(box, Rect(0, 0, 100, 100));
  DeleteObject(copy);
}

TEST_F(Input, FocusAndActivationFollowThePlatformOrder) {
  HWND first = Create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, Bounds(0, 0, 200, 200));
  HWND edit = Create(WS_CHILD | WS_VISIBLE, Bounds(10, 10, 50, 20), first);
  HWND second = Create(WS_OVERLAPPEDWINDOW, Bounds(300, 0, 200, 200));
  SetFocus(edit);
  EXPECT_EQ(GetActiveWindow(), first);
  EXPECT_EQ(GetFocus(), edit);
  log.clear();
  ShowWindow(second, SW_SHOW);
  const std::vector<UINT> watched{WM_NCACTIVATE, WM_ACTIVATE, WM_KILLFOCUS, WM_SETFOCUS, WM_ACTIVATEAPP};
  std::vector<std::pair<HWND, UINT>> order;
  for (const Recorded& r : log) {
    if (std::find(watched.begin(), watched.end(), r.message) != watched.end()) order.push_back({r.window, r.message});
  }
  EXPECT_EQ(order, (std::vector<std::pair<HWND, UINT>>{{first, WM_NCACTIVATE},
                                                       {first, WM_ACTIVATE},
                                                       {second, WM_NCACTIVATE},
                                                       {second, WM_ACTIVATE},
                                                       {edit, WM_KILLFOCUS},
                                                       {second, WM_SETFOCUS}}));
  EXPECT_EQ(GetActiveWindow(), second);
  EXPECT_EQ(GetFocus(), second);
  // Hiding the active window hands activation back.
  ShowWindow(second, SW_HIDE);
  EXPECT_EQ(GetActiveWindow(), first);
  // Losing the application sends WM_ACTIVATEAPP(FALSE) and takes the focus away.
  log.clear();
  InputDeactivateApp();
  EXPECT_EQ(Messages(first, {WM_ACTIVATEAPP}).size(), 1u);
  EXPECT_EQ(GetFocus(), nullptr);
  EXPECT_EQ(GetActiveWindow(), nullptr);
}

TEST_F(Input, ClickActivatesUnlessTheWindowAnswersNoActivate) {
  HWND active = Create(WS_POPUP | WS_VISIBLE, Bounds(0, 0, 100, 100));
  HWND other = Create(WS_POPUP | WS_VISIBLE, Bounds(200, 0, 100, 100));
  SetActiveWindow(active);
  handlers[other] = [](HWND, UINT m, WPARAM, LPARAM, LRESULT* r) {
    if (m != WM_MOUSEACTIVATE) return false;
    *r = MA_NOACTIVATE;
    return true;
  };
  Click({250, 50});
  Pump();
  EXPECT_EQ(GetActiveWindow(), active);
  EXPECT_EQ(Messages(other, {WM_LBUTTONDOWN}).size(), 1u);
  handlers.erase(other);
  Click({250, 50});
  Pump();
  EXPECT_EQ(GetActiveWindow(), other);
}

// A key routed to its focus window, which a handler then destroys before the key is taken, goes
// to the focus of the moment instead: the key state follows it.
TEST_F(Input, KeysRoutedToADestroyedWindowGoWhereTheFocusIsNow) {
  HWND first = Create(WS_POPUP | WS_VISIBLE, Bounds(0, 0, 100, 100));
  HWND second = Create(WS_POPUP | WS_VISIBLE, Bounds(0, 0, 100, 100));
  SetFocus(first);
  handlers[first] = [&](HWND, UINT m, WPARAM w, LPARAM, LRESULT*) {
    if (m != WM_KEYDOWN || w != 'X') return false;
    // Looking ahead for a message that is not there routes the keys queued behind this one here.
    MSG ahead;
    PeekMessage(&ahead, nullptr, WM_SYSCHAR, WM_SYSCHAR, PM_NOREMOVE);
    SetFocus(second);
    DestroyWindow(first);
    return false;
  };
  InputKey(VK_CONTROL, true);
  InputKey('X', true);
  InputKey('X', false);
  InputKey(VK_CONTROL, false);
  Pump();
  EXPECT_FALSE(GetKeyState(VK_CONTROL) & 0x8000);
  EXPECT_FALSE(GetKeyState('X') & 0x8000);
  EXPECT_EQ(Messages(second, {WM_KEYUP}), (std::vector<UINT>{WM_KEYUP, WM_KEYUP}));
}

TEST_F(Input, KeysTranslateToCharactersAndSystemKeys) {
  HWND window = Create(WS_POPUP | WS_VISIBLE, Bounds(0, 0, 100, 100));
  SetFocus(window);
  std::vector<WPARAM> chars;
  handlers[window] = [&](HWND, UINT m, WPARAM w, LPARAM, LRESULT*) {
    if (m == WM_CHAR) chars.push_back(w);
    return false;
  };
  InputKey('A', true);
  InputKey('A', false);
  InputKey(VK_SHIFT, true);
  InputKey('A', true);
  InputKey('A', false);
  InputKey(VK_SHIFT, false);
  InputKey('E', true, 0xE9);  // the backend says which character the key typed
  InputKey('E', false);
  Pump();
  EXPECT_EQ(chars, (std::vector<WPARAM>{'a', 'A', 0xC3, 0xA9}));
  log.clear();
  InputKey(VK_MENU, true);
  InputKey('F', true);
  Pump();
  EXPECT_EQ(Messages(window, {WM_SYSKEYDOWN, WM_SYSCHAR, WM_KEYDOWN}),
            (std::vector<UINT>{WM_SYSKEYDOWN, WM_SYSKEYDOWN, WM_SYSCHAR}));
  EXPECT_TRUE(GetKeyState(VK_MENU) & 0x8000);
  InputKey('F', false);
  InputKey(VK_MENU, false);
  Pump();
  EXPECT_FALSE(GetKeyState(VK_MENU) & 0x8000);
  // Shift+F10 asks for the context menu at (-1, -1).
  log.clear();
  InputKey(VK_SHIFT, true);
  InputKey(VK_F10, true);
  Pump();
  InputKey(VK_F10, false);
  InputKey(VK_SHIFT, false);
  Pump();
  bool keyboardMenu = false;
  for (const Recorded& r : log) {
    if (r.message == WM_CONTEXTMENU && r.lParam == -1) keyboardMenu = true;
  }
  EXPECT_TRUE(keyboardMenu);
}

TEST_F(Input, TrackMouseEventPostsLeaveOnce) {
  HWND a = Create(WS_POPUP | WS_VISIBLE, Bounds(0, 0, 100, 100));
  HWND b = Create(WS_POPUP | WS_VISIBLE, Bounds(100, 0, 100, 100));
  InputMouseMove({50, 50});
  Pump();
  TRACKMOUSEEVENT track;
  track.dwFlags = TME_LEAVE;
  track.hwndTrack = a;
  ASSERT_TRUE(TrackMouseEvent(&track));
  InputMouseMove({60, 50});
  Pump();
  EXPECT_TRUE(Messages(a, {WM_MOUSELEAVE}).empty());
  InputMouseMove({150, 50});
  InputMouseMove({50, 50});
  InputMouseMove({150, 50});
  Pump();
  EXPECT_EQ(Messages(a, {WM_MOUSELEAVE}).size(), 1u);
  EXPECT_TRUE(Messages(b, {WM_MOUSELEAVE}).empty());
}

TEST_F(Input, DragDetectRunsItsOwnLoop) {
  HWND window = Create(WS_POPUP | WS_VISIBLE, Bounds(0, 0, 100, 100));
  InputMouseButton({50, 50}, MouseButton::Left, true);
  Pump();
  InputMouseMove({51, 51});
  InputMouseMove({60, 50});
  EXPECT_TRUE(DragDetect(window, {50, 50}));
  EXPECT_EQ(GetCapture(), nullptr);
  InputMouseMove({61, 50});
  InputMouseButton({61, 50}, MouseButton::Left, false);
  EXPECT_FALSE(DragDetect(window, {61, 50}));
}
