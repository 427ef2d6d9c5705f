// The refusal of a run that would never end, before its header is written: a step that does
// not advance T1, or more rows than the run allows. The run raises the same refusal when the
// time stops moving inside its loop.
#pragma once

#include "model/CalcParams.h"
#include "model/FloatingPoint.h"
#include "run/RunOptions.h"

inline constexpr const char* kStepDoesNotAdvanceMessage = "Шаг времени не увеличивает время";

// The number of rows a run of these parameters produces, as the grid T1, T1 + Step, ... up to
// the first time past T4 counts them (at least 2); the repeated addition may make it one more
// or less. Never raises; a step that does not advance gives an infinite or NaN count.
[[nodiscard]] Extended ExpectedRowCount(const CalcParams& params);

// Raises ERunRefused when the step does not advance T1 or the run would produce more than
// options.maxRows rows. Never raises a floating-point error of its own.
void RefuseEndlessRun(const CalcParams& params, const RunOptions& options);
