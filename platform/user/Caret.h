#pragma once
// The caret: one per thread's user interface, owned by a window, drawn by inverting its pixels on
// the window's surface and blinking on a timer of the window manager's clock. It starts hidden;
// each HideCaret needs a ShowCaret to undo it.

#include "rtl/WinTypes.h"

// bitmap: null for a solid caret, (HBITMAP)1 for a grey one (drawn solid here), else its shape.
// width or height 0 take the border width or height. Destroys any caret before.
BOOL CreateCaret(HWND window, HBITMAP bitmap, int width, int height);
BOOL DestroyCaret();
// Client coordinates of the caret's window.
BOOL SetCaretPos(int x, int y);
BOOL GetCaretPos(POINT* point);
// window null: the caret's window; fails for another window.
BOOL ShowCaret(HWND window);
BOOL HideCaret(HWND window);
UINT GetCaretBlinkTime();
BOOL SetCaretBlinkTime(UINT milliseconds);

// For the window manager: painting a window takes its caret off the surface and puts it back.
void CaretPaintBegins(HWND window);
void CaretPaintEnds(HWND window);
void CaretEnd();
