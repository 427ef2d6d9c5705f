#include "cli/RunnerOutputs.h"

#include <exception>
#include <span>

#include "run/ErrorText.h"

// Every row into the CSV file, with its exact value and error when the tracker is there; the
// tracker hears the row first.
class RunnerOutputs::CsvRows : public RunObserver {
 public:
  CsvRows(CsvRowWriter& csv, const ExactErrorTracker* exact) : csv_(csv), exact_(exact) {}
  void RowsEmitted(std::span<const ResultRow> rows) override {
    if (!exact_) {
      TakeRows(rows, [this](const ResultRow& row) { csv_.Write(row); });
      return;
    }
    const ExactErrorTracker::RowError* error = exact_->Latest().data();
    TakeRows(rows, [&](const ResultRow& row) {
      csv_.Write(row, error->exact, error->error);
      ++error;
    });
  }

 private:
  CsvRowWriter& csv_;
  const ExactErrorTracker* exact_;
};

namespace {

// The dump's failures are the runner's own words, named after the program.
std::string DumpFailureText() { return "rcpulse-cli: " + ErrorMessage(std::current_exception()); }

}  // namespace

RunnerOutputs::RunnerOutputs(const CliOptions& options) {
  if (options.exact) exact_ = std::make_unique<ExactErrorTracker>();
  // Opened before the run, so that a CSV path that cannot be written touches no REZ.TXT.
  if (options.csvPath) {
    try {
      csv_ = std::make_unique<CsvRowWriter>(*options.csvPath, options.exact, options.csvFormat);
    } catch (...) {
      openFailure_ = ErrorText(std::current_exception());
      return;
    }
    csvRows_ = std::make_unique<CsvRows>(*csv_, exact_.get());
  }
  if (options.dumpPath) {
    try {
      dump_ = std::make_unique<RowDump>(*options.dumpPath);
    } catch (...) {
      openFailure_ = DumpFailureText();
    }
  }
}

RunnerOutputs::~RunnerOutputs() = default;

void RunnerOutputs::AddTo(RunObservers& observers) {
  if (dump_) observers.Add(*dump_);
  observers.Add(progress_);
  if (exact_) observers.Add(*exact_);
  if (csvRows_) observers.Add(*csvRows_);
}

std::optional<std::string> RunnerOutputs::Close() {
  std::optional<std::string> failure;
  if (dump_) {
    try {
      dump_->Close();
    } catch (...) {
      failure = DumpFailureText();
    }
  }
  if (csv_) {
    try {
      csv_->Close();
    } catch (...) {
      if (!failure) failure = ErrorText(std::current_exception());
    }
  }
  return failure;
}
