#include "numbertext/FormatFixed.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

#include "model/FloatingPoint.h"
#include "numbertext/DecimalDigits.h"
#include "numbertext/FixedFieldDigits.h"

namespace {

constexpr int kLargestWidth = 255;
constexpr int kMostDecimals = 216;
// From 2^120 on the decimal exponent exceeds this and the exponent form is written.
constexpr int kLargestFixedExponent = 35;

// The 19-position digit string c d1 … d18 of m·10^17 (m < 16), rounded half up at position
// K with the positions after it '0'. Position 0 is c; positions past d18 read as '0'.
class RoundedDigitString {
 public:
  RoundedDigitString(Extended mantissa, int lastKept) {
    std::uint64_t digits = FixedDigitString(mantissa);
    if (lastKept < kDigitCount - 1) {
      digits = KeepDigitsHalfUp(digits, lastKept) * kPowersOfTen[kDigitCount - 1 - lastKept];
    }
    WriteDigits(digits, digits_.data(), kDigitCount);
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
  // The rounding is at n also when c is "1" (a mantissa from 10 up); dn is then dropped
  // unrounded, so 1.29E+0038 reads 1.2E+0038. Results files written so far show exactly
  // these digits, so the rule is kept as it is.
  const RoundedDigitString digits(mantissa, significantDigits);
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
  const auto [mantissa, exponent] = FixedFieldScaleOf(value);
  if (exponent > kLargestFixedExponent) return ExponentForm(negative, mantissa, exponent, width);

  const int lastKept = exponent + 1 + decimals;
  const RoundedDigitString digits(mantissa, lastKept);

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
