// One calculation run: tell the outputs a run begins (the chart empties, REZ.TXT is created),
// read the parameters, integrate from T1 to just past T4 (one Runge-Kutta start step, then
// the Adams-Moulton corrector), hand every row to the outputs as it exists, and finish with
// the global error (the file closes, the result box shows it). Errors leave the run after
// every output has been told it is abandoned.
#pragma once

#include "run/ParameterSource.h"
#include "run/RunObserver.h"
#include "run/RunOptions.h"

void CalculationRun(ParameterSource& parameters, const RunObservers& observers,
                    const RunOptions& options = {});
