#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "tests/numbertext/BigUnsigned.h"
#include "tests/numbertext/ExtendedBits.h"
#include "numbertext/PowerOfTen.h"

namespace {

// 10^n rounded to the nearest extended value, from the exact integer 5^n (10^n = 5^n·2^n).
std::vector<Extended> NearestExtendedPowersOfTen(int largest) {
  std::vector<Extended> powers;
  BigUnsigned powerOfFive(1);
  for (int n = 0; n <= largest; ++n) {
    if (powerOfFive.BitLength() <= 64) {
      powers.push_back(std::ldexp(static_cast<Extended>(powerOfFive.ToUint64()), n));
    } else {
      bool carried = false;
      const std::uint64_t leading = powerOfFive.LeadingBitsRounded(carried);
      const int scale = powerOfFive.BitLength() - 64 + n + (carried ? 1 : 0);
      powers.push_back(std::ldexp(static_cast<Extended>(leading), scale));
    }
    powerOfFive.MultiplyBy(5);
  }
  return powers;
}

// 10^4932 is the largest power of ten below the largest extended value.
constexpr int kLargestPower = 4932;

TEST(PowerOfTen, PowersAppliedInOneStepAreTheNearestExtendedValues) {
  const std::vector<Extended> nearest = NearestExtendedPowersOfTen(kLargestPower);
  std::vector<int> oneStep;
  for (int n = 0; n < 32; ++n) oneStep.push_back(n);
  for (int n = 32; n < 512; n += 32) oneStep.push_back(n);
  for (int n = 512; n <= kLargestPower; n += 512) oneStep.push_back(n);
  for (const int n : oneStep)
    EXPECT_EQ(ExtendedBits(ScaleByPowerOfTen(1.0L, n)), ExtendedBits(nearest[n])) << "10^" << n;
}

TEST(PowerOfTen, EveryPowerIsWithinAFewRoundingsOfTheNearest) {
  const std::vector<Extended> nearest = NearestExtendedPowersOfTen(kLargestPower);
  for (int n = 0; n <= kLargestPower; ++n) {
    // Up to three rounded factors and two rounded products: at most a few units of 2^-63.
    const Extended relativeError = std::fabs(ScaleByPowerOfTen(1.0L, n) / nearest[n] - 1);
    EXPECT_LE(relativeError, 4 * 0x1p-63L) << "10^" << n;
    // Dividing by the same factors comes back to one just as closely.
    const Extended back = ScaleByPowerOfTen(ScaleByPowerOfTen(1.0L, -n), n);
    EXPECT_LE(std::fabs(back - 1), 8 * 0x1p-63L) << "10^-" << n;
  }
}

TEST(PowerOfTen, ExactPowersScaleExactly) {
  // 3·10^27 and 3/10^27 need exactly one correctly rounded operation.
  EXPECT_EQ(ScaleByPowerOfTen(3.0L, 27), 3e27L);
  EXPECT_EQ(ScaleByPowerOfTen(3.0L, -27), 3e-27L);
  EXPECT_EQ(ScaleByPowerOfTen(-0.0L, 4000), -0.0L);
  EXPECT_TRUE(std::signbit(ScaleByPowerOfTen(-0.0L, 4000)));
}

TEST(PowerOfTen, BeyondTheRangeGivesInfinityOrZeroWithoutFault) {
  EXPECT_TRUE(std::isinf(ScaleByPowerOfTen(1.0L, 4933)));
  EXPECT_TRUE(std::isinf(ScaleByPowerOfTen(1e-4000L, 9000)));
  EXPECT_EQ(ScaleByPowerOfTen(1.0L, -4960), 0.0L);
  // Scales past 10^5119 repeat the largest factor.
  EXPECT_NEAR(static_cast<double>(ScaleByPowerOfTen(1e4000L, -5500) / 1e-1500L), 1.0, 1e-15);
  EXPECT_EQ(ScaleByPowerOfTen(1e4000L, -20000), 0.0L);
}

}  // namespace
