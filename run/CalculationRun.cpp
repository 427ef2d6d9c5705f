#include "run/CalculationRun.h"

#include "model/AdamsMoultonStep.h"
#include "run/CalculationRunWith.h"

void CalculationRun(ParameterSource& parameters, const RunObservers& observers,
                    const RunOptions& options) {
  const auto corrector = [](const VoltageRate& rate, double t, double h, double un, double unm1,
                            double guess) { return AdamsMoultonStep(rate, t, h, un, unm1, guess); };
  CalculationRunWith(corrector, parameters, observers, options);
}
