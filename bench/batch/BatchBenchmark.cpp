// rcpulse-cli --batch on one and on two threads: 1,000 runs of the default parameters (501
// rows each), every one writing its REZ.TXT into a folder of its own, as the runner does.
// Into new folders (a batch's first run: each pass gets an output folder of its own, kept
// until the end, since a file system may spend time reusing what was just deleted), and
// again into the same folders (each pass replaces 1,000 files, and the file system may write
// a file replaced that way out at once).
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

// One pass of the batch; a run that fails spoils the figure.
void RunPass(benchmark::State& state, const std::vector<BatchSet>& sets, const CliOptions& options) {
  std::size_t failed = 0;
  RunBatch(sets, options, static_cast<unsigned>(state.range(0)),
           [&](std::size_t, const BatchOutcome& outcome) { failed += !outcome.ok; });
  if (failed != 0) state.SkipWithError("a run failed");
}

void SetRunsPerSecond(benchmark::State& state) {
  state.counters["runs/s"] =
      benchmark::Counter(static_cast<double>(kRuns * state.iterations()), benchmark::Counter::kIsRate);
}

void BM_BatchIntoNewFolders(benchmark::State& state) {
  SetLocaleDecimalSeparator(',');
  const std::vector<BatchSet> sets = DefaultSets();
  const TemporaryDirectory directory;
  CliOptions options;
  int pass = 0;
  for (auto _ : state) {
    options.outFolder = (directory.Path() / std::to_string(++pass)).string();
    RunPass(state, sets, options);
  }
  SetRunsPerSecond(state);
}
BENCHMARK(BM_BatchIntoNewFolders)->ArgName("jobs")->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_BatchReplacingItsFiles(benchmark::State& state) {
  SetLocaleDecimalSeparator(',');
  const std::vector<BatchSet> sets = DefaultSets();
  const TemporaryDirectory directory;
  CliOptions options;
  options.outFolder = directory.Path().string();
  RunPass(state, sets, options);  // makes the folders and files
  for (auto _ : state) RunPass(state, sets, options);
  SetRunsPerSecond(state);
}
BENCHMARK(BM_BatchReplacingItsFiles)->ArgName("jobs")->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
