#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <random>

#include "model/AdamsMoultonStep.h"
#include "model/RungeKuttaStart.h"
#include "model/VoltageRate.h"
#include "tests/support/AdamsMoultonStepAllPasses.h"
#include "tests/support/DefaultParameters.h"

namespace {

std::uint64_t Bits(double value) { return std::bit_cast<std::uint64_t>(value); }

const auto kNoSlope = [](double, double) { return 0.0; };

TEST(RungeKuttaStart, DefaultFirstStepMatchesTheReferenceBits) {
  // This program's output, kept to catch any change; it is row 2 of the default run, which
  // the worked example gives as 0.00033.
  const StepResult r = RungeKuttaStart(VoltageRate(DefaultCalcParams()), 0, 0.001, 0);
  EXPECT_EQ(Bits(r.value), 0x3F35AF35D2DD2E78u);
  EXPECT_EQ(r.change, r.value);
  EXPECT_NEAR(r.value, 0.00033, 0.000005);
}

TEST(RungeKuttaStart, IsTheClassicalFourthOrderScheme) {
  // du/dt = u: one step of h gives 1 + h + h^2/2 + h^3/6 + h^4/24.
  const auto growth = [](double, double u) { return u; };
  const double h = 0.1;
  const StepResult r = RungeKuttaStart(growth, 0, h, 1);
  EXPECT_NEAR(r.value, 1 + h + h * h / 2 + h * h * h / 6 + h * h * h * h / 24, 1e-15);
  // du/dt = t^3 is integrated exactly by a fourth-order step.
  const auto cubic = [](double t, double) { return t * t * t; };
  EXPECT_NEAR(RungeKuttaStart(cubic, 1, 1, 0).value, (16.0 - 1.0) / 4, 1e-14);
}

TEST(IntegrationSteps, NoSlopeLeavesTheValueUnchanged) {
  for (double u : {0.0, -0.0, 1.5, -3e200, 5e-324}) {
    const StepResult start = RungeKuttaStart(kNoSlope, 0.25, 0.001, u);
    EXPECT_EQ(start.value, u);
    EXPECT_EQ(start.change, 0);
    const StepResult corrector = AdamsMoultonStep(kNoSlope, 0.25, 0.001, u, u, 17.0);
    EXPECT_EQ(corrector.value, u);
    EXPECT_EQ(corrector.change, 0);
  }
}

TEST(AdamsMoultonStep, ConvergesToTheImplicitFormula) {
  // du/dt = -u: the corrector's fixed point solves v = un + h*(5*(-v) + 8*(-un) + unm1)/12.
  const auto decay = [](double, double u) { return -u; };
  const double h = 0.01, un = 0.99, unm1 = 0.98;
  const double exact = (un + h * (-8 * un + unm1) / 12) / (1 + 5 * h / 12);
  const StepResult r = AdamsMoultonStep(decay, 0.02, h, un, unm1, 0);
  EXPECT_NEAR(r.value, exact, 1e-16);
  EXPECT_EQ(r.change, std::fabs(r.value - un));
}

TEST(AdamsMoultonStep, EvaluatesTheEarlierTimesFromTAndH) {
  double seen[2] = {0, 0};
  int calls = 0;
  const auto probe = [&](double t, double) {
    if (calls < 2) seen[calls] = t;
    ++calls;
    return 0.0;
  };
  (void)AdamsMoultonStep(probe, 0.3, 0.1, 1, 1, 1);
  // 0.3 - 2*0.1 and 0.3 - 0.1 rounded from extended, not the grid's own times.
  EXPECT_EQ(seen[0], static_cast<double>(static_cast<long double>(0.3) - 2 * static_cast<long double>(0.1)));
  EXPECT_EQ(seen[1], static_cast<double>(static_cast<long double>(0.3) - 0.1));
  EXPECT_GE(calls, 3);
}

// The literal corrector, the oracle of AdamsMoultonStep, with f0 and f1 evaluated once or in
// every pass.
TEST(AdamsMoultonStepAllPasses, HoistedAndUnhoistedAgreeBitForBit) {
  std::mt19937_64 random(12);
  std::uniform_real_distribution<double> unit(-1, 1);
  for (int i = 0; i < 20000; ++i) {
    CalcParams p = DefaultCalcParams();
    p.R = std::exp(unit(random) * 10);
    p.C = std::exp(unit(random) * 10) * 1e-6;
    const VoltageRate rate(p);
    const double h = std::exp(unit(random) * 5) * 1e-3;
    const double t = 0.5 * (unit(random) + 1);
    const double un = 3 * unit(random), unm1 = 3 * unit(random), guess = 3 * unit(random);
    StepResult fast{}, literal{};
    bool fastFailed = false, literalFailed = false;
    try { fast = AdamsMoultonStepAllPasses(rate, t, h, un, unm1, guess); } catch (const EOverflow&) { fastFailed = true; }
    try { literal = AdamsMoultonStepUnhoisted(rate, t, h, un, unm1, guess); } catch (const EOverflow&) { literalFailed = true; }
    ASSERT_EQ(fastFailed, literalFailed) << i;
    if (!fastFailed) {
      ASSERT_EQ(Bits(fast.value), Bits(literal.value)) << i;
      ASSERT_EQ(Bits(fast.change), Bits(literal.change)) << i;
    }
  }
}

TEST(AdamsMoultonStep, DivergingPassesOverflow) {
  // Step far above 2.4*R*C: every pass multiplies the iterate by about (5/12)*h/(R*C),
  // here 9.3e6, so 51 passes leave the double range.
  CalcParams p = DefaultCalcParams();
  p.C = 5e-15;
  EXPECT_THROW((void)AdamsMoultonStep(VoltageRate(p), 0.05, 0.001, 1, 1, 1), EOverflow);
}

}  // namespace
