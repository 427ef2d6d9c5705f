// Rows per second through the results file writer (text of the three fields, the 128-byte
// buffer and its write() calls), into a file on disk and into /dev/null, and a whole default
// run through REZ.TXT.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "run/CalculationRun.h"
#include "run/NullOutputs.h"
#include "run/ResultsFile.h"

namespace {

// Keeps REZ.TXT of the benchmarks in a directory of its own.
class BenchmarkDirectory {
 public:
  BenchmarkDirectory() : previous_(std::filesystem::current_path()) {
    std::string pattern = (std::filesystem::temp_directory_path() / "rcpulse-bench-XXXXXX").string();
    path_ = ::mkdtemp(pattern.data());
    std::filesystem::current_path(path_);
  }
  ~BenchmarkDirectory() {
    std::filesystem::current_path(previous_);
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }

 private:
  std::filesystem::path previous_;
  std::filesystem::path path_;
};

constexpr int kRowsPerFile = 100000;

// Arg 0: a regular file; arg 1: a link to /dev/null, so only the writer's own work counts.
void BM_ResultsFileRows(benchmark::State& state) {
  const BenchmarkDirectory directory;
  if (state.range(0) != 0) std::filesystem::create_symlink("/dev/null", kResultsFileName);
  for (auto _ : state) {
    ResultsFile file = CreateResultsFile();
    WriteResultsHeader(file);
    double t = 0;
    for (int row = 0; row < kRowsPerFile; ++row) {
      t += 0.000001;
      WriteResultRow(file, {t, 5.9 * t, 3 - t});
    }
    CloseResultsFile(file);
  }
  state.counters["rows/s"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * kRowsPerFile, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ResultsFileRows)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The default run (501 rows) as the window and the runner make it, file creation included.
void BM_DefaultRunIntoResultsFile(benchmark::State& state) {
  const BenchmarkDirectory directory;
  FixedParameters parameters(DefaultCalcParams());
  ResultsFileOutput file;
  NullResultsChart chart;
  CapturingResultPresenter resultBox;
  for (auto _ : state) CalculationRun({parameters, file, chart, resultBox});
}
BENCHMARK(BM_DefaultRunIntoResultsFile)->Unit(benchmark::kMicrosecond);

}  // namespace
