// rcpulse-cli --compare FILE: a results file checked against the REZ.TXT the run would write,
// without writing one. The reference bytes are those of the runner's own REZ.TXT for the same
// parameters, whose format the results file's tests pin down.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "CliProcess.h"
#include "cli/ResultsComparison.h"
#include "run/CalculationRun.h"
#include "tests/support/DefaultParameters.h"

namespace {

// The bytes of "РЕЗУЛЬТАТЫ РАССЧЕТОВ" in Windows-1251, REZ.TXT's first line.
constexpr std::size_t kHeaderBytes = 20;

// The lines of a text split at LF, each keeping a CR that stood before the LF.
std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t at = 0;
  for (std::size_t end; (end = text.find('\n', at)) != std::string::npos; at = end + 1)
    lines.push_back(text.substr(at, end - at + 1));
  if (at < text.size()) lines.push_back(text.substr(at));
  return lines;
}

std::string Join(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line;
  return text;
}

class Compare : public ::testing::Test {
 protected:
  void SetUp() override {
    const CliResult single = RunCli(CommaArgs());
    ASSERT_EQ(single.exitCode, 0) << single.err;
    reference_ = ReadWholeFile("REZ.TXT");
    std::filesystem::remove("REZ.TXT");
  }

  TemporaryDirectory directory_;
  CurrentDirectoryScope inside_{directory_.Path()};  // the runner writes into its current folder
  std::string reference_;  // the default run's REZ.TXT
};

TEST_F(Compare, AnIdenticalFileIsSaidToBeSoAndNoResultsFileIsWritten) {
  WriteWholeFile("theirs.txt", reference_);
  const CliResult r = RunCli(CommaArgs({"--compare", "theirs.txt"}));
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out, "theirs.txt совпадает с REZ.TXT этого расчёта, строк: 503\n");
  EXPECT_EQ(r.err, "");
  EXPECT_FALSE(std::filesystem::exists("REZ.TXT"));
}

// One way a file can differ from the run's REZ.TXT, and lines the report must hold.
struct DifferenceCase {
  const char* name;
  std::function<std::string(const std::string& reference)> make;
  std::vector<std::string> expected;  // whole lines of the report
};

void PrintTo(const DifferenceCase& c, std::ostream* os) { *os << c.name; }

class CompareDifferences : public Compare, public ::testing::WithParamInterface<DifferenceCase> {};

TEST_P(CompareDifferences, ExitThreeWithWhatDiffers) {
  WriteWholeFile("theirs.txt", GetParam().make(reference_));
  const CliResult r = RunCli(CommaArgs({"--compare", "theirs.txt"}));
  EXPECT_EQ(r.exitCode, 3) << r.err;
  EXPECT_EQ(r.err, "");
  const std::vector<std::string> lines = SplitLines(r.out);
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines[0], "theirs.txt отличается от REZ.TXT этого расчёта\n");
  for (const std::string& expected : GetParam().expected)
    EXPECT_NE(std::find(lines.begin(), lines.end(), expected + "\n"), lines.end()) << expected << "\nin\n" << r.out;
  EXPECT_FALSE(std::filesystem::exists("REZ.TXT"));
}

// Row 55 of the default run (t = 0.054; this program's output), line 57 of its file, with the last digit of u
// changed from 1 to 2: one unit in the fifth decimal.
std::string OneChangedDigit(const std::string& reference) {
  std::vector<std::string> lines = SplitLines(reference);
  EXPECT_EQ(lines[56], " 0.05400   0.67661   1.62000\r\n");
  lines[56] = " 0.05400   0.67662   1.62000\r\n";
  return Join(lines);
}

std::string WithoutLine(const std::string& reference, std::size_t index) {
  std::vector<std::string> lines = SplitLines(reference);
  lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(index));
  return Join(lines);
}

std::string LfOnly(std::string text) {
  text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
  return text;
}

std::string Utf8Header(const std::string& reference) {
  return "РЕЗУЛЬТАТЫ РАССЧЕТОВ" + reference.substr(kHeaderBytes);
}

// Every field gap of two blanks written as a tab: the same numbers in other text.
std::string TabsBetweenFields(const std::string& reference) {
  std::string text;
  for (std::size_t at = 0; at < reference.size();) {
    const std::size_t gap = std::min(reference.find("   ", at), reference.size());
    text.append(reference, at, gap - at);
    if (gap < reference.size()) text += '\t';
    at = gap + 3;
  }
  return text;
}

INSTANTIATE_TEST_SUITE_P(
    Table, CompareDifferences,
    ::testing::Values(
        DifferenceCase{"one_changed_digit", OneChangedDigit,
                       {"Первое различие: строка 57", "  в файле:   \" 0.05400   0.67662   1.62000\" CR LF",
                        "  в расчёте: \" 0.05400   0.67661   1.62000\" CR LF",
                        "Строк таблицы с другим текстом: 1 (в расчёте строк таблицы: 501)",
                        "Наибольшая разница по столбцам: t 0, u 1E-5, E 0"}},
        // Line 100 holds row 98 (t = 0.097); without it line 100 holds row 99 (this
        // program's output, kept to catch any change).
        DifferenceCase{"missing_line", [](const std::string& r) { return WithoutLine(r, 99); },
                       {"Первое различие: строка 100", "  в файле:   \" 0.09800   1.74295   2.94000\" CR LF",
                        "  в расчёте: \" 0.09700   1.71638   2.91000\" CR LF",
                        "Строк в файле: 502, в REZ.TXT расчёта: 503"}},
        DifferenceCase{"lf_instead_of_cr_lf", LfOnly,
                       {"Первое различие: строка 1",
                        "  в файле:   \"РЕЗУЛЬТАТЫ РАССЧЕТОВ\" (Windows-1251) LF",
                        "  в расчёте: \"РЕЗУЛЬТАТЫ РАССЧЕТОВ\" (Windows-1251) CR LF",
                        "Строк таблицы с другим текстом: 0 (в расчёте строк таблицы: 501)",
                        "Строк с концом LF вместо CR LF: 503"}},
        DifferenceCase{"utf8_header", Utf8Header,
                       {"  в файле:   \"РЕЗУЛЬТАТЫ РАССЧЕТОВ\" (UTF-8) CR LF",
                        "Заголовок в UTF-8, а не в Windows-1251",
                        "Наибольшая разница по столбцам: t 0, u 0, E 0"}},
        DifferenceCase{"no_header",
                       [](const std::string& r) { return r.substr(kHeaderBytes + 4); },
                       {"Первое различие: строка 1", "Нет строки заголовка", "Нет пустой строки после заголовка",
                        "Строк таблицы с другим текстом: 0 (в расчёте строк таблицы: 501)",
                        "Строк в файле: 501, в REZ.TXT расчёта: 503"}},
        DifferenceCase{"tabs_between_fields", TabsBetweenFields,
                       {"Первое различие: строка 3", "Строк таблицы с другим текстом: 501 (в расчёте строк таблицы: 501)",
                        "Наибольшая разница по столбцам: t 0, u 0, E 0"}},
        DifferenceCase{"a_line_too_many", [](const std::string& r) { return r + "the end\r\n"; },
                       {"Первое различие: строка 504", "  в файле:   \"the end\" CR LF", "  в расчёте: нет строки",
                        "Строк в файле: 504, в REZ.TXT расчёта: 503"}},
        DifferenceCase{"last_line_unended", [](const std::string& r) { return r.substr(0, r.size() - 2); },
                       {"Первое различие: строка 503", "Последняя строка без конца строки CR LF"}},
        DifferenceCase{"unreadable_row",
                       [](const std::string& r) { return WithoutLine(r, 2).insert(24, "garbage\r\n"); },
                       {"Строк таблицы, которые не читаются как три числа: 1"}}),
    [](const ::testing::TestParamInfo<DifferenceCase>& info) { return std::string(info.param.name); });

TEST_F(Compare, TheParametersChooseTheReference) {
  WriteWholeFile("theirs.txt", reference_);
  // A step of 0,002: 251 rows instead of 501.
  const CliResult r = RunCli(CommaArgs({"--compare", "theirs.txt", "--step", "0,002"}));
  EXPECT_EQ(r.exitCode, 3);
  EXPECT_NE(r.out.find("Строк в файле: 503, в REZ.TXT расчёта: 253\n"), std::string::npos) << r.out;
}

TEST_F(Compare, AFileThatCannotBeReadIsAnErrorNamingIt) {
  const CliResult missing = RunCli(CommaArgs({"--compare", "missing.txt"}));
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_EQ(missing.out, "");
  EXPECT_EQ(missing.err, "rcpulse-cli: не удалось прочитать missing.txt: No such file or directory\n");
  std::filesystem::create_directory("folder");
  const CliResult folder = RunCli(CommaArgs({"--compare", "folder"}));
  EXPECT_EQ(folder.exitCode, 1);
  EXPECT_EQ(folder.err, "rcpulse-cli: не удалось прочитать folder: Is a directory\n");
  EXPECT_FALSE(std::filesystem::exists("REZ.TXT"));
}

TEST_F(Compare, AFailingRunIsAnErrorNotADifference) {
  WriteWholeFile("theirs.txt", reference_);
  const CliResult r = RunCli(CommaArgs({"--compare", "theirs.txt", "--r", "0"}));
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "Floating point division by zero.\n");
}

// Rows reach an observer in spans of any length; the comparison must not care.
TEST_F(Compare, RowsInSpansOfAnyLengthCompareAlike) {
  std::vector<ResultRow> rows;
  struct Collect : RunObserver {
    std::vector<ResultRow>& rows;
    explicit Collect(std::vector<ResultRow>& r) : rows(r) {}
    void RowsEmitted(std::span<const ResultRow> span) override { rows.insert(rows.end(), span.begin(), span.end()); }
  } collect(rows);
  FixedParameters parameters(DefaultCalcParams());
  CalculationRun(parameters, {&collect});
  WriteWholeFile("theirs.txt", OneChangedDigit(reference_));
  for (const std::size_t spanLength : {std::size_t{1}, std::size_t{7}, rows.size()}) {
    TextLineReader file("theirs.txt");
    ResultsComparison comparison(file);
    comparison.ParametersRead(DefaultCalcParams());
    for (std::size_t at = 0; at < rows.size(); at += spanLength)
      comparison.RowsEmitted(std::span(rows).subspan(at, std::min(spanLength, rows.size() - at)));
    comparison.RunFinished(0);
    const ComparisonSummary& summary = comparison.Summary();
    EXPECT_EQ(summary.differingRows, 1u) << spanLength;
    EXPECT_EQ(summary.first->first.number, 57u) << spanLength;
    EXPECT_EQ(summary.fileLines, 503u);
    EXPECT_EQ(summary.referenceLines, 503u);
  }
}

}  // namespace
