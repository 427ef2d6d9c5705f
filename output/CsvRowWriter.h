// The rows of a run as a CSV file for spreadsheets and scripts: a header line, then one line
// per row "t,u,E" (with ",u_exact,error" when the exact solution is written too), every number
// with 17 significant digits, ASCII (so UTF-8), LF line ends. Commas and a decimal point by
// default; semicolons and a decimal comma for spreadsheets in a comma locale.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include "model/FloatingPoint.h"
#include "model/ResultRow.h"
#include "output/CsvFormat.h"

class CsvRowWriter {
 public:
  // Creates or empties the file; raises EInOutError when it cannot.
  CsvRowWriter(const std::string& path, bool withExact, CsvFormat format = kCommaCsv);
  ~CsvRowWriter();
  CsvRowWriter(const CsvRowWriter&) = delete;
  CsvRowWriter& operator=(const CsvRowWriter&) = delete;

  // Each raises EInOutError when the line cannot be written.
  void Write(const ResultRow& row);
  void Write(const ResultRow& row, Extended exact, Extended error);
  // Writes what is buffered and closes the file; raises EInOutError on failure.
  void Close();

 private:
  void AppendRow(const ResultRow& row);
  void Append(double value);
  void Append(Extended value);
  void AppendNumber(std::string_view pointText);
  void EndLine();

  std::FILE* file_ = nullptr;
  bool withExact_ = false;
  CsvFormat format_;
  std::string line_;
};
