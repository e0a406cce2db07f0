// The blob editor's Properties, its one-line view (an icon, a placeholder or the first line of a
// memo), the glyph list, and the unit's start and end.

#include "rtl/ClassRegistry.h"
#include "rtl/Reader.h"
#include "rtl/Resources.h"
#include "rtl/Writer.h"
#include "toolkit/editors/kvBlobEdit.h"
#include "toolkit/editors/kvDrawTextUtils.h"
#include "toolkit/editors/kvEditUtils.h"
#include "toolkit/foundation/kvGeometry.h"

TAVREN_CLASS_IMPL(TkvBlobEditViewInfo)
TAVREN_CLASS_IMPL(TkvBlobEditViewData)
TAVREN_CLASS_IMPL(TkvCustomBlobEditProperties)
TAVREN_CLASS_IMPL_PUBLISHED(
    TkvBlobEditProperties, PROPERTY(AlwaysSaveData).Default(true), PROPERTY(AssignedValues),
    PROPERTY(BlobEditKind).Default(bekAuto), PROPERTY(BlobPaintStyle).Default(bpsIcon), PROPERTY(ClearKey).Default(0),
    PROPERTY(ImeMode).Default(imDontCare), PROPERTY(ImeName), PROPERTY(ImmediatePopup).Default(true),
    PROPERTY(ImmediatePost).Default(false), PROPERTY(MemoAutoReplace).Default(false),
    PROPERTY(MemoCharCase).Default(ecNormal), PROPERTY(MemoMaxLength).Default(0),
    PROPERTY(MemoOEMConvert).Default(false), PROPERTY(MemoScrollBars).Default(ssNone),
    PROPERTY(MemoWantReturns).Default(true), PROPERTY(MemoWantTabs).Default(true),
    PROPERTY(MemoWordWrap).Default(true), PROPERTY(PictureAutoSize).Default(true), PROPERTY(PictureFilter),
    PROPERTY(PictureGraphicClassName).Stored<&TkvCustomBlobEditProperties::IsPictureGraphicClassNameStored>(),
    PROPERTY(PictureTransparency).Default(gtDefault), PROPERTY(PopupHeight).Default(200),
    PROPERTY(PopupWidth).Default(250), PROPERTY(ReadOnly).Stored<&TkvCustomEditProperties::IsReadOnlyStored>(),
    PROPERTY(ShowExPopupItems).Default(true), PROPERTY(ShowPicturePopup).Default(true), PROPERTY(OnAssignPicture),
    PROPERTY(OnButtonClick), PROPERTY(OnChange), PROPERTY(OnCloseQuery), PROPERTY(OnCloseUp),
    PROPERTY(OnEditValueChanged), PROPERTY(OnGetGraphicClass), PROPERTY(OnInitPopup), PROPERTY(OnPopup),
    PROPERTY(OnValidate))

namespace {

std::unique_ptr<TImageList> gGlyphs;
Integer gStartCount = 0;

const char* const kGlyphNames[] = {"KVBMBLOB_BLOB_NULL", "KVBMBLOB_BLOB", "KVBMBLOB_MEMO_NULL", "KVBMBLOB_MEMO",
                                   "KVBMBLOB_PICT_NULL", "KVBMBLOB_PICT", "KVBMBLOB_OLE_NULL",  "KVBMBLOB_OLE"};
constexpr TColor kGlyphKey = static_cast<TColor>(0x008080);

bool IsEmptyValue(const Variant& Value) { return VarIsNull(Value) || (VarIsStr(Value) && VarToStr(Value).empty()); }

}  // namespace

TCustomImageList* BlobEditGlyphs() { return gGlyphs.get(); }

// ---- Properties --------------------------------------------------------------------------------

TkvCustomBlobEditProperties::TkvCustomBlobEditProperties(TPersistent* AOwner)
    : TkvCustomPopupEditProperties(AOwner), FPictureGraphicClass(DefaultGraphicClass()) {
  SetImmediatePopup(true);
  SetPopupMinWidth(160);
  SetPopupMinHeight(140);
  GetButtons()->GetButton(0)->SetKind(bkEllipsis);
}

void TkvCustomBlobEditProperties::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TkvCustomBlobEditProperties*>(Source);
  LockChanges();
  try {
    TkvCustomPopupEditProperties::Assign(Source);
    if (source) {
      FAlwaysSaveData = source->FAlwaysSaveData;
      SetBlobEditKind(source->FBlobEditKind);
      FBlobPaintStyle = source->FBlobPaintStyle;
      FMemoAutoReplace = source->FMemoAutoReplace;
      FMemoCharCase = source->FMemoCharCase;
      FMemoMaxLength = source->FMemoMaxLength;
      FMemoOEMConvert = source->FMemoOEMConvert;
      FMemoScrollBars = source->FMemoScrollBars;
      FMemoWantReturns = source->FMemoWantReturns;
      FMemoWantTabs = source->FMemoWantTabs;
      FMemoWordWrap = source->FMemoWordWrap;
      FPictureAutoSize = source->FPictureAutoSize;
      FPictureFilter = source->FPictureFilter;
      FPictureGraphicClass = source->FPictureGraphicClass;
      FPictureTransparency = source->FPictureTransparency;
      FShowExPopupItems = source->FShowExPopupItems;
      FShowPicturePopup = source->FShowPicturePopup;
      FOnAssignPicture = source->FOnAssignPicture;
      FOnGetGraphicClass = source->FOnGetGraphicClass;
    }
  } catch (...) {
    UnlockChanges(true);
    throw;
  }
  UnlockChanges(true);
}

void TkvCustomBlobEditProperties::DefineProperties(TFiler* Filer) {
  TkvCustomPopupEditProperties::DefineProperties(Filer);
  Filer->DefineProperty(
      "IsPictureGraphicClassNameEmpty",
      [this](TReader* Reader) {
        if (Reader->ReadBoolean()) SetPictureGraphicClassName("");
      },
      [](TWriter* Writer) { Writer->WriteBoolean(true); }, !FPictureGraphicClass);
}

TkvBlobEditKind TkvCustomBlobEditProperties::ResolvedKind() {
  if (FBlobEditKind != bekAuto) return FBlobEditKind;
  IkvEditDefaultValuesProvider* provider = GetDefaultValuesProvider();
  if (provider && !provider->HasData()) return bekAuto;
  static const TkvBlobEditKind kKinds[] = {bekBlob, bekBlob, bekPict, bekMemo, bekOle};
  TkvBlobEditKind kind = bekBlob;
  if (provider) {
    const Integer blobKind = provider->ProvidedBlobKind();
    kind = blobKind >= 0 && blobKind <= 4 ? kKinds[blobKind] : bekBlob;
  }
  // Stored without telling anyone: the kind of the data it edits is no change of the settings.
  LockChanges();
  SetBlobEditKind(kind);
  UnlockChanges(false);
  return kind;
}

bool TkvCustomBlobEditProperties::CanValidate() { return ResolvedKind() == bekMemo; }

TClassOf<TkvCustomEditViewData> TkvCustomBlobEditProperties::GetViewDataClass() {
  return TkvBlobEditViewData::ClassInfo();
}

TClass TkvCustomBlobEditProperties::GetEditorClass() { return TkvBlobEdit::ClassInfo(); }

TClassOf<TkvCustomEditViewInfo> TkvCustomBlobEditProperties::GetViewInfoClass() {
  return TkvBlobEditViewInfo::ClassInfo();
}

TClassOf<TkvCustomEditPopupWindow> TkvCustomBlobEditProperties::PopupWindowClass() {
  return TkvBlobEditPopupWindow::ClassInfo();
}

bool TkvCustomBlobEditProperties::DisplayValuesEqual(const Variant& A, const Variant& B) {
  if (FBlobPaintStyle != bpsText || ResolvedKind() != bekMemo || !VarIsStr(A) || !VarIsStr(B)) return false;
  return VarToStr(A) == VarToStr(B);
}

String TkvCustomBlobEditProperties::EditValueToDisplayText(const Variant& EditValue, bool) {
  if (VarIsNull(EditValue)) return {};
  switch (ResolvedKind()) {
    case bekMemo: return BlobDisplayText(EditValue, false);
    case bekPict: return ResourceStringText(skvEditPictureUpper);
    case bekOle: return "OLE";
    case bekBlob: return "BLOB";
    default: return {};
  }
}

String TkvCustomBlobEditProperties::BlobDisplayText(const Variant& Value, bool ForEditing) {
  const TkvBlobEditKind kind = ResolvedKind();
  if (ForEditing && kind == bekMemo && VarIsStr(Value)) return VarToStr(Value);
  if (FBlobPaintStyle == bpsDefault) {
    if (kind == bekMemo) return ResourceStringText(VarIsNull(Value) ? skvEditMemoLower : skvEditMemoUpper);
    if (kind == bekPict) return ResourceStringText(VarIsNull(Value) ? skvEditPictureLower : skvEditPictureUpper);
    return {};
  }
  if (FBlobPaintStyle == bpsText && kind == bekMemo && VarIsStr(Value)) {
    const String text = VarToStr(Value);
    return text.substr(0, text.find_first_of("\r\n"));
  }
  return {};
}

Integer TkvCustomBlobEditProperties::GetKindTraits() {
  Integer traits = TkvCustomPopupEditProperties::GetKindTraits();
  return ResolvedKind() == bekPict ? traits | 1 : traits;
}

Integer TkvCustomBlobEditProperties::GetSupportedFeatures() {
  return GetButtons()->GetCount() > 0 ? 4 | 32 : 4;
}

void TkvCustomBlobEditProperties::SetBlobEditKind(TkvBlobEditKind Value) {
  if (FBlobEditKind == Value) return;
  FBlobEditKind = Value;
  if (GetButtons()->GetCount() > 0)
    GetButtons()->GetButton(0)->SetKind(Value == bekMemo || Value == bekPict ? bkDown : bkEllipsis);
  NotifyChanged();
}

void TkvCustomBlobEditProperties::SetPictureGraphicClassRef(TGraphicClass Value) {
  if (static_cast<TClass>(Value) == static_cast<TClass>(FPictureGraphicClass)) return;
  FPictureGraphicClass = Value;
  NotifyChanged();
}

String TkvCustomBlobEditProperties::GetPictureGraphicClassName() const {
  return FPictureGraphicClass ? FPictureGraphicClass->Name : String();
}

void TkvCustomBlobEditProperties::SetPictureGraphicClassName(const String& Value) {
  if (Value.empty()) return SetPictureGraphicClassRef(nullptr);
  if (TGraphicClass found = FindGraphicClassByName(Value)) SetPictureGraphicClassRef(found);
}

bool TkvCustomBlobEditProperties::IsPictureGraphicClassNameStored() {
  return FPictureGraphicClass &&
         static_cast<TClass>(FPictureGraphicClass) != static_cast<TClass>(GetDefaultPictureGraphicClass());
}

// ---- View data ---------------------------------------------------------------------------------

void TkvBlobEditViewData::ComputeViewInfo(TkvCanvas* Canvas, const TRect& ABounds, const TPoint& P, Integer Button,
                                          TShiftState Shift, TkvCustomEditViewInfo* ViewInfo, bool IsMouseEvent) {
  TkvCustomDropDownEditViewData::ComputeViewInfo(Canvas, ABounds, P, Button, Shift, ViewInfo, IsMouseEvent);
  auto* info = static_cast<TkvBlobEditViewInfo*>(ViewInfo);
  const TSize glyph = gGlyphs ? TSize{gGlyphs->GetWidth(), gGlyphs->GetHeight()} : TSize{0, 0};
  const TRect& client = info->ClientRect;
  const Integer left = client.Left + (client.Width() - glyph.cx) / 2;
  const Integer top = client.Top + (client.Height() - glyph.cy) / 2;
  info->IconRect = TRect(left, top, left + glyph.cx, top + glyph.cy);
  if (Edit) {
    Variant value;
    Edit->GetCurrentValue(value);
    LoadDisplayValue(Canvas, value, info);
  }
  info->TextFlags = Inplace && !(GetPaintOptions() & 8) ? kvtfCenterY | kvtfSingleLine
                                                        : kvtfCenterY | kvtfSingleLine | kvtfEndEllipsis;
}

void TkvBlobEditViewData::LoadDisplayValue(TkvCanvas*, const Variant& Value, TkvCustomEditViewInfo* ViewInfo) {
  auto* info = static_cast<TkvBlobEditViewInfo*>(ViewInfo);
  auto* properties = static_cast<TkvCustomBlobEditProperties*>(Properties);
  const TkvBlobEditKind kind = properties->ResolvedKind();
  info->TextOut.Initialized = false;
  if (properties->GetBlobPaintStyle() == bpsIcon) {
    info->Text.clear();
    // Nothing to show for a kind the data has not told yet.
    static const Integer kBase[] = {-1, 2, 4, 6, 0};
    info->IconIndex = kBase[kind] < 0 ? -1 : kBase[kind] + (IsEmptyValue(Value) ? 0 : 1);
    return;
  }
  info->IconIndex = -1;
  info->Text = properties->BlobDisplayText(Value, false);
}

void TkvBlobEditViewData::MeasureButtonsHeight(TkvCanvas* Canvas, bool AInplace, const TkvEditSizeRequest& Request,
                                               TSize& Minimum, TkvCustomEditViewInfo* ViewInfo, TSize& NonClient) {
  TkvCustomDropDownEditViewData::MeasureButtonsHeight(Canvas, AInplace, Request, Minimum, ViewInfo, NonClient);
  auto* properties = static_cast<TkvCustomBlobEditProperties*>(Properties);
  if (properties->GetBlobPaintStyle() == bpsIcon && gGlyphs) Minimum.cx += gGlyphs->GetWidth();
}

void TkvBlobEditViewData::EditValueToDisplayText(const Variant& Value, String& Text) {
  Text = static_cast<TkvCustomBlobEditProperties*>(Properties)->BlobDisplayText(Value, false);
}

// ---- View info ---------------------------------------------------------------------------------

void TkvBlobEditViewInfo::CopyFrom(TkvContainerViewInfo* Other) {
  TkvCustomTextEditViewInfo::CopyFrom(Other);
  if (auto* other = dynamic_cast<TkvBlobEditViewInfo*>(Other)) {
    IconRect = other->IconRect;
    IconIndex = other->IconIndex;
  }
}

void TkvBlobEditViewInfo::MoveBy(Integer DX, Integer DY) {
  TkvCustomTextEditViewInfo::MoveBy(DX, DY);
  IconRect = RectShifted(IconRect, DX, DY);
}

bool TkvBlobEditViewInfo::RepaintDifference(TWinControl* Control, const TRect& Inner, TkvCustomEditViewInfo* Older) {
  const bool changed = TkvCustomTextEditViewInfo::RepaintDifference(Control, Inner, Older);
  auto* older = dynamic_cast<TkvBlobEditViewInfo*>(Older);
  if (!older || !Control->HandleAllocated()) return changed;
  if (older->IconIndex == IconIndex && older->Text == Text && older->Focused == Focused &&
      older->PopupOpen == PopupOpen)
    return changed;
  InvalidateRect(Control->GetHandle(), &ClientRect, false);
  return true;
}

void TkvBlobEditViewInfo::PaintContent(TkvCanvas* Canvas) {
  if (!Canvas->AreaVisible(Bounds)) return;
  if (IconIndex == -1 && !Text.empty()) {
    DrawEditBackgroundAndButtons(Canvas, this, true, 0);
    Canvas->GetCanvas()->GetBrush()->SetStyle(bsClear);
    // Laid out again on this canvas, which then holds the font the rows are drawn in.
    TextOut.Initialized = false;
    PaintText(Canvas);
  } else {
    TCustomImageList* glyphs = BlobEditGlyphs();
    if (glyphs && IconIndex >= 0) {
      Canvas->PushClip();
      Canvas->ClipToRect(ClientRect);
      if (IsTransparent())
        Canvas->DrawImageListItem(glyphs, IconRect.Left, IconRect.Top, IconIndex, Enabled);
      else
        DrawGlyphOrImage(Canvas, glyphs, IconIndex, IconRect, BackgroundColor, Enabled);
      Canvas->PopClip();
      if (!IsTransparent()) {
        Canvas->PushClip();
        Canvas->ClipOutRect(IconRect);
        DrawEditBackgroundAndButtons(Canvas, this, true, 0);
        Canvas->PopClip();
      } else {
        DrawEditBackgroundAndButtons(Canvas, this, true, 0);
      }
    } else {
      DrawEditBackgroundAndButtons(Canvas, this, true, 0);
    }
  }
  if (Focused && !Inplace && !PopupOpen) Canvas->DrawFocusFrame(RectInflated(ClientRect, -1, -1));
}

// ---- Unit --------------------------------------------------------------------------------------

void kvBlobEditStart() {
  if (gStartCount++ > 0) return;
  gGlyphs = std::make_unique<TImageList>(nullptr);
  for (const char* name : kGlyphNames) {
    TBitmap bitmap;
    bitmap.LoadFromResourceName(HInstance, name);
    // Sized by the first glyph.
    if (gGlyphs->GetCount() == 0) {
      gGlyphs->SetWidth(bitmap.GetWidth());
      gGlyphs->SetHeight(bitmap.GetHeight());
    }
    gGlyphs->AddMasked(&bitmap, kGlyphKey);
  }
  RegisterClasses({TkvBlobEdit::ClassInfo(), TkvBlobEditProperties::ClassInfo()});
  EditPropertiesRegistry()->AddClass(TkvBlobEditProperties::ClassInfo(),
                                     ResourceStringText(skvEditBlobEditDescription));
}

void kvBlobEditEnd() {
  if (gStartCount == 0 || --gStartCount > 0) return;
  UnRegisterClass(TkvBlobEditProperties::ClassInfo());
  UnRegisterClass(TkvBlobEdit::ClassInfo());
  gGlyphs.reset();
}
