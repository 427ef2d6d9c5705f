#include "study/ExactErrorTracker.h"

#include <cmath>

void ExactErrorTracker::ParametersRead(const CalcParams& params) {
  *this = ExactErrorTracker();
  try {
    exact_.emplace(params);
  } catch (...) {
    noSolution_ = std::current_exception();
  }
}

ExactErrorTracker::RowError ExactErrorTracker::Observe(double t, double u) {
  if (noSolution_) std::rethrow_exception(noSolution_);
  RowError row;
  row.exact = (*exact_)(t);
  row.error = std::fabs(Extended(u) - row.exact);
  if (rows_ == 0 || row.error > largest_) {
    largest_ = row.error;
    timeOfLargest_ = t;
  }
  ++rows_;
  return row;
}
