#include "toolkit/foundation/qzGDIPlusClasses.h"

#include <cstring>

#include "gdi/Bitmaps.h"
#include "gdi/GdiTypes.h"
#include "rtl/ClassRegistry.h"
#include "rtl/Streams.h"
#include "user/Clipboard.h"
#include "user/Painting.h"
#include "vcl/Clipbrd.h"

TAVREN_CLASS_IMPL(TqzPNGImage)

namespace {

bool useLibraryImages = false;

std::unique_ptr<TqzGPImage> NewImage() {
  if (useLibraryImages) return std::make_unique<TqzGPImage>();
  return std::make_unique<TqzGPNullImage>();
}

const Byte kPngSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};

uint32_t BigEndian32(const Byte* p) {
  return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
}

// The bytes of the picture that starts at the stream's position: a PNG ends with its IEND chunk,
// so that a picture inside a larger stream takes only its own bytes; anything else takes the rest
// of the stream. The position is left where it was.
Int64 PictureLength(TStream* Stream) {
  Int64 start = Stream->GetPosition();
  Int64 rest = Stream->GetSize() - start;
  Byte head[8];
  if (rest < 8 || Stream->Read(head, 8) != 8 || std::memcmp(head, kPngSignature, 8) != 0) {
    Stream->SetPosition(start);
    return rest;
  }
  Int64 length = 8;
  Byte chunk[8];
  while (length + 12 <= rest && Stream->Read(chunk, 8) == 8) {
    Int64 chunkLength = Int64{BigEndian32(chunk)} + 12;
    length += chunkLength;
    if (std::memcmp(chunk + 4, "IEND", 4) == 0 || length >= rest) break;
    Stream->Seek(chunkLength - 8, soCurrent);
  }
  Stream->SetPosition(start);
  return std::min(length, rest);
}

}  // namespace

// ---- TqzGPImage ---------------------------------------------------------------------------

TqzGPImage::~TqzGPImage() {
  // A destructor must not throw: a failed dispose is not reported.
  if (FHandle && GdiPlus().GdipDisposeImage) GdiPlus().GdipDisposeImage(FHandle);
}

std::unique_ptr<TqzGPImage> TqzGPImage::NewOfSameClass() const { return std::make_unique<TqzGPImage>(); }
std::unique_ptr<TqzGPImage> TqzGPNullImage::NewOfSameClass() const { return std::make_unique<TqzGPNullImage>(); }

void TqzGPImage::InitFromBits(Integer Width, Integer Height, const TqzRGBColors& Bits, bool HasAlpha) {
  GpCheck(GdiPlusReady());  // without the library there is nothing to make the image with
  FBits = Bits;
  if (!HasAlpha)
    for (uint32_t& pixel : *FBits) pixel |= 0xFF000000u;
  GpCheckStatus(GdiPlus().GdipCreateBitmapFromScan0(Width, Height, Width * 4, PixelFormat32bppPARGB,
                                                    reinterpret_cast<BYTE*>(FBits->data()), &FHandle));
}

void TqzGPImage::InitFromBitmap(TBitmap* Bitmap) {
  EnsurePngEncoderId();
  TqzRGBColors colors;
  GetBitmapBits(Bitmap, colors);
  InitFromBits(Bitmap->GetWidth(), Bitmap->GetHeight(), colors, Bitmap->GetPixelFormat() == pf32bit);
}

void TqzGPImage::InitFromStream(TStream* Stream) {
  if (!GdiPlusReady() || Stream->GetSize() - Stream->GetPosition() < 14) return;
  Byte head[14];
  Stream->ReadBuffer(head, 14);
  Stream->Seek(Int64{-14}, soCurrent);
  if (head[0] == 'B' && head[1] == 'M') {
    TBitmap bitmap;
    bitmap.LoadFromStream(Stream);
    InitFromBitmap(&bitmap);
  } else {
    LoadFromStream(Stream);
  }
}

void TqzGPImage::LoadFromStream(TStream* Stream) {
  auto block = new TMemoryStream;
  TInterfacePtr<IStream> comStream(new TStreamAdapter(block, soOwned));
  GpCheck(comStream.Get() != nullptr);
  Int64 length = PictureLength(Stream);
  block->SetSize(length);
  Stream->ReadBuffer(block->GetMemory(), static_cast<Integer>(length));
  GpCheckStatus(GdiPlus().GdipCreateBitmapFromStream(comStream.Get(), &FHandle));
}

std::unique_ptr<TqzGPImage> TqzGPImage::Clone() const {
  std::unique_ptr<TqzGPImage> clone = NewOfSameClass();
  if (!FBits || FBits->empty()) {
    GpCheckStatus(GdiPlus().GdipCloneImage(FHandle, &clone->FHandle));
  } else {
    REAL width = 0, height = 0;
    GpCheckStatus(GdiPlus().GdipGetImageDimension(FHandle, &width, &height));
    clone->InitFromBits(static_cast<Integer>(width), static_cast<Integer>(height), FBits, true);
  }
  return clone;
}

void TqzGPImage::SaveToStream(TStream* Stream) const {
  TInterfacePtr<IStream> comStream(new TStreamAdapter(Stream));
  GpCheckStatus(GdiPlus().GdipSaveImageToStream(FHandle, comStream.Get(), &PngEncoderId(), nullptr));
}

void TqzGPImage::GetBitmapBits(TBitmap* Bitmap, TqzRGBColors& Colors) {
  Integer width = Bitmap->GetWidth(), height = Bitmap->GetHeight();
  Colors = std::make_shared<std::vector<uint32_t>>(static_cast<size_t>(width) * height);
  if (width <= 0 || height <= 0) return;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  HDC screen = GetDC(nullptr);
  GetDIBits(screen, Bitmap->GetHandle(), 0, height, Colors->data(), &info, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
}

std::unique_ptr<TqzGPImage> CreateImageFromBits(Integer Width, Integer Height, const TqzRGBColors& Bits,
                                                bool HasAlpha) {
  auto image = NewImage();
  image->InitFromBits(Width, Height, Bits, HasAlpha);
  return image;
}

std::unique_ptr<TqzGPImage> CreateImageFromBitmap(TBitmap* Bitmap) {
  auto image = NewImage();
  image->InitFromBitmap(Bitmap);
  return image;
}

std::unique_ptr<TqzGPImage> CreateImageFromStream(TStream* Stream) {
  auto image = NewImage();
  image->InitFromStream(Stream);
  return image;
}

// ---- TqzPNGImage --------------------------------------------------------------------------

TqzPNGImage::~TqzPNGImage() { ReplaceGPImage(nullptr); }

void TqzPNGImage::ReplaceGPImage(std::unique_ptr<TqzGPImage> NewImage) {
  if (NewImage.get() == FImage.get()) return;
  FImage = std::move(NewImage);
  // The alpha answer belongs to the picture it was computed for.
  FAlphaUsedKnown = false;
}

void TqzPNGImage::Assign(TPersistent* Source) {
  if (auto* bitmap = dynamic_cast<TBitmap*>(Source)) {
    GdiPlusReady();
    ReplaceGPImage(CreateImageFromBitmap(bitmap));
  } else if (auto* png = dynamic_cast<TqzPNGImage*>(Source)) {
    // An empty picture empties this one; handing it to the framework's Assign would come back
    // here through AssignTo without end.
    ReplaceGPImage(png->FImage ? png->FImage->Clone() : nullptr);
  } else {
    inherited::Assign(Source);
  }
}

void TqzPNGImage::AssignTo(TPersistent* Dest) {
  if (auto* png = dynamic_cast<TqzPNGImage*>(Dest)) {
    png->Assign(this);
  } else if (auto* bitmap = dynamic_cast<TBitmap*>(Dest)) {
    std::unique_ptr<TBitmap> copy(GetAsBitmap());
    bitmap->Assign(copy.get());
  } else {
    inherited::AssignTo(Dest);
  }
}

void TqzPNGImage::Changed(TObject* Sender) {
  FAlphaUsedKnown = false;
  inherited::Changed(Sender);
}

TSize TqzPNGImage::GetSize() const {
  if (!FImage || !FImage->Handle()) return TSize{};
  REAL width = 0, height = 0;
  GpCheckStatus(GdiPlus().GdipGetImageDimension(FImage->Handle(), &width, &height));
  return TSize{static_cast<Integer>(width), static_cast<Integer>(height)};
}

bool TqzPNGImage::GetEmpty() const {
  TSize size = GetSize();
  return size.cx < 1 || size.cy < 1;
}

void TqzPNGImage::LoadFromStream(TStream* Stream) {
  if (Stream->GetSize() != 0)
    ReplaceGPImage(CreateImageFromStream(Stream));
  else
    ReplaceGPImage(nullptr);
}

void TqzPNGImage::SaveToStream(TStream* Stream) {
  if (!FImage) return;
  TMemoryStream memory;
  FImage->SaveToStream(&memory);
  memory.SetPosition(0);
  Stream->CopyFrom(&memory, memory.GetSize());
}

void TqzPNGImage::Draw(TCanvas* ACanvas, const TRect& Rect) {
  DrawPartToDC(ACanvas->GetHandle(), Rect, TRect{0, 0, GetWidth(), GetHeight()});
}

void TqzPNGImage::DrawToDC(HDC DC, const TRect& DestRect) {
  DrawPartToDC(DC, DestRect, TRect{0, 0, GetWidth(), GetHeight()});
}

void TqzPNGImage::DrawPartToDC(HDC DC, const TRect& DestRect, const TRect& SourceRect) {
  if (!FImage || !FImage->Handle()) return;
  GpGraphics* graphics = nullptr;
  GpCheckStatus(GdiPlus().GdipCreateFromHDC(DC, &graphics));
  try {
    DrawToGraphics(graphics, DestRect, SourceRect);
  } catch (...) {
    GdiPlus().GdipDeleteGraphics(graphics);
    throw;
  }
  GpCheckStatus(GdiPlus().GdipDeleteGraphics(graphics));
}

void TqzPNGImage::DrawToGraphics(GpGraphics* Graphics, const TRect& DestRect, const TRect& SourceRect) {
  if (!FImage || !FImage->Handle()) return;
  REAL sourceWidth = static_cast<REAL>(SourceRect.Right - SourceRect.Left);
  REAL sourceHeight = static_cast<REAL>(SourceRect.Bottom - SourceRect.Top);
  REAL destWidth = static_cast<REAL>(DestRect.Right - DestRect.Left);
  REAL destHeight = static_cast<REAL>(DestRect.Bottom - DestRect.Top);
  if (sourceWidth < 1 || sourceHeight < 1 || destWidth < 1 || destHeight < 1) return;
  // Stretching samples one pixel beyond the source's far edge: one less keeps that edge clean.
  if (destWidth > sourceWidth && sourceWidth > 1) sourceWidth -= 1;
  if (destHeight > sourceHeight && sourceHeight > 1) sourceHeight -= 1;
  GpCheckStatus(GdiPlus().GdipDrawImageRectRect(
      Graphics, FImage->Handle(), static_cast<REAL>(DestRect.Left), static_cast<REAL>(DestRect.Top), destWidth,
      destHeight, static_cast<REAL>(SourceRect.Left), static_cast<REAL>(SourceRect.Top), sourceWidth, sourceHeight,
      UnitPixel, nullptr, nullptr, nullptr));
}

void TqzPNGImage::DrawWhenLoaded(GpGraphics* Graphics, const TRect& DestRect, const TRect& SourceRect) {
  if (FImage) DrawToGraphics(Graphics, DestRect, SourceRect);
}

TBitmap* TqzPNGImage::GetAsBitmap() {
  GpCheck(FImage && FImage->Handle());
  HBITMAP handle = nullptr;
  GpCheckStatus(GdiPlus().GdipCreateHBITMAPFromBitmap(FImage->Handle(), &handle, 0));
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetPixelFormat(pf32bit);
  bitmap->SetHandle(handle);
  return bitmap.release();
}

void TqzPNGImage::SetBitmap(TBitmap* Source) {
  GdiPlusReady();
  ReplaceGPImage(CreateImageFromBitmap(Source));
}

bool TqzPNGImage::HasAlphaChannel() {
  if (!FAlphaUsedKnown) {
    std::unique_ptr<TBitmap> bitmap(GetAsBitmap());
    TqzRGBColors colors;
    TqzGPImage::GetBitmapBits(bitmap.get(), colors);
    FAlphaUsed = false;
    for (uint32_t pixel : *colors)
      if ((pixel >> 24) != 0xFF) {
        FAlphaUsed = true;
        break;
      }
    FAlphaUsedKnown = true;
  }
  return FAlphaUsed;
}

bool TqzPNGImage::IsEqualImage(TqzPNGImage* Other) {
  TSize size = GetSize(), otherSize = Other->GetSize();
  if (size != otherSize) return false;
  if (GetEmpty() || Other->GetEmpty()) return true;
  std::unique_ptr<TBitmap> mine(GetAsBitmap()), theirs(Other->GetAsBitmap());
  TqzRGBColors a, b;
  TqzGPImage::GetBitmapBits(mine.get(), a);
  TqzGPImage::GetBitmapBits(theirs.get(), b);
  return *a == *b;
}

void TqzPNGImage::SaveToClipboardFormat(Word& AFormat, HANDLE& AData, HPALETTE& APalette) {
  if (GetEmpty()) {
    inherited::SaveToClipboardFormat(AFormat, AData, APalette);
    return;
  }
  std::unique_ptr<TBitmap> bitmap(GetAsBitmap());
  bitmap->SaveToClipboardFormat(AFormat, AData, APalette);
}

void TqzPNGImage::LoadFromClipboardFormat(Word AFormat, HANDLE AData, HPALETTE APalette) {
  if (AFormat != CF_BITMAP) {
    inherited::LoadFromClipboardFormat(AFormat, AData, APalette);
    return;
  }
  TBitmap bitmap;
  bitmap.LoadFromClipboardFormat(AFormat, AData, APalette);
  SetBitmap(&bitmap);
}

// ---- Registration -------------------------------------------------------------------------

namespace {

void RegisterPngGraphic() {
  useLibraryImages = false;
  if (!GdiPlusReady()) return;
  EnsurePngEncoderId();
  useLibraryImages = true;
  RegisterClass(TqzPNGImage::ClassInfo());
  TPicture::RegisterFileFormat("PNG", "Portable Network Graphics", TqzPNGImage::ClassInfo());
  // The clipboard carries a PNG image's own bytes under CF_PICTURE beside its CF_BITMAP.
  TPicture::RegisterClipboardFormat(CF_PICTURE, TqzPNGImage::ClassInfo());
}

void UnregisterPngGraphic() {
  TPicture::UnregisterGraphicClass(TqzPNGImage::ClassInfo());
  UnRegisterClass(TqzPNGImage::ClassInfo());
}

}  // namespace

void qzGDIPlusClassesStart() { UnitsLoaderInstance()->RegisterUnitProcs(&RegisterPngGraphic, &UnregisterPngGraphic); }

void qzGDIPlusClassesEnd() { UnitsLoaderInstance()->UnregisterUnitProcs(&UnregisterPngGraphic); }
