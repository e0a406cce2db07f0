#pragma once
// The layout a BITMAPINFO describes, and pixel surfaces over memory in that layout: what DIB
// sections, GetDIBits/SetDIBits and the BMP and icon files share.

#include <cstddef>
#include <vector>

#include "gdi/PixelSurface.h"

struct DibFormat {
  int width = 0;
  int height = 0;  // always positive; topDown says the row order
  bool topDown = false;
  int bitsPerPixel = 0;
  std::vector<RGBQUAD> palette;

  size_t Stride() const { return ((static_cast<size_t>(width) * static_cast<size_t>(bitsPerPixel) + 31) / 32) * 4; }
  size_t ImageSize() const { return Stride() * static_cast<size_t>(height); }
};

// Reads an uncompressed header (40 bytes or a later version) and its colour table. `available`
// bounds the bytes that may be read (the header and table); false for anything we cannot hold
// (compression, depths other than 1, 4, 8, 24, 32, sizes out of range, a short buffer).
bool ParseDibInfo(const BITMAPINFO* info, UINT usage, DibFormat& format, size_t available = SIZE_MAX);
// A surface over `bits` laid out as `format` says.
PixelSurface DibSurface(const DibFormat& format, void* bits);
// The colour table GDI gives a depth when there is none to copy: black and white for 1 bit, the
// sixteen VGA colours for 4, and a 6x6x6 colour cube with greys for 8.
std::vector<RGBQUAD> DefaultPalette(int bitsPerPixel);
// Writes header and colour table of `format` into info (room for the table is the caller's).
void FillDibInfo(const DibFormat& format, BITMAPINFO* info);
