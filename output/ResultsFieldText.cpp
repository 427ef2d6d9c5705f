#include "output/ResultsFieldText.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

#include "numbertext/DecimalDigits.h"
#include "numbertext/FixedFieldDigits.h"
#include "numbertext/FormatFixed.h"

namespace {

constexpr int kWidth = 8;
constexpr int kDecimals = 5;  // WriteFiveDigits writes them
constexpr std::uint64_t kDecimalUnit = kPowersOfTen[kDecimals];
// Up to 10^11 the rounding position lies inside the 19-digit string; beyond it FormatFixed's
// padding with zeros takes over.
constexpr int kLargestFastExponent = 11;

std::size_t WriteThroughFormatFixed(double value, char* out) {
  const std::string text = FormatFixed(value, kWidth, kDecimals);
  std::memcpy(out, text.data(), text.size());
  return text.size();
}

}  // namespace

std::size_t WriteResultsField(double value, char* out) {
  if (!std::isfinite(value)) return WriteThroughFormatFixed(value, out);
  const auto [mantissa, exponent] = FixedFieldScaleOf(value);
  if (exponent > kLargestFastExponent) return WriteThroughFormatFixed(value, out);
  // c d1 … dK with K = exponent + 6, rounded half up: the integer and decimal digits at once.
  const std::uint64_t kept = KeepDigitsHalfUp(FixedDigitString(mantissa), exponent + 1 + kDecimals);

  // Below 10 after rounding, the common case: blank or '-', one digit, '.', five digits.
  if (kept < 10 * kDecimalUnit) {
    const auto whole = static_cast<std::uint32_t>(kept);
    out[0] = std::signbit(value) ? '-' : ' ';
    out[1] = static_cast<char>('0' + whole / kDecimalUnit);
    out[2] = '.';
    WriteFiveDigits(whole % kDecimalUnit, out + 3);
    return kWidth;
  }

  // kept with a point before its last five digits; the integer part has no leading zeros
  // (its first digit is c when c is 1, else d1, which is 0 only below 10).
  char text[32];
  int length = 0;
  if (std::signbit(value)) text[length++] = '-';
  std::uint64_t integerPart = kept / kDecimalUnit;
  char integerDigits[20];
  int integerLength = 0;
  do {
    integerDigits[integerLength++] = static_cast<char>('0' + integerPart % 10);
    integerPart /= 10;
  } while (integerPart != 0);
  while (integerLength > 0) text[length++] = integerDigits[--integerLength];
  text[length++] = '.';
  WriteFiveDigits(static_cast<std::uint32_t>(kept % kDecimalUnit), text + length);
  length += kDecimals;

  const int padding = length < kWidth ? kWidth - length : 0;
  std::memset(out, ' ', padding);
  std::memcpy(out + padding, text, length);
  return static_cast<std::size_t>(padding + length);
}
