#pragma once
// Pixel memory a DC draws into: rows of 1, 4, 8, 24 or 32 bits per pixel (32 is B, G, R, A bytes).
// Row 0 is the top row; a bottom-up DIB has a negative pitch.

#include <cstddef>
#include <cstdint>

#include "gdi/GdiTypes.h"

struct PixelSurface {
  uint8_t* top = nullptr;  // first byte of the top row
  ptrdiff_t pitch = 0;     // bytes from a row to the one below it
  int width = 0;
  int height = 0;
  int bitsPerPixel = 32;
  const RGBQUAD* palette = nullptr;  // colour table of 1, 4 and 8-bit surfaces
  int paletteSize = 0;

  uint8_t* Row(int y) const { return top + y * pitch; }
  uint32_t* Row32(int y) const { return reinterpret_cast<uint32_t*>(Row(y)); }
  bool Empty() const { return top == nullptr || width <= 0 || height <= 0; }
};

// A 32-bit top-down surface over memory the caller owns (stride in bytes).
inline PixelSurface MakeSurface32(void* bits, int width, int height, ptrdiff_t stride) {
  PixelSurface surface;
  surface.top = static_cast<uint8_t*>(bits);
  surface.pitch = stride;
  surface.width = width;
  surface.height = height;
  return surface;
}
