#pragma once
// The kinds of inspector rows: text rows (edited in a TJyEdit), popup rows, combo-box rows that
// pick their value from a list of lines, and toolbar rows of small toggle buttons.

#include <memory>

#include "rtl/Collection.h"
#include "toolkit/inspector/JyPropertyItems.h"
#include "vcl/Graphics.h"

using TJyItemNotifyEvent = TEvent<void(TJyPropertyItem* Sender)>;
using TJyToolButtonClickEvent = TEvent<void(TJyPropertyItem* Sender, Integer ButtonIndex)>;

class TJyCustomTextualItem : public TJyPropertyItem {
  TAVREN_CLASS(TJyCustomTextualItem, TJyPropertyItem)
 public:
  using TJyPropertyItem::TJyPropertyItem;
  TClassOf<TJyCustomEdit> EditorClass() override;
  bool HasEditor() override { return true; }
  bool SupportsPreview() override { return true; }
  void PrepareEditor() override;
};

class TJyTextItem : public TJyCustomTextualItem {
  TAVREN_CLASS(TJyTextItem, TJyCustomTextualItem)
 public:
  using TJyCustomTextualItem::TJyCustomTextualItem;
  TClassOf<TJyItemDisplay> DisplayClass() override;
  String GetAsString() override { return FValue; }
  Integer GetAsInteger() override;
  double GetAsFloat() override;
  void SetAsString(const String& Value) override;
  void SetAsInteger(Integer Value) override;
  void SetAsFloat(double Value) override;

  Char GetPasswordChar() const { return FPasswordChar; }
  void SetPasswordChar(Char Value);
  // The password character as published: a one-character text, empty for none.
  String GetPasswordText() const { return FPasswordChar ? String(1, FPasswordChar) : String(); }
  void SetPasswordText(const String& Value) { SetPasswordChar(Value.empty() ? '\0' : Value[0]); }

 private:
  String FValue;
  Char FPasswordChar = '\0';
};

class TJyPopupItem : public TJyTextItem {
  TAVREN_CLASS(TJyPopupItem, TJyTextItem)
 public:
  using TJyTextItem::TJyTextItem;
  TClassOf<TJyCustomEdit> EditorClass() override;
  virtual void DoCloseUp(TObject* Sender);
  void DoSelect(TObject*) { FOnSelect(this); }
  TJyItemNotifyEvent GetOnCloseUp() const { return FOnCloseUp; }
  void SetOnCloseUp(TJyItemNotifyEvent Value) { FOnCloseUp = Value; }
  TJyItemNotifyEvent GetOnSelect() const { return FOnSelect; }
  void SetOnSelect(TJyItemNotifyEvent Value) { FOnSelect = Value; }

 protected:
  void EditorMade() override;

 private:
  TJyItemNotifyEvent FOnCloseUp;
  TJyItemNotifyEvent FOnSelect;
};

enum TJyComboBoxStyle { cbDropDown, cbDropDownList };
TAVREN_ENUM_INFO(TJyComboBoxStyle, cbDropDown, cbDropDownList);

class TJyComboBoxItem : public TJyPopupItem {
  TAVREN_CLASS(TJyComboBoxItem, TJyPopupItem)
 public:
  explicit TJyComboBoxItem(TComponent* AOwner);
  TClassOf<TJyCustomEdit> EditorClass() override;
  void PrepareEditor() override;
  void HideEditor() override;
  void DoCloseUp(TObject* Sender) override;

  TItemsDisplayMode GetDisplayMode() const { return FDisplayMode; }
  void SetDisplayMode(TItemsDisplayMode Value) { FDisplayMode = Value; }
  Integer GetDropDownCount() const { return FDropDownCount; }
  void SetDropDownCount(Integer Value) { FDropDownCount = Value; }
  Integer GetItemIndex() const { return FItemIndex; }
  void SetItemIndex(Integer Value);
  TStrings* GetLines() const { return FLines.get(); }
  void SetLines(TStrings* Value) { FLines->Assign(Value); }
  TJyComboBoxStyle GetStyle() const { return FStyle; }
  void SetStyle(TJyComboBoxStyle Value) { FStyle = Value; }

 private:
  TItemsDisplayMode FDisplayMode = dmDefault;
  Integer FDropDownCount = 8;
  Integer FItemIndex = -1;
  std::unique_ptr<TJyStrings> FLines;
  TJyComboBoxStyle FStyle = cbDropDown;
};

class TJyToolbarItem;

class TJyToolbarItemButton : public TCollectionItem {
  TAVREN_CLASS(TJyToolbarItemButton, TCollectionItem)
 public:
  explicit TJyToolbarItemButton(TCollection* Collection);
  ~TJyToolbarItemButton() override;
  void Assign(TPersistent* Source) override;

  bool GetAutoCheck() const { return FAutoCheck; }
  void SetAutoCheck(bool Value) { FAutoCheck = Value; }
  bool GetChecked() const { return FChecked; }
  // Through the buttons' check rule (groups, all-up), then the button repaints.
  void SetChecked(bool Value);
  bool GetDivider() const { return FDivider; }
  void SetDivider(bool Value);
  TBitmap* GetGlyph() const { return FGlyph.get(); }
  void SetGlyph(TBitmap* Value) { FGlyph->Assign(Value); }
  String GetText() const { return FText; }
  void SetText(const String& Value) { FText = Value; }

 private:
  friend class TJyToolbarItemButtons;
  friend class TJyToolbarItem;
  void GlyphChanged(TObject* Sender);
  bool FAutoCheck = true;
  bool FChecked = false;
  bool FDivider = false;
  std::unique_ptr<TBitmap> FGlyph;
  String FText;
};

class TJyToolbarItemButtons : public TCollection {
  TAVREN_CLASS(TJyToolbarItemButtons, TCollection)
 public:
  explicit TJyToolbarItemButtons(TJyToolbarItem* Owner);
  TPersistent* GetOwner() override;
  TJyToolbarItemButton* Button(Integer Index) const { return static_cast<TJyToolbarItemButton*>(GetItems(Index)); }
  TJyToolbarItemButton* AddButton() { return static_cast<TJyToolbarItemButton*>(Add()); }
  TJyToolbarItem* Toolbar() const { return FOwner; }
  Integer CheckedCount() const { return FCheckedCount; }

 private:
  friend class TJyToolbarItemButton;
  friend class TJyToolbarItem;
  // Applies the check rule to Button set to Checked.
  void CheckButton(TJyToolbarItemButton* Button, bool Checked);
  TJyToolbarItem* FOwner;
  Integer FCheckedCount = 0;
};

enum TButtonsAlignment { baLeftJustify, baRightJustify };
TAVREN_ENUM_INFO(TButtonsAlignment, baLeftJustify, baRightJustify);

class TJyToolbarItem : public TJyPropertyItem {
  TAVREN_CLASS(TJyToolbarItem, TJyPropertyItem)
 public:
  explicit TJyToolbarItem(TComponent* AOwner);
  ~TJyToolbarItem() override;
  TClassOf<TJyItemDisplay> DisplayClass() override;
  String GetAsString() override;
  // Checks the buttons whose text is one of the comma-separated entries of Text.
  void SetAsString(const String& Text) override;
  virtual void Initialize() {}
  virtual void SetButtonChecked(Integer Index, bool Checked);
  void ButtonClicked(Integer Index);
  void RepaintButton(Integer Index) { ItemChanged(ickToolbarButton, Index); }

  TButtonsAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TButtonsAlignment Value);
  bool GetAllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool Value) { FAllowAllUp = Value; }
  TJyToolbarItemButtons* GetButtons() const { return FButtons.get(); }
  void SetButtons(TJyToolbarItemButtons* Value) { FButtons->Assign(Value); }
  Integer GetButtonWidth() const { return FButtonWidth; }
  void SetButtonWidth(Integer Value);
  bool GetGrouped() const { return FGrouped; }
  void SetGrouped(bool Value) { FGrouped = Value; }
  bool GetDrawBackground() const { return FDrawBackground; }
  void SetDrawBackground(bool Value);
  bool GetShowText() const { return FShowText; }
  void SetShowText(bool Value);
  TJyToolButtonClickEvent GetOnToolButtonClick() const { return FOnToolButtonClick; }
  void SetOnToolButtonClick(TJyToolButtonClickEvent Value) { FOnToolButtonClick = Value; }

 private:
  TButtonsAlignment FAlignment = baLeftJustify;
  bool FAllowAllUp = false;
  std::unique_ptr<TJyToolbarItemButtons> FButtons;
  Integer FButtonWidth = 17;
  bool FGrouped = false;
  bool FDrawBackground = false;
  bool FShowText = false;
  TJyToolButtonClickEvent FOnToolButtonClick;
};

