// Draws the pictures of the toolkit's image and blob editors as 24-bit .bmp files whose transparent
// parts are a key colour:
//   editor-pictures <output folder>
// The image editor's menu images (16 x 16, keyed on magenta, their bottom-left pixel): scissors,
// two sheets, a clipboard, a red cross, an open folder and a disk. The blob editor's glyphs
// (18 x 16, keyed on olive, the colour $008080): a binary sheet, a text sheet, a landscape and an
// object box, each once filled (a value) and once as an empty grey outline (no value).

#include <cairo.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "tools/app-pictures/Bmp.h"

namespace {

const Rgb kMenuKey{255, 0, 255};
const Rgb kBlobKey{128, 128, 0};
// Edge pixels that are partly covered are mixed with a light menu background.
const Rgb kEdgeBackground{244, 244, 244};

void Color(cairo_t* cr, uint32_t rgb, double alpha = 1.0) {
  cairo_set_source_rgba(cr, ((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0, alpha);
}

// A box on the pixel grid: filled in `fill`, outlined inside its edge in `line`.
void Box(cairo_t* cr, double x, double y, double w, double h, uint32_t fill, uint32_t line) {
  Color(cr, fill);
  cairo_rectangle(cr, x, y, w, h);
  cairo_fill(cr);
  Color(cr, line);
  cairo_set_line_width(cr, 1);
  cairo_rectangle(cr, x + 0.5, y + 0.5, w - 1, h - 1);
  cairo_stroke(cr);
}

void Pixels(cairo_t* cr, double x, double y, double w, double h, uint32_t rgb) {
  Color(cr, rgb);
  cairo_rectangle(cr, x, y, w, h);
  cairo_fill(cr);
}

// A vertical gradient through two colours filling the current path.
void FillGradient(cairo_t* cr, double top, double bottom, uint32_t from, uint32_t to) {
  cairo_pattern_t* p = cairo_pattern_create_linear(0, top, 0, bottom);
  auto stop = [p](double at, uint32_t c) {
    cairo_pattern_add_color_stop_rgb(p, at, ((c >> 16) & 0xFF) / 255.0, ((c >> 8) & 0xFF) / 255.0, (c & 0xFF) / 255.0);
  };
  stop(0, from);
  stop(1, to);
  cairo_set_source(cr, p);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(p);
}

// A sheet of paper with its top-right corner folded, outlined on the pixel grid: (x, y) is its
// top-left pixel. Filled = false leaves it as an outline on the key.
void Sheet(cairo_t* cr, int x, int y, int w, int h, int fold, bool filled, uint32_t line) {
  const double l = x + 0.5, t = y + 0.5, r = x + w - 0.5, b = y + h - 0.5;
  cairo_move_to(cr, l, t);
  cairo_line_to(cr, r - fold, t);
  cairo_line_to(cr, r, t + fold);
  cairo_line_to(cr, r, b);
  cairo_line_to(cr, l, b);
  cairo_close_path(cr);
  if (filled) FillGradient(cr, t, b, 0xFFFFFF, 0xE6ECF4);
  Color(cr, line);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  // The fold.
  cairo_move_to(cr, r - fold, t);
  cairo_line_to(cr, r - fold, t + fold);
  cairo_line_to(cr, r, t + fold);
  if (filled) {
    Color(cr, 0xD4DCE8);
    cairo_fill_preserve(cr);
  }
  Color(cr, line);
  cairo_stroke(cr);
}

// Short text lines on a sheet.
void TextLines(cairo_t* cr, int x, int y, const std::vector<int>& lengths, uint32_t rgb) {
  for (size_t i = 0; i < lengths.size(); ++i) Pixels(cr, x, y + 2 * int(i), lengths[i], 1, rgb);
}

struct Picture {
  int width, height;
  Rgb key;
  std::function<void(cairo_t*)> draw;
};

std::vector<uint8_t> Render(const Picture& p) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, p.width, p.height);
  cairo_t* cr = cairo_create(surface);
  p.draw(cr);
  cairo_destroy(cr);
  cairo_surface_flush(surface);
  const uint8_t* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  std::vector<uint8_t> file = BmpFile(p.width, p.height, [&](int x, int y) {
    const uint32_t v = reinterpret_cast<const uint32_t*>(data + size_t(y) * size_t(stride))[x];
    const int a = int(v >> 24);
    // The bottom-left pixel is the key of every picture, whatever was drawn there.
    if (a < 100 || (x == 0 && y == p.height - 1)) return p.key;
    auto straight = [a](uint32_t c) { return int(std::min<uint32_t>(255, (c * 255 + a / 2) / a)); };
    const Rgb ink{straight((v >> 16) & 0xFF), straight((v >> 8) & 0xFF), straight(v & 0xFF)};
    return Mix(kEdgeBackground, ink, a / 255.0);
  });
  cairo_surface_destroy(surface);
  return file;
}

// ---- The image editor's menu -----------------------------------------------------------------

// Two steel blades crossing above two dark red handle rings.
void Scissors(cairo_t* cr) {
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  for (int side : {-1, 1}) {
    const double tipX = 8 - side * 3.2, ringX = 8 + side * 3.0;
    cairo_move_to(cr, tipX, 1.2);
    cairo_line_to(cr, ringX - side * 0.6, 9.2);
    Color(cr, 0x5C6470);
    cairo_set_line_width(cr, 2.2);
    cairo_stroke_preserve(cr);
    Color(cr, 0xC9D0D8);
    cairo_set_line_width(cr, 0.9);
    cairo_stroke(cr);
  }
  Pixels(cr, 7, 6, 2, 2, 0x3C4450);  // the pivot
  for (int side : {-1, 1}) {
    cairo_arc(cr, 8 + side * 3.6, 12, 2.6, 0, 2 * M_PI);
    Color(cr, 0xB02020);
    cairo_set_line_width(cr, 1.8);
    cairo_stroke(cr);
  }
}

void TwoSheets(cairo_t* cr) {
  Sheet(cr, 1, 1, 9, 11, 3, true, 0x5A6E8C);
  TextLines(cr, 3, 5, {5, 4, 5}, 0x9AAAC4);
  Sheet(cr, 6, 4, 9, 11, 3, true, 0x3C5478);
  TextLines(cr, 8, 8, {5, 4, 5}, 0x7088B0);
}

// A brown board with a silver clip and a sheet on it.
void ClipboardPicture(cairo_t* cr) {
  cairo_rectangle(cr, 2.5, 2.5, 11, 12);
  FillGradient(cr, 2, 15, 0xC8945A, 0x9A6630);
  Color(cr, 0x6A4420);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  Box(cr, 4, 5, 8, 9, 0xFFFFFF, 0x8C98A8);
  TextLines(cr, 5, 8, {6, 4, 5}, 0x8CA0C0);
  // The clip.
  cairo_rectangle(cr, 5.5, 1.5, 5, 3);
  FillGradient(cr, 1, 5, 0xF0F2F6, 0xA8B0BC);
  Color(cr, 0x50586A);
  cairo_stroke(cr);
  Pixels(cr, 7, 0, 2, 2, 0x50586A);
}

// A bold red cross with a dark rim.
void RedCross(cairo_t* cr) {
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  for (int pass = 0; pass < 2; ++pass) {
    cairo_move_to(cr, 3.5, 3.5);
    cairo_line_to(cr, 12.5, 12.5);
    cairo_move_to(cr, 12.5, 3.5);
    cairo_line_to(cr, 3.5, 12.5);
    Color(cr, pass == 0 ? 0x8A1010 : 0xE8403A);
    cairo_set_line_width(cr, pass == 0 ? 4.2 : 2.4);
    cairo_stroke(cr);
  }
  cairo_move_to(cr, 4.2, 4.0);
  cairo_line_to(cr, 7.0, 6.8);
  Color(cr, 0xFFB0A8, 0.9);
  cairo_set_line_width(cr, 0.8);
  cairo_stroke(cr);
}

// A yellow folder with its front flap opened towards the viewer.
void OpenFolder(cairo_t* cr) {
  // Back and tab.
  cairo_move_to(cr, 1.5, 13.5);
  cairo_line_to(cr, 1.5, 3.5);
  cairo_line_to(cr, 5.5, 3.5);
  cairo_line_to(cr, 6.5, 4.5);
  cairo_line_to(cr, 12.5, 4.5);
  cairo_line_to(cr, 12.5, 13.5);
  cairo_close_path(cr);
  FillGradient(cr, 3, 14, 0xF2CE6A, 0xD9A530);
  Color(cr, 0x9A6A10);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  // A sheet standing in it.
  Box(cr, 3, 6, 8, 5, 0xFFFFFF, 0xA8B0BC);
  // The front flap, slanted open.
  cairo_move_to(cr, 1.5, 13.5);
  cairo_line_to(cr, 4.5, 8.5);
  cairo_line_to(cr, 15.5, 8.5);
  cairo_line_to(cr, 12.5, 13.5);
  cairo_close_path(cr);
  FillGradient(cr, 8, 14, 0xFFE79A, 0xF0BE48);
  Color(cr, 0x9A6A10);
  cairo_stroke(cr);
}

// A blue disk with a metal shutter at the top and a white label below.
void Disk(cairo_t* cr) {
  cairo_move_to(cr, 1.5, 1.5);
  cairo_line_to(cr, 12.5, 1.5);
  cairo_line_to(cr, 14.5, 3.5);
  cairo_line_to(cr, 14.5, 14.5);
  cairo_line_to(cr, 1.5, 14.5);
  cairo_close_path(cr);
  FillGradient(cr, 1, 15, 0x5A8AD8, 0x23508F);
  Color(cr, 0x173866);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  Box(cr, 4, 2, 8, 5, 0xDDE2EA, 0x7C8696);  // shutter
  Pixels(cr, 9, 3, 2, 3, 0x3C4658);          // its window
  Box(cr, 3, 9, 10, 5, 0xFFFFFF, 0xB8C4D8);  // label
  TextLines(cr, 5, 11, {6}, 0x9AAAC4);
}

// ---- The blob editor's glyphs ----------------------------------------------------------------

const uint32_t kEmptyLine = 0x8C8C8C;

// A sheet with rows of ones and zeros.
void BinarySheet(cairo_t* cr, bool value) {
  Sheet(cr, 3, 1, 12, 14, 3, value, value ? 0x4A5E80 : kEmptyLine);
  if (!value) return;
  const char* rows[] = {"1011", "0110", "1101", "0101", "1001"};
  for (int r = 0; r < 5; ++r)
    for (int c = 0; c < 4; ++c) {
      const int x = 5 + c * 2, y = 5 + r * 2;
      if (rows[r][c] == '1')
        Pixels(cr, x, y, 1, 1, 0x2C4470);
      else
        Pixels(cr, x, y, 1, 1, 0x8CA0C8);
    }
  Pixels(cr, 5, 3, 4, 1, 0x2C4470);
}

void TextSheet(cairo_t* cr, bool value) {
  Sheet(cr, 3, 1, 12, 14, 3, value, value ? 0x4A5E80 : kEmptyLine);
  if (value) TextLines(cr, 5, 4, {5, 8, 7, 8, 5}, 0x54709C);
}

// Sky, sun and green hills in a frame.
void Landscape(cairo_t* cr, bool value) {
  if (!value) {
    Color(cr, kEmptyLine);
    cairo_set_line_width(cr, 1);
    cairo_rectangle(cr, 1.5, 2.5, 15, 11);
    cairo_stroke(cr);
    return;
  }
  cairo_rectangle(cr, 2, 3, 14, 10);
  FillGradient(cr, 3, 13, 0x6AA8F0, 0xCDE6FF);
  cairo_new_path(cr);
  cairo_arc(cr, 12.5, 6, 1.8, 0, 2 * M_PI);
  Color(cr, 0xFFD23A);
  cairo_fill(cr);
  cairo_move_to(cr, 2, 13);
  cairo_curve_to(cr, 4, 8, 7, 8, 10, 11);
  cairo_curve_to(cr, 12, 9, 14, 9, 16, 11);
  cairo_line_to(cr, 16, 13);
  cairo_close_path(cr);
  FillGradient(cr, 8, 13, 0x5EB04A, 0x2E7A2A);
  cairo_new_path(cr);
  Color(cr, 0x3C4C68);
  cairo_set_line_width(cr, 1);
  cairo_rectangle(cr, 1.5, 2.5, 15, 11);
  cairo_stroke(cr);
}

// A closed box seen from above the front-left corner.
void ObjectBox(cairo_t* cr, bool value) {
  const double l = 2.5, m = 9.5, r = 16.5, top = 1.5, mid = 5.0, low = 14.5;
  auto face = [&](std::initializer_list<std::pair<double, double>> points, uint32_t from, uint32_t to) {
    bool first = true;
    for (auto [x, y] : points) {
      if (first) cairo_move_to(cr, x, y);
      else cairo_line_to(cr, x, y);
      first = false;
    }
    cairo_close_path(cr);
    if (value) FillGradient(cr, top, low, from, to);
    Color(cr, value ? 0x6A4A1C : kEmptyLine);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
  };
  face({{l, mid - 1.5}, {m - 3.5, top}, {r, top}, {m + 3.5, mid - 1.5}}, 0xF6D9A4, 0xE8C07A);  // lid
  face({{l, mid - 1.5}, {m + 3.5, mid - 1.5}, {m + 3.5, low}, {l, low}}, 0xE2B066, 0xC08838);  // front
  face({{m + 3.5, mid - 1.5}, {r, top}, {r, low - 3.5}, {m + 3.5, low}}, 0xB88036, 0x966222);  // side
  if (value) Pixels(cr, 3, 7, 10, 1, 0xA07028);  // the tape
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: editor-pictures <output folder>\n");
    return 2;
  }
  const std::string folder = argv[1];
  struct Output {
    const char* name;
    Picture picture;
  };
  auto blob = [](void (*draw)(cairo_t*, bool), bool value) {
    return Picture{18, 16, kBlobKey, [draw, value](cairo_t* cr) { draw(cr, value); }};
  };
  const Output outputs[] = {
      {"kvmenuimage_cut.bmp", {16, 16, kMenuKey, Scissors}},
      {"kvmenuimage_copy.bmp", {16, 16, kMenuKey, TwoSheets}},
      {"kvmenuimage_paste.bmp", {16, 16, kMenuKey, ClipboardPicture}},
      {"kvmenuimage_delete.bmp", {16, 16, kMenuKey, RedCross}},
      {"kvmenuimage_load.bmp", {16, 16, kMenuKey, OpenFolder}},
      {"kvmenuimage_save.bmp", {16, 16, kMenuKey, Disk}},
      {"kvbmblob_blob_null.bmp", blob(BinarySheet, false)},
      {"kvbmblob_blob.bmp", blob(BinarySheet, true)},
      {"kvbmblob_memo_null.bmp", blob(TextSheet, false)},
      {"kvbmblob_memo.bmp", blob(TextSheet, true)},
      {"kvbmblob_pict_null.bmp", blob(Landscape, false)},
      {"kvbmblob_pict.bmp", blob(Landscape, true)},
      {"kvbmblob_ole_null.bmp", blob(ObjectBox, false)},
      {"kvbmblob_ole.bmp", blob(ObjectBox, true)},
  };
  for (const Output& output : outputs) {
    if (!WriteFile(folder + "/" + output.name, Render(output.picture))) {
      std::fprintf(stderr, "editor-pictures: cannot write %s\n", output.name);
      return 1;
    }
  }
  return 0;
}
