#pragma once
// The check box editor kind: a three-state check mark with a caption, whose edit value is one of
// three configurable values.
//  - TkvCustomCheckBoxProperties / TkvCheckBoxProperties: the values, their texts, the null look,
//    a glyph strip and layout options; TkvCheckBoxStyle;
//  - TkvCustomCheckBoxViewData / TkvCustomCheckBoxViewInfo: the check area and caption, painted
//    by a skin, the theme or the classic frames (PaintCheckArea);
//  - TkvCustomCheckBox / TkvCheckBox: the editor, toggled by Space and the mouse;
//  - the unit's start and end (the check-mark mask).
//
// Sources: kvCheckBoxProperties.cpp, kvCheckBoxView.cpp, kvCheckBoxPaint.cpp, kvCheckBoxControl.cpp.

#include <memory>

#include "toolkit/editors/kvDropDownEdit.h"
#include "toolkit/editors/kvTextEdit.h"
#include "toolkit/foundation/kvLookAndFeelPainters.h"
#include "vcl/Graphics.h"

TAVREN_ENUM_INFO(TkvCheckBoxState, cbsUnchecked, cbsChecked, cbsGrayed);
enum TkvCheckBoxNullValueShowingStyle { nssUnchecked, nssInactive, nssGrayedChecked };
TAVREN_ENUM_INFO(TkvCheckBoxNullValueShowingStyle, nssUnchecked, nssInactive, nssGrayedChecked);

// The check button's painting state.
constexpr Integer kvcbsNormal = 0;
constexpr Integer kvcbsHot = 1;
constexpr Integer kvcbsPressed = 2;
constexpr Integer kvcbsDisabled = 3;

constexpr Integer skvCheckBoxTrue = 64430;
constexpr Integer skvCheckBoxFalse = 64431;
constexpr Integer skvCheckBoxDescription = 64432;

class TkvCustomCheckBoxProperties : public TkvCustomEditProperties {
  TAVREN_CLASS(TkvCustomCheckBoxProperties, TkvCustomEditProperties)
 public:
  explicit TkvCustomCheckBoxProperties(TPersistent* AOwner);
  ~TkvCustomCheckBoxProperties() override;
  void Assign(TPersistent* Source) override;

  TkvCustomEditStyleClass GetStyleClass() override;
  TClassOf<TkvCustomEditViewData> GetViewDataClass() override;
  TClassOf<TkvCustomEditViewInfo> GetViewInfoClass() override;
  TClass GetEditorClass() override;
  String EditValueToDisplayText(const Variant& EditValue, bool FullText) override;
  bool DisplayValuesEqual(const Variant& A, const Variant& B) override;
  bool CanCompareEditValues() override { return true; }
  Integer GetSupportedFeatures() override { return 1453; }
  bool IsActivationKey(Char Key) override { return Key == ' '; }
  // Only one of the three values, exactly.
  bool AcceptsEditValue(const Variant& EditValue) override;

  // Virtual operations, in the order descendants know them.
  virtual TkvCheckBoxState StateOf(const Variant& EditValue);
  // Made on first use; its changes are the Properties' changes.
  virtual TBitmap* GetGlyph();

  // The edit value that stands for State (a copy).
  Variant ValueOf(TkvCheckBoxState State);

  bool GetAllowGrayed() const { return FAllowGrayed; }
  void SetAllowGrayed(bool Value) { Store(FAllowGrayed, Value); }
  String GetCaption() const { return FCaption; }
  // Marks the caption assigned even when it is the same; reports only a new one.
  void SetCaption(const String& Value);
  bool IsCaptionAssigned() const { return FCaptionAssigned; }
  void ClearCaptionAssigned() { FCaptionAssigned = false; }
  String GetDisplayChecked() const { return FDisplayChecked; }
  void SetDisplayChecked(const String& Value) { Store(FDisplayChecked, Value); }
  bool IsDisplayCheckedStored();
  String GetDisplayUnchecked() const { return FDisplayUnchecked; }
  void SetDisplayUnchecked(const String& Value) { Store(FDisplayUnchecked, Value); }
  bool IsDisplayUncheckedStored();
  String GetDisplayGrayed() const { return FDisplayGrayed; }
  void SetDisplayGrayed(const String& Value) { Store(FDisplayGrayed, Value); }
  bool IsDisplayGrayedStored() const { return !FDisplayGrayed.empty(); }
  bool GetFullFocusRect() const { return FFullFocusRect; }
  void SetFullFocusRect(bool Value) { Store(FFullFocusRect, Value); }
  void SetGlyph(TBitmap* Value);
  bool HasGlyph() const { return FGlyph && !FGlyph->GetEmpty(); }
  Integer GetGlyphCount() const { return FGlyphCount; }
  void SetGlyphCount(Integer Value);
  bool GetMultiLine() const { return FMultiLine; }
  void SetMultiLine(bool Value) { Store(FMultiLine, Value); }
  TkvCheckBoxNullValueShowingStyle GetNullStyle() const { return FNullStyle; }
  void SetNullStyle(TkvCheckBoxNullValueShowingStyle Value) { Store(FNullStyle, Value); }
  bool GetUseAlignmentWhenInplace() const { return FUseAlignmentWhenInplace; }
  void SetUseAlignmentWhenInplace(bool Value) { Store(FUseAlignmentWhenInplace, Value); }
  Variant GetValueChecked() const { return FValueChecked; }
  void SetValueChecked(const Variant& Value);
  bool IsValueCheckedStored() const;
  Variant GetValueGrayed() const { return FValueGrayed; }
  void SetValueGrayed(const Variant& Value);
  bool IsValueGrayedStored() const { return !VarIsNull(FValueGrayed); }
  Variant GetValueUnchecked() const { return FValueUnchecked; }
  void SetValueUnchecked(const Variant& Value);
  bool IsValueUncheckedStored() const;
  // The horizontal part of the edit alignment, as check boxes publish it.
  TAlignment GetHorzAlignment() { return GetAlignment()->GetHorz(); }
  void SetHorzAlignment(TAlignment Value) { GetAlignment()->SetHorz(Value); }
  bool IsHorzAlignmentStored() { return GetAlignment()->IsHorzStored(); }

 private:
  void GlyphChanged(TObject*) { NotifyChanged(); }
  bool IsLoading();
  bool EqualsAnyValue(const Variant& Value) const;
  void SetValue(Variant& Field, const Variant& Value);

  bool FAllowGrayed = false;
  String FCaption;
  bool FCaptionAssigned = false;
  String FDisplayChecked;
  String FDisplayUnchecked;
  String FDisplayGrayed;
  bool FFullFocusRect = false;
  std::unique_ptr<TBitmap> FGlyph;
  Integer FGlyphCount = 6;
  bool FMultiLine = false;
  TkvCheckBoxNullValueShowingStyle FNullStyle = nssGrayedChecked;
  bool FUseAlignmentWhenInplace = false;
  Variant FValueChecked;
  Variant FValueGrayed;
  Variant FValueUnchecked;
};

class TkvCheckBoxProperties : public TkvCustomCheckBoxProperties {
  TAVREN_CLASS(TkvCheckBoxProperties, TkvCustomCheckBoxProperties)
 public:
  using TkvCustomCheckBoxProperties::TkvCustomCheckBoxProperties;
};

// A check box's style draws no frame around the box and its caption.
class TkvCheckBoxStyle : public TkvEditStyle {
  TAVREN_CLASS(TkvCheckBoxStyle, TkvEditStyle)
 public:
  using TkvEditStyle::TkvEditStyle;
  bool ShowsBorder() override { return false; }
};

// ---- View ------------------------------------------------------------------------------------------

class TkvCustomCheckBoxViewInfo : public TkvCustomTextEditViewInfo {
  TAVREN_CLASS(TkvCustomCheckBoxViewInfo, TkvCustomTextEditViewInfo)
 public:
  TkvCustomCheckBoxViewInfo() = default;
  void CopyFrom(TkvContainerViewInfo* Other) override;
  void MoveBy(Integer DX, Integer DY) override;
  void PaintContent(TkvCanvas* Canvas) override;
  bool RepaintDifference(TWinControl* Control, const TRect& Inner, TkvCustomEditViewInfo* Older) override;

  TAlignment Alignment = taLeftJustify;
  Integer CheckInset = 0;
  TkvContainerBorderStyle CheckBorderStyle = cbsNone;
  TBitmap* Glyph = nullptr;
  Integer GlyphCount = 0;
  TRect CheckRect;
  Integer CheckButtonState = kvcbsNormal;
  TRect FocusRect;
  bool IsGlyphAssigned = false;
  bool IsTextColorAssigned = false;
  TkvCheckBoxNullValueShowingStyle NullStyle = nssGrayedChecked;
  TkvCheckBoxState State = cbsUnchecked;
  Integer CaptionFlags = 0;
};

class TkvCustomCheckBoxViewData : public TkvCustomEditViewData {
  TAVREN_CLASS(TkvCustomCheckBoxViewData, TkvCustomEditViewData)
 public:
  using TkvCustomEditViewData::TkvCustomEditViewData;
  void ComputeViewInfo(TkvCanvas* Canvas, const TRect& Bounds, const TPoint& P, Integer Button, TShiftState Shift,
                       TkvCustomEditViewInfo* ViewInfo, bool IsMouseEvent) override;
  void EditValueToDisplayText(const Variant& Value, String& Text) override;
  void LoadDisplayValue(TkvCanvas* Canvas, const Variant& Value, TkvCustomEditViewInfo* ViewInfo) override;
  void GetEditContentSize(TkvCanvas* Canvas, const Variant& Value, const TkvEditSizeRequest& Request,
                          TSize& Size) override;
  // The box and its caption have no frame of their own; the edit style's border goes to the box.
  TkvEditBorderStyle GetBorderStyle() override { return ebsNone; }
  void GetBorderExtent(TRect& R) override;

  // Virtual operations, in the order descendants know them.
  // Canvas text flags of the caption.
  virtual Integer TextFlags();

  TkvCustomCheckBoxProperties* CheckProperties() { return static_cast<TkvCustomCheckBoxProperties*>(Properties); }
  // The box's size: the glyph's image, the skin's, the theme's, else the classic one.
  TSize CheckSize();
  // Set by the editor: Space is held, the box was pressed before.
  bool SpaceHeld = false;
  bool WasPressed = false;
};

// Draws a check box's square and mark in CheckRect.
void PaintCheckArea(TkvCanvas* Canvas, TRect CheckRect, TkvCheckBoxState State, Integer CheckButtonState,
                    TBitmap* Glyph, Integer GlyphCount, TkvContainerBorderStyle BorderStyle, bool NativeStyle,
                    TColor BorderColor, TColor BackgroundColor, bool DrawBackground, bool Designing, bool Focused,
                    bool Unused, TkvCustomLookAndFeelPainterClass Painter, TkvCheckBoxNullValueShowingStyle NullStyle);

// The classic check mark, black where a checked box differs from an unchecked one.
TBitmap* CheckMarkMask();

// ---- Editor ----------------------------------------------------------------------------------------

class TkvCustomCheckBox : public TkvCustomEdit {
  TAVREN_CLASS(TkvCustomCheckBox, TkvCustomEdit)
  TAVREN_MESSAGES()
 public:
  explicit TkvCustomCheckBox(TComponent* AOwner)
      : TkvCustomCheckBox(AOwner, false, TkvCustomCheckBoxProperties::ClassInfo()) {}

  void UpdateDisplayFromEditValue() override;
  void ApplyPropertiesChange(TObject* Properties) override;
  void InitViewData(TkvCustomEditViewData* ViewData) override;
  void HandleKeyDown(Word& Key, TShiftState Shift) override;
  void HandleKeyPress(Char& Character) override;
  void HandleKeyUp(Word& Key, TShiftState Shift) override;
  bool CalculateViewInfoAt(const TPoint& P, Integer Button, TShiftState Shift, bool IsMouseEvent) override;
  TkvContainerStyleValues GetHiddenStyleValues() override;

  // Virtual operations, in the order descendants know them.
  virtual void Toggle();

  TkvCustomCheckBoxProperties* CheckProperties() {
    return static_cast<TkvCustomCheckBoxProperties*>(GetEffectiveProperties());
  }
  TkvCustomCheckBoxViewInfo* CheckViewInfo() { return static_cast<TkvCustomCheckBoxViewInfo*>(GetEditViewInfo()); }
  TkvCheckBoxState GetState();
  void SetState(TkvCheckBoxState Value);
  bool IsStateStored();
  // Stores State's value now, loading or not.
  void ApplyState(TkvCheckBoxState Value);
  bool GetChecked() { return GetState() == cbsChecked; }
  void SetChecked(bool Value) { SetState(Value ? cbsChecked : cbsUnchecked); }

 protected:
  TkvCustomCheckBox(TComponent* AOwner, bool AInplace, TkvCustomEditPropertiesClass APropertiesClass);
  void Loaded() override;
  void DoExit() override;
  TClassOf<TActionLink> GetActionLinkClass() override;
  void ActionChange(TObject* Sender, bool CheckDefaults) override;
  void CMDialogChar(TMessage& Message);
  void WMLButtonUp(TMessage& Message);

 private:
  bool FSpaceHeld = false;
  bool FInsideLoaded = false;
  bool FStateRead = false;
  TkvCheckBoxState FLoadedState = cbsUnchecked;
  TkvCheckBoxState FShownState = cbsUnchecked;
};

class TkvCheckBox : public TkvCustomCheckBox {
  TAVREN_CLASS(TkvCheckBox, TkvCustomCheckBox)
 public:
  explicit TkvCheckBox(TComponent* AOwner) : TkvCustomCheckBox(AOwner, false, TkvCheckBoxProperties::ClassInfo()) {}
  TkvCheckBox(TComponent* AOwner, bool AInplace)
      : TkvCustomCheckBox(AOwner, AInplace, TkvCheckBoxProperties::ClassInfo()) {}
  static TkvCustomEditPropertiesClass GetPropertiesClass() { return TkvCheckBoxProperties::ClassInfo(); }
  TkvCheckBoxProperties* GetCheckBoxProperties() const { return static_cast<TkvCheckBoxProperties*>(GetProperties()); }
  void SetCheckBoxProperties(TkvCheckBoxProperties* Value) { SetProperties(Value); }
};

// Ties a check box's Checked to its action's Checked.
class TkvCheckBoxActionLink : public TWinControlActionLink {
  TAVREN_CLASS(TkvCheckBoxActionLink, TWinControlActionLink)
 public:
  explicit TkvCheckBoxActionLink(TObject* AClient);
  // Linked while the box is not grayed and shows the action's Checked.
  bool IsCheckedLinked() override;
  void SetChecked(bool Value) override;

 private:
  TkvCustomCheckBox* FBox;
};

// ---- Filter rows -----------------------------------------------------------------------------------

// A filter row picks a check box's value from a fixed list of its checked and unchecked texts.
class TkvFilterCheckBoxHelper : public TkvFilterComboBoxHelper {
  TAVREN_CLASS(TkvFilterCheckBoxHelper, TkvFilterComboBoxHelper)
 public:
  bool KeepsProvider(TkvCustomEditProperties*) override { return false; }
  // Properties: the filter row's combo box; Source: the check box's.
  void InitFilterProperties(TkvCustomEditProperties* Properties, TkvCustomEditProperties* Source,
                            bool KeepButtons) override;
  // Item -1: Null and no text; 0 the checked value, 1 the unchecked one, with its display text.
  void ReadFilterValue(TkvCustomEdit* Editor, TkvCustomEditProperties* Properties, Variant& Value,
                       String& Text) override;
  // Selects the item of the value's state; a grayed value selects none.
  void WriteFilterValue(TkvCustomEdit* Editor, TkvCustomEditProperties* Properties, const Variant& Value) override;
  // Equal and not equal, blank and not blank.
  TkvFilterOperators FilterOperatorSet(TkvValueTypeClass ValueType, bool Extended) override;
  bool FiltersByDisplayText() override { return true; }
};

// After kvEditStart and kvDropDownEditStart: registers the check box's Properties with its filter
// helper and builds the check-mark mask.
void kvCheckBoxStart();
void kvCheckBoxEnd();
