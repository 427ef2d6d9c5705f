#include "run/FieldParameters.h"

#include "model/FloatingPoint.h"
#include "run/ParseNumber.h"

CalcParams ReadCalcParams(const ParameterFields& fields) {
  CalcParams p;
  double* const targets[] = {&p.T1, &p.T4, &p.Step, &p.T2, &p.T3,
                             &p.Amplitude, &p.R, &p.C, &p.U0};
  static_assert(std::size(targets) == kParameterFieldDefaults.size());
  for (std::size_t i = 0; i < kParameterFieldDefaults.size(); ++i) {
    *targets[i] = StoreDouble(ParseNumber(fields.FieldText(kParameterFieldDefaults[i].fieldName)));
  }
  return p;
}
