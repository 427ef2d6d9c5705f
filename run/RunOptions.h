// Limits of one calculation run.
#pragma once

#include <cstdint>

struct RunOptions {
  // Runs estimated to produce more rows are refused before the header is written
  // (10,000,000 rows are about 300 MB of results file).
  std::uint64_t maxRows = 10'000'000;
};
