#include "gdi/Bitmaps.h"

#include <algorithm>
#include <cstring>

#include "gdi/BitmapObject.h"
#include "gdi/Blits.h"
#include "gdi/DcState.h"
#include "gdi/DeviceContexts.h"
#include "gdi/DibFormat.h"
#include "gdi/Icons.h"
#include "gdi/StockObjects.h"
#include "gdi/Stretch.h"

namespace {

HBITMAP Register(std::unique_ptr<BitmapObject> bitmap) {
  return bitmap ? RegisterGdiObjectAs<HBITMAP>(std::move(bitmap)) : nullptr;
}

// Copies rows between two surfaces of the same size, converting formats through 32-bit pixels;
// rows of one format are copied byte for byte (palette indices and alpha stay as they are).
void CopyRows(const PixelSurface& from, int fromY, const PixelSurface& to, int toY, int rows) {
  const bool sameFormat = from.bitsPerPixel == to.bitsPerPixel &&
                          (from.bitsPerPixel > 8 || (from.paletteSize == to.paletteSize && from.palette && to.palette &&
                                                     std::memcmp(from.palette, to.palette, sizeof(RGBQUAD) * from.paletteSize) == 0));
  const int width = std::min(from.width, to.width);
  std::vector<uint32_t> row(static_cast<size_t>(width));
  for (int i = 0; i < rows; ++i) {
    if (sameFormat) {
      std::memcpy(to.Row(toY + i), from.Row(fromY + i), (static_cast<size_t>(width) * from.bitsPerPixel + 7) / 8);
    } else {
      ReadPixels(from, 0, fromY + i, width, row.data());
      WritePixels(to, 0, toY + i, width, row.data());
    }
  }
}

// Which surface row a DIB scan line is: scan 0 is the bottom row of a bottom-up DIB.
int SurfaceRowOfScan(const DibFormat& format, int scan) { return format.topDown ? scan : format.height - 1 - scan; }

}  // namespace

HBITMAP CreateCompatibleBitmap(HDC handle, int width, int height) {
  DeviceContext* dc = LookupDc(handle);
  if (!dc || width < 0 || height < 0) return nullptr;
  if (width == 0 || height == 0) return StockBitmap();
  const bool monochrome = dc->IsMemoryDc() && dc->Surface().bitsPerPixel == 1;
  return Register(BitmapObject::Create(width, height, monochrome ? 1 : 32, false, true, nullptr, 0));
}

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits) {
  const UINT depth = planes * bitsPerPixel;
  if (width <= 0 || height <= 0 || planes == 0 || depth == 0) return width == 0 || height == 0 ? StockBitmap() : nullptr;
  const int stored = depth == 1 ? 1 : 32;
  auto bitmap = BitmapObject::Create(width, height, stored, false, true, nullptr, 0);
  if (!bitmap) return nullptr;
  HBITMAP handle = Register(std::move(bitmap));
  if (bits && (depth == 1 || depth == 24 || depth == 32)) {
    const LONG rowBytes = static_cast<LONG>(((static_cast<int64_t>(width) * depth + 15) / 16) * 2);
    SetBitmapBits(handle, static_cast<DWORD>(rowBytes * height), bits);
  }
  return handle;
}

HBITMAP CreateBitmapIndirect(const BITMAP* bitmap) {
  if (!bitmap) return nullptr;
  return CreateBitmap(bitmap->bmWidth, bitmap->bmHeight, bitmap->bmPlanes, bitmap->bmBitsPixel, bitmap->bmBits);
}

HBITMAP CreateDIBSection(HDC, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section, DWORD) {
  if (bits) *bits = nullptr;
  DibFormat format;
  if (section || !ParseDibInfo(info, usage, format)) return nullptr;
  auto bitmap = BitmapObject::Create(format.width, format.height, format.bitsPerPixel, true, format.topDown,
                                     format.palette.data(), static_cast<int>(format.palette.size()));
  if (!bitmap) return nullptr;
  if (bits) *bits = bitmap->Bits();
  return Register(std::move(bitmap));
}

HBITMAP CreateDibSection32(int width, int height, uint32_t** bits) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(bits), nullptr, 0);
}

HBITMAP CreateDIBitmap(HDC dc, const BITMAPINFOHEADER* header, DWORD init, const void* bits, const BITMAPINFO* info,
                       UINT usage) {
  if (!header) return nullptr;
  const int height = header->biHeight < 0 ? -header->biHeight : header->biHeight;
  HBITMAP bitmap = CreateCompatibleBitmap(dc, header->biWidth, height);
  if (bitmap && (init & CBM_INIT) && bits && info) SetDIBits(dc, bitmap, 0, static_cast<UINT>(height), bits, info, usage);
  return bitmap;
}

int GetDIBits(HDC, HBITMAP handle, UINT start, UINT lines, void* bits, BITMAPINFO* info, UINT usage) {
  BitmapObject* bitmap = LookupBitmap(handle);
  if (!bitmap || !info || usage != DIB_RGB_COLORS) return 0;
  BITMAPINFOHEADER& h = info->bmiHeader;
  if (h.biSize < sizeof(BITMAPINFOHEADER)) return 0;
  DibFormat format;
  format.width = bitmap->Width();
  format.height = bitmap->Height();
  format.topDown = h.biHeight < 0;
  format.bitsPerPixel = h.biBitCount == 0 ? bitmap->BitsPerPixel() : h.biBitCount;
  if (format.bitsPerPixel != 1 && format.bitsPerPixel != 4 && format.bitsPerPixel != 8 && format.bitsPerPixel != 24 &&
      format.bitsPerPixel != 32) {
    return 0;
  }
  if (format.bitsPerPixel <= 8) {
    format.palette = format.bitsPerPixel == bitmap->BitsPerPixel() ? bitmap->Palette() : DefaultPalette(format.bitsPerPixel);
  }
  if (!bits) {
    // Only the format is asked for: the header (and the colour table) describe the bitmap.
    if (h.biBitCount == 0) format.topDown = false;
    FillDibInfo(format, info);
    return bitmap->Height();
  }
  // The caller's buffer is laid out by its own header: write only what fits in it.
  if (h.biWidth > 0 && h.biWidth < format.width) format.width = h.biWidth;
  if (h.biHeight != 0) format.height = std::min(format.height, h.biHeight < 0 ? -h.biHeight : h.biHeight);
  if (start >= static_cast<UINT>(format.height)) return 0;
  const int count = static_cast<int>(std::min<UINT>(lines, static_cast<UINT>(format.height) - start));
  FillDibInfo(format, info);
  const PixelSurface to = DibSurface(format, bits);
  const PixelSurface from = bitmap->Surface();
  for (int i = 0; i < count; ++i) {
    const int scan = static_cast<int>(start) + i;
    // Scan lines of a bottom-up DIB count from the bitmap's bottom row.
    const int source = format.topDown ? scan : bitmap->Height() - 1 - scan;
    CopyRows(from, source, to, SurfaceRowOfScan(format, scan), 1);
  }
  return count;
}

int SetDIBits(HDC, HBITMAP handle, UINT start, UINT lines, const void* bits, const BITMAPINFO* info, UINT usage) {
  BitmapObject* bitmap = LookupBitmap(handle);
  DibFormat format;
  if (!bitmap || !bits || !ParseDibInfo(info, usage, format)) return 0;
  const int height = std::min(format.height, bitmap->Height());
  if (start >= static_cast<UINT>(height)) return 0;
  const int count = static_cast<int>(std::min<UINT>(lines, static_cast<UINT>(height) - start));
  const DibFormat& source = format;
  const PixelSurface from = DibSurface(source, const_cast<void*>(bits));
  const PixelSurface to = bitmap->Surface();
  for (int i = 0; i < count; ++i) {
    const int scan = static_cast<int>(start) + i;
    const int row = SurfaceRowOfScan(source, scan);
    // A bottom-up DIB shorter than the bitmap fills its bottom rows.
    const int target = source.topDown ? row : bitmap->Height() - 1 - scan;
    CopyRows(from, row, to, target, 1);
  }
  return count;
}

int SetDIBitsToDevice(HDC dc, int x, int y, DWORD width, DWORD height, int sourceX, int sourceY, UINT, UINT,
                      const void* bits, const BITMAPINFO* info, UINT usage) {
  return StretchDIBits(dc, x, y, static_cast<int>(width), static_cast<int>(height), sourceX, sourceY,
                       static_cast<int>(width), static_cast<int>(height), bits, info, usage, SRCCOPY);
}

int StretchDIBits(HDC dc, int x, int y, int width, int height, int sourceX, int sourceY, int sourceWidth,
                  int sourceHeight, const void* bits, const BITMAPINFO* info, UINT usage, DWORD rop) {
  DibFormat format;
  if (!LookupDc(dc) || !bits || !ParseDibInfo(info, usage, format)) return 0;
  // Through a temporary DIB section in a memory DC. Source coordinates of a bottom-up DIB count
  // from its bottom row.
  void* pixels = nullptr;
  HBITMAP temporary = CreateDIBSection(dc, info, usage, &pixels, nullptr, 0);
  if (!temporary) return 0;
  std::memcpy(pixels, bits, format.ImageSize());
  HDC memory = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(memory, temporary);
  const int top = format.topDown ? sourceY : format.height - sourceY - sourceHeight;
  const BOOL done = StretchBlt(dc, x, y, width, height, memory, sourceX, top, sourceWidth, sourceHeight, rop);
  SelectObject(memory, old);
  DeleteDC(memory);
  DeleteObject(temporary);
  return done ? sourceHeight : 0;
}

LONG GetBitmapBits(HBITMAP handle, LONG size, void* bits) {
  BitmapObject* bitmap = LookupBitmap(handle);
  if (!bitmap || !bits || size <= 0) return 0;
  const PixelSurface surface = bitmap->Surface();
  const size_t rowBytes = ((static_cast<size_t>(bitmap->Width()) * bitmap->BitsPerPixel() + 15) / 16) * 2;
  const size_t dataBytes = (static_cast<size_t>(bitmap->Width()) * bitmap->BitsPerPixel() + 7) / 8;
  auto* out = static_cast<uint8_t*>(bits);
  size_t written = 0;
  for (int y = 0; y < bitmap->Height() && written < static_cast<size_t>(size); ++y) {
    const size_t n = std::min(rowBytes, static_cast<size_t>(size) - written);
    std::memset(out + written, 0, n);
    std::memcpy(out + written, surface.Row(y), std::min(n, dataBytes));
    written += n;
  }
  return static_cast<LONG>(written);
}

LONG SetBitmapBits(HBITMAP handle, DWORD size, const void* bits) {
  BitmapObject* bitmap = LookupBitmap(handle);
  if (!bitmap || !bits) return 0;
  const PixelSurface surface = bitmap->Surface();
  const size_t rowBytes = ((static_cast<size_t>(bitmap->Width()) * bitmap->BitsPerPixel() + 15) / 16) * 2;
  const size_t dataBytes = (static_cast<size_t>(bitmap->Width()) * bitmap->BitsPerPixel() + 7) / 8;
  const auto* in = static_cast<const uint8_t*>(bits);
  size_t read = 0;
  for (int y = 0; y < bitmap->Height() && read + rowBytes <= size; ++y) {
    std::memcpy(surface.Row(y), in + read, dataBytes);
    read += rowBytes;
  }
  return static_cast<LONG>(read);
}

HANDLE CopyImage(HANDLE image, UINT type, int width, int height, UINT flags) {
  if (type == IMAGE_ICON || type == IMAGE_CURSOR) {
    HICON copy = CopyIcon(static_cast<HICON>(image));
    if (copy && (flags & LR_COPYDELETEORG)) DestroyIcon(static_cast<HICON>(image));
    return copy;
  }
  if (type != IMAGE_BITMAP) return nullptr;
  BitmapObject* source = LookupBitmap(static_cast<HBITMAP>(image));
  if (!source || width < 0 || height < 0) return nullptr;
  if (width == 0) width = source->Width();
  if (height == 0) height = source->Height();
  const int depth = (flags & LR_MONOCHROME) ? 1 : source->BitsPerPixel();
  const bool dib = (flags & LR_CREATEDIBSECTION) != 0;
  const bool keepPalette = depth == source->BitsPerPixel() && depth <= 8;
  auto copy = BitmapObject::Create(width, height, depth, dib, dib ? source->IsTopDown() : true,
                                   keepPalette ? source->Palette().data() : nullptr,
                                   keepPalette ? static_cast<int>(source->Palette().size()) : 0);
  if (!copy) return nullptr;
  const PixelSurface from = source->Surface();
  const PixelSurface to = copy->Surface();
  // Colour made monochrome follows the blit rule: white stays white, every other colour is black.
  const bool toMonochrome = depth == 1 && source->BitsPerPixel() != 1;
  if (width == source->Width() && height == source->Height() && !toMonochrome) {
    CopyRows(from, 0, to, 0, height);
  } else {
    std::vector<uint32_t> pixels =
        ResampleSource(from, 0, 0, from.width, from.height, width, height, false, false, COLORONCOLOR, 0, 0x00FFFFFF);
    if (toMonochrome) {
      for (uint32_t& p : pixels) p = (p & 0x00FFFFFF) == 0x00FFFFFF ? 0x00FFFFFF : 0;
    }
    for (int y = 0; y < height; ++y) WritePixels(to, 0, y, width, pixels.data() + static_cast<size_t>(y) * width);
  }
  HBITMAP result = Register(std::move(copy));
  if (result && (flags & LR_COPYDELETEORG)) DeleteObject(image);
  return result;
}
