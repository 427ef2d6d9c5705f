#include "cli/CliOptions.h"

#include <array>
#include <charconv>
#include <cstdio>
#include <string_view>

namespace {

struct FieldOption {
  std::string_view option;
  std::string_view fieldName;
};

constexpr std::array<FieldOption, 9> kFieldOptions{{
    {"--t1", "Edit1"}, {"--t4", "Edit2"}, {"--step", "Edit5"},
    {"--t2", "Edit9"}, {"--t3", "Edit10"}, {"--voltage", "Edit6"},
    {"--r", "Edit7"}, {"--c", "Edit13"}, {"--u0", "Edit11"},
}};

std::uint64_t ParseCount(std::string_view text, std::string_view option = "--max-rows") {
  std::uint64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value == 0)
    throw CliUsageError(std::string(option) + " ждёт целое число больше нуля: '" + std::string(text) + "'");
  return value;
}

}  // namespace

CliOptions ParseCliOptions(int argc, const char* const* argv) {
  CliOptions options;
  for (const FieldDefault& field : kParameterFieldDefaults)
    options.fieldTexts.emplace(field.fieldName, field.defaultText);

  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (argument == "--help" || argument == "-h") {
      options.help = true;
      continue;
    }
    // "--option=value" or "--option value"; the value may be empty or start with '-'.
    std::string_view name = argument;
    std::optional<std::string> value;
    if (const auto equals = argument.find('='); argument.starts_with("--") && equals != std::string_view::npos) {
      name = argument.substr(0, equals);
      value = std::string(argument.substr(equals + 1));
    }
    const auto takeValue = [&]() -> std::string {
      if (value) return *value;
      if (i + 1 >= argc) throw CliUsageError("нет значения у параметра " + std::string(name));
      return argv[++i];
    };

    bool known = false;
    for (const FieldOption& field : kFieldOptions) {
      if (name == field.option) {
        options.fieldTexts.find(field.fieldName)->second = takeValue();
        known = true;
      }
    }
    if (known) continue;
    if (name == "--decimal-separator") {
      options.decimalSeparator = takeValue();
      if (options.decimalSeparator->size() != 1)
        throw CliUsageError("--decimal-separator ждёт один однобайтовый символ: '" +
                            *options.decimalSeparator + "'");
    } else if (name == "--max-rows") {
      options.maxRows = ParseCount(takeValue());
    } else if (name == "--dump") {
      options.dumpPath = takeValue();
    } else if (name == "--exact" && !value) {
      options.exact = true;
    } else if (name == "--png") {
      options.pngPath = takeValue();
    } else if (name == "--pdf") {
      options.pdfPath = takeValue();
    } else if (name == "--size") {
      const std::string text = takeValue();
      const std::size_t x = text.find('x');
      const std::uint64_t width = ParseCount(text.substr(0, x), "--size");
      const std::uint64_t height =
          ParseCount(x == std::string::npos ? "" : std::string_view(text).substr(x + 1), "--size");
      if (width > 10000 || height > 10000)
        throw CliUsageError("--size ждёт ШИРИНАxВЫСОТА до 10000x10000: '" + text + "'");
      options.chartWidth = static_cast<int>(width);
      options.chartHeight = static_cast<int>(height);
    } else if (name == "--csv") {
      options.csvPath = takeValue();
    } else if (name == "--convergence") {
      const std::string text = takeValue();
      const std::uint64_t runs = ParseCount(text, "--convergence");
      // Each halving doubles the rows; beyond 40 no step would still advance the time.
      if (runs > 40) throw CliUsageError("--convergence ждёт число от 1 до 40: '" + text + "'");
      options.convergenceRuns = static_cast<int>(runs);
    } else {
      throw CliUsageError("неизвестный параметр " + std::string(argument));
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

std::string OptionFields::FieldText(std::string_view fieldName) const {
  const auto found = options_.fieldTexts.find(fieldName);
  return found == options_.fieldTexts.end() ? std::string() : found->second;
}

std::string CliUsage() {
  return
      "Использование: rcpulse-cli [параметры]\n"
      "Один расчёт переходного процесса в RC-цепи (метод Адамса-Маултона 3-го порядка),\n"
      "таблица пишется в REZ.TXT в текущем каталоге, глобальная погрешность выводится на экран.\n"
      "\n"
      "Параметры расчёта (текст как в поле окна, по умолчанию текст окна):\n"
      "  --t1 ТЕКСТ         время начала сигнала t1 (0)\n"
      "  --t4 ТЕКСТ         время окончания сигнала t4 (0,5)\n"
      "  --step ТЕКСТ       шаг времени (0,001)\n"
      "  --t2 ТЕКСТ         время t2 (0,1)\n"
      "  --t3 ТЕКСТ         время t3 (0,4)\n"
      "  --voltage ТЕКСТ    значение напряжения [B] (3)\n"
      "  --r ТЕКСТ          значение R [Ом] (9000)\n"
      "  --c ТЕКСТ          значение C [Ф] (5e-6)\n"
      "  --u0 ТЕКСТ         начальное значение I L1(0) (0)\n"
      "\n"
      "Прочие параметры:\n"
      "  --decimal-separator C  десятичный разделитель вместо разделителя региональных настроек\n"
      "  --max-rows N       наибольшее число строк расчёта (10000000)\n"
      "  --dump ФАЙЛ        записать каждую строку: номер и биты t, u, E (16 шестнадцатеричных цифр)\n"
      "  --exact            после строки результата: истинная наибольшая погрешность\n"
      "                     max|u - u_точн| по строкам и время t, где она достигнута\n"
      "  --csv ФАЙЛ         записать каждую строку в CSV: t,u,E (с --exact ещё u_exact,error),\n"
      "                     17 значащих цифр, разделитель \".\", строка заголовка, UTF-8\n"
      "  --convergence K    исследование сходимости: K расчётов с шагом h, h/2, ..., h/2^(K-1)\n"
      "                     без REZ.TXT; таблица: шаг, строк, глобальная погрешность,\n"
      "                     истинная погрешность, наблюдаемый порядок log2(e(h)/e(h/2))\n"
      "  --png ФАЙЛ         нарисовать график расчёта в PNG (как в окне, без экрана)\n"
      "  --pdf ФАЙЛ         нарисовать график расчёта в PDF\n"
      "  --size ШxВ         размер графика в пикселях (407x410)\n"
      "  --help             эта справка\n"
      "\n"
      "Код выхода: 0 — расчёт выполнен, 1 — ошибка расчёта, 2 — неверная командная строка.\n";
}
