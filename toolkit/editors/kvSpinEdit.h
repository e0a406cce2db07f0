#pragma once
// The spin edit: a one-line numeric editor whose value steps up and down by buttons, keys and the
// wheel. Values are 64-bit integers or doubles, held between the bounds in force, and a step past
// a bound is refused, clamped or wrapped to the other bound.

#include "rtl/Types.h"
#include "rtl/Variants.h"
#include "toolkit/editors/kvEditFilterHelpers.h"
#include "toolkit/editors/kvMaskEdit.h"

enum TkvSpinEditValueType { vtInt, vtFloat };
TAVREN_ENUM_INFO(TkvSpinEditValueType, vtInt, vtFloat);
enum TkvSpinEditButtonsPosition { sbpHorzLeftRight, sbpHorzRight, sbpVert };
TAVREN_ENUM_INFO(TkvSpinEditButtonsPosition, sbpHorzLeftRight, sbpHorzRight, sbpVert);

// The type's limits: the Int64 range for vtInt, -1.7e308..1.7e308 for vtFloat.
Variant SpinTypeMaxValue(TkvSpinEditValueType ValueType);
Variant SpinTypeMinValue(TkvSpinEditValueType ValueType);

// A number as a value of the type; Null and an empty text are 0. For vtInt the number is rounded
// half to even, and one beyond the Int64 range saturates at its limits; a non-finite number raises
// EConvertError "Invalid numeric value" (a text that is no number, the variant's cast error).
Variant SpinValueToType(const Variant& Value, TkvSpinEditValueType ValueType);

// The signed step of a step kind: 0 small down, 1 small up, 2 large down, 3 large up.
Variant SpinStepDelta(Integer Kind, Double Increment, Double LargeIncrement, TkvSpinEditValueType ValueType);

// What a step past a bound does.
enum TkvSpinOverflowMode { somRefuse = 0, somClamp = 1, somWrap = 2 };

// The bounds a step runs between: the bounds in force, else the type's limits, in the value type.
struct TkvSpinStepRange {
  TkvSpinEditValueType ValueType = vtFloat;
  Variant MinValue;
  Variant MaxValue;
  TkvSpinOverflowMode OverflowMode = somClamp;
};

// Value after a step by Delta (of the value type; Up gives the direction of a zero delta), or Null
// when the step is refused. A value outside the range first comes back to the bound it crossed
// (or, wrapping, to the far one). Integer steps are computed exactly, never overflowing; a wrap
// counts the jump between the bounds as one unit and goes round the range as often as the step
// asks. Floats wrap alike, and an overshoot of less than one unit stops on the far bound.
Variant SpinSteppedValue(const Variant& Value, const Variant& Delta, bool Up, const TkvSpinStepRange& Range);

class TkvCustomSpinEditProperties;

// Supplies the value of a text the number conversion refused; Error keeps it refused (with
// ErrorText as the message).
using TkvSpinEditGetValueEvent =
    TEvent<void(TObject* Sender, const String& AText, Variant& AValue, String& ErrorText, bool& Error)>;

// The spin buttons' options; every change is a change of the owning Properties.
class TkvSpinEditButtons : public TPersistent {
  TAVREN_CLASS(TkvSpinEditButtons, TPersistent)
 public:
  explicit TkvSpinEditButtons(TkvCustomSpinEditProperties* AOwner) : FOwner(AOwner) {}
  void Assign(TPersistent* Source) override;

  TkvSpinEditButtonsPosition GetPosition() const { return FPosition; }
  void SetPosition(TkvSpinEditButtonsPosition Value) { Store(FPosition, Value); }
  bool GetShowFastButtons() const { return FShowFastButtons; }
  void SetShowFastButtons(bool Value) { Store(FShowFastButtons, Value); }
  bool GetVisible() const { return FVisible; }
  void SetVisible(bool Value) { Store(FVisible, Value); }

 private:
  template <typename T>
  void Store(T& Field, T Value);

  TkvCustomSpinEditProperties* FOwner;
  TkvSpinEditButtonsPosition FPosition = sbpVert;
  bool FShowFastButtons = false;
  bool FVisible = true;
};

// Adds the ValueType flag to the text editor's.
class TkvSpinEditPropertiesValues : public TkvTextEditPropertiesValues {
  TAVREN_CLASS(TkvSpinEditPropertiesValues, TkvTextEditPropertiesValues)
 public:
  using TkvTextEditPropertiesValues::TkvTextEditPropertiesValues;
  void Assign(TPersistent* Source) override;
  void ClearAssigned() override;

  bool GetValueType() const { return FValueType; }
  void SetValueType(bool Value);

 private:
  bool FValueType = false;
};

// The value model: the value type, the increments, the bounds a step runs between and what a
// step past them does. The edit buttons follow SpinButtons: none when hidden, four with the fast
// buttons, else two, numbered as the step kinds.
class TkvCustomSpinEditProperties : public TkvCustomMaskEditProperties {
  TAVREN_CLASS(TkvCustomSpinEditProperties, TkvCustomMaskEditProperties)
 public:
  explicit TkvCustomSpinEditProperties(TPersistent* AOwner);
  ~TkvCustomSpinEditProperties() override;
  // "ZeroIncrement" and "ZeroLargeIncrement": a float property equal to 0 is not written.
  void DefineProperties(TFiler* Filer) override;
  void Assign(TPersistent* Source) override;
  TkvCustomEditPropertiesValuesClass GetAssignedValuesClass() override;
  TClassOf<TkvCustomEditViewData> GetViewDataClass() override;
  TClass GetEditorClass() override;
  TClassOf<TkvCustomEditViewInfo> GetViewInfoClass() override;
  // Brings the button count in line first.
  void NotifyChanged() override;
  bool AcceptsEditValue(const Variant& Value) override;
  // Without ExceptionOnInvalidInput the text becomes the clamped value's; with it, a value out of
  // the bounds is an error.
  void CheckDisplayValue(Variant& DisplayValue, String& ErrorText, bool& Error, TkvCustomEdit* Editor) override;
  // The data's display format serves only while DisplayFormat is unassigned.
  bool HasDefaultDisplayFormat(bool EditorFocused) override;
  // An integer is edited in all its digits.
  void MakeDisplayValue(const Variant& EditValue, Variant& DisplayValue, bool Editing) override;
  // The text of 0 clamped into the bounds.
  String EmptyDisplayValue() override;
  bool IsValueNumeric() override { return true; }
  bool AcceptsTextValue(Variant& Value, bool Editing) override;

  // Virtual operations, in the order descendants know them.
  virtual bool ClampsAtBounds() { return true; }
  virtual TkvSpinOverflowMode StepOverflowMode();
  // The bound in force in the value type, else the type's limit.
  virtual Variant EffectiveMaxValue();
  virtual Variant EffectiveMinValue();
  virtual bool ParsesTextValues() { return true; }
  virtual Variant ToValueType(const Variant& Value) { return SpinValueToType(Value, GetValueType()); }
  virtual bool PreservesSelection() { return false; }

  TkvSpinStepRange StepRange();
  TkvSpinEditPropertiesValues* GetSpinAssignedValues();
  // A number kept within the bounds in force; anything else as it is.
  Variant Clamp(const Variant& Value);
  // The platform's reading of a text as a number of the value type (floats within the type's
  // range); false when it is none.
  bool ParseNumber(const String& Text, Variant& Value);
  // A value's plain text (no display format).
  String PlainText(const Variant& Value);

  bool GetCanEdit() const { return FCanEdit; }
  void SetCanEdit(bool Value) { Store(FCanEdit, Value); }
  bool GetCircular() const { return FCircular; }
  void SetCircular(bool Value) { Store(FCircular, Value); }
  bool GetExceptionOnInvalidInput() const { return FExceptionOnInvalidInput; }
  void SetExceptionOnInvalidInput(bool Value) { Store(FExceptionOnInvalidInput, Value); }
  Double GetIncrement() const { return FIncrement; }
  void SetIncrement(Double Value) { Store(FIncrement, Value); }
  bool IsIncrementStored() const { return FIncrement != 1.0; }
  Double GetLargeIncrement() const { return FLargeIncrement; }
  void SetLargeIncrement(Double Value) { Store(FLargeIncrement, Value); }
  bool IsLargeIncrementStored() const { return FLargeIncrement != 10.0; }
  TkvSpinEditButtons* GetSpinButtons() const { return FSpinButtons.get(); }
  void SetSpinButtons(TkvSpinEditButtons* Value) { FSpinButtons->Assign(Value); }
  bool GetUseCtrlIncrement() const { return FUseCtrlIncrement; }
  void SetUseCtrlIncrement(bool Value) { Store(FUseCtrlIncrement, Value); }
  // The assigned type; else, bound to data, vtFloat for a floating-point field and vtInt for
  // another; else vtFloat.
  TkvSpinEditValueType GetValueType();
  void SetValueType(TkvSpinEditValueType Value);
  bool IsValueTypeStored() { return GetSpinAssignedValues()->GetValueType(); }
  TkvSpinEditGetValueEvent GetOnGetValue() const { return FOnGetValue; }
  void SetOnGetValue(TkvSpinEditGetValueEvent Value) { FOnGetValue = Value; }

 private:
  bool FCanEdit = true;
  bool FCircular = false;
  bool FExceptionOnInvalidInput = false;
  Double FIncrement = 1.0;
  Double FLargeIncrement = 10.0;
  std::unique_ptr<TkvSpinEditButtons> FSpinButtons;
  // Set while the edit buttons are being made to match SpinButtons: their change notices come
  // back through NotifyChanged meanwhile.
  bool FAdjustingButtons = false;
  bool FUseCtrlIncrement = false;
  TkvSpinEditValueType FValueType = vtFloat;
  TkvSpinEditGetValueEvent FOnGetValue;
};

class TkvSpinEditProperties : public TkvCustomSpinEditProperties {
  TAVREN_CLASS(TkvSpinEditProperties, TkvCustomSpinEditProperties)
 public:
  using TkvCustomSpinEditProperties::TkvCustomSpinEditProperties;
  void SetAlignmentProp(TkvEditAlignment* Value) { SetAlignment(Value); }
};

// ---- Buttons' layout and painting ----------------------------------------------------------

// What the spin buttons' painting needs beyond the text editor's.
class TkvSpinEditViewInfo : public TkvCustomTextEditViewInfo {
  TAVREN_CLASS(TkvSpinEditViewInfo, TkvCustomTextEditViewInfo)
 public:
  void CopyFrom(TkvContainerViewInfo* Other) override;
  void MoveBy(Integer DX, Integer DY) override;
  // The text editor's painting, then the delimiter line.
  void PaintContent(TkvCanvas* Canvas) override;
  // Neighbours share one frame line: each button is framed on the sides of its place.
  void DrawHotFlatButtonBorder(TkvCanvas* Canvas, TkvEditButtonViewInfo* Button, TColor& Background,
                            TColor& TextColor, TRect& Content, TRect& R) override;
  void DrawNativeButtonFrame(TkvCanvas* Canvas, TkvEditButtonViewInfo* Button, TColor& Background,
                             TColor& TextColor, TRect& Content, TRect& R) override;
  void DrawUltraFlatButtonBorder(TkvCanvas* Canvas, TkvEditButtonViewInfo* Button, TColor& Background,
                                 TColor& TextColor, TRect& Content, TRect& R, bool Office11) override;
  void DrawNativeButtonBackground(TkvCanvas* Canvas, TkvEditButtonViewInfo* Button, const TRect& R) override;
  void DrawButtonContent(TkvCanvas* Canvas, Integer Index, const TRect& R, TColor TextColor, TColor Background,
                         bool Offset) override;

  // The frame kind of a button in the flat style: the sides drawn in the shadow colour (1 left,
  // 2 top, 4 right, 8 bottom).
  Integer FlatFrameEdges(const TkvEditButtonViewInfo* Button) const;

  Integer ArrowSize = 0;
  TkvSpinEditButtonsPosition ButtonsPosition = sbpVert;
  TPoint DelimiterFrom;
  TPoint DelimiterTo;
};

// Lays the spin buttons out all at once, by SpinButtons.Position.
class TkvSpinEditViewData : public TkvCustomTextEditViewData {
  TAVREN_CLASS(TkvSpinEditViewData, TkvCustomTextEditViewData)
 public:
  using TkvCustomTextEditViewData::TkvCustomTextEditViewData;
  // The parts are set after the whole layout (ComputeViewInfo).
  void FillButtonNativeState(TkvEditButtonViewInfo*) override {}
  // A button held with the mouse looks pressed only while no key shows one pressed.
  bool CanPressButton(TkvCustomEditViewInfo*, Integer) override { return KeyPressedCode == 0; }
  bool IsButtonPressed(TkvCustomEditViewInfo*, Integer Index) override { return Index + 1 == KeyPressedCode; }
  void ComputeViewInfo(TkvCanvas* Canvas, const TRect& Bounds, const TPoint& P, Integer Button, TShiftState Shift,
                       TkvCustomEditViewInfo* ViewInfo, bool IsMouseEvent) override;
  void PlaceButton(TkvCanvas* Canvas, TkvCustomEditViewInfo* ViewInfo, Integer Index, TRect& R) override;
  void FillButtonViewInfo(TkvCanvas* Canvas, TkvCustomEditViewInfo* ViewInfo, TkvEditButton* Button,
                          TkvEditButtonViewInfo* Info) override;
  void StretchButtons(TkvCustomEditViewInfo* ViewInfo, Integer Total, Integer Remaining) override;
  bool IsButtonFixedWidth(Integer Index) override;

  // 0, or 1 to 4: the button (number + 1) a held key shows pressed.
  Integer KeyPressedCode = 0;

 private:
  TkvSpinEditButtonsPosition Position();
  // Places every button when the last one is asked for (Area: what is left of the bounds).
  void PlaceAll(TkvCanvas* Canvas, TkvSpinEditViewInfo* ViewInfo, TRect& Area);
  Integer FDelimiter = 0;
};

// ---- Editor ----------------------------------------------------------------------------------

class TkvCustomSpinEdit : public TkvCustomMaskEdit {
  TAVREN_CLASS(TkvCustomSpinEdit, TkvCustomMaskEdit)
 public:
  explicit TkvCustomSpinEdit(TComponent* AOwner)
      : TkvCustomSpinEdit(AOwner, false, TkvCustomSpinEditProperties::ClassInfo()) {}
  ~TkvCustomSpinEdit() override;
  static TkvCustomEditPropertiesClass GetPropertiesClass() { return TkvCustomSpinEditProperties::ClassInfo(); }
  TkvCustomSpinEditProperties* SpinProperties() {
    return static_cast<TkvCustomSpinEditProperties*>(GetEffectiveProperties());
  }

  // The button style, its transparency and the gradient buttons show.
  TkvContainerStyleValues GetHiddenStyleValues() override;
  // A recalculation that finds no button pressed or captured stops the auto-repeat.
  bool CalculateViewInfoAt(const TPoint& P, Integer Button, TShiftState Shift, bool IsMouseEvent) override;
  void HandleInnerEditChange() override;
  void AfterButtonDown(Integer VisibleIndex) override;
  void HandleKeyDown(Word& Key, TShiftState Shift) override;
  void HandleKeyPress(Char& Character) override;
  void HandleKeyUp(Word& Key, TShiftState Shift) override;
  void EditingValueToEditValue(Variant& Value) override { Value = GetValue(); }
  bool IsCharAllowed(Char Character) override;
  void UpdateDisplayFromEditValue() override;
  void UpdateEditValueFromDisplay() override;
  void ClipboardCut() override;
  void ClipboardPaste() override;
  void ConvertDisplayToEditValue(const Variant& Display, Variant& Value, bool EditFocused) override;
  // A value the user changed since entering is clamped again when the Properties change.
  void ValueBoundsDefined() override;
  void DeleteSelectedText() override;
  void InitViewData(TkvCustomEditViewData* ViewData) override;
  void HandleFocusChanged() override;
  void DblClick() override;

  // Virtual operations, in the order descendants know them.
  // The signed step of a kind (0 small down, 1 small up, 2 large down, 3 large up).
  virtual Variant GetIncrement(Integer Kind);
  // Never Null: an empty or wrong text reads as 0 clamped, or while typing as the last value.
  virtual Variant GetValue();
  virtual String DisplayTextOf(const Variant& Value);
  // Numbers only; others are ignored.
  virtual void SetValue(const Variant& Value);
  // One step of a kind; answers whether the text changed.
  virtual bool StepValue(Integer Kind);

  // Text read as a value (Null for an empty text): the number conversion, else OnGetValue of the
  // editor's Properties and of its repository item's. False when it stays refused: then Value is
  // the current value and ErrorText the message; with AllowRaise and ExceptionOnInvalidInput it
  // raises EkvEditError instead.
  bool TextToValue(const String& Text, Variant& Value, String& ErrorText, bool AllowRaise);
  // The value last taken: set by steps, followed from the edit value.
  const Variant& CurrentSpinValue() const { return FValue; }
  // Whether the user changed the text since the value was last taken.
  bool GetTextEdited() const { return FTextEdited; }
  Integer GetKeyPressedCode() const { return FKeyPressedCode; }
  bool IsAutoRepeating() const { return FRepeatTimer != nullptr; }

 protected:
  TkvCustomSpinEdit(TComponent* AOwner, bool AInplace, TkvCustomEditPropertiesClass APropertiesClass);
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
  bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;

 private:
  Variant ZeroClamped();
  // The value; a wrong text raises only with AllowRaise (and ExceptionOnInvalidInput).
  Variant ReadValue(bool AllowRaise);
  void SetKeyPressedCode(Integer Value);
  void StartAutoRepeat();
  void StopAutoRepeat();
  void RepeatTick(TObject* Sender);
  // Mouse up, focus change, key up of a spin key: the buttons come up and the repeat stops.
  void ReleaseButtons();
  // Runs a cut, paste or delete with the typing flag set, unless typing is not allowed.
  template <class F>
  void AsTyping(F Operation);

  Variant FValue;
  bool FTyping = false;
  bool FTextEdited = false;
  Integer FKeyPressedCode = 0;
  std::unique_ptr<TkvTimer> FRepeatTimer;
};

class TkvSpinEdit : public TkvCustomSpinEdit {
  TAVREN_CLASS(TkvSpinEdit, TkvCustomSpinEdit)
 public:
  explicit TkvSpinEdit(TComponent* AOwner) : TkvCustomSpinEdit(AOwner, false, TkvSpinEditProperties::ClassInfo()) {}
  TkvSpinEdit(TComponent* AOwner, bool AInplace)
      : TkvCustomSpinEdit(AOwner, AInplace, TkvSpinEditProperties::ClassInfo()) {}
  static TkvCustomEditPropertiesClass GetPropertiesClass() { return TkvSpinEditProperties::ClassInfo(); }
  TkvSpinEditProperties* GetSpinEditProperties() const { return static_cast<TkvSpinEditProperties*>(GetProperties()); }
  void SetSpinEditProperties(TkvSpinEditProperties* Value) { SetProperties(Value); }
  bool IsValueStored();
};

// ---- Filter rows and unit ----------------------------------------------------------------------

class TkvFilterSpinEditHelper : public TkvFilterMaskEditHelper {
  TAVREN_CLASS(TkvFilterSpinEditHelper, TkvFilterMaskEditHelper)
 public:
  bool KeepsButtons() override { return true; }
  TClass FilterEditorClass() override { return TkvSpinEdit::ClassInfo(); }
  // Comparisons and emptiness (1-6, 9, 10), and with the extended set 11-14.
  TkvFilterOperators FilterOperatorSet(TkvValueTypeClass ValueType, bool Extended) override;
  void InitFilterProperties(TkvCustomEditProperties* Properties, TkvCustomEditProperties* Source,
                            bool KeepButtons) override;
};

void kvSpinEditStart();
void kvSpinEditEnd();

template <typename T>
void TkvSpinEditButtons::Store(T& Field, T Value) {
  if (Field == Value) return;
  Field = Value;
  FOwner->NotifyChanged();
}
