#pragma once
// The spin edit: a one-line numeric editor whose value steps up and down by buttons, keys and the
// wheel. Values are 64-bit integers or doubles, held between the bounds in force, and a step past
// a bound is refused, clamped or wrapped to the other bound.

#include "rtl/Types.h"
#include "rtl/Variants.h"
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
// asks. Floats wrap with the two bounds as one point.
Variant SpinSteppedValue(const Variant& Value, const Variant& Delta, bool Up, const TkvSpinStepRange& Range);

class TkvCustomSpinEditProperties;

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
  void Assign(TPersistent* Source) override;
  TkvCustomEditPropertiesValuesClass GetAssignedValuesClass() override;
  // Brings the button count in line first.
  void NotifyChanged() override;

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

  bool GetCanEdit() const { return FCanEdit; }
  void SetCanEdit(bool Value) { Store(FCanEdit, Value); }
  bool GetCircular() const { return FCircular; }
  void SetCircular(bool Value) { Store(FCircular, Value); }
  bool GetExceptionOnInvalidInput() const { return FExceptionOnInvalidInput; }
  void SetExceptionOnInvalidInput(bool Value) { Store(FExceptionOnInvalidInput, Value); }
  Double GetIncrement() const { return FIncrement; }
  void SetIncrement(Double Value) { Store(FIncrement, Value); }
  Double GetLargeIncrement() const { return FLargeIncrement; }
  void SetLargeIncrement(Double Value) { Store(FLargeIncrement, Value); }
  TkvSpinEditButtons* GetSpinButtons() const { return FSpinButtons.get(); }
  void SetSpinButtons(TkvSpinEditButtons* Value) { FSpinButtons->Assign(Value); }
  bool GetUseCtrlIncrement() const { return FUseCtrlIncrement; }
  void SetUseCtrlIncrement(bool Value) { Store(FUseCtrlIncrement, Value); }
  // The assigned type; else, bound to data, vtFloat for a floating-point field and vtInt for
  // another; else vtFloat.
  TkvSpinEditValueType GetValueType();
  void SetValueType(TkvSpinEditValueType Value);
  bool IsValueTypeStored() { return GetSpinAssignedValues()->GetValueType(); }

 private:
  bool FCanEdit = true;
  bool FCircular = false;
  bool FExceptionOnInvalidInput = false;
  Double FIncrement = 1.0;
  Double FLargeIncrement = 10.0;
  std::unique_ptr<TkvSpinEditButtons> FSpinButtons;
  bool FUseCtrlIncrement = false;
  TkvSpinEditValueType FValueType = vtFloat;
};

template <typename T>
void TkvSpinEditButtons::Store(T& Field, T Value) {
  if (Field == Value) return;
  Field = Value;
  FOwner->NotifyChanged();
}
