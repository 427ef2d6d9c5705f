// Fuzz target: every byte string under both separators. ParseNumber must return a number or
// raise EConvertError quoting the text, never anything else, and leave no floating-point
// flags behind. An accepted value that fits a double must survive the 15-digit text:
// FormatGeneral of it reads back to a double with the same text. (Reading back to the same
// double cannot hold: 15 digits do not identify a double.)
#include <cfenv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "model/Errors.h"
#include "model/FloatingPoint.h"
#include "numbertext/FormatFixed.h"
#include "numbertext/FormatGeneral.h"
#include "numbertext/LocaleDecimalSeparator.h"
#include "numbertext/ParseNumber.h"

namespace {

// Every double above this rounds to a 15-digit text beyond the double range.
constexpr double kLargestReadableBack = 1.797693134862315e308;

[[noreturn]] void Fail(const char* what, std::string_view text) {
  std::fprintf(stderr, "%s: '%.*s'\n", what, static_cast<int>(text.size()), text.data());
  std::abort();
}

void CheckFifteenDigitTextReadsBack(double value) {
  const std::string text = FormatGeneral(value);
  double readBack = 0;
  try {
    readBack = StoreDouble(ParseNumber(text));
  } catch (const EOverflow&) {
    if (std::fabs(value) <= kLargestReadableBack) Fail("15-digit text overflows", text);
    return;
  } catch (const Exception&) {
    Fail("15-digit text does not parse", text);
  }
  if (FormatGeneral(readBack) != text) Fail("15-digit text reads back differently", text);
}

void CheckOneText(std::string_view text) {
  Extended value = 0;
  std::feclearexcept(FE_ALL_EXCEPT);
  try {
    value = ParseNumber(text);
  } catch (const EConvertError& error) {
    if (error.Message() != "'" + std::string(text) + "' is not a valid floating point value")
      Fail("wrong message", text);
    if (std::fetestexcept(FE_ALL_EXCEPT) != 0) Fail("flags left after a failed parse", text);
    return;
  } catch (...) {
    Fail("unexpected exception", text);
  }
  if (std::fetestexcept(FE_ALL_EXCEPT) != 0) Fail("flags left after the parse", text);
  if (!std::isfinite(value)) Fail("accepted a value that is not finite", text);

  double stored = 0;
  try {
    stored = StoreDouble(value);
  } catch (const EOverflow&) {
    if (std::fabs(value) < 1.7976931348623157e308L) Fail("overflow below the double range", text);
    return;
  }
  CheckFifteenDigitTextReadsBack(stored);
  const std::string field = FormatFixed(stored, 8, 5);
  if (field.size() < 8 || field.size() > 255) Fail("field text of impossible length", text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  for (const char separator : {',', '.'}) {
    SetLocaleDecimalSeparator(separator);
    CheckOneText(text);
  }
  return 0;
}
