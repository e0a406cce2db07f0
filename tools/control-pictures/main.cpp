// Draws the cursors of the toolkit's base control (32 x 32 monochrome .cur files) and the anchor
// bitmaps of middle-button scrolling (28 x 28, 24-bit .bmp):
//   control-pictures <output folder>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "CursorFile.h"

namespace {

using namespace cursor_file;

Cursor Pointer() {
  Cursor c(0, 0);
  c.Stamp(0, 0, kPointerRows);
  return c;
}

// A small box below the pointer, as a dragged object; with a plus when copying.
Cursor DragCursor(bool copy, bool multi) {
  Cursor c = Pointer();
  auto box = [&](int left, int top) {
    for (int x = left; x < left + 10; ++x) c.Set(x, top, kBlack), c.Set(x, top + 7, kBlack);
    for (int y = top; y < top + 8; ++y) c.Set(left, y, kBlack), c.Set(left + 9, y, kBlack);
    for (int y = top + 1; y < top + 7; ++y)
      for (int x = left + 1; x < left + 9; ++x) c.Set(x, y, kWhite);
  };
  if (multi) box(11, 16);
  box(8, 19);
  if (copy) {
    for (int i = 0; i < 5; ++i) c.Set(18 + i, 28, kBlack), c.Set(20, 26 + i, kBlack);
    c.Outline();
  }
  return c;
}

// A circle with a slash: nothing can be dropped here.
Cursor NoDropCursor() {
  Cursor c(15, 15);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      double d = std::hypot(x - 15.5, y - 15.5);
      if (d >= 8 && d <= 11) c.Set(x, y, kBlack);
      if (d < 8 && std::abs((x - 15.5) + (y - 15.5)) < 2.0) c.Set(x, y, kBlack);
    }
  c.Outline();
  return c;
}

// A cross: the item under the pointer is taken away.
Cursor RemoveCursor() {
  Cursor c = Pointer();
  for (int i = 0; i < 8; ++i) {
    c.Set(14 + i, 18 + i, kBlack), c.Set(15 + i, 18 + i, kBlack);
    c.Set(21 - i, 18 + i, kBlack), c.Set(22 - i, 18 + i, kBlack);
  }
  c.Outline();
  return c;
}

// A filled triangle pointing in (dx, dy) with its tip at (x, y).
void Arrow(Cursor& c, int x, int y, int dx, int dy) {
  for (int step = 0; step < 5; ++step)
    for (int side = -step; side <= step; ++side) {
      int px = x - dx * step + (dx == 0 ? side : 0);
      int py = y - dy * step + (dy == 0 ? side : 0);
      c.Set(px, py, kBlack);
    }
}

// A centre dot with arrows toward the directions that scroll.
Cursor ScrollCursor(bool left, bool right, bool up, bool down) {
  Cursor c(15, 15);
  for (int y = 13; y <= 17; ++y)
    for (int x = 13; x <= 17; ++x)
      if (std::hypot(x - 15, y - 15) <= 2.3) c.Set(x, y, kBlack);
  if (left) Arrow(c, 4, 15, -1, 0);
  if (right) Arrow(c, 26, 15, 1, 0);
  if (up) Arrow(c, 15, 4, 0, -1);
  if (down) Arrow(c, 15, 26, 0, 1);
  c.Outline();
  return c;
}

// A double arrow across a splitter bar.
Cursor SizeCursor(bool vertical) {
  Cursor c(15, 15);
  for (int i = 6; i <= 24; ++i)
    for (int t = 14; t <= 16; ++t) vertical ? c.Set(t, i, kBlack) : c.Set(i, t, kBlack);
  for (int i = 9; i <= 21; ++i)
    for (int t = 13; t <= 17; t += 4) vertical ? c.Set(i, t, kBlack) : c.Set(t, i, kBlack);
  if (vertical) {
    Arrow(c, 15, 4, 0, -1);
    Arrow(c, 15, 26, 0, 1);
  } else {
    Arrow(c, 4, 15, -1, 0);
    Arrow(c, 26, 15, 1, 0);
  }
  c.Outline();
  return c;
}

// A pipette, its tip at the bottom left.
Cursor ColorPickerCursor() {
  Cursor c(1, 30);
  for (int i = 0; i < 20; ++i)
    for (int w = -1; w <= 1; ++w) c.Set(1 + i + w, 30 - i, kBlack);
  for (int y = 4; y <= 10; ++y)
    for (int x = 21; x <= 27; ++x)
      if (std::hypot(x - 24, y - 7) <= 3.5) c.Set(x, y, kBlack);
  c.Outline();
  return c;
}

// The wheel: a rounded mouse body with a wheel in it.
Cursor MouseWheelCursor() {
  Cursor c(15, 15);
  for (int y = 6; y <= 26; ++y)
    for (int x = 8; x <= 22; ++x) {
      double dy = y < 12 ? y - 12 : (y > 20 ? y - 20 : 0);
      double d = std::hypot((x - 15) / 7.0, dy / 6.0);
      if (d <= 1.0) c.Set(x, y, d > 0.8 || (x == 15 && y >= 9 && y <= 14) ? kBlack : kWhite);
    }
  c.Outline();
  return c;
}

// ---- Anchor bitmaps ------------------------------------------------------------------------

struct Rgb {
  uint8_t r, g, b;
};

// A light disc with a dot and the arrows of the directions that scroll.
std::vector<uint8_t> AnchorBitmap(bool horizontal, bool vertical) {
  const int size = 28;
  std::vector<Rgb> pixels(size * size, Rgb{255, 255, 255});
  auto set = [&](int x, int y, Rgb c) {
    if (x >= 0 && y >= 0 && x < size && y < size) pixels[y * size + x] = c;
  };
  const Rgb face{236, 233, 216}, ink{64, 64, 64};
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x)
      if (std::hypot(x - 13.5, y - 13.5) <= 13.5) set(x, y, face);
  for (int y = 12; y <= 15; ++y)
    for (int x = 12; x <= 15; ++x) set(x, y, ink);
  auto arrow = [&](int x, int y, int dx, int dy) {
    for (int step = 0; step < 4; ++step)
      for (int side = -step; side <= step; ++side)
        set(x - dx * step + (dx == 0 ? side : 0), y - dy * step + (dy == 0 ? side : 0), ink);
  };
  if (horizontal) {
    arrow(3, 13, -1, 0);
    arrow(24, 13, 1, 0);
  }
  if (vertical) {
    arrow(13, 3, 0, -1);
    arrow(13, 24, 0, 1);
  }
  const int stride = (size * 3 + 3) & ~3;
  std::vector<uint8_t> out;
  out.push_back('B');
  out.push_back('M');
  Put32(out, 14 + 40 + stride * size);
  Put32(out, 0);
  Put32(out, 14 + 40);
  Put32(out, 40);
  Put32(out, size);
  Put32(out, size);
  Put16(out, 1);
  Put16(out, 24);
  Put32(out, 0);
  Put32(out, stride * size);
  Put32(out, 2835);
  Put32(out, 2835);
  Put32(out, 0);
  Put32(out, 0);
  for (int y = size - 1; y >= 0; --y) {
    for (int x = 0; x < size; ++x) {
      const Rgb& c = pixels[y * size + x];
      out.push_back(c.b);
      out.push_back(c.g);
      out.push_back(c.r);
    }
    for (int pad = size * 3; pad < stride; ++pad) out.push_back(0);
  }
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: control-pictures <output folder>\n");
    return 2;
  }
  std::string folder = argv[1];
  struct Output {
    const char* name;
    std::vector<uint8_t> data;
  } outputs[] = {
      {"kv_dragcopy.cur", DragCursor(true, false).File()},
      {"kv_fullscroll.cur", ScrollCursor(true, true, true, true).File()},
      {"kv_horscroll.cur", ScrollCursor(true, true, false, false).File()},
      {"kv_verscroll.cur", ScrollCursor(false, false, true, true).File()},
      {"kv_upscroll.cur", ScrollCursor(false, false, true, false).File()},
      {"kv_rightscroll.cur", ScrollCursor(false, true, false, false).File()},
      {"kv_downscroll.cur", ScrollCursor(false, false, false, true).File()},
      {"kv_leftscroll.cur", ScrollCursor(true, false, false, false).File()},
      {"kv_remove.cur", RemoveCursor().File()},
      {"kv_vertsize.cur", SizeCursor(true).File()},
      {"kv_horzsize.cur", SizeCursor(false).File()},
      {"kv_multidrag.cur", DragCursor(false, true).File()},
      {"kv_nodrop.cur", NoDropCursor().File()},
      {"kv_drag.cur", DragCursor(false, false).File()},
      {"kv_colorpicker.cur", ColorPickerCursor().File()},
      {"kvedit_mousewheel.cur", MouseWheelCursor().File()},
      {"kv_fullscroll.bmp", AnchorBitmap(true, true)},
      {"kv_horscroll.bmp", AnchorBitmap(true, false)},
      {"kv_verscroll.bmp", AnchorBitmap(false, true)},
  };
  for (const Output& output : outputs) {
    if (!WriteFile(folder + "/" + output.name, output.data)) {
      std::fprintf(stderr, "control-pictures: cannot write %s/%s\n", folder.c_str(), output.name);
      return 1;
    }
  }
  return 0;
}
