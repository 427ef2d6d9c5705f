// The results file's fields, FormatFixed(value, 8, 5), for the exercise's worked examples and
// for boundaries worked by hand from the decimal expansion of each double. Both writers of
// the field, FormatFixed and the results file's own, are held to this one table.
#pragma once

#include <cmath>
#include <iomanip>
#include <ostream>

struct FixedCase {
  double value;
  const char* text;
};

inline void PrintTo(const FixedCase& example, std::ostream* out) {
  *out << std::setprecision(17) << example.value << " as \"" << example.text << '"';
}

inline const FixedCase kWorkedFixedFields[] = {
    {0.0, " 0.00000"},      {-0.0, "-0.00000"},    {-0.000001, "-0.00000"},
    {0.000005, " 0.00001"}, {0.000035, " 0.00004"}, {0.001, " 0.00100"},
    {-0.25, "-0.25000"},    {9.999995, "10.00000"}, {12.5, "12.50000"},
    {123.456, "123.45600"}, {-1234.5678, "-1234.56780"},
    {1e20, "100000000000000000000.00000"},
    {1e40, " 1.0E+0040"},   {-2.5e36, "-2.5E+0036"}};

inline const FixedCase kBoundaryFixedFields[] = {
    // Largest double below 2^120 = 1329227995784915725329854470603931648: 19 real digits,
    // then zeros, 37 integer digits in all.
    {std::nextafter(0x1p120, 0.0), "1329227995784915725000000000000000000.00000"},
    {0x1p120, " 1.3E+0036"}, {-0x1p120, "-1.3E+0036"},
    // 9.96e40 rounds to two digits as 10: the carry moves into the exponent.
    {9.96e40, " 1.0E+0041"},
    // From 10^38 to 1.6·10^38 the mantissa m lies in [10, 16): c is "1", the rounding is
    // still at the second digit after it, and that digit is then dropped.
    {1.29e38, " 1.2E+0038"}, {-1.24e38, "-1.2E+0038"}, {1.55e38, " 1.5E+0038"}, {1.596e38, " 1.6E+0038"},
    // 16000 = 16·10^3 has m = 16, which is taken down to 1.6·10^4.
    {16000.0, "16000.00000"}, {15.999995, "16.00000"},
    // 0.000015 lies just above its double (…0000000013…), so half up goes up.
    {0.000015, " 0.00002"}, {0.0000049999, " 0.00000"},
    {-99999.999995, "-100000.00000"}, {4.9406564584124654e-324, " 0.00000"},
    {-4.9406564584124654e-324, "-0.00000"}, {1.7976931348623157e308, " 1.8E+0308"},
    // The double 1e27 is 1000000000000000013287555072.
    {1e27, "1000000000000000013000000000.00000"}};
