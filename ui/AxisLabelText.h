// The text of one axis label by the patterns "#,##0.#####" (left axis, 5 decimals) and
// "#,##0.###" (bottom axis, 3 decimals): rounded half away from zero at the last decimal, no
// "-0", integer digits grouped in threes, no trailing zeros. Pure; the chart passes the
// locale's separators.
#pragma once

#include <string>
#include <string_view>

std::string AxisLabelText(double value, int maxDecimals, char decimalSeparator,
                          std::string_view thousandsSeparator);
