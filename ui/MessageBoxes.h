// The program's two modal boxes, both captioned with the application title as it is when the
// box opens: the result box at the end of a run, and the error box for every error that
// escapes an event handler (the critical icon, one "OK", the message with the period rule).
#pragma once

#include <string>

#include "run/RunConnections.h"

void ShowResultBox(double globalError);
void ShowErrorBox(const std::string& message);

// The run's way to the result box.
class ResultBoxPresenter : public ResultPresenter {
 public:
  void ShowResultBox(double globalError) override { ::ShowResultBox(globalError); }
};
