#pragma once
// What the bars' tests share: a recorder of a component list's change events, and a form with a
// bar manager on the headless screen.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include "backend/HeadlessBackend.h"
#include "toolkit/bars/qzBar.h"
#include "user/Messages.h"
#include "user/Painting.h"
#include "user/WindowTree.h"
#include "vcl/Controls.h"
#include "vcl/Forms.h"

struct TChangeLog : TObject {
  std::vector<std::pair<TComponent*, Integer>> changes;
  void Changed(TObject*, TComponent* AComponent, Integer AAction) { changes.emplace_back(AComponent, AAction); }
};

class BarManagerOnForm : public testing::Test {
 protected:
  void SetUp() override {
    SetDisplayBackend(&screen);
    form = new TForm(nullptr, 0);
    manager = new TqzBarManager(form);
  }
  void TearDown() override {
    delete form;
    SetDisplayBackend(nullptr);
  }
  // Delivers what is queued, then paints what it invalidated.
  void Pump() {
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessage(&msg);
    }
    UpdateAllWindows();
  }
  HeadlessBackend screen;
  TForm* form = nullptr;
  TqzBarManager* manager = nullptr;
};

// The bounds, in the window's client coordinates, of the text-dark pixels that a window shows inside
// the client rectangle R; empty when there are none.
inline TRect InkBounds(const HeadlessBackend& AScreen, TWinControl* AWindow, const TRect& R) {
  // Child windows draw into their top-level window's surface.
  HWND root = GetAncestor(AWindow->GetHandle(), GA_ROOT);
  PixelImage image = AScreen.WindowImage(root);
  RECT window;
  GetWindowRect(root, &window);
  TPoint origin = AWindow->ClientToScreen(TPoint(0, 0));
  Integer dx = origin.X - window.Left, dy = origin.Y - window.Top;
  TRect ink(R.Right, R.Bottom, R.Left, R.Top);
  for (Integer y = R.Top; y < R.Bottom; ++y)
    for (Integer x = R.Left; x < R.Right; ++x) {
      Integer ix = x + dx, iy = y + dy;
      if (ix < 0 || iy < 0 || ix >= image.width || iy >= image.height) continue;
      uint32_t p = image.pixels[static_cast<size_t>(iy) * image.width + ix];
      if (((p >> 16) & 0xFF) >= 0x60 || ((p >> 8) & 0xFF) >= 0x60 || (p & 0xFF) >= 0x60) continue;
      ink = TRect(std::min(ink.Left, x), std::min(ink.Top, y), std::max(ink.Right, x + 1), std::max(ink.Bottom, y + 1));
    }
  return ink.Left < ink.Right ? ink : TRect();
}
