// Keeps the global error of a finished run instead of showing it: the runner prints it, a
// study tabulates it.
#pragma once

#include "run/RunObserver.h"

class ResultCapture : public RunObserver {
 public:
  void RunStarted() override { finished_ = false; }
  void RunFinished(double globalError) override {
    globalError_ = globalError;
    finished_ = true;
  }
  bool Finished() const { return finished_; }
  double GlobalError() const { return globalError_; }

 private:
  double globalError_ = 0;
  bool finished_ = false;
};
