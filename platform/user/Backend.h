#pragma once
// What the window manager asks of a display backend. The backend shows each visible top-level
// window's surface; it is told when native windows come, go, move and change, and which part of a
// surface changed. Input comes back through user/InputEvents.h. A null backend (the default) shows
// nothing: the window manager works the same without a display.

#include <cstdint>

#include "gdi/PixelSurface.h"
#include "rtl/Types.h"
#include "rtl/WinTypes.h"

class DisplayBackend {
 public:
  virtual ~DisplayBackend() = default;

  // The screen (work area = whole screen unless the backend knows better).
  virtual SIZE DisplaySize() const = 0;
  virtual RECT WorkArea() const { SIZE s = DisplaySize(); return {0, 0, s.cx, s.cy}; }

  // A top-level window got a native window (windowRect in screen coordinates). popup: it must
  // never take the focus (WS_EX_NOACTIVATE, tool tips and menus); topmost: stays above others.
  virtual void CreateNativeWindow(HWND window, const RECT& windowRect, bool popup, bool topmost) = 0;
  virtual void DestroyNativeWindow(HWND window) = 0;
  virtual void ShowNativeWindow(HWND window, bool visible, bool activate) = 0;
  virtual void MoveNativeWindow(HWND window, const RECT& windowRect) = 0;
  // Stacking of the native windows, top first.
  virtual void RestackNativeWindows(const HWND* topFirst, size_t count) = 0;
  virtual void ActivateNativeWindow(HWND window) = 0;
  // Constant alpha (255 opaque) and colour key (CLR_INVALID: none) of a layered window;
  // clickThrough: WS_EX_TRANSPARENT with WS_EX_LAYERED.
  virtual void SetNativeWindowLayering(HWND window, BYTE alpha, COLORREF colorKey, bool perPixelAlpha,
                                       bool clickThrough) = 0;
  virtual void SetNativeWindowRegion(HWND window, HRGN region) = 0;  // window coordinates, or null
  // The window's text, for task bars and window lists (UTF-8).
  virtual void SetNativeWindowTitle(HWND /*window*/, const String& /*title*/) {}

  // dirty (window coordinates) of surface changed; the surface is the whole window.
  virtual void Present(HWND window, const PixelSurface& surface, const RECT& dirty) = 0;

  virtual void CaptureChanged(HWND captureWindow) = 0;
  virtual void CursorPositionSet(POINT screenPoint) = 0;

  // A backend with native events of its own. The message loop of the thread that installed the
  // backend calls PumpEvents before it looks into its queue (the backend hands what arrived to
  // user/InputEvents.h) and, when idle, WaitEvents instead of its own wait; Wake, called from any
  // thread whenever a queue gets something, must end that wait.
  virtual bool HasEventSource() const { return false; }
  virtual void PumpEvents() {}
  virtual void WaitEvents(uint64_t /*timeoutMs: UINT64_MAX waits for ever*/) {}
  virtual void Wake() {}

  // The cursor to show (systemId: the IDC_ number of a system cursor, 0 for a cursor of our own);
  // shown false hides it (ShowCursor count below zero).
  virtual void ShowCursorShape(HCURSOR /*cursor*/, int /*systemId*/, bool /*shown*/) {}
  // The desktop's clipboard text; false when the backend has none (the clipboard stays in-process).
  virtual bool SetClipboardText(const String& /*text*/) { return false; }
  virtual bool GetClipboardText(String* /*text*/) { return false; }
  virtual void Beep() {}
};

// The backend in use (never null: the null backend until one is installed). SetDisplayBackend
// does not take ownership; pass nullptr to go back to the null backend.
DisplayBackend& CurrentDisplayBackend();
void SetDisplayBackend(DisplayBackend* backend);

// For the message loop: native events of the installed backend, when it has them and this is the
// thread that installed it.
bool PumpNativeEvents();
// Waits for native events or a wake-up; false (without waiting) when there is no native source here.
bool WaitNativeEvents(uint64_t timeoutMs);
// Any thread: a queue got something.
void WakeNativeEventWait();

// A backend that shows nothing, with a screen of 1280 x 1024.
class NullDisplayBackend : public DisplayBackend {
 public:
  SIZE DisplaySize() const override { return {1280, 1024}; }
  void CreateNativeWindow(HWND, const RECT&, bool, bool) override {}
  void DestroyNativeWindow(HWND) override {}
  void ShowNativeWindow(HWND, bool, bool) override {}
  void MoveNativeWindow(HWND, const RECT&) override {}
  void RestackNativeWindows(const HWND*, size_t) override {}
  void ActivateNativeWindow(HWND) override {}
  void SetNativeWindowLayering(HWND, BYTE, COLORREF, bool, bool) override {}
  void SetNativeWindowRegion(HWND, HRGN) override {}
  void Present(HWND, const PixelSurface&, const RECT&) override {}
  void CaptureChanged(HWND) override {}
  void CursorPositionSet(POINT) override {}
};

// The current surface of a visible top-level window (for a backend that composes the screen
// itself); false for other windows.
bool GetWindowSurface(HWND window, PixelSurface* surface);
