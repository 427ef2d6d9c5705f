#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "ScopedDecimalSeparator.h"
#include "model/Errors.h"
#include "run/FieldParameters.h"

namespace {

// Field texts by name, starting from the window's defaults; remembers the order of reading.
class TextFields : public ParameterFields {
 public:
  TextFields() {
    for (const FieldDefault& field : kParameterFieldDefaults) {
      texts_[std::string(field.fieldName)] = std::string(field.defaultText);
    }
  }
  void Set(const std::string& name, const std::string& text) { texts_.at(name) = text; }
  std::string FieldText(std::string_view fieldName) const override {
    reads.emplace_back(fieldName);
    return texts_.at(std::string(fieldName));
  }
  mutable std::vector<std::string> reads;

 private:
  std::map<std::string, std::string> texts_;
};

const std::vector<std::string> kReadingOrder = {"Edit1",  "Edit2", "Edit5",  "Edit9", "Edit10",
                                                "Edit6",  "Edit7", "Edit13", "Edit11"};

std::vector<std::string> ReadingOrderUpTo(const std::string& last) {
  std::vector<std::string> order;
  for (const std::string& name : kReadingOrder) {
    order.push_back(name);
    if (name == last) break;
  }
  return order;
}

TEST(FieldParameters, DefaultTextsUnderACommaLocaleGiveTheDefaultParameters) {
  const ScopedDecimalSeparator comma(',');
  TextFields fields;
  const CalcParams params = FieldParameters(fields).ReadCalcParams();

  EXPECT_EQ(fields.reads, kReadingOrder);
  const CalcParams expected = DefaultCalcParams();
  EXPECT_EQ(params.T1, expected.T1);
  EXPECT_EQ(params.T4, 0.5);
  EXPECT_EQ(params.Step, 0.001);
  EXPECT_EQ(params.T2, 0.1);
  EXPECT_EQ(params.T3, 0.4);
  EXPECT_EQ(params.Amplitude, 3);
  EXPECT_EQ(params.R, 9000);
  EXPECT_EQ(params.C, 5e-6);
  EXPECT_EQ(params.U0, expected.U0);
}

TEST(FieldParameters, EachFieldFeedsItsOwnParameter) {
  const ScopedDecimalSeparator comma(',');
  TextFields fields;
  // Nine distinct values, so a swapped pair of fields shows.
  const std::map<std::string, double> values = {
      {"Edit1", 1}, {"Edit2", 2}, {"Edit5", 3}, {"Edit9", 4}, {"Edit10", 5},
      {"Edit6", 6}, {"Edit7", 7}, {"Edit13", 8}, {"Edit11", 9}};
  for (const auto& [name, value] : values) fields.Set(name, std::to_string(static_cast<int>(value)));
  const CalcParams params = FieldParameters(fields).ReadCalcParams();
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

TEST(FieldParameters, TextsAreTakenUntrimmedAndStoredAsDoubles) {
  const ScopedDecimalSeparator comma(',');
  TextFields fields;
  fields.Set("Edit2", " 0,5 ");
  fields.Set("Edit1", "-0");
  fields.Set("Edit11", "1e-400");  // below the smallest double: zero, no error
  fields.Set("Edit9", "0,1000000000000000055511151231257827");
  const CalcParams params = FieldParameters(fields).ReadCalcParams();
  EXPECT_EQ(params.T4, 0.5);
  EXPECT_TRUE(params.T1 == 0 && std::signbit(params.T1));
  EXPECT_EQ(params.U0, 0);
  EXPECT_EQ(params.T2, 0.1);
}

struct BadFieldCase {
  const char* name;
  char separator;
  std::map<std::string, std::string> texts;
  std::string message;
  std::string lastFieldRead;
  bool overflow;
};

void PrintTo(const BadFieldCase& example, std::ostream* out) { *out << example.name; }

class FieldParametersFailure : public testing::TestWithParam<BadFieldCase> {};

TEST_P(FieldParametersFailure, StopsAtTheFirstBadFieldWithItsError) {
  const BadFieldCase& example = GetParam();
  const ScopedDecimalSeparator separator(example.separator);
  TextFields fields;
  for (const auto& [name, text] : example.texts) fields.Set(name, text);
  try {
    FieldParameters(fields).ReadCalcParams();
    FAIL() << "no error";
  } catch (const EOverflow& error) {
    EXPECT_TRUE(example.overflow);
    EXPECT_EQ(error.Message(), example.message);
  } catch (const EConvertError& error) {
    EXPECT_FALSE(example.overflow);
    EXPECT_EQ(error.Message(), example.message);
  }
  EXPECT_EQ(fields.reads, ReadingOrderUpTo(example.lastFieldRead));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, FieldParametersFailure,
    testing::Values(
        BadFieldCase{"LettersInTheStep", ',', {{"Edit5", "abc"}},
                     "'abc' is not a valid floating point value", "Edit5", false},
        BadFieldCase{"EmptyT4", ',', {{"Edit2", ""}}, "'' is not a valid floating point value",
                     "Edit2", false},
        BadFieldCase{"DefaultsUnderAPointLocale", '.', {},
                     "'0,5' is not a valid floating point value", "Edit2", false},
        BadFieldCase{"OnlyTheFirstOfTwoBadTexts", ',', {{"Edit2", "x"}, {"Edit13", "y"}},
                     "'x' is not a valid floating point value", "Edit2", false},
        BadFieldCase{"BlanksKeptInTheMessage", ',', {{"Edit6", " 3 3 "}},
                     "' 3 3 ' is not a valid floating point value", "Edit6", false},
        BadFieldCase{"ResistanceBeyondTheDoubleRange", ',', {{"Edit7", "1e400"}},
                     "Floating point overflow", "Edit7", true},
        BadFieldCase{"LastFieldBeyondTheDoubleRange", ',', {{"Edit11", "-1e309"}},
                     "Floating point overflow", "Edit11", true}),
    [](const testing::TestParamInfo<BadFieldCase>& info) { return info.param.name; });

}  // namespace
