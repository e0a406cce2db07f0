#pragma once
// Timers and the time of day in milliseconds, on the window manager's clock (user/Clock.h).
// A timer posts nothing: WM_TIMER is made when the thread's queue has nothing else, at most one
// per timer, and the next one is due an interval after it was made.

#include "rtl/WinTypes.h"

using TIMERPROC = void (*)(HWND window, UINT message, UINT_PTR id, DWORD time);

constexpr UINT USER_TIMER_MINIMUM = 0x0000000A;
constexpr UINT USER_TIMER_MAXIMUM = 0x7FFFFFFF;

// With a window: (window, id) names the timer, setting it again restarts it. Without one: a
// thread timer with a new id, which is answered. 0 on failure.
UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT elapse, TIMERPROC timerProc);
BOOL KillTimer(HWND window, UINT_PTR id);

DWORD GetTickCount();
ULONGLONG GetTickCount64();
DWORD timeGetTime();
void Sleep(DWORD milliseconds);
