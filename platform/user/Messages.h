#pragma once
// Sending and posting messages, the thread's message queue and its loops. One queue per thread:
// SendMessage calls the window procedure at once (through the WH_CALLWNDPROC hooks); PostMessage
// queues and is the one call that is safe from any thread; WM_PAINT and WM_TIMER are made when the
// queue has nothing else. WM_QUIT ends the innermost loop; a nested loop that sees it posts it
// again so that the loops around it end too.

#include "rtl/WinTypes.h"
#include "user/MessageNumbers.h"

using WNDPROC = LRESULT (*)(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

struct MSG {
  HWND hwnd = nullptr;
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  DWORD time = 0;
  POINT pt;
};
using LPMSG = MSG*;

constexpr UINT PM_NOREMOVE = 0x0000;
constexpr UINT PM_REMOVE = 0x0001;
constexpr UINT PM_NOYIELD = 0x0002;

constexpr UINT QS_KEY = 0x0001;
constexpr UINT QS_MOUSEMOVE = 0x0002;
constexpr UINT QS_MOUSEBUTTON = 0x0004;
constexpr UINT QS_POSTMESSAGE = 0x0008;
constexpr UINT QS_TIMER = 0x0010;
constexpr UINT QS_PAINT = 0x0020;
constexpr UINT QS_SENDMESSAGE = 0x0040;
constexpr UINT QS_HOTKEY = 0x0080;
constexpr UINT QS_ALLPOSTMESSAGE = 0x0100;
constexpr UINT QS_MOUSE = QS_MOUSEMOVE | QS_MOUSEBUTTON;
constexpr UINT QS_INPUT = QS_MOUSE | QS_KEY;
constexpr UINT QS_ALLEVENTS = QS_INPUT | QS_POSTMESSAGE | QS_TIMER | QS_PAINT | QS_HOTKEY;
constexpr UINT QS_ALLINPUT = QS_ALLEVENTS | QS_SENDMESSAGE;

constexpr DWORD INFINITE = 0xFFFFFFFF;
constexpr DWORD WAIT_OBJECT_0 = 0;
constexpr DWORD WAIT_TIMEOUT = 258;
constexpr DWORD WAIT_FAILED = 0xFFFFFFFF;

const HWND HWND_BROADCAST = reinterpret_cast<HWND>(0xFFFF);

LRESULT SendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
inline LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return SendMessage(window, message, wParam, lParam);
}
// Sent at once to a window of this thread; queued without waiting for a window of another thread.
BOOL SendNotifyMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
BOOL PostMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
inline BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return PostMessage(window, message, wParam, lParam);
}
BOOL PostThreadMessage(DWORD threadId, UINT message, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int exitCode);
// A number in 0xC000..0xFFFF, the same for the same name (case-insensitive) in this process.
UINT RegisterWindowMessage(const char* name);
inline UINT RegisterWindowMessageA(const char* name) { return RegisterWindowMessage(name); }

// window: 0 for every window of the thread and thread messages, (HWND)-1 for thread messages
// only, or one window and its descendants. min = max = 0 takes every message.
BOOL GetMessage(MSG* msg, HWND window, UINT filterMin, UINT filterMax);
BOOL PeekMessage(MSG* msg, HWND window, UINT filterMin, UINT filterMax, UINT removeFlags);
inline BOOL GetMessageA(MSG* msg, HWND window, UINT filterMin, UINT filterMax) {
  return GetMessage(msg, window, filterMin, filterMax);
}
inline BOOL PeekMessageA(MSG* msg, HWND window, UINT filterMin, UINT filterMax, UINT removeFlags) {
  return PeekMessage(msg, window, filterMin, filterMax, removeFlags);
}
// Posts WM_CHAR / WM_SYSCHAR for a key-down that typed a character.
BOOL TranslateMessage(const MSG* msg);
LRESULT DispatchMessage(const MSG* msg);
inline LRESULT DispatchMessageA(const MSG* msg) { return DispatchMessage(msg); }
// Returns when the queue has something new (a posted or input message, a due timer, a paint).
BOOL WaitMessage();
// Waits for the queue (as WaitMessage, for the kinds in wakeMask) or the timeout; no kernel
// objects exist in this system, so count must be 0. WAIT_OBJECT_0 + count when the queue woke it.
DWORD MsgWaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL waitAll, DWORD milliseconds,
                                DWORD wakeMask);
// Screen position of the cursor (x low word, y high word) and time of the last message retrieved.
DWORD GetMessagePos();
LONG GetMessageTime();
// True while a window procedure handles a message sent from another thread.
BOOL InSendMessage();
// High word: kinds of messages in the queue; low word: kinds added since the last call.
DWORD GetQueueStatus(UINT flags);
BOOL GetInputState();

LRESULT CallWindowProc(WNDPROC procedure, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
inline LRESULT CallWindowProcA(WNDPROC procedure, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return CallWindowProc(procedure, window, message, wParam, lParam);
}
LRESULT DefWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
inline LRESULT DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProc(window, message, wParam, lParam);
}

DWORD GetCurrentThreadId();
DWORD GetCurrentProcessId();
DWORD GetWindowThreadProcessId(HWND window, DWORD* processId);
