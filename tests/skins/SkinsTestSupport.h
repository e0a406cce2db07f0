#pragma once
// Fixtures of the skins tests: a tiny skin written byte by byte after the stream layout, with knobs
// for damaging each field; a fixed 1 x 1 PNG; and a small 32-bit drawing surface.

#include <cstring>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "gdi/Gdi.h"
#include "toolkit/foundation/kvGraphics.h"
#include "toolkit/foundation/qzGDIPlusClasses.h"
#include "toolkit/skins/qzSkinsCore.h"
#include "vcl/Graphics.h"

// A 1 x 1 picture, one pixel of red 0x20, green 0x40, blue 0x80, opaque.
inline const std::vector<Byte> kOnePixelPng = {
    0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x48, 0x44, 0x52, 0x00, 0x00,
    0x00, 0x01, 0x00, 0x00, 0x00, 0x01, 0x08, 0x06, 0x00, 0x00, 0x00, 0x1F, 0x15, 0xC4, 0x89, 0x00, 0x00, 0x00,
    0x0D, 0x49, 0x44, 0x41, 0x54, 0x78, 0xDA, 0x63, 0x50, 0x70, 0x68, 0xF8, 0x0F, 0x00, 0x03, 0x44, 0x01, 0xE0,
    0xED, 0xF4, 0xAD, 0x94, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4E, 0x44, 0xAE, 0x42, 0x60, 0x82};

class ByteWriter {
 public:
  ByteWriter& Int(int32_t v) {
    for (int i = 0; i < 4; ++i) FBytes.push_back(static_cast<Byte>(static_cast<uint32_t>(v) >> (8 * i)));
    return *this;
  }
  ByteWriter& U8(Byte v) {
    FBytes.push_back(v);
    return *this;
  }
  ByteWriter& U16(uint16_t v) { return U8(v & 0xFF).U8(v >> 8); }
  ByteWriter& Dbl(double v) {
    Byte raw[8];
    std::memcpy(raw, &v, 8);
    FBytes.insert(FBytes.end(), raw, raw + 8);
    return *this;
  }
  ByteWriter& Raw(const std::vector<Byte>& bytes) {
    FBytes.insert(FBytes.end(), bytes.begin(), bytes.end());
    return *this;
  }
  ByteWriter& Str(const std::string& s, std::optional<int32_t> length = std::nullopt) {
    Int(length.value_or(static_cast<int32_t>(s.size())));
    FBytes.insert(FBytes.end(), s.begin(), s.end());
    return *this;
  }
  const std::vector<Byte>& Bytes() const { return FBytes; }

 private:
  std::vector<Byte> FBytes;
};

// The knobs of the tiny skin; the defaults give a sound stream.
struct TinySkin {
  std::string signature = "qzSkin";
  double version = 1.02;
  std::optional<int32_t> nameLength;
  int32_t colorCount = 1;
  std::string propertyClass = "TqzSkinIntegerProperty";
  int32_t groupCount = 1;
  int32_t elementCount = 1;
  int32_t imageCount = 1;
  Byte layout = 0;
  Byte stretch = 0;
  Byte gradient = 1;
  uint16_t states = 0x000F;
  std::vector<Byte> picture = kOnePixelPng;
  std::optional<int32_t> pictureSize;

  std::vector<Byte> Bytes() const {
    ByteWriter w;
    w.Int(6).Raw(std::vector<Byte>(signature.begin(), signature.end())).Dbl(version);
    w.Str("Tiny", nameLength);
    w.Int(colorCount);
    if (colorCount == 1) w.Str("TqzSkinColor").Str("Accent").Int(0x336699);
    w.Int(1).Str(propertyClass).Str("Radius").Int(4);
    w.Int(groupCount).Str("Common").Int(elementCount);
    w.Str("Button").Int(0xF0F0F0).U8(200).Int(imageCount).Int(2).Int(3).Int(2).Int(3);
    const bool gradients = version >= 1.02;
    // Glyph: empty, unscaled.
    w.Int(0).Int(0).Int(0).Int(0).U8(0).U16(0x0001).U8(2);
    if (gradients) w.Int(clNone).Int(clNone).U8(0);
    w.Int(0);
    // Image: the picture, with margins of 1.
    w.Int(1).Int(1).Int(1).Int(1).U8(layout).U16(states).U8(stretch);
    if (gradients) w.Int(0xFFFFFF).Int(0xC0C0C0).U8(gradient);
    w.Int(pictureSize.value_or(static_cast<int32_t>(picture.size()))).Raw(picture);
    const char* sides[4] = {"Left", "Top", "Right", "Bottom"};
    for (int side = 0; side < 4; ++side) w.Str("TqzSkinBorder").Str(sides[side]).Int(side == 3 ? 0x808080 : clNone).Int(1);
    w.Int(0x101010).Int(10).Int(12).Int(0);
    w.Int(0);  // group properties
    return w.Bytes();
  }
};

inline std::vector<Byte> SaveSkin(TqzSkin* Skin) {
  TMemoryStream stream;
  Skin->SaveToStream(&stream);
  const Byte* data = static_cast<const Byte*>(stream.GetMemory());
  return std::vector<Byte>(data, data + stream.GetSize());
}

inline void LoadSkin(TqzSkin* Skin, const std::vector<Byte>& Bytes) {
  TMemoryStream stream;
  if (!Bytes.empty()) stream.WriteBuffer(Bytes.data(), static_cast<Integer>(Bytes.size()));
  stream.SetPosition(0);
  Skin->LoadFromStream(&stream);
}

// A 32-bit surface read back as RGB.
struct SkinSurface {
  explicit SkinSurface(Integer Width = 9, Integer Height = 9, TColor Fill = static_cast<TColor>(0x5A3C1E))
      : bitmap(Width, Height) {
    bitmap.GetkvCanvas()->FillWithColor(TRect{0, 0, Width, Height}, Fill);
  }
  HDC DC() { return bitmap.GetCanvas()->GetHandle(); }
  COLORREF At(Integer X, Integer Y) { return GetPixel(DC(), X, Y); }
  TkvBitmap bitmap;
};

// An opaque picture coloured pixel by pixel (colours as 0xRRGGBB).
inline void SetPicture(TqzSkinImage* Image, Integer Width, Integer Height,
                       std::function<uint32_t(Integer, Integer)> Color) {
  auto bits = std::make_shared<std::vector<uint32_t>>(static_cast<size_t>(Width) * Height);
  for (Integer y = 0; y < Height; ++y)
    for (Integer x = 0; x < Width; ++x) (*bits)[y * Width + x] = 0xFF000000u | Color(x, y);
  TqzPNGImage picture;
  picture.ReplaceGPImage(CreateImageFromBits(Width, Height, bits, true));
  Image->SetPicture(&picture);
}
