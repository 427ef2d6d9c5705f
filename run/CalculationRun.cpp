#include "run/CalculationRun.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "model/AdamsMoultonStep.h"
#include "model/AdamsMoultonStepFast.h"
#include "model/Errors.h"
#include "model/FloatingPoint.h"
#include "model/RungeKuttaStart.h"
#include "model/SourceSignal.h"
#include "model/VoltageRate.h"

namespace {

std::string IntegerText(Extended value) {
  char text[8192];
  std::snprintf(text, sizeof text, "%.0Lf", value);
  return text;
}

class RowEmitter {
 public:
  RowEmitter(const CalcParams& params, const RunConnections& connections)
      : params_(params),
        file_(connections.resultsFile),
        solution_(connections.chart.Series(0)),
        source_(connections.chart.Series(1)) {}

  // The file first: a failed write is raised before the row's points are added.
  void Emit(double t, double u) {
    const double e = SourceSignal(params_, t);
    file_.WriteResultRow({t, u, e});
    solution_.InsertPoint(t, u);
    source_.InsertPoint(t, e);
  }

 private:
  const CalcParams& params_;
  ResultsOutput& file_;
  ChartSeries& solution_;
  ChartSeries& source_;
};

// The next grid time by repeated addition; a step that no longer changes t would loop for ever.
double AdvanceTime(double t, double step) {
  const double next = StoreDouble(Extended(t) + step);
  if (!(next > t)) throw ERunRefused(kStepDoesNotAdvanceMessage);
  return next;
}

// Steps 3 to 11: everything between creating and closing the results file.
double IntegrateAndEmit(const RunConnections& connections, const RunOptions& options) {
  const CalcParams params = connections.parameters.ReadCalcParams();
  RefuseEndlessRun(params, options);
  const VoltageRate rate(params);
  RowEmitter rows(params, connections);

  double t = params.T1;
  double uCur = params.U0;
  double uNext = 0;
  connections.resultsFile.WriteResultsHeader();
  rows.Emit(t, uCur);

  t = AdvanceTime(t, params.Step);
  const StepResult start = RungeKuttaStart(rate, params.T1, params.Step, uCur);
  double uPrev = uCur;
  uCur = start.value;
  rows.Emit(t, uCur);
  double globalError = start.change;

  while (t <= params.T4) {
    t = AdvanceTime(t, params.Step);
    const StepResult step =
        options.allCorrectorPasses
            ? AdamsMoultonStep(rate, t, params.Step, uCur, uPrev, uNext)
            : AdamsMoultonStepFast(rate, t, params.Step, uCur, uPrev, uNext);
    uNext = step.value;
    if (step.change > globalError) globalError = step.change;
    rows.Emit(t, uNext);
    uPrev = uCur;
    uCur = uNext;
  }
  return globalError;
}

}  // namespace

void RefuseEndlessRun(const CalcParams& params, const RunOptions& options) {
  // Rounded without the overflow check: a sum beyond the double range does advance, and the
  // run itself raises the overflow when it stores that time.
  const double next = static_cast<double>(Extended(params.T1) + params.Step);
  if (!(next > params.T1)) throw ERunRefused(kStepDoesNotAdvanceMessage);

  const Extended steps = (Extended(params.T4) - params.T1) / params.Step;
  const Extended rows = steps < 0 ? 2 : std::floor(steps) + 2;
  if (rows > static_cast<Extended>(options.maxRows)) {
    throw ERunRefused("Слишком много строк: " + IntegerText(rows) + ", допустимо не более " +
                      std::to_string(options.maxRows));
  }
}

void CalculationRun(const RunConnections& connections, const RunOptions& options) {
  connections.chart.Series(0).ClearPoints();
  connections.chart.Series(1).ClearPoints();
  connections.resultsFile.CreateResultsFile();

  double globalError = 0;
  try {
    globalError = IntegrateAndEmit(connections, options);
  } catch (...) {
    // Release the file with what was written so far; when closing fails too, the first
    // error is the one the user sees.
    try {
      connections.resultsFile.CloseResultsFile();
    } catch (...) {
    }
    throw;
  }
  connections.resultsFile.CloseResultsFile();
  connections.resultBox.ShowResultBox(globalError);
}
