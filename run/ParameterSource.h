// Where a run takes its nine parameters from, afresh at every run: the window's fields, the
// runner's options, or a fixed set for studies, tests and benchmarks.
#pragma once

#include "model/CalcParams.h"

class ParameterSource {
 public:
  virtual ~ParameterSource() = default;
  // Raises on the first parameter that cannot be read.
  virtual CalcParams ReadCalcParams() = 0;
};

// Hands the run a fixed set of parameters.
class FixedParameters : public ParameterSource {
 public:
  explicit FixedParameters(const CalcParams& params) : params_(params) {}
  CalcParams ReadCalcParams() override { return params_; }

 private:
  CalcParams params_;
};
