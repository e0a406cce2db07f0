#pragma once
// The display backend on SDL2: one borderless native window per visible top-level window, showing
// its surface. Our code draws every frame and answers WM_NCHITTEST; SDL's hit-test callback asks
// it, so the desktop moves and sizes the windows by their captions and borders (windows with a
// sizing frame are resizable natively, within what WM_GETMINMAXINFO allows). Popups (menus,
// hints, windows that must not be activated) are made as popup-menu windows outside the task bar
// and never take the focus. Events become the window manager's input (user/InputEvents.h); the
// message loop waits in SDL, and any queue that gets a message wakes it with an event of ours.
// The desktop's request to quit (SIGTERM, SIGINT, a session ending) closes the program's main
// windows as their close buttons would.
// Not shown: colour keys and window regions of native windows (SDL2 shapes only windows made as
// shaped windows); such windows show their whole rectangle.

#include <SDL.h>

#include <atomic>
#include <map>
#include <memory>

#include "user/Backend.h"

class SdlBackend : public DisplayBackend {
 public:
  // Null when SDL's video cannot start (no display).
  static std::unique_ptr<SdlBackend> Create();
  ~SdlBackend() override;

  SIZE DisplaySize() const override;
  RECT WorkArea() const override;
  void CreateNativeWindow(HWND window, const RECT& windowRect, bool popup, bool topmost) override;
  void DestroyNativeWindow(HWND window) override;
  void ShowNativeWindow(HWND window, bool visible, bool activate) override;
  void MoveNativeWindow(HWND window, const RECT& windowRect) override;
  void RestackNativeWindows(const HWND* topFirst, size_t count) override;
  void ActivateNativeWindow(HWND window) override;
  void SetNativeWindowLayering(HWND window, BYTE alpha, COLORREF colorKey, bool perPixelAlpha,
                               bool clickThrough) override;
  void SetNativeWindowRegion(HWND, HRGN) override {}
  void SetNativeWindowTitle(HWND window, const String& title) override;
  void Present(HWND window, const PixelSurface& surface, const RECT& dirty) override;
  void CaptureChanged(HWND captureWindow) override;
  void CursorPositionSet(POINT screenPoint) override;

  bool HasEventSource() const override { return true; }
  void PumpEvents() override;
  void WaitEvents(uint64_t timeoutMs) override;
  void Wake() override;

  void ShowCursorShape(HCURSOR cursor, int systemId, bool shown) override;
  bool SetClipboardText(const String& text) override;
  bool GetClipboardText(String* text) override;

 private:
  SdlBackend() = default;
  struct Native {
    SDL_Window* window = nullptr;
    RECT rect;
    bool popup = false;
    bool resizable = false;
  };
  void Handle(const SDL_Event& event);
  void HandleWindowEvent(const SDL_WindowEvent& event);
  void HandleKey(const SDL_KeyboardEvent& event);
  void HandleQuit();
  void ApplySizeLimits(HWND window, const Native& native);
  bool FocusNative(HWND window);
  HWND HandleOf(Uint32 windowId) const;
  POINT ToScreen(Uint32 windowId, int x, int y) const;

  std::map<HWND, Native> FWindows;
  Uint32 FWakeEvent = 0;
  std::atomic<bool> FWakePending{false};
  std::map<int, SDL_Cursor*> FCursors;
  bool FFocusLost = false;
  // The last window of ours that is not a popup to have had the keyboard focus.
  HWND FFocusWindow = nullptr;
  // The window a popup handed the focus back to, until it has it again.
  HWND FFocusReturning = nullptr;
  // A window of ours that had the keyboard focus was hidden or destroyed.
  bool FFocusHandBack = false;
};
