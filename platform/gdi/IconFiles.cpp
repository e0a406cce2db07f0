#include <cstdlib>
#include <cstring>

#include "gdi/BitmapObject.h"
#include "gdi/Bitmaps.h"
#include "gdi/DeviceContexts.h"
#include "gdi/IconObject.h"
#include "gdi/Icons.h"
#include "gdi/ImageFiles.h"
#include "gdi/PixelOps.h"

namespace {

template <class T>
T ReadAt(const uint8_t* data, size_t at) {
  T value;
  std::memcpy(&value, data + at, sizeof(T));
  return value;
}

template <class T>
void Append(std::vector<uint8_t>& out, T value) {
  const auto* bytes = reinterpret_cast<const uint8_t*>(&value);
  out.insert(out.end(), bytes, bytes + sizeof(T));
}

constexpr size_t kDirectorySize = 6;
constexpr size_t kEntrySize = 16;
constexpr uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

struct Entry {
  int width, height, bitCount;
  POINT hotspot;
  size_t offset, size;
};

// A mask bitmap from 1-bit rows (bottom-up, 4-byte aligned), or all zero when there are none.
HBITMAP MaskFrom(const uint8_t* rows, int width, int height) {
  auto mask = BitmapObject::Create(width, height, 1, false, true, nullptr, 0);
  if (!mask) return nullptr;
  const size_t stride = ((static_cast<size_t>(width) + 31) / 32) * 4;
  if (rows) {
    const PixelSurface surface = mask->Surface();
    for (int y = 0; y < height; ++y) std::memcpy(surface.Row(height - 1 - y), rows + stride * static_cast<size_t>(y), stride);
  }
  return RegisterGdiObjectAs<HBITMAP>(std::move(mask));
}

HICON MakeIcon(HBITMAP colour, HBITMAP mask, bool isIcon, POINT hotspot) {
  ICONINFO info;
  info.fIcon = isIcon ? TRUE : FALSE;
  info.xHotspot = static_cast<DWORD>(hotspot.X);
  info.yHotspot = static_cast<DWORD>(hotspot.Y);
  info.hbmColor = colour;
  info.hbmMask = mask;
  HICON icon = mask ? CreateIconIndirect(&info) : nullptr;
  DeleteObject(colour);
  DeleteObject(mask);
  return icon;
}

HICON DecodeEntry(const uint8_t* data, size_t size, const Entry& entry, bool isIcon) {
  if (entry.offset > size || entry.size > size - entry.offset || entry.size < 12) return nullptr;
  const uint8_t* image = data + entry.offset;
  if (entry.size >= 8 && std::memcmp(image, kPngSignature, 8) == 0) {
    PixelImage pixels;
    if (!DecodePng(image, entry.size, pixels, false)) return nullptr;
    pixels.hasAlpha = true;
    return MakeIcon(BitmapFromImage(pixels), MaskFrom(nullptr, pixels.width, pixels.height), isIcon, entry.hotspot);
  }
  // A DIB twice as high as the image: the colour rows, then the AND mask rows.
  if (ReadAt<uint32_t>(image, 0) < 40 || entry.size < 40) return nullptr;
  std::vector<uint8_t> header(image, image + entry.size);
  const int32_t doubled = ReadAt<int32_t>(image, 8);
  const int height = doubled / 2;
  if (height <= 0) return nullptr;
  const int32_t halfHeight = height;
  std::memcpy(header.data() + 8, &halfHeight, 4);
  std::memset(header.data() + 20, 0, 4);  // biSizeImage no longer matches
  HBITMAP colour = DecodePackedDib(header.data(), header.size());
  BitmapObject* colourBitmap = LookupBitmap(colour);
  if (!colourBitmap) return nullptr;
  const int width = colourBitmap->Width();
  // The mask follows the colour bits.
  const uint32_t headerSize = ReadAt<uint32_t>(image, 0);
  const int bpp = ReadAt<uint16_t>(image, 14);
  const uint32_t used = ReadAt<uint32_t>(image, 32);
  const size_t table = bpp <= 8 ? (used && used < (1u << bpp) ? used : (1u << bpp)) * 4 : 0;
  const size_t colourStride = ((static_cast<size_t>(width) * static_cast<size_t>(bpp) + 31) / 32) * 4;
  const size_t maskAt = headerSize + table + colourStride * static_cast<size_t>(height);
  const size_t maskStride = ((static_cast<size_t>(width) + 31) / 32) * 4;
  const bool hasMask = maskAt <= entry.size && maskStride * static_cast<size_t>(height) <= entry.size - maskAt;
  HBITMAP mask = MaskFrom(hasMask ? image + maskAt : nullptr, width, height);
  if (bpp == 1) {
    // A monochrome icon keeps the AND mask above the XOR image in one bitmap.
    auto combined = BitmapObject::Create(width, height * 2, 1, false, true, nullptr, 0);
    BitmapObject* maskBitmap = LookupBitmap(mask);
    if (!combined || !maskBitmap) {
      DeleteObject(colour);
      DeleteObject(mask);
      return nullptr;
    }
    const PixelSurface to = combined->Surface(), andBits = maskBitmap->Surface(), xorBits = colourBitmap->Surface();
    std::vector<uint32_t> row(static_cast<size_t>(width));
    for (int y = 0; y < height; ++y) {
      std::memcpy(to.Row(y), andBits.Row(y), static_cast<size_t>(combined->Stride()));
      ReadPixels(xorBits, 0, y, width, row.data());
      WritePixels(to, 0, height + y, width, row.data());
    }
    DeleteObject(colour);
    DeleteObject(mask);
    return MakeIcon(nullptr, RegisterGdiObjectAs<HBITMAP>(std::move(combined)), isIcon, entry.hotspot);
  }
  return MakeIcon(colour, mask, isIcon, entry.hotspot);
}

}  // namespace

HICON DecodeIconFile(const void* data, size_t size, int width, int height) {
  const auto* bytes = static_cast<const uint8_t*>(data);
  if (!bytes || size < kDirectorySize) return nullptr;
  const uint16_t type = ReadAt<uint16_t>(bytes, 2);
  const uint16_t count = ReadAt<uint16_t>(bytes, 4);
  if (ReadAt<uint16_t>(bytes, 0) != 0 || (type != 1 && type != 2) || count == 0) return nullptr;
  if (kDirectorySize + kEntrySize * count > size) return nullptr;
  const Entry* best = nullptr;
  std::vector<Entry> entries;
  for (uint16_t i = 0; i < count; ++i) {
    const uint8_t* e = bytes + kDirectorySize + kEntrySize * i;
    Entry entry;
    entry.width = e[0] ? e[0] : 256;
    entry.height = e[1] ? e[1] : 256;
    entry.bitCount = type == 1 ? ReadAt<uint16_t>(e, 6) : 0;
    entry.hotspot = type == 2 ? POINT{ReadAt<uint16_t>(e, 4), ReadAt<uint16_t>(e, 6)} : POINT{};
    entry.size = ReadAt<uint32_t>(e, 8);
    entry.offset = ReadAt<uint32_t>(e, 12);
    entries.push_back(entry);
  }
  for (const Entry& entry : entries) {
    if (!best) {
      best = &entry;
      if (width == 0 && height == 0) break;
      continue;
    }
    const int distance = std::abs(entry.width - width) + std::abs(entry.height - height);
    const int bestDistance = std::abs(best->width - width) + std::abs(best->height - height);
    if (distance < bestDistance || (distance == bestDistance && entry.bitCount > best->bitCount)) best = &entry;
  }
  return DecodeEntry(bytes, size, *best, type == 1);
}

bool EncodeIconFile(std::span<const HICON> icons, std::vector<uint8_t>& out) {
  if (icons.empty()) return false;
  std::vector<std::vector<uint8_t>> images;
  std::vector<ICONINFO> infos;
  bool cursor = false;
  for (HICON icon : icons) {
    ICONINFO info;
    if (!GetIconInfo(icon, &info)) return false;
    cursor = !info.fIcon;
    infos.push_back(info);
    BitmapObject* mask = LookupBitmap(info.hbmMask);
    const int width = mask->Width();
    const int height = info.hbmColor ? LookupBitmap(info.hbmColor)->Height() : mask->Height() / 2;
    const int bpp = info.hbmColor ? 32 : 1;
    std::vector<uint8_t> image(sizeof(BITMAPINFOHEADER) + (bpp == 1 ? 8 : 0));
    auto* header = reinterpret_cast<BITMAPINFOHEADER*>(image.data());
    header->biSize = sizeof(BITMAPINFOHEADER);
    header->biWidth = width;
    header->biHeight = height * 2;
    header->biPlanes = 1;
    header->biBitCount = static_cast<WORD>(bpp);
    if (bpp == 1) {
      const RGBQUAD white{255, 255, 255, 0};
      std::memcpy(image.data() + sizeof(BITMAPINFOHEADER) + 4, &white, 4);
    }
    // Colour rows bottom-up, then the AND mask bottom-up.
    std::vector<uint8_t> buffer(sizeof(BITMAPINFOHEADER) + 8);
    auto* request = reinterpret_cast<BITMAPINFO*>(buffer.data());
    request->bmiHeader = *header;
    request->bmiHeader.biHeight = height;
    const size_t colourStride = ((static_cast<size_t>(width) * static_cast<size_t>(bpp) + 31) / 32) * 4;
    const size_t maskStride = ((static_cast<size_t>(width) + 31) / 32) * 4;
    std::vector<uint8_t> colour(colourStride * static_cast<size_t>(height));
    std::vector<uint8_t> andBits(maskStride * static_cast<size_t>(height));
    HDC dc = CreateCompatibleDC(nullptr);
    if (info.hbmColor) {
      GetDIBits(dc, info.hbmColor, 0, static_cast<UINT>(height), colour.data(), request, DIB_RGB_COLORS);
      request->bmiHeader.biBitCount = 1;
      GetDIBits(dc, info.hbmMask, 0, static_cast<UINT>(height), andBits.data(), request, DIB_RGB_COLORS);
    } else {
      // Bottom-up scan 0 is the last row: the XOR image is the mask bitmap's lower half.
      std::vector<uint8_t> both(maskStride * static_cast<size_t>(height) * 2);
      request->bmiHeader.biHeight = height * 2;
      GetDIBits(dc, info.hbmMask, 0, static_cast<UINT>(height) * 2, both.data(), request, DIB_RGB_COLORS);
      std::memcpy(colour.data(), both.data(), colour.size());
      std::memcpy(andBits.data(), both.data() + colour.size(), andBits.size());
    }
    DeleteDC(dc);
    image.insert(image.end(), colour.begin(), colour.end());
    image.insert(image.end(), andBits.begin(), andBits.end());
    images.push_back(std::move(image));
  }
  Append<uint16_t>(out, 0);
  Append<uint16_t>(out, cursor ? 2 : 1);
  Append<uint16_t>(out, static_cast<uint16_t>(images.size()));
  size_t offset = kDirectorySize + kEntrySize * images.size();
  for (size_t i = 0; i < images.size(); ++i) {
    const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(images[i].data());
    const int width = header->biWidth, height = header->biHeight / 2;
    out.push_back(static_cast<uint8_t>(width >= 256 ? 0 : width));
    out.push_back(static_cast<uint8_t>(height >= 256 ? 0 : height));
    out.push_back(header->biBitCount == 1 ? 2 : 0);
    out.push_back(0);
    Append<uint16_t>(out, cursor ? static_cast<uint16_t>(infos[i].xHotspot) : 1);
    Append<uint16_t>(out, cursor ? static_cast<uint16_t>(infos[i].yHotspot) : header->biBitCount);
    Append<uint32_t>(out, static_cast<uint32_t>(images[i].size()));
    Append<uint32_t>(out, static_cast<uint32_t>(offset));
    offset += images[i].size();
  }
  for (const auto& image : images) out.insert(out.end(), image.begin(), image.end());
  for (const ICONINFO& info : infos) {
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
  }
  return true;
}
