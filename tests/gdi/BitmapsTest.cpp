#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "PixelCanvas.h"

namespace {

struct Info {
  BITMAPINFOHEADER header{};
  RGBQUAD colours[256]{};
  BITMAPINFO* get() { return reinterpret_cast<BITMAPINFO*>(this); }
};

Info MakeInfo(int width, int height, int bpp) {
  Info info;
  info.header.biSize = sizeof(BITMAPINFOHEADER);
  info.header.biWidth = width;
  info.header.biHeight = height;
  info.header.biPlanes = 1;
  info.header.biBitCount = static_cast<WORD>(bpp);
  return info;
}

TEST(Bitmaps, DibSectionsOfEveryDepthAndOrientationDrawAndReadBack) {
  for (int bpp : {1, 4, 8, 24, 32}) {
    for (int height : {3, -3}) {
      SCOPED_TRACE(testing::Message() << bpp << " bits, height " << height);
      Info info = MakeInfo(5, height, bpp);
      if (bpp <= 8) {
        info.colours[0] = {0, 0, 0, 0};
        info.colours[1] = {255, 255, 255, 0};
        info.colours[2] = {0, 0, 255, 0};  // red
      }
      void* bits = nullptr;
      HBITMAP bitmap = CreateDIBSection(nullptr, info.get(), DIB_RGB_COLORS, &bits, nullptr, 0);
      ASSERT_NE(bitmap, nullptr);
      ASSERT_NE(bits, nullptr);
      HDC dc = CreateCompatibleDC(nullptr);
      HGDIOBJ old = SelectObject(dc, bitmap);
      const COLORREF ink = bpp == 1 ? RGB(255, 255, 255) : RGB(255, 0, 0);
      SetPixel(dc, 1, 0, ink);  // top row
      EXPECT_EQ(GetPixel(dc, 1, 0), ink);
      EXPECT_EQ(GetPixel(dc, 1, 2), RGB(0, 0, 0));
      // The bits pointer is the memory: the top row is first only for a top-down DIB.
      const size_t stride = ((5 * static_cast<size_t>(bpp) + 31) / 32) * 4;
      const auto* bytes = static_cast<const uint8_t*>(bits);
      const uint8_t* top = height < 0 ? bytes : bytes + 2 * stride;
      bool nonZero = false;
      for (size_t i = 0; i < stride; ++i) nonZero |= top[i] != 0;
      EXPECT_TRUE(nonZero);
      SelectObject(dc, old);
      DeleteDC(dc);
      DIBSECTION section;
      EXPECT_EQ(GetObject(bitmap, sizeof(section), &section), static_cast<int>(sizeof(DIBSECTION)));
      EXPECT_EQ(section.dsBm.bmBits, bits);
      EXPECT_EQ(section.dsBmih.biHeight, height);
      DeleteObject(bitmap);
    }
  }
  Info bad = MakeInfo(5, 3, 7);
  EXPECT_EQ(CreateDIBSection(nullptr, bad.get(), DIB_RGB_COLORS, nullptr, nullptr, 0), nullptr);
}

TEST(Bitmaps, GetAndSetDIBitsConvertBetweenFormatsAndRowOrders) {
  PixelCanvas canvas(3, 2);
  SetPixel(canvas.dc(), 0, 0, RGB(255, 0, 0));
  SetPixel(canvas.dc(), 2, 1, RGB(0, 0, 255));
  Info info = MakeInfo(3, 2, 24);
  std::vector<uint8_t> bits(12 * 2);
  ASSERT_EQ(GetDIBits(canvas.dc(), canvas.bitmap(), 0, 2, bits.data(), info.get(), DIB_RGB_COLORS), 2);
  // Bottom-up: the first row read is the canvas's bottom row.
  EXPECT_EQ(bits[6], 255);  // blue byte of (2, 1)
  EXPECT_EQ(bits[12 + 2], 255);  // red byte of (0, 0)

  Info query{};
  query.header.biSize = sizeof(BITMAPINFOHEADER);
  EXPECT_EQ(GetDIBits(canvas.dc(), canvas.bitmap(), 0, 0, nullptr, query.get(), DIB_RGB_COLORS), 2);
  EXPECT_EQ(query.header.biBitCount, 32);
  EXPECT_EQ(query.header.biSizeImage, 24u);

  PixelCanvas copy(3, 2);
  ASSERT_EQ(SetDIBits(copy.dc(), copy.bitmap(), 0, 2, bits.data(), info.get(), DIB_RGB_COLORS), 2);
  EXPECT_EQ(copy.Map(), canvas.Map());
  PixelCanvas device(3, 2);
  EXPECT_EQ(StretchDIBits(device.dc(), 0, 0, 3, 2, 0, 0, 3, 2, bits.data(), info.get(), DIB_RGB_COLORS, SRCCOPY), 2);
  EXPECT_EQ(device.Map(), canvas.Map());
}

TEST(Bitmaps, GetDIBitsWritesOnlyWhatTheCallersHeaderDescribes) {
  PixelCanvas canvas(8, 4);
  SetPixel(canvas.dc(), 0, 3, RGB(255, 0, 0));
  Info info = MakeInfo(4, 2, 32);
  std::vector<uint32_t> bits(4 * 2);  // exactly the caller's 4 x 2 pixels
  EXPECT_EQ(GetDIBits(canvas.dc(), canvas.bitmap(), 0, 4, bits.data(), info.get(), DIB_RGB_COLORS), 2);
  EXPECT_EQ(bits[0] & 0xFFFFFF, 0xFF0000u);  // scan 0 is the bitmap's bottom row
}

TEST(Bitmaps, MonochromeBitmapBitsAreWordAligned) {
  const BYTE rows[4] = {0xF0, 0x00, 0x0F, 0x00};
  HBITMAP mono = CreateBitmap(8, 2, 1, 1, rows);
  BITMAP info;
  GetObject(mono, sizeof(info), &info);
  EXPECT_EQ(info.bmWidthBytes, 2);
  EXPECT_EQ(info.bmBitsPixel, 1);
  BYTE back[4] = {};
  EXPECT_EQ(GetBitmapBits(mono, sizeof(back), back), 4);
  EXPECT_EQ(std::memcmp(back, rows, 4), 0);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, mono);
  EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 255, 255));
  EXPECT_EQ(GetPixel(dc, 4, 0), RGB(0, 0, 0));
  EXPECT_EQ(GetPixel(dc, 4, 1), RGB(255, 255, 255));
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(mono);
}

TEST(Bitmaps, CopyImageMakesDibSectionsMonochromeAndResizedCopies) {
  PixelCanvas canvas(4, 2);
  SetPixel(canvas.dc(), 0, 0, RGB(255, 0, 0));
  HBITMAP copy = static_cast<HBITMAP>(CopyImage(canvas.bitmap(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  DIBSECTION section;
  ASSERT_EQ(GetObject(copy, sizeof(section), &section), static_cast<int>(sizeof(DIBSECTION)));
  EXPECT_EQ(static_cast<const uint32_t*>(section.dsBm.bmBits)[0] & 0xFFFFFF, 0xFF0000u);
  HBITMAP mono = static_cast<HBITMAP>(CopyImage(canvas.bitmap(), IMAGE_BITMAP, 8, 4, LR_MONOCHROME));
  BITMAP info;
  GetObject(mono, sizeof(info), &info);
  EXPECT_EQ(info.bmBitsPixel, 1);
  EXPECT_EQ(info.bmWidth, 8);
  DeleteObject(copy);
  DeleteObject(mono);
}

TEST(Objects, SelectionDeletionStockAndStaleHandles) {
  PixelCanvas canvas(2, 1);
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  HGDIOBJ previous = SelectObject(canvas.dc(), red);
  EXPECT_EQ(previous, GetStockObject(WHITE_BRUSH));
  EXPECT_EQ(GetCurrentObject(canvas.dc(), OBJ_BRUSH), red);
  // Deleting a selected brush: the DC keeps drawing with it until it lets go.
  EXPECT_TRUE(DeleteObject(red));
  EXPECT_EQ(GetObjectType(red), 0u);
  PatBlt(canvas.dc(), 0, 0, 1, 1, PATCOPY);
  EXPECT_EQ(canvas.At(0, 0), RGB(255, 0, 0));
  SelectObject(canvas.dc(), previous);
  EXPECT_FALSE(DeleteObject(red));

  EXPECT_TRUE(DeleteObject(GetStockObject(BLACK_PEN)));  // stock objects stay
  EXPECT_EQ(GetObjectType(GetStockObject(BLACK_PEN)), OBJ_PEN);
  HPEN pen = CreatePen(PS_DASH, 3, RGB(1, 2, 3));
  LOGPEN logPen;
  EXPECT_EQ(GetObject(pen, sizeof(logPen), &logPen), 16);
  EXPECT_EQ(logPen.lopnStyle, PS_DASH);
  EXPECT_EQ(logPen.lopnWidth.X, 3);
  EXPECT_EQ(logPen.lopnColor, RGB(1, 2, 3));
  DeleteObject(pen);
  HPEN reused = CreatePen(PS_SOLID, 1, 0);
  EXPECT_NE(reused, pen);  // a stale handle never names a newer object
  EXPECT_EQ(GetObject(pen, sizeof(logPen), &logPen), 0);
  DeleteObject(reused);

  HBRUSH hatch = CreateHatchBrush(HS_BDIAGONAL, RGB(4, 5, 6));
  LOGBRUSH logBrush;
  EXPECT_EQ(GetObject(hatch, sizeof(logBrush), &logBrush), static_cast<int>(sizeof(LOGBRUSH)));
  EXPECT_EQ(logBrush.lbStyle, BS_HATCHED);
  EXPECT_EQ(logBrush.lbHatch, static_cast<ULONG_PTR>(HS_BDIAGONAL));
  DeleteObject(hatch);
  EXPECT_EQ(SelectObject(canvas.dc(), nullptr), nullptr);
}

TEST(Objects, DcBrushAndPenFollowTheirColours) {
  PixelCanvas canvas(2, 1);
  SelectObject(canvas.dc(), GetStockObject(DC_BRUSH));
  SetDCBrushColor(canvas.dc(), RGB(0, 255, 0));
  PatBlt(canvas.dc(), 0, 0, 1, 1, PATCOPY);
  EXPECT_EQ(canvas.At(0, 0), RGB(0, 255, 0));
  SelectObject(canvas.dc(), GetStockObject(DC_PEN));
  SetDCPenColor(canvas.dc(), RGB(0, 0, 255));
  MoveToEx(canvas.dc(), 1, 0, nullptr);
  LineTo(canvas.dc(), 2, 0);
  EXPECT_EQ(canvas.At(1, 0), RGB(0, 0, 255));
  EXPECT_EQ(GetDeviceCaps(canvas.dc(), BITSPIXEL), 32);
  SetScreenBitsPerPixel(8);  // a low-colour screen for the looks that depend on it
  EXPECT_EQ(GetDeviceCaps(canvas.dc(), BITSPIXEL), 8);
  SetScreenBitsPerPixel(0);
  EXPECT_EQ(GetDeviceCaps(canvas.dc(), BITSPIXEL), 32);
  EXPECT_EQ(GetDeviceCaps(canvas.dc(), LOGPIXELSY), 96);
  EXPECT_EQ(GetDeviceCaps(canvas.dc(), HORZRES), GetSystemMetrics(SM_CXSCREEN));
}

TEST(Objects, SurfaceDcDrawsAtItsOriginInsideItsVisibleRegion) {
  std::vector<uint32_t> pixels(6 * 3, 0x00FFFFFF);
  HRGN visible = CreateRectRgn(0, 0, 4, 3);
  HDC dc = CreateSurfaceDC(MakeSurface32(pixels.data(), 6, 3, 24), POINT{2, 1}, visible);
  DeleteObject(visible);
  const RECT all{0, 0, 10, 10};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  EXPECT_EQ(pixels[0], 0x00FFFFFFu);      // above and left of the origin
  EXPECT_EQ(pixels[6 + 2], 0u);           // (2, 1): device (0, 0)
  EXPECT_EQ(pixels[6 + 4], 0x00FFFFFFu);  // outside the visible region
  POINT origin;
  GetDCOrgEx(dc, &origin);
  EXPECT_EQ(origin, (POINT{2, 1}));
  DeleteDC(dc);
}

}  // namespace
