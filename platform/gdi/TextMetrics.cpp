#include <algorithm>
#include <cstring>
#include <string_view>

#include "gdi/DcState.h"
#include "gdi/FontObject.h"
#include "gdi/Text.h"

namespace {

FontInstance* InstanceOf(HDC dc) {
  DeviceContext* context = LookupDc(dc);
  FontObject* font = context ? SelectedFont(*context) : nullptr;
  return font ? &font->Instance() : nullptr;
}

std::string_view TextOf(const char* text, int count) {
  if (!text) return {};
  return count < 0 ? std::string_view(text) : std::string_view(text, static_cast<size_t>(count));
}

}  // namespace

BOOL GetTextMetrics(HDC dc, TEXTMETRIC* metrics) {
  DeviceContext* context = LookupDc(dc);
  FontObject* font = context ? SelectedFont(*context) : nullptr;
  if (!font || !metrics) return FALSE;
  const LOGFONT& logFont = font->LogFont();
  const FontMetrics& m = font->Instance().Metrics();
  *metrics = TEXTMETRIC{};
  metrics->tmHeight = m.height;
  metrics->tmAscent = m.ascent;
  metrics->tmDescent = m.descent;
  metrics->tmInternalLeading = m.internalLeading;
  metrics->tmExternalLeading = m.externalLeading;
  metrics->tmAveCharWidth = m.aveCharWidth;
  metrics->tmMaxCharWidth = m.maxCharWidth;
  metrics->tmWeight = m.weight;
  metrics->tmDigitizedAspectX = 96;
  metrics->tmDigitizedAspectY = 96;
  metrics->tmFirstChar = 0x1E;
  metrics->tmLastChar = 0xFF;
  metrics->tmDefaultChar = 0x1F;
  metrics->tmBreakChar = 0x20;
  metrics->tmItalic = logFont.lfItalic ? 255 : 0;
  metrics->tmUnderlined = logFont.lfUnderline ? 255 : 0;
  metrics->tmStruckOut = logFont.lfStrikeOut ? 255 : 0;
  // Every face is an outline (TrueType) face; the low bit set means variable pitch.
  metrics->tmPitchAndFamily = static_cast<BYTE>(m.family | TMPF_TRUETYPE | TMPF_VECTOR | (m.fixedPitch ? 0 : TMPF_FIXED_PITCH));
  metrics->tmCharSet = logFont.lfCharSet == DEFAULT_CHARSET ? ANSI_CHARSET : logFont.lfCharSet;
  return TRUE;
}

BOOL GetTextExtentExPoint(HDC dc, const char* text, int count, int maxExtent, int* fit, int* extents, SIZE* size) {
  FontInstance* instance = InstanceOf(dc);
  if (!instance || (!text && count != 0)) return FALSE;
  std::string_view view = TextOf(text, count);
  std::vector<size_t> offsets;
  std::u32string chars = DecodeUtf8(view, &offsets);
  int x = 0;
  int fitting = 0;
  for (size_t i = 0; i < chars.size(); ++i) {
    x += instance->Advance(chars[i]);
    size_t end = i + 1 < chars.size() ? offsets[i + 1] : view.size();
    if (extents) {
      for (size_t b = offsets[i]; b < end; ++b) extents[b] = x;
    }
    if (fit && x <= maxExtent) fitting = static_cast<int>(end);
  }
  if (fit) *fit = fitting;
  if (size) *size = SIZE{x, instance->Metrics().height};
  return TRUE;
}

BOOL GetTextExtentPoint32(HDC dc, const char* text, int count, SIZE* size) {
  if (!size) return FALSE;
  return GetTextExtentExPoint(dc, text, count, 0, nullptr, nullptr, size);
}

BOOL GetCharWidth32(HDC dc, UINT first, UINT last, int* widths) {
  FontInstance* instance = InstanceOf(dc);
  if (!instance || !widths || last < first) return FALSE;
  for (UINT ch = first; ch <= last; ++ch) widths[ch - first] = instance->Advance(ch);
  return TRUE;
}

BOOL GetCharABCWidths(HDC dc, UINT first, UINT last, ABC* widths) {
  FontInstance* instance = InstanceOf(dc);
  if (!instance || !widths || last < first) return FALSE;
  for (UINT ch = first; ch <= last; ++ch) {
    int advance = instance->Advance(ch);
    const GlyphImage& glyph = instance->Glyph(ch, 0);
    ABC& abc = widths[ch - first];
    if (glyph.width == 0) {
      abc = ABC{0, static_cast<UINT>(advance), 0};
    } else {
      abc.abcA = glyph.left;
      abc.abcB = static_cast<UINT>(glyph.width);
      abc.abcC = advance - glyph.left - glyph.width;
    }
  }
  return TRUE;
}
