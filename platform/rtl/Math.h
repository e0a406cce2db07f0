#pragma once
// The arithmetic the system assumes: Round halves to even, Trunc goes toward zero, MulDiv keeps a
// 64-bit intermediate. A value that does not fit the integer result raises EInvalidOp instead of
// leaving the conversion undefined.

#include <type_traits>

#include "rtl/Exceptions.h"
#include "rtl/Types.h"

TAVREN_DECLARE_EXCEPTION(EMathError, Exception);
TAVREN_DECLARE_EXCEPTION(EInvalidOp, EMathError);

// Nearest integer; exact halves go to the even neighbour (2.5 -> 2, 3.5 -> 4, -0.5 -> 0).
Int64 Round(Extended value);
Int64 Trunc(Extended value);
Extended Frac(Extended value);
Integer Ceil(Extended value);
Integer Floor(Extended value);

// number * numerator / denominator with a 64-bit product, rounded half away from zero; -1 when the
// denominator is 0 or the result does not fit 32 bits.
Integer MulDiv(Integer number, Integer numerator, Integer denominator);

template <typename A, typename B>
constexpr std::common_type_t<A, B> Min(A a, B b) {
  return b < a ? b : a;
}
template <typename A, typename B>
constexpr std::common_type_t<A, B> Max(A a, B b) {
  return a < b ? b : a;
}
template <typename T, typename L, typename H>
constexpr std::common_type_t<T, L, H> EnsureRange(T value, L low, H high) {
  if (value < low) return low;
  if (value > high) return high;
  return value;
}
template <typename T, typename L, typename H>
constexpr bool InRange(T value, L low, H high) {
  return value >= low && value <= high;
}

// -1, 0 or 1.
template <typename T>
constexpr Integer Sign(T value) {
  return value < 0 ? -1 : value > 0 ? 1 : 0;
}

// Equal within epsilon; an epsilon of 0 allows for the rounding of the larger magnitude.
bool SameValue(Extended a, Extended b, Extended epsilon = 0);

Extended IntPower(Extended base, Integer exponent);
// base ** exponent; a negative base with a fractional exponent raises EInvalidOp.
Extended Power(Extended base, Extended exponent);
