// The toolkit's bitmaps: change batching, the packed form-data storage, rotation and flipping,
// and the 32-bit bitmap with pixel access and pixel filters.

#include <algorithm>
#include <cstring>

#include "gdi/Gdi.h"
#include "rtl/Math.h"
#include "toolkit/foundation/kvGraphics.h"

TAVREN_CLASS_IMPL(TkvCustomBitmap)
TAVREN_CLASS_IMPL(TkvBitmap)
TAVREN_CLASS_IMPL(TkvColorList)

namespace {

constexpr char kPackedSignature[4] = {'Z', 'Q', 'B', 'M'};
constexpr size_t kPackedHeaderSize = 10;
constexpr size_t kMaxRun = 125;

Byte ChannelOf(DWORD Pixel, int Shift) { return static_cast<Byte>(Pixel >> Shift); }

DWORD MakePixel(Byte B, Byte G, Byte R, Byte A) {
  return DWORD(B) | (DWORD(G) << 8) | (DWORD(R) << 16) | (DWORD(A) << 24);
}

DWORD GrayPixel(DWORD Pixel, Double WeightR, Double WeightG, Double WeightB) {
  const Byte gray = RoundClamped(WeightR * ChannelOf(Pixel, 16) + WeightG * ChannelOf(Pixel, 8) +
                                 WeightB * ChannelOf(Pixel, 0));
  return MakePixel(gray, gray, gray, ChannelOf(Pixel, 24));
}

}  // namespace

// ---- Packed runs --------------------------------------------------------------------------

std::vector<Byte> PackBytes(const std::vector<Byte>& Data) {
  std::vector<Byte> out;
  const size_t n = Data.size();
  size_t i = 0;
  while (i < n) {
    size_t count = 1;
    if (i + 1 < n && Data[i] == Data[i + 1]) {
      while (i + count < n && count < kMaxRun && Data[i + count] == Data[i]) ++count;
      out.push_back(static_cast<Byte>(count));
      out.push_back(Data[i]);
    } else {
      while (i + count < n && count < kMaxRun) {
        if (Data[i + count] == Data[i + count - 1]) {
          --count;  // the repeated byte's predecessor starts the next (repeat) run
          break;
        }
        ++count;
      }
      out.push_back(static_cast<Byte>(0x80 | count));
      out.insert(out.end(), Data.begin() + static_cast<std::ptrdiff_t>(i),
                 Data.begin() + static_cast<std::ptrdiff_t>(i + count));
    }
    i += count;
  }
  return out;
}

std::vector<Byte> UnpackBytes(const Byte* Data, size_t Size) {
  std::vector<Byte> out;
  size_t i = 0;
  while (i < Size) {
    const Byte header = Data[i++];
    const size_t count = header & 0x7F;
    if (header & 0x80) {
      const size_t available = std::min(count, Size - i);
      out.insert(out.end(), Data + i, Data + i + available);
      i += available;
    } else {
      if (i >= Size) break;
      out.insert(out.end(), count, Data[i++]);
    }
  }
  return out;
}

// ---- TkvCustomBitmap ----------------------------------------------------------------------

TkvCustomBitmap::TkvCustomBitmap(Integer AWidth, Integer AHeight, TPixelFormat APixelFormat) {
  FkvCanvas = std::make_unique<TkvCanvas>(GetCanvas());
  BeginChange();
  SetPixelFormat(APixelFormat);
  SetSize(std::max(AWidth, 0), std::max(AHeight, 0));
  EndChange(true);
}

TkvCustomBitmap::~TkvCustomBitmap() = default;

void TkvCustomBitmap::EndChange(bool Force) {
  if (FChangeLockCount <= 0) return;
  --FChangeLockCount;
  if (Force || FChangedWhileLocked) Changed(this);
}

void TkvCustomBitmap::Changed(TObject* Sender) {
  if (IsChanging()) {
    FChangedWhileLocked = true;
    return;
  }
  inherited::Changed(Sender);
  AfterChange();
  FChangedWhileLocked = false;
}

void TkvCustomBitmap::Erase() {
  TCanvas* canvas = GetCanvas();
  canvas->GetBrush()->SetColor(clBlack);
  canvas->GetBrush()->SetStyle(bsSolid);
  canvas->FillRect(ImageRect());
}

void TkvCustomBitmap::Resize(Integer AWidth, Integer AHeight) {
  BeginChange();
  SetSize(std::max(AWidth, 0), std::max(AHeight, 0));
  EndChange(false);
}

void TkvCustomBitmap::CopyFrom(TBitmap* Source, DWORD RasterOp) {
  BitBlt(GetCanvas()->GetHandle(), 0, 0, GetWidth(), GetHeight(), Source->GetCanvas()->GetHandle(), 0, 0, RasterOp);
}

void TkvCustomBitmap::CopyRectFrom(TBitmap* Source, const TRect& DestRect, const TPoint& SourceTopLeft,
                                   DWORD RasterOp) {
  BlitRect(GetCanvas()->GetHandle(), Source->GetCanvas()->GetHandle(), DestRect, SourceTopLeft, RasterOp);
}

void TkvCustomBitmap::RotateFlip(Integer Rotation, bool Flip) {
  if ((Rotation == 0 && !Flip) || Rotation < 0 || Rotation > 3) return;
  const Integer w = GetWidth();
  const Integer h = GetHeight();
  TRGBColors source;
  ReadBitmapPixels(this, true, source);
  const bool swapped = Rotation == 1 || Rotation == 2;
  const Integer newW = swapped ? h : w;
  TRGBColors dest(source.size());
  for (Integer y = 0; y < h; ++y)
    for (Integer x = 0; x < w; ++x) {
      Integer dx = x, dy = y;
      switch (Rotation) {
        case 0: dy = h - 1 - y; break;
        case 1: dx = y; dy = Flip ? x : w - 1 - x; break;
        case 2: dx = h - 1 - y; dy = Flip ? w - 1 - x : x; break;
        case 3: dx = w - 1 - x; dy = Flip ? y : h - 1 - y; break;
      }
      dest[static_cast<size_t>(dy) * newW + dx] = source[static_cast<size_t>(y) * w + x];
    }
  BeginChange();
  if (swapped) {
    SetWidth(0);
    SetSize(h, w);
  }
  StoreBitmapPixels(this, dest, true);
  EndChange(true);
}

void TkvCustomBitmap::WriteData(TStream* Stream) {
  if (!FCompressData) {
    inherited::WriteData(Stream);
    return;
  }
  TMemoryStream plain;
  inherited::WriteData(&plain);
  const auto* bytes = static_cast<const Byte*>(plain.GetMemory());
  const std::vector<Byte> packed = PackBytes(std::vector<Byte>(bytes, bytes + plain.GetSize()));
  const Int64 headerPos = Stream->GetPosition();
  const Byte blank[kPackedHeaderSize] = {};
  Stream->WriteBuffer(blank, kPackedHeaderSize);
  Stream->WriteBuffer(packed.data(), static_cast<Integer>(packed.size()));
  const Int64 endPos = Stream->GetPosition();
  // The length counts from the header's own position: the stream may hold other data before it.
  const uint32_t length = static_cast<uint32_t>(endPos - headerPos - kPackedHeaderSize);
  Byte header[kPackedHeaderSize];
  for (int i = 0; i < 4; ++i) header[i] = static_cast<Byte>(length >> (8 * i));
  std::memcpy(header + 4, kPackedSignature, 4);
  header[8] = 1;
  header[9] = 0;
  Stream->SetPosition(headerPos);
  Stream->WriteBuffer(header, kPackedHeaderSize);
  Stream->SetPosition(endPos);
}

void TkvCustomBitmap::ReadData(TStream* Stream) {
  const Int64 start = Stream->GetPosition();
  Byte header[kPackedHeaderSize] = {};
  const Integer got = Stream->Read(header, kPackedHeaderSize);
  if (got != static_cast<Integer>(kPackedHeaderSize) || std::memcmp(header + 4, kPackedSignature, 4) != 0) {
    Stream->SetPosition(start);
    inherited::ReadData(Stream);
    return;
  }
  const uint32_t length = DWORD(header[0]) | (DWORD(header[1]) << 8) | (DWORD(header[2]) << 16) |
                          (DWORD(header[3]) << 24);
  const Int64 available = std::max<Int64>(Stream->GetSize() - Stream->GetPosition(), 0);
  std::vector<Byte> packed(static_cast<size_t>(std::min<Int64>(length, available)));
  if (!packed.empty()) Stream->ReadBuffer(packed.data(), static_cast<Integer>(packed.size()));
  const std::vector<Byte> plain = UnpackBytes(packed.data(), packed.size());
  TMemoryStream unpacked;
  if (!plain.empty()) unpacked.WriteBuffer(plain.data(), static_cast<Integer>(plain.size()));
  unpacked.SetPosition(0);
  inherited::ReadData(&unpacked);
}

// ---- TkvColorList -------------------------------------------------------------------------

void TkvColorList::AddColor(TColor Color) { FColors.push_back(ColorToRGBA(Color, 0)); }

bool TkvColorList::Contains(DWORD Pixel24) const {
  return std::find(FColors.begin(), FColors.end(), Pixel24 & 0x00FFFFFF) != FColors.end();
}

// ---- TkvBitmap ----------------------------------------------------------------------------

TkvBitmap::TkvBitmap(Integer AWidth, Integer AHeight) : TkvBitmap(AWidth, AHeight, DWORD{0}) {}

TkvBitmap::TkvBitmap(Integer AWidth, Integer AHeight, DWORD FillPixel)
    : TkvCustomBitmap(AWidth, AHeight, pf32bit), FFillColor(FillPixel) {
  FMemoryDC = CreateCompatibleDC(nullptr);
  FColorList = std::make_unique<TkvColorList>();
  AfterChange();
  Erase();
}

TkvBitmap::~TkvBitmap() {
  if (FMemoryDC) DeleteDC(FMemoryDC);
}

void TkvBitmap::AfterChange() {
  // Whatever was assigned in, this bitmap stays 32-bit.
  if (GetPixelFormat() != pf32bit) {
    SetPixelFormat(pf32bit);
    return;
  }
  InitBitmapInfoHeader(FInfoHeader, GetWidth(), GetHeight(), false);
}

void TkvBitmap::Erase() {
  if (FFillColor >> 24)
    ApplyPixelFilter(pfFill);
  else
    inherited::Erase();
}

void TkvBitmap::Resize(Integer AWidth, Integer AHeight) {
  inherited::Resize(AWidth, AHeight);
  Erase();
}

void TkvBitmap::GetPixels(TRGBColors& Colors) {
  Colors.assign(static_cast<size_t>(GetWidth()) * GetHeight(), 0);
  if (Colors.empty()) return;
  BITMAPINFO info{};
  info.bmiHeader = FInfoHeader;
  GetDIBits(FMemoryDC, GetHandle(), 0, GetHeight(), Colors.data(), &info, DIB_RGB_COLORS);
}

void TkvBitmap::SetPixels(const TRGBColors& Colors) {
  if (Colors.size() != static_cast<size_t>(GetWidth()) * GetHeight() || Colors.empty()) return;
  BITMAPINFO info{};
  info.bmiHeader = FInfoHeader;
  SetDIBits(FMemoryDC, GetHandle(), 0, GetHeight(), Colors.data(), &info, DIB_RGB_COLORS);
}

bool TkvBitmap::HasAlpha() {
  TRGBColors colors;
  GetPixels(colors);
  return std::any_of(colors.begin(), colors.end(), [](DWORD p) { return (p >> 24) != 0; });
}

void TkvBitmap::MakeOpaque() {
  TRGBColors colors;
  GetPixels(colors);
  for (DWORD& p : colors) p |= 0xFF000000u;
  SetPixels(colors);
  Changed(this);
}

void TkvBitmap::SetTransparentColor(TColor Color) {
  FColorList->Clear();
  FColorList->AddColor(Color);
  FFillColor = ColorToRGBA(Color, 0);
  ApplyPixelFilter(pfOpaqueTransparent);
}

void TkvBitmap::SetCheckerPattern(TColor Color1, TColor Color2, Byte Alpha1, Byte Alpha2, Byte CellSize) {
  FChecker.Color1 = ColorToRGBA(Color1, 255);
  FChecker.Alpha1 = Alpha1;
  FChecker.Color2 = ColorToRGBA(Color2, 255);
  FChecker.Alpha2 = Alpha2;
  FChecker.CellSize = CellSize;
  ApplyPixelFilter(pfChecker);
}

bool TkvBitmap::IsTransparentPixel(DWORD Pixel) const {
  return Pixel == FFillColor || FColorList->Contains(Pixel & 0x00FFFFFF);
}

void TkvBitmap::ApplyPixelFilter(Integer Filter) {
  if (Filter < 0 || Filter > pfFill) return;
  TRGBColors colors;
  GetPixels(colors);
  const Integer w = GetWidth();
  const Integer h = GetHeight();
  for (FCurrentX = 0; FCurrentX < w; ++FCurrentX)
    for (FCurrentY = 0; FCurrentY < h; ++FCurrentY)
      FilterPixel(Filter, colors[static_cast<size_t>(FCurrentY) * w + FCurrentX]);
  SetPixels(colors);
  Changed(this);
}

void TkvBitmap::FilterPixel(Integer Filter, DWORD& Pixel) {
  const bool keepsTransparent = Filter <= pfAverageGray || (Filter >= pfGray && Filter <= pfOpaqueTransparent);
  if (keepsTransparent && IsTransparentPixel(Pixel)) return;
  switch (Filter) {
    case pfLighten:
      if ((Pixel >> 24) == 255) {
        auto lighten = [](Byte c) { return ClampChannel(c + MulDiv(255 - c, 3, 10)); };
        Pixel = MakePixel(lighten(ChannelOf(Pixel, 0)), lighten(ChannelOf(Pixel, 8)), lighten(ChannelOf(Pixel, 16)),
                          255);
      } else {
        auto darken = [](Byte c) { return ClampChannel(MulDiv(c, 200, 255)); };
        Pixel = MakePixel(darken(ChannelOf(Pixel, 0)), darken(ChannelOf(Pixel, 8)), darken(ChannelOf(Pixel, 16)),
                          darken(ChannelOf(Pixel, 24)));
      }
      break;
    case pfTintedGray:
      Pixel = GrayPixel(Pixel, 0.299, 0.587, 0.114);
      BlendPixel(ColorToRGBA(clBtnShadow, 0xC0), Pixel, 238);
      break;
    case pfAverageGray: {
      const Byte avg = static_cast<Byte>((ChannelOf(Pixel, 0) + ChannelOf(Pixel, 8) + ChannelOf(Pixel, 16)) / 3);
      Pixel = MakePixel(avg, avg, avg, ChannelOf(Pixel, 24));
      break;
    }
    case pfOpaque: Pixel |= 0xFF000000u; break;
    case pfMask: Pixel = IsTransparentPixel(Pixel) ? 0xFFFFFFFFu : 0; break;
    case pfGray: Pixel = GrayPixel(Pixel, 0.299, 0.587, 0.114); break;
    case pfGreenGray: Pixel = GrayPixel(Pixel, 0.0729, 0.7146, 0.2125); break;
    case pfOpaqueTransparent:
      if ((Pixel >> 24) == 0) Pixel |= 0xFF000000u;
      break;
    case pfChecker: {
      const Integer cell = std::max<Integer>(FChecker.CellSize, 1);
      if ((FCurrentX / cell + FCurrentY / cell) % 2 == 1)
        BlendPixel(FChecker.Color2, Pixel, FChecker.Alpha2);
      else
        BlendPixel(FChecker.Color1, Pixel, FChecker.Alpha1);
      break;
    }
    case pfFill: Pixel = FFillColor; break;
  }
}
