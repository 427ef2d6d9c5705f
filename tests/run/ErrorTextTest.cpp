// The one translation of whatever was raised into the user's text, and the two box texts.
#include <gtest/gtest.h>

#include <exception>
#include <new>
#include <stdexcept>
#include <string>

#include "model/Errors.h"
#include "run/BoxTexts.h"
#include "run/ErrorText.h"
#include "tests/support/DefaultParameters.h"
#include "tests/support/ScopedDecimalSeparator.h"

namespace {

TEST(ErrorText, EveryKindOfErrorHasItsText) {
  const struct {
    std::exception_ptr error;
    const char* text;
  } cases[] = {
      {std::make_exception_ptr(EOverflow()), "Floating point overflow."},
      {std::make_exception_ptr(EInOutError(32)), "I/O error 32."},
      {std::make_exception_ptr(EConvertError("'x' is not a valid floating point value")),
       "'x' is not a valid floating point value."},
      // The library's own exhaustion reads as the program's error of that kind.
      {std::make_exception_ptr(std::bad_alloc()), "Out of memory."},
      {std::make_exception_ptr(std::length_error("vector::reserve")), "vector::reserve."},
      {std::make_exception_ptr(42), "Unknown error."},
  };
  for (const auto& c : cases) EXPECT_EQ(ErrorText(c.error), c.text);
  EXPECT_EQ(ErrorMessage(std::make_exception_ptr(EZeroDivide())), "Floating point division by zero");
}

TEST(BoxTexts, PeriodRule) {
  struct {
    const char* message;
    const char* shown;
  } const cases[] = {{"Floating point overflow", "Floating point overflow."},
                     {"I/O error 32", "I/O error 32."},
                     {"ends with colon:", "ends with colon:."},
                     {"already.", "already."},
                     {"blank ", "blank "},
                     {"dash-", "dash-"},
                     {"bang!", "bang!"},
                     {"slash/", "slash/."},  // 2F, the first code that gets a period
                     {"line\n", "line\n"},
                     {"", ""},
                     {"Шаг времени не увеличивает время", "Шаг времени не увеличивает время."}};
  for (const auto& c : cases) EXPECT_EQ(ErrorBoxText(c.message), c.shown);
}

TEST(BoxTexts, ResultTextUsesTheGeneralFormat) {
  ScopedDecimalSeparator comma(',');
  EXPECT_EQ(ResultBoxText(0.0267125657585205), kDefaultResultText);
  EXPECT_EQ(ResultBoxText(0), "Глобальная погрешность = 0");
}

}  // namespace
