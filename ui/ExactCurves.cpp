#include "ui/ExactCurves.h"

#include "model/Errors.h"
#include "model/FloatingPoint.h"
#include "ui/TChart.h"

void ExactCurves::RunStarted() {
  params_.reset();
  solution_.reset();
  stopped_ = false;
  Clear();
}

void ExactCurves::ParametersRead(const CalcParams& params) {
  try {
    solution_.emplace(params);
    params_ = params;
  } catch (const Exception&) {
    // R*C rounds to zero: no closed form, and the run itself stops at its first slope.
  }
}

void ExactCurves::RowsEmitted(std::span<const ResultRow> rows) {
  if (stopped_ || !solution_ || !Wanted()) return;
  for (const ResultRow& row : rows) {
    if (!Add(row.t, row.u)) return;
  }
}

void ExactCurves::Refill() {
  const TFastLineSeries& solution = chart_.FastLineSeries(0);
  // The other curve's switch may have filled them already.
  if (Wanted() && solution_ && chart_.ExactSeries().Count() == solution.Count() &&
      chart_.ErrorSeries().Count() == solution.Count())
    return;
  Clear();
  stopped_ = false;
  if (!solution_ || !Wanted()) return;
  for (int i = 0; i < solution.Count(); ++i) {
    const QPointF point = solution.Point(i);
    if (!Add(point.x(), point.y())) return;
  }
}

bool ExactCurves::Wanted() const { return chart_.ExactShown() || chart_.ErrorShown(); }

void ExactCurves::Clear() {
  chart_.ExactSeries().ClearPoints();
  chart_.ErrorSeries().ClearPoints();
}

bool ExactCurves::Add(double t, double u) {
  double exact = 0;
  double error = 0;
  try {
    const Extended value = (*solution_)(t);
    exact = StoreDouble(value);
    error = StoreDouble(Extended(u) - value);
  } catch (const Exception&) {
    stopped_ = true;
    return false;
  }
  chart_.ExactSeries().InsertPoint(t, exact);
  chart_.ErrorSeries().InsertPoint(t, error);
  return true;
}
