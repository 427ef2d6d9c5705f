#include "cli/ConvergenceReport.h"

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "cli/Utf8Text.h"
#include "numbertext/FormatGeneral.h"
#include "numbertext/LocaleDecimalSeparator.h"
#include "run/ErrorText.h"
#include "study/ConvergenceStudy.h"

namespace {

// Pads to a width in characters, so the Russian header lines up too.
std::string PadRight(const std::string& text, std::size_t width) {
  const std::size_t characters = CharacterCount(text);
  return text + std::string(width > characters ? width - characters : 0, ' ');
}

std::string OrderText(const std::optional<double>& order) {
  if (!order) return "-";
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", *order);
  std::string result = text;
  for (char& c : result)
    if (c == '.') c = LocaleDecimalSeparator();
  return result;
}

constexpr std::size_t kColumnWidths[] = {22, 10, 22, 22};

void PrintTable(const std::vector<ConvergenceRow>& table) {
  const std::string header = PadRight("шаг", kColumnWidths[0]) + PadRight("строк", kColumnWidths[1]) +
                             PadRight("глоб. погрешность", kColumnWidths[2]) +
                             PadRight("истинная погрешность", kColumnWidths[3]) + "порядок";
  std::printf("%s\n", header.c_str());
  for (const ConvergenceRow& row : table) {
    const std::string line = PadRight(FormatGeneral(row.step), kColumnWidths[0]) +
                             PadRight(std::to_string(row.rows), kColumnWidths[1]) +
                             PadRight(FormatGeneral(row.globalError), kColumnWidths[2]) +
                             PadRight(FormatGeneral(static_cast<double>(row.trueError)), kColumnWidths[3]) +
                             OrderText(row.order);
    std::printf("%s\n", line.c_str());
  }
}

}  // namespace

int ConvergenceReport(const CliOptions& options) {
  std::vector<ConvergenceRow> table;
  try {
    const CalcParams params = ReadCalcParams(OptionTexts(options));
    table = ConvergenceStudy(params, *options.convergenceRuns, RunOptions{.maxRows = options.maxRows});
  } catch (...) {
    std::fprintf(stderr, "%s\n", ErrorText(std::current_exception()).c_str());
    return 1;
  }
  PrintTable(table);
  return 0;
}
