// The corrector: the result of exactly 51 fixed-point passes of the Adams-Moulton formula
// from `guess`, bit for bit and error for error, at a fraction of their cost. `rate` is any
// callable double(double t, double u). Each pass is v := F(v) for one pure function F of v
// (f0 and f1 fixed), so once the passes meet a cycle of length 1 or 2 the 51st is known.
#pragma once

#include <bit>
#include <cmath>
#include <cstdint>

#include "model/AdamsMoultonPass.h"
#include "model/FloatingPoint.h"
#include "model/StepResult.h"

// Identity of doubles: +0 and -0 compare equal but are different values to the passes.
[[nodiscard]] inline bool SameDouble(double a, double b) {
  return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

template <class Rate>
[[nodiscard]] StepResult AdamsMoultonStep(const Rate& rate, double t, double h, double un,
                                          double unm1, double guess) {
  const auto [f0, f1] = EvaluateEarlierSlopes(rate, t, h, un, unm1);
  // Passes run in the same order as the 51 literal ones, so an error is raised by the same
  // pass. Stopping on a cycle skips only passes over values already evaluated without error.
  double beforePrevious = guess;  // v(pass - 2)
  double previous = guess;        // v(pass - 1)
  double v = guess;
  for (int pass = 1; pass <= kCorrectorPasses; ++pass) {
    v = AdamsMoultonPass(h, un, f0, f1, rate(t, previous));
    // A fixed point: every later pass returns v. (At pass 1 both tests are this one.)
    if (SameDouble(v, previous)) break;
    // Period 2: the passes alternate v, previous, v, ...; the 51st is v when the passes left
    // are even in number.
    if (SameDouble(v, beforePrevious)) {
      if ((kCorrectorPasses - pass) % 2 != 0) v = previous;
      break;
    }
    beforePrevious = previous;
    previous = v;
  }
  return {v, StoreDouble(std::fabs(Extended(v) - un))};
}
