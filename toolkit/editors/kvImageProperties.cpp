// The image editor's Properties: how the picture is placed, its class, the context menu's layout.

#include "rtl/Reader.h"
#include "rtl/Writer.h"
#include "toolkit/editors/kvImage.h"

TAVREN_CLASS_IMPL(TkvCustomImageProperties)
TAVREN_CLASS_IMPL_PUBLISHED(
    TkvImageProperties, PROPERTY(AssignedValues), PROPERTY(Caption), PROPERTY(Center).Default(true),
    PROPERTY(ClearKey).Default(0), PROPERTY(CustomFilter),
    PROPERTY(GraphicClassName).Stored<&TkvCustomImageProperties::IsGraphicClassNameStored>(),
    PROPERTY(GraphicTransparency).Default(gtDefault), PROPERTY(ImmediatePost).Default(false),
    PROPERTY(PopupMenuLayout), PROPERTY(Proportional).Default(true),
    PROPERTY(ReadOnly).Stored<&TkvCustomEditProperties::IsReadOnlyStored>(), PROPERTY(ShowFocusRect).Default(true),
    PROPERTY(Stretch).Default(false), PROPERTY(OnAssignPicture), PROPERTY(OnChange), PROPERTY(OnCustomClick),
    PROPERTY(OnEditValueChanged), PROPERTY(OnGetGraphicClass))

TkvCustomImageProperties::TkvCustomImageProperties(TPersistent* AOwner)
    : TkvCustomEditProperties(AOwner),
      FGraphicClass(DefaultGraphicClass()),
      FPopupMenuLayout(std::make_unique<TkvPopupMenuLayout>(this)) {}

TkvCustomImageProperties::~TkvCustomImageProperties() = default;

void TkvCustomImageProperties::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TkvCustomImageProperties*>(Source);
  LockChanges();
  try {
    TkvCustomEditProperties::Assign(Source);
    if (source) {
      FCaption = source->FCaption;
      FCenter = source->FCenter;
      FCustomFilter = source->FCustomFilter;
      FGraphicClass = source->FGraphicClass;
      FGraphicTransparency = source->FGraphicTransparency;
      FPopupMenuLayout->Assign(source->FPopupMenuLayout.get());
      FShowFocusRect = source->FShowFocusRect;
      FProportional = source->FProportional;
      FStretch = source->FStretch;
      FOnAssignPicture = source->FOnAssignPicture;
      FOnCustomClick = source->FOnCustomClick;
      FOnGetGraphicClass = source->FOnGetGraphicClass;
    }
  } catch (...) {
    UnlockChanges(true);
    throw;
  }
  UnlockChanges(true);
}

void TkvCustomImageProperties::DefineProperties(TFiler* Filer) {
  TkvCustomEditProperties::DefineProperties(Filer);
  Filer->DefineProperty(
      "IsGraphicClassNameEmpty",
      [this](TReader* Reader) {
        if (Reader->ReadBoolean()) SetGraphicClassName("");
      },
      [](TWriter* Writer) { Writer->WriteBoolean(true); }, !FGraphicClass);
}

TClass TkvCustomImageProperties::GetEditorClass() { return TkvImage::ClassInfo(); }

TClassOf<TkvCustomEditViewData> TkvCustomImageProperties::GetViewDataClass() { return TkvImageViewData::ClassInfo(); }

TClassOf<TkvCustomEditViewInfo> TkvCustomImageProperties::GetViewInfoClass() { return TkvImageViewInfo::ClassInfo(); }

String TkvCustomImageProperties::EditValueToDisplayText(const Variant& EditValue, bool) {
  return VarIsNull(EditValue) ? String() : FCaption;
}

void TkvCustomImageProperties::CheckDisplayValue(Variant&, String&, bool&, TkvCustomEdit* Editor) {
  auto* image = dynamic_cast<TkvCustomImage*>(Editor);
  if (!image) return;
  TWeakRef<TkvCustomImage> guard(image);
  image->LockEditValueChanging(true);
  try {
    for (TkvCustomEditProperties* properties : {image->GetProperties(), image->GetRepositoryItem()
                                                                            ? image->GetRepositoryItem()->GetProperties()
                                                                            : nullptr}) {
      auto* own = dynamic_cast<TkvCustomImageProperties*>(properties);
      if (own) own->FOnAssignPicture(image, image->GetPicture());
      if (!guard) return;
    }
  } catch (...) {
    if (guard) image->LockEditValueChanging(false);
    throw;
  }
  image->LockEditValueChanging(false);
  image->PushModifiedState();
  image->SetModifiedFlag(false);
  image->RequestEdit();
  if (guard) image->PopModifiedState();
}

TGraphicClass TkvCustomImageProperties::GetInplaceGraphicClass(TObject* AItem, Integer ARecordIndex,
                                                               bool APastingFromClipboard) {
  TGraphicClass result = FGraphicClass;
  if (!result && APastingFromClipboard) result = TBitmap::ClassInfo();
  FOnGetGraphicClass(AItem, ARecordIndex, APastingFromClipboard, result);
  return result;
}

void TkvCustomImageProperties::SetGraphicClassRef(TGraphicClass Value) {
  if (static_cast<TClass>(Value) == static_cast<TClass>(FGraphicClass)) return;
  FGraphicClass = Value;
  NotifyChanged();
}

String TkvCustomImageProperties::GetGraphicClassName() const { return FGraphicClass ? FGraphicClass->Name : String(); }

void TkvCustomImageProperties::SetGraphicClassName(const String& Value) {
  if (Value.empty()) return SetGraphicClassRef(nullptr);
  if (TGraphicClass found = FindGraphicClassByName(Value)) SetGraphicClassRef(found);
}

void TkvCustomImageProperties::SetProportional(bool Value) {
  if (FProportional == Value) return;
  FProportional = Value;
  if (FStretch) NotifyChanged();
}
