// Integer helpers of the number texts: powers of ten as integers, rounding an extended value
// to an integer, ties to even, independent of the current rounding mode, and writing
// fixed-length digit strings.
#pragma once

#include <array>
#include <cstdint>

#include "model/FloatingPoint.h"

inline constexpr std::array<std::uint64_t, 19> kPowersOfTen = [] {
  std::array<std::uint64_t, 19> powers{};
  std::uint64_t power = 1;
  for (std::uint64_t& entry : powers) {
    entry = power;
    power *= 10;
  }
  return powers;
}();

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

// "00" … "99": two digits at a time halve the divisions of a digit string.
inline constexpr std::array<char, 200> kDigitPairs = [] {
  std::array<char, 200> pairs{};
  for (int i = 0; i < 100; ++i) {
    pairs[2 * i] = static_cast<char>('0' + i / 10);
    pairs[2 * i + 1] = static_cast<char>('0' + i % 10);
  }
  return pairs;
}();

// Writes the five decimal digits of number (below 100000) into out, with leading zeros.
inline void WriteFiveDigits(std::uint32_t number, char* out) {
  const std::uint32_t high = number / 1000;  // the first two digits
  const std::uint32_t low = number % 1000;
  out[0] = kDigitPairs[2 * high];
  out[1] = kDigitPairs[2 * high + 1];
  out[2] = kDigitPairs[2 * (low / 10)];
  out[3] = kDigitPairs[2 * (low / 10) + 1];
  out[4] = static_cast<char>('0' + low % 10);
}
