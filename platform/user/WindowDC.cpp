// Window DCs: each is a DC onto the top-level window's surface, offset to the window (or client)
// origin and clipped to what can be seen of the window there.

#include <algorithm>
#include <vector>

#include "gdi/Bitmaps.h"
#include "gdi/DcSurface.h"
#include "gdi/DeviceContexts.h"
#include "gdi/RegionObject.h"
#include "user/Painting.h"
#include "user/WindowDC.h"
#include "user/WindowInternals.h"

namespace {

struct WindowDcRecord {
  HDC dc = nullptr;
  HWND window = nullptr;
  RECT bounds;  // top-level window coordinates: what it may have drawn
};

std::vector<WindowDcRecord> gDcs;

// Screen DCs (GetDC(0)) and the 1 x 1 screen-format bitmap each holds, so that bitmaps made
// compatible with the screen have the screen's 32 bits per pixel, not a memory DC's one.
struct ScreenDcRecord {
  HDC dc = nullptr;
  HBITMAP bitmap = nullptr;
};
std::vector<ScreenDcRecord> gScreenDcs;

HDC CreateScreenDc() {
  HDC dc = CreateCompatibleDC(nullptr);
  if (!dc) return nullptr;
  HBITMAP bitmap = CreateBitmap(1, 1, 1, 32, nullptr);
  if (bitmap) SelectObject(dc, bitmap);
  gScreenDcs.push_back({dc, bitmap});
  return dc;
}
HWND gLockedWindow = nullptr;

// The rectangle of w (window or client area) in coordinates of its top-level window.
RECT AreaInTop(const Window* w, bool windowArea) {
  RECT r = windowArea ? w->windowRect : w->clientRect;
  const Window* p = w->parent;
  if (w->IsTopLevel()) {
    return {r.Left - w->windowRect.Left, r.Top - w->windowRect.Top, r.Right - w->windowRect.Left,
            r.Bottom - w->windowRect.Top};
  }
  int dx = 0, dy = 0;
  for (; p && !p->IsTopLevel(); p = p->parent) {
    dx += p->clientRect.Left;
    dy += p->clientRect.Top;
  }
  if (p) {
    dx += p->clientRect.Left - p->windowRect.Left;
    dy += p->clientRect.Top - p->windowRect.Top;
  }
  return {r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy};
}

bool Intersects(const RECT& a, const RECT& b) {
  return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}

RECT Offset(const RECT& r, int dx, int dy) { return {r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy}; }

// The window's shape at `area` (top-level coordinates): its region, or the rectangle itself.
Region ShapeAt(const Window* w, const RECT& area) {
  if (!w->windowRegion) return Region(area);
  Region shape = *w->windowRegion;
  shape.Translate(area.Left, area.Top);
  return shape;
}

void IntersectShape(Region* visible, const Window* w, const RECT& area) {
  if (w->windowRegion) visible->Intersect(ShapeAt(w, area));
}

// Takes away what the windows `forEach` hands to its callback cover, `origin` being their parent's
// client origin in top-level coordinates. Rectangles are tested before any region arithmetic, and
// those that meet what is left are subtracted in one go.
template <typename ForEach>
void SubtractWindows(Region* visible, POINT origin, ForEach forEach) {
  thread_local std::vector<pixman_box32_t> boxes;
  boxes.clear();
  RECT bounds = Offset(visible->Bounds(), -origin.X, -origin.Y);
  forEach([&](const Window* s) {
    if (!s->Visible() || !Intersects(s->windowRect, bounds)) return;
    RECT area = Offset(s->windowRect, origin.X, origin.Y);
    if (s->windowRegion) {
      visible->Subtract(ShapeAt(s, area));
    } else {
      boxes.push_back({area.Left, area.Top, area.Right, area.Bottom});
    }
  });
  if (boxes.size() == 1) {
    visible->Subtract(RECT{boxes[0].x1, boxes[0].y1, boxes[0].x2, boxes[0].y2});
  } else if (!boxes.empty()) {
    visible->Subtract(Region::FromRects(boxes));
  }
}

// The visible siblings above w whose rectangles meet its own. Kept until a child of the parent
// moves, shows, hides or changes place: repeated paints of a form of many controls do not test
// every pair of them again.
const std::vector<Window*>& OverlapsAbove(Window* w) {
  if (w->overlapsStamp != w->parent->childLayout) {
    w->overlapsAbove.clear();
    for (Window* s = w->prev; s; s = s->prev) {
      if (s->Visible() && Intersects(s->windowRect, w->windowRect)) w->overlapsAbove.push_back(s);
    }
    w->overlapsStamp = w->parent->childLayout;
  }
  return w->overlapsAbove;
}

void RecordDc(HDC dc, Window* w, const Region& visible) {
  gDcs.push_back({dc, w->handle, visible.Bounds()});
}

HDC MakeDc(Window* w, DWORD flags, Region visible) {
  Window* top = TopLevelOf(w);
  if (!top || !top->surface) return nullptr;
  WindowSurface& surface = *top->surface;
  PixelSurface pixels = MakeSurface32(surface.pixels.data(), surface.width, surface.height, surface.width * 4);
  RECT area = AreaInTop(w, (flags & DCX_WINDOW) != 0);
  if (gLockedWindow && gLockedWindow != w->handle) {
    Window* locked = WindowFromHandle(gLockedWindow);
    if (locked && TopLevelOf(locked) == top) visible.SetEmpty();
  }
  HDC dc = CreateSurfaceDC(pixels, {area.Left, area.Top}, visible);
  if (dc) RecordDc(dc, w, visible);
  return dc;
}

}  // namespace

bool VisibleRegion(Window* w, DWORD flags, Region* visible) {
  if (!IsReallyVisible(w)) return false;
  Window* top = TopLevelOf(w);
  if (!top || !top->surface) return false;
  bool windowArea = (flags & DCX_WINDOW) != 0;
  if (flags & DCX_USESTYLE) {
    if (w->style & WS_CLIPCHILDREN) flags |= DCX_CLIPCHILDREN;
    if (w->style & WS_CLIPSIBLINGS) flags |= DCX_CLIPSIBLINGS;
  }
  RECT area = AreaInTop(w, windowArea);
  visible->SetRect(area);
  IntersectShape(visible, w, windowArea ? area : AreaInTop(w, true));
  // Each ancestor clips to its client area and shape; siblings above clip when asked to.
  for (Window* c = w; c != top && !visible->IsEmpty(); c = c->parent) {
    Window* parent = c->parent;
    RECT parentClient = AreaInTop(parent, false);
    bool clipSiblings = c == w ? (flags & DCX_CLIPSIBLINGS) != 0 : (c->style & WS_CLIPSIBLINGS) != 0;
    if (clipSiblings) {
      SubtractWindows(visible, parentClient.TopLeft(), [c](auto subtract) {
        for (const Window* s : OverlapsAbove(c)) subtract(s);
      });
    }
    visible->Intersect(parentClient);
    if (parent != top) IntersectShape(visible, parent, AreaInTop(parent, true));
  }
  if ((flags & DCX_CLIPCHILDREN) && !visible->IsEmpty()) {
    RECT client = windowArea ? AreaInTop(w, false) : area;
    SubtractWindows(visible, client.TopLeft(), [w](auto subtract) {
      for (const Window* c = w->firstChild; c; c = c->next) subtract(c);
    });
  }
  visible->Intersect(RECT{0, 0, top->surface->width, top->surface->height});
  return true;
}

HDC GetDCEx(HWND window, HRGN clip, DWORD flags) {
  Window* w = window ? WindowFromHandle(window) : nullptr;
  if (!w || w == Desktop()) {
    // The screen: a DC onto nothing, for measuring text and making screen-compatible bitmaps.
    return CreateScreenDc();
  }
  if (w->windowClass && (w->windowClass->style & CS_PARENTDC) && w->IsChild() && !(flags & DCX_WINDOW)) {
    flags |= DCX_PARENTCLIP;
  }
  Region visible;
  if (!VisibleRegion(w, flags, &visible)) visible.SetEmpty();
  bool windowArea = (flags & DCX_WINDOW) != 0;
  RECT origin = AreaInTop(w, windowArea);
  if (Region* given = clip ? LookupRegion(clip) : nullptr) {
    Region extra = *given;
    extra.Translate(origin.Left, origin.Top);
    if (flags & DCX_INTERSECTRGN) visible.Intersect(extra);
    if (flags & DCX_EXCLUDERGN) visible.Subtract(extra);
  }
  if (flags & (DCX_INTERSECTUPDATE | DCX_EXCLUDEUPDATE)) {
    Region update = w->updateRegion;
    RECT whole = AreaInTop(w, true);
    update.Translate(whole.Left, whole.Top);
    if (flags & DCX_INTERSECTUPDATE) visible.Intersect(update); else visible.Subtract(update);
  }
  Window* top = TopLevelOf(w);
  if (!top || !top->surface) {
    HDC dc = CreateCompatibleDC(nullptr);
    if (dc) gDcs.push_back({dc, w->handle, {}});
    return dc;
  }
  return MakeDc(w, flags, std::move(visible));
}

HDC GetDC(HWND window) { return GetDCEx(window, nullptr, DCX_CACHE | DCX_USESTYLE); }

HDC GetWindowDC(HWND window) { return GetDCEx(window, nullptr, DCX_CACHE | DCX_WINDOW | DCX_USESTYLE); }

HDC GetPaintDC(Window* w, const Region& update) {
  Region visible;
  if (!VisibleRegion(w, DCX_USESTYLE, &visible)) return GetDCEx(w->handle, nullptr, DCX_USESTYLE);
  RECT origin = AreaInTop(w, false);
  Region area = update;
  area.Translate(origin.Left, origin.Top);
  visible.Intersect(area);
  return MakeDc(w, 0, std::move(visible));
}

int ReleaseDC(HWND, HDC dc) {
  auto it = std::find_if(gDcs.begin(), gDcs.end(), [&](const WindowDcRecord& r) { return r.dc == dc; });
  if (it == gDcs.end()) {
    auto screen = std::find_if(gScreenDcs.begin(), gScreenDcs.end(), [&](const ScreenDcRecord& r) { return r.dc == dc; });
    if (screen == gScreenDcs.end()) return DeleteDC(dc);
    HBITMAP bitmap = screen->bitmap;
    gScreenDcs.erase(screen);
    int result = DeleteDC(dc);
    if (bitmap) DeleteObject(bitmap);
    return result;
  }
  WindowDcRecord record = *it;
  gDcs.erase(it);
  DeleteDC(dc);
  Window* w = WindowFromHandle(record.window);
  Window* top = w ? TopLevelOf(w) : nullptr;
  if (top && top->surface && record.bounds.Right > record.bounds.Left && record.bounds.Bottom > record.bounds.Top) {
    RECT& dirty = top->surface->dirty;
    if (dirty.Right <= dirty.Left || dirty.Bottom <= dirty.Top) {
      dirty = record.bounds;
    } else {
      dirty = {std::min(dirty.Left, record.bounds.Left), std::min(dirty.Top, record.bounds.Top),
               std::max(dirty.Right, record.bounds.Right), std::max(dirty.Bottom, record.bounds.Bottom)};
    }
  }
  return 1;
}

HWND WindowFromDC(HDC dc) {
  for (const auto& r : gDcs) {
    if (r.dc == dc) return r.window;
  }
  return nullptr;
}

void ForgetWindowDCs(Window* window) {
  for (auto& r : gDcs) {
    if (r.window == window->handle) r.window = nullptr;
  }
}

BOOL LockWindowUpdate(HWND window) {
  if (window && gLockedWindow && gLockedWindow != window) return FALSE;
  HWND previous = gLockedWindow;
  gLockedWindow = window;
  if (!window && previous) RedrawWindow(previous, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  return TRUE;
}
