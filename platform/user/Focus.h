#pragma once
// Keyboard focus and window activation. Activating a top-level window sends, in order:
// WM_ACTIVATEAPP (when the application had no active window), WM_NCACTIVATE(0) and
// WM_ACTIVATE(WA_INACTIVE) to the window losing activation, WM_NCACTIVATE(1) and WM_ACTIVATE to
// the new one; WM_ACTIVATE's default gives the window the focus (WM_KILLFOCUS, then WM_SETFOCUS).

#include "rtl/WinTypes.h"

// Answers the window that had the focus. Activates the window's top-level window first.
HWND SetFocus(HWND window);
HWND GetFocus();
HWND SetActiveWindow(HWND window);
HWND GetActiveWindow();
// The application is the only one the window manager knows, so this activates the window and
// asks the backend to raise it.
BOOL SetForegroundWindow(HWND window);
HWND GetForegroundWindow();
