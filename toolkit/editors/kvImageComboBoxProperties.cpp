// The image combo's items and Properties (value mapping), its filter helper and the unit.

#include "rtl/ClassRegistry.h"
#include "rtl/Resources.h"
#include "rtl/SysUtils.h"
#include "toolkit/editors/kvEditFilterHelpers.h"
#include "toolkit/editors/kvEditUtils.h"
#include "toolkit/editors/kvImageComboBox.h"
#include "toolkit/editors/kvVariants.h"

TAVREN_CLASS_IMPL_PUBLISHED(TkvImageComboBoxItem, PROPERTY(Description),
                            PROPERTY(ImageIndex).Stored<&TkvImageComboBoxItem::IsImageIndexStored>(),
                            PROPERTY(Tag).Stored<&TkvImageComboBoxItem::IsTagStored>(),
                            PROPERTY(Value).Stored<&TkvImageComboBoxItem::IsValueStored>())
TAVREN_CLASS_IMPL(TkvImageComboBoxItems)
TAVREN_CLASS_IMPL(TkvCustomImageComboBoxProperties)
TAVREN_CLASS_IMPL_PUBLISHED(
    TkvImageComboBoxProperties,
    PROPERTY_AS(Alignment, GetAlignment, SetAlignmentProp).Stored<&TkvCustomEditProperties::IsAlignmentStored>(),
    PROPERTY(AssignedValues), PROPERTY(ButtonGlyph).Stored<&TkvCustomDropDownEditProperties::IsButtonGlyphStored>(),
    PROPERTY(ClearKey).Default(0), PROPERTY(DefaultDescription), PROPERTY(DefaultImageIndex).Default(-1),
    PROPERTY(DropDownRows).Default(8), PROPERTY(ImageAlign).Default(static_cast<Integer>(TkvImageAlign::iaLeft)), PROPERTY(Images),
    PROPERTY(ImeMode).Default(imDontCare), PROPERTY(ImeName), PROPERTY(ImmediateDropDown).Default(true),
    PROPERTY(ImmediatePost).Default(false), PROPERTY(ImmediateUpdateText).Default(false),
    PROPERTY_AS(Items, GetImageItems, SetImageItems), PROPERTY(LargeImages), PROPERTY(MultiLineText).Default(false),
    PROPERTY(PopupAlignment).Default(taLeftJustify), PROPERTY(PostPopupValueOnTab).Default(false),
    PROPERTY(ReadOnly).Stored<&TkvCustomEditProperties::IsReadOnlyStored>(), PROPERTY(Revertable).Default(false),
    PROPERTY(ShowDescriptions).Default(true), PROPERTY(ValidateOnEnter).Default(true), PROPERTY(OnButtonClick),
    PROPERTY(OnChange), PROPERTY(OnCloseQuery), PROPERTY(OnCloseUp), PROPERTY(OnEditValueChanged),
    PROPERTY(OnInitPopup), PROPERTY(OnPopup), PROPERTY(OnValidate))
TAVREN_CLASS_IMPL(TkvFilterImageComboBoxHelper)

// ---- Items ------------------------------------------------------------------------------------

TkvImageComboBoxItem::TkvImageComboBoxItem(TCollection* Collection) : TCollectionItem(Collection) {
  auto* items = dynamic_cast<TkvImageComboBoxItems*>(Collection);
  TkvCustomImageComboBoxProperties* properties = items ? items->OwnerProperties() : nullptr;
  TCustomImageList* images = properties ? properties->GetImages() : nullptr;
  if (images && images->GetCount() >= Collection->GetCount()) FImageIndex = Collection->GetCount() - 1;
}

void TkvImageComboBoxItem::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TkvImageComboBoxItem*>(Source);
  if (!source) return TCollectionItem::Assign(Source);
  SetDescription(source->FDescription);
  SetImageIndex(source->FImageIndex);
  FTag = source->FTag;
  SetValue(source->FValue);
}

void TkvImageComboBoxItem::SetDescription(const String& Value) {
  if (FDescription == Value) return;
  FDescription = Value;
  Changed(false);
}

void TkvImageComboBoxItem::SetImageIndex(Integer Value) {
  if (FImageIndex == Value) return;
  FImageIndex = Value;
  Changed(false);
}

void TkvImageComboBoxItem::SetValue(const Variant& Value) {
  if (VarSameTypeAndValue(FValue, Value)) return;
  FValue = Value;
  Changed(false);
}

TkvImageComboBoxItems::TkvImageComboBoxItems(TPersistent* AOwner)
    : TOwnedCollection(AOwner, TkvImageComboBoxItem::ClassInfo()) {}

TkvImageComboBoxItem* TkvImageComboBoxItems::AddItem(const String& Description, const Variant& Value) {
  auto* item = static_cast<TkvImageComboBoxItem*>(Add());
  item->SetDescription(Description);
  item->SetValue(Value);
  return item;
}

TkvCustomImageComboBoxProperties* TkvImageComboBoxItems::OwnerProperties() {
  return dynamic_cast<TkvCustomImageComboBoxProperties*>(GetOwner());
}

void TkvImageComboBoxItems::Update(TCollectionItem*) {
  if (TkvCustomImageComboBoxProperties* properties = OwnerProperties()) properties->NotifyChanged();
}

// ---- Properties -------------------------------------------------------------------------------

TkvCustomImageComboBoxProperties::TkvCustomImageComboBoxProperties(TPersistent* AOwner)
    : TkvCustomComboBoxProperties(AOwner),
      FItems(std::make_unique<TkvImageComboBoxItems>(this)),
      FImagesLink(std::make_unique<TChangeLink>()),
      FLargeImagesLink(std::make_unique<TChangeLink>()) {
  FImagesLink->SetOnChange(MakeEvent<&TkvCustomImageComboBoxProperties::ImageListChanged>(this));
  FLargeImagesLink->SetOnChange(MakeEvent<&TkvCustomImageComboBoxProperties::ImageListChanged>(this));
  SetDropDownListStyle(lsFixedList);
}

TkvCustomImageComboBoxProperties::~TkvCustomImageComboBoxProperties() {
  // The links leave their lists as they go; the items go before the Properties they report to.
  FItems.reset();
}

void TkvCustomImageComboBoxProperties::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TkvCustomImageComboBoxProperties*>(Source);
  if (!source) return TkvCustomComboBoxProperties::Assign(Source);
  LockChanges();
  try {
    TkvCustomComboBoxProperties::Assign(Source);
    SetDefaultDescription(source->FDefaultDescription);
    SetDefaultImageIndex(source->FDefaultImageIndex);
    SetImageAlign(source->FImageAlign);
    SetImages(source->FImages);
    SetImageItems(source->GetImageItems());
    SetLargeImages(source->FLargeImages);
    SetMultiLineText(source->FMultiLineText);
    SetShowDescriptions(source->FShowDescriptions);
  } catch (...) {
    UnlockChanges(true);
    throw;
  }
  UnlockChanges(true);
}

void TkvCustomImageComboBoxProperties::ComponentFreed(TComponent* Component) {
  TkvCustomComboBoxProperties::ComponentFreed(Component);
  // The going list clears its links itself; it may be past its own destructor already.
  const bool held = Component == FImages || Component == FLargeImages;
  if (Component == FImages) FImages = nullptr;
  if (Component == FLargeImages) FLargeImages = nullptr;
  if (held) NotifyChanged();
}

void TkvCustomImageComboBoxProperties::SetImageList(TCustomImageList*& Field, TChangeLink* Link,
                                                    TCustomImageList* Value) {
  if (Field == Value) return;
  if (Field) {
    Field->UnRegisterChanges(Link);
    // The other list may still be the same one.
    if (FImages != FLargeImages) GetFreeNotificator()->Unwatch(Field);
  }
  Field = Value;
  if (Value) {
    GetFreeNotificator()->Watch(Value);
    Value->RegisterChanges(Link);
  }
  Link->Change();
}

void TkvCustomImageComboBoxProperties::ImageListChanged(TObject*) { NotifyChanged(); }

void TkvCustomImageComboBoxProperties::SetImageItems(TkvImageComboBoxItems* Value) {
  FItems->Assign(Value);
  NotifyChanged();
}

TClass TkvCustomImageComboBoxProperties::GetEditorClass() { return TkvImageComboBox::ClassInfo(); }

TClassOf<TkvCustomEditViewData> TkvCustomImageComboBoxProperties::GetViewDataClass() {
  return TkvImageComboBoxViewData::ClassInfo();
}

TClassOf<TkvCustomEditViewInfo> TkvCustomImageComboBoxProperties::GetViewInfoClass() {
  return TkvImageComboBoxViewInfo::ClassInfo();
}

TClassOf<TkvCustomTextEditLookupData> TkvCustomImageComboBoxProperties::LookupDataClass() {
  return TkvImageComboBoxLookupData::ClassInfo();
}

Integer TkvCustomImageComboBoxProperties::GetSupportedFeatures() {
  return TkvCustomEditProperties::GetSupportedFeatures() | 0x31C | (FShowDescriptions ? 0x40 : 0);
}

TkvImageComboBoxItem* TkvCustomImageComboBoxProperties::FindItemByValue(const Variant& Value) {
  for (Integer i = 0; i < FItems->GetCount(); ++i)
    if (VarEqualsLoose(FItems->GetItem(i)->GetValue(), Value)) return FItems->GetItem(i);
  return nullptr;
}

TkvImageComboBoxItem* TkvCustomImageComboBoxProperties::FindItemByDescription(const String& Text) {
  if (!FShowDescriptions) return nullptr;
  for (Integer i = 0; i < FItems->GetCount(); ++i)
    if (AnsiSameText(FItems->GetItem(i)->GetDescription(), Text)) return FItems->GetItem(i);
  return nullptr;
}

void TkvCustomImageComboBoxProperties::GetDescriptionAndImage(TkvImageComboBoxItem* Item, bool Forced, String& Text,
                                                              Integer& ImageIndex) {
  Text = !Forced && !FShowDescriptions ? String() : Item ? Item->GetDescription() : FDefaultDescription;
  ImageIndex = Item ? Item->GetImageIndex() : FDefaultImageIndex;
}

bool TkvCustomImageComboBoxProperties::DisplayValuesEqual(const Variant& A, const Variant& B) {
  String textA, textB;
  Integer imageA = -1, imageB = -1;
  GetDescriptionAndImage(FindItemByValue(A), false, textA, imageA);
  GetDescriptionAndImage(FindItemByValue(B), false, textB, imageB);
  return textA == textB && (!FImages || imageA == imageB);
}

void TkvCustomImageComboBoxProperties::MakeDisplayValue(const Variant& EditValue, Variant& DisplayValue, bool) {
  String text;
  Integer image = -1;
  GetDescriptionAndImage(FindItemByValue(EditValue), true, text, image);
  DisplayValue = Variant(text);
}

String TkvCustomImageComboBoxProperties::EditValueToDisplayText(const Variant& EditValue, bool Focused) {
  Variant display;
  MakeDisplayValue(EditValue, display, Focused);
  return VarToStr(display);
}

bool TkvCustomImageComboBoxProperties::LookupContainsText(const String& Text) {
  return FindItemByDescription(Text) != nullptr;
}

// ---- Filter helper ----------------------------------------------------------------------------

void TkvFilterImageComboBoxHelper::InitFilterProperties(TkvCustomEditProperties* Properties,
                                                        TkvCustomEditProperties* Source, bool KeepButtons) {
  TkvFilterComboBoxHelper::InitFilterProperties(Properties, Source, KeepButtons);
  auto* combo = dynamic_cast<TkvCustomImageComboBoxProperties*>(Properties);
  if (!combo) return;
  combo->SetDropDownListStyle(lsFixedList);
  combo->SetImmediateDropDown(true);
  combo->SetShowDescriptions(true);
}

TkvFilterOperators TkvFilterImageComboBoxHelper::FilterOperatorSet(TkvValueTypeClass, bool Extended) {
  return ListFilterOperators(Extended);
}

// ---- Unit -------------------------------------------------------------------------------------

namespace {

Integer GStartCount = 0;

}  // namespace

void kvImageComboBoxStart() {
  if (GStartCount++ > 0) return;
  RegisterClasses({TkvImageComboBox::ClassInfo(), TkvImageComboBoxProperties::ClassInfo()});
  EditPropertiesRegistry()->AddClass(TkvImageComboBoxProperties::ClassInfo(),
                                     ResourceStringText(skvEditImageComboBoxDescription));
  TheFilterEditsController()->AddHelper(TkvImageComboBoxProperties::ClassInfo(),
                                        FilterEditHelperOf<TkvFilterImageComboBoxHelper>());
}

void kvImageComboBoxEnd() {
  if (GStartCount == 0 || --GStartCount > 0) return;
  UnRegisterClass(TkvImageComboBoxProperties::ClassInfo());
  UnRegisterClass(TkvImageComboBox::ClassInfo());
  // The Properties registry goes with the edit framework's end.
  TheFilterEditsController()->RemoveHelper(TkvImageComboBoxProperties::ClassInfo(),
                                           FilterEditHelperOf<TkvFilterImageComboBoxHelper>());
}
