// The runs of a batch: each parameter set is one run like the runner's single run, written to
// <out>/<name>/REZ.TXT, on a pool of threads. The decimal separator must be set before, since
// every run reads it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "cli/BatchSets.h"
#include "cli/CliOptions.h"

struct BatchOutcome {
  bool ok = false;
  std::string text;        // the result line, or the error text
  std::uint64_t rows = 0;  // rows the run wrote
  double seconds = 0;      // its wall time
};

// One set's run; the command line's parameter texts stand in for the columns the file lacks,
// then the defaults. Never raises: every failure is the outcome's text.
BatchOutcome RunBatchSet(const BatchSet& set, const CliOptions& options);

// Every set's run on `jobs` threads (the caller's among them); deliver hears the outcomes in
// the sets' order, one at a time, on whichever thread finished the set that was awaited.
void RunBatch(const std::vector<BatchSet>& sets, const CliOptions& options, unsigned jobs,
              const std::function<void(std::size_t index, const BatchOutcome& outcome)>& deliver);
