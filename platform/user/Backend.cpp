// The window manager's side of the display backend: native windows follow the top-level windows,
// and changed parts of their surfaces are presented when the loop goes idle.

#include "user/Backend.h"

#include <algorithm>
#include <atomic>
#include <thread>

#include "gdi/DeviceContexts.h"
#include "gdi/RegionObject.h"
#include "gdi/SysMetrics.h"
#include "user/VideoSurface.h"
#include "user/WindowInternals.h"

namespace {

NullDisplayBackend gNullBackend;
DisplayBackend* gBackend = nullptr;
// The backend that wants wake-ups (any thread reads it) and the thread whose loop it serves.
std::atomic<DisplayBackend*> gEventBackend{nullptr};
std::thread::id gEventThread;
thread_local bool tPumping = false;

// Menus, hints and drop-downs. Windows with a caption (dialogs, tool windows, message boxes) are
// the user's to activate, move and size, whatever their other styles.
bool IsPopupLike(const Window* w) {
  if (w->exStyle & WS_EX_NOACTIVATE) return true;
  if ((w->style & WS_CAPTION) == WS_CAPTION) return false;
  return (w->exStyle & WS_EX_TOOLWINDOW) || ((w->style & WS_POPUP) && w->owner);
}

void EnsureNative(Window* w) {
  if (w->nativeCreated) return;
  POINT origin = WindowOrigin(w);
  RECT rect = Bounds(origin.X, origin.Y, w->windowRect.Width(), w->windowRect.Height());
  CurrentDisplayBackend().CreateNativeWindow(w->handle, rect, IsPopupLike(w), (w->exStyle & WS_EX_TOPMOST) != 0);
  w->nativeCreated = true;
  if (!w->text.empty()) CurrentDisplayBackend().SetNativeWindowTitle(w->handle, w->text);
  if (w->windowRegion) {
    HRGN region = RegisterRegion(*w->windowRegion);
    CurrentDisplayBackend().SetNativeWindowRegion(w->handle, region);
    DeleteObject(region);
  }
  if (w->exStyle & WS_EX_LAYERED) {
    CurrentDisplayBackend().SetNativeWindowLayering(
        w->handle, (w->layeredFlags & LWA_ALPHA_FLAG) ? w->layeredAlpha : 255,
        (w->layeredFlags & LWA_COLORKEY_FLAG) ? w->layeredKey : 0xFFFFFFFF, w->perPixelAlpha,
        (w->exStyle & WS_EX_TRANSPARENT) != 0);
  }
}

}  // namespace

DisplayBackend& CurrentDisplayBackend() { return gBackend ? *gBackend : gNullBackend; }

void SetDisplayBackend(DisplayBackend* backend) {
  gBackend = backend;
  gEventThread = std::this_thread::get_id();
  gEventBackend = backend && backend->HasEventSource() ? backend : nullptr;
  SIZE size = CurrentDisplayBackend().DisplaySize();
  SetSystemScreenSize(size.cx, size.cy);
  if (Window* desktop = Desktop()) {
    desktop->windowRect = desktop->clientRect = {0, 0, size.cx, size.cy};
    // Windows that already exist get their native windows from the new backend.
    for (Window* t = desktop->firstChild; t; t = t->next) {
      t->nativeCreated = false;
      if (t->Visible()) {
        EnsureNative(t);
        CurrentDisplayBackend().ShowNativeWindow(t->handle, true, false);
        if (t->surface) t->surface->dirty = {0, 0, t->surface->width, t->surface->height};
      }
    }
    NativeStackingChanged();
  }
}

bool PumpNativeEvents() {
  DisplayBackend* backend = gEventBackend.load();
  if (!backend || std::this_thread::get_id() != gEventThread) return false;
  // Events may move windows, whose procedures may peek again: one pump at a time.
  if (tPumping) return true;
  tPumping = true;
  backend->PumpEvents();
  tPumping = false;
  return true;
}

bool WaitNativeEvents(uint64_t timeoutMs) {
  DisplayBackend* backend = gEventBackend.load();
  if (!backend || std::this_thread::get_id() != gEventThread || tPumping) return false;
  backend->WaitEvents(timeoutMs);
  PumpNativeEvents();
  return true;
}

void WakeNativeEventWait() {
  if (DisplayBackend* backend = gEventBackend.load()) backend->Wake();
}

void NativeWindowShown(Window* w, bool activate) {
  // Moves of a hidden window are not passed on: it shows where it stands now.
  if (w->nativeCreated) NativeWindowMoved(w);
  EnsureNative(w);
  CurrentDisplayBackend().ShowNativeWindow(w->handle, true, activate && !(w->exStyle & WS_EX_NOACTIVATE));
  NativeStackingChanged();
}

void NativeWindowHidden(Window* w) {
  if (w->nativeCreated) CurrentDisplayBackend().ShowNativeWindow(w->handle, false, false);
}

void NativeWindowMoved(Window* w) {
  if (!w->nativeCreated) return;
  RECT rect = w->windowRect;
  CurrentDisplayBackend().MoveNativeWindow(w->handle, rect);
}

void NativeWindowDestroyed(Window* w) {
  if (!w->nativeCreated) return;
  w->nativeCreated = false;
  CurrentDisplayBackend().DestroyNativeWindow(w->handle);
}

void NativeWindowTextChanged(Window* w) {
  if (w->nativeCreated) CurrentDisplayBackend().SetNativeWindowTitle(w->handle, w->text);
}

void NativeStackingChanged() {
  std::vector<HWND> order;
  for (Window* t = Desktop()->firstChild; t; t = t->next) {
    if (t->nativeCreated) order.push_back(t->handle);
  }
  CurrentDisplayBackend().RestackNativeWindows(order.data(), order.size());
}

void NativeLayeringChanged(Window* w) {
  if (!w->nativeCreated) return;
  CurrentDisplayBackend().SetNativeWindowLayering(
      w->handle, (w->layeredFlags & LWA_ALPHA_FLAG) ? w->layeredAlpha : 255,
      (w->layeredFlags & LWA_COLORKEY_FLAG) ? w->layeredKey : 0xFFFFFFFF, w->perPixelAlpha,
      (w->exStyle & WS_EX_TRANSPARENT) != 0);
}

void UpdateWindowSurface(Window* w) {
  bool wanted = w->IsTopLevel() && (w->Visible() || w->redrawOff) && !w->destroyed;
  if (!wanted) {
    w->surface.reset();
    return;
  }
  int width = std::max(w->windowRect.Width(), 0);
  int height = std::max(w->windowRect.Height(), 0);
  if (w->surface && w->surface->width == width && w->surface->height == height) return;
  auto surface = std::make_unique<WindowSurface>();
  surface->width = width;
  surface->height = height;
  surface->pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
  if (w->surface) {
    // Keep what fits of the old picture until the repaint covers it.
    int rows = std::min(height, w->surface->height);
    int columns = std::min(width, w->surface->width);
    for (int y = 0; y < rows; ++y) {
      std::copy_n(w->surface->pixels.begin() + static_cast<ptrdiff_t>(y) * w->surface->width, columns,
                  surface->pixels.begin() + static_cast<ptrdiff_t>(y) * width);
    }
  }
  surface->dirty = {0, 0, width, height};
  w->surface = std::move(surface);
}

void PresentDirtySurface(Window* t) {
  WindowSurface* surface = t->surface.get();
  if (!surface || !t->Visible()) return;
  RECT dirty = surface->dirty;
  dirty.Left = std::max(dirty.Left, 0);
  dirty.Top = std::max(dirty.Top, 0);
  dirty.Right = std::min(dirty.Right, surface->width);
  dirty.Bottom = std::min(dirty.Bottom, surface->height);
  if (dirty.Right <= dirty.Left || dirty.Bottom <= dirty.Top) return;
  surface->dirty = {};
  PixelSurface pixels = MakeSurface32(surface->pixels.data(), surface->width, surface->height, surface->width * 4);
  CurrentDisplayBackend().Present(t->handle, pixels, dirty);
}

void PresentDirtySurfaces() {
  Window* desktop = Desktop();
  if (!desktop) return;
  ComposeVideoSurfaces();
  for (Window* t = desktop->firstChild; t; t = t->next) PresentDirtySurface(t);
}

bool GetWindowSurface(HWND window, PixelSurface* surface) {
  Window* w = WindowFromHandle(window);
  if (!w || !w->surface || !surface) return false;
  *surface = MakeSurface32(w->surface->pixels.data(), w->surface->width, w->surface->height, w->surface->width * 4);
  return true;
}
