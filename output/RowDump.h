// The --dump file: one line per emitted row, the row number from 1 and the IEEE-754 bit
// patterns of t, u and E as 16 uppercase hexadecimal digits. Unlike the five-decimal results
// file it shows every bit, for regression checks.
#pragma once

#include <cstdio>
#include <span>
#include <string>

#include "model/ResultRow.h"
#include "run/RunObserver.h"

class RowDump : public RunObserver {
 public:
  explicit RowDump(const std::string& path);  // raises std::runtime_error when it cannot open
  ~RowDump() override;
  RowDump(const RowDump&) = delete;
  RowDump& operator=(const RowDump&) = delete;

  void Write(const ResultRow& row);
  void RowsEmitted(std::span<const ResultRow> rows) override {
    for (const ResultRow& row : rows) Write(row);
  }
  // Writes what is buffered and closes the file; raises std::runtime_error when any line
  // could not be written, so that a full disk never passes for a complete dump.
  void Close();

 private:
  std::string path_;
  std::FILE* file_ = nullptr;
  unsigned long long rowNumber_ = 0;
  int writeError_ = 0;
};

// One dump line without its newline.
std::string RowDumpLine(unsigned long long rowNumber, const ResultRow& row);
