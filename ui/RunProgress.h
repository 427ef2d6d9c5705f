// The progress of a long run: after about half a second a modal dialog shows the rows done in
// percent and an "Отмена" button; while it is up nothing else reaches the window. The run's
// rows are counted, the clock is read once every few thousand rows, and the dialog is
// refreshed (and the window's events processed) at most about 20 times a second. Cancelling
// (the button, Esc or closing the dialog) abandons the run as an error would, with
// ERunCancelled, once the outputs after this one have the span REZ.TXT already took: the chart
// keeps exactly the rows the file has.
#pragma once

#include <QElapsedTimer>
#include <cstdint>
#include <memory>
#include <span>

#include "run/RunObserver.h"

class QWidget;
class RunProgressDialog;

class RunProgress : public RunObserver {
 public:
  struct Timing {
    int showAfterMs = 500;
    int refreshEveryMs = 50;
  };

  // The dialog is centred on the window and modal to the whole program.
  explicit RunProgress(QWidget* window) : RunProgress(window, Timing()) {}
  RunProgress(QWidget* window, Timing timing);
  ~RunProgress() override;

  void RunStarted() override;
  void ParametersRead(const CalcParams& params) override;
  void RowsEmitted(std::span<const ResultRow> rows) override {
    rows_ += rows.size();
    if (rows_ >= nextCheck_) Check(rows.size());
  }
  void RunFinished(double) override { Close(); }
  void RunAbandoned() noexcept override { Close(); }

  // The dialog while it is shown, else null; how often it was refreshed in this run, and the
  // time that took (creating it, drawing it, the events processed meanwhile).
  RunProgressDialog* Dialog() const { return dialog_.get(); }
  int Refreshes() const { return refreshes_; }
  double SecondsRefreshing() const { return static_cast<double>(refreshNanoseconds_) / 1e9; }

  // The clock is read when this many more rows have come.
  static constexpr std::uint64_t kRowsBetweenClockReadings = 4096;

 private:
  void Check(std::size_t spanRows);
  void Refresh(qint64 now);
  void Close() noexcept;

  QWidget* window_;
  Timing timing_;
  QElapsedTimer clock_;
  std::uint64_t rows_ = 0;
  std::uint64_t nextCheck_ = kRowsBetweenClockReadings;
  double expectedRows_ = 0;
  qint64 lastRefresh_ = 0;
  int refreshes_ = 0;
  qint64 refreshNanoseconds_ = 0;
  std::unique_ptr<RunProgressDialog> dialog_;
};
