// Draws the cursors of the bars (32 x 32 monochrome .cur files): dragging a toolbar or an item,
// copying it, a place where it cannot be dropped, and sizing an item while customizing; and the
// 16 x 16 pictures of the extra items (Glyphs.h).
//   bar-pictures <output folder>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "CursorFile.h"
#include "Glyphs.h"

namespace {

using namespace cursor_file;

// The pointer with a dotted box below it: the dragged item. The hot spot is the pointer's tip.
Cursor DragCursor() {
  Cursor c(0, 0);
  c.Stamp(0, 0, kPointerRows);
  const int left = 7, top = 18, right = 22, bottom = 28;
  for (int x = left; x <= right; ++x) {
    c.Set(x, top, (x - left) % 2 == 0 ? kBlack : kWhite);
    c.Set(x, bottom, (x - left) % 2 == 0 ? kBlack : kWhite);
  }
  for (int y = top; y <= bottom; ++y) {
    c.Set(left, y, (y - top) % 2 == 0 ? kBlack : kWhite);
    c.Set(right, y, (y - top) % 2 == 0 ? kBlack : kWhite);
  }
  return c;
}

// The same with a plus in a white square at the box's corner: the item is copied.
Cursor DragCopyCursor() {
  Cursor c = DragCursor();
  for (int y = 21; y <= 31; ++y)
    for (int x = 19; x <= 29; ++x) c.Set(x, y, (x == 19 || x == 29 || y == 21 || y == 31) ? kBlack : kWhite);
  for (int y = 23; y <= 29; ++y) c.Set(24, y, kBlack);
  for (int x = 21; x <= 27; ++x) c.Set(x, 26, kBlack);
  return c;
}

// The pointer with a barred circle: nothing can be dropped here.
Cursor DragNoDropCursor() {
  Cursor c(0, 0);
  c.Stamp(0, 0, kPointerRows);
  const double cx = 21.5, cy = 21.5;
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      double d = std::hypot(x - cx, y - cy);
      if (d > 9.6) continue;
      bool ring = d >= 6.8;
      bool bar = d < 6.8 && std::abs((x - cx) - (y - cy)) < 1.6;
      if (ring || bar) c.Set(x, y, kBlack);
      else if (d < 9.6 && x >= 9) c.Set(x, y, kWhite);
    }
  c.Outline();
  return c;
}

// A filled triangle pointing in direction dx with its tip at (x, y).
void HorizontalHead(Cursor& c, int x, int y, int dx) {
  for (int step = 0; step < 5; ++step)
    for (int side = -step; side <= step; ++side) c.Set(x - dx * step, y + side, kBlack);
}

// A two-way horizontal arrow between two bars: an item's width is being changed. Centred hot spot.
Cursor EditSizingCursor() {
  Cursor c(15, 15);
  for (int x = 5; x <= 25; ++x) c.Set(x, 15, kBlack);
  HorizontalHead(c, 3, 15, -1);
  HorizontalHead(c, 27, 15, 1);
  for (int y = 8; y <= 22; ++y) {
    c.Set(13, y, kBlack);
    c.Set(17, y, kBlack);
  }
  c.Outline();
  return c;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: bar-pictures <output folder>\n");
    return 2;
  }
  const std::string folder = argv[1];
  struct Output {
    const char* name;
    std::vector<uint8_t> data;
  };
  std::vector<Output> outputs = {
      {"qzbar_drag.cur", DragCursor().File()},
      {"qzbar_dragcopy.cur", DragCopyCursor().File()},
      {"qzbar_dragnodrop.cur", DragNoDropCursor().File()},
      {"qzbar_editsizing.cur", EditSizingCursor().File()},
  };
  for (GlyphPicture& glyph : ItemGlyphs()) outputs.push_back({glyph.file, std::move(glyph.data)});
  for (const Output& output : outputs) {
    if (!WriteFile(folder + "/" + output.name, output.data)) {
      std::fprintf(stderr, "bar-pictures: cannot write %s\n", output.name);
      return 1;
    }
  }
  return 0;
}
