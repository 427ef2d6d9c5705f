#include "run/ConvergenceStudy.h"

#include <cmath>

#include "run/CalculationRun.h"
#include "run/ExactErrorTracker.h"
#include "run/NullOutputs.h"
#include "run/ObservedConnections.h"

std::vector<ConvergenceRow> ConvergenceStudy(const CalcParams& params, int count,
                                             const RunOptions& options) {
  std::vector<ConvergenceRow> table;
  for (int halvings = 0; halvings < count; ++halvings) {
    CalcParams halved = params;
    halved.Step = std::ldexp(params.Step, -halvings);  // exact: a power of two

    // The tracker starts with the first row, so that a run's own refusal comes first.
    std::optional<ExactErrorTracker> tracker;
    NullResultsOutput noFile;
    RowObservingOutput rows(noFile, [&](const ResultRow& row) {
      if (!tracker) tracker.emplace(halved);
      tracker->Observe(row.t, row.u);
    });
    FixedParameters parameters(halved);
    NullResultsChart noChart;
    CapturingResultPresenter result;
    CalculationRun({parameters, rows, noChart, result}, options);

    ConvergenceRow row;
    row.step = halved.Step;
    row.rows = tracker->Rows();
    row.globalError = result.GlobalError();
    row.trueError = tracker->LargestError();
    row.timeOfTrueError = tracker->TimeOfLargestError();
    if (!table.empty() && table.back().trueError > 0 && row.trueError > 0)
      row.order = static_cast<double>(std::log2(table.back().trueError / row.trueError));
    table.push_back(row);
  }
  return table;
}
