// The results chart with large runs: appending a run's points to both series, and one full
// drawing of the chart at its window size with a million points per series (offscreen).
#include <benchmark/benchmark.h>

#include <cmath>

#include "ui/TChart.h"

namespace {

// A run-shaped pair of curves: a smooth solution and a trapezoidal source.
void FillLikeARun(TChart& chart, int points) {
  chart.Series(0).ClearPoints();
  chart.Series(1).ClearPoints();
  for (int i = 0; i < points; ++i) {
    const double t = i * (0.5 / points);
    const double e = t < 0.1 ? 30 * t : (t < 0.4 ? 3 : std::max(0.0, 3 - 30 * (t - 0.4)));
    chart.Series(0).InsertPoint(t, 3 * (1 - std::exp(-t / 0.045)) * (t < 0.4 ? 1 : e / 3));
    chart.Series(1).InsertPoint(t, e);
  }
}

void BM_AppendPointsToBothSeries(benchmark::State& state) {
  TChart chart;
  const int points = static_cast<int>(state.range(0));
  for (auto _ : state) FillLikeARun(chart, points);
  state.SetItemsProcessed(state.iterations() * points * 2);
}
BENCHMARK(BM_AppendPointsToBothSeries)->Arg(501)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

void BM_ReplotAtWindowSize(benchmark::State& state) {
  TChart chart;
  chart.resize(407, 410);
  FillLikeARun(chart, static_cast<int>(state.range(0)));
  for (auto _ : state) chart.ReplotNow();
}
BENCHMARK(BM_ReplotAtWindowSize)->Arg(501)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

}  // namespace
