#pragma once
// The display backend without a display, for tests and CI: a virtual screen on which every
// visible top-level window is composed in z-order (layered windows with their constant alpha,
// colour key or per-pixel alpha, window regions), which can be saved as PNG whole or window by
// window. Input is scripted through backend/ScriptedInput.h; modal dialogs are answered by the
// responder of user/ModalResponder.h.

#include <map>
#include <memory>
#include <vector>

#include "gdi/ImageFiles.h"
#include "gdi/Region.h"
#include "user/Backend.h"

class HeadlessBackend : public DisplayBackend {
 public:
  explicit HeadlessBackend(SIZE screen = {1280, 1024});

  // The screen as a person would see it: the desktop colour, then the windows bottom to top;
  // every pixel opaque.
  PixelImage ComposeScreen() const;
  // One window's surface as it is (opaque), or an empty image for a window without one.
  PixelImage WindowImage(HWND window) const;
  bool SaveScreenPng(const String& fileName) const;
  bool SaveWindowPng(HWND window, const String& fileName) const;

  // What the window manager told it (for tests).
  bool NativeWindowVisible(HWND window) const;
  HCURSOR ShownCursor() const { return FCursorShown ? FCursor : nullptr; }
  int Beeps() const { return FBeeps; }

  SIZE DisplaySize() const override { return FScreen; }
  void CreateNativeWindow(HWND window, const RECT& windowRect, bool popup, bool topmost) override;
  void DestroyNativeWindow(HWND window) override;
  void ShowNativeWindow(HWND window, bool visible, bool activate) override;
  void MoveNativeWindow(HWND window, const RECT& windowRect) override;
  void RestackNativeWindows(const HWND* topFirst, size_t count) override;
  void ActivateNativeWindow(HWND) override {}
  void SetNativeWindowLayering(HWND window, BYTE alpha, COLORREF colorKey, bool perPixelAlpha,
                               bool clickThrough) override;
  void SetNativeWindowRegion(HWND window, HRGN region) override;
  void Present(HWND, const PixelSurface&, const RECT&) override {}
  void CaptureChanged(HWND) override {}
  void CursorPositionSet(POINT) override {}
  void ShowCursorShape(HCURSOR cursor, int systemId, bool shown) override;
  void Beep() override { ++FBeeps; }

 private:
  struct Native {
    RECT rect;
    bool visible = false;
    bool topmost = false;
    BYTE alpha = 255;
    COLORREF colorKey = 0xFFFFFFFF;
    bool perPixelAlpha = false;
    std::unique_ptr<Region> region;  // window coordinates
  };
  void ComposeWindow(HWND window, const Native& native, PixelImage& screen) const;

  SIZE FScreen;
  std::map<HWND, Native> FWindows;
  std::vector<HWND> FOrder;  // top first
  HCURSOR FCursor = nullptr;
  bool FCursorShown = true;
  int FBeeps = 0;
};
