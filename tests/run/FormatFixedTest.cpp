#include <gtest/gtest.h>

#include <iomanip>
#include <ostream>

#include <cmath>
#include <string>

#include "run/FormatFixed.h"

namespace {

struct FixedCase {
  double value;
  const char* text;
};

void PrintTo(const FixedCase& example, std::ostream* out) {
  *out << std::setprecision(17) << example.value << " as \"" << example.text << '"';
}

class FormatFixedResultsField : public testing::TestWithParam<FixedCase> {};

TEST_P(FormatFixedResultsField, WritesWidthEightWithFiveDecimals) {
  EXPECT_EQ(FormatFixed(GetParam().value, 8, 5), GetParam().text)
      << "value " << GetParam().value;
}

INSTANTIATE_TEST_SUITE_P(
    WorkedExamples, FormatFixedResultsField,
    testing::Values(FixedCase{0.0, " 0.00000"}, FixedCase{-0.0, "-0.00000"},
                    FixedCase{-0.000001, "-0.00000"}, FixedCase{0.000005, " 0.00001"},
                    FixedCase{0.000035, " 0.00004"}, FixedCase{0.001, " 0.00100"},
                    FixedCase{-0.25, "-0.25000"}, FixedCase{9.999995, "10.00000"},
                    FixedCase{12.5, "12.50000"}, FixedCase{123.456, "123.45600"},
                    FixedCase{-1234.5678, "-1234.56780"},
                    FixedCase{1e20, "100000000000000000000.00000"},
                    FixedCase{1e40, " 1.0E+0040"}, FixedCase{-2.5e36, "-2.5E+0036"}));

// Expected texts worked by hand from the decimal expansion of each double.
INSTANTIATE_TEST_SUITE_P(
    Boundaries, FormatFixedResultsField,
    testing::Values(
        // Largest double below 2^120 = 1329227995784915725329854470603931648: 19 real
        // digits, then zeros, 37 integer digits in all.
        FixedCase{std::nextafter(0x1p120, 0.0), "1329227995784915725000000000000000000.00000"},
        FixedCase{0x1p120, " 1.3E+0036"}, FixedCase{-0x1p120, "-1.3E+0036"},
        // 9.96e40 rounds to two digits as 10: the carry moves into the exponent.
        FixedCase{9.96e40, " 1.0E+0041"},
        // From 10^38 to 1.6·10^38 the mantissa m lies in [10, 16): c is "1", the rounding
        // is still at the second digit after it, and that digit is then dropped.
        FixedCase{1.29e38, " 1.2E+0038"}, FixedCase{-1.24e38, "-1.2E+0038"},
        FixedCase{1.55e38, " 1.5E+0038"}, FixedCase{1.596e38, " 1.6E+0038"},
        // 16000 = 16·10^3 has m = 16, which is taken down to 1.6·10^4.
        FixedCase{16000.0, "16000.00000"}, FixedCase{15.999995, "16.00000"},
        // 0.000015 lies just above its double (…0000000013…), so half up goes up.
        FixedCase{0.000015, " 0.00002"}, FixedCase{0.0000049999, " 0.00000"},
        FixedCase{-99999.999995, "-100000.00000"}, FixedCase{4.9406564584124654e-324, " 0.00000"},
        FixedCase{-4.9406564584124654e-324, "-0.00000"}, FixedCase{1.7976931348623157e308, " 1.8E+0308"},
        // The double 1e27 is 1000000000000000013287555072.
        FixedCase{1e27, "1000000000000000013000000000.00000"}));

TEST(FormatFixed, OtherWidthsAndDecimals) {
  struct {
    double value;
    int width, decimals;
    const char* text;
  } const cases[] = {
      {0.5, 0, 0, "1"},        // half up from the 17-place string
      {2.5, 3, 0, "  3"},      {-0.4, 0, 0, "-0"},  {3.14159, 10, 2, "      3.14"},
      {1e40, 20, 5, " 1.00000000000E+0040"},  // 12 significant digits, no blanks
      // The double 1e40 is 1.00000000000000003037…·10^40: 18 digits show it; 4 blanks.
      {1e40, 30, 0, "     1.00000000000000003E+0040"},
      {-1e40, 11, 0, "-1.00E+0040"},  // width 11: 3 digits, 0 blanks, sign in place
      {1.0, -5, -3, "1"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(FormatFixed(c.value, c.width, c.decimals), c.text)
        << c.value << " width " << c.width << " decimals " << c.decimals;
}

TEST(FormatFixed, WidthAndDecimalsAreLimitedSoTheTextNeverExceeds255) {
  EXPECT_EQ(FormatFixed(1.0, 1000, 5), std::string(255 - 7, ' ') + "1.00000");
  EXPECT_EQ(FormatFixed(1.0, 8, 300), "1." + std::string(216, '0'));
  const std::string widest = FormatFixed(-std::nextafter(0x1p120, 0.0), 8, 1000);
  EXPECT_EQ(widest.size(), 255u);
  EXPECT_EQ(widest.substr(0, 20), "-1329227995784915725");
}

TEST(FormatFixed, OnlyEighteenOrNineteenSignificantDigitsAreReal) {
  // 2^100 = 1267650600228229401496703205376 = 1.26765060022822940149…·10^30: with c = 0
  // only d1 … d18 are real.
  EXPECT_EQ(FormatFixed(0x1p100, 8, 5), "1267650600228229400000000000000.00000");
  // 0.1 is 0.1000000000000000055511151231257827…: to 17 places 0.10000000000000001.
  EXPECT_EQ(FormatFixed(0.1, 8, 20), "0.10000000000000001000");
}

}  // namespace
