#pragma once
// How pixels are written: the few primitives every drawing operation ends in, one table per pixel
// format (what is drawn, and where, is decided above this: DC state, clipping, shapes). 32-bit
// surfaces have fast paths (row fills and memcpy for plain copies); the other formats run the same
// 32-bit span code on rows converted in and out. Rectangles are in surface pixels and already
// clipped to the surface and the DC's clip region.

#include <cstdint>
#include <vector>

#include "gdi/PixelSurface.h"

// Pixels are B, G, R, A bytes: 0xAARRGGBB as a little-endian 32-bit value. Colours from COLORREFs
// get a zero alpha byte, as GDI writes them into 32-bit DIBs.
inline constexpr uint32_t PixelFromColorRef(COLORREF c) {
  return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}
inline constexpr COLORREF ColorRefFromPixel(uint32_t p) {
  return ((p >> 16) & 0xFF) | (p & 0xFF00) | ((p & 0xFF) << 16);
}

// A brush made concrete for one drawing call: a solid pixel, or a tile repeated from an origin
// (surface coordinates). Tiles of hatches drawn in TRANSPARENT mode leave their background alone.
struct BrushPattern {
  bool solid = true;
  uint32_t pixel = 0;
  int width = 0;
  int height = 0;
  std::vector<uint32_t> tile;
  std::vector<uint8_t> opaque;  // per tile pixel; empty means every pixel is drawn
  int originX = 0;
  int originY = 0;

  static BrushPattern Solid(uint32_t pixel) {
    BrushPattern pattern;
    pattern.pixel = pixel;
    return pattern;
  }
};

// Where a copy reads: the source pixel of destination (x, y) is (x + offsetX, y + offsetY).
// A monochrome source paints its 0 bits as zeroPixel and its 1 bits as onePixel (the destination
// DC's text and background colours). A colour source copied into a monochrome destination becomes
// white where it equals sourceBkPixel (the source DC's background colour) and black elsewhere.
struct BlitSource {
  const PixelSurface* surface = nullptr;
  int offsetX = 0;
  int offsetY = 0;
  uint32_t zeroPixel = 0;
  uint32_t onePixel = 0x00FFFFFF;
  uint32_t sourceBkPixel = 0x00FFFFFF;
};

struct PixelPrimitives {
  // D = rop3(P, D) over rect.
  void (*fill)(const PixelSurface& dest, const RECT& rect, const BrushPattern& pattern, uint8_t rop3);
  // D = rop3(P, S, D) over rect; pattern may be null when rop3 does not use it.
  void (*copy)(const PixelSurface& dest, const RECT& rect, const BlitSource& source, const BrushPattern* pattern,
               uint8_t rop3);
  // Blends `pixel` by 0..255 coverage (glyphs): coverage row 0 belongs to rect.top, column 0 to
  // rect.left. Covered pixels get a zero alpha byte, as text on a 32-bit DIB does.
  void (*blendCoverage)(const PixelSurface& dest, const RECT& rect, const uint8_t* coverage, ptrdiff_t coveragePitch,
                        uint32_t pixel);
  // Premultiplied 32-bit source over destination, scaled by constantAlpha; without perPixelAlpha
  // the source counts as opaque. source row 0 belongs to rect.top, column 0 to rect.left.
  void (*blend)(const PixelSurface& dest, const RECT& rect, const uint32_t* source, ptrdiff_t sourcePitchPixels,
                uint8_t constantAlpha, bool perPixelAlpha);
};

const PixelPrimitives& PrimitivesFor(const PixelSurface& surface);

// Row conversion of every format to and from 32-bit pixels (palette formats read their colour
// table and write the nearest entry).
void ReadPixels(const PixelSurface& surface, int x, int y, int count, uint32_t* out);
void WritePixels(const PixelSurface& surface, int x, int y, int count, const uint32_t* in);
// The colour table index of `pixel` nearest in RGB distance.
int NearestPaletteIndex(const RGBQUAD* palette, int size, uint32_t pixel);
