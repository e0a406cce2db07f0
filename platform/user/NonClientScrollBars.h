#pragma once
// The window's own scroll bars are kept by the scroll bar code of the standard controls, a layer
// above the window manager. The frame code hands them their places through this seam: painting
// and a press on them. Until a handler is installed the places show the face colour.

#include "rtl/WinTypes.h"

struct NonClientScrollBarHandler {
  // dc has its origin at the window's top-left corner; the rectangles are in window coordinates
  // and empty for bars the window does not have.
  void (*paint)(HWND window, HDC dc, const RECT& vScroll, const RECT& hScroll, const RECT& sizeBox);
  // A left press on a bar (hitCode HTVSCROLL or HTHSCROLL) at a screen point; returns when the
  // press is over.
  void (*press)(HWND window, LRESULT hitCode, POINT screenPoint);
};

// null removes the handler; the handler must outlive its installation.
void SetNonClientScrollBarHandler(const NonClientScrollBarHandler* handler);
// The places of a window's bars in window coordinates (empty when it has none).
BOOL GetNonClientScrollBarRects(HWND window, RECT* vScroll, RECT* hScroll, RECT* sizeBox);
