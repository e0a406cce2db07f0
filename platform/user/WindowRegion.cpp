// Window regions and layered windows: the shape a window has and how its top-level surface is
// blended onto the screen.

#include "gdi/Blits.h"
#include "gdi/DcSurface.h"
#include "gdi/DeviceContexts.h"
#include "gdi/RegionObject.h"
#include "gdi/Regions.h"
#include "user/Backend.h"
#include "user/Painting.h"
#include "user/WindowInternals.h"
#include "user/WindowPos.h"

int SetWindowRgn(HWND window, HRGN region, BOOL redraw) {
  Window* w = WindowFromHandle(window);
  if (!w) return 0;
  Region* shape = region ? LookupRegion(region) : nullptr;
  if (region && !shape) return 0;
  RECT oldRect = w->windowRect;
  bool visible = IsReallyVisible(w);
  // The backend reads the region before its handle goes.
  if (w->IsTopLevel() && w->nativeCreated) CurrentDisplayBackend().SetNativeWindowRegion(window, shape ? region : nullptr);
  if (shape) {
    w->windowRegion = std::make_unique<Region>(*shape);
    // The window owns the region from now on.
    DeleteObject(region);
  } else {
    w->windowRegion.reset();
  }
  if (redraw && visible) {
    if (w->IsChild()) InvalidateParentArea(w, oldRect);
    InvalidateWindowArea(w, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  }
  return 1;
}

int GetWindowRgn(HWND window, HRGN region) {
  Window* w = WindowFromHandle(window);
  Region* out = region ? LookupRegion(region) : nullptr;
  if (!w || !out || !w->windowRegion) return ERROR;
  *out = *w->windowRegion;
  return out->Kind();
}

int GetWindowRgnBox(HWND window, RECT* rect) {
  Window* w = WindowFromHandle(window);
  if (!w || !rect || !w->windowRegion) return ERROR;
  *rect = w->windowRegion->Bounds();
  return w->windowRegion->Kind();
}

BOOL SetLayeredWindowAttributes(HWND window, COLORREF colorKey, BYTE alpha, DWORD flags) {
  Window* w = WindowFromHandle(window);
  if (!w || !(w->exStyle & WS_EX_LAYERED)) return FALSE;
  w->layeredKey = colorKey;
  w->layeredAlpha = alpha;
  w->layeredFlags = flags & (LWA_COLORKEY | LWA_ALPHA);
  w->perPixelAlpha = false;
  NativeLayeringChanged(w);
  if (w->surface) w->surface->dirty = {0, 0, w->surface->width, w->surface->height};
  return TRUE;
}

BOOL GetLayeredWindowAttributes(HWND window, COLORREF* colorKey, BYTE* alpha, DWORD* flags) {
  Window* w = WindowFromHandle(window);
  if (!w || !(w->exStyle & WS_EX_LAYERED)) return FALSE;
  if (colorKey) *colorKey = w->layeredKey;
  if (alpha) *alpha = w->layeredAlpha;
  if (flags) *flags = w->layeredFlags;
  return TRUE;
}

BOOL UpdateLayeredWindow(HWND window, HDC, POINT* position, SIZE* size, HDC sourceDC, POINT* sourcePoint,
                         COLORREF colorKey, const BLENDFUNCTION* blend, DWORD flags) {
  Window* w = WindowFromHandle(window);
  if (!w || !(w->exStyle & WS_EX_LAYERED) || !w->IsTopLevel()) return FALSE;
  if (position || size) {
    RECT r = w->windowRect;
    int x = position ? position->X : r.Left;
    int y = position ? position->Y : r.Top;
    int cx = size ? size->cx : r.Width();
    int cy = size ? size->cy : r.Height();
    SetWindowPos(window, nullptr, x, y, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
  }
  w->layeredKey = colorKey;
  w->layeredAlpha = blend ? blend->SourceConstantAlpha : 255;
  w->layeredFlags = ((flags & ULW_COLORKEY) ? LWA_COLORKEY : 0) | (blend ? LWA_ALPHA : 0);
  w->perPixelAlpha = blend && (blend->AlphaFormat & AC_SRC_ALPHA) && (flags & ULW_ALPHA);
  NativeLayeringChanged(w);
  if (sourceDC && w->surface) {
    WindowSurface& surface = *w->surface;
    PixelSurface pixels = MakeSurface32(surface.pixels.data(), surface.width, surface.height, surface.width * 4);
    HDC target = CreateSurfaceDC(pixels, {0, 0}, nullptr);
    POINT from = sourcePoint ? *sourcePoint : POINT{};
    BitBlt(target, 0, 0, surface.width, surface.height, sourceDC, from.X, from.Y, SRCCOPY);
    DeleteDC(target);
    surface.dirty = {0, 0, surface.width, surface.height};
  }
  // The layered window's new picture shows at once; other windows keep theirs until they painted
  // (a menu casting its shadow would otherwise reach the screen before its first paint).
  PresentDirtySurface(w);
  return TRUE;
}
