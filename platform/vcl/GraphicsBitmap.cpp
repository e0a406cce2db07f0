#include <algorithm>
#include <cstring>

#include "gdi/ImageFiles.h"
#include "rtl/Resources.h"
#include "user/Clipboard.h"
#include "vcl/GraphicClasses.h"

namespace {

int BitsOf(TPixelFormat Format) {
  switch (Format) {
    case pf1bit: return 1;
    case pf4bit: return 4;
    case pf8bit: return 8;
    case pf24bit: return 24;
    case pfDevice:
    case pf32bit: return 32;
    default: throw EInvalidGraphicOperation("Unsupported pixel format");
  }
}

TPixelFormat FormatOfBits(int Bits) {
  switch (Bits) {
    case 1: return pf1bit;
    case 4: return pf4bit;
    case 8: return pf8bit;
    case 24: return pf24bit;
    default: return pf32bit;
  }
}

// The colour table of a new DIB: black and white; the sixteen VGA colours; those, a 6 x 6 x 6
// cube and a grey ramp.
void FillColorTable(RGBQUAD* table, int bits) {
  static constexpr Byte kVga[16][3] = {{0, 0, 0},       {128, 0, 0},     {0, 128, 0},   {128, 128, 0},
                                       {0, 0, 128},     {128, 0, 128},   {0, 128, 128}, {192, 192, 192},
                                       {128, 128, 128}, {255, 0, 0},     {0, 255, 0},   {255, 255, 0},
                                       {0, 0, 255},     {255, 0, 255},   {0, 255, 255}, {255, 255, 255}};
  auto set = [&](int i, Byte r, Byte g, Byte b) { table[i] = RGBQUAD{b, g, r, 0}; };
  if (bits == 1) {
    set(0, 0, 0, 0);
    set(1, 255, 255, 255);
    return;
  }
  for (int i = 0; i < 16; ++i) set(i, kVga[i][0], kVga[i][1], kVga[i][2]);
  if (bits == 4) return;
  int i = 16;
  for (int r = 0; r < 6; ++r)
    for (int g = 0; g < 6; ++g)
      for (int b = 0; b < 6; ++b) set(i++, Byte(r * 51), Byte(g * 51), Byte(b * 51));
  for (int k = 0; i < 256; ++i, ++k) set(i, Byte(8 + k * 10), Byte(8 + k * 10), Byte(8 + k * 10));
}

HBITMAP NewDib(Integer Width, Integer Height, TPixelFormat Format) {
  const int bits = BitsOf(Format);
  std::vector<Byte> buffer(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD));
  auto* info = reinterpret_cast<BITMAPINFO*>(buffer.data());
  info->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info->bmiHeader.biWidth = Width;
  info->bmiHeader.biHeight = -Height;  // top-down
  info->bmiHeader.biPlanes = 1;
  info->bmiHeader.biBitCount = static_cast<WORD>(bits);
  info->bmiHeader.biCompression = BI_RGB;
  if (bits <= 8) {
    info->bmiHeader.biClrUsed = 1u << bits;
    FillColorTable(info->bmiColors, bits);
  }
  void* pixels = nullptr;
  HBITMAP handle = CreateDIBSection(nullptr, info, DIB_RGB_COLORS, &pixels, nullptr, 0);
  if (!handle) throw EOutOfResources("Out of system resources");
  return handle;
}

}  // namespace

// The canvas of a bitmap: a memory DC that holds the bitmap while the canvas has it.
class TBitmap::TBitmapCanvas : public TCanvas {
 public:
  explicit TBitmapCanvas(TBitmap* Bitmap) : FBitmap(Bitmap) {}
  ~TBitmapCanvas() override { FreeContext(); }

  void FreeContext() {
    if (!HandleAllocated()) return;
    HDC dc = GetHandle();
    SetHandle(nullptr);
    if (FOldBitmap) SelectObject(dc, FOldBitmap);
    FOldBitmap = nullptr;
    DeleteDC(dc);
  }

 protected:
  void CreateHandle() override {
    FBitmap->HandleNeeded();
    HDC dc = CreateCompatibleDC(nullptr);
    if (!dc) throw EOutOfResources("Out of system resources");
    if (FBitmap->FHandle) FOldBitmap = static_cast<HBITMAP>(SelectObject(dc, FBitmap->FHandle));
    SetHandle(dc);
  }

 private:
  TBitmap* FBitmap;
  HBITMAP FOldBitmap = nullptr;
};

TAVREN_CLASS_IMPL(TBitmap)

TBitmap::TBitmap() = default;

TBitmap::~TBitmap() {
  FCanvas.reset();
  DropMask();
  if (FHandle) DeleteObject(FHandle);
}

bool TBitmap::GetEmpty() const { return FWidth <= 0 || FHeight <= 0; }

TCanvas* TBitmap::GetCanvas() {
  if (!FCanvas) {
    FCanvas = std::make_unique<TBitmapCanvas>(this);
    FCanvas->SetOnChange(MakeEvent<&TBitmap::Changed>(this));
    // Drawing makes the in-memory copy and the mask stale.
    FCanvas->SetOnChanging(MakeEvent<&TBitmap::FreeStaleCopies>(this));
  }
  return FCanvas.get();
}

void TBitmap::FreeStaleCopies(TObject*) {
  HandleNeeded();
  FDormantImage.clear();
  DropMask();
}

void TBitmap::FreeContext() {
  if (FCanvas) FCanvas->FreeContext();
}

void TBitmap::HandleNeeded() {
  if (FHandle || FDormantImage.empty()) return;
  HBITMAP handle = DecodeBmp(FDormantImage.data(), FDormantImage.size());
  if (!handle) throw EInvalidGraphic("Bitmap image is not valid");
  FHandle = handle;
  FDormantImage.clear();
}

HBITMAP TBitmap::GetHandle() {
  // The caller may select the bitmap into a DC of its own (a bitmap lives in one DC at a time)
  // and change its pixels: the canvas lets go of it and the copies made from it are dropped.
  FreeContext();
  FreeStaleCopies(this);
  return FHandle;
}

void TBitmap::NewImage(HBITMAP Handle, TPixelFormat Format) {
  FreeContext();
  DropMask();
  FDormantImage.clear();
  if (FHandle) DeleteObject(FHandle);
  FHandle = Handle;
  FPixelFormat = Format;
  FWidth = FHeight = 0;
  BITMAP bm;
  if (Handle && GetObject(Handle, sizeof(bm), &bm)) {
    FWidth = bm.bmWidth;
    FHeight = bm.bmHeight;
  }
}

void TBitmap::Reformat(Integer AWidth, Integer AHeight, TPixelFormat Format) {
  AWidth = std::max(AWidth, 0);
  AHeight = std::max(AHeight, 0);
  HBITMAP handle = nullptr;
  if (AWidth > 0 && AHeight > 0) {
    handle = NewDib(AWidth, AHeight, Format);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, handle);
    TColor fill = FCanvas ? FCanvas->GetBrush()->GetColor() : clWhite;
    HBRUSH brush = CreateSolidBrush(ColorToRGB(fill));
    RECT all{0, 0, AWidth, AHeight};
    ::FillRect(dc, &all, brush);
    DeleteObject(brush);
    if (!GetEmpty()) {
      HDC source = GetCanvas()->GetHandle();
      COLORREF oldBk = SetBkColor(source, RGB(255, 255, 255));
      BitBlt(dc, 0, 0, std::min(AWidth, FWidth), std::min(AHeight, FHeight), source, 0, 0, SRCCOPY);
      SetBkColor(source, oldBk);
    }
    SelectObject(dc, old);
    DeleteDC(dc);
  }
  NewImage(handle, Format);
  FWidth = AWidth;
  FHeight = AHeight;
  Changed(this);
}

void TBitmap::SetSize(Integer AWidth, Integer AHeight) {
  if (AWidth == FWidth && AHeight == FHeight) return;
  Reformat(AWidth, AHeight, FPixelFormat);
}

void TBitmap::SetPixelFormat(TPixelFormat Value) {
  BitsOf(Value);  // refuses the formats this platform cannot hold
  if (Value == FPixelFormat) return;
  Reformat(FWidth, FHeight, Value);
}

void TBitmap::SetHandleType(TBitmapHandleType Value) {
  if (Value == GetHandleType()) return;
  SetPixelFormat(Value == bmDDB ? pfDevice : pf32bit);
}

void TBitmap::SetHandle(HBITMAP Value) {
  if (Value == FHandle) return;
  TPixelFormat format = pfDevice;
  if (Value) {
    DIBSECTION ds;
    if (GetObject(Value, sizeof(ds), &ds) != sizeof(ds)) {
      // A device bitmap: our canvas and scan lines need pixel memory of a known layout.
      BITMAP bm;
      GetObject(Value, sizeof(bm), &bm);
      Value = static_cast<HBITMAP>(CopyImage(Value, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION | LR_COPYDELETEORG));
      if (!Value) throw EInvalidGraphic("Bitmap image is not valid");
      format = bm.bmBitsPixel == 1 ? pf1bit : pfDevice;
    } else {
      format = FormatOfBits(ds.dsBm.bmBitsPixel);
    }
  }
  NewImage(Value, format);
  Changed(this);
}

HBITMAP TBitmap::ReleaseHandle() {
  HandleNeeded();
  FreeContext();
  HBITMAP handle = FHandle;
  FHandle = nullptr;
  NewImage(nullptr, FPixelFormat);
  Changed(this);
  return handle;
}

void* TBitmap::GetScanLine(Integer Row) {
  if (Row < 0 || Row >= FHeight) throw EInvalidGraphicOperation("Scan line index out of range");
  FreeStaleCopies(this);
  DIBSECTION ds;
  if (GetObject(FHandle, sizeof(ds), &ds) != sizeof(ds) || !ds.dsBm.bmBits)
    throw EInvalidGraphicOperation("Scan line index out of range");
  const bool bottomUp = ds.dsBmih.biHeight > 0;
  const Integer line = bottomUp ? FHeight - 1 - Row : Row;
  return static_cast<Byte*>(ds.dsBm.bmBits) + static_cast<size_t>(line) * ds.dsBm.bmWidthBytes;
}

TColor TBitmap::GetTransparentColor() {
  if (FTransparentMode == tmFixed) return FTransparentColor;
  if (GetEmpty()) return clDefault;
  if (GetMonochrome()) return clWhite;
  return GetCanvas()->GetPixel(0, FHeight - 1) & 0xFFFFFF;
}

void TBitmap::SetTransparentColor(TColor Value) {
  if (Value == FTransparentColor && FTransparentMode == (Value == clDefault ? tmAuto : tmFixed)) return;
  FTransparentColor = Value;
  FTransparentMode = Value == clDefault ? tmAuto : tmFixed;
  DropMask();
  Changed(this);
}

void TBitmap::SetTransparentMode(TTransparentMode Value) {
  if (Value == FTransparentMode) return;
  if (Value == tmAuto)
    SetTransparentColor(clDefault);
  else
    SetTransparentColor(GetTransparentColor());
}

void TBitmap::DropMask() {
  if (FMaskHandle) DeleteObject(FMaskHandle);
  FMaskHandle = nullptr;
}

void TBitmap::Mask(TColor TransparentColor) {
  DropMask();
  if (GetEmpty()) return;
  HBITMAP mask = CreateBitmap(FWidth, FHeight, 1, 1, nullptr);
  HDC maskDC = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(maskDC, mask);
  TCanvas* canvas = GetCanvas();
  HDC source = canvas->GetHandle();
  SetBkColor(source, ColorToRGB(TransparentColor));
  BitBlt(maskDC, 0, 0, FWidth, FHeight, source, 0, 0, SRCCOPY);
  canvas->Refresh();  // the brush sets the background colour again when next needed
  SelectObject(maskDC, old);
  DeleteDC(maskDC);
  FMaskHandle = mask;
}

HBITMAP TBitmap::GetMaskHandle() {
  if (!FMaskHandle) Mask(GetTransparentColor());
  return FMaskHandle;
}

HBITMAP TBitmap::ReleaseMaskHandle() {
  HBITMAP mask = GetMaskHandle();
  FMaskHandle = nullptr;
  return mask;
}

void TBitmap::Dormant() {
  if (!FHandle) return;
  std::vector<uint8_t> image;
  FreeContext();
  if (!EncodeBmp(FHandle, image)) return;
  FDormantImage = std::move(image);
  DeleteObject(FHandle);
  FHandle = nullptr;
  DropMask();
}

void TBitmap::FreeImage() {
  if (FHandle) FDormantImage.clear();
}

void TBitmap::Changed(TObject* Sender) {
  DropMask();
  inherited::Changed(Sender);
}

void TBitmap::Draw(TCanvas* ACanvas, const TRect& Rect) {
  if (GetEmpty()) return;
  HDC source = GetCanvas()->GetHandle();
  HDC dest = ACanvas->GetHandle();
  if (GetTransparent()) {
    TransparentBlt(dest, Rect.Left, Rect.Top, Rect.Width(), Rect.Height(), source, 0, 0, FWidth, FHeight,
                   ColorToRGB(GetTransparentColor()));
    return;
  }
  COLORREF oldText = 0, oldBk = 0;
  if (GetMonochrome()) {
    oldText = SetTextColor(dest, RGB(0, 0, 0));
    oldBk = SetBkColor(dest, RGB(255, 255, 255));
  }
  StretchBlt(dest, Rect.Left, Rect.Top, Rect.Width(), Rect.Height(), source, 0, 0, FWidth, FHeight,
             static_cast<DWORD>(ACanvas->GetCopyMode()));
  if (GetMonochrome()) {
    SetTextColor(dest, oldText);
    SetBkColor(dest, oldBk);
  }
}

void TBitmap::Assign(TPersistent* Source) {
  if (!Source) {
    NewImage(nullptr, FPixelFormat);
    Changed(this);
    return;
  }
  if (auto* bitmap = dynamic_cast<TBitmap*>(Source)) {
    if (bitmap == this) return;
    FTransparentColor = bitmap->FTransparentColor;
    FTransparentMode = bitmap->FTransparentMode;
    SetTransparent(bitmap->GetTransparent());
    if (bitmap->GetEmpty()) {
      NewImage(nullptr, bitmap->FPixelFormat);
      Changed(this);
      return;
    }
    HBITMAP copy = NewDib(bitmap->FWidth, bitmap->FHeight, bitmap->FPixelFormat);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, copy);
    HDC source = bitmap->GetCanvas()->GetHandle();
    COLORREF oldBk = SetBkColor(source, RGB(255, 255, 255));
    BitBlt(dc, 0, 0, bitmap->FWidth, bitmap->FHeight, source, 0, 0, SRCCOPY);
    SetBkColor(source, oldBk);
    SelectObject(dc, old);
    DeleteDC(dc);
    NewImage(copy, bitmap->FPixelFormat);
    Changed(this);
    return;
  }
  if (auto* graphic = dynamic_cast<TGraphic*>(Source)) {
    // Other graphics are drawn onto a bitmap of their size over the brush's colour.
    NewImage(nullptr, FPixelFormat);
    Reformat(graphic->GetWidth(), graphic->GetHeight(), FPixelFormat);
    if (!GetEmpty()) GetCanvas()->Draw(0, 0, graphic);
    return;
  }
  inherited::Assign(Source);
}

void TBitmap::LoadFromStream(TStream* Stream) {
  std::vector<Byte> data = ReadRestOfStream(Stream);
  HBITMAP handle = data.empty() ? nullptr : DecodeBmp(data.data(), data.size());
  if (!handle) throw EInvalidGraphic("Bitmap image is not valid");
  SetHandle(handle);
}

void TBitmap::SaveToStream(TStream* Stream) {
  if (GetEmpty()) return;
  std::vector<uint8_t> image;
  if (!EncodeBmp(GetHandle(), image)) throw EInvalidGraphicOperation("Cannot write the bitmap");
  Stream->WriteBuffer(image.data(), static_cast<Integer>(image.size()));
}

void TBitmap::ReadData(TStream* Stream) {
  Integer size = 0;
  Stream->ReadBuffer(&size, sizeof(size));
  if (size < 0 || size > Stream->GetSize() - Stream->GetPosition())
    throw EInvalidGraphic("Bitmap image is not valid");
  if (size == 0) {
    Assign(nullptr);
    return;
  }
  TMemoryStream image;
  image.CopyFrom(Stream, size);
  image.SetPosition(0);
  LoadFromStream(&image);
}

void TBitmap::WriteData(TStream* Stream) {
  TMemoryStream image;
  SaveToStream(&image);
  Integer size = static_cast<Integer>(image.GetSize());
  Stream->WriteBuffer(&size, sizeof(size));
  Stream->WriteBuffer(image.GetMemory(), size);
}

void TBitmap::LoadFromResourceName(HINSTANCE Instance, const String& ResName) {
  auto handle = static_cast<HBITMAP>(LoadImage(Instance, ResName.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (!handle) throw EResNotFound("Resource " + ResName + " not found");
  SetHandle(handle);
}

void TBitmap::LoadFromResourceID(HINSTANCE Instance, Integer ResID) {
  auto handle = static_cast<HBITMAP>(
      LoadImage(Instance, MAKEINTRESOURCE(static_cast<WORD>(ResID)), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (!handle) throw EResNotFound("Resource " + std::to_string(ResID) + " not found");
  SetHandle(handle);
}

void TBitmap::SaveToClipboardFormat(Word& AFormat, HANDLE& AData, HPALETTE& APalette) {
  APalette = nullptr;
  if (GetEmpty()) {
    AFormat = 0;
    AData = nullptr;
    return;
  }
  HANDLE copy = CopyImage(GetHandle(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
  if (!copy) throw EOutOfResources("Out of system resources");
  AFormat = CF_BITMAP;
  AData = copy;
}

void TBitmap::LoadFromClipboardFormat(Word AFormat, HANDLE AData, HPALETTE APalette) {
  if (AFormat != CF_BITMAP) {
    inherited::LoadFromClipboardFormat(AFormat, AData, APalette);
    return;
  }
  BITMAP bm;
  if (!AData || !GetObject(AData, sizeof(bm), &bm)) throw EInvalidGraphic("Bitmap image is not valid");
  // The clipboard keeps its bitmap: the bitmap takes a copy.
  HANDLE copy = CopyImage(AData, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
  if (!copy) throw EOutOfResources("Out of system resources");
  SetHandle(static_cast<HBITMAP>(copy));
}
