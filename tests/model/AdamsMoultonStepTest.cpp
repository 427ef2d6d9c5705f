// The corrector against its literal 51 passes: the same value and change bits, or the
// same error raised by the same pass, over a million random steps in every regime of the
// fixed-point iteration.
#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <ostream>
#include <random>
#include <string>
#include <typeinfo>
#include <vector>

#include "model/AdamsMoultonStep.h"
#include "model/VoltageRate.h"
#include "tests/support/AdamsMoultonStepAllPasses.h"
#include "tests/support/DefaultParameters.h"

namespace {

std::uint64_t Bits(double value) { return std::bit_cast<std::uint64_t>(value); }

// Counts the slope evaluations and keeps every u they were asked for, so that an error can be
// placed at its pass and the literal passes' iterates can be read back.
template <class Rate>
struct TracingRate {
  const Rate& rate;
  mutable std::vector<double> arguments;
  double operator()(double t, double u) const {
    arguments.push_back(u);
    return rate(t, u);
  }
};

struct Outcome {
  bool raised = false;
  std::string error;            // the error's class and text
  std::size_t evaluations = 0;  // slope evaluations up to and including the failing one
  std::uint64_t lastArgument = 0;
  std::uint64_t value = 0, change = 0;
  std::vector<double> arguments;
};

template <class Step, class Rate>
Outcome Run(Step step, const Rate& rate, double t, double h, double un, double unm1,
            double guess) {
  TracingRate<Rate> tracing{rate, {}};
  Outcome outcome;
  try {
    const StepResult r = step(tracing, t, h, un, unm1, guess);
    outcome.value = Bits(r.value);
    outcome.change = Bits(r.change);
  } catch (const Exception& e) {
    outcome.raised = true;
    outcome.error = std::string(typeid(e).name()) + ": " + e.Message();
  }
  outcome.evaluations = tracing.arguments.size();
  if (!tracing.arguments.empty()) outcome.lastArgument = Bits(tracing.arguments.back());
  outcome.arguments = std::move(tracing.arguments);
  return outcome;
}

// How the literal passes went, read from their iterates v0 (the guess) .. v51.
enum Course { kFixedPoint, kPeriodTwoEven, kPeriodTwoOdd, kNoCycle, kRaised, kCourses };
const char* const kCourseNames[] = {"fixed point", "period 2, even passes left",
                                    "period 2, odd passes left", "no cycle", "error"};

Course CourseOf(const Outcome& literal) {
  if (literal.raised) return kRaised;
  // The first two evaluations are f0 and f1; the next 51 receive v0 .. v50.
  std::vector<std::uint64_t> v;
  for (std::size_t i = 2; i < literal.arguments.size(); ++i) v.push_back(Bits(literal.arguments[i]));
  v.push_back(literal.value);
  for (std::size_t k = 1; k < v.size(); ++k) {
    if (v[k] == v[k - 1]) return kFixedPoint;
    if (k >= 2 && v[k] == v[k - 2]) return (kCorrectorPasses - k) % 2 == 0 ? kPeriodTwoEven : kPeriodTwoOdd;
  }
  return kNoCycle;
}

template <class Rate>
void ExpectSameOutcome(const Rate& rate, double t, double h, double un, double unm1, double guess,
                       std::array<int, kCourses>& courses, std::size_t& fastEvaluations) {
  const auto literalStep = [](const auto& r, double a, double b, double c, double d, double e) {
    return AdamsMoultonStepAllPasses(r, a, b, c, d, e);
  };
  const auto fastStep = [](const auto& r, double a, double b, double c, double d, double e) {
    return AdamsMoultonStep(r, a, b, c, d, e);
  };
  const Outcome literal = Run(literalStep, rate, t, h, un, unm1, guess);
  const Outcome fast = Run(fastStep, rate, t, h, un, unm1, guess);
  const auto where = [&] {
    return testing::Message() << std::hexfloat << "t=" << t << " h=" << h << " un=" << un
                              << " unm1=" << unm1 << " guess=" << guess;
  };
  ASSERT_EQ(fast.raised, literal.raised) << where();
  if (literal.raised) {
    ASSERT_EQ(fast.error, literal.error) << where();
    ASSERT_EQ(fast.evaluations, literal.evaluations) << where();
    ASSERT_EQ(fast.lastArgument, literal.lastArgument) << where();
  } else {
    ASSERT_EQ(fast.value, literal.value) << where();
    ASSERT_EQ(fast.change, literal.change) << where();
  }
  ++courses[CourseOf(literal)];
  fastEvaluations += fast.evaluations;
}

// The regimes of the passes, by the factor k = (5/12)*h/(R*C) that scales a deviation from the
// fixed point on every pass (its sign flips it for R*C > 0).
struct Regime {
  std::string name;
  double (*factor)(std::mt19937_64&);
  std::vector<Course> mustSee;  // courses the random steps must reach, so the test covers them
  friend void PrintTo(const Regime& r, std::ostream* out) { *out << r.name; }
};

double Uniform(std::mt19937_64& random, double low, double high) {
  return std::uniform_real_distribution<double>(low, high)(random);
}
double LogUniform(std::mt19937_64& random, double low, double high) {
  return std::exp(Uniform(random, std::log(low), std::log(high)));
}

// A value as the run may meet it: any magnitude, either sign, or exactly a signed zero.
double AnyValue(std::mt19937_64& random) {
  switch (random() % 8) {
    case 0: return 0.0;
    case 1: return -0.0;
    case 2: return 5e-324 * (random() % 2 ? 1 : -1);
    default: return LogUniform(random, 1e-12, 1e3) * (random() % 2 ? 1 : -1);
  }
}

class FastCorrectorRegime : public testing::TestWithParam<Regime> {};

TEST_P(FastCorrectorRegime, MatchesTheLiteralPassesBitForBitAndErrorForError) {
  const Regime& regime = GetParam();
  std::mt19937_64 random(std::hash<std::string>{}(regime.name));
  std::array<int, kCourses> courses{};
  std::size_t fastEvaluations = 0;
  const int steps = 250'000;
  for (int i = 0; i < steps; ++i) {
    CalcParams p = DefaultCalcParams();
    p.Amplitude = random() % 4 == 0 ? 0.0 : Uniform(random, -5, 5);
    p.R = LogUniform(random, 1e-2, 1e6) * (random() % 2 ? 1 : -1);
    p.C = LogUniform(random, 1e-12, 1e-2);
    const double k = regime.factor(random);
    const double h = k * std::fabs(p.R * p.C) * 12 / 5;
    const double t = Uniform(random, -0.1, 0.6);
    const double un = AnyValue(random), unm1 = AnyValue(random);
    double guess = AnyValue(random);
    if (random() % 4 == 0) guess = un;  // the run's first iterate is near un
    if (random() % 50 == 0) guess = 1e300;  // far out: overflows when amplified
    ASSERT_NO_FATAL_FAILURE(
        ExpectSameOutcome(VoltageRate(p), t, h, un, unm1, guess, courses, fastEvaluations));
  }
  for (Course c : regime.mustSee) EXPECT_GE(courses[c], 100) << kCourseNames[c];
  for (int c = 0; c < kCourses; ++c) RecordProperty(kCourseNames[c], courses[c]);
  RecordProperty("fast evaluations per step", std::to_string(double(fastEvaluations) / steps));
}

INSTANTIATE_TEST_SUITE_P(
    Regimes, FastCorrectorRegime,
    testing::Values(
        Regime{"Convergent", [](std::mt19937_64& r) { return LogUniform(r, 1e-8, 0.5); },
               {kFixedPoint, kPeriodTwoEven, kPeriodTwoOdd}},
        Regime{"SlowlyConvergent",
               [](std::mt19937_64& r) { return 1 - LogUniform(r, 1e-4, 0.1); },
               {kFixedPoint, kPeriodTwoEven, kPeriodTwoOdd, kNoCycle}},
        Regime{"OscillatingNearMinusOne",
               [](std::mt19937_64& r) { return 1 + Uniform(r, -1e-3, 1e-3); },
               {kFixedPoint, kPeriodTwoEven, kPeriodTwoOdd, kNoCycle}},
        Regime{"Diverging", [](std::mt19937_64& r) { return LogUniform(r, 1.01, 1e8); },
               {kFixedPoint, kNoCycle, kRaised}}),
    [](const auto& info) { return info.param.name; });

TEST(FastCorrector, MatchesTheLiteralPassesForANonlinearSlope) {
  // A logistic slope: with un = 0 and f0 = f1 = 0 each pass is v := r*v*(1 - v), whose passes
  // settle, alternate, run through longer cycles or wander, depending on r.
  std::mt19937_64 random(7);
  std::array<int, kCourses> courses{};
  std::size_t fastEvaluations = 0;
  for (int i = 0; i < 100'000; ++i) {
    const double r = Uniform(random, 0.5, 4.0);
    const double h = 12.0 / 5;
    const auto logistic = [r](double t, double u) {
      return t == 1 ? StoreDouble(Extended(r) * u * (1 - Extended(u))) : 0.0;
    };
    const double guess = random() % 10 == 0 ? AnyValue(random) : Uniform(random, 0, 1);
    ASSERT_NO_FATAL_FAILURE(
        ExpectSameOutcome(logistic, 1, h, 0, 0, guess, courses, fastEvaluations));
  }
  for (Course c : {kFixedPoint, kPeriodTwoEven, kPeriodTwoOdd, kNoCycle, kRaised})
    EXPECT_GE(courses[c], 100) << kCourseNames[c];
}

TEST(FastCorrector, TellsTheTwoZerosApart) {
  // With un = -0, f1 = -0 and f0 = +0 a pass returns -0 exactly when f2 is -0. This slope
  // gives f2 = -0 only at u = +0, so the passes go +0, -0, a, a, ...: -0 equals +0 as a number
  // but is not the fixed point.
  const double t = 1, h = 0.5;
  const auto slope = [&](double time, double u) {
    if (time != t) return time < t - h ? 0.0 : -0.0;
    return u == 0 && !std::signbit(u) ? -0.0 : 1.0;
  };
  for (double guess : {0.0, -0.0, 1.0}) {
    const StepResult literal = AdamsMoultonStepAllPasses(slope, t, h, -0.0, 0.0, guess);
    const StepResult fast = AdamsMoultonStep(slope, t, h, -0.0, 0.0, guess);
    EXPECT_EQ(Bits(fast.value), Bits(literal.value)) << guess;
    EXPECT_EQ(Bits(fast.change), Bits(literal.change)) << guess;
  }
}

TEST(FastCorrector, TheDefaultRunNeedsOnlyAFewPasses) {
  // Factor 0.0093: from the previous step's value a handful of passes reach the last bit.
  const VoltageRate rate(DefaultCalcParams());
  std::size_t evaluations = 0;
  const auto counting = [&](double t, double u) {
    ++evaluations;
    return rate(t, u);
  };
  double uPrev = 0, uCur = 0.000333, uNext = 0;
  for (double t = 0.002; t < 0.5; t += 0.001) {
    const StepResult r = AdamsMoultonStep(counting, t, 0.001, uCur, uPrev, uNext);
    uNext = r.value;
    uPrev = uCur;
    uCur = uNext;
  }
  EXPECT_LT(double(evaluations) / 498, 12.0);
}

}  // namespace
