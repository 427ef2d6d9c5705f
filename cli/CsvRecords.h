// The records of a CSV text, read with libcsv: fields split at the delimiter, quoted fields
// may hold the delimiter, quotes and line breaks; blanks are kept as they are. Empty lines are
// skipped. Each record carries the number of the line it begins on.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

struct CsvRecord {
  std::size_t line = 0;  // from 1
  std::vector<std::string> fields;
};

// A text that is not CSV: a stray or unclosed quote.
class CsvSyntaxError : public std::runtime_error {
 public:
  CsvSyntaxError(std::size_t line, const std::string& problem) : std::runtime_error(problem), line_(line) {}
  std::size_t Line() const { return line_; }

 private:
  std::size_t line_;
};

std::vector<CsvRecord> ReadCsvRecords(std::string_view text, char delimiter);
