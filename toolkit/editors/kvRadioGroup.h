#pragma once
// Radio buttons drawn through the look-and-feel painters: the glyph of the chosen look, hot and
// pressed states that follow the mouse, an optional transparent background and a toolkit popup menu;
// and the radio group editor, a button group of such buttons whose edit value is the checked item's.
//
// Sources: kvRadioGroupButton.cpp (the radio button), kvRadioGroupProperties.cpp (items, Properties,
// filter helper, unit), kvRadioGroupControl.cpp (the group and its buttons), kvRadioGroupView.cpp.

#include <memory>

#include "toolkit/foundation/kvControls.h"
#include "toolkit/foundation/kvGraphics.h"
#include "toolkit/foundation/kvLookAndFeelPainters.h"
#include "toolkit/foundation/kvLookAndFeels.h"
#include "toolkit/editors/kvDropDownEdit.h"
#include "toolkit/editors/kvGroupBox.h"
#include "vcl/StdCtrls.h"

// The radio button's own states, in the order the group and the painters map them.
enum TkvRadioButtonState { rbsDisabled, rbsHot, rbsNormal, rbsPressed };

class TkvRadioButton : public TRadioButton {
  TAVREN_CLASS(TkvRadioButton, TRadioButton)
  TAVREN_MESSAGES()
 public:
  explicit TkvRadioButton(TComponent* AOwner);
  ~TkvRadioButton() override;

  bool Focused() override;
  void Invalidate() override;

  TkvLookAndFeel* GetLookAndFeel() const { return FLookAndFeel.get(); }
  void SetLookAndFeel(TkvLookAndFeel* Value) { FLookAndFeel->Assign(Value); }
  TComponent* GetKvPopupMenu() const { return FPopupMenu; }
  // Only a platform popup menu or a toolkit one is kept; anything else clears the reference.
  void SetKvPopupMenu(TComponent* Value);
  bool GetTransparent() const { return FTransparent; }
  void SetTransparent(bool Value);
  TkvRadioButtonState GetButtonState() const { return FState; }
  TRect GetButtonRect() const { return FButtonRect; }
  Integer GetColumn() const { return FColumn; }
  Integer GetRow() const { return FRow; }
  void SetPlace(Integer Column, Integer Row) { FColumn = Column, FRow = Row; }
  bool GetClicksDisabled() const { return FClicksDisabled; }

  // Virtual operations, in the order descendants know them.
  virtual void CaptionMargins(TRect& R, bool Native);
  virtual bool ShowPopupMenu(TComponent* Menu, Integer X, Integer Y);
  virtual void PaintBackground();
  virtual void PaintCaption(TkvCanvas* Canvas, bool Native);
  // A button of a radio group shown in place in a grid cell.
  virtual bool IsInGroupInplace() { return false; }
  virtual bool NeedsParentBackground();
  virtual bool IsNative();
  virtual bool IsTransparent();
  virtual bool BackgroundBorrowed();
  virtual void LookAndFeelChanged(TkvLookAndFeel* Sender, TkvLookAndFeelValues ChangedValues);
  virtual void Draw(bool FocusOnly);
  virtual void UpdateState(Integer Button, TShiftState Shift, const TPoint& P);

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateHandle() override;
  void DoEnter() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void DoContextPopup(TPoint MousePos, bool& Handled) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

  void WMContextMenu(TMessage& Message);
  void WMEraseBkgnd(TMessage& Message) { Message.Result = 1; }
  void WMWindowPosChanged(TMessage& Message);
  void BMSetCheck(TMessage& Message);
  void CMEnabledChanged(TMessage& Message);
  void CMMouseEnter(TMessage& Message);
  void CMMouseLeave(TMessage& Message);
  void CMSysColorChange(TMessage& Message);
  void CNKeyDown(TMessage& Message);
  void CNDrawItem(TMessage& Message);
  void CNMeasureItem(TMessage& Message);

  TkvCanvas* KvCanvas() const { return FKvCanvas.get(); }
  // Places the button rectangle for the painter's glyph size and draws the glyph there.
  void PaintGlyph(TkvCanvas* Canvas, TkvCustomLookAndFeelPainterClass Painter, TColor Background, bool Native);

 private:
  void UpdateStateFromCursor();
  void InvalidateButtonRect(Integer Grow);
  TColor CaptionColor();

  std::unique_ptr<TControlCanvas> FControlCanvas;
  std::unique_ptr<TkvCanvas> FKvCanvas;
  std::unique_ptr<TkvLookAndFeel> FLookAndFeel;
  std::unique_ptr<TkvMouseLeaveMessenger> FTrackingCaller;
  TComponent* FPopupMenu = nullptr;
  bool FTransparent = false;
  TRect FButtonRect{0, 0, 0, 0};
  TkvRadioButtonState FState = rbsNormal;
  Integer FColumn = 0;
  Integer FRow = 0;
};

// ---- Radio group ------------------------------------------------------------------------------

constexpr Integer skvRadioGroupDefaultCaption = 64384;

class TkvRadioGroupItem : public TkvButtonGroupItem {
  TAVREN_CLASS(TkvRadioGroupItem, TkvButtonGroupItem)
 public:
  using TkvButtonGroupItem::TkvButtonGroupItem;
  void Assign(TPersistent* Source) override;
  const Variant& GetValue() const { return FValue; }
  // An exactly equal value changes nothing.
  void SetValue(const Variant& Value);
  bool IsValueStored() const { return !VarIsNull(FValue); }

 private:
  Variant FValue = Null();
};

class TkvRadioGroupItems : public TkvButtonGroupItems {
  TAVREN_CLASS(TkvRadioGroupItems, TkvButtonGroupItems)
 public:
  using TkvButtonGroupItems::TkvButtonGroupItems;
  TkvRadioGroupItem* GetRadioItem(Integer Index) const { return static_cast<TkvRadioGroupItem*>(GetItems(Index)); }
  TkvRadioGroupItem* AddItem(const String& Caption, const Variant& Value = Null());
};

class TkvCustomRadioGroupProperties : public TkvCustomButtonGroupProperties {
  TAVREN_CLASS(TkvCustomRadioGroupProperties, TkvCustomButtonGroupProperties)
 public:
  explicit TkvCustomRadioGroupProperties(TPersistent* AOwner);
  void Assign(TPersistent* Source) override;
  TClass GetEditorClass() override;
  TClassOf<TkvCustomEditViewData> GetViewDataClass() override;
  TClassOf<TkvCustomEditViewInfo> GetViewInfoClass() override;
  Integer GetSupportedFeatures() override { return TkvCustomButtonGroupProperties::GetSupportedFeatures() | 0x210; }
  bool CanCompareEditValues() override { return true; }
  bool DisplayValuesEqual(const Variant& A, const Variant& B) override;
  String EditValueToDisplayText(const Variant& EditValue, bool FullText) override;
  void MakeDisplayValue(const Variant& EditValue, Variant& DisplayValue, bool EditorFocused) override;
  TkvButtonGroupItems* CreateItems() override;
  Integer EffectiveColumns() override;

  // The first item whose Value (or, when it has none, its Caption) matches EditValue; -1 none.
  Integer IndexOfValue(const Variant& EditValue);
  TkvRadioGroupItems* GetRadioItems() { return static_cast<TkvRadioGroupItems*>(GetItems()); }
  void SetRadioItems(TkvRadioGroupItems* Value) { SetItems(Value); }
  const String& GetDefaultCaption() const { return FDefaultCaption; }
  void SetDefaultCaption(const String& Value) { Store(FDefaultCaption, Value); }
  bool IsDefaultCaptionStored();
  const Variant& GetDefaultValue() const { return FDefaultValue; }
  void SetDefaultValue(const Variant& Value);
  bool IsDefaultValueStored() const { return !VarIsNull(FDefaultValue); }

 private:
  String FDefaultCaption;
  Variant FDefaultValue = Null();
};

class TkvRadioGroupProperties : public TkvCustomRadioGroupProperties {
  TAVREN_CLASS(TkvRadioGroupProperties, TkvCustomRadioGroupProperties)
 public:
  using TkvCustomRadioGroupProperties::TkvCustomRadioGroupProperties;
};

class TkvRadioGroupButtonViewInfo : public TkvGroupBoxButtonViewInfo {
  TAVREN_CLASS(TkvRadioGroupButtonViewInfo, TkvGroupBoxButtonViewInfo)
 public:
  TkvRadioGroupButtonViewInfo() = default;
  // A data-aware copy of a classic button has its glyph one pixel further right.
  void PlaceGlyph(const TSize& Glyph, Integer Side, bool PaintsDataCopy) override;
};

class TkvCustomRadioGroupViewInfo : public TkvButtonGroupViewInfo {
  TAVREN_CLASS(TkvCustomRadioGroupViewInfo, TkvButtonGroupViewInfo)
 public:
  TkvCustomRadioGroupViewInfo();
  void CopyFrom(TkvContainerViewInfo* Other) override;
  TClassOf<TkvEditButtonViewInfo> GetButtonViewInfoClass() override { return TkvRadioGroupButtonViewInfo::ClassInfo(); }
  bool ButtonTransparent(TkvGroupBoxButtonViewInfo* Button) override;
  void PaintButtonGlyph(TkvCanvas* Canvas, TkvGroupBoxButtonViewInfo* Button) override;
  void PaintButtonCaption(TkvCanvas* Canvas, TkvGroupBoxButtonViewInfo* Button) override;

  Integer CheckedIndex = -1;
};

class TkvCustomRadioGroupViewData : public TkvButtonGroupViewData {
  TAVREN_CLASS(TkvCustomRadioGroupViewData, TkvButtonGroupViewData)
 public:
  using TkvButtonGroupViewData::TkvButtonGroupViewData;
  void ComputeViewInfo(TkvCanvas* Canvas, const TRect& Bounds, const TPoint& P, Integer Button, TShiftState Shift,
                       TkvCustomEditViewInfo* ViewInfo, bool IsMouseEvent) override;
  void LoadDisplayValue(TkvCanvas* Canvas, const Variant& Value, TkvCustomEditViewInfo* ViewInfo) override;
  void GetButtonMetrics(bool WidthGiven, TkvCanvas* Canvas, TkvButtonMetrics& Metrics) override;
  void ButtonComputed(TkvGroupBoxButtonViewInfo* Button, TkvButtonGroupViewInfo* ViewInfo) override;

  TkvCustomRadioGroupProperties* RadioProperties() {
    return static_cast<TkvCustomRadioGroupProperties*>(Properties);
  }
  // The look asks for native style and the button theme opens.
  bool ButtonsNative();
};

class TkvCustomRadioGroup;

// The child control of one item of a radio group.
class TkvCustomRadioGroupButton : public TkvRadioButton {
  TAVREN_CLASS(TkvCustomRadioGroupButton, TkvRadioButton)
  TAVREN_MESSAGES()
 public:
  explicit TkvCustomRadioGroupButton(TComponent* AOwner);
  ~TkvCustomRadioGroupButton() override;

  bool CanFocus() override;
  // Actions the button does not take go to its group's data binding.
  bool ExecuteAction(TBasicAction* Action) override;
  bool UpdateAction(TBasicAction* Action) override;
  void SetChecked(bool Value) override;
  bool IsInGroupInplace() override;
  bool NeedsParentBackground() override;
  bool IsNative() override;
  bool IsTransparent() override;
  bool BackgroundBorrowed() override;
  void PaintBackground() override;
  // Under a skin the button is composed off-screen over the group's own image, so it shows the
  // skin's group background and leaves nothing of an earlier look behind.
  void Draw(bool FocusOnly) override;

  TkvCustomRadioGroup* GetGroup() const { return FGroup; }
  // The device context its canvas paints on now (none outside its painting).
  HDC CanvasHandle();
  // Checks or unchecks without the group's button-checked step; a button already inside such a
  // set is left alone.
  void GuardedSetChecked(bool Value);

 protected:
  void WndProc(TMessage& Message) override;
  void DefaultHandler(TMessage& Message) override;
  void Click() override;
  void DoEnter() override;
  void DoExit() override;
  void KeyPress(Char& Key) override;
  void WMGetDlgCode(TMessage& Message);
  void WMSetFocus(TMessage& Message);
  void WMKillFocus(TMessage& Message);
  void CNCommand(TMessage& Message);

 private:
  TkvCustomRadioGroup* FGroup;
  bool FInGuardedSet = false;
  bool FInCommand = false;
  bool FMousePress = false;
};

class TkvCustomRadioGroup : public TkvCustomButtonGroup {
  TAVREN_CLASS(TkvCustomRadioGroup, TkvCustomButtonGroup)
 public:
  explicit TkvCustomRadioGroup(TComponent* AOwner)
      : TkvCustomRadioGroup(AOwner, false, TkvCustomRadioGroupProperties::ClassInfo()) {}
  static TkvCustomEditPropertiesClass GetPropertiesClass() { return TkvCustomRadioGroupProperties::ClassInfo(); }

  void SetDragMode(TDragMode Value) override;
  void SetFocus() override;
  void SetParentBackground(bool Value) override;
  bool IsOwnScrollControl(TControl* Control) override;
  bool IsFocusedNow() override;
  void SetDragKind(TDragKind Value) override;
  void StoreEditValue(const Variant& Value) override;
  bool IsPaintCopy() override;
  void BeginInplaceEdit(TkvCustomEditData*& Data) override;
  void ClearValue() override { SetItemIndex(-1); }
  void PlaceButtons() override;
  HDC ButtonCanvasHandle(Integer Index) override;
  TWinControl* CreateButtonControl() override;
  void SyncButtonStyles() override;
  void UpdateButtons() override;
  void GetTabOrderList(std::vector<TWinControl*>& List) override;

  // The edit value of an item position: -1 gives DefaultValue, else the item's Value or Caption.
  Variant PrepareEditValue(Integer Index);
  // Stores Value and brings the buttons to it (Forced: only the focus follows).
  void SetEditValueAndButtons(const Variant& Value, bool Forced);
  // A button became checked by the user, the keys or the platform.
  void ButtonChecked(TkvCustomRadioGroupButton* Button);
  // The group's after-load step: DefaultValue, then the stored index.
  void ApplyLoadedState();
  Integer IndexOfButton(TWinControl* Button);

  TkvCustomRadioGroupProperties* RadioProperties() {
    return static_cast<TkvCustomRadioGroupProperties*>(GetEffectiveProperties());
  }
  TkvCustomRadioGroupViewInfo* RadioViewInfo() {
    return static_cast<TkvCustomRadioGroupViewInfo*>(GetEditViewInfo());
  }
  TkvCustomRadioGroupButton* RadioButton(Integer Index) const {
    return static_cast<TkvCustomRadioGroupButton*>(ButtonControl(Index));
  }
  Integer GetItemIndex();
  void SetItemIndex(Integer Value);
  bool IsItemIndexStored() { return GetItemIndex() != -1; }
  bool IsCopyingBackground() const { return FCopyingBackground; }
  void SetCopyingBackground(bool Value) { FCopyingBackground = Value; }
  bool IsLoadingReadingOrUpdating();

 protected:
  TkvCustomRadioGroup(TComponent* AOwner, bool AInplace, TkvCustomEditPropertiesClass APropertiesClass);
  void Loaded() override;
  void Updated() override;
  void Resize() override;
  // Button controls are never streamed.
  void GetChildren(const TGetChildProc&, TComponent*) override {}

 private:
  Integer CheckedIndex();
  void ButtonsFollow(Integer Index, bool Forced);
  void FocusButton(Integer Index);

  Integer FStoredIndex = -1;
  bool FUserChange = false;
  bool FCopyingBackground = false;
};

class TkvRadioGroup : public TkvCustomRadioGroup {
  TAVREN_CLASS(TkvRadioGroup, TkvCustomRadioGroup)
 public:
  explicit TkvRadioGroup(TComponent* AOwner)
      : TkvCustomRadioGroup(AOwner, false, TkvRadioGroupProperties::ClassInfo()) {}
  TkvRadioGroup(TComponent* AOwner, bool AInplace)
      : TkvCustomRadioGroup(AOwner, AInplace, TkvRadioGroupProperties::ClassInfo()) {}
  static TkvCustomEditPropertiesClass GetPropertiesClass() { return TkvRadioGroupProperties::ClassInfo(); }
  TkvRadioGroupProperties* GetRadioGroupProperties() const {
    return static_cast<TkvRadioGroupProperties*>(GetProperties());
  }
  void SetRadioGroupProperties(TkvRadioGroupProperties* Value) { SetProperties(Value); }
};

// The filter row edits a radio group's value with a combo box of the item captions.
class TkvFilterRadioGroupHelper : public TkvFilterComboBoxHelper {
  TAVREN_CLASS(TkvFilterRadioGroupHelper, TkvFilterComboBoxHelper)
 public:
  void InitFilterProperties(TkvCustomEditProperties* Properties, TkvCustomEditProperties* Source,
                            bool KeepButtons) override;
  void ReadFilterValue(TkvCustomEdit* Editor, TkvCustomEditProperties* Properties, Variant& Value,
                       String& Text) override;
  void WriteFilterValue(TkvCustomEdit* Editor, TkvCustomEditProperties* Properties, const Variant& Value) override;
  TkvFilterOperators FilterOperatorSet(TkvValueTypeClass ValueType, bool Extended) override;
  bool FiltersByDisplayText() override { return true; }
};

// After kvDropDownEditStart: registers the radio group's Properties and its filter helper.
void kvRadioGroupStart();
void kvRadioGroupEnd();
