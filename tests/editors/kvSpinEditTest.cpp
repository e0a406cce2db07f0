// The spin edit's value arithmetic: conversion into the value type and steps past the bounds in
// the three overflow modes, at the ends of the Int64 range included; the Properties' value model:
// the buttons the options ask for, the value type, the bounds in force and Assign.

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "rtl/Exceptions.h"
#include "toolkit/editors/kvEdit.h"
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
      // The jump between the bounds is one unit: a shorter overshoot stops on the far bound.
      {"wrap up", true, somWrap, 0.95, 0.1, 0},
      {"wrap down", true, somWrap, 0.05, -0.1, 1},
      {"wrap more than the range", true, somWrap, 0.5, 2.25, 0.75},
      {"wrap a whole unit past", true, somWrap, 0.5, 2, 0.5},
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

struct Bounds {
  const char* Name;
  bool MinAssigned;
  Double Min;
  bool MaxAssigned;
  Double Max;
  Int64 EffectiveMin;
  Int64 EffectiveMax;
};

TEST(kvSpinEditProperties, BoundsInForceInTheValueType) {
  const Bounds cases[] = {
      {"none", false, 0, false, 0, kMin, kMax},
      {"both", true, 0, true, 10, 0, 10},
      {"the minimum alone", true, 5, false, 0, 5, kMax},
      {"the maximum alone", false, 0, true, -5, kMin, -5},
      {"maximum equal to the minimum", true, 5, true, 5, kMin, kMax},
      {"maximum below the minimum", true, 5, true, 1, kMin, kMax},
      {"a maximum beyond Int64", false, 0, true, 1e30, kMin, kMax},
      {"a fractional bound", true, 2.5, true, 7.5, 2, 8},
  };
  for (const Bounds& c : cases) {
    SCOPED_TRACE(c.Name);
    TkvCustomSpinEditProperties properties(nullptr);
    properties.SetValueType(vtInt);
    if (c.MinAssigned) properties.SetMinValue(c.Min);
    if (c.MaxAssigned) properties.SetMaxValue(c.Max);
    EXPECT_EQ(properties.EffectiveMinValue().AsInt64(), c.EffectiveMin);
    EXPECT_EQ(properties.EffectiveMaxValue().AsInt64(), c.EffectiveMax);
  }
}

TEST(kvSpinEditProperties, StepsWithTheBoundsAndModeInForce) {
  TkvCustomSpinEditProperties properties(nullptr);
  properties.SetValueType(vtInt);
  properties.SetMinValue(5);
  // Only the minimum is in force: the top of the type clamps, and wraps to the minimum.
  const Variant up = SpinStepDelta(1, 10, 10, vtInt);
  EXPECT_EQ(properties.StepOverflowMode(), somClamp);
  EXPECT_EQ(SpinSteppedValue(Variant(kMax - 2), up, true, properties.StepRange()).AsInt64(), kMax);
  properties.SetCircular(true);
  EXPECT_EQ(properties.StepOverflowMode(), somWrap);
  EXPECT_EQ(SpinSteppedValue(Variant(kMax - 2), up, true, properties.StepRange()).AsInt64(), 5 + 10 - 1 - 2);
}

TEST(kvSpinEditProperties, EditButtonsFollowTheSpinButtons) {
  TkvCustomSpinEditProperties properties(nullptr);
  EXPECT_EQ(properties.GetButtons()->GetCount(), 2);
  properties.GetSpinButtons()->SetShowFastButtons(true);
  EXPECT_EQ(properties.GetButtons()->GetCount(), 4);
  properties.GetSpinButtons()->SetVisible(false);
  EXPECT_EQ(properties.GetButtons()->GetCount(), 0);
  properties.GetSpinButtons()->SetVisible(true);
  properties.GetSpinButtons()->SetShowFastButtons(false);
  EXPECT_EQ(properties.GetButtons()->GetCount(), 2);
}

TEST(kvSpinEditProperties, ValueTypeIsAssignedOrFloat) {
  TkvCustomSpinEditProperties properties(nullptr);
  EXPECT_EQ(properties.GetValueType(), vtFloat);
  EXPECT_FALSE(properties.IsValueTypeStored());
  properties.SetValueType(vtFloat);
  EXPECT_TRUE(properties.IsValueTypeStored());
  properties.SetValueType(vtInt);
  EXPECT_EQ(properties.GetValueType(), vtInt);
  properties.GetAssignedValues()->ClearAssigned();
  EXPECT_FALSE(properties.IsValueTypeStored());
  EXPECT_EQ(properties.GetValueType(), vtFloat);
}

TEST(kvSpinEditProperties, AssignCopiesTheModelAndAnAssignedValueType) {
  TkvCustomSpinEditProperties source(nullptr);
  source.SetCanEdit(false);
  source.SetCircular(true);
  source.SetExceptionOnInvalidInput(true);
  source.SetIncrement(0);
  source.SetLargeIncrement(2.5);
  source.SetUseCtrlIncrement(true);
  source.GetSpinButtons()->SetPosition(sbpHorzLeftRight);
  source.GetSpinButtons()->SetShowFastButtons(true);
  source.SetValueType(vtInt);
  TkvCustomSpinEditProperties target(nullptr);
  target.Assign(&source);
  EXPECT_FALSE(target.GetCanEdit());
  EXPECT_TRUE(target.GetCircular());
  EXPECT_TRUE(target.GetExceptionOnInvalidInput());
  EXPECT_EQ(target.GetIncrement(), 0);
  EXPECT_EQ(target.GetLargeIncrement(), 2.5);
  EXPECT_TRUE(target.GetUseCtrlIncrement());
  EXPECT_EQ(target.GetSpinButtons()->GetPosition(), sbpHorzLeftRight);
  EXPECT_EQ(target.GetButtons()->GetCount(), 4);
  EXPECT_EQ(target.GetValueType(), vtInt);
  EXPECT_TRUE(target.IsValueTypeStored());
  // A type the source only derives is not made the target's own.
  TkvCustomSpinEditProperties plain(nullptr);
  target.Assign(&plain);
  EXPECT_FALSE(target.IsValueTypeStored());
  EXPECT_EQ(target.GetButtons()->GetCount(), 2);
}

}  // namespace
