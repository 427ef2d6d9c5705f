// Reads CalcParams from the nine field texts in the fixed order Edit1, Edit2, Edit5, Edit9,
// Edit10, Edit6, Edit7, Edit13, Edit11. Each text is parsed untrimmed and stored at once as
// a double; the first text that is not a number (EConvertError) or does not fit a double
// (EOverflow) stops the reading.
#pragma once

#include "run/ParameterFields.h"
#include "run/RunConnections.h"

CalcParams ReadCalcParams(const ParameterFields& fields);

class FieldParameters : public ParameterSource {
 public:
  explicit FieldParameters(const ParameterFields& fields) : fields_(fields) {}
  CalcParams ReadCalcParams() override { return ::ReadCalcParams(fields_); }

 private:
  const ParameterFields& fields_;
};
