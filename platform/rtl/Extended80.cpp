#include "rtl/Extended80.h"

#include <bit>
#include <cstring>
#include <limits>

namespace {

constexpr int kExtendedBias = 16383;
constexpr int kDoubleBias = 1023;

}  // namespace

void DoubleToExtended80(Double value, Byte bytes[10]) {
  uint64_t bits = std::bit_cast<uint64_t>(value);
  uint16_t sign = static_cast<uint16_t>((bits >> 63) << 15);
  int exponent = static_cast<int>((bits >> 52) & 0x7FF);
  uint64_t fraction = bits & ((uint64_t{1} << 52) - 1);
  uint64_t significand = 0;
  uint16_t biased = 0;
  if (exponent == 0x7FF) {
    biased = 0x7FFF;
    significand = fraction == 0 ? uint64_t{1} << 63 : (uint64_t{3} << 62) | (fraction << 11);
  } else if (exponent == 0 && fraction != 0) {
    // A subnormal double is a normal extended: move its leading bit to the top.
    int top = 63 - std::countl_zero(fraction);
    significand = fraction << (63 - top);
    biased = static_cast<uint16_t>(top - 1074 + kExtendedBias);
  } else if (exponent != 0) {
    significand = (uint64_t{1} << 63) | (fraction << 11);
    biased = static_cast<uint16_t>(exponent - kDoubleBias + kExtendedBias);
  }
  for (int i = 0; i < 8; ++i) bytes[i] = static_cast<Byte>(significand >> (8 * i));
  uint16_t head = sign | biased;
  bytes[8] = static_cast<Byte>(head);
  bytes[9] = static_cast<Byte>(head >> 8);
}

Double Extended80ToDouble(const Byte bytes[10]) {
  uint64_t significand = 0;
  for (int i = 0; i < 8; ++i) significand |= static_cast<uint64_t>(bytes[i]) << (8 * i);
  uint16_t head = static_cast<uint16_t>(bytes[8] | (bytes[9] << 8));
  uint64_t sign = static_cast<uint64_t>(head >> 15) << 63;
  int biased = head & 0x7FFF;
  auto make = [&](uint64_t magnitude) { return std::bit_cast<Double>(sign | magnitude); };
  constexpr uint64_t kInfinity = uint64_t{0x7FF} << 52;
  if (biased == 0x7FFF) {
    if ((significand << 1) == 0) return make(kInfinity);
    return make(kInfinity | (uint64_t{1} << 51) | ((significand << 1) >> 12));
  }
  if (significand == 0) return make(0);
  // value = significand * 2^(exponent - 63), the significand normalised to its top bit.
  int exponent = (biased == 0 ? 1 : biased) - kExtendedBias;
  int shift = std::countl_zero(significand);
  significand <<= shift;
  exponent -= shift;
  if (exponent > kDoubleBias) return make(kInfinity);
  // Bits dropped below the double's last place: 11 for a normal result, more for a subnormal.
  int drop = exponent >= 1 - kDoubleBias ? 11 : 11 + (1 - kDoubleBias - exponent);
  if (drop > 64) return make(0);
  unsigned __int128 wide = significand;
  uint64_t kept = static_cast<uint64_t>(wide >> drop);
  unsigned __int128 rest = wide & ((static_cast<unsigned __int128>(1) << drop) - 1);
  unsigned __int128 half = static_cast<unsigned __int128>(1) << (drop - 1);
  if (rest > half || (rest == half && (kept & 1))) ++kept;
  if (drop > 11) return make(kept);  // subnormal; a carry into bit 52 makes the smallest normal
  if (kept == (uint64_t{1} << 53)) {
    kept >>= 1;
    ++exponent;
    if (exponent > kDoubleBias) return make(kInfinity);
  }
  return make((static_cast<uint64_t>(exponent + kDoubleBias) << 52) | (kept & ((uint64_t{1} << 52) - 1)));
}
