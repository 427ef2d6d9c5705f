// The calculation run with its corrector as a parameter: any callable
// StepResult(const VoltageRate&, double t, double h, double un, double unm1, double guess).
// The program runs it with AdamsMoultonStep; tests and benchmarks also with the literal 51
// passes, to show both give the same run.
#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <utility>

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

// The rows of a run on their way to the outputs: collected and handed on in batches, so that
// each output does its work (the results file its write) once per batch instead of per row. A
// batch of 2048 rows is about 60 KiB of results file and takes well under a millisecond.
class RowBatch {
 public:
  static constexpr std::size_t kRows = 2048;

  RowBatch(const RunObservers& observers, const CalcParams& params)
      : observers_(observers), params_(params) {}

  // A row is (t, u, E(t)).
  void Emit(double t, double u) {
    rows_[count_++] = {t, u, SourceSignal(params_, t)};
    if (count_ == kRows) HandOn();
  }

  void HandOn() {
    const std::size_t count = std::exchange(count_, 0);
    if (count > 0) observers_.RowsEmitted({rows_.data(), count});
  }

 private:
  const RunObservers& observers_;
  const CalcParams& params_;
  std::array<ResultRow, kRows> rows_;
  std::size_t count_ = 0;
};

// Everything between reading the parameters and the end of the grid; returns the global
// error, the largest change a step made.
template <class Corrector>
double IntegrateRows(const Corrector& corrector, const CalcParams& params, RowBatch& rows) {
  const VoltageRate rate(params);
  double t = params.T1;
  double uCur = params.U0;
  double uNext = 0;
  rows.Emit(t, uCur);

  t = AdvanceTime(t, params.Step);
  const StepResult start = RungeKuttaStart(rate, params.T1, params.Step, uCur);
  double uPrev = uCur;
  uCur = start.value;
  rows.Emit(t, uCur);
  double globalError = start.change;

  while (t <= params.T4) {
    t = AdvanceTime(t, params.Step);
    const StepResult step = corrector(rate, t, params.Step, uCur, uPrev, uNext);
    uNext = step.value;
    if (step.change > globalError) globalError = step.change;
    rows.Emit(t, uNext);
    uPrev = uCur;
    uCur = uNext;
  }
  return globalError;
}

// The rows computed before an error still reach the outputs; an output's own error with them
// happened at an earlier row and is the one the user sees.
template <class Corrector>
double IntegrateAndHandOn(const Corrector& corrector, const CalcParams& params,
                          const RunObservers& observers) {
  auto rows = std::make_unique<RowBatch>(observers, params);
  double globalError = 0;
  try {
    globalError = IntegrateRows(corrector, params, *rows);
  } catch (...) {
    rows->HandOn();
    throw;
  }
  rows->HandOn();
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
    const double globalError = calculation_run_detail::IntegrateAndHandOn(corrector, params, observers);
    observers.RunFinished(globalError);
  } catch (...) {
    observers.RunAbandoned();
    throw;
  }
}
