#pragma once
// Writing 32 x 32 monochrome cursor files, shared by the tools that draw cursors.

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace cursor_file {

// ---- Files ---------------------------------------------------------------------------------

inline void Put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(v & 0xFF);
  out.push_back((v >> 8) & 0xFF);
}
inline void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

inline bool WriteFile(const std::string& path, const std::vector<uint8_t>& data) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  bool ok = std::fwrite(data.data(), 1, data.size(), file) == data.size();
  return std::fclose(file) == 0 && ok;
}

// ---- Cursors -------------------------------------------------------------------------------

enum Ink : uint8_t { kClear, kBlack, kWhite };

// The arrow pointer, its tip at the top left, as rows for Cursor::Stamp.
inline const std::vector<const char*> kPointerRows = {
    "#",          "##",         "#.#",         "#..#",        "#...#",     "#....#",
    "#.....#",    "#......#",   "#.......#",   "#........#",  "#.....#####", "#..#..#",
    "#.# #..#",   "##  #..#",   "#    #..#",   "     #..#",   "      ##",
};

class Cursor {
 public:
  static constexpr int kSize = 32;
  Cursor(int hotX, int hotY) : FHotX(hotX), FHotY(hotY), FInk(kSize * kSize, kClear) {}

  void Set(int x, int y, Ink ink) {
    if (x >= 0 && y >= 0 && x < kSize && y < kSize) FInk[y * kSize + x] = ink;
  }
  Ink Get(int x, int y) const { return FInk[y * kSize + x]; }

  // Rows of text: '#' black, '.' white, anything else clear.
  void Stamp(int left, int top, const std::vector<const char*>& rows) {
    for (size_t y = 0; y < rows.size(); ++y)
      for (size_t x = 0; rows[y][x]; ++x) {
        char c = rows[y][x];
        if (c == '#') Set(left + int(x), top + int(y), kBlack);
        if (c == '.') Set(left + int(x), top + int(y), kWhite);
      }
  }

  // Every clear pixel next to a black one turns white, so the shape reads on any background.
  void Outline() {
    std::vector<Ink> copy = FInk;
    for (int y = 0; y < kSize; ++y)
      for (int x = 0; x < kSize; ++x) {
        if (copy[y * kSize + x] != kClear) continue;
        for (int dy = -1; dy <= 1; ++dy)
          for (int dx = -1; dx <= 1; ++dx) {
            int nx = x + dx, ny = y + dy;
            if (nx >= 0 && ny >= 0 && nx < kSize && ny < kSize && copy[ny * kSize + nx] == kBlack) Set(x, y, kWhite);
          }
      }
  }

  // A .cur file: the directory, then a 1-bit bitmap (colour bits over the AND mask).
  std::vector<uint8_t> File() const {
    const int rowBytes = kSize / 8;
    const uint32_t imageSize = 40 + 8 + 2 * rowBytes * kSize;
    std::vector<uint8_t> out;
    Put16(out, 0);
    Put16(out, 2);
    Put16(out, 1);
    out.push_back(kSize);
    out.push_back(kSize);
    out.push_back(2);
    out.push_back(0);
    Put16(out, FHotX);
    Put16(out, FHotY);
    Put32(out, imageSize);
    Put32(out, 6 + 16);
    Put32(out, 40);
    Put32(out, kSize);
    Put32(out, kSize * 2);
    Put16(out, 1);
    Put16(out, 1);
    Put32(out, 0);
    Put32(out, 2 * rowBytes * kSize);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 2);
    Put32(out, 0);
    Put32(out, 0x00000000);  // palette: black, white
    Put32(out, 0x00FFFFFF);
    auto plane = [&](bool mask) {
      for (int y = kSize - 1; y >= 0; --y)
        for (int byte = 0; byte < rowBytes; ++byte) {
          uint8_t bits = 0;
          for (int bit = 0; bit < 8; ++bit) {
            Ink ink = Get(byte * 8 + bit, y);
            bool on = mask ? ink == kClear : ink == kWhite;
            if (on) bits |= 0x80 >> bit;
          }
          out.push_back(bits);
        }
    };
    plane(false);
    plane(true);
    return out;
  }

 private:
  int FHotX, FHotY;
  std::vector<Ink> FInk;
};

}  // namespace cursor_file
