#pragma once
// The recent-items editor: a text combo box whose list is its own history, newest first. Every
// text the user accepts moves to (or is inserted at) the top; a cap trims the oldest entries,
// each announced before it goes. An ellipsis button beside the drop-down button has an event of
// its own.
//  - TkvCustomMRUEditProperties / TkvMRUEditProperties: the history, its cap, the extra button;
//  - TkvCustomMRUEdit / TkvMRUEdit: the editor, which adds accepted texts to the history;
//  - the unit's start and end.

#include "toolkit/editors/kvDropDownEdit.h"

using TkvMRUEditDeleteLookupItemEvent = TEvent<void(TObject* Sender, Integer AIndex)>;

class TkvCustomMRUEditProperties : public TkvCustomComboBoxProperties {
  TAVREN_CLASS(TkvCustomMRUEditProperties, TkvCustomComboBoxProperties)
 public:
  explicit TkvCustomMRUEditProperties(TPersistent* AOwner);
  void Assign(TPersistent* Source) override;
  TClass GetEditorClass() override;
  // Another recent-items editor's Properties take a copy of the history.
  void CopyRuntimeDataTo(TkvCustomEditProperties* Properties) override;

  // New operations, in the order descendants know them.
  // Moves Text to the top of the history, inserting it (announced when Announce is set, then
  // trimmed) when it is new; an empty text is never added.
  virtual void AddItem(const String& Text, bool Announce);
  virtual void AnnounceNewText(const String& Text);

  // The index of the extra (ellipsis) button in Buttons.
  static constexpr Integer ExtraButtonIndex = 1;

  Integer GetMaxItemCount() const { return FMaxItemCount; }
  // Negative counts are 0 (no cap); a lower cap trims at once.
  void SetMaxItemCount(Integer Value);
  bool GetShowEllipsis() const { return FShowEllipsis; }
  void SetShowEllipsis(bool Value);
  // The extra button's event (Sender: the editor); it hides the framework's indexed one.
  TNotifyEvent GetOnButtonClick() const { return FOnButtonClick; }
  void SetOnButtonClick(TNotifyEvent Value) { FOnButtonClick = Value; }
  TkvMRUEditDeleteLookupItemEvent GetOnDeleteLookupItem() const { return FOnDeleteLookupItem; }
  void SetOnDeleteLookupItem(TkvMRUEditDeleteLookupItemEvent Value) { FOnDeleteLookupItem = Value; }

 private:
  // Announces and deletes the last entry while the history is longer than the cap. The count is
  // read again after each announcement: its handler may delete or add entries itself.
  void Trim();

  Integer FMaxItemCount = 0;
  bool FShowEllipsis = true;
  TNotifyEvent FOnButtonClick;
  TkvMRUEditDeleteLookupItemEvent FOnDeleteLookupItem;
};

// The settings the recent-items editor publishes.
class TkvMRUEditProperties : public TkvCustomMRUEditProperties {
  TAVREN_CLASS(TkvMRUEditProperties, TkvCustomMRUEditProperties)
 public:
  using TkvCustomMRUEditProperties::TkvCustomMRUEditProperties;
  void SetAlignmentProp(TkvEditAlignment* Value) { SetAlignment(Value); }
};

class TkvCustomMRUEdit : public TkvCustomComboBox {
  TAVREN_CLASS(TkvCustomMRUEdit, TkvCustomComboBox)
 public:
  explicit TkvCustomMRUEdit(TComponent* AOwner)
      : TkvCustomMRUEdit(AOwner, false, TkvCustomMRUEditProperties::ClassInfo()) {}
  static TkvCustomEditPropertiesClass GetPropertiesClass() { return TkvCustomMRUEditProperties::ClassInfo(); }

  void ButtonClick(Integer VisibleIndex) override;
  void HandleKeyDown(Word& Key, TShiftState Shift) override;
  void ApplyDisplayValue(const Variant& Value) override;
  void ApplyPropertiesChange(TObject* Properties) override;
  void ApplyLookupSelection(TObject* Sender) override;

  // New operations, in the order descendants know them.
  // A text not yet in the history is announced to the editor's handlers; then the Properties in
  // use take it (without announcing it again).
  virtual void AddToHistory(const String& Text);

  TkvCustomMRUEditProperties* MRUProperties() {
    return static_cast<TkvCustomMRUEditProperties*>(GetEffectiveProperties());
  }

 protected:
  TkvCustomMRUEdit(TComponent* AOwner, bool AInplace, TkvCustomEditPropertiesClass APropertiesClass)
      : TkvCustomComboBox(AOwner, AInplace, APropertiesClass) {}
};

class TkvMRUEdit : public TkvCustomMRUEdit {
  TAVREN_CLASS(TkvMRUEdit, TkvCustomMRUEdit)
 public:
  explicit TkvMRUEdit(TComponent* AOwner) : TkvCustomMRUEdit(AOwner, false, TkvMRUEditProperties::ClassInfo()) {}
  TkvMRUEdit(TComponent* AOwner, bool AInplace)
      : TkvCustomMRUEdit(AOwner, AInplace, TkvMRUEditProperties::ClassInfo()) {}
  static TkvCustomEditPropertiesClass GetPropertiesClass() { return TkvMRUEditProperties::ClassInfo(); }
  TkvMRUEditProperties* GetMRUEditProperties() const { return static_cast<TkvMRUEditProperties*>(GetProperties()); }
  void SetMRUEditProperties(TkvMRUEditProperties* Value) { SetProperties(Value); }
};

// After kvDropDownEditStart: registers the recent-items Properties with the text editor's filter
// helper.
void kvMRUEditStart();
void kvMRUEditEnd();
