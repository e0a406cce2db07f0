#pragma once
// DCs onto pixel memory owned by someone else: the window manager hands these out for BeginPaint,
// GetDC and GetWindowDC over a top-level window's backing surface.

#include "gdi/PixelSurface.h"
#include "gdi/Region.h"

// A DC whose device point (0, 0) is `origin` on `surface`, which draws only inside `visible`
// (a region in surface coordinates, copied; null for the whole surface). Its state is the default
// one (no clip region, origins at 0, stock objects); the clip region selected later is intersected
// with `visible`. The surface must outlive the DC; DeleteDC releases it.
HDC CreateSurfaceDC(const PixelSurface& surface, POINT origin, HRGN visible);
// The same with the visible region given directly, for callers that hold no region handle.
HDC CreateSurfaceDC(const PixelSurface& surface, POINT origin, const Region& visible);
