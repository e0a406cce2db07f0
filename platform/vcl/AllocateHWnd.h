#pragma once
// Hidden windows whose messages go to a method of an object: timers, the application's window
// and the message windows of the toolkit use them.

#include "rtl/WinTypes.h"
#include "vcl/ControlsMessages.h"

// A hidden top-level window whose procedure calls Method; messages Method leaves unanswered must
// go on to DefWindowProc, as the method's own default branch does. An exception that escapes the
// method goes to the application's exception handler, never into the window manager.
HWND AllocateHWnd(TWndMethod Method);
// Destroys a window made by AllocateHWnd (0 is ignored).
void DeallocateHWnd(HWND Wnd);
