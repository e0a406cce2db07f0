#pragma once
// Hooks: filter chains of the dispatcher, for this process. The newest hook is called first and
// passes on with CallNextHookEx. A WH_CALLWNDPROC hook sees every sent message before the window
// procedure (which is read after the hooks ran); WH_CALLWNDPROCRET sees the answer; WH_GETMESSAGE
// may rewrite the retrieved MSG; WH_MOUSE and WH_KEYBOARD discard input by answering non-zero;
// WH_MSGFILTER sees the messages of the system's own modal loops (moving, sizing, drag detect).
// Unhooking inside a hook is safe.

#include "rtl/WinTypes.h"
#include "user/Messages.h"

using HOOKPROC = LRESULT (*)(int code, WPARAM wParam, LPARAM lParam);

constexpr int WH_MSGFILTER = -1;
constexpr int WH_KEYBOARD = 2;
constexpr int WH_GETMESSAGE = 3;
constexpr int WH_CALLWNDPROC = 4;
constexpr int WH_CBT = 5;
constexpr int WH_MOUSE = 7;
constexpr int WH_CALLWNDPROCRET = 12;

constexpr int HC_ACTION = 0;
constexpr int HC_NOREMOVE = 3;

constexpr int MSGF_DIALOGBOX = 0;
constexpr int MSGF_MENU = 2;
constexpr int MSGF_SCROLLBAR = 5;
constexpr int MSGF_NEXTWINDOW = 6;

struct CWPSTRUCT {
  LPARAM lParam = 0;
  WPARAM wParam = 0;
  UINT message = 0;
  HWND hwnd = nullptr;
};

struct CWPRETSTRUCT {
  LRESULT lResult = 0;
  LPARAM lParam = 0;
  WPARAM wParam = 0;
  UINT message = 0;
  HWND hwnd = nullptr;
};

struct MOUSEHOOKSTRUCT {
  POINT pt;
  HWND hwnd = nullptr;
  UINT wHitTestCode = 0;
  ULONG_PTR dwExtraInfo = 0;
};

struct MOUSEHOOKSTRUCTEX {
  POINT pt;
  HWND hwnd = nullptr;
  UINT wHitTestCode = 0;
  ULONG_PTR dwExtraInfo = 0;
  DWORD mouseData = 0;
};

// threadId 0 hooks every thread of the process; module is ignored.
HHOOK SetWindowsHookEx(int hookType, HOOKPROC procedure, HINSTANCE module, DWORD threadId);
inline HHOOK SetWindowsHookExA(int hookType, HOOKPROC procedure, HINSTANCE module, DWORD threadId) {
  return SetWindowsHookEx(hookType, procedure, module, threadId);
}
BOOL UnhookWindowsHookEx(HHOOK hook);
LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam);
// Runs the WH_MSGFILTER chain for a message of a modal loop; true when a hook took it.
BOOL CallMsgFilter(MSG* msg, int code);
inline BOOL CallMsgFilterA(MSG* msg, int code) { return CallMsgFilter(msg, code); }
