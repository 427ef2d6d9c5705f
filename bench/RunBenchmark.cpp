// Rows per second of a whole calculation run into null outputs, and the cost of the
// corrector step with its two fixed slopes hoisted out of the passes or not.
#include <benchmark/benchmark.h>

#include "model/AdamsMoultonStep.h"
#include "model/VoltageRate.h"
#include "run/CalculationRun.h"
#include "run/NullOutputs.h"

namespace {

// Default parameters with Step 0.000001: 500,001 rows.
CalcParams LongRunParams() {
  CalcParams p = DefaultCalcParams();
  p.Step = 0.000001;
  return p;
}

void BM_RunIntoNullOutputs(benchmark::State& state) {
  FixedParameters parameters(LongRunParams());
  NullResultsOutput file;
  NullResultsChart chart;
  CapturingResultPresenter resultBox;
  for (auto _ : state) {
    CalculationRun({parameters, file, chart, resultBox});
    benchmark::DoNotOptimize(resultBox.GlobalError());
  }
  state.counters["rows/s"] =
      benchmark::Counter(500001.0 * state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_RunIntoNullOutputs)->Unit(benchmark::kMillisecond);

template <bool kHoisted>
void BM_CorrectorStep(benchmark::State& state) {
  const VoltageRate rate(DefaultCalcParams());
  double un = 1.0, unm1 = 0.99, guess = 0;
  for (auto _ : state) {
    const StepResult r = kHoisted ? AdamsMoultonStep(rate, 0.05, 0.001, un, unm1, guess)
                                  : AdamsMoultonStepUnhoisted(rate, 0.05, 0.001, un, unm1, guess);
    benchmark::DoNotOptimize(r);
    benchmark::ClobberMemory();
  }
  state.counters["steps/s"] = benchmark::Counter(state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_CorrectorStep<true>)->Name("BM_CorrectorStep/hoisted");
BENCHMARK(BM_CorrectorStep<false>)->Name("BM_CorrectorStep/unhoisted");

}  // namespace
