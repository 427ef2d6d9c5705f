// Field text to number: spaces, one sign, digits, the locale's decimal separator, an
// exponent, spaces. Returns an extended value (the caller rounds it to a double when it
// stores it); raises EConvertError "'<text>' is not a valid floating point value".
#pragma once

#include <string_view>

#include "model/FloatingPoint.h"

Extended ParseNumber(std::string_view text);
