// The true error of a run's rows against the exact solution: |u - u_exact| per row in volts,
// and the largest one with the time of the first row where it occurs. The run's GlobalError
// is only the largest change between neighbouring rows; this is the error itself.
#pragma once

#include <cstdint>

#include "model/CalcParams.h"
#include "model/ExactVoltage.h"
#include "model/FloatingPoint.h"

class ExactErrorTracker {
 public:
  // Raises what ExactSolution raises for these parameters (EZeroDivide for R*C = 0).
  explicit ExactErrorTracker(const CalcParams& params) : exact_(params) {}

  struct RowError {
    Extended exact = 0;
    Extended error = 0;  // |u - exact|
  };

  RowError Observe(double t, double u) {
    RowError row;
    row.exact = exact_(t);
    row.error = std::fabs(Extended(u) - row.exact);
    if (rows_ == 0 || row.error > largest_) {
      largest_ = row.error;
      timeOfLargest_ = t;
    }
    ++rows_;
    return row;
  }

  std::uint64_t Rows() const { return rows_; }
  Extended LargestError() const { return largest_; }
  double TimeOfLargestError() const { return timeOfLargest_; }

 private:
  ExactSolution exact_;
  std::uint64_t rows_ = 0;
  Extended largest_ = 0;
  double timeOfLargest_ = 0;
};
