// The start step: one classical fourth-order Runge-Kutta step from (t0, u0) to t0 + h.
// `rate` is any callable double(double t, double u). The accumulation order is fixed:
// u0 + h*k1/6, then + h*k2/3, + h*k3/3, + h*k4/6, each sum rounded to a double.
#pragma once

#include "model/FloatingPoint.h"
#include "model/StepResult.h"

template <class Rate>
[[nodiscard]] StepResult RungeKuttaStart(const Rate& rate, double t0, double h, double u0) {
  const double half = StoreDouble(Extended(h) / 2);
  double acc = u0;
  double w = u0;
  double e = 0;
  for (int pass = 1; pass <= 4; ++pass) {
    const double k = rate(StoreDouble(Extended(t0) + e), w);
    e = pass == 3 ? h : half;
    double s = StoreDouble(Extended(e) * k);
    w = StoreDouble(Extended(u0) + s);
    if (pass == 2) s = StoreDouble(Extended(s) * 2);
    acc = StoreDouble(Extended(s) / 3 + acc);
  }
  return {acc, StoreDouble(std::fabs(Extended(acc) - u0))};
}
