// The button edit: its default ellipsis button, the style values it shows, loading its buttons.

#include "toolkit/editors/kvButtonEdit.h"

#include "rtl/ClassRegistry.h"
#include "rtl/Resources.h"
#include "toolkit/editors/kvEditUtils.h"

TAVREN_CLASS_IMPL(TkvCustomButtonEditProperties)
TAVREN_CLASS_IMPL_PUBLISHED(
    TkvButtonEditProperties,
    PROPERTY_AS(Alignment, GetAlignment, SetAlignmentProp).Stored<&TkvCustomEditProperties::IsAlignmentStored>(),
    PROPERTY(AssignedValues), PROPERTY(AutoSelect).Default(true), PROPERTY(BeepOnError).Default(false),
    PROPERTY(Buttons), PROPERTY(CaseInsensitive).Default(true), PROPERTY(CharCase).Default(ecNormal),
    PROPERTY(ClearKey).Default(0), PROPERTY(ClickKey).Default(16397), PROPERTY(EchoMode).Default(eemNormal),
    PROPERTY(EditMask), PROPERTY(HideCursor).Default(false), PROPERTY(HideSelection).Default(true),
    PROPERTY(IgnoreMaskBlank).Default(false), PROPERTY(ImeMode).Default(imDontCare), PROPERTY(ImeName),
    PROPERTY(IncrementalSearch).Default(true), PROPERTY(LookupItems), PROPERTY(LookupItemsSorted).Default(false),
    PROPERTY(MaskKind).Default(emkStandard),
    PROPERTY(MaxLength).Stored<&TkvCustomTextEditProperties::IsMaxLengthStored>(),
    PROPERTY(OEMConvert).Default(false),
    PROPERTY(ReadOnly).Stored<&TkvCustomEditProperties::IsReadOnlyStored>(),
    PROPERTY(UseLeftAlignmentOnEditing).Stored<&TkvCustomEditProperties::IsUseLeftAlignmentOnEditingStored>(),
    PROPERTY(ValidateOnEnter).Default(true), PROPERTY(ViewStyle).Default(vsNormal), PROPERTY(OnButtonClick),
    PROPERTY(OnChange), PROPERTY(OnEditValueChanged), PROPERTY(OnNewLookupDisplayText), PROPERTY(OnValidate))
TAVREN_CLASS_IMPL(TkvCustomButtonEdit)
TAVREN_CLASS_IMPL_PUBLISHED(TkvButtonEdit, PROPERTY(AutoSize).Default(true), PROPERTY(BeepOnEnter).Default(true),
                            PROPERTY(ImeMode).Default(imDontCare), PROPERTY(ImeName),
                            PROPERTY_AS(Properties, GetButtonEditProperties, SetButtonEditProperties),
                            PROPERTY_AS(Style, GetEditStyle, SetEditStyle),
                            PROPERTY_AS(StyleDisabled, GetEditStyleDisabled, SetEditStyleDisabled),
                            PROPERTY_AS(StyleFocused, GetEditStyleFocused, SetEditStyleFocused),
                            PROPERTY_AS(StyleHot, GetEditStyleHot, SetEditStyleHot),
                            PROPERTY_AS(Text, GetText, SetText), PROPERTY(OnEditing))

TkvCustomButtonEditProperties::TkvCustomButtonEditProperties(TPersistent* AOwner)
    : TkvCustomMaskEditProperties(AOwner) {
  TkvEditButton* button = GetButtons()->AddButton();
  button->SetKind(bkEllipsis);
  button->SetDefault(true);
}

TClass TkvCustomButtonEditProperties::GetEditorClass() { return TkvButtonEdit::ClassInfo(); }

TkvContainerStyleValues TkvCustomButtonEdit::GetHiddenStyleValues() { return TkvContainerStyleValues{12, 14, 15}; }

void TkvButtonEdit::ReadState(TReader* Reader) {
  if (!FButtonsCleared) {
    FButtonsCleared = true;
    GetProperties()->GetButtons()->Clear();
    GetEffectiveProperties()->GetButtons()->Clear();
  }
  TkvCustomButtonEdit::ReadState(Reader);
}

namespace {

Integer GStartCount = 0;

}  // namespace

void kvButtonEditStart() {
  if (GStartCount++ > 0) return;
  RegisterClasses({TkvButtonEdit::ClassInfo(), TkvButtonEditProperties::ClassInfo()});
  EditPropertiesRegistry()->AddClass(TkvButtonEditProperties::ClassInfo(),
                                     ResourceStringText(skvEditButtonEditDescription));
}

// The Properties registry goes with the edit framework's end.
void kvButtonEditEnd() {
  if (GStartCount == 0 || --GStartCount > 0) return;
  UnRegisterClass(TkvButtonEditProperties::ClassInfo());
  UnRegisterClass(TkvButtonEdit::ClassInfo());
}
