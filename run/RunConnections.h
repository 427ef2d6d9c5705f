// The small interfaces through which a calculation run reaches the world: the parameter
// fields, the results file, the chart's two series and the result box. The window, the
// headless runner, the tests and the benchmarks each plug in their own.
#pragma once

#include "model/CalcParams.h"
#include "model/ResultRow.h"

// Reads the nine parameters afresh; raises on the first text that is not a number.
class ParameterSource {
 public:
  virtual ~ParameterSource() = default;
  virtual CalcParams ReadCalcParams() = 0;
};

// The results file of one run. Each operation raises EInOutError on failure. After a
// successful CreateResultsFile the run calls CloseResultsFile exactly once, also when it is
// abandoned.
class ResultsOutput {
 public:
  virtual ~ResultsOutput() = default;
  virtual void CreateResultsFile() = 0;
  virtual void WriteResultsHeader() = 0;
  virtual void WriteResultRow(const ResultRow& row) = 0;
  virtual void CloseResultsFile() = 0;
};

// One line series of the chart: points kept in ascending x, equal x after the existing ones.
// Neither operation draws; each only asks for a later repaint.
class ChartSeries {
 public:
  virtual ~ChartSeries() = default;
  virtual void ClearPoints() = 0;
  virtual int InsertPoint(double x, double y) = 0;  // the position the point now stands at
};

// The chart's series by position: 0 is u(t), 1 is E(t).
class ResultsChart {
 public:
  virtual ~ResultsChart() = default;
  virtual ChartSeries& Series(int position) = 0;
};

// Shows the global error and returns when the user has closed the box.
class ResultPresenter {
 public:
  virtual ~ResultPresenter() = default;
  virtual void ShowResultBox(double globalError) = 0;
};

struct RunConnections {
  ParameterSource& parameters;
  ResultsOutput& resultsFile;
  ResultsChart& chart;
  ResultPresenter& resultBox;
};
