// The recent-items editor: its history, the extra button and the unit's start and end.

#include "toolkit/editors/kvMRUEdit.h"

#include "rtl/ClassRegistry.h"
#include "rtl/Resources.h"
#include "toolkit/editors/kvEditFilterHelpers.h"
#include "toolkit/editors/kvEditUtils.h"
#include "user/VirtualKeys.h"

TAVREN_CLASS_IMPL(TkvCustomMRUEditProperties)
TAVREN_CLASS_IMPL(TkvCustomMRUEdit)

TAVREN_CLASS_IMPL_PUBLISHED(
    TkvMRUEditProperties,
    PROPERTY_AS(Alignment, GetAlignment, SetAlignmentProp).Stored<&TkvCustomEditProperties::IsAlignmentStored>(),
    PROPERTY(AssignedValues), PROPERTY(AutoSelect).Default(true), PROPERTY(BeepOnError).Default(false),
    PROPERTY(ButtonGlyph).Stored<&TkvCustomDropDownEditProperties::IsButtonGlyphStored>(),
    PROPERTY(CaseInsensitive).Default(true), PROPERTY(CharCase).Default(ecNormal), PROPERTY(ClearKey).Default(0),
    PROPERTY(ClickKey).Default(16397), PROPERTY(DropDownAutoWidth).Default(true),
    PROPERTY(DropDownListStyle).Default(lsEditList), PROPERTY(DropDownRows).Default(8),
    PROPERTY(DropDownSizeable).Default(false), PROPERTY(DropDownWidth).Default(0),
    PROPERTY(HideSelection).Default(true), PROPERTY(IgnoreMaskBlank).Default(false),
    PROPERTY(ImeMode).Default(imDontCare), PROPERTY(ImeName), PROPERTY(ImmediateDropDown).Default(true),
    PROPERTY(ImmediatePost).Default(false), PROPERTY(ImmediateUpdateText).Default(false),
    PROPERTY(ItemHeight).Default(0), PROPERTY(LookupItems), PROPERTY(MaskKind).Default(emkStandard),
    PROPERTY(EditMask), PROPERTY(MaxItemCount).Default(0),
    PROPERTY(MaxLength).Stored<&TkvCustomTextEditProperties::IsMaxLengthStored>(), PROPERTY(OEMConvert).Default(false),
    PROPERTY(PopupAlignment).Default(taLeftJustify), PROPERTY(PostPopupValueOnTab).Default(false),
    PROPERTY(ReadOnly).Stored<&TkvCustomEditProperties::IsReadOnlyStored>(), PROPERTY(Revertable).Default(false),
    PROPERTY(ShowEllipsis).Default(true),
    PROPERTY(UseLeftAlignmentOnEditing).Stored<&TkvCustomEditProperties::IsUseLeftAlignmentOnEditingStored>(),
    PROPERTY(ValidateOnEnter).Default(true), PROPERTY(OnButtonClick), PROPERTY(OnChange), PROPERTY(OnCloseUp),
    PROPERTY(OnDeleteLookupItem), PROPERTY(OnDrawItem), PROPERTY(OnEditValueChanged), PROPERTY(OnInitPopup),
    PROPERTY(OnMeasureItem), PROPERTY(OnNewLookupDisplayText), PROPERTY(OnPopup), PROPERTY(OnValidate))

TAVREN_CLASS_IMPL_PUBLISHED(TkvMRUEdit, PROPERTY(AutoSize).Default(true), PROPERTY(BeepOnEnter).Default(true),
                            PROPERTY(ImeMode).Default(imDontCare), PROPERTY(ImeName),
                            PROPERTY_AS(Properties, GetMRUEditProperties, SetMRUEditProperties),
                            PROPERTY_AS(Style, GetEditStyle, SetEditStyle),
                            PROPERTY_AS(StyleDisabled, GetEditStyleDisabled, SetEditStyleDisabled),
                            PROPERTY_AS(StyleFocused, GetEditStyleFocused, SetEditStyleFocused),
                            PROPERTY_AS(StyleHot, GetEditStyleHot, SetEditStyleHot),
                            PROPERTY_AS(Text, GetText, SetText), PROPERTY(OnEditing))

// ---- Properties ------------------------------------------------------------------------------

TkvCustomMRUEditProperties::TkvCustomMRUEditProperties(TPersistent* AOwner) : TkvCustomComboBoxProperties(AOwner) {
  TkvEditButton* extra = GetButtons()->AddButton();
  MoveGlyphToButton(ExtraButtonIndex);
  extra->SetKind(bkEllipsis);
  extra->SetDefault(true);
  SetDropDownListStyle(lsEditList);
  // Typing picks an entry only when the whole text is one.
  SetExactLookup(true);
}

void TkvCustomMRUEditProperties::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TkvCustomMRUEditProperties*>(Source);
  if (!source) return TkvCustomComboBoxProperties::Assign(Source);
  LockChanges();
  try {
    TkvCustomComboBoxProperties::Assign(Source);
    SetMaxItemCount(source->FMaxItemCount);
    SetShowEllipsis(source->FShowEllipsis);
    FOnButtonClick = source->FOnButtonClick;
    FOnDeleteLookupItem = source->FOnDeleteLookupItem;
  } catch (...) {
    UnlockChanges(true);
    throw;
  }
  UnlockChanges(true);
}

TClass TkvCustomMRUEditProperties::GetEditorClass() { return TkvMRUEdit::ClassInfo(); }

void TkvCustomMRUEditProperties::CopyRuntimeDataTo(TkvCustomEditProperties* Properties) {
  TkvCustomComboBoxProperties::CopyRuntimeDataTo(Properties);
  if (auto* other = dynamic_cast<TkvCustomMRUEditProperties*>(Properties)) other->SetLookupItems(GetLookupItems());
}

void TkvCustomMRUEditProperties::SetMaxItemCount(Integer Value) {
  Value = std::max(Value, 0);
  if (FMaxItemCount == Value) return;
  FMaxItemCount = Value;
  Trim();
  NotifyChanged();
}

void TkvCustomMRUEditProperties::SetShowEllipsis(bool Value) {
  if (FShowEllipsis == Value) return;
  LockChanges();
  try {
    FShowEllipsis = Value;
    GetButtons()->GetButton(ExtraButtonIndex)->SetVisible(Value);
    MoveGlyphToButton(Value ? ExtraButtonIndex : DropDownButtonIndex());
  } catch (...) {
    UnlockChanges(true);
    throw;
  }
  UnlockChanges(true);
}

void TkvCustomMRUEditProperties::AnnounceNewText(const String& Text) { GetOnNewLookupDisplayText()(this, Text); }

void TkvCustomMRUEditProperties::AddItem(const String& Text, bool Announce) {
  if (Text.empty()) return;
  TStrings* items = GetLookupItems();
  const Integer index = items->IndexOf(Text);
  if (index == 0) return;
  if (index > 0) {
    items->Move(index, 0);
    return;
  }
  if (Announce) AnnounceNewText(Text);
  items->Insert(0, Text);
  Trim();
}

void TkvCustomMRUEditProperties::Trim() {
  if (FMaxItemCount <= 0) return;
  TStrings* items = GetLookupItems();
  while (items->GetCount() > FMaxItemCount) {
    FOnDeleteLookupItem(this, items->GetCount() - 1);
    if (items->GetCount() > FMaxItemCount) items->Delete(items->GetCount() - 1);
  }
}

// ---- Editor ----------------------------------------------------------------------------------

void TkvCustomMRUEdit::ButtonClick(Integer VisibleIndex) {
  TWeakRef<TkvCustomMRUEdit> guard(this);
  TkvCustomComboBox::ButtonClick(VisibleIndex);
  if (!guard || !MRUProperties()->GetShowEllipsis() ||
      VisibleIndex != TkvCustomMRUEditProperties::ExtraButtonIndex)
    return;
  static_cast<TkvCustomMRUEditProperties*>(GetProperties())->GetOnButtonClick()(this);
  if (guard && GetRepositoryItem()) MRUProperties()->GetOnButtonClick()(this);
}

void TkvCustomMRUEdit::HandleKeyDown(Word& Key, TShiftState Shift) {
  if (Key == VK_RETURN && !Shift.Contains(ssAlt)) {
    TkvCustomTextEditLookupData* lookup = GetLookupData();
    if (!IsPopupOpen() || !lookup || lookup->GetHighlightedRow() == -1) {
      TWeakRef<TkvCustomMRUEdit> guard(this);
      AddToHistory(GetText());
      if (!guard) return;
    }
  }
  TkvCustomComboBox::HandleKeyDown(Key, Shift);
}

void TkvCustomMRUEdit::ApplyDisplayValue(const Variant& Value) {
  TWeakRef<TkvCustomMRUEdit> guard(this);
  AddToHistory(GetText());
  if (guard) TkvCustomComboBox::ApplyDisplayValue(Value);
}

void TkvCustomMRUEdit::ApplyPropertiesChange(TObject* Properties) {
  TkvCustomMRUEditProperties* properties = MRUProperties();
  const bool extra = properties->GetShowEllipsis();
  TkvEditButtons* buttons = properties->GetButtons();
  const Integer index = extra ? TkvCustomMRUEditProperties::ExtraButtonIndex : properties->DropDownButtonIndex();
  if (index < buttons->GetCount()) {
    TBitmap* glyph = properties->GetButtonGlyph();
    buttons->GetButton(index)->SetKind(glyph && !glyph->GetEmpty() ? bkGlyph : extra ? bkEllipsis : bkDown);
  }
  TkvCustomComboBox::ApplyPropertiesChange(Properties);
}

void TkvCustomMRUEdit::ApplyLookupSelection(TObject* Sender) {
  TWeakRef<TkvCustomMRUEdit> guard(this);
  TkvCustomComboBox::ApplyLookupSelection(Sender);
  if (guard && !IsLookupScrolling() && RequestEdit()) AddToHistory(GetText());
}

void TkvCustomMRUEdit::AddToHistory(const String& Text) {
  if (Text.empty()) return;
  TkvCustomMRUEditProperties* properties = MRUProperties();
  if (properties->GetLookupItems()->IndexOf(Text) == -1) {
    TWeakRef<TkvCustomMRUEdit> guard(this);
    FireNewLookupDisplayText(Text);
    if (!guard) return;
  }
  MRUProperties()->AddItem(Text, false);
}

// ---- Unit ------------------------------------------------------------------------------------

namespace {

Integer GStartCount = 0;

}  // namespace

void kvMRUEditStart() {
  if (GStartCount++ > 0) return;
  RegisterClasses({TkvMRUEdit::ClassInfo(), TkvMRUEditProperties::ClassInfo()});
  EditPropertiesRegistry()->AddClass(TkvMRUEditProperties::ClassInfo(), ResourceStringText(skvEditMRUEditDescription));
  TheFilterEditsController()->AddHelper(TkvMRUEditProperties::ClassInfo(),
                                        FilterEditHelperOf<TkvFilterTextEditHelper>());
}

void kvMRUEditEnd() {
  if (GStartCount == 0 || --GStartCount > 0) return;
  UnRegisterClass(TkvMRUEditProperties::ClassInfo());
  UnRegisterClass(TkvMRUEdit::ClassInfo());
  // The Properties registry goes with the edit framework's end.
  TheFilterEditsController()->RemoveHelper(TkvMRUEditProperties::ClassInfo(),
                                           FilterEditHelperOf<TkvFilterTextEditHelper>());
}
