#include <gtest/gtest.h>

#include <ostream>

#include <cfenv>
#include <cmath>
#include <string>

#include "tests/numbertext/ExtendedBits.h"
#include "tests/support/ScopedDecimalSeparator.h"
#include "model/Errors.h"
#include "model/FloatingPoint.h"
#include "numbertext/ParseNumber.h"

namespace {

std::string NotANumberMessage(const std::string& text) {
  return "'" + text + "' is not a valid floating point value";
}

// Expects EConvertError quoting the whole text as passed.
void ExpectNotANumber(const std::string& text) {
  try {
    const Extended value = ParseNumber(text);
    ADD_FAILURE() << "'" << text << "' parsed as " << static_cast<double>(value);
  } catch (const EConvertError& error) {
    EXPECT_EQ(error.Message(), NotANumberMessage(text));
  }
}

// Expected values are the decimal numbers rounded to the nearest extended value by the
// compiler's literals: where I and the power of ten are exact, one correctly rounded
// operation gives exactly that.
struct ParsedCase {
  const char* text;
  Extended expected;
};

void PrintTo(const ParsedCase& example, std::ostream* out) { *out << '"' << example.text << '"'; }

class ParseNumberWithComma : public testing::TestWithParam<ParsedCase> {};

TEST_P(ParseNumberWithComma, GivesTheValueBitForBit) {
  const ScopedDecimalSeparator comma(',');
  const ParsedCase& example = GetParam();
  EXPECT_EQ(ExtendedBits(ParseNumber(example.text)), ExtendedBits(example.expected))
      << '"' << example.text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    WorkedExamples, ParseNumberWithComma,
    testing::Values(ParsedCase{"0", 0.0L}, ParsedCase{"0,001", 0.001L},
                    ParsedCase{"  1,5  ", 1.5L}, ParsedCase{"+2", 2.0L},
                    ParsedCase{"-,5", -0.5L}, ParsedCase{",", 0.0L}, ParsedCase{"-0", -0.0L},
                    ParsedCase{"5e-6", 5e-6L}, ParsedCase{"1E+3", 1000.0L},
                    ParsedCase{"1e", 1.0L}, ParsedCase{"1e0000000005", 100000.0L},
                    ParsedCase{"1e500", 1e500L}, ParsedCase{"1e-4999", 0.0L}));

INSTANTIATE_TEST_SUITE_P(
    MoreForms, ParseNumberWithComma,
    testing::Values(ParsedCase{",e3", 0.0L}, ParsedCase{"-,", -0.0L}, ParsedCase{"1e+", 1.0L},
                    ParsedCase{"1e-", 1.0L}, ParsedCase{"7,", 7.0L},
                    ParsedCase{"1e500   ", 1e500L}, ParsedCase{"-1e-500", -1e-500L},
                    ParsedCase{"0,000035", 0.000035L},
                    // 19 digits are still exact; the last one is not lost.
                    ParsedCase{"9999999999999999999", 9999999999999999999.0L},
                    ParsedCase{"123456789,0123456789", 123456789.0123456789L},
                    ParsedCase{"1e4932", 1e4932L}, ParsedCase{"+0e4999", 0.0L}));

class ParseNumberRejectsWithComma : public testing::TestWithParam<const char*> {};

TEST_P(ParseNumberRejectsWithComma, RaisesConvertErrorQuotingTheText) {
  const ScopedDecimalSeparator comma(',');
  ExpectNotANumber(GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    WorkedExamples, ParseNumberRejectsWithComma,
    testing::Values("1.5", "1 000", "1,2,3", "12abc", "0x10", "", "   ", "-", "e5", "\t1",
                    "1e4933", "1e5000", "1e-5000"));

INSTANTIATE_TEST_SUITE_P(
    MoreForms, ParseNumberRejectsWithComma,
    testing::Values("+", "--1", "+-1", "1\t", " 0,5\t", "1e5 0", "1e+-5", "1ee5", "1e5,", "E",
                    ",,", "1 e5", "- 1", "1e500x", "1e4999", "inf", "NaN", "1\xa0"));

TEST(ParseNumber, EmbeddedNulIsNotTheEndOfTheText) {
  const ScopedDecimalSeparator comma(',');
  ExpectNotANumber(std::string("1\0", 2));
}

TEST(ParseNumber, MessageQuotesEmptyAndBlankTextsAsTyped) {
  const ScopedDecimalSeparator comma(',');
  EXPECT_THROW(
      {
        try {
          ParseNumber("");
        } catch (const EConvertError& error) {
          EXPECT_STREQ(error.what(), "'' is not a valid floating point value");
          throw;
        }
      },
      EConvertError);
  EXPECT_THROW(
      {
        try {
          ParseNumber("   ");
        } catch (const EConvertError& error) {
          EXPECT_STREQ(error.what(), "'   ' is not a valid floating point value");
          throw;
        }
      },
      EConvertError);
}

// The separator is read at every call: the same texts swap roles with the locale.
struct SeparatorCase {
  char separator;
  const char* accepted;
  const char* rejected;
};

void PrintTo(const SeparatorCase& example, std::ostream* out) {
  *out << "separator '" << example.separator << "'";
}

class ParseNumberSeparator : public testing::TestWithParam<SeparatorCase> {};

TEST_P(ParseNumberSeparator, FollowsTheLocaleAtEveryCall) {
  const ScopedDecimalSeparator locale(GetParam().separator);
  EXPECT_EQ(ExtendedBits(ParseNumber(GetParam().accepted)), ExtendedBits(0.5L));
  ExpectNotANumber(GetParam().rejected);
  // No separator in these: they parse under every locale.
  EXPECT_EQ(StoreDouble(ParseNumber("5e-6")), 5e-6);
  EXPECT_EQ(StoreDouble(ParseNumber("9000")), 9000.0);
}

INSTANTIATE_TEST_SUITE_P(CommaAndPoint, ParseNumberSeparator,
                         testing::Values(SeparatorCase{',', "0,5", "0.5"},
                                         SeparatorCase{'.', "0.5", "0,5"}));

TEST(ParseNumber, SwitchingTheSeparatorBetweenCallsTakesEffectAtOnce) {
  const ScopedDecimalSeparator comma(',');
  EXPECT_EQ(ParseNumber("0,25"), 0.25L);
  {
    const ScopedDecimalSeparator point('.');
    ExpectNotANumber("0,25");
    EXPECT_EQ(ParseNumber("0.25"), 0.25L);
  }
  EXPECT_EQ(ParseNumber("0,25"), 0.25L);
}

TEST(ParseNumber, BlanksAroundAreSpacesOnly) {
  const ScopedDecimalSeparator comma(',');
  EXPECT_EQ(ParseNumber("   -1,5   "), -1.5L);
  for (const char* text : {"\t1", "1\t", "\n1", "1\r\n", "\v1", "\f1"}) ExpectNotANumber(text);
}

TEST(ParseNumber, ValuesBeyondTheDoubleRangeFailOnlyWhenStored) {
  const ScopedDecimalSeparator comma(',');
  const Extended huge = ParseNumber("1,5e1000");
  EXPECT_GT(huge, 1e999L);
  EXPECT_THROW(static_cast<void>(StoreDouble(huge)), EOverflow);
  EXPECT_THROW(static_cast<void>(StoreDouble(ParseNumber("1e400"))), EOverflow);
  EXPECT_THROW(static_cast<void>(StoreDouble(ParseNumber("-1e400"))), EOverflow);
}

TEST(ParseNumber, ValuesBelowTheDoubleRangeBecomeSubnormalOrZeroWhenStored) {
  const ScopedDecimalSeparator comma(',');
  EXPECT_EQ(StoreDouble(ParseNumber("1e-320")), 1e-320);
  EXPECT_EQ(StoreDouble(ParseNumber("4,9406564584124654e-324")), 4.9406564584124654e-324);
  const double belowEverything = StoreDouble(ParseNumber("-1e-400"));
  EXPECT_EQ(belowEverything, 0.0);
  EXPECT_TRUE(std::signbit(belowEverything));
}

TEST(ParseNumber, ExtendedUnderflowGivesZeroAndSubnormalsSurvive) {
  const ScopedDecimalSeparator comma(',');
  // The smallest extended value is about 3.65e-4951.
  EXPECT_GT(ParseNumber("1e-4945"), 0.0L);
  EXPECT_EQ(ExtendedBits(ParseNumber("1e-4960")), ExtendedBits(0.0L));
  EXPECT_EQ(ExtendedBits(ParseNumber("-1e-4960")), ExtendedBits(-0.0L));
}

TEST(ParseNumber, DigitsBeyondTheExtendedRangeAreNotANumber) {
  const ScopedDecimalSeparator comma(',');
  // 10^4932 is below the largest extended value (about 1.19e4932), 10^4933 above it.
  EXPECT_TRUE(std::isfinite(ParseNumber("1" + std::string(4932, '0'))));
  ExpectNotANumber("1" + std::string(4933, '0'));
  // Scaled down by the exponent the value would fit, but the digits themselves overflow.
  ExpectNotANumber("1" + std::string(4933, '0') + "e-500");
}

TEST(ParseNumber, VeryLongFractionsScaleBeyondTheLargestTablePower) {
  const ScopedDecimalSeparator comma(',');
  // 0,(600 zeros)1(4899 zeros): I is 10^4899 and the scale 10^-5500, beyond 10^4608.
  const std::string text = "0," + std::string(600, '0') + "1" + std::string(4899, '0');
  const Extended value = ParseNumber(text);
  EXPECT_NEAR(static_cast<double>(value / 1e-601L), 1.0, 1e-15);
  // And a fraction that long with few digits underflows to zero.
  EXPECT_EQ(ParseNumber("0," + std::string(20000, '0') + "7"), 0.0L);
}

TEST(ParseNumber, FaultsInsideTheParseLeaveNoTraceAndNeverTrap) {
  const ScopedDecimalSeparator comma(',');
  std::feclearexcept(FE_ALL_EXCEPT);
  // A caller that traps overflow must still get the conversion error, not a signal.
  feenableexcept(FE_OVERFLOW | FE_INVALID | FE_DIVBYZERO);
  ExpectNotANumber("1e4933");
  ExpectNotANumber("9" + std::string(5000, '9'));
  const Extended tiny = ParseNumber("1e-4960");
  const int flagsAfterwards = std::fetestexcept(FE_ALL_EXCEPT);
  const int trapsAfterwards = fegetexcept();
  fedisableexcept(FE_ALL_EXCEPT);
  EXPECT_EQ(tiny, 0.0L);
  EXPECT_EQ(trapsAfterwards, FE_OVERFLOW | FE_INVALID | FE_DIVBYZERO);
  EXPECT_EQ(flagsAfterwards, 0);
}

}  // namespace
