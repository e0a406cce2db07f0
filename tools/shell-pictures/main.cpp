// Draws the pictures the system image lists fall back on where no icon theme has an icon (a
// file, a folder, an open folder) and the overlay that marks a link, at 16 and 32 pixels, as
// 32-bit .bmp files with straight alpha:
//   shell-pictures <output folder>
// Shapes are laid out on a 16-pixel grid and scaled, so both sizes match; outlines stay one pixel
// wide and on pixel centres at either size.

#include <cairo.h>

#include <cstdio>
#include <string>

#include "tools/app-pictures/Bmp.h"

namespace {

void Color(cairo_t* cr, uint32_t rgb, double alpha = 1.0) {
  cairo_set_source_rgba(cr, ((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0, alpha);
}

// Fills the current path with a vertical gradient and keeps the path.
void FillGradient(cairo_t* cr, double top, double bottom, uint32_t from, uint32_t to) {
  cairo_pattern_t* p = cairo_pattern_create_linear(0, top, 0, bottom);
  for (auto [at, c] : {std::pair{0.0, from}, std::pair{1.0, to}})
    cairo_pattern_add_color_stop_rgb(p, at, ((c >> 16) & 0xFF) / 255.0, ((c >> 8) & 0xFF) / 255.0, (c & 0xFF) / 255.0);
  cairo_set_source(cr, p);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(p);
}

void Stroke(cairo_t* cr, uint32_t rgb, double width = 1.0) {
  Color(cr, rgb);
  cairo_set_line_width(cr, width);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_stroke(cr);
}

// One picture: `scale` pixels per grid unit (1 at 16 pixels, 2 at 32). G(v) is a grid line, C(v)
// the centre of the pixel row or column that starts there, where a one-pixel outline sits.
struct Grid {
  double scale;
  double G(double v) const { return v * scale; }
  double C(double v) const { return v * scale + 0.5; }
  // The last pixel of a grid cell that ends at v, for outlines on the far side.
  double E(double v) const { return v * scale - 0.5; }
};

// A sheet with its top-right corner folded over, light grey lines of text at 32 pixels.
void File(cairo_t* cr, const Grid& g) {
  const double l = g.C(2), t = g.C(0), r = g.E(14), b = g.E(16), fold = g.G(4);
  // A soft shadow along the right and bottom edges.
  Color(cr, 0x000000, 0.12);
  cairo_rectangle(cr, g.G(3), g.E(16) + 0.5, g.G(11), 1);
  cairo_fill(cr);
  cairo_move_to(cr, l, t);
  cairo_line_to(cr, r - fold, t);
  cairo_line_to(cr, r, t + fold);
  cairo_line_to(cr, r, b - 1);
  cairo_line_to(cr, l, b - 1);
  cairo_close_path(cr);
  FillGradient(cr, t, b, 0xFFFFFF, 0xE8ECF1);
  Stroke(cr, 0x7C8591);
  // The fold.
  cairo_move_to(cr, r - fold, t);
  cairo_line_to(cr, r - fold, t + fold);
  cairo_line_to(cr, r, t + fold);
  cairo_close_path(cr);
  FillGradient(cr, t, t + fold, 0xF4F6F9, 0xD3D9E1);
  Stroke(cr, 0x7C8591);
  // Lines of text.
  Color(cr, 0xB4BCC7);
  const int lines = g.scale > 1 ? 5 : 3;
  for (int i = 0; i < lines; ++i) {
    const double y = g.G(g.scale > 1 ? 6 + i * 1.5 : 7 + i * 2);
    const double right = (i == lines - 1) ? g.G(9) : g.G(12);
    cairo_rectangle(cr, g.G(4), y, right - g.G(4), g.scale > 1 ? 2 : 1);
  }
  cairo_fill(cr);
}

constexpr uint32_t kFolderLine = 0x9A6E12;
constexpr uint32_t kFolderBackTop = 0xE0A93A;
constexpr uint32_t kFolderBackBottom = 0xC98F22;
constexpr uint32_t kFolderFrontTop = 0xFCDC84;
constexpr uint32_t kFolderFrontBottom = 0xEDB845;

// The back of a folder with its tab on the top left.
void FolderBack(cairo_t* cr, const Grid& g) {
  cairo_move_to(cr, g.C(0), g.C(2) + 1);
  cairo_line_to(cr, g.C(0) + 1, g.C(2));
  cairo_line_to(cr, g.G(6) - 0.5, g.C(2));
  cairo_line_to(cr, g.G(7) + 0.5, g.C(3) + g.scale - 1);
  cairo_line_to(cr, g.E(16) - 1, g.C(3) + g.scale - 1);
  cairo_line_to(cr, g.E(16), g.C(4));
  cairo_line_to(cr, g.E(16), g.E(14));
  cairo_line_to(cr, g.C(0), g.E(14));
  cairo_close_path(cr);
  FillGradient(cr, g.G(2), g.G(14), kFolderBackTop, kFolderBackBottom);
  Stroke(cr, kFolderLine);
}

// A closed folder: the front panel covers the back below the tab, with a light edge on top.
void Folder(cairo_t* cr, const Grid& g) {
  FolderBack(cr, g);
  cairo_rectangle(cr, g.C(0), g.C(5), g.E(16) - g.C(0), g.E(14) - g.C(5));
  FillGradient(cr, g.G(5), g.G(14), kFolderFrontTop, kFolderFrontBottom);
  Stroke(cr, kFolderLine);
  Color(cr, 0xFFF3C8);
  cairo_rectangle(cr, g.G(0) + 1, g.G(5) + 1, g.G(16) - 2, 1);
  cairo_fill(cr);
}

// An open folder: a sheet stands in the back, the front panel falls open toward the viewer.
void OpenFolder(cairo_t* cr, const Grid& g) {
  FolderBack(cr, g);
  cairo_rectangle(cr, g.C(2), g.C(4), g.E(14) - g.C(2), g.E(12) - g.C(4));
  FillGradient(cr, g.G(4), g.G(12), 0xFFFFFF, 0xE6EAEF);
  Stroke(cr, 0x8C939C);
  cairo_move_to(cr, g.C(3), g.C(7));
  cairo_line_to(cr, g.E(16) + 0.5 - g.scale * 0.5, g.C(7));
  cairo_line_to(cr, g.E(14), g.E(14));
  cairo_line_to(cr, g.C(0), g.E(14));
  cairo_close_path(cr);
  FillGradient(cr, g.G(7), g.G(14), kFolderFrontTop, kFolderFrontBottom);
  Stroke(cr, kFolderLine);
}

// The link mark for the bottom-left corner of an icon: a white tile with a curved arrow rising to
// the right.
void LinkOverlay(cairo_t* cr, const Grid& g) {
  const double l = g.C(0), t = g.C(9), r = g.E(8) , b = g.E(16);
  cairo_rectangle(cr, l, t, r - l, b - t);
  FillGradient(cr, t, b, 0xFFFFFF, 0xEEF1F5);
  Stroke(cr, 0x5B6470);
  // The arrow: a curve from the bottom left, its head at the top right.
  const double w = g.scale > 1 ? 2.0 : 1.25;
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_move_to(cr, g.G(2) + 0.5, g.G(14.5));
  cairo_curve_to(cr, g.G(2) + 0.5, g.G(12), g.G(3.5), g.G(11.5), g.G(5.2), g.G(11.5));
  Stroke(cr, 0x1F5FBF, w);
  cairo_move_to(cr, g.G(6.7), g.G(11.5));
  cairo_line_to(cr, g.G(4.4), g.G(9.8));
  cairo_line_to(cr, g.G(4.4), g.G(13.2));
  cairo_close_path(cr);
  Color(cr, 0x1F5FBF);
  cairo_fill(cr);
}

std::vector<uint8_t> Render(int size, void (*draw)(cairo_t*, const Grid&)) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size);
  cairo_t* cr = cairo_create(surface);
  draw(cr, Grid{size / 16.0});
  cairo_destroy(cr);
  std::vector<uint8_t> bmp = AlphaBmp(surface);
  cairo_surface_destroy(surface);
  return bmp;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: shell-pictures <output folder>\n");
    return 2;
  }
  const std::string folder = argv[1];
  const struct {
    const char* name;
    void (*draw)(cairo_t*, const Grid&);
  } pictures[] = {{"file", File}, {"folder", Folder}, {"folderopen", OpenFolder}, {"link", LinkOverlay}};
  for (const auto& picture : pictures)
    for (int size : {16, 32}) {
      const std::string name = "kvshell_" + std::string(picture.name) + std::to_string(size) + ".bmp";
      if (!WriteFile(folder + "/" + name, Render(size, picture.draw))) {
        std::fprintf(stderr, "shell-pictures: cannot write %s\n", name.c_str());
        return 1;
      }
    }
  return 0;
}
