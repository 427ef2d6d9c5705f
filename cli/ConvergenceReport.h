// rcpulse-cli --convergence K: the nine field texts read once, then K runs with the step
// halved each time, without REZ.TXT; prints the table on standard output (numbers with the
// decimal separator in force) or an error's text alone on standard error. Returns 0 or 1.
#pragma once

#include "cli/CliOptions.h"

int ConvergenceReport(const CliOptions& options);
