// A number in a fixed field: `decimals` places after a '.', padded with blanks in front to
// `width` characters (never cut), exponent form from 2^120 on. The results file uses width 8
// and 5 decimals. Never fails.
#pragma once

#include <string>

std::string FormatFixed(double value, int width, int decimals);
