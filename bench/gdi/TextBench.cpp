// 200 labels drawn with DrawText on a 741 x 436 surface, against cairo drawing the same strings
// in the same face and size; prints the time of each and their ratio.

#include <cairo.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "gdi/DcSurface.h"
#include "gdi/Gdi.h"

namespace {

constexpr int kWidth = 741;
constexpr int kHeight = 436;
constexpr int kLabels = 200;
constexpr int kPasses = 60;

std::vector<std::string> Labels() {
  const char* words[] = {"Convert", "Video", "Audio", "Bitrate", "Output folder", "Frame rate", "Profile",
                         "Windows Media", "Resolution", "Preview", "Settings", "Add files", "Remove", "Start"};
  std::vector<std::string> labels;
  for (int i = 0; i < kLabels; ++i) {
    labels.push_back(std::string(words[i % 14]) + " " + std::to_string(i) + ": " + words[(i * 5 + 3) % 14]);
  }
  return labels;
}

template <class F>
double BestMilliseconds(F&& pass) {
  double best = 1e30;
  for (int i = 0; i < kPasses; ++i) {
    auto start = std::chrono::steady_clock::now();
    pass();
    std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - start;
    best = std::min(best, elapsed.count());
  }
  return best;
}

double DrawTextPass(const std::vector<std::string>& labels) {
  std::vector<uint32_t> pixels(static_cast<size_t>(kWidth) * kHeight, 0xFFFFFFFF);
  HDC dc = CreateSurfaceDC(MakeSurface32(pixels.data(), kWidth, kHeight, kWidth * 4), POINT{0, 0}, nullptr);
  LOGFONT font;
  font.lfHeight = -11;
  std::snprintf(font.lfFaceName, LF_FACESIZE, "Tahoma");
  HFONT handle = CreateFontIndirect(&font);
  HGDIOBJ old = SelectObject(dc, handle);
  SetBkMode(dc, TRANSPARENT);
  double ms = BestMilliseconds([&] {
    for (int i = 0; i < kLabels; ++i) {
      RECT rect{(i % 4) * 185, (i / 4) * 8, (i % 4) * 185 + 180, (i / 4) * 8 + 16};
      DrawText(dc, labels[i].c_str(), -1, &rect, DT_SINGLELINE | DT_LEFT | DT_VCENTER | DT_NOPREFIX);
    }
  });
  SelectObject(dc, old);
  DeleteObject(handle);
  DeleteDC(dc);
  return ms;
}

double CairoPass(const std::vector<std::string>& labels) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kWidth, kHeight);
  cairo_t* cr = cairo_create(surface);
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_paint(cr);
  cairo_select_font_face(cr, "Liberation Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, 11);
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
  cairo_set_font_options(cr, options);
  cairo_set_source_rgb(cr, 0, 0, 0);
  double ms = BestMilliseconds([&] {
    for (int i = 0; i < kLabels; ++i) {
      cairo_move_to(cr, (i % 4) * 185, (i / 4) * 8 + 12);
      cairo_show_text(cr, labels[i].c_str());
    }
    cairo_surface_flush(surface);
  });
  cairo_font_options_destroy(options);
  cairo_destroy(cr);
  cairo_surface_destroy(surface);
  return ms;
}

}  // namespace

void RunTextBench() {
  std::vector<std::string> labels = Labels();
  double ours = DrawTextPass(labels);
  double cairo = CairoPass(labels);
  std::printf("text: %d labels, DrawText %.3f ms, cairo %.3f ms, DrawText/cairo %.2f (goal: at most 1.0)\n", kLabels,
              ours, cairo, ours / cairo);
}
