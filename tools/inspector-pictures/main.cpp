// Draws the inspector controls' cursors (32 x 32 monochrome .cur files) and expand glyphs (9 x 9,
// 32-bit .bmp with alpha):
//   inspector-pictures <output folder>
// writes roll.cur, rollup.cur, rolldown.cur, reversedarrow.cur, office2003expand.bmp and
// office2003collapse.bmp.

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "../control-pictures/CursorFile.h"

namespace {

using namespace cursor_file;

// ---- Cursors -------------------------------------------------------------------------------

// A solid triangle with its tip at (x, y), pointing up (dy = -1) or down (dy = 1).
void Arrow(Cursor& c, int x, int y, int dy) {
  for (int step = 0; step < 5; ++step)
    for (int side = -step; side <= step; ++side) c.Set(x + side, y - dy * step, kBlack);
}

// A ring round a dot, with the arrows of the directions that scroll above and below it.
Cursor RollCursor(bool up, bool down) {
  Cursor c(15, 15);
  for (int y = 8; y <= 22; ++y)
    for (int x = 8; x <= 22; ++x) {
      const double d = std::hypot(x - 15, y - 15);
      if ((d >= 5.6 && d <= 7.0) || d <= 1.6) c.Set(x, y, kBlack);
    }
  if (up) Arrow(c, 15, 1, -1);
  if (down) Arrow(c, 15, 29, 1);
  c.Outline();
  return c;
}

// The standard pointer mirrored, so that it points up and to the right (for picking a whole
// line from the left margin of an edit).
Cursor ReversedArrow() {
  const std::vector<const char*> pointer = {
      "#",         "##",         "#.#",        "#..#",      "#...#",      "#....#",
      "#.....#",   "#......#",   "#.......#",  "#........#", "#.....#####", "#..#..#",
      "#.# #..#",  "##  #..#",   "#    #..#",  "     #..#",  "      ##",
  };
  Cursor c(16, 0);
  for (size_t y = 0; y < pointer.size(); ++y)
    for (size_t x = 0; pointer[y][x]; ++x) {
      const char ink = pointer[y][x];
      if (ink == '#') c.Set(16 - int(x), int(y), kBlack);
      if (ink == '.') c.Set(16 - int(x), int(y), kWhite);
    }
  return c;
}

// ---- Expand glyphs -------------------------------------------------------------------------

// A 9 x 9 rounded box shaded from near white to a light blue-grey, with a dark minus, and a plus
// when Plus. Rows are written bottom-up in blue, green, red, alpha (not premultiplied).
std::vector<uint8_t> ExpandGlyph(bool Plus) {
  const int size = 9;
  std::vector<uint32_t> pixels(size * size, 0);
  auto set = [&](int x, int y, uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
    pixels[y * size + x] = (uint32_t(a) << 24) | (uint32_t(r) << 16) | (uint32_t(g) << 8) | b;
  };
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      const bool corner = (x == 0 || x == size - 1) && (y == 0 || y == size - 1);
      const bool edge = x == 0 || y == 0 || x == size - 1 || y == size - 1;
      if (corner) continue;
      if (edge) {
        set(x, y, 0x7A, 0x8C, 0xA6, 0xFF);
        continue;
      }
      const double t = (y - 1) / 6.0;
      set(x, y, uint8_t(252 - 52 * t), uint8_t(253 - 42 * t), uint8_t(255 - 30 * t), 0xFF);
    }
  // Soft corners: the two edge pixels meeting at each corner show half through.
  for (int cx : {0, size - 1})
    for (int cy : {0, size - 1}) {
      const int nx = cx == 0 ? 1 : size - 2, ny = cy == 0 ? 1 : size - 2;
      set(cx, ny, 0x7A, 0x8C, 0xA6, 0x90);
      set(nx, cy, 0x7A, 0x8C, 0xA6, 0x90);
    }
  for (int x = 2; x <= 6; ++x) set(x, 4, 0x1E, 0x2D, 0x4B, 0xFF);
  if (Plus)
    for (int y = 2; y <= 6; ++y) set(4, y, 0x1E, 0x2D, 0x4B, 0xFF);

  const uint32_t imageSize = size * size * 4;
  std::vector<uint8_t> out{'B', 'M'};
  Put32(out, 14 + 40 + imageSize);
  Put32(out, 0);
  Put32(out, 14 + 40);
  Put32(out, 40);
  Put32(out, size);
  Put32(out, size);
  Put16(out, 1);
  Put16(out, 32);
  Put32(out, 0);
  Put32(out, imageSize);
  Put32(out, 2835);
  Put32(out, 2835);
  Put32(out, 0);
  Put32(out, 0);
  for (int y = size - 1; y >= 0; --y)
    for (int x = 0; x < size; ++x) Put32(out, pixels[y * size + x]);
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: inspector-pictures <output folder>\n");
    return 2;
  }
  const std::string folder = argv[1];
  struct Output {
    const char* name;
    std::vector<uint8_t> data;
  };
  const Output outputs[] = {
      {"roll.cur", RollCursor(true, true).File()},
      {"rollup.cur", RollCursor(true, false).File()},
      {"rolldown.cur", RollCursor(false, true).File()},
      {"reversedarrow.cur", ReversedArrow().File()},
      {"office2003expand.bmp", ExpandGlyph(true)},
      {"office2003collapse.bmp", ExpandGlyph(false)},
  };
  for (const auto& output : outputs)
    if (!WriteFile(folder + "/" + output.name, output.data)) {
      std::fprintf(stderr, "inspector-pictures: cannot write %s\n", output.name);
      return 1;
    }
  return 0;
}
