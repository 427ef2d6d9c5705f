// The results file's field writer against FormatFixed(value, 8, 5), byte for byte.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>

#include "numbertext/FormatFixed.h"
#include "output/ResultsFieldText.h"
#include "tests/numbertext/FixedFieldExamples.h"

namespace {

std::string Field(double value) {
  char out[kResultsFieldCapacity];
  return std::string(out, WriteResultsField(value, out));
}

TEST(ResultsFieldText, WritesTheFieldsOfTheWorkedExamplesAndBoundaries) {
  for (const FixedCase& e : kWorkedFixedFields) EXPECT_EQ(Field(e.value), e.text) << e.value;
  for (const FixedCase& e : kBoundaryFixedFields) EXPECT_EQ(Field(e.value), e.text) << e.value;
}

void ExpectSameAsFormatFixed(double value) {
  ASSERT_EQ(Field(value), FormatFixed(value, 8, 5)) << std::hexfloat << value;
}

TEST(ResultsFieldText, MatchesFormatFixedOnRandomValuesOfEveryMagnitude) {
  std::mt19937_64 random(2024);
  for (int i = 0; i < 1'000'000; ++i) {
    // Uniform in the exponent from 1e-9 to 1e14, either sign.
    const double magnitude = std::pow(10.0, std::uniform_real_distribution<double>(-9, 14)(random));
    ASSERT_NO_FATAL_FAILURE(ExpectSameAsFormatFixed(random() % 2 ? magnitude : -magnitude));
  }
}

TEST(ResultsFieldText, MatchesFormatFixedAtEveryRoundingBoundary) {
  // Halfway points k*1e-5 + 5e-6 and a few doubles either side, where the double rounding
  // (to 17 decimals, then half up) decides; and carries such as 9.999995 and 99999.999995.
  std::mt19937_64 random(99);
  for (int i = 0; i < 300'000; ++i) {
    const int decades = static_cast<int>(random() % 12);
    const double k = std::floor(std::uniform_real_distribution<double>(0, 1e5)(random)) +
                     (random() % 4 == 0 ? 99999 : 0);
    double value = (k * 1e-5 + 5e-6) * std::pow(10.0, decades);
    if (random() % 3 == 0) value = (k + 1) * std::pow(10.0, decades) - 5e-6;
    for (int ulps = -3; ulps <= 3; ++ulps) {
      double v = value;
      for (int s = 0; s < std::abs(ulps); ++s) v = std::nextafter(v, ulps < 0 ? 0.0 : 1e300);
      ASSERT_NO_FATAL_FAILURE(ExpectSameAsFormatFixed(v));
      ASSERT_NO_FATAL_FAILURE(ExpectSameAsFormatFixed(-v));
    }
  }
}

TEST(ResultsFieldText, MatchesFormatFixedOnSpecialValues) {
  for (double v : {0.0, -0.0, 5e-324, -5e-324, 2.2250738585072014e-308, 9.999995, 9.9999949999999,
                   10.0, 15.999999, 16.0, 99.999995, 99999999999.999995, 1e11, 1e12, 999999999999.5,
                   1e13, std::ldexp(1.0, 120), std::nextafter(std::ldexp(1.0, 120), 0.0), 1e300,
                   std::numeric_limits<double>::max(), std::numeric_limits<double>::infinity(),
                   -std::numeric_limits<double>::infinity(),
                   std::numeric_limits<double>::quiet_NaN()}) {
    ExpectSameAsFormatFixed(v);
    ExpectSameAsFormatFixed(-v);
  }
}

}  // namespace
