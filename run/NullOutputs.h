// Outputs that discard everything, for benchmarks and for runs that only want the numbers.
#pragma once

#include "run/RunConnections.h"

class NullResultsOutput : public ResultsOutput {
 public:
  void CreateResultsFile() override {}
  void WriteResultsHeader() override {}
  void WriteResultRow(const ResultRow&) override {}
  void CloseResultsFile() override {}
};

class NullChartSeries : public ChartSeries {
 public:
  void ClearPoints() override {}
  int InsertPoint(double, double) override { return 0; }
};

class NullResultsChart : public ResultsChart {
 public:
  ChartSeries& Series(int) override { return series_; }

 private:
  NullChartSeries series_;
};

// Keeps the global error instead of showing it.
class CapturingResultPresenter : public ResultPresenter {
 public:
  void ShowResultBox(double globalError) override {
    globalError_ = globalError;
    shown_ = true;
  }
  double GlobalError() const { return globalError_; }
  bool Shown() const { return shown_; }

 private:
  double globalError_ = 0;
  bool shown_ = false;
};

// Hands the run a fixed set of parameters.
class FixedParameters : public ParameterSource {
 public:
  explicit FixedParameters(const CalcParams& params) : params_(params) {}
  CalcParams ReadCalcParams() override { return params_; }

 private:
  CalcParams params_;
};
