// Integer helpers of the number texts: rounding an extended value to an integer, ties to
// even, independent of the current rounding mode, and writing fixed-length digit strings.
#pragma once

#include <cstdint>

#include "model/FloatingPoint.h"

// value ≥ 0 and below 2^63.
inline std::uint64_t RoundToIntegerTiesEven(Extended value) {
  std::uint64_t whole = static_cast<std::uint64_t>(value);
  const Extended fraction = value - static_cast<Extended>(whole);  // exact
  if (fraction > 0.5L || (fraction == 0.5L && (whole & 1) != 0)) ++whole;
  return whole;
}

// Writes the last `count` decimal digits of number into out, with leading zeros.
inline void WriteDigits(std::uint64_t number, char* out, int count) {
  for (int position = count - 1; position >= 0; --position) {
    out[position] = static_cast<char>('0' + number % 10);
    number /= 10;
  }
}
