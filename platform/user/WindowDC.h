#pragma once
// DCs of windows (internal): what is visible of a window on its top-level window's surface, and
// the DCs handed out for it.

#include "gdi/Region.h"
#include "user/Window.h"

// GetDCEx flag of the platform's own: take DCX_CLIPCHILDREN / DCX_CLIPSIBLINGS from the styles.
constexpr DWORD DCX_USESTYLE = 0x00010000;

// What of the window (its client area, or the whole window with DCX_WINDOW) can be seen, in
// coordinates of its top-level window; false when nothing of it is on a surface.
bool VisibleRegion(Window* window, DWORD flags, Region* visible);
// The DC BeginPaint hands out: the client area clipped to what is visible and to `update`
// (client coordinates).
HDC GetPaintDC(Window* window, const Region& update);
// The DCs of a window going away are released.
void ForgetWindowDCs(Window* window);
