// The rows on the chart as a CSV file, byte for byte as rcpulse-cli --csv writes the same run:
// t, u, E from the solution and source series, and with the parameters of an exact solution
// also u_exact and |u - u_exact|, computed afresh in extended precision as the runner does.
#pragma once

#include <optional>
#include <string>

#include "model/CalcParams.h"

class TChart;

// Raises EInOutError when the file cannot be written, and what the exact solution raises.
void WriteChartTable(const std::string& path, TChart& chart, const std::optional<CalcParams>& exactOf);
