// The chart's study curves of a run: the exact solution u_exact(t) of the run's parameters at
// the run's times, and the true error u - u_exact, in the chart's exact and error series.
// Computed while the run goes (so that the progress dialog covers them) when the chart shows
// either, and computed again from the solution curve when one is switched on afterwards.
// Never fails a run: where the parameters have no such solution, or it leaves the range, the
// curves stop there.
#pragma once

#include <optional>
#include <span>

#include "model/CalcParams.h"
#include "model/ExactVoltage.h"
#include "run/RunObserver.h"

class TChart;

class ExactCurves : public RunObserver {
 public:
  explicit ExactCurves(TChart& chart) : chart_(chart) {}

  void RunStarted() override;
  void ParametersRead(const CalcParams& params) override;
  void RowsEmitted(std::span<const ResultRow> rows) override;

  // Both curves from the solution series' points unless they are complete, or emptied when
  // the chart shows neither.
  void Refill();

  // The parameters of the latest run when they have an exact solution.
  const std::optional<CalcParams>& SolvableParams() const { return params_; }

 private:
  bool Wanted() const;
  void Clear();
  // Adds one point to each curve; false when the solution could not be evaluated.
  bool Add(double t, double u);

  TChart& chart_;
  std::optional<CalcParams> params_;
  std::optional<ExactSolution> solution_;
  bool stopped_ = false;
};
