// Scaling an extended value by a power of ten, as the number texts do it: multiply for a
// positive exponent, divide for a negative one. 10^0..10^27 are exact and cost one operation;
// larger powers are the nearest extended values, applied as up to three factors.
#pragma once

#include "model/FloatingPoint.h"

// value·10^exponent with the rounding of each step in extended arithmetic. Overflow gives an
// infinity and underflow a subnormal or zero; neither raises anything here.
Extended ScaleByPowerOfTen(Extended value, int exponent);
