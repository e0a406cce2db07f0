#pragma once
// Pen and brush objects, and how a DC turns its brush into pixels.

#include <memory>
#include <vector>

#include "gdi/GdiObjects.h"
#include "gdi/PixelOps.h"

class DeviceContext;

class PenObject : public GdiObject {
 public:
  PenObject(UINT style, int width, COLORREF colour, bool extended);
  UINT style;  // PS_* style, end cap, join and type bits
  int width;
  COLORREF colour;
  bool extended;  // made by ExtCreatePen: GetObject answers EXTLOGPEN

  UINT Kind() const { return style & PS_STYLE_MASK; }
  int GetObjectRecord(int size, void* buffer) const override;
};

// The pixels of a pattern brush, copied from its bitmap when the brush was made.
struct BrushTile {
  int width = 0;
  int height = 0;
  bool monochrome = false;       // bits 0/1 take the DC's text/background colours when used
  std::vector<uint32_t> pixels;  // colour tiles: pixels; monochrome: 0 or 1
};

class BrushObject : public GdiObject {
 public:
  BrushObject(UINT style, COLORREF colour, int hatch);
  UINT style;
  COLORREF colour;
  int hatch;
  std::shared_ptr<const BrushTile> tile;  // BS_PATTERN
  HBITMAP patternBitmap = nullptr;         // what GetObject reports for BS_PATTERN

  int GetObjectRecord(int size, void* buffer) const override;
};

// The DC's brush (DC_BRUSH resolved) made concrete with the DC's colours, background mode and
// brush origin. `brush` null means the DC's selected brush. Null-brush answers false.
bool RealizeBrush(const DeviceContext& dc, const GdiObject* brush, BrushPattern& pattern);
// The pen colour of the DC's selected pen (DC_PEN resolved).
COLORREF PenColour(const DeviceContext& dc);
// The brush a system-colour index + 1 stands for, or the handle's brush.
BrushObject* ResolveBrush(HBRUSH brush);
