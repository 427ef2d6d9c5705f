// Number texts against independent computations over many pseudo-random doubles (fixed
// seeds, so a failure repeats): the results-file field against an exact-integer model of its
// rule, and the 15-digit text against reading it back.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "tests/numbertext/FixedFieldReference.h"
#include "tests/support/ScopedDecimalSeparator.h"
#include "model/Errors.h"
#include "model/FloatingPoint.h"
#include "numbertext/FormatFixed.h"
#include "numbertext/FormatGeneral.h"
#include "numbertext/ParseNumber.h"

namespace {

// Any finite double, every binary exponent equally likely, subnormals and both signs
// included (one in sixteen is forced subnormal, as uniform bits would almost never give one).
double AnyFiniteDouble(std::mt19937_64& random) {
  while (true) {
    std::uint64_t bits = random();
    if (bits % 16 == 0) bits &= 0x800F'FFFF'FFFF'FFFFULL;
    const double value = std::bit_cast<double>(bits);
    if (std::isfinite(value)) return value;
  }
}

// Values of the size the results file sees, with a bias to its rounding boundaries: exact
// ties at the fifth decimal and their neighbours, short decimals, and magnitudes spread
// logarithmically from 10^-9 to 10^27.
double FieldSizedDouble(std::mt19937_64& random) {
  std::uniform_int_distribution<std::int64_t> units(0, 100'000'000'000LL);
  const double sign = random() % 2 == 0 ? 1.0 : -1.0;
  switch (random() % 4) {
    case 0: {  // n + 1/2 units of the fifth decimal, and the doubles next to it
      const double tie = (static_cast<double>(units(random)) + 0.5) / 1e5;
      const int step = static_cast<int>(random() % 3) - 1;
      return sign * (step == 0 ? tie : std::nextafter(tie, step * INFINITY));
    }
    case 1: {  // a short decimal with 1 to 8 places
      const int places = 1 + static_cast<int>(random() % 8);
      return sign * static_cast<double>(units(random) % 100'000'000) / std::pow(10.0, places);
    }
    case 2: {  // just below a power of ten or a carry: 9.999995, 99.9999949…
      const int digits = static_cast<int>(random() % 8);
      const double nines = std::pow(10.0, digits) - 0.000005;
      const int step = static_cast<int>(random() % 5) - 2;
      double value = nines;
      for (int i = 0; i < std::abs(step); ++i) value = std::nextafter(value, step * INFINITY);
      return sign * value;
    }
    default: {
      std::uniform_real_distribution<double> decades(-9.0, 27.0);
      return sign * std::pow(10.0, decades(random));
    }
  }
}

void ExpectFieldMatchesReference(double value, int& exactlyModelled) {
  const std::vector<std::string> allowed = fixed_field_reference::AllowedFieldTexts(value);
  if (allowed.size() == 1) ++exactlyModelled;
  const std::string text = FormatFixed(value, 8, 5);
  EXPECT_TRUE(std::find(allowed.begin(), allowed.end(), text) != allowed.end())
      << "value " << std::hexfloat << value << std::defaultfloat << " gave \"" << text
      << "\", reference \"" << allowed[allowed.size() / 2] << '"';
}

TEST(NumberTextProperty, ResultsFieldFollowsTheExactRuleForFieldSizedValues) {
  std::mt19937_64 random(20240531);
  constexpr int kCases = 400'000;
  int exactlyModelled = 0;
  for (int i = 0; i < kCases && !HasFailure(); ++i)
    ExpectFieldMatchesReference(FieldSizedDouble(random), exactlyModelled);
  EXPECT_EQ(exactlyModelled, kCases);  // all of them below 10^27
}

TEST(NumberTextProperty, ResultsFieldFollowsTheExactRuleOverAllDoubles) {
  std::mt19937_64 random(19970101);
  constexpr int kCases = 60'000;
  int exactlyModelled = 0;
  for (int i = 0; i < kCases && !HasFailure(); ++i)
    ExpectFieldMatchesReference(AnyFiniteDouble(random), exactlyModelled);
  // Below about 10^27 the rule is modelled bit for bit: about half of all exponents.
  EXPECT_GT(exactlyModelled, kCases / 3);
}

// The 15-digit text of x is x rounded to 15 significant digits: reading it back gives a
// double within half a unit of the fifteenth digit whose text is the same again. Near the
// top of the double range the rounded text itself lies beyond the range.
void ExpectGeneralTextReadsBack(double value) {
  const std::string text = FormatGeneral(value);
  double readBack = 0;
  try {
    readBack = StoreDouble(ParseNumber(text));
  } catch (const EOverflow&) {
    EXPECT_GT(std::fabs(value), 1.797693134862315e308) << text;
    return;
  }
  EXPECT_EQ(FormatGeneral(readBack), text) << std::hexfloat << value;
  const long double shown = ParseNumber(text);
  EXPECT_LE(std::fabs(shown - value), 0.5000001e-14L * std::fabs(shown))
      << text << " for " << std::hexfloat << value;
  if (value == 0) {
    EXPECT_EQ(text, "0");
  }
}

TEST(NumberTextProperty, GeneralTextReadsBackToTheSameTextUnderBothSeparators) {
  std::mt19937_64 random(4242);
  constexpr int kCases = 100'000;
  for (const char separator : {',', '.'}) {
    const ScopedDecimalSeparator locale(separator);
    for (int i = 0; i < kCases && !HasFailure(); ++i) {
      ExpectGeneralTextReadsBack(AnyFiniteDouble(random));
      ExpectGeneralTextReadsBack(FieldSizedDouble(random));
    }
  }
}

}  // namespace
