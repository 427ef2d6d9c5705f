// Limits of one calculation run.
#pragma once

#include <cstdint>

struct RunOptions {
  // Runs estimated to produce more rows are refused before the header is written
  // (10,000,000 rows are about 300 MB of results file).
  std::uint64_t maxRows = 10'000'000;
  // Every corrector step performs all 51 passes instead of stopping at their cycle. The
  // results are the same bits; comparisons and benchmarks run both ways.
  bool allCorrectorPasses = false;
};
