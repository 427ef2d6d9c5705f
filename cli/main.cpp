// rcpulse-cli: one calculation run without a window, from the nine parameter texts given as
// options. The result line goes to standard output, an error's text alone to standard error.
// Other modes: the chart as a picture, a convergence study, the comparison of a results file
// with the run, and a batch of runs from a CSV file.
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "cli/BatchReport.h"
#include "cli/CatchingMain.h"
#include "cli/CliOptions.h"
#include "cli/CompareReport.h"
#include "cli/ConvergenceReport.h"
#include "cli/DecimalSeparatorChoice.h"
#include "cli/HeadlessRun.h"

namespace {

// The chart modes need Qt's widgets; they live in a sibling program so that every other mode
// starts without loading them.
int StartChartProgram(char** argv) {
  std::error_code error;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  const std::string chartProgram = (self.parent_path() / "rcpulse-cli-chart").string();
  ::execv(chartProgram.c_str(), argv);
  std::fprintf(stderr, "rcpulse-cli: %s: %s\n", chartProgram.c_str(), std::strerror(errno));
  return 1;
}

int Main(int argc, char** argv) {
  const std::optional<CliOptions> parsed = ParseCliOptionsOrShowUsage(argc, argv);
  if (!parsed) return kUsageExitCode;
  const CliOptions& options = *parsed;
  // Once, before any run: the batch's threads only read it.
  ApplyDecimalSeparatorChoice(options.decimalSeparator);
  if (options.help || options.version) {
    std::fputs((options.help ? CliUsage() : CliVersion()).c_str(), stdout);
    return 0;
  }
  switch (options.mode) {
    case RunnerMode::Chart: return StartChartProgram(argv);
    case RunnerMode::Convergence: return ConvergenceReport(options);
    case RunnerMode::Compare: return CompareReport(options);
    case RunnerMode::Batch: return BatchReport(options);
    case RunnerMode::Run: break;
  }
  return HeadlessRun(options);
}

}  // namespace

int main(int argc, char** argv) { return CatchingMain(Main, argc, argv); }
