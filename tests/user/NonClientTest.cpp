#include "UserTestSupport.h"
#include "gdi/SysMetrics.h"
#include "user/PopupMenus.h"

using NonClient = UserTest;

TEST_F(NonClient, OverlappedWindowHitTestCodes) {
  HWND window = Create(WS_OVERLAPPEDWINDOW | WS_VSCROLL | WS_VISIBLE, Bounds(100, 100, 300, 200));
  int frame = GetSystemMetrics(SM_CXFRAME);
  int caption = GetSystemMetrics(SM_CYCAPTION);
  RECT client;
  GetClientRect(window, &client);
  EXPECT_EQ(client.Width(), 300 - 2 * frame - GetSystemMetrics(SM_CXVSCROLL));
  EXPECT_EQ(client.Height(), 200 - 2 * frame - caption);
  struct Case { int x; int y; LRESULT hit; };
  const Case cases[] = {
      {150, 101, HTTOP},          {101, 101, HTTOPLEFT},     {399, 299, HTBOTTOMRIGHT}, {101, 200, HTLEFT},
      {200, 100 + frame + 5, HTCAPTION}, {100 + frame + 5, 100 + frame + 5, HTSYSMENU},
      {400 - frame - 8, 100 + frame + 8, HTCLOSE}, {200, 250, HTCLIENT},
      {400 - frame - 3, 250, HTVSCROLL}, {50, 50, HTNOWHERE}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
    EXPECT_EQ(SendMessage(window, WM_NCHITTEST, 0, MAKELPARAM(c.x, c.y)), c.hit);
  }
  RECT adjusted{0, 0, 100, 50};
  AdjustWindowRectEx(&adjusted, WS_OVERLAPPEDWINDOW, FALSE, 0);
  EXPECT_EQ(adjusted, Rect(-frame, -frame - caption, 100 + frame, 50 + frame));
}

TEST_F(NonClient, SystemCommandsCloseMinimizeMaximizeAndRestore) {
  HWND window = Create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, Bounds(100, 100, 300, 200));
  SendMessage(window, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  EXPECT_TRUE(IsZoomed(window));
  RECT r;
  GetWindowRect(window, &r);
  EXPECT_EQ(r.Left, -GetSystemMetrics(SM_CXFRAME));
  SendMessage(window, WM_SYSCOMMAND, SC_RESTORE, 0);
  GetWindowRect(window, &r);
  EXPECT_EQ(r, Bounds(100, 100, 300, 200));
  SendMessage(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_TRUE(IsIconic(window));
  SendMessage(window, WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_FALSE(IsIconic(window));
  log.clear();
  SendMessage(window, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_EQ(Messages(window, {WM_CLOSE}).size(), 1u);
  EXPECT_FALSE(IsWindow(window));
}

TEST_F(NonClient, TheBoxAWindowLacksIsShownButDoesNothing) {
  HWND window = Create(WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_VISIBLE, Bounds(100, 100, 300, 200));
  const int y = 100 + GetSystemMetrics(SM_CYFRAME) + 8;
  auto find = [&](LRESULT hit) {
    for (int x = 399; x > 100; --x)
      if (SendMessage(window, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == hit) return POINT{x - 2, y};
    return POINT{-1, -1};
  };
  auto click = [&](POINT at) {
    InputMouseMove(at);
    InputMouseButton(at, MouseButton::Left, true);
    InputMouseButton(at, MouseButton::Left, false);
    Pump();
  };
  const POINT max = find(HTMAXBUTTON), min = find(HTMINBUTTON);
  ASSERT_GE(max.X, 0);
  ASSERT_GE(min.X, 0);
  click(max);
  EXPECT_FALSE(IsZoomed(window));
  click(min);
  EXPECT_TRUE(IsIconic(window));
}

TEST_F(NonClient, DraggingTheCaptionMovesTheWindow) {
  HWND window = Create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, Bounds(100, 100, 300, 200));
  POINT grip{250, 100 + GetSystemMetrics(SM_CXFRAME) + 5};
  InputMouseMove(grip);
  InputMouseButton(grip, MouseButton::Left, true);
  InputMouseMove({grip.X + 30, grip.Y + 40});
  InputMouseButton({grip.X + 30, grip.Y + 40}, MouseButton::Left, false);
  Pump();
  RECT r;
  GetWindowRect(window, &r);
  EXPECT_EQ(r, Bounds(130, 140, 300, 200));
  EXPECT_EQ(GetCapture(), nullptr);
  const std::vector<UINT> loop{WM_ENTERSIZEMOVE, WM_EXITSIZEMOVE};
  EXPECT_EQ(Messages(window, loop), loop);
}

TEST_F(NonClient, ZOrderKeepsTopmostWindowsAndOwnedWindowsAbove) {
  HWND owner = Create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, Bounds(0, 0, 100, 100));
  HWND owned = Create(WS_POPUP | WS_VISIBLE, Bounds(0, 0, 50, 50), owner);
  HWND topmost = Create(WS_POPUP | WS_VISIBLE, Bounds(0, 0, 50, 50), nullptr, WS_EX_TOPMOST);
  HWND other = Create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, Bounds(0, 0, 100, 100));
  EXPECT_EQ(GetTopWindow(nullptr), topmost);
  BringWindowToTop(owner);
  EXPECT_EQ(GetWindow(topmost, GW_HWNDNEXT), owned);
  EXPECT_EQ(GetWindow(owned, GW_HWNDNEXT), owner);
  EXPECT_EQ(GetWindow(owner, GW_HWNDNEXT), other);
  SetWindowPos(topmost, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  EXPECT_FALSE(GetWindowLong(topmost, GWL_EXSTYLE) & WS_EX_TOPMOST);
  SetWindowPos(other, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  EXPECT_EQ(GetTopWindow(nullptr), other);
  // Placed right below a window, a window takes that window's band.
  SetWindowPos(owner, other, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  EXPECT_EQ(GetWindow(other, GW_HWNDNEXT), owner);
  EXPECT_TRUE(GetWindowLong(owner, GWL_EXSTYLE) & WS_EX_TOPMOST);
  SetWindowPos(other, topmost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  EXPECT_FALSE(GetWindowLong(other, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(GetTopWindow(nullptr), owner);
}

TEST_F(NonClient, SystemMenuFollowsTheWindowAndRevertsToTheStandardOne) {
  HWND window = Create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, Bounds(100, 100, 300, 200));
  HMENU menu = GetSystemMenu(window, FALSE);
  ASSERT_TRUE(IsMenu(menu));
  EXPECT_EQ(GetSystemMenu(window, FALSE), menu) << "one menu per window";
  struct Case {
    WPARAM command;
    bool normal, maximized;
  };
  const Case cases[] = {{SC_RESTORE, false, true}, {SC_MOVE, true, false},    {SC_SIZE, true, false},
                        {SC_MINIMIZE, true, true}, {SC_MAXIMIZE, true, false}, {SC_CLOSE, true, true}};
  auto enabled = [&](WPARAM command) { return !(GetMenuState(menu, static_cast<UINT>(command), MF_BYCOMMAND) & MF_GRAYED); };
  for (const Case& c : cases) EXPECT_EQ(enabled(c.command), c.normal) << std::hex << c.command;
  SendMessage(window, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  GetSystemMenu(window, FALSE);
  for (const Case& c : cases) EXPECT_EQ(enabled(c.command), c.maximized) << std::hex << c.command;

  // A program's change goes with revert; a window without a system menu has none.
  EnableMenuItem(menu, SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
  EXPECT_EQ(GetSystemMenu(window, TRUE), nullptr);
  EXPECT_FALSE(IsMenu(menu));
  menu = GetSystemMenu(window, FALSE);
  EXPECT_FALSE(GetMenuState(menu, SC_CLOSE, MF_BYCOMMAND) & MF_GRAYED);
  EXPECT_EQ(EnableMenuItem(menu, 0x1234, MF_BYCOMMAND | MF_GRAYED), 0xFFFFFFFFu);
  DestroyWindow(window);
  EXPECT_FALSE(IsMenu(menu)) << "freed with the window";
  HWND plain = Create(WS_POPUP | WS_VISIBLE, Bounds(0, 0, 50, 50));
  EXPECT_EQ(GetSystemMenu(plain, FALSE), nullptr);
  DestroyWindow(plain);
}
