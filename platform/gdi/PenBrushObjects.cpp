#include "gdi/PenBrushObjects.h"

#include <algorithm>
#include <cstring>

#include "gdi/BitmapObject.h"
#include "gdi/DcState.h"
#include "gdi/Drawing.h"
#include "gdi/SysColors.h"

namespace {

template <class Record>
int CopyRecord(const Record& record, int size, void* buffer) {
  if (!buffer) return sizeof(Record);
  const int copied = std::min(size, static_cast<int>(sizeof(Record)));
  if (copied <= 0) return 0;
  std::memcpy(buffer, &record, static_cast<size_t>(copied));
  return copied;
}

// Whether pixel (x, y) of an 8 x 8 hatch tile is on a line.
bool HatchBit(int hatch, int x, int y) {
  switch (hatch) {
    case HS_HORIZONTAL: return y == 3;
    case HS_VERTICAL: return x == 3;
    case HS_FDIAGONAL: return x == y;
    case HS_BDIAGONAL: return x + y == 7;
    case HS_CROSS: return x == 3 || y == 3;
    case HS_DIAGCROSS: return x == y || x + y == 7;
    default: return false;
  }
}

}  // namespace

PenObject::PenObject(UINT style, int width, COLORREF colour, bool extended)
    : GdiObject(extended ? OBJ_EXTPEN : OBJ_PEN), style(style), width(width), colour(colour), extended(extended) {}

int PenObject::GetObjectRecord(int size, void* buffer) const {
  if (extended) {
    EXTLOGPEN pen;
    pen.elpPenStyle = style;
    pen.elpWidth = static_cast<DWORD>(width);
    pen.elpBrushStyle = BS_SOLID;
    pen.elpColor = colour;
    return CopyRecord(pen, size, buffer);
  }
  LOGPEN pen;
  pen.lopnStyle = style;
  pen.lopnWidth = {width, 0};
  pen.lopnColor = colour;
  return CopyRecord(pen, size, buffer);
}

BrushObject::BrushObject(UINT style, COLORREF colour, int hatch)
    : GdiObject(OBJ_BRUSH), style(style), colour(colour), hatch(hatch) {}

int BrushObject::GetObjectRecord(int size, void* buffer) const {
  LOGBRUSH brush;
  brush.lbStyle = style;
  brush.lbColor = colour;
  brush.lbHatch = style == BS_PATTERN ? reinterpret_cast<ULONG_PTR>(patternBitmap) : static_cast<ULONG_PTR>(hatch);
  return CopyRecord(brush, size, buffer);
}

BrushObject* ResolveBrush(HBRUSH brush) {
  const uintptr_t value = reinterpret_cast<uintptr_t>(brush);
  if (value >= 1 && value <= SYS_COLOR_COUNT) brush = GetSysColorBrush(static_cast<int>(value - 1));
  return LookupGdiObjectAs<BrushObject>(brush, OBJ_BRUSH);
}

COLORREF PenColour(const DeviceContext& dc) {
  const GdiObject* pen = dc.Pen();
  if (!pen) return 0;
  if (pen->Handle() == StockObject(DC_PEN)) return dc.attrs.dcPenColor;
  return static_cast<const PenObject*>(pen)->colour;
}

bool RealizeBrush(const DeviceContext& dc, const GdiObject* object, BrushPattern& pattern) {
  if (!object) object = dc.Brush();
  if (!object || object->Type() != OBJ_BRUSH) return false;
  const auto* brush = static_cast<const BrushObject*>(object);
  if (brush->style == BS_NULL) return false;
  if (brush->Handle() == StockObject(DC_BRUSH)) {
    pattern = BrushPattern::Solid(PixelFromColorRef(dc.attrs.dcBrushColor));
    return true;
  }
  if (brush->style == BS_SOLID) {
    pattern = BrushPattern::Solid(PixelFromColorRef(brush->colour));
    return true;
  }
  pattern = BrushPattern{};
  pattern.solid = false;
  pattern.originX = dc.attrs.brushOrg.X + dc.DcOrigin().X;
  pattern.originY = dc.attrs.brushOrg.Y + dc.DcOrigin().Y;
  const uint32_t text = PixelFromColorRef(dc.attrs.textColor);
  const uint32_t back = PixelFromColorRef(dc.attrs.bkColor);
  if (brush->style == BS_HATCHED) {
    pattern.width = pattern.height = 8;
    pattern.tile.resize(64);
    const bool transparent = dc.attrs.bkMode == TRANSPARENT;
    if (transparent) pattern.opaque.resize(64);
    const uint32_t line = PixelFromColorRef(brush->colour);
    for (int y = 0; y < 8; ++y) {
      for (int x = 0; x < 8; ++x) {
        const bool on = HatchBit(brush->hatch, x, y);
        pattern.tile[static_cast<size_t>(y * 8 + x)] = on ? line : back;
        if (transparent) pattern.opaque[static_cast<size_t>(y * 8 + x)] = on ? 1 : 0;
      }
    }
    return true;
  }
  if (brush->style == BS_PATTERN && brush->tile) {
    const BrushTile& tile = *brush->tile;
    pattern.width = tile.width;
    pattern.height = tile.height;
    pattern.tile = tile.pixels;
    if (tile.monochrome) {
      for (uint32_t& pixel : pattern.tile) pixel = pixel ? back : text;
    }
    return true;
  }
  return false;
}

HPEN CreatePen(int style, int width, COLORREF colour) {
  const UINT kind = static_cast<UINT>(style) & PS_STYLE_MASK;
  if (kind > PS_INSIDEFRAME) return nullptr;
  return RegisterGdiObjectAs<HPEN>(std::make_unique<PenObject>(static_cast<UINT>(style), std::max(width, 0), colour, false));
}

HPEN CreatePenIndirect(const LOGPEN* pen) {
  return pen ? CreatePen(static_cast<int>(pen->lopnStyle), pen->lopnWidth.X, pen->lopnColor) : nullptr;
}

HPEN ExtCreatePen(DWORD style, DWORD width, const LOGBRUSH* brush, DWORD, const DWORD*) {
  if (!brush || brush->lbStyle != BS_SOLID) return nullptr;
  const UINT kind = style & PS_STYLE_MASK;
  if (kind > PS_INSIDEFRAME && kind != PS_ALTERNATE) return nullptr;
  // A cosmetic pen is always one pixel wide.
  const int penWidth = (style & PS_TYPE_MASK) == PS_GEOMETRIC ? static_cast<int>(std::min<DWORD>(width, 1 << 14)) : 1;
  return RegisterGdiObjectAs<HPEN>(std::make_unique<PenObject>(style, penWidth, brush->lbColor, true));
}

HBRUSH CreateSolidBrush(COLORREF colour) {
  return RegisterGdiObjectAs<HBRUSH>(std::make_unique<BrushObject>(BS_SOLID, colour & 0x00FFFFFF, 0));
}

HBRUSH CreateHatchBrush(int hatch, COLORREF colour) {
  if (hatch < HS_HORIZONTAL || hatch > HS_DIAGCROSS) return nullptr;
  return RegisterGdiObjectAs<HBRUSH>(std::make_unique<BrushObject>(BS_HATCHED, colour & 0x00FFFFFF, hatch));
}

HBRUSH CreatePatternBrush(HBITMAP bitmap) {
  BitmapObject* source = LookupBitmap(bitmap);
  if (!source) return nullptr;
  auto tile = std::make_shared<BrushTile>();
  tile->width = source->Width();
  tile->height = source->Height();
  tile->monochrome = source->BitsPerPixel() == 1;
  tile->pixels.resize(static_cast<size_t>(tile->width) * static_cast<size_t>(tile->height));
  const PixelSurface surface = source->Surface();
  for (int y = 0; y < tile->height; ++y) {
    uint32_t* row = tile->pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(tile->width);
    if (tile->monochrome) {
      const uint8_t* bits = surface.Row(y);
      for (int x = 0; x < tile->width; ++x) row[x] = (bits[x >> 3] >> (7 - (x & 7))) & 1;
    } else {
      ReadPixels(surface, 0, y, tile->width, row);
      for (int x = 0; x < tile->width; ++x) row[x] &= 0x00FFFFFF;
    }
  }
  auto brush = std::make_unique<BrushObject>(BS_PATTERN, 0, 0);
  brush->tile = std::move(tile);
  brush->patternBitmap = bitmap;
  return RegisterGdiObjectAs<HBRUSH>(std::move(brush));
}

HBRUSH CreateBrushIndirect(const LOGBRUSH* brush) {
  if (!brush) return nullptr;
  switch (brush->lbStyle) {
    case BS_SOLID: return CreateSolidBrush(brush->lbColor);
    case BS_HATCHED: return CreateHatchBrush(static_cast<int>(brush->lbHatch), brush->lbColor);
    case BS_PATTERN: return CreatePatternBrush(reinterpret_cast<HBITMAP>(brush->lbHatch));
    case BS_NULL: return static_cast<HBRUSH>(StockObject(NULL_BRUSH));
    default: return nullptr;
  }
}
