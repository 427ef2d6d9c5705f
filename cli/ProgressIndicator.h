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
    if (!enabled_ || rows.empty()) return;
    rows_ += rows.size();
    if (rows_ < nextUpdate_) return;
    nextUpdate_ = rows_ + kRowsBetweenUpdates;
    Update(rows.back().t);
  }
  void RunFinished(double) override { Clear(); }
  void RunAbandoned() noexcept override { Clear(); }

 private:
  void Update(double t);
  void Clear() noexcept;

  bool enabled_;
  bool shown_ = false;
  static constexpr std::uint64_t kRowsBetweenUpdates = 16384;
  std::uint64_t rows_ = 0;
  std::uint64_t nextUpdate_ = kRowsBetweenUpdates;
  double t1_ = 0, t4_ = 0;
  std::chrono::steady_clock::time_point start_;
};
