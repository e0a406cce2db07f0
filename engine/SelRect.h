#pragma once
// The selection-rectangle window: a child window that shows a picture as its background and a
// rectangle over it that the user drags and resizes by eight handles. Each change the user makes
// is sent to the configured window as the configured message, WParam pointing to four signed
// 32-bit values (left, top, right, bottom in the window's pixels, valid during the call). The
// library keeps one such window at a time. All calls come from the user-interface thread.

#include "rtl/WinTypes.h"

extern "C" {

// Creates the window at (x, y), width x height in the parent's client area, replacing the one
// made before; the rectangle starts as the whole window. Null when the window cannot be made.
HWND SCCreateSelrectWnd(HWND parent, HINSTANCE instance, Integer x, Integer y, Integer width, Integer height);
// Where changes go, and as which message (WM_USER + 100 until set).
BOOL SCSetMSGWnd(HWND window);
BOOL SCSetMSGRectID(UINT message);
// Sets the rectangle (kept inside the window, sides in order); sends no message.
BOOL SCSetRect(Integer left, Integer top, Integer right, Integer bottom);
// The background from a bitmap file, stretched over the window. FALSE, with the picture before
// kept, when the file cannot be read.
BOOL SCDrawBackGround(const char* path);
// The background from 32-bit B, G, R, x pixels, rows top to bottom without padding.
BOOL SCDrawBackGroundPixels(const void* pixels, Integer width, Integer height);
BOOL SCDestroySelrectWnd();

}

// Unit end: destroys the window when one is left.
void SelRectEnd();
