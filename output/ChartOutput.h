// The results chart as a run sees it: line series addressed by position (0 is u(t), 1 is
// E(t)), each keeping its points in ascending x, and the output that feeds them: both series
// emptied when a run starts, then (t, u) and (t, E) of every row. Neither operation draws;
// each only asks for a later repaint.
#pragma once

#include <span>

#include "run/RunObserver.h"

class ChartSeries {
 public:
  virtual ~ChartSeries() = default;
  virtual void ClearPoints() = 0;
  // Equal x go after the existing points; returns the position the point now stands at.
  virtual int InsertPoint(double x, double y) = 0;
};

class ResultsChart {
 public:
  virtual ~ResultsChart() = default;
  virtual ChartSeries& Series(int position) = 0;
};

class ChartOutput : public RunObserver {
 public:
  explicit ChartOutput(ResultsChart& chart) : solution_(chart.Series(0)), source_(chart.Series(1)) {}

  void RunStarted() override {
    solution_.ClearPoints();
    source_.ClearPoints();
  }
  void RowsEmitted(std::span<const ResultRow> rows) override {
    for (const ResultRow& row : rows) {
      solution_.InsertPoint(row.t, row.u);
      source_.InsertPoint(row.t, row.E);
    }
  }

 private:
  ChartSeries& solution_;
  ChartSeries& source_;
};
