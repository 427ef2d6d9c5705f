// Rows per second of a whole calculation run (500,002 rows) into REZ.TXT and into null
// outputs, with the corrector stopping at the cycle of its passes or doing all 51, and the
// cost of one corrector step with its two fixed slopes hoisted out of the passes or not.
#include <benchmark/benchmark.h>

#include <stdlib.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include "model/AdamsMoultonStep.h"
#include "model/VoltageRate.h"
#include "run/CalculationRun.h"
#include "run/NullOutputs.h"
#include "run/ObservedConnections.h"
#include "run/ResultsFile.h"

namespace {

// Default parameters with Step 0.000001: 500,001 rows.
CalcParams LongRunParams() {
  CalcParams p = DefaultCalcParams();
  p.Step = 0.000001;
  return p;
}

// Rows of the long run, counted by a run into null outputs.
class RowCounter : public NullResultsOutput {
 public:
  void WriteResultRow(const ResultRow&) override { ++rows_; }
  double Rows() const { return static_cast<double>(rows_); }

 private:
  std::uint64_t rows_ = 0;
};

// Arg 0: the corrector stops at the cycle of its passes; arg 1: all 51 passes.
void BM_RunIntoNullOutputs(benchmark::State& state) {
  FixedParameters parameters(LongRunParams());
  RowCounter file;
  NullResultsChart chart;
  CapturingResultPresenter resultBox;
  RunOptions options;
  options.allCorrectorPasses = state.range(0) != 0;
  for (auto _ : state) {
    CalculationRun({parameters, file, chart, resultBox}, options);
    benchmark::DoNotOptimize(resultBox.GlobalError());
  }
  state.counters["rows/s"] = benchmark::Counter(file.Rows(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_RunIntoNullOutputs)->ArgName("allPasses")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// A fresh temporary directory as the current one, for REZ.TXT; removed afterwards.
class TemporaryWorkingDirectory {
 public:
  TemporaryWorkingDirectory() : previous_(std::filesystem::current_path()) {
    std::string pattern = (std::filesystem::temp_directory_path() / "rcpulse-bench-XXXXXX").string();
    path_ = ::mkdtemp(pattern.data());
    std::filesystem::current_path(path_);
  }
  ~TemporaryWorkingDirectory() {
    std::filesystem::current_path(previous_);
    std::filesystem::remove_all(path_);
  }

 private:
  std::filesystem::path previous_;
  std::filesystem::path path_;
};

// The whole run as the program does it: every row into REZ.TXT. Arg 0: the corrector stops
// at the cycle of its passes; arg 1: all 51 passes.
void BM_RunIntoResultsFile(benchmark::State& state) {
  TemporaryWorkingDirectory directory;
  FixedParameters parameters(LongRunParams());
  ResultsFileOutput file;
  RowCounter counter;
  RowObservingOutput counted(file, [&](const ResultRow& row) { counter.WriteResultRow(row); });
  NullResultsChart chart;
  CapturingResultPresenter resultBox;
  RunOptions options;
  options.allCorrectorPasses = state.range(0) != 0;
  for (auto _ : state) {
    CalculationRun({parameters, counted, chart, resultBox}, options);
    benchmark::DoNotOptimize(resultBox.GlobalError());
  }
  state.counters["rows/s"] = benchmark::Counter(counter.Rows(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_RunIntoResultsFile)
    ->ArgName("allPasses")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

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
