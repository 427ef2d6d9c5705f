#include "run/FormatFixed.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

#include "model/FloatingPoint.h"
#include "run/DecimalDigits.h"
#include "run/PowerOfTen.h"

namespace {

constexpr int kLargestWidth = 255;
constexpr int kMostDecimals = 216;
// From 2^120 on the decimal exponent exceeds this and the exponent form is written.
constexpr int kLargestFixedExponent = 35;

// The 19-position digit string c d1 … d18 of m·10^17 (m < 16), and its half-up rounding at
// position K. Position 0 is c; positions past d18 read as '0'.
class FixedDigitString {
 public:
  explicit FixedDigitString(Extended scaledMantissa) {
    WriteDigits(RoundToIntegerTiesEven(scaledMantissa * 1e17L), digits_.data(), kDigitCount);
  }

  void RoundHalfUpAt(int lastKept) {
    if (lastKept >= kDigitCount - 1) return;
    if (digits_[lastKept + 1] >= '5') {
      int position = lastKept;
      while (digits_[position] == '9') digits_[position--] = '0';
      ++digits_[position];
    }
    for (int position = lastKept + 1; position < kDigitCount; ++position) digits_[position] = '0';
  }

  char At(int position) const { return position < kDigitCount ? digits_[position] : '0'; }
  bool HasLeadingOne() const { return digits_[0] == '1'; }

 private:
  static constexpr int kDigitCount = 19;
  std::array<char, kDigitCount> digits_{};
};

// Longest text: sign, 37 integer digits, point, 216 decimals, and the padding to 255.
using TextBuffer = std::array<char, 2 * kLargestWidth>;

std::string ExponentForm(bool negative, Extended mantissa, int exponent, int width) {
  const int significantDigits = std::max(2, std::min(18, width - 8));
  FixedDigitString digits(mantissa);
  // The rounding is at n also when c is "1" (a mantissa from 10 up); dn is then dropped
  // unrounded, so 1.29E+0038 reads 1.2E+0038. Results files written so far show exactly
  // these digits, so the rule is kept as it is.
  digits.RoundHalfUpAt(significantDigits);
  int first = 1;
  if (digits.HasLeadingOne()) {
    first = 0;
    ++exponent;
  }
  TextBuffer text;
  int length = 0;
  for (int blank = 0; blank < width - significantDigits - 8; ++blank) text[length++] = ' ';
  text[length++] = negative ? '-' : ' ';
  text[length++] = digits.At(first);
  text[length++] = '.';
  for (int position = first + 1; position < first + significantDigits; ++position)
    text[length++] = digits.At(position);
  text[length++] = 'E';
  text[length++] = exponent < 0 ? '-' : '+';
  WriteDigits(static_cast<std::uint64_t>(std::abs(exponent)), text.data() + length, 4);
  length += 4;
  return std::string(text.data(), length);
}

// The run raises an error before an infinity or a NaN could reach a text; should one get
// here anyway, it is named rather than misprinted.
std::string NonFiniteText(bool negative, bool notANumber, int width) {
  std::string text = notANumber ? "NAN" : negative ? "-INF" : "INF";
  if (static_cast<int>(text.size()) < width) text.insert(0, width - text.size(), ' ');
  return text;
}

}  // namespace

std::string FormatFixed(double value, int width, int decimals) {
  width = std::clamp(width, 0, kLargestWidth);
  decimals = std::clamp(decimals, 0, kMostDecimals);
  const bool negative = std::signbit(value);
  if (!std::isfinite(value)) return NonFiniteText(negative, std::isnan(value), width);
  const Extended magnitude = std::fabs(static_cast<Extended>(value));

  // magnitude = mantissa·10^exponent, mantissa < 16 (and ≥ 1 from 10 on).
  int exponent = 0;
  Extended mantissa = magnitude;
  if (magnitude >= 10) {
    exponent = (std::ilogb(std::fabs(value)) * 19728) >> 16;
    mantissa = ScaleByPowerOfTen(magnitude, -exponent);
    if (mantissa >= 16) {
      mantissa = mantissa / 10;
      ++exponent;
    }
  }
  if (exponent > kLargestFixedExponent) return ExponentForm(negative, mantissa, exponent, width);

  FixedDigitString digits(mantissa);
  const int lastKept = exponent + 1 + decimals;
  digits.RoundHalfUpAt(lastKept);

  TextBuffer text;
  int length = 0;
  if (negative) text[length++] = '-';
  if (digits.HasLeadingOne()) text[length++] = '1';
  for (int position = 1; position <= exponent + 1; ++position) text[length++] = digits.At(position);
  if (decimals > 0) {
    text[length++] = '.';
    for (int position = exponent + 2; position <= lastKept; ++position)
      text[length++] = digits.At(position);
  }
  // Blanks in front up to the width; a longer text is written whole.
  const int padding = std::max(0, width - length);
  std::string result(padding + length, ' ');
  std::copy_n(text.data(), length, result.data() + padding);
  return result;
}
