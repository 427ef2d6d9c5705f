// What a calculation run tells the outputs that listen to it (the results file, the chart,
// the result box, the runner's dump, CSV, exact error and progress), in the order it happens:
//   RunStarted      the run begins; outputs forget the previous run (the chart empties)
//   OutputsOpening  outputs that create something create it (REZ.TXT), before any reading
//   ParametersRead  the parameters the run accepted (the file writes its header)
//   RowsEmitted     rows in the run's order, in spans of any length (the run hands them on in
//                   batches of a few thousand, and whatever it computed before an error)
//   RunFinished     the run is complete: files close, then the global error is shown
//   RunAbandoned    an error leaves the run: whatever was opened is released
// Every observer hears each event, in the order the observers were given; an observer that
// raises stops the event there, and the run is abandoned with that error. So the results file
// goes before the chart: a failed write is raised before that row's points are added, and
// the file is closed before the result box opens.
//
// An observer that fails part-way through a span raises RowsPartlyTaken: the observers after it
// hear only the rows it took, then the run is abandoned with its error. So the results file
// holds back from the chart every row whose bytes it could not write.
#pragma once

#include <cstddef>
#include <exception>
#include <initializer_list>
#include <span>
#include <vector>

#include "model/CalcParams.h"
#include "model/ResultRow.h"

class RunObserver {
 public:
  virtual ~RunObserver() = default;
  virtual void RunStarted() {}
  virtual void OutputsOpening() {}
  virtual void ParametersRead(const CalcParams& /*params*/) {}
  virtual void RowsEmitted(std::span<const ResultRow> /*rows*/) {}
  virtual void RunFinished(double /*globalError*/) {}
  // Releases without raising: the run's own error is the one the user sees.
  virtual void RunAbandoned() noexcept {}
};

// Raised by an observer that took only the first rowsTaken rows of a span before `error`.
struct RowsPartlyTaken {
  std::size_t rowsTaken;
  std::exception_ptr error;
};

// Hands each row to `take` in turn; a row whose taking raises ends the span there, the rows
// before it counting as taken.
template <class Take>
void TakeRows(std::span<const ResultRow> rows, Take take) {
  for (std::size_t i = 0; i < rows.size(); ++i) {
    try {
      take(rows[i]);
    } catch (...) {
      throw RowsPartlyTaken{i, std::current_exception()};
    }
  }
}

// The observers of one run, in the order they hear every event.
class RunObservers {
 public:
  RunObservers(std::initializer_list<RunObserver*> observers) : observers_(observers) {}
  void Add(RunObserver& observer) { observers_.push_back(&observer); }

  void RunStarted() const {
    for (RunObserver* observer : observers_) observer->RunStarted();
  }
  void OutputsOpening() const {
    for (RunObserver* observer : observers_) observer->OutputsOpening();
  }
  void ParametersRead(const CalcParams& params) const {
    for (RunObserver* observer : observers_) observer->ParametersRead(params);
  }
  void RowsEmitted(std::span<const ResultRow> rows) const {
    std::exception_ptr failure;
    for (RunObserver* observer : observers_) {
      if (rows.empty()) break;
      try {
        observer->RowsEmitted(rows);
      } catch (const RowsPartlyTaken& partly) {
        rows = rows.first(partly.rowsTaken);
        failure = partly.error;
      }
    }
    if (failure) std::rethrow_exception(failure);
  }
  void RunFinished(double globalError) const {
    for (RunObserver* observer : observers_) observer->RunFinished(globalError);
  }
  void RunAbandoned() const noexcept {
    for (RunObserver* observer : observers_) observer->RunAbandoned();
  }

 private:
  std::vector<RunObserver*> observers_;
};
