// What the drop-down editors publish, and the unit's start and end.

#include "rtl/ClassRegistry.h"
#include "rtl/Resources.h"
#include "toolkit/editors/kvDropDownEdit.h"

TAVREN_CLASS_IMPL_PUBLISHED(
    TkvComboBoxProperties,
    PROPERTY_AS(Alignment, GetAlignment, SetAlignmentProp).Stored<&TkvCustomEditProperties::IsAlignmentStored>(),
    PROPERTY(AssignedValues), PROPERTY(AutoSelect).Default(true), PROPERTY(BeepOnError).Default(false),
    PROPERTY(ButtonGlyph).Stored<&TkvCustomDropDownEditProperties::IsButtonGlyphStored>(),
    PROPERTY(CaseInsensitive).Default(true), PROPERTY(CharCase).Default(ecNormal), PROPERTY(ClearKey).Default(0),
    PROPERTY(DropDownAutoWidth).Default(true), PROPERTY(DropDownListStyle).Default(lsEditList),
    PROPERTY(DropDownRows).Default(8), PROPERTY(DropDownSizeable).Default(false), PROPERTY(DropDownWidth).Default(0),
    PROPERTY(HideSelection).Default(true), PROPERTY(IgnoreMaskBlank).Default(false),
    PROPERTY(ImeMode).Default(imDontCare), PROPERTY(ImeName), PROPERTY(ImmediateDropDown).Default(true),
    PROPERTY(ImmediatePost).Default(false), PROPERTY(ImmediateUpdateText).Default(false),
    PROPERTY(IncrementalSearch).Default(true), PROPERTY(ItemHeight).Default(0), PROPERTY(Items),
    PROPERTY(MaskKind).Default(emkStandard), PROPERTY(EditMask),
    PROPERTY(MaxLength).Stored<&TkvCustomTextEditProperties::IsMaxLengthStored>(), PROPERTY(OEMConvert).Default(false),
    PROPERTY(PopupAlignment).Default(taLeftJustify), PROPERTY(PostPopupValueOnTab).Default(false),
    PROPERTY(ReadOnly).Stored<&TkvCustomEditProperties::IsReadOnlyStored>(), PROPERTY(Revertable).Default(false),
    PROPERTY(Sorted).Default(false),
    PROPERTY(UseLeftAlignmentOnEditing).Stored<&TkvCustomEditProperties::IsUseLeftAlignmentOnEditingStored>(),
    PROPERTY(ValidateOnEnter).Default(true), PROPERTY(OnChange), PROPERTY(OnCloseUp), PROPERTY(OnDrawItem),
    PROPERTY(OnEditValueChanged), PROPERTY(OnInitPopup), PROPERTY(OnMeasureItem), PROPERTY(OnNewLookupDisplayText),
    PROPERTY(OnPopup), PROPERTY(OnValidate))

TAVREN_CLASS_IMPL_PUBLISHED(TkvComboBox, PROPERTY(AutoSize).Default(true), PROPERTY(BeepOnEnter).Default(true),
                            PROPERTY(ImeMode).Default(imDontCare), PROPERTY(ImeName),
                            PROPERTY(ItemIndex).Stored(false),
                            PROPERTY_AS(Properties, GetComboBoxProperties, SetComboBoxProperties),
                            PROPERTY_AS(Style, GetEditStyle, SetEditStyle),
                            PROPERTY_AS(StyleDisabled, GetEditStyleDisabled, SetEditStyleDisabled),
                            PROPERTY_AS(StyleFocused, GetEditStyleFocused, SetEditStyleFocused),
                            PROPERTY_AS(StyleHot, GetEditStyleHot, SetEditStyleHot),
                            PROPERTY_AS(Text, GetText, SetText), PROPERTY(OnEditing))

TAVREN_CLASS_IMPL_PUBLISHED(
    TkvPopupEditProperties,
    PROPERTY_AS(Alignment, GetAlignment, SetAlignmentProp).Stored<&TkvCustomEditProperties::IsAlignmentStored>(),
    PROPERTY(AssignedValues), PROPERTY(AutoSelect).Default(true), PROPERTY(BeepOnError).Default(false),
    PROPERTY(ButtonGlyph).Stored<&TkvCustomDropDownEditProperties::IsButtonGlyphStored>(),
    PROPERTY(CaseInsensitive).Default(true), PROPERTY(CharCase).Default(ecNormal), PROPERTY(ClearKey).Default(0),
    PROPERTY(EchoMode).Default(eemNormal), PROPERTY(HideSelection).Default(true),
    PROPERTY(IgnoreMaskBlank).Default(false), PROPERTY(ImeMode).Default(imDontCare), PROPERTY(ImeName),
    PROPERTY(ImmediateDropDown).Default(true), PROPERTY(ImmediatePopup).Default(true),
    PROPERTY(IncrementalSearch).Default(true), PROPERTY(LookupItems), PROPERTY(LookupItemsSorted).Default(false),
    PROPERTY(MaxLength).Stored<&TkvCustomTextEditProperties::IsMaxLengthStored>(),
    PROPERTY(MaskKind).Default(emkStandard), PROPERTY(EditMask), PROPERTY(OEMConvert).Default(false),
    PROPERTY(PopupAlignment).Default(taLeftJustify),
    PROPERTY(PopupAutoSize).Default(true), PROPERTY(PopupClientEdge).Default(false), PROPERTY(PopupControl),
    PROPERTY(PopupHeight).Default(200), PROPERTY(PopupMinHeight).Default(100), PROPERTY(PopupMinWidth).Default(100),
    PROPERTY(PopupSizeable).Default(true), PROPERTY(PopupSysPanelStyle).Default(false),
    PROPERTY(PopupWidth).Default(250), PROPERTY(ReadOnly).Stored<&TkvCustomEditProperties::IsReadOnlyStored>(),
    PROPERTY(UseLeftAlignmentOnEditing).Stored<&TkvCustomEditProperties::IsUseLeftAlignmentOnEditingStored>(),
    PROPERTY(ValidateOnEnter).Default(true), PROPERTY(OnChange), PROPERTY(OnCloseQuery), PROPERTY(OnCloseUp),
    PROPERTY(OnEditValueChanged), PROPERTY(OnInitPopup), PROPERTY(OnPopup), PROPERTY(OnValidate))

TAVREN_CLASS_IMPL_PUBLISHED(TkvPopupEdit, PROPERTY(AutoSize).Default(true), PROPERTY(BeepOnEnter).Default(true),
                            PROPERTY(ImeMode).Default(imDontCare), PROPERTY(ImeName),
                            PROPERTY_AS(Properties, GetPopupEditProperties, SetPopupEditProperties),
                            PROPERTY_AS(Style, GetEditStyle, SetEditStyle),
                            PROPERTY_AS(StyleDisabled, GetEditStyleDisabled, SetEditStyleDisabled),
                            PROPERTY_AS(StyleFocused, GetEditStyleFocused, SetEditStyleFocused),
                            PROPERTY_AS(StyleHot, GetEditStyleHot, SetEditStyleHot),
                            PROPERTY_AS(Text, GetText, SetText), PROPERTY(OnEditing))

namespace {

Integer GStartCount = 0;

}  // namespace

void kvDropDownEditStart() {
  if (GStartCount++ > 0) return;
  // Forms name these classes.
  RegisterClasses({TkvComboBox::ClassInfo(), TkvComboBoxProperties::ClassInfo(), TkvPopupEdit::ClassInfo(),
                   TkvPopupEditProperties::ClassInfo()});
  EditPropertiesRegistry()->AddClass(TkvComboBoxProperties::ClassInfo(),
                                     ResourceStringText(skvEditComboBoxDescription));
  TheFilterEditsController()->AddHelper(TkvComboBoxProperties::ClassInfo(),
                                        FilterEditHelperOf<TkvFilterComboBoxHelper>());
  EditPropertiesRegistry()->AddClass(TkvPopupEditProperties::ClassInfo(),
                                     ResourceStringText(skvEditPopupEditDescription));
}

void kvDropDownEditEnd() {
  if (GStartCount == 0 || --GStartCount > 0) return;
  UnRegisterClass(TkvPopupEditProperties::ClassInfo());
  UnRegisterClass(TkvPopupEdit::ClassInfo());
  UnRegisterClass(TkvComboBoxProperties::ClassInfo());
  UnRegisterClass(TkvComboBox::ClassInfo());
  // The Properties registry goes with the edit framework's end.
  TheFilterEditsController()->RemoveHelper(TkvComboBoxProperties::ClassInfo(),
                                           FilterEditHelperOf<TkvFilterComboBoxHelper>());
}
