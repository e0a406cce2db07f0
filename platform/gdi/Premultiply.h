#pragma once
// Straight and premultiplied alpha for 32-bit pixels (0xAARRGGBB), rounding to nearest.

#include <algorithm>
#include <cstdint>

inline uint32_t Premultiply(uint32_t p) {
  uint32_t a = p >> 24;
  if (a == 255) return p;
  if (a == 0) return 0;
  auto mul = [a](uint32_t c) {
    uint32_t t = c * a + 128;
    return (t + (t >> 8)) >> 8;
  };
  return (a << 24) | (mul((p >> 16) & 0xFF) << 16) | (mul((p >> 8) & 0xFF) << 8) | mul(p & 0xFF);
}

inline uint32_t Unpremultiply(uint32_t p) {
  uint32_t a = p >> 24;
  if (a == 255) return p;
  if (a == 0) return 0;
  auto div = [a](uint32_t c) { return std::min<uint32_t>(255, (c * 255 + a / 2) / a); };
  return (a << 24) | (div((p >> 16) & 0xFF) << 16) | (div((p >> 8) & 0xFF) << 8) | div(p & 0xFF);
}
