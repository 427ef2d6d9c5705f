#include "run/ParameterTexts.h"

#include "model/FloatingPoint.h"
#include "numbertext/LocaleDecimalSeparator.h"
#include "numbertext/ParseNumber.h"

CalcParams ReadCalcParams(const ParameterTexts& texts) {
  CalcParams params;
  for (const ParameterInfo& entry : kParameterTable)
    params.*entry.member = StoreDouble(ParseNumber(texts.Text(entry.parameter)));
  return params;
}

std::string DefaultText(Parameter parameter) {
  std::string text(ParameterInfoOf(parameter).defaultText);
  for (char& c : text)
    if (c == ',') c = LocaleDecimalSeparator();
  return text;
}
