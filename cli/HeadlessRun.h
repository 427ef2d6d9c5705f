// One calculation run of the headless runner: the same code path as the window's OK button
// (the field texts through FieldParameters, REZ.TXT through ResultsFile), with a chart that
// keeps nothing. Prints the result line on standard output, or the error box's text alone on
// standard error, and returns the exit code (0 or 1).
#pragma once

#include "cli/CliOptions.h"
#include "run/RunConnections.h"

int HeadlessRun(const CliOptions& options);

// The same run with its points going to this chart.
int HeadlessRun(const CliOptions& options, ResultsChart& chart);
