#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "gdi/Bitmaps.h"
#include "gdi/DeviceContexts.h"
#include "gdi/GdiPlusObjects.h"
#include "gdi/Premultiply.h"

namespace {

constexpr int kMaxSide = 1 << 15;

bool ValidSize(int width, int height) { return width > 0 && height > 0 && width <= kMaxSide && height <= kMaxSide; }

BYTE Channel(uint32_t pixel, int shift) { return static_cast<BYTE>((pixel >> shift) & 0xFF); }

}  // namespace

int BytesPerPixel(PixelFormat format) {
  switch (format) {
    case PixelFormat24bppRGB: return 3;
    case PixelFormat32bppRGB: case PixelFormat32bppARGB: case PixelFormat32bppPARGB: return 4;
    default: return 0;
  }
}

void RowToPremultiplied(PixelFormat format, const BYTE* in, uint32_t* out, int count) {
  switch (format) {
    case PixelFormat32bppPARGB: std::memcpy(out, in, static_cast<size_t>(count) * 4); break;
    case PixelFormat32bppARGB:
      for (int i = 0; i < count; ++i) {
        uint32_t pixel;
        std::memcpy(&pixel, in + i * 4, 4);
        out[i] = Premultiply(pixel);
      }
      break;
    case PixelFormat32bppRGB:
      for (int i = 0; i < count; ++i) {
        uint32_t pixel;
        std::memcpy(&pixel, in + i * 4, 4);
        out[i] = pixel | 0xFF000000u;
      }
      break;
    case PixelFormat24bppRGB:
      for (int i = 0; i < count; ++i) {
        const BYTE* p = in + i * 3;
        out[i] = 0xFF000000u | (uint32_t{p[2]} << 16) | (uint32_t{p[1]} << 8) | p[0];
      }
      break;
    default: std::fill(out, out + count, 0u); break;
  }
}

void RowFromPremultiplied(PixelFormat format, const uint32_t* in, BYTE* out, int count) {
  switch (format) {
    case PixelFormat32bppPARGB: std::memcpy(out, in, static_cast<size_t>(count) * 4); break;
    case PixelFormat32bppARGB:
      for (int i = 0; i < count; ++i) {
        uint32_t pixel = Unpremultiply(in[i]);
        std::memcpy(out + i * 4, &pixel, 4);
      }
      break;
    case PixelFormat32bppRGB:
      for (int i = 0; i < count; ++i) {
        uint32_t pixel = in[i] | 0xFF000000u;
        std::memcpy(out + i * 4, &pixel, 4);
      }
      break;
    case PixelFormat24bppRGB:
      for (int i = 0; i < count; ++i) {
        out[i * 3] = Channel(in[i], 0);
        out[i * 3 + 1] = Channel(in[i], 8);
        out[i * 3 + 2] = Channel(in[i], 16);
      }
      break;
    default: break;
  }
}

std::unique_ptr<GpImage> NewBitmap(int width, int height, PixelFormat format) {
  auto image = std::make_unique<GpImage>();
  image->width = width;
  image->height = height;
  image->format = format;
  image->stride = (width * BytesPerPixel(format) + 3) & ~3;
  image->storage.assign(static_cast<size_t>(image->stride) * height, 0);
  image->scan0 = image->storage.data();
  return image;
}

std::vector<uint32_t> PremultipliedPixels(const GpImage& image) {
  std::vector<uint32_t> pixels(static_cast<size_t>(image.width) * image.height);
  for (int y = 0; y < image.height; ++y) {
    RowToPremultiplied(image.format, image.Row(y), pixels.data() + static_cast<size_t>(y) * image.width, image.width);
  }
  return pixels;
}

GpStatus GdipCreateBitmapFromScan0(INT width, INT height, INT stride, PixelFormat format, BYTE* scan0,
                                   GpBitmap** bitmap) {
  if (!bitmap || !ValidSize(width, height) || BytesPerPixel(format) == 0) return InvalidParameter;
  if (!scan0) {
    *bitmap = NewBitmap(width, height, format).release();
    return Ok;
  }
  if (std::abs(stride) < width * BytesPerPixel(format)) return InvalidParameter;
  // The caller's memory stays the caller's: the bitmap draws from and into it.
  auto image = std::make_unique<GpImage>();
  image->width = width;
  image->height = height;
  image->format = format;
  image->stride = stride;
  image->scan0 = scan0;
  *bitmap = image.release();
  return Ok;
}

GpStatus GdipCreateBitmapFromGraphics(INT width, INT height, GpGraphics* graphics, GpBitmap** bitmap) {
  if (!graphics || !bitmap || !ValidSize(width, height)) return InvalidParameter;
  *bitmap = NewBitmap(width, height, PixelFormat32bppPARGB).release();
  return Ok;
}

GpStatus GdipCloneBitmapAreaI(INT x, INT y, INT width, INT height, PixelFormat format, GpBitmap* source,
                              GpBitmap** clone) {
  if (!source || !clone || !ValidSize(width, height) || BytesPerPixel(format) == 0) return InvalidParameter;
  if (x < 0 || y < 0 || x + width > source->width || y + height > source->height) return InvalidParameter;
  auto copy = NewBitmap(width, height, format);
  std::vector<uint32_t> row(static_cast<size_t>(source->width));
  for (int line = 0; line < height; ++line) {
    RowToPremultiplied(source->format, source->Row(y + line), row.data(), source->width);
    RowFromPremultiplied(format, row.data() + x, copy->Row(line), width);
  }
  *clone = copy.release();
  return Ok;
}

GpStatus GdipCloneImage(GpImage* image, GpImage** clone) {
  if (!image || !clone) return InvalidParameter;
  return GdipCloneBitmapAreaI(0, 0, image->width, image->height, image->format, image, clone);
}

GpStatus GdipDisposeImage(GpImage* image) {
  if (!image) return InvalidParameter;
  delete image;
  return Ok;
}

GpStatus GdipGetImageDimension(GpImage* image, REAL* width, REAL* height) {
  if (!image || !width || !height) return InvalidParameter;
  *width = static_cast<REAL>(image->width);
  *height = static_cast<REAL>(image->height);
  return Ok;
}

GpStatus GdipGetImageWidth(GpImage* image, UINT* width) {
  if (!image || !width) return InvalidParameter;
  *width = static_cast<UINT>(image->width);
  return Ok;
}

GpStatus GdipGetImageHeight(GpImage* image, UINT* height) {
  if (!image || !height) return InvalidParameter;
  *height = static_cast<UINT>(image->height);
  return Ok;
}

GpStatus GdipGetImagePixelFormat(GpImage* image, PixelFormat* format) {
  if (!image || !format) return InvalidParameter;
  *format = image->format;
  return Ok;
}

GpStatus GdipBitmapLockBits(GpBitmap* bitmap, const GpRect* rect, UINT flags, PixelFormat format, BitmapData* data) {
  if (!bitmap || !data || BytesPerPixel(format) == 0) return InvalidParameter;
  if (bitmap->locked) return WrongState;
  GpRect area = rect ? *rect : GpRect{0, 0, bitmap->width, bitmap->height};
  if (area.X < 0 || area.Y < 0 || area.Width <= 0 || area.Height <= 0 || area.X + area.Width > bitmap->width ||
      area.Y + area.Height > bitmap->height) {
    return InvalidParameter;
  }
  int bytes = BytesPerPixel(format);
  bool userBuffer = (flags & ImageLockModeUserInputBuf) != 0;
  if (userBuffer && (!data->Scan0 || std::abs(data->Stride) < area.Width * bytes)) return InvalidParameter;
  bitmap->locked = true;
  bitmap->lockRect = area;
  bitmap->lockFlags = flags;
  data->Width = static_cast<UINT>(area.Width);
  data->Height = static_cast<UINT>(area.Height);
  data->PixelFormat = format;
  if (format == bitmap->format && !userBuffer) {
    data->Stride = bitmap->stride;
    data->Scan0 = bitmap->Row(area.Y) + area.X * bytes;
    data->Reserved = 0;
    return Ok;
  }
  // Another format: a converted copy, written back on unlock when the lock writes.
  if (!userBuffer) {
    data->Stride = (area.Width * bytes + 3) & ~3;
    bitmap->lockBuffer.assign(static_cast<size_t>(data->Stride) * area.Height, 0);
    data->Scan0 = bitmap->lockBuffer.data();
  }
  data->Reserved = 1;
  if (flags & ImageLockModeRead) {
    std::vector<uint32_t> row(static_cast<size_t>(area.Width));
    for (int y = 0; y < area.Height; ++y) {
      RowToPremultiplied(bitmap->format, bitmap->Row(area.Y + y) + area.X * BytesPerPixel(bitmap->format), row.data(),
                         area.Width);
      RowFromPremultiplied(format, row.data(), static_cast<BYTE*>(data->Scan0) + static_cast<std::ptrdiff_t>(y) * data->Stride,
                           area.Width);
    }
  }
  return Ok;
}

GpStatus GdipBitmapUnlockBits(GpBitmap* bitmap, BitmapData* data) {
  if (!bitmap || !data) return InvalidParameter;
  if (!bitmap->locked) return WrongState;
  const GpRect& area = bitmap->lockRect;
  if (data->Reserved == 1 && (bitmap->lockFlags & ImageLockModeWrite)) {
    std::vector<uint32_t> row(static_cast<size_t>(area.Width));
    for (int y = 0; y < area.Height; ++y) {
      RowToPremultiplied(data->PixelFormat, static_cast<const BYTE*>(data->Scan0) + static_cast<std::ptrdiff_t>(y) * data->Stride,
                         row.data(), area.Width);
      RowFromPremultiplied(bitmap->format, row.data(), bitmap->Row(area.Y + y) + area.X * BytesPerPixel(bitmap->format),
                           area.Width);
    }
  }
  bitmap->lockBuffer.clear();
  bitmap->locked = false;
  return Ok;
}

GpStatus GdipCreateHBITMAPFromBitmap(GpBitmap* bitmap, HBITMAP* result, ARGB background) {
  if (!bitmap || !result) return InvalidParameter;
  uint32_t* out = nullptr;
  HBITMAP created = CreateDibSection32(bitmap->width, bitmap->height, &out);
  if (!created || !out) return OutOfMemory;
  // The picture over the background colour; with a transparent background this is the
  // premultiplied picture itself.
  uint32_t under = Premultiply(background);
  std::vector<uint32_t> pixels = PremultipliedPixels(*bitmap);
  for (size_t i = 0; i < pixels.size(); ++i) {
    uint32_t p = pixels[i];
    uint32_t keep = 255 - (p >> 24);
    uint32_t result32 = 0;
    for (int shift = 0; shift < 32; shift += 8) {
      uint32_t channel = ((p >> shift) & 0xFF) + (((under >> shift) & 0xFF) * keep + 127) / 255;
      result32 |= std::min<uint32_t>(channel, 255) << shift;
    }
    out[i] = result32;
  }
  *result = created;
  return Ok;
}

GpStatus GdipCreateBitmapFromHBITMAP(HBITMAP source, HPALETTE, GpBitmap** bitmap) {
  BITMAP record;
  if (!bitmap || !source || GetObject(source, sizeof(record), &record) == 0) return InvalidParameter;
  if (!ValidSize(record.bmWidth, std::abs(record.bmHeight))) return InvalidParameter;
  int height = std::abs(record.bmHeight);
  auto image = NewBitmap(record.bmWidth, height, PixelFormat32bppRGB);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = record.bmWidth;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  HDC dc = CreateCompatibleDC(nullptr);
  int lines = GetDIBits(dc, source, 0, static_cast<UINT>(height), image->scan0, &info, DIB_RGB_COLORS);
  DeleteDC(dc);
  if (lines == 0) return GenericError;
  *bitmap = image.release();
  return Ok;
}

GpStatus GdipCreateBitmapFromGdiDib(const void* header, void* bits, GpBitmap** bitmap) {
  const auto* info = static_cast<const BITMAPINFO*>(header);
  if (!info || !bits || !bitmap) return InvalidParameter;
  int width = info->bmiHeader.biWidth;
  int height = std::abs(info->bmiHeader.biHeight);
  if (!ValidSize(width, height)) return InvalidParameter;
  // Let the DIB code convert whatever depth the DIB has into 32-bit pixels.
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP temporary = CreateBitmap(width, height, 1, 32, nullptr);
  int lines = temporary ? SetDIBits(dc, temporary, 0, static_cast<UINT>(height), bits, info, DIB_RGB_COLORS) : 0;
  DeleteDC(dc);
  GpStatus status = lines == 0 ? InvalidParameter : GdipCreateBitmapFromHBITMAP(temporary, nullptr, bitmap);
  if (temporary) DeleteObject(temporary);
  return status;
}

GpStatus GdipCreateCachedBitmap(GpBitmap* bitmap, GpGraphics* graphics, GpCachedBitmap** cached) {
  if (!bitmap || !graphics || !cached) return InvalidParameter;
  GpImage* copy = nullptr;
  GpStatus status = GdipCloneBitmapAreaI(0, 0, bitmap->width, bitmap->height, PixelFormat32bppPARGB, bitmap, &copy);
  if (status != Ok) return status;
  auto result = std::make_unique<GpCachedBitmap>();
  result->image.reset(copy);
  *cached = result.release();
  return Ok;
}

GpStatus GdipDeleteCachedBitmap(GpCachedBitmap* cached) {
  if (!cached) return InvalidParameter;
  delete cached;
  return Ok;
}
