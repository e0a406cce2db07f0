#include <algorithm>
#include <utility>
#include <vector>

#include "UserTestSupport.h"
#include "gdi/Gdi.h"

using Painting = UserTest;

namespace {

// The pixel of a top-level window's surface at window coordinates, as 0x00RRGGBB.
uint32_t SurfacePixel(HWND top, int x, int y) {
  PixelSurface surface;
  if (!GetWindowSurface(top, &surface)) return 0xDEADBEEF;
  return surface.Row32(y)[x] & 0x00FFFFFF;
}

uint32_t SurfaceValue(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }

Handler FillOnPaint(COLORREF colour) {
  return [colour](HWND h, UINT m, WPARAM, LPARAM, LRESULT*) {
    if (m != WM_PAINT) return false;
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(h, &ps);
    RECT all{0, 0, 1000, 1000};
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &all, brush);
    DeleteObject(brush);
    EndPaint(h, &ps);
    return true;
  };
}

}  // namespace

TEST_F(Painting, IdleTimePaintGoesParentsFirstWithFrameAndBackgroundBeforeClient) {
  HWND top = Create(WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, Bounds(0, 0, 200, 200));
  HWND a = Create(WS_CHILD | WS_VISIBLE | WS_BORDER, Bounds(10, 10, 50, 50), top);
  HWND b = Create(WS_CHILD | WS_VISIBLE, Bounds(100, 10, 50, 50), top);
  HWND inner = Create(WS_CHILD | WS_VISIBLE, Bounds(5, 5, 10, 10), a);
  Pump();
  log.clear();
  RedrawWindow(top, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  Pump();
  std::vector<std::pair<HWND, UINT>> order;
  for (const Recorded& r : log) {
    if (r.message == WM_PAINT || r.message == WM_NCPAINT || r.message == WM_ERASEBKGND) {
      order.push_back({r.window, r.message});
    }
  }
  EXPECT_EQ(order, (std::vector<std::pair<HWND, UINT>>{{top, WM_PAINT}, {top, WM_ERASEBKGND},
                                                       {a, WM_PAINT}, {a, WM_NCPAINT}, {a, WM_ERASEBKGND},
                                                       {inner, WM_PAINT}, {inner, WM_ERASEBKGND},
                                                       {b, WM_PAINT}, {b, WM_ERASEBKGND}}));
  // Nothing is left to paint.
  log.clear();
  Pump();
  EXPECT_TRUE(Messages(nullptr, {WM_PAINT}).empty());
}

// Each WM_PAINT goes to the first window in paint order that needs it, also when a window's own
// WM_PAINT makes one before it dirty again.
TEST_F(Painting, WindowMadeDirtyWhilePaintingIsPaintedBeforeTheWindowsAfterIt) {
  HWND top = Create(WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, Bounds(0, 0, 200, 200));
  HWND a = Create(WS_CHILD | WS_VISIBLE, Bounds(0, 0, 50, 50), top);
  HWND b = Create(WS_CHILD | WS_VISIBLE, Bounds(60, 0, 50, 50), top);
  HWND c = Create(WS_CHILD | WS_VISIBLE, Bounds(120, 0, 50, 50), top);
  Pump();
  bool again = true;
  handlers[b] = [&](HWND h, UINT m, WPARAM, LPARAM, LRESULT*) {
    if (m != WM_PAINT) return false;
    PAINTSTRUCT ps;
    BeginPaint(h, &ps);
    EndPaint(h, &ps);
    if (std::exchange(again, false)) InvalidateRect(a, nullptr, TRUE);
    return true;
  };
  log.clear();
  RedrawWindow(top, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
  Pump();
  std::vector<HWND> painted;
  for (const Recorded& r : log) {
    if (r.message == WM_PAINT) painted.push_back(r.window);
  }
  EXPECT_EQ(painted, (std::vector<HWND>{top, a, b, a, c}));
}

TEST_F(Painting, ChildWithARegionIsClippedToItAndClipChildrenKeepsParentOff) {
  HWND top = Create(WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, Bounds(0, 0, 100, 100));
  HWND child = Create(WS_CHILD | WS_VISIBLE, Bounds(20, 20, 40, 40), top);
  SetWindowRgn(child, CreateEllipticRgn(0, 0, 40, 40), FALSE);
  handlers[top] = FillOnPaint(RGB(0, 0, 255));
  handlers[child] = FillOnPaint(RGB(255, 0, 0));
  RedrawWindow(top, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
  Pump();
  EXPECT_EQ(SurfacePixel(top, 40, 40), 0xFF0000u);  // inside the ellipse
  EXPECT_EQ(SurfacePixel(top, 21, 21), 0x0000FFu);  // corner of the rectangle, outside the ellipse
  EXPECT_EQ(SurfacePixel(top, 5, 5), 0x0000FFu);
  // Repainting only the parent leaves the child's pixels alone.
  InvalidateRect(top, nullptr, TRUE);
  Pump();
  EXPECT_EQ(SurfacePixel(top, 40, 40), 0xFF0000u);
}

// Overlapping siblings with and without WS_CLIPSIBLINGS, a shaped sibling, and a grandchild clipped
// by its parent's client area and by its parent's siblings, checked after a full paint, after the
// parent alone repaints (WS_CLIPCHILDREN keeps it off every child) and after one child alone does.
TEST_F(Painting, SiblingsAndChildrenClipEachOtherAsTheirStylesSay) {
  constexpr COLORREF kBlue = RGB(0, 0, 255), kWhite = RGB(255, 255, 255), kRed = RGB(255, 0, 0),
                     kYellow = RGB(255, 255, 0), kGreen = RGB(0, 255, 0), kDarkGreen = RGB(0, 128, 0),
                     kCyan = RGB(0, 255, 255), kMagenta = RGB(255, 0, 255);
  HWND top = Create(WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, Bounds(0, 0, 200, 200));
  // Created first, so highest in z-order.
  HWND upper = Create(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, Bounds(20, 20, 60, 60), top);
  HWND shaped = Create(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, Bounds(100, 20, 40, 40), top);
  SetWindowRgn(shaped, CreateEllipticRgn(0, 0, 40, 40), FALSE);
  HWND lower = Create(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, Bounds(60, 40, 80, 60), top);
  HWND inner = Create(WS_CHILD | WS_VISIBLE, Bounds(-10, 30, 30, 20), lower);
  HWND bare = Create(WS_CHILD | WS_VISIBLE, Bounds(10, 10, 20, 20), top);
  handlers[top] = FillOnPaint(kBlue);
  handlers[upper] = FillOnPaint(kRed);
  handlers[shaped] = FillOnPaint(kYellow);
  handlers[lower] = FillOnPaint(kGreen);
  handlers[inner] = FillOnPaint(kMagenta);
  handlers[bare] = FillOnPaint(kCyan);
  RedrawWindow(top, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  Pump();

  struct Probe {
    int x, y;
    COLORREF afterAll, afterParent, afterLower;
  };
  const Probe probes[] = {
      {5, 5, kBlue, kWhite, kWhite},          // the parent only
      {25, 25, kCyan, kCyan, kCyan},          // under `upper`, but `bare` does not clip siblings
      {40, 40, kRed, kRed, kRed},
      {70, 50, kRed, kRed, kRed},             // `lower` is clipped by `upper` above it
      {120, 50, kYellow, kYellow, kYellow},   // inside the ellipse over `lower`
      {102, 58, kGreen, kGreen, kDarkGreen},  // outside the ellipse: `lower` shows
      {130, 90, kGreen, kGreen, kDarkGreen},
      {55, 85, kBlue, kWhite, kWhite},        // `inner` outside its parent's client area
      {65, 75, kRed, kRed, kRed},             // `inner` under its parent's sibling
      {75, 85, kMagenta, kMagenta, kMagenta},
  };
  auto expect = [&](COLORREF Probe::*stage, const char* what) {
    for (const Probe& p : probes) {
      EXPECT_EQ(SurfacePixel(top, p.x, p.y), SurfaceValue(p.*stage)) << what << " at " << p.x << "," << p.y;
    }
  };
  expect(&Probe::afterAll, "full paint");
  handlers[top] = FillOnPaint(kWhite);
  InvalidateRect(top, nullptr, TRUE);
  Pump();
  expect(&Probe::afterParent, "parent alone");
  handlers[lower] = FillOnPaint(kDarkGreen);
  RedrawWindow(lower, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  expect(&Probe::afterLower, "one child alone");
}

// What a sibling hides of another follows every way it can move, restack, show or hide.
TEST_F(Painting, SiblingClippingFollowsMovesRestackingAndVisibility) {
  HWND top = Create(WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, Bounds(0, 0, 200, 200));
  HWND upper = Create(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, Bounds(130, 130, 60, 60), top);
  HWND lower = Create(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, Bounds(50, 50, 60, 60), top);
  handlers[upper] = FillOnPaint(RGB(255, 0, 0));
  Pump();
  auto restyle = [&](bool visible) {
    DWORD style = static_cast<DWORD>(GetWindowLong(upper, GWL_STYLE));
    SetWindowLong(upper, GWL_STYLE, static_cast<LONG>(visible ? style | WS_VISIBLE : style & ~WS_VISIBLE));
    InvalidateRect(upper, nullptr, TRUE);
  };
  auto redraw = [&](BOOL on) {
    SendMessage(upper, WM_SETREDRAW, on, 0);
    InvalidateRect(upper, nullptr, TRUE);
  };
  constexpr UINT kPlace = SWP_NOACTIVATE | SWP_NOSIZE;
  struct Step {
    const char* what;
    std::function<void()> action;
    bool upperShows;  // at (60, 60), where the two overlap
  };
  // Each step first lets the clipping be worked out in one state, then changes it.
  const Step steps[] = {
      {"apart", [] {}, false},
      {"upper moved over lower", [&] { SetWindowPos(upper, nullptr, 20, 20, 0, 0, kPlace | SWP_NOZORDER); }, true},
      {"lower to the top", [&] { SetWindowPos(lower, HWND_TOP, 0, 0, 0, 0, kPlace | SWP_NOMOVE); }, false},
      {"lower to the bottom", [&] { SetWindowPos(lower, HWND_BOTTOM, 0, 0, 0, 0, kPlace | SWP_NOMOVE); }, true},
      {"upper hidden", [&] { ShowWindow(upper, SW_HIDE); }, false},
      {"visible bit given back", [&] { restyle(true); }, true},
      {"visible bit taken away", [&] { restyle(false); }, false},
      {"upper shown", [&] { ShowWindow(upper, SW_SHOWNA); }, true},
      {"redraw off", [&] { redraw(FALSE); }, false},
      {"redraw on", [&] { redraw(TRUE); }, true},
      {"upper moved away", [&] { SetWindowPos(upper, nullptr, 130, 130, 0, 0, kPlace | SWP_NOZORDER); }, false},
  };
  BYTE shade = 0;
  for (const Step& step : steps) {
    step.action();
    Pump();
    // Only `lower` repaints, each time in a new colour.
    COLORREF colour = RGB(0, ++shade * 20, 0);
    handlers[lower] = FillOnPaint(colour);
    RedrawWindow(lower, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(SurfacePixel(top, 60, 60), step.upperShows ? 0xFF0000u : SurfaceValue(colour)) << step.what;
    EXPECT_EQ(SurfacePixel(top, 100, 100), SurfaceValue(colour)) << step.what;
  }
}

TEST_F(Painting, ValidateAndUpdateRegions) {
  HWND top = Create(WS_POPUP | WS_VISIBLE, Bounds(0, 0, 100, 100));
  Pump();
  RECT r{10, 10, 20, 20};
  InvalidateRect(top, &r, FALSE);
  RECT update;
  EXPECT_TRUE(GetUpdateRect(top, &update, FALSE));
  EXPECT_EQ(update, r);
  ValidateRect(top, nullptr);
  EXPECT_FALSE(GetUpdateRect(top, &update, FALSE));
  log.clear();
  InvalidateRect(top, &r, TRUE);
  UpdateWindow(top);
  EXPECT_EQ(Messages(top, {WM_PAINT, WM_ERASEBKGND}), (std::vector<UINT>{WM_PAINT, WM_ERASEBKGND}));
  PAINTSTRUCT ps{};
  handlers[top] = [&](HWND h, UINT m, WPARAM, LPARAM, LRESULT*) {
    if (m == WM_ERASEBKGND) return true;  // answers 0: the background is left for WM_PAINT
    if (m != WM_PAINT) return false;
    BeginPaint(h, &ps);
    EndPaint(h, &ps);
    return true;
  };
  InvalidateRect(top, &r, TRUE);
  Pump();
  EXPECT_TRUE(ps.fErase);
  EXPECT_EQ(ps.rcPaint, r);
}

TEST_F(Painting, SetRedrawFalseStopsPaintingUntilTurnedBackOn) {
  HWND top = Create(WS_POPUP | WS_VISIBLE, Bounds(0, 0, 100, 100));
  Pump();
  SendMessage(top, WM_SETREDRAW, FALSE, 0);
  InvalidateRect(top, nullptr, TRUE);
  log.clear();
  Pump();
  EXPECT_TRUE(Messages(top, {WM_PAINT}).empty());
  SendMessage(top, WM_SETREDRAW, TRUE, 0);
  EXPECT_TRUE(IsWindowVisible(top));
  RedrawWindow(top, nullptr, nullptr, RDW_INVALIDATE);
  Pump();
  EXPECT_EQ(Messages(top, {WM_PAINT}).size(), 1u);
}

TEST_F(Painting, ScrollWindowMovesPixelsAndInvalidatesTheUncoveredStrip) {
  HWND top = Create(WS_POPUP | WS_VISIBLE, Bounds(0, 0, 100, 100));
  handlers[top] = FillOnPaint(RGB(0, 255, 0));
  Pump();
  HDC dc = GetDC(top);
  RECT mark{0, 0, 10, 10};
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  FillRect(dc, &mark, red);
  DeleteObject(red);
  ReleaseDC(top, dc);
  RECT uncovered;
  ScrollWindowEx(top, 0, 20, nullptr, nullptr, nullptr, &uncovered, SW_INVALIDATE);
  EXPECT_EQ(uncovered, Rect(0, 0, 100, 20));
  EXPECT_EQ(SurfacePixel(top, 5, 25), 0xFF0000u);
  RECT update;
  GetUpdateRect(top, &update, FALSE);
  EXPECT_EQ(update, Rect(0, 0, 100, 20));
}

// Off-screen buffers are made compatible with the screen DC: they must have the screen's 32 bits
// per pixel, not the single bit of a bare memory DC.
TEST_F(Painting, ScreenDcMakesBitmapsOfTheScreensDepth) {
  HDC screen = GetDC(nullptr);
  ASSERT_NE(screen, nullptr);
  HBITMAP buffer = CreateCompatibleBitmap(screen, 8, 4);
  BITMAP info{};
  ASSERT_NE(GetObject(buffer, sizeof info, &info), 0);
  EXPECT_EQ(info.bmBitsPixel, 32);
  EXPECT_EQ(GetDeviceCaps(screen, BITSPIXEL), 32);
  DeleteObject(buffer);
  EXPECT_NE(ReleaseDC(nullptr, screen), 0);
}

namespace {

// Notes which top-level windows reached the screen, in order.
class PresentLog : public NullDisplayBackend {
 public:
  std::vector<HWND> presented;
  void Present(HWND window, const PixelSurface&, const RECT&) override { presented.push_back(window); }
};

}  // namespace

// A layered window's new picture shows at once, but a window shown just before it and not yet
// painted is not put on the screen unpainted: it shows once it has painted.
TEST_F(Painting, LayeredUpdateShowsOnlyItsOwnWindow) {
  PresentLog screen;
  DisplayBackend* previous = &CurrentDisplayBackend();
  SetDisplayBackend(&screen);
  HWND menu = Create(WS_POPUP, {10, 10, 110, 210});
  handlers[menu] = FillOnPaint(RGB(0, 0, 255));
  HWND shadow = Create(WS_POPUP, {110, 14, 114, 214}, nullptr, WS_EX_LAYERED);
  ShowWindow(menu, SW_SHOWNOACTIVATE);
  ShowWindow(shadow, SW_SHOWNOACTIVATE);
  screen.presented.clear();
  HDC source = CreateCompatibleDC(nullptr);
  HBITMAP picture = CreateCompatibleBitmap(source, 4, 200);
  HGDIOBJ old = SelectObject(source, picture);
  POINT origin{0, 0};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 128, 0};
  ASSERT_TRUE(UpdateLayeredWindow(shadow, nullptr, nullptr, nullptr, source, &origin, 0, &blend, ULW_ALPHA));
  EXPECT_EQ(screen.presented, std::vector<HWND>{shadow});
  Pump();
  EXPECT_EQ(std::count(screen.presented.begin(), screen.presented.end(), menu), 1);
  EXPECT_EQ(SurfacePixel(menu, 50, 50), 0x0000FFu);
  SelectObject(source, old);
  DeleteObject(picture);
  DeleteDC(source);
  SetDisplayBackend(previous);
}
