#include "run/ResultsFieldText.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

#include "model/FloatingPoint.h"
#include "run/DecimalDigits.h"
#include "run/FormatFixed.h"
#include "run/PowerOfTen.h"

namespace {

constexpr int kWidth = 8;
constexpr int kDecimals = 5;
// Up to 10^11 the rounding position lies inside the 19-digit string; beyond it FormatFixed's
// padding with zeros takes over.
constexpr int kLargestFastExponent = 11;

constexpr std::uint64_t kPowersOfTen[] = {1,
                                          10,
                                          100,
                                          1000,
                                          10000,
                                          100000,
                                          1000000,
                                          10000000,
                                          100000000,
                                          1000000000,
                                          10000000000,
                                          100000000000,
                                          1000000000000,
                                          10000000000000,
                                          100000000000000,
                                          1000000000000000,
                                          10000000000000000,
                                          100000000000000000,
                                          1000000000000000000};

// round(value) with ties to even for 0 <= value < 2^63, as RoundToIntegerTiesEven, without
// switching the x87 rounding mode: adding 2^63 leaves no fraction bits in the 64-bit
// significand, so the addition itself rounds (to nearest, ties to even), and the significand
// then holds 2^63 + the rounded value.
std::uint64_t RoundHalfEvenBelowTwoToThe63(Extended value) {
  const Extended shifted = value + 0x1p63L;
  std::uint64_t significand;
  static_assert(sizeof(Extended) >= sizeof significand);
  std::memcpy(&significand, &shifted, sizeof significand);  // x87 layout: significand first
  return significand - (std::uint64_t{1} << 63);
}

// The digits c d1..dK of the 19-digit string, rounded half up at K: digits / 10^(18-K), plus
// one when the first dropped digit is 5 or more. For K = 6 (values below 10) the divisors are
// constants, which the compiler turns into multiplications.
std::uint64_t KeepDigits(std::uint64_t digits, int lastKept) {
  if (lastKept == 1 + kDecimals) {
    return digits / 1000000000000 + ((digits / 100000000000) % 10 >= 5 ? 1 : 0);
  }
  const std::uint64_t droppedUnit = kPowersOfTen[18 - lastKept];
  return digits / droppedUnit + ((digits / (droppedUnit / 10)) % 10 >= 5 ? 1 : 0);
}

std::size_t WriteThroughFormatFixed(double value, char* out) {
  const std::string text = FormatFixed(value, kWidth, kDecimals);
  std::memcpy(out, text.data(), text.size());
  return text.size();
}

}  // namespace

std::size_t WriteResultsField(double value, char* out) {
  if (!std::isfinite(value)) return WriteThroughFormatFixed(value, out);
  // The same decimal scale as FormatFixed: value = mantissa * 10^exponent, mantissa < 16.
  const Extended magnitude = std::fabs(static_cast<Extended>(value));
  int exponent = 0;
  Extended mantissa = magnitude;
  if (magnitude >= 10) {
    exponent = (std::ilogb(std::fabs(value)) * 19728) >> 16;
    if (exponent > kLargestFastExponent) return WriteThroughFormatFixed(value, out);
    mantissa = ScaleByPowerOfTen(magnitude, -exponent);
    if (mantissa >= 16) {
      mantissa = mantissa / 10;
      ++exponent;
    }
    if (exponent > kLargestFastExponent) return WriteThroughFormatFixed(value, out);
  }
  // The 19 digits c d1..d18 as one integer, rounded half up after digit K = exponent + 6: the
  // digit string's carry is the integer's.
  const std::uint64_t digits = RoundHalfEvenBelowTwoToThe63(mantissa * 1e17L);
  const std::uint64_t kept = KeepDigits(digits, exponent + 1 + kDecimals);

  // Below 10 after rounding, the common case: blank or '-', one digit, '.', five digits.
  if (kept < 10 * kPowersOfTen[kDecimals]) {
    out[0] = std::signbit(value) ? '-' : ' ';
    out[1] = static_cast<char>('0' + kept / kPowersOfTen[kDecimals]);
    out[2] = '.';
    WriteDigits(kept % kPowersOfTen[kDecimals], out + 3, kDecimals);
    return kWidth;
  }

  // kept with a point before its last five digits; the integer part has no leading zeros
  // (its first digit is c when c is 1, else d1, which is 0 only below 10).
  char text[32];
  int length = 0;
  if (std::signbit(value)) text[length++] = '-';
  std::uint64_t integerPart = kept / kPowersOfTen[kDecimals];
  char integerDigits[20];
  int integerLength = 0;
  do {
    integerDigits[integerLength++] = static_cast<char>('0' + integerPart % 10);
    integerPart /= 10;
  } while (integerPart != 0);
  while (integerLength > 0) text[length++] = integerDigits[--integerLength];
  text[length++] = '.';
  WriteDigits(kept % kPowersOfTen[kDecimals], text + length, kDecimals);
  length += kDecimals;

  const int padding = length < kWidth ? kWidth - length : 0;
  std::memset(out, ' ', padding);
  std::memcpy(out + padding, text, length);
  return static_cast<std::size_t>(padding + length);
}
