// rcpulse-cli --batch SETS.csv: every parameter set of the file run on a pool of threads, each
// into <out>/<name or row number>/REZ.TXT, and a summary CSV on standard output in the file's
// order: name, outcome (ok or error), the result line or error text, rows, seconds. Returns 0
// when every run succeeded, 1 when one did not, 2 for a file that cannot be read as sets.
#pragma once

#include "cli/CliOptions.h"

inline constexpr int kBadSetsExitCode = 2;

int BatchReport(const CliOptions& options);
