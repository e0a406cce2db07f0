#include "gdi/GlyphRun.h"

#include <algorithm>
#include <cmath>

#include "gdi/DcState.h"
#include "gdi/FontObject.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr uint8_t kPatCopy = 0xF0;

RECT Intersect(const RECT& a, const RECT& b) {
  return {std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right), std::min(a.Bottom, b.Bottom)};
}

void BlendClipped(DeviceContext& dc, const RECT& target, const uint8_t* coverage, int pitch, uint32_t pixel,
                  const RECT* clip) {
  RECT bounded = clip ? Intersect(target, *clip) : target;
  if (bounded.Left >= bounded.Right || bounded.Top >= bounded.Bottom) return;
  const PixelSurface& surface = dc.Surface();
  dc.ForEachClipRect(bounded, [&](const RECT& part) {
    const uint8_t* start = coverage + static_cast<ptrdiff_t>(part.Top - target.Top) * pitch + (part.Left - target.Left);
    dc.Primitives().blendCoverage(surface, part, start, pitch, pixel);
  });
}

// The text's own frame: u along the baseline, v downward across it.
struct Frame {
  double x, y;  // surface point of u = v = 0
  double c, s;
  int angle;
  double X(double u, double v) const { return x + u * c + v * s; }
  double Y(double u, double v) const { return y - u * s + v * c; }
};

// A box of the text frame, filled with full coverage where pixel centres fall inside it.
void FillFrameBox(DeviceContext& dc, const Frame& frame, int u0, int v0, int u1, int v1, uint32_t pixel,
                  const RECT* clip) {
  if (u0 >= u1 || v0 >= v1) return;
  if (frame.angle == 0) {
    RECT rect{static_cast<int>(frame.x) + u0, static_cast<int>(frame.y) + v0, static_cast<int>(frame.x) + u1,
              static_cast<int>(frame.y) + v1};
    RECT bounded = clip ? Intersect(rect, *clip) : rect;
    if (bounded.Left >= bounded.Right || bounded.Top >= bounded.Bottom) return;
    BrushPattern pattern = BrushPattern::Solid(pixel);
    dc.ForEachClipRect(bounded, [&](const RECT& part) { dc.Primitives().fill(dc.Surface(), part, pattern, kPatCopy); });
    return;
  }
  double xs[4] = {frame.X(u0, v0), frame.X(u1, v0), frame.X(u0, v1), frame.X(u1, v1)};
  double ys[4] = {frame.Y(u0, v0), frame.Y(u1, v0), frame.Y(u0, v1), frame.Y(u1, v1)};
  RECT box{static_cast<int>(std::floor(*std::min_element(xs, xs + 4))),
           static_cast<int>(std::floor(*std::min_element(ys, ys + 4))),
           static_cast<int>(std::ceil(*std::max_element(xs, xs + 4))),
           static_cast<int>(std::ceil(*std::max_element(ys, ys + 4)))};
  RECT visible = Intersect(box, dc.Clip().Bounds());
  if (clip) visible = Intersect(visible, *clip);
  if (visible.Left >= visible.Right || visible.Top >= visible.Bottom) return;
  int width = box.Width(), height = box.Height();
  std::vector<uint8_t> mask(static_cast<size_t>(width) * height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      double dx = box.Left + x + 0.5 - frame.x, dy = box.Top + y + 0.5 - frame.y;
      double u = dx * frame.c - dy * frame.s, v = dx * frame.s + dy * frame.c;
      if (u >= u0 && u < u1 && v >= v0 && v < v1) mask[static_cast<size_t>(y) * width + x] = 255;
    }
  }
  BlendClipped(dc, box, mask.data(), width, pixel, clip);
}

}  // namespace

void FillSurfaceRect(DeviceContext& dc, const RECT& rect, COLORREF colour, const RECT* clip) {
  Frame frame{0, 0, 1, 0, 0};
  FillFrameBox(dc, frame, rect.Left, rect.Top, rect.Right, rect.Bottom, PixelFromColorRef(colour), clip);
}

void PaintGlyphRun(DeviceContext& dc, FontObject& font, const GlyphRun& run, const RECT* clip, bool opaque) {
  const LOGFONT& logFont = font.LogFont();
  FontInstance& instance = font.Instance();
  const FontMetrics& metrics = instance.Metrics();
  int angle = ((logFont.lfEscapement % 3600) + 3600) % 3600;
  double radians = angle * kPi / 1800.0;
  Frame frame{0, 0, angle == 0 ? 1.0 : std::cos(radians), angle == 0 ? 0.0 : std::sin(radians), angle};
  // The frame's origin is the start of the baseline.
  Frame reference{static_cast<double>(run.reference.X), static_cast<double>(run.reference.Y), frame.c, frame.s, angle};
  frame.x = reference.X(run.start, run.baseline);
  frame.y = reference.Y(run.start, run.baseline);
  if (angle == 0) {
    frame.x = std::round(frame.x);
    frame.y = std::round(frame.y);
  }
  if (opaque) {
    FillFrameBox(dc, frame, 0, -metrics.ascent, run.width, metrics.descent, PixelFromColorRef(dc.attrs.bkColor), clip);
  }
  uint32_t pixel = PixelFromColorRef(dc.attrs.textColor);
  for (const PlacedChar& placed : run.chars) {
    const GlyphImage& glyph = instance.Glyph(placed.ch, angle);
    if (glyph.width == 0 || glyph.height == 0) continue;
    int penX, penY;
    if (angle == 0) {
      penX = static_cast<int>(frame.x) + placed.x;
      penY = static_cast<int>(frame.y);
    } else {
      penX = static_cast<int>(std::lround(frame.X(placed.x, 0)));
      penY = static_cast<int>(std::lround(frame.Y(placed.x, 0)));
    }
    RECT target{penX + glyph.left, penY - glyph.top, penX + glyph.left + glyph.width, penY - glyph.top + glyph.height};
    BlendClipped(dc, target, glyph.coverage.data(), glyph.width, pixel, clip);
  }
  if (run.underlineRight > run.underlineLeft) {
    FillFrameBox(dc, frame, run.underlineLeft, metrics.underlinePosition, run.underlineRight,
                 metrics.underlinePosition + metrics.underlineThickness, pixel, clip);
  }
  if (logFont.lfUnderline) {
    FillFrameBox(dc, frame, 0, metrics.underlinePosition, run.width,
                 metrics.underlinePosition + metrics.underlineThickness, pixel, clip);
  }
  if (logFont.lfStrikeOut) {
    FillFrameBox(dc, frame, 0, -metrics.strikeoutPosition, run.width,
                 -metrics.strikeoutPosition + metrics.strikeoutThickness, pixel, clip);
  }
}
