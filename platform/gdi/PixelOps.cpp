#include "gdi/PixelOps.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

namespace {

// ---- Raster operations -------------------------------------------------------------------------
// Bit i of a ternary operation's index is its result for pattern bit (i >> 2), source bit
// ((i >> 1) & 1) and destination bit (i & 1); the expression below is that truth table as a sum of
// minterms, which the compiler folds for each constant index.
template <unsigned R>
inline uint32_t Rop3(uint32_t p, uint32_t s, uint32_t d) {
  uint32_t r = 0;
  if (R & 0x01) r |= ~p & ~s & ~d;
  if (R & 0x02) r |= ~p & ~s & d;
  if (R & 0x04) r |= ~p & s & ~d;
  if (R & 0x08) r |= ~p & s & d;
  if (R & 0x10) r |= p & ~s & ~d;
  if (R & 0x20) r |= p & ~s & d;
  if (R & 0x40) r |= p & s & ~d;
  if (R & 0x80) r |= p & s & d;
  return r;
}

// d[i] = rop(p, s[i], d[i]) with a solid pattern, and with a pattern span.
using SolidSpan = void (*)(uint32_t* d, const uint32_t* s, uint32_t p, int n);
using PatternSpan = void (*)(uint32_t* d, const uint32_t* s, const uint32_t* p, int n);

template <unsigned R>
void RopSolid(uint32_t* d, const uint32_t* s, uint32_t p, int n) {
  for (int i = 0; i < n; ++i) d[i] = Rop3<R>(p, s ? s[i] : 0, d[i]);
}

template <unsigned R>
void RopPattern(uint32_t* d, const uint32_t* s, const uint32_t* p, int n) {
  for (int i = 0; i < n; ++i) d[i] = Rop3<R>(p[i], s ? s[i] : 0, d[i]);
}

template <size_t... I>
constexpr std::array<SolidSpan, 256> MakeSolidTable(std::index_sequence<I...>) {
  return {&RopSolid<I>...};
}
template <size_t... I>
constexpr std::array<PatternSpan, 256> MakePatternTable(std::index_sequence<I...>) {
  return {&RopPattern<I>...};
}

constexpr auto kSolidRops = MakeSolidTable(std::make_index_sequence<256>());
constexpr auto kPatternRops = MakePatternTable(std::make_index_sequence<256>());

bool UsesSource(uint8_t rop) { return ((rop >> 2) & 0x33) != (rop & 0x33); }

// ---- Format conversion -------------------------------------------------------------------------

uint32_t PaletteColour(const PixelSurface& surface, int index) {
  if (!surface.palette || index >= surface.paletteSize) return 0;
  const RGBQUAD& q = surface.palette[index];
  return (static_cast<uint32_t>(q.rgbRed) << 16) | (static_cast<uint32_t>(q.rgbGreen) << 8) | q.rgbBlue;
}

// Scratch rows for one operation: destination, source and pattern spans.
struct Scratch {
  std::vector<uint32_t> dest, source, pattern, saved;
  void Reserve(size_t n) {
    if (dest.size() < n) {
      dest.resize(n);
      source.resize(n);
      pattern.resize(n);
      saved.resize(n);
    }
  }
};

thread_local Scratch tScratch;

// The pattern's pixels for [x, x + n) of row y, and which of them are drawn.
void PatternRow(const BrushPattern& pattern, int x, int y, int n, uint32_t* out, uint8_t* opaque) {
  const int ty = ((y - pattern.originY) % pattern.height + pattern.height) % pattern.height;
  const uint32_t* row = pattern.tile.data() + static_cast<size_t>(ty) * static_cast<size_t>(pattern.width);
  const uint8_t* mask =
      pattern.opaque.empty() ? nullptr : pattern.opaque.data() + static_cast<size_t>(ty) * static_cast<size_t>(pattern.width);
  int tx = ((x - pattern.originX) % pattern.width + pattern.width) % pattern.width;
  for (int i = 0; i < n; ++i) {
    out[i] = row[tx];
    if (opaque) opaque[i] = mask ? mask[tx] : 1;
    if (++tx == pattern.width) tx = 0;
  }
}

// Reads the source span of a copy as 32-bit pixels, applying the monochrome colour rules.
const uint32_t* SourceRow(const BlitSource& source, const PixelSurface& dest, int x, int y, int n, uint32_t* scratch) {
  const PixelSurface& s = *source.surface;
  const int sx = x + source.offsetX;
  const int sy = y + source.offsetY;
  if (s.bitsPerPixel == 1) {
    const uint8_t* bits = s.Row(sy);
    for (int i = 0; i < n; ++i) {
      const int bx = sx + i;
      scratch[i] = ((bits[bx >> 3] >> (7 - (bx & 7))) & 1) ? source.onePixel : source.zeroPixel;
    }
    return scratch;
  }
  if (dest.bitsPerPixel == 1) {
    ReadPixels(s, sx, sy, n, scratch);
    const uint32_t bk = source.sourceBkPixel & 0x00FFFFFF;
    for (int i = 0; i < n; ++i) scratch[i] = (scratch[i] & 0x00FFFFFF) == bk ? 0x00FFFFFF : 0;
    return scratch;
  }
  if (s.bitsPerPixel == 32) {
    // Same memory as the destination: take a copy, the row may overlap what is written.
    const uint32_t* row = s.Row32(sy) + sx;
    if (s.top != dest.top) return row;
    std::memcpy(scratch, row, static_cast<size_t>(n) * 4);
    return scratch;
  }
  ReadPixels(s, sx, sy, n, scratch);
  return scratch;
}

// Row order that keeps a copy within one surface from reading rows it already wrote.
template <class F>
void ForRows(const RECT& rect, bool bottomUp, F&& fn) {
  if (bottomUp) {
    for (int y = rect.Bottom - 1; y >= rect.Top; --y) fn(y);
  } else {
    for (int y = rect.Top; y < rect.Bottom; ++y) fn(y);
  }
}

// Runs `op` on the destination span of row y as 32-bit pixels, in place for 32-bit surfaces.
template <class F>
void WithDestRow(const PixelSurface& dest, int x, int y, int n, F&& op) {
  if (dest.bitsPerPixel == 32) {
    op(dest.Row32(y) + x);
    return;
  }
  uint32_t* row = tScratch.dest.data();
  ReadPixels(dest, x, y, n, row);
  op(row);
  WritePixels(dest, x, y, n, row);
}

// ---- Primitives --------------------------------------------------------------------------------

void Fill(const PixelSurface& dest, const RECT& rect, const BrushPattern& pattern, uint8_t rop) {
  const int n = rect.Right - rect.Left;
  if (n <= 0) return;
  tScratch.Reserve(static_cast<size_t>(n));
  if (pattern.solid) {
    if (dest.bitsPerPixel == 32 && (rop == 0xF0 || rop == 0x00 || rop == 0xFF)) {
      const uint32_t value = rop == 0xF0 ? pattern.pixel : rop == 0x00 ? 0 : 0xFFFFFFFF;
      for (int y = rect.Top; y < rect.Bottom; ++y) std::fill_n(dest.Row32(y) + rect.Left, n, value);
      return;
    }
    const SolidSpan span = kSolidRops[rop];
    for (int y = rect.Top; y < rect.Bottom; ++y) {
      WithDestRow(dest, rect.Left, y, n, [&](uint32_t* d) { span(d, nullptr, pattern.pixel, n); });
    }
    return;
  }
  const PatternSpan span = kPatternRops[rop];
  std::vector<uint8_t> opaque(pattern.opaque.empty() ? 0 : static_cast<size_t>(n));
  for (int y = rect.Top; y < rect.Bottom; ++y) {
    uint32_t* p = tScratch.pattern.data();
    PatternRow(pattern, rect.Left, y, n, p, opaque.empty() ? nullptr : opaque.data());
    WithDestRow(dest, rect.Left, y, n, [&](uint32_t* d) {
      if (opaque.empty()) {
        span(d, nullptr, p, n);
        return;
      }
      uint32_t* before = tScratch.saved.data();
      std::memcpy(before, d, static_cast<size_t>(n) * 4);
      span(d, nullptr, p, n);
      for (int i = 0; i < n; ++i) {
        if (!opaque[static_cast<size_t>(i)]) d[i] = before[i];
      }
    });
  }
}

void Copy(const PixelSurface& dest, const RECT& rect, const BlitSource& source, const BrushPattern* pattern,
          uint8_t rop) {
  const int n = rect.Right - rect.Left;
  if (n <= 0) return;
  tScratch.Reserve(static_cast<size_t>(n));
  const PixelSurface& s = *source.surface;
  const bool sameSurface = s.top == dest.top;
  const bool bottomUp = sameSurface && source.offsetY < 0;
  if (rop == 0xCC && dest.bitsPerPixel == 32 && s.bitsPerPixel == 32) {
    // The plain copy: one memmove per row.
    ForRows(rect, bottomUp, [&](int y) {
      std::memmove(dest.Row32(y) + rect.Left, s.Row32(y + source.offsetY) + rect.Left + source.offsetX,
                   static_cast<size_t>(n) * 4);
    });
    return;
  }
  const bool usesSource = UsesSource(rop);
  const bool solid = !pattern || pattern->solid;
  const uint32_t solidPixel = pattern ? pattern->pixel : 0;
  ForRows(rect, bottomUp, [&](int y) {
    const uint32_t* srow = usesSource ? SourceRow(source, dest, rect.Left, y, n, tScratch.source.data()) : nullptr;
    uint32_t* p = nullptr;
    if (!solid) {
      p = tScratch.pattern.data();
      PatternRow(*pattern, rect.Left, y, n, p, nullptr);
    }
    WithDestRow(dest, rect.Left, y, n, [&](uint32_t* d) {
      if (solid) {
        kSolidRops[rop](d, srow, solidPixel, n);
      } else {
        kPatternRops[rop](d, srow, p, n);
      }
    });
  });
}

inline uint32_t Mul255(uint32_t a, uint32_t b) {
  const uint32_t t = a * b + 128;
  return (t + (t >> 8)) >> 8;
}

void BlendCoverage(const PixelSurface& dest, const RECT& rect, const uint8_t* coverage, ptrdiff_t coveragePitch,
                   uint32_t pixel) {
  const int n = rect.Right - rect.Left;
  if (n <= 0) return;
  tScratch.Reserve(static_cast<size_t>(n));
  const uint32_t sr = (pixel >> 16) & 0xFF, sg = (pixel >> 8) & 0xFF, sb = pixel & 0xFF;
  for (int y = rect.Top; y < rect.Bottom; ++y) {
    const uint8_t* cov = coverage + (y - rect.Top) * coveragePitch;
    WithDestRow(dest, rect.Left, y, n, [&](uint32_t* d) {
      for (int i = 0; i < n; ++i) {
        const uint32_t c = cov[i];
        if (c == 0) continue;
        if (c == 255) {
          d[i] = pixel & 0x00FFFFFF;
          continue;
        }
        const uint32_t v = d[i];
        const uint32_t r = Mul255(sr, c) + Mul255((v >> 16) & 0xFF, 255 - c);
        const uint32_t g = Mul255(sg, c) + Mul255((v >> 8) & 0xFF, 255 - c);
        const uint32_t b = Mul255(sb, c) + Mul255(v & 0xFF, 255 - c);
        d[i] = (r << 16) | (g << 8) | b;
      }
    });
  }
}

void Blend(const PixelSurface& dest, const RECT& rect, const uint32_t* source, ptrdiff_t sourcePitch,
           uint8_t constantAlpha, bool perPixelAlpha) {
  const int n = rect.Right - rect.Left;
  if (n <= 0) return;
  tScratch.Reserve(static_cast<size_t>(n));
  const uint32_t ca = constantAlpha;
  for (int y = rect.Top; y < rect.Bottom; ++y) {
    const uint32_t* s = source + (y - rect.Top) * sourcePitch;
    WithDestRow(dest, rect.Left, y, n, [&](uint32_t* d) {
      for (int i = 0; i < n; ++i) {
        uint32_t sp = s[i];
        if (ca != 255) {
          sp = (Mul255(sp >> 24, ca) << 24) | (Mul255((sp >> 16) & 0xFF, ca) << 16) |
               (Mul255((sp >> 8) & 0xFF, ca) << 8) | Mul255(sp & 0xFF, ca);
        }
        // Without per-pixel alpha the source weighs constantAlpha in every channel.
        const uint32_t inverse = 255 - (perPixelAlpha ? sp >> 24 : ca);
        if (inverse == 0) {
          d[i] = sp;
          continue;
        }
        const uint32_t dp = d[i];
        const uint32_t a = std::min<uint32_t>(255, (sp >> 24) + Mul255(dp >> 24, inverse));
        const uint32_t r = std::min<uint32_t>(255, ((sp >> 16) & 0xFF) + Mul255((dp >> 16) & 0xFF, inverse));
        const uint32_t g = std::min<uint32_t>(255, ((sp >> 8) & 0xFF) + Mul255((dp >> 8) & 0xFF, inverse));
        const uint32_t b = std::min<uint32_t>(255, (sp & 0xFF) + Mul255(dp & 0xFF, inverse));
        d[i] = (a << 24) | (r << 16) | (g << 8) | b;
      }
    });
  }
}

// Every format runs the same span code; only 32-bit rows are used in place (WithDestRow).
constexpr PixelPrimitives kPrimitives{&Fill, &Copy, &BlendCoverage, &Blend};

}  // namespace

const PixelPrimitives& PrimitivesFor(const PixelSurface&) { return kPrimitives; }

int NearestPaletteIndex(const RGBQUAD* palette, int size, uint32_t pixel) {
  const int r = (pixel >> 16) & 0xFF, g = (pixel >> 8) & 0xFF, b = pixel & 0xFF;
  int best = 0;
  int bestDistance = 1 << 30;
  for (int i = 0; i < size; ++i) {
    const int dr = palette[i].rgbRed - r, dg = palette[i].rgbGreen - g, db = palette[i].rgbBlue - b;
    const int distance = dr * dr + dg * dg + db * db;
    if (distance < bestDistance) {
      bestDistance = distance;
      best = i;
      if (distance == 0) break;
    }
  }
  return best;
}

void ReadPixels(const PixelSurface& surface, int x, int y, int count, uint32_t* out) {
  const uint8_t* row = surface.Row(y);
  switch (surface.bitsPerPixel) {
    case 32: std::memcpy(out, row + static_cast<ptrdiff_t>(x) * 4, static_cast<size_t>(count) * 4); return;
    case 24:
      for (int i = 0; i < count; ++i) {
        const uint8_t* p = row + static_cast<ptrdiff_t>(x + i) * 3;
        out[i] = p[0] | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16);
      }
      return;
    case 8:
      for (int i = 0; i < count; ++i) out[i] = PaletteColour(surface, row[x + i]);
      return;
    case 4:
      for (int i = 0; i < count; ++i) {
        const int px = x + i;
        out[i] = PaletteColour(surface, (px & 1) ? row[px >> 1] & 0x0F : row[px >> 1] >> 4);
      }
      return;
    case 1:
      for (int i = 0; i < count; ++i) {
        const int px = x + i;
        out[i] = PaletteColour(surface, (row[px >> 3] >> (7 - (px & 7))) & 1);
      }
      return;
    default: std::fill_n(out, count, 0u);
  }
}

void WritePixels(const PixelSurface& surface, int x, int y, int count, const uint32_t* in) {
  uint8_t* row = surface.Row(y);
  if (surface.bitsPerPixel == 32) {
    std::memcpy(row + static_cast<ptrdiff_t>(x) * 4, in, static_cast<size_t>(count) * 4);
    return;
  }
  if (surface.bitsPerPixel == 24) {
    for (int i = 0; i < count; ++i) {
      uint8_t* p = row + static_cast<ptrdiff_t>(x + i) * 3;
      p[0] = static_cast<uint8_t>(in[i]);
      p[1] = static_cast<uint8_t>(in[i] >> 8);
      p[2] = static_cast<uint8_t>(in[i] >> 16);
    }
    return;
  }
  // Palette formats: neighbouring pixels repeat colours, so remember the last match.
  uint32_t lastPixel = 0;
  int lastIndex = -1;
  for (int i = 0; i < count; ++i) {
    const uint32_t pixel = in[i] & 0x00FFFFFF;
    if (lastIndex < 0 || pixel != lastPixel) {
      lastIndex = surface.palette ? NearestPaletteIndex(surface.palette, surface.paletteSize, pixel) : 0;
      lastPixel = pixel;
    }
    const int px = x + i;
    switch (surface.bitsPerPixel) {
      case 8: row[px] = static_cast<uint8_t>(lastIndex); break;
      case 4: {
        uint8_t& b = row[px >> 1];
        b = (px & 1) ? static_cast<uint8_t>((b & 0xF0) | lastIndex) : static_cast<uint8_t>((b & 0x0F) | (lastIndex << 4));
        break;
      }
      case 1: {
        const uint8_t bit = static_cast<uint8_t>(0x80 >> (px & 7));
        row[px >> 3] = lastIndex ? (row[px >> 3] | bit) : (row[px >> 3] & ~bit);
        break;
      }
      default: break;
    }
  }
}
