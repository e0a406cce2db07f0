#include "gdi/Rasterizer.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "gdi/GdiTypes.h"

namespace {

struct Edge {
  double x0, y0, x1, y1;
  int direction;  // +1 downward, -1 upward
};

// Collects rows of [x0, x1) spans into a region.
class SpanCollector {
 public:
  void Add(int y, int x0, int x1) {
    if (x0 < x1) boxes_.push_back({x0, y, x1, y + 1});
  }
  Region Finish() { return Region::FromRects(boxes_); }

 private:
  std::vector<pixman_box32_t> boxes_;
};

}  // namespace

Region PolygonRegion(const POINT* points, const INT* counts, int polygons, int fillMode) {
  std::vector<Edge> edges;
  int top = INT32_MAX, bottom = INT32_MIN;
  const POINT* p = points;
  for (int poly = 0; poly < polygons; ++poly) {
    const int count = counts[poly];
    for (int i = 0; i < count; ++i) {
      const POINT a = p[i];
      const POINT b = p[(i + 1) % count];
      top = std::min(top, a.Y);
      bottom = std::max(bottom, a.Y);
      if (a.Y == b.Y) continue;
      if (a.Y < b.Y) {
        edges.push_back({double(a.X), double(a.Y), double(b.X), double(b.Y), 1});
      } else {
        edges.push_back({double(b.X), double(b.Y), double(a.X), double(a.Y), -1});
      }
    }
    p += count;
  }
  SpanCollector spans;
  struct Crossing {
    double x;
    int direction;
  };
  std::vector<Crossing> crossings;
  for (int y = top; y < bottom; ++y) {
    crossings.clear();
    for (const Edge& e : edges) {
      if (y < e.y0 || y >= e.y1) continue;
      crossings.push_back({e.x0 + (e.x1 - e.x0) * (y - e.y0) / (e.y1 - e.y0), e.direction});
    }
    std::sort(crossings.begin(), crossings.end(), [](const Crossing& a, const Crossing& b) { return a.x < b.x; });
    int winding = 0;
    for (size_t i = 0; i + 1 < crossings.size(); ++i) {
      winding += fillMode == WINDING ? crossings[i].direction : 1;
      const bool inside = fillMode == WINDING ? winding != 0 : (winding & 1) != 0;
      if (!inside) continue;
      // Pixels whose point x satisfies left <= x < right.
      spans.Add(y, static_cast<int>(std::ceil(crossings[i].x - 1e-9)),
                static_cast<int>(std::ceil(crossings[i + 1].x - 1e-9)));
    }
  }
  return spans.Finish();
}

Region EllipseRegion(const RECT& box) {
  SpanCollector spans;
  const double a = (box.Right - box.Left) / 2.0, b = (box.Bottom - box.Top) / 2.0;
  if (a <= 0 || b <= 0) return {};
  const double cx = (box.Left + box.Right) / 2.0, cy = (box.Top + box.Bottom) / 2.0;
  for (int y = box.Top; y < box.Bottom; ++y) {
    const double dy = (y + 0.5 - cy) / b;
    if (std::abs(dy) > 1) continue;
    const double half = a * std::sqrt(1 - dy * dy);
    // Pixel centres within the half width.
    const int x0 = static_cast<int>(std::ceil(cx - half - 0.5));
    const int x1 = static_cast<int>(std::floor(cx + half - 0.5)) + 1;
    spans.Add(y, std::max(x0, box.Left), std::min(x1, box.Right));
  }
  return spans.Finish();
}

Region RoundRectRegion(const RECT& box, int width, int height) {
  const int w = std::min(std::abs(width), box.Right - box.Left);
  const int h = std::min(std::abs(height), box.Bottom - box.Top);
  if (box.Left >= box.Right || box.Top >= box.Bottom) return {};
  if (w < 2 || h < 2) return Region(box);
  const Region corner = EllipseRegion({box.Left, box.Top, box.Left + w, box.Top + h});
  // Left end of each corner row, from the top-left quarter ellipse.
  std::vector<int> inset(static_cast<size_t>(h), w);
  for (const pixman_box32_t& r : corner.Rects()) {
    for (int y = r.y1; y < r.y2; ++y) {
      int& row = inset[static_cast<size_t>(y - box.Top)];
      row = std::min(row, r.x1 - box.Left);
    }
  }
  SpanCollector spans;
  for (int y = box.Top; y < box.Bottom; ++y) {
    int row = -1;
    if (y - box.Top < h / 2) row = y - box.Top;
    if (box.Bottom - 1 - y < h / 2) row = box.Bottom - 1 - y;  // mirrored bottom corners
    const int in = row >= 0 ? inset[static_cast<size_t>(row)] : 0;
    spans.Add(y, box.Left + in, box.Right - in);
  }
  return spans.Finish();
}

std::vector<POINT> LinePixels(POINT from, POINT to) {
  std::vector<POINT> pixels;
  const int dx = std::abs(to.X - from.X), dy = std::abs(to.Y - from.Y);
  const int sx = from.X < to.X ? 1 : -1, sy = from.Y < to.Y ? 1 : -1;
  const int steps = std::max(dx, dy);
  pixels.reserve(static_cast<size_t>(steps));
  int x = from.X, y = from.Y;
  if (dx >= dy) {
    int error = 2 * dy - dx;
    for (int i = 0; i < steps; ++i) {
      pixels.push_back({x, y});
      if (error > 0 || (error == 0 && sy > 0 && sx > 0)) {
        y += sy;
        error -= 2 * dx;
      }
      error += 2 * dy;
      x += sx;
    }
  } else {
    int error = 2 * dx - dy;
    for (int i = 0; i < steps; ++i) {
      pixels.push_back({x, y});
      if (error > 0 || (error == 0 && sx > 0 && sy > 0)) {
        x += sx;
        error -= 2 * dy;
      }
      error += 2 * dx;
      y += sy;
    }
  }
  return pixels;
}

Region WideLineRegion(POINT from, POINT to, int width) {
  const double radius = width / 2.0;
  Region result;
  // Round ends: a disc of the pen's width centred on each end point.
  for (const POINT end : {from, to}) {
    const int left = end.X - width / 2, top = end.Y - width / 2;
    result.Unite(EllipseRegion({left, top, left + width, top + width}));
  }
  const double dx = to.X - from.X, dy = to.Y - from.Y;
  const double length = std::hypot(dx, dy);
  if (length == 0) return result;
  // The body: the segment's rectangle, offset by half a pixel so that it centres on pixel centres
  // like the discs.
  const double nx = -dy / length * radius, ny = dx / length * radius;
  const double ox = width % 2 ? 0.5 : 0.0;
  auto corner = [&](double x, double y) {
    return POINT{static_cast<int>(std::lround(x + ox)), static_cast<int>(std::lround(y + ox))};
  };
  const POINT quad[4] = {corner(from.X + nx, from.Y + ny), corner(to.X + nx, to.Y + ny), corner(to.X - nx, to.Y - ny),
                         corner(from.X - nx, from.Y - ny)};
  const INT four = 4;
  result.Unite(PolygonRegion(quad, &four, 1, WINDING));
  return result;
}
