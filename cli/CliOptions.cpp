#include "cli/CliOptions.h"

#include <charconv>
#include <cstdio>
#include <string_view>

namespace {

std::uint64_t ParseCount(std::string_view text, std::string_view option) {
  std::uint64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value == 0)
    throw CliUsageError(std::string(option) + " ждёт целое число больше нуля: '" + std::string(text) + "'");
  return value;
}

void SetDecimalSeparator(CliOptions& options, const std::string& text) {
  if (text.size() != 1)
    throw CliUsageError("--decimal-separator ждёт один однобайтовый символ: '" + text + "'");
  options.decimalSeparator = text;
}

void SetChartSize(CliOptions& options, const std::string& text) {
  const std::size_t x = text.find('x');
  const std::uint64_t width = ParseCount(text.substr(0, x), "--size");
  const std::uint64_t height =
      ParseCount(x == std::string::npos ? "" : std::string_view(text).substr(x + 1), "--size");
  if (width > 10000 || height > 10000)
    throw CliUsageError("--size ждёт ШИРИНАxВЫСОТА до 10000x10000: '" + text + "'");
  options.chartWidth = static_cast<int>(width);
  options.chartHeight = static_cast<int>(height);
}

void SetConvergenceRuns(CliOptions& options, const std::string& text) {
  const std::uint64_t runs = ParseCount(text, "--convergence");
  // Each halving doubles the rows; beyond 40 no step would still advance the time.
  if (runs > 40) throw CliUsageError("--convergence ждёт число от 1 до 40: '" + text + "'");
  options.convergenceRuns = static_cast<int>(runs);
}

// One of the runner's own options: its name, the name of its value ("" for a switch), its
// lines in the usage text and what it sets.
struct RunnerOption {
  std::string_view name;
  std::string_view valueName;
  std::string_view help;
  void (*apply)(CliOptions& options, const std::string& value);
};

const RunnerOption kRunnerOptions[] = {
    {"--decimal-separator", "C", "десятичный разделитель вместо разделителя региональных настроек",
     SetDecimalSeparator},
    {"--max-rows", "N", "наибольшее число строк расчёта (10000000)",
     [](CliOptions& o, const std::string& v) { o.maxRows = ParseCount(v, "--max-rows"); }},
    {"--dump", "ФАЙЛ", "записать каждую строку: номер и биты t, u, E (16 шестнадцатеричных цифр)",
     [](CliOptions& o, const std::string& v) { o.dumpPath = v; }},
    {"--exact", "",
     "после строки результата: истинная наибольшая погрешность\n"
     "max|u - u_точн| по строкам и время t, где она достигнута",
     [](CliOptions& o, const std::string&) { o.exact = true; }},
    {"--csv", "ФАЙЛ",
     "записать каждую строку в CSV: t,u,E (с --exact ещё u_exact,error),\n"
     "17 значащих цифр, разделитель \".\", строка заголовка, UTF-8",
     [](CliOptions& o, const std::string& v) { o.csvPath = v; }},
    {"--convergence", "K",
     "исследование сходимости: K расчётов с шагом h, h/2, ..., h/2^(K-1)\n"
     "без REZ.TXT; таблица: шаг, строк, глобальная погрешность,\n"
     "истинная погрешность, наблюдаемый порядок log2(e(h)/e(h/2))",
     SetConvergenceRuns},
    {"--png", "ФАЙЛ", "нарисовать график расчёта в PNG (как в окне, без экрана)",
     [](CliOptions& o, const std::string& v) { o.pngPath = v; }},
    {"--pdf", "ФАЙЛ", "нарисовать график расчёта в PDF",
     [](CliOptions& o, const std::string& v) { o.pdfPath = v; }},
    {"--size", "ШxВ", "размер графика в пикселях (407x410)", SetChartSize},
};

const ParameterInfo* FindParameterOption(std::string_view name) {
  for (const ParameterInfo& entry : kParameterTable)
    if (name.starts_with("--") && name.substr(2) == entry.option) return &entry;
  return nullptr;
}

const RunnerOption* FindRunnerOption(std::string_view name) {
  for (const RunnerOption& option : kRunnerOptions)
    if (name == option.name) return &option;
  return nullptr;
}

// "--option=value" or "--option value"; the value may be empty or start with '-'.
class ArgumentReader {
 public:
  ArgumentReader(int argc, const char* const* argv) : argc_(argc), argv_(argv) {}
  bool Next() {
    if (++index_ >= argc_) return false;
    argument_ = argv_[index_];
    name_ = argument_;
    value_.reset();
    if (const auto equals = argument_.find('='); argument_.starts_with("--") && equals != std::string_view::npos) {
      name_ = argument_.substr(0, equals);
      value_ = std::string(argument_.substr(equals + 1));
    }
    return true;
  }
  std::string_view Argument() const { return argument_; }
  std::string_view Name() const { return name_; }
  bool HasInlineValue() const { return value_.has_value(); }
  std::string TakeValue() {
    if (value_) return *value_;
    if (index_ + 1 >= argc_) throw CliUsageError("нет значения у параметра " + std::string(name_));
    return argv_[++index_];
  }

 private:
  int argc_;
  const char* const* argv_;
  int index_ = 0;
  std::string_view argument_;
  std::string_view name_;
  std::optional<std::string> value_;
};

// Characters, not bytes, of a UTF-8 text: "ФАЙЛ" takes two bytes a letter.
std::size_t CharacterCount(std::string_view text) {
  std::size_t characters = 0;
  for (const unsigned char byte : text) characters += (byte & 0xC0) != 0x80;
  return characters;
}

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

}  // namespace

CliOptions ParseCliOptions(int argc, const char* const* argv) {
  CliOptions options;
  ArgumentReader arguments(argc, argv);
  while (arguments.Next()) {
    if (arguments.Argument() == "--help" || arguments.Argument() == "-h") {
      options.help = true;
    } else if (const ParameterInfo* parameter = FindParameterOption(arguments.Name())) {
      options.parameterTexts[static_cast<std::size_t>(parameter->parameter)] = arguments.TakeValue();
    } else if (const RunnerOption* option = FindRunnerOption(arguments.Name());
               option != nullptr && !(option->valueName.empty() && arguments.HasInlineValue())) {
      option->apply(options, option->valueName.empty() ? std::string() : arguments.TakeValue());
    } else {
      throw CliUsageError("неизвестный параметр " + std::string(arguments.Argument()));
    }
  }
  return options;
}

std::optional<CliOptions> ParseCliOptionsOrShowUsage(int argc, const char* const* argv) {
  try {
    return ParseCliOptions(argc, argv);
  } catch (const CliUsageError& error) {
    std::fprintf(stderr, "rcpulse-cli: %s\n\n%s", error.what(), CliUsage().c_str());
    return std::nullopt;
  }
}

std::string CliUsage() {
  std::string text =
      "Использование: rcpulse-cli [параметры]\n"
      "Один расчёт переходного процесса в RC-цепи (метод Адамса-Маултона 3-го порядка),\n"
      "таблица пишется в REZ.TXT в текущем каталоге, глобальная погрешность выводится на экран.\n"
      "\n"
      "Параметры расчёта (текст как в поле окна, по умолчанию текст окна):\n";
  for (const ParameterInfo& entry : kParameterTable) text += ParameterUsage(entry);
  text += "\nПрочие параметры:\n";
  for (const RunnerOption& option : kRunnerOptions) {
    const std::string optionText =
        std::string(option.name) + (option.valueName.empty() ? "" : " " + std::string(option.valueName));
    text += UsageLines(optionText, option.help);
  }
  text += UsageLines("--help", "эта справка");
  return text + "\nКод выхода: 0 — расчёт выполнен, 1 — ошибка расчёта, 2 — неверная командная строка.\n";
}
