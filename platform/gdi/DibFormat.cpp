#include "gdi/DibFormat.h"

#include <cstring>

namespace {

constexpr int kMaxSide = 1 << 15;

}  // namespace

bool ParseDibInfo(const BITMAPINFO* info, UINT usage, DibFormat& format, size_t available) {
  if (!info || usage != DIB_RGB_COLORS || available < sizeof(BITMAPINFOHEADER)) return false;
  const BITMAPINFOHEADER& h = info->bmiHeader;
  if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biSize > available) return false;
  const int bpp = h.biBitCount;
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24 && bpp != 32) return false;
  const bool standardMasks = h.biCompression == BI_BITFIELDS && bpp == 32;
  if (h.biCompression != BI_RGB && !standardMasks) return false;
  if (h.biWidth <= 0 || h.biWidth > kMaxSide || h.biHeight == 0 || h.biHeight < -kMaxSide || h.biHeight > kMaxSide) {
    return false;
  }
  format.width = h.biWidth;
  format.height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
  format.topDown = h.biHeight < 0;
  format.bitsPerPixel = bpp;
  format.palette.clear();
  const auto* table = reinterpret_cast<const uint8_t*>(info) + h.biSize;
  size_t tableOffset = h.biSize;
  if (standardMasks && h.biSize == sizeof(BITMAPINFOHEADER)) {
    // Three masks follow a plain header; only the usual B, G, R layout is held.
    if (available < tableOffset + 12) return false;
    uint32_t masks[3];
    std::memcpy(masks, table, sizeof(masks));
    if (masks[0] != 0x00FF0000 || masks[1] != 0x0000FF00 || masks[2] != 0x000000FF) return false;
  }
  if (bpp <= 8) {
    const size_t maximum = size_t{1} << bpp;
    const size_t entries = h.biClrUsed == 0 || h.biClrUsed > maximum ? maximum : h.biClrUsed;
    if (available < tableOffset + entries * sizeof(RGBQUAD)) return false;
    format.palette.resize(entries);
    std::memcpy(format.palette.data(), table, entries * sizeof(RGBQUAD));
  }
  return true;
}

PixelSurface DibSurface(const DibFormat& format, void* bits) {
  PixelSurface surface;
  surface.width = format.width;
  surface.height = format.height;
  surface.bitsPerPixel = format.bitsPerPixel;
  const auto stride = static_cast<ptrdiff_t>(format.Stride());
  auto* base = static_cast<uint8_t*>(bits);
  if (format.topDown) {
    surface.top = base;
    surface.pitch = stride;
  } else {
    surface.top = base + stride * (format.height - 1);
    surface.pitch = -stride;
  }
  surface.palette = format.palette.empty() ? nullptr : format.palette.data();
  surface.paletteSize = static_cast<int>(format.palette.size());
  return surface;
}

std::vector<RGBQUAD> DefaultPalette(int bitsPerPixel) {
  auto quad = [](int r, int g, int b) {
    return RGBQUAD{static_cast<BYTE>(b), static_cast<BYTE>(g), static_cast<BYTE>(r), 0};
  };
  if (bitsPerPixel == 1) return {quad(0, 0, 0), quad(255, 255, 255)};
  if (bitsPerPixel == 4) {
    return {quad(0, 0, 0),       quad(128, 0, 0),   quad(0, 128, 0),   quad(128, 128, 0),
            quad(0, 0, 128),     quad(128, 0, 128), quad(0, 128, 128), quad(192, 192, 192),
            quad(128, 128, 128), quad(255, 0, 0),   quad(0, 255, 0),   quad(255, 255, 0),
            quad(0, 0, 255),     quad(255, 0, 255), quad(0, 255, 255), quad(255, 255, 255)};
  }
  if (bitsPerPixel == 8) {
    std::vector<RGBQUAD> palette;
    for (int r = 0; r < 6; ++r) {
      for (int g = 0; g < 6; ++g) {
        for (int b = 0; b < 6; ++b) palette.push_back(quad(r * 51, g * 51, b * 51));
      }
    }
    for (int i = 0; palette.size() < 256; ++i) palette.push_back(quad(i * 6 + 8, i * 6 + 8, i * 6 + 8));
    return palette;
  }
  return {};
}

void FillDibInfo(const DibFormat& format, BITMAPINFO* info) {
  BITMAPINFOHEADER& h = info->bmiHeader;
  h.biSize = sizeof(BITMAPINFOHEADER);
  h.biWidth = format.width;
  h.biHeight = format.topDown ? -format.height : format.height;
  h.biPlanes = 1;
  h.biBitCount = static_cast<WORD>(format.bitsPerPixel);
  h.biCompression = BI_RGB;
  h.biSizeImage = static_cast<DWORD>(format.ImageSize());
  h.biClrUsed = static_cast<DWORD>(format.palette.size());
  h.biClrImportant = 0;
  if (!format.palette.empty()) {
    std::memcpy(reinterpret_cast<uint8_t*>(info) + sizeof(BITMAPINFOHEADER), format.palette.data(),
                format.palette.size() * sizeof(RGBQUAD));
  }
}
