#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "gdi/Modules.h"
#include "gdi/Gdi.h"
#include "rtl/Exceptions.h"
#include "toolkit/bars/qzBarSkin.h"
#include "toolkit/foundation/kvGraphics.h"
#include "toolkit/foundation/qzGDIPlusAPI.h"

namespace {

// A library bitmap coloured pixel by pixel (0xAARRGGBB, straight alpha).
GpBitmap* MakeBitmap(Integer W, Integer H, const std::function<uint32_t(Integer, Integer)>& Color) {
  GpBitmap* bitmap = nullptr;
  EXPECT_EQ(GdipCreateBitmapFromScan0(W, H, 0, PixelFormat32bppARGB, nullptr, &bitmap), Ok);
  GpRect all{0, 0, W, H};
  BitmapData data;
  EXPECT_EQ(GdipBitmapLockBits(bitmap, &all, ImageLockModeWrite, PixelFormat32bppARGB, &data), Ok);
  for (Integer y = 0; y < H; ++y)
    for (Integer x = 0; x < W; ++x)
      static_cast<uint32_t*>(data.Scan0)[y * data.Stride / 4 + x] = Color(x, y);
  GdipBitmapUnlockBits(bitmap, &data);
  return bitmap;
}

// The 20 x 20 fixture: 3-pixel corners red, green, blue, yellow; edges grey; centre white.
constexpr uint32_t kTopLeft = 0xFFFF0000, kTopRight = 0xFF00FF00, kBottomLeft = 0xFF0000FF,
                   kBottomRight = 0xFFFFFF00, kEdge = 0xFF808080, kCentre = 0xFFFFFFFF;
uint32_t Fixture(Integer x, Integer y) {
  const bool left = x < 3, right = x >= 17, top = y < 3, bottom = y >= 17;
  if (top && left) return kTopLeft;
  if (top && right) return kTopRight;
  if (bottom && left) return kBottomLeft;
  if (bottom && right) return kBottomRight;
  if (left || right || top || bottom) return kEdge;
  return kCentre;
}

struct Surface {
  Surface(Integer W, Integer H, TColor Fill = clBlack) : bitmap(W, H) {
    bitmap.GetkvCanvas()->FillWithColor(TRect{0, 0, W, H}, Fill);
  }
  HDC DC() { return bitmap.GetCanvas()->GetHandle(); }
  // 0xRRGGBB
  uint32_t At(Integer X, Integer Y) {
    COLORREF c = GetPixel(DC(), X, Y);
    return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
  }
  TkvBitmap bitmap;
};

struct FixtureImage {
  FixtureImage() : image(MakeBitmap(20, 20, Fixture)) {}
  ~FixtureImage() { GdipDisposeImage(image); }
  GpBitmap* image;
};

// The whole fixture as one element with 3-pixel corners.
std::unique_ptr<TqzSkinnedRect> FixtureElement(bool NoDraw = false) {
  FixtureImage fixture;
  auto element = std::make_unique<TqzSkinnedRect>(NoDraw);
  element->LoadFromImage(fixture.image, TRect{0, 0, 20, 20}, TRect{3, 3, 3, 3});
  return element;
}

TEST(SkinnedRect, CellsKeepTheCornersOrShareASmallTargetBetweenThem) {
  auto owned = FixtureElement();
  TqzSkinnedRect& element = *owned;
  EXPECT_EQ(element.GetMinSize(), (TSize{6, 6}));
  EXPECT_EQ(element.GetContentMargins(), (TRect{3, 3, 3, 3}));
  EXPECT_EQ(element.GetSourceParts()[4], (TRect{3, 3, 17, 17}));
  struct Case {
    Integer w, h;
    TqzSkinnedRect::TCells cells;
  };
  const Case cases[] = {
      {100, 30, {{{3, 3}, {94, 3}, {3, 3}, {3, 24}, {94, 24}, {3, 24}, {3, 3}, {94, 3}, {3, 3}}}},
      {5, 5, {{{2, 2}, {0, 2}, {3, 2}, {2, 0}, {0, 0}, {3, 0}, {2, 3}, {0, 3}, {3, 3}}}},
      {6, 7, {{{3, 3}, {0, 3}, {3, 3}, {3, 1}, {0, 1}, {3, 1}, {3, 3}, {0, 3}, {3, 3}}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.w << " x " << c.h);
    element.CalcCells(c.w, c.h);
    EXPECT_EQ(element.GetCells(), c.cells);
  }
}

TEST(SkinnedRect, DrawsTheNinePartsSeamlesslyAtAnySize) {
  auto owned = FixtureElement();
  TqzSkinnedRect& element = *owned;
  Surface s(120, 50);
  element.DrawOn(s.DC(), TRect{10, 10, 110, 40}, 255);
  EXPECT_EQ(element.GetSize(), (TSize{100, 30}));
  struct Probe {
    Integer x, y;
    uint32_t rgb;
  };
  const Probe probes[] = {
      {10, 10, 0xFF0000}, {12, 12, 0xFF0000}, {13, 10, 0x808080}, {107, 12, 0x00FF00}, {106, 12, 0x808080},
      {10, 37, 0x0000FF}, {109, 39, 0xFFFF00}, {60, 25, 0xFFFFFF}, {60, 39, 0x808080}, {9, 9, 0x000000},
      {110, 40, 0x000000},
  };
  for (const Probe& p : probes) {
    SCOPED_TRACE(testing::Message() << p.x << "," << p.y);
    EXPECT_EQ(s.At(p.x, p.y), p.rgb);
  }
  // Into 5 x 5 only corners show: 2 pixels of the left and top ones, 3 of the right and bottom.
  Surface small(5, 5);
  element.DrawOn(small.DC(), TRect{0, 0, 5, 5}, 255);
  EXPECT_EQ(small.At(1, 1), 0xFF0000u);
  EXPECT_EQ(small.At(2, 1), 0x00FF00u);
  EXPECT_EQ(small.At(1, 2), 0x0000FFu);
  EXPECT_EQ(small.At(4, 4), 0xFFFF00u);
}

TEST(SkinnedRect, TheCacheIsRenderedOncePerSizeAndOnlyWhenVisible) {
  auto owned = FixtureElement();
  TqzSkinnedRect& element = *owned;
  EXPECT_EQ(element.GetCacheBitmap(), nullptr);
  Surface s(120, 50);
  element.DrawOn(s.DC(), TRect{0, 0, 40, 30}, 255);
  GpBitmap* first = element.GetCacheBitmap();
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(element.GetLastSize(), (TSize{40, 30}));
  // The same size elsewhere keeps the cache and draws it there.
  element.DrawOn(s.DC(), TRect{50, 10, 90, 40}, 255);
  EXPECT_EQ(element.GetCacheBitmap(), first);
  EXPECT_EQ(s.At(50, 10), 0xFF0000u);
  // A size drawn off the surface is taken but not rendered; the next visible draw renders it.
  element.DrawOn(s.DC(), TRect{500, 500, 520, 520}, 255);
  EXPECT_EQ(element.GetSize(), (TSize{20, 20}));
  EXPECT_EQ(element.GetLastSize(), (TSize{40, 30}));
  element.DrawOn(s.DC(), TRect{0, 0, 20, 20}, 255);
  EXPECT_EQ(element.GetLastSize(), (TSize{20, 20}));
  EXPECT_EQ(s.At(19, 19), 0xFFFF00u);
}

TEST(SkinnedRect, BlendsPixelAlphaAndConstantAlphaOntoTheTarget) {
  // Left half opaque red, right half red at half opacity.
  GpBitmap* image = MakeBitmap(4, 4, [](Integer x, Integer) { return x < 2 ? 0xFFFF0000u : 0x80FF0000u; });
  TqzSkinnedRect element(false);
  element.LoadFromImage(image, TRect{0, 0, 4, 4}, TRect{0, 0, 0, 0});
  GdipDisposeImage(image);
  Surface s(4, 4, clWhite);
  element.DrawOn(s.DC(), TRect{0, 0, 4, 4}, 255);
  EXPECT_EQ(s.At(0, 0), 0xFF0000u);
  EXPECT_NEAR(static_cast<int>(s.At(3, 0) & 0xFF), 0x7F, 2);  // white showing through half
  Surface faded(4, 4, clWhite);
  element.DrawOn(faded.DC(), TRect{0, 0, 4, 4}, 128);
  EXPECT_EQ(element.GetAlphaValue(), 128);
  EXPECT_NEAR(static_cast<int>(faded.At(0, 0) & 0xFF), 0x7F, 2);
  EXPECT_NEAR(static_cast<int>(faded.At(3, 0) & 0xFF), 0xBF, 2);
}

TEST(SkinnedRect, EmptyOrInvertedTargetsChangeOnlyTheAlphaAndNoDrawDrawsNothing) {
  auto owned = FixtureElement();
  TqzSkinnedRect& element = *owned;
  Surface s(20, 20);
  element.DrawOn(s.DC(), TRect{0, 0, 10, 10}, 255);
  for (const TRect& r : {TRect{5, 5, 5, 15}, TRect{15, 5, 5, 15}, TRect{5, 15, 15, 5}}) {
    element.DrawOn(s.DC(), r, 77);
    EXPECT_EQ(element.GetAlphaValue(), 77);
    EXPECT_EQ(element.GetSize(), (TSize{10, 10}));
  }
  Surface untouched(20, 20);
  FixtureElement(true)->DrawOn(untouched.DC(), TRect{0, 0, 20, 20}, 255);
  EXPECT_EQ(untouched.At(1, 1), 0u);
}

TEST(BarSkin, DuplicateIdsAndNamesAreRefusedAndTheRefusedPartIsNotAdded) {
  FixtureImage fixture;
  TqzCustomBarSkin skin("Test");
  const TRect source{0, 0, 4, 4};
  EXPECT_EQ(skin.AddPart(fixture.image, source, InterpolationModeDefault, "TAB", 1), 0);
  EXPECT_EQ(skin.AddPart(fixture.image, source, InterpolationModeDefault, "", -1), 1);
  EXPECT_EQ(skin.AddPart(fixture.image, source, InterpolationModeDefault, "", -1), 2);  // -1 never clashes
  struct Case {
    const char* name;
    Integer id;
    const char* message;
  };
  const Case cases[] = {{"Tab", 5, "ERROR: Duplicate part's name = \"Tab\""},
                        {"Other", 1, "ERROR: Duplicate part's ID = 1"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    try {
      skin.AddPart(fixture.image, source, InterpolationModeDefault, c.name, c.id);
      ADD_FAILURE() << "no exception";
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message(), c.message);
    }
  }
  EXPECT_EQ(skin.GetCount(), 3);
  EXPECT_EQ(skin.AddElement(nullptr), -1);
  auto part = skin.GetPart(2);
  EXPECT_EQ(part->GetContentMargins(), (TRect{0, 0, 0, 0}));
  skin.AddPartWithTopBottom(fixture.image, TRect{0, 0, 20, 20}, InterpolationModeNearestNeighbor, "Band", 7, 3, 4);
  EXPECT_EQ(skin.GetPart(3)->GetMargins(), (TRect{0, 3, 0, 4}));
  EXPECT_EQ(skin.GetPart(3)->GetInterpolationMode(), InterpolationModeNearestNeighbor);
}

class PermanentSkin : public TqzCustomBarSkin {
 public:
  using TqzCustomBarSkin::TqzCustomBarSkin;
  bool IsPermanent() override { return true; }
};

TEST(BarSkinManager, RegistersNamesOnceInAnyCaseAndKeepsPermanentSkins) {
  TqzBarSkinManager manager;
  auto* first = new TqzCustomBarSkin("Scheme");
  EXPECT_EQ(manager.AddSkin(first), 0);
  TqzCustomBarSkin sameName("SCHEME"), noName("");
  EXPECT_EQ(manager.AddSkin(&sameName), -1);
  EXPECT_EQ(manager.AddSkin(&noName), -1);
  EXPECT_EQ(manager.AddSkin(nullptr), -1);
  EXPECT_EQ(manager.GetSkinCount(), 1);
  EXPECT_EQ(manager.FindSkin("sChEmE"), first);
  EXPECT_EQ(manager.FindSkin("Other"), nullptr);
  auto* permanent = new PermanentSkin("Fixed");
  EXPECT_EQ(manager.AddSkin(permanent), 1);
  EXPECT_FALSE(manager.RemoveSkin(permanent));
  EXPECT_EQ(manager.GetSkinCount(), 2);
  TqzCustomBarSkin stranger("Stranger");
  EXPECT_TRUE(manager.RemoveSkin(&stranger));  // removable, but not registered: left alone
  EXPECT_TRUE(manager.RemoveSkin(first));
  EXPECT_EQ(manager.GetSkinCount(), 1);
  EXPECT_EQ(manager.GetSkin(0), permanent);
}

// Writes a small bitmap as PNG bytes.
std::vector<Byte> PngBytes() {
  GpBitmap* image = MakeBitmap(3, 2, [](Integer x, Integer) { return x == 0 ? 0xFF102030u : 0x40FFFFFFu; });
  TMemoryStream stream;
  EnsurePngEncoderId();
  TInterfacePtr<IStream> adapter(new TStreamAdapter(&stream));
  EXPECT_EQ(GdipSaveImageToStream(image, adapter.Get(), &PngEncoderId(), nullptr), Ok);
  GdipDisposeImage(image);
  const Byte* data = static_cast<const Byte*>(stream.GetMemory());
  return std::vector<Byte>(data, data + stream.GetSize());
}

TEST(LoadPngBitmap, LoadsAPngAndRefusesDamagedBytesWithTheLibraryAssertion) {
  std::vector<Byte> bytes = PngBytes();
  TMemoryStream good;
  good.WriteBuffer(bytes.data(), static_cast<Integer>(bytes.size()));
  good.SetPosition(0);
  GpBitmap* bitmap = LoadPngBitmap(&good);
  ASSERT_NE(bitmap, nullptr);
  UINT w = 0, h = 0;
  GdipGetImageWidth(bitmap, &w);
  GdipGetImageHeight(bitmap, &h);
  EXPECT_EQ(w, 3u);
  EXPECT_EQ(h, 2u);
  GdipDisposeImage(bitmap);

  for (size_t cut : {bytes.size() / 2, size_t{8}, size_t{0}}) {
    SCOPED_TRACE(cut);
    std::vector<Byte> damaged(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(cut));
    if (cut == 8) damaged.insert(damaged.end(), 40, Byte{0x5A});
    TMemoryStream stream;
    if (!damaged.empty()) stream.WriteBuffer(damaged.data(), static_cast<Integer>(damaged.size()));
    stream.SetPosition(0);
    EXPECT_THROW(LoadPngBitmap(&stream), EAssertionFailed);
  }
}

TEST(BarSkinWithoutGraphicsLibrary, NoSkinIsAcceptedAndNoPngIsLoaded) {
  const ModuleExport partial[] = {{"GdipAlloc", ExportOf(&::GdipAlloc)}};
  UnloadGdiPlus();
  RegisterModule("gdiplus", partial);
  TqzBarSkinManager manager;
  TqzCustomBarSkin skin("Scheme");
  const Integer index = manager.AddSkin(&skin);
  TMemoryStream stream;
  GpBitmap* bitmap = LoadPngBitmap(&stream);
  UnloadGdiPlus();
  GdiPlusStart();
  ASSERT_TRUE(GdiPlusReady());
  EXPECT_EQ(index, -1);
  EXPECT_EQ(bitmap, nullptr);
}

}  // namespace
