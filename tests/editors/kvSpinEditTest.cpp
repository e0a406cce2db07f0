// The spin edit's value arithmetic: conversion into the value type and steps past the bounds in
// the three overflow modes, at the ends of the Int64 range included.

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "rtl/Exceptions.h"
#include "toolkit/editors/kvSpinEdit.h"

namespace {

constexpr Int64 kMax = std::numeric_limits<Int64>::max();
constexpr Int64 kMin = std::numeric_limits<Int64>::min();

TEST(kvSpinEdit, IntegerConversionRoundsHalfToEvenAndSaturates) {
  struct Case {
    Variant Value;
    Int64 Expected;
  };
  const Case cases[] = {
      {2.5, 2},          {3.5, 4},           {-2.5, -2},       {-3.5, -4},          {0.49, 0},
      {1e30, kMax},      {-1e30, kMin},      {9223372036854775808.0, kMax},         {-9223372036854775808.0, kMin},
      {Variant(kMax), kMax}, {Variant(kMin), kMin}, {Null(), 0},  {Variant(""), 0}, {Variant("12.5"), 12},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(VarToStr(c.Value));
    const Variant v = SpinValueToType(c.Value, vtInt);
    EXPECT_EQ(VarType(v), varInt64);
    EXPECT_EQ(v.AsInt64(), c.Expected);
  }
  EXPECT_THROW(SpinValueToType(std::numeric_limits<double>::infinity(), vtInt), EConvertError);
  EXPECT_THROW(SpinValueToType(std::nan(""), vtInt), EConvertError);
  EXPECT_EQ(SpinValueToType(Null(), vtFloat).AsDouble(), 0.0);
  EXPECT_EQ(SpinValueToType(Variant(Int64(7)), vtFloat).AsDouble(), 7.0);
}

TEST(kvSpinEdit, StepDeltaByKind) {
  EXPECT_EQ(SpinStepDelta(0, 1, 10, vtInt).AsInt64(), -1);
  EXPECT_EQ(SpinStepDelta(1, 1, 10, vtInt).AsInt64(), 1);
  EXPECT_EQ(SpinStepDelta(2, 1, 10, vtInt).AsInt64(), -10);
  EXPECT_EQ(SpinStepDelta(3, 1, 10, vtInt).AsInt64(), 10);
  // An integer editor steps by the increment rounded half to even, down steps alike.
  EXPECT_EQ(SpinStepDelta(1, 2.5, 10, vtInt).AsInt64(), 2);
  EXPECT_EQ(SpinStepDelta(0, 2.5, 10, vtInt).AsInt64(), -2);
  EXPECT_EQ(SpinStepDelta(1, 3.5, 10, vtInt).AsInt64(), 4);
  EXPECT_EQ(SpinStepDelta(2, 1, -1e30, vtInt).AsInt64(), kMax);
  EXPECT_DOUBLE_EQ(SpinStepDelta(0, 0.1, 10, vtFloat).AsDouble(), -0.1);
}

struct IntStep {
  const char* Name;
  bool Bounded;  // 0..10, else the Int64 range
  TkvSpinOverflowMode Mode;
  Int64 Value;
  Integer Kind;
  Double Increment;
  bool Refused;
  Int64 Expected;
};

TEST(kvSpinEdit, IntegerStepsAtTheBounds) {
  const IntStep cases[] = {
      {"in range", true, somRefuse, 4, 1, 3, false, 7},
      {"top of the type, clamped", false, somClamp, kMax - 1, 1, 10, false, kMax},
      {"top of the type, wrapped", false, somWrap, kMax - 1, 1, 10, false, kMin + 8},
      {"top of the type, refused", false, somRefuse, kMax - 1, 1, 10, true, 0},
      {"bottom of the type, clamped", false, somClamp, kMin + 1, 0, 10, false, kMin},
      {"bottom of the type, wrapped", false, somWrap, kMin + 1, 0, 10, false, kMax - 8},
      // The increment saturates at the Int64 maximum: one unit to wrap, the rest from the minimum.
      {"a step of the whole type", false, somWrap, kMax, 1, 1e30, false, -2},
      {"wrap up", true, somWrap, 9, 1, 3, false, 1},
      {"wrap down", true, somWrap, 1, 0, 3, false, 9},
      {"clamp up", true, somClamp, 9, 1, 3, false, 10},
      {"refuse up", true, somRefuse, 9, 1, 3, true, 0},
      {"wrap more than the range up", true, somWrap, 5, 1, 30, false, 2},
      {"wrap more than the range down", true, somWrap, 5, 0, 30, false, 8},
      {"above the maximum, up", true, somClamp, 15, 1, 1, true, 0},
      {"above the maximum, down", true, somClamp, 15, 0, 1, false, 10},
      {"above the maximum, up, wrapping", true, somWrap, 15, 1, 1, false, 0},
      {"below the minimum, up", true, somClamp, -5, 1, 1, false, 0},
      {"below the minimum, down", true, somClamp, -5, 0, 1, true, 0},
      {"below the minimum, down, wrapping", true, somWrap, -5, 0, 1, false, 10},
      {"zero step above the maximum", true, somClamp, 15, 1, 0, true, 0},
  };
  for (const IntStep& c : cases) {
    SCOPED_TRACE(c.Name);
    TkvSpinStepRange range;
    range.ValueType = vtInt;
    range.MinValue = c.Bounded ? Variant(Int64(0)) : SpinTypeMinValue(vtInt);
    range.MaxValue = c.Bounded ? Variant(Int64(10)) : SpinTypeMaxValue(vtInt);
    range.OverflowMode = c.Mode;
    const Variant v =
        SpinSteppedValue(Variant(c.Value), SpinStepDelta(c.Kind, c.Increment, 10, vtInt), c.Kind % 2 == 1, range);
    ASSERT_EQ(VarIsNull(v), c.Refused);
    if (!c.Refused) {
      EXPECT_EQ(v.AsInt64(), c.Expected);
    }
  }
}

TEST(kvSpinEdit, FloatStepsAtTheBounds) {
  struct Case {
    const char* Name;
    bool Bounded;  // 0..1, else the type's range
    TkvSpinOverflowMode Mode;
    Double Value;
    Double Delta;
    Double Expected;
  };
  const Case cases[] = {
      {"wrap up", true, somWrap, 0.95, 0.1, 0.05},
      {"wrap down", true, somWrap, 0.05, -0.1, 0.95},
      {"wrap more than the range", true, somWrap, 0.5, 2.25, 0.75},
      {"clamp up", true, somClamp, 0.95, 0.1, 1},
      {"across the whole type", false, somClamp, -1.7e308, 1e308, -0.7e308},
      {"top of the type", false, somClamp, 1.6e308, 1e308, 1.7e308},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    TkvSpinStepRange range;
    range.ValueType = vtFloat;
    range.MinValue = c.Bounded ? Variant(0.0) : SpinTypeMinValue(vtFloat);
    range.MaxValue = c.Bounded ? Variant(1.0) : SpinTypeMaxValue(vtFloat);
    range.OverflowMode = c.Mode;
    const Variant v = SpinSteppedValue(c.Value, c.Delta, c.Delta > 0, range);
    ASSERT_FALSE(VarIsNull(v));
    EXPECT_NEAR(v.AsDouble(), c.Expected, std::fabs(c.Expected) * 1e-12 + 1e-12);
  }
}

}  // namespace
