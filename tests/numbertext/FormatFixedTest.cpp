#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "numbertext/FormatFixed.h"
#include "tests/numbertext/FixedFieldExamples.h"

namespace {

class FormatFixedResultsField : public testing::TestWithParam<FixedCase> {};

TEST_P(FormatFixedResultsField, WritesWidthEightWithFiveDecimals) {
  EXPECT_EQ(FormatFixed(GetParam().value, 8, 5), GetParam().text)
      << "value " << GetParam().value;
}

INSTANTIATE_TEST_SUITE_P(WorkedExamples, FormatFixedResultsField, testing::ValuesIn(kWorkedFixedFields));
INSTANTIATE_TEST_SUITE_P(Boundaries, FormatFixedResultsField, testing::ValuesIn(kBoundaryFixedFields));

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
