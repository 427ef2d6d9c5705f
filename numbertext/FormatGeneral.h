// A number with up to 15 significant digits and the locale's decimal separator, in exponent
// form below 0.0001 and from 1E15 on ("1,5E-5", "1E15"); both zeros read "0". Never fails.
#pragma once

#include <string>

std::string FormatGeneral(double value);
