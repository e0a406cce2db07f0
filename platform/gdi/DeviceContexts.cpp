#include "gdi/DeviceContexts.h"

#include <atomic>

#include "gdi/BitmapObject.h"
#include "gdi/DcState.h"
#include "gdi/DcSurface.h"
#include "gdi/RegionObject.h"
#include "gdi/Regions.h"
#include "gdi/StockObjects.h"
#include "gdi/SysMetrics.h"

namespace {

// Selects `bitmap` into a memory DC: a bitmap lives in one DC at a time (the stock one in all).
bool AttachBitmap(DeviceContext& dc, BitmapObject* bitmap) {
  const bool stock = bitmap->Handle() == StockBitmap();
  if (!stock && bitmap->selectedInto && bitmap->selectedInto != &dc) return false;
  if (auto* old = dc.attrs.bitmap.as<BitmapObject>(); old && old->selectedInto == &dc) old->selectedInto = nullptr;
  if (!stock) bitmap->selectedInto = &dc;
  dc.attrs.bitmap = GdiObjectRef(bitmap);
  dc.SetSurface(bitmap->Surface(), {}, nullptr);
  return true;
}

template <class Field, class Value>
Value Exchange(HDC handle, Field DcAttributes::*field, Value value, Value failure) {
  DeviceContext* dc = LookupDc(handle);
  if (!dc) return failure;
  Value old = static_cast<Value>(dc->attrs.*field);
  dc->attrs.*field = value;
  return old;
}

template <class Field, class Value>
Value Read(HDC handle, Field DcAttributes::*field, Value failure) {
  DeviceContext* dc = LookupDc(handle);
  return dc ? static_cast<Value>(dc->attrs.*field) : failure;
}

BOOL SetPoint(HDC handle, POINT DcAttributes::*field, POINT value, POINT* previous, bool relative) {
  DeviceContext* dc = LookupDc(handle);
  if (!dc) return FALSE;
  POINT& point = dc->attrs.*field;
  if (previous) *previous = point;
  point = relative ? POINT{point.X + value.X, point.Y + value.Y} : value;
  return TRUE;
}

BOOL GetPoint(HDC handle, POINT DcAttributes::*field, POINT* out) {
  DeviceContext* dc = LookupDc(handle);
  if (!dc || !out) return FALSE;
  *out = dc->attrs.*field;
  return TRUE;
}

int Millimetres(int pixels) { return static_cast<int>((static_cast<int64_t>(pixels) * 254 + 480) / 960); }

class PaletteObject : public GdiObject {
 public:
  PaletteObject() : GdiObject(OBJ_PAL) {}
};

}  // namespace

HDC CreateCompatibleDC(HDC) { return RegisterGdiObjectAs<HDC>(std::make_unique<DeviceContext>(OBJ_MEMDC)); }

HDC CreateSurfaceDC(const PixelSurface& surface, POINT origin, HRGN visible) {
  auto dc = std::make_unique<DeviceContext>(OBJ_DC);
  dc->SetSurface(surface, origin, LookupRegion(visible));
  return RegisterGdiObjectAs<HDC>(std::move(dc));
}

HDC CreateSurfaceDC(const PixelSurface& surface, POINT origin, const Region& visible) {
  auto dc = std::make_unique<DeviceContext>(OBJ_DC);
  dc->SetSurface(surface, origin, &visible);
  return RegisterGdiObjectAs<HDC>(std::move(dc));
}

BOOL DeleteDC(HDC handle) {
  if (!LookupDc(handle)) return FALSE;
  return DestroyGdiObject(handle) ? TRUE : FALSE;
}

int SaveDC(HDC handle) {
  DeviceContext* dc = LookupDc(handle);
  if (!dc) return 0;
  dc->saved.push_back(dc->attrs);
  return static_cast<int>(dc->saved.size());
}

BOOL RestoreDC(HDC handle, int savedDC) {
  DeviceContext* dc = LookupDc(handle);
  if (!dc) return FALSE;
  const int depth = static_cast<int>(dc->saved.size());
  const int level = savedDC < 0 ? depth + 1 + savedDC : savedDC;
  if (level < 1 || level > depth) return FALSE;
  DcAttributes restored = std::move(dc->saved[static_cast<size_t>(level - 1)]);
  dc->saved.resize(static_cast<size_t>(level - 1));
  GdiObjectRef bitmap = restored.bitmap;
  const bool bitmapChanged = bitmap.get() != dc->attrs.bitmap.get();
  restored.bitmap = dc->attrs.bitmap;
  dc->attrs = std::move(restored);
  if (bitmapChanged && bitmap) AttachBitmap(*dc, bitmap.as<BitmapObject>());
  dc->ClipChanged();
  return TRUE;
}

BOOL SetWindowOrgEx(HDC dc, int x, int y, POINT* previous) {
  return SetPoint(dc, &DcAttributes::windowOrg, {x, y}, previous, false);
}
BOOL GetWindowOrgEx(HDC dc, POINT* origin) { return GetPoint(dc, &DcAttributes::windowOrg, origin); }
BOOL OffsetWindowOrgEx(HDC dc, int dx, int dy, POINT* previous) {
  return SetPoint(dc, &DcAttributes::windowOrg, {dx, dy}, previous, true);
}
BOOL SetViewportOrgEx(HDC dc, int x, int y, POINT* previous) {
  return SetPoint(dc, &DcAttributes::viewportOrg, {x, y}, previous, false);
}
BOOL GetViewportOrgEx(HDC dc, POINT* origin) { return GetPoint(dc, &DcAttributes::viewportOrg, origin); }
BOOL OffsetViewportOrgEx(HDC dc, int dx, int dy, POINT* previous) {
  return SetPoint(dc, &DcAttributes::viewportOrg, {dx, dy}, previous, true);
}
BOOL SetBrushOrgEx(HDC dc, int x, int y, POINT* previous) {
  return SetPoint(dc, &DcAttributes::brushOrg, {x, y}, previous, false);
}
BOOL GetBrushOrgEx(HDC dc, POINT* origin) { return GetPoint(dc, &DcAttributes::brushOrg, origin); }
BOOL GetCurrentPositionEx(HDC dc, POINT* position) { return GetPoint(dc, &DcAttributes::currentPosition, position); }

BOOL GetDCOrgEx(HDC handle, POINT* origin) {
  DeviceContext* dc = LookupDc(handle);
  if (!dc || !origin) return FALSE;
  *origin = dc->DcOrigin();
  return TRUE;
}

BOOL LPtoDP(HDC handle, POINT* points, int count) {
  DeviceContext* dc = LookupDc(handle);
  if (!dc || (!points && count > 0)) return FALSE;
  const int dx = dc->attrs.viewportOrg.X - dc->attrs.windowOrg.X;
  const int dy = dc->attrs.viewportOrg.Y - dc->attrs.windowOrg.Y;
  for (int i = 0; i < count; ++i) points[i] = {points[i].X + dx, points[i].Y + dy};
  return TRUE;
}

BOOL DPtoLP(HDC handle, POINT* points, int count) {
  DeviceContext* dc = LookupDc(handle);
  if (!dc || (!points && count > 0)) return FALSE;
  const int dx = dc->attrs.windowOrg.X - dc->attrs.viewportOrg.X;
  const int dy = dc->attrs.windowOrg.Y - dc->attrs.viewportOrg.Y;
  for (int i = 0; i < count; ++i) points[i] = {points[i].X + dx, points[i].Y + dy};
  return TRUE;
}

HGDIOBJ SelectObject(HDC handle, HGDIOBJ object) {
  DeviceContext* dc = LookupDc(handle);
  GdiObject* target = LookupGdiObject(object);
  if (!dc || !target) return nullptr;
  GdiObjectRef* slot = nullptr;
  switch (target->Type()) {
    case OBJ_PEN:
    case OBJ_EXTPEN: slot = &dc->attrs.pen; break;
    case OBJ_BRUSH: slot = &dc->attrs.brush; break;
    case OBJ_FONT: slot = &dc->attrs.font; break;
    case OBJ_REGION: {
      // Selecting a region sets the clip region and answers its kind.
      const int kind = SelectClipRgn(handle, static_cast<HRGN>(object));
      return reinterpret_cast<HGDIOBJ>(static_cast<intptr_t>(kind));
    }
    case OBJ_BITMAP: {
      if (!dc->IsMemoryDc()) return nullptr;
      HGDIOBJ previous = dc->attrs.bitmap.Handle();
      return AttachBitmap(*dc, static_cast<BitmapObject*>(target)) ? previous : nullptr;
    }
    default: return nullptr;
  }
  HGDIOBJ previous = slot->Handle();
  *slot = GdiObjectRef(target);
  return previous;
}

BOOL DeleteObject(HGDIOBJ object) {
  GdiObject* target = LookupGdiObject(object);
  if (!target || target->Type() == OBJ_DC || target->Type() == OBJ_MEMDC || target->Type() == OBJ_ICONCURSOR) {
    return FALSE;
  }
  return DestroyGdiObject(object) ? TRUE : FALSE;
}

HGDIOBJ GetStockObject(int index) { return StockObject(index); }

HGDIOBJ GetCurrentObject(HDC handle, UINT type) {
  DeviceContext* dc = LookupDc(handle);
  if (!dc) return nullptr;
  switch (type) {
    case OBJ_PEN:
    case OBJ_EXTPEN: return dc->attrs.pen.Handle();
    case OBJ_BRUSH: return dc->attrs.brush.Handle();
    case OBJ_FONT: return dc->attrs.font.Handle();
    case OBJ_BITMAP: return dc->attrs.bitmap.Handle();
    case OBJ_PAL: return dc->attrs.palette.Handle();
    default: return nullptr;
  }
}

DWORD GetObjectType(HGDIOBJ object) {
  GdiObject* target = LookupGdiObject(object);
  return target && target->Type() != OBJ_ICONCURSOR ? target->Type() : 0;
}

int GetObject(HGDIOBJ object, int size, void* buffer) {
  GdiObject* target = LookupGdiObject(object);
  if (!target || (buffer && size <= 0)) return 0;
  return target->GetObjectRecord(size, buffer);
}

COLORREF SetTextColor(HDC dc, COLORREF colour) {
  return Exchange(dc, &DcAttributes::textColor, colour & 0x00FFFFFF, CLR_INVALID);
}
COLORREF GetTextColor(HDC dc) { return Read(dc, &DcAttributes::textColor, CLR_INVALID); }
COLORREF SetBkColor(HDC dc, COLORREF colour) {
  return Exchange(dc, &DcAttributes::bkColor, colour & 0x00FFFFFF, CLR_INVALID);
}
COLORREF GetBkColor(HDC dc) { return Read(dc, &DcAttributes::bkColor, CLR_INVALID); }
int SetBkMode(HDC dc, int mode) {
  return mode == TRANSPARENT || mode == OPAQUE ? Exchange(dc, &DcAttributes::bkMode, mode, 0) : 0;
}
int GetBkMode(HDC dc) { return Read(dc, &DcAttributes::bkMode, 0); }
int SetROP2(HDC dc, int mode) {
  return mode >= R2_BLACK && mode <= R2_WHITE ? Exchange(dc, &DcAttributes::rop2, mode, 0) : 0;
}
int GetROP2(HDC dc) { return Read(dc, &DcAttributes::rop2, 0); }
int SetStretchBltMode(HDC dc, int mode) {
  return mode >= BLACKONWHITE && mode <= HALFTONE ? Exchange(dc, &DcAttributes::stretchMode, mode, 0) : 0;
}
int GetStretchBltMode(HDC dc) { return Read(dc, &DcAttributes::stretchMode, 0); }
int SetPolyFillMode(HDC dc, int mode) {
  return mode == ALTERNATE || mode == WINDING ? Exchange(dc, &DcAttributes::polyFillMode, mode, 0) : 0;
}
int GetPolyFillMode(HDC dc) { return Read(dc, &DcAttributes::polyFillMode, 0); }
UINT SetTextAlign(HDC dc, UINT align) { return Exchange(dc, &DcAttributes::textAlign, align, GDI_ERROR); }
UINT GetTextAlign(HDC dc) { return Read(dc, &DcAttributes::textAlign, GDI_ERROR); }
COLORREF SetDCBrushColor(HDC dc, COLORREF colour) {
  return Exchange(dc, &DcAttributes::dcBrushColor, colour & 0x00FFFFFF, CLR_INVALID);
}
COLORREF GetDCBrushColor(HDC dc) { return Read(dc, &DcAttributes::dcBrushColor, CLR_INVALID); }
COLORREF SetDCPenColor(HDC dc, COLORREF colour) {
  return Exchange(dc, &DcAttributes::dcPenColor, colour & 0x00FFFFFF, CLR_INVALID);
}
COLORREF GetDCPenColor(HDC dc) { return Read(dc, &DcAttributes::dcPenColor, CLR_INVALID); }

namespace {
std::atomic<int> screenBitsPerPixel{32};
}  // namespace

void SetScreenBitsPerPixel(int bits) { screenBitsPerPixel = bits > 0 ? bits : 32; }

int GetDeviceCaps(HDC handle, int index) {
  if (!LookupDc(handle)) return 0;
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  switch (index) {
    case DRIVERVERSION: return 0x4000;
    case TECHNOLOGY: return DT_RASDISPLAY;
    case HORZSIZE: return Millimetres(width);
    case VERTSIZE: return Millimetres(height);
    case HORZRES:
    case DESKTOPHORZRES: return width;
    case VERTRES:
    case DESKTOPVERTRES: return height;
    case BITSPIXEL: return screenBitsPerPixel;
    case PLANES: return 1;
    case NUMBRUSHES:
    case NUMPENS:
    case NUMCOLORS: return -1;
    case RASTERCAPS:
      return RC_BITBLT | RC_BITMAP64 | RC_DI_BITMAP | RC_DIBTODEV | RC_BIGFONT | RC_STRETCHBLT | RC_STRETCHDIB;
    case CLIPCAPS: return CP_RECTANGLE;
    case ASPECTX:
    case ASPECTY: return 36;
    case ASPECTXY: return 51;
    case LOGPIXELSX:
    case LOGPIXELSY: return 96;
    case COLORRES: return 24;
    case VREFRESH: return 60;
    case BLTALIGNMENT: return 0;
    case SHADEBLENDCAPS: return SB_CONST_ALPHA | SB_PIXEL_ALPHA | SB_GRAD_RECT | SB_GRAD_TRI;
    default: return 0;
  }
}

COLORREF GetNearestColor(HDC dc, COLORREF colour) { return LookupDc(dc) ? colour & 0x00FFFFFF : CLR_INVALID; }

HPALETTE CreatePalette(const LOGPALETTE* palette) {
  if (!palette) return nullptr;
  return RegisterGdiObjectAs<HPALETTE>(std::make_unique<PaletteObject>());
}

HPALETTE SelectPalette(HDC handle, HPALETTE palette, BOOL) {
  DeviceContext* dc = LookupDc(handle);
  GdiObject* target = LookupGdiObject(palette, OBJ_PAL);
  if (!dc || !target) return nullptr;
  HPALETTE previous = static_cast<HPALETTE>(dc->attrs.palette.Handle());
  dc->attrs.palette = GdiObjectRef(target);
  return previous;
}

UINT RealizePalette(HDC dc) { return LookupDc(dc) ? 0 : GDI_ERROR; }
