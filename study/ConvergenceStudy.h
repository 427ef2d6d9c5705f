// A convergence study: the same parameters run with Step, Step/2, ..., Step/2^(count-1),
// without results file or chart, each run measured by its GlobalError and its true largest
// error against the exact solution; the observed order is log2(e(h)/e(h/2)).
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "model/CalcParams.h"
#include "model/FloatingPoint.h"
#include "run/RunOptions.h"

struct ConvergenceRow {
  double step = 0;
  std::uint64_t rows = 0;
  double globalError = 0;
  Extended trueError = 0;        // largest |u - u_exact| over the rows, volts
  double timeOfTrueError = 0;
  std::optional<double> order;  // against the row before; none for the first or a zero error
};

// Raises the first error a run raises (for instance ERunRefused when a halved step gives more
// rows than options allow, or EZeroDivide for R*C = 0).
std::vector<ConvergenceRow> ConvergenceStudy(const CalcParams& params, int count,
                                             const RunOptions& options = {});
