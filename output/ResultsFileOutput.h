// REZ.TXT as a run's output: created before the parameters are read, the header once they
// are, the rows as they come (the outputs after it hear only rows whose blocks were written),
// closed with a check when the run finishes and released without one when it is abandoned.
#pragma once

#include <filesystem>
#include <span>
#include <utility>

#include "output/ResultsFile.h"
#include "run/RunObserver.h"

class ResultsFileOutput : public RunObserver {
 public:
  explicit ResultsFileOutput(std::filesystem::path folder, FileWriter& writer = SystemFileWriter())
      : folder_(std::move(folder)), writer_(writer) {}

  void OutputsOpening() override { file_ = CreateResultsFile(folder_, writer_); }
  void ParametersRead(const CalcParams&) override { WriteResultsHeader(file_); }
  void RowsEmitted(std::span<const ResultRow> rows) override { WriteResultRows(file_, rows); }
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
  FileWriter& writer_;
  ResultsFile file_;
};
