#pragma once
// A small white 32-bit DC for the text tests, with a look at where ink landed.

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "gdi/DcSurface.h"
#include "gdi/Gdi.h"

class TextCanvas {
 public:
  TextCanvas(int width, int height)
      : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height) {
    dc_ = CreateSurfaceDC(MakeSurface32(pixels_.data(), width, height, width * 4), POINT{0, 0}, nullptr);
    Clear();
  }
  ~TextCanvas() {
    if (font_) {
      SelectObject(dc_, GetStockObject(SYSTEM_FONT));
      DeleteObject(font_);
    }
    DeleteDC(dc_);
  }
  TextCanvas(const TextCanvas&) = delete;
  TextCanvas& operator=(const TextCanvas&) = delete;

  HDC dc() const { return dc_; }
  void Clear(uint32_t pixel = 0x00FFFFFF) {
    std::fill(pixels_.begin(), pixels_.end(), pixel);
  }
  uint32_t Pixel(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x] & 0x00FFFFFF; }
  // The bounding box of every pixel that is not `background` (empty when none).
  RECT Ink(uint32_t background = 0x00FFFFFF) const {
    RECT box{width_, height_, 0, 0};
    for (int y = 0; y < height_; ++y) {
      for (int x = 0; x < width_; ++x) {
        if (Pixel(x, y) == background) continue;
        box.Left = std::min(box.Left, x);
        box.Top = std::min(box.Top, y);
        box.Right = std::max(box.Right, x + 1);
        box.Bottom = std::max(box.Bottom, y + 1);
      }
    }
    return box.Left < box.Right ? box : RECT{};
  }
  // Selects a font made from these fields for the canvas's life.
  void UseFont(const char* face, LONG height, LONG weight = FW_NORMAL, LONG escapement = 0) {
    LOGFONT font;
    font.lfHeight = height;
    font.lfWeight = weight;
    font.lfEscapement = escapement;
    font.lfOrientation = escapement;
    std::strncpy(font.lfFaceName, face, LF_FACESIZE - 1);
    HFONT created = CreateFontIndirect(&font);
    HGDIOBJ old = SelectObject(dc_, created);
    if (font_) DeleteObject(old);
    font_ = created;
  }

 private:
  int width_;
  int height_;
  std::vector<uint32_t> pixels_;
  HDC dc_ = nullptr;
  HFONT font_ = nullptr;
};
