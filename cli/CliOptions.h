// The headless runner's command line: the nine parameter texts (each exactly as typed in the
// window, default the window's default text in the decimal separator in force) and the
// runner's own options. The parameter options come from the parameter table; the runner's
// own from one table of its own (cli/RunnerOptionTable.h), which also writes their lines of
// the usage text and says in which mode each may be given.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>

#include "output/CsvFormat.h"
#include "run/ParameterTexts.h"
#include "run/RunOptions.h"

// What one call of the runner does; the options that choose it are exclusive.
enum class RunnerMode : unsigned {
  Run = 1,          // one run into REZ.TXT
  Chart = 2,        // the same with the chart drawn (--png, --pdf)
  Convergence = 4,  // --convergence
  Compare = 8,      // --compare
  Batch = 16,       // --batch
};

struct CliOptions {
  // By Parameter; none given: the default text with the decimal separator in force.
  std::array<std::optional<std::string>, kParameterTable.size()> parameterTexts;
  RunnerMode mode = RunnerMode::Run;
  std::optional<std::string> decimalSeparator;                      // else the locale's
  std::uint64_t maxRows = RunOptions{}.maxRows;
  std::optional<std::string> dumpPath;
  bool exact = false;                       // also the true error against the exact solution
  std::optional<std::string> csvPath;       // every row as CSV
  CsvFormat csvFormat = kCommaCsv;          // of every CSV file read or written
  std::optional<int> convergenceRuns;       // a convergence study of this many halvings
  std::optional<std::string> pngPath;       // the run's chart as a picture
  std::optional<std::string> pdfPath;       // the run's chart as a PDF page
  int chartWidth = 407;                     // the chart's size in the window
  int chartHeight = 410;
  std::optional<std::string> comparePath;   // a results file to check against the run
  std::optional<std::string> batchPath;     // the parameter sets of many runs
  std::optional<unsigned> jobs;             // parallel runs of a batch; else one per core
  std::string outFolder = ".";              // where a batch's run folders go
  bool help = false;
  bool version = false;
};

// A command line that cannot be understood; main prints the reason and exits with 2.
class CliUsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

CliOptions ParseCliOptions(int argc, const char* const* argv);

// The exit code of a command line that cannot be understood.
inline constexpr int kUsageExitCode = 2;

// ParseCliOptions for a program's main: on a usage error one line naming the problem and a
// pointer to --help go to standard error, and nothing is returned.
std::optional<CliOptions> ParseCliOptionsOrShowUsage(int argc, const char* const* argv);

// The usage text (Russian, UTF-8).
std::string CliUsage();

// The runner's name and version, for --version.
std::string CliVersion();

// The parameter texts of the options, for ReadCalcParams.
class OptionTexts : public ParameterTexts {
 public:
  explicit OptionTexts(const CliOptions& options) : options_(options) {}
  std::string Text(Parameter parameter) const override {
    const std::optional<std::string>& given = options_.parameterTexts[static_cast<std::size_t>(parameter)];
    return given ? *given : DefaultText(parameter);
  }

 private:
  const CliOptions& options_;
};
