#include "numbertext/ParseNumber.h"

#include <algorithm>
#include <cfenv>
#include <cmath>
#include <cstdint>
#include <string>

#include "model/Errors.h"
#include "numbertext/LocaleDecimalSeparator.h"
#include "numbertext/PowerOfTen.h"

namespace {

// The parse runs with every floating-point fault masked and its flags cleared; the caller's
// environment, flags included, is back in force when the parse returns or throws.
class MaskedFloatingPointFaults {
 public:
  MaskedFloatingPointFaults() { std::feholdexcept(&saved_); }
  ~MaskedFloatingPointFaults() { std::fesetenv(&saved_); }
  MaskedFloatingPointFaults(const MaskedFloatingPointFaults&) = delete;
  MaskedFloatingPointFaults& operator=(const MaskedFloatingPointFaults&) = delete;

 private:
  std::fenv_t saved_;
};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int DigitValue(char c) { return c - '0'; }

// The exponent stops being read once it reaches this; a further digit is left over.
constexpr int kExponentReadLimit = 500;

// Any scale beyond this takes every finite non-zero digit value out of the extended range
// (at most about 10^4933 either way), so larger counts of fraction digits change nothing.
constexpr std::int64_t kScaleClamp = 20000;

[[noreturn]] void RaiseNotANumber(std::string_view text) {
  throw EConvertError("'" + std::string(text) + "' is not a valid floating point value");
}

}  // namespace

Extended ParseNumber(std::string_view text) {
  const MaskedFloatingPointFaults masked;
  const char separator = LocaleDecimalSeparator();
  std::size_t position = 0;
  const auto atEnd = [&] { return position >= text.size(); };
  const auto skipBlanks = [&] {
    while (!atEnd() && text[position] == ' ') ++position;
  };

  skipBlanks();
  bool negative = false;
  if (!atEnd() && (text[position] == '+' || text[position] == '-')) {
    negative = text[position] == '-';
    ++position;
  }

  // I is accumulated digit by digit in extended arithmetic: exact up to 19 significant
  // digits, rounded after each step beyond that.
  Extended digitValue = 0;
  const std::size_t mantissaStart = position;
  while (!atEnd() && IsDigit(text[position])) {
    digitValue = digitValue * 10 + DigitValue(text[position]);
    ++position;
  }
  std::int64_t fractionDigits = 0;
  if (!atEnd() && text[position] == separator) {
    ++position;
    while (!atEnd() && IsDigit(text[position])) {
      digitValue = digitValue * 10 + DigitValue(text[position]);
      ++fractionDigits;
      ++position;
    }
  }
  if (position == mantissaStart) RaiseNotANumber(text);

  int exponent = 0;
  if (!atEnd() && (text[position] == 'E' || text[position] == 'e')) {
    ++position;
    bool negativeExponent = false;
    if (!atEnd() && (text[position] == '+' || text[position] == '-')) {
      negativeExponent = text[position] == '-';
      ++position;
    }
    while (!atEnd() && IsDigit(text[position]) && exponent < kExponentReadLimit) {
      exponent = exponent * 10 + DigitValue(text[position]);
      ++position;
    }
    if (negativeExponent) exponent = -exponent;
  }

  skipBlanks();
  if (!atEnd()) RaiseNotANumber(text);

  if (std::isinf(digitValue)) RaiseNotANumber(text);
  const std::int64_t scale = std::clamp<std::int64_t>(exponent - fractionDigits, -kScaleClamp, kScaleClamp);
  Extended value = ScaleByPowerOfTen(digitValue, static_cast<int>(scale));
  if (std::isinf(value)) RaiseNotANumber(text);
  return negative ? -value : value;
}
