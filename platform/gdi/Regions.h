#pragma once
// Regions (pixman regions underneath) and the clip region of a DC. A region covers the pixels
// GDI's own rasteriser covers: right and bottom edges are outside; inverted rectangles are empty.
// Clip regions are in device coordinates (the window and viewport origins do not move them).

#include "gdi/GdiTypes.h"

HRGN CreateRectRgn(int left, int top, int right, int bottom);
HRGN CreateRectRgnIndirect(const RECT* rect);
HRGN CreateRoundRectRgn(int left, int top, int right, int bottom, int widthEllipse, int heightEllipse);
HRGN CreateEllipticRgn(int left, int top, int right, int bottom);
HRGN CreateEllipticRgnIndirect(const RECT* rect);
HRGN CreatePolygonRgn(const POINT* points, int count, int fillMode);
HRGN CreatePolyPolygonRgn(const POINT* points, const INT* counts, int polygons, int fillMode);
// The result kind (NULLREGION, SIMPLEREGION, COMPLEXREGION) or ERROR.
int CombineRgn(HRGN destination, HRGN source1, HRGN source2, int mode);
int OffsetRgn(HRGN region, int dx, int dy);
BOOL EqualRgn(HRGN region1, HRGN region2);
int GetRgnBox(HRGN region, RECT* box);
BOOL PtInRegion(HRGN region, int x, int y);
BOOL RectInRegion(HRGN region, const RECT* rect);
BOOL SetRectRgn(HRGN region, int left, int top, int right, int bottom);
// Writes the region's rectangles (top to bottom, left to right) as RGNDATA and answers `size`;
// with a null buffer answers the size needed; 0 when the buffer is too small.
DWORD GetRegionData(HRGN region, DWORD size, RGNDATA* data);
// Transforms other than none are not supported (null answer).
HRGN ExtCreateRegion(const void* xform, DWORD size, const RGNDATA* data);

BOOL FillRgn(HDC dc, HRGN region, HBRUSH brush);
BOOL FrameRgn(HDC dc, HRGN region, HBRUSH brush, int width, int height);
BOOL InvertRgn(HDC dc, HRGN region);
BOOL PaintRgn(HDC dc, HRGN region);

// Clipping. A null region removes the clip region; the region is copied.
int SelectClipRgn(HDC dc, HRGN region);
int ExtSelectClipRgn(HDC dc, HRGN region, int mode);
// 1 with a copy of the clip region in region, 0 when the DC has none, -1 on error.
int GetClipRgn(HDC dc, HRGN region);
int ExcludeClipRect(HDC dc, int left, int top, int right, int bottom);
int IntersectClipRect(HDC dc, int left, int top, int right, int bottom);
int OffsetClipRgn(HDC dc, int dx, int dy);
// The bounds of what can be drawn, in logical coordinates.
int GetClipBox(HDC dc, RECT* rect);
BOOL RectVisible(HDC dc, const RECT* rect);
BOOL PtVisible(HDC dc, int x, int y);
