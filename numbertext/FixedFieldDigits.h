// The digits a fixed field is built from, shared by FormatFixed and the results file's field
// writer: the decimal scale magnitude = mantissa·10^exponent (mantissa < 16, and ≥ 1 from 10
// on), the 19-digit string c d1 … d18 = mantissa·10^17 rounded to an integer, ties to even,
// and that string rounded half up after its digit K.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>

#include "model/FloatingPoint.h"
#include "numbertext/DecimalDigits.h"
#include "numbertext/PowerOfTen.h"

struct FixedFieldScale {
  Extended mantissa = 0;
  int exponent = 0;
};

// The scale of a finite value's magnitude: below 10 the magnitude itself with exponent 0;
// otherwise the exponent estimated from the binary one, the mantissa divided by its power of
// ten and, when that leaves 16 or more, once more by ten.
[[nodiscard]] inline FixedFieldScale FixedFieldScaleOf(double value) {
  const Extended magnitude = std::fabs(static_cast<Extended>(value));
  if (magnitude < 10) return {magnitude, 0};
  FixedFieldScale scale;
  scale.exponent = (std::ilogb(std::fabs(value)) * 19728) >> 16;
  scale.mantissa = ScaleByPowerOfTen(magnitude, -scale.exponent);
  if (scale.mantissa >= 16) {
    scale.mantissa = scale.mantissa / 10;
    ++scale.exponent;
  }
  return scale;
}

// c d1 … d18 as one integer (below 1.6·10^18). Adding 2^63 leaves no fraction bits in the
// 64-bit significand, so the addition itself rounds to an integer (to nearest, ties to even,
// the program's only rounding mode) and the significand then holds 2^63 + the digits.
[[nodiscard]] inline std::uint64_t FixedDigitString(Extended mantissa) {
  const Extended shifted = mantissa * 1e17L + 0x1p63L;
  std::uint64_t significand;
  static_assert(sizeof(Extended) >= sizeof significand);
  std::memcpy(&significand, &shifted, sizeof significand);  // x87 layout: significand first
  return significand - (std::uint64_t{1} << 63);
}

namespace fixed_field_detail {

// c d1 … dK of the digit string, rounded half up: d(K+1) ≥ 5 exactly when the dropped
// digits, read as an integer, reach half of the dropped unit. Constant divisors, which the
// compiler turns into multiplications.
template <int kLastKept>
[[nodiscard]] constexpr std::uint64_t KeepFirst(std::uint64_t digits) {
  constexpr std::uint64_t droppedUnit = kPowersOfTen[18 - kLastKept];
  const std::uint64_t kept = digits / droppedUnit;
  return kept + (digits - kept * droppedUnit >= droppedUnit / 2 ? 1 : 0);
}

}  // namespace fixed_field_detail

// The digit string rounded half up after position lastKept (c is position 0): c d1 … dK as
// one integer, a carry included. From K = 18 on nothing is dropped.
[[nodiscard]] inline std::uint64_t KeepDigitsHalfUp(std::uint64_t digits, int lastKept) {
  using fixed_field_detail::KeepFirst;
  switch (lastKept) {
    case 1: return KeepFirst<1>(digits);
    case 2: return KeepFirst<2>(digits);
    case 3: return KeepFirst<3>(digits);
    case 4: return KeepFirst<4>(digits);
    case 5: return KeepFirst<5>(digits);
    case 6: return KeepFirst<6>(digits);
    case 7: return KeepFirst<7>(digits);
    case 8: return KeepFirst<8>(digits);
    case 9: return KeepFirst<9>(digits);
    case 10: return KeepFirst<10>(digits);
    case 11: return KeepFirst<11>(digits);
    case 12: return KeepFirst<12>(digits);
    case 13: return KeepFirst<13>(digits);
    case 14: return KeepFirst<14>(digits);
    case 15: return KeepFirst<15>(digits);
    case 16: return KeepFirst<16>(digits);
    case 17: return KeepFirst<17>(digits);
    default: return digits;
  }
}
