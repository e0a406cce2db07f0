#include "gdi/DcPaint.h"

uint8_t Rop3FromRop2(int rop2) {
  const int table = (rop2 - 1) & 0x0F;  // bit (P << 1 | D) of the binary truth table
  uint8_t rop3 = 0;
  for (int i = 0; i < 8; ++i) {
    const int p = (i >> 2) & 1, d = i & 1;
    if ((table >> ((p << 1) | d)) & 1) rop3 = static_cast<uint8_t>(rop3 | (1 << i));
  }
  return rop3;
}

void FillSurfaceRect(const DeviceContext& dc, const RECT& surfaceRect, const BrushPattern& pattern, uint8_t rop3) {
  if (surfaceRect.Left >= surfaceRect.Right || surfaceRect.Top >= surfaceRect.Bottom) return;
  const PixelSurface& surface = dc.Surface();
  dc.ForEachClipRect(surfaceRect, [&](const RECT& part) { dc.Primitives().fill(surface, part, pattern, rop3); });
}

void FillSurfaceRegion(const DeviceContext& dc, const Region& surfaceRegion, const BrushPattern& pattern,
                       uint8_t rop3) {
  Region visible(surfaceRegion);
  visible.Intersect(dc.Clip());
  const PixelSurface& surface = dc.Surface();
  for (const pixman_box32_t& box : visible.Rects()) {
    dc.Primitives().fill(surface, RECT{box.x1, box.y1, box.x2, box.y2}, pattern, rop3);
  }
}

RECT SurfaceRect(const DeviceContext& dc, const RECT& logical) {
  if (logical.Left >= logical.Right || logical.Top >= logical.Bottom) return {};
  return dc.ToSurface(logical);
}
