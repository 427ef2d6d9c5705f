#include "cli/BatchRun.h"

#include <chrono>
#include <exception>
#include <filesystem>
#include <span>
#include <system_error>

#include "cli/ParallelInOrder.h"
#include "output/ResultsFile.h"
#include "output/ResultsFileOutput.h"
#include "run/BoxTexts.h"
#include "run/CalculationRun.h"
#include "run/ErrorText.h"
#include "run/ResultCapture.h"

namespace {

// A set's texts: its own columns, else the command line's, else the defaults.
class SetTexts : public ParameterTexts {
 public:
  SetTexts(const BatchSet& set, const CliOptions& options) : set_(set), fallback_(options) {}
  std::string Text(Parameter parameter) const override {
    const std::optional<std::string>& own = set_.texts[static_cast<std::size_t>(parameter)];
    return own ? *own : fallback_.Text(parameter);
  }

 private:
  const BatchSet& set_;
  OptionTexts fallback_;
};

// Counts the rows REZ.TXT has taken.
class RowCounter : public RunObserver {
 public:
  void RowsEmitted(std::span<const ResultRow> rows) override { rows_ += rows.size(); }
  std::uint64_t Rows() const { return rows_; }

 private:
  std::uint64_t rows_ = 0;
};

// The folder of a set's REZ.TXT, made when missing; a failure reads as the results file's.
std::filesystem::path MakeRunFolder(const BatchSet& set, const CliOptions& options) {
  const std::filesystem::path folder = std::filesystem::path(options.outFolder) / set.name;
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) throw ResultsFileError(error.value());
  return folder;
}

}  // namespace

BatchOutcome RunBatchSet(const BatchSet& set, const CliOptions& options) {
  const auto start = std::chrono::steady_clock::now();
  BatchOutcome outcome{.text = set.refusal};
  RowCounter counter;
  if (set.refusal.empty()) {
    try {
      ResultsFileOutput file(MakeRunFolder(set, options));
      ResultCapture result;
      const SetTexts texts(set, options);
      TypedParameters parameters(texts);
      CalculationRun(parameters, {&file, &counter, &result}, RunOptions{.maxRows = options.maxRows});
      outcome = {.ok = true, .text = ResultBoxText(result.GlobalError())};
    } catch (...) {
      outcome.text = ErrorText(std::current_exception());
    }
  }
  outcome.rows = counter.Rows();
  outcome.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  return outcome;
}

void RunBatch(const std::vector<BatchSet>& sets, const CliOptions& options, unsigned jobs,
              const std::function<void(std::size_t index, const BatchOutcome& outcome)>& deliver) {
  ParallelInOrder<BatchOutcome>(
      sets.size(), jobs, [&](std::size_t i) { return RunBatchSet(sets[i], options); }, deliver);
}
