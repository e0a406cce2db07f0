// The manager's image options and the registry of item classes with their control classes.

#include "rtl/ClassRegistry.h"
#include "rtl/ColorIdents.h"
#include "toolkit/bars/qzBar.h"

// ---- TqzBarImageOptions --------------------------------------------------------------------

TAVREN_CLASS_IMPL_PUBLISHED(TqzBarImageOptions,
    PROPERTY(CacheGlyphs).Default(true),
    PROPERTY(DisabledImages),
    PROPERTY(DisabledLargeImages),
    PROPERTY(HotImages),
    PROPERTY(ImageListBkColor).Idents(ColorIdentMap).Default(clFuchsia),
    PROPERTY(Images),
    PROPERTY(LargeImages),
    PROPERTY(LargeIcons).Default(false),
    PROPERTY(MakeDisabledImagesFaded).Default(false),
    PROPERTY(SmoothGlyphs).Default(false),
    PROPERTY(StretchGlyphs).Default(true),
    PROPERTY(UseLargeImagesForLargeIcons).Default(false),
    PROPERTY(UseLeftBottomPixelAsTransparent).Default(true))

TqzBarImageOptions::TqzBarImageOptions(TqzBarManager* ABarManager)
    : TqzBarPersistent(ABarManager), FFreeNotificator(std::make_unique<TkvFreeNotificator>(nullptr)) {
  FFreeNotificator->SetOnFreeNotification(MakeEvent<&TqzBarImageOptions::ImageListFreed>(this));
  for (auto& link : FChangeLinks) link = std::make_unique<TChangeLink>();
  UpdateGlyphSize();
}

TqzBarImageOptions::~TqzBarImageOptions() {
  // The lists forget the change links before the links go.
  TCustomImageList** fields[] = {&FDisabledImages, &FDisabledLargeImages, &FHotImages, &FImages, &FLargeImages};
  for (Integer i = 0; i < 5; ++i)
    if (*fields[i]) (*fields[i])->UnRegisterChanges(FChangeLinks[i].get());
}

void TqzBarImageOptions::UpdateGlyphSize() {
  if (!FLargeIcons)
    FGlyphSize = 16;
  else
    FGlyphSize = UsesLargeImages() ? FLargeImages->GetWidth() : 32;
}

bool TqzBarImageOptions::IsLoading() const {
  for (TCustomImageList* list : {FDisabledImages, FDisabledLargeImages, FHotImages, FImages, FLargeImages})
    if (list && list->GetComponentState().Contains(csLoading)) return true;
  return false;
}

void TqzBarImageOptions::SetDisabledImages(TCustomImageList* Value) {
  SetImageListField(Value, FDisabledImages, FChangeLinks[0].get(), FFreeNotificator.get());
}

void TqzBarImageOptions::SetDisabledLargeImages(TCustomImageList* Value) {
  SetImageListField(Value, FDisabledLargeImages, FChangeLinks[1].get(), FFreeNotificator.get());
}

void TqzBarImageOptions::SetHotImages(TCustomImageList* Value) {
  SetImageListField(Value, FHotImages, FChangeLinks[2].get(), FFreeNotificator.get());
}

void TqzBarImageOptions::SetImages(TCustomImageList* Value) {
  SetImageListField(Value, FImages, FChangeLinks[3].get(), FFreeNotificator.get());
}

void TqzBarImageOptions::SetLargeImages(TCustomImageList* Value) {
  if (FLargeImages == Value) return;
  SetImageListField(Value, FLargeImages, FChangeLinks[4].get(), FFreeNotificator.get());
  if (FLargeIcons && FUseLargeImagesForLargeIcons) LargeIconsChanged();
}

void TqzBarImageOptions::SetImageListBkColor(TColor Value) {
  if (FImageListBkColor == Value) return;
  FImageListBkColor = Value;
  Changed();
}

void TqzBarImageOptions::SetLargeIcons(bool Value) {
  if (FLargeIcons == Value) return;
  FLargeIcons = Value;
  LargeIconsChanged();
}

void TqzBarImageOptions::SetMakeDisabledImagesFaded(bool Value) {
  if (FMakeDisabledImagesFaded == Value) return;
  FMakeDisabledImagesFaded = Value;
  Changed();
}

void TqzBarImageOptions::SetUseLargeImagesForLargeIcons(bool Value) {
  if (FUseLargeImagesForLargeIcons == Value) return;
  FUseLargeImagesForLargeIcons = Value;
  Changed();
}

void TqzBarImageOptions::SetUseLeftBottomPixelAsTransparent(bool Value) {
  if (FUseLeftBottomPixelAsTransparent == Value) return;
  FUseLeftBottomPixelAsTransparent = Value;
  Changed();
}

void TqzBarImageOptions::ImageListFreed(TComponent* AComponent) {
  if (AComponent == FDisabledLargeImages) SetDisabledLargeImages(nullptr);
  if (AComponent == FDisabledImages) SetDisabledImages(nullptr);
  if (AComponent == FHotImages) SetHotImages(nullptr);
  if (AComponent == FImages) SetImages(nullptr);
  if (AComponent == FLargeImages) SetLargeImages(nullptr);
}

void TqzBarImageOptions::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TqzBarImageOptions*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  SetDisabledImages(source->FDisabledImages);
  SetDisabledLargeImages(source->FDisabledLargeImages);
  SetHotImages(source->FHotImages);
  SetImageListBkColor(source->FImageListBkColor);
  SetImages(source->FImages);
  SetLargeImages(source->FLargeImages);
  SetLargeIcons(source->FLargeIcons);
  SetMakeDisabledImagesFaded(source->FMakeDisabledImagesFaded);
  FSmoothGlyphs = source->FSmoothGlyphs;
  FStretchGlyphs = source->FStretchGlyphs;
  SetUseLargeImagesForLargeIcons(source->FUseLargeImagesForLargeIcons);
  SetUseLeftBottomPixelAsTransparent(source->FUseLeftBottomPixelAsTransparent);
}

// ---- Item registry -------------------------------------------------------------------------

TAVREN_CLASS_IMPL(TRegItemRecord)
TAVREN_CLASS_IMPL(TqzBarItemList)

TqzBarItemList::~TqzBarItemList() {
  for (Integer i = GetCount() - 1; i >= 0; --i) {
    TRegItemRecord* record = GetRecord(i);
    UnRegisterClass(record->ItemClass);
    Delete(i);
    delete record;
  }
}

TClass TqzBarItemList::ControlClassOf(TClass AItemClass) const {
  for (Integer i = 0; i < GetCount(); ++i)
    if (static_cast<TClass>(GetRecord(i)->ItemClass) == AItemClass) return GetRecord(i)->ControlClass;
  return nullptr;
}

Integer TqzBarItemList::ListedItemClassCount() const {
  Integer count = 0;
  for (Integer i = 0; i < GetCount(); ++i) count += GetRecord(i)->Listed ? 1 : 0;
  return count;
}

TPersistentClass TqzBarItemList::ListedItemClassAt(Integer AIndex) const {
  for (Integer i = 0; i < GetCount(); ++i) {
    if (!GetRecord(i)->Listed) continue;
    if (AIndex-- == 0) return GetRecord(i)->ItemClass;
  }
  return nullptr;
}

void RegisterBarItemClass(TPersistentClass AItemClass, TClass AControlClass, bool AListed) {
  TqzBarItemList* list = ItemClassListInstance();
  if (!list) return;
  list->Add(new TRegItemRecord(AItemClass, AControlClass, AListed));
  RegisterClass(AItemClass);
}

void UnregisterBarItemClass(TPersistentClass AItemClass) {
  TqzBarItemList* list = ItemClassListInstance();
  if (!list) return;
  for (Integer i = 0; i < list->GetCount(); ++i) {
    TRegItemRecord* record = list->GetRecord(i);
    if (static_cast<TClass>(record->ItemClass) != static_cast<TClass>(AItemClass)) continue;
    UnRegisterClass(AItemClass);
    list->Delete(i);
    delete record;
    return;
  }
}
