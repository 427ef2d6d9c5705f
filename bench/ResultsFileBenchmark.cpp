// Rows per second through the results file writer (text of the three fields, the 128-byte
// buffer and its write() calls), into a file on disk and into /dev/null, and a whole default
// run through REZ.TXT.
#include <benchmark/benchmark.h>
#include <algorithm>
#include <filesystem>
#include <span>
#include <vector>

#include "output/ResultsFile.h"
#include "output/ResultsFileOutput.h"
#include "run/CalculationRun.h"
#include "tests/support/DefaultParameters.h"
#include "tests/support/TemporaryDirectory.h"

namespace {

constexpr int kRowsPerFile = 100000;

// Arg 0: a regular file; arg 1: a link to /dev/null, so only the writer's own work counts.
void BM_ResultsFileRows(benchmark::State& state) {
  const TemporaryDirectory directory;
  if (state.range(0) != 0) std::filesystem::create_symlink("/dev/null", directory / kResultsFileName);
  // The rows in spans of 2048, as a run hands them on.
  std::vector<ResultRow> rows(kRowsPerFile);
  double t = 0;
  for (ResultRow& row : rows) {
    t += 0.000001;
    row = {t, 5.9 * t, 3 - t};
  }
  for (auto _ : state) {
    ResultsFile file = CreateResultsFile(directory.Path());
    WriteResultsHeader(file);
    for (std::size_t first = 0; first < rows.size(); first += 2048)
      WriteResultRows(file, std::span(rows).subspan(first, std::min<std::size_t>(2048, rows.size() - first)));
    CloseResultsFile(file);
  }
  state.counters["rows/s"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * kRowsPerFile, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ResultsFileRows)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The default run (501 rows) as the window and the runner make it, file creation included.
void BM_DefaultRunIntoResultsFile(benchmark::State& state) {
  const TemporaryDirectory directory;
  FixedParameters parameters(DefaultCalcParams());
  ResultsFileOutput file(directory.Path());
  for (auto _ : state) CalculationRun(parameters, {&file});
}
BENCHMARK(BM_DefaultRunIntoResultsFile)->Unit(benchmark::kMicrosecond);

}  // namespace
