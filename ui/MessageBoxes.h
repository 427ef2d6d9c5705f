// The program's modal boxes, all captioned with the application title as it is when the box
// opens: the result box at the end of a run, the error box for every error that escapes an
// event handler (the critical icon, one "OK", the message with the period rule), and the
// information box for a run the user cancelled (the information icon, one "OK", the text as
// given).
#pragma once

#include <string>

#include "run/RunObserver.h"

void ShowResultBox(double globalError);
void ShowErrorBox(const std::string& message);
void ShowInformationBox(const std::string& text);

// The result box as a run's output: shown when the run finishes, after the file was closed.
class ResultBoxOutput : public RunObserver {
 public:
  void RunFinished(double globalError) override { ShowResultBox(globalError); }
};
