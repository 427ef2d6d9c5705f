// One fixed-point pass of the implicit third-order Adams-Moulton formula
//   v = un + h*(5*f(t, v) + 8*f(t - h, un) - f(t - 2h, unm1)) / 12,
// and the two slopes of the earlier grid points that no pass changes. The corrector repeats
// the pass exactly kCorrectorPasses times from its first iterate.
#pragma once

#include "model/FloatingPoint.h"

inline constexpr int kCorrectorPasses = 51;

// The coefficients are extended constants, each multiplied by h before its slope.
inline constexpr Extended kAdamsMoulton5 = 5.0L / 12.0L;
inline constexpr Extended kAdamsMoulton8 = 2.0L / 3.0L;
inline constexpr Extended kAdamsMoulton1 = 1.0L / 12.0L;

// One pass: ((5/12)*h*f2 + un) + (2/3)*h*f1 - (1/12)*h*f0, left to right, stored once.
[[nodiscard]] inline double AdamsMoultonPass(double h, double un, double f0, double f1,
                                             double f2) {
  return StoreDouble(kAdamsMoulton5 * h * f2 + un + kAdamsMoulton8 * h * f1 -
                     kAdamsMoulton1 * h * f0);
}

// The slopes at the two earlier grid points, f0 = f(t - 2h, unm1) and f1 = f(t - h, un).
// The earlier times are recomputed from t and h, not taken from the grid, and f0 is
// evaluated first.
struct EarlierSlopes {
  double f0;
  double f1;
};

template <class Rate>
[[nodiscard]] EarlierSlopes EvaluateEarlierSlopes(const Rate& rate, double t, double h,
                                                  double un, double unm1) {
  const double tMinus2h = StoreDouble(Extended(t) - Extended(h) * 2);
  const double tMinus1h = StoreDouble(Extended(t) - h);
  const double f0 = rate(tMinus2h, unm1);
  return {f0, rate(tMinus1h, un)};
}
