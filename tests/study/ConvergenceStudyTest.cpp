#include <gtest/gtest.h>

#include <cmath>

#include "model/Errors.h"
#include "model/ExactVoltage.h"
#include "run/CalculationRun.h"
#include "study/ConvergenceStudy.h"
#include "study/ExactErrorTracker.h"
#include "tests/support/DefaultParameters.h"
#include "tests/support/RecordingObservers.h"

namespace {

TEST(ConvergenceStudy, ASmoothSolutionShowsTheMethodsThirdOrder) {
  // No pulse: u = U0*e^(-t/RC) is smooth, and the Adams-Moulton corrector of order three
  // (started by a fourth-order step) has a global error of order h^3.
  CalcParams p = DefaultCalcParams();
  p.Amplitude = 0;
  p.U0 = 1;
  const auto table = ConvergenceStudy(p, 4);
  ASSERT_EQ(table.size(), 4u);
  EXPECT_FALSE(table[0].order);
  for (std::size_t i = 1; i < table.size(); ++i) {
    EXPECT_EQ(table[i].step, table[i - 1].step / 2);
    ASSERT_TRUE(table[i].order);
    EXPECT_NEAR(*table[i].order, 3, 0.1) << "step " << table[i].step;
  }
}

TEST(ConvergenceStudy, ThePulsesKinksMakeTheErrorSecondOrder) {
  // At T2 the slope of E drops by A/(T2 - T1) = 30 V/s, so the slope of f = (E - u)/RC drops by
  // D = 30/0.045 V/s^2. The corrector's quadratic through f(t-2h), f(t-h), f(t) misses a kink
  // at t-h by D*h^2/12 over the step after it; that one error, O(h^2), outweighs the O(h^3) of
  // all smooth steps. T3 has the same kink mirrored.
  const CalcParams p = DefaultCalcParams();
  const double kinkSlopeJump = 30 / 0.045;
  const auto table = ConvergenceStudy(p, 4);
  for (std::size_t i = 0; i < table.size(); ++i) {
    const ConvergenceRow& row = table[i];
    const double kinkError = kinkSlopeJump * row.step * row.step / 12;
    EXPECT_NEAR(static_cast<double>(row.trueError) / kinkError, 1, 0.01) << row.step;
    // It is met on the first row past a kink.
    const bool afterRise = std::fabs(row.timeOfTrueError - (0.1 + row.step)) < row.step / 2;
    const bool afterFall = std::fabs(row.timeOfTrueError - (0.4 + row.step)) < row.step / 2;
    EXPECT_TRUE(afterRise || afterFall) << row.timeOfTrueError;
    if (i > 0) {
      EXPECT_NEAR(*row.order, 2, 0.02);
      // The global error is the largest step change, about max|du/dt|*h: first order.
      EXPECT_NEAR(table[i - 1].globalError / row.globalError, 2, 0.02);
    }
  }
  // Rows: from T1 to just past T4 on the accumulated grid.
  EXPECT_EQ(table[0].rows, 501u);
  for (const ConvergenceRow& row : table) {
    EXPECT_GE(row.rows, static_cast<std::uint64_t>(0.5 / row.step) + 1);
    EXPECT_LE(row.rows, static_cast<std::uint64_t>(0.5 / row.step) + 2);
  }
}

TEST(ConvergenceStudy, RaisesWhatARunRaises) {
  CalcParams p = DefaultCalcParams();
  p.R = 0;
  EXPECT_THROW(ConvergenceStudy(p, 2), EZeroDivide);
  RunOptions fewRows;
  fewRows.maxRows = 1500;  // 501 and 1001 rows pass, the third halving does not
  EXPECT_THROW(ConvergenceStudy(DefaultCalcParams(), 3, fewRows), ERunRefused);
  EXPECT_EQ(ConvergenceStudy(DefaultCalcParams(), 2, fewRows).size(), 2u);
}

TEST(ExactErrorTracker, KeepsTheLargestErrorAndWhereItFirstOccurs) {
  const CalcParams p = DefaultCalcParams();
  ExactErrorTracker tracker;
  tracker.ParametersRead(p);
  const struct {
    double t, offset;
  } rows[] = {{0, 0}, {0.1, -2e-6}, {0.2, 3e-6}, {0.3, -3e-6}, {0.4, 1e-6}};
  for (const auto& r : rows) {
    const double u = static_cast<double>(ExactVoltage(p, r.t)) + r.offset;
    const ExactErrorTracker::RowError e = tracker.Observe(r.t, u);
    EXPECT_EQ(e.exact, ExactVoltage(p, r.t));
    EXPECT_NEAR(static_cast<double>(e.error), std::fabs(r.offset), 1e-15);
  }
  EXPECT_EQ(tracker.Rows(), 5u);
  EXPECT_NEAR(static_cast<double>(tracker.LargestError()), 3e-6, 1e-15);
  EXPECT_EQ(tracker.TimeOfLargestError(), 0.2);
}

// As a run's output the tracker follows the rows the file took; without an exact solution
// (R*C = 0) the first row raises the division by zero the run's first slope would raise, so
// the file holds the header and that row, as without the tracker.
TEST(ExactErrorTracker, FollowsARunAndRaisesTheRunsOwnErrorWithoutASolution) {
  RecordedRun run(DefaultCalcParams());
  ExactErrorTracker tracker;
  CalculationRun(run.parameters, {&run.file, &tracker, &run.chartOutput});
  EXPECT_EQ(tracker.Rows(), 501u);
  // The largest error is the corner error D*h^2/12 of the pulse's kink (see above).
  const double kinkError = 30 / 0.045 * 0.001 * 0.001 / 12;
  EXPECT_NEAR(static_cast<double>(tracker.LargestError()) / kinkError, 1, 0.01);

  CalcParams noCircuit = DefaultCalcParams();
  noCircuit.R = 0;
  RecordedRun failing(noCircuit);
  EXPECT_THROW(CalculationRun(failing.parameters, {&failing.file, &tracker, &failing.chartOutput}), EZeroDivide);
  EXPECT_EQ(failing.file.rows.size(), 1u);
  EXPECT_TRUE(failing.chart.series[0].points.empty());
}

}  // namespace
