#pragma once
// Block transfers: pattern fills and copies with any of the 256 ternary raster operations,
// stretching, masks, colour keys, alpha blending and gradients.

#include "gdi/GdiTypes.h"

BOOL PatBlt(HDC dc, int x, int y, int width, int height, DWORD rop);
BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC source, int sourceX, int sourceY, DWORD rop);
// Negative extents mirror; the stretch mode decides how pixels are dropped or averaged.
BOOL StretchBlt(HDC dest, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                int sourceWidth, int sourceHeight, DWORD rop);
// rop is MAKEROP4(foreground, background): mask bits 1 take the foreground operation.
BOOL MaskBlt(HDC dest, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
             HBITMAP mask, int maskX, int maskY, DWORD rop);
// Copies (stretching as COLORONCOLOR) every source pixel whose colour is not transparentColour.
BOOL TransparentBlt(HDC dest, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                    int sourceWidth, int sourceHeight, UINT transparentColour);
// Source over destination; with AC_SRC_ALPHA the source is premultiplied.
BOOL AlphaBlend(HDC dest, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                int sourceWidth, int sourceHeight, BLENDFUNCTION blend);
BOOL GradientFill(HDC dc, const TRIVERTEX* vertices, ULONG vertexCount, const void* meshes, ULONG meshCount,
                  ULONG mode);
inline BOOL GdiGradientFill(HDC dc, const TRIVERTEX* vertices, ULONG vertexCount, const void* meshes,
                            ULONG meshCount, ULONG mode) {
  return GradientFill(dc, vertices, vertexCount, meshes, meshCount, mode);
}
inline BOOL GdiAlphaBlend(HDC dest, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                          int sourceWidth, int sourceHeight, BLENDFUNCTION blend) {
  return AlphaBlend(dest, x, y, width, height, source, sourceX, sourceY, sourceWidth, sourceHeight, blend);
}
