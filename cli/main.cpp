// Headless runner: one default run into null outputs, printing the global error.
#include <cstdio>

#include "model/Errors.h"
#include "run/CalculationRun.h"
#include "run/NullOutputs.h"

int main() {
  FixedParameters parameters(DefaultCalcParams());
  NullResultsOutput file;
  NullResultsChart chart;
  CapturingResultPresenter resultBox;
  try {
    CalculationRun({parameters, file, chart, resultBox});
  } catch (const Exception& error) {
    std::fprintf(stderr, "%s\n", error.Message().c_str());
    return 1;
  }
  std::printf("Глобальная погрешность = %.15Lg\n", static_cast<long double>(resultBox.GlobalError()));
  return 0;
}
