// The refusal of a run that would never end, before its header is written: a step that does
// not advance T1, or more rows than the run allows. The run raises the same refusal when the
// time stops moving inside its loop.
#pragma once

#include "model/CalcParams.h"
#include "model/FloatingPoint.h"
#include "run/RunOptions.h"

inline constexpr const char* kStepDoesNotAdvanceMessage = "Шаг времени не увеличивает время";

// The number of rows a run of these parameters produces, estimated as floor((T4 - T1)/Step) + 2
// (at least 2); the rounding of the repeated addition may make the grid one row longer, or,
// where doubles lie far apart against the step, up to half as long again. Never raises; a
// step that does not advance gives an infinite or NaN count.
[[nodiscard]] Extended ExpectedRowCount(const CalcParams& params);

// Raises ERunRefused when the step does not advance T1 or the run would produce more than
// options.maxRows rows. Never raises a floating-point error of its own.
void RefuseEndlessRun(const CalcParams& params, const RunOptions& options);
