// Fakes for the run's connections that record every call in order, so tests can check what a
// run left in the file and the chart and how often the file was closed.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "model/Errors.h"
#include "run/RunConnections.h"

struct RecordingResultsOutput : ResultsOutput {
  std::vector<std::string> calls;
  std::vector<ResultRow> rows;
  int closes = 0;
  bool failCreate = false;
  std::optional<std::size_t> failOnRow;  // raise I/O error 112 when this row (from 0) is written

  void CreateResultsFile() override {
    if (failCreate) throw EInOutError(5);
    calls.push_back("create");
  }
  void WriteResultsHeader() override { calls.push_back("header"); }
  void WriteResultRow(const ResultRow& row) override {
    if (failOnRow && rows.size() == *failOnRow) throw EInOutError(112);
    rows.push_back(row);
    calls.push_back("row");
  }
  void CloseResultsFile() override {
    ++closes;
    calls.push_back("close");
  }
};

struct RecordingSeries : ChartSeries {
  std::vector<std::pair<double, double>> points;
  int clears = 0;
  void ClearPoints() override {
    ++clears;
    points.clear();
  }
  int InsertPoint(double x, double y) override {
    points.emplace_back(x, y);
    return static_cast<int>(points.size()) - 1;
  }
};

struct RecordingChart : ResultsChart {
  RecordingSeries series[2];
  ChartSeries& Series(int position) override { return series[position]; }
};

struct RecordingResultBox : ResultPresenter {
  std::vector<double> shown;
  void ShowResultBox(double globalError) override { shown.push_back(globalError); }
};

struct ScriptedParameters : ParameterSource {
  std::function<CalcParams()> read;
  int reads = 0;
  CalcParams ReadCalcParams() override {
    ++reads;
    return read();
  }
};

// One run with every connection recorded.
struct RecordedRun {
  ScriptedParameters parameters;
  RecordingResultsOutput file;
  RecordingChart chart;
  RecordingResultBox resultBox;

  explicit RecordedRun(const CalcParams& params) {
    parameters.read = [params] { return params; };
  }
  RunConnections Connections() { return {parameters, file, chart, resultBox}; }
};
