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

// Character set of the default font (the system's ANSI code page).
UINT GetDefFontCharSet();

// Unit start: registers the stock fonts (before any DC is made). End: drops the glyph cache.
void FontsStart();
void FontsEnd();
