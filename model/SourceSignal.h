// The trapezoidal source pulse E(t) in volts: 0 outside (T1, T4), ramps on (T1, T2) and
// (T3, T4), Amplitude on [T2, T3]. Later tests override earlier ones, comparisons strict.
#pragma once

#include "model/CalcParams.h"
#include "model/FloatingPoint.h"

[[nodiscard]] inline double SourceSignal(const CalcParams& p, double t) {
  Extended result = 0;
  if (p.T2 <= t && t <= p.T3) result = p.Amplitude;
  // Each ramp divides only strictly inside its interval, so its divisor is never zero.
  if (p.T1 < t && t < p.T2)
    result = ((Extended(t) - p.T1) / (Extended(p.T2) - p.T1)) * p.Amplitude;
  if (p.T3 < t && t < p.T4)
    result = ((Extended(t) - p.T4) / (Extended(p.T3) - p.T4)) * p.Amplitude;
  return StoreDouble(result);
}
