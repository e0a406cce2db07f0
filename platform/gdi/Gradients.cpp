#include <algorithm>
#include <vector>

#include "gdi/Blits.h"
#include "gdi/DcPaint.h"
#include "gdi/Rasterizer.h"

namespace {

// A vertex colour as 8-bit B, G, R, A channels (the 16-bit values' high bytes).
struct Channels {
  int64_t b, g, r, a;
};

Channels ChannelsOf(const TRIVERTEX& v) { return {v.Blue, v.Green, v.Red, v.Alpha}; }

// `from` + (`to` - `from`) * step / steps; one step (a single pixel) is the start colour.
uint32_t Interpolate(const Channels& from, const Channels& to, int64_t step, int64_t steps) {
  auto channel = [&](int64_t a, int64_t b) {
    const int64_t value = steps > 0 ? a + (b - a) * step / steps : a;
    return static_cast<uint32_t>(std::clamp<int64_t>(value, 0, 0xFFFF) >> 8);
  };
  return channel(from.b, to.b) | (channel(from.g, to.g) << 8) | (channel(from.r, to.r) << 16) |
         (channel(from.a, to.a) << 24);
}

void FillRectGradient(const DeviceContext& dc, const TRIVERTEX& v1, const TRIVERTEX& v2, bool vertical) {
  const TRIVERTEX& first = vertical ? (v1.y <= v2.y ? v1 : v2) : (v1.x <= v2.x ? v1 : v2);
  const TRIVERTEX& last = &first == &v1 ? v2 : v1;
  const RECT logical{std::min(v1.x, v2.x), std::min(v1.y, v2.y), std::max(v1.x, v2.x), std::max(v1.y, v2.y)};
  const RECT rect = dc.ToSurface(logical);
  if (rect.Left >= rect.Right || rect.Top >= rect.Bottom) return;
  const Channels a = ChannelsOf(first), b = ChannelsOf(last);
  const int64_t steps = vertical ? rect.Height() : rect.Width();
  const PixelSurface& surface = dc.Surface();
  dc.ForEachClipRect(rect, [&](const RECT& part) {
    std::vector<uint32_t> row(static_cast<size_t>(part.Width()));
    for (int y = part.Top; y < part.Bottom; ++y) {
      if (vertical) {
        std::fill(row.begin(), row.end(), Interpolate(a, b, y - rect.Top, steps));
      } else if (y == part.Top) {
        for (int x = part.Left; x < part.Right; ++x) {
          row[static_cast<size_t>(x - part.Left)] = Interpolate(a, b, x - rect.Left, steps);
        }
      }
      WritePixels(surface, part.Left, y, part.Width(), row.data());
    }
  });
}

void FillTriangle(const DeviceContext& dc, const TRIVERTEX& v1, const TRIVERTEX& v2, const TRIVERTEX& v3) {
  const POINT points[3] = {dc.ToSurface(POINT{v1.x, v1.y}), dc.ToSurface(POINT{v2.x, v2.y}),
                           dc.ToSurface(POINT{v3.x, v3.y})};
  const int64_t area = static_cast<int64_t>(points[1].X - points[0].X) * (points[2].Y - points[0].Y) -
                       static_cast<int64_t>(points[2].X - points[0].X) * (points[1].Y - points[0].Y);
  if (area == 0) return;  // a degenerate triangle covers no pixel
  const INT three = 3;
  Region shape = PolygonRegion(points, &three, 1, WINDING);
  shape.Intersect(dc.Clip());
  const Channels c[3] = {ChannelsOf(v1), ChannelsOf(v2), ChannelsOf(v3)};
  const PixelSurface& surface = dc.Surface();
  for (const pixman_box32_t& box : shape.Rects()) {
    std::vector<uint32_t> row(static_cast<size_t>(box.x2 - box.x1));
    for (int y = box.y1; y < box.y2; ++y) {
      for (int x = box.x1; x < box.x2; ++x) {
        // Barycentric weights of (x, y), in units of the doubled area.
        const int64_t w1 = static_cast<int64_t>(points[1].X - x) * (points[2].Y - y) -
                           static_cast<int64_t>(points[2].X - x) * (points[1].Y - y);
        const int64_t w2 = static_cast<int64_t>(points[2].X - x) * (points[0].Y - y) -
                           static_cast<int64_t>(points[0].X - x) * (points[2].Y - y);
        const int64_t w3 = area - w1 - w2;
        auto mix = [&](int64_t Channels::*field) {
          const int64_t value = (c[0].*field * w1 + c[1].*field * w2 + c[2].*field * w3) / area;
          return static_cast<uint32_t>(std::clamp<int64_t>(value, 0, 0xFFFF) >> 8);
        };
        row[static_cast<size_t>(x - box.x1)] =
            mix(&Channels::b) | (mix(&Channels::g) << 8) | (mix(&Channels::r) << 16) | (mix(&Channels::a) << 24);
      }
      WritePixels(surface, box.x1, y, box.x2 - box.x1, row.data());
    }
  }
}

}  // namespace

BOOL GradientFill(HDC handle, const TRIVERTEX* vertices, ULONG vertexCount, const void* meshes, ULONG meshCount,
                  ULONG mode) {
  DeviceContext* dc = LookupDc(handle);
  if (!dc || !vertices || !meshes) return FALSE;
  if (mode == GRADIENT_FILL_RECT_H || mode == GRADIENT_FILL_RECT_V) {
    const auto* rects = static_cast<const GRADIENT_RECT*>(meshes);
    for (ULONG i = 0; i < meshCount; ++i) {
      if (rects[i].UpperLeft >= vertexCount || rects[i].LowerRight >= vertexCount) return FALSE;
      FillRectGradient(*dc, vertices[rects[i].UpperLeft], vertices[rects[i].LowerRight], mode == GRADIENT_FILL_RECT_V);
    }
    return TRUE;
  }
  if (mode == GRADIENT_FILL_TRIANGLE) {
    const auto* triangles = static_cast<const GRADIENT_TRIANGLE*>(meshes);
    for (ULONG i = 0; i < meshCount; ++i) {
      const GRADIENT_TRIANGLE& t = triangles[i];
      if (t.Vertex1 >= vertexCount || t.Vertex2 >= vertexCount || t.Vertex3 >= vertexCount) return FALSE;
      FillTriangle(*dc, vertices[t.Vertex1], vertices[t.Vertex2], vertices[t.Vertex3]);
    }
    return TRUE;
  }
  return FALSE;
}
