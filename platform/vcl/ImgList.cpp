#include "vcl/ImgList.h"

#include <algorithm>
#include <utility>

#include "rtl/Filer.h"

TAVREN_CLASS_IMPL(TChangeLink)

TChangeLink::~TChangeLink() {
  if (FSender) FSender->UnRegisterChanges(this);
}

void TChangeLink::Change() { FOnChange(FSender); }

COLORREF ImageListColor(TColor Color) {
  if (Color == clNone) return CLR_NONE;
  if (Color == clDefault) return CLR_DEFAULT;
  return ColorToRGB(Color);
}

TAVREN_CLASS_IMPL_PUBLISHED(TCustomImageList,
    PROPERTY(AllocBy).Default(4),
    PROPERTY(BlendColor).Idents(ColorIdentMap).Default(clNone),
    PROPERTY(BkColor).Idents(ColorIdentMap).Default(clNone),
    PROPERTY(DrawingStyle).Default(dsNormal),
    PROPERTY(Height).Default(16),
    PROPERTY(ImageType).Default(itImage),
    PROPERTY(Masked).Default(true),
    PROPERTY(ShareImages).Default(false),
    PROPERTY(Width).Default(16),
    PROPERTY(OnChange))
TAVREN_CLASS_IMPL(TImageList)

TCustomImageList::TCustomImageList(TComponent* AOwner) : TComponent(AOwner) {}

TCustomImageList::TCustomImageList(TComponent* AOwner, Integer AWidth, Integer AHeight)
    : TComponent(AOwner), FWidth(std::max(AWidth, 1)), FHeight(std::max(AHeight, 1)) {}

TCustomImageList::~TCustomImageList() {
  for (TChangeLink* link : FClients) link->SetSender(nullptr);
  FreeHandle();
}

void TCustomImageList::FreeHandle() {
  if (FHandle && !FShareImages) ImageList_Destroy(FHandle);
  FHandle = nullptr;
}

HIMAGELIST TCustomImageList::GetHandle() {
  if (!FHandle) {
    FHandle = ImageList_Create(FWidth, FHeight, ILC_COLOR32 | (FMasked ? ILC_MASK : 0), FAllocBy, FAllocBy);
    if (!FHandle) throw EInvalidOperation("Invalid image size");
    ImageList_SetBkColor(FHandle, ImageListColor(FBkColor));
  }
  return FHandle;
}

void TCustomImageList::SetHandle(HIMAGELIST Value) {
  FreeHandle();
  FHandle = Value;
  if (Value) {
    int cx = 0, cy = 0;
    ImageList_GetIconSize(Value, &cx, &cy);
    FWidth = cx;
    FHeight = cy;
  }
  Change();
}

void TCustomImageList::Recreate() {
  FreeHandle();
  Change();
}

void TCustomImageList::SetWidth(Integer Value) {
  if (Value < 1 || Value == FWidth) return;
  FWidth = Value;
  Recreate();
}

void TCustomImageList::SetHeight(Integer Value) {
  if (Value < 1 || Value == FHeight) return;
  FHeight = Value;
  Recreate();
}

void TCustomImageList::SetMasked(bool Value) {
  if (Value == FMasked) return;
  FMasked = Value;
  Recreate();
}

void TCustomImageList::SetBkColor(TColor Value) {
  FBkColor = Value;
  if (FHandle) ImageList_SetBkColor(FHandle, ImageListColor(Value));
  Change();
}

void TCustomImageList::SetDrawingStyle(TDrawingStyle Value) {
  if (Value == FDrawingStyle) return;
  FDrawingStyle = Value;
  Change();
}

void TCustomImageList::SetImageType(TImageType Value) {
  if (Value == FImageType) return;
  FImageType = Value;
  Change();
}

void TCustomImageList::Assign(TPersistent* Source) {
  if (auto* list = dynamic_cast<TCustomImageList*>(Source)) {
    if (list == this) return;
    FreeHandle();
    FWidth = list->FWidth;
    FHeight = list->FHeight;
    FMasked = list->FMasked;
    FBkColor = list->FBkColor;
    FBlendColor = list->FBlendColor;
    FDrawingStyle = list->FDrawingStyle;
    FImageType = list->FImageType;
    if (list->FHandle) {
      TMemoryStream data;
      list->WriteList(&data);
      data.SetPosition(0);
      ReadList(&data);
    }
    Change();
    return;
  }
  inherited::Assign(Source);
}

void TCustomImageList::Change() {
  for (TChangeLink* link : std::vector<TChangeLink*>(FClients)) link->Change();
  FOnChange(this);
}

void TCustomImageList::RegisterChanges(TChangeLink* Value) {
  if (!Value || std::find(FClients.begin(), FClients.end(), Value) != FClients.end()) return;
  Value->SetSender(this);
  FClients.push_back(Value);
}

void TCustomImageList::UnRegisterChanges(TChangeLink* Value) {
  auto it = std::find(FClients.begin(), FClients.end(), Value);
  if (it == FClients.end()) return;
  (*it)->SetSender(nullptr);
  FClients.erase(it);
}

Integer TCustomImageList::Add(TBitmap* Image, TBitmap* Mask) {
  if (!Image) return -1;
  Integer result = ImageList_Add(GetHandle(), Image->GetHandle(), Mask ? Mask->GetHandle() : nullptr);
  Change();
  return result;
}

Integer TCustomImageList::AddMasked(TBitmap* Image, TColor MaskColor) {
  if (!Image) return -1;
  if (!FMasked) return Add(Image, nullptr);
  Integer result = ImageList_AddMasked(GetHandle(), Image->GetHandle(), ColorToRGB(MaskColor));
  Change();
  return result;
}

Integer TCustomImageList::AddIcon(TIcon* Image) {
  if (!Image || Image->GetEmpty()) return -1;
  Integer result = ImageList_AddIcon(GetHandle(), Image->GetHandle());
  Change();
  return result;
}

void TCustomImageList::Replace(Integer Index, TBitmap* Image, TBitmap* Mask) {
  if (!Image || !ImageList_Replace(GetHandle(), Index, Image->GetHandle(), Mask ? Mask->GetHandle() : nullptr))
    throw EInvalidOperation("Failed to replace image");
  Change();
}

void TCustomImageList::Delete(Integer Index) {
  if (Index < 0 || Index >= GetCount()) throw EInvalidOperation("Invalid image list index");
  ImageList_Remove(GetHandle(), Index);
  Change();
}

void TCustomImageList::Clear() {
  if (FHandle) ImageList_RemoveAll(FHandle);
  Change();
}

Integer TCustomImageList::GetCount() { return FHandle ? ImageList_GetImageCount(FHandle) : 0; }

void TCustomImageList::Draw(TCanvas* Canvas, Integer X, Integer Y, Integer Index, bool Enabled) {
  Draw(Canvas, X, Y, Index, FDrawingStyle, FImageType, Enabled);
}

void TCustomImageList::Draw(TCanvas* Canvas, Integer X, Integer Y, Integer Index, TDrawingStyle ADrawingStyle,
                            TImageType AImageType, bool Enabled) {
  static constexpr UINT kStyles[] = {ILD_FOCUS, ILD_SELECTED, ILD_NORMAL, ILD_TRANSPARENT};
  if (!Canvas || !FHandle || Index < 0 || Index >= GetCount()) return;
  DoDraw(Index, Canvas, X, Y, kStyles[ADrawingStyle] | (AImageType == itMask ? ILD_MASK : 0), Enabled);
}

void TCustomImageList::DoDraw(Integer Index, TCanvas* Canvas, Integer X, Integer Y, UINT Style, bool Enabled) {
  HDC dc = Canvas->GetHandle();
  if (Enabled) {
    ImageList_DrawEx(FHandle, Index, dc, X, Y, 0, 0, ImageListColor(FBkColor), ImageListColor(FBlendColor), Style);
    return;
  }
  // The greyed look: the image's shape in the highlight colour one pixel down and right, then in
  // the shadow colour.
  TBitmap shape;
  shape.SetPixelFormat(pf32bit);
  shape.SetSize(FWidth, FHeight);
  shape.GetCanvas()->GetBrush()->SetColor(clWhite);
  shape.GetCanvas()->FillRect(Rect(0, 0, FWidth, FHeight));
  ImageList_DrawEx(FHandle, Index, shape.GetCanvas()->GetHandle(), 0, 0, 0, 0, CLR_NONE, CLR_NONE, ILD_MASK);
  // Each pass paints the shape's (black) pixels in its colour and leaves the rest of the
  // destination as it was (PSDPxax: pattern where the source is 0, destination where it is 1).
  constexpr DWORD kPaintShape = 0x00B8074A;
  HDC shapeDC = shape.GetCanvas()->GetHandle();
  Canvas->Refresh();
  for (const auto& [colour, offset] : {std::pair{clBtnHighlight, 1}, std::pair{clBtnShadow, 0}}) {
    HBRUSH brush = CreateSolidBrush(ColorToRGB(colour));
    HGDIOBJ old = SelectObject(dc, brush);
    BitBlt(dc, X + offset, Y + offset, FWidth, FHeight, shapeDC, 0, 0, kPaintShape);
    SelectObject(dc, old);
    DeleteObject(brush);
  }
}

void TCustomImageList::GetBitmap(Integer Index, TBitmap* Image) {
  if (!Image || !FHandle || Index < 0 || Index >= GetCount()) return;
  Image->SetSize(FWidth, FHeight);
  TCanvas* canvas = Image->GetCanvas();
  canvas->GetBrush()->SetColor(FBkColor == clNone ? clWhite : FBkColor);
  canvas->FillRect(Rect(0, 0, FWidth, FHeight));
  ImageList_Draw(FHandle, Index, canvas->GetHandle(), 0, 0, ILD_NORMAL);
}

void TCustomImageList::GetIcon(Integer Index, TIcon* Image) {
  if (!Image || !FHandle || Index < 0 || Index >= GetCount()) return;
  Image->SetHandle(ImageList_GetIcon(FHandle, Index, ILD_NORMAL));
}

void TCustomImageList::DefineProperties(TFiler* Filer) {
  inherited::DefineProperties(Filer);
  Filer->DefineBinaryProperty(
      "Bitmap", [this](TStream* Stream) { ReadList(Stream); }, [this](TStream* Stream) { WriteList(Stream); },
      GetCount() > 0);
}

void TCustomImageList::ReadList(TStream* Stream) {
  auto* adapter = new TStreamAdapter(Stream);
  IStream* stream = adapter;
  stream->_AddRef();
  HIMAGELIST list = ImageList_Read(stream);
  stream->_Release();
  if (!list) throw EReadError("Failed to read ImageList data from stream");
  SetHandle(list);
}

void TCustomImageList::WriteList(TStream* Stream) {
  auto* adapter = new TStreamAdapter(Stream);
  IStream* stream = adapter;
  stream->_AddRef();
  BOOL written = ImageList_Write(GetHandle(), stream);
  stream->_Release();
  if (!written) throw EWriteError("Failed to write ImageList data to stream");
}
