#include "gdi/Stretch.h"

#include <algorithm>

namespace {

// One source row as 32-bit pixels, monochrome bits mapped.
void SourceRow32(const PixelSurface& source, int y, std::vector<uint32_t>& row, uint32_t zero, uint32_t one) {
  row.resize(static_cast<size_t>(source.width));
  if (source.bitsPerPixel == 1) {
    const uint8_t* bits = source.Row(y);
    for (int x = 0; x < source.width; ++x) row[static_cast<size_t>(x)] = ((bits[x >> 3] >> (7 - (x & 7))) & 1) ? one : zero;
  } else {
    ReadPixels(source, 0, y, source.width, row.data());
  }
}

}  // namespace

std::vector<uint32_t> ResampleSource(const PixelSurface& source, int x, int y, int width, int height, int destWidth,
                                     int destHeight, bool mirrorX, bool mirrorY, int stretchMode, uint32_t zeroPixel,
                                     uint32_t onePixel) {
  std::vector<uint32_t> out(static_cast<size_t>(destWidth) * static_cast<size_t>(destHeight));
  if (source.Empty() || width <= 0 || height <= 0) return out;
  auto clampX = [&](int64_t v) { return static_cast<int>(std::clamp<int64_t>(v, 0, source.width - 1)); };
  auto clampY = [&](int64_t v) { return static_cast<int>(std::clamp<int64_t>(v, 0, source.height - 1)); };
  // Source column range of each destination column (half-open, at least one pixel).
  std::vector<int> x0(static_cast<size_t>(destWidth)), x1(static_cast<size_t>(destWidth));
  for (int dx = 0; dx < destWidth; ++dx) {
    const int64_t a = static_cast<int64_t>(dx) * width / destWidth;
    const int64_t b = std::max<int64_t>(a + 1, (static_cast<int64_t>(dx + 1) * width + destWidth - 1) / destWidth);
    x0[static_cast<size_t>(dx)] = static_cast<int>(a);
    x1[static_cast<size_t>(dx)] = static_cast<int>(b);
  }
  const bool average = stretchMode == HALFTONE;
  std::vector<uint32_t> row;
  std::vector<uint32_t> sums;
  for (int dy = 0; dy < destHeight; ++dy) {
    const int64_t ya = static_cast<int64_t>(dy) * height / destHeight;
    const int64_t yb =
        average ? std::max<int64_t>(ya + 1, (static_cast<int64_t>(dy + 1) * height + destHeight - 1) / destHeight) : ya + 1;
    uint32_t* target = out.data() + static_cast<size_t>(mirrorY ? destHeight - 1 - dy : dy) * static_cast<size_t>(destWidth);
    if (!average) {
      SourceRow32(source, clampY(y + ya), row, zeroPixel, onePixel);
      for (int dx = 0; dx < destWidth; ++dx) {
        target[mirrorX ? destWidth - 1 - dx : dx] = row[static_cast<size_t>(clampX(x + x0[static_cast<size_t>(dx)]))];
      }
      continue;
    }
    // Channel sums over the source rows of this destination row, then over each column range.
    sums.assign(static_cast<size_t>(destWidth) * 4, 0);
    std::vector<uint32_t> counts(static_cast<size_t>(destWidth), 0);
    for (int64_t sy = ya; sy < yb; ++sy) {
      SourceRow32(source, clampY(y + sy), row, zeroPixel, onePixel);
      for (int dx = 0; dx < destWidth; ++dx) {
        for (int sx = x0[static_cast<size_t>(dx)]; sx < x1[static_cast<size_t>(dx)]; ++sx) {
          const uint32_t p = row[static_cast<size_t>(clampX(x + sx))];
          uint32_t* s = &sums[static_cast<size_t>(dx) * 4];
          s[0] += p & 0xFF;
          s[1] += (p >> 8) & 0xFF;
          s[2] += (p >> 16) & 0xFF;
          s[3] += p >> 24;
          ++counts[static_cast<size_t>(dx)];
        }
      }
    }
    for (int dx = 0; dx < destWidth; ++dx) {
      const uint32_t n = counts[static_cast<size_t>(dx)];
      const uint32_t* s = &sums[static_cast<size_t>(dx) * 4];
      auto avg = [&](uint32_t v) { return (v + n / 2) / n; };
      target[mirrorX ? destWidth - 1 - dx : dx] = avg(s[0]) | (avg(s[1]) << 8) | (avg(s[2]) << 16) | (avg(s[3]) << 24);
    }
  }
  return out;
}
