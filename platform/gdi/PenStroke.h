#pragma once
// Drawing with the DC's pen: thin (one pixel, styled) and wide lines, used by lines, polylines and
// the outlines of shapes.

#include "gdi/DcState.h"

struct PenInfo {
  bool visible = false;  // false for PS_NULL
  UINT kind = PS_SOLID;
  int width = 1;
  bool insideFrame = false;
  uint32_t pixel = 0;
};
PenInfo CurrentPen(const DeviceContext& dc);

// Strokes the segments between surface points; thin pens leave out the last point of an open path.
void StrokePath(const DeviceContext& dc, const POINT* points, int count, bool closed);
// Fills a surface region with the pen's colour and the DC's mix.
void FillWithPen(const DeviceContext& dc, const Region& surfaceRegion);
