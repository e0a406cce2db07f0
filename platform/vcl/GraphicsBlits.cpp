#include "vcl/GraphicsBlits.h"

#include <cstring>
#include <vector>

#include "gdi/Bitmaps.h"
#include "gdi/Blits.h"
#include "gdi/DeviceContexts.h"
#include "rtl/Resources.h"
#include "user/Painting.h"
#include "vcl/Graphics.h"

BOOL TransparentStretchBlt(HDC DstDC, Integer DstX, Integer DstY, Integer DstW, Integer DstH, HDC SrcDC, Integer SrcX,
                           Integer SrcY, Integer SrcW, Integer SrcH, HDC MaskDC, Integer MaskX, Integer MaskY) {
  if (DstW <= 0 || DstH <= 0) return TRUE;
  // Image and mask are brought to the destination's size first; the mask then picks each pixel.
  HDC imageDc = CreateCompatibleDC(DstDC);
  HBITMAP image = CreateCompatibleBitmap(DstDC, DstW, DstH);
  HGDIOBJ oldImage = SelectObject(imageDc, image);
  StretchBlt(imageDc, 0, 0, DstW, DstH, SrcDC, SrcX, SrcY, SrcW, SrcH, SRCCOPY);
  HDC maskDc = CreateCompatibleDC(DstDC);
  HBITMAP mask = CreateBitmap(DstW, DstH, 1, 1, nullptr);
  HGDIOBJ oldMask = SelectObject(maskDc, mask);
  StretchBlt(maskDc, 0, 0, DstW, DstH, MaskDC, MaskX, MaskY, SrcW, SrcH, SRCCOPY);
  SelectObject(maskDc, oldMask);
  // Mask bits 1 (white) keep the destination, bits 0 take the image.
  BOOL ok = MaskBlt(DstDC, DstX, DstY, DstW, DstH, imageDc, 0, 0, mask, 0, 0, MAKEROP4(0x00AA0029, SRCCOPY));
  SelectObject(imageDc, oldImage);
  DeleteObject(mask);
  DeleteObject(image);
  DeleteDC(maskDc);
  DeleteDC(imageDc);
  return ok;
}

HBITMAP CreateMappedRes(HINSTANCE Instance, const char* ResName, const TColor* OldColors, const TColor* NewColors,
                        Integer Count) {
  HRSRC info = FindResource(Instance, ResName, RT_BITMAP);
  if (!info) return nullptr;
  DWORD size = SizeofResource(Instance, info);
  const void* data = LockResource(LoadResource(Instance, info));
  if (!data || size < sizeof(BITMAPINFOHEADER)) return nullptr;
  std::vector<uint8_t> dib(static_cast<const uint8_t*>(data), static_cast<const uint8_t*>(data) + size);
  BITMAPINFOHEADER header;
  std::memcpy(&header, dib.data(), sizeof header);
  if (header.biSize < sizeof header || header.biBitCount > 8 || header.biBitCount == 0) return nullptr;
  const DWORD colors = header.biClrUsed ? header.biClrUsed : DWORD{1} << header.biBitCount;
  const size_t tableEnd = header.biSize + colors * sizeof(RGBQUAD);
  if (colors > 256 || tableEnd > dib.size()) return nullptr;
  for (DWORD i = 0; i < colors; ++i) {
    RGBQUAD entry;
    std::memcpy(&entry, dib.data() + header.biSize + i * sizeof(RGBQUAD), sizeof entry);
    COLORREF rgb = entry.rgbRed | (entry.rgbGreen << 8) | (entry.rgbBlue << 16);
    for (Integer k = 0; k < Count; ++k) {
      if (ColorToRGB(OldColors[k]) != rgb) continue;
      COLORREF to = ColorToRGB(NewColors[k]);
      entry.rgbRed = to & 0xFF;
      entry.rgbGreen = (to >> 8) & 0xFF;
      entry.rgbBlue = (to >> 16) & 0xFF;
      std::memcpy(dib.data() + header.biSize + i * sizeof(RGBQUAD), &entry, sizeof entry);
      break;
    }
  }
  // Compatible with the screen, not with a memory DC (whose first bitmap is monochrome).
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateDIBitmap(screen, &header, CBM_INIT, dib.data() + tableEnd,
                                  reinterpret_cast<const BITMAPINFO*>(dib.data()), DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  return bitmap;
}
