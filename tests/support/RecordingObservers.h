// Fakes for the outputs of a run that record every event in order, so tests can check what a
// run left in its file, its chart and its result box, and how often the file was released.
#pragma once

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "model/Errors.h"
#include "output/ChartOutput.h"
#include "run/ParameterSource.h"
#include "run/RunObserver.h"

// Stands where the results file stands: records the events, can refuse the creation or fail
// a row's write.
struct RecordingFile : RunObserver {
  std::vector<std::string> calls;
  std::vector<ResultRow> rows;
  int closes = 0;
  bool failCreate = false;
  bool failClose = false;
  std::optional<std::size_t> failOnRow;  // raise I/O error 112 when this row (from 0) comes
  bool open = false;

  void OutputsOpening() override {
    if (failCreate) throw EInOutError(5);
    open = true;
    calls.push_back("create");
  }
  void ParametersRead(const CalcParams&) override { calls.push_back("header"); }
  // A failed row is raised as the results file raises it: the rows before it were taken.
  void RowsEmitted(std::span<const ResultRow> emitted) override {
    TakeRows(emitted, [this](const ResultRow& row) {
      if (failOnRow && rows.size() == *failOnRow) throw EInOutError(112);
      rows.push_back(row);
      calls.push_back("row");
    });
  }
  void RunFinished(double) override {
    Close();
    if (failClose) throw EInOutError(112);
  }
  void RunAbandoned() noexcept override { Close(); }
  void Close() {
    if (!open) return;
    open = false;
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

struct RecordingResultBox : RunObserver {
  std::vector<double> shown;
  void RunFinished(double globalError) override { shown.push_back(globalError); }
};

struct ScriptedParameters : ParameterSource {
  std::function<CalcParams()> read;
  int reads = 0;
  CalcParams ReadCalcParams() override {
    ++reads;
    return read();
  }
};

// One run with every output recorded, in the window's order: file, chart, result box.
struct RecordedRun {
  ScriptedParameters parameters;
  RecordingFile file;
  RecordingChart chart;
  ChartOutput chartOutput{chart};
  RecordingResultBox resultBox;

  explicit RecordedRun(const CalcParams& params) {
    parameters.read = [params] { return params; };
  }
  RunObservers Observers() { return {&file, &chartOutput, &resultBox}; }
};
