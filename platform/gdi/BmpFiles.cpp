#include <bit>
#include <cstring>

#include "gdi/BitmapObject.h"
#include "gdi/Bitmaps.h"
#include "gdi/DeviceContexts.h"
#include "gdi/DibFormat.h"
#include "gdi/ImageFiles.h"

namespace {

constexpr int kMaxSide = 1 << 15;

template <class T>
T ReadAt(const uint8_t* data, size_t at) {
  T value;
  std::memcpy(&value, data + at, sizeof(T));
  return value;
}

// One channel of a bit-field pixel scaled to 8 bits.
uint32_t Channel(uint32_t value, uint32_t mask) {
  if (mask == 0) return 0;
  const int shift = std::countr_zero(mask);
  const int bits = std::popcount(mask);
  const uint32_t v = (value & mask) >> shift;
  const uint32_t maximum = bits >= 32 ? 0xFFFFFFFFu : (1u << bits) - 1;
  return static_cast<uint32_t>((static_cast<uint64_t>(v) * 255 + maximum / 2) / maximum);
}

// A DIB whose header starts at data[0]; bitsOffset (from data[0]) when the file says where the
// pixels are, 0 to take them right after the colour table.
HBITMAP DecodeDib(const uint8_t* data, size_t size, size_t bitsOffset) {
  if (size < 12) return nullptr;
  const uint32_t headerSize = ReadAt<uint32_t>(data, 0);
  int width, height, bpp;
  uint32_t compression = BI_RGB, colours = 0;
  size_t tableEntry = 4;
  uint32_t masks[4] = {0, 0, 0, 0};
  if (headerSize == 12) {
    width = ReadAt<uint16_t>(data, 4);
    height = ReadAt<int16_t>(data, 6);
    bpp = ReadAt<uint16_t>(data, 10);
    tableEntry = 3;
  } else if (headerSize >= 40 && headerSize <= size) {
    width = ReadAt<int32_t>(data, 4);
    height = ReadAt<int32_t>(data, 8);
    bpp = ReadAt<uint16_t>(data, 14);
    compression = ReadAt<uint32_t>(data, 16);
    colours = ReadAt<uint32_t>(data, 32);
  } else {
    return nullptr;
  }
  size_t at = headerSize;
  if (compression == BI_BITFIELDS) {
    if (bpp != 16 && bpp != 32) return nullptr;
    const size_t maskOffset = headerSize >= 52 ? 40 : headerSize;
    if (maskOffset + 12 > size) return nullptr;
    for (int i = 0; i < 3; ++i) masks[i] = ReadAt<uint32_t>(data, maskOffset + 4 * static_cast<size_t>(i));
    if (headerSize == 40) at += 12;
  } else if (compression != BI_RGB) {
    return nullptr;  // RLE and embedded formats are not read
  } else if (bpp == 16) {
    masks[0] = 0x7C00, masks[1] = 0x03E0, masks[2] = 0x001F;
  }
  if (width <= 0 || width > kMaxSide || height == 0 || height > kMaxSide || height < -kMaxSide) return nullptr;
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) return nullptr;
  const bool topDown = height < 0;
  const int rows = topDown ? -height : height;
  std::vector<RGBQUAD> palette;
  if (bpp <= 8) {
    const size_t maximum = size_t{1} << bpp;
    const size_t entries = colours == 0 || colours > maximum ? maximum : colours;
    if (at + entries * tableEntry > size) return nullptr;
    for (size_t i = 0; i < entries; ++i) {
      const uint8_t* q = data + at + i * tableEntry;
      palette.push_back(RGBQUAD{q[0], q[1], q[2], 0});
    }
    at += entries * tableEntry;
  }
  if (bitsOffset != 0) at = bitsOffset;
  const size_t stride = ((static_cast<size_t>(width) * static_cast<size_t>(bpp) + 31) / 32) * 4;
  if (at > size || stride * static_cast<size_t>(rows) > size - at) return nullptr;
  const uint8_t* bits = data + at;
  const bool plain32 = bpp == 32 && (compression == BI_RGB || (masks[0] == 0x00FF0000 && masks[1] == 0x0000FF00 && masks[2] == 0x000000FF));
  const int depth = bpp == 16 || bpp == 32 ? 32 : bpp;
  auto bitmap = BitmapObject::Create(width, rows, depth, true, topDown, palette.data(), static_cast<int>(palette.size()));
  if (!bitmap) return nullptr;
  uint8_t* out = bitmap->Bits();
  const size_t outStride = static_cast<size_t>(bitmap->Stride());
  for (int y = 0; y < rows; ++y) {
    const uint8_t* in = bits + stride * static_cast<size_t>(y);
    uint8_t* target = out + outStride * static_cast<size_t>(y);
    if (bpp != 16 && (bpp != 32 || plain32)) {
      std::memcpy(target, in, stride);
      continue;
    }
    auto* pixels = reinterpret_cast<uint32_t*>(target);
    for (int x = 0; x < width; ++x) {
      const uint32_t v = bpp == 16 ? ReadAt<uint16_t>(in, static_cast<size_t>(x) * 2) : ReadAt<uint32_t>(in, static_cast<size_t>(x) * 4);
      pixels[x] = (Channel(v, masks[0]) << 16) | (Channel(v, masks[1]) << 8) | Channel(v, masks[2]);
    }
  }
  return RegisterGdiObjectAs<HBITMAP>(std::move(bitmap));
}

}  // namespace

HBITMAP DecodePackedDib(const void* data, size_t size) {
  return data ? DecodeDib(static_cast<const uint8_t*>(data), size, 0) : nullptr;
}

HBITMAP DecodeBmp(const void* data, size_t size) {
  const auto* bytes = static_cast<const uint8_t*>(data);
  if (!bytes || size < sizeof(BITMAPFILEHEADER) + 12 || bytes[0] != 'B' || bytes[1] != 'M') return nullptr;
  const uint32_t offset = ReadAt<uint32_t>(bytes, 10);
  const size_t header = sizeof(BITMAPFILEHEADER);
  // An offset that points into the headers or past the end is ignored.
  const size_t bitsOffset = offset > header && offset < size ? offset - header : 0;
  return DecodeDib(bytes + header, size - header, bitsOffset);
}

bool EncodeBmp(HBITMAP handle, std::vector<uint8_t>& out) {
  BitmapObject* bitmap = LookupBitmap(handle);
  if (!bitmap) return false;
  DibFormat format;
  format.width = bitmap->Width();
  format.height = bitmap->Height();
  format.bitsPerPixel = bitmap->BitsPerPixel();
  const size_t tableSize = format.bitsPerPixel <= 8 ? (size_t{1} << format.bitsPerPixel) * sizeof(RGBQUAD) : 0;
  std::vector<uint8_t> info(sizeof(BITMAPINFOHEADER) + tableSize);
  auto* header = reinterpret_cast<BITMAPINFO*>(info.data());
  header->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  header->bmiHeader.biWidth = format.width;
  header->bmiHeader.biHeight = format.height;
  header->bmiHeader.biPlanes = 1;
  header->bmiHeader.biBitCount = static_cast<WORD>(format.bitsPerPixel);
  std::vector<uint8_t> bits(format.ImageSize());
  HDC dc = CreateCompatibleDC(nullptr);
  const int lines = GetDIBits(dc, handle, 0, static_cast<UINT>(format.height), bits.data(), header, DIB_RGB_COLORS);
  DeleteDC(dc);
  if (lines != format.height) return false;
  header->bmiHeader.biClrUsed = static_cast<DWORD>(tableSize / sizeof(RGBQUAD));
  BITMAPFILEHEADER file;
  file.bfType = 0x4D42;
  file.bfOffBits = static_cast<DWORD>(sizeof(file) + info.size());
  file.bfSize = static_cast<DWORD>(file.bfOffBits + bits.size());
  const auto* fileBytes = reinterpret_cast<const uint8_t*>(&file);
  out.insert(out.end(), fileBytes, fileBytes + sizeof(file));
  out.insert(out.end(), info.begin(), info.end());
  out.insert(out.end(), bits.begin(), bits.end());
  return true;
}

HBITMAP BitmapFromImage(const PixelImage& image) {
  if (image.width <= 0 || image.height <= 0 ||
      image.pixels.size() != static_cast<size_t>(image.width) * static_cast<size_t>(image.height)) {
    return nullptr;
  }
  auto bitmap = BitmapObject::Create(image.width, image.height, 32, true, true, nullptr, 0);
  if (!bitmap) return nullptr;
  std::memcpy(bitmap->Bits(), image.pixels.data(), image.pixels.size() * 4);
  return RegisterGdiObjectAs<HBITMAP>(std::move(bitmap));
}

HBITMAP DecodeBitmapFile(const void* data, size_t size) {
  PixelImage image;
  if (DecodePng(data, size, image) || DecodeJpeg(data, size, image)) return BitmapFromImage(image);
  return DecodeBmp(data, size);
}
