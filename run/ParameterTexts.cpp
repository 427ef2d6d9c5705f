#include "run/ParameterTexts.h"

#include "model/FloatingPoint.h"
#include "numbertext/ParseNumber.h"

CalcParams ReadCalcParams(const ParameterTexts& texts) {
  CalcParams params;
  for (const ParameterInfo& entry : kParameterTable)
    params.*entry.member = StoreDouble(ParseNumber(texts.Text(entry.parameter)));
  return params;
}
