#pragma once
// Font objects: CreateFont and CreateFontIndirect with LOGFONT semantics (see gdi/FontFaces.h for
// the faces behind the names), GetObject of a font, and the stock fonts.

#include "gdi/LogFont.h"

HFONT CreateFontIndirect(const LOGFONT* font);
inline HFONT CreateFontIndirectA(const LOGFONT* font) { return CreateFontIndirect(font); }
HFONT CreateFont(int height, int width, int escapement, int orientation, int weight, DWORD italic, DWORD underline,
                 DWORD strikeOut, DWORD charSet, DWORD outPrecision, DWORD clipPrecision, DWORD quality,
                 DWORD pitchAndFamily, const char* faceName);
inline HFONT CreateFontA(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                         DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision, DWORD clipPrecision,
                         DWORD quality, DWORD pitchAndFamily, const char* faceName) {
  return CreateFont(height, width, escapement, orientation, weight, italic, underline, strikeOut, charSet,
                    outPrecision, clipPrecision, quality, pitchAndFamily, faceName);
}

// The face name of the DC's font into buffer (at most size bytes with the terminator); answers
// the bytes copied, or with a null buffer the length needed including the terminator.
int GetTextFace(HDC dc, int size, char* buffer);
inline int GetTextFaceA(HDC dc, int size, char* buffer) { return GetTextFace(dc, size, buffer); }

// Font types of the enumeration: outline (scalable) faces are reported as TrueType.
constexpr DWORD RASTER_FONTTYPE = 0x0001;
constexpr DWORD DEVICE_FONTTYPE = 0x0002;
constexpr DWORD TRUETYPE_FONTTYPE = 0x0004;

struct TEXTMETRIC;
// Called once per family: the family as a logical font (face name, character set, pitch and
// family), its metrics (pitch and character set only; sizes need a selected font) and its font
// type. A zero answer stops the enumeration.
using FONTENUMPROCA = int (*)(const LOGFONT* logFont, const TEXTMETRIC* metrics, DWORD fontType, LPARAM data);
// The installed families in name order; a face name in the filter limits it to that family
// (without regard to case). The character set of the filter is reported back (ANSI for
// DEFAULT_CHARSET: every family covers it). Answers the last callback's answer, 1 when none ran.
int EnumFontFamiliesExA(HDC dc, const LOGFONT* filter, FONTENUMPROCA proc, LPARAM data, DWORD flags);

// Character set of the default font (the system's ANSI code page).
UINT GetDefFontCharSet();

// Unit start: registers the stock fonts (before any DC is made). End: drops the glyph cache.
void FontsStart();
void FontsEnd();
