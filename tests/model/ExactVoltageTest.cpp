#include <gtest/gtest.h>

#include <quadmath.h>

#include <algorithm>
#include <cmath>
#include <ostream>
#include <string>
#include <vector>

#include "model/Errors.h"
#include "model/ExactVoltage.h"
#include "tests/support/DefaultParameters.h"

namespace {

using Quad = __float128;

CalcParams Params(double t1, double t2, double t3, double t4, double amplitude, double r,
                  double c, double u0) {
  CalcParams p;
  p.T1 = t1;
  p.T2 = t2;
  p.T3 = t3;
  p.T4 = t4;
  p.Step = 0.001;
  p.Amplitude = amplitude;
  p.R = r;
  p.C = c;
  p.U0 = u0;
  return p;
}

// The pulse on the open interval around `inside`, as a line E(x) = value + slope*(x - origin),
// by the pulse's three tests in their override order.
struct Line {
  Quad origin = 0, value = 0, slope = 0;
  Quad At(Quad x) const { return value + slope * (x - origin); }
};

Line LineAround(const CalcParams& p, Quad inside) {
  Line line;
  if (p.T2 <= inside && inside <= p.T3) line = {0, p.Amplitude, 0};
  if (p.T1 < inside && inside < p.T2) line = {p.T1, 0, Quad(p.Amplitude) / (Quad(p.T2) - p.T1)};
  if (p.T3 < inside && inside < p.T4) line = {p.T4, 0, Quad(p.Amplitude) / (Quad(p.T3) - p.T4)};
  return line;
}

// The stretch from T1 to t cut at every pulse time in between, in the direction of travel.
std::vector<Quad> Nodes(const CalcParams& p, double t) {
  std::vector<Quad> nodes{p.T1};
  std::vector<double> corners{p.T1, p.T2, p.T3, p.T4};
  std::sort(corners.begin(), corners.end());
  if (t >= p.T1) {
    for (double c : corners)
      if (c > p.T1 && c < t) nodes.push_back(c);
  } else {
    std::reverse(corners.begin(), corners.end());
    for (double c : corners)
      if (c < p.T1 && c > t) nodes.push_back(c);
  }
  nodes.push_back(t);
  return nodes;
}

// Reference 1: the textbook form u(b) = E(b) - slope*tau + (u(a) - E(a) + slope*tau)*e^(-(b-a)/tau)
// on every piece, evaluated with exp in 113-bit precision (no expm1, no series).
Quad QuadClosedForm(const CalcParams& p, double t) {
  const Quad tau = Quad(p.R) * p.C;
  const std::vector<Quad> nodes = Nodes(p, t);
  Quad u = p.U0;
  for (std::size_t i = 0; i + 1 < nodes.size(); ++i) {
    const Quad a = nodes[i], b = nodes[i + 1];
    const Line e = LineAround(p, (a + b) / 2);
    u = e.At(b) - e.slope * tau + (u - e.At(a) + e.slope * tau) * expq(-(b - a) / tau);
  }
  return u;
}

// Reference 2: classical RK4 on du/dt = (E - u)/tau with at least 1000 steps per time constant,
// the pulse times being grid nodes so that every step sees one straight piece of E.
long double FineRungeKutta(const CalcParams& p, double t) {
  const long double tau = static_cast<long double>(p.R) * p.C;
  const std::vector<Quad> nodes = Nodes(p, t);
  long double u = p.U0;
  for (std::size_t i = 0; i + 1 < nodes.size(); ++i) {
    const long double a = static_cast<long double>(nodes[i]);
    const long double b = static_cast<long double>(nodes[i + 1]);
    const Line line = LineAround(p, (nodes[i] + nodes[i + 1]) / 2);
    const auto rate = [&](long double x, long double v) {
      return (static_cast<long double>(line.At(x)) - v) / tau;
    };
    const long double count = std::ceil(std::fabs(b - a) / std::fabs(tau) * 1000);
    const long double h = (b - a) / count;
    for (long double k = 0; k < count; ++k) {
      const long double x = a + k * h;
      const long double k1 = rate(x, u);
      const long double k2 = rate(x + h / 2, u + h / 2 * k1);
      const long double k3 = rate(x + h / 2, u + h / 2 * k2);
      const long double k4 = rate(x + h, u + h * k3);
      u += h * (k1 + 2 * k2 + 2 * k3 + k4) / 6;
    }
  }
  return u;
}

struct SolutionCase {
  std::string name;
  CalcParams params;
  std::vector<double> times;
  friend void PrintTo(const SolutionCase& c, std::ostream* out) { *out << c.name; }
};

std::vector<SolutionCase> SolutionCases() {
  return {
      {"Defaults", DefaultCalcParams(),
       {-0.05, 0, 1e-9, 0.001, 0.05, 0.1, 0.1 + 1e-12, 0.25, 0.4, 0.45, 0.5, 0.5005, 0.7}},
      {"NoRisingEdge", Params(0, 0, 0.3, 0.5, 2, 1000, 1e-4, 0.5),
       {-0.1, 0, 1e-10, 0.01, 0.3, 0.4, 0.6}},
      {"RisingEdgeEndsAfterTheFall", Params(0, 0.3, 0.2, 0.5, 3, 9000, 5e-6, 0),
       {0.1, 0.2, 0.2 + 1e-9, 0.25, 0.3, 0.4, 0.5, 0.6}},
      {"ShiftedStartNegativePulse", Params(1, 1.2, 1.5, 2, -5, 3e5, 1e-6, -2),
       {0.5, 0.9, 1, 1.1, 1.2, 1.7, 2, 2.5}},
      {"SlowCircuit", Params(0, 0.1, 0.4, 0.5, 3, 1e7, 1e-6, 0), {1e-6, 0.01, 0.3, 0.5, 1}},
      {"FastCircuit", Params(0, 0.1, 0.4, 0.5, 3, 1000, 1e-6, 0),
       {1e-7, 0.05, 0.1, 0.1 + 1e-5, 0.45, 0.5 + 1e-3}},
      {"StartInsideThePulse", Params(0.25, 0.1, 0.4, 0.5, 3, 9000, 5e-6, 1),
       {0, 0.1, 0.2, 0.25, 0.3, 0.45, 0.6}},
      {"PulseBeforeTheStart", Params(0.6, 0.1, 0.4, 0.5, 3, 9000, 5e-6, 2),
       {0.05, 0.3, 0.45, 0.6, 0.7}},
      {"NegativeTimeConstant", Params(0, 0.1, 0.4, 0.5, 3, -9000, 5e-6, 0.1),
       {0.05, 0.2, 0.45, 0.5}},
  };
}

class ExactVoltageAgainstReferences : public testing::TestWithParam<SolutionCase> {};

TEST_P(ExactVoltageAgainstReferences, MatchesTheQuadClosedFormToExtendedPrecision) {
  const SolutionCase& c = GetParam();
  const ExactSolution solution(c.params);
  for (double t : c.times) {
    const Quad reference = QuadClosedForm(c.params, t);
    // The volts in play: a double-precision slip anywhere would be some 1e-16 of them.
    const long double scale = std::max({std::fabs(static_cast<long double>(reference)),
                                        std::fabs(static_cast<long double>(c.params.Amplitude)),
                                        std::fabs(static_cast<long double>(c.params.U0))});
    const long double difference = std::fabs(static_cast<long double>(solution(t) - reference));
    EXPECT_LE(difference, 1e-17L * scale) << "t = " << t;
    EXPECT_EQ(ExactVoltage(c.params, t), solution(t)) << "t = " << t;
  }
}

TEST_P(ExactVoltageAgainstReferences, MatchesAFineRungeKuttaIntegration) {
  const SolutionCase& c = GetParam();
  const ExactSolution solution(c.params);
  for (double t : c.times) {
    const long double reference = FineRungeKutta(c.params, t);
    const long double scale = std::max({std::fabs(reference),
                                        std::fabs(static_cast<long double>(c.params.Amplitude)),
                                        std::fabs(static_cast<long double>(c.params.U0))});
    EXPECT_LE(std::fabs(solution(t) - reference), 1e-12L * scale) << "t = " << t;
  }
}

INSTANTIATE_TEST_SUITE_P(ParameterSets, ExactVoltageAgainstReferences,
                         testing::ValuesIn(SolutionCases()),
                         [](const auto& info) { return info.param.name; });

TEST(ExactVoltage, KeepsItsDigitsJustAfterAKink) {
  // From u = 0 on the default rising edge (slope 3 V / 0.1 s, tau 0.045 s):
  // u(s) = slope*tau*(e^x - 1 - x), x = -s/tau, summed as its Taylor series in 113 bits.
  const CalcParams p = DefaultCalcParams();
  const Quad slope = Quad(p.Amplitude) / p.T2, tau = Quad(p.R) * p.C;
  for (double s : {1e-15, 1e-12, 1e-9, 1e-6, 1e-3}) {
    const Quad x = -Quad(s) / tau;
    Quad term = x * x / 2, sum = 0;
    for (int k = 3; k < 60; ++k) {
      sum += term;
      term *= x / k;
    }
    const Quad reference = slope * tau * sum;
    const long double relative =
        std::fabs(static_cast<long double>((ExactVoltage(p, s) - reference) / reference));
    EXPECT_LE(relative, 1e-17L) << "s = " << s;
  }
}

TEST(ExactVoltage, StartsAtU0AndSettlesOnThePulse) {
  CalcParams p = DefaultCalcParams();
  p.U0 = 1.25;
  EXPECT_EQ(ExactVoltage(p, p.T1), 1.25L);
  // A long plateau: the voltage reaches the amplitude to the last bit.
  p.T3 = 100;
  p.T4 = 101;
  EXPECT_EQ(ExactVoltage(p, 50), 3.0L);
  // Long after the pulse nothing is left.
  EXPECT_LE(std::fabs(ExactVoltage(p, 120)), 1e-150L);
}

TEST(ExactVoltage, ZeroTimeConstantIsADivisionByZero) {
  for (auto [r, c] : {std::pair{0.0, 5e-6}, std::pair{9000.0, 0.0}, std::pair{1e-200, 1e-200}}) {
    CalcParams p = DefaultCalcParams();
    p.R = r;
    p.C = c;
    EXPECT_THROW((void)ExactVoltage(p, 0.1), EZeroDivide) << r << " " << c;
  }
}

TEST(ExactVoltage, GrowthBeyondTheExtendedRangeIsAnOverflow) {
  CalcParams p = DefaultCalcParams();
  p.R = -1;
  p.C = 1e-6;  // growth by e every microsecond
  p.U0 = 1;
  EXPECT_THROW((void)ExactVoltage(p, 0.5), EOverflow);
}

}  // namespace
