// The radio group's items and Properties (value mapping), its filter helper and the unit.

#include "rtl/ClassRegistry.h"
#include "rtl/Resources.h"
#include "toolkit/editors/kvEditFilterHelpers.h"
#include "toolkit/editors/kvEditUtils.h"
#include "toolkit/editors/kvRadioGroup.h"
#include "toolkit/editors/kvVariants.h"

TAVREN_CLASS_IMPL_PUBLISHED(TkvRadioGroupItem, PROPERTY(Caption),
                            PROPERTY(Value).Stored<&TkvRadioGroupItem::IsValueStored>(),
                            PROPERTY(Tag).Stored<&TkvButtonGroupItem::IsTagStored>())
TAVREN_CLASS_IMPL(TkvRadioGroupItems)
TAVREN_CLASS_IMPL(TkvCustomRadioGroupProperties)
TAVREN_CLASS_IMPL_PUBLISHED(
    TkvRadioGroupProperties, PROPERTY(AssignedValues), PROPERTY(ClearKey).Default(0), PROPERTY(Columns).Default(1),
    PROPERTY(DefaultCaption).Stored<&TkvCustomRadioGroupProperties::IsDefaultCaptionStored>(),
    PROPERTY(DefaultValue).Stored<&TkvCustomRadioGroupProperties::IsDefaultValueStored>(),
    PROPERTY(ImmediatePost).Default(false), PROPERTY_AS(Items, GetRadioItems, SetRadioItems),
    PROPERTY(ReadOnly).Stored<&TkvCustomEditProperties::IsReadOnlyStored>(), PROPERTY(WordWrap).Default(false),
    PROPERTY(OnChange), PROPERTY(OnEditValueChanged))
TAVREN_CLASS_IMPL(TkvFilterRadioGroupHelper)

// ---- Items ------------------------------------------------------------------------------------

void TkvRadioGroupItem::Assign(TPersistent* Source) {
  if (auto* source = dynamic_cast<TkvRadioGroupItem*>(Source)) SetValue(source->FValue);
  TkvButtonGroupItem::Assign(Source);
}

void TkvRadioGroupItem::SetValue(const Variant& Value) {
  if (VarSameTypeAndValue(FValue, Value)) return;
  FValue = Value;
  ReportChange();
}

TkvRadioGroupItem* TkvRadioGroupItems::AddItem(const String& Caption, const Variant& Value) {
  auto* item = static_cast<TkvRadioGroupItem*>(Add());
  item->SetCaption(Caption);
  item->SetValue(Value);
  return item;
}

// ---- Properties -------------------------------------------------------------------------------

TkvCustomRadioGroupProperties::TkvCustomRadioGroupProperties(TPersistent* AOwner)
    : TkvCustomButtonGroupProperties(AOwner), FDefaultCaption(ResourceStringText(skvRadioGroupDefaultCaption)) {}

void TkvCustomRadioGroupProperties::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TkvCustomRadioGroupProperties*>(Source);
  if (!source) return TkvCustomButtonGroupProperties::Assign(Source);
  LockChanges();
  try {
    TkvCustomButtonGroupProperties::Assign(Source);
    SetDefaultCaption(source->FDefaultCaption);
    SetDefaultValue(source->FDefaultValue);
    SetWordWrap(source->GetWordWrap());
  } catch (...) {
    UnlockChanges(true);
    throw;
  }
  UnlockChanges(true);
}

TClass TkvCustomRadioGroupProperties::GetEditorClass() { return TkvRadioGroup::ClassInfo(); }

TClassOf<TkvCustomEditViewData> TkvCustomRadioGroupProperties::GetViewDataClass() {
  return TkvCustomRadioGroupViewData::ClassInfo();
}

TClassOf<TkvCustomEditViewInfo> TkvCustomRadioGroupProperties::GetViewInfoClass() {
  return TkvCustomRadioGroupViewInfo::ClassInfo();
}

TkvButtonGroupItems* TkvCustomRadioGroupProperties::CreateItems() {
  return new TkvRadioGroupItems(this, TkvRadioGroupItem::ClassInfo());
}

Integer TkvCustomRadioGroupProperties::EffectiveColumns() { return std::max(std::min(GetColumns(), ItemCount()), 1); }

bool TkvCustomRadioGroupProperties::IsDefaultCaptionStored() {
  return FDefaultCaption != ResourceStringText(skvRadioGroupDefaultCaption);
}

void TkvCustomRadioGroupProperties::SetDefaultValue(const Variant& Value) {
  if (VarSameTypeAndValue(FDefaultValue, Value)) return;
  FDefaultValue = Value;
  NotifyChanged();
}

Integer TkvCustomRadioGroupProperties::IndexOfValue(const Variant& EditValue) {
  TkvRadioGroupItems* items = GetRadioItems();
  for (Integer i = 0; i < items->GetCount(); ++i) {
    TkvRadioGroupItem* item = items->GetRadioItem(i);
    if (VarIsNull(item->GetValue())) {
      if (!VarIsNull(EditValue) && item->GetCaption() == VarToStr(EditValue)) return i;
    } else if (VarEqualsLoose(item->GetValue(), EditValue)) {
      return i;
    }
  }
  return -1;
}

bool TkvCustomRadioGroupProperties::DisplayValuesEqual(const Variant& A, const Variant& B) {
  return IndexOfValue(A) == IndexOfValue(B);
}

String TkvCustomRadioGroupProperties::EditValueToDisplayText(const Variant& EditValue, bool) {
  const Integer index = IndexOfValue(EditValue);
  return index < 0 ? FDefaultCaption : GetRadioItems()->GetRadioItem(index)->GetCaption();
}

void TkvCustomRadioGroupProperties::MakeDisplayValue(const Variant& EditValue, Variant& DisplayValue, bool) {
  DisplayValue = Variant(IndexOfValue(EditValue));
}

// ---- Filter helper ----------------------------------------------------------------------------

void TkvFilterRadioGroupHelper::InitFilterProperties(TkvCustomEditProperties* Properties,
                                                     TkvCustomEditProperties* Source, bool) {
  auto* combo = dynamic_cast<TkvCustomComboBoxProperties*>(Properties);
  auto* radio = dynamic_cast<TkvCustomRadioGroupProperties*>(Source);
  if (!combo || !radio) return;
  combo->GetItems()->Clear();
  TkvRadioGroupItems* items = radio->GetRadioItems();
  for (Integer i = 0; i < items->GetCount(); ++i) combo->GetItems()->Add(items->GetRadioItem(i)->GetCaption());
  combo->SetDropDownListStyle(lsFixedList);
  combo->AttachDefaultValuesProvider(nullptr);
  ClearPropertiesEvents(combo);
}

void TkvFilterRadioGroupHelper::ReadFilterValue(TkvCustomEdit* Editor, TkvCustomEditProperties* Properties,
                                                Variant& Value, String& Text) {
  auto* radio = dynamic_cast<TkvCustomRadioGroupProperties*>(Properties);
  auto* combo = dynamic_cast<TkvCustomTextEdit*>(Editor);
  if (!radio || !combo) return TkvFilterComboBoxHelper::ReadFilterValue(Editor, Properties, Value, Text);
  const Integer index = combo->GetItemIndex();
  if (index < 0 || index >= radio->ItemCount()) {
    Value = radio->GetDefaultValue();
    Text = radio->GetDefaultCaption();
    return;
  }
  TkvRadioGroupItem* item = radio->GetRadioItems()->GetRadioItem(index);
  // The value an editor of the group would hold for the item.
  Value = VarIsNull(item->GetValue()) ? Variant(item->GetCaption()) : item->GetValue();
  Text = item->GetCaption();
}

void TkvFilterRadioGroupHelper::WriteFilterValue(TkvCustomEdit* Editor, TkvCustomEditProperties* Properties,
                                                 const Variant& Value) {
  auto* radio = dynamic_cast<TkvCustomRadioGroupProperties*>(Properties);
  if (auto* combo = dynamic_cast<TkvCustomTextEdit*>(Editor); combo && radio)
    combo->SetItemIndex(radio->IndexOfValue(Value));
}

TkvFilterOperators TkvFilterRadioGroupHelper::FilterOperatorSet(TkvValueTypeClass, bool Extended) {
  return ListFilterOperators(Extended);
}

// ---- Unit -------------------------------------------------------------------------------------

namespace {

Integer GStartCount = 0;

}  // namespace

void kvRadioGroupStart() {
  if (GStartCount++ > 0) return;
  RegisterClasses({TkvRadioGroup::ClassInfo(), TkvRadioGroupProperties::ClassInfo(), TkvRadioButton::ClassInfo()});
  EditPropertiesRegistry()->AddClass(TkvRadioGroupProperties::ClassInfo(),
                                     ResourceStringText(skvEditRadioGroupDescription));
  TheFilterEditsController()->AddHelper(TkvRadioGroupProperties::ClassInfo(),
                                        FilterEditHelperOf<TkvFilterRadioGroupHelper>());
}

void kvRadioGroupEnd() {
  if (GStartCount == 0 || --GStartCount > 0) return;
  UnRegisterClass(TkvRadioButton::ClassInfo());
  UnRegisterClass(TkvRadioGroupProperties::ClassInfo());
  UnRegisterClass(TkvRadioGroup::ClassInfo());
  // The Properties registry goes with the edit framework's end.
  TheFilterEditsController()->RemoveHelper(TkvRadioGroupProperties::ClassInfo(),
                                           FilterEditHelperOf<TkvFilterRadioGroupHelper>());
}
