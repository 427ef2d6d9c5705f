// rcpulse-cli --batch on one and on two threads: 1,000 runs of the default parameters (501
// rows each), every one writing its REZ.TXT into a folder of its own, as the runner does. The
// folders exist after the first pass, so each timed pass replaces 1,000 files.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "cli/BatchRun.h"
#include "numbertext/LocaleDecimalSeparator.h"
#include "tests/support/TemporaryDirectory.h"

namespace {

constexpr std::size_t kRuns = 1000;

std::vector<BatchSet> DefaultSets() {
  std::vector<BatchSet> sets(kRuns);
  for (std::size_t i = 0; i < kRuns; ++i) sets[i].name = std::to_string(i + 1);
  return sets;
}

void BM_BatchOfDefaultRuns(benchmark::State& state) {
  SetLocaleDecimalSeparator(',');
  const TemporaryDirectory directory;
  CliOptions options;
  options.outFolder = directory.Path().string();
  const std::vector<BatchSet> sets = DefaultSets();
  const unsigned jobs = static_cast<unsigned>(state.range(0));
  std::size_t failed = 0;
  const auto count = [&](std::size_t, const BatchOutcome& outcome) { failed += !outcome.ok; };
  RunBatch(sets, options, jobs, count);  // makes the folders
  for (auto _ : state) RunBatch(sets, options, jobs, count);
  if (failed != 0) state.SkipWithError("a run failed");
  state.counters["runs/s"] = benchmark::Counter(static_cast<double>(kRuns * state.iterations()),
                                                benchmark::Counter::kIsRate);
}
BENCHMARK(BM_BatchOfDefaultRuns)->ArgName("jobs")->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_BatchIntoNewFolders(benchmark::State& state) {
  SetLocaleDecimalSeparator(',');
  const TemporaryDirectory directory;
  CliOptions options;
  const std::vector<BatchSet> sets = DefaultSets();
  const unsigned jobs = static_cast<unsigned>(state.range(0));
  std::size_t failed = 0;
  int pass = 0;
  const auto count = [&](std::size_t, const BatchOutcome& outcome) { failed += !outcome.ok; };
  for (auto _ : state) {
    options.outFolder = (directory.Path() / std::to_string(++pass)).string();
    RunBatch(sets, options, jobs, count);
  }
  if (failed != 0) state.SkipWithError("a run failed");
  state.counters["runs/s"] = benchmark::Counter(static_cast<double>(kRuns * state.iterations()),
                                                benchmark::Counter::kIsRate);
}
BENCHMARK(BM_BatchIntoNewFolders)->ArgName("jobs")->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
