// The floating-point model: named values are 64-bit doubles, intermediates inside one
// expression are x87 80-bit extended (`Extended`), rounded to nearest. Faults are raised
// explicitly where a value is stored or divided, never left as an infinity or a NaN, so the
// result does not depend on status flags or on what the optimiser reorders.
#pragma once

#include <cmath>

#include "model/Errors.h"

using Extended = long double;

static_assert(sizeof(Extended) >= 10 && __LDBL_MANT_DIG__ == 64,
              "Extended must be the x87 80-bit format (64-bit significand)");

// Rounds an extended intermediate to the double it is stored as. A value beyond the double
// range overflows; underflow to a subnormal or zero passes silently.
[[nodiscard]] inline double StoreDouble(Extended value) {
  const double stored = static_cast<double>(value);
  if (!std::isfinite(stored)) [[unlikely]] {
    if (std::isnan(stored)) throw EInvalidOp();
    throw EOverflow();
  }
  return stored;
}

// Extended division with the x87 fault rules: 0/0 is invalid, x/0 a division by zero.
[[nodiscard]] inline Extended DivideExtended(Extended dividend, Extended divisor) {
  if (divisor == 0) [[unlikely]] {
    if (dividend == 0 || std::isnan(dividend)) throw EInvalidOp();
    throw EZeroDivide();
  }
  return dividend / divisor;
}
