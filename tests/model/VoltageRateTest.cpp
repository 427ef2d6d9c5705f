#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "model/VoltageRate.h"
#include "tests/support/DefaultParameters.h"

namespace {

TEST(VoltageRate, DefaultCircuitOnThePlateau) {
  const VoltageRate rate(DefaultCalcParams());
  EXPECT_NEAR(rate(0.25, 0), 3 / 0.045, 1e-12);
  EXPECT_NEAR(rate(0.25, 3), 0, 0);
}

TEST(VoltageRate, MultipliesByTheReciprocalOfRC) {
  CalcParams p = DefaultCalcParams();
  p.R = 3;
  p.C = 1;
  p.Amplitude = 1;
  const VoltageRate rate(p);
  // (1 - 0) * (1/3) rounded once from extended; differs from 1/3 computed in double only by
  // the final rounding, so both equal the double nearest to 1/3.
  EXPECT_EQ(rate(0.25, 0), static_cast<double>(1.0L * (1.0L / 3.0L)));
}

struct FaultCase {
  const char* name;
  double r;
  double c;
  enum { kZeroDivide, kOverflow } fault;
};

void PrintTo(const FaultCase& c, std::ostream* os) { *os << c.name; }

class VoltageRateFaults : public ::testing::TestWithParam<FaultCase> {};

TEST_P(VoltageRateFaults, RaisesTheFloatingPointError) {
  const FaultCase& f = GetParam();
  CalcParams p = DefaultCalcParams();
  p.R = f.r;
  p.C = f.c;
  const VoltageRate rate(p);
  if (f.fault == FaultCase::kZeroDivide) {
    EXPECT_THROW((void)rate(0.25, 0), EZeroDivide) << f.name;
  } else {
    EXPECT_THROW((void)rate(0.25, 0), EOverflow) << f.name;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Circuit, VoltageRateFaults,
    ::testing::Values(FaultCase{"R_zero", 0, 5e-6, FaultCase::kZeroDivide},
                      FaultCase{"C_zero", 9000, 0, FaultCase::kZeroDivide},
                      // R*C underflows to zero as a double: still a division by zero.
                      FaultCase{"RC_underflows", 1e-200, 1e-200, FaultCase::kZeroDivide},
                      // R*C beyond the double range overflows where p is stored.
                      FaultCase{"RC_overflows", 1e200, 1e200, FaultCase::kOverflow},
                      // 1/(R*C) is fine in extended but the slope is too large for a double.
                      FaultCase{"slope_overflows", 1e-160, 1e-160, FaultCase::kOverflow}));

TEST(FloatingPoint, StoreDoubleRaisesOnlyBeyondTheDoubleRange) {
  const long double max = std::numeric_limits<double>::max();
  EXPECT_EQ(StoreDouble(max), std::numeric_limits<double>::max());
  EXPECT_THROW((void)StoreDouble(max * 2), EOverflow);
  EXPECT_THROW((void)StoreDouble(-max * 2), EOverflow);
  EXPECT_THROW((void)StoreDouble(std::numeric_limits<long double>::quiet_NaN()), EInvalidOp);
  // Underflow passes silently, to a subnormal or to zero.
  EXPECT_EQ(StoreDouble(1e-320L), 1e-320);
  EXPECT_EQ(StoreDouble(1e-400L), 0.0);
}

TEST(FloatingPoint, DivisionFaults) {
  EXPECT_THROW((void)DivideExtended(1, 0), EZeroDivide);
  EXPECT_THROW((void)DivideExtended(0, 0), EInvalidOp);
  EXPECT_EQ(DivideExtended(1, 4), 0.25L);
}

TEST(Errors, Messages) {
  EXPECT_EQ(EZeroDivide().Message(), "Floating point division by zero");
  EXPECT_EQ(EOverflow().Message(), "Floating point overflow");
  EXPECT_EQ(EInvalidOp().Message(), "Invalid floating point operation");
  EXPECT_EQ(EOutOfMemory().Message(), "Out of memory");
}

TEST(Errors, InOutMessagesByCode) {
  struct {
    int code;
    const char* message;
  } const cases[] = {{2, "File not found"},          {3, "Invalid filename"},
                     {4, "Too many open files"},     {5, "File access denied"},
                     {100, "Read beyond end of file"}, {101, "Disk full"},
                     {106, "Invalid numeric input"}, {32, "I/O error 32"},
                     {112, "I/O error 112"}};
  for (const auto& c : cases) {
    EXPECT_EQ(EInOutError(c.code).Message(), c.message);
    EXPECT_EQ(EInOutError(c.code).ErrorCode(), c.code);
  }
}

}  // namespace
