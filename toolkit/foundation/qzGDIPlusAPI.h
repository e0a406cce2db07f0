#pragma once
// The 2-D graphics library, loaded on first need and bound by name; the check after every call
// into it; the PNG encoder lookup; the base of its wrapper objects; and the loader that runs the
// set-up of units needing the library and their clean-ups, last registered first, before the
// library shuts down.

#include <cstddef>
#include <vector>

#include "gdi/GdiPlus.h"
#include "rtl/Object.h"
#include "rtl/Types.h"

// The library's shape and curve entry points, which the platform header leaves out.
using TGdipDrawLineI = GpStatus (*)(GpGraphics*, GpPen*, INT, INT, INT, INT);
using TGdipDrawArcI = GpStatus (*)(GpGraphics*, GpPen*, INT, INT, INT, INT, REAL, REAL);
using TGdipDrawBezierI = GpStatus (*)(GpGraphics*, GpPen*, INT, INT, INT, INT, INT, INT, INT, INT);
using TGdipDrawRectangleI = GpStatus (*)(GpGraphics*, GpPen*, INT, INT, INT, INT);
using TGdipDrawEllipseI = GpStatus (*)(GpGraphics*, GpPen*, INT, INT, INT, INT);
using TGdipDrawPieI = GpStatus (*)(GpGraphics*, GpPen*, INT, INT, INT, INT, REAL, REAL);
using TGdipDrawPolygonI = GpStatus (*)(GpGraphics*, GpPen*, const POINT*, INT);
using TGdipDrawCurve2I = GpStatus (*)(GpGraphics*, GpPen*, const POINT*, INT, REAL);
using TGdipDrawClosedCurve2I = GpStatus (*)(GpGraphics*, GpPen*, const POINT*, INT, REAL);
using TGdipFillPolygonI = GpStatus (*)(GpGraphics*, GpBrush*, const POINT*, INT, int);
using TGdipFillEllipseI = GpStatus (*)(GpGraphics*, GpBrush*, INT, INT, INT, INT);
using TGdipFillPieI = GpStatus (*)(GpGraphics*, GpBrush*, INT, INT, INT, INT, REAL, REAL);
using TGdipFillClosedCurveI = GpStatus (*)(GpGraphics*, GpBrush*, const POINT*, INT);

// Every entry point, in binding order: D for those the platform header declares, U for the rest.
#define QZ_GDIPLUS_ENTRY_POINTS(D, U)                                                                \
  D(GdipAlloc) D(GdipFree) D(GdiplusStartup) D(GdiplusShutdown) D(GdipCloneBrush) D(GdipDeleteBrush) \
  D(GdipGetBrushType) D(GdipCreateSolidFill) D(GdipSetSolidFillColor) D(GdipGetSolidFillColor)       \
  D(GdipCreateLineBrushFromRectI) D(GdipGetLineRectI) D(GdipSetLineColors) D(GdipGetLineColors)      \
  D(GdipSetLineWrapMode) D(GdipGetLineWrapMode) D(GdipCreateHatchBrush) D(GdipGetHatchStyle)         \
  D(GdipGetHatchForegroundColor) D(GdipGetHatchBackgroundColor) D(GdipCreatePen1) D(GdipCreatePen2)  \
  D(GdipClonePen) D(GdipDeletePen) D(GdipGetPenFillType) D(GdipSetPenBrushFill)                      \
  D(GdipGetPenBrushFill) D(GdipSetPenColor) D(GdipGetPenColor) D(GdipSetPenMode) D(GdipGetPenMode)   \
  D(GdipSetPenWidth) D(GdipGetPenWidth) D(GdipCreateFromHDC) D(GdipDeleteGraphics) D(GdipGetDC)      \
  D(GdipReleaseDC) D(GdipGraphicsClear) U(GdipDrawLineI) D(GdipFillRectangleI) U(GdipDrawArcI)       \
  U(GdipDrawBezierI) U(GdipDrawRectangleI) U(GdipDrawEllipseI) U(GdipDrawPieI) U(GdipDrawPolygonI)   \
  U(GdipDrawCurve2I) U(GdipDrawClosedCurve2I) U(GdipFillPolygonI) U(GdipFillEllipseI)                \
  U(GdipFillPieI) U(GdipFillClosedCurveI) D(GdipLoadImageFromStream) D(GdipCreateBitmapFromFile)     \
  D(GdipCreateBitmapFromStream) D(GdipCreateBitmapFromStreamICM) D(GdipCreateHBITMAPFromBitmap)      \
  D(GdipLoadImageFromFile) D(GdipGetImageDimension) D(GdipDrawImageRectI) D(GdipDisposeImage)        \
  D(GdipGetImageEncodersSize) D(GdipGetImageEncoders) D(GdipSaveImageToStream)                       \
  D(GdipCreateBitmapFromHBITMAP) D(GdipGetEncoderParameterListSize) D(GdipGetEncoderParameterList)   \
  D(GdipCreateBitmapFromGdiDib) D(GdipCreateBitmapFromScan0) D(GdipBitmapLockBits)                   \
  D(GdipBitmapUnlockBits) D(GdipDrawImageRectRectI) D(GdipDrawImageRectRect)                         \
  D(GdipDrawImagePointRect) D(GdipCloneImage) D(GdipSetInterpolationMode)                            \
  D(GdipGetInterpolationMode) D(GdipCreateCachedBitmap) D(GdipDeleteCachedBitmap)                    \
  D(GdipDrawCachedBitmap) D(GdipCreateBitmapFromGraphics) D(GdipGetImageGraphicsContext)             \
  D(GdipGetImageWidth) D(GdipGetImageHeight) D(GdipSetCompositingMode) D(GdipGetCompositingMode)     \
  D(GdipSetCompositingQuality) D(GdipGetCompositingQuality) D(GdipSetSmoothingMode)                  \
  D(GdipGetSmoothingMode) D(GdipCloneBitmapAreaI)

struct TqzGdiPlusEntryPoints {
#define QZ_GDIPLUS_DECLARED(Name) decltype(&::Name) Name = nullptr;
#define QZ_GDIPLUS_UNDECLARED(Name) T##Name Name = nullptr;
  QZ_GDIPLUS_ENTRY_POINTS(QZ_GDIPLUS_DECLARED, QZ_GDIPLUS_UNDECLARED)
#undef QZ_GDIPLUS_DECLARED
#undef QZ_GDIPLUS_UNDECLARED
};

// The bound entry points; valid while GdiPlusReady answers true.
const TqzGdiPlusEntryPoints& GdiPlus();

// Binds and starts the library when it is not yet ready (again at every call after a failure).
bool GdiPlusReady();
void BindGdiPlus();
void UnloadGdiPlus();

// String-table number of "Invalid operation in GDI+".
constexpr Integer sqzGdipInvalidOperation = 64800;
// EAssertionFailed with that text, naming this unit, when Condition is false.
void GpCheck(bool Condition);
void GpCheckStatus(GpStatus Status);

// 0 with ClassId set when an encoder has the MIME type (letter case aside), else 1.
Integer FindImageEncoder(const String& MimeType, CLSID& ClassId);
// Looks the PNG encoder up until it has been found.
void EnsurePngEncoderId();
const CLSID& PngEncoderId();

// Wrapper objects live in the library's own heap.
class TqzGPBase {
 public:
  virtual ~TqzGPBase() = default;
  static void* operator new(size_t Size);
  static void operator delete(void* Pointer);
};

using TqzUnitProc = void (*)();

// Runs a unit's set-up at registration and keeps its clean-up; the clean-ups still queued run,
// last registered first, when the loader finishes.
class TqzUnitsLoader : public TObject {
  TAVREN_CLASS(TqzUnitsLoader, TObject)
 public:
  ~TqzUnitsLoader() override;
  // A nil InitProc is not run; a nil FinalProc is not queued.
  void RegisterUnitProcs(TqzUnitProc InitProc, TqzUnitProc FinalProc);
  // Takes the first occurrence of FinalProc out of the queue and runs it; nothing when absent.
  void UnregisterUnitProcs(TqzUnitProc FinalProc);
  void Finalize();
  bool UnitsInitialized() const noexcept { return FUnitsInitialized; }

 private:
  std::vector<TqzUnitProc> FFinalizeList;
  bool FUnitsInitialized = false;
};

// The shared loader, made on first use.
TqzUnitsLoader* UnitsLoaderInstance();

// Unit start: registers the library's own set-up and shut-down with the loader. End: frees the
// loader, which runs the clean-ups left, the library's shut-down last.
void qzGDIPlusAPIStart();
void qzGDIPlusAPIEnd();
