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
