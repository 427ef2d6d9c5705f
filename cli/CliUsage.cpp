#include <string>
#include <string_view>

#include "cli/CliOptions.h"
#include "cli/RunnerOptionTable.h"
#include "cli/Utf8Text.h"

namespace {

// One usage line per option: the option and its value in 19 columns, then its help, whose
// further lines are indented to the same column.
std::string UsageLines(std::string_view option, std::string_view help) {
  std::string text = "  " + std::string(option);
  const std::size_t width = CharacterCount(option);
  text.append(width < 19 ? 19 - width : 2, ' ');
  for (const char c : help) {
    text += c;
    if (c == '\n') text.append(21, ' ');
  }
  return text + "\n";
}

std::string ParameterUsage(const ParameterInfo& entry) {
  return UsageLines("--" + std::string(entry.option) + " ТЕКСТ",
                    std::string(entry.meaning) + ", " + std::string(entry.unit) + " (" +
                        DefaultText(entry.parameter) + ")");
}

std::string RunnerOptionUsage(const RunnerOption& option) {
  std::string text;
  if (!option.section.empty()) text.append("\n").append(option.section).append(":\n");
  std::string optionText(option.name);
  if (!option.valueName.empty()) optionText.append(" ").append(option.valueName);
  return text + UsageLines(optionText, option.help);
}

constexpr std::string_view kSynopsis =
    "Использование: rcpulse-cli [параметры расчёта] [параметры]\n"
    "       rcpulse-cli --compare ФАЙЛ [параметры расчёта]\n"
    "       rcpulse-cli --batch НАБОРЫ.csv [--jobs N] [--out КАТАЛОГ]\n"
    "Один расчёт переходного процесса в RC-цепи (метод Адамса-Маултона 3-го порядка),\n"
    "таблица пишется в REZ.TXT в текущем каталоге, глобальная погрешность выводится на экран.\n"
    "\n"
    "Параметры расчёта (текст как в поле окна, по умолчанию текст окна):\n";

constexpr std::string_view kExitCodes =
    "\nКод выхода: 0 — расчёт выполнен, 1 — ошибка расчёта, 2 — неверная командная строка,\n"
    "3 — --compare: файл отличается.\n";

}  // namespace

std::string CliUsage() {
  std::string text(kSynopsis);
  for (const ParameterInfo& entry : kParameterTable) text += ParameterUsage(entry);
  for (const RunnerOption& option : RunnerOptionTable()) text += RunnerOptionUsage(option);
  return text + std::string(kExitCodes);
}

std::string CliVersion() { return "rcpulse-cli " RCPULSE_VERSION "\n"; }
