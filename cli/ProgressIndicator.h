// A progress line on standard error for long runs: shown only when standard error is a
// terminal and the run has taken more than about a second; cleared when the run ends, before
// anything else is printed. The clock is read once every few thousand rows, not per row.
#pragma once

#include <chrono>
#include <cstdint>
#include <span>

#include "run/RunObserver.h"

class ProgressIndicator : public RunObserver {
 public:
  ProgressIndicator();
  void ParametersRead(const CalcParams& params) override;
  void RowsEmitted(std::span<const ResultRow> rows) override {
    for (const ResultRow& row : rows)
      if (enabled_ && (++rows_ & 0x3FFF) == 0) Update(row.t);
  }
  void RunFinished(double) override { Clear(); }
  void RunAbandoned() noexcept override { Clear(); }

 private:
  void Update(double t);
  void Clear() noexcept;

  bool enabled_;
  bool shown_ = false;
  std::uint64_t rows_ = 0;
  double t1_ = 0, t4_ = 0;
  std::chrono::steady_clock::time_point start_;
};
