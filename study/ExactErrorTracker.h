// The true error of a run's rows against the exact solution: |u - u_exact| per row in volts,
// and the largest one with the time of the first row where it occurs. The run's GlobalError
// is only the largest change between neighbouring rows; this is the error itself.
#pragma once

#include <cstdint>
#include <exception>
#include <optional>
#include <span>
#include <vector>

#include "model/CalcParams.h"
#include "model/ExactVoltage.h"
#include "model/FloatingPoint.h"
#include "run/RunObserver.h"

class ExactErrorTracker : public RunObserver {
 public:
  struct RowError {
    Extended exact = 0;
    Extended error = 0;  // |u - exact|
  };

  // The solution of the accepted parameters. Where it has none (R*C = 0), the first row
  // raises what the solution raised, as the run's first slope does right after that row.
  void ParametersRead(const CalcParams& params) override;
  void RowsEmitted(std::span<const ResultRow> rows) override {
    latest_.clear();
    TakeRows(rows, [this](const ResultRow& row) { latest_.push_back(Observe(row.t, row.u)); });
  }

  RowError Observe(double t, double u);
  // The exact values and errors of the rows the run emitted last, in their order.
  std::span<const RowError> Latest() const { return latest_; }
  std::uint64_t Rows() const { return rows_; }
  Extended LargestError() const { return largest_; }
  double TimeOfLargestError() const { return timeOfLargest_; }

 private:
  std::optional<ExactSolution> exact_;
  std::exception_ptr noSolution_;
  std::vector<RowError> latest_;
  std::uint64_t rows_ = 0;
  Extended largest_ = 0;
  double timeOfLargest_ = 0;
};
