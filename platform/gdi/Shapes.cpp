#include <algorithm>
#include <vector>

#include "gdi/DcPaint.h"
#include "gdi/Drawing.h"
#include "gdi/PenBrushObjects.h"
#include "gdi/PenStroke.h"
#include "gdi/Rasterizer.h"

namespace {

constexpr uint8_t kPatCopy = 0xF0;
constexpr uint8_t kPatInvert = 0x5A;
constexpr uint8_t kDstInvert = 0x55;

using ShapeFn = Region (*)(const RECT& box, int cornerWidth, int cornerHeight);

Region BoxShape(const RECT& box, int, int) { return Region(box); }
Region EllipseShape(const RECT& box, int, int) { return EllipseRegion(box); }
Region RoundShape(const RECT& box, int w, int h) { return RoundRectRegion(box, w, h); }

// Rectangle, Ellipse and RoundRect: the brush fills the inside, the pen draws a frame of its width
// centred on the outline through the box's outer pixels (inside it for PS_INSIDEFRAME). Without a
// pen the filled shape is one pixel smaller at the right and bottom, as in GDI.
BOOL DrawShape(HDC handle, RECT box, ShapeFn shape, int cornerWidth, int cornerHeight) {
  DeviceContext* dc = LookupDc(handle);
  if (!dc) return FALSE;
  if (box.Left > box.Right) std::swap(box.Left, box.Right);
  if (box.Top > box.Bottom) std::swap(box.Top, box.Bottom);
  box = dc->ToSurface(box);
  const PenInfo pen = CurrentPen(*dc);
  const uint8_t mix = Rop3FromRop2(dc->attrs.rop2);
  BrushPattern brush;
  const bool filled = RealizeBrush(*dc, nullptr, brush);
  if (!pen.visible) {
    if (filled) {
      const RECT inner{box.Left, box.Top, box.Right - 1, box.Bottom - 1};
      FillSurfaceRegion(*dc, shape(inner, cornerWidth, cornerHeight), brush, mix);
    }
    return TRUE;
  }
  const int w = pen.width;
  const int before = pen.insideFrame ? 0 : w / 2;
  const RECT outer{box.Left - before, box.Top - before, box.Right - 1 - before + (pen.insideFrame ? 1 : w),
                   box.Bottom - 1 - before + (pen.insideFrame ? 1 : w)};
  const RECT inner{outer.Left + w, outer.Top + w, outer.Right - w, outer.Bottom - w};
  const Region outerShape = shape(outer, cornerWidth, cornerHeight);
  const Region innerShape = shape(inner, std::max(0, cornerWidth - 2 * w), std::max(0, cornerHeight - 2 * w));
  if (filled) FillSurfaceRegion(*dc, innerShape, brush, mix);
  if (w == 1 && pen.kind != PS_SOLID && shape == &BoxShape) {
    const POINT corners[4] = {{box.Left, box.Top}, {box.Right - 1, box.Top}, {box.Right - 1, box.Bottom - 1},
                              {box.Left, box.Bottom - 1}};
    StrokePath(*dc, corners, 4, true);
    return TRUE;
  }
  Region frame(outerShape);
  frame.Subtract(innerShape);
  FillWithPen(*dc, frame);
  return TRUE;
}

}  // namespace

int FillRect(HDC handle, const RECT* rect, HBRUSH brush) {
  DeviceContext* dc = LookupDc(handle);
  BrushObject* b = ResolveBrush(brush);
  if (!dc || !rect || !b) return FALSE;
  BrushPattern pattern;
  if (RealizeBrush(*dc, b, pattern)) FillSurfaceRect(*dc, SurfaceRect(*dc, *rect), pattern, kPatCopy);
  return TRUE;
}

int FrameRect(HDC handle, const RECT* rect, HBRUSH brush) {
  DeviceContext* dc = LookupDc(handle);
  BrushObject* b = ResolveBrush(brush);
  if (!dc || !rect || !b) return FALSE;
  const RECT r = SurfaceRect(*dc, *rect);
  BrushPattern pattern;
  if (r.Left >= r.Right || !RealizeBrush(*dc, b, pattern)) return TRUE;
  Region frame(r);
  frame.Subtract(RECT{r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1});
  FillSurfaceRegion(*dc, frame, pattern, kPatCopy);
  return TRUE;
}

BOOL InvertRect(HDC handle, const RECT* rect) {
  DeviceContext* dc = LookupDc(handle);
  if (!dc || !rect) return FALSE;
  FillSurfaceRect(*dc, SurfaceRect(*dc, *rect), BrushPattern::Solid(0), kDstInvert);
  return TRUE;
}

BOOL DrawFocusRect(HDC handle, const RECT* rect) {
  DeviceContext* dc = LookupDc(handle);
  if (!dc || !rect) return FALSE;
  const RECT r = SurfaceRect(*dc, *rect);
  if (r.Left >= r.Right) return TRUE;
  // Every other pixel of the frame is inverted (a checkerboard tile XORed in), so a second call
  // restores what the first changed.
  BrushPattern dots;
  dots.solid = false;
  dots.width = dots.height = 2;
  dots.tile = {0x00FFFFFF, 0, 0, 0x00FFFFFF};
  dots.originX = r.Left;
  dots.originY = r.Top;
  Region frame(r);
  frame.Subtract(RECT{r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1});
  FillSurfaceRegion(*dc, frame, dots, kPatInvert);
  return TRUE;
}

BOOL Rectangle(HDC dc, int left, int top, int right, int bottom) {
  return DrawShape(dc, {left, top, right, bottom}, &BoxShape, 0, 0);
}

BOOL Ellipse(HDC dc, int left, int top, int right, int bottom) {
  return DrawShape(dc, {left, top, right, bottom}, &EllipseShape, 0, 0);
}

BOOL RoundRect(HDC dc, int left, int top, int right, int bottom, int width, int height) {
  return DrawShape(dc, {left, top, right, bottom}, &RoundShape, width, height);
}

BOOL PolyPolygon(HDC handle, const POINT* points, const INT* counts, int polygons) {
  DeviceContext* dc = LookupDc(handle);
  if (!dc || !points || !counts || polygons <= 0) return FALSE;
  int total = 0;
  for (int i = 0; i < polygons; ++i) {
    if (counts[i] < 2) return FALSE;
    total += counts[i];
  }
  std::vector<POINT> path(points, points + total);
  for (POINT& p : path) p = dc->ToSurface(p);
  BrushPattern brush;
  if (RealizeBrush(*dc, nullptr, brush)) {
    FillSurfaceRegion(*dc, PolygonRegion(path.data(), counts, polygons, dc->attrs.polyFillMode), brush,
                      Rop3FromRop2(dc->attrs.rop2));
  }
  const POINT* start = path.data();
  for (int i = 0; i < polygons; ++i) {
    StrokePath(*dc, start, counts[i], true);
    start += counts[i];
  }
  return TRUE;
}

BOOL Polygon(HDC dc, const POINT* points, int count) { return PolyPolygon(dc, points, &count, 1); }

COLORREF SetPixel(HDC handle, int x, int y, COLORREF colour) {
  DeviceContext* dc = LookupDc(handle);
  if (!dc) return CLR_INVALID;
  const POINT p = dc->ToSurface(POINT{x, y});
  if (!dc->Clip().Contains(p.X, p.Y)) return CLR_INVALID;
  uint32_t pixel = PixelFromColorRef(colour);
  WritePixels(dc->Surface(), p.X, p.Y, 1, &pixel);
  ReadPixels(dc->Surface(), p.X, p.Y, 1, &pixel);
  return ColorRefFromPixel(pixel);
}

BOOL SetPixelV(HDC dc, int x, int y, COLORREF colour) { return SetPixel(dc, x, y, colour) != CLR_INVALID; }

COLORREF GetPixel(HDC handle, int x, int y) {
  DeviceContext* dc = LookupDc(handle);
  if (!dc) return CLR_INVALID;
  const POINT p = dc->ToSurface(POINT{x, y});
  if (!dc->Clip().Contains(p.X, p.Y)) return CLR_INVALID;
  uint32_t pixel = 0;
  ReadPixels(dc->Surface(), p.X, p.Y, 1, &pixel);
  return ColorRefFromPixel(pixel);
}
