// The alpha image list: the platform list and the collection of added images kept in step, alpha
// drawing through the glyph renderer, and form data as the collection.

#include <algorithm>
#include <cstring>

#include "gdi/Gdi.h"
#include "rtl/ClassRegistry.h"
#include "rtl/Filer.h"
#include "rtl/Reader.h"
#include "rtl/Writer.h"
#include "toolkit/foundation/kvGraphics.h"

TAVREN_CLASS_IMPL(TkvImageInfo)
TAVREN_CLASS_IMPL_PUBLISHED(TkvImageInfoItem,
    PROPERTY(Image),
    PROPERTY(Mask),
    PROPERTY(MaskColor).Idents(ColorIdentMap).Default(clNone))
TAVREN_CLASS_IMPL(TkvImageInfoCollection)
TAVREN_CLASS_IMPL_PUBLISHED(TkvImageList,
    PROPERTY(CompressData).Default(false))

// ---- TkvImageInfo -------------------------------------------------------------------------

TkvImageInfo::TkvImageInfo()
    : FImage(std::make_unique<TkvCustomBitmap>()), FMask(std::make_unique<TkvCustomBitmap>()) {}

TkvImageInfo::~TkvImageInfo() = default;

void TkvImageInfo::Assign(TPersistent* Source) {
  if (auto* info = dynamic_cast<TkvImageInfo*>(Source)) {
    SetImage(info->GetImage());
    SetMask(info->GetMask());
    FMaskColor = info->FMaskColor;
    return;
  }
  inherited::Assign(Source);
}

namespace {

void AssignBitmap(TkvCustomBitmap* Target, TBitmap* Source) {
  if (Source) {
    Target->Assign(Source);
    Target->GetHandle();
  } else {
    Target->Assign(nullptr);
  }
}

}  // namespace

void TkvImageInfo::SetImage(TBitmap* Value) { AssignBitmap(FImage.get(), Value); }

void TkvImageInfo::SetMask(TBitmap* Value) { AssignBitmap(FMask.get(), Value); }

// ---- TkvImageInfoItem ---------------------------------------------------------------------

TkvImageInfoItem::TkvImageInfoItem(TCollection* Collection)
    : TCollectionItem(Collection), FImageInfo(std::make_unique<TkvImageInfo>()) {
  if (auto* infos = dynamic_cast<TkvImageInfoCollection*>(Collection)) SetCompressData(infos->GetCompressData());
}

TkvImageInfoItem::TkvImageInfoItem(TCollection* Collection, TBitmap* Image, TBitmap* Mask, TColor MaskColor)
    : TkvImageInfoItem(Collection) {
  SetImage(Image);
  SetMask(Mask);
  SetMaskColor(MaskColor);
}

TkvImageInfoItem::~TkvImageInfoItem() = default;

void TkvImageInfoItem::Assign(TPersistent* Source) {
  if (auto* item = dynamic_cast<TkvImageInfoItem*>(Source)) {
    FImageInfo->Assign(item->FImageInfo.get());
    return;
  }
  inherited::Assign(Source);
}

bool TkvImageInfoItem::GetCompressData() const {
  return FImageInfo->GetImage()->GetCompressData() && FImageInfo->GetMask()->GetCompressData();
}

void TkvImageInfoItem::SetCompressData(bool Value) {
  FImageInfo->GetImage()->SetCompressData(Value);
  FImageInfo->GetMask()->SetCompressData(Value);
}

// ---- TkvImageInfoCollection ---------------------------------------------------------------

TkvImageInfoCollection::TkvImageInfoCollection(TkvImageList* AImageList)
    : TCollection(TkvImageInfoItem::ClassInfo()), FImageList(AImageList) {}

TPersistent* TkvImageInfoCollection::GetOwner() { return FImageList; }

TkvImageInfoItem* TkvImageInfoCollection::AddInfo(TBitmap* Image, TBitmap* Mask, TColor MaskColor) {
  return new TkvImageInfoItem(this, Image, Mask, MaskColor);
}

void TkvImageInfoCollection::MoveInfo(Integer From, Integer To) {
  if (From >= 0 && From < GetCount()) Item(From)->SetIndex(To);
}

void TkvImageInfoCollection::DeleteInfo(Integer Index) {
  if (Index == -1)
    Clear();
  else if (Index >= 0 && Index < GetCount())
    Delete(Index);
}

void TkvImageInfoCollection::SetCompressData(bool Value) {
  if (FCompressData == Value) return;
  FCompressData = Value;
  for (Integer i = 0; i < GetCount(); ++i) Item(i)->SetCompressData(Value);
}

// ---- Free routines ------------------------------------------------------------------------

Integer ImageCountOf(TBitmap* Bitmap, Integer Width, Integer Height) {
  if (Width <= 0 || Height <= 0 || Bitmap->GetWidth() % Width != 0 || Bitmap->GetHeight() % Height != 0) return 1;
  return (Bitmap->GetWidth() / Width) * (Bitmap->GetHeight() / Height);
}

Integer ImageListPixelFormat(HIMAGELIST List) {
  IMAGEINFO info{};
  BITMAP bitmap{};
  if (!List || !ImageList_GetImageInfo(List, 0, &info) || !ReadBitmapInfo(info.hbmImage, bitmap)) return 0;
  return bitmap.bmBitsPixel;
}

namespace {

std::vector<Byte> PlatformListBytes(TCustomImageList* List) {
  TMemoryStream memory;
  auto* adapter = new TStreamAdapter(&memory);
  IStream* stream = adapter;
  stream->_AddRef();
  ImageList_Write(List->GetHandle(), stream);
  stream->_Release();
  const auto* bytes = static_cast<const Byte*>(memory.GetMemory());
  return std::vector<Byte>(bytes, bytes + memory.GetSize());
}

}  // namespace

bool ImageListsEqual(TCustomImageList* A, TCustomImageList* B) {
  if (A->GetCount() != B->GetCount()) return false;
  if (A->GetCount() == 0) return true;
  return PlatformListBytes(A) == PlatformListBytes(B);
}

// ---- TkvImageList -------------------------------------------------------------------------

TkvImageList::TkvImageList(TComponent* AOwner) : TkvImageList(AOwner, 16, 16) {}

TkvImageList::TkvImageList(TComponent* AOwner, Integer AWidth, Integer AHeight)
    : TCustomImageList(AOwner, AWidth, AHeight), FImageInfo(std::make_unique<TkvImageInfoCollection>(this)) {}

TkvImageList::~TkvImageList() { FImageInfo.reset(); }

void TkvImageList::EndUpdate(bool FireChange) {
  if (FLockCount <= 0) return;
  --FLockCount;
  if (FireChange) Change();
}

void TkvImageList::Change() {
  if (FLockCount == 0) inherited::Change();
}

Integer TkvImageList::AddImageAndMask(TBitmap* Image, TBitmap* Mask) {
  HBITMAP maskHandle = Mask ? Mask->GetHandle() : nullptr;
  HBITMAP blankMask = nullptr;
  if (!Mask) {
    // Every pixel opaque.
    std::vector<Byte> zeros(static_cast<size_t>((GetWidth() + 15) / 16 * 2) * GetHeight(), 0);
    maskHandle = blankMask = CreateBitmap(GetWidth(), GetHeight(), 1, 1, zeros.data());
  }
  const Integer index = ImageList_Add(GetHandle(), Image->GetHandle(), maskHandle);
  if (blankMask) DeleteObject(blankMask);
  if (!FSynchronizing && index >= 0) AddToImageInfo(Image, Mask, clNone);
  Change();
  return index;
}

Integer TkvImageList::AddMaskedImage(TBitmap* Image, TColor MaskColor) {
  BeginUpdate();
  Integer index;
  if (MaskColor == clNone) {
    index = AddImageAndMask(Image, nullptr);
  } else {
    std::unique_ptr<TBitmap> copy(CloneBitmap(Image));
    index = ImageList_AddMasked(GetHandle(), copy->GetHandle(), ColorToRGB(MaskColor));
    if (!FSynchronizing && index >= 0) AddToImageInfo(Image, nullptr, MaskColor);
  }
  EndUpdate(true);
  return index;
}

void TkvImageList::MoveImage(Integer From, Integer To) {
  const Integer count = GetCount();
  if (From < 0 || From >= count || To < 0 || To >= count || From == To) return;
  BeginUpdate();
  const Integer step = To > From ? 1 : -1;
  for (Integer i = From; i != To; i += step) ImageList_Copy(GetHandle(), i + step, GetHandle(), i, ILCF_SWAP);
  if (!FSynchronizing) FImageInfo->MoveInfo(From, To);
  EndUpdate(true);
}

void TkvImageList::DeleteImage(Integer Index) {
  BeginUpdate();
  if (Index == -1)
    Clear();
  else
    Delete(Index);
  if (!FSynchronizing) FImageInfo->DeleteInfo(Index);
  EndUpdate(true);
}

void TkvImageList::InsertImage(Integer Index, TBitmap* Image, TBitmap* Mask) {
  if (Index < 0 || Index > GetCount()) return;
  BeginUpdate();
  const Integer added = AddImageAndMask(Image, Mask);
  if (added >= 0)
    for (Integer i = 0; i < ImageCountOf(Image, GetWidth(), GetHeight()); ++i) MoveImage(added + i, Index + i);
  EndUpdate(true);
}

void TkvImageList::ReplaceImageAt(Integer Index, TBitmap* Image, TBitmap* Mask) {
  BeginUpdate();
  DeleteImage(Index);
  InsertImage(Index, Image, Mask);
  EndUpdate(true);
}

void TkvImageList::GetImageAt(Integer Index, TBitmap* Image, TBitmap* Mask) {
  if (Index < 0 || Index >= GetCount()) return;
  TkvImageInfoItem* item = Index < FImageInfo->GetCount() ? FImageInfo->Item(Index) : nullptr;
  if (item && item->GetImage()->GetPixelFormat() == pf32bit) {
    auto copyInto = [](TBitmap* target, TBitmap* source) {
      target->SetSize(source->GetWidth(), source->GetHeight());
      BitBlt(target->GetCanvas()->GetHandle(), 0, 0, source->GetWidth(), source->GetHeight(),
             source->GetCanvas()->GetHandle(), 0, 0, SRCCOPY);
    };
    if (Image) copyInto(Image, item->GetImage());
    if (Mask) copyInto(Mask, item->GetMask());
  } else {
    ExtractImageAndMask(GetHandle(), Index, Mask, Image);
  }
  if (item) item->GetImage()->Dormant();
}

void TkvImageList::ExtractImageAndMask(HIMAGELIST List, Integer Index, TBitmap* Mask, TBitmap* Image) {
  IMAGEINFO info{};
  if (!ImageList_GetImageInfo(List, Index == -1 ? 0 : Index, &info)) return;
  auto extract = [&](TBitmap* target, HBITMAP strip) {
    if (!target || !strip) return;
    if (Index == -1) {
      target->SetHandle(CopyImageHandle(strip));
      return;
    }
    TBitmap copy;
    copy.SetHandle(CopyImageHandle(strip));
    target->SetSize(info.rcImage.Width(), info.rcImage.Height());
    HDC dc = target->GetCanvas()->GetHandle();
    // A monochrome strip takes the target DC's text and background colours for its clear and set
    // points; a canvas erased black would turn the whole mask black, so they are fixed here.
    const COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
    const COLORREF oldBack = ::SetBkColor(dc, RGB(255, 255, 255));
    BitBlt(dc, 0, 0, info.rcImage.Width(), info.rcImage.Height(), copy.GetCanvas()->GetHandle(), info.rcImage.Left,
           info.rcImage.Top, SRCCOPY);
    SetTextColor(dc, oldText);
    ::SetBkColor(dc, oldBack);
    // The pixels changed behind the bitmap's back.
    target->SetModified(true);
  };
  extract(Image, info.hbmImage);
  extract(Mask, info.hbmMask);
}

void TkvImageList::GetImageInfo(Integer Index, TkvImageInfo* Info) {
  if (Index >= 0 && Index < FImageInfo->GetCount()) {
    Info->Assign(FImageInfo->Item(Index)->GetImageInfo());
  } else {
    Info->SetImage(nullptr);
    Info->SetMask(nullptr);
    Info->SetMaskColor(clNone);
  }
}

void TkvImageList::AddImageInfo(TkvImageInfo* Info) {
  if (!Info->GetMask()->GetEmpty())
    AddImageAndMask(Info->GetImage(), Info->GetMask());
  else
    AddMaskedImage(Info->GetImage(), Info->GetMaskColor());
}

void TkvImageList::Assign(TPersistent* Source) {
  auto* list = dynamic_cast<TCustomImageList*>(Source);
  if (!list) return;
  BeginUpdate();
  inherited::Assign(Source);
  ClearImages();
  if (auto* kvList = dynamic_cast<TkvImageList*>(list)) {
    TkvImageInfo info;
    for (Integer i = 0; i < kvList->GetCount(); ++i) {
      kvList->GetImageInfo(i, &info);
      AddImageInfo(&info);
    }
  } else {
    for (Integer i = 0; i < list->GetCount(); ++i) {
      std::unique_ptr<TBitmap> image(NewBitmap(0, 0, pf32bit));
      std::unique_ptr<TBitmap> mask(NewBitmap(0, 0, pf1bit));
      ExtractImageAndMask(list->GetHandle(), i, mask.get(), image.get());
      AddImageAndMask(image.get(), mask.get());
    }
  }
  EndUpdate(true);
}

void TkvImageList::AddToImageInfo(TBitmap* Image, TBitmap* Mask, TColor MaskColor) {
  const Integer w = GetWidth(), h = GetHeight();
  const bool strip = Image->GetWidth() % w == 0 && Image->GetHeight() % h == 0 &&
                     (Image->GetWidth() > w || Image->GetHeight() > h);
  if (!strip) {
    FImageInfo->AddInfo(Image, Mask, MaskColor)->GetImage()->Dormant();
    return;
  }
  for (Integer top = 0; top < Image->GetHeight(); top += h)
    for (Integer left = 0; left < Image->GetWidth(); left += w) {
      std::unique_ptr<TBitmap> cell(NewBitmap(w, h, Image->GetPixelFormat()));
      cell->GetCanvas()->CopyRect(Rect(0, 0, w, h), Image->GetCanvas(), Bounds(left, top, w, h));
      std::unique_ptr<TBitmap> maskCell;
      if (Mask) {
        maskCell.reset(NewBitmap(w, h, Mask->GetPixelFormat()));
        maskCell->GetCanvas()->GetBrush()->SetColor(clBlack);
        maskCell->GetCanvas()->FillRect(Rect(0, 0, w, h));
        maskCell->GetCanvas()->CopyRect(Rect(0, 0, w, h), Mask->GetCanvas(), Bounds(left, top, w, h));
      }
      FImageInfo->AddInfo(cell.get(), maskCell.get(), MaskColor)->GetImage()->Dormant();
    }
}

void TkvImageList::SynchronizeImageInfo() {
  FImageInfo->BeginUpdate();
  FImageInfo->Clear();
  for (Integer i = 0; i < GetCount(); ++i) {
    std::unique_ptr<TBitmap> image(NewBitmap(GetWidth(), GetHeight(), pf32bit));
    std::unique_ptr<TBitmap> mask(NewBitmap(GetWidth(), GetHeight(), pf1bit));
    ExtractImageAndMask(GetHandle(), i, mask.get(), image.get());
    FImageInfo->AddInfo(image.get(), mask.get(), clNone);
  }
  FImageInfo->EndUpdate();
}

void TkvImageList::DrawImage(Integer Index, TCanvas* Canvas, const TRect& R, TkvGlyphDrawMode Style, bool Stretch,
                             bool Smooth, bool Enabled) {
  (void)Style;
  const TRect imageRect =
      Stretch ? R
              : Bounds(R.Left + (R.Width() - GetWidth()) / 2, R.Top + (R.Height() - GetHeight()) / 2, GetWidth(),
                       GetHeight());
  if (FAlphaBlending) {
    DrawGlyphOrListImage(Canvas->GetHandle(), imageRect, imageRect, false, clNone, nullptr, Smooth,
                         Enabled ? gdmNormal : gdmDisabled, Index, this, nullptr);
  } else if (Stretch) {
    TkvBitmap cell(GetWidth(), GetHeight());
    inherited::DoDraw(Index, cell.GetCanvas(), 0, 0, ILD_NORMAL, Enabled);
    DrawGlyphOrListImage(Canvas->GetHandle(), imageRect, imageRect, false, clNone, nullptr, Smooth, gdmNormal, -1,
                         nullptr, &cell);
  } else {
    inherited::DoDraw(Index, Canvas, imageRect.Left, imageRect.Top, ILD_NORMAL, Enabled);
  }
}

void TkvImageList::DoDraw(Integer Index, TCanvas* Canvas, Integer X, Integer Y, UINT Style, bool Enabled) {
  (void)Style;
  DrawImage(Index, Canvas, Bounds(X, Y, GetWidth(), GetHeight()), gdmNormal, false, false, Enabled);
}

void TkvImageList::DefineProperties(TFiler* Filer) {
  // The platform list's own stream is only read (older form data); this list writes its images.
  if (dynamic_cast<TReader*>(Filer)) {
    Filer->DefineBinaryProperty(
        "Bitmap", [this](TStream* Stream) { ReadPlatformList(Stream); }, nullptr, false);
  }
  Filer->DefineProperty(
      "FormatVersion", [this](TReader* Reader) { FFormatVersion = static_cast<Word>(Reader->ReadInteger()); },
      [this](TWriter* Writer) {
        FFormatVersion = 1;
        Writer->WriteInteger(1);
      },
      true);
  auto* ancestor = dynamic_cast<TkvImageList*>(Filer->GetAncestor());
  Filer->DefineProperty(
      "DesignInfo", [this](TReader* Reader) { FDesignInfo = Reader->ReadInteger(); },
      [this](TWriter* Writer) { Writer->WriteInteger(FDesignInfo); },
      !ancestor || ancestor->FDesignInfo != FDesignInfo);
  const bool storeImages = ancestor ? !ImageListsEqual(this, ancestor) : GetCount() > 0;
  Filer->DefineProperty(
      "ImageInfo", [this](TReader* Reader) { ReadImageInfo(Reader); },
      [this](TWriter* Writer) { WriteImageInfo(Writer); }, storeImages);
}

void TkvImageList::ReadPlatformList(TStream* Stream) {
  auto* adapter = new TStreamAdapter(Stream);
  IStream* stream = adapter;
  stream->_AddRef();
  HIMAGELIST list = ImageList_Read(stream);
  stream->_Release();
  if (!list) throw EReadError("Failed to read ImageList data from stream");
  SetHandle(list);
  SynchronizeImageInfo();
}

void TkvImageList::ReadImageInfo(TReader* Reader) {
  FImageInfo->Clear();
  Reader->ReadCollection(FImageInfo.get());
  BeginUpdate();
  FSynchronizing = true;
  try {
    Clear();
    for (Integer i = 0; i < FImageInfo->GetCount(); ++i) {
      AddImageInfo(FImageInfo->Item(i)->GetImageInfo());
      FImageInfo->Item(i)->GetImage()->Dormant();
    }
  } catch (...) {
    FSynchronizing = false;
    EndUpdate(false);
    throw;
  }
  FSynchronizing = false;
  EndUpdate(true);
}

void TkvImageList::WriteImageInfo(TWriter* Writer) { Writer->WriteCollection(FImageInfo.get()); }

// Forms name image lists by class.
void kvGraphicsImageListStart() { RegisterClass(TkvImageList::ClassInfo()); }
void kvGraphicsImageListEnd() { UnRegisterClass(TkvImageList::ClassInfo()); }
