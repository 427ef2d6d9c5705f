// The headless runner's command line: the nine field texts (each exactly as typed in the
// window, default the window's default text) and the runner's own switches.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>

#include "run/ParameterFields.h"
#include "run/RunOptions.h"

struct CliOptions {
  std::map<std::string, std::string, std::less<>> fieldTexts;  // by field name, all nine
  std::optional<std::string> decimalSeparator;                  // else the locale's
  std::uint64_t maxRows = RunOptions{}.maxRows;
  std::optional<std::string> dumpPath;
  bool exact = false;                       // also the true error against the exact solution
  std::optional<std::string> csvPath;       // every row as CSV
  std::optional<int> convergenceRuns;       // a convergence study of this many halvings
  std::optional<std::string> pngPath;       // the run's chart as a picture
  std::optional<std::string> pdfPath;       // the run's chart as a PDF page
  int chartWidth = 407;                     // the chart's size in the window
  int chartHeight = 410;
  bool help = false;
};

// A command line that cannot be understood; main prints the usage and exits with 2.
class CliUsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

CliOptions ParseCliOptions(int argc, const char* const* argv);

// The exit code of a command line that cannot be understood.
inline constexpr int kUsageExitCode = 2;

// ParseCliOptions for a program's main: on a usage error the reason and the usage go to
// standard error and nothing is returned.
std::optional<CliOptions> ParseCliOptionsOrShowUsage(int argc, const char* const* argv);

// The usage text (Russian, UTF-8).
std::string CliUsage();

// The field texts of the options, for ReadCalcParams.
class OptionFields : public ParameterFields {
 public:
  explicit OptionFields(const CliOptions& options) : options_(options) {}
  std::string FieldText(std::string_view fieldName) const override;

 private:
  const CliOptions& options_;
};
