#pragma once
// The 2-D graphics library's flat entry points, for the subset the system uses: bitmaps from
// pixels, streams, files and GDI bitmaps (PNG files; pixels premultiplied ARGB inside), graphics
// on a DC or on a bitmap, drawing images rect to rect with the interpolation modes (nearest,
// bilinear, high-quality bicubic), filling rectangles with solid and linear-gradient brushes,
// compositing modes, saving as PNG, HBITMAPs from bitmaps and locked pixel access. Every entry
// point the system binds by name exists; curves, pens' strokes and shapes answer NotImplemented.
// GdiPlusStart registers the library "gdiplus" for run-time binding.

#include <cstddef>

#include "rtl/WinTypes.h"

class IStream;

enum GpStatus : int {
  Ok = 0,
  GenericError = 1,
  InvalidParameter = 2,
  OutOfMemory = 3,
  ObjectBusy = 4,
  InsufficientBuffer = 5,
  NotImplemented = 6,
  Win32Error = 7,
  WrongState = 8,
  Aborted = 9,
  FileNotFound = 10,
  ValueOverflow = 11,
  AccessDenied = 12,
  UnknownImageFormat = 13,
  FontFamilyNotFound = 14,
  FontStyleNotFound = 15,
  NotTrueTypeFont = 16,
  UnsupportedGdiplusVersion = 17,
  GdiplusNotInitialized = 18,
  PropertyNotFound = 19,
  PropertyNotSupported = 20,
};

using REAL = float;
using ARGB = DWORD;
using PixelFormat = INT;
using GpUnit = int;
using WCHAR = char16_t;

constexpr PixelFormat PixelFormat24bppRGB = 0x00021808;
constexpr PixelFormat PixelFormat32bppRGB = 0x00022009;
constexpr PixelFormat PixelFormat32bppARGB = 0x0026200A;
constexpr PixelFormat PixelFormat32bppPARGB = 0x000E200B;

constexpr GpUnit UnitWorld = 0;
constexpr GpUnit UnitDisplay = 1;
constexpr GpUnit UnitPixel = 2;

enum InterpolationMode : int {
  InterpolationModeInvalid = -1,
  InterpolationModeDefault = 0,
  InterpolationModeLowQuality = 1,
  InterpolationModeHighQuality = 2,
  InterpolationModeBilinear = 3,
  InterpolationModeBicubic = 4,
  InterpolationModeNearestNeighbor = 5,
  InterpolationModeHighQualityBilinear = 6,
  InterpolationModeHighQualityBicubic = 7,
};
enum CompositingMode : int { CompositingModeSourceOver = 0, CompositingModeSourceCopy = 1 };
enum LinearGradientMode : int {
  LinearGradientModeHorizontal = 0,
  LinearGradientModeVertical = 1,
  LinearGradientModeForwardDiagonal = 2,
  LinearGradientModeBackwardDiagonal = 3,
};
enum GpWrapMode : int { WrapModeTile = 0, WrapModeTileFlipX = 1, WrapModeTileFlipY = 2, WrapModeTileFlipXY = 3, WrapModeClamp = 4 };
enum GpBrushType : int { BrushTypeSolidColor = 0, BrushTypeHatchFill = 1, BrushTypeTextureFill = 2,
                         BrushTypePathGradient = 3, BrushTypeLinearGradient = 4 };

constexpr UINT ImageLockModeRead = 1;
constexpr UINT ImageLockModeWrite = 2;
constexpr UINT ImageLockModeUserInputBuf = 4;

struct GUID {
  DWORD Data1 = 0;
  WORD Data2 = 0;
  WORD Data3 = 0;
  BYTE Data4[8] = {};
  friend bool operator==(const GUID&, const GUID&) = default;
};
using CLSID = GUID;

struct GpRect {
  INT X = 0;
  INT Y = 0;
  INT Width = 0;
  INT Height = 0;
};

struct BitmapData {
  UINT Width = 0;
  UINT Height = 0;
  INT Stride = 0;
  ::PixelFormat PixelFormat = 0;
  void* Scan0 = nullptr;
  UINT_PTR Reserved = 0;
};

struct ImageCodecInfo {
  CLSID Clsid;
  GUID FormatID;
  const WCHAR* CodecName = nullptr;
  const WCHAR* DllName = nullptr;
  const WCHAR* FormatDescription = nullptr;
  const WCHAR* FilenameExtension = nullptr;
  const WCHAR* MimeType = nullptr;
  DWORD Flags = 0;
  DWORD Version = 0;
  DWORD SigCount = 0;
  DWORD SigSize = 0;
  const BYTE* SigPattern = nullptr;
  const BYTE* SigMask = nullptr;
};

struct EncoderParameters;

using NotificationHookProc = GpStatus (*)(ULONG_PTR* token);
using NotificationUnhookProc = void (*)(ULONG_PTR token);

struct GdiplusStartupInput {
  UINT GdiplusVersion = 1;
  void* DebugEventCallback = nullptr;
  BOOL SuppressBackgroundThread = FALSE;
  BOOL SuppressExternalCodecs = FALSE;
};

struct GdiplusStartupOutput {
  NotificationHookProc NotificationHook = nullptr;
  NotificationUnhookProc NotificationUnhook = nullptr;
};

// The library's objects; a bitmap is an image, and every brush kind is a brush.
struct GpImage;
using GpBitmap = GpImage;
struct GpGraphics;
struct GpBrush;
using GpSolidFill = GpBrush;
using GpLineGradient = GpBrush;
using GpHatch = GpBrush;
struct GpPen;
struct GpCachedBitmap;
struct GpImageAttributes;
using DrawImageAbort = BOOL (*)(void*);

// Start-up and the heap of wrapper objects.
GpStatus GdiplusStartup(ULONG_PTR* token, const GdiplusStartupInput* input, GdiplusStartupOutput* output);
void GdiplusShutdown(ULONG_PTR token);
void* GdipAlloc(size_t size);
void GdipFree(void* pointer);

// Images.
GpStatus GdipCreateBitmapFromScan0(INT width, INT height, INT stride, PixelFormat format, BYTE* scan0,
                                   GpBitmap** bitmap);
GpStatus GdipCreateBitmapFromStream(IStream* stream, GpBitmap** bitmap);
GpStatus GdipCreateBitmapFromStreamICM(IStream* stream, GpBitmap** bitmap);
GpStatus GdipLoadImageFromStream(IStream* stream, GpImage** image);
GpStatus GdipCreateBitmapFromFile(const WCHAR* fileName, GpBitmap** bitmap);
GpStatus GdipLoadImageFromFile(const WCHAR* fileName, GpImage** image);
GpStatus GdipCreateBitmapFromHBITMAP(HBITMAP source, HPALETTE palette, GpBitmap** bitmap);
GpStatus GdipCreateBitmapFromGdiDib(const void* info, void* bits, GpBitmap** bitmap);
GpStatus GdipCreateBitmapFromGraphics(INT width, INT height, GpGraphics* graphics, GpBitmap** bitmap);
GpStatus GdipCreateHBITMAPFromBitmap(GpBitmap* bitmap, HBITMAP* result, ARGB background);
GpStatus GdipCloneImage(GpImage* image, GpImage** clone);
GpStatus GdipCloneBitmapAreaI(INT x, INT y, INT width, INT height, PixelFormat format, GpBitmap* source,
                              GpBitmap** clone);
GpStatus GdipDisposeImage(GpImage* image);
GpStatus GdipGetImageDimension(GpImage* image, REAL* width, REAL* height);
GpStatus GdipGetImageWidth(GpImage* image, UINT* width);
GpStatus GdipGetImageHeight(GpImage* image, UINT* height);
GpStatus GdipGetImagePixelFormat(GpImage* image, PixelFormat* format);
GpStatus GdipBitmapLockBits(GpBitmap* bitmap, const GpRect* rect, UINT flags, PixelFormat format, BitmapData* data);
GpStatus GdipBitmapUnlockBits(GpBitmap* bitmap, BitmapData* data);
GpStatus GdipGetImageEncodersSize(UINT* count, UINT* size);
GpStatus GdipGetImageEncoders(UINT count, UINT size, ImageCodecInfo* encoders);
GpStatus GdipGetEncoderParameterListSize(GpImage* image, const CLSID* encoder, UINT* size);
GpStatus GdipGetEncoderParameterList(GpImage* image, const CLSID* encoder, UINT size, EncoderParameters* list);
GpStatus GdipSaveImageToStream(GpImage* image, IStream* stream, const CLSID* encoder, const EncoderParameters* params);
GpStatus GdipCreateCachedBitmap(GpBitmap* bitmap, GpGraphics* graphics, GpCachedBitmap** cached);
GpStatus GdipDeleteCachedBitmap(GpCachedBitmap* cached);

// Graphics.
GpStatus GdipCreateFromHDC(HDC dc, GpGraphics** graphics);
GpStatus GdipGetImageGraphicsContext(GpImage* image, GpGraphics** graphics);
GpStatus GdipDeleteGraphics(GpGraphics* graphics);
GpStatus GdipGetDC(GpGraphics* graphics, HDC* dc);
GpStatus GdipReleaseDC(GpGraphics* graphics, HDC dc);
GpStatus GdipGraphicsClear(GpGraphics* graphics, ARGB colour);
GpStatus GdipSetInterpolationMode(GpGraphics* graphics, InterpolationMode mode);
GpStatus GdipGetInterpolationMode(GpGraphics* graphics, InterpolationMode* mode);
GpStatus GdipSetCompositingMode(GpGraphics* graphics, CompositingMode mode);
GpStatus GdipGetCompositingMode(GpGraphics* graphics, CompositingMode* mode);
GpStatus GdipSetCompositingQuality(GpGraphics* graphics, int quality);
GpStatus GdipGetCompositingQuality(GpGraphics* graphics, int* quality);
GpStatus GdipSetSmoothingMode(GpGraphics* graphics, int mode);
GpStatus GdipGetSmoothingMode(GpGraphics* graphics, int* mode);
GpStatus GdipSetPixelOffsetMode(GpGraphics* graphics, int mode);
GpStatus GdipGetPixelOffsetMode(GpGraphics* graphics, int* mode);
GpStatus GdipDrawImageRectRect(GpGraphics* graphics, GpImage* image, REAL dstX, REAL dstY, REAL dstWidth,
                               REAL dstHeight, REAL srcX, REAL srcY, REAL srcWidth, REAL srcHeight, GpUnit srcUnit,
                               const GpImageAttributes* attributes, DrawImageAbort callback, void* callbackData);
GpStatus GdipDrawImageRectRectI(GpGraphics* graphics, GpImage* image, INT dstX, INT dstY, INT dstWidth, INT dstHeight,
                                INT srcX, INT srcY, INT srcWidth, INT srcHeight, GpUnit srcUnit,
                                const GpImageAttributes* attributes, DrawImageAbort callback, void* callbackData);
GpStatus GdipDrawImageRectI(GpGraphics* graphics, GpImage* image, INT x, INT y, INT width, INT height);
GpStatus GdipDrawImagePointRect(GpGraphics* graphics, GpImage* image, REAL x, REAL y, REAL srcX, REAL srcY,
                                REAL srcWidth, REAL srcHeight, GpUnit srcUnit);
GpStatus GdipDrawCachedBitmap(GpGraphics* graphics, GpCachedBitmap* cached, INT x, INT y);
GpStatus GdipFillRectangleI(GpGraphics* graphics, GpBrush* brush, INT x, INT y, INT width, INT height);

// Brushes.
GpStatus GdipCreateSolidFill(ARGB colour, GpSolidFill** brush);
GpStatus GdipSetSolidFillColor(GpSolidFill* brush, ARGB colour);
GpStatus GdipGetSolidFillColor(GpSolidFill* brush, ARGB* colour);
GpStatus GdipCreateLineBrushFromRectI(const GpRect* rect, ARGB colour1, ARGB colour2, LinearGradientMode mode,
                                      GpWrapMode wrapMode, GpLineGradient** brush);
GpStatus GdipGetLineRectI(GpLineGradient* brush, GpRect* rect);
GpStatus GdipSetLineColors(GpLineGradient* brush, ARGB colour1, ARGB colour2);
GpStatus GdipGetLineColors(GpLineGradient* brush, ARGB* colours);
GpStatus GdipSetLineWrapMode(GpLineGradient* brush, GpWrapMode wrapMode);
GpStatus GdipGetLineWrapMode(GpLineGradient* brush, GpWrapMode* wrapMode);
GpStatus GdipCreateHatchBrush(int style, ARGB foreground, ARGB background, GpHatch** brush);
GpStatus GdipGetHatchStyle(GpHatch* brush, int* style);
GpStatus GdipGetHatchForegroundColor(GpHatch* brush, ARGB* colour);
GpStatus GdipGetHatchBackgroundColor(GpHatch* brush, ARGB* colour);
GpStatus GdipCloneBrush(GpBrush* brush, GpBrush** clone);
GpStatus GdipDeleteBrush(GpBrush* brush);
GpStatus GdipGetBrushType(GpBrush* brush, GpBrushType* type);

// Pens (kept as records; stroking is not part of the subset).
GpStatus GdipCreatePen1(ARGB colour, REAL width, GpUnit unit, GpPen** pen);
GpStatus GdipCreatePen2(GpBrush* brush, REAL width, GpUnit unit, GpPen** pen);
GpStatus GdipClonePen(GpPen* pen, GpPen** clone);
GpStatus GdipDeletePen(GpPen* pen);
GpStatus GdipGetPenFillType(GpPen* pen, int* type);
GpStatus GdipSetPenBrushFill(GpPen* pen, GpBrush* brush);
GpStatus GdipGetPenBrushFill(GpPen* pen, GpBrush** brush);
GpStatus GdipSetPenColor(GpPen* pen, ARGB colour);
GpStatus GdipGetPenColor(GpPen* pen, ARGB* colour);
GpStatus GdipSetPenMode(GpPen* pen, int mode);
GpStatus GdipGetPenMode(GpPen* pen, int* mode);
GpStatus GdipSetPenWidth(GpPen* pen, REAL width);
GpStatus GdipGetPenWidth(GpPen* pen, REAL* width);

// Unit start: registers the library "gdiplus" for run-time binding.
void GdiPlusStart();
