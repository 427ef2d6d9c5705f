// One calculation run of the headless runner: the same run as the window's OK button (the
// parameter texts read by ReadCalcParams, REZ.TXT in the current folder), with the runner's
// own outputs listening. Prints the result line on standard output, or the error box's text
// alone on standard error, and returns the exit code (0 or 1).
#pragma once

#include "cli/CliOptions.h"
#include "output/ChartOutput.h"

int HeadlessRun(const CliOptions& options);

// The same run with its points also going to this chart.
int HeadlessRun(const CliOptions& options, ResultsChart& chart);
