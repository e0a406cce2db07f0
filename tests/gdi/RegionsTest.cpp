#include <gtest/gtest.h>

#include <vector>

#include "PixelCanvas.h"

namespace {

// The region's pixels in a width x height window as rows of '#' and '.'.
Rows Pixels(HRGN region, int width, int height) {
  Rows rows;
  for (int y = 0; y < height; ++y) {
    std::string row;
    for (int x = 0; x < width; ++x) row += PtInRegion(region, x, y) ? '#' : '.';
    rows.push_back(row);
  }
  return rows;
}

TEST(Regions, CombineModesAndResultKinds) {
  struct Case {
    int mode;
    int kind;
    RECT box;
  };
  const Case cases[] = {
      {RGN_AND, SIMPLEREGION, {2, 2, 4, 4}},  {RGN_OR, COMPLEXREGION, {0, 0, 6, 6}},
      {RGN_XOR, COMPLEXREGION, {0, 0, 6, 6}}, {RGN_DIFF, COMPLEXREGION, {0, 0, 4, 4}},
      {RGN_COPY, SIMPLEREGION, {0, 0, 4, 4}},
  };
  HRGN a = CreateRectRgn(0, 0, 4, 4);
  HRGN b = CreateRectRgn(2, 2, 6, 6);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    HRGN result = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(CombineRgn(result, a, b, c.mode), c.kind);
    RECT box;
    GetRgnBox(result, &box);
    EXPECT_EQ(box, c.box);
    DeleteObject(result);
  }
  HRGN far = CreateRectRgn(10, 10, 12, 12);
  HRGN result = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(CombineRgn(result, a, far, RGN_AND), NULLREGION);
  EXPECT_EQ(CombineRgn(result, a, nullptr, RGN_OR), ERROR);
  EXPECT_EQ(CombineRgn(a, a, b, RGN_XOR), COMPLEXREGION);  // destination may be a source
  EXPECT_FALSE(PtInRegion(a, 3, 3));
  EXPECT_TRUE(PtInRegion(a, 5, 5));
  for (HRGN r : {a, b, far, result}) DeleteObject(r);
}

TEST(Regions, RectanglesExcludeRightAndBottomAndOrderTheirCorners) {
  HRGN r = CreateRectRgn(3, 2, 1, 0);
  EXPECT_EQ(Pixels(r, 4, 3), (Rows{".##.", ".##.", "...."}));
  EXPECT_EQ(OffsetRgn(r, 1, 1), SIMPLEREGION);
  EXPECT_EQ(Pixels(r, 4, 3), (Rows{"....", "..##", "..##"}));
  SetRectRgn(r, 0, 0, 0, 5);
  EXPECT_EQ(GetRgnBox(r, nullptr), NULLREGION);
  const RECT probe{0, 0, 1, 1};
  EXPECT_FALSE(RectInRegion(r, &probe));
  DeleteObject(r);
}

TEST(Regions, EllipseRoundRectAndPolygonCoverage) {
  HRGN ellipse = CreateEllipticRgn(0, 0, 6, 4);
  EXPECT_EQ(Pixels(ellipse, 6, 4), (Rows{".####.", "######", "######", ".####."}));
  HRGN round = CreateRoundRectRgn(0, 0, 6, 5, 4, 4);
  EXPECT_EQ(Pixels(round, 6, 5), (Rows{".####.", "######", "######", "######", ".####."}));
  const POINT triangle[3] = {{0, 0}, {4, 0}, {0, 4}};
  HRGN polygon = CreatePolygonRgn(triangle, 3, ALTERNATE);
  EXPECT_EQ(Pixels(polygon, 5, 5), (Rows{"####.", "###..", "##...", "#....", "....."}));
  // Two overlapping squares in one polygon: the overlap is a hole with ALTERNATE only.
  const POINT twice[8] = {{0, 0}, {4, 0}, {4, 4}, {0, 4}, {1, 1}, {3, 1}, {3, 3}, {1, 3}};
  const INT counts[2] = {4, 4};
  HRGN alternate = CreatePolyPolygonRgn(twice, counts, 2, ALTERNATE);
  HRGN winding = CreatePolyPolygonRgn(twice, counts, 2, WINDING);
  EXPECT_FALSE(PtInRegion(alternate, 2, 2));
  EXPECT_TRUE(PtInRegion(winding, 2, 2));
  EXPECT_EQ(CreatePolygonRgn(triangle, 1, ALTERNATE), nullptr);
  for (HRGN r : {ellipse, round, polygon, alternate, winding}) DeleteObject(r);
}

TEST(Regions, RegionDataRoundTrip) {
  HRGN a = CreateRectRgn(0, 0, 10, 10);
  HRGN hole = CreateRectRgn(3, 3, 6, 6);
  CombineRgn(a, a, hole, RGN_DIFF);
  const DWORD size = GetRegionData(a, 0, nullptr);
  ASSERT_EQ(size, sizeof(RGNDATAHEADER) + 4 * sizeof(RECT));
  std::vector<char> buffer(size);
  auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
  EXPECT_EQ(GetRegionData(a, size - 1, data), 0u);
  EXPECT_EQ(GetRegionData(a, size, data), size);
  EXPECT_EQ(data->rdh.nCount, 4u);
  EXPECT_EQ(data->rdh.rcBound, (RECT{0, 0, 10, 10}));
  HRGN copy = ExtCreateRegion(nullptr, size, data);
  EXPECT_TRUE(EqualRgn(a, copy));
  data->rdh.nCount = 1000;  // a count the buffer cannot hold is refused
  EXPECT_EQ(ExtCreateRegion(nullptr, size, data), nullptr);
  for (HRGN r : {a, hole, copy}) DeleteObject(r);
}

TEST(Clipping, ClipIsInDeviceCoordinatesAndOriginsMoveDrawingOnly) {
  PixelCanvas canvas(8, 4);
  HDC dc = canvas.dc();
  HRGN probe = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetClipRgn(dc, probe), 0);  // no clip region is its own answer
  SetWindowOrgEx(dc, 2, 0, nullptr);
  EXPECT_EQ(IntersectClipRect(dc, 2, 0, 6, 4), SIMPLEREGION);  // logical: device 0..4
  EXPECT_EQ(GetClipRgn(dc, probe), 1);
  RECT box;
  GetRgnBox(probe, &box);
  EXPECT_EQ(box, (RECT{0, 0, 4, 4}));
  EXPECT_EQ(ExcludeClipRect(dc, 3, 1, 4, 3), COMPLEXREGION);  // device 1..2
  GetClipBox(dc, &box);
  EXPECT_EQ(box, (RECT{2, 0, 6, 4}));
  const RECT all{0, 0, 20, 20};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  EXPECT_EQ(canvas.Map(), (Rows{"####....", "#.##....", "#.##....", "####...."}));
  const RECT hidden{7, 0, 9, 1};
  EXPECT_FALSE(RectVisible(dc, &hidden));
  EXPECT_TRUE(PtVisible(dc, 2, 0));
  EXPECT_FALSE(PtVisible(dc, 3, 1));
  OffsetClipRgn(dc, 4, 0);
  GetClipBox(dc, &box);
  EXPECT_EQ(box, (RECT{6, 0, 10, 4}));
  SelectClipRgn(dc, nullptr);
  EXPECT_EQ(GetClipRgn(dc, probe), 0);
  DeleteObject(probe);
}

TEST(Clipping, SaveAndRestoreBringBackClipAndAttributes) {
  PixelCanvas canvas(4, 4);
  HDC dc = canvas.dc();
  const int level = SaveDC(dc);
  EXPECT_EQ(level, 1);
  IntersectClipRect(dc, 0, 0, 1, 1);
  SetTextColor(dc, RGB(1, 2, 3));
  SetViewportOrgEx(dc, 5, 5, nullptr);
  EXPECT_EQ(SaveDC(dc), 2);
  SetBkMode(dc, TRANSPARENT);
  EXPECT_TRUE(RestoreDC(dc, -1));
  EXPECT_EQ(GetBkMode(dc), OPAQUE);
  EXPECT_EQ(GetTextColor(dc), RGB(1, 2, 3));
  EXPECT_TRUE(RestoreDC(dc, level));
  EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 0));
  POINT origin;
  GetViewportOrgEx(dc, &origin);
  EXPECT_EQ(origin, (POINT{0, 0}));
  HRGN probe = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetClipRgn(dc, probe), 0);
  EXPECT_FALSE(RestoreDC(dc, 1));  // nothing left to restore
  DeleteObject(probe);
}

TEST(Regions, FillFrameInvertAndPaintRegions) {
  PixelCanvas canvas(6, 5);
  HRGN r = CreateRectRgn(0, 0, 5, 4);
  FrameRgn(canvas.dc(), r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)), 1, 1);
  EXPECT_EQ(canvas.Map(), (Rows{"#####.", "#...#.", "#...#.", "#####.", "......"}));
  InvertRgn(canvas.dc(), r);
  EXPECT_EQ(canvas.Map(), (Rows{"......", ".###..", ".###..", "......", "......"}));
  SetViewportOrgEx(canvas.dc(), 1, 1, nullptr);
  FillRgn(canvas.dc(), r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));  // logical coordinates
  EXPECT_EQ(canvas.Map()[0], "......");
  EXPECT_EQ(canvas.Map()[4], ".#####");
  DeleteObject(r);
}

}  // namespace
