// Scrolling a window's pixels on its top-level surface: what stays visible moves, what is
// uncovered (or could not be copied because it was hidden) becomes invalid.

#include <cstring>

#include "gdi/RegionObject.h"
#include "gdi/DeviceContexts.h"
#include "gdi/Regions.h"
#include "user/Painting.h"
#include "user/WindowDC.h"
#include "user/WindowInternals.h"
#include "user/WindowPos.h"

namespace {

void MovePixels(WindowSurface& surface, const Region& destination, int dx, int dy) {
  for (const pixman_box32_t& box : destination.Rects()) {
    int width = box.x2 - box.x1;
    if (width <= 0) continue;
    // Rows in the order that never reads a row already overwritten.
    if (dy > 0) {
      for (int y = box.y2 - 1; y >= box.y1; --y) {
        uint32_t* to = surface.pixels.data() + static_cast<size_t>(y) * surface.width + box.x1;
        const uint32_t* from = surface.pixels.data() + static_cast<size_t>(y - dy) * surface.width + box.x1 - dx;
        std::memmove(to, from, static_cast<size_t>(width) * 4);
      }
    } else {
      for (int y = box.y1; y < box.y2; ++y) {
        uint32_t* to = surface.pixels.data() + static_cast<size_t>(y) * surface.width + box.x1;
        const uint32_t* from = surface.pixels.data() + static_cast<size_t>(y - dy) * surface.width + box.x1 - dx;
        std::memmove(to, from, static_cast<size_t>(width) * 4);
      }
    }
  }
}

}  // namespace

int ScrollWindowEx(HWND window, int dx, int dy, const RECT* scroll, const RECT* clip, HRGN updateRegion,
                   RECT* updateRect, UINT flags) {
  Window* w = WindowFromHandle(window);
  if (!w) return ERROR;
  RECT client{0, 0, w->clientRect.Width(), w->clientRect.Height()};
  RECT area = scroll ? *scroll : client;
  Region bounds(area);
  bounds.Intersect(client);
  if (clip) bounds.Intersect(*clip);

  Region invalid;
  Region visible;
  POINT origin{};
  Window* top = TopLevelOf(w);
  if ((dx || dy) && VisibleRegion(w, DCX_CLIPCHILDREN | DCX_CLIPSIBLINGS, &visible) && top->surface) {
    // Client origin on the surface.
    POINT screenClient = ClientOrigin(w);
    POINT screenTop = WindowOrigin(top);
    origin = {screenClient.X - screenTop.X, screenClient.Y - screenTop.Y};
    Region source = bounds;
    source.Translate(origin.X, origin.Y);
    source.Intersect(visible);
    Region destination = source;
    destination.Translate(dx, dy);
    destination.Intersect(source);  // only what moves within the scrolled and visible area
    MovePixels(*top->surface, destination, dx, dy);
    RECT moved = destination.Bounds();
    RECT& dirty = top->surface->dirty;
    if (dirty.Right <= dirty.Left) dirty = moved;
    else dirty = {std::min(dirty.Left, moved.Left), std::min(dirty.Top, moved.Top), std::max(dirty.Right, moved.Right),
                  std::max(dirty.Bottom, moved.Bottom)};
    destination.Translate(-origin.X, -origin.Y);
    invalid = bounds;
    invalid.Subtract(destination);
  } else if (dx || dy) {
    invalid = bounds;
  }

  // What was already invalid moves with the pixels.
  RECT clientInWindow = Bounds(w->clientRect.Left - w->windowRect.Left, w->clientRect.Top - w->windowRect.Top,
                               client.Right, client.Bottom);
  Region pending = w->updateRegion;
  pending.Intersect(clientInWindow);
  if (!pending.IsEmpty()) {
    Region inBounds = bounds;
    inBounds.Translate(clientInWindow.Left, clientInWindow.Top);
    pending.Intersect(inBounds);
    pending.Translate(dx, dy);
    pending.Intersect(inBounds);
    pending.Translate(-clientInWindow.Left, -clientInWindow.Top);
    invalid.Unite(pending);
  }

  if (flags & SW_SCROLLCHILDREN) {
    std::vector<HWND> children;
    for (Window* c = w->firstChild; c; c = c->next) {
      if (!scroll || Region(area).Overlaps(c->windowRect)) children.push_back(c->handle);
    }
    for (HWND h : children) {
      Window* c = WindowFromHandle(h);
      if (!c) continue;
      SetWindowPos(h, nullptr, c->windowRect.Left + dx, c->windowRect.Top + dy, 0, 0,
                   SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSIZE | SWP_NOREDRAW);
    }
  }

  if (flags & SW_INVALIDATE) {
    HRGN handle = RegisterRegion(invalid);
    RedrawWindow(window, nullptr, handle,
                 RDW_INVALIDATE | RDW_ALLCHILDREN | ((flags & SW_ERASE) ? RDW_ERASE : 0));
    DeleteObject(handle);
  }
  if (Region* out = updateRegion ? LookupRegion(updateRegion) : nullptr) *out = invalid;
  if (updateRect) *updateRect = invalid.Bounds();
  return invalid.Kind();
}

BOOL ScrollWindow(HWND window, int dx, int dy, const RECT* scroll, const RECT* clip) {
  return ScrollWindowEx(window, dx, dy, scroll, clip, nullptr, nullptr,
                        SW_INVALIDATE | SW_ERASE | (scroll ? 0 : SW_SCROLLCHILDREN)) != ERROR;
}
