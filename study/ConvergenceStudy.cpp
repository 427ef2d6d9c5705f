#include "study/ConvergenceStudy.h"

#include <cmath>

#include "run/CalculationRun.h"
#include "run/ResultCapture.h"
#include "study/ExactErrorTracker.h"

std::vector<ConvergenceRow> ConvergenceStudy(const CalcParams& params, int count,
                                             const RunOptions& options) {
  std::vector<ConvergenceRow> table;
  for (int halvings = 0; halvings < count; ++halvings) {
    CalcParams halved = params;
    halved.Step = std::ldexp(params.Step, -halvings);  // exact: a power of two

    FixedParameters parameters(halved);
    ExactErrorTracker tracker;
    ResultCapture result;
    CalculationRun(parameters, {&tracker, &result}, options);

    ConvergenceRow row;
    row.step = halved.Step;
    row.rows = tracker.Rows();
    row.globalError = result.GlobalError();
    row.trueError = tracker.LargestError();
    row.timeOfTrueError = tracker.TimeOfLargestError();
    if (!table.empty() && table.back().trueError > 0 && row.trueError > 0)
      row.order = static_cast<double>(std::log2(table.back().trueError / row.trueError));
    table.push_back(row);
  }
  return table;
}
