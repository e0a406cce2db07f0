#include "controls/ImageList.h"

#include <algorithm>
#include <set>
#include <vector>

#include "gdi/Gdi.h"

namespace {

// More pixels than any real image list holds: sizes past it (from a damaged stream, say) are refused
// before anything is allocated, and every strip and offset computed from them fits in an int.
constexpr uint64_t kMaxPixels = uint64_t{64} << 20;

// cx * cy * count within kMaxPixels, without overflow on the way.
bool SizeFits(int64_t cx, int64_t cy, int64_t count) {
  uint64_t total = 0;
  return cx >= 0 && cy >= 0 && count >= 0 && !__builtin_mul_overflow(uint64_t(cx), uint64_t(cy), &total) &&
         !__builtin_mul_overflow(total, uint64_t(count), &total) && total <= kMaxPixels;
}

struct ImageListObject {
  int cx = 0;
  int cy = 0;
  UINT flags = 0;
  int grow = 4;
  int count = 0;
  COLORREF bkColor = CLR_NONE;
  int overlays[15] = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};  // image of overlay n at n - 1
  std::vector<uint32_t> pixels;  // image i occupies cx * cy pixels from i * cx * cy, rows top-down
  std::vector<uint8_t> mask;     // 1: transparent; empty without ILC_MASK
  HBITMAP stripImage = nullptr;  // made by GetImageInfo, dropped on change
  HBITMAP stripMask = nullptr;

  bool masked() const { return (flags & ILC_MASK) != 0; }
  size_t imageSize() const { return static_cast<size_t>(cx) * cy; }
  uint32_t* image(int i) { return pixels.data() + i * imageSize(); }
  uint8_t* maskOf(int i) { return mask.data() + i * imageSize(); }
  int depth() const {
    switch (flags & 0xFE) {
      case ILC_COLOR4: return 4;
      case ILC_COLOR8: return 8;
      case ILC_COLOR24: return 24;
      default: return 32;
    }
  }
  // False, the list unchanged, when n images would pass the size limit.
  [[nodiscard]] bool resize(int64_t n) {
    if (!SizeFits(cx, cy, n)) return false;
    count = static_cast<int>(n);
    pixels.resize(n * imageSize());
    if (masked()) mask.resize(n * imageSize());
    dropStrips();
    return true;
  }
  void dropStrips() {
    if (stripImage) DeleteObject(stripImage);
    if (stripMask) DeleteObject(stripMask);
    stripImage = stripMask = nullptr;
  }
  ~ImageListObject() { dropStrips(); }
};

std::set<ImageListObject*>& LiveLists() {
  static std::set<ImageListObject*> lists;
  return lists;
}

ImageListObject* Lookup(HIMAGELIST handle) {
  auto* list = reinterpret_cast<ImageListObject*>(handle);
  return LiveLists().count(list) ? list : nullptr;
}

HIMAGELIST HandleOf(ImageListObject* list) { return reinterpret_cast<HIMAGELIST>(list); }

BITMAPINFO Header32(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

// A bitmap's pixels as 32-bit BGRA rows, top-down; false for what is not a bitmap.
bool ReadPixels(HBITMAP bitmap, int& width, int& height, std::vector<uint32_t>& out) {
  BITMAP bm;
  if (!bitmap || !GetObject(bitmap, sizeof(bm), &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0) return false;
  width = bm.bmWidth;
  height = bm.bmHeight;
  out.assign(static_cast<size_t>(width) * height, 0);
  BITMAPINFO info = Header32(width, height);
  HDC dc = CreateCompatibleDC(nullptr);
  int lines = GetDIBits(dc, bitmap, 0, static_cast<UINT>(height), out.data(), &info, DIB_RGB_COLORS);
  DeleteDC(dc);
  return lines == height;
}

// Copies the images of a strip (and its mask) into slots first.. of the list.
bool StoreStrip(ImageListObject* list, int first, int images, const std::vector<uint32_t>& pixels, int stripWidth,
                const std::vector<uint32_t>* maskPixels) {
  for (int i = 0; i < images; ++i) {
    uint32_t* image = list->image(first + i);
    uint8_t* mask = list->masked() ? list->maskOf(first + i) : nullptr;
    for (int y = 0; y < list->cy; ++y)
      for (int x = 0; x < list->cx; ++x) {
        size_t from = static_cast<size_t>(y) * stripWidth + i * list->cx + x;
        image[y * list->cx + x] = pixels[from];
        if (mask) mask[y * list->cx + x] = maskPixels && ((*maskPixels)[from] & 0xFFFFFF) != 0;
      }
  }
  list->dropStrips();
  return true;
}

int AddPixels(ImageListObject* list, const std::vector<uint32_t>& pixels, int width, int height,
              const std::vector<uint32_t>* maskPixels) {
  if (height < list->cy || width < list->cx) return -1;
  const int images = width / list->cx;
  const int first = list->count;
  if (!list->resize(int64_t{first} + images)) return -1;
  StoreStrip(list, first, images, pixels, width, maskPixels);
  return first;
}

uint8_t Mix(uint8_t a, uint8_t b, int weightB, int total) {
  return static_cast<uint8_t>((a * (total - weightB) + b * weightB + total / 2) / total);
}

uint32_t Pack(int b, int g, int r, int a) {
  return static_cast<uint32_t>(b) | static_cast<uint32_t>(g) << 8 | static_cast<uint32_t>(r) << 16 |
         static_cast<uint32_t>(a) << 24;
}

bool HasAlpha(const uint32_t* image, size_t n) {
  for (size_t i = 0; i < n; ++i)
    if (image[i] >> 24) return true;
  return false;
}

}  // namespace

HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int, int grow) {
  if (cx < 1 || cy < 1 || !SizeFits(cx, cy, 1)) return nullptr;
  auto* list = new ImageListObject;
  list->cx = cx;
  list->cy = cy;
  list->flags = flags;
  list->grow = std::max(grow, 1);
  LiveLists().insert(list);
  return HandleOf(list);
}

BOOL ImageList_Destroy(HIMAGELIST handle) {
  ImageListObject* list = Lookup(handle);
  if (!list) return FALSE;
  LiveLists().erase(list);
  delete list;
  return TRUE;
}

int ImageList_GetImageCount(HIMAGELIST handle) {
  ImageListObject* list = Lookup(handle);
  return list ? list->count : 0;
}

BOOL ImageList_SetImageCount(HIMAGELIST handle, UINT count) {
  ImageListObject* list = Lookup(handle);
  return list && list->resize(count);
}

BOOL ImageList_GetIconSize(HIMAGELIST handle, int* cx, int* cy) {
  ImageListObject* list = Lookup(handle);
  if (!list || !cx || !cy) return FALSE;
  *cx = list->cx;
  *cy = list->cy;
  return TRUE;
}

BOOL ImageList_SetIconSize(HIMAGELIST handle, int cx, int cy) {
  ImageListObject* list = Lookup(handle);
  if (!list || cx < 1 || cy < 1 || !SizeFits(cx, cy, 1)) return FALSE;
  (void)list->resize(0);
  list->cx = cx;
  list->cy = cy;
  return TRUE;
}

COLORREF ImageList_SetBkColor(HIMAGELIST handle, COLORREF colour) {
  ImageListObject* list = Lookup(handle);
  if (!list) return CLR_NONE;
  COLORREF old = list->bkColor;
  list->bkColor = colour;
  return old;
}

COLORREF ImageList_GetBkColor(HIMAGELIST handle) {
  ImageListObject* list = Lookup(handle);
  return list ? list->bkColor : CLR_NONE;
}

int ImageList_Add(HIMAGELIST handle, HBITMAP image, HBITMAP mask) {
  ImageListObject* list = Lookup(handle);
  std::vector<uint32_t> pixels, maskPixels;
  int width = 0, height = 0, maskWidth = 0, maskHeight = 0;
  if (!list || !ReadPixels(image, width, height, pixels)) return -1;
  bool haveMask = mask && ReadPixels(mask, maskWidth, maskHeight, maskPixels) && maskWidth >= width &&
                  maskHeight >= height;
  if (haveMask && maskWidth != width) {
    // Rows of the mask as wide as the image's.
    std::vector<uint32_t> cut(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y)
      std::copy_n(maskPixels.begin() + static_cast<size_t>(y) * maskWidth, width, cut.begin() + y * width);
    maskPixels = std::move(cut);
  }
  return AddPixels(list, pixels, width, height, haveMask ? &maskPixels : nullptr);
}

int ImageList_AddMasked(HIMAGELIST handle, HBITMAP image, COLORREF maskColour) {
  ImageListObject* list = Lookup(handle);
  std::vector<uint32_t> pixels;
  int width = 0, height = 0;
  if (!list || !ReadPixels(image, width, height, pixels)) return -1;
  const uint32_t key = Pack(GetBValue(maskColour), GetGValue(maskColour), GetRValue(maskColour), 0);
  std::vector<uint32_t> maskPixels(pixels.size(), 0);
  for (size_t i = 0; i < pixels.size(); ++i)
    if ((pixels[i] & 0xFFFFFF) == key) {
      maskPixels[i] = 0xFFFFFF;
      if (list->masked()) pixels[i] = 0;
    }
  return AddPixels(list, pixels, width, height, &maskPixels);
}

BOOL ImageList_Replace(HIMAGELIST handle, int index, HBITMAP image, HBITMAP mask) {
  ImageListObject* list = Lookup(handle);
  std::vector<uint32_t> pixels, maskPixels;
  int width = 0, height = 0, mw = 0, mh = 0;
  if (!list || index < 0 || index >= list->count || !ReadPixels(image, width, height, pixels)) return FALSE;
  if (width < list->cx || height < list->cy) return FALSE;
  bool haveMask = mask && ReadPixels(mask, mw, mh, maskPixels) && mw == width && mh >= height;
  return StoreStrip(list, index, 1, pixels, width, haveMask ? &maskPixels : nullptr);
}

int ImageList_ReplaceIcon(HIMAGELIST handle, int index, HICON icon) {
  ImageListObject* list = Lookup(handle);
  if (!list || index < -1 || index >= list->count || !icon) return -1;
  // The icon drawn at the list's size over white and over black: where the two differ from
  // each other exactly as the backgrounds do, the icon is transparent.
  std::vector<uint32_t> pixels(list->imageSize()), maskPixels(list->imageSize());
  BITMAPINFO info = Header32(list->cx, list->cy);
  void* bits = nullptr;
  HBITMAP canvas = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, canvas);
  auto* surface = static_cast<uint32_t*>(bits);
  std::fill_n(surface, pixels.size(), 0x00FFFFFFu);
  DrawIconEx(dc, 0, 0, icon, list->cx, list->cy, 0, nullptr, DI_NORMAL);
  std::vector<uint32_t> overWhite(surface, surface + pixels.size());
  std::fill_n(surface, pixels.size(), 0u);
  DrawIconEx(dc, 0, 0, icon, list->cx, list->cy, 0, nullptr, DI_NORMAL);
  for (size_t i = 0; i < pixels.size(); ++i) {
    const bool clear = (overWhite[i] & 0xFFFFFF) == 0xFFFFFF && (surface[i] & 0xFFFFFF) == 0;
    maskPixels[i] = clear ? 0xFFFFFF : 0;
    pixels[i] = clear ? 0 : surface[i] & 0xFFFFFF;
  }
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(canvas);
  if (index == -1) return AddPixels(list, pixels, list->cx, list->cy, &maskPixels);
  StoreStrip(list, index, 1, pixels, list->cx, &maskPixels);
  return index;
}

BOOL ImageList_Remove(HIMAGELIST handle, int index) {
  ImageListObject* list = Lookup(handle);
  if (!list || index < -1 || index >= list->count) return FALSE;
  if (index == -1) return list->resize(0);
  const size_t n = list->imageSize();
  list->pixels.erase(list->pixels.begin() + index * n, list->pixels.begin() + (index + 1) * n);
  if (list->masked()) list->mask.erase(list->mask.begin() + index * n, list->mask.begin() + (index + 1) * n);
  return list->resize(list->count - 1);
}

BOOL ImageList_Copy(HIMAGELIST destHandle, int destIndex, HIMAGELIST sourceHandle, int sourceIndex, UINT flags) {
  ImageListObject* list = Lookup(destHandle);
  if (!list || destHandle != sourceHandle || destIndex < 0 || sourceIndex < 0 || destIndex >= list->count ||
      sourceIndex >= list->count)
    return FALSE;
  const size_t n = list->imageSize();
  if (flags & ILCF_SWAP) {
    std::swap_ranges(list->image(destIndex), list->image(destIndex) + n, list->image(sourceIndex));
    if (list->masked()) std::swap_ranges(list->maskOf(destIndex), list->maskOf(destIndex) + n, list->maskOf(sourceIndex));
  } else {
    std::copy_n(list->image(sourceIndex), n, list->image(destIndex));
    if (list->masked()) std::copy_n(list->maskOf(sourceIndex), n, list->maskOf(destIndex));
  }
  list->dropStrips();
  return TRUE;
}

BOOL ImageList_GetImageInfo(HIMAGELIST handle, int index, IMAGEINFO* info) {
  ImageListObject* list = Lookup(handle);
  if (!list || !info || index < 0 || index >= list->count) return FALSE;
  if (!list->stripImage) {
    const int width = list->cx * list->count;
    std::vector<uint32_t> strip(static_cast<size_t>(width) * list->cy), maskStrip;
    if (list->masked()) maskStrip.resize(strip.size());
    for (int i = 0; i < list->count; ++i)
      for (int y = 0; y < list->cy; ++y)
        for (int x = 0; x < list->cx; ++x) {
          size_t to = static_cast<size_t>(y) * width + i * list->cx + x;
          strip[to] = list->image(i)[y * list->cx + x];
          if (list->masked()) maskStrip[to] = list->maskOf(i)[y * list->cx + x] ? 0xFFFFFF : 0;
        }
    std::vector<Byte> buffer(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD));
    auto* header = reinterpret_cast<BITMAPINFO*>(buffer.data());
    *header = Header32(width, list->cy);
    header->bmiHeader.biBitCount = static_cast<WORD>(list->depth());
    if (list->depth() <= 8) {
      // A grey ramp is as good a table as any for lists this system never makes.
      const int colours = 1 << list->depth();
      header->bmiHeader.biClrUsed = static_cast<DWORD>(colours);
      for (int c = 0; c < colours; ++c) {
        Byte v = static_cast<Byte>(c * 255 / (colours - 1));
        header->bmiColors[c] = RGBQUAD{v, v, v, 0};
      }
    }
    void* bits = nullptr;
    list->stripImage = CreateDIBSection(nullptr, header, DIB_RGB_COLORS, &bits, nullptr, 0);
    BITMAPINFO info32 = Header32(width, list->cy);
    HDC dc = CreateCompatibleDC(nullptr);
    SetDIBits(dc, list->stripImage, 0, static_cast<UINT>(list->cy), strip.data(), &info32, DIB_RGB_COLORS);
    if (list->masked()) {
      list->stripMask = CreateBitmap(width, list->cy, 1, 1, nullptr);
      SetDIBits(dc, list->stripMask, 0, static_cast<UINT>(list->cy), maskStrip.data(), &info32, DIB_RGB_COLORS);
    }
    DeleteDC(dc);
  }
  info->hbmImage = list->stripImage;
  info->hbmMask = list->stripMask;
  info->rcImage = RECT{index * list->cx, 0, (index + 1) * list->cx, list->cy};
  return TRUE;
}

HICON ImageList_GetIcon(HIMAGELIST handle, int index, UINT) {
  ImageListObject* list = Lookup(handle);
  if (!list || index < 0 || index >= list->count) return nullptr;
  std::vector<uint32_t> maskPixels(list->imageSize(), 0);
  if (list->masked())
    for (size_t i = 0; i < maskPixels.size(); ++i) maskPixels[i] = list->maskOf(index)[i] ? 0xFFFFFF : 0;
  BITMAPINFO info = Header32(list->cx, list->cy);
  ICONINFO icon;
  icon.fIcon = TRUE;
  icon.hbmColor = CreateBitmap(list->cx, list->cy, 1, 32, nullptr);
  icon.hbmMask = CreateBitmap(list->cx, list->cy, 1, 1, nullptr);
  HDC dc = CreateCompatibleDC(nullptr);
  SetDIBits(dc, icon.hbmColor, 0, static_cast<UINT>(list->cy), list->image(index), &info, DIB_RGB_COLORS);
  SetDIBits(dc, icon.hbmMask, 0, static_cast<UINT>(list->cy), maskPixels.data(), &info, DIB_RGB_COLORS);
  DeleteDC(dc);
  HICON result = CreateIconIndirect(&icon);
  DeleteObject(icon.hbmColor);
  DeleteObject(icon.hbmMask);
  return result;
}

BOOL ImageList_Draw(HIMAGELIST list, int index, HDC dc, int x, int y, UINT style) {
  return ImageList_DrawEx(list, index, dc, x, y, 0, 0, CLR_DEFAULT, CLR_DEFAULT, style);
}

namespace {

// Composes image `index` of the list onto the w x h destination pixels. An overlay (`over`) never
// clears what lies under its transparent pixels, in colour or in the mask.
void Compose(ImageListObject* list, int index, uint32_t* dest, int w, int h, COLORREF background,
             COLORREF foreground, UINT style, bool over) {
  const uint32_t* image = list->image(index);
  const uint8_t* mask = list->masked() ? list->maskOf(index) : nullptr;
  const bool alpha = list->depth() == 32 && HasAlpha(image, list->imageSize());
  const bool transparent = over || (style & ILD_TRANSPARENT) || background == CLR_NONE;
  const int blend = (style & ILD_BLEND50) ? 2 : (style & ILD_BLEND25) ? 1 : 0;  // quarters of the foreground
  const bool blendOn = blend && foreground != CLR_NONE;

  for (int row = 0; row < h; ++row)
    for (int col = 0; col < w; ++col) {
      const int i = row * list->cx + col;
      uint32_t& d = dest[row * w + col];
      if (style & ILD_MASK) {
        const bool clear = (mask && mask[i]) || (alpha && (image[i] >> 24) < 128);
        if (!clear) d = 0;
        else if (!over) d = 0x00FFFFFF;
        continue;
      }
      const uint32_t s = image[i];
      int a = alpha ? static_cast<int>(s >> 24) : (mask && mask[i]) ? 0 : 255;
      int b = s & 0xFF, g = (s >> 8) & 0xFF, r = (s >> 16) & 0xFF;
      if (blendOn) {
        b = Mix(static_cast<uint8_t>(b), GetBValue(foreground), blend, 4);
        g = Mix(static_cast<uint8_t>(g), GetGValue(foreground), blend, 4);
        r = Mix(static_cast<uint8_t>(r), GetRValue(foreground), blend, 4);
      }
      if (!transparent && a < 255) {
        // Over the background colour first: the result is opaque.
        b = Mix(GetBValue(background), static_cast<uint8_t>(b), a, 255);
        g = Mix(GetGValue(background), static_cast<uint8_t>(g), a, 255);
        r = Mix(GetRValue(background), static_cast<uint8_t>(r), a, 255);
        a = 255;
        d = Pack(b, g, r, alpha ? 255 : 0);
        continue;
      }
      if (a == 0) continue;
      if (a == 255) {
        d = Pack(b, g, r, alpha ? 255 : static_cast<int>(s >> 24));
        continue;
      }
      const int da = static_cast<int>(d >> 24);
      d = Pack(Mix(d & 0xFF, static_cast<uint8_t>(b), a, 255), Mix((d >> 8) & 0xFF, static_cast<uint8_t>(g), a, 255),
               Mix((d >> 16) & 0xFF, static_cast<uint8_t>(r), a, 255), a + (da * (255 - a) + 127) / 255);
    }
}

}  // namespace

BOOL ImageList_SetOverlayImage(HIMAGELIST handle, int image, int overlay) {
  ImageListObject* list = Lookup(handle);
  if (!list || overlay < 1 || overlay > 15 || image < -1 || image >= list->count) return FALSE;
  list->overlays[overlay - 1] = image;
  return TRUE;
}

BOOL ImageList_DrawEx(HIMAGELIST handle, int index, HDC dc, int x, int y, int width, int height,
                      COLORREF background, COLORREF foreground, UINT style) {
  ImageListObject* list = Lookup(handle);
  if (!list || !dc || index < 0 || index >= list->count) return FALSE;
  const int w = width > 0 ? std::min(width, list->cx) : list->cx;
  const int h = height > 0 ? std::min(height, list->cy) : list->cy;

  // The destination's pixels, composed here and put back.
  BITMAPINFO info = Header32(w, h);
  void* bits = nullptr;
  HBITMAP work = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!work) return FALSE;
  HDC workDC = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(workDC, work);
  BitBlt(workDC, 0, 0, w, h, dc, x, y, SRCCOPY);
  auto* dest = static_cast<uint32_t*>(bits);

  if (background == CLR_DEFAULT) background = list->bkColor;
  if (foreground == CLR_DEFAULT) foreground = GetSysColor(COLOR_HIGHLIGHT);
  Compose(list, index, dest, w, h, background, foreground, style, false);
  const UINT overlay = (style & ILD_OVERLAYMASK) >> 8;
  const int overlayImage = overlay ? list->overlays[overlay - 1] : -1;
  if (overlayImage >= 0 && overlayImage < list->count)
    Compose(list, overlayImage, dest, w, h, background, foreground, style, true);

  BitBlt(dc, x, y, w, h, workDC, 0, 0, SRCCOPY);
  SelectObject(workDC, old);
  DeleteDC(workDC);
  DeleteObject(work);
  return TRUE;
}

// ---- Streams ----------------------------------------------------------------------------------

namespace {

constexpr uint32_t kStreamMagic = 0x4C495454u;  // "TTIL" as little-endian bytes
constexpr uint32_t kStreamVersion = 1;

bool WriteAll(IStream* stream, const void* data, size_t size) {
  ULONG written = 0;
  return size == 0 || (stream->Write(data, static_cast<ULONG>(size), &written) == S_OK && written == size);
}

bool ReadAll(IStream* stream, void* data, size_t size) {
  ULONG read = 0;
  return size == 0 || (stream->Read(data, static_cast<ULONG>(size), &read) == S_OK && read == size);
}

struct StreamHeader {
  uint32_t magic, version;
  int32_t cx, cy;
  uint32_t flags;
  int32_t grow, count;
  uint32_t bkColor;
};

}  // namespace

BOOL ImageList_Write(HIMAGELIST handle, IStream* stream) {
  ImageListObject* list = Lookup(handle);
  if (!list || !stream) return FALSE;
  StreamHeader header{kStreamMagic, kStreamVersion, list->cx, list->cy, list->flags, list->grow, list->count,
                      list->bkColor};
  return WriteAll(stream, &header, sizeof(header)) &&
         WriteAll(stream, list->pixels.data(), list->pixels.size() * sizeof(uint32_t)) &&
         WriteAll(stream, list->mask.data(), list->mask.size());
}

HIMAGELIST ImageList_Read(IStream* stream) {
  StreamHeader header{};
  if (!stream || !ReadAll(stream, &header, sizeof(header)) || header.magic != kStreamMagic ||
      header.version != kStreamVersion || header.cx < 1 || header.cy < 1 || header.count < 0)
    return nullptr;
  // Sizes from the stream are checked against the limit and the bytes present before anything is
  // allocated for them.
  if (!SizeFits(header.cx, header.cy, header.count)) return nullptr;
  const uint64_t pixels = uint64_t(header.cx) * uint64_t(header.cy) * uint64_t(header.count);
  STATSTG stat;
  ULONGLONG here = 0;
  if (stream->Stat(&stat, 0) != S_OK || stream->Seek(0, STREAM_SEEK_CUR, &here) != S_OK) return nullptr;
  const uint64_t needed = pixels * 4 + ((header.flags & ILC_MASK) ? pixels : 0);
  if (here > stat.cbSize || needed > stat.cbSize - here) return nullptr;
  HIMAGELIST handle = ImageList_Create(header.cx, header.cy, header.flags, 0, header.grow);
  ImageListObject* list = Lookup(handle);
  list->bkColor = header.bkColor;
  if (!list->resize(header.count) || !ReadAll(stream, list->pixels.data(), list->pixels.size() * sizeof(uint32_t)) ||
      !ReadAll(stream, list->mask.data(), list->mask.size())) {
    ImageList_Destroy(handle);
    return nullptr;
  }
  return handle;
}
