#include "numbertext/FormatGeneral.h"

#include <cmath>
#include <cstdint>

#include "model/FloatingPoint.h"
#include "numbertext/DecimalDigits.h"
#include "numbertext/LocaleDecimalSeparator.h"
#include "numbertext/PowerOfTen.h"

namespace {

constexpr std::uint64_t kEighteenDigits = 1'000'000'000'000'000'000ULL;  // 10^18
constexpr std::uint64_t kSeventeenDigits = kEighteenDigits / 10;
constexpr std::uint64_t kFifteenDigits = 1'000'000'000'000'000ULL;  // 10^15

// magnitude·10^(18 − exponent) rounded to an integer, ties to even.
std::uint64_t EighteenDigits(Extended magnitude, int exponent) {
  return RoundToIntegerTiesEven(ScaleByPowerOfTen(magnitude, 18 - exponent));
}

std::string NonFiniteText(double value) {
  if (std::isnan(value)) return "NAN";
  return value < 0 ? "-INF" : "INF";
}

}  // namespace

std::string FormatGeneral(double value) {
  if (value == 0) return "0";
  if (!std::isfinite(value)) return NonFiniteText(value);
  const Extended magnitude = std::fabs(static_cast<Extended>(value));

  // magnitude ≈ 0.d1d2…d18 × 10^exponent.
  int exponent = ((std::ilogb(value) * 19728) >> 16) + 1;
  std::uint64_t digits = EighteenDigits(magnitude, exponent);
  // The binary estimate of the exponent is one too high just below a few powers of ten
  // (for instance at 2^-877 and 2^-681); a leading zero digit would cost a significant digit.
  if (digits < kSeventeenDigits) {
    --exponent;
    digits = EighteenDigits(magnitude, exponent);
  }
  if (digits >= kEighteenDigits) {
    const std::uint64_t remainder = digits % 10;
    digits /= 10;
    if (remainder > 5 || (remainder == 5 && (digits & 1) != 0)) ++digits;
    ++exponent;
  }

  // Fifteen significant digits, half up on the sixteenth.
  std::uint64_t significant = digits / 1000;
  if ((digits / 100) % 10 >= 5) ++significant;
  if (significant == kFifteenDigits) {
    significant /= 10;
    ++exponent;
  }
  char digitText[15];
  WriteDigits(significant, digitText, 15);
  int digitCount = 15;
  while (digitCount > 1 && digitText[digitCount - 1] == '0') --digitCount;

  const char separator = LocaleDecimalSeparator();
  std::string text;
  if (value < 0) text += '-';
  if (exponent > 15 || exponent < -3) {
    text += digitText[0];
    if (digitCount > 1) {
      text += separator;
      text.append(digitText + 1, digitCount - 1);
    }
    text += 'E';
    const int shown = exponent - 1;
    if (shown < 0) text += '-';
    text += std::to_string(std::abs(shown));
  } else if (exponent >= 1) {
    const int integerDigits = exponent;
    for (int position = 0; position < integerDigits; ++position)
      text += position < digitCount ? digitText[position] : '0';
    if (digitCount > integerDigits) {
      text += separator;
      text.append(digitText + integerDigits, digitCount - integerDigits);
    }
  } else {
    text += '0';
    text += separator;
    text.append(-exponent, '0');
    text.append(digitText, digitCount);
  }
  return text;
}
