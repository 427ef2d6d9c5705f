// The refusal of a run that would never end, before its header is written: a step that does
// not advance T1, or more rows than the run allows. The run raises the same refusal when the
// time stops moving inside its loop.
#pragma once

#include "model/CalcParams.h"
#include "run/RunOptions.h"

inline constexpr const char* kStepDoesNotAdvanceMessage = "Шаг времени не увеличивает время";

// Raises ERunRefused when the step does not advance T1 or the run would produce more than
// options.maxRows rows. Never raises a floating-point error of its own.
void RefuseEndlessRun(const CalcParams& params, const RunOptions& options);
