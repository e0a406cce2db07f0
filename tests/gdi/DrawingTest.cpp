#include <gtest/gtest.h>

#include "PixelCanvas.h"

namespace {

struct FillCase {
  const char* name;
  RECT rect;
  POINT windowOrg;
  RECT clip;  // device coordinates; empty means none
  Rows expected;
};

TEST(Drawing, FillRectCoversItsPixelsWithOriginsAndClip) {
  const FillCase cases[] = {
      {"right and bottom excluded", {1, 1, 4, 3}, {0, 0}, {}, {".....", ".###.", ".###.", ".....", "....."}},
      {"inverted is empty", {4, 1, 1, 3}, {0, 0}, {}, {".....", ".....", ".....", ".....", "....."}},
      {"window origin moves it", {1, 1, 3, 3}, {1, -1}, {}, {".....", ".....", "##...", "##...", "....."}},
      {"clip cuts it", {0, 0, 5, 5}, {0, 0}, {1, 1, 3, 4}, {".....", ".##..", ".##..", ".##..", "....."}},
      {"outside the surface", {-3, -3, 2, 1}, {0, 0}, {}, {"##...", ".....", ".....", ".....", "....."}},
  };
  for (const FillCase& c : cases) {
    SCOPED_TRACE(c.name);
    PixelCanvas canvas(5, 5);
    SetWindowOrgEx(canvas.dc(), c.windowOrg.X, c.windowOrg.Y, nullptr);
    if (c.clip.Right > c.clip.Left) {
      HRGN clip = CreateRectRgnIndirect(&c.clip);
      SelectClipRgn(canvas.dc(), clip);
      DeleteObject(clip);
    }
    FillRect(canvas.dc(), &c.rect, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    EXPECT_EQ(canvas.Map(), c.expected);
  }
}

TEST(Drawing, FillRectAcceptsSystemColourIndexPlusOne) {
  PixelCanvas canvas(2, 1);
  const RECT r{0, 0, 2, 1};
  FillRect(canvas.dc(), &r, reinterpret_cast<HBRUSH>(static_cast<uintptr_t>(COLOR_BTNFACE + 1)));
  EXPECT_EQ(canvas.At(1, 0), GetSysColor(COLOR_BTNFACE));
}

TEST(Drawing, SolidColoursLeaveAZeroAlphaByte) {
  PixelCanvas canvas(2, 1);
  canvas.SetRaw(0, 0, 0xFF123456);
  const RECT r{0, 0, 2, 1};
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  FillRect(canvas.dc(), &r, red);
  DeleteObject(red);
  EXPECT_EQ(canvas.Raw(0, 0), 0x00FF0000u);
}

TEST(Drawing, FrameRectInvertRectAndFocusRect) {
  PixelCanvas canvas(5, 4);
  const RECT r{0, 0, 5, 4};
  FrameRect(canvas.dc(), &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  EXPECT_EQ(canvas.Map(), (Rows{"#####", "#...#", "#...#", "#####"}));
  InvertRect(canvas.dc(), &r);
  EXPECT_EQ(canvas.Map(), (Rows{".....", ".###.", ".###.", "....."}));

  PixelCanvas focus(6, 4);
  DrawFocusRect(focus.dc(), &r);
  EXPECT_EQ(focus.Map(), (Rows{"#.#.#.", "......", "#...#.", ".#.#.."}));
  DrawFocusRect(focus.dc(), &r);
  EXPECT_EQ(focus.CountOf(RGB(255, 255, 255)), 24);
}

TEST(Drawing, LineToLeavesOutItsEndPoint) {
  struct Case {
    POINT from, to;
    Rows expected;
  };
  const Case cases[] = {
      {{0, 1}, {4, 1}, {".....", "####.", ".....", "....."}},
      {{4, 2}, {0, 2}, {".....", ".....", ".####", "....."}},
      {{1, 0}, {1, 3}, {".#...", ".#...", ".#...", "....."}},
      {{0, 0}, {3, 3}, {"#....", ".#...", "..#..", "....."}},
      {{2, 2}, {2, 2}, {".....", ".....", ".....", "....."}},
  };
  for (const Case& c : cases) {
    PixelCanvas canvas(5, 4);
    MoveToEx(canvas.dc(), c.from.X, c.from.Y, nullptr);
    LineTo(canvas.dc(), c.to.X, c.to.Y);
    EXPECT_EQ(canvas.Map(), c.expected);
    POINT at;
    GetCurrentPositionEx(canvas.dc(), &at);
    EXPECT_EQ(at, c.to);
  }
}

TEST(Drawing, XorPenTwiceRestoresThePixels) {
  PixelCanvas canvas(6, 6, RGB(10, 200, 30));
  HPEN pen = CreatePen(PS_SOLID, 3, RGB(255, 255, 255));
  HGDIOBJ old = SelectObject(canvas.dc(), pen);
  SetROP2(canvas.dc(), R2_XORPEN);
  const POINT path[3] = {{1, 1}, {4, 1}, {4, 4}};
  Polyline(canvas.dc(), path, 3);
  EXPECT_EQ(canvas.At(2, 1), RGB(245, 55, 225));
  Polyline(canvas.dc(), path, 3);
  EXPECT_EQ(canvas.CountOf(RGB(10, 200, 30)), 36);
  SelectObject(canvas.dc(), old);
  DeleteObject(pen);
}

TEST(Drawing, DashedPenAlternatesWithBackgroundWhenOpaque) {
  PixelCanvas canvas(30, 1);
  HPEN pen = CreatePen(PS_DOT, 1, RGB(0, 0, 0));
  HGDIOBJ old = SelectObject(canvas.dc(), pen);
  SetBkColor(canvas.dc(), RGB(255, 0, 0));
  MoveToEx(canvas.dc(), 0, 0, nullptr);
  LineTo(canvas.dc(), 12, 0);
  EXPECT_EQ(canvas.Map()[0].substr(0, 13), "###rrr###rrr.");
  SetBkMode(canvas.dc(), TRANSPARENT);
  canvas.Clear(RGB(255, 255, 255));
  LineTo(canvas.dc(), 0, 0);  // the style starts again at (12, 0)
  EXPECT_EQ(canvas.Map()[0].substr(0, 13), "....###...###");
  SelectObject(canvas.dc(), old);
  DeleteObject(pen);
}

TEST(Drawing, RectangleWithPenBrushAndWithoutPen) {
  PixelCanvas canvas(6, 5);
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  HGDIOBJ oldBrush = SelectObject(canvas.dc(), red);
  Rectangle(canvas.dc(), 0, 0, 5, 4);
  EXPECT_EQ(canvas.Map(), (Rows{"#####.", "#rrr#.", "#rrr#.", "#####.", "......"}));
  canvas.Clear(RGB(255, 255, 255));
  HGDIOBJ oldPen = SelectObject(canvas.dc(), GetStockObject(NULL_PEN));
  Rectangle(canvas.dc(), 0, 0, 5, 4);
  EXPECT_EQ(canvas.Map(), (Rows{"rrrr..", "rrrr..", "rrrr..", "......", "......"}));
  SelectObject(canvas.dc(), oldPen);
  SelectObject(canvas.dc(), oldBrush);
  DeleteObject(red);
}

TEST(Drawing, EllipseStaysInsideItsBoxAndIsSymmetric) {
  PixelCanvas canvas(12, 12);
  SelectObject(canvas.dc(), GetStockObject(BLACK_BRUSH));
  Ellipse(canvas.dc(), 1, 1, 11, 11);
  const Rows map = canvas.Map();
  EXPECT_EQ(map[0], "............");
  EXPECT_EQ(map[11], "............");
  EXPECT_EQ(map[5], ".##########.");
  EXPECT_EQ(map[1][1], '.');  // corners stay clear
  for (int y = 0; y < 12; ++y) {
    for (int x = 0; x < 12; ++x) EXPECT_EQ(map[y][x], map[11 - y][11 - x]) << x << "," << y;
  }
  SelectObject(canvas.dc(), GetStockObject(WHITE_BRUSH));
}

TEST(Drawing, PolygonFillModes) {
  // A five-pointed star drawn as one path: its centre is inside only with WINDING.
  const POINT star[5] = {{10, 0}, {16, 19}, {0, 7}, {20, 7}, {4, 19}};
  for (int mode : {ALTERNATE, WINDING}) {
    PixelCanvas canvas(21, 20);
    SelectObject(canvas.dc(), GetStockObject(NULL_PEN));
    SelectObject(canvas.dc(), GetStockObject(BLACK_BRUSH));
    SetPolyFillMode(canvas.dc(), mode);
    Polygon(canvas.dc(), star, 5);
    EXPECT_EQ(canvas.At(10, 10), mode == WINDING ? RGB(0, 0, 0) : RGB(255, 255, 255));
    EXPECT_EQ(canvas.At(10, 3), RGB(0, 0, 0));
    SelectObject(canvas.dc(), GetStockObject(BLACK_PEN));
    SelectObject(canvas.dc(), GetStockObject(WHITE_BRUSH));
  }
}

TEST(Drawing, PathsRecordLinesAndFillInTheFillMode) {
  // The same star as a path, with a second figure (a square) started by MoveToEx and an origin.
  const POINT star[5] = {{10, 0}, {16, 19}, {0, 7}, {20, 7}, {4, 19}};
  for (int mode : {ALTERNATE, WINDING}) {
    SCOPED_TRACE(mode);
    PixelCanvas canvas(30, 20);
    SelectObject(canvas.dc(), GetStockObject(BLACK_BRUSH));
    SetPolyFillMode(canvas.dc(), mode);
    SetViewportOrgEx(canvas.dc(), 1, 0, nullptr);
    ASSERT_TRUE(BeginPath(canvas.dc()));
    MoveToEx(canvas.dc(), star[0].X, star[0].Y, nullptr);
    for (int i = 1; i < 5; ++i) LineTo(canvas.dc(), star[i].X, star[i].Y);
    EXPECT_EQ(canvas.CountOf(RGB(0, 0, 0)), 0);  // recorded, not drawn
    MoveToEx(canvas.dc(), 24, 2, nullptr);
    LineTo(canvas.dc(), 28, 2);
    LineTo(canvas.dc(), 28, 6);
    LineTo(canvas.dc(), 24, 6);
    ASSERT_TRUE(EndPath(canvas.dc()));
    ASSERT_TRUE(FillPath(canvas.dc()));
    EXPECT_EQ(canvas.At(11, 10), mode == WINDING ? RGB(0, 0, 0) : RGB(255, 255, 255));
    EXPECT_EQ(canvas.At(11, 3), RGB(0, 0, 0));
    EXPECT_EQ(canvas.At(26, 4), RGB(0, 0, 0));  // the second figure, closed by the fill
    EXPECT_EQ(canvas.At(22, 4), RGB(255, 255, 255));
    EXPECT_FALSE(FillPath(canvas.dc()));  // the fill used the path up
    SelectObject(canvas.dc(), GetStockObject(WHITE_BRUSH));
  }
}

TEST(Drawing, PathCallsOutOfOrderFailAndLinesDrawAgainAfterwards) {
  PixelCanvas canvas(6, 2);
  EXPECT_FALSE(EndPath(canvas.dc()));
  EXPECT_FALSE(FillPath(canvas.dc()));
  ASSERT_TRUE(BeginPath(canvas.dc()));
  EXPECT_FALSE(FillPath(canvas.dc()));  // still open
  LineTo(canvas.dc(), 5, 0);            // a figure of two points encloses nothing
  EndPath(canvas.dc());
  EXPECT_TRUE(FillPath(canvas.dc()));
  EXPECT_EQ(canvas.CountOf(RGB(0, 0, 0)), 0);
  MoveToEx(canvas.dc(), 0, 1, nullptr);
  LineTo(canvas.dc(), 4, 1);
  EXPECT_EQ(canvas.Map()[1], "####..");
}

TEST(Drawing, HatchAndMonochromePatternBrushes) {
  PixelCanvas canvas(8, 8);
  HBRUSH hatch = CreateHatchBrush(HS_CROSS, RGB(0, 0, 0));
  SetBkColor(canvas.dc(), RGB(255, 0, 0));
  const RECT all{0, 0, 8, 8};
  FillRect(canvas.dc(), &all, hatch);
  EXPECT_EQ(canvas.CountOf(RGB(0, 0, 0)), 15);
  EXPECT_EQ(canvas.CountOf(RGB(255, 0, 0)), 49);
  SetBkMode(canvas.dc(), TRANSPARENT);
  canvas.Clear(RGB(0, 0, 255));
  FillRect(canvas.dc(), &all, hatch);
  EXPECT_EQ(canvas.CountOf(RGB(0, 0, 255)), 49);
  DeleteObject(hatch);

  const WORD checker[8] = {0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55};
  HBITMAP mono = CreateBitmap(8, 8, 1, 1, checker);
  HBRUSH pattern = CreatePatternBrush(mono);
  SetTextColor(canvas.dc(), RGB(0, 255, 0));
  SetBkColor(canvas.dc(), RGB(0, 0, 255));
  FillRect(canvas.dc(), &all, pattern);
  EXPECT_EQ(canvas.Map()[0], "bgbgbgbg");
  EXPECT_EQ(canvas.Map()[1], "gbgbgbgb");
  DeleteObject(pattern);
  DeleteObject(mono);
}

TEST(Drawing, SetPixelAndGetPixelHonourOriginAndClip) {
  PixelCanvas canvas(4, 4);
  SetViewportOrgEx(canvas.dc(), 1, 1, nullptr);
  EXPECT_EQ(SetPixel(canvas.dc(), 1, 1, RGB(255, 0, 0)), RGB(255, 0, 0));
  EXPECT_EQ(canvas.At(2, 2), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(canvas.dc(), 1, 1), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(canvas.dc(), 5, 5), CLR_INVALID);
  IntersectClipRect(canvas.dc(), 0, 0, 1, 1);
  EXPECT_EQ(GetPixel(canvas.dc(), 1, 1), CLR_INVALID);
}

}  // namespace
