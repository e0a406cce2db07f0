#include "Brushwork.h"

#include <algorithm>
#include <cmath>

namespace {

double Channel(uint32_t Rgb, int Shift) { return ((Rgb >> Shift) & 0xFF) / 255.0; }

}  // namespace

void SetColor(cairo_t* cr, uint32_t Rgb, double Alpha) {
  cairo_set_source_rgba(cr, Channel(Rgb, 16), Channel(Rgb, 8), Channel(Rgb, 0), Alpha);
}

void RoundedPath(cairo_t* cr, const Box& B, double Radius, int Round) {
  const double r = std::min({Radius, B.w / 2, B.h / 2});
  const double x0 = B.x, y0 = B.y, x1 = B.x + B.w, y1 = B.y + B.h;
  cairo_new_sub_path(cr);
  if (Round & kTopLeft) cairo_arc(cr, x0 + r, y0 + r, r, M_PI, 1.5 * M_PI); else cairo_move_to(cr, x0, y0);
  if (Round & kTopRight) cairo_arc(cr, x1 - r, y0 + r, r, 1.5 * M_PI, 2 * M_PI); else cairo_line_to(cr, x1, y0);
  if (Round & kBottomRight) cairo_arc(cr, x1 - r, y1 - r, r, 0, 0.5 * M_PI); else cairo_line_to(cr, x1, y1);
  if (Round & kBottomLeft) cairo_arc(cr, x0 + r, y1 - r, r, 0.5 * M_PI, M_PI); else cairo_line_to(cr, x0, y1);
  cairo_close_path(cr);
}

static void FillWithStops(cairo_t* cr, cairo_pattern_t* g, std::initializer_list<std::pair<double, uint32_t>> Stops,
                          double Alpha) {
  for (const auto& [at, rgb] : Stops)
    cairo_pattern_add_color_stop_rgba(g, at, Channel(rgb, 16), Channel(rgb, 8), Channel(rgb, 0), Alpha);
  cairo_set_source(cr, g);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
}

void FillGradient(cairo_t* cr, const Box& B, std::initializer_list<std::pair<double, uint32_t>> Stops, double Alpha) {
  if (!cairo_has_current_point(cr)) cairo_rectangle(cr, B.x, B.y, B.w, B.h);
  FillWithStops(cr, cairo_pattern_create_linear(0, B.y, 0, B.y + B.h), Stops, Alpha);
}

void FillHorizontalGradient(cairo_t* cr, const Box& B, std::initializer_list<std::pair<double, uint32_t>> Stops,
                            double Alpha) {
  if (!cairo_has_current_point(cr)) cairo_rectangle(cr, B.x, B.y, B.w, B.h);
  FillWithStops(cr, cairo_pattern_create_linear(B.x, 0, B.x + B.w, 0), Stops, Alpha);
}

void FillBox(cairo_t* cr, const Box& B, uint32_t Rgb, double Alpha) {
  cairo_rectangle(cr, B.x, B.y, B.w, B.h);
  SetColor(cr, Rgb, Alpha);
  cairo_fill(cr);
}

void Outline(cairo_t* cr, const Box& B, double Radius, uint32_t Rgb, double Alpha, int Round) {
  RoundedPath(cr, Box{B.x + 0.5, B.y + 0.5, B.w - 1, B.h - 1}, Radius, Round);
  SetColor(cr, Rgb, Alpha);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
}

void GlossyFace(cairo_t* cr, const Box& B, const FaceLook& Look, double Radius, int Round) {
  const Box inner{B.x + 1, B.y + 1, B.w - 2, B.h - 2};
  const double half = std::floor(inner.h * 0.42);
  cairo_save(cr);
  RoundedPath(cr, inner, Radius - 1, Round);
  cairo_clip(cr);
  FillGradient(cr, Box{inner.x, inner.y, inner.w, half}, {{0, Look.top0}, {1, Look.top1}});
  FillGradient(cr, Box{inner.x, inner.y + half, inner.w, inner.h - half}, {{0, Look.bottom0}, {1, Look.bottom1}});
  cairo_restore(cr);
  Outline(cr, inner, Radius - 1, Look.inner, Look.innerAlpha, Round);
  Outline(cr, B, Radius, Look.frame, 1.0, Round);
}

void DownTriangle(cairo_t* cr, const Box& B, double Width, uint32_t Rgb, double Alpha) {
  const double cx = B.x + B.w / 2, h = Width / 2, top = std::floor(B.y + (B.h - h) / 2);
  cairo_move_to(cr, cx - Width / 2, top);
  cairo_line_to(cr, cx + Width / 2, top);
  cairo_line_to(cr, cx, top + h);
  cairo_close_path(cr);
  SetColor(cr, Rgb, Alpha);
  cairo_fill(cr);
}

void UpTriangle(cairo_t* cr, const Box& B, double Width, uint32_t Rgb, double Alpha) {
  const double cx = B.x + B.w / 2, h = Width / 2, bottom = std::ceil(B.y + (B.h + h) / 2);
  cairo_move_to(cr, cx - Width / 2, bottom);
  cairo_line_to(cr, cx + Width / 2, bottom);
  cairo_line_to(cr, cx, bottom - h);
  cairo_close_path(cr);
  SetColor(cr, Rgb, Alpha);
  cairo_fill(cr);
}

void RightTriangle(cairo_t* cr, const Box& B, double Height, uint32_t Rgb, double Alpha) {
  const double cy = B.y + B.h / 2, w = Height / 2, left = std::floor(B.x + (B.w - w) / 2);
  cairo_move_to(cr, left, cy - Height / 2);
  cairo_line_to(cr, left, cy + Height / 2);
  cairo_line_to(cr, left + w, cy);
  cairo_close_path(cr);
  SetColor(cr, Rgb, Alpha);
  cairo_fill(cr);
}

void PixelRect(cairo_t* cr, double X, double Y, double W, double H, uint32_t Rgb, double Alpha) {
  FillBox(cr, Box{X, Y, W, H}, Rgb, Alpha);
}

uint32_t MixRgb(uint32_t A, uint32_t B, double T) {
  uint32_t out = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const double a = (A >> shift) & 0xFF, b = (B >> shift) & 0xFF;
    out |= static_cast<uint32_t>(std::lround(a + (b - a) * T)) << shift;
  }
  return out;
}
