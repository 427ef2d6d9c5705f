// Rows per second of a whole calculation run (500,002 rows) into REZ.TXT and into no outputs,
// with the program's corrector, which stops at the cycle of its passes, or the literal one
// doing all 51; the results file's batched writer against the block-by-block one; and the
// cost of one literal corrector step with its two fixed slopes hoisted out of the passes or
// not.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <span>

#include "model/VoltageRate.h"
#include "output/ResultsFileOutput.h"
#include "run/CalculationRun.h"
#include "run/ResultCapture.h"
#include "tests/support/AdamsMoultonStepAllPasses.h"
#include "tests/support/CalculationRunAllPasses.h"
#include "tests/support/DefaultParameters.h"
#include "tests/support/PerBlockResultsFileOutput.h"
#include "tests/support/TemporaryDirectory.h"

namespace {

// Default parameters with Step 0.000001: 500,001 rows.
CalcParams LongRunParams() {
  CalcParams p = DefaultCalcParams();
  p.Step = 0.000001;
  return p;
}

// Counts the rows of the runs it hears.
class RowCounter : public RunObserver {
 public:
  void RowsEmitted(std::span<const ResultRow> rows) override { rows_ += rows.size(); }
  double Rows() const { return static_cast<double>(rows_); }

 private:
  std::uint64_t rows_ = 0;
};

// Arg 0: the program's corrector; arg 1: all 51 passes.
void Run(bool allPasses, ParameterSource& parameters, const RunObservers& observers) {
  if (allPasses) {
    CalculationRunAllPasses(parameters, observers);
  } else {
    CalculationRun(parameters, observers);
  }
}

void BM_RunIntoNullOutputs(benchmark::State& state) {
  FixedParameters parameters(LongRunParams());
  RowCounter counter;
  ResultCapture result;
  for (auto _ : state) {
    Run(state.range(0) != 0, parameters, {&counter, &result});
    benchmark::DoNotOptimize(result.GlobalError());
  }
  state.counters["rows/s"] = benchmark::Counter(counter.Rows(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_RunIntoNullOutputs)->ArgName("allPasses")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The whole run as the program does it: every row into REZ.TXT.
void BM_RunIntoResultsFile(benchmark::State& state) {
  const TemporaryDirectory directory;
  FixedParameters parameters(LongRunParams());
  ResultsFileOutput file(directory.Path());
  RowCounter counter;
  ResultCapture result;
  for (auto _ : state) {
    Run(state.range(0) != 0, parameters, {&file, &counter, &result});
    benchmark::DoNotOptimize(result.GlobalError());
  }
  state.counters["rows/s"] = benchmark::Counter(counter.Rows(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_RunIntoResultsFile)
    ->ArgName("allPasses")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The results file as the program writes it (arg 0: many blocks to one write) against the
// block-by-block writer it replaced (arg 1), for 500,001 and 10,000,001 rows.
void BM_RunIntoResultsFileByWriter(benchmark::State& state) {
  const TemporaryDirectory directory;
  CalcParams params = LongRunParams();
  params.Step = 0.5 / static_cast<double>(state.range(1));
  FixedParameters parameters(params);
  std::unique_ptr<RunObserver> file;
  if (state.range(0) == 0) {
    file = std::make_unique<ResultsFileOutput>(directory.Path());
  } else {
    file = std::make_unique<PerBlockResultsFileOutput>(directory.Path(), SystemFileWriter());
  }
  RowCounter counter;
  ResultCapture result;
  for (auto _ : state) {
    CalculationRun(parameters, {file.get(), &counter, &result}, RunOptions{.maxRows = 20'000'000});
    benchmark::DoNotOptimize(result.GlobalError());
  }
  state.counters["rows/s"] = benchmark::Counter(counter.Rows(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_RunIntoResultsFileByWriter)
    ->ArgNames({"perBlock", "rows"})
    ->Args({0, 500'000})
    ->Args({1, 500'000})
    ->Args({0, 10'000'000})
    ->Args({1, 10'000'000})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

template <bool kHoisted>
void BM_CorrectorStep(benchmark::State& state) {
  const VoltageRate rate(DefaultCalcParams());
  double un = 1.0, unm1 = 0.99, guess = 0;
  for (auto _ : state) {
    const StepResult r = kHoisted ? AdamsMoultonStepAllPasses(rate, 0.05, 0.001, un, unm1, guess)
                                  : AdamsMoultonStepUnhoisted(rate, 0.05, 0.001, un, unm1, guess);
    benchmark::DoNotOptimize(r);
    benchmark::ClobberMemory();
  }
  state.counters["steps/s"] = benchmark::Counter(state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_CorrectorStep<true>)->Name("BM_CorrectorStep/hoisted");
BENCHMARK(BM_CorrectorStep<false>)->Name("BM_CorrectorStep/unhoisted");

}  // namespace
