#include "gdi/Icons.h"

#include <vector>

#include "gdi/BitmapObject.h"
#include "gdi/Bitmaps.h"
#include "gdi/Blits.h"
#include "gdi/DcState.h"
#include "gdi/DeviceContexts.h"
#include "gdi/IconObject.h"
#include "gdi/SysMetrics.h"

namespace {

HBITMAP CopyBitmap(HBITMAP bitmap) {
  return bitmap ? static_cast<HBITMAP>(CopyImage(bitmap, IMAGE_BITMAP, 0, 0, 0)) : nullptr;
}

// Whether a 32-bit image uses its alpha channel (all-zero alpha means an old-style icon).
bool HasAlpha(BitmapObject* image) {
  if (!image || image->BitsPerPixel() != 32) return false;
  const PixelSurface surface = image->Surface();
  for (int y = 0; y < surface.height; ++y) {
    const uint32_t* row = surface.Row32(y);
    for (int x = 0; x < surface.width; ++x) {
      if (row[x] >> 24) return true;
    }
  }
  return false;
}

// Blends a straight-alpha image over the DC, premultiplying a copy first.
void DrawWithAlpha(HDC dc, int x, int y, int width, int height, BitmapObject* image) {
  uint32_t* out = nullptr;
  HBITMAP premultiplied = CreateDibSection32(image->Width(), image->Height(), &out);
  if (!premultiplied) return;
  const PixelSurface from = image->Surface();
  for (int row = 0; row < from.height; ++row) {
    const uint32_t* in = from.Row32(row);
    for (int col = 0; col < from.width; ++col) {
      const uint32_t p = in[col], a = p >> 24;
      auto scale = [a](uint32_t c) { return (c * a + 127) / 255; };
      out[row * from.width + col] =
          (a << 24) | (scale((p >> 16) & 0xFF) << 16) | (scale((p >> 8) & 0xFF) << 8) | scale(p & 0xFF);
    }
  }
  HDC memory = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(memory, premultiplied);
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  AlphaBlend(dc, x, y, width, height, memory, 0, 0, from.width, from.height, blend);
  SelectObject(memory, old);
  DeleteDC(memory);
  DeleteObject(premultiplied);
}

}  // namespace

IconObject::~IconObject() {
  DeleteObject(mask);
  DeleteObject(colour);
}

IconObject* LookupIcon(HICON icon) { return LookupGdiObjectAs<IconObject>(icon, OBJ_ICONCURSOR); }

HICON CreateIconIndirect(const ICONINFO* info) {
  if (!info || !LookupBitmap(info->hbmMask)) return nullptr;
  if (info->hbmColor && !LookupBitmap(info->hbmColor)) return nullptr;
  auto icon = std::make_unique<IconObject>();
  icon->isIcon = info->fIcon != FALSE;
  icon->hotspot = {static_cast<int>(info->xHotspot), static_cast<int>(info->yHotspot)};
  icon->mask = static_cast<HBITMAP>(CopyImage(info->hbmMask, IMAGE_BITMAP, 0, 0, LR_MONOCHROME));
  icon->colour = CopyBitmap(info->hbmColor);
  if (!icon->mask || (info->hbmColor && !icon->colour)) return nullptr;
  return RegisterGdiObjectAs<HICON>(std::move(icon));
}

BOOL GetIconInfo(HICON handle, ICONINFO* info) {
  IconObject* icon = LookupIcon(handle);
  if (!icon || !info) return FALSE;
  info->fIcon = icon->isIcon ? TRUE : FALSE;
  info->xHotspot = static_cast<DWORD>(icon->hotspot.X);
  info->yHotspot = static_cast<DWORD>(icon->hotspot.Y);
  info->hbmMask = CopyBitmap(icon->mask);
  info->hbmColor = CopyBitmap(icon->colour);
  return TRUE;
}

BOOL DestroyIcon(HICON icon) { return LookupIcon(icon) && DestroyGdiObject(icon) ? TRUE : FALSE; }

HICON CopyIcon(HICON handle) {
  IconObject* icon = LookupIcon(handle);
  if (!icon) return nullptr;
  ICONINFO info;
  info.fIcon = icon->isIcon ? TRUE : FALSE;
  info.xHotspot = static_cast<DWORD>(icon->hotspot.X);
  info.yHotspot = static_cast<DWORD>(icon->hotspot.Y);
  info.hbmMask = icon->mask;
  info.hbmColor = icon->colour;
  return CreateIconIndirect(&info);
}

BOOL DrawIcon(HDC dc, int x, int y, HICON icon) { return DrawIconEx(dc, x, y, icon, 0, 0, 0, nullptr, DI_NORMAL); }

BOOL DrawIconEx(HDC dc, int x, int y, HICON handle, int width, int height, UINT, HBRUSH, UINT flags) {
  IconObject* icon = LookupIcon(handle);
  BitmapObject* mask = icon ? LookupBitmap(icon->mask) : nullptr;
  if (!icon || !mask || !LookupDc(dc)) return FALSE;
  BitmapObject* colour = LookupBitmap(icon->colour);
  const int iconWidth = mask->Width();
  const int iconHeight = colour ? colour->Height() : mask->Height() / 2;
  if (width == 0) width = (flags & DI_DEFAULTSIZE) ? GetSystemMetrics(SM_CXICON) : iconWidth;
  if (height == 0) height = (flags & DI_DEFAULTSIZE) ? GetSystemMetrics(SM_CYICON) : iconHeight;
  if ((flags & DI_NORMAL) == DI_NORMAL && HasAlpha(colour)) {
    DrawWithAlpha(dc, x, y, width, height, colour);
    return TRUE;
  }
  HDC memory = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(memory, icon->mask);
  const COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
  const COLORREF oldBk = SetBkColor(dc, RGB(255, 255, 255));
  if (flags & DI_MASK) StretchBlt(dc, x, y, width, height, memory, 0, 0, iconWidth, iconHeight, SRCAND);
  if (flags & DI_IMAGE) {
    const DWORD rop = (flags & DI_MASK) ? SRCINVERT : SRCCOPY;
    if (colour) {
      SelectObject(memory, icon->colour);
      StretchBlt(dc, x, y, width, height, memory, 0, 0, iconWidth, iconHeight, rop);
    } else {
      StretchBlt(dc, x, y, width, height, memory, 0, iconHeight, iconWidth, iconHeight, rop);
    }
  }
  SetTextColor(dc, oldText);
  SetBkColor(dc, oldBk);
  SelectObject(memory, old);
  DeleteDC(memory);
  return TRUE;
}
