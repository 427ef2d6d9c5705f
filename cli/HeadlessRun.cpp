#include "cli/HeadlessRun.h"

#include <cstdio>
#include <exception>
#include <optional>
#include <string>

#include "cli/RunnerOutputs.h"
#include "cli/StandardStreams.h"
#include "numbertext/FormatGeneral.h"
#include "output/ResultsFileOutput.h"
#include "run/BoxTexts.h"
#include "run/CalculationRun.h"
#include "run/ErrorText.h"
#include "run/ResultCapture.h"

namespace {

// The error's text when the run did not complete.
std::optional<std::string> RunAndCatch(const CliOptions& options, const RunObservers& observers) {
  try {
    const OptionTexts texts(options);
    TypedParameters parameters(texts);
    CalculationRun(parameters, observers, RunOptions{.maxRows = options.maxRows});
  } catch (...) {
    return ErrorText(std::current_exception());
  }
  return std::nullopt;
}

// The result line, and the true error after it when it was tracked. A result line that never
// arrived (a full disk, a closed pipe) is no success.
int PrintResult(const ResultCapture& result, const ExactErrorTracker* exact) {
  PrintLine(stdout, ResultBoxText(result.GlobalError()));
  if (exact) {
    PrintLine(stdout, "Истинная погрешность = " + FormatGeneral(static_cast<double>(exact->LargestError())) +
                          " при t = " + FormatGeneral(exact->TimeOfLargestError()));
  }
  return FlushStandardOutput();
}

int RunWithChart(const CliOptions& options, ResultsChart* chart) {
  RunnerOutputs outputs(options);
  if (outputs.OpenFailure()) {
    PrintLine(stderr, *outputs.OpenFailure());
    return 1;
  }
  ResultsFileOutput file(".");
  ResultCapture result;
  RunObservers observers{&file};
  outputs.AddTo(observers);
  std::optional<ChartOutput> chartOutput;
  if (chart) observers.Add(chartOutput.emplace(*chart));
  observers.Add(result);

  const std::optional<std::string> failure = RunAndCatch(options, observers);
  const std::optional<std::string> closeFailure = outputs.Close();
  // The run's own error is the one to show; a dump or CSV that could not be written next.
  if (failure || closeFailure) {
    PrintLine(stderr, failure ? *failure : *closeFailure);
    return 1;
  }
  return PrintResult(result, outputs.Exact());
}

}  // namespace

int HeadlessRun(const CliOptions& options) { return RunWithChart(options, nullptr); }

int HeadlessRun(const CliOptions& options, ResultsChart& chart) { return RunWithChart(options, &chart); }
