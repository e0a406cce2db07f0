#include <gtest/gtest.h>

#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "TextCanvas.h"
#include "gdi/GdiPlus.h"
#include "gdi/Modules.h"
#include "rtl/Streams.h"

namespace {

// An IStream over a memory stream, held for the test's length.
class MemoryIStream {
 public:
  MemoryIStream() : adapter_(new TStreamAdapter(&memory_)) { adapter_->_AddRef(); }
  ~MemoryIStream() { adapter_->_Release(); }
  IStream* get() { return adapter_; }
  TMemoryStream& memory() { return memory_; }

 private:
  TMemoryStream memory_;
  TStreamAdapter* adapter_;
};

CLSID PngEncoder() {
  UINT count = 0, size = 0;
  EXPECT_EQ(GdipGetImageEncodersSize(&count, &size), Ok);
  std::vector<BYTE> table(size);
  auto* codecs = reinterpret_cast<ImageCodecInfo*>(table.data());
  EXPECT_EQ(GdipGetImageEncoders(count, size, codecs), Ok);
  for (UINT i = 0; i < count; ++i) {
    if (std::u16string_view(codecs[i].MimeType) == u"image/png") return codecs[i].Clsid;
  }
  ADD_FAILURE() << "no PNG encoder";
  return {};
}

std::vector<uint32_t> Pixels(GpBitmap* bitmap, PixelFormat format = PixelFormat32bppPARGB) {
  UINT width = 0, height = 0;
  GdipGetImageWidth(bitmap, &width);
  GdipGetImageHeight(bitmap, &height);
  BitmapData data;
  EXPECT_EQ(GdipBitmapLockBits(bitmap, nullptr, ImageLockModeRead, format, &data), Ok);
  std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
  for (UINT y = 0; y < height; ++y) {
    std::memcpy(pixels.data() + y * width, static_cast<BYTE*>(data.Scan0) + static_cast<ptrdiff_t>(y) * data.Stride,
                width * 4);
  }
  EXPECT_EQ(GdipBitmapUnlockBits(bitmap, &data), Ok);
  return pixels;
}

TEST(GdiPlus, StartsAndBindsEveryEntryPointByName) {
  GdiplusStartupInput input;
  input.SuppressBackgroundThread = TRUE;
  GdiplusStartupOutput output;
  ULONG_PTR token = 0;
  ASSERT_EQ(GdiplusStartup(&token, &input, &output), Ok);
  ASSERT_NE(output.NotificationHook, nullptr);
  ULONG_PTR hookToken = 0;
  EXPECT_EQ(output.NotificationHook(&hookToken), Ok);
  output.NotificationUnhook(hookToken);
  GdiplusShutdown(token);
  input.GdiplusVersion = 2;
  EXPECT_EQ(GdiplusStartup(&token, &input, &output), UnsupportedGdiplusVersion);

  const char* kNames =
      "GdipAlloc GdipFree GdiplusStartup GdiplusShutdown GdipCloneBrush GdipDeleteBrush GdipGetBrushType "
      "GdipCreateSolidFill GdipSetSolidFillColor GdipGetSolidFillColor GdipCreateLineBrushFromRectI GdipGetLineRectI "
      "GdipSetLineColors GdipGetLineColors GdipSetLineWrapMode GdipGetLineWrapMode GdipCreateHatchBrush "
      "GdipGetHatchStyle GdipGetHatchForegroundColor GdipGetHatchBackgroundColor GdipCreatePen1 GdipCreatePen2 "
      "GdipClonePen GdipDeletePen GdipGetPenFillType GdipSetPenBrushFill GdipGetPenBrushFill GdipSetPenColor "
      "GdipGetPenColor GdipSetPenMode GdipGetPenMode GdipSetPenWidth GdipGetPenWidth GdipCreateFromHDC "
      "GdipDeleteGraphics GdipGetDC GdipReleaseDC GdipGraphicsClear GdipDrawLineI GdipFillRectangleI GdipDrawArcI "
      "GdipDrawBezierI GdipDrawRectangleI GdipDrawEllipseI GdipDrawPieI GdipDrawPolygonI GdipDrawCurve2I "
      "GdipDrawClosedCurve2I GdipFillPolygonI GdipFillEllipseI GdipFillPieI GdipFillClosedCurveI "
      "GdipLoadImageFromStream GdipCreateBitmapFromFile GdipCreateBitmapFromStream GdipCreateBitmapFromStreamICM "
      "GdipCreateHBITMAPFromBitmap GdipLoadImageFromFile GdipGetImageDimension GdipDrawImageRectI GdipDisposeImage "
      "GdipGetImageEncodersSize GdipGetImageEncoders GdipSaveImageToStream GdipCreateBitmapFromHBITMAP "
      "GdipGetEncoderParameterListSize GdipGetEncoderParameterList GdipCreateBitmapFromGdiDib "
      "GdipCreateBitmapFromScan0 GdipBitmapLockBits GdipBitmapUnlockBits GdipDrawImageRectRectI "
      "GdipDrawImageRectRect GdipDrawImagePointRect GdipCloneImage GdipSetInterpolationMode "
      "GdipGetInterpolationMode GdipCreateCachedBitmap GdipDeleteCachedBitmap GdipDrawCachedBitmap "
      "GdipCreateBitmapFromGraphics GdipGetImageGraphicsContext GdipGetImageWidth GdipGetImageHeight "
      "GdipSetCompositingMode GdipGetCompositingMode GdipSetCompositingQuality GdipGetCompositingQuality "
      "GdipSetSmoothingMode GdipGetSmoothingMode GdipCloneBitmapAreaI";
  HMODULE library = LoadLibrary("gdiplus.dll");
  ASSERT_NE(library, nullptr);
  std::istringstream names(kNames);
  std::string name;
  int bound = 0;
  while (names >> name) {
    EXPECT_NE(GetProcAddress(library, name.c_str()), nullptr) << name;
    ++bound;
  }
  EXPECT_EQ(bound, 91);
  FreeLibrary(library);
}

TEST(GdiPlus, PngRoundTripKeepsAlpha) {
  // Premultiplied: opaque red, half-transparent green, transparent, opaque white.
  std::vector<uint32_t> bits = {0xFFFF0000, 0x80008000, 0x00000000, 0xFFFFFFFF};
  GpBitmap* bitmap = nullptr;
  ASSERT_EQ(GdipCreateBitmapFromScan0(2, 2, 8, PixelFormat32bppPARGB, reinterpret_cast<BYTE*>(bits.data()), &bitmap), Ok);
  MemoryIStream stream;
  CLSID png = PngEncoder();
  ASSERT_EQ(GdipSaveImageToStream(bitmap, stream.get(), &png, nullptr), Ok);
  GdipDisposeImage(bitmap);
  EXPECT_GT(stream.memory().GetSize(), 8);

  stream.memory().SetPosition(0);
  GpBitmap* loaded = nullptr;
  ASSERT_EQ(GdipCreateBitmapFromStream(stream.get(), &loaded), Ok);
  REAL width = 0, height = 0;
  GdipGetImageDimension(loaded, &width, &height);
  EXPECT_EQ(width, 2.0f);
  EXPECT_EQ(height, 2.0f);
  EXPECT_EQ(Pixels(loaded), bits);
  // The same pixels with straight alpha.
  EXPECT_EQ(Pixels(loaded, PixelFormat32bppARGB)[1], 0x8000FF00u);
  GdipDisposeImage(loaded);
}

TEST(GdiPlus, DamagedOrForeignStreamsLoadNothing) {
  std::vector<uint32_t> bits(16, 0xFF336699);
  GpBitmap* bitmap = nullptr;
  GdipCreateBitmapFromScan0(4, 4, 16, PixelFormat32bppPARGB, reinterpret_cast<BYTE*>(bits.data()), &bitmap);
  MemoryIStream whole;
  CLSID png = PngEncoder();
  ASSERT_EQ(GdipSaveImageToStream(bitmap, whole.get(), &png, nullptr), Ok);
  GdipDisposeImage(bitmap);

  auto* bytes = static_cast<const char*>(whole.memory().GetMemory());
  MemoryIStream truncated;
  truncated.memory().Write(bytes, static_cast<Integer>(whole.memory().GetSize() / 2));
  truncated.memory().SetPosition(0);
  GpBitmap* loaded = reinterpret_cast<GpBitmap*>(1);
  EXPECT_NE(GdipCreateBitmapFromStream(truncated.get(), &loaded), Ok);

  MemoryIStream foreign;
  foreign.memory().Write("GIF89a not a png", 16);
  foreign.memory().SetPosition(0);
  EXPECT_EQ(GdipCreateBitmapFromStream(foreign.get(), &loaded), UnknownImageFormat);

  CLSID other{};
  MemoryIStream out;
  GdipCreateBitmapFromScan0(1, 1, 4, PixelFormat32bppPARGB, nullptr, &bitmap);
  EXPECT_NE(GdipSaveImageToStream(bitmap, out.get(), &other, nullptr), Ok);
  GdipDisposeImage(bitmap);
}

struct DrawCase {
  const char* name;
  InterpolationMode mode;
};

TEST(GdiPlus, DrawImageScalesIntoTheDc) {
  // 2 x 2 opaque picture: red, green / blue, black.
  std::vector<uint32_t> bits = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFF000000};
  GpBitmap* bitmap = nullptr;
  GdipCreateBitmapFromScan0(2, 2, 8, PixelFormat32bppPARGB, reinterpret_cast<BYTE*>(bits.data()), &bitmap);
  TextCanvas canvas(16, 16);
  GpGraphics* graphics = nullptr;
  ASSERT_EQ(GdipCreateFromHDC(canvas.dc(), &graphics), Ok);
  GdipSetInterpolationMode(graphics, InterpolationModeNearestNeighbor);
  ASSERT_EQ(GdipDrawImageRectRectI(graphics, bitmap, 4, 4, 8, 8, 0, 0, 2, 2, UnitPixel, nullptr, nullptr, nullptr), Ok);
  EXPECT_EQ(canvas.Ink(), (RECT{4, 4, 12, 12}));
  EXPECT_EQ(canvas.Pixel(4, 4), 0xFF0000u);
  EXPECT_EQ(canvas.Pixel(11, 4), 0x00FF00u);
  EXPECT_EQ(canvas.Pixel(4, 11), 0x0000FFu);
  EXPECT_EQ(canvas.Pixel(11, 11), 0x000000u);

  // The viewport origin moves the picture and the clip cuts it.
  canvas.Clear();
  SetViewportOrgEx(canvas.dc(), 2, 3, nullptr);
  IntersectClipRect(canvas.dc(), 0, 0, 4, 16);
  GdipDrawImageRectI(graphics, bitmap, 0, 0, 8, 8);
  EXPECT_EQ(canvas.Ink(), (RECT{2, 3, 6, 11}));
  GdipDeleteGraphics(graphics);
  GdipDisposeImage(bitmap);
}

// A DC over a bitmap of another format than 32 bits takes the picture in its own format, inside
// its clip only: a 24-bit DIB keeps the colours, a monochrome bitmap the nearest of its two.
TEST(GdiPlus, DrawImageReachesDcsOfOtherFormats) {
  std::vector<uint32_t> bits = {0xFFFFFFFF, 0xFF000000, 0xFF0000FF, 0xFFFF0000};
  GpBitmap* bitmap = nullptr;
  GdipCreateBitmapFromScan0(2, 2, 8, PixelFormat32bppPARGB, reinterpret_cast<BYTE*>(bits.data()), &bitmap);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = 16;
  info.bmiHeader.biHeight = -16;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  void* dibBits = nullptr;
  struct Case {
    const char* what;
    HBITMAP target;
    COLORREF background, bottomLeft;
  } cases[] = {
      {"24-bit", CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &dibBits, nullptr, 0), RGB(0, 128, 0), RGB(0, 0, 255)},
      {"monochrome", CreateBitmap(16, 16, 1, 1, nullptr), RGB(0, 0, 0), RGB(0, 0, 0)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, c.target);
    RECT all{0, 0, 16, 16};
    HBRUSH brush = CreateSolidBrush(c.background);
    FillRect(dc, &all, brush);
    DeleteObject(brush);
    IntersectClipRect(dc, 0, 0, 8, 16);
    GpGraphics* graphics = nullptr;
    ASSERT_EQ(GdipCreateFromHDC(dc, &graphics), Ok);
    GdipSetInterpolationMode(graphics, InterpolationModeNearestNeighbor);
    EXPECT_EQ(GdipDrawImageRectRectI(graphics, bitmap, 4, 4, 8, 8, 0, 0, 2, 2, UnitPixel, nullptr, nullptr, nullptr), Ok);
    GdipDeleteGraphics(graphics);
    SelectClipRgn(dc, nullptr);
    EXPECT_EQ(GetPixel(dc, 5, 5), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(dc, 5, 10), c.bottomLeft);
    EXPECT_EQ(GetPixel(dc, 10, 5), c.background) << "outside the clip";
    EXPECT_EQ(GetPixel(dc, 1, 1), c.background) << "outside the picture";
    SelectObject(dc, old);
    DeleteObject(c.target);
    DeleteDC(dc);
  }
  GdipDisposeImage(bitmap);
}

TEST(GdiPlus, EnlargingWithTheSourceShrunkByOneCoversTheDestination) {
  std::vector<uint32_t> bits(16 * 16, 0xFF204060);
  GpBitmap* bitmap = nullptr;
  GdipCreateBitmapFromScan0(16, 16, 64, PixelFormat32bppPARGB, reinterpret_cast<BYTE*>(bits.data()), &bitmap);
  for (InterpolationMode mode : {InterpolationModeNearestNeighbor, InterpolationModeBilinear,
                                 InterpolationModeHighQualityBicubic}) {
    SCOPED_TRACE(mode);
    TextCanvas canvas(40, 40);
    GpGraphics* graphics = nullptr;
    GdipCreateFromHDC(canvas.dc(), &graphics);
    GdipSetInterpolationMode(graphics, mode);
    ASSERT_EQ(GdipDrawImageRectRect(graphics, bitmap, 4, 4, 32, 32, 0, 0, 15, 15, UnitPixel, nullptr, nullptr, nullptr),
              Ok);
    EXPECT_EQ(canvas.Ink(), (RECT{4, 4, 36, 36}));
    // A uniform picture stays uniform: nothing from outside the source bleeds in at the edges.
    EXPECT_EQ(canvas.Pixel(4, 4), 0x204060u);
    EXPECT_EQ(canvas.Pixel(35, 35), 0x204060u);
    GdipDeleteGraphics(graphics);
  }
  GdipDisposeImage(bitmap);
}

TEST(GdiPlus, ShrinkingAveragesAndCompositingModesDiffer) {
  // A 4 x 4 black and white checker shrunk to 1 x 1 is mid grey in the high-quality mode.
  std::vector<uint32_t> checker(16);
  for (int i = 0; i < 16; ++i) checker[i] = ((i + i / 4) % 2) ? 0xFFFFFFFF : 0xFF000000;
  GpBitmap* bitmap = nullptr;
  GdipCreateBitmapFromScan0(4, 4, 16, PixelFormat32bppPARGB, reinterpret_cast<BYTE*>(checker.data()), &bitmap);
  GpBitmap* target = nullptr;
  ASSERT_EQ(GdipCreateBitmapFromScan0(1, 1, 4, PixelFormat32bppPARGB, nullptr, &target), Ok);
  GpGraphics* graphics = nullptr;
  ASSERT_EQ(GdipGetImageGraphicsContext(target, &graphics), Ok);
  GdipSetInterpolationMode(graphics, InterpolationModeHighQualityBicubic);
  GdipDrawImageRectI(graphics, bitmap, 0, 0, 1, 1);
  uint32_t grey = Pixels(target)[0];
  EXPECT_NEAR(static_cast<int>(grey & 0xFF), 128, 24);
  EXPECT_EQ(grey >> 24, 0xFFu);
  GdipDeleteGraphics(graphics);
  GdipDisposeImage(bitmap);

  // Half-transparent red over white blends; copied, it replaces the pixel.
  GpSolidFill* brush = nullptr;
  GdipCreateSolidFill(0x80FF0000, &brush);
  for (CompositingMode mode : {CompositingModeSourceOver, CompositingModeSourceCopy}) {
    GdipGetImageGraphicsContext(target, &graphics);
    GdipGraphicsClear(graphics, 0xFFFFFFFF);
    GdipSetCompositingMode(graphics, mode);
    GdipFillRectangleI(graphics, brush, 0, 0, 1, 1);
    GdipDeleteGraphics(graphics);
    uint32_t pixel = Pixels(target, PixelFormat32bppARGB)[0];
    if (mode == CompositingModeSourceOver) {
      EXPECT_EQ(pixel >> 24, 0xFFu);
      EXPECT_NEAR(static_cast<int>(pixel & 0xFF), 127, 2);  // blue: white showing through
    } else {
      EXPECT_EQ(pixel, 0x80FF0000u);
    }
  }
  GdipDeleteBrush(brush);
  GdipDisposeImage(target);
}

TEST(GdiPlus, HBitmapFromBitmapHoldsPremultipliedPixels) {
  std::vector<uint32_t> bits = {0x80800000, 0xFF00FF00};
  GpBitmap* bitmap = nullptr;
  GdipCreateBitmapFromScan0(2, 1, 8, PixelFormat32bppPARGB, reinterpret_cast<BYTE*>(bits.data()), &bitmap);
  HBITMAP handle = nullptr;
  ASSERT_EQ(GdipCreateHBITMAPFromBitmap(bitmap, &handle, 0), Ok);
  BITMAP record;
  ASSERT_EQ(GetObject(handle, sizeof(record), &record), static_cast<int>(sizeof(BITMAP)));
  EXPECT_EQ(record.bmWidth, 2);
  EXPECT_EQ(record.bmBitsPixel, 32);
  const auto* pixels = static_cast<const uint32_t*>(record.bmBits);
  ASSERT_NE(pixels, nullptr);
  bool topDown = record.bmHeight > 0;  // one row either way
  (void)topDown;
  EXPECT_EQ(pixels[0], 0x80800000u);
  EXPECT_EQ(pixels[1], 0xFF00FF00u);

  GpBitmap* back = nullptr;
  ASSERT_EQ(GdipCreateBitmapFromHBITMAP(handle, nullptr, &back), Ok);
  EXPECT_EQ(Pixels(back)[1], 0xFF00FF00u);
  GdipDisposeImage(back);
  DeleteObject(handle);
  GdipDisposeImage(bitmap);
}

TEST(GdiPlus, LockBitsConvertsAndWritesBack) {
  GpBitmap* bitmap = nullptr;
  ASSERT_EQ(GdipCreateBitmapFromScan0(3, 2, 0, PixelFormat32bppPARGB, nullptr, &bitmap), Ok);
  GpRect area{1, 1, 2, 1};
  BitmapData data;
  ASSERT_EQ(GdipBitmapLockBits(bitmap, &area, ImageLockModeWrite, PixelFormat24bppRGB, &data), Ok);
  EXPECT_EQ(GdipBitmapLockBits(bitmap, &area, ImageLockModeRead, PixelFormat24bppRGB, &data), WrongState);
  auto* row = static_cast<BYTE*>(data.Scan0);
  const BYTE written[6] = {0x10, 0x20, 0x30, 0x40, 0x50, 0x60};
  std::memcpy(row, written, sizeof(written));
  ASSERT_EQ(GdipBitmapUnlockBits(bitmap, &data), Ok);
  std::vector<uint32_t> pixels = Pixels(bitmap);
  EXPECT_EQ(pixels[4], 0xFF302010u);
  EXPECT_EQ(pixels[5], 0xFF605040u);
  EXPECT_EQ(pixels[3], 0u);
  GpRect outside{2, 1, 2, 1};
  EXPECT_EQ(GdipBitmapLockBits(bitmap, &outside, ImageLockModeRead, PixelFormat32bppARGB, &data), InvalidParameter);
  GdipDisposeImage(bitmap);
}

}  // namespace
