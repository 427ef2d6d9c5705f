// The nine parameters as the user typed them, and their reading: each text is parsed
// untrimmed in the table's order and stored at once as a double; the first text that is not a
// number (EConvertError) or does not fit a double (EOverflow) stops the reading.
#pragma once

#include <string>

#include "run/ParameterSource.h"
#include "run/ParameterTable.h"

class ParameterTexts {
 public:
  virtual ~ParameterTexts() = default;
  // The text of one parameter exactly as typed (UTF-8).
  virtual std::string Text(Parameter parameter) const = 0;
};

CalcParams ReadCalcParams(const ParameterTexts& texts);

// A parameter's default text with the decimal separator in force instead of the table's
// comma ("0,5" or "0.5"), so that the defaults read as numbers under every locale.
std::string DefaultText(Parameter parameter);

// A run's parameters read from texts.
class TypedParameters : public ParameterSource {
 public:
  explicit TypedParameters(const ParameterTexts& texts) : texts_(texts) {}
  CalcParams ReadCalcParams() override { return ::ReadCalcParams(texts_); }

 private:
  const ParameterTexts& texts_;
};
