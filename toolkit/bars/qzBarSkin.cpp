#include "toolkit/bars/qzBarSkin.h"

#include "gdi/Blits.h"
#include "gdi/DeviceContexts.h"
#include "gdi/Drawing.h"
#include "gdi/Regions.h"
#include "gdi/SysColors.h"
#include "rtl/SysUtils.h"
#include "toolkit/foundation/kvGraphics.h"
#include "toolkit/foundation/qzGDIPlusAPI.h"
#include "user/GlobalMemory.h"
#include "user/GlobalStreams.h"

TAVREN_CLASS_IMPL(TqzSkinnedRect)
TAVREN_CLASS_IMPL(TqzCustomBarSkin)
TAVREN_CLASS_IMPL(TqzBarSkinManager)

namespace {

TqzBarSkinManager* managerInstance = nullptr;
bool finalized = false;

void DisposeImage(GpBitmap*& Image) {
  if (Image && GdiPlus().GdipDisposeImage) GdiPlus().GdipDisposeImage(Image);
  Image = nullptr;
}

// A graphics on Image, closed on every path.
class TImageGraphics {
 public:
  explicit TImageGraphics(GpBitmap* Image) { GpCheckStatus(GdiPlus().GdipGetImageGraphicsContext(Image, &FGraphics)); }
  ~TImageGraphics() { GdiPlus().GdipDeleteGraphics(FGraphics); }
  TImageGraphics(const TImageGraphics&) = delete;
  TImageGraphics& operator=(const TImageGraphics&) = delete;
  GpGraphics* Get() const noexcept { return FGraphics; }

 private:
  GpGraphics* FGraphics = nullptr;
};

// Splits Length into a fixed start, a stretched middle and a fixed end; when the two fixed parts
// do not fit, they share the length, the start getting the smaller half.
void SplitLength(Integer Length, Integer Start, Integer End, Integer (&Out)[3]) {
  if (Start + End < Length) {
    Out[0] = Start;
    Out[2] = End;
    Out[1] = Length - Start - End;
  } else {
    Out[0] = Length / 2;
    Out[2] = Length - Out[0];
    Out[1] = 0;
  }
}

}  // namespace

// ---- TqzSkinnedRect ------------------------------------------------------------------------

TqzSkinnedRect::TqzSkinnedRect(bool ANoDraw) : FNoDraw(ANoDraw) {}

TqzSkinnedRect::~TqzSkinnedRect() {
  DisposeImage(FImage);
  DisposeImage(FCacheBitmap);
  if (FCacheHandle) DeleteObject(FCacheHandle);
}

void TqzSkinnedRect::LoadFromImage(GpBitmap* Source, const TRect& SourceRect, const TRect& Margins) {
  ResetSize();
  const Integer W = SourceRect.Width(), H = SourceRect.Height();
  DisposeImage(FImage);
  GpCheckStatus(GdiPlus().GdipCreateBitmapFromScan0(W, H, 0, PixelFormat32bppPARGB, nullptr, &FImage));
  {
    TImageGraphics graphics(FImage);
    GpCheckStatus(GdiPlus().GdipSetInterpolationMode(graphics.Get(), InterpolationModeNearestNeighbor));
    GpCheckStatus(GdiPlus().GdipSetCompositingMode(graphics.Get(), CompositingModeSourceCopy));
    GpCheckStatus(GdiPlus().GdipDrawImageRectRectI(graphics.Get(), Source, 0, 0, W, H, SourceRect.Left,
                                                   SourceRect.Top, W, H, UnitPixel, nullptr, nullptr, nullptr));
  }
  FMargins = Margins;
  const Integer L = Margins.Left, T = Margins.Top, R = Margins.Right, B = Margins.Bottom;
  FSourceParts = {TRect{0, 0, L, T},         TRect{L, 0, W - R, T},         TRect{W - R, 0, W, T},
                  TRect{0, T, L, H - B},     TRect{L, T, W - R, H - B},     TRect{W - R, T, W, H - B},
                  TRect{0, H - B, L, H},     TRect{L, H - B, W - R, H},     TRect{W - R, H - B, W, H}};
  FContentMargins = Margins;
  FMinSize = TSize{L + R, T + B};
}

void TqzSkinnedRect::SetSize(const TSize& Value) {
  if (Value == FSize) return;
  CalcCells(Value.cx, Value.cy);
  FSize = Value;
}

void TqzSkinnedRect::DrawOn(HDC DC, const TRect& R, Byte Alpha) {
  FAlphaValue = Alpha;
  if (R.Width() <= 0 || R.Height() <= 0) return;
  SetSize(TSize{R.Width(), R.Height()});
  if (RectVisible(DC, &R)) DrawCached(DC, R);
}

void TqzSkinnedRect::CalcCells(Integer Width, Integer Height) {
  Integer columns[3], rows[3];
  SplitLength(Width, FMargins.Left, FMargins.Right, columns);
  SplitLength(Height, FMargins.Top, FMargins.Bottom, rows);
  for (int row = 0; row < 3; ++row)
    for (int column = 0; column < 3; ++column) FCells[row * 3 + column] = TSize{columns[column], rows[row]};
}

void TqzSkinnedRect::ResetSize() { FSize = TSize{0, 0}; }

void TqzSkinnedRect::FillPlain(HDC DC, const TRect& R) { FillRect(DC, &R, GetSysColorBrush(COLOR_BTNFACE)); }

void TqzSkinnedRect::RenderCache() {
  DisposeImage(FCacheBitmap);
  if (FCacheHandle) DeleteObject(FCacheHandle);
  FCacheHandle = nullptr;
  GpCheckStatus(
      GdiPlus().GdipCreateBitmapFromScan0(FLastSize.cx, FLastSize.cy, 0, PixelFormat32bppPARGB, nullptr, &FCacheBitmap));
  {
    TImageGraphics graphics(FCacheBitmap);
    GdiPlus().GdipSetInterpolationMode(graphics.Get(), FInterpolationMode);
    GdiPlus().GdipSetCompositingMode(graphics.Get(), CompositingModeSourceCopy);
    Integer top = 0;
    for (int row = 0; row < 3; ++row) {
      Integer left = 0;
      for (int column = 0; column < 3; ++column) {
        const TSize cell = FCells[row * 3 + column];
        const TRect& part = FSourceParts[row * 3 + column];
        if (cell.cx > 0 && cell.cy > 0) {
          // A stretched part leaves out its last row and column, so that smoothing does not pull
          // in the neighbouring part.
          Integer w = part.Width(), h = part.Height();
          if (w > 1 && w < cell.cx) --w;
          if (h > 1 && h < cell.cy) --h;
          GdiPlus().GdipDrawImageRectRectI(graphics.Get(), FImage, left, top, cell.cx, cell.cy, part.Left, part.Top, w, h,
                                           UnitPixel, nullptr, nullptr, nullptr);
        }
        left += cell.cx;
      }
      top += FCells[row * 3].cy;
    }
  }
  if (GdiPlus().GdipCreateHBITMAPFromBitmap(FCacheBitmap, &FCacheHandle, 0) != Ok) FCacheHandle = nullptr;
  MarkOpaqueCells();
}

// Which cells of the cached picture cover every pixel: those are copied, the rest blended.
void TqzSkinnedRect::MarkOpaqueCells() {
  FOpaqueCells.fill(false);
  DIBSECTION section{};
  if (!FCacheHandle || GetObject(FCacheHandle, sizeof(section), &section) != sizeof(section) ||
      !section.dsBm.bmBits || section.dsBm.bmBitsPixel != 32)
    return;
  const auto* bits = static_cast<const Byte*>(section.dsBm.bmBits);
  Integer top = 0;
  for (int row = 0; row < 3; ++row) {
    Integer left = 0;
    for (int column = 0; column < 3; ++column) {
      const TSize cell = FCells[row * 3 + column];
      bool opaque = cell.cx > 0 && cell.cy > 0;
      for (Integer y = top; opaque && y < top + cell.cy; ++y) {
        const auto* pixels = reinterpret_cast<const uint32_t*>(bits + y * section.dsBm.bmWidthBytes);
        for (Integer x = left; x < left + cell.cx; ++x)
          if ((pixels[x] >> 24) != 0xFF) {
            opaque = false;
            break;
          }
      }
      FOpaqueCells[row * 3 + column] = opaque;
      left += cell.cx;
    }
    top += FCells[row * 3].cy;
  }
}

void TqzSkinnedRect::DrawCached(HDC DC, const TRect& R) {
  if (!(FSize == FLastSize) || !FCacheBitmap) {
    FLastSize = FSize;
    RenderCache();
  }
  if (!FCacheHandle) return;
  HDC memoryDC = CreateCompatibleDC(DC);
  HGDIOBJ old = SelectObject(memoryDC, FCacheHandle);
  if (!FNoDraw) {
    const TRect whole{0, 0, FLastSize.cx, FLastSize.cy};
    if (FAlphaValue == 255)
      DrawCells(DC, memoryDC, R);
    else if (!AlphaBlendRect(DC, memoryDC, R, whole, FAlphaValue))
      BitBlt(DC, R.Left, R.Top, R.Width(), R.Height(), memoryDC, 0, 0, SRCCOPY);
  }
  SelectObject(memoryDC, old);
  DeleteDC(memoryDC);
}

// At full alpha an opaque cell is a plain copy, much cheaper than a blend.
void TqzSkinnedRect::DrawCells(HDC DC, HDC MemoryDC, const TRect& R) {
  Integer top = 0;
  for (int row = 0; row < 3; ++row) {
    Integer left = 0;
    for (int column = 0; column < 3; ++column) {
      const TSize cell = FCells[row * 3 + column];
      if (cell.cx > 0 && cell.cy > 0) {
        const TRect source{left, top, left + cell.cx, top + cell.cy};
        const TRect dest{R.Left + left, R.Top + top, R.Left + left + cell.cx, R.Top + top + cell.cy};
        if (FOpaqueCells[row * 3 + column] || !AlphaBlendRect(DC, MemoryDC, dest, source, 255))
          BitBlt(DC, dest.Left, dest.Top, cell.cx, cell.cy, MemoryDC, left, top, SRCCOPY);
      }
      left += cell.cx;
    }
    top += FCells[row * 3].cy;
  }
}

TRect TqzSkinnedRect::GetContentRect(const TRect& R) {
  return TRect{R.Left + FContentMargins.Left, R.Top + FContentMargins.Top, R.Right - FContentMargins.Right,
               R.Bottom - FContentMargins.Bottom};
}

// ---- TqzCustomBarSkin ----------------------------------------------------------------------

TqzCustomBarSkin::TqzCustomBarSkin(const String& AName) : FName(AName) {}

TqzCustomBarSkin::~TqzCustomBarSkin() { Clear(); }

Integer TqzCustomBarSkin::AddElement(TqzSkinnedRect* Element) {
  if (!Element) return -1;
  for (Integer i = 0; i < GetCount(); ++i) {
    TqzSkinnedRect* other = GetPart(i);
    if (Element->GetID() != -1 && Element->GetID() == other->GetID())
      throw Exception(Format("ERROR: Duplicate part's ID = %d", Element->GetID()));
    if (!Element->GetName().empty() && SameText(Element->GetName(), other->GetName()))
      throw Exception(Format("ERROR: Duplicate part's name = \"%s\"", Element->GetName()));
  }
  return Add(Element);
}

Integer TqzCustomBarSkin::AddPart(GpBitmap* Image, const TRect& SourceRect, InterpolationMode Mode,
                                  const String& AName, Integer ID) {
  return AddPartWithMargins(Image, SourceRect, Mode, AName, ID, TRect{0, 0, 0, 0});
}

Integer TqzCustomBarSkin::AddPartWithMargins(GpBitmap* Image, const TRect& SourceRect, InterpolationMode Mode,
                                             const String& AName, Integer ID, const TRect& Margins) {
  // Owned here until the list takes it: a refused part is freed, not leaked.
  auto element = std::make_unique<TqzSkinnedRect>(false);
  element->LoadFromImage(Image, SourceRect, Margins);
  element->SetID(ID);
  element->SetName(AName);
  element->SetInterpolationMode(Mode);
  const Integer index = AddElement(element.get());
  element.release();
  return index;
}

Integer TqzCustomBarSkin::AddPartWithTopBottom(GpBitmap* Image, const TRect& SourceRect, InterpolationMode Mode,
                                               const String& AName, Integer ID, Integer Top, Integer Bottom) {
  return AddPartWithMargins(Image, SourceRect, Mode, AName, ID, TRect{0, Top, 0, Bottom});
}

void TqzCustomBarSkin::Clear() {
  for (Integer i = 0; i < GetCount(); ++i) delete GetPart(i);
  TList::Clear();
}

bool TqzCustomBarSkin::IsPermanent() { return false; }

// ---- TqzBarSkinManager ---------------------------------------------------------------------

TqzBarSkinManager::~TqzBarSkinManager() = default;

Integer TqzBarSkinManager::AddSkin(TqzCustomBarSkin* Skin) {
  if (!GdiPlusReady() || !Skin || Skin->GetName().empty() || FindSkin(Skin->GetName())) return -1;
  FSkins.emplace_back(Skin);
  Changed();
  return GetSkinCount() - 1;
}

bool TqzBarSkinManager::CanRemoveSkin(TqzCustomBarSkin* Skin) { return Skin && !Skin->IsPermanent(); }

bool TqzBarSkinManager::RemoveSkin(TqzCustomBarSkin* Skin) {
  const bool removable = CanRemoveSkin(Skin);
  if (!removable) return false;
  for (auto it = FSkins.begin(); it != FSkins.end(); ++it)
    if (it->get() == Skin) {
      FSkins.erase(it);
      Changed();
      break;
    }
  return true;
}

TqzCustomBarSkin* TqzBarSkinManager::FindSkin(const String& Name) const {
  for (const auto& skin : FSkins)
    if (SameText(skin->GetName(), Name)) return skin.get();
  return nullptr;
}

void TqzBarSkinManager::Changed() {}

TqzBarSkinManager* BarSkinManagerInstance() {
  if (!managerInstance && !finalized) managerInstance = new TqzBarSkinManager;
  return managerInstance;
}

// ---- PNG -----------------------------------------------------------------------------------

GpBitmap* LoadPngBitmap(TStream* Stream) {
  if (!GdiPlusReady()) return nullptr;
  const Int64 size = Stream->GetSize() - Stream->GetPosition();
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, static_cast<size_t>(std::max<Int64>(size, 0)));
  GpBitmap* bitmap = nullptr;
  try {
    if (size > 0) {
      void* bytes = GlobalLock(block);
      Stream->ReadBuffer(bytes, static_cast<Integer>(size));
      GlobalUnlock(block);
    }
    IStream* raw = nullptr;
    GpCheck(CreateStreamOnHGlobal(block, FALSE, &raw) == S_OK);
    auto comStream = TInterfacePtr<IStream>::Attach(raw);
    GpCheckStatus(GdiPlus().GdipCreateBitmapFromStream(comStream.Get(), &bitmap));
  } catch (...) {
    GlobalFree(block);
    throw;
  }
  GlobalFree(block);
  return bitmap;
}

void qzBarSkinStart() { finalized = false; }

void qzBarSkinEnd() {
  delete managerInstance;
  managerInstance = nullptr;
  finalized = true;
}
