#pragma once
// The spin edit: a one-line numeric editor whose value steps up and down by buttons, keys and the
// wheel. Values are 64-bit integers or doubles, held between the bounds in force, and a step past
// a bound is refused, clamped or wrapped to the other bound.

#include "rtl/Types.h"
#include "rtl/Variants.h"

enum TkvSpinEditValueType { vtInt, vtFloat };
enum TkvSpinEditButtonsPosition { sbpHorzLeftRight, sbpHorzRight, sbpVert };

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
