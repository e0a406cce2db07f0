#include "engine/LumaAdjust.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

LumaAdjust::LumaAdjust(Integer brightness, Integer contrast) {
  const int b = std::clamp(brightness, -127, 127);
  const int c = std::clamp(contrast, -127, 127);
  FIdentity = b == 0 && c == 0;
  // Contrast scales around mid grey, from almost flat (-127) to almost double (127).
  const double gain = (128.0 + c) / 128.0;
  for (int y = 0; y < 256; ++y)
    FTable[y] = uint8_t(std::clamp(int(std::lround((y - 128) * gain + 128 + b)), 0, 255));
}

void LumaAdjust::Apply(uint8_t* plane, int lineSize, int width, int height) const {
  if (FIdentity) return;
  for (int row = 0; row < height; ++row) {
    uint8_t* pixel = plane + std::ptrdiff_t(row) * lineSize;
    for (int x = 0; x < width; ++x) pixel[x] = FTable[pixel[x]];
  }
}
