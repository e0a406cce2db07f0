#pragma once
// TJPEGImage: a JPEG picture kept as its compressed data, decoded into a bitmap when it is drawn
// or its pixels are asked for, and compressed again (at CompressionQuality) when it was made from
// a bitmap.

#include <memory>
#include <vector>

#include "vcl/GraphicClasses.h"

using TJPEGQualityRange = Integer;  // 1..100

class TJPEGImage : public TGraphic {
  TAVREN_CLASS(TJPEGImage, TGraphic)
 public:
  TJPEGImage();
  ~TJPEGImage() override;
  void Assign(TPersistent* Source) override;

  bool GetEmpty() const override { return FData.empty() && !FBitmap; }
  Integer GetWidth() const override { return FWidth; }
  void SetWidth(Integer) override {}
  Integer GetHeight() const override { return FHeight; }
  void SetHeight(Integer) override {}
  TJPEGQualityRange GetCompressionQuality() const { return FQuality; }
  void SetCompressionQuality(TJPEGQualityRange Value);

  // Decodes the data into the bitmap unless that is done already.
  void DIBNeeded();
  // Compresses the bitmap unless the data is there already.
  void JPEGNeeded();
  // The decoded picture (decoding on first use); nullptr when empty.
  TBitmap* GetBitmap();

  // EInvalidGraphic "JPEG image is not valid" for data that does not decode.
  void LoadFromStream(TStream* Stream) override;
  void SaveToStream(TStream* Stream) override;
  // CF_BITMAP both ways; a bitmap read is compressed when the data is next asked for.
  void SaveToClipboardFormat(Word& AFormat, HANDLE& AData, HPALETTE& APalette) override;
  void LoadFromClipboardFormat(Word AFormat, HANDLE AData, HPALETTE APalette) override;

 protected:
  void Draw(TCanvas* ACanvas, const TRect& Rect) override;
  void AssignTo(TPersistent* Dest) override;

 private:
  std::vector<Byte> FData;
  std::unique_ptr<TBitmap> FBitmap;
  Integer FWidth = 0;
  Integer FHeight = 0;
  TJPEGQualityRange FQuality = 90;
};

// Unit start: registers "jpg" and "jpeg" with TPicture.
void JpegStart();
