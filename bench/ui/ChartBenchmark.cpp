// The results chart with large runs: appending a run's points to both series point by point,
// and as a run hands them over (spans of rows through the chart's output, with the room for
// the run reserved), and one full drawing of the chart at its window size with a million
// points per series (offscreen).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <span>
#include <vector>

#include "output/ChartOutput.h"
#include "tests/support/DefaultParameters.h"
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

// A run's rows made beforehand: a smooth solution and a rising source.
std::vector<ResultRow> RunShapedRows(std::size_t count) {
  std::vector<ResultRow> rows(count);
  for (std::size_t i = 0; i < count; ++i) {
    const double t = static_cast<double>(i) * (0.5 / static_cast<double>(count));
    rows[i] = {t, 3 * (1 - std::exp(-t / 0.045)), t < 0.1 ? 30 * t : 3};
  }
  return rows;
}

// Arg 0: points per series; arg 1: rows per span, or 0 for InsertPoint on each series row by
// row without any reservation (how the chart was fed before it took spans).
void BM_FeedTheChartARun(benchmark::State& state) {
  TChart chart;
  const auto points = static_cast<std::size_t>(state.range(0));
  const auto spanRows = static_cast<std::size_t>(state.range(1));
  const std::vector<ResultRow> rows = RunShapedRows(points);
  CalcParams params = DefaultCalcParams();
  params.Step = 0.5 / static_cast<double>(points);
  for (auto _ : state) {
    if (spanRows == 0) {
      chart.Series(0).ClearPoints();
      chart.Series(1).ClearPoints();
      for (const ResultRow& row : rows) {
        chart.Series(0).InsertPoint(row.t, row.u);
        chart.Series(1).InsertPoint(row.t, row.E);
      }
      continue;
    }
    ChartOutput output(chart);
    output.RunStarted();
    output.ParametersRead(params);
    for (std::size_t first = 0; first < points; first += spanRows)
      output.RowsEmitted(std::span(rows).subspan(first, std::min(spanRows, points - first)));
    output.RunFinished(0);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(points) * 2);
}
BENCHMARK(BM_FeedTheChartARun)
    ->ArgsProduct({{1'000'000, 10'000'000}, {0, 1, 4096}})
    ->Unit(benchmark::kMillisecond);

void BM_ReplotAtWindowSize(benchmark::State& state) {
  TChart chart;
  chart.resize(407, 410);
  FillLikeARun(chart, static_cast<int>(state.range(0)));
  for (auto _ : state) chart.ReplotNow();
}
BENCHMARK(BM_ReplotAtWindowSize)->Arg(501)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

}  // namespace
