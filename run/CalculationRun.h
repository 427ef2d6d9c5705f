// One calculation run: clear the chart, create REZ.TXT, read the parameters, integrate from
// T1 to just past T4 (one Runge-Kutta start step, then the Adams-Moulton corrector), emit
// every row to the file and both series, close the file and show the global error.
// Errors leave the run; the results file, once created, is closed before they do.
#pragma once

#include "run/RunConnections.h"
#include "run/RunOptions.h"

void CalculationRun(const RunConnections& connections, const RunOptions& options = {});

// Raises ERunRefused when the step does not advance T1 or the run would produce more than
// options.maxRows rows. Never raises a floating-point error of its own.
void RefuseEndlessRun(const CalcParams& params, const RunOptions& options);

// Message texts of the refusals.
inline constexpr const char* kStepDoesNotAdvanceMessage = "Шаг времени не увеличивает время";
