// The runner's own outputs of one run, gathered in one place: the --dump file, the progress
// line, the --exact tracker and the --csv file. They hear the run after REZ.TXT, so each row
// reaches them once the results file has taken it, and before the chart.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "cli/CliOptions.h"
#include "cli/ProgressIndicator.h"
#include "output/CsvRowWriter.h"
#include "output/RowDump.h"
#include "run/RunObserver.h"
#include "study/ExactErrorTracker.h"

class RunnerOutputs {
 public:
  // Opens the CSV file, then the dump; a failure is kept for OpenFailure, and the rest is
  // not opened.
  explicit RunnerOutputs(const CliOptions& options);
  ~RunnerOutputs();

  // The text to print when a file could not be opened.
  const std::optional<std::string>& OpenFailure() const { return openFailure_; }
  // Adds the outputs in the order they hear every row: dump, progress, exact, CSV.
  void AddTo(RunObservers& observers);
  // Closes the dump, then the CSV file; the text of the first failure.
  std::optional<std::string> Close();
  // The tracker when --exact asked for one.
  const ExactErrorTracker* Exact() const { return exact_.get(); }

 private:
  class CsvRows;

  std::optional<std::string> openFailure_;
  std::unique_ptr<RowDump> dump_;
  ProgressIndicator progress_;
  std::unique_ptr<ExactErrorTracker> exact_;
  std::unique_ptr<CsvRowWriter> csv_;
  std::unique_ptr<CsvRows> csvRows_;
};
