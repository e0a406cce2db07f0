#pragma once
// Paints a run of placed characters onto a DC's surface: background box, glyph coverage in the
// text colour, underline and strike-out, all turned by the font's escapement about the reference
// point and clipped to the DC (and to an extra rectangle when given).

#include <vector>

#include "gdi/TextLayout.h"

class DeviceContext;
class FontObject;

struct GlyphRun {
  POINT reference;           // surface pixels
  int start = 0;             // along the baseline, from the reference to the first character
  int baseline = 0;          // across it: from the reference down to the baseline
  std::vector<PlacedChar> chars;
  int width = 0;
  int underlineLeft = 0;     // the prefix underline, when underlineRight > underlineLeft
  int underlineRight = 0;
};

// opaque: fill the run's cell box (width x font height) with the background colour first.
void PaintGlyphRun(DeviceContext& dc, FontObject& font, const GlyphRun& run, const RECT* clip, bool opaque);

// Fills rect (surface pixels) with a colour, inside the DC's clip and the extra clip.
void FillSurfaceRect(DeviceContext& dc, const RECT& rect, COLORREF colour, const RECT* clip);
