#pragma once
// What the drawing units share: filling surface rectangles and regions through the DC's clip with
// a pattern and a raster operation.

#include "gdi/DcState.h"

// The ternary operation that applies binary mix `rop2` (R2_*) of pattern and destination.
uint8_t Rop3FromRop2(int rop2);
// The raster operation byte of a ROP3 code (SRCCOPY -> 0xCC).
inline uint8_t RopIndex(DWORD rop) { return static_cast<uint8_t>((rop >> 16) & 0xFF); }

void FillSurfaceRect(const DeviceContext& dc, const RECT& surfaceRect, const BrushPattern& pattern, uint8_t rop3);
void FillSurfaceRegion(const DeviceContext& dc, const Region& surfaceRegion, const BrushPattern& pattern, uint8_t rop3);
// A logical rectangle in surface pixels, or an empty one when it is inverted.
RECT SurfaceRect(const DeviceContext& dc, const RECT& logical);
