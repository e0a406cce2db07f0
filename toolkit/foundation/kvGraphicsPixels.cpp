// Colour and pixel routines, bitmap utilities, the stock brushes and the scratch bitmaps.

#include <algorithm>
#include <cstring>
#include <memory>

#include "gdi/Gdi.h"
#include "rtl/Math.h"
#include "toolkit/foundation/kvGraphics.h"
#include "toolkit/foundation/qzOffice11.h"
#include "user/Cursors.h"
#include "user/Painting.h"

namespace {

constexpr Integer kSystemBrushCount = 31;
std::vector<HBRUSH> gSystemBrushes;
HBRUSH gCheckerBrush = nullptr;
TkvBitmap* gScratch[3] = {};

TkvBitmap* Scratch(Integer Slot, Integer Width, Integer Height) {
  TkvBitmap*& bitmap = gScratch[Slot];
  if (!bitmap) {
    bitmap = new TkvBitmap(Width, Height);
  } else {
    bitmap->GetColorList()->Clear();
    bitmap->Resize(Width, Height);
  }
  return bitmap;
}

// A DC for pixel transfers: the shared screen canvas's, or a private one after unit end.
class TPixelDC {
 public:
  TPixelDC() {
    if (TkvScreenCanvas* screen = ScreenCanvasInstance())
      FDC = screen->DCHandle();
    else
      FDC = FOwned = CreateCompatibleDC(nullptr);
  }
  ~TPixelDC() {
    if (FOwned) DeleteDC(FOwned);
  }
  HDC Get() const { return FDC; }

 private:
  HDC FDC = nullptr;
  HDC FOwned = nullptr;
};

}  // namespace

DWORD ColorToRGBA(TColor Color, Byte Alpha) {
  const COLORREF rgb = ColorToRGB(Color);
  return (rgb & 0xFF) << 16 | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF) | (DWORD(Alpha) << 24);
}

Byte ClampChannel(Integer Value) { return static_cast<Byte>(std::clamp(Value, 0, 255)); }

Byte RoundClamped(Double Value) {
  return ClampChannel(static_cast<Integer>(std::clamp<Int64>(Round(Value), -1, 256)));
}

void BlendPixel(DWORD Source, DWORD& Dest, Byte Alpha) {
  const Double c = Alpha / 255.0;
  const Double d = c * (Source >> 24);
  DWORD result = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const Double blended = c * ((Source >> shift) & 0xFF) + (1 - d / 255) * ((Dest >> shift) & 0xFF);
    result |= DWORD(RoundClamped(blended)) << shift;
  }
  result |= DWORD(RoundClamped(d + (1 - d / 255) * (Dest >> 24))) << 24;
  Dest = result;
}

namespace {

TColor HighlightBlend(int8_t FacePercent, int8_t HighlightPercent, int8_t WindowPercent) {
  const COLORREF face = ColorToRGB(clBtnFace);
  const COLORREF highlight = ColorToRGB(clHighlight);
  const COLORREF window = ColorToRGB(clWindow);
  if (face == 0 || face == 0xFFFFFF) return NearestScreenColor(static_cast<TColor>(highlight));
  COLORREF result = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    auto channel = [shift](COLORREF c) { return static_cast<Integer>((c >> shift) & 0xFF); };
    const Integer sum = MulDiv(channel(face), FacePercent, 100) + MulDiv(channel(highlight), HighlightPercent, 100) +
                        MulDiv(channel(window), WindowPercent, 100);
    result |= COLORREF(ClampChannel(sum)) << shift;
  }
  return NearestScreenColor(static_cast<TColor>(result));
}

}  // namespace

TColor LightHighlightColor() { return HighlightBlend(14, 44, 40); }

TColor PaleHighlightColor() { return HighlightBlend(-2, 30, 72); }

void InitBitmapInfoHeader(BITMAPINFOHEADER& Header, Integer Width, Integer Height, bool TopDown) {
  Header = BITMAPINFOHEADER{};
  Header.biSize = sizeof(BITMAPINFOHEADER);
  Header.biWidth = Width;
  Header.biHeight = TopDown ? -Height : Height;
  Header.biPlanes = 1;
  Header.biBitCount = 32;
  Header.biCompression = BI_RGB;
}

void ReadBitmapPixels(TBitmap* Bitmap, bool TopDown, TRGBColors& Colors) {
  const Integer w = Bitmap->GetWidth();
  const Integer h = Bitmap->GetHeight();
  Colors.assign(static_cast<size_t>(w) * h, 0);
  if (Colors.empty()) return;
  BITMAPINFO info{};
  InitBitmapInfoHeader(info.bmiHeader, w, h, TopDown);
  TPixelDC dc;
  GetDIBits(dc.Get(), Bitmap->GetHandle(), 0, h, Colors.data(), &info, DIB_RGB_COLORS);
}

void StoreBitmapPixels(TBitmap* Bitmap, TRGBColors& Colors, bool TopDown) {
  const Integer w = Bitmap->GetWidth();
  const Integer h = Bitmap->GetHeight();
  if (!Colors.empty() && Colors.size() == static_cast<size_t>(w) * h) {
    BITMAPINFO info{};
    InitBitmapInfoHeader(info.bmiHeader, w, h, TopDown);
    TPixelDC dc;
    SetDIBits(dc.Get(), Bitmap->GetHandle(), 0, h, Colors.data(), &info, DIB_RGB_COLORS);
  }
  TRGBColors().swap(Colors);
}

TBitmap* NewBitmap(Integer Width, Integer Height, TPixelFormat PixelFormat) {
  auto bitmap = std::make_unique<TBitmap>();  // freed when SetSize raises
  bitmap->SetPixelFormat(PixelFormat);
  bitmap->SetSize(std::max(Width, 0), std::max(Height, 0));
  return bitmap.release();
}

TBitmap* NewBitmapOfSize(const TSize& Size, TPixelFormat PixelFormat) {
  return NewBitmap(Size.cx, Size.cy, PixelFormat);
}

TBitmap* NewBitmapForRect(const TRect& R, TPixelFormat PixelFormat) {
  return NewBitmap(R.Width(), R.Height(), PixelFormat);
}

TBitmap* CopyDCRectToBitmap(HDC DC, const TRect& R) {
  TBitmap* bitmap = NewBitmapForRect(R, pf32bit);
  TCanvas* canvas = bitmap->GetCanvas();
  canvas->GetBrush()->SetColor(clBlack);
  canvas->FillRect(Rect(0, 0, R.Width(), R.Height()));
  BitBlt(canvas->GetHandle(), 0, 0, R.Width(), R.Height(), DC, R.Left, R.Top, SRCCOPY);
  return bitmap;
}

void BlitRect(HDC DestDC, HDC SourceDC, const TRect& DestRect, const TPoint& SourceTopLeft, DWORD RasterOp) {
  BitBlt(DestDC, DestRect.Left, DestRect.Top, DestRect.Width(), DestRect.Height(), SourceDC, SourceTopLeft.X,
         SourceTopLeft.Y, RasterOp);
}

void CopyBitmapPixels(TBitmap* Dest, TBitmap* Source) {
  BitBlt(Dest->GetCanvas()->GetHandle(), 0, 0, Dest->GetWidth(), Dest->GetHeight(), Source->GetCanvas()->GetHandle(),
         0, 0, SRCCOPY);
}

TBitmap* CloneBitmap(TBitmap* Source) {
  auto* bitmap = new TBitmap();
  bitmap->Assign(Source);
  return bitmap;
}

TkvBitmap* CloneAsKvBitmap(TBitmap* Source) {
  auto* bitmap = new TkvBitmap(Source->GetWidth(), Source->GetHeight());
  bitmap->CopyFrom(Source, SRCCOPY);
  return bitmap;
}

void StretchBitmapInto(TBitmap* Dest, TBitmap* Source) {
  StretchBlt(Dest->GetCanvas()->GetHandle(), 0, 0, Dest->GetWidth(), Dest->GetHeight(),
             Source->GetCanvas()->GetHandle(), 0, 0, Source->GetWidth(), Source->GetHeight(), SRCCOPY);
}

bool SameRectSize(const TRect& A, const TRect& B) { return A.Width() == B.Width() && A.Height() == B.Height(); }

HBITMAP CopyImageHandle(HBITMAP Bitmap) {
  return static_cast<HBITMAP>(CopyImage(Bitmap, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

void ClearTransparentPixels(TBitmap* Source, TBitmap* Dest) {
  std::unique_ptr<TkvBitmap> opaque(CloneAsKvBitmap(Source));
  opaque->ApplyPixelFilter(pfOpaque);
  std::unique_ptr<TkvBitmap> mask(CloneAsKvBitmap(Source));
  mask->GetColorList()->AddColor(Source->GetTransparentColor());
  mask->ApplyPixelFilter(pfMask);
  opaque->CopyFrom(mask.get(), 0x00220326);
  Dest->Assign(opaque.get());
}

void RenderMaskBitmap(TkvBitmap* Source, TBitmap* Dest) {
  std::unique_ptr<TkvBitmap> mask(CloneAsKvBitmap(Source));
  if (!mask->HasAlpha()) mask->SetTransparentColor(Source->GetTransparentColor());
  mask->ApplyPixelFilter(pfMask);
  BitBlt(Dest->GetCanvas()->GetHandle(), 0, 0, mask->GetWidth(), mask->GetHeight(), mask->GetCanvas()->GetHandle(), 0,
         0, SRCCOPY);
}

TSize CurrentCursorSize() {
  TSize size{GetSystemMetrics(SM_CXCURSOR), GetSystemMetrics(SM_CYCURSOR)};
  ICONINFO info{};
  if (!GetIconInfo(GetCursor(), &info)) return size;
  BITMAP mask{};
  if (info.hbmMask && ReadBitmapInfo(info.hbmMask, mask) && mask.bmBitsPixel == 1 && mask.bmWidth > 0) {
    // Rows of a 1-bit mask, bottom-up and padded to 32 bits as DIBs are.
    const Integer bytesPerRow = ((mask.bmWidth + 31) / 32) * 4;
    std::vector<Byte> bits(static_cast<size_t>(bytesPerRow) * mask.bmHeight);
    struct {
      BITMAPINFOHEADER header;
      RGBQUAD colors[2];
    } info1{};
    info1.header.biSize = sizeof(BITMAPINFOHEADER);
    info1.header.biWidth = mask.bmWidth;
    info1.header.biHeight = mask.bmHeight;
    info1.header.biPlanes = 1;
    info1.header.biBitCount = 1;
    TPixelDC dc;
    if (GetDIBits(dc.Get(), info.hbmMask, 0, mask.bmHeight, bits.data(), reinterpret_cast<BITMAPINFO*>(&info1),
                  DIB_RGB_COLORS)) {
      size.cx = mask.bmWidth;
      // The AND half is the top half of a two-part mask: the last bytes of the bottom-up bits.
      const size_t halfBytes = static_cast<size_t>(mask.bmWidth) * bytesPerRow;
      auto rowsDown = [&](size_t begin, size_t end, Byte skip) -> Integer {
        for (size_t i = begin; i < end; ++i)
          if (bits[i] != skip) return static_cast<Integer>((end - i) / bytesPerRow);
        return -1;
      };
      const size_t andBegin = bits.size() > halfBytes ? bits.size() - halfBytes : 0;
      Integer rows = rowsDown(andBegin, bits.size(), 0xFF);
      if (rows < 0 && mask.bmHeight >= 2 * mask.bmWidth) rows = rowsDown(0, andBegin, 0);
      if (rows >= 0) size.cy = rows - static_cast<Integer>(info.yHotspot);
    }
  }
  if (info.hbmMask) DeleteObject(info.hbmMask);
  if (info.hbmColor) DeleteObject(info.hbmColor);
  return size;
}

bool GlyphPresent(TBitmap* Bitmap) { return Bitmap && !Bitmap->GetEmpty(); }

bool ImageIndexInList(TCustomImageList* ImageList, Integer Index) {
  return ImageList && Index >= 0 && Index < ImageList->GetCount();
}

void SetImageListField(TCustomImageList* NewList, TCustomImageList*& Field, TChangeLink* ChangeLink,
                       TComponent* Owner) {
  if (NewList == Field) return;
  if (Field) {
    if (Owner) Field->RemoveFreeNotification(Owner);
    if (ChangeLink) Field->UnRegisterChanges(ChangeLink);
  }
  Field = NewList;
  if (Field) {
    if (ChangeLink) Field->RegisterChanges(ChangeLink);
    if (Owner) Field->FreeNotification(Owner);
  }
  if (ChangeLink) ChangeLink->Change();
}

void ShrinkRectByMargins(TRect& R, const TRect& Margins) {
  R.Left += Margins.Left;
  R.Top += Margins.Top;
  R.Right -= Margins.Right;
  R.Bottom -= Margins.Bottom;
}

HBRUSH SystemColorBrush(Integer Index) {
  if (Index < 0 || Index >= static_cast<Integer>(gSystemBrushes.size())) return nullptr;
  return gSystemBrushes[Index];
}

HBRUSH CheckerBrush() { return gCheckerBrush; }

TkvBitmap* ScratchTargetBitmap(Integer Width, Integer Height) { return Scratch(0, Width, Height); }
TkvBitmap* ScratchImageBitmap(Integer Width, Integer Height) { return Scratch(1, Width, Height); }
TkvBitmap* ScratchMaskBitmap(Integer Width, Integer Height) { return Scratch(2, Width, Height); }

void kvGraphicsPixelsStart() {
  gSystemBrushes.clear();
  for (Integer i = 0; i < kSystemBrushCount; ++i) gSystemBrushes.push_back(GetSysColorBrush(i));
  // A 50% checker: rows alternate 0xAA and 0x55 (words, as monochrome bitmap rows are).
  const WORD rows[8] = {0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55};
  HBITMAP pattern = CreateBitmap(8, 8, 1, 1, rows);
  gCheckerBrush = CreatePatternBrush(pattern);
  DeleteObject(pattern);
}

void kvGraphicsPixelsEnd() {
  for (TkvBitmap*& bitmap : gScratch) {
    delete bitmap;
    bitmap = nullptr;
  }
  if (gCheckerBrush) DeleteObject(gCheckerBrush);
  gCheckerBrush = nullptr;
  gSystemBrushes.clear();
}
