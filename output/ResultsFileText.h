// The bytes REZ.TXT is made of, for code that needs the file's exact lines without writing
// the file (a comparison of a file with a run): the Windows-1251 header, the line end and
// a row's line of three FormatFixed(value, 8, 5) fields two blanks apart.
#pragma once

#include <string>
#include <string_view>

#include "model/ResultRow.h"
#include "output/ResultsFieldText.h"

// "РЕЗУЛЬТАТЫ РАССЧЕТОВ" in Windows-1251.
inline constexpr std::string_view kResultsHeaderText =
    "\xD0\xC5\xC7\xD3\xCB\xDC\xD2\xC0\xD2\xDB\x20\xD0\xC0\xD1\xD1\xD7\xC5\xD2\xCE\xC2";
inline constexpr std::string_view kResultsLineEnd = "\r\n";
inline constexpr std::string_view kResultsFieldGap = "  ";

// A row's line without its line end, byte for byte as WriteResultRow writes it.
inline std::string ResultsRowText(const ResultRow& row) {
  char field[kResultsFieldCapacity];
  std::string line;
  for (const double value : {row.t, row.u, row.E}) {
    if (!line.empty()) line += kResultsFieldGap;
    line.append(field, WriteResultsField(value, field));
  }
  return line;
}
