#include "UserTestSupport.h"

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
