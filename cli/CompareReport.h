// rcpulse-cli --compare FILE: the run of the nine parameter texts is computed without writing
// REZ.TXT and FILE is compared with the REZ.TXT it would have written. Prints one line when
// they are the same (exit 0), what differs when not (exit 3); a FILE that cannot be read or a
// run that fails is an error on standard error (exit 1).
#pragma once

#include "cli/CliOptions.h"

inline constexpr int kDifferentExitCode = 3;

int CompareReport(const CliOptions& options);
