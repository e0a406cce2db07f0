#include <memory>

#include "gdi/GdiPlusObjects.h"

namespace {

GpStatus Make(std::unique_ptr<GpBrush> brush, GpBrush** result) {
  if (!result) return InvalidParameter;
  *result = brush.release();
  return Ok;
}

bool Is(const GpBrush* brush, GpBrushType type) { return brush && brush->type == type; }

}  // namespace

GpStatus GdipCreateSolidFill(ARGB colour, GpSolidFill** brush) {
  auto created = std::make_unique<GpBrush>();
  created->colour = colour;
  return Make(std::move(created), brush);
}

GpStatus GdipSetSolidFillColor(GpSolidFill* brush, ARGB colour) {
  if (!Is(brush, BrushTypeSolidColor)) return InvalidParameter;
  brush->colour = colour;
  return Ok;
}

GpStatus GdipGetSolidFillColor(GpSolidFill* brush, ARGB* colour) {
  if (!Is(brush, BrushTypeSolidColor) || !colour) return InvalidParameter;
  *colour = brush->colour;
  return Ok;
}

GpStatus GdipCreateLineBrushFromRectI(const GpRect* rect, ARGB colour1, ARGB colour2, LinearGradientMode mode,
                                      GpWrapMode wrapMode, GpLineGradient** brush) {
  if (!rect || rect->Width <= 0 || rect->Height <= 0) return InvalidParameter;
  auto created = std::make_unique<GpBrush>();
  created->type = BrushTypeLinearGradient;
  created->rect = *rect;
  created->colour = colour1;
  created->colour2 = colour2;
  created->gradientMode = mode;
  created->wrapMode = wrapMode;
  return Make(std::move(created), brush);
}

GpStatus GdipGetLineRectI(GpLineGradient* brush, GpRect* rect) {
  if (!Is(brush, BrushTypeLinearGradient) || !rect) return InvalidParameter;
  *rect = brush->rect;
  return Ok;
}

GpStatus GdipSetLineColors(GpLineGradient* brush, ARGB colour1, ARGB colour2) {
  if (!Is(brush, BrushTypeLinearGradient)) return InvalidParameter;
  brush->colour = colour1;
  brush->colour2 = colour2;
  return Ok;
}

GpStatus GdipGetLineColors(GpLineGradient* brush, ARGB* colours) {
  if (!Is(brush, BrushTypeLinearGradient) || !colours) return InvalidParameter;
  colours[0] = brush->colour;
  colours[1] = brush->colour2;
  return Ok;
}

GpStatus GdipSetLineWrapMode(GpLineGradient* brush, GpWrapMode wrapMode) {
  if (!Is(brush, BrushTypeLinearGradient)) return InvalidParameter;
  brush->wrapMode = wrapMode;
  return Ok;
}

GpStatus GdipGetLineWrapMode(GpLineGradient* brush, GpWrapMode* wrapMode) {
  if (!Is(brush, BrushTypeLinearGradient) || !wrapMode) return InvalidParameter;
  *wrapMode = brush->wrapMode;
  return Ok;
}

// Hatch brushes keep their record; filling with one paints its foreground colour.
GpStatus GdipCreateHatchBrush(int style, ARGB foreground, ARGB background, GpHatch** brush) {
  auto created = std::make_unique<GpBrush>();
  created->type = BrushTypeHatchFill;
  created->hatchStyle = style;
  created->colour = foreground;
  created->colour2 = background;
  return Make(std::move(created), brush);
}

GpStatus GdipGetHatchStyle(GpHatch* brush, int* style) {
  if (!Is(brush, BrushTypeHatchFill) || !style) return InvalidParameter;
  *style = brush->hatchStyle;
  return Ok;
}

GpStatus GdipGetHatchForegroundColor(GpHatch* brush, ARGB* colour) {
  if (!Is(brush, BrushTypeHatchFill) || !colour) return InvalidParameter;
  *colour = brush->colour;
  return Ok;
}

GpStatus GdipGetHatchBackgroundColor(GpHatch* brush, ARGB* colour) {
  if (!Is(brush, BrushTypeHatchFill) || !colour) return InvalidParameter;
  *colour = brush->colour2;
  return Ok;
}

GpStatus GdipCloneBrush(GpBrush* brush, GpBrush** clone) {
  if (!brush) return InvalidParameter;
  return Make(std::make_unique<GpBrush>(*brush), clone);
}

GpStatus GdipDeleteBrush(GpBrush* brush) {
  if (!brush) return InvalidParameter;
  delete brush;
  return Ok;
}

GpStatus GdipGetBrushType(GpBrush* brush, GpBrushType* type) {
  if (!brush || !type) return InvalidParameter;
  *type = brush->type;
  return Ok;
}

GpStatus GdipCreatePen1(ARGB colour, REAL width, GpUnit unit, GpPen** pen) {
  if (!pen) return InvalidParameter;
  auto created = std::make_unique<GpPen>();
  created->colour = colour;
  created->width = width;
  created->unit = unit;
  *pen = created.release();
  return Ok;
}

GpStatus GdipCreatePen2(GpBrush* brush, REAL width, GpUnit unit, GpPen** pen) {
  if (!brush || !pen) return InvalidParameter;
  GpStatus status = GdipCreatePen1(brush->colour, width, unit, pen);
  if (status == Ok) (*pen)->brush = std::make_unique<GpBrush>(*brush);
  return status;
}

GpStatus GdipClonePen(GpPen* pen, GpPen** clone) {
  if (!pen || !clone) return InvalidParameter;
  auto copy = std::make_unique<GpPen>();
  copy->colour = pen->colour;
  copy->width = pen->width;
  copy->unit = pen->unit;
  copy->mode = pen->mode;
  if (pen->brush) copy->brush = std::make_unique<GpBrush>(*pen->brush);
  *clone = copy.release();
  return Ok;
}

GpStatus GdipDeletePen(GpPen* pen) {
  if (!pen) return InvalidParameter;
  delete pen;
  return Ok;
}

GpStatus GdipGetPenFillType(GpPen* pen, int* type) {
  if (!pen || !type) return InvalidParameter;
  *type = pen->brush ? pen->brush->type : BrushTypeSolidColor;
  return Ok;
}

GpStatus GdipSetPenBrushFill(GpPen* pen, GpBrush* brush) {
  if (!pen || !brush) return InvalidParameter;
  pen->brush = std::make_unique<GpBrush>(*brush);
  pen->colour = brush->colour;
  return Ok;
}

GpStatus GdipGetPenBrushFill(GpPen* pen, GpBrush** brush) {
  if (!pen || !brush) return InvalidParameter;
  if (pen->brush) return Make(std::make_unique<GpBrush>(*pen->brush), brush);
  return GdipCreateSolidFill(pen->colour, brush);
}

GpStatus GdipSetPenColor(GpPen* pen, ARGB colour) {
  if (!pen) return InvalidParameter;
  pen->colour = colour;
  pen->brush.reset();
  return Ok;
}

GpStatus GdipGetPenColor(GpPen* pen, ARGB* colour) {
  if (!pen || !colour) return InvalidParameter;
  *colour = pen->colour;
  return Ok;
}

GpStatus GdipSetPenMode(GpPen* pen, int mode) {
  if (!pen) return InvalidParameter;
  pen->mode = mode;
  return Ok;
}

GpStatus GdipGetPenMode(GpPen* pen, int* mode) {
  if (!pen || !mode) return InvalidParameter;
  *mode = pen->mode;
  return Ok;
}

GpStatus GdipSetPenWidth(GpPen* pen, REAL width) {
  if (!pen) return InvalidParameter;
  pen->width = width;
  return Ok;
}

GpStatus GdipGetPenWidth(GpPen* pen, REAL* width) {
  if (!pen || !width) return InvalidParameter;
  *width = pen->width;
  return Ok;
}
