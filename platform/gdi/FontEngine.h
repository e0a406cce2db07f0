#pragma once
// A font at one size, as FreeType renders it: the metrics GetTextMetrics reports, whole-pixel
// advances (GDI positions glyphs on whole pixels and does not kern) and cached grey coverage
// bitmaps per glyph and angle. Instances are shared by every font object with the same LOGFONT
// (escapement aside) and kept in a bounded cache; glyph bitmaps live under a byte budget.
// User-interface thread only.

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "gdi/FontFaces.h"
#include "gdi/LogFont.h"

struct FontMetrics {
  int height = 0;  // ascent + descent
  int ascent = 0;
  int descent = 0;
  int internalLeading = 0;
  int externalLeading = 0;
  int aveCharWidth = 0;
  int maxCharWidth = 0;
  int weight = FW_NORMAL;
  int underlinePosition = 0;  // pixels below the baseline
  int underlineThickness = 1;
  int strikeoutPosition = 0;  // pixels above the baseline
  int strikeoutThickness = 1;
  bool fixedPitch = false;
  BYTE family = FF_SWISS;
};

// Coverage of one glyph: rows top-down; left and top place its top-left corner relative to the
// pen position on the baseline (top counts upward, as FreeType does).
struct GlyphImage {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  std::vector<uint8_t> coverage;
};

class FontInstance {
 public:
  // The shared instance for the font (its escapement, orientation, underline and strike-out do
  // not matter here). Never null: without any font file it measures with made-up metrics.
  static std::shared_ptr<FontInstance> For(const LOGFONT& font);

  // withFallback: also open the wide sans face for characters this face lacks.
  explicit FontInstance(const LOGFONT& font, bool withFallback = true);
  ~FontInstance();
  FontInstance(const FontInstance&) = delete;
  FontInstance& operator=(const FontInstance&) = delete;

  const FontMetrics& Metrics() const { return metrics_; }
  const std::string& Family() const { return face_.family; }
  int Advance(char32_t ch);
  // Escapement in tenths of a degree, counter-clockwise. The reference stays valid until the next
  // call (the cache may be emptied to stay under its budget).
  const GlyphImage& Glyph(char32_t ch, int escapement);

 private:
  struct FreeTypeFace;
  struct Resolved {
    FontInstance* owner;
    unsigned glyphIndex;
  };
  void LoadFace();
  void ComputeMetrics(const LOGFONT& font, bool withFallback);
  friend void ClearGlyphCache();
  Resolved Resolve(char32_t ch);
  GlyphImage Render(char32_t ch, int escapement);
  GlyphImage RenderSymbol(char32_t ch) const;

  FontFace face_;
  double pixelsX_ = 0;
  double pixelsY_ = 0;
  bool antialiased_ = true;
  FontMetrics metrics_;
  std::unique_ptr<FreeTypeFace> ft_;
  std::unique_ptr<FontInstance> fallback_;  // for characters the face lacks
  int16_t asciiAdvances_[128];
  std::unordered_map<char32_t, int> advances_;
  std::unordered_map<uint64_t, GlyphImage> glyphs_;
  const GlyphImage* asciiGlyphs_[128] = {};  // upright ASCII glyphs, the common case
  size_t glyphBytes_ = 0;
};

// Drops every cached glyph bitmap (the unit end calls it; tests use it to start cold).
void ClearGlyphCache();
