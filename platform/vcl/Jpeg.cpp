#include "vcl/Jpeg.h"

#include <cstring>

#include "gdi/ImageFiles.h"
#include "user/Clipboard.h"

TAVREN_CLASS_IMPL(TJPEGImage)

TJPEGImage::TJPEGImage() = default;
TJPEGImage::~TJPEGImage() = default;

void TJPEGImage::SetCompressionQuality(TJPEGQualityRange Value) {
  FQuality = Value < 1 ? 1 : Value > 100 ? 100 : Value;
}

void TJPEGImage::DIBNeeded() {
  if (FBitmap || FData.empty()) return;
  PixelImage image;
  if (!DecodeJpeg(FData.data(), FData.size(), image)) throw EInvalidGraphic("JPEG image is not valid");
  HBITMAP handle = BitmapFromImage(image);
  if (!handle) throw EOutOfResources("Out of system resources");
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetHandle(handle);
  FBitmap = std::move(bitmap);
}

void TJPEGImage::JPEGNeeded() {
  if (!FData.empty() || !FBitmap || FBitmap->GetEmpty()) return;
  PixelImage image;
  image.width = FBitmap->GetWidth();
  image.height = FBitmap->GetHeight();
  image.pixels.resize(static_cast<size_t>(image.width) * image.height);
  TBitmap copy;
  copy.Assign(FBitmap.get());
  copy.SetPixelFormat(pf32bit);
  for (Integer y = 0; y < image.height; ++y)
    std::memcpy(&image.pixels[static_cast<size_t>(y) * image.width], copy.GetScanLine(y),
                static_cast<size_t>(image.width) * 4);
  std::vector<uint8_t> out;
  if (!EncodeJpeg(image, FQuality, out)) throw EInvalidGraphicOperation("Cannot write the JPEG image");
  FData.assign(out.begin(), out.end());
}

TBitmap* TJPEGImage::GetBitmap() {
  DIBNeeded();
  return FBitmap.get();
}

void TJPEGImage::LoadFromStream(TStream* Stream) {
  std::vector<Byte> data = ReadRestOfStream(Stream);
  PixelImage image;
  // Decoded once here so that damaged data is refused now, not when it is first drawn.
  if (data.empty() || !DecodeJpeg(data.data(), data.size(), image)) throw EInvalidGraphic("JPEG image is not valid");
  FData = std::move(data);
  FBitmap.reset();
  FWidth = image.width;
  FHeight = image.height;
  Changed(this);
}

void TJPEGImage::SaveToStream(TStream* Stream) {
  JPEGNeeded();
  if (!FData.empty()) Stream->WriteBuffer(FData.data(), static_cast<Integer>(FData.size()));
}

void TJPEGImage::Draw(TCanvas* ACanvas, const TRect& Rect) {
  if (TBitmap* bitmap = GetBitmap()) ACanvas->StretchDraw(Rect, bitmap);
}

void TJPEGImage::Assign(TPersistent* Source) {
  if (auto* jpeg = dynamic_cast<TJPEGImage*>(Source)) {
    jpeg->JPEGNeeded();
    FData = jpeg->FData;
    FBitmap.reset();
    FWidth = jpeg->FWidth;
    FHeight = jpeg->FHeight;
    FQuality = jpeg->FQuality;
    Changed(this);
  } else if (auto* bitmap = dynamic_cast<TBitmap*>(Source)) {
    auto copy = std::make_unique<TBitmap>();
    copy->Assign(bitmap);
    FBitmap = std::move(copy);
    FData.clear();
    FWidth = FBitmap->GetWidth();
    FHeight = FBitmap->GetHeight();
    Changed(this);
  } else {
    inherited::Assign(Source);
  }
}

void TJPEGImage::AssignTo(TPersistent* Dest) {
  if (auto* bitmap = dynamic_cast<TBitmap*>(Dest)) {
    bitmap->Assign(GetBitmap());
    return;
  }
  inherited::AssignTo(Dest);
}

void TJPEGImage::SaveToClipboardFormat(Word& AFormat, HANDLE& AData, HPALETTE& APalette) {
  if (TBitmap* bitmap = GetBitmap()) {
    bitmap->SaveToClipboardFormat(AFormat, AData, APalette);
    return;
  }
  inherited::SaveToClipboardFormat(AFormat, AData, APalette);
}

void TJPEGImage::LoadFromClipboardFormat(Word AFormat, HANDLE AData, HPALETTE APalette) {
  if (AFormat != CF_BITMAP) {
    inherited::LoadFromClipboardFormat(AFormat, AData, APalette);
    return;
  }
  TBitmap bitmap;
  bitmap.LoadFromClipboardFormat(AFormat, AData, APalette);
  Assign(&bitmap);
}

void JpegStart() {
  TPicture::RegisterFileFormat("jpg", "JPEG Image File", TJPEGImage::ClassInfo());
  TPicture::RegisterFileFormat("jpeg", "JPEG Image File", TJPEGImage::ClassInfo());
}
