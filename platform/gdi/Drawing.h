#pragma once
// Pens, brushes and the shapes drawn with them. Rectangles exclude their right and bottom edges;
// an inverted rectangle draws nothing. Solid colours are written with a zero alpha byte, as GDI
// does on a 32-bit DIB.

#include "gdi/GdiTypes.h"

HPEN CreatePen(int style, int width, COLORREF colour);
HPEN CreatePenIndirect(const LOGPEN* pen);
HPEN ExtCreatePen(DWORD style, DWORD width, const LOGBRUSH* brush, DWORD styleCount, const DWORD* styles);
HBRUSH CreateSolidBrush(COLORREF colour);
HBRUSH CreateHatchBrush(int hatch, COLORREF colour);
// The bitmap is copied; a monochrome one paints its 0 bits in the text colour and its 1 bits in
// the background colour of the DC it is used on.
HBRUSH CreatePatternBrush(HBITMAP bitmap);
HBRUSH CreateBrushIndirect(const LOGBRUSH* brush);

// Brushes may also be a system colour index + 1, as window classes and FillRect accept them.
int FillRect(HDC dc, const RECT* rect, HBRUSH brush);
int FrameRect(HDC dc, const RECT* rect, HBRUSH brush);
BOOL InvertRect(HDC dc, const RECT* rect);
// A dotted frame drawn with XOR: drawing it twice restores the pixels.
BOOL DrawFocusRect(HDC dc, const RECT* rect);

BOOL Rectangle(HDC dc, int left, int top, int right, int bottom);
BOOL Ellipse(HDC dc, int left, int top, int right, int bottom);
BOOL RoundRect(HDC dc, int left, int top, int right, int bottom, int width, int height);
BOOL Polygon(HDC dc, const POINT* points, int count);
BOOL PolyPolygon(HDC dc, const POINT* points, const INT* counts, int polygons);
BOOL Polyline(HDC dc, const POINT* points, int count);
BOOL PolyPolyline(HDC dc, const POINT* points, const DWORD* counts, DWORD polylines);
// While a path is open both record into it instead of drawing: MoveToEx starts a figure.
BOOL MoveToEx(HDC dc, int x, int y, POINT* previous);
// Draws from the current position to (x, y), excluding (x, y), and moves there.
BOOL LineTo(HDC dc, int x, int y);

// Paths: BeginPath drops any earlier path and opens a new one; EndPath closes it; FillPath
// closes every figure, fills the path with the brush in the DC's fill mode and discards it.
BOOL BeginPath(HDC dc);
BOOL EndPath(HDC dc);
BOOL FillPath(HDC dc);

COLORREF SetPixel(HDC dc, int x, int y, COLORREF colour);
BOOL SetPixelV(HDC dc, int x, int y, COLORREF colour);
// CLR_INVALID outside the clip or the surface.
COLORREF GetPixel(HDC dc, int x, int y);
