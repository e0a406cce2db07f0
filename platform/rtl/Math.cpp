#include "rtl/Math.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace {

// The double range that converts to Int64 without overflow: [-2^63, 2^63).
constexpr double kInt64Limit = 9223372036854775808.0;

Int64 ToInt64(double value) {
  if (!(value >= -kInt64Limit && value < kInt64Limit)) throw EInvalidOp("Invalid floating point operation");
  return static_cast<Int64>(value);
}

Integer ToInteger(double value) {
  if (!(value >= -2147483648.0 && value <= 2147483647.0)) throw EInvalidOp("Invalid floating point operation");
  return static_cast<Integer>(value);
}

}  // namespace

Int64 Round(Extended value) {
  // Written out rather than left to the floating-point environment's rounding mode.
  const double lower = std::floor(value);
  const double diff = value - lower;
  double result = lower;
  if (diff > 0.5 || (diff == 0.5 && std::fmod(lower, 2.0) != 0)) result = lower + 1;
  return ToInt64(result);
}

Int64 Trunc(Extended value) { return ToInt64(std::trunc(value)); }

Extended Frac(Extended value) { return value - std::trunc(value); }

Integer Ceil(Extended value) { return ToInteger(std::ceil(value)); }

Integer Floor(Extended value) { return ToInteger(std::floor(value)); }

Integer MulDiv(Integer number, Integer numerator, Integer denominator) {
  if (denominator == 0) return -1;
  const Int64 product = static_cast<Int64>(number) * numerator;
  // Both magnitudes stay below 2^63, so the rounding addition cannot overflow.
  const Int64 magnitude = std::llabs(product);
  const Int64 divisor = std::llabs(static_cast<Int64>(denominator));
  Int64 result = (magnitude + divisor / 2) / divisor;
  if ((product < 0) != (denominator < 0)) result = -result;
  if (result < INT32_MIN || result > INT32_MAX) return -1;
  return static_cast<Integer>(result);
}

bool SameValue(Extended a, Extended b, Extended epsilon) {
  if (epsilon == 0) epsilon = std::max(std::min(std::fabs(a), std::fabs(b)) * 1e-12, 1e-12);
  return a > b ? a - b <= epsilon : b - a <= epsilon;
}

Extended IntPower(Extended base, Integer exponent) {
  // Square and multiply; the exponent's magnitude is taken in 64 bits so INT_MIN negates safely.
  Int64 n = exponent;
  const bool inverse = n < 0;
  if (inverse) n = -n;
  Extended result = 1;
  while (n > 0) {
    if (n & 1) result *= base;
    base *= base;
    n >>= 1;
  }
  return inverse ? 1 / result : result;
}

Extended Power(Extended base, Extended exponent) {
  if (exponent == 0) return 1;
  if (base == 0 && exponent > 0) return 0;
  if (exponent == std::trunc(exponent) && std::fabs(exponent) <= 2147483647.0)
    return IntPower(base, static_cast<Integer>(exponent));
  if (base < 0) throw EInvalidOp("Invalid floating point operation");
  return std::pow(base, exponent);
}
