#include "cli/ProgressIndicator.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>

ProgressIndicator::ProgressIndicator()
    : enabled_(::isatty(STDERR_FILENO) == 1), start_(std::chrono::steady_clock::now()) {}

void ProgressIndicator::ParametersRead(const CalcParams& params) {
  t1_ = params.T1;
  t4_ = params.T4;
  start_ = std::chrono::steady_clock::now();
}

void ProgressIndicator::Update(double t) {
  if (!shown_ && std::chrono::steady_clock::now() - start_ < std::chrono::seconds(1)) return;
  shown_ = true;
  const double span = t4_ - t1_;
  const double fraction = span > 0 ? std::clamp((t - t1_) / span, 0.0, 1.0) : 1.0;
  std::fprintf(stderr, "\rрасчёт: %3d%%, строк: %llu", static_cast<int>(fraction * 100),
               static_cast<unsigned long long>(rows_));
  std::fflush(stderr);
}

void ProgressIndicator::Clear() noexcept {
  if (!shown_) return;
  std::fputs("\r\033[K", stderr);
  std::fflush(stderr);
  shown_ = false;
}
