#include "run/EndlessRunCheck.h"

#include <cmath>
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
  if (rows > static_cast<Extended>(options.maxRows)) {
    throw ERunRefused("Слишком много строк: " + IntegerText(rows) + ", допустимо не более " +
                      std::to_string(options.maxRows));
  }
}
