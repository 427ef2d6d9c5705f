#include "numbertext/PowerOfTen.h"

#include <array>
#include <cstdlib>

namespace {

// 10^0..10^27 are exact (5^27 still fits the 64-bit significand); from 10^28 on the compiler
// rounds each literal to the nearest extended value.
constexpr std::array<Extended, 32> kUnitPowers = {
    1e0L,  1e1L,  1e2L,  1e3L,  1e4L,  1e5L,  1e6L,  1e7L,  1e8L,  1e9L,  1e10L,
    1e11L, 1e12L, 1e13L, 1e14L, 1e15L, 1e16L, 1e17L, 1e18L, 1e19L, 1e20L, 1e21L,
    1e22L, 1e23L, 1e24L, 1e25L, 1e26L, 1e27L, 1e28L, 1e29L, 1e30L, 1e31L};

// 10^32k for k = 0..15.
constexpr std::array<Extended, 16> kThirtyTwoPowers = {
    1e0L,   1e32L,  1e64L,  1e96L,  1e128L, 1e160L, 1e192L, 1e224L,
    1e256L, 1e288L, 1e320L, 1e352L, 1e384L, 1e416L, 1e448L, 1e480L};

// 10^512k for k = 0..9; 10^5120 is beyond the extended range.
constexpr std::array<Extended, 10> kFiveTwelvePowers = {
    1e0L, 1e512L, 1e1024L, 1e1536L, 1e2048L, 1e2560L, 1e3072L, 1e3584L, 1e4096L, 1e4608L};

constexpr int kLargestFiveTwelveStep = 9;

Extended ApplyFactor(Extended value, Extended factor, bool multiply) {
  return multiply ? value * factor : value / factor;
}

}  // namespace

Extended ScaleByPowerOfTen(Extended value, int exponent) {
  const bool multiply = exponent >= 0;
  int magnitude = std::abs(exponent);
  // The exact, small factor goes first and the big one last: a result that underflows is
  // then rounded into the subnormal range once, not twice.
  Extended result = value;
  if (magnitude % 32 != 0) result = ApplyFactor(result, kUnitPowers[magnitude % 32], multiply);
  if ((magnitude / 32) % 16 != 0)
    result = ApplyFactor(result, kThirtyTwoPowers[(magnitude / 32) % 16], multiply);
  int fiveTwelveSteps = magnitude / 512;
  // Only a text with thousands of digits asks for more than 10^4608; the result is then far
  // outside the range anyway, and repeated factors take it there.
  while (fiveTwelveSteps > kLargestFiveTwelveStep && result != 0 && !std::isinf(result)) {
    result = ApplyFactor(result, kFiveTwelvePowers[kLargestFiveTwelveStep], multiply);
    fiveTwelveSteps -= kLargestFiveTwelveStep;
  }
  if (fiveTwelveSteps > kLargestFiveTwelveStep) return result;
  if (fiveTwelveSteps != 0)
    result = ApplyFactor(result, kFiveTwelvePowers[fiveTwelveSteps], multiply);
  return result;
}
