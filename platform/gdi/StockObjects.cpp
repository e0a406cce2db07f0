#include "gdi/StockObjects.h"

#include "gdi/BitmapObject.h"
#include "gdi/DeviceContexts.h"
#include "gdi/Drawing.h"
#include "gdi/GdiObjects.h"
#include "gdi/PenBrushObjects.h"

namespace {

HBITMAP gStockBitmap = nullptr;

}  // namespace

void CreateStockObjects() {
  SetStockObject(WHITE_BRUSH, CreateSolidBrush(RGB(255, 255, 255)));
  SetStockObject(LTGRAY_BRUSH, CreateSolidBrush(RGB(192, 192, 192)));
  SetStockObject(GRAY_BRUSH, CreateSolidBrush(RGB(128, 128, 128)));
  SetStockObject(DKGRAY_BRUSH, CreateSolidBrush(RGB(64, 64, 64)));
  SetStockObject(BLACK_BRUSH, CreateSolidBrush(RGB(0, 0, 0)));
  SetStockObject(NULL_BRUSH, RegisterGdiObject(std::make_unique<BrushObject>(BS_NULL, 0, 0)));
  SetStockObject(WHITE_PEN, CreatePen(PS_SOLID, 0, RGB(255, 255, 255)));
  SetStockObject(BLACK_PEN, CreatePen(PS_SOLID, 0, RGB(0, 0, 0)));
  SetStockObject(NULL_PEN, CreatePen(PS_NULL, 0, 0));
  SetStockObject(DC_BRUSH, CreateSolidBrush(RGB(255, 255, 255)));
  SetStockObject(DC_PEN, CreatePen(PS_SOLID, 0, 0));
  LOGPALETTE palette;
  palette.palVersion = 0x300;
  palette.palNumEntries = 1;
  SetStockObject(DEFAULT_PALETTE, CreatePalette(&palette));
  gStockBitmap = static_cast<HBITMAP>(RegisterGdiObject(BitmapObject::Create(1, 1, 1, false, true, nullptr, 0)));
  MarkStockObject(gStockBitmap);
}

HBITMAP StockBitmap() { return gStockBitmap; }
