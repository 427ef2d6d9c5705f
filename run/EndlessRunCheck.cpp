#include "run/EndlessRunCheck.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>

#include "model/Errors.h"
#include "model/FloatingPoint.h"

namespace {

std::string IntegerText(Extended value) {
  char text[8192];
  std::snprintf(text, sizeof text, "%.0Lf", value);
  return text;
}

// The rows of the accumulated time grid, from T1 to the first time past T4. Where doubles
// lie far apart against the step, every sum is rounded by up to half their spacing, so the
// grid can hold up to half as many rows again as (T4 - T1)/Step promises. A time that stops
// growing or leaves the double range ends the count; the run raises that where it happens.
std::uint64_t GridRows(const CalcParams& params) {
  double t = params.T1;
  std::uint64_t rows = 1;
  do {
    const double next = static_cast<double>(Extended(t) + params.Step);
    if (!(next > t) || !std::isfinite(next)) break;
    t = next;
    ++rows;
  } while (t <= params.T4);
  return rows;
}

// True when the rounding of the sums cannot add up to a quarter step before the grid passes
// T4: then the grid has at most one row more than the estimate (where the sums fall a little
// short of round values, as 0.0001 does), and counting it, a tenth of the run's time, is
// not needed. Every time up to the first one past T4 lies within `largest` of zero, where a
// sum rounds by less than one spacing of doubles.
bool RoundingCannotAddARow(const CalcParams& params, Extended estimatedRows) {
  const Extended largest =
      std::max(std::fabs(Extended(params.T1)), std::fabs(Extended(params.T4)) + 2 * Extended(params.Step));
  const Extended spacing = std::max(largest * 0x1p-52L, 0x1p-1074L);
  return estimatedRows < 0x1p52L && estimatedRows * spacing <= Extended(params.Step) / 4;
}

[[noreturn]] void RefuseRows(const std::string& rows, std::uint64_t maxRows) {
  throw ERunRefused("Слишком много строк: " + rows + ", допустимо не более " + std::to_string(maxRows));
}

}  // namespace

Extended ExpectedRowCount(const CalcParams& params) {
  const Extended steps = (Extended(params.T4) - params.T1) / params.Step;
  return steps < 0 ? 2 : std::floor(steps) + 2;
}

void RefuseEndlessRun(const CalcParams& params, const RunOptions& options) {
  // Rounded without the overflow check: a sum beyond the double range does advance, and the
  // run itself raises the overflow when it stores that time.
  const double next = static_cast<double>(Extended(params.T1) + params.Step);
  if (!(next > params.T1)) throw ERunRefused(kStepDoesNotAdvanceMessage);

  const Extended rows = ExpectedRowCount(params);
  if (rows > static_cast<Extended>(options.maxRows)) RefuseRows(IntegerText(rows), options.maxRows);
  if (rows + 1 <= static_cast<Extended>(options.maxRows) && RoundingCannotAddARow(params, rows)) return;
  // Otherwise the grid itself is counted, at most about 1.5 times the estimate.
  const std::uint64_t gridRows = GridRows(params);
  if (gridRows > options.maxRows) RefuseRows(std::to_string(gridRows), options.maxRows);
}
