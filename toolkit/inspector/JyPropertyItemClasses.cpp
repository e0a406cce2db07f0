// The item kinds: text, popup, combo-box and toolbar rows.

#include "toolkit/inspector/JyPropertyItemClasses.h"

#include "rtl/SysUtils.h"
#include "toolkit/inspector/JyEdit.h"
#include "toolkit/inspector/JyPropertyItemDisplay.h"

// ---- Text rows ----------------------------------------------------------------------------------

TClassOf<TJyCustomEdit> TJyCustomTextualItem::EditorClass() { return TJyEdit::ClassInfo(); }

void TJyCustomTextualItem::PrepareEditor() {
  TJyCustomEdit* editor = Editor();
  editor->SetText(GetAsString());
  editor->SetShowPreview(GetShowPreview());
  inherited::PrepareEditor();
}

TClassOf<TJyItemDisplay> TJyTextItem::DisplayClass() { return TJyTextItemDisplay::ClassInfo(); }

Integer TJyTextItem::GetAsInteger() {
  Integer value = 0;
  return TryStrToInt(FValue, value) ? value : 0;
}

double TJyTextItem::GetAsFloat() {
  Extended value = 0;
  return TryStrToFloat(FValue, value) ? value : 0;
}

void TJyTextItem::SetAsString(const String& Value) {
  FValue = Value;
  Changed();
}

void TJyTextItem::SetAsInteger(Integer Value) {
  FValue = IntToStr(Value);
  Changed();
}

void TJyTextItem::SetAsFloat(double Value) {
  FValue = FloatToStr(Value);
  Changed();
}

void TJyTextItem::SetPasswordChar(Char Value) {
  FPasswordChar = Value;
  if (TJyCustomEdit* editor = Editor()) editor->SetPasswordChar(Value);
}

// ---- Popup rows ---------------------------------------------------------------------------------

TClassOf<TJyCustomEdit> TJyPopupItem::EditorClass() { return TJyPopupEdit::ClassInfo(); }

void TJyPopupItem::EditorMade() {
  auto* editor = static_cast<TJyPopupEdit*>(Editor());
  editor->SetOnCloseUp(MakeEvent<&TJyPopupItem::DoCloseUp>(this));
  editor->SetOnSelect(MakeEvent<&TJyPopupItem::DoSelect>(this));
}

void TJyPopupItem::DoCloseUp(TObject*) { FOnCloseUp(this); }

// ---- Combo-box rows -----------------------------------------------------------------------------

TJyComboBoxItem::TJyComboBoxItem(TComponent* AOwner) : TJyPopupItem(AOwner), FLines(std::make_unique<TJyStrings>()) {}

TClassOf<TJyCustomEdit> TJyComboBoxItem::EditorClass() { return TJyComboBox::ClassInfo(); }

void TJyComboBoxItem::SetItemIndex(Integer Value) {
  FItemIndex = Value;
  if (Value >= 0 && Value < FLines->GetCount()) SetValue(LineDisplayText(FLines->GetStrings(Value), FDisplayMode));
}

void TJyComboBoxItem::PrepareEditor() {
  inherited::PrepareEditor();
  auto* combo = static_cast<TJyComboBox*>(Editor());
  combo->SetItems(FLines.get());
  combo->SetStyle(FStyle == cbDropDown ? dsDropDown : dsDropDownList);
  combo->SetHideFocus(true);
  combo->SetDisplayMode(FDisplayMode);
  combo->SetDropDownCount(FDropDownCount);
  combo->SetItemIndex(FItemIndex);
}

void TJyComboBoxItem::HideEditor() {
  inherited::HideEditor();
  SetItemIndex(static_cast<TJyComboBox*>(Editor())->GetItemIndex());
}

void TJyComboBoxItem::DoCloseUp(TObject* Sender) {
  FItemIndex = static_cast<TJyComboBox*>(Editor())->GetItemIndex();
  inherited::DoCloseUp(Sender);
}

// ---- Toolbar rows -------------------------------------------------------------------------------

TJyToolbarItemButton::TJyToolbarItemButton(TCollection* Collection)
    : TCollectionItem(Collection), FGlyph(std::make_unique<TBitmap>()) {
  FGlyph->SetOnChange(MakeEvent<&TJyToolbarItemButton::GlyphChanged>(this));
}

TJyToolbarItemButton::~TJyToolbarItemButton() = default;

void TJyToolbarItemButton::Assign(TPersistent* Source) {
  if (auto* other = dynamic_cast<TJyToolbarItemButton*>(Source)) {
    FAutoCheck = other->FAutoCheck;
    SetChecked(other->FChecked);
    FDivider = other->FDivider;
    FGlyph->Assign(other->FGlyph.get());
    FText = other->FText;
    return;
  }
  inherited::Assign(Source);
}

void TJyToolbarItemButton::SetChecked(bool Value) {
  auto* buttons = static_cast<TJyToolbarItemButtons*>(GetCollection());
  if (!buttons) {
    FChecked = Value;
    return;
  }
  buttons->CheckButton(this, Value);
  buttons->Toolbar()->RepaintButton(GetIndex());
}

void TJyToolbarItemButton::SetDivider(bool Value) {
  FDivider = Value;
  if (auto* buttons = static_cast<TJyToolbarItemButtons*>(GetCollection())) buttons->Toolbar()->RepaintButton(GetIndex());
}

void TJyToolbarItemButton::GlyphChanged(TObject*) {
  if (auto* buttons = static_cast<TJyToolbarItemButtons*>(GetCollection())) buttons->Toolbar()->RepaintButton(GetIndex());
}

TJyToolbarItemButtons::TJyToolbarItemButtons(TJyToolbarItem* Owner)
    : TCollection(TJyToolbarItemButton::ClassInfo()), FOwner(Owner) {}

TPersistent* TJyToolbarItemButtons::GetOwner() { return FOwner; }

void TJyToolbarItemButtons::CheckButton(TJyToolbarItemButton* Button, bool Checked) {
  if (Checked == Button->FChecked) return;
  if (!Checked && !FOwner->GetAllowAllUp() && FCheckedCount == 1) return;
  FCheckedCount += Checked ? 1 : -1;
  Button->FChecked = Checked;
  if (FOwner->GetGrouped() && Checked)
    for (Integer i = 0; i < GetCount(); ++i) {
      TJyToolbarItemButton* other = this->Button(i);
      if (other == Button || !other->FChecked) continue;
      other->FChecked = false;
      --FCheckedCount;
      FOwner->RepaintButton(i);
    }
  FOwner->ButtonClicked(Button->GetIndex());
}

TJyToolbarItem::TJyToolbarItem(TComponent* AOwner)
    : TJyPropertyItem(AOwner), FButtons(std::make_unique<TJyToolbarItemButtons>(this)) {
  Initialize();
}

TJyToolbarItem::~TJyToolbarItem() = default;

TClassOf<TJyItemDisplay> TJyToolbarItem::DisplayClass() { return TJyToolbarItemDisplay::ClassInfo(); }

String TJyToolbarItem::GetAsString() {
  String text;
  for (Integer i = 0; i < FButtons->GetCount(); ++i) {
    TJyToolbarItemButton* button = FButtons->Button(i);
    if (!button->GetChecked()) continue;
    if (!text.empty()) text += ",";
    text += button->GetText();
  }
  return text;
}

void TJyToolbarItem::SetAsString(const String& Text) {
  // Whole entries only: "Under" is not checked by "Underline".
  std::vector<String> entries;
  for (size_t start = 0;;) {
    const size_t comma = Text.find(',', start);
    entries.push_back(Trim(Text.substr(start, comma == String::npos ? String::npos : comma - start)));
    if (comma == String::npos) break;
    start = comma + 1;
  }
  for (Integer i = 0; i < FButtons->GetCount(); ++i) {
    const String& name = FButtons->Button(i)->GetText();
    SetButtonChecked(i, std::find(entries.begin(), entries.end(), name) != entries.end());
  }
  inherited::SetAsString(Text);
}

void TJyToolbarItem::SetButtonChecked(Integer Index, bool Checked) {
  FButtons->Button(Index)->SetChecked(Checked);
  WriteToAssociate();
  ItemChanged(ickValue);
}

void TJyToolbarItem::ButtonClicked(Integer Index) {
  ItemChanged(ickToolbarClick, Index);
  FOnToolButtonClick(this, Index);
}

void TJyToolbarItem::SetAlignment(TButtonsAlignment Value) {
  FAlignment = Value;
  ItemChanged(ickRepaintValue);
}

void TJyToolbarItem::SetButtonWidth(Integer Value) {
  FButtonWidth = Value;
  ItemChanged(ickRepaintValue);
}

void TJyToolbarItem::SetDrawBackground(bool Value) {
  FDrawBackground = Value;
  ItemChanged(ickRepaintValue);
}

void TJyToolbarItem::SetShowText(bool Value) {
  FShowText = Value;
  ItemChanged(ickToolbarText);
}
