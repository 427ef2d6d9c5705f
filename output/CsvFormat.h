// The two shapes of the runner's CSV files: commas between fields and a decimal point (the
// default, for scripts), or semicolons and a decimal comma, which a spreadsheet set to a
// comma locale opens in columns. Either way UTF-8 text with LF line ends.
#pragma once

#include <string>
#include <string_view>

struct CsvFormat {
  char delimiter = ',';
  char decimalSeparator = '.';
};

inline constexpr CsvFormat kCommaCsv{',', '.'};
inline constexpr CsvFormat kSemicolonCsv{';', ','};

// A number's text written with a point, with the format's decimal separator instead.
inline std::string CsvNumberText(std::string_view pointText, const CsvFormat& format) {
  std::string text(pointText);
  for (char& c : text)
    if (c == '.') c = format.decimalSeparator;
  return text;
}
