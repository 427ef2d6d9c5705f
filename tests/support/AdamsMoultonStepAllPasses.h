// The corrector exactly as the method states it, the oracle of the product's AdamsMoultonStep:
// all 51 fixed-point passes with no early exit. The unhoisted form also evaluates f0 and f1
// in every pass; both give the same bits.
#pragma once

#include <cmath>

#include "model/AdamsMoultonPass.h"
#include "model/FloatingPoint.h"
#include "model/StepResult.h"

template <class Rate>
[[nodiscard]] StepResult AdamsMoultonStepAllPasses(const Rate& rate, double t, double h,
                                                   double un, double unm1, double guess) {
  const auto [f0, f1] = EvaluateEarlierSlopes(rate, t, h, un, unm1);
  double v = guess;
  for (int pass = 0; pass < kCorrectorPasses; ++pass) v = AdamsMoultonPass(h, un, f0, f1, rate(t, v));
  return {v, StoreDouble(std::fabs(Extended(v) - un))};
}

template <class Rate>
[[nodiscard]] StepResult AdamsMoultonStepUnhoisted(const Rate& rate, double t, double h,
                                                   double un, double unm1, double guess) {
  double v = guess;
  for (int pass = 0; pass < kCorrectorPasses; ++pass) {
    const double f0 = rate(StoreDouble(Extended(t) - Extended(h) * 2), unm1);
    const double f1 = rate(StoreDouble(Extended(t) - h), un);
    const double f2 = rate(t, v);
    v = AdamsMoultonPass(h, un, f0, f1, f2);
  }
  return {v, StoreDouble(std::fabs(Extended(v) - un))};
}
