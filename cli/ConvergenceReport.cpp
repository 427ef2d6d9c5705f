#include "cli/ConvergenceReport.h"

#include <cstdio>
#include <new>
#include <string>
#include <vector>

#include "model/Errors.h"
#include "run/BoxTexts.h"
#include "run/ConvergenceStudy.h"
#include "run/FieldParameters.h"
#include "run/FormatGeneral.h"
#include "run/LocaleDecimalSeparator.h"

namespace {

// Pads to a width in characters (UTF-8 code points), so the Russian header lines up too.
std::string PadRight(const std::string& text, std::size_t width) {
  std::size_t characters = 0;
  for (unsigned char byte : text) characters += (byte & 0xC0) != 0x80;
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

}  // namespace

int ConvergenceReport(const CliOptions& options) {
  std::vector<ConvergenceRow> table;
  try {
    OptionFields fields(options);
    const CalcParams params = ReadCalcParams(fields);
    table = ConvergenceStudy(params, *options.convergenceRuns, RunOptions{.maxRows = options.maxRows});
  } catch (const Exception& error) {
    std::fprintf(stderr, "%s\n", ErrorBoxText(error.Message()).c_str());
    return 1;
  } catch (const std::bad_alloc&) {
    std::fprintf(stderr, "%s\n", ErrorBoxText(EOutOfMemory().Message()).c_str());
    return 1;
  }
  const std::size_t widths[] = {22, 10, 22, 22};
  std::string header = PadRight("шаг", widths[0]) + PadRight("строк", widths[1]) +
                       PadRight("глоб. погрешность", widths[2]) +
                       PadRight("истинная погрешность", widths[3]) + "порядок";
  std::printf("%s\n", header.c_str());
  for (const ConvergenceRow& row : table) {
    const std::string line =
        PadRight(FormatGeneral(row.step), widths[0]) + PadRight(std::to_string(row.rows), widths[1]) +
        PadRight(FormatGeneral(row.globalError), widths[2]) +
        PadRight(FormatGeneral(static_cast<double>(row.trueError)), widths[3]) + OrderText(row.order);
    std::printf("%s\n", line.c_str());
  }
  return 0;
}
