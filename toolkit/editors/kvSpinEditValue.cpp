// The spin edit's value arithmetic: conversion into the value type and one step with its bounds.

#include <algorithm>
#include <cmath>
#include <limits>

#include "rtl/Exceptions.h"
#include "rtl/Math.h"
#include "toolkit/editors/kvEditUtils.h"
#include "toolkit/editors/kvSpinEdit.h"

namespace {

constexpr Double kFloatLimit = 1.7e308;
constexpr Int64 kIntMax = std::numeric_limits<Int64>::max();
constexpr Int64 kIntMin = std::numeric_limits<Int64>::min();
// 2^63 as a double: the first double beyond the Int64 range.
constexpr Double kTwoTo63 = 9223372036854775808.0;

Int64 ToInt64(Double Number) {
  if (!std::isfinite(Number)) throw EConvertError(ResourceStringText(skvEditInvalidNumericValue));
  if (Number >= kTwoTo63) return kIntMax;
  if (Number <= -kTwoTo63) return kIntMin;
  return Round(Number);
}

Variant StepInt(Int64 V, Int64 D, bool Up, Int64 Min, Int64 Max, TkvSpinOverflowMode Mode) {
  if (V < Min) return Up ? Variant(Min) : Mode == somWrap ? Variant(Max) : Null();
  if (V > Max) return !Up ? Variant(Max) : Mode == somWrap ? Variant(Min) : Null();
  // Distances and the wrap in 128 bits: bound minus value may not fit 64.
  using Wide = __int128;
  const Wide lo = Wide(Min) - V;
  const Wide hi = Wide(Max) - V;
  if (lo <= D && D <= hi) return Variant(Int64(V + D));
  switch (Mode) {
    case somRefuse:
      return Null();
    case somClamp:
      return Variant(D < lo ? Min : Max);
    case somWrap:
      break;
  }
  const Wide span = Wide(Max) - Min + 1;
  if (D > hi) return Variant(Int64(Min + (Wide(D) - hi - 1) % span));
  return Variant(Int64(Max - (lo - D - 1) % span));
}

Variant StepFloat(Double V, Double D, bool Up, Double Min, Double Max, TkvSpinOverflowMode Mode) {
  if (V < Min) return Up ? Variant(Min) : Mode == somWrap ? Variant(Max) : Null();
  if (V > Max) return !Up ? Variant(Max) : Mode == somWrap ? Variant(Min) : Null();
  // A distance across the whole range is infinite in doubles, which compares as the type limit.
  const Double lo = Min - V;
  const Double hi = Max - V;
  if (lo <= D && D <= hi) return Variant(V + D);
  switch (Mode) {
    case somRefuse:
      return Null();
    case somClamp:
      return Variant(D < lo ? Min : Max);
    case somWrap:
      break;
  }
  // As with integers the jump between the bounds counts as one unit; a step longer than that
  // cycle goes round it whole first, and an overshoot of less than the unit stops on the bound.
  const Double cycle = Max - Min + 1;
  const Double step = std::fmod(D, cycle);
  if (lo <= step && step <= hi) return Variant(V + step);
  if (step > hi) return Variant(std::max(Min, Min + step - 1 - hi));
  return Variant(std::min(Max, Max + step + 1 - lo));
}

}  // namespace

Variant SpinTypeMaxValue(TkvSpinEditValueType ValueType) {
  return ValueType == vtInt ? Variant(kIntMax) : Variant(kFloatLimit);
}

Variant SpinTypeMinValue(TkvSpinEditValueType ValueType) {
  return ValueType == vtInt ? Variant(kIntMin) : Variant(-kFloatLimit);
}

Variant SpinValueToType(const Variant& Value, TkvSpinEditValueType ValueType) {
  if (VarIsNull(Value) || VarIsClear(Value) || (VarIsStr(Value) && Value.AsString().empty()))
    return ValueType == vtInt ? Variant(Int64(0)) : Variant(0.0);
  if (ValueType == vtFloat) return Variant(Value.AsDouble());
  // Whole numbers keep every bit; others go through the half-even rounding.
  if (VarIsOrdinal(Value) && !VarIsType(Value, varBoolean) && !VarIsType(Value, varUInt64))
    return Variant(Value.AsInt64());
  return Variant(ToInt64(Value.AsDouble()));
}

Variant SpinStepDelta(Integer Kind, Double Increment, Double LargeIncrement, TkvSpinEditValueType ValueType) {
  const Double step = Kind >= 2 ? LargeIncrement : Increment;
  // Negated before the rounding, so a down step never negates the Int64 minimum.
  return SpinValueToType(Kind % 2 == 0 ? -step : step, ValueType);
}

Variant SpinSteppedValue(const Variant& Value, const Variant& Delta, bool Up, const TkvSpinStepRange& Range) {
  if (Range.ValueType == vtInt)
    return StepInt(SpinValueToType(Value, vtInt).AsInt64(), SpinValueToType(Delta, vtInt).AsInt64(), Up,
                   SpinValueToType(Range.MinValue, vtInt).AsInt64(), SpinValueToType(Range.MaxValue, vtInt).AsInt64(),
                   Range.OverflowMode);
  return StepFloat(Value.AsDouble(), Delta.AsDouble(), Up, Range.MinValue.AsDouble(), Range.MaxValue.AsDouble(),
                   Range.OverflowMode);
}
