#include "gdi/Blits.h"

#include <algorithm>
#include <vector>

#include "gdi/BitmapObject.h"
#include "gdi/DcPaint.h"
#include "gdi/PenBrushObjects.h"
#include "gdi/Stretch.h"

namespace {

bool UsesSource(uint8_t rop) { return ((rop >> 2) & 0x33) != (rop & 0x33); }
bool UsesPattern(uint8_t rop) { return ((rop >> 4) & 0x0F) != (rop & 0x0F); }

// How a source DC's pixels read on a destination DC (the monochrome colour rules).
BlitSource MakeSource(const DeviceContext& dest, const DeviceContext& source) {
  BlitSource blit;
  blit.surface = &source.Surface();
  if (dest.Surface().bitsPerPixel == 1) {
    blit.zeroPixel = 0;
    blit.onePixel = 0x00FFFFFF;
  } else {
    blit.zeroPixel = PixelFromColorRef(dest.attrs.textColor);
    blit.onePixel = PixelFromColorRef(dest.attrs.bkColor);
  }
  blit.sourceBkPixel = PixelFromColorRef(source.attrs.bkColor);
  return blit;
}

// The rectangle a (possibly negative) extent covers: a negative width runs leftwards from x,
// x itself included, as GDI mirrors.
RECT ExtentRect(int x, int y, int width, int height) {
  RECT r{x, y, x + width, y + height};
  if (width < 0) r = {x + width + 1, r.Top, x + 1, r.Bottom};
  if (height < 0) r = {r.Left, y + height + 1, r.Right, y + 1};
  return r;
}

// A 32-bit top-down surface over a buffer of resampled pixels placed at `rect` on the destination.
PixelSurface BufferSurface(std::vector<uint32_t>& pixels, const RECT& rect) {
  return MakeSurface32(pixels.data(), rect.Width(), rect.Height(), static_cast<ptrdiff_t>(rect.Width()) * 4);
}

// Runs copy(part, source) over each clipped part of destination surface rectangle `rect`, with the
// buffer as source.
BOOL CopyFromBuffer(const DeviceContext& dc, const RECT& rect, std::vector<uint32_t>& pixels, uint32_t sourceBk,
                    const BrushPattern* pattern, uint8_t rop) {
  const PixelSurface buffer = BufferSurface(pixels, rect);
  BlitSource source;
  source.surface = &buffer;
  source.offsetX = -rect.Left;
  source.offsetY = -rect.Top;
  source.sourceBkPixel = sourceBk;
  dc.ForEachClipRect(rect, [&](const RECT& part) { dc.Primitives().copy(dc.Surface(), part, source, pattern, rop); });
  return TRUE;
}

}  // namespace

BOOL PatBlt(HDC handle, int x, int y, int width, int height, DWORD rop) {
  DeviceContext* dc = LookupDc(handle);
  if (!dc) return FALSE;
  const uint8_t index = RopIndex(rop);
  if (UsesSource(index)) return FALSE;
  BrushPattern pattern;
  if (UsesPattern(index) && !RealizeBrush(*dc, nullptr, pattern)) return TRUE;  // null brush: nothing
  // A negative extent runs the other way from (x, y), as a rectangle with its corners swapped.
  const RECT area{std::min(x, x + width), std::min(y, y + height), std::max(x, x + width), std::max(y, y + height)};
  FillSurfaceRect(*dc, dc->ToSurface(area), pattern, index);
  return TRUE;
}

BOOL BitBlt(HDC destHandle, int x, int y, int width, int height, HDC sourceHandle, int sourceX, int sourceY,
            DWORD rop) {
  DeviceContext* dest = LookupDc(destHandle);
  if (!dest) return FALSE;
  const uint8_t index = RopIndex(rop);
  if (!UsesSource(index)) return PatBlt(destHandle, x, y, width, height, rop);
  DeviceContext* source = LookupDc(sourceHandle);
  if (!source || width <= 0 || height <= 0) return source ? TRUE : FALSE;
  BrushPattern pattern;
  const bool patterned = UsesPattern(index);
  if (patterned && !RealizeBrush(*dest, nullptr, pattern)) pattern = BrushPattern::Solid(0);
  RECT target = dest->ToSurface(RECT{x, y, x + width, y + height});
  const POINT from = source->ToSurface(POINT{sourceX, sourceY});
  BlitSource blit = MakeSource(*dest, *source);
  blit.offsetX = from.X - target.Left;
  blit.offsetY = from.Y - target.Top;
  // Only pixels that have a source pixel are drawn.
  const PixelSurface& s = source->Surface();
  target.Left = std::max(target.Left, -blit.offsetX);
  target.Top = std::max(target.Top, -blit.offsetY);
  target.Right = std::min(target.Right, s.width - blit.offsetX);
  target.Bottom = std::min(target.Bottom, s.height - blit.offsetY);
  if (target.Left >= target.Right || target.Top >= target.Bottom) return TRUE;
  dest->ForEachClipRect(target, [&](const RECT& part) {
    dest->Primitives().copy(dest->Surface(), part, blit, patterned ? &pattern : nullptr, index);
  });
  return TRUE;
}

BOOL StretchBlt(HDC destHandle, int x, int y, int width, int height, HDC sourceHandle, int sourceX, int sourceY,
                int sourceWidth, int sourceHeight, DWORD rop) {
  const uint8_t index = RopIndex(rop);
  if (!UsesSource(index)) return PatBlt(destHandle, x, y, width, height, rop);
  if (width == sourceWidth && height == sourceHeight && width > 0 && height > 0) {
    return BitBlt(destHandle, x, y, width, height, sourceHandle, sourceX, sourceY, rop);
  }
  DeviceContext* dest = LookupDc(destHandle);
  DeviceContext* source = LookupDc(sourceHandle);
  if (!dest || !source) return FALSE;
  if (width == 0 || height == 0 || sourceWidth == 0 || sourceHeight == 0) return TRUE;
  const RECT target = dest->ToSurface(ExtentRect(x, y, width, height));
  const RECT from = source->ToSurface(ExtentRect(sourceX, sourceY, sourceWidth, sourceHeight));
  const BlitSource mapping = MakeSource(*dest, *source);
  std::vector<uint32_t> pixels =
      ResampleSource(source->Surface(), from.Left, from.Top, from.Width(), from.Height(), target.Width(), target.Height(),
                     (width < 0) != (sourceWidth < 0), (height < 0) != (sourceHeight < 0), dest->attrs.stretchMode,
                     mapping.zeroPixel, mapping.onePixel);
  // A monochrome source has already become black and white for a monochrome destination.
  const uint32_t sourceBk = source->Surface().bitsPerPixel == 1 ? 0x00FFFFFF : mapping.sourceBkPixel;
  BrushPattern pattern;
  const bool patterned = UsesPattern(index);
  if (patterned && !RealizeBrush(*dest, nullptr, pattern)) pattern = BrushPattern::Solid(0);
  return CopyFromBuffer(*dest, target, pixels, sourceBk, patterned ? &pattern : nullptr, index);
}

BOOL MaskBlt(HDC destHandle, int x, int y, int width, int height, HDC sourceHandle, int sourceX, int sourceY,
             HBITMAP mask, int maskX, int maskY, DWORD rop) {
  BitmapObject* maskBitmap = LookupBitmap(mask);
  if (!mask) return BitBlt(destHandle, x, y, width, height, sourceHandle, sourceX, sourceY, rop & 0x00FFFFFF);
  DeviceContext* dest = LookupDc(destHandle);
  if (!dest || !maskBitmap || maskBitmap->BitsPerPixel() != 1) return FALSE;
  const uint8_t fore = RopIndex(rop);
  const uint8_t back = static_cast<uint8_t>((rop >> 24) & 0xFF);
  DeviceContext* source = LookupDc(sourceHandle);
  if ((UsesSource(fore) || UsesSource(back)) && !source) return FALSE;
  if (width <= 0 || height <= 0) return TRUE;
  const RECT target = dest->ToSurface(RECT{x, y, x + width, y + height});
  // Both operations run on copies of the destination; the mask picks each pixel from one of them.
  std::vector<uint32_t> results[2];
  const PixelSurface& d = dest->Surface();
  BrushPattern pattern;
  if (!RealizeBrush(*dest, nullptr, pattern)) pattern = BrushPattern::Solid(0);
  pattern.originX -= target.Left;
  pattern.originY -= target.Top;
  const RECT local{0, 0, width, height};
  for (int k = 0; k < 2; ++k) {
    std::vector<uint32_t>& buffer = results[k];
    buffer.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
    const PixelSurface work = BufferSurface(buffer, target);
    for (int row = 0; row < height; ++row) {
      const int sy = target.Top + row;
      if (sy < 0 || sy >= d.height) continue;
      const int from = std::max(0, -target.Left), to = std::min(width, d.width - target.Left);
      if (from < to) ReadPixels(d, target.Left + from, sy, to - from, work.Row32(row) + from);
    }
    BlitSource blit;
    if (source) {
      blit = MakeSource(*dest, *source);
      const POINT origin = source->ToSurface(POINT{sourceX, sourceY});
      blit.offsetX = origin.X;
      blit.offsetY = origin.Y;
    }
    RECT part = local;
    if (source) {
      part.Right = std::min(part.Right, source->Surface().width - blit.offsetX);
      part.Bottom = std::min(part.Bottom, source->Surface().height - blit.offsetY);
      part.Left = std::max(part.Left, -blit.offsetX);
      part.Top = std::max(part.Top, -blit.offsetY);
    }
    if (part.Left < part.Right && part.Top < part.Bottom) {
      dest->Primitives().copy(work, part, blit, &pattern, k == 0 ? back : fore);
    }
  }
  const PixelSurface maskSurface = maskBitmap->Surface();
  dest->ForEachClipRect(target, [&](const RECT& part) {
    std::vector<uint32_t> row(static_cast<size_t>(part.Width()));
    for (int py = part.Top; py < part.Bottom; ++py) {
      const int my = maskY + py - target.Top;
      for (int px = part.Left; px < part.Right; ++px) {
        const int mx = maskX + px - target.Left;
        const bool on = mx >= 0 && my >= 0 && mx < maskSurface.width && my < maskSurface.height &&
                        ((maskSurface.Row(my)[mx >> 3] >> (7 - (mx & 7))) & 1);
        const size_t at = static_cast<size_t>(py - target.Top) * static_cast<size_t>(width) +
                          static_cast<size_t>(px - target.Left);
        row[static_cast<size_t>(px - part.Left)] = results[on ? 1 : 0][at];
      }
      WritePixels(d, part.Left, py, part.Width(), row.data());
    }
  });
  return TRUE;
}

BOOL TransparentBlt(HDC destHandle, int x, int y, int width, int height, HDC sourceHandle, int sourceX, int sourceY,
                    int sourceWidth, int sourceHeight, UINT transparentColour) {
  DeviceContext* dest = LookupDc(destHandle);
  DeviceContext* source = LookupDc(sourceHandle);
  if (!dest || !source || width <= 0 || height <= 0 || sourceWidth <= 0 || sourceHeight <= 0) return FALSE;
  const RECT target = dest->ToSurface(RECT{x, y, x + width, y + height});
  const POINT from = source->ToSurface(POINT{sourceX, sourceY});
  const BlitSource mapping = MakeSource(*dest, *source);
  std::vector<uint32_t> pixels = ResampleSource(source->Surface(), from.X, from.Y, sourceWidth, sourceHeight, width,
                                                height, false, false, COLORONCOLOR, mapping.zeroPixel, mapping.onePixel);
  const uint32_t key = PixelFromColorRef(transparentColour & 0x00FFFFFF);
  const PixelSurface& d = dest->Surface();
  dest->ForEachClipRect(target, [&](const RECT& part) {
    std::vector<uint32_t> row(static_cast<size_t>(part.Width()));
    for (int py = part.Top; py < part.Bottom; ++py) {
      ReadPixels(d, part.Left, py, part.Width(), row.data());
      const uint32_t* src = pixels.data() + static_cast<size_t>(py - target.Top) * static_cast<size_t>(width);
      for (int px = part.Left; px < part.Right; ++px) {
        const uint32_t p = src[px - target.Left];
        if ((p & 0x00FFFFFF) != key) row[static_cast<size_t>(px - part.Left)] = p;
      }
      WritePixels(d, part.Left, py, part.Width(), row.data());
    }
  });
  return TRUE;
}

BOOL AlphaBlend(HDC destHandle, int x, int y, int width, int height, HDC sourceHandle, int sourceX, int sourceY,
                int sourceWidth, int sourceHeight, BLENDFUNCTION blend) {
  DeviceContext* dest = LookupDc(destHandle);
  DeviceContext* source = LookupDc(sourceHandle);
  if (!dest || !source || blend.BlendOp != AC_SRC_OVER) return FALSE;
  if (width < 0 || height < 0 || sourceWidth < 0 || sourceHeight < 0) return FALSE;
  const POINT from = source->ToSurface(POINT{sourceX, sourceY});
  const PixelSurface& s = source->Surface();
  // The source rectangle must lie within the source surface.
  if (from.X < 0 || from.Y < 0 || from.X + sourceWidth > s.width || from.Y + sourceHeight > s.height) return FALSE;
  if (width == 0 || height == 0 || sourceWidth == 0 || sourceHeight == 0) return TRUE;
  const RECT target = dest->ToSurface(RECT{x, y, x + width, y + height});
  std::vector<uint32_t> pixels = ResampleSource(s, from.X, from.Y, sourceWidth, sourceHeight, width, height, false,
                                                false, dest->attrs.stretchMode, 0, 0x00FFFFFF);
  const bool perPixel = (blend.AlphaFormat & AC_SRC_ALPHA) != 0 && s.bitsPerPixel == 32;
  dest->ForEachClipRect(target, [&](const RECT& part) {
    const uint32_t* first = pixels.data() + static_cast<size_t>(part.Top - target.Top) * static_cast<size_t>(width) +
                            static_cast<size_t>(part.Left - target.Left);
    dest->Primitives().blend(dest->Surface(), part, first, width, blend.SourceConstantAlpha, perPixel);
  });
  return TRUE;
}
