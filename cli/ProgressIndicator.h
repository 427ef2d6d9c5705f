// A progress line on standard error for long runs: shown only when standard error is a
// terminal and the run has taken more than about a second; cleared before anything else is
// printed. The clock is read once every few thousand rows, not per row.
#pragma once

#include <chrono>
#include <cstdint>

#include "model/CalcParams.h"
#include "model/ResultRow.h"

class ProgressIndicator {
 public:
  ProgressIndicator();
  void Start(const CalcParams& params);
  void Row(const ResultRow& row) {
    if (enabled_ && (++rows_ & 0x3FFF) == 0) Update(row.t);
  }
  void Clear();

 private:
  void Update(double t);

  bool enabled_;
  bool shown_ = false;
  std::uint64_t rows_ = 0;
  double t1_ = 0, t4_ = 0;
  std::chrono::steady_clock::time_point start_;
};
