#pragma once
// The objects behind the 2-D graphics library's handles, for its sources.

#include <pixman.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "gdi/GdiPlus.h"

struct GpImage {
  int width = 0;
  int height = 0;
  PixelFormat format = PixelFormat32bppPARGB;
  BYTE* scan0 = nullptr;  // the caller's memory, or storage's
  INT stride = 0;
  std::vector<BYTE> storage;
  // While locked: the caller's view and where it goes back on unlock.
  bool locked = false;
  GpRect lockRect;
  UINT lockFlags = 0;
  std::vector<BYTE> lockBuffer;

  BYTE* Row(int y) const { return scan0 + static_cast<std::ptrdiff_t>(y) * stride; }
};

struct GpGraphics {
  HDC dc = nullptr;          // drawing onto a DC
  GpImage* image = nullptr;  // or onto a bitmap
  HDC imageDc = nullptr;     // GdipGetDC's DC onto the bitmap
  InterpolationMode interpolation = InterpolationModeBilinear;
  CompositingMode compositing = CompositingModeSourceOver;
  int compositingQuality = 0;
  int smoothing = 0;
  int pixelOffset = 0;
};

struct GpBrush {
  GpBrushType type = BrushTypeSolidColor;
  ARGB colour = 0;  // solid colour; hatch foreground
  ARGB colour2 = 0;  // gradient end; hatch background
  int hatchStyle = 0;
  GpRect rect;       // gradient rectangle
  LinearGradientMode gradientMode = LinearGradientModeHorizontal;
  GpWrapMode wrapMode = WrapModeTile;
};

struct GpPen {
  ARGB colour = 0;
  REAL width = 1;
  GpUnit unit = UnitPixel;
  int mode = 0;
  std::unique_ptr<GpBrush> brush;  // a pen made from a brush
};

struct GpCachedBitmap {
  std::unique_ptr<GpImage> image;
};

// Bytes per pixel of the formats the subset keeps; 0 for any other.
int BytesPerPixel(PixelFormat format);
// Converts a row between a format and premultiplied 32-bit pixels.
void RowToPremultiplied(PixelFormat format, const BYTE* in, uint32_t* out, int count);
void RowFromPremultiplied(PixelFormat format, const uint32_t* in, BYTE* out, int count);
// A new bitmap of its own memory, cleared to transparent black.
std::unique_ptr<GpImage> NewBitmap(int width, int height, PixelFormat format);
// A premultiplied copy of the whole image (rows of width pixels).
std::vector<uint32_t> PremultipliedPixels(const GpImage& image);

// Runs draw(destination, clip, offsetX, offsetY) on the graphics' pixels as a premultiplied
// pixman image: offsets turn the graphics' coordinates into the image's; clip is null when
// everything may be touched. A bitmap in another format is converted there and back.
GpStatus WithTarget(GpGraphics& graphics,
                    const std::function<void(pixman_image_t*, const pixman_region32_t*, int, int)>& draw);
