// The rows of a run as a CSV file for spreadsheets and scripts: a header line, then one line
// per row "t,u,E" (with ",u_exact,error" when the exact solution is written too), every number
// with 17 significant digits and "." as decimal point, ASCII (so UTF-8), LF line ends.
#pragma once

#include <cstdio>
#include <string>

#include "model/FloatingPoint.h"
#include "model/ResultRow.h"

class CsvRowWriter {
 public:
  // Creates or empties the file; raises EInOutError when it cannot.
  CsvRowWriter(const std::string& path, bool withExact);
  ~CsvRowWriter();
  CsvRowWriter(const CsvRowWriter&) = delete;
  CsvRowWriter& operator=(const CsvRowWriter&) = delete;

  // Each raises EInOutError when the line cannot be written.
  void Write(const ResultRow& row);
  void Write(const ResultRow& row, Extended exact, Extended error);
  // Writes what is buffered and closes the file; raises EInOutError on failure.
  void Close();

 private:
  void Append(double value);
  void Append(Extended value);
  void EndLine();

  std::FILE* file_ = nullptr;
  bool withExact_ = false;
  std::string line_;
};
