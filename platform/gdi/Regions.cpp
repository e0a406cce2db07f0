#include "gdi/Regions.h"

#include <cstring>

#include "gdi/DcPaint.h"
#include "gdi/PenBrushObjects.h"
#include "gdi/Rasterizer.h"
#include "gdi/RegionObject.h"

namespace {

HRGN Make(Region region) { return RegisterRegion(std::move(region)); }

RECT Normalized(int left, int top, int right, int bottom) {
  // Region constructors order their corners; drawing calls treat inverted rectangles as empty.
  return {std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)};
}

// The area a DC without a clip region may draw in, in device coordinates.
Region DeviceArea(const DeviceContext& dc) {
  Region area = dc.Clip();
  area.Translate(-dc.DcOrigin().X, -dc.DcOrigin().Y);
  return area;
}

// Device rectangle of a logical one.
RECT DeviceRect(const DeviceContext& dc, int left, int top, int right, int bottom) {
  const int dx = dc.attrs.viewportOrg.X - dc.attrs.windowOrg.X;
  const int dy = dc.attrs.viewportOrg.Y - dc.attrs.windowOrg.Y;
  return {left + dx, top + dy, right + dx, bottom + dy};
}

int ClipKind(DeviceContext& dc) {
  dc.ClipChanged();
  return dc.Clip().Kind();
}

// Erodes a region by w pixels horizontally and h vertically.
Region Eroded(const Region& region, int w, int h) {
  Region inner(region);
  for (int k = 1; k <= w; ++k) {
    for (int sign : {-1, 1}) {
      Region shifted(region);
      shifted.Translate(sign * k, 0);
      inner.Intersect(shifted);
    }
  }
  for (int k = 1; k <= h; ++k) {
    for (int sign : {-1, 1}) {
      Region shifted(region);
      shifted.Translate(0, sign * k);
      inner.Intersect(shifted);
    }
  }
  return inner;
}

// A device-coordinate region moved onto the DC's surface.
Region OnSurface(const DeviceContext& dc, const Region& region) {
  Region moved(region);
  moved.Translate(dc.OffsetX(), dc.OffsetY());
  return moved;
}

}  // namespace

Region* LookupRegion(HRGN region) {
  auto* object = LookupGdiObjectAs<RegionObject>(region, OBJ_REGION);
  return object ? &object->region : nullptr;
}

HRGN RegisterRegion(Region region) {
  return RegisterGdiObjectAs<HRGN>(std::make_unique<RegionObject>(std::move(region)));
}

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
  return Make(Region(Normalized(left, top, right, bottom)));
}

HRGN CreateRectRgnIndirect(const RECT* rect) {
  return rect ? CreateRectRgn(rect->Left, rect->Top, rect->Right, rect->Bottom) : nullptr;
}

HRGN CreateRoundRectRgn(int left, int top, int right, int bottom, int widthEllipse, int heightEllipse) {
  return Make(RoundRectRegion(Normalized(left, top, right, bottom), widthEllipse, heightEllipse));
}

HRGN CreateEllipticRgn(int left, int top, int right, int bottom) {
  return Make(EllipseRegion(Normalized(left, top, right, bottom)));
}

HRGN CreateEllipticRgnIndirect(const RECT* rect) {
  return rect ? CreateEllipticRgn(rect->Left, rect->Top, rect->Right, rect->Bottom) : nullptr;
}

HRGN CreatePolygonRgn(const POINT* points, int count, int fillMode) {
  if (!points || count < 2 || (fillMode != ALTERNATE && fillMode != WINDING)) return nullptr;
  return Make(PolygonRegion(points, &count, 1, fillMode));
}

HRGN CreatePolyPolygonRgn(const POINT* points, const INT* counts, int polygons, int fillMode) {
  if (!points || !counts || polygons <= 0 || (fillMode != ALTERNATE && fillMode != WINDING)) return nullptr;
  for (int i = 0; i < polygons; ++i) {
    if (counts[i] < 2) return nullptr;
  }
  return Make(PolygonRegion(points, counts, polygons, fillMode));
}

int CombineRgn(HRGN destination, HRGN source1, HRGN source2, int mode) {
  Region* dest = LookupRegion(destination);
  Region* a = LookupRegion(source1);
  if (!dest || !a || mode < RGN_AND || mode > RGN_COPY) return ERROR;
  if (mode == RGN_COPY) {
    *dest = *a;
    return dest->Kind();
  }
  Region* b = LookupRegion(source2);
  if (!b) return ERROR;
  // pixman combines in place even when the destination is one of the sources.
  switch (mode) {
    case RGN_AND: pixman_region32_intersect(dest->Native(), a->Native(), b->Native()); break;
    case RGN_OR: pixman_region32_union(dest->Native(), a->Native(), b->Native()); break;
    case RGN_DIFF: pixman_region32_subtract(dest->Native(), a->Native(), b->Native()); break;
    default: {
      Region result(*a);
      result.Xor(*b);
      *dest = std::move(result);
      break;
    }
  }
  return dest->Kind();
}

int OffsetRgn(HRGN region, int dx, int dy) {
  Region* r = LookupRegion(region);
  if (!r) return ERROR;
  r->Translate(dx, dy);
  return r->Kind();
}

BOOL EqualRgn(HRGN region1, HRGN region2) {
  Region* a = LookupRegion(region1);
  Region* b = LookupRegion(region2);
  if (!a || !b) return FALSE;
  return a->Equals(*b) ? TRUE : FALSE;
}

int GetRgnBox(HRGN region, RECT* box) {
  Region* r = LookupRegion(region);
  if (!r) return ERROR;
  if (box) *box = r->Bounds();
  return r->Kind();
}

BOOL PtInRegion(HRGN region, int x, int y) {
  Region* r = LookupRegion(region);
  return r && r->Contains(x, y) ? TRUE : FALSE;
}

BOOL RectInRegion(HRGN region, const RECT* rect) {
  Region* r = LookupRegion(region);
  if (!r || !rect) return FALSE;
  return r->Overlaps(Normalized(rect->Left, rect->Top, rect->Right, rect->Bottom)) ? TRUE : FALSE;
}

BOOL SetRectRgn(HRGN region, int left, int top, int right, int bottom) {
  Region* r = LookupRegion(region);
  if (!r) return FALSE;
  r->SetRect(Normalized(left, top, right, bottom));
  return TRUE;
}

DWORD GetRegionData(HRGN region, DWORD size, RGNDATA* data) {
  Region* r = LookupRegion(region);
  if (!r) return 0;
  const auto rects = r->Rects();
  const DWORD rectBytes = static_cast<DWORD>(rects.size() * sizeof(RECT));
  const DWORD needed = static_cast<DWORD>(sizeof(RGNDATAHEADER)) + rectBytes;
  if (!data) return needed;
  if (size < needed) return 0;
  data->rdh.dwSize = sizeof(RGNDATAHEADER);
  data->rdh.iType = RDH_RECTANGLES;
  data->rdh.nCount = static_cast<DWORD>(rects.size());
  data->rdh.nRgnSize = rectBytes;
  data->rdh.rcBound = r->Bounds();
  auto* out = reinterpret_cast<char*>(data) + sizeof(RGNDATAHEADER);
  for (const pixman_box32_t& box : rects) {
    const RECT rect{box.x1, box.y1, box.x2, box.y2};
    std::memcpy(out, &rect, sizeof(rect));
    out += sizeof(rect);
  }
  return size;
}

HRGN ExtCreateRegion(const void* xform, DWORD size, const RGNDATA* data) {
  if (xform || !data || size < sizeof(RGNDATAHEADER) || data->rdh.iType != RDH_RECTANGLES) return nullptr;
  const uint64_t needed = sizeof(RGNDATAHEADER) + uint64_t{data->rdh.nCount} * sizeof(RECT);
  if (needed > size) return nullptr;
  Region region;
  const auto* in = reinterpret_cast<const char*>(data) + sizeof(RGNDATAHEADER);
  for (DWORD i = 0; i < data->rdh.nCount; ++i) {
    RECT rect;
    std::memcpy(&rect, in + i * sizeof(RECT), sizeof(RECT));
    region.Unite(rect);
  }
  return Make(std::move(region));
}

BOOL FillRgn(HDC handle, HRGN region, HBRUSH brush) {
  DeviceContext* dc = LookupDc(handle);
  Region* r = LookupRegion(region);
  BrushObject* b = ResolveBrush(brush);
  if (!dc || !r || !b) return FALSE;
  BrushPattern pattern;
  if (RealizeBrush(*dc, b, pattern)) FillSurfaceRegion(*dc, OnSurface(*dc, *r), pattern, 0xF0);
  return TRUE;
}

BOOL PaintRgn(HDC handle, HRGN region) {
  DeviceContext* dc = LookupDc(handle);
  Region* r = LookupRegion(region);
  if (!dc || !r) return FALSE;
  BrushPattern pattern;
  if (RealizeBrush(*dc, nullptr, pattern)) FillSurfaceRegion(*dc, OnSurface(*dc, *r), pattern, Rop3FromRop2(dc->attrs.rop2));
  return TRUE;
}

BOOL FrameRgn(HDC handle, HRGN region, HBRUSH brush, int width, int height) {
  DeviceContext* dc = LookupDc(handle);
  Region* r = LookupRegion(region);
  BrushObject* b = ResolveBrush(brush);
  if (!dc || !r || !b || width < 0 || height < 0) return FALSE;
  Region frame(*r);
  frame.Subtract(Eroded(*r, width, height));
  BrushPattern pattern;
  if (RealizeBrush(*dc, b, pattern)) FillSurfaceRegion(*dc, OnSurface(*dc, frame), pattern, 0xF0);
  return TRUE;
}

BOOL InvertRgn(HDC handle, HRGN region) {
  DeviceContext* dc = LookupDc(handle);
  Region* r = LookupRegion(region);
  if (!dc || !r) return FALSE;
  FillSurfaceRegion(*dc, OnSurface(*dc, *r), BrushPattern::Solid(0), 0x55);
  return TRUE;
}

int SelectClipRgn(HDC dc, HRGN region) { return ExtSelectClipRgn(dc, region, RGN_COPY); }

int ExtSelectClipRgn(HDC handle, HRGN region, int mode) {
  DeviceContext* dc = LookupDc(handle);
  if (!dc || mode < RGN_AND || mode > RGN_COPY) return ERROR;
  Region* source = LookupRegion(region);
  if (!source) {
    if (region || mode != RGN_COPY) return ERROR;
    dc->attrs.hasClip = false;
    dc->attrs.clip.SetEmpty();
    return ClipKind(*dc);
  }
  if (mode == RGN_COPY) {
    dc->attrs.clip = *source;
  } else {
    Region current = dc->attrs.hasClip ? dc->attrs.clip : DeviceArea(*dc);
    switch (mode) {
      case RGN_AND: current.Intersect(*source); break;
      case RGN_OR: current.Unite(*source); break;
      case RGN_XOR: current.Xor(*source); break;
      case RGN_DIFF: current.Subtract(*source); break;
      default: break;
    }
    dc->attrs.clip = std::move(current);
  }
  dc->attrs.hasClip = true;
  return ClipKind(*dc);
}

int GetClipRgn(HDC handle, HRGN region) {
  DeviceContext* dc = LookupDc(handle);
  Region* target = LookupRegion(region);
  if (!dc || !target) return -1;
  if (!dc->attrs.hasClip) return 0;
  *target = dc->attrs.clip;
  return 1;
}

int ExcludeClipRect(HDC handle, int left, int top, int right, int bottom) {
  DeviceContext* dc = LookupDc(handle);
  if (!dc) return ERROR;
  Region current = dc->attrs.hasClip ? dc->attrs.clip : DeviceArea(*dc);
  current.Subtract(Region(DeviceRect(*dc, left, top, right, bottom)));
  dc->attrs.clip = std::move(current);
  dc->attrs.hasClip = true;
  return ClipKind(*dc);
}

int IntersectClipRect(HDC handle, int left, int top, int right, int bottom) {
  DeviceContext* dc = LookupDc(handle);
  if (!dc) return ERROR;
  Region current = dc->attrs.hasClip ? dc->attrs.clip : DeviceArea(*dc);
  current.Intersect(DeviceRect(*dc, left, top, right, bottom));
  dc->attrs.clip = std::move(current);
  dc->attrs.hasClip = true;
  return ClipKind(*dc);
}

int OffsetClipRgn(HDC handle, int dx, int dy) {
  DeviceContext* dc = LookupDc(handle);
  if (!dc) return ERROR;
  if (dc->attrs.hasClip) dc->attrs.clip.Translate(dx, dy);
  return ClipKind(*dc);
}

int GetClipBox(HDC handle, RECT* rect) {
  DeviceContext* dc = LookupDc(handle);
  if (!dc || !rect) return ERROR;
  const RECT box = dc->Clip().Bounds();
  if (dc->Clip().IsEmpty()) {
    *rect = {};
  } else {
    *rect = {box.Left - dc->OffsetX(), box.Top - dc->OffsetY(), box.Right - dc->OffsetX(), box.Bottom - dc->OffsetY()};
  }
  return dc->Clip().Kind();
}

BOOL RectVisible(HDC handle, const RECT* rect) {
  DeviceContext* dc = LookupDc(handle);
  if (!dc || !rect) return FALSE;
  return dc->Clip().Overlaps(SurfaceRect(*dc, *rect)) ? TRUE : FALSE;
}

BOOL PtVisible(HDC handle, int x, int y) {
  DeviceContext* dc = LookupDc(handle);
  if (!dc) return FALSE;
  const POINT p = dc->ToSurface(POINT{x, y});
  return dc->Clip().Contains(p.X, p.Y) ? TRUE : FALSE;
}
