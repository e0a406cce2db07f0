#include "gdi/BitmapObject.h"

#include <cstring>
#include <new>

namespace {

constexpr int kMaxSide = 1 << 15;

bool ValidDepth(int bitsPerPixel) {
  return bitsPerPixel == 1 || bitsPerPixel == 4 || bitsPerPixel == 8 || bitsPerPixel == 24 || bitsPerPixel == 32;
}

const RGBQUAD kMonochrome[2] = {{0, 0, 0, 0}, {255, 255, 255, 0}};

}  // namespace

std::unique_ptr<BitmapObject> BitmapObject::Create(int width, int height, int bitsPerPixel, bool dibSection,
                                                   bool topDown, const RGBQUAD* palette, int paletteSize) {
  if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide || !ValidDepth(bitsPerPixel)) {
    return nullptr;
  }
  std::unique_ptr<BitmapObject> bitmap(new BitmapObject());
  bitmap->width_ = width;
  bitmap->height_ = height;
  bitmap->bitsPerPixel_ = bitsPerPixel;
  bitmap->dibSection_ = dibSection;
  bitmap->topDown_ = topDown;
  bitmap->stride_ = static_cast<int>(((static_cast<int64_t>(width) * bitsPerPixel + 31) / 32) * 4);
  const size_t size = static_cast<size_t>(bitmap->stride_) * static_cast<size_t>(height);
  bitmap->bits_.reset(new (std::nothrow) uint8_t[size]);
  if (!bitmap->bits_) return nullptr;
  std::memset(bitmap->bits_.get(), 0, size);
  if (bitsPerPixel <= 8) {
    const int entries = 1 << bitsPerPixel;
    bitmap->palette_.assign(static_cast<size_t>(entries), RGBQUAD{});
    if (palette && paletteSize > 0) {
      for (int i = 0; i < entries && i < paletteSize; ++i) bitmap->palette_[static_cast<size_t>(i)] = palette[i];
    } else if (bitsPerPixel == 1) {
      bitmap->palette_.assign(kMonochrome, kMonochrome + 2);
    }
  }
  return bitmap;
}

PixelSurface BitmapObject::Surface() {
  PixelSurface surface;
  surface.width = width_;
  surface.height = height_;
  surface.bitsPerPixel = bitsPerPixel_;
  if (topDown_) {
    surface.top = bits_.get();
    surface.pitch = stride_;
  } else {
    surface.top = bits_.get() + static_cast<ptrdiff_t>(stride_) * (height_ - 1);
    surface.pitch = -static_cast<ptrdiff_t>(stride_);
  }
  surface.palette = palette_.empty() ? nullptr : palette_.data();
  surface.paletteSize = static_cast<int>(palette_.size());
  return surface;
}

int BitmapObject::GetObjectRecord(int size, void* buffer) const {
  BITMAP bm;
  bm.bmType = 0;
  bm.bmWidth = width_;
  bm.bmHeight = height_;
  bm.bmPlanes = 1;
  bm.bmBitsPixel = static_cast<WORD>(bitsPerPixel_);
  if (dibSection_) {
    bm.bmWidthBytes = stride_;
    bm.bmBits = bits_.get();
  } else {
    bm.bmWidthBytes = static_cast<LONG>(((static_cast<int64_t>(width_) * bitsPerPixel_ + 15) / 16) * 2);
  }
  if (dibSection_ && size >= static_cast<int>(sizeof(DIBSECTION))) {
    if (!buffer) return sizeof(DIBSECTION);
    DIBSECTION ds;
    ds.dsBm = bm;
    ds.dsBmih.biSize = sizeof(BITMAPINFOHEADER);
    ds.dsBmih.biWidth = width_;
    ds.dsBmih.biHeight = topDown_ ? -height_ : height_;
    ds.dsBmih.biPlanes = 1;
    ds.dsBmih.biBitCount = static_cast<WORD>(bitsPerPixel_);
    ds.dsBmih.biCompression = BI_RGB;
    ds.dsBmih.biSizeImage = static_cast<DWORD>(stride_) * static_cast<DWORD>(height_);
    ds.dsBmih.biClrUsed = static_cast<DWORD>(palette_.size());
    std::memcpy(buffer, &ds, sizeof(ds));
    return sizeof(DIBSECTION);
  }
  if (!buffer) return sizeof(BITMAP);
  const int copied = size < static_cast<int>(sizeof(BITMAP)) ? size : static_cast<int>(sizeof(BITMAP));
  if (copied <= 0) return 0;
  std::memcpy(buffer, &bm, static_cast<size_t>(copied));
  return copied;
}

BitmapObject* LookupBitmap(HBITMAP bitmap) { return LookupGdiObjectAs<BitmapObject>(bitmap, OBJ_BITMAP); }

const RGBQUAD* MonochromePalette() { return kMonochrome; }
