// Axis labels that keep distinct ticks distinct, for the chart's "Подписи осей: авто": values
// from 0.1 to 1000 as plain numbers with as many decimals as the tick step needs; smaller or
// larger ones scaled by a power of 1000 and written with its SI prefix and the axis' unit
// ("5 мкс", "-20 мкВ"). Pure; the chart passes the locale's separators.
#pragma once

#include <span>
#include <string>
#include <string_view>

struct ReadableScale {
  int power = 0;     // the labels show value / 10^power; a multiple of 3
  int decimals = 0;  // at most this many decimals, trailing zeros dropped
};

// The scale that writes every one of these ticks (ascending, as an axis places them) exactly
// enough to tell it from its neighbours; a single tick gets about seven significant digits.
ReadableScale ChooseReadableScale(std::span<const double> ticks);

// "мк" for -6 and so on, from "п" (-12) to "Г" (9); empty for 0.
std::string_view SiPrefix(int power);

// One label: the scaled value, then (when the scale has a prefix and the value is not 0) a
// blank, the prefix and the unit.
std::string ReadableAxisText(double tick, const ReadableScale& scale, std::string_view unit,
                             char decimalSeparator, std::string_view thousandsSeparator);
