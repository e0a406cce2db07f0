#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "gdi/Modules.h"
#include "rtl/Streams.h"
#include "tests/gdi/PixelCanvas.h"
#include "toolkit/foundation/qzGDIPlusAPI.h"
#include "toolkit/foundation/qzGDIPlusClasses.h"
#include "user/Clipboard.h"
#include "user/GlobalMemory.h"
#include "vcl/Clipbrd.h"

namespace {

// ---- Unit loader --------------------------------------------------------------------------

std::vector<char> ran;
void InitA() { ran.push_back('a'); }
void FinalA() { ran.push_back('A'); }
void FinalB() { ran.push_back('B'); }
void FinalC() { ran.push_back('C'); }

TEST(UnitsLoader, RunsSetUpsAtOnceAndCleanUpsLastRegisteredFirst) {
  ran.clear();
  auto* loader = new TqzUnitsLoader;
  loader->RegisterUnitProcs(&InitA, &FinalA);
  loader->RegisterUnitProcs(nullptr, &FinalB);  // only queued
  loader->RegisterUnitProcs(nullptr, nullptr);
  loader->RegisterUnitProcs(nullptr, &FinalC);
  EXPECT_EQ(ran, (std::vector<char>{'a'}));
  loader->UnregisterUnitProcs(&InitA);  // not queued: nothing runs
  delete loader;
  EXPECT_EQ(ran, (std::vector<char>{'a', 'C', 'B', 'A'}));
}

TEST(UnitsLoader, UnregisteringRunsTheCleanUpThenAndThere) {
  ran.clear();
  TqzUnitsLoader loader;
  loader.RegisterUnitProcs(&InitA, &FinalA);
  loader.RegisterUnitProcs(nullptr, &FinalB);
  loader.UnregisterUnitProcs(&FinalA);
  EXPECT_EQ(ran, (std::vector<char>{'a', 'A'}));
  loader.Finalize();
  EXPECT_EQ(ran, (std::vector<char>{'a', 'A', 'B'}));
  EXPECT_FALSE(loader.UnitsInitialized());
}

// ---- Binding ------------------------------------------------------------------------------

// The library as the platform registers it, with one entry point replaced.
std::vector<ModuleExport>& RecordingLibrary() {
  static std::vector<ModuleExport> exports;
  return exports;
}
GpStatus UnusedEntry() { return NotImplemented; }

struct DrawCall {
  REAL dstW, dstH, srcX, srcY, srcW, srcH;
};
std::vector<DrawCall> drawCalls;
GpStatus RecordingDrawImageRectRect(GpGraphics* g, GpImage* image, REAL dx, REAL dy, REAL dw, REAL dh, REAL sx, REAL sy,
                                    REAL sw, REAL sh, GpUnit unit, const GpImageAttributes* a, DrawImageAbort cb,
                                    void* data) {
  drawCalls.push_back({dw, dh, sx, sy, sw, sh});
  return GdipDrawImageRectRect(g, image, dx, dy, dw, dh, sx, sy, sw, sh, unit, a, cb, data);
}

class GdiPlusLibrary : public testing::Test {
 protected:
  void TearDown() override {
    UnloadGdiPlus();
    GdiPlusStart();  // the platform's own table again
    ASSERT_TRUE(GdiPlusReady());
  }
  static void Use(std::span<const ModuleExport> exports) {
    UnloadGdiPlus();
    RegisterModule("gdiplus", exports);
  }
  static void UseRecordingLibrary() {
    auto& exports = RecordingLibrary();
    exports.clear();
#define DECLARED(Name) exports.push_back({#Name, ExportOf(&::Name)});
#define UNDECLARED(Name) exports.push_back({#Name, ExportOf(&UnusedEntry)});
    QZ_GDIPLUS_ENTRY_POINTS(DECLARED, UNDECLARED)
#undef DECLARED
#undef UNDECLARED
    for (ModuleExport& e : exports)
      if (std::strcmp(e.name, "GdipDrawImageRectRect") == 0) e.proc = ExportOf(&RecordingDrawImageRectRect);
    Use(exports);
  }
};

TEST_F(GdiPlusLibrary, MissingEntryPointsAnswerFalseAndEveryCallTriesAgain) {
  const ModuleExport partial[] = {{"GdipAlloc", ExportOf(&::GdipAlloc)}};
  Use(partial);
  EXPECT_FALSE(GdiPlusReady());
  EXPECT_FALSE(GdiPlusReady());
  GdiPlusStart();
  EXPECT_TRUE(GdiPlusReady());  // no other call needed: the failed binding was retried
}

TEST(GdiPlusChecks, FailedStatusRaisesTheToolkitAssertion) {
  EXPECT_NO_THROW(GpCheckStatus(Ok));
  try {
    GpCheckStatus(GenericError);
    FAIL() << "no exception";
  } catch (const EAssertionFailed& e) {
    EXPECT_EQ(e.Message(), "Invalid operation in GDI+ (qzGDIPlusAPI, line 1001)");
  }
  CLSID id;
  EXPECT_EQ(FindImageEncoder("IMAGE/PNG", id), 0);
  EXPECT_EQ(id, PngEncoderId());
  EXPECT_EQ(FindImageEncoder("image/x-none", id), 1);
  EXPECT_EQ(static_cast<TClass>(TPicture::FileFormatClass("png")), TqzPNGImage::ClassInfo());
}

// ---- PNG pictures -------------------------------------------------------------------------

// A 32-bit bitmap whose pixels are given as premultiplied BGRA words, top row first.
std::unique_ptr<TBitmap> BitmapOf(Integer width, Integer height, const std::vector<uint32_t>& pixels) {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetPixelFormat(pf32bit);
  bitmap->SetSize(width, height);
  for (Integer y = 0; y < height; ++y)
    std::memcpy(bitmap->GetScanLine(y), pixels.data() + y * width, width * 4);
  return bitmap;
}

std::unique_ptr<TqzPNGImage> PngOf(Integer width, Integer height, const std::vector<uint32_t>& pixels) {
  auto png = std::make_unique<TqzPNGImage>();
  auto bitmap = BitmapOf(width, height, pixels);
  png->Assign(bitmap.get());
  return png;
}

const std::vector<uint32_t> kPixels = {0xFFFF0000, 0xFF00FF00, 0x80000080, 0xFF0000FF, 0x00000000, 0xFFFFFFFF};

TEST(PngImage, RoundTripThroughAStreamKeepsEveryPixel) {
  auto png = PngOf(3, 2, kPixels);
  EXPECT_EQ(png->GetWidth(), 3);
  EXPECT_TRUE(png->HasAlphaChannel());
  TMemoryStream stream;
  png->SaveToStream(&stream);
  stream.SetPosition(0);
  TqzPNGImage copy;
  copy.LoadFromStream(&stream);
  EXPECT_TRUE(copy.IsEqualImage(png.get()));
  EXPECT_TRUE(copy.HasAlphaChannel());

  TqzPNGImage empty, other;
  TMemoryStream nothing;
  empty.SaveToStream(&nothing);
  EXPECT_EQ(nothing.GetSize(), 0);
  EXPECT_TRUE(empty.IsEqualImage(&other));
  EXPECT_FALSE(PngOf(1, 1, {0xFF000000})->IsEqualImage(PngOf(2, 2, std::vector<uint32_t>(4, 0xFF000000)).get()));
}

TEST(PngImage, PictureInsideALargerStreamReadsOnlyItsOwnBytes) {
  auto png = PngOf(3, 2, kPixels);
  TMemoryStream picture;
  png->SaveToStream(&picture);
  TMemoryStream stream;
  stream.WriteBuffer("HEAD!", 5);
  picture.SetPosition(0);
  stream.CopyFrom(&picture, picture.GetSize());
  stream.WriteBuffer("TRAILER", 7);
  stream.SetPosition(5);
  TqzPNGImage loaded;
  loaded.LoadFromStream(&stream);
  EXPECT_TRUE(loaded.IsEqualImage(png.get()));
  EXPECT_EQ(stream.GetPosition(), 5 + picture.GetSize());
  char tail[7];
  stream.ReadBuffer(tail, 7);
  EXPECT_EQ(std::string(tail, 7), "TRAILER");
}

TEST(PngImage, BitmapStreamsBecomeOpaquePictures) {
  auto bitmap = BitmapOf(2, 1, {0x00FF0000, 0x000000FF});
  bitmap->SetPixelFormat(pf24bit);
  TMemoryStream stream;
  bitmap->SaveToStream(&stream);
  stream.SetPosition(0);
  TqzPNGImage png;
  png.LoadFromStream(&stream);
  ASSERT_EQ(png.GetWidth(), 2);
  EXPECT_FALSE(png.HasAlphaChannel());
  PixelCanvas canvas(2, 1);
  png.DrawToDC(canvas.dc(), {0, 0, 2, 1});
  EXPECT_EQ(canvas.Map()[0], "rb");

  TMemoryStream tooShort;
  tooShort.WriteBuffer("BM", 2);
  tooShort.SetPosition(0);
  png.LoadFromStream(&tooShort);
  EXPECT_TRUE(png.GetEmpty());
}

TEST(PngImage, AlphaAnswerFollowsAReplacedPicture) {
  auto png = PngOf(3, 2, kPixels);
  EXPECT_TRUE(png->HasAlphaChannel());
  auto opaque = BitmapOf(1, 1, {0xFF102030});
  png->SetBitmap(opaque.get());
  EXPECT_FALSE(png->HasAlphaChannel());
  TqzPNGImage empty;
  png->Assign(&empty);  // an empty picture empties this one
  EXPECT_TRUE(png->GetEmpty());
}

TEST(PngImage, TheClipboardCarriesItsBytesBesideABitmapSoAlphaSurvivesAPaste) {
  auto png = PngOf(3, 2, kPixels);
  Clipboard()->Assign(png.get());
  EXPECT_TRUE(Clipboard()->HasFormat(CF_BITMAP));
  EXPECT_TRUE(Clipboard()->HasFormat(CF_PICTURE));
  EXPECT_TRUE(TPicture::SupportsClipboardFormat(CF_PICTURE));
  TPicture picture;
  picture.Assign(Clipboard());
  auto* pasted = dynamic_cast<TqzPNGImage*>(picture.GetGraphic());
  ASSERT_NE(pasted, nullptr);
  EXPECT_TRUE(pasted->IsEqualImage(png.get()));
  EXPECT_TRUE(pasted->HasAlphaChannel());
  TBitmap bitmap;
  bitmap.Assign(Clipboard());
  EXPECT_EQ(bitmap.GetWidth(), 3);
  // Damaged bytes read as an empty image are refused: the picture stays.
  HGLOBAL damaged = GlobalAlloc(GHND, 12);
  std::memcpy(GlobalLock(damaged), "\x89PNG\r\n\x1a\nxxxx", 12);
  GlobalUnlock(damaged);
  Clipboard()->SetAsHandle(CF_PICTURE, damaged);
  EXPECT_THROW(picture.Assign(Clipboard()), EInvalidGraphic);
  EXPECT_TRUE(dynamic_cast<TqzPNGImage*>(picture.GetGraphic())->IsEqualImage(png.get()));
  Clipboard()->Clear();
}

TEST_F(GdiPlusLibrary, DrawingShrinksTheSourceWhenEnlarging) {
  UseRecordingLibrary();
  ASSERT_TRUE(GdiPlusReady());
  auto png = PngOf(16, 16, std::vector<uint32_t>(256, 0xFF808080));
  PixelCanvas canvas(40, 40);
  struct Case {
    TRect dest, source;
    bool drawn;
    REAL srcW, srcH;
  };
  const Case cases[] = {
      {{0, 0, 32, 32}, {0, 0, 16, 16}, true, 15, 15},
      {{0, 0, 8, 8}, {0, 0, 16, 16}, true, 16, 16},
      {{0, 0, 32, 8}, {4, 0, 5, 16}, true, 1, 16},  // a one-pixel source keeps its width
      {{0, 0, 1, 32}, {0, 0, 16, 16}, true, 16, 15},
      {{5, 5, 5, 30}, {0, 0, 16, 16}, false, 0, 0},  // no destination width
      {{0, 0, 32, 32}, {3, 3, 3, 9}, false, 0, 0},   // empty source
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.dest.Right);
    drawCalls.clear();
    png->DrawPartToDC(canvas.dc(), c.dest, c.source);
    ASSERT_EQ(drawCalls.size(), c.drawn ? 1u : 0u);
    if (!c.drawn) continue;
    EXPECT_EQ(drawCalls[0].srcW, c.srcW);
    EXPECT_EQ(drawCalls[0].srcH, c.srcH);
    EXPECT_EQ(drawCalls[0].srcX, c.source.Left);
  }
  EXPECT_EQ(canvas.At(20, 20), RGB(128, 128, 128));
}

}  // namespace
