// The --dump file: one line per emitted row, the row number from 1 and the IEEE-754 bit
// patterns of t, u and E as 16 uppercase hexadecimal digits. Unlike the five-decimal results
// file it shows every bit, for regression checks.
#pragma once

#include <cstdio>
#include <string>

#include "model/ResultRow.h"

class RowDump {
 public:
  explicit RowDump(const std::string& path);  // raises std::runtime_error when it cannot open
  ~RowDump();
  RowDump(const RowDump&) = delete;
  RowDump& operator=(const RowDump&) = delete;

  void Write(const ResultRow& row);

 private:
  std::FILE* file_ = nullptr;
  unsigned long long rowNumber_ = 0;
};

// One dump line without its newline.
std::string RowDumpLine(unsigned long long rowNumber, const ResultRow& row);
