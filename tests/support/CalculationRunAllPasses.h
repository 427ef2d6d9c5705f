// The calculation run with the corrector's literal 51 passes, to show that the program's run,
// which stops the passes at their cycle, gives the same rows, errors and global error.
#pragma once

#include "run/CalculationRunWith.h"
#include "tests/support/AdamsMoultonStepAllPasses.h"

inline void CalculationRunAllPasses(ParameterSource& parameters, const RunObservers& observers,
                                    const RunOptions& options = {}) {
  const auto corrector = [](const VoltageRate& rate, double t, double h, double un, double unm1,
                            double guess) { return AdamsMoultonStepAllPasses(rate, t, h, un, unm1, guess); };
  CalculationRunWith(corrector, parameters, observers, options);
}
