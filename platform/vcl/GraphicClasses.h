#pragma once
// The graphic classes of the graphics unit: the abstract TGraphic, TBitmap over a DIB section,
// TIcon, and TPicture, which holds any of them and picks the class of a file by its extension.

#include <memory>
#include <vector>

#include "rtl/Streams.h"
#include "vcl/Graphics.h"

TAVREN_DECLARE_EXCEPTION(EInvalidGraphic, Exception);
TAVREN_DECLARE_EXCEPTION(EInvalidGraphicOperation, Exception);

// A picture that can draw itself on a canvas and be read from and written to streams. In form
// data a graphic is its "Data" property: what WriteData writes.
class TGraphic : public TPersistent {
  TAVREN_CLASS(TGraphic, TPersistent)
 public:
  virtual bool GetEmpty() const = 0;
  virtual Integer GetWidth() const = 0;
  virtual void SetWidth(Integer Value) = 0;
  virtual Integer GetHeight() const = 0;
  virtual void SetHeight(Integer Value) = 0;
  virtual void SetSize(Integer AWidth, Integer AHeight);
  virtual bool GetTransparent() const { return FTransparent; }
  virtual void SetTransparent(bool Value);
  virtual HPALETTE GetPalette() const { return nullptr; }
  virtual void SetPalette(HPALETTE) {}
  bool GetModified() const { return FModified; }
  void SetModified(bool Value);

  // EFOpenError/EFCreateError for files that cannot be opened; EInvalidGraphic for data of
  // another kind or damaged data, leaving the graphic as it was.
  void LoadFromFile(const String& FileName);
  void SaveToFile(const String& FileName);
  virtual void LoadFromStream(TStream* Stream) = 0;
  virtual void SaveToStream(TStream* Stream) = 0;

  // The graphic as clipboard data: a format and a handle that the clipboard will own (global
  // memory, or a bitmap for CF_BITMAP). A class that puts nothing there answers 0 and nullptr,
  // as the base class does.
  virtual void SaveToClipboardFormat(Word& AFormat, HANDLE& AData, HPALETTE& APalette);
  // Reads clipboard data, which stays the clipboard's. The base class reads a format registered
  // for its class with TPicture as the graphic's stream image; EInvalidGraphic for other formats
  // and for data that does not decode, leaving the graphic as it was.
  virtual void LoadFromClipboardFormat(Word AFormat, HANDLE AData, HPALETTE APalette);

  TNotifyEvent GetOnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent Value) { FOnChange = Value; }

 protected:
  friend class TCanvas;
  friend class TPicture;
  virtual void Draw(TCanvas* ACanvas, const TRect& Rect) = 0;
  virtual void Changed(TObject* Sender);
  void DefineProperties(TFiler* Filer) override;
  // The form data of the graphic: by default its stream image.
  virtual void ReadData(TStream* Stream) { LoadFromStream(Stream); }
  virtual void WriteData(TStream* Stream) { SaveToStream(Stream); }

 private:
  bool FTransparent = false;
  bool FModified = false;
  TNotifyEvent FOnChange;
};

using TGraphicClass = TClassOf<TGraphic>;

// The rest of a stream from its position, for the decoders that take a buffer.
std::vector<Byte> ReadRestOfStream(TStream* Stream);

enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };
TAVREN_ENUM_INFO(TPixelFormat, pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom);
enum TTransparentMode { tmAuto, tmFixed };
TAVREN_ENUM_INFO(TTransparentMode, tmAuto, tmFixed);
enum TBitmapHandleType { bmDIB, bmDDB };
TAVREN_ENUM_INFO(TBitmapHandleType, bmDIB, bmDDB);

// A bitmap kept as a DIB section of its pixel format (pfDevice: 32 bits, the screen's depth;
// new images are top-down, loaded ones keep their file's row order: ScanLine hides the difference).
// Its canvas is a memory DC holding the bitmap; it is let go whenever the bitmap's handle
// changes and when the bitmap goes dormant. A dormant bitmap keeps its pixels as a BMP image in
// memory and makes its handle again when asked. Pixels that cannot be allocated (a side beyond
// 32768, or no memory) raise EOutOfResources and leave the bitmap as it was.
class TBitmap : public TGraphic {
  TAVREN_CLASS(TBitmap, TGraphic)
 public:
  TBitmap();
  ~TBitmap() override;
  void Assign(TPersistent* Source) override;

  bool GetEmpty() const override;
  Integer GetWidth() const override { return FWidth; }
  void SetWidth(Integer Value) override { SetSize(Value, FHeight); }
  Integer GetHeight() const override { return FHeight; }
  void SetHeight(Integer Value) override { SetSize(FWidth, Value); }
  // Keeps the pixels that fit; new ones take the canvas brush's colour.
  void SetSize(Integer AWidth, Integer AHeight) override;
  TPixelFormat GetPixelFormat() const { return FPixelFormat; }
  // Converts the pixels to the new format. EInvalidGraphicOperation for pf15bit, pf16bit, pfCustom.
  void SetPixelFormat(TPixelFormat Value);
  bool GetMonochrome() const { return FPixelFormat == pf1bit; }
  void SetMonochrome(bool Value) { SetPixelFormat(Value ? pf1bit : pfDevice); }
  TBitmapHandleType GetHandleType() const { return FPixelFormat == pfDevice ? bmDDB : bmDIB; }
  void SetHandleType(TBitmapHandleType Value);

  TCanvas* GetCanvas();
  bool HandleAllocated() const { return FHandle != nullptr; }
  // Frees the canvas's DC, so that the caller can select the bitmap into a DC of its own.
  HBITMAP GetHandle();
  // Takes over a bitmap (a copy as a DIB section when it is not one already).
  void SetHandle(HBITMAP Value);
  // Hands the handle to the caller, who then owns it; the bitmap becomes empty.
  HBITMAP ReleaseHandle();
  // A monochrome mask: 1 where the pixel has TransparentColor. Made on first use, dropped on
  // change; the bitmap owns it.
  HBITMAP GetMaskHandle();
  void Mask(TColor TransparentColor);
  HBITMAP ReleaseMaskHandle();

  // Row Row of the pixels, top row 0, in the pixel format's layout.
  void* GetScanLine(Integer Row);

  // tmAuto: the colour of the bottom-left pixel.
  TColor GetTransparentColor();
  void SetTransparentColor(TColor Value);
  TTransparentMode GetTransparentMode() const { return FTransparentMode; }
  void SetTransparentMode(TTransparentMode Value);

  // Frees the handle and the canvas's DC, keeping the pixels in memory.
  void Dormant();
  // Drops the in-memory copy a handle no longer needs.
  void FreeImage();

  void LoadFromStream(TStream* Stream) override;
  void SaveToStream(TStream* Stream) override;
  // CF_BITMAP: a copy of the pixels.
  void SaveToClipboardFormat(Word& AFormat, HANDLE& AData, HPALETTE& APalette) override;
  void LoadFromClipboardFormat(Word AFormat, HANDLE AData, HPALETTE APalette) override;
  void LoadFromResourceName(HINSTANCE Instance, const String& ResName);
  void LoadFromResourceID(HINSTANCE Instance, Integer ResID);

 protected:
  void Draw(TCanvas* ACanvas, const TRect& Rect) override;
  void Changed(TObject* Sender) override;
  // Form data: a 32-bit length, then the BMP file.
  void ReadData(TStream* Stream) override;
  void WriteData(TStream* Stream) override;

 private:
  class TBitmapCanvas;
  void HandleNeeded();
  void FreeContext();
  void NewImage(HBITMAP Handle, TPixelFormat Format);
  void DropMask();
  void FreeStaleCopies(TObject* Sender);
  void Reformat(Integer AWidth, Integer AHeight, TPixelFormat Format);

  HBITMAP FHandle = nullptr;
  HBITMAP FMaskHandle = nullptr;
  std::vector<uint8_t> FDormantImage;
  Integer FWidth = 0;
  Integer FHeight = 0;
  TPixelFormat FPixelFormat = pfDevice;
  TColor FTransparentColor = clDefault;
  TTransparentMode FTransparentMode = tmAuto;
  std::unique_ptr<TBitmapCanvas> FCanvas;
};

class TIcon : public TGraphic {
  TAVREN_CLASS(TIcon, TGraphic)
 public:
  TIcon();
  ~TIcon() override;
  void Assign(TPersistent* Source) override;
  bool GetEmpty() const override { return FHandle == nullptr; }
  Integer GetWidth() const override { return FWidth; }
  void SetWidth(Integer Value) override;
  Integer GetHeight() const override { return FHeight; }
  void SetHeight(Integer Value) override;
  // Icons are drawn through their mask.
  bool GetTransparent() const override { return true; }
  HICON GetHandle() const { return FHandle; }
  // Takes over the icon.
  void SetHandle(HICON Value);
  HICON ReleaseHandle();
  void LoadFromStream(TStream* Stream) override;
  void SaveToStream(TStream* Stream) override;

 protected:
  void Draw(TCanvas* ACanvas, const TRect& Rect) override;

 private:
  HICON FHandle = nullptr;
  Integer FWidth = 0;
  Integer FHeight = 0;
};

// Holds one graphic of any registered class. The class of a file is chosen by its extension;
// form data names the graphic's class, then holds the graphic's own data.
class TPicture : public TInterfacedPersistent {
  TAVREN_CLASS(TPicture, TInterfacedPersistent)
 public:
  TPicture();
  ~TPicture() override;
  void Assign(TPersistent* Source) override;

  TGraphic* GetGraphic() const { return FGraphic.get(); }
  // A copy of Value (of its class) becomes the picture's graphic; nullptr empties it.
  void SetGraphic(TGraphic* Value);
  // These replace the graphic with an empty one of their class unless it already is one.
  TBitmap* GetBitmap();
  void SetBitmap(TBitmap* Value) { SetGraphic(Value); }
  TIcon* GetIcon();
  void SetIcon(TIcon* Value) { SetGraphic(Value); }
  Integer GetWidth() const { return FGraphic ? FGraphic->GetWidth() : 0; }
  Integer GetHeight() const { return FGraphic ? FGraphic->GetHeight() : 0; }

  // EInvalidGraphic "Unknown picture file extension (.xyz)" for extensions no class reads.
  void LoadFromFile(const String& FileName);
  void SaveToFile(const String& FileName);

  TNotifyEvent GetOnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent Value) { FOnChange = Value; }

  // Extensions without the dot, compared without regard to case; a later registration of an
  // extension wins.
  static void RegisterFileFormat(const String& Extension, const String& Description, TGraphicClass GraphicClass);
  static void UnregisterGraphicClass(TGraphicClass GraphicClass);
  // The class registered for an extension (with or without its dot), nullptr when none.
  static TGraphicClass FileFormatClass(const String& Extension);

  // The class that reads a clipboard format (a later registration wins); CF_BITMAP is TBitmap's.
  static void RegisterClipboardFormat(Word AFormat, TGraphicClass GraphicClass);
  static bool SupportsClipboardFormat(Word AFormat);
  static TGraphicClass ClipboardFormatClass(Word AFormat);
  // The registered formats, the latest registration first: the order a paste prefers them in.
  static std::vector<Word> ClipboardFormats();
  // A new graphic of the format's class reads the data and becomes the picture's graphic;
  // EInvalidGraphic for an unregistered format or data that does not decode (the picture stays).
  void LoadFromClipboardFormat(Word AFormat, HANDLE AData, HPALETTE APalette);
  void SaveToClipboardFormat(Word& AFormat, HANDLE& AData, HPALETTE& APalette);

 protected:
  void DefineProperties(TFiler* Filer) override;
  virtual void Changed(TObject* Sender);

 private:
  void ForceType(TGraphicClass GraphicClass);
  void ReadData(TStream* Stream);
  void WriteData(TStream* Stream);
  void Adopt(TGraphic* NewGraphic);

  std::unique_ptr<TGraphic> FGraphic;
  TNotifyEvent FOnChange;
};

// A metafile: the class exists for code that lists graphic classes, but this platform reads no
// metafiles, so one is always empty and loading one raises EInvalidGraphic.
class TMetafile : public TGraphic {
  TAVREN_CLASS(TMetafile, TGraphic)
 public:
  void Assign(TPersistent* Source) override;
  bool GetEmpty() const override { return true; }
  Integer GetWidth() const override { return 0; }
  void SetWidth(Integer) override {}
  Integer GetHeight() const override { return 0; }
  void SetHeight(Integer) override {}
  void LoadFromStream(TStream* Stream) override;
  void SaveToStream(TStream*) override {}

 protected:
  void Draw(TCanvas*, const TRect&) override {}
};

// The open dialog filter of the registered formats whose class is GraphicClass or descends from
// it: "All (*.bmp;*.ico)|*.bmp;*.ico|Bitmaps (*.bmp)|*.bmp|Icons (*.ico)|*.ico".
String GraphicFilter(TGraphicClass GraphicClass);
// The last extension registered for exactly that class (without the dot), empty when none.
String GraphicExtension(TGraphicClass GraphicClass);
// "*.bmp;*.ico": the masks of GraphicFilter's first entry.
String GraphicFileMask(TGraphicClass GraphicClass);

// Unit start: the built-in file formats (bmp, ico) and CF_BITMAP. End: forgets every registration.
void GraphicsStart();
void GraphicsEnd();
