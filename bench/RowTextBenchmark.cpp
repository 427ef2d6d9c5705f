// The cost of one results-file line's text, three fixed fields of width 8 with 5 decimals:
// through FormatFixed's strings, or written straight into a buffer.
#include <benchmark/benchmark.h>

#include <string>

#include "numbertext/FormatFixed.h"
#include "output/ResultsFieldText.h"

namespace {

void BM_RowTextThroughFormatFixed(benchmark::State& state) {
  double t = 0;
  for (auto _ : state) {
    t += 0.000001;
    std::string line = FormatFixed(t, 8, 5);
    line += "  ";
    line += FormatFixed(t * 5.9, 8, 5);
    line += "  ";
    line += FormatFixed(3 - t, 8, 5);
    benchmark::DoNotOptimize(line);
  }
  state.counters["rows/s"] = benchmark::Counter(state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_RowTextThroughFormatFixed);

void BM_RowTextWrittenIntoABuffer(benchmark::State& state) {
  double t = 0;
  char line[3 * kResultsFieldCapacity + 6];
  for (auto _ : state) {
    t += 0.000001;
    std::size_t length = WriteResultsField(t, line);
    line[length++] = ' ';
    line[length++] = ' ';
    length += WriteResultsField(t * 5.9, line + length);
    line[length++] = ' ';
    line[length++] = ' ';
    length += WriteResultsField(3 - t, line + length);
    benchmark::DoNotOptimize(line);
    benchmark::DoNotOptimize(length);
  }
  state.counters["rows/s"] = benchmark::Counter(state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_RowTextWrittenIntoABuffer);

}  // namespace
