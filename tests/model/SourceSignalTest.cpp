#include <gtest/gtest.h>

#include "model/SourceSignal.h"
#include "tests/support/DefaultParameters.h"

namespace {

struct PulseCase {
  const char* name;
  CalcParams params;
  double t;
  double expected;
};

CalcParams Pulse(double t1, double t2, double t3, double t4, double amplitude) {
  CalcParams p = DefaultCalcParams();
  p.T1 = t1;
  p.T2 = t2;
  p.T3 = t3;
  p.T4 = t4;
  p.Amplitude = amplitude;
  return p;
}

void PrintTo(const PulseCase& c, std::ostream* os) { *os << c.name; }

class SourceSignalCases : public ::testing::TestWithParam<PulseCase> {};

TEST_P(SourceSignalCases, GivesThePulseValue) {
  const PulseCase& c = GetParam();
  EXPECT_NEAR(SourceSignal(c.params, c.t), c.expected, 1e-15) << c.name;
}

const CalcParams kDefault = DefaultCalcParams();

INSTANTIATE_TEST_SUITE_P(
    Pulse, SourceSignalCases,
    ::testing::Values(
        // Default pulse at the listed times; strict comparisons give 0 at T1 and T4 and the
        // amplitude at T2 and T3.
        PulseCase{"at_T1", kDefault, 0, 0}, PulseCase{"rising_middle", kDefault, 0.05, 1.5},
        PulseCase{"at_T2", kDefault, 0.1, 3}, PulseCase{"plateau", kDefault, 0.25, 3},
        PulseCase{"at_T3", kDefault, 0.4, 3}, PulseCase{"falling_middle", kDefault, 0.45, 1.5},
        PulseCase{"at_T4", kDefault, 0.5, 0}, PulseCase{"after_T4", kDefault, 0.6, 0},
        PulseCase{"before_T1", kDefault, -1, 0},
        // T2 = T1: no rising edge, a jump to the amplitude at T2, no division by zero.
        PulseCase{"no_edge_at_T1", Pulse(0, 0, 0.4, 0.5, 3), 0, 3},
        PulseCase{"no_edge_just_after", Pulse(0, 0, 0.4, 0.5, 3), 1e-300, 3},
        PulseCase{"no_edge_before", Pulse(0, 0, 0.4, 0.5, 3), -1e-300, 0},
        // T2 > T3: no plateau; where both ramps hold the falling one wins.
        PulseCase{"crossed_rising_only", Pulse(0, 0.4, 0.1, 0.5, 4), 0.05, 0.5},
        PulseCase{"crossed_both_ramps", Pulse(0, 0.4, 0.1, 0.5, 4), 0.3, 2},
        PulseCase{"crossed_falling_only", Pulse(0, 0.4, 0.1, 0.5, 4), 0.45, 0.5}));

}  // namespace
