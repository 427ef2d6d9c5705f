#include <gtest/gtest.h>

#include <iomanip>
#include <ostream>

#include <cmath>
#include <string>

#include "tests/support/ScopedDecimalSeparator.h"
#include "numbertext/FormatGeneral.h"

namespace {

struct GeneralCase {
  double value;
  const char* text;
};

void PrintTo(const GeneralCase& example, std::ostream* out) {
  *out << std::setprecision(17) << example.value << " as \"" << example.text << '"';
}

class FormatGeneralWithComma : public testing::TestWithParam<GeneralCase> {};

TEST_P(FormatGeneralWithComma, WritesFifteenSignificantDigits) {
  const ScopedDecimalSeparator comma(',');
  EXPECT_EQ(FormatGeneral(GetParam().value), GetParam().text) << "value " << GetParam().value;
}

INSTANTIATE_TEST_SUITE_P(
    WorkedExamples, FormatGeneralWithComma,
    testing::Values(GeneralCase{0.0, "0"}, GeneralCase{-0.0, "0"}, GeneralCase{3.0, "3"},
                    GeneralCase{100.0, "100"}, GeneralCase{-0.25, "-0,25"},
                    GeneralCase{0.001, "0,001"}, GeneralCase{0.0001, "0,0001"},
                    GeneralCase{0.00009999, "9,999E-5"}, GeneralCase{0.000015, "1,5E-5"},
                    GeneralCase{0.1 + 0.2, "0,3"}, GeneralCase{2.0 / 3.0, "0,666666666666667"},
                    GeneralCase{999999999999999.0, "999999999999999"},
                    GeneralCase{1e15, "1E15"},
                    GeneralCase{1234567890123456.0, "1,23456789012346E15"},
                    GeneralCase{-2.5e36, "-2,5E36"}));

// Expected texts from the decimal expansion of each double, cut to 15 digits half up.
INSTANTIATE_TEST_SUITE_P(
    Boundaries, FormatGeneralWithComma,
    testing::Values(
        // 9.99999999999999822…: the sixteenth digit carries through all fifteen.
        GeneralCase{std::nextafter(10.0, 0.0), "10"},
        GeneralCase{std::nextafter(1.0, 0.0), "1"},
        // 999999999999999.875 carries into the exponent form.
        GeneralCase{999999999999999.875, "1E15"},
        GeneralCase{-999999999999999.0, "-999999999999999"},
        GeneralCase{0.00010000000000000002, "0,0001"},
        GeneralCase{0.000099999999999999995, "0,0001"},  // carries back over the boundary
        GeneralCase{123456789012345.6, "123456789012346"},
        GeneralCase{100000000000000.5, "100000000000001"},  // half up, not to even
        GeneralCase{1e100, "1E100"}, GeneralCase{-1e-100, "-1E-100"},
        GeneralCase{0.5, "0,5"}, GeneralCase{12.25, "12,25"},
        // The smallest subnormal 4.9406564584124654417…e-324 and the largest double
        // 1.7976931348623157081…e308.
        GeneralCase{4.9406564584124654e-324, "4,94065645841247E-324"},
        GeneralCase{1.7976931348623157e308, "1,79769313486232E308"},
        // 2^-877 = 9.92416103329609567…e-265 and 2^-681 = 9.96719495109756753…e-206, where
        // the binary estimate of the decimal exponent is one too high.
        GeneralCase{0x1p-877, "9,9241610332961E-265"},
        GeneralCase{0x1p-681, "9,96719495109757E-206"}));

TEST(FormatGeneral, UsesTheLocaleSeparatorAtEveryCall) {
  {
    const ScopedDecimalSeparator point('.');
    EXPECT_EQ(FormatGeneral(0.0267126), "0.0267126");
    EXPECT_EQ(FormatGeneral(-1.5e-5), "-1.5E-5");
  }
  {
    const ScopedDecimalSeparator comma(',');
    EXPECT_EQ(FormatGeneral(0.0267126), "0,0267126");
  }
}

}  // namespace
