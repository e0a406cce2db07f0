#pragma once
// Text on device contexts: metrics, measuring, TextOut/ExtTextOut and DrawText. Text is UTF-8;
// counts are in bytes (-1: up to the terminating zero), and per-character arrays (lpDx, the fit
// extents) have one entry per byte, the entries of a character's trailing bytes belonging to it,
// as for the double-byte code pages. Glyphs are grey antialiased coverage blended in the text
// colour (no subpixel rendering), on whole-pixel advances, without kerning.

#include "gdi/LogFont.h"
#include "gdi/TextLayout.h"

struct TEXTMETRIC {
  LONG tmHeight = 0;
  LONG tmAscent = 0;
  LONG tmDescent = 0;
  LONG tmInternalLeading = 0;
  LONG tmExternalLeading = 0;
  LONG tmAveCharWidth = 0;
  LONG tmMaxCharWidth = 0;
  LONG tmWeight = 0;
  LONG tmOverhang = 0;
  LONG tmDigitizedAspectX = 0;
  LONG tmDigitizedAspectY = 0;
  BYTE tmFirstChar = 0;
  BYTE tmLastChar = 0;
  BYTE tmDefaultChar = 0;
  BYTE tmBreakChar = 0;
  BYTE tmItalic = 0;
  BYTE tmUnderlined = 0;
  BYTE tmStruckOut = 0;
  BYTE tmPitchAndFamily = 0;
  BYTE tmCharSet = 0;
};
static_assert(sizeof(TEXTMETRIC) == 56);
using TEXTMETRICA = TEXTMETRIC;

// tmPitchAndFamily bits (TMPF_FIXED_PITCH set means a variable pitch, as documented).
constexpr BYTE TMPF_FIXED_PITCH = 0x01;
constexpr BYTE TMPF_VECTOR = 0x02;
constexpr BYTE TMPF_TRUETYPE = 0x04;
constexpr BYTE TMPF_DEVICE = 0x08;

struct ABC {
  int abcA = 0;
  UINT abcB = 0;
  int abcC = 0;
};

struct DRAWTEXTPARAMS {
  UINT cbSize = sizeof(DRAWTEXTPARAMS);
  int iTabLength = 0;
  int iLeftMargin = 0;
  int iRightMargin = 0;
  UINT uiLengthDrawn = 0;
};

constexpr UINT ETO_OPAQUE = 0x0002;
constexpr UINT ETO_CLIPPED = 0x0004;
constexpr UINT ETO_GLYPH_INDEX = 0x0010;
constexpr UINT ETO_RTLREADING = 0x0080;
constexpr UINT ETO_IGNORELANGUAGE = 0x1000;

BOOL GetTextMetrics(HDC dc, TEXTMETRIC* metrics);
inline BOOL GetTextMetricsA(HDC dc, TEXTMETRIC* metrics) { return GetTextMetrics(dc, metrics); }
// cx: the sum of the advances; cy: the font's height. Escapement does not change it.
BOOL GetTextExtentPoint32(HDC dc, const char* text, int count, SIZE* size);
inline BOOL GetTextExtentPoint32A(HDC dc, const char* text, int count, SIZE* size) {
  return GetTextExtentPoint32(dc, text, count, size);
}
inline BOOL GetTextExtentPoint(HDC dc, const char* text, int count, SIZE* size) {
  return GetTextExtentPoint32(dc, text, count, size);
}
// fit: how many bytes fit in maxExtent (when fit is given); extents: the extent after each byte.
BOOL GetTextExtentExPoint(HDC dc, const char* text, int count, int maxExtent, int* fit, int* extents, SIZE* size);
inline BOOL GetTextExtentExPointA(HDC dc, const char* text, int count, int maxExtent, int* fit, int* extents,
                                  SIZE* size) {
  return GetTextExtentExPoint(dc, text, count, maxExtent, fit, extents, size);
}
BOOL GetCharWidth32(HDC dc, UINT first, UINT last, int* widths);
inline BOOL GetCharWidth(HDC dc, UINT first, UINT last, int* widths) { return GetCharWidth32(dc, first, last, widths); }
inline BOOL GetCharWidthA(HDC dc, UINT first, UINT last, int* widths) { return GetCharWidth32(dc, first, last, widths); }
BOOL GetCharABCWidths(HDC dc, UINT first, UINT last, ABC* widths);

// The reference point follows the DC's text alignment (TA_LEFT/RIGHT/CENTER, TA_TOP/BOTTOM/
// BASELINE, TA_UPDATECP); the font's escapement turns the text about it.
BOOL TextOut(HDC dc, int x, int y, const char* text, int count);
inline BOOL TextOutA(HDC dc, int x, int y, const char* text, int count) { return TextOut(dc, x, y, text, count); }
// ETO_OPAQUE fills rect with the background colour; ETO_CLIPPED keeps the text inside rect; dx
// gives the advance of each byte.
BOOL ExtTextOut(HDC dc, int x, int y, UINT options, const RECT* rect, const char* text, UINT count, const int* dx);
inline BOOL ExtTextOutA(HDC dc, int x, int y, UINT options, const RECT* rect, const char* text, UINT count,
                        const int* dx) {
  return ExtTextOut(dc, x, y, options, rect, text, count, dx);
}

// Tab stops: none given means one every eight average character widths; one value, a stop every
// that many pixels; several, those positions (later tabs fall on the default stops). Positions
// count from tabOrigin. Both answer the extent as MAKELONG(width, height), so sizes wrap at 16 bits.
LONG TabbedTextOut(HDC dc, int x, int y, const char* text, int count, int tabPositions, const int* tabStops,
                   int tabOrigin);
inline LONG TabbedTextOutA(HDC dc, int x, int y, const char* text, int count, int tabPositions, const int* tabStops,
                           int tabOrigin) {
  return TabbedTextOut(dc, x, y, text, count, tabPositions, tabStops, tabOrigin);
}
DWORD GetTabbedTextExtent(HDC dc, const char* text, int count, int tabPositions, const int* tabStops);
inline DWORD GetTabbedTextExtentA(HDC dc, const char* text, int count, int tabPositions, const int* tabStops) {
  return GetTabbedTextExtent(dc, text, count, tabPositions, tabStops);
}
// The next TextOut/ExtTextOut without lpDx widens its first breakCount break characters (blanks)
// by breakExtra pixels in all, spread as evenly as whole pixels allow. (0, 0) turns it off.
BOOL SetTextJustification(HDC dc, int breakExtra, int breakCount);

// Answers the text's height (with DT_VCENTER or DT_BOTTOM on a single line: the offset from the
// rectangle's top to the text's bottom), 0 on failure or for an empty text. DT_MODIFYSTRING
// writes the shortened text back into the caller's text, never past what the caller handed over:
// count bytes, or the text and its terminator when count is -1.
int DrawText(HDC dc, const char* text, int count, RECT* rect, UINT format);
inline int DrawTextA(HDC dc, const char* text, int count, RECT* rect, UINT format) {
  return DrawText(dc, text, count, rect, format);
}
int DrawTextEx(HDC dc, char* text, int count, RECT* rect, UINT format, DRAWTEXTPARAMS* params);
inline int DrawTextExA(HDC dc, char* text, int count, RECT* rect, UINT format, DRAWTEXTPARAMS* params) {
  return DrawTextEx(dc, text, count, rect, format, params);
}
