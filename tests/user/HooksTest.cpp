#include "UserTestSupport.h"

#include <algorithm>

using Hooks = UserTest;

namespace {

HHOOK gHook = nullptr;
HHOOK gSecond = nullptr;
std::vector<std::string> gHookCalls;
HWND gBlocked = nullptr;
WNDPROC gSaved = nullptr;

// Swallows exactly one message: the procedure is replaced by a stub that puts it back.
LRESULT BlockerStub(HWND h, UINT, WPARAM, LPARAM) {
  SetWindowLongPtr(h, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(gSaved));
  return 1;
}

LRESULT CallWndProcHook(int code, WPARAM wParam, LPARAM lParam) {
  auto* call = reinterpret_cast<CWPSTRUCT*>(lParam);
  if (call->hwnd == gBlocked && call->message == WM_USER) {
    gSaved = reinterpret_cast<WNDPROC>(GetWindowLongPtr(call->hwnd, GWL_WNDPROC));
    SetWindowLongPtr(call->hwnd, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(BlockerStub));
  }
  return CallNextHookEx(gHook, code, wParam, lParam);
}

LRESULT GetMessageHook(int code, WPARAM wParam, LPARAM lParam) {
  auto* msg = reinterpret_cast<MSG*>(lParam);
  if (msg->message == WM_SYSKEYDOWN) msg->message = WM_NULL;
  return CallNextHookEx(gHook, code, wParam, lParam);
}

LRESULT MouseHook(int code, WPARAM wParam, LPARAM lParam) {
  if (wParam == WM_LBUTTONDOWN) return 1;
  return CallNextHookEx(gHook, code, wParam, lParam);
}

LRESULT FirstHook(int code, WPARAM wParam, LPARAM lParam) {
  gHookCalls.push_back("first");
  return CallNextHookEx(gHook, code, wParam, lParam);
}

LRESULT SecondHook(int code, WPARAM wParam, LPARAM lParam) {
  gHookCalls.push_back("second");
  // Unhooking both, the running one included, in the middle of the chain.
  UnhookWindowsHookEx(gSecond);
  UnhookWindowsHookEx(gHook);
  return CallNextHookEx(gSecond, code, wParam, lParam);
}

}  // namespace

TEST_F(Hooks, CallWndProcHookSwallowsAMessageThroughTheProcedureItReads) {
  HWND window = Create(WS_POPUP, Bounds(0, 0, 10, 10));
  gBlocked = window;
  gHook = SetWindowsHookEx(WH_CALLWNDPROC, CallWndProcHook, nullptr, GetCurrentThreadId());
  log.clear();
  EXPECT_EQ(SendMessage(window, WM_USER, 0, 0), 1);
  EXPECT_TRUE(Messages(window, {WM_USER}).empty());
  SendMessage(window, WM_USER + 1, 0, 0);
  EXPECT_EQ(Messages(window, {WM_USER + 1}).size(), 1u);
  UnhookWindowsHookEx(gHook);
}

TEST_F(Hooks, GetMessageHookRewritesAndMouseHookDiscards) {
  HWND window = Create(WS_POPUP | WS_VISIBLE, Bounds(10, 10, 100, 100));
  SetFocus(window);
  gHook = SetWindowsHookEx(WH_GETMESSAGE, GetMessageHook, nullptr, GetCurrentThreadId());
  InputKey(VK_MENU, true);
  InputKey('X', true);
  Pump();
  UnhookWindowsHookEx(gHook);
  InputKey('X', false);
  InputKey(VK_MENU, false);
  EXPECT_TRUE(Messages(window, {WM_SYSKEYDOWN}).empty());

  gHook = SetWindowsHookEx(WH_MOUSE, MouseHook, nullptr, GetCurrentThreadId());
  log.clear();
  Click({50, 50});
  Pump();
  UnhookWindowsHookEx(gHook);
  EXPECT_EQ(Messages(window, {WM_LBUTTONDOWN, WM_LBUTTONUP}), (std::vector<UINT>{WM_LBUTTONUP}));
}

TEST_F(Hooks, NewestHookRunsFirstAndUnhookingInsideAHookIsSafe) {
  HWND window = Create(WS_POPUP, Bounds(0, 0, 10, 10));
  gHookCalls.clear();
  gHook = SetWindowsHookEx(WH_CALLWNDPROC, FirstHook, nullptr, 0);
  gSecond = SetWindowsHookEx(WH_CALLWNDPROC, SecondHook, nullptr, 0);
  SendMessage(window, WM_USER, 0, 0);
  SendMessage(window, WM_USER, 0, 0);
  EXPECT_EQ(gHookCalls, (std::vector<std::string>{"second"}));
  EXPECT_FALSE(UnhookWindowsHookEx(gHook));
}

namespace {

std::vector<UINT> gSeen;
std::vector<UINT> gSeenAfter;

LRESULT RecordingCallHook(int code, WPARAM wParam, LPARAM lParam) {
  gSeen.push_back(reinterpret_cast<CWPSTRUCT*>(lParam)->message);
  return CallNextHookEx(gHook, code, wParam, lParam);
}

LRESULT RecordingReturnHook(int code, WPARAM wParam, LPARAM lParam) {
  gSeenAfter.push_back(reinterpret_cast<CWPRETSTRUCT*>(lParam)->message);
  return CallNextHookEx(gSecond, code, wParam, lParam);
}

// Swallows an inactive-caption request through the procedure read after the hooks.
LRESULT NcActivateBlocker(int code, WPARAM wParam, LPARAM lParam) {
  auto* call = reinterpret_cast<CWPSTRUCT*>(lParam);
  if (call->message == WM_NCACTIVATE && call->wParam == 0) {
    gSaved = reinterpret_cast<WNDPROC>(GetWindowLongPtr(call->hwnd, GWL_WNDPROC));
    SetWindowLongPtr(call->hwnd, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(BlockerStub));
  }
  return CallNextHookEx(gHook, code, wParam, lParam);
}

bool Saw(const std::vector<UINT>& seen, UINT message) {
  return std::find(seen.begin(), seen.end(), message) != seen.end();
}

}  // namespace

TEST_F(Hooks, MessagesTheWindowManagerSendsItselfPassTheCallHooks) {
  HWND other = Create(WS_POPUP | WS_VISIBLE, Bounds(200, 200, 50, 50));
  gSeen.clear();
  gSeenAfter.clear();
  gHook = SetWindowsHookEx(WH_CALLWNDPROC, RecordingCallHook, nullptr, GetCurrentThreadId());
  gSecond = SetWindowsHookEx(WH_CALLWNDPROCRET, RecordingReturnHook, nullptr, GetCurrentThreadId());
  HWND window = Create(WS_POPUP | WS_BORDER, Bounds(10, 10, 100, 100));
  HWND child = Create(WS_CHILD | WS_VISIBLE, Bounds(5, 5, 20, 20), window);
  ShowWindow(window, SW_SHOW);
  SetActiveWindow(nullptr);
  SetWindowPos(window, nullptr, 20, 20, 120, 120, SWP_NOZORDER);
  SetForegroundWindow(window);
  SetFocus(child);
  SetCapture(child);
  ReleaseCapture();
  SetFocus(other);
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_UPDATENOW);
  POINT p = ScreenPoint(window, 50, 50);
  WindowFromPoint(p);
  ShowWindow(window, SW_HIDE);
  DestroyWindow(window);
  const UINT kSent[] = {WM_NCCREATE, WM_CREATE, WM_SHOWWINDOW, WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED,
                        WM_NCCALCSIZE, WM_ACTIVATEAPP, WM_NCACTIVATE, WM_ACTIVATE, WM_SETFOCUS, WM_KILLFOCUS,
                        WM_CAPTURECHANGED, WM_NCPAINT, WM_ERASEBKGND, WM_PAINT, WM_NCHITTEST, WM_DESTROY,
                        WM_NCDESTROY};
  for (UINT message : kSent) {
    SCOPED_TRACE(message);
    EXPECT_TRUE(Saw(gSeen, message));
    EXPECT_TRUE(Saw(gSeenAfter, message));
  }
  // A posted message is dispatched, not sent: it stays out of the chain.
  gSeen.clear();
  PostMessage(other, WM_USER + 7, 0, 0);
  Pump();
  EXPECT_FALSE(Saw(gSeen, WM_USER + 7));
  UnhookWindowsHookEx(gSecond);
  UnhookWindowsHookEx(gHook);
}

TEST_F(Hooks, ACallHookSwallowsTheInactiveCaptionOfADeactivatedWindow) {
  HWND first = Create(WS_POPUP | WS_VISIBLE, Bounds(10, 10, 50, 50));
  HWND second = Create(WS_POPUP | WS_VISIBLE, Bounds(100, 10, 50, 50));
  SetForegroundWindow(first);
  gHook = SetWindowsHookEx(WH_CALLWNDPROC, NcActivateBlocker, nullptr, GetCurrentThreadId());
  log.clear();
  SetForegroundWindow(second);
  UnhookWindowsHookEx(gHook);
  EXPECT_TRUE(Messages(first, {WM_NCACTIVATE}).empty());
  EXPECT_FALSE(Messages(first, {WM_ACTIVATE}).empty());
  EXPECT_EQ(GetWindowLongPtr(first, GWL_WNDPROC), reinterpret_cast<LONG_PTR>(gSaved));
}

namespace {

// The older of two mouse hooks reads what the newer one wrote into the structure.
std::vector<std::pair<UINT, UINT>> gMouseSeen;  // message, hit-test code
std::vector<DWORD> gWheelData;
LRESULT RewritingMouseHook(int code, WPARAM wParam, LPARAM lParam) {
  auto* info = reinterpret_cast<MOUSEHOOKSTRUCT*>(lParam);
  if (wParam == WM_LBUTTONDOWN) info->wHitTestCode = static_cast<UINT>(-2);
  return CallNextHookEx(gSecond, code, wParam, lParam);
}
LRESULT ReadingMouseHook(int code, WPARAM wParam, LPARAM lParam) {
  auto* info = reinterpret_cast<MOUSEHOOKSTRUCT*>(lParam);
  gMouseSeen.emplace_back(static_cast<UINT>(wParam), info->wHitTestCode);
  if (wParam == WM_MOUSEWHEEL) gWheelData.push_back(reinterpret_cast<MOUSEHOOKSTRUCTEX*>(lParam)->mouseData);
  return CallNextHookEx(gHook, code, wParam, lParam);
}

std::vector<std::pair<WPARAM, LPARAM>> gKeysSeen;
LRESULT KeyRecordingHook(int code, WPARAM wParam, LPARAM lParam) {
  gKeysSeen.emplace_back(wParam, lParam);
  return CallNextHookEx(gHook, code, wParam, lParam);
}

}  // namespace

TEST_F(Hooks, AMouseHookMayRewriteTheStructureForTheHooksAfterIt) {
  HWND window = Create(WS_POPUP | WS_VISIBLE, Bounds(10, 10, 100, 100));
  SetFocus(window);
  gMouseSeen.clear();
  gWheelData.clear();
  gHook = SetWindowsHookEx(WH_MOUSE, ReadingMouseHook, nullptr, GetCurrentThreadId());
  gSecond = SetWindowsHookEx(WH_MOUSE, RewritingMouseHook, nullptr, GetCurrentThreadId());
  Click({50, 50});
  InputMouseWheel({50, 50}, -120);
  Pump();
  UnhookWindowsHookEx(gSecond);
  UnhookWindowsHookEx(gHook);
  auto seen = [](UINT message) {
    for (auto [m, hit] : gMouseSeen)
      if (m == message) return static_cast<int>(hit);
    return 999;
  };
  EXPECT_EQ(seen(WM_LBUTTONDOWN), -2);
  EXPECT_EQ(seen(WM_LBUTTONUP), HTCLIENT);
  ASSERT_EQ(gWheelData.size(), 1u);
  EXPECT_EQ(static_cast<int16_t>(HIWORD(gWheelData[0])), -120);
}

TEST_F(Hooks, AMouseHookSeesPressesOnADisabledWindowWithTheErrorHitCode) {
  HWND window = Create(WS_POPUP | WS_VISIBLE, Bounds(10, 10, 100, 100));
  EnableWindow(window, FALSE);
  gMouseSeen.clear();
  gHook = SetWindowsHookEx(WH_MOUSE, ReadingMouseHook, nullptr, GetCurrentThreadId());
  Click({50, 50});
  Pump();
  UnhookWindowsHookEx(gHook);
  std::vector<std::pair<UINT, UINT>> expected{{WM_NCLBUTTONDOWN, static_cast<UINT>(HTERROR)},
                                              {WM_NCLBUTTONUP, static_cast<UINT>(HTERROR)}};
  std::vector<std::pair<UINT, UINT>> presses;
  for (auto seen : gMouseSeen)
    if (seen.first != WM_NCMOUSEMOVE) presses.push_back(seen);
  EXPECT_EQ(presses, expected);
  // The window itself got none of it.
  EXPECT_TRUE(Messages(window, {WM_LBUTTONDOWN, WM_NCLBUTTONDOWN}).empty());
}

TEST_F(Hooks, AKeyboardHookSeesTheAltContextAndTheReleaseBits) {
  HWND window = Create(WS_POPUP | WS_VISIBLE, Bounds(10, 10, 100, 100));
  SetFocus(window);
  gKeysSeen.clear();
  gHook = SetWindowsHookEx(WH_KEYBOARD, KeyRecordingHook, nullptr, GetCurrentThreadId());
  InputKey(VK_MENU, true);
  InputKey('F', true);
  InputKey('F', false);
  InputKey(VK_MENU, false);
  InputKey('F', true);
  Pump();
  UnhookWindowsHookEx(gHook);
  InputKey('F', false);
  Pump();
  struct Bits {
    WPARAM key;
    bool alt, up;
  };
  const Bits kExpected[] = {{VK_MENU, true, false}, {'F', true, false}, {'F', true, true}, {VK_MENU, false, true},
                            {'F', false, false}};
  ASSERT_EQ(gKeysSeen.size(), std::size(kExpected));
  for (size_t i = 0; i < gKeysSeen.size(); ++i) {
    SCOPED_TRACE(i);
    auto flags = static_cast<uint32_t>(gKeysSeen[i].second);
    EXPECT_EQ(gKeysSeen[i].first, kExpected[i].key);
    EXPECT_EQ((flags >> 29) & 1, kExpected[i].alt ? 1u : 0u);
    EXPECT_EQ(flags >> 31, kExpected[i].up ? 1u : 0u);
  }
}
