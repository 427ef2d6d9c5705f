// The lines of REZ.TXT: the header, "РЕЗУЛЬТАТЫ РАССЧЕТОВ" in Windows-1251, an empty line, and
// per row three FormatFixed(value, 8, 5) fields two blanks apart; every line ended by CR LF.
#pragma once

#include <cstddef>
#include <cstring>
#include <string_view>

#include "model/ResultRow.h"
#include "output/ResultsFieldText.h"

inline constexpr std::string_view kResultsHeaderLine =
    "\xD0\xC5\xC7\xD3\xCB\xDC\xD2\xC0\xD2\xDB\x20\xD0\xC0\xD1\xD1\xD7\xC5\xD2\xCE\xC2\r\n";
inline constexpr std::string_view kResultsEmptyLine = "\r\n";

// The longest row line: three of the widest fields, the two gaps and the line end.
inline constexpr std::size_t kLongestResultsLine = 3 * kResultsFieldCapacity + 2 * 2 + 2;

// Writes one row's line into out (room for kLongestResultsLine bytes) and returns its length:
// 30 bytes while every field keeps its 8 characters.
inline std::size_t WriteResultsLine(const ResultRow& row, char* out) {
  char* end = out + WriteResultsField(row.t, out);
  std::memcpy(end, "  ", 2);
  end += 2;
  end += WriteResultsField(row.u, end);
  std::memcpy(end, "  ", 2);
  end += 2;
  end += WriteResultsField(row.E, end);
  std::memcpy(end, "\r\n", 2);
  return static_cast<std::size_t>(end + 2 - out);
}
