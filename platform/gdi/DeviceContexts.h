#pragma once
// Device contexts and the objects selected into them: memory DCs, saved states, origins, the
// drawing attributes, stock objects and GetObject. Coordinates are in the MM_TEXT mapping:
// device = logical - window origin + viewport origin.

#include "gdi/GdiTypes.h"

HDC CreateCompatibleDC(HDC dc);
BOOL DeleteDC(HDC dc);
// Pushes the DC's state; answers its 1-based level, 0 on failure.
int SaveDC(HDC dc);
// A positive level restores that state (and drops the ones above it); a negative one counts back
// from the top (-1 is the last saved).
BOOL RestoreDC(HDC dc, int savedDC);

BOOL SetWindowOrgEx(HDC dc, int x, int y, POINT* previous);
BOOL GetWindowOrgEx(HDC dc, POINT* origin);
BOOL OffsetWindowOrgEx(HDC dc, int dx, int dy, POINT* previous);
BOOL SetViewportOrgEx(HDC dc, int x, int y, POINT* previous);
BOOL GetViewportOrgEx(HDC dc, POINT* origin);
BOOL OffsetViewportOrgEx(HDC dc, int dx, int dy, POINT* previous);
// The DC's offset on its surface (a window DC's client origin); (0, 0) for memory DCs.
BOOL GetDCOrgEx(HDC dc, POINT* origin);
BOOL LPtoDP(HDC dc, POINT* points, int count);
BOOL DPtoLP(HDC dc, POINT* points, int count);

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);
BOOL DeleteObject(HGDIOBJ object);
HGDIOBJ GetStockObject(int index);
HGDIOBJ GetCurrentObject(HDC dc, UINT type);
DWORD GetObjectType(HGDIOBJ object);
// Copies the object's record (BITMAP or DIBSECTION, LOGBRUSH, LOGPEN, LOGFONT) into buffer;
// with a null buffer answers the size needed. 0 on failure.
int GetObject(HGDIOBJ object, int size, void* buffer);
inline int GetObjectA(HGDIOBJ object, int size, void* buffer) { return GetObject(object, size, buffer); }

COLORREF SetTextColor(HDC dc, COLORREF colour);
COLORREF GetTextColor(HDC dc);
COLORREF SetBkColor(HDC dc, COLORREF colour);
COLORREF GetBkColor(HDC dc);
int SetBkMode(HDC dc, int mode);
int GetBkMode(HDC dc);
int SetROP2(HDC dc, int mode);
int GetROP2(HDC dc);
int SetStretchBltMode(HDC dc, int mode);
int GetStretchBltMode(HDC dc);
int SetPolyFillMode(HDC dc, int mode);
int GetPolyFillMode(HDC dc);
UINT SetTextAlign(HDC dc, UINT align);
UINT GetTextAlign(HDC dc);
BOOL SetBrushOrgEx(HDC dc, int x, int y, POINT* previous);
BOOL GetBrushOrgEx(HDC dc, POINT* origin);
COLORREF SetDCBrushColor(HDC dc, COLORREF colour);
COLORREF GetDCBrushColor(HDC dc);
COLORREF SetDCPenColor(HDC dc, COLORREF colour);
COLORREF GetDCPenColor(HDC dc);
BOOL GetCurrentPositionEx(HDC dc, POINT* position);

// Every DC answers for the 96 dpi screen (HORZRES/VERTRES: GetSystemMetrics' screen) of the
// colour depth below.
int GetDeviceCaps(HDC dc, int index);
// The screen's bits per pixel that BITSPIXEL answers: 32 unless tests set another depth (to reach
// the low-colour looks); 0 or less restores 32. Drawing itself stays 32-bit.
void SetScreenBitsPerPixel(int bits);
// Every DC draws 32-bit colour: the nearest colour is the colour itself.
COLORREF GetNearestColor(HDC dc, COLORREF colour);

// Palettes matter only on screens of 8 bits or fewer, which this system never has; they exist so
// that the palette paths compile and do nothing harmful.
HPALETTE CreatePalette(const LOGPALETTE* palette);
HPALETTE SelectPalette(HDC dc, HPALETTE palette, BOOL forceBackground);
UINT RealizePalette(HDC dc);
