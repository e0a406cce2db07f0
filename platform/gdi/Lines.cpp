#include <vector>

#include "gdi/DcPaint.h"
#include "gdi/Drawing.h"
#include "gdi/PenBrushObjects.h"
#include "gdi/PenStroke.h"
#include "gdi/Rasterizer.h"

namespace {

// Dash lengths of the cosmetic styles, on and off in turn.
std::vector<int> StyleDashes(UINT kind) {
  switch (kind) {
    case PS_DASH: return {18, 6};
    case PS_DOT: return {3, 3};
    case PS_DASHDOT: return {9, 6, 3, 6};
    case PS_DASHDOTDOT: return {9, 3, 3, 3, 3, 3};
    case PS_ALTERNATE: return {1, 1};
    default: return {};
  }
}

void PutPixel(const DeviceContext& dc, POINT p, const BrushPattern& pattern, uint8_t rop) {
  if (!dc.Clip().Contains(p.X, p.Y)) return;
  dc.Primitives().fill(dc.Surface(), RECT{p.X, p.Y, p.X + 1, p.Y + 1}, pattern, rop);
}

// A thin line; `phase` carries the style position from segment to segment.
void ThinSegment(const DeviceContext& dc, const PenInfo& pen, POINT from, POINT to, int& phase) {
  const uint8_t rop = Rop3FromRop2(dc.attrs.rop2);
  const BrushPattern ink = BrushPattern::Solid(pen.pixel);
  const std::vector<int> dashes = StyleDashes(pen.kind);
  if (dashes.empty() && (from.X == to.X || from.Y == to.Y)) {
    // Horizontal and vertical solid lines are rectangles.
    RECT r{std::min(from.X, to.X), std::min(from.Y, to.Y), std::max(from.X, to.X), std::max(from.Y, to.Y)};
    if (from.X == to.X) {
      r.Right = r.Left + 1;
      if (to.Y < from.Y) ++r.Top, ++r.Bottom;  // the end point is left out, the start point kept
    } else {
      r.Bottom = r.Top + 1;
      if (to.X < from.X) ++r.Left, ++r.Right;
    }
    FillSurfaceRect(dc, r, ink, rop);
    return;
  }
  const BrushPattern gap = BrushPattern::Solid(PixelFromColorRef(dc.attrs.bkColor));
  int period = 0;
  for (int d : dashes) period += d;
  for (const POINT p : LinePixels(from, to)) {
    bool on = true;
    if (period > 0) {
      int at = phase % period;
      size_t i = 0;
      while (at >= dashes[i]) at -= dashes[i++];
      on = i % 2 == 0;
      ++phase;
    }
    if (on) {
      PutPixel(dc, p, ink, rop);
    } else if (dc.attrs.bkMode == OPAQUE) {
      PutPixel(dc, p, gap, rop);
    }
  }
}

}  // namespace

PenInfo CurrentPen(const DeviceContext& dc) {
  PenInfo info;
  const GdiObject* object = dc.Pen();
  if (!object) return info;
  const auto* pen = static_cast<const PenObject*>(object);
  info.kind = pen->Kind();
  info.visible = info.kind != PS_NULL;
  info.width = std::max(pen->width, 1);
  info.insideFrame = info.kind == PS_INSIDEFRAME;
  // Wide pens draw solid whatever their style, as GDI does for pens made by CreatePen.
  if (info.width > 1 || info.insideFrame) info.kind = PS_SOLID;
  info.pixel = PixelFromColorRef(PenColour(dc));
  return info;
}

void FillWithPen(const DeviceContext& dc, const Region& surfaceRegion) {
  const PenInfo pen = CurrentPen(dc);
  if (!pen.visible) return;
  FillSurfaceRegion(dc, surfaceRegion, BrushPattern::Solid(pen.pixel), Rop3FromRop2(dc.attrs.rop2));
}

void StrokePath(const DeviceContext& dc, const POINT* points, int count, bool closed) {
  const PenInfo pen = CurrentPen(dc);
  if (!pen.visible || count < 2) return;
  const int segments = closed ? count : count - 1;
  if (pen.width == 1) {
    int phase = 0;
    for (int i = 0; i < segments; ++i) ThinSegment(dc, pen, points[i], points[(i + 1) % count], phase);
    return;
  }
  // Wide segments overlap at their joints: paint their union once, so that XOR mixes stay clean.
  Region stroke;
  for (int i = 0; i < segments; ++i) stroke.Unite(WideLineRegion(points[i], points[(i + 1) % count], pen.width));
  FillWithPen(dc, stroke);
}

BOOL MoveToEx(HDC handle, int x, int y, POINT* previous) {
  DeviceContext* dc = LookupDc(handle);
  if (!dc) return FALSE;
  if (previous) *previous = dc->attrs.currentPosition;
  dc->attrs.currentPosition = {x, y};
  if (dc->path.open) RecordPathMove(*dc);
  return TRUE;
}

BOOL LineTo(HDC handle, int x, int y) {
  DeviceContext* dc = LookupDc(handle);
  if (!dc) return FALSE;
  if (dc->path.open) {
    RecordPathLine(*dc, POINT{x, y});
  } else {
    const POINT path[2] = {dc->ToSurface(dc->attrs.currentPosition), dc->ToSurface(POINT{x, y})};
    StrokePath(*dc, path, 2, false);
  }
  dc->attrs.currentPosition = {x, y};
  return TRUE;
}

BOOL Polyline(HDC handle, const POINT* points, int count) {
  DeviceContext* dc = LookupDc(handle);
  if (!dc || !points || count < 2) return FALSE;
  std::vector<POINT> path(points, points + count);
  for (POINT& p : path) p = dc->ToSurface(p);
  StrokePath(*dc, path.data(), count, false);
  return TRUE;
}

BOOL PolyPolyline(HDC dc, const POINT* points, const DWORD* counts, DWORD polylines) {
  if (!points || !counts) return FALSE;
  for (DWORD i = 0; i < polylines; ++i) {
    if (!Polyline(dc, points, static_cast<int>(counts[i]))) return FALSE;
    points += counts[i];
  }
  return TRUE;
}
