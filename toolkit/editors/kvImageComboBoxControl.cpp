// The image combo editor: its edit value is the chosen item's Value.

#include <algorithm>
#include <limits>

#include "toolkit/editors/kvImageComboBox.h"
#include "toolkit/editors/kvVariants.h"

TAVREN_CLASS_IMPL(TkvCustomImageComboBox)
TAVREN_CLASS_IMPL_PUBLISHED(TkvImageComboBox, PROPERTY(AutoSize).Default(true), PROPERTY(BeepOnEnter).Default(true),
                            PROPERTY(ImeMode).Default(imDontCare), PROPERTY(ImeName),
                            PROPERTY_AS(Properties, GetImageComboBoxProperties, SetImageComboBoxProperties),
                            PROPERTY_AS(EditValue, GetEditValueProp, SetEditValue).Stored<&TkvCustomEdit::IsEditValueStored>(), PROPERTY(ItemIndex).Stored(false),
                            PROPERTY_AS(Style, GetEditStyle, SetEditStyle),
                            PROPERTY_AS(StyleDisabled, GetEditStyleDisabled, SetEditStyleDisabled),
                            PROPERTY_AS(StyleFocused, GetEditStyleFocused, SetEditStyleFocused),
                            PROPERTY_AS(StyleHot, GetEditStyleHot, SetEditStyleHot), PROPERTY(OnEditing))

Variant TkvCustomImageComboBox::CurrentItemValue() {
  TkvImageComboBoxLookupData* lookup = ImageLookupData();
  return lookup ? LookupKeyToEditValue(lookup->GetCurrentKey()) : Null();
}

void TkvCustomImageComboBox::EditingValueToEditValue(Variant& Value) { Value = CurrentItemValue(); }

void TkvCustomImageComboBox::ConvertDisplayToEditValue(const Variant&, Variant& Value, bool) {
  Value = CurrentItemValue();
}

bool TkvCustomImageComboBox::IsCharAllowed(Char Character) { return static_cast<unsigned char>(Character) >= 32; }

Variant TkvCustomImageComboBox::LookupKeyToEditValue(const Variant& Key) {
  if (VarIsNull(Key) || VarIsEmpty(Key) || VarEqualsLoose(Key, Variant(-1))) return Null();
  TkvImageComboBoxItems* items = ImageProperties()->GetImageItems();
  const Integer index = Key.AsInteger();
  return index >= 0 && index < items->GetCount() ? items->GetItem(index)->GetValue() : Null();
}

void TkvCustomImageComboBox::UpdateDisplayFromEditValue() {
  if (TkvImageComboBoxLookupData* lookup = ImageLookupData()) {
    PushModifiedState();
    const Integer before = lookup->GetCurrentIndex();
    LockClick(true);
    lookup->SyncWithEditValue();
    LockClick(false);
    const bool moved = lookup->GetCurrentIndex() != before;
    PopModifiedState();
    if (moved) {
      MarkModifiedByUser(true);
      Click();
    }
  }
  TkvCustomComboBox::UpdateDisplayFromEditValue();
}

void TkvCustomImageComboBox::MeasurePopupContent(Integer& Width, Integer& Height) {
  TkvCustomImageComboBoxProperties* properties = ImageProperties();
  auto* list = dynamic_cast<TkvImageComboBoxListBox*>(GetComboLookupData() ? GetComboLookupData()->GetList() : nullptr);
  if (!properties->GetMultiLineText()) {
    TkvCustomComboBox::MeasurePopupContent(Width, Height);
    if (list) Width = std::max(Width, list->PopupWidth());
    return;
  }
  // Rows wrap in the editor's width: the popup keeps it and the rows decide the height.
  Width = Height = 0;
  TkvCustomEditPopupWindow* popup = GetPopupWindow();
  if (!popup || !list) return;
  TRect margins;
  popup->GetEditViewInfo()->BorderMargins(margins);
  const Integer count = std::min(properties->GetDropDownRows(), properties->GetImageItems()->GetCount());
  const Integer limit = popup->MaxContentSize().cy;
  Height = list->RowsHeightIn(count, PopupOwnerBounds().Width() - margins.Left - margins.Right,
                              limit > 0 ? limit : std::numeric_limits<Integer>::max());
  if (limit > 0) Height = std::min(Height, limit);
}
