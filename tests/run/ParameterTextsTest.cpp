// Reading the nine parameter texts: the order of reading, which text feeds which parameter,
// untrimmed texts stored as doubles, and the first bad text stopping the reading with its
// error.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "model/Errors.h"
#include "run/ParameterTexts.h"
#include "tests/support/DefaultParameters.h"
#include "tests/support/ScopedDecimalSeparator.h"

namespace {

// Texts by parameter, starting from the default texts; remembers the order of reading.
class TypedTexts : public ParameterTexts {
 public:
  TypedTexts() {
    for (const ParameterInfo& entry : kParameterTable) texts_[entry.parameter] = std::string(entry.defaultText);
  }
  void Set(Parameter parameter, const std::string& text) { texts_.at(parameter) = text; }
  std::string Text(Parameter parameter) const override {
    reads.push_back(parameter);
    return texts_.at(parameter);
  }
  mutable std::vector<Parameter> reads;

 private:
  std::map<Parameter, std::string> texts_;
};

using enum Parameter;

// The exercise's reading order: t1, t4, the step, t2, t3, the voltage, R, C, the initial value.
const std::vector<Parameter> kReadingOrder = {T1, T4, Step, T2, T3, Amplitude, R, C, U0};

std::vector<Parameter> ReadingOrderUpTo(Parameter last) {
  std::vector<Parameter> order;
  for (const Parameter parameter : kReadingOrder) {
    order.push_back(parameter);
    if (parameter == last) break;
  }
  return order;
}

TEST(ParameterTexts, DefaultTextsUnderACommaLocaleGiveTheDefaultParameters) {
  const ScopedDecimalSeparator comma(',');
  TypedTexts texts;
  const CalcParams params = ReadCalcParams(texts);

  EXPECT_EQ(texts.reads, kReadingOrder);
  const CalcParams expected = DefaultCalcParams();
  for (const ParameterInfo& entry : kParameterTable)
    EXPECT_EQ(params.*entry.member, expected.*entry.member) << entry.option;
}

TEST(ParameterTexts, EachTextFeedsItsOwnParameter) {
  const ScopedDecimalSeparator comma(',');
  TypedTexts texts;
  // Nine distinct values, so a swapped pair of entries shows.
  const std::map<Parameter, int> values = {{T1, 1}, {T4, 2}, {Step, 3}, {T2, 4}, {T3, 5},
                                           {Amplitude, 6}, {R, 7}, {C, 8}, {U0, 9}};
  for (const auto& [parameter, value] : values) texts.Set(parameter, std::to_string(value));
  const CalcParams params = ReadCalcParams(texts);
  EXPECT_EQ(params.T1, 1);
  EXPECT_EQ(params.T4, 2);
  EXPECT_EQ(params.Step, 3);
  EXPECT_EQ(params.T2, 4);
  EXPECT_EQ(params.T3, 5);
  EXPECT_EQ(params.Amplitude, 6);
  EXPECT_EQ(params.R, 7);
  EXPECT_EQ(params.C, 8);
  EXPECT_EQ(params.U0, 9);
}

TEST(ParameterTexts, TextsAreTakenUntrimmedAndStoredAsDoubles) {
  const ScopedDecimalSeparator comma(',');
  TypedTexts texts;
  texts.Set(T4, " 0,5 ");
  texts.Set(T1, "-0");
  texts.Set(U0, "1e-400");  // below the smallest double: zero, no error
  texts.Set(T2, "0,1000000000000000055511151231257827");
  const CalcParams params = TypedParameters(texts).ReadCalcParams();
  EXPECT_EQ(params.T4, 0.5);
  EXPECT_TRUE(params.T1 == 0 && std::signbit(params.T1));
  EXPECT_EQ(params.U0, 0);
  EXPECT_EQ(params.T2, 0.1);
}

struct BadTextCase {
  const char* name;
  char separator;
  std::map<Parameter, std::string> texts;
  std::string message;
  Parameter lastRead;
  bool overflow;
};

void PrintTo(const BadTextCase& example, std::ostream* out) { *out << example.name; }

class ParameterTextsFailure : public testing::TestWithParam<BadTextCase> {};

TEST_P(ParameterTextsFailure, StopsAtTheFirstBadTextWithItsError) {
  const BadTextCase& example = GetParam();
  const ScopedDecimalSeparator separator(example.separator);
  TypedTexts texts;
  for (const auto& [parameter, text] : example.texts) texts.Set(parameter, text);
  try {
    ReadCalcParams(texts);
    FAIL() << "no error";
  } catch (const EOverflow& error) {
    EXPECT_TRUE(example.overflow);
    EXPECT_EQ(error.Message(), example.message);
  } catch (const EConvertError& error) {
    EXPECT_FALSE(example.overflow);
    EXPECT_EQ(error.Message(), example.message);
  }
  EXPECT_EQ(texts.reads, ReadingOrderUpTo(example.lastRead));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ParameterTextsFailure,
    testing::Values(
        BadTextCase{"LettersInTheStep", ',', {{Step, "abc"}}, "'abc' is not a valid floating point value", Step, false},
        BadTextCase{"EmptyT4", ',', {{T4, ""}}, "'' is not a valid floating point value", T4, false},
        BadTextCase{"CommaTextsUnderAPointLocale", '.', {}, "'0,5' is not a valid floating point value", T4, false},
        BadTextCase{"OnlyTheFirstOfTwoBadTexts", ',', {{T4, "x"}, {C, "y"}}, "'x' is not a valid floating point value",
                    T4, false},
        BadTextCase{"BlanksKeptInTheMessage", ',', {{Amplitude, " 3 3 "}},
                    "' 3 3 ' is not a valid floating point value", Amplitude, false},
        BadTextCase{"ResistanceBeyondTheDoubleRange", ',', {{R, "1e400"}}, "Floating point overflow", R, true},
        BadTextCase{"LastTextBeyondTheDoubleRange", ',', {{U0, "-1e309"}}, "Floating point overflow", U0, true}),
    [](const testing::TestParamInfo<BadTextCase>& info) { return info.param.name; });

// The defaults as shown take the separator in force, so they read back as the default
// parameters under a point locale as under a comma one.
TEST(ParameterTexts, DefaultTextsReadUnderEverySeparator) {
  struct Defaults : ParameterTexts {
    std::string Text(Parameter parameter) const override { return DefaultText(parameter); }
  } defaults;
  for (const char separator : {',', '.'}) {
    const ScopedDecimalSeparator scoped(separator);
    EXPECT_EQ(DefaultText(T4), (std::string{'0', separator, '5'}));
    EXPECT_EQ(DefaultText(C), "5e-6");
    const CalcParams params = ReadCalcParams(defaults);
    const CalcParams expected = DefaultCalcParams();
    for (const ParameterInfo& entry : kParameterTable)
      EXPECT_EQ(params.*entry.member, expected.*entry.member) << entry.option << " with " << separator;
  }
}

// Every parameter has a runner option of its own and a default text that reads as a number.
TEST(ParameterTable, OptionsAreDistinctAndDefaultsRead) {
  const ScopedDecimalSeparator comma(',');
  for (std::size_t i = 0; i < kParameterTable.size(); ++i) {
    for (std::size_t j = i + 1; j < kParameterTable.size(); ++j)
      EXPECT_NE(kParameterTable[i].option, kParameterTable[j].option);
    for (std::size_t j = i + 1; j < kParameterTable.size(); ++j)
      EXPECT_NE(kParameterTable[i].member, kParameterTable[j].member) << kParameterTable[i].option;
    EXPECT_FALSE(kParameterTable[i].unit.empty());
    EXPECT_FALSE(kParameterTable[i].meaning.empty());
  }
}

}  // namespace
