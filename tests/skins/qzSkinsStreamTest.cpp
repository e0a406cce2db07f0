// The skin stream: the layout byte by byte, versions, and damaged streams that must leave the
// skin as it was.

#include <gtest/gtest.h>
#include <zlib.h>

#include <cmath>
#include <functional>
#include <limits>
#include <random>

#include "SkinsTestSupport.h"
#include "toolkit/skins/qzSkinInfo.h"
#include "toolkit/skins/qzSkinsCore.h"

namespace {

enum class Error { Skin, Read, ClassNotFound };

// The outcome of loading Bytes into a skin that holds something else: an error kind, or none.
std::optional<Error> LoadOutcome(TqzSkin* Skin, const std::vector<Byte>& Bytes) {
  try {
    LoadSkin(Skin, Bytes);
  } catch (const EqzSkin&) {
    return Error::Skin;
  } catch (const EClassNotFound&) {
    return Error::ClassNotFound;
  } catch (const EReadError&) {
    return Error::Read;
  }
  return std::nullopt;
}

// A skin with content of its own, to see that a failed load keeps it.
std::unique_ptr<TqzSkin> KeptSkin() {
  auto skin = std::make_unique<TqzSkin>("Kept", false, nullptr);
  skin->AddColor("Kept", clRed);
  skin->AddGroup("KeptGroup")->AddElement("KeptElement")->SetColor(clGreen);
  return skin;
}

void BigEndian(std::vector<Byte>& Bytes, size_t At, uint32_t Value) {
  for (int i = 0; i < 4; ++i) Bytes[At + i] = static_cast<Byte>(Value >> (24 - 8 * i));
}

// The fixed picture with its header's size replaced (and its CRC mended).
std::vector<Byte> PngOfSize(uint32_t Width, uint32_t Height) {
  std::vector<Byte> png = kOnePixelPng;
  BigEndian(png, 16, Width);
  BigEndian(png, 20, Height);
  BigEndian(png, 29, static_cast<uint32_t>(crc32(0, png.data() + 12, 17)));
  return png;
}

void DrawEveryElement(TqzSkin* Skin) {
  SkinSurface surface(12, 12);
  for (Integer g = 0; g < Skin->GroupCount(); ++g)
    for (Integer e = 0; e < Skin->Groups(g)->ElementCount(); ++e)
      for (Integer index = 0; index < 3; ++index)
        Skin->Groups(g)->Elements(e)->Draw(surface.DC(), TRect{1, 1, 11, 11}, index, esHot);
}

}  // namespace

TEST(SkinStream, TinySkinMatchesTheLayoutByteForByte) {
  const std::vector<Byte> bytes = TinySkin().Bytes();
  TqzSkin skin("Other", false, nullptr);
  LoadSkin(&skin, bytes);
  EXPECT_EQ(skin.GetName(), "Tiny");
  EXPECT_DOUBLE_EQ(skin.GetVersion(), 1.02);
  EXPECT_EQ(skin.GetColorByName("Accent")->GetValue(), 0x336699);
  EXPECT_EQ(static_cast<TqzSkinIntegerProperty*>(skin.GetPropertyByName("Radius"))->GetValue(), 4);
  TqzSkinElement* button = skin.GetGroupByName("Common")->GetElementByName("Button");
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->GetColor(), 0xF0F0F0);
  EXPECT_EQ(button->GetAlpha(), 200);
  EXPECT_EQ(button->GetContentOffset()->RectRef(), (TRect{2, 3, 2, 3}));
  EXPECT_EQ(button->GetImage()->GetStates(), SkinStatesFromWord(0x000F));
  EXPECT_EQ(button->GetImage()->GetGradientEndColor(), 0xC0C0C0);
  EXPECT_EQ(button->GetImage()->GetGradient(), gmVertical);
  EXPECT_EQ(button->GetImage()->Picture()->GetSize(), (TSize{1, 1}));
  EXPECT_TRUE(button->GetGlyph()->Empty());
  EXPECT_EQ(button->GetGlyph()->GetStretch(), smNoResize);
  EXPECT_EQ(button->GetBorders()->GetBottom()->GetColor(), 0x808080);
  EXPECT_EQ(button->GetBorders()->GetBottom()->GetName(), "Bottom");
  EXPECT_EQ(button->GetMinSize()->SizeRef(), (TSize{10, 12}));
  EXPECT_EQ(button->GetTextColor(), 0x101010);
  const std::vector<Byte> written = SaveSkin(&skin);
  ASSERT_EQ(written.size(), bytes.size());
  for (size_t i = 0; i < bytes.size(); ++i) ASSERT_EQ(written[i], bytes[i]) << "at " << i;
}

TEST(SkinStream, RoundTripIsCompareEqualAndOlderVersionsReadWithoutGradients) {
  TqzSkin first("A", false, nullptr);
  LoadSkin(&first, TinySkin().Bytes());
  // A picture made in code is written by the encoder and reads back equal.
  TqzSkinElement* made = first.AddGroup("Form")->AddElement("FormCaption");
  TkvBitmap bitmap(6, 4);
  bitmap.GetkvCanvas()->FillWithColor(TRect{0, 0, 6, 4}, clTeal);
  bitmap.MakeOpaque();
  TqzPNGImage picture;
  picture.SetBitmap(&bitmap);
  made->GetImage()->SetPicture(&picture);
  made->GetImage()->SetStates({esActive, esActiveDisabled});
  TqzSkin second("B", false, nullptr);
  LoadSkin(&second, SaveSkin(&first));
  TqzSkinElement* read = second.GetGroupByName("Form")->GetElementByName("FormCaption");
  EXPECT_TRUE(read->Compare(made));
  EXPECT_EQ(read->GetImage()->Size(), (TSize{3, 4}));
  EXPECT_TRUE(second.GetGroupByName("Common")->GetElementByName("Button")->Compare(
      first.GetGroupByName("Common")->GetElementByName("Button")));

  TinySkin old;
  old.version = 1.01;
  TqzSkin older("C", false, nullptr);
  LoadSkin(&older, old.Bytes());
  TqzSkinImage* image = older.GetGroupByName("Common")->GetElementByName("Button")->GetImage();
  EXPECT_EQ(image->GetGradientBeginColor(), clNone);
  EXPECT_EQ(image->GetGradient(), gmHorizontal);
  EXPECT_DOUBLE_EQ(older.GetVersion(), 1.01);
  std::vector<Byte> rewritten = SaveSkin(&older);
  EXPECT_EQ(rewritten.size(), old.Bytes().size() + 2 * 9) << "the writer always writes 1.02";
}

TEST(SkinStream, DamagedStreamsRaiseTheirErrorAndKeepTheSkin) {
  using Knob = std::function<void(TinySkin&)>;
  struct Case {
    const char* name;
    std::function<std::vector<Byte>()> bytes;
    Error error;
  };
  auto tiny = [](Knob knob) {
    return [knob] {
      TinySkin t;
      knob(t);
      return t.Bytes();
    };
  };
  auto raw = [](std::vector<Byte> bytes) { return [bytes] { return bytes; }; };
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  std::vector<Byte> truncatedPng(kOnePixelPng.begin(), kOnePixelPng.end() - 12);
  std::vector<Byte> badCrc = kOnePixelPng;
  badCrc[45] ^= 0x01;
  std::vector<Byte> notPng = kOnePixelPng;
  notPng[1] = 'Q';
  const Case cases[] = {
      {"empty", raw({}), Error::Skin},
      {"9 bytes", raw({6, 0, 0, 0, 'q', 'z', 'S', 'k', 'i'}), Error::Skin},
      {"QZSKIN", tiny([](TinySkin& t) { t.signature = "QZSKIN"; }), Error::Skin},
      {"version 0.99", tiny([](TinySkin& t) { t.version = 0.99; }), Error::Skin},
      {"version NaN", tiny([&](TinySkin& t) { t.version = nan; }), Error::Skin},
      {"version infinite", tiny([&](TinySkin& t) { t.version = inf; }), Error::Skin},
      {"string past the end", tiny([](TinySkin& t) { t.nameLength = 5000; }), Error::Skin},
      {"string 2^31-1", tiny([](TinySkin& t) { t.nameLength = 0x7FFFFFFF; }), Error::Skin},
      {"negative colour count", tiny([](TinySkin& t) { t.colorCount = -1; }), Error::Skin},
      {"negative group count", tiny([](TinySkin& t) { t.groupCount = -5; }), Error::Skin},
      {"groups the bytes cannot hold", tiny([](TinySkin& t) { t.groupCount = 1000000; }), Error::Skin},
      {"elements the bytes cannot hold", tiny([](TinySkin& t) { t.elementCount = 0x7FFFFFFF; }), Error::Skin},
      {"unknown class", tiny([](TinySkin& t) { t.propertyClass = "TqzSkinMadeUp"; }), Error::ClassNotFound},
      {"not a property class", tiny([](TinySkin& t) { t.propertyClass = "TqzSkinElement"; }), Error::ClassNotFound},
      {"ImageCount 0", tiny([](TinySkin& t) { t.imageCount = 0; }), Error::Skin},
      {"ImageCount -3", tiny([](TinySkin& t) { t.imageCount = -3; }), Error::Skin},
      {"ImageCount 2^31-1", tiny([](TinySkin& t) { t.imageCount = 0x7FFFFFFF; }), Error::Skin},
      {"ImageLayout 2", tiny([](TinySkin& t) { t.layout = 2; }), Error::Skin},
      {"Stretch 3", tiny([](TinySkin& t) { t.stretch = 3; }), Error::Skin},
      {"Gradient 4", tiny([](TinySkin& t) { t.gradient = 4; }), Error::Skin},
      {"state bit 11", tiny([](TinySkin& t) { t.states = 0x0801; }), Error::Skin},
      {"picture size -1", tiny([](TinySkin& t) { t.pictureSize = -1; }), Error::Skin},
      {"picture past the end", tiny([](TinySkin& t) { t.pictureSize = 100000; }), Error::Skin},
      {"not PNG", tiny([&](TinySkin& t) { t.picture = notPng; }), Error::Skin},
      {"truncated PNG", tiny([&](TinySkin& t) { t.picture = truncatedPng; }), Error::Skin},
      {"bad CRC", tiny([&](TinySkin& t) { t.picture = badCrc; }), Error::Skin},
      {"PNG header 40000 x 40000", tiny([](TinySkin& t) { t.picture = PngOfSize(40000, 40000); }), Error::Skin},
      {"PNG header 4096 x 2048", tiny([](TinySkin& t) { t.picture = PngOfSize(4096, 2048); }), Error::Skin},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::unique_ptr<TqzSkin> skin = KeptSkin();
    const std::vector<Byte> before = SaveSkin(skin.get());
    EXPECT_EQ(LoadOutcome(skin.get(), c.bytes()), c.error);
    EXPECT_EQ(skin->GetName(), "Kept");
    EXPECT_DOUBLE_EQ(skin->GetVersion(), 1.02);
    EXPECT_EQ(SaveSkin(skin.get()), before);
  }
}

TEST(SkinStream, VersionMessageAndASoundPictureThatFailsToDecodeDrawsNothing) {
  TinySkin old;
  old.version = 0.99;
  TqzSkin skin("S", false, nullptr);
  try {
    LoadSkin(&skin, old.Bytes());
    FAIL();
  } catch (const EqzSkin& e) {
    EXPECT_EQ(e.Message(),
              "The skin data version is older than the current Morvane Library version.\r\n"
              "Skins cannot be loaded due to a version mismatch.");
  }
  // Chunks and CRCs in order, but the pixel data is not a zlib stream.
  std::vector<Byte> png = kOnePixelPng;
  png[41] = 0x00;
  BigEndian(png, 54, static_cast<uint32_t>(crc32(0, png.data() + 37, 17)));
  TinySkin damaged;
  damaged.picture = png;
  LoadSkin(&skin, damaged.Bytes());
  TqzSkinElement* button = skin.GetGroupByName("Common")->GetElementByName("Button");
  SkinSurface surface;
  button->Draw(surface.DC(), TRect{0, 0, 9, 9}, 0, esNormal);
  EXPECT_TRUE(button->GetImage()->Picture()->GetEmpty());
}

TEST(SkinStream, MutatedStreamsLoadAndDrawOrRaiseAStreamError) {
  const std::vector<Byte> sound = TinySkin().Bytes();
  std::unique_ptr<TqzSkin> skin = KeptSkin();
  const std::vector<Byte> before = SaveSkin(skin.get());
  int loaded = 0;
  auto check = [&](const std::vector<Byte>& bytes) {
    if (LoadOutcome(skin.get(), bytes)) {
      ASSERT_EQ(skin->GetName(), "Kept");
      ASSERT_EQ(SaveSkin(skin.get()), before);
    } else {
      ++loaded;
      DrawEveryElement(skin.get());
      TqzSkinInfo info(skin.release());
      skin = KeptSkin();
    }
  };
  for (size_t cut = 0; cut < sound.size(); ++cut) {
    SCOPED_TRACE(cut);
    check(std::vector<Byte>(sound.begin(), sound.begin() + cut));
  }
  std::mt19937 random(20261210);
  for (int round = 0; round < 2000; ++round) {
    std::vector<Byte> bytes = sound;
    const int changes = 1 + static_cast<int>(random() % 3);
    for (int i = 0; i < changes; ++i) {
      size_t at = random() % bytes.size();
      bytes[at] = (random() % 4 == 0) ? static_cast<Byte>(0xFF) : static_cast<Byte>(random());
    }
    SCOPED_TRACE(round);
    check(bytes);
  }
  EXPECT_GT(loaded, 100) << "changes to values load";
}

TEST(SkinStream, PartStreamKeepsReadsAndSeeksInsideItsWindow) {
  TMemoryStream source;
  source.WriteBuffer("0123456789", 10);
  TqzSkinPartStream part(&source);
  part.Initialize(&source, 2, 6);
  EXPECT_EQ(part.GetSize(), 4);
  struct Case {
    Int64 offset;
    TSeekOrigin origin;
    Int64 answer;
  };
  const Case seeks[] = {{0, soBeginning, 0}, {-100, soBeginning, 0}, {-1, soEnd, 3}, {100, soCurrent, 4}, {1, soBeginning, 1}};
  for (const Case& c : seeks) {
    EXPECT_EQ(part.Seek(c.offset, c.origin), c.answer) << c.offset << " from " << c.origin;
    EXPECT_EQ(source.GetPosition(), 2 + c.answer);
  }
  char buffer[10] = {};
  EXPECT_EQ(part.Read(buffer, 10), 3) << "a read stops at the window's end";
  EXPECT_EQ(std::string(buffer, 3), "345");
  EXPECT_EQ(part.Read(buffer, 10), 0);
}
