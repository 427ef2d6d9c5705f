// The calculation run with its corrector as a parameter: any callable
// StepResult(const VoltageRate&, double t, double h, double un, double unm1, double guess).
// The program runs it with AdamsMoultonStep; tests and benchmarks also with the literal 51
// passes, to show both give the same run.
#pragma once

#include "model/Errors.h"
#include "model/FloatingPoint.h"
#include "model/ResultRow.h"
#include "model/RungeKuttaStart.h"
#include "model/SourceSignal.h"
#include "model/VoltageRate.h"
#include "run/EndlessRunCheck.h"
#include "run/ParameterSource.h"
#include "run/RunObserver.h"
#include "run/RunOptions.h"

namespace calculation_run_detail {

// The next grid time by repeated addition; a step that no longer changes t would loop for ever.
inline double AdvanceTime(double t, double step) {
  const double next = StoreDouble(Extended(t) + step);
  if (!(next > t)) throw ERunRefused(kStepDoesNotAdvanceMessage);
  return next;
}

// A row is (t, u, E(t)), handed to the outputs as soon as it exists.
inline void EmitRow(const RunObservers& observers, const CalcParams& params, double t, double u) {
  const ResultRow row{t, u, SourceSignal(params, t)};
  observers.RowsEmitted({&row, 1});
}

// Everything between reading the parameters and the end of the grid; returns the global
// error, the largest change a step made.
template <class Corrector>
double IntegrateRows(const Corrector& corrector, const CalcParams& params,
                     const RunObservers& observers) {
  const VoltageRate rate(params);
  double t = params.T1;
  double uCur = params.U0;
  double uNext = 0;
  EmitRow(observers, params, t, uCur);

  t = AdvanceTime(t, params.Step);
  const StepResult start = RungeKuttaStart(rate, params.T1, params.Step, uCur);
  double uPrev = uCur;
  uCur = start.value;
  EmitRow(observers, params, t, uCur);
  double globalError = start.change;

  while (t <= params.T4) {
    t = AdvanceTime(t, params.Step);
    const StepResult step = corrector(rate, t, params.Step, uCur, uPrev, uNext);
    uNext = step.value;
    if (step.change > globalError) globalError = step.change;
    EmitRow(observers, params, t, uNext);
    uPrev = uCur;
    uCur = uNext;
  }
  return globalError;
}

}  // namespace calculation_run_detail

template <class Corrector>
void CalculationRunWith(const Corrector& corrector, ParameterSource& parameters,
                        const RunObservers& observers, const RunOptions& options) {
  observers.RunStarted();
  try {
    observers.OutputsOpening();
    const CalcParams params = parameters.ReadCalcParams();
    RefuseEndlessRun(params, options);
    observers.ParametersRead(params);
    const double globalError = calculation_run_detail::IntegrateRows(corrector, params, observers);
    observers.RunFinished(globalError);
  } catch (...) {
    observers.RunAbandoned();
    throw;
  }
}
