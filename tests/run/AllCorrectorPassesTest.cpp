// A whole run with the corrector stopping at its cycle against the same run with all 51 passes:
// the same rows, points, global error and error, bit for bit.
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <typeinfo>

#include "run/CalculationRun.h"
#include "tests/support/CalculationRunAllPasses.h"
#include "tests/support/DefaultParameters.h"
#include "tests/support/RecordingObservers.h"

namespace {

std::uint64_t Bits(double value) { return std::bit_cast<std::uint64_t>(value); }

struct RunCase {
  std::string name;
  CalcParams params;
  friend void PrintTo(const RunCase& c, std::ostream* out) { *out << c.name; }
};

CalcParams WithStepAndC(double step, double c) {
  CalcParams p = DefaultCalcParams();
  p.Step = step;
  p.C = c;
  return p;
}

// The defaults with the corrector's pass factor k = (5/12)*Step/(R*C) set by C; a negative
// factor (negative C) makes the passes approach from one side instead of alternating.
CalcParams WithPassFactor(double step, double factor) {
  return WithStepAndC(step, 5.0 / 12.0 * step / (9000 * factor));
}

struct Finished {
  std::unique_ptr<RecordedRun> run;
  std::optional<std::string> error;
};

Finished RunWith(const CalcParams& params, bool allPasses) {
  Finished finished{std::make_unique<RecordedRun>(params), std::nullopt};
  RecordedRun& run = *finished.run;
  try {
    if (allPasses) {
      CalculationRunAllPasses(run.parameters, run.Observers());
    } else {
      CalculationRun(run.parameters, run.Observers());
    }
  } catch (const Exception& e) {
    finished.error = std::string(typeid(e).name()) + ": " + e.Message();
  }
  return finished;
}

class AllCorrectorPasses : public testing::TestWithParam<RunCase> {};

TEST_P(AllCorrectorPasses, GiveTheSameRunAsStoppingAtTheCycle) {
  const Finished fast = RunWith(GetParam().params, false);
  const Finished literal = RunWith(GetParam().params, true);

  EXPECT_EQ(fast.error, literal.error);
  const auto& fastRows = fast.run->file.rows;
  const auto& literalRows = literal.run->file.rows;
  ASSERT_EQ(fastRows.size(), literalRows.size());
  for (std::size_t i = 0; i < fastRows.size(); ++i) {
    ASSERT_EQ(Bits(fastRows[i].t), Bits(literalRows[i].t)) << "row " << i;
    ASSERT_EQ(Bits(fastRows[i].u), Bits(literalRows[i].u)) << "row " << i;
    ASSERT_EQ(Bits(fastRows[i].E), Bits(literalRows[i].E)) << "row " << i;
  }
  for (int s = 0; s < 2; ++s) {
    const auto& a = fast.run->chart.series[s].points;
    const auto& b = literal.run->chart.series[s].points;
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i) {
      ASSERT_EQ(Bits(a[i].first), Bits(b[i].first)) << "series " << s << " point " << i;
      ASSERT_EQ(Bits(a[i].second), Bits(b[i].second)) << "series " << s << " point " << i;
    }
  }
  ASSERT_EQ(fast.run->resultBox.shown.size(), literal.run->resultBox.shown.size());
  for (std::size_t i = 0; i < fast.run->resultBox.shown.size(); ++i)
    EXPECT_EQ(Bits(fast.run->resultBox.shown[i]), Bits(literal.run->resultBox.shown[i]));
  EXPECT_EQ(fast.run->file.closes, literal.run->file.closes);
}

INSTANTIATE_TEST_SUITE_P(
    Runs, AllCorrectorPasses,
    testing::Values(
        RunCase{"Defaults", DefaultCalcParams()},
        RunCase{"HalfAMillionSteps", WithStepAndC(0.000001, 5e-6)},
        RunCase{"AlternatingPasses", WithPassFactor(0.001, 0.9)},
        RunCase{"AlternatingNearMinusOne", WithPassFactor(0.001, 0.999)},
        // One-sided slow passes; with R*C < 0 the solution itself grows until it overflows.
        RunCase{"OneSidedSlowPasses", WithPassFactor(0.001, -0.95)},
        // Far beyond the stable step: the passes overflow in the first corrector step.
        RunCase{"DivergingPasses", WithStepAndC(0.001, 5e-12)},
        // Slowly diverging passes: the run overflows after some rows.
        RunCase{"SlowlyDivergingPasses", WithPassFactor(0.001, 1.05)}),
    [](const auto& info) { return info.param.name; });

}  // namespace
