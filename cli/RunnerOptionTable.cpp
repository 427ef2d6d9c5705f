#include "cli/RunnerOptionTable.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <filesystem>
#include <optional>

namespace {

std::optional<std::uint64_t> PositiveCount(std::string_view text) {
  std::uint64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value == 0) return std::nullopt;
  return value;
}

// A whole number from 1 to the largest the option allows, or the option's complaint.
std::uint64_t ParseCount(const std::string& text, std::string_view option, std::uint64_t largest) {
  const std::optional<std::uint64_t> value = PositiveCount(text);
  if (value && *value <= largest) return *value;
  const std::string range = largest == UINT64_MAX ? "целое число больше нуля"
                                                  : "число от 1 до " + std::to_string(largest);
  throw CliUsageError(std::string(option) + " ждёт " + range + ": '" + text + "'");
}

void SetDecimalSeparator(CliOptions& options, const std::string& text) {
  if (text.size() != 1)
    throw CliUsageError("--decimal-separator ждёт один однобайтовый символ: '" + text + "'");
  options.decimalSeparator = text;
}

void SetCsvDelimiter(CliOptions& options, const std::string& text) {
  if (text == ",") {
    options.csvFormat = kCommaCsv;
  } else if (text == ";") {
    options.csvFormat = kSemicolonCsv;
  } else {
    throw CliUsageError("--csv-delimiter ждёт ',' или ';': '" + text + "'");
  }
}

void SetChartSize(CliOptions& options, const std::string& text) {
  const std::size_t x = text.find('x');
  const std::optional<std::uint64_t> width = PositiveCount(std::string_view(text).substr(0, x));
  const std::optional<std::uint64_t> height =
      x == std::string::npos ? std::nullopt : PositiveCount(std::string_view(text).substr(x + 1));
  if (!width || !height)
    throw CliUsageError("--size ждёт ШИРИНАxВЫСОТА, например 800x600: '" + text + "'");
  if (*width > 10000 || *height > 10000)
    throw CliUsageError("--size ждёт ШИРИНАxВЫСОТА не больше 10000x10000: '" + text + "'");
  options.chartWidth = static_cast<int>(*width);
  options.chartHeight = static_cast<int>(*height);
}

// The picture is written in the option's format whatever the name says, so a name that
// promises another format is refused rather than filled with the wrong bytes.
std::string PicturePath(const std::string& text, std::string_view option, std::string_view extension) {
  std::string given = std::filesystem::path(text).extension().string();
  std::transform(given.begin(), given.end(), given.begin(),
                 [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c); });
  if (!given.empty() && given != extension)
    throw CliUsageError(std::string(option) + " пишет файл " + std::string(extension) + ", а у '" + text +
                        "' расширение " + std::filesystem::path(text).extension().string());
  return text;
}

constexpr unsigned kRunChart = kSingleRunModes;
constexpr unsigned kBatch = ModeBit(RunnerMode::Batch);

const RunnerOption kRunnerOptions[] = {
    {"--dump", "ФАЙЛ", "записать каждую строку: номер и биты t, u, E (16 шестнадцатеричных цифр)",
     [](CliOptions& o, const std::string& v) { o.dumpPath = v; }, kRunChart, RunnerMode::Run,
     "Вывод расчёта"},
    {"--exact", "",
     "после строки результата: истинная наибольшая погрешность\n"
     "max|u - u_точн| по строкам и время t, где она достигнута",
     [](CliOptions& o, const std::string&) { o.exact = true; }, kRunChart},
    {"--csv", "ФАЙЛ",
     "записать каждую строку в CSV: t,u,E (с --exact ещё u_exact,error),\n"
     "17 значащих цифр, строка заголовка; UTF-8, концы строк LF",
     [](CliOptions& o, const std::string& v) { o.csvPath = v; }, kRunChart},
    {"--csv-delimiter", "C",
     "',' (по умолчанию): запятые между полями и десятичная точка;\n"
     "';': точки с запятой и десятичная запятая, для таблиц с запятой\n"
     "в региональных настройках; для --csv, файла --batch и его сводки",
     SetCsvDelimiter, kRunChart | kBatch},
    {"--png", "ФАЙЛ", "нарисовать график расчёта в PNG (как в окне, без экрана)",
     [](CliOptions& o, const std::string& v) { o.pngPath = PicturePath(v, "--png", ".png"); },
     ModeBit(RunnerMode::Chart), RunnerMode::Chart},
    {"--pdf", "ФАЙЛ", "нарисовать график расчёта в PDF",
     [](CliOptions& o, const std::string& v) { o.pdfPath = PicturePath(v, "--pdf", ".pdf"); },
     ModeBit(RunnerMode::Chart), RunnerMode::Chart},
    {"--size", "ШxВ", "размер графика в пикселях (407x410)", SetChartSize, ModeBit(RunnerMode::Chart)},
    {"--convergence", "K",
     "исследование сходимости: K расчётов с шагом h, h/2, ..., h/2^(K-1)\n"
     "без REZ.TXT; таблица: шаг, строк, глобальная погрешность,\n"
     "истинная погрешность, наблюдаемый порядок log2(e(h)/e(h/2))",
     // Each halving doubles the rows; beyond 40 no step would still advance the time.
     [](CliOptions& o, const std::string& v) { o.convergenceRuns = static_cast<int>(ParseCount(v, "--convergence", 40)); },
     ModeBit(RunnerMode::Convergence), RunnerMode::Convergence, "Другие режимы"},
    {"--compare", "ФАЙЛ",
     "сравнить ФАЙЛ с REZ.TXT, который записал бы этот расчёт (сам\n"
     "REZ.TXT не пишется): 0 — совпадает, 3 — отличается, 1 — ошибка",
     [](CliOptions& o, const std::string& v) { o.comparePath = v; }, ModeBit(RunnerMode::Compare),
     RunnerMode::Compare},
    {"--batch", "ФАЙЛ",
     "расчёты по строкам CSV-файла: заголовок из имён параметров\n"
     "(t1,t4,step,t2,t3,voltage,r,c,u0) и, если нужно, name; нет столбца —\n"
     "значение из командной строки или по умолчанию; значения — тексты\n"
     "как в окне (значение с разделителем полей — в кавычках). Каждый\n"
     "расчёт пишет КАТАЛОГ/<name или номер строки>/REZ.TXT; сводка CSV\n"
     "(name,outcome,text,rows,seconds) — на стандартный вывод по порядку\n"
     "строк. Код выхода: 0 — все расчёты выполнены, 1 — не все,\n"
     "2 — ошибка в файле (с номером строки)",
     [](CliOptions& o, const std::string& v) { o.batchPath = v; }, kBatch, RunnerMode::Batch},
    {"--jobs", "N", "расчётов --batch одновременно (по числу ядер)",
     [](CliOptions& o, const std::string& v) { o.jobs = static_cast<unsigned>(ParseCount(v, "--jobs", 256)); },
     kBatch},
    {"--out", "КАТАЛОГ", "куда --batch пишет каталоги расчётов (текущий каталог)",
     [](CliOptions& o, const std::string& v) { o.outFolder = v; }, kBatch},
    {"--decimal-separator", "C", "десятичный разделитель вместо разделителя региональных настроек",
     SetDecimalSeparator, kEveryMode, RunnerMode::Run, "Общие"},
    {"--max-rows", "N", "наибольшее число строк расчёта (10000000)",
     [](CliOptions& o, const std::string& v) { o.maxRows = ParseCount(v, "--max-rows", UINT64_MAX); }},
    {"--version", "", "версия программы", [](CliOptions& o, const std::string&) { o.version = true; }},
    {"--help", "", "эта справка (также -h)", [](CliOptions& o, const std::string&) { o.help = true; }},
};

}  // namespace

std::span<const RunnerOption> RunnerOptionTable() { return kRunnerOptions; }
