#include <cstdlib>

#include "gdi/GdiPlusObjects.h"
#include "gdi/Modules.h"

namespace {

int startups = 0;

GpStatus NotificationHook(ULONG_PTR* token) {
  if (!token) return InvalidParameter;
  *token = 1;
  return Ok;
}

void NotificationUnhook(ULONG_PTR) {}

// Strokes, curves and shapes are bound by the system but never drawn by it.
GpStatus GdipDrawLineI(GpGraphics*, GpPen*, INT, INT, INT, INT) { return NotImplemented; }
GpStatus GdipDrawArcI(GpGraphics*, GpPen*, INT, INT, INT, INT, REAL, REAL) { return NotImplemented; }
GpStatus GdipDrawBezierI(GpGraphics*, GpPen*, INT, INT, INT, INT, INT, INT, INT, INT) { return NotImplemented; }
GpStatus GdipDrawRectangleI(GpGraphics*, GpPen*, INT, INT, INT, INT) { return NotImplemented; }
GpStatus GdipDrawEllipseI(GpGraphics*, GpPen*, INT, INT, INT, INT) { return NotImplemented; }
GpStatus GdipDrawPieI(GpGraphics*, GpPen*, INT, INT, INT, INT, REAL, REAL) { return NotImplemented; }
GpStatus GdipDrawPolygonI(GpGraphics*, GpPen*, const POINT*, INT) { return NotImplemented; }
GpStatus GdipDrawCurve2I(GpGraphics*, GpPen*, const POINT*, INT, REAL) { return NotImplemented; }
GpStatus GdipDrawClosedCurve2I(GpGraphics*, GpPen*, const POINT*, INT, REAL) { return NotImplemented; }
GpStatus GdipFillPolygonI(GpGraphics*, GpBrush*, const POINT*, INT, int) { return NotImplemented; }
GpStatus GdipFillEllipseI(GpGraphics*, GpBrush*, INT, INT, INT, INT) { return NotImplemented; }
GpStatus GdipFillPieI(GpGraphics*, GpBrush*, INT, INT, INT, INT, REAL, REAL) { return NotImplemented; }
GpStatus GdipFillClosedCurveI(GpGraphics*, GpBrush*, const POINT*, INT) { return NotImplemented; }

}  // namespace

GpStatus GdiplusStartup(ULONG_PTR* token, const GdiplusStartupInput* input, GdiplusStartupOutput* output) {
  if (!token || !input) return InvalidParameter;
  if (input->GdiplusVersion != 1) return UnsupportedGdiplusVersion;
  if (input->SuppressBackgroundThread) {
    // The caller then drives the library's notifications itself.
    if (!output) return InvalidParameter;
    output->NotificationHook = &NotificationHook;
    output->NotificationUnhook = &NotificationUnhook;
  }
  *token = static_cast<ULONG_PTR>(++startups);
  return Ok;
}

void GdiplusShutdown(ULONG_PTR) {
  if (startups > 0) --startups;
}

void* GdipAlloc(size_t size) { return std::malloc(size == 0 ? 1 : size); }

void GdipFree(void* pointer) { std::free(pointer); }

void GdiPlusStart() {
  static const ModuleExport kExports[] = {
      {"GdipAlloc", ExportOf(&GdipAlloc)},
      {"GdipFree", ExportOf(&GdipFree)},
      {"GdiplusStartup", ExportOf(&GdiplusStartup)},
      {"GdiplusShutdown", ExportOf(&GdiplusShutdown)},
      {"GdipCloneBrush", ExportOf(&GdipCloneBrush)},
      {"GdipDeleteBrush", ExportOf(&GdipDeleteBrush)},
      {"GdipGetBrushType", ExportOf(&GdipGetBrushType)},
      {"GdipCreateSolidFill", ExportOf(&GdipCreateSolidFill)},
      {"GdipSetSolidFillColor", ExportOf(&GdipSetSolidFillColor)},
      {"GdipGetSolidFillColor", ExportOf(&GdipGetSolidFillColor)},
      {"GdipCreateLineBrushFromRectI", ExportOf(&GdipCreateLineBrushFromRectI)},
      {"GdipGetLineRectI", ExportOf(&GdipGetLineRectI)},
      {"GdipSetLineColors", ExportOf(&GdipSetLineColors)},
      {"GdipGetLineColors", ExportOf(&GdipGetLineColors)},
      {"GdipSetLineWrapMode", ExportOf(&GdipSetLineWrapMode)},
      {"GdipGetLineWrapMode", ExportOf(&GdipGetLineWrapMode)},
      {"GdipCreateHatchBrush", ExportOf(&GdipCreateHatchBrush)},
      {"GdipGetHatchStyle", ExportOf(&GdipGetHatchStyle)},
      {"GdipGetHatchForegroundColor", ExportOf(&GdipGetHatchForegroundColor)},
      {"GdipGetHatchBackgroundColor", ExportOf(&GdipGetHatchBackgroundColor)},
      {"GdipCreatePen1", ExportOf(&GdipCreatePen1)},
      {"GdipCreatePen2", ExportOf(&GdipCreatePen2)},
      {"GdipClonePen", ExportOf(&GdipClonePen)},
      {"GdipDeletePen", ExportOf(&GdipDeletePen)},
      {"GdipGetPenFillType", ExportOf(&GdipGetPenFillType)},
      {"GdipSetPenBrushFill", ExportOf(&GdipSetPenBrushFill)},
      {"GdipGetPenBrushFill", ExportOf(&GdipGetPenBrushFill)},
      {"GdipSetPenColor", ExportOf(&GdipSetPenColor)},
      {"GdipGetPenColor", ExportOf(&GdipGetPenColor)},
      {"GdipSetPenMode", ExportOf(&GdipSetPenMode)},
      {"GdipGetPenMode", ExportOf(&GdipGetPenMode)},
      {"GdipSetPenWidth", ExportOf(&GdipSetPenWidth)},
      {"GdipGetPenWidth", ExportOf(&GdipGetPenWidth)},
      {"GdipCreateFromHDC", ExportOf(&GdipCreateFromHDC)},
      {"GdipDeleteGraphics", ExportOf(&GdipDeleteGraphics)},
      {"GdipGetDC", ExportOf(&GdipGetDC)},
      {"GdipReleaseDC", ExportOf(&GdipReleaseDC)},
      {"GdipGraphicsClear", ExportOf(&GdipGraphicsClear)},
      {"GdipDrawLineI", ExportOf(&GdipDrawLineI)},
      {"GdipFillRectangleI", ExportOf(&GdipFillRectangleI)},
      {"GdipDrawArcI", ExportOf(&GdipDrawArcI)},
      {"GdipDrawBezierI", ExportOf(&GdipDrawBezierI)},
      {"GdipDrawRectangleI", ExportOf(&GdipDrawRectangleI)},
      {"GdipDrawEllipseI", ExportOf(&GdipDrawEllipseI)},
      {"GdipDrawPieI", ExportOf(&GdipDrawPieI)},
      {"GdipDrawPolygonI", ExportOf(&GdipDrawPolygonI)},
      {"GdipDrawCurve2I", ExportOf(&GdipDrawCurve2I)},
      {"GdipDrawClosedCurve2I", ExportOf(&GdipDrawClosedCurve2I)},
      {"GdipFillPolygonI", ExportOf(&GdipFillPolygonI)},
      {"GdipFillEllipseI", ExportOf(&GdipFillEllipseI)},
      {"GdipFillPieI", ExportOf(&GdipFillPieI)},
      {"GdipFillClosedCurveI", ExportOf(&GdipFillClosedCurveI)},
      {"GdipLoadImageFromStream", ExportOf(&GdipLoadImageFromStream)},
      {"GdipCreateBitmapFromFile", ExportOf(&GdipCreateBitmapFromFile)},
      {"GdipCreateBitmapFromStream", ExportOf(&GdipCreateBitmapFromStream)},
      {"GdipCreateBitmapFromStreamICM", ExportOf(&GdipCreateBitmapFromStreamICM)},
      {"GdipCreateHBITMAPFromBitmap", ExportOf(&GdipCreateHBITMAPFromBitmap)},
      {"GdipLoadImageFromFile", ExportOf(&GdipLoadImageFromFile)},
      {"GdipGetImageDimension", ExportOf(&GdipGetImageDimension)},
      {"GdipDrawImageRectI", ExportOf(&GdipDrawImageRectI)},
      {"GdipDisposeImage", ExportOf(&GdipDisposeImage)},
      {"GdipGetImageEncodersSize", ExportOf(&GdipGetImageEncodersSize)},
      {"GdipGetImageEncoders", ExportOf(&GdipGetImageEncoders)},
      {"GdipSaveImageToStream", ExportOf(&GdipSaveImageToStream)},
      {"GdipCreateBitmapFromHBITMAP", ExportOf(&GdipCreateBitmapFromHBITMAP)},
      {"GdipGetEncoderParameterListSize", ExportOf(&GdipGetEncoderParameterListSize)},
      {"GdipGetEncoderParameterList", ExportOf(&GdipGetEncoderParameterList)},
      {"GdipCreateBitmapFromGdiDib", ExportOf(&GdipCreateBitmapFromGdiDib)},
      {"GdipCreateBitmapFromScan0", ExportOf(&GdipCreateBitmapFromScan0)},
      {"GdipBitmapLockBits", ExportOf(&GdipBitmapLockBits)},
      {"GdipBitmapUnlockBits", ExportOf(&GdipBitmapUnlockBits)},
      {"GdipDrawImageRectRectI", ExportOf(&GdipDrawImageRectRectI)},
      {"GdipDrawImageRectRect", ExportOf(&GdipDrawImageRectRect)},
      {"GdipDrawImagePointRect", ExportOf(&GdipDrawImagePointRect)},
      {"GdipCloneImage", ExportOf(&GdipCloneImage)},
      {"GdipSetInterpolationMode", ExportOf(&GdipSetInterpolationMode)},
      {"GdipGetInterpolationMode", ExportOf(&GdipGetInterpolationMode)},
      {"GdipCreateCachedBitmap", ExportOf(&GdipCreateCachedBitmap)},
      {"GdipDeleteCachedBitmap", ExportOf(&GdipDeleteCachedBitmap)},
      {"GdipDrawCachedBitmap", ExportOf(&GdipDrawCachedBitmap)},
      {"GdipCreateBitmapFromGraphics", ExportOf(&GdipCreateBitmapFromGraphics)},
      {"GdipGetImageGraphicsContext", ExportOf(&GdipGetImageGraphicsContext)},
      {"GdipGetImageWidth", ExportOf(&GdipGetImageWidth)},
      {"GdipGetImageHeight", ExportOf(&GdipGetImageHeight)},
      {"GdipGetImagePixelFormat", ExportOf(&GdipGetImagePixelFormat)},
      {"GdipSetCompositingMode", ExportOf(&GdipSetCompositingMode)},
      {"GdipGetCompositingMode", ExportOf(&GdipGetCompositingMode)},
      {"GdipSetCompositingQuality", ExportOf(&GdipSetCompositingQuality)},
      {"GdipGetCompositingQuality", ExportOf(&GdipGetCompositingQuality)},
      {"GdipSetSmoothingMode", ExportOf(&GdipSetSmoothingMode)},
      {"GdipGetSmoothingMode", ExportOf(&GdipGetSmoothingMode)},
      {"GdipSetPixelOffsetMode", ExportOf(&GdipSetPixelOffsetMode)},
      {"GdipGetPixelOffsetMode", ExportOf(&GdipGetPixelOffsetMode)},
      {"GdipCloneBitmapAreaI", ExportOf(&GdipCloneBitmapAreaI)},
  };
  RegisterModule("gdiplus", kExports);
}
