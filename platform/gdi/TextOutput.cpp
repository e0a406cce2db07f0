#include <algorithm>
#include <cmath>
#include <cstring>
#include <string_view>

#include "gdi/DcState.h"
#include "gdi/FontObject.h"
#include "gdi/GlyphRun.h"
#include "gdi/Text.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

class FontMeasure : public TextMeasure {
 public:
  explicit FontMeasure(FontInstance& instance) : instance_(instance) {}
  int Advance(char32_t ch) override { return instance_.Advance(ch); }
  int LineHeight(bool withExternalLeading) override {
    const FontMetrics& m = instance_.Metrics();
    return m.height + (withExternalLeading ? m.externalLeading : 0);
  }
  int AverageCharWidth() override { return instance_.Metrics().aveCharWidth; }

 private:
  FontInstance& instance_;
};

// The characters of a single-line text at their advances (lpDx per byte when given, else the
// justification's extra pixels added after the break characters).
std::vector<PlacedChar> PlaceText(FontInstance& instance, std::string_view text, const int* dx,
                                  const DcAttributes& attrs, int& width) {
  int breaks = 0;
  std::vector<size_t> offsets;
  std::u32string chars = DecodeUtf8(text, &offsets);
  std::vector<PlacedChar> placed;
  placed.reserve(chars.size());
  int x = 0;
  for (size_t i = 0; i < chars.size(); ++i) {
    placed.push_back({chars[i], x});
    if (dx) {
      size_t end = i + 1 < chars.size() ? offsets[i + 1] : text.size();
      for (size_t b = offsets[i]; b < end; ++b) x += dx[b];
    } else {
      x += instance.Advance(chars[i]);
      if (chars[i] == U' ' && breaks < attrs.breakCount) {
        // Break k gets its share of the rounded running total, so the pixels spread evenly.
        long long extra = attrs.breakExtra;
        x += static_cast<int>(extra * (breaks + 1) / attrs.breakCount - extra * breaks / attrs.breakCount);
        ++breaks;
      }
    }
  }
  width = x;
  return placed;
}

RECT SurfaceRect(const DeviceContext& dc, const RECT& rect) {
  RECT ordered{std::min(rect.Left, rect.Right), std::min(rect.Top, rect.Bottom), std::max(rect.Left, rect.Right),
               std::max(rect.Top, rect.Bottom)};
  return dc.ToSurface(ordered);
}

BOOL OutputText(HDC handle, int x, int y, UINT options, const RECT* rect, const char* text, UINT count, const int* dx) {
  DeviceContext* dc = LookupDc(handle);
  FontObject* font = dc ? SelectedFont(*dc) : nullptr;
  if (!font || (!text && count != 0)) return FALSE;
  RECT clip{};
  bool clipped = rect && (options & ETO_CLIPPED);
  if (rect) clip = SurfaceRect(*dc, *rect);
  if (rect && (options & ETO_OPAQUE)) FillSurfaceRect(*dc, clip, dc->attrs.bkColor, nullptr);
  if (count == 0) return TRUE;

  FontInstance& instance = font->Instance();
  const FontMetrics& metrics = instance.Metrics();
  GlyphRun run;
  run.chars = PlaceText(instance, std::string_view(text, count), dx, dc->attrs, run.width);
  UINT align = dc->attrs.textAlign;
  bool updateCp = (align & TA_UPDATECP) != 0;
  POINT logical = updateCp ? dc->attrs.currentPosition : POINT{x, y};
  run.reference = dc->ToSurface(logical);
  switch (align & TA_CENTER) {
    case TA_RIGHT: run.start = -run.width; break;
    case TA_CENTER: run.start = -run.width / 2; break;
    default: run.start = 0; break;
  }
  switch (align & TA_BASELINE) {
    case TA_BASELINE: run.baseline = 0; break;
    case TA_BOTTOM: run.baseline = -metrics.descent; break;
    default: run.baseline = metrics.ascent; break;
  }
  PaintGlyphRun(*dc, *font, run, clipped ? &clip : nullptr, dc->attrs.bkMode == OPAQUE);

  if (updateCp) {
    int moved = (align & TA_CENTER) == TA_LEFT ? run.width : (align & TA_CENTER) == TA_RIGHT ? -run.width : 0;
    double radians = font->LogFont().lfEscapement * kPi / 1800.0;
    dc->attrs.currentPosition.X += static_cast<int>(std::lround(moved * std::cos(radians)));
    dc->attrs.currentPosition.Y -= static_cast<int>(std::lround(moved * std::sin(radians)));
  }
  return TRUE;
}

// Room the caller's text leaves for a shortened copy (without the terminator we add when there
// is room): a counted text may sit in a buffer of exactly count bytes.
size_t ShortenedRoom(std::string_view text, int count) { return count < 0 ? text.size() : static_cast<size_t>(count); }

int LayOutAndDraw(HDC handle, char* text, int count, RECT* rect, UINT format, DRAWTEXTPARAMS* params) {
  DeviceContext* dc = LookupDc(handle);
  FontObject* font = dc ? SelectedFont(*dc) : nullptr;
  if (!font || !rect || (!text && count != 0)) return 0;
  std::string_view view = text ? (count < 0 ? std::string_view(text) : std::string_view(text, static_cast<size_t>(count)))
                               : std::string_view();
  if (params) params->uiLengthDrawn = 0;
  if (view.empty()) return 0;

  TextLayoutOptions options;
  if (format & DT_TABSTOP) {
    // The tab length rides in the format's second byte, in place of the flags it would mean.
    options.tabLength = static_cast<int>((format >> 8) & 0xFF);
    format &= ~0xFF00u;
  }
  if (params && params->cbSize == sizeof(DRAWTEXTPARAMS)) {
    if (params->iTabLength > 0) options.tabLength = params->iTabLength;
    options.leftMargin = params->iLeftMargin;
    options.rightMargin = params->iRightMargin;
  }
  bool modify = (format & DT_MODIFYSTRING) && text;
  if (modify) options.maxShortenedBytes = ShortenedRoom(view, count);
  if (options.tabLength <= 0) options.tabLength = 8;

  FontInstance& instance = font->Instance();
  FontMeasure measure(instance);
  TextLayoutResult layout = LayOutText(view, *rect, format, measure, options);
  if (params) params->uiLengthDrawn = static_cast<UINT>(view.size());

  if (modify && layout.shortened) {
    size_t room = options.maxShortenedBytes;
    size_t length = std::min(layout.shortenedText.size(), room);
    std::memcpy(text, layout.shortenedText.data(), length);
    // The terminator goes only where the caller's bytes were: inside a counted text, or on the
    // original terminator of a zero-ended one.
    if (length < room || count < 0) text[length] = '\0';
  }
  if (format & DT_CALCRECT) {
    *rect = layout.bounds;
    return layout.height;
  }

  const FontMetrics& metrics = instance.Metrics();
  RECT clip = SurfaceRect(*dc, *rect);
  bool clipped = !(format & DT_NOCLIP);
  bool opaque = dc->attrs.bkMode == OPAQUE;
  for (LaidLine& line : layout.lines) {
    GlyphRun run;
    run.reference = dc->ToSurface(POINT{line.left, line.top});
    run.baseline = metrics.ascent;
    run.chars = std::move(line.chars);
    run.width = line.width;
    run.underlineLeft = line.underlineLeft;
    run.underlineRight = line.underlineRight;
    PaintGlyphRun(*dc, *font, run, clipped ? &clip : nullptr, opaque);
  }
  return layout.height;
}

}  // namespace

BOOL TextOut(HDC dc, int x, int y, const char* text, int count) {
  if (count < 0) return FALSE;
  return OutputText(dc, x, y, 0, nullptr, text, static_cast<UINT>(count), nullptr);
}

BOOL ExtTextOut(HDC dc, int x, int y, UINT options, const RECT* rect, const char* text, UINT count, const int* dx) {
  return OutputText(dc, x, y, options, rect, text, count, dx);
}

BOOL SetTextJustification(HDC handle, int breakExtra, int breakCount) {
  DeviceContext* dc = LookupDc(handle);
  if (!dc) return FALSE;
  dc->attrs.breakExtra = breakCount > 0 ? breakExtra : 0;
  dc->attrs.breakCount = std::max(breakCount, 0);
  return TRUE;
}

int DrawText(HDC dc, const char* text, int count, RECT* rect, UINT format) {
  // DT_MODIFYSTRING writes into the caller's text, as the platform call does with its buffer.
  return LayOutAndDraw(dc, const_cast<char*>(text), count, rect, format, nullptr);
}

int DrawTextEx(HDC dc, char* text, int count, RECT* rect, UINT format, DRAWTEXTPARAMS* params) {
  return LayOutAndDraw(dc, text, count, rect, format, params);
}
