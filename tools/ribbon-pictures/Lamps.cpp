#include "Lamps.h"

#include <cstdint>
#include <cstdio>
#include <vector>

#include "CursorFile.h"

namespace {

using cursor_file::Put16;
using cursor_file::Put32;
using cursor_file::WriteFile;

// The standard 16-colour palette, as 0xRRGGBB.
constexpr uint32_t kPalette[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
                                   0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
constexpr int kWidth = 17, kHeight = 8;
// The corner colour, drawn transparent: silver, which no lamp uses.
constexpr uint8_t kBackground = 7, kWhite = 15;

struct Lamp {
  const char* name;
  uint8_t rim, body;
};

// A rounded lamp with a rim, a body and a white glint along its top.
std::vector<uint8_t> LampPixels(const Lamp& L) {
  std::vector<uint8_t> p(kWidth * kHeight, kBackground);
  auto at = [&](int x, int y) -> uint8_t& { return p[y * kWidth + x]; };
  for (int y = 1; y <= 6; ++y)
    for (int x = 1; x <= 15; ++x) {
      const bool corner = (x == 1 || x == 15) && (y == 1 || y == 6);
      if (corner) continue;
      const bool edge = y == 1 || y == 6 || x == 1 || x == 15;
      at(x, y) = edge ? L.rim : L.body;
    }
  for (int x = 4; x <= 12; ++x) at(x, 2) = kWhite;
  at(3, 3) = kWhite;
  return p;
}

bool WriteBmp(const std::string& Path, const std::vector<uint8_t>& Pixels) {
  const int stride = ((kWidth * 4 + 31) / 32) * 4;
  const uint32_t offset = 14 + 40 + 16 * 4, size = offset + stride * kHeight;
  std::vector<uint8_t> out;
  out.push_back('B');
  out.push_back('M');
  Put32(out, size);
  Put32(out, 0);
  Put32(out, offset);
  Put32(out, 40);
  Put32(out, kWidth);
  Put32(out, kHeight);
  Put16(out, 1);
  Put16(out, 4);
  Put32(out, 0);
  Put32(out, stride * kHeight);
  Put32(out, 2835);
  Put32(out, 2835);
  Put32(out, 16);
  Put32(out, 0);
  for (uint32_t c : kPalette) Put32(out, ((c >> 16) & 0xFF) << 16 | ((c >> 8) & 0xFF) << 8 | (c & 0xFF));
  for (int y = kHeight - 1; y >= 0; --y) {  // bottom-up rows
    std::vector<uint8_t> row(stride, 0);
    for (int x = 0; x < kWidth; ++x)
      row[x / 2] |= static_cast<uint8_t>(Pixels[y * kWidth + x] << (x % 2 == 0 ? 4 : 0));
    out.insert(out.end(), row.begin(), row.end());
  }
  return WriteFile(Path, out);
}

}  // namespace

bool WriteLamps(const std::string& Folder) {
  const Lamp lamps[] = {{"gray", 0, 8},  {"yellow", 3, 11}, {"blue", 4, 12},  {"green", 2, 10},
                        {"red", 1, 9},   {"teal", 6, 14},   {"purple", 5, 13}};
  bool ok = true;
  for (const Lamp& lamp : lamps) {
    const std::string path = Folder + "/qzstatusbar_" + lamp.name + ".bmp";
    if (!WriteBmp(path, LampPixels(lamp))) {
      std::fprintf(stderr, "ribbon-pictures: cannot write %s\n", path.c_str());
      ok = false;
    }
  }
  return ok;
}
