#include "ui/RunProgress.h"

#include <QCoreApplication>
#include <QWidget>
#include <cmath>
#include <exception>

#include "model/Errors.h"
#include "run/EndlessRunCheck.h"
#include "ui/RunProgressDialog.h"

RunProgress::RunProgress(QWidget* window, Timing timing) : window_(window), timing_(timing) {}

RunProgress::~RunProgress() = default;

void RunProgress::RunStarted() {
  Close();
  clock_.start();
  rows_ = 0;
  nextCheck_ = kRowsBetweenClockReadings;
  expectedRows_ = 0;
  lastRefresh_ = 0;
  refreshes_ = 0;
  refreshNanoseconds_ = 0;
}

void RunProgress::ParametersRead(const CalcParams& params) {
  const Extended rows = ExpectedRowCount(params);
  expectedRows_ = std::isfinite(rows) ? static_cast<double>(rows) : 0;
}

void RunProgress::Check(std::size_t spanRows) {
  nextCheck_ = rows_ + kRowsBetweenClockReadings;
  const qint64 now = clock_.elapsed();
  if (dialog_ ? now - lastRefresh_ < timing_.refreshEveryMs : now < timing_.showAfterMs) return;
  const qint64 start = clock_.nsecsElapsed();
  if (!dialog_) dialog_ = std::make_unique<RunProgressDialog>(window_);
  Refresh(now);
  refreshNanoseconds_ += clock_.nsecsElapsed() - start;
  if (dialog_->Cancelled()) throw RowsPartlyTaken{spanRows, std::make_exception_ptr(ERunCancelled())};
}

void RunProgress::Refresh(qint64 now) {
  dialog_->Show(static_cast<double>(rows_), expectedRows_);
  ++refreshes_;
  // The only moment the window's events are processed during a run: the dialog is modal, so
  // only it takes input; the chart holds its repaint until the run ends.
  QCoreApplication::processEvents();
  lastRefresh_ = now;
}

void RunProgress::Close() noexcept {
  if (!dialog_) return;
  dialog_->hide();
  dialog_.reset();
}
