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
double Milliseconds(F&& pass) {
  auto start = std::chrono::steady_clock::now();
  pass();
  std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - start;
  return elapsed.count();
}

// A DC with the interface font over its own pixels.
class TextTarget {
 public:
  TextTarget() : pixels_(static_cast<size_t>(kWidth) * kHeight, 0xFFFFFFFF) {
    dc_ = CreateSurfaceDC(MakeSurface32(pixels_.data(), kWidth, kHeight, kWidth * 4), POINT{0, 0}, nullptr);
    LOGFONT font;
    font.lfHeight = -11;
    std::snprintf(font.lfFaceName, LF_FACESIZE, "Tahoma");
    font_ = CreateFontIndirect(&font);
    old_ = SelectObject(dc_, font_);
    SetBkMode(dc_, TRANSPARENT);
  }
  ~TextTarget() {
    SelectObject(dc_, old_);
    DeleteObject(font_);
    DeleteDC(dc_);
  }
  void Pass(const std::vector<std::string>& labels) {
    for (int i = 0; i < kLabels; ++i) {
      RECT rect{(i % 4) * 185, (i / 4) * 8, (i % 4) * 185 + 180, (i / 4) * 8 + 16};
      DrawText(dc_, labels[i].c_str(), -1, &rect, DT_SINGLELINE | DT_LEFT | DT_VCENTER | DT_NOPREFIX);
    }
  }

 private:
  std::vector<uint32_t> pixels_;
  HDC dc_;
  HFONT font_;
  HGDIOBJ old_;
};

// The same strings through cairo's text API, in the face the interface font maps to.
class CairoTarget {
 public:
  CairoTarget() {
    surface_ = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kWidth, kHeight);
    cr_ = cairo_create(surface_);
    cairo_set_source_rgb(cr_, 1, 1, 1);
    cairo_paint(cr_);
    cairo_select_font_face(cr_, "Liberation Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr_, 11);
    options_ = cairo_font_options_create();
    cairo_font_options_set_antialias(options_, CAIRO_ANTIALIAS_GRAY);
    cairo_set_font_options(cr_, options_);
    cairo_set_source_rgb(cr_, 0, 0, 0);
  }
  ~CairoTarget() {
    cairo_font_options_destroy(options_);
    cairo_destroy(cr_);
    cairo_surface_destroy(surface_);
  }
  void Pass(const std::vector<std::string>& labels) {
    for (int i = 0; i < kLabels; ++i) {
      cairo_move_to(cr_, (i % 4) * 185, (i / 4) * 8 + 12);
      cairo_show_text(cr_, labels[i].c_str());
    }
    cairo_surface_flush(surface_);
  }

 private:
  cairo_surface_t* surface_;
  cairo_t* cr_;
  cairo_font_options_t* options_;
};

}  // namespace

void RunTextBench() {
  std::vector<std::string> labels = Labels();
  TextTarget ours;
  CairoTarget cairo;
  // Warm both glyph caches, then alternate the passes so that both see the same machine.
  ours.Pass(labels);
  cairo.Pass(labels);
  double bestOurs = 1e30, bestCairo = 1e30;
  for (int i = 0; i < kPasses; ++i) {
    bestOurs = std::min(bestOurs, Milliseconds([&] { ours.Pass(labels); }));
    bestCairo = std::min(bestCairo, Milliseconds([&] { cairo.Pass(labels); }));
  }
  std::printf("text: %d labels, DrawText %.3f ms, cairo %.3f ms, DrawText/cairo %.2f (goal: at most 1.0)\n", kLabels,
              bestOurs, bestCairo, bestOurs / bestCairo);
}
