// An independent reference for the results-file field (width 8, 5 decimals), computed with
// exact integers: the double's exact binary value, each extended rounding of the rule modelled
// bit by bit, and the final half-up rounding done as integer division instead of digit carries.
#pragma once

#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tests/numbertext/BigUnsigned.h"

namespace fixed_field_reference {

using Wide = unsigned __int128;

// significand·2^exponent
struct Dyadic {
  Wide significand;
  int exponent;
};

inline int BitLength(Wide value) {
  int length = 0;
  while (value != 0) {
    ++length;
    value >>= 1;
  }
  return length;
}

// Rounds to a 64-bit significand, ties to even; `sticky` says that non-zero bits were already
// cut off below the given significand.
inline Dyadic RoundToExtended(Wide significand, int exponent, bool sticky) {
  const int length = BitLength(significand);
  if (length <= 64) return {significand, exponent};
  const int dropped = length - 64;
  const Wide low = significand & ((Wide{1} << dropped) - 1);
  const Wide half = Wide{1} << (dropped - 1);
  Wide kept = significand >> dropped;
  if (low > half || (low == half && (sticky || (kept & 1) != 0))) ++kept;
  return {kept, exponent + dropped};
}

inline std::uint64_t RoundToInteger(Dyadic value) {
  if (value.exponent >= 0) return static_cast<std::uint64_t>(value.significand << value.exponent);
  const int shift = -value.exponent;
  if (shift > 100) return 0;
  const Wide whole = value.significand >> shift;
  const Wide fraction = value.significand & ((Wide{1} << shift) - 1);
  const Wide half = Wide{1} << (shift - 1);
  const bool up = fraction > half || (fraction == half && (whole & 1) != 0);
  return static_cast<std::uint64_t>(whole + (up ? 1 : 0));
}

inline Wide PowerOf(Wide base, int exponent) {
  Wide power = 1;
  for (int i = 0; i < exponent; ++i) power *= base;
  return power;
}

// The exact binary value of a finite double: significand·2^exponent.
inline Dyadic ExactValue(double magnitude) {
  int binaryExponent = 0;
  const double fraction = std::frexp(magnitude, &binaryExponent);
  return {static_cast<Wide>(std::ldexp(fraction, 53)), binaryExponent - 53};
}

// The rule's 19-position digit integer N ≈ m·10^17 and decimal exponent e, a = m·10^e.
struct DigitInteger {
  std::uint64_t digits;
  int exponent;
};

// m·10^17 rounded in extended arithmetic and then to an integer.
inline std::uint64_t ScaledDigits(Dyadic mantissa) {
  const Dyadic product =
      RoundToExtended(mantissa.significand * PowerOf(5, 17), mantissa.exponent + 17, false);
  return RoundToInteger(product);
}

// Exact model while every power of ten the rule uses is exact in extended (e ≤ 26 here, so
// that the quotient fits 128 bits); nullopt beyond.
inline std::optional<DigitInteger> ExactDigitInteger(double magnitude) {
  const Dyadic value = ExactValue(magnitude);
  if (magnitude < 10) return DigitInteger{ScaledDigits(value), 0};
  int exponent = (std::ilogb(magnitude) * 19728) >> 16;
  if (exponent > 26) return std::nullopt;
  // a / 10^e = (a·2^k / 5^e)·2^(−k−e), the quotient at least 65 bits long.
  const int shift = 126 - BitLength(value.significand);
  const Wide numerator = value.significand << shift;
  const Wide powerOfFive = PowerOf(5, exponent);
  Dyadic mantissa = RoundToExtended(numerator / powerOfFive, value.exponent - shift - exponent,
                                    numerator % powerOfFive != 0);
  if (BitLength(mantissa.significand) + mantissa.exponent - 1 >= 4) {  // m ≥ 16: m / 10
    const Wide scaled = mantissa.significand << 60;
    mantissa = RoundToExtended(scaled / 5, mantissa.exponent - 60 - 1, scaled % 5 != 0);
    ++exponent;
  }
  return DigitInteger{ScaledDigits(mantissa), exponent};
}

// For e > 26 the rule divides by rounded powers of ten, so its last digit may differ by one
// from the exactly rounded N = a·10^(17 − e); this gives that exact N (a is an integer here).
inline DigitInteger NearestDigitInteger(double magnitude) {
  const Dyadic value = ExactValue(magnitude);
  BigUnsigned exact(static_cast<std::uint64_t>(value.significand));
  exact.ShiftLeft(value.exponent);
  int exponent = (std::ilogb(magnitude) * 19728) >> 16;
  BigUnsigned sixteenPowers = BigUnsigned::PowerOfTen(exponent);
  sixteenPowers.MultiplyBy(16);
  if (Compare(exact, sixteenPowers) >= 0) ++exponent;
  BigUnsigned quotient = exact;
  for (int i = 0; i < exponent - 17; ++i) quotient.DivideBy(10);
  BigUnsigned product = quotient;
  for (int i = 0; i < exponent - 17; ++i) product.MultiplyBy(10);
  BigUnsigned twiceRemainder = exact.Minus(product);
  twiceRemainder.ShiftLeft(1);
  const int versusHalf = Compare(twiceRemainder, BigUnsigned::PowerOfTen(exponent - 17));
  std::uint64_t digits = quotient.ToUint64();
  if (versusHalf > 0 || (versusHalf == 0 && (digits & 1) != 0)) ++digits;
  return {digits, exponent};
}

inline std::string WideToText(Wide value) {
  std::string text;
  do {
    text.insert(text.begin(), static_cast<char>('0' + static_cast<int>(value % 10)));
    value /= 10;
  } while (value != 0);
  return text;
}

// The field text of a = N·10^(e − 17): half up to 5 decimals (fixed), or 2 significant
// digits in the exponent form from e = 36 on (half up at the second digit after the first
// position of the 19, so a leading "1" in c keeps d1 and drops d2 unrounded).
inline std::string FieldText(bool negative, DigitInteger number) {
  constexpr int kDecimals = 5;
  constexpr int kWidth = 8;
  const Wide digits = number.digits;
  if (number.exponent > 35) {
    const int significant = digits >= PowerOf(10, 18) ? 19 : 18;
    int shownExponent = number.exponent + significant - 18;
    Wide twoDigits;
    if (significant == 19) {
      // c is "1": the rounding is at d2, after which d2 is dropped unrounded.
      const Wide divisor = PowerOf(10, 16);
      twoDigits = (digits + divisor / 2) / divisor / 10;
    } else {
      const Wide divisor = PowerOf(10, significant - 2);
      twoDigits = (digits + divisor / 2) / divisor;
    }
    if (twoDigits == 100) {
      twoDigits = 10;
      ++shownExponent;
    }
    const std::string exponentText = WideToText(static_cast<Wide>(shownExponent));
    const std::string paddedExponent = std::string(4 - exponentText.size(), '0') + exponentText;
    return std::string(negative ? "-" : " ") + static_cast<char>('0' + twoDigits / 10) + '.' +
           static_cast<char>('0' + twoDigits % 10) + "E+" + paddedExponent;
  }
  // The text in units of 10^−5: N·10^(e − 17 + 5), half up when that cuts digits.
  const int shift = number.exponent - 17 + kDecimals;
  std::string units;
  if (shift >= 0) {
    units = WideToText(digits) + std::string(shift, '0');
  } else {
    const Wide divisor = PowerOf(10, -shift);
    units = WideToText((digits + divisor / 2) / divisor);
  }
  if (units.size() <= kDecimals) units = std::string(kDecimals + 1 - units.size(), '0') + units;
  units.insert(units.size() - kDecimals, 1, '.');
  if (negative) units.insert(units.begin(), '-');
  if (units.size() < kWidth) units.insert(units.begin(), kWidth - units.size(), ' ');
  return units;
}

// The texts the rule may give: exactly one where it can be modelled exactly, otherwise those
// of N − 1, N and N + 1 around the exactly rounded N.
inline std::vector<std::string> AllowedFieldTexts(double value) {
  const bool negative = std::signbit(value);
  const double magnitude = std::fabs(value);
  if (const auto exact = ExactDigitInteger(magnitude)) return {FieldText(negative, *exact)};
  const DigitInteger nearest = NearestDigitInteger(magnitude);
  return {FieldText(negative, {nearest.digits - 1, nearest.exponent}),
          FieldText(negative, nearest),
          FieldText(negative, {nearest.digits + 1, nearest.exponent})};
}

}  // namespace fixed_field_reference
