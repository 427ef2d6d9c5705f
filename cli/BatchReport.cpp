#include "cli/BatchReport.h"

#include <algorithm>
#include <cstdio>
#include <thread>

#include "cli/BatchRun.h"
#include "cli/FileReadError.h"
#include "cli/StandardStreams.h"

namespace {

// A field quoted where CSV requires it: when it holds the delimiter, a quote or a line break.
std::string CsvField(const std::string& text, const CsvFormat& format) {
  if (text.find_first_of(std::string{format.delimiter, '"', '\n', '\r'}) == std::string::npos) return text;
  std::string quoted = "\"";
  for (const char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

std::string SummaryHeader(const CsvFormat& format) {
  const char d = format.delimiter;
  return std::string("name") + d + "outcome" + d + "text" + d + "rows" + d + "seconds";
}

std::string SummaryLine(const std::string& name, const BatchOutcome& outcome, const CsvFormat& format) {
  char seconds[32];
  std::snprintf(seconds, sizeof seconds, "%.6f", outcome.seconds);
  const char d = format.delimiter;
  return CsvField(name, format) + d + (outcome.ok ? "ok" : "error") + d + CsvField(outcome.text, format) + d +
         std::to_string(outcome.rows) + d + CsvNumberText(seconds, format);
}

unsigned JobCount(const CliOptions& options) {
  return options.jobs.value_or(std::max(1u, std::thread::hardware_concurrency()));
}

}  // namespace

int BatchReport(const CliOptions& options) {
  std::vector<BatchSet> sets;
  try {
    sets = ReadBatchSets(*options.batchPath, options.csvFormat.delimiter);
  } catch (const FileReadError& error) {
    PrintLine(stderr, error.what());
    return kBadSetsExitCode;
  } catch (const BatchFileError& error) {
    PrintLine(stderr, error.what());
    return kBadSetsExitCode;
  }
  PrintLine(stdout, SummaryHeader(options.csvFormat));
  bool allRan = true;
  RunBatch(sets, options, JobCount(options), [&](std::size_t i, const BatchOutcome& outcome) {
    allRan = allRan && outcome.ok;
    // Buffered as standard output is (by line on a terminal): a write per line would hold
    // up the other threads while it is made.
    PrintLine(stdout, SummaryLine(sets[i].name, outcome, options.csvFormat));
  });
  if (FlushStandardOutput() != 0) return 1;
  return allRan ? 0 : 1;
}
