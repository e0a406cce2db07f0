#include "rtl/Math.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(Math, RoundHalvesToEvenAndTruncTowardZero) {
  const std::pair<double, Int64> rounds[] = {
      {0.5, 0},   {1.5, 2},   {2.5, 2},   {3.5, 4},  {-0.5, 0}, {-1.5, -2}, {-2.5, -2},
      {0.49999999999999994, 0}, {2.5000001, 3}, {-2.4, -2}, {1e15 + 0.5, 1000000000000000}, {4503599627370497.0, 4503599627370497},
  };
  for (const auto& [value, expected] : rounds) EXPECT_EQ(Round(value), expected) << value;
  EXPECT_EQ(Trunc(-2.7), -2);
  EXPECT_EQ(Trunc(2.7), 2);
  EXPECT_DOUBLE_EQ(Frac(-2.75), -0.75);
  EXPECT_EQ(Ceil(-1.5), -1);
  EXPECT_EQ(Floor(-1.5), -2);
  EXPECT_EQ(Ceil(2.0), 2);
}

TEST(Math, ValuesBeyondTheIntegerRangeRaiseInvalidOp) {
  EXPECT_THROW(Round(1e19), EInvalidOp);
  EXPECT_THROW(Round(NAN), EInvalidOp);
  EXPECT_THROW(Trunc(-INFINITY), EInvalidOp);
  EXPECT_THROW(Ceil(3e9), EInvalidOp);
  EXPECT_EQ(Round(-9223372036854775808.0), INT64_MIN);
}

TEST(Math, MulDivRoundsHalfAwayFromZeroWithA64BitProduct) {
  struct Case {
    Integer number, numerator, denominator, expected;
  };
  const Case cases[] = {
      {10, 3, 4, 8},                          // 7.5
      {-10, 3, 4, -8},                        // -7.5
      {10, -3, -4, 8},
      {7, 1, 3, 2},                           // 2.33
      {5, 1, 2, 3},                           // 2.5
      {100000, 100000, 100000, 100000},       // the product needs 64 bits
      {INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX},
      {INT32_MIN, INT32_MIN, INT32_MIN, INT32_MIN},
      {INT32_MIN, -1, 1, -1},                 // 2^31 does not fit
      {100000, 100000, 1, -1},                // result overflow
      {5, 7, 0, -1},                          // zero divisor
      {0, 0, 0, -1},
      {96, 120, 96, 120},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.number << " * " << c.numerator << " / " << c.denominator);
    EXPECT_EQ(MulDiv(c.number, c.numerator, c.denominator), c.expected);
  }
}

TEST(Math, MinMaxRangesAndSigns) {
  EXPECT_EQ(Min(3, 5), 3);
  EXPECT_EQ(Max(Int64(1) << 40, 2), Int64(1) << 40);
  EXPECT_DOUBLE_EQ(Min(2.5, 1), 1.0);
  EXPECT_EQ(EnsureRange(15, 0, 10), 10);
  EXPECT_EQ(EnsureRange(-3, 0, 10), 0);
  EXPECT_EQ(EnsureRange(4, 0, 10), 4);
  EXPECT_TRUE(InRange(10, 0, 10));
  EXPECT_FALSE(InRange(11, 0, 10));
  EXPECT_EQ(Sign(-0.1), -1);
  EXPECT_EQ(Sign(0), 0);
  EXPECT_EQ(Sign(Int64(7)), 1);
}

TEST(Math, SameValueAndPowers) {
  EXPECT_TRUE(SameValue(0.1 + 0.2, 0.3));
  EXPECT_FALSE(SameValue(1.0, 1.001));
  EXPECT_TRUE(SameValue(1.0, 1.001, 0.01));
  EXPECT_TRUE(SameValue(1e20, 1e20 * (1 + 1e-14)));
  EXPECT_DOUBLE_EQ(IntPower(2, 10), 1024);
  EXPECT_DOUBLE_EQ(IntPower(2, -2), 0.25);
  EXPECT_DOUBLE_EQ(IntPower(-3, 3), -27);
  EXPECT_DOUBLE_EQ(IntPower(5, 0), 1);
  EXPECT_DOUBLE_EQ(IntPower(1, INT32_MIN), 1);
  EXPECT_DOUBLE_EQ(Power(0, 0), 1);
  EXPECT_DOUBLE_EQ(Power(-2, 3), -8);
  EXPECT_DOUBLE_EQ(Power(9, 0.5), 3);
  EXPECT_THROW(Power(-8, 1.0 / 3), EInvalidOp);
}
