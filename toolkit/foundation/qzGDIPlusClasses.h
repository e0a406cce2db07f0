#pragma once
// PNG pictures with alpha, drawn through the 2-D graphics library: TqzPNGImage, a graphic that
// pictures, image controls and canvases draw and stream, and TqzGPImage, the library image it
// holds. Registered as the picture class of ".png" when the library is available.

#include <cstdint>
#include <memory>
#include <vector>

#include "toolkit/foundation/qzGDIPlusAPI.h"
#include "vcl/GraphicClasses.h"

// 32-bit pixels, bytes blue, green, red, alpha; shared between an image and its clones.
using TqzRGBColors = std::shared_ptr<std::vector<uint32_t>>;

class TqzGPImage : public TqzGPBase {
 public:
  TqzGPImage() = default;
  ~TqzGPImage() override;
  TqzGPImage(const TqzGPImage&) = delete;
  TqzGPImage& operator=(const TqzGPImage&) = delete;

  // Reads the picture's own bytes from the stream's position and decodes them.
  virtual void LoadFromStream(TStream* Stream);
  // A new image of the same class: a library clone, or one over the same pixels.
  std::unique_ptr<TqzGPImage> Clone() const;
  // Always PNG.
  void SaveToStream(TStream* Stream) const;
  static void GetBitmapBits(TBitmap* Bitmap, TqzRGBColors& Colors);

  GpImage* Handle() const noexcept { return FHandle; }
  const TqzRGBColors& Bits() const noexcept { return FBits; }

  // The constructors of the image class in use (see CreateImage*).
  void InitFromBits(Integer Width, Integer Height, const TqzRGBColors& Bits, bool HasAlpha);
  void InitFromBitmap(TBitmap* Bitmap);
  void InitFromStream(TStream* Stream);

 protected:
  virtual std::unique_ptr<TqzGPImage> NewOfSameClass() const;

 private:
  TqzRGBColors FBits;
  GpImage* FHandle = nullptr;
};

// The same image from the ordinary heap, so that it can exist while the library is not loaded.
class TqzGPNullImage : public TqzGPImage {
 public:
  static void* operator new(size_t Size) { return ::operator new(Size); }
  static void operator delete(void* Pointer) { ::operator delete(Pointer); }

 protected:
  std::unique_ptr<TqzGPImage> NewOfSameClass() const override;
};

// Images made through the class in use: TqzGPNullImage until the unit's set-up finds the
// library, then TqzGPImage.
std::unique_ptr<TqzGPImage> CreateImageFromBits(Integer Width, Integer Height, const TqzRGBColors& Bits,
                                                bool HasAlpha);
std::unique_ptr<TqzGPImage> CreateImageFromBitmap(TBitmap* Bitmap);
std::unique_ptr<TqzGPImage> CreateImageFromStream(TStream* Stream);

class TqzPNGImage : public TGraphic {
  TAVREN_CLASS(TqzPNGImage, TGraphic)
 public:
  TqzPNGImage() = default;
  ~TqzPNGImage() override;

  void Assign(TPersistent* Source) override;
  bool GetEmpty() const override;
  Integer GetWidth() const override { return GetSize().cx; }
  Integer GetHeight() const override { return GetSize().cy; }
  // The size comes from the picture.
  void SetWidth(Integer) override {}
  void SetHeight(Integer) override {}
  bool GetTransparent() const override { return true; }
  void LoadFromStream(TStream* Stream) override;
  void SaveToStream(TStream* Stream) override;
  // CF_BITMAP both ways; the unit registers CF_PICTURE for the class,
  // so the clipboard also carries the image's own bytes.
  void SaveToClipboardFormat(Word& AFormat, HANDLE& AData, HPALETTE& APalette) override;
  void LoadFromClipboardFormat(Word AFormat, HANDLE AData, HPALETTE APalette) override;

  virtual bool IsEqualImage(TqzPNGImage* Other);
  // A new 32-bit bitmap of the picture; the caller frees it. Needs a held image.
  virtual TBitmap* GetAsBitmap();
  virtual void SetBitmap(TBitmap* Source);
  virtual void DrawToDC(HDC DC, const TRect& DestRect);
  virtual void DrawPartToDC(HDC DC, const TRect& DestRect, const TRect& SourceRect);
  virtual void DrawToGraphics(GpGraphics* Graphics, const TRect& DestRect, const TRect& SourceRect);
  void DrawWhenLoaded(GpGraphics* Graphics, const TRect& DestRect, const TRect& SourceRect);
  // Whether some pixel is not fully opaque; kept until the picture changes.
  bool HasAlphaChannel();
  void ReplaceGPImage(std::unique_ptr<TqzGPImage> NewImage);
  TqzGPImage* GetImage() const noexcept { return FImage.get(); }
  TSize GetSize() const;

 protected:
  void AssignTo(TPersistent* Dest) override;
  void Changed(TObject* Sender) override;
  void Draw(TCanvas* ACanvas, const TRect& Rect) override;

 private:
  std::unique_ptr<TqzGPImage> FImage;
  bool FAlphaUsed = false;
  bool FAlphaUsedKnown = false;
};

// Unit start: queues the PNG registration with the unit loader. End: takes it back.
void qzGDIPlusClassesStart();
void qzGDIPlusClassesEnd();
