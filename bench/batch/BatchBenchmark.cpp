// rcpulse-cli --batch on one and on two threads: 1,000 runs of the default parameters (501
// rows each), every one writing its REZ.TXT into a folder of its own, as the runner does.
// Into memory (/dev/shm, a new output folder each pass), which shows how the runs themselves
// scale, and into the temporary folder on disk, replacing the same 1,000 files each pass,
// where the file system takes its share (a file emptied and rewritten may be written out to
// the disk when it is closed).
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <string>
#include <system_error>
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

// A folder in memory for one benchmark, removed with all it holds.
class MemoryFolder {
 public:
  MemoryFolder() {
    std::string pattern = "/dev/shm/rcpulse-bench-XXXXXX";
    if (::mkdtemp(pattern.data()) != nullptr) path_ = pattern;
  }
  ~MemoryFolder() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
  }
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

void BM_BatchIntoMemory(benchmark::State& state) {
  SetLocaleDecimalSeparator(',');
  const MemoryFolder folder;
  if (folder.Path().empty()) {
    state.SkipWithError("no /dev/shm");
    return;
  }
  const std::vector<BatchSet> sets = DefaultSets();
  CliOptions options;
  int pass = 0;
  for (auto _ : state) {
    options.outFolder = (folder.Path() / std::to_string(++pass)).string();
    RunPass(state, sets, options);
  }
  SetRunsPerSecond(state);
}
BENCHMARK(BM_BatchIntoMemory)->ArgName("jobs")->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_BatchReplacingItsFilesOnDisk(benchmark::State& state) {
  SetLocaleDecimalSeparator(',');
  const std::vector<BatchSet> sets = DefaultSets();
  const TemporaryDirectory directory;
  CliOptions options;
  options.outFolder = directory.Path().string();
  RunPass(state, sets, options);  // makes the folders and files
  for (auto _ : state) RunPass(state, sets, options);
  SetRunsPerSecond(state);
}
BENCHMARK(BM_BatchReplacingItsFilesOnDisk)
    ->ArgName("jobs")
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
