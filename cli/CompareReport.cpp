#include "cli/CompareReport.h"

#include <iconv.h>

#include <algorithm>
#include <cmath>
#include <exception>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/FileReadError.h"
#include "cli/ResultsComparison.h"
#include "cli/StandardStreams.h"
#include "numbertext/FormatGeneral.h"
#include "run/CalculationRun.h"
#include "run/ErrorText.h"

namespace {

bool IsUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const unsigned char lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = lead < 0x80 ? 1 : lead >> 5 == 6 ? 2 : lead >> 4 == 14 ? 3 : lead >> 3 == 30 ? 4 : 0;
    if (length == 0 || i + length > text.size()) return false;
    for (std::size_t k = 1; k < length; ++k)
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
    i += length;
  }
  return true;
}

// Windows-1251 bytes, the results file's own encoding, as UTF-8 for the terminal.
std::optional<std::string> FromWindows1251(const std::string& text) {
  const iconv_t converter = ::iconv_open("UTF-8", "CP1251");
  if (converter == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string input = text;
  std::string output(text.size() * 3, '\0');
  char* in = input.data();
  char* out = output.data();
  std::size_t inLeft = input.size();
  std::size_t outLeft = output.size();
  const bool converted = ::iconv(converter, &in, &inLeft, &out, &outLeft) != static_cast<std::size_t>(-1);
  ::iconv_close(converter);
  if (!converted) return std::nullopt;
  output.resize(output.size() - outLeft);
  return output;
}

// A line as the terminal can show it, its encoding named when it has letters beyond ASCII.
std::string LineText(const ComparedLine& compared) {
  if (!compared.line) return "нет строки";
  const std::string& bytes = compared.line->text;
  const bool ascii = std::all_of(bytes.begin(), bytes.end(), [](unsigned char c) { return c < 0x80; });
  std::optional<std::string> shown;
  std::string encoding;
  if (!ascii && IsUtf8(bytes)) {
    encoding = " (UTF-8)";
  } else if (!ascii && (shown = FromWindows1251(bytes))) {
    encoding = " (Windows-1251)";
  }
  const char* const ends[] = {" CR LF", " LF", " без конца строки"};
  std::string text = "\"";
  return text.append(shown.value_or(bytes)).append("\"").append(encoding).append(ends[static_cast<int>(compared.line->end)]);
}

std::vector<std::string> FirstDifferenceLines(const std::pair<ComparedLine, ComparedLine>& first) {
  const auto& [file, reference] = first;
  const std::uint64_t fileNumber = file.line ? file.number : reference.number;
  std::string heading = "Первое различие: строка " + std::to_string(fileNumber);
  if (file.line && reference.line && file.number != reference.number)
    heading += " файла, строка " + std::to_string(reference.number) + " расчёта";
  return {heading, "  в файле:   " + LineText(file), "  в расчёте: " + LineText(reference)};
}

// A difference of two five-decimal numbers, without the binary noise of its subtraction.
std::string DifferenceText(double difference) {
  return FormatGeneral(difference < 1e6 ? std::round(difference * 1e10) / 1e10 : difference);
}

std::vector<std::string> CountLines(const ComparisonSummary& summary) {
  std::vector<std::string> lines{"Строк таблицы с другим текстом: " + std::to_string(summary.differingRows) +
                                 " (в расчёте строк таблицы: " + std::to_string(summary.referenceRows) + ")"};
  if (summary.readRows == 0) {
    lines.push_back("Ни одну строку таблицы файла не удалось прочитать как три числа");
  } else {
    const auto& d = summary.largestDifference;
    lines.push_back("Наибольшая разница по столбцам: t " + DifferenceText(d[0]) + ", u " + DifferenceText(d[1]) +
                    ", E " + DifferenceText(d[2]));
  }
  if (summary.unreadableRows > 0)
    lines.push_back("Строк таблицы, которые не читаются как три числа: " + std::to_string(summary.unreadableRows));
  if (summary.fileLines != summary.referenceLines)
    lines.push_back("Строк в файле: " + std::to_string(summary.fileLines) +
                    ", в REZ.TXT расчёта: " + std::to_string(summary.referenceLines));
  return lines;
}

std::vector<std::string> FormLines(const ComparisonSummary& summary) {
  std::vector<std::string> lines;
  if (summary.byteOrderMark) lines.push_back("Файл начинается с метки порядка байтов UTF-8");
  const char* const headers[] = {nullptr, "Заголовок в UTF-8, а не в Windows-1251", "Нет строки заголовка",
                                 "Строка заголовка другая"};
  if (const char* header = headers[static_cast<int>(summary.header)]) lines.push_back(header);
  if (summary.emptyLineMissing) lines.push_back("Нет пустой строки после заголовка");
  if (summary.lfLineEnds > 0)
    lines.push_back("Строк с концом LF вместо CR LF: " + std::to_string(summary.lfLineEnds));
  if (summary.lastLineUnended) lines.push_back("Последняя строка без конца строки CR LF");
  return lines;
}

int PrintComparison(const std::string& path, const ComparisonSummary& summary) {
  if (summary.Identical()) {
    PrintLine(stdout, path + " совпадает с REZ.TXT этого расчёта, строк: " + std::to_string(summary.fileLines));
    return FlushStandardOutput();
  }
  std::vector<std::string> lines{path + " отличается от REZ.TXT этого расчёта"};
  for (const auto& part : {FirstDifferenceLines(*summary.first), CountLines(summary), FormLines(summary)})
    lines.insert(lines.end(), part.begin(), part.end());
  for (const std::string& line : lines) PrintLine(stdout, line);
  return FlushStandardOutput() != 0 ? 1 : kDifferentExitCode;
}

// The run's error, or the file's when reading it failed on the way.
std::optional<std::string> RunReference(const CliOptions& options, ResultsComparison& comparison) {
  try {
    const OptionTexts texts(options);
    TypedParameters parameters(texts);
    CalculationRun(parameters, {&comparison}, RunOptions{.maxRows = options.maxRows});
  } catch (const FileReadError& error) {
    return error.what();
  } catch (...) {
    return ErrorText(std::current_exception());
  }
  return std::nullopt;
}

}  // namespace

int CompareReport(const CliOptions& options) {
  std::unique_ptr<TextLineReader> file;
  try {
    file = std::make_unique<TextLineReader>(*options.comparePath);
  } catch (const FileReadError& error) {
    PrintLine(stderr, error.what());
    return 1;
  }
  ResultsComparison comparison(*file);
  if (const std::optional<std::string> failure = RunReference(options, comparison)) {
    PrintLine(stderr, *failure);
    return 1;
  }
  return PrintComparison(*options.comparePath, comparison.Summary());
}
