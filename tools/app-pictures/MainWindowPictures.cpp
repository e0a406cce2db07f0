#include "MainWindowPictures.h"

#include <cmath>
#include <functional>

#include "Bmp.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

struct Colour {
  double r, g, b;
};
Colour Hex(unsigned v) { return {((v >> 16) & 0xFF) / 255.0, ((v >> 8) & 0xFF) / 255.0, (v & 0xFF) / 255.0}; }

void Source(cairo_t* cr, unsigned v, double alpha = 1) {
  Colour c = Hex(v);
  cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}

// A vertical gradient from `top` to `bottom` between y0 and y1.
void Vertical(cairo_t* cr, double y0, double y1, unsigned top, unsigned bottom) {
  cairo_pattern_t* p = cairo_pattern_create_linear(0, y0, 0, y1);
  Colour a = Hex(top), b = Hex(bottom);
  cairo_pattern_add_color_stop_rgb(p, 0, a.r, a.g, a.b);
  cairo_pattern_add_color_stop_rgb(p, 1, b.r, b.g, b.b);
  cairo_set_source(cr, p);
  cairo_pattern_destroy(p);
}

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + w - r, y + r, r, -kPi / 2, 0);
  cairo_arc(cr, x + w - r, y + h - r, r, 0, kPi / 2);
  cairo_arc(cr, x + r, y + h - r, r, kPi / 2, kPi);
  cairo_arc(cr, x + r, y + r, r, kPi, 3 * kPi / 2);
  cairo_close_path(cr);
}

// Draws on a transparent (or, with `background`, filled) surface and returns its file.
std::vector<uint8_t> Draw(int w, int h, bool alpha, const std::function<void(cairo_t*)>& paint, unsigned background = 0) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
  cairo_t* cr = cairo_create(surface);
  if (!alpha) {
    Source(cr, background);
    cairo_paint(cr);
  }
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  paint(cr);
  cairo_destroy(cr);
  std::vector<uint8_t> file = alpha ? AlphaBmp(surface) : OpaqueBmp(surface);
  cairo_surface_destroy(surface);
  return file;
}

// ---- Command images --------------------------------------------------------------------------

// A strip of film: a dark band with sprocket holes and a sky-blue frame.
void FilmStrip(cairo_t* cr, double x, double y, double w, double h) {
  RoundedRect(cr, x, y, w, h, 2.5);
  Vertical(cr, y, y + h, 0x4a5566, 0x262d37);
  cairo_fill_preserve(cr);
  Source(cr, 0x1b2028);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  const double hole = 2.4, band = (h - 2 * hole - 4) / 2;
  for (double hx = x + 2.5; hx + hole <= x + w - 1.5; hx += 4.5) {
    Source(cr, 0xe9edf2);
    cairo_rectangle(cr, hx, y + 1.6, hole, hole - 0.4);
    cairo_rectangle(cr, hx, y + h - 1.6 - hole + 0.4, hole, hole - 0.4);
    cairo_fill(cr);
  }
  const double fy = y + 2 + hole + 0.5, fh = h - 2 * (2 + hole + 0.5);
  (void)band;
  RoundedRect(cr, x + 2.5, fy, w - 5, fh, 1);
  Vertical(cr, fy, fy + fh, 0x9fd0ff, 0x3c82d0);
  cairo_fill(cr);
  // A hill in the frame, so it reads as a picture.
  cairo_move_to(cr, x + 2.5, fy + fh);
  cairo_curve_to(cr, x + w * 0.35, fy + fh * 0.35, x + w * 0.55, fy + fh * 0.45, x + w - 2.5, fy + fh * 0.6);
  cairo_line_to(cr, x + w - 2.5, fy + fh);
  cairo_close_path(cr);
  Source(cr, 0x4f9a45);
  cairo_fill(cr);
}

// A round badge in the lower right with a white rim.
void Badge(cairo_t* cr, unsigned top, unsigned bottom) {
  cairo_arc(cr, 23, 23, 8, 0, 2 * kPi);
  Source(cr, 0xffffff);
  cairo_fill(cr);
  cairo_arc(cr, 23, 23, 6.6, 0, 2 * kPi);
  Vertical(cr, 16.4, 29.6, top, bottom);
  cairo_fill(cr);
}

void WhiteStroke(cairo_t* cr, double width) {
  Source(cr, 0xffffff);
  cairo_set_line_width(cr, width);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_stroke(cr);
}

void Add(cairo_t* cr) {
  FilmStrip(cr, 2, 4, 24, 19);
  Badge(cr, 0x5fd068, 0x23902f);
  cairo_move_to(cr, 23, 19.2);
  cairo_line_to(cr, 23, 26.8);
  cairo_move_to(cr, 19.2, 23);
  cairo_line_to(cr, 26.8, 23);
  WhiteStroke(cr, 2.4);
}

void Delete(cairo_t* cr) {
  FilmStrip(cr, 2, 4, 24, 19);
  Badge(cr, 0xf2665a, 0xc0281e);
  cairo_move_to(cr, 20.2, 20.2);
  cairo_line_to(cr, 25.8, 25.8);
  cairo_move_to(cr, 25.8, 20.2);
  cairo_line_to(cr, 20.2, 25.8);
  WhiteStroke(cr, 2.4);
}

// A broom leaning over the strip: a wooden handle and a fan of straw.
void Clear(cairo_t* cr) {
  FilmStrip(cr, 2, 4, 24, 19);
  cairo_move_to(cr, 29.5, 9);
  cairo_line_to(cr, 20.5, 20.5);
  Source(cr, 0x5b3a1c);
  cairo_set_line_width(cr, 3.2);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_stroke_preserve(cr);
  Vertical(cr, 9, 20, 0xd7a063, 0x9a6430);
  cairo_set_line_width(cr, 1.8);
  cairo_stroke(cr);
  cairo_move_to(cr, 18.2, 18.4);
  cairo_line_to(cr, 23.2, 22.4);
  cairo_line_to(cr, 20.5, 30.5);
  cairo_curve_to(cr, 16.5, 30.5, 12.5, 28.5, 10.5, 26.5);
  cairo_close_path(cr);
  Vertical(cr, 18, 30.5, 0xffe07a, 0xd9a21f);
  cairo_fill_preserve(cr);
  Source(cr, 0x8a6410);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  Source(cr, 0xa87c18);
  for (double t : {0.3, 0.55, 0.8}) {
    cairo_move_to(cr, 18.2 + 5 * t, 18.4 + 4 * t);
    cairo_line_to(cr, 10.5 + 10 * t, 26.5 + 4 * t);
  }
  cairo_set_line_width(cr, 0.8);
  cairo_stroke(cr);
  cairo_move_to(cr, 17.6, 18.8);
  cairo_line_to(cr, 23.6, 23.4);
  Source(cr, 0xc0392b);
  cairo_set_line_width(cr, 2);
  cairo_stroke(cr);
}

// A sun, bright on the left and dark on the right.
void Effect(cairo_t* cr) {
  const double cx = 16, cy = 16;
  for (int i = 0; i < 12; ++i) {
    const double a = i * kPi / 6 + kPi / 12;
    cairo_move_to(cr, cx + 10 * std::cos(a), cy + 10 * std::sin(a));
    cairo_line_to(cr, cx + 14 * std::cos(a), cy + 14 * std::sin(a));
    std::cos(a) < 0 ? Source(cr, 0xf2a413) : Source(cr, 0x4a505c);
    cairo_set_line_width(cr, 2.4);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
  }
  cairo_arc(cr, cx, cy, 7.8, kPi / 2, 3 * kPi / 2);
  cairo_close_path(cr);
  Vertical(cr, 8, 24, 0xffe066, 0xf29a0e);
  cairo_fill(cr);
  cairo_arc(cr, cx, cy, 7.8, -kPi / 2, kPi / 2);
  cairo_close_path(cr);
  Vertical(cr, 8, 24, 0x6b7280, 0x2f343d);
  cairo_fill(cr);
  cairo_arc(cr, cx, cy, 7.8, 0, 2 * kPi);
  Source(cr, 0x3a3f48, 0.6);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
}

// Scissors, open, points up.
void Trim(cairo_t* cr) {
  auto blade = [cr](double fromX, double toX) {
    cairo_move_to(cr, fromX, 19);
    cairo_line_to(cr, toX, 3);
    cairo_line_to(cr, toX + (toX < fromX ? 4.2 : -4.2), 5.4);
    cairo_close_path(cr);
    cairo_pattern_t* p = cairo_pattern_create_linear(8, 0, 24, 0);
    cairo_pattern_add_color_stop_rgb(p, 0, 0.93, 0.95, 0.97);
    cairo_pattern_add_color_stop_rgb(p, 1, 0.56, 0.61, 0.68);
    cairo_set_source(cr, p);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(p);
    Source(cr, 0x4b5360);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
  };
  blade(18.5, 9);
  blade(13.5, 23);
  for (double x : {10.0, 22.0}) {
    cairo_arc(cr, x, 24.5, 4.6, 0, 2 * kPi);
    Source(cr, 0xc0281e);
    cairo_set_line_width(cr, 3.2);
    cairo_stroke_preserve(cr);
    Source(cr, 0xf06a5e);
    cairo_set_line_width(cr, 1.4);
    cairo_stroke(cr);
  }
  cairo_move_to(cr, 12.6, 20.6);
  cairo_line_to(cr, 14.6, 18.2);
  cairo_move_to(cr, 19.4, 20.6);
  cairo_line_to(cr, 17.4, 18.2);
  Source(cr, 0xc0281e);
  cairo_set_line_width(cr, 3);
  cairo_stroke(cr);
  cairo_arc(cr, 16, 15.6, 1.5, 0, 2 * kPi);
  Source(cr, 0x2f343d);
  cairo_fill(cr);
}

// Two crop corners around a picture.
void Crop(cairo_t* cr) {
  cairo_rectangle(cr, 9.5, 9.5, 13, 13);
  Vertical(cr, 9.5, 22.5, 0x9fd0ff, 0x3c82d0);
  cairo_fill(cr);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_SQUARE);
  cairo_set_line_width(cr, 3.4);
  cairo_move_to(cr, 8, 2.5);
  cairo_line_to(cr, 8, 24);
  cairo_line_to(cr, 29.5, 24);
  Source(cr, 0x3a414c);
  cairo_stroke(cr);
  cairo_move_to(cr, 2.5, 8);
  cairo_line_to(cr, 24, 8);
  cairo_line_to(cr, 24, 29.5);
  Source(cr, 0x2a6fc0);
  cairo_stroke(cr);
}

// A blue disc with a highlight, for Help and About.
void Disc(cairo_t* cr) {
  cairo_arc(cr, 16, 16, 14, 0, 2 * kPi);
  Vertical(cr, 2, 30, 0x6fb2ff, 0x1a56b0);
  cairo_fill_preserve(cr);
  Source(cr, 0x153f85);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  cairo_save(cr);
  cairo_translate(cr, 16, 9.5);
  cairo_scale(cr, 10.5, 6);
  cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
  cairo_restore(cr);
  cairo_pattern_t* p = cairo_pattern_create_linear(0, 3.5, 0, 15.5);
  cairo_pattern_add_color_stop_rgba(p, 0, 1, 1, 1, 0.55);
  cairo_pattern_add_color_stop_rgba(p, 1, 1, 1, 1, 0.05);
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
}

void Help(cairo_t* cr) {
  Disc(cr);
  cairo_arc(cr, 16, 12.2, 4.6, kPi * 1.05, kPi * 2.25);
  cairo_curve_to(cr, 18.6, 15.8, 16, 16.2, 16, 19.2);
  WhiteStroke(cr, 3.2);
  cairo_arc(cr, 16, 24, 2, 0, 2 * kPi);
  Source(cr, 0xffffff);
  cairo_fill(cr);
}

void About(cairo_t* cr) {
  Disc(cr);
  cairo_arc(cr, 16, 8.8, 2.2, 0, 2 * kPi);
  Source(cr, 0xffffff);
  cairo_fill(cr);
  cairo_move_to(cr, 13.2, 13.4);
  cairo_line_to(cr, 17.6, 13.4);
  cairo_line_to(cr, 17.6, 23.2);
  cairo_move_to(cr, 13.6, 23.8);
  cairo_line_to(cr, 20.2, 23.8);
  WhiteStroke(cr, 2.8);
}

// ---- Button glyphs ---------------------------------------------------------------------------

void Folder(cairo_t* cr) {
  cairo_move_to(cr, 1.5, 3.5);
  cairo_line_to(cr, 6, 3.5);
  cairo_line_to(cr, 7.5, 5);
  cairo_line_to(cr, 14.5, 5);
  cairo_line_to(cr, 14.5, 13.5);
  cairo_line_to(cr, 1.5, 13.5);
  cairo_close_path(cr);
  Source(cr, 0xd99a2b);
  cairo_fill_preserve(cr);
  Source(cr, 0xa06a12);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  cairo_move_to(cr, 1.5, 13.5);
  cairo_line_to(cr, 3.2, 7.5);
  cairo_line_to(cr, 15.5, 7.5);
  cairo_line_to(cr, 14.5, 13.5);
  cairo_close_path(cr);
  Vertical(cr, 7.5, 13.5, 0xffdc7a, 0xf0b43c);
  cairo_fill_preserve(cr);
  Source(cr, 0xa06a12);
  cairo_stroke(cr);
}

void Sliders(cairo_t* cr) {
  const double rows[3] = {3.5, 8, 12.5}, knobs[3] = {5, 11, 7.5};
  for (int i = 0; i < 3; ++i) {
    cairo_move_to(cr, 1.5, rows[i]);
    cairo_line_to(cr, 14.5, rows[i]);
    Source(cr, 0x5b626d);
    cairo_set_line_width(cr, 1.4);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
  }
  for (int i = 0; i < 3; ++i) {
    RoundedRect(cr, knobs[i] - 1.8, rows[i] - 2.7, 3.6, 5.4, 1);
    Vertical(cr, rows[i] - 2.7, rows[i] + 2.7, 0x7fb8f5, 0x2a6fc0);
    cairo_fill_preserve(cr);
    Source(cr, 0x1d4f8c);
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
  }
}

// The Convert glyph: a round green arrow over a strip of film.
void Convert(cairo_t* cr) {
  FilmStrip(cr, 8, 14, 40, 30);
  const double cx = 40, cy = 30, r = 13;
  auto arc = [&] {
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, r, kPi * 0.95, kPi * 2.45);
  };
  arc();
  Source(cr, 0xffffff);
  cairo_set_line_width(cr, 8.5);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_stroke(cr);
  arc();
  cairo_set_line_width(cr, 5.5);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
  Vertical(cr, cy - r, cy + r, 0x5fd068, 0x1f8a2c);
  cairo_stroke(cr);
  // The head at the end of the arc, pointing along it.
  const double a = kPi * 2.45, ex = cx + r * std::cos(a), ey = cy + r * std::sin(a);
  const double tx = -std::sin(a), ty = std::cos(a), nx = std::cos(a), ny = std::sin(a);
  cairo_move_to(cr, ex + 7.5 * tx, ey + 7.5 * ty);
  cairo_line_to(cr, ex + 6.8 * nx - 1 * tx, ey + 6.8 * ny - 1 * ty);
  cairo_line_to(cr, ex - 6.8 * nx - 1 * tx, ey - 6.8 * ny - 1 * ty);
  cairo_close_path(cr);
  Source(cr, 0xffffff);
  cairo_set_line_width(cr, 3);
  cairo_stroke_preserve(cr);
  Source(cr, 0x23902f);
  cairo_fill(cr);
}

// ---- Preview pane ----------------------------------------------------------------------------

// Shown while nothing plays: a dark screen with a faint play sign.
void Still(cairo_t* cr) {
  cairo_pattern_t* p = cairo_pattern_create_radial(120, 80, 10, 120, 90, 160);
  cairo_pattern_add_color_stop_rgb(p, 0, 0.17, 0.22, 0.30);
  cairo_pattern_add_color_stop_rgb(p, 1, 0.03, 0.04, 0.06);
  cairo_set_source(cr, p);
  cairo_paint(cr);
  cairo_pattern_destroy(p);
  for (int i = 0; i < 11; ++i) {
    cairo_rectangle(cr, 8 + i * 21.5, 6, 11, 7);
    cairo_rectangle(cr, 8 + i * 21.5, 167, 11, 7);
  }
  Source(cr, 0xffffff, 0.08);
  cairo_fill(cr);
  cairo_arc(cr, 120, 90, 30, 0, 2 * kPi);
  Source(cr, 0xffffff, 0.10);
  cairo_fill_preserve(cr);
  Source(cr, 0xffffff, 0.35);
  cairo_set_line_width(cr, 2);
  cairo_stroke(cr);
  cairo_move_to(cr, 111, 75);
  cairo_line_to(cr, 135, 90);
  cairo_line_to(cr, 111, 105);
  cairo_close_path(cr);
  Source(cr, 0xffffff, 0.55);
  cairo_fill(cr);
}

void Bar(cairo_t* cr) {
  RoundedRect(cr, 0.5, 1.5, 213, 5, 2.5);
  Vertical(cr, 1.5, 6.5, 0x15181d, 0x3a404a);
  cairo_fill_preserve(cr);
  Source(cr, 0x5d6570);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
}

void Knob(cairo_t* cr) {
  RoundedRect(cr, 0.5, 0.5, 5, 13, 1.5);
  cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, 6, 0);
  cairo_pattern_add_color_stop_rgb(p, 0, 0.98, 0.99, 1);
  cairo_pattern_add_color_stop_rgb(p, 1, 0.62, 0.67, 0.74);
  cairo_set_source(cr, p);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(p);
  Source(cr, 0x8a93a0);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
}

void RoundButton(cairo_t* cr, const std::function<void()>& glyph) {
  cairo_arc(cr, 9, 9, 8.3, 0, 2 * kPi);
  Vertical(cr, 0.7, 17.3, 0x5b6677, 0x222831);
  cairo_fill_preserve(cr);
  Source(cr, 0x8994a5);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  glyph();
  Source(cr, 0xffffff);
  cairo_fill(cr);
}

}  // namespace

std::vector<NamedPicture> MainWindowPictures() {
  std::vector<NamedPicture> pictures;
  const std::pair<const char*, void (*)(cairo_t*)> commands[] = {
      {"command_add.bmp", Add},   {"command_delete.bmp", Delete}, {"command_clear.bmp", Clear},
      {"command_effect.bmp", Effect}, {"command_trim.bmp", Trim},  {"command_crop.bmp", Crop},
      {"command_help.bmp", Help}, {"command_about.bmp", About}};
  for (const auto& [name, paint] : commands) pictures.push_back({name, Draw(32, 32, true, paint)});
  pictures.push_back({"glyph_browse.bmp", Draw(16, 16, true, Folder)});
  pictures.push_back({"glyph_advance.bmp", Draw(16, 16, true, Sliders)});
  pictures.push_back({"glyph_convert.bmp", Draw(64, 56, true, Convert)});
  pictures.push_back({"preview_still.bmp", Draw(240, 180, false, Still)});
  pictures.push_back({"preview_bar.bmp", Draw(214, 8, false, Bar)});
  pictures.push_back({"preview_knob.bmp", Draw(6, 14, false, Knob)});
  pictures.push_back({"main_play.bmp", Draw(18, 18, false, [](cairo_t* cr) {
                        RoundButton(cr, [cr] {
                          cairo_move_to(cr, 7, 5);
                          cairo_line_to(cr, 13, 9);
                          cairo_line_to(cr, 7, 13);
                          cairo_close_path(cr);
                        });
                      })});
  pictures.push_back({"main_pause.bmp", Draw(18, 18, false, [](cairo_t* cr) {
                        RoundButton(cr, [cr] {
                          cairo_rectangle(cr, 6, 5, 2.3, 8);
                          cairo_rectangle(cr, 9.7, 5, 2.3, 8);
                        });
                      })});
  return pictures;
}
