#pragma once
// A small 32-bit DIB section in a memory DC for pixel tests, with a text map of its pixels:
// '.' white, '#' black, 'r' red, 'g' green, 'b' blue, '?' anything else.

#include <string>
#include <vector>

#include "gdi/DcSurface.h"
#include "gdi/Gdi.h"

class PixelCanvas {
 public:
  PixelCanvas(int width, int height, COLORREF background = RGB(255, 255, 255)) : width_(width), height_(height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bits_ = static_cast<uint32_t*>(bits);
    dc_ = CreateCompatibleDC(nullptr);
    old_ = SelectObject(dc_, bitmap_);
    Clear(background);
  }
  ~PixelCanvas() {
    SelectObject(dc_, old_);
    DeleteDC(dc_);
    DeleteObject(bitmap_);
  }
  PixelCanvas(const PixelCanvas&) = delete;
  PixelCanvas& operator=(const PixelCanvas&) = delete;

  HDC dc() const { return dc_; }
  HBITMAP bitmap() const { return bitmap_; }
  uint32_t* bits() const { return bits_; }
  void Clear(COLORREF colour) {
    const uint32_t pixel = ((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
    for (int i = 0; i < width_ * height_; ++i) bits_[i] = pixel;
  }
  // The pixel as a COLORREF (alpha byte dropped), and the raw 32-bit value.
  COLORREF At(int x, int y) const {
    const uint32_t p = Raw(x, y);
    return ((p >> 16) & 0xFF) | (p & 0xFF00) | ((p & 0xFF) << 16);
  }
  uint32_t Raw(int x, int y) const { return bits_[y * width_ + x]; }
  void SetRaw(int x, int y, uint32_t value) { bits_[y * width_ + x] = value; }

  // Rows of the whole canvas as characters.
  std::vector<std::string> Map() const {
    std::vector<std::string> rows;
    for (int y = 0; y < height_; ++y) {
      std::string row;
      for (int x = 0; x < width_; ++x) row += Symbol(At(x, y));
      rows.push_back(row);
    }
    return rows;
  }
  int CountOf(COLORREF colour) const {
    int n = 0;
    for (int y = 0; y < height_; ++y) {
      for (int x = 0; x < width_; ++x) n += At(x, y) == colour;
    }
    return n;
  }

 private:
  static char Symbol(COLORREF c) {
    switch (c) {
      case RGB(255, 255, 255): return '.';
      case RGB(0, 0, 0): return '#';
      case RGB(255, 0, 0): return 'r';
      case RGB(0, 255, 0): return 'g';
      case RGB(0, 0, 255): return 'b';
      default: return '?';
    }
  }

  int width_;
  int height_;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  HDC dc_ = nullptr;
  uint32_t* bits_ = nullptr;
};

using Rows = std::vector<std::string>;
