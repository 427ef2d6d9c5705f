// The bit pattern of an extended value (64-bit significand and sign/exponent word), so that
// tests compare parsed values exactly, a negative zero included.
#pragma once

#include <cstdint>
#include <cstring>
#include <ostream>

#include "model/FloatingPoint.h"

struct ExtendedBits {
  std::uint64_t significand;
  std::uint16_t signAndExponent;

  explicit ExtendedBits(Extended value) {
    // Only the first ten bytes of the x87 format carry the value; the rest is padding.
    unsigned char bytes[sizeof(Extended)];
    std::memcpy(bytes, &value, sizeof value);
    std::memcpy(&significand, bytes, 8);
    std::memcpy(&signAndExponent, bytes + 8, 2);
  }
  bool operator==(const ExtendedBits&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const ExtendedBits& bits) {
  return out << std::hex << "0x" << bits.signAndExponent << ':' << bits.significand << std::dec;
}
