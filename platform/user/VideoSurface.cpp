// Frame slots per window: the engine thread fills `incoming`, the user-interface thread moves it
// to `shown` and draws `shown` into the window's part of its top-level surface.

#include "user/VideoSurface.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <mutex>
#include <vector>

#include "user/MessageNumbers.h"
#include "user/Messages.h"
#include "user/Painting.h"
#include "user/WindowDC.h"
#include "user/WindowInternals.h"

namespace {

struct Frame {
  std::vector<uint32_t> pixels;
  int width = 0;
  int height = 0;
};

struct Slot {
  Frame incoming;
  bool pending = false;  // incoming holds a frame not yet shown
  Frame shown;           // user-interface thread only
};

std::mutex gMutex;
std::map<HWND, Slot> gSlots;

RECT Unite(const RECT& a, const RECT& b) {
  if (a.Right <= a.Left || a.Bottom <= a.Top) return b;
  return {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right), std::max(a.Bottom, b.Bottom)};
}

bool Overlap(const RECT& a, const RECT& b) {
  return std::max(a.Left, b.Left) < std::min(a.Right, b.Right) && std::max(a.Top, b.Top) < std::min(a.Bottom, b.Bottom);
}

// Scales the frame (nearest pixel) onto the client area `target` of the surface, inside `visible`.
void Draw(const Frame& frame, WindowSurface& surface, const RECT& target, const Region& visible) {
  int width = target.Width();
  int height = target.Height();
  if (width <= 0 || height <= 0 || frame.width <= 0 || frame.height <= 0) return;
  std::vector<int> sourceX(static_cast<size_t>(width));
  for (int x = 0; x < width; ++x) {
    sourceX[x] = static_cast<int>(static_cast<int64_t>(x) * frame.width / width);
  }
  for (const pixman_box32_t& box : visible.Rects()) {
    int left = std::max(box.x1, 0), right = std::min(box.x2, surface.width);
    int top = std::max(box.y1, 0), bottom = std::min(box.y2, surface.height);
    for (int y = top; y < bottom; ++y) {
      int sy = static_cast<int>(static_cast<int64_t>(y - target.Top) * frame.height / height);
      const uint32_t* source = frame.pixels.data() + static_cast<size_t>(sy) * frame.width;
      uint32_t* row = surface.pixels.data() + static_cast<size_t>(y) * surface.width;
      // GDI's alpha byte (0), as everything else painted on the surface.
      for (int x = left; x < right; ++x) row[x] = source[sourceX[x - target.Left]] & 0x00FFFFFF;
    }
  }
  surface.dirty = Unite(surface.dirty, visible.Bounds());
}

}  // namespace

BOOL VideoSurfaceShowFrame(HWND window, const void* pixels, int width, int height, int stride) {
  if (!pixels || width <= 0 || height <= 0 || stride < static_cast<int64_t>(width) * 4 || width > 16384 ||
      height > 16384) {
    return FALSE;
  }
  bool wake;
  {
    std::lock_guard<std::mutex> lock(gMutex);
    Slot& slot = gSlots[window];
    slot.incoming.width = width;
    slot.incoming.height = height;
    slot.incoming.pixels.resize(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
      std::memcpy(slot.incoming.pixels.data() + static_cast<size_t>(y) * width,
                  static_cast<const uint8_t*>(pixels) + static_cast<ptrdiff_t>(y) * stride, static_cast<size_t>(width) * 4);
    }
    wake = !slot.pending;
    slot.pending = true;
  }
  // One wake-up per frame shown: the loop presents when it goes idle after it.
  if (wake && !PostMessage(window, WM_NULL, 0, 0)) {
    std::lock_guard<std::mutex> lock(gMutex);
    gSlots.erase(window);
    return FALSE;
  }
  return TRUE;
}

void VideoSurfaceClear(HWND window) {
  std::lock_guard<std::mutex> lock(gMutex);
  gSlots.erase(window);
}

void ComposeVideoSurfaces() {
  std::lock_guard<std::mutex> lock(gMutex);
  for (auto it = gSlots.begin(); it != gSlots.end();) {
    Window* w = WindowFromHandle(it->first);
    if (!w) {
      it = gSlots.erase(it);
      continue;
    }
    Slot& slot = it->second;
    bool fresh = slot.pending;
    if (slot.pending) {
      std::swap(slot.shown, slot.incoming);
      slot.pending = false;
    }
    ++it;
    Window* top = TopLevelOf(w);
    if (!top || !top->surface || !IsReallyVisible(w) || slot.shown.pixels.empty()) continue;
    POINT client = ClientOrigin(w);
    POINT origin = WindowOrigin(top);
    RECT target = Bounds(client.X - origin.X, client.Y - origin.Y, w->clientRect.Width(), w->clientRect.Height());
    // Drawn when a new frame came, or when the window's own painting went over the last one.
    if (!fresh && !Overlap(top->surface->dirty, target)) continue;
    Region visible;
    if (!VisibleRegion(w, DCX_CLIPCHILDREN | DCX_CLIPSIBLINGS, &visible)) continue;
    visible.Intersect(target);
    Draw(slot.shown, *top->surface, target, visible);
  }
}

void VideoSurfaceEnd() {
  std::lock_guard<std::mutex> lock(gMutex);
  gSlots.clear();
}
