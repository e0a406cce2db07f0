#include <gtest/gtest.h>

#include <memory>

#include "rtl/Streams.h"
#include "toolkit/foundation/kvGraphics.h"

namespace {

// Exposes the form-data hooks of the bitmap.
class TTestBitmap : public TkvBitmap {
 public:
  using TkvBitmap::TkvBitmap;
  using TkvCustomBitmap::ReadData;
  using TkvCustomBitmap::WriteData;
};

DWORD PixelAt(TkvBitmap& B, Integer X, Integer Y) {
  TRGBColors colors;
  B.GetPixels(colors);
  return colors[static_cast<size_t>(B.GetHeight() - 1 - Y) * B.GetWidth() + X];
}

// A W x H bitmap whose pixel (x, y) holds the value 0xFF000000 + y * 16 + x.
void FillNumbered(TkvBitmap& B) {
  TRGBColors colors(static_cast<size_t>(B.GetWidth()) * B.GetHeight());
  for (Integer y = 0; y < B.GetHeight(); ++y)
    for (Integer x = 0; x < B.GetWidth(); ++x)
      colors[static_cast<size_t>(B.GetHeight() - 1 - y) * B.GetWidth() + x] = 0xFF000000u + y * 16 + x;
  B.SetPixels(colors);
}

std::vector<Byte> StreamBytes(TMemoryStream& S) {
  const auto* p = static_cast<const Byte*>(S.GetMemory());
  return std::vector<Byte>(p, p + S.GetSize());
}

struct Counter : TObject {
  int* count = nullptr;
  void Changed(TObject*) { ++*count; }
};

}  // namespace

TEST(KvPackedRuns, PacksRunsAsTheFormDataExpects) {
  struct Case {
    const char* name;
    std::vector<Byte> data;
    std::vector<Byte> packed;
  };
  const Case cases[] = {
      {"300 equal bytes", std::vector<Byte>(300, 7), {0x7D, 7, 0x7D, 7, 0x32, 7}},
      {"literal then repeat", {1, 2, 3, 3, 3}, {0x82, 1, 2, 0x03, 3}},
      {"single byte", {9}, {0x81, 9}},
      {"two different", {4, 5}, {0x82, 4, 5}},
      {"empty", {}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(PackBytes(c.data), c.packed);
    EXPECT_EQ(UnpackBytes(c.packed.data(), c.packed.size()), c.data);
  }
}

TEST(KvPackedRuns, LongLiteralRunsSplitAt125AndTruncatedDataStops) {
  std::vector<Byte> data(260);
  for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<Byte>(i);
  const std::vector<Byte> packed = PackBytes(data);
  EXPECT_EQ(packed[0], 0x80 | 125);
  EXPECT_EQ(UnpackBytes(packed.data(), packed.size()), data);
  // A run that claims more than is left gives what is there and nothing past it: a literal run
  // its remaining bytes, a repeat run without its byte nothing.
  const Byte cutLiteral[] = {0x85, 1, 2, 0x10};
  EXPECT_EQ(UnpackBytes(cutLiteral, sizeof cutLiteral), (std::vector<Byte>{1, 2, 0x10}));
  const Byte cutRepeat[] = {0x82, 1, 2, 0x10};
  EXPECT_EQ(UnpackBytes(cutRepeat, sizeof cutRepeat), (std::vector<Byte>{1, 2}));
}

TEST(KvCustomBitmap, PackedDataInsideALargerStreamReadsBackWhole) {
  TTestBitmap source(5, 4);
  FillNumbered(source);
  source.SetCompressData(true);
  TMemoryStream stream;
  const Byte prefix[7] = {1, 2, 3, 4, 5, 6, 7};
  stream.WriteBuffer(prefix, sizeof prefix);
  source.WriteData(&stream);
  const std::vector<Byte> bytes = StreamBytes(stream);
  ASSERT_GT(bytes.size(), 17u);
  EXPECT_EQ(std::string(bytes.begin() + 11, bytes.begin() + 15), "ZQBM");
  EXPECT_EQ(bytes[15], 1);
  const uint32_t length = bytes[7] | bytes[8] << 8 | bytes[9] << 16 | bytes[10] << 24;
  EXPECT_EQ(length, bytes.size() - 7 - 10);

  stream.SetPosition(7);
  TTestBitmap copy(1, 1);
  copy.ReadData(&stream);
  ASSERT_EQ(copy.GetWidth(), 5);
  ASSERT_EQ(copy.GetHeight(), 4);
  for (Integer y = 0; y < 4; ++y)
    for (Integer x = 0; x < 5; ++x) EXPECT_EQ(PixelAt(copy, x, y) & 0xFFFFFF, DWORD(y * 16 + x));
}

TEST(KvCustomBitmap, PlainDataIsReadWhateverCompressDataSays) {
  TTestBitmap source(3, 2);
  FillNumbered(source);
  TMemoryStream stream;
  source.WriteData(&stream);
  stream.SetPosition(0);
  TTestBitmap copy(1, 1);
  copy.SetCompressData(true);
  copy.ReadData(&stream);
  ASSERT_EQ(copy.GetWidth(), 3);
  EXPECT_EQ(PixelAt(copy, 2, 1) & 0xFFFFFF, 0x12u);
  EXPECT_EQ(copy.GetPixelFormat(), pf32bit);
}

TEST(KvCustomBitmap, RotateFlipMovesEveryPixel) {
  // Source 3 x 2; each expectation gives where source (x, y) lands.
  struct Case {
    Integer rotation;
    bool flip;
    Integer w, h;
    Integer (*dx)(Integer x, Integer y);
    Integer (*dy)(Integer x, Integer y);
  };
  const Case cases[] = {
      {0, true, 3, 2, [](Integer x, Integer) { return x; }, [](Integer, Integer y) { return 1 - y; }},
      {1, false, 2, 3, [](Integer, Integer y) { return y; }, [](Integer x, Integer) { return 2 - x; }},
      {1, true, 2, 3, [](Integer, Integer y) { return y; }, [](Integer x, Integer) { return x; }},
      {2, false, 2, 3, [](Integer, Integer y) { return 1 - y; }, [](Integer x, Integer) { return x; }},
      {2, true, 2, 3, [](Integer, Integer y) { return 1 - y; }, [](Integer x, Integer) { return 2 - x; }},
      {3, false, 3, 2, [](Integer x, Integer) { return 2 - x; }, [](Integer, Integer y) { return 1 - y; }},
      {3, true, 3, 2, [](Integer x, Integer) { return 2 - x; }, [](Integer, Integer y) { return y; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "rotation " << c.rotation << " flip " << c.flip);
    TkvBitmap b(3, 2);
    FillNumbered(b);
    b.RotateFlip(c.rotation, c.flip);
    ASSERT_EQ(b.GetWidth(), c.w);
    ASSERT_EQ(b.GetHeight(), c.h);
    for (Integer y = 0; y < 2; ++y)
      for (Integer x = 0; x < 3; ++x) EXPECT_EQ(PixelAt(b, c.dx(x, y), c.dy(x, y)) & 0xFF, DWORD(y * 16 + x));
  }
}

TEST(KvBitmap, PixelFilters) {
  struct Case {
    Integer filter;
    DWORD in;
    DWORD out;
  };
  const Case cases[] = {
      {pfLighten, 0xFF0A6432, 0xFF549370},   // opaque: c + (255 - c) * 3 / 10
      {pfLighten, 0x80FF0000, 0x64C80000},   // not opaque: every channel * 200 / 255
      {pfAverageGray, 0xFF306090, 0xFF606060},
      {pfOpaque, 0x00123456, 0xFF123456},
      {pfGray, 0xFFFF0000, 0xFF4C4C4C},
      {pfOpaqueTransparent, 0x00123456, 0xFF123456},
      {pfOpaqueTransparent, 0x40123456, 0x40123456},
      {pfMask, 0x00000000, 0xFFFFFFFF},      // equals the fill colour 0: transparent
      {pfMask, 0xFF000000, 0x00000000},
      {pfAverageGray, 0x00000000, 0x00000000},  // transparent pixels are left alone
      {10, 0xFF123456, 0xFF123456},             // no such filter
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "filter " << c.filter << " on " << std::hex << c.in);
    TkvBitmap b(1, 1);
    b.SetPixels(TRGBColors{c.in});
    b.ApplyPixelFilter(c.filter);
    EXPECT_EQ(PixelAt(b, 0, 0), c.out);
  }
}

TEST(KvBitmap, TransparentColourAndFillAndCheckerPhase) {
  TkvBitmap b(4, 4, 0xFF102030);
  EXPECT_EQ(PixelAt(b, 3, 3), 0xFF102030u);
  EXPECT_EQ(b.GetPixelFormat(), pf32bit);

  TkvBitmap t(2, 1);
  t.SetPixels(TRGBColors{0x00FF00FF, 0x00112233});
  t.SetTransparentColor(0xFF00FF);  // magenta
  EXPECT_EQ(PixelAt(t, 0, 0), 0x00FF00FFu);  // transparent: untouched
  EXPECT_EQ(PixelAt(t, 1, 0), 0xFF112233u);
  EXPECT_FALSE(TkvBitmap(2, 2).HasAlpha());

  // Cells counted from the bottom row: the bottom-left cell takes the first colour.
  TkvBitmap c(2, 2);
  c.SetCheckerPattern(clRed, clBlue, 255, 255, 1);
  EXPECT_EQ(PixelAt(c, 0, 1), 0xFFFF0000u);
  EXPECT_EQ(PixelAt(c, 1, 1), 0xFF0000FFu);
  EXPECT_EQ(PixelAt(c, 0, 0), 0xFF0000FFu);
}

TEST(KvBitmap, ChangesInsideALockNotifyOnce) {
  TkvBitmap b(2, 2);
  int changes = 0;
  Counter counter;
  counter.count = &changes;
  b.SetOnChange(MakeEvent<&Counter::Changed>(&counter));
  b.BeginChange();
  b.Resize(8, 8);
  b.ApplyPixelFilter(pfOpaque);
  EXPECT_EQ(changes, 0);
  b.EndChange();
  EXPECT_EQ(changes, 1);
}

TEST(KvBitmap, BlendPixelFollowsSourceAlpha) {
  DWORD dest = 0xFF000000;
  BlendPixel(0xFFFFFFFF, dest, 255);
  EXPECT_EQ(dest, 0xFFFFFFFFu);
  dest = 0xFF204060;
  BlendPixel(0x00000000, dest, 255);  // fully transparent black leaves the destination
  EXPECT_EQ(dest, 0xFF204060u);
  EXPECT_EQ(ColorToRGBA(0x0000FF, 0x80), 0x80FF0000u);
}

// A size the system cannot give raises, and the half-made bitmap is freed (the sanitizer build
// reports it otherwise).
TEST(KvBitmap, NewBitmapThatCannotBeMadeRaisesWithoutLeaking) {
  EXPECT_THROW(delete NewBitmap(1 << 30, 1 << 30, pf32bit), Exception);
}

TEST(KvRegion, Arithmetic) {
  std::unique_ptr<TkvRegion> rounded(TkvRegion::CreateRoundedFromCoords(0, 0, 10, 10, 4, 4));
  RECT box{};
  GetRgnBox(rounded->GetHandle(), &box);
  EXPECT_EQ(box, Rect(1, 1, 10, 10));

  TkvRegion a(0, 0, 10, 10);
  a.CombineWith(new TkvRegion(5, 5, 20, 20), roSet);
  TkvRegion expected(5, 5, 20, 20);
  EXPECT_TRUE(a.SameAs(&expected));
  a.CombineWith(new TkvRegion(5, 5, 20, 20), roSubtract);
  EXPECT_TRUE(a.IsEmpty());
  TkvRegion empty;
  EXPECT_TRUE(a.SameAs(&empty));  // both empty
  EXPECT_FALSE(a.SameAs(nullptr));

  TkvRegion b(0, 0, 10, 10);
  TkvRegion other(5, 0, 15, 10);
  b.CombineWith(&other, roIntersect, false);
  b.MoveBy(-5, 0);
  GetRgnBox(b.GetHandle(), &box);
  EXPECT_EQ(box, Rect(0, 0, 5, 10));
  EXPECT_FALSE(other.IsEmpty());  // kept: not destroyed
}
