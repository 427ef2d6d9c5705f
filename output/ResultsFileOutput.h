// REZ.TXT as a run's output: created before the parameters are read, the header once they
// are, every row as it comes, closed with a check when the run finishes and released without
// one when it is abandoned.
#pragma once

#include <filesystem>
#include <span>
#include <utility>

#include "output/ResultsFile.h"
#include "run/RunObserver.h"

class ResultsFileOutput : public RunObserver {
 public:
  explicit ResultsFileOutput(std::filesystem::path folder) : folder_(std::move(folder)) {}

  void OutputsOpening() override { file_ = CreateResultsFile(folder_); }
  void ParametersRead(const CalcParams&) override { WriteResultsHeader(file_); }
  void RowsEmitted(std::span<const ResultRow> rows) override {
    for (const ResultRow& row : rows) WriteResultRow(file_, row);
  }
  void RunFinished(double) override { CloseResultsFile(file_); }
  // When closing fails too, the run's first error is the one the user sees.
  void RunAbandoned() noexcept override {
    try {
      CloseResultsFile(file_);
    } catch (...) {
    }
  }

 private:
  std::filesystem::path folder_;
  ResultsFile file_;
};
