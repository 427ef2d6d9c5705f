// The results chart as a run sees it: line series addressed by position (0 is u(t), 1 is
// E(t)), each keeping its points in ascending x, and the output that feeds them: both series
// emptied when a run starts, then (t, u) and (t, E) of every row. Neither operation draws;
// each only asks for a later repaint, and while a run is in progress the chart holds even
// that request back until the run ends, so that it is drawn once, with the run's points.
#pragma once

#include <cstddef>
#include <span>

#include "model/ResultRow.h"
#include "run/EndlessRunCheck.h"
#include "run/RunObserver.h"

class ChartSeries {
 public:
  virtual ~ChartSeries() = default;
  virtual void ClearPoints() = 0;
  // Equal x go after the existing points; returns the position the point now stands at.
  virtual int InsertPoint(double x, double y) = 0;
  // (row.t, row.*value) of every row, in order, with the same result as InsertPoint one by one.
  virtual void InsertPoints(std::span<const ResultRow> rows, double ResultRow::*value) {
    for (const ResultRow& row : rows) InsertPoint(row.t, row.*value);
  }
  // A hint that about this many points will follow; it changes no point.
  virtual void ReservePoints(std::size_t /*count*/) {}
};

class ResultsChart {
 public:
  virtual ~ResultsChart() = default;
  virtual ChartSeries& Series(int position) = 0;
  // Between these two the chart keeps its previous picture: repaint requests wait and merge.
  virtual void RunBegins() {}
  virtual void RunEnds() noexcept {}
};

class ChartOutput : public RunObserver {
 public:
  explicit ChartOutput(ResultsChart& chart)
      : chart_(chart), solution_(chart.Series(0)), source_(chart.Series(1)) {}
  ~ChartOutput() override { EndRun(); }
  ChartOutput(const ChartOutput&) = delete;
  ChartOutput& operator=(const ChartOutput&) = delete;

  void RunStarted() override {
    chart_.RunBegins();
    running_ = true;
    solution_.ClearPoints();
    source_.ClearPoints();
  }
  void ParametersRead(const CalcParams& params) override {
    // Room for the whole run at once, so that a long run is not copied while it grows; a
    // count beyond any run the chart could draw is no hint.
    constexpr Extended kLargestHint = 1 << 27;
    const Extended rows = ExpectedRowCount(params);
    if (!(rows <= kLargestHint)) return;
    solution_.ReservePoints(static_cast<std::size_t>(rows));
    source_.ReservePoints(static_cast<std::size_t>(rows));
  }
  void RowsEmitted(std::span<const ResultRow> rows) override {
    solution_.InsertPoints(rows, &ResultRow::u);
    source_.InsertPoints(rows, &ResultRow::E);
  }
  void RunFinished(double) override { EndRun(); }
  void RunAbandoned() noexcept override { EndRun(); }

 private:
  void EndRun() noexcept {
    if (!running_) return;
    running_ = false;
    chart_.RunEnds();
  }

  ResultsChart& chart_;
  ChartSeries& solution_;
  ChartSeries& source_;
  bool running_ = false;
};
