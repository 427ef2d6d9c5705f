// Decorators that let a tool watch a run without changing it: the parameters the run read,
// and every row after the results file has taken it. The run sees the same calls in the same
// order; the watcher sees what the run produced.
#pragma once

#include <functional>
#include <optional>
#include <utility>

#include "run/RunConnections.h"

// Passes ReadCalcParams through and keeps what it returned.
class RememberingParameterSource : public ParameterSource {
 public:
  explicit RememberingParameterSource(ParameterSource& source) : source_(source) {}
  CalcParams ReadCalcParams() override {
    read_ = source_.ReadCalcParams();
    return *read_;
  }
  const std::optional<CalcParams>& Read() const { return read_; }

 private:
  ParameterSource& source_;
  std::optional<CalcParams> read_;
};

// Passes every file operation through; after a row is written it is handed to the observer.
class RowObservingOutput : public ResultsOutput {
 public:
  RowObservingOutput(ResultsOutput& output, std::function<void(const ResultRow&)> observer)
      : output_(output), observer_(std::move(observer)) {}
  void CreateResultsFile() override { output_.CreateResultsFile(); }
  void WriteResultsHeader() override { output_.WriteResultsHeader(); }
  void WriteResultRow(const ResultRow& row) override {
    output_.WriteResultRow(row);
    observer_(row);
  }
  void CloseResultsFile() override { output_.CloseResultsFile(); }

 private:
  ResultsOutput& output_;
  std::function<void(const ResultRow&)> observer_;
};
