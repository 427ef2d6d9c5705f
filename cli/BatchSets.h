// The parameter sets of a batch, read from a CSV file: a header naming some of the nine
// parameters by their runner option names (t1, t4, step, ...; any case, blanks around them
// ignored) and, if wanted, "name"; then one set per row, its values the texts exactly as a
// user would type them. A UTF-8 byte order mark before the header is ignored.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "run/ParameterTable.h"

struct BatchSet {
  std::size_t line = 0;  // where its row begins in the file
  std::string name;      // its folder and its name in the summary: the name column, else the row number
  std::array<std::optional<std::string>, kParameterTable.size()> texts;  // by Parameter; none: no column
  std::string refusal;   // why it cannot run (its folder name), empty when it can
};

// A file that cannot be read as parameter sets; its text names the file and the line.
class BatchFileError : public std::runtime_error {
 public:
  BatchFileError(const std::string& path, std::size_t line, const std::string& problem)
      : std::runtime_error("rcpulse-cli: " + path + ", строка " + std::to_string(line) + ": " + problem) {}
};

// The sets of a CSV text; raises BatchFileError (path names the text).
std::vector<BatchSet> ParseBatchSets(std::string_view text, const std::string& path, char delimiter);

// The sets of a file; raises FileReadError or BatchFileError.
std::vector<BatchSet> ReadBatchSets(const std::string& path, char delimiter);
