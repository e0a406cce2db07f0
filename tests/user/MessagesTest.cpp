#include <thread>

#include "UserTestSupport.h"

using MessagesAndTimers = UserTest;

TEST_F(MessagesAndTimers, PostMessageFromAnotherThreadArrivesInOrder) {
  HWND window = Create(WS_POPUP, Bounds(0, 0, 10, 10));
  std::vector<WPARAM> received;
  handlers[window] = [&](HWND, UINT m, WPARAM w, LPARAM, LRESULT*) {
    if (m == WM_APP) received.push_back(w);
    if (m == WM_APP && w == 999) PostQuitMessage(0);
    return m == WM_APP;
  };
  std::thread poster([&] {
    for (WPARAM i = 0; i < 1000; ++i) PostMessage(window, WM_APP, i, 0);
  });
  MSG msg;
  // GetMessage blocks until the other thread posts: the queue wakes it.
  while (GetMessage(&msg, nullptr, 0, 0)) DispatchMessage(&msg);
  poster.join();
  ASSERT_EQ(received.size(), 1000u);
  for (WPARAM i = 0; i < 1000; ++i) ASSERT_EQ(received[i], i);
}

TEST_F(MessagesAndTimers, SendMessageFromAnotherThreadRunsOnTheWindowsThread) {
  HWND window = Create(WS_POPUP, Bounds(0, 0, 10, 10));
  DWORD handledOn = 0;
  bool inSend = false;
  handlers[window] = [&](HWND, UINT m, WPARAM, LPARAM, LRESULT* r) {
    if (m != WM_APP) return false;
    handledOn = GetCurrentThreadId();
    inSend = InSendMessage();
    *r = 77;
    return true;
  };
  LRESULT answer = 0;
  std::thread sender([&] {
    answer = SendMessage(window, WM_APP, 0, 0);
    PostMessage(window, WM_QUIT, 0, 0);
  });
  MSG msg;
  while (GetMessage(&msg, nullptr, 0, 0)) DispatchMessage(&msg);
  sender.join();
  EXPECT_EQ(answer, 77);
  EXPECT_EQ(handledOn, GetCurrentThreadId());
  EXPECT_TRUE(inSend);
}

TEST_F(MessagesAndTimers, PeekMessageHonoursRangesWindowsAndRemoval) {
  HWND a = Create(WS_POPUP, Bounds(0, 0, 10, 10));
  HWND b = Create(WS_POPUP, Bounds(0, 0, 10, 10));
  PostMessage(a, WM_USER + 1, 1, 0);
  PostMessage(b, WM_USER + 2, 2, 0);
  PostThreadMessage(GetCurrentThreadId(), WM_USER + 3, 3, 0);
  MSG msg;
  ASSERT_TRUE(PeekMessage(&msg, nullptr, WM_USER + 2, WM_USER + 3, PM_NOREMOVE));
  EXPECT_EQ(msg.wParam, 2u);
  ASSERT_TRUE(PeekMessage(&msg, a, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 1u);
  EXPECT_FALSE(PeekMessage(&msg, a, 0, 0, PM_REMOVE));
  ASSERT_TRUE(PeekMessage(&msg, reinterpret_cast<HWND>(-1), 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 3u);
  EXPECT_EQ(msg.hwnd, nullptr);
  ASSERT_TRUE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 2u);
  EXPECT_FALSE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(RegisterWindowMessage("Tavren.Test"), RegisterWindowMessage("TAVREN.TEST"));
  EXPECT_GE(RegisterWindowMessage("Tavren.Test"), 0xC000u);
}

TEST_F(MessagesAndTimers, TimersFireOnTheFakeClockOncePerDueTime) {
  HWND window = Create(WS_POPUP, Bounds(0, 0, 10, 10));
  int ticks = 0;
  handlers[window] = [&](HWND h, UINT m, WPARAM id, LPARAM, LRESULT*) {
    if (m != WM_TIMER || id != 5) return false;
    if (++ticks == 3) KillTimer(h, 5);  // killed inside its own handler
    return true;
  };
  ASSERT_EQ(SetTimer(window, 5, 100, nullptr), 5u);
  Pump();
  EXPECT_EQ(ticks, 0);
  clock.Advance(100);
  Pump();
  EXPECT_EQ(ticks, 1);
  clock.Advance(350);  // late: still one message, no catching up
  Pump();
  EXPECT_EQ(ticks, 2);
  clock.Advance(100);
  Pump();
  EXPECT_EQ(ticks, 3);
  clock.Advance(1000);
  Pump();
  EXPECT_EQ(ticks, 3);
  EXPECT_FALSE(KillTimer(window, 5));
}

namespace {
int gThreadTicks = 0;
void ThreadTimerProc(HWND window, UINT message, UINT_PTR, DWORD) {
  if (window == nullptr && message == WM_TIMER) ++gThreadTicks;
}
}  // namespace

TEST_F(MessagesAndTimers, ThreadTimerCallsItsProcedureAndGetMessageWaitsForIt) {
  gThreadTicks = 0;
  UINT_PTR id = SetTimer(nullptr, 0, 20, ThreadTimerProc);
  ASSERT_NE(id, 0u);
  uint64_t start = clock.Now();
  MSG msg;
  // An idle GetMessage on the fake clock moves time on to the timer.
  ASSERT_TRUE(GetMessage(&msg, nullptr, 0, 0));
  EXPECT_EQ(msg.message, WM_TIMER);
  DispatchMessage(&msg);
  EXPECT_EQ(gThreadTicks, 1);
  EXPECT_EQ(clock.Now() - start, 20u);
  EXPECT_EQ(GetTickCount(), static_cast<DWORD>(clock.Now()));
  Sleep(30);
  EXPECT_EQ(clock.Now() - start, 50u);
  KillTimer(nullptr, id);
}

TEST_F(MessagesAndTimers, NestedModalLoopInsideATimerEndsOnQuitAndPassesItOn) {
  HWND window = Create(WS_POPUP, Bounds(0, 0, 10, 10));
  std::vector<std::string> events;
  handlers[window] = [&](HWND h, UINT m, WPARAM w, LPARAM, LRESULT*) {
    if (m == WM_TIMER) {
      KillTimer(h, w);
      events.push_back("modal start");
      PostMessage(h, WM_APP, 0, 0);
      MSG msg;
      while (GetMessage(&msg, nullptr, 0, 0)) DispatchMessage(&msg);
      events.push_back("modal end " + std::to_string(msg.wParam));
      PostQuitMessage(static_cast<int>(msg.wParam));  // the loops around end too
      return true;
    }
    if (m == WM_APP) {
      events.push_back("inner message");
      PostQuitMessage(9);
      return true;
    }
    return false;
  };
  SetTimer(window, 1, 50, nullptr);
  MSG msg;
  while (GetMessage(&msg, nullptr, 0, 0)) DispatchMessage(&msg);
  events.push_back("outer end " + std::to_string(msg.wParam));
  EXPECT_EQ(events, (std::vector<std::string>{"modal start", "inner message", "modal end 9", "outer end 9"}));
}
