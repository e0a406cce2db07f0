#pragma once
// Reading and writing picture files: BMP, ICO and CUR, PNG (libpng) and JPEG (libjpeg). Every
// decoder answers null/false for data it cannot read, whatever the damage: it never throws and
// never reads outside the buffer it was given.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "gdi/GdiTypes.h"

// The most pixels a decoded picture may have (8192 x 8192): a larger claim, or one the data
// cannot hold, is refused before anything is allocated for it.
constexpr uint64_t kMaxImagePixels = uint64_t{64} << 20;

// A picture as 32-bit pixels, top-down, B, G, R, A bytes.
struct PixelImage {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
  bool hasAlpha = false;  // false: every alpha byte is 255
};

// PNG. Decoded pixels are premultiplied unless `premultiply` is false; EncodePng takes
// premultiplied pixels (straight ones when `premultiplied` is false).
bool DecodePng(const void* data, size_t size, PixelImage& image, bool premultiply = true);
bool EncodePng(const PixelImage& image, std::vector<uint8_t>& out, bool premultiplied = true);

// JPEG (the alpha channel is neither read nor written). quality 1..100.
bool DecodeJpeg(const void* data, size_t size, PixelImage& image);
bool EncodeJpeg(const PixelImage& image, int quality, std::vector<uint8_t>& out);

// BMP files, and packed DIBs (a BITMAPINFOHEADER first, as bitmap resources hold them). The result
// is a DIB section of the file's depth (16-bit files become 32-bit; RLE files are refused).
HBITMAP DecodeBmp(const void* data, size_t size);
HBITMAP DecodePackedDib(const void* data, size_t size);
// A BMP file of the bitmap in its own depth, bottom-up.
bool EncodeBmp(HBITMAP bitmap, std::vector<uint8_t>& out);

// ICO and CUR files: the entry nearest to width x height (0 x 0: the first entry).
HICON DecodeIconFile(const void* data, size_t size, int width, int height);
bool EncodeIconFile(std::span<const HICON> icons, std::vector<uint8_t>& out);

// A 32-bit top-down DIB section holding the image's pixels as they are.
HBITMAP BitmapFromImage(const PixelImage& image);
// Recognises PNG, JPEG and BMP by their first bytes and decodes into a bitmap (PNG premultiplied).
HBITMAP DecodeBitmapFile(const void* data, size_t size);
