// The circuit equation's right-hand side du/dt = (E(t) - u) / (R*C), in volts per second.
// A plain callable of (t, u), so the integration steps take it like any other system.
#pragma once

#include "model/CalcParams.h"
#include "model/FloatingPoint.h"
#include "model/SourceSignal.h"

class VoltageRate {
 public:
  explicit VoltageRate(const CalcParams& params) : params_(params) {}

  [[nodiscard]] double operator()(double t, double u) const {
    const double p = StoreDouble(Extended(params_.R) * params_.C);
    const double e = SourceSignal(params_, t);
    // The reciprocal is formed first and then multiplied; (e - u) / p rounds differently.
    return StoreDouble((Extended(e) - u) * DivideExtended(1, p));
  }

  const CalcParams& Params() const { return params_; }

 private:
  CalcParams params_;
};
