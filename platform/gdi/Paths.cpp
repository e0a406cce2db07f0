// Paths: figures recorded from MoveToEx and LineTo, filled as one polygon set.

#include "gdi/DcPaint.h"
#include "gdi/Drawing.h"
#include "gdi/PenBrushObjects.h"
#include "gdi/Rasterizer.h"

void RecordPathMove(DeviceContext& dc) {
  DcPath& path = dc.path;
  // A figure of one point draws nothing: the new start replaces it.
  if (!path.counts.empty() && path.counts.back() == 1) {
    path.points.back() = dc.ToSurface(dc.attrs.currentPosition);
    return;
  }
  path.points.push_back(dc.ToSurface(dc.attrs.currentPosition));
  path.counts.push_back(1);
}

void RecordPathLine(DeviceContext& dc, POINT to) {
  DcPath& path = dc.path;
  if (path.counts.empty()) RecordPathMove(dc);
  path.points.push_back(dc.ToSurface(to));
  ++path.counts.back();
}

BOOL BeginPath(HDC handle) {
  DeviceContext* dc = LookupDc(handle);
  if (!dc) return FALSE;
  dc->path = DcPath{};
  dc->path.open = true;
  return TRUE;
}

BOOL EndPath(HDC handle) {
  DeviceContext* dc = LookupDc(handle);
  if (!dc || !dc->path.open) return FALSE;
  dc->path.open = false;
  dc->path.closed = true;
  return TRUE;
}

BOOL FillPath(HDC handle) {
  DeviceContext* dc = LookupDc(handle);
  if (!dc || !dc->path.closed) return FALSE;
  DcPath path = std::move(dc->path);
  dc->path = DcPath{};
  // Figures of fewer than three points enclose nothing.
  std::vector<POINT> points;
  std::vector<INT> counts;
  size_t at = 0;
  for (INT count : path.counts) {
    if (count >= 3) {
      points.insert(points.end(), path.points.begin() + static_cast<long>(at),
                    path.points.begin() + static_cast<long>(at + static_cast<size_t>(count)));
      counts.push_back(count);
    }
    at += static_cast<size_t>(count);
  }
  BrushPattern brush;
  if (!counts.empty() && RealizeBrush(*dc, nullptr, brush)) {
    FillSurfaceRegion(*dc, PolygonRegion(points.data(), counts.data(), static_cast<int>(counts.size()),
                                         dc->attrs.polyFillMode),
                      brush, Rop3FromRop2(dc->attrs.rop2));
  }
  return TRUE;
}
