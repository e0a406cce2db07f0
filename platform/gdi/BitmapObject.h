#pragma once
// Bitmap objects: device bitmaps and DIB sections, all kept in memory in their own format.

#include <memory>
#include <vector>

#include "gdi/GdiObjects.h"
#include "gdi/PixelSurface.h"

class DeviceContext;

class BitmapObject : public GdiObject {
 public:
  // Null for sizes out of range or a depth other than 1, 4, 8, 24 or 32. Rows of DIB sections are
  // 4-byte aligned, rows of device bitmaps as well (GetBitmapBits repacks to 2 bytes).
  static std::unique_ptr<BitmapObject> Create(int width, int height, int bitsPerPixel, bool dibSection,
                                              bool topDown, const RGBQUAD* palette, int paletteSize);

  int Width() const { return width_; }
  int Height() const { return height_; }
  int BitsPerPixel() const { return bitsPerPixel_; }
  bool IsDibSection() const { return dibSection_; }
  bool IsTopDown() const { return topDown_; }
  int Stride() const { return stride_; }
  uint8_t* Bits() { return bits_.get(); }
  const std::vector<RGBQUAD>& Palette() const { return palette_; }
  PixelSurface Surface();

  DeviceContext* selectedInto = nullptr;  // a bitmap is selected into one memory DC at a time

  int GetObjectRecord(int size, void* buffer) const override;

 private:
  BitmapObject() : GdiObject(OBJ_BITMAP) {}
  int width_ = 0;
  int height_ = 0;
  int bitsPerPixel_ = 32;
  bool dibSection_ = false;
  bool topDown_ = true;
  int stride_ = 0;
  std::unique_ptr<uint8_t[]> bits_;
  std::vector<RGBQUAD> palette_;
};

BitmapObject* LookupBitmap(HBITMAP bitmap);
// The palette a monochrome device bitmap reads and writes through: black, white.
const RGBQUAD* MonochromePalette();
