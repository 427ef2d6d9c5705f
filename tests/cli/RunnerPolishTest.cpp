// The runner's command line as a newcomer meets it: one line for a usage error, --version,
// pictures that match their names, and CSV files a spreadsheet in a comma locale opens.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "CliProcess.h"
#include "cli/CliOptions.h"

namespace {

class RunnerPolish : public ::testing::Test {
 protected:
  TemporaryDirectory directory_;
  CurrentDirectoryScope inside_{directory_.Path()};  // the runner writes into its current folder
};

// A command line that cannot be understood and the one line that says why.
struct UsageCase {
  const char* name;
  std::vector<std::string> arguments;
  const char* problem;
};

void PrintTo(const UsageCase& c, std::ostream* os) { *os << c.name; }

class UsageErrors : public RunnerPolish, public ::testing::WithParamInterface<UsageCase> {};

TEST_P(UsageErrors, OneLineAndWhereToReadMore) {
  const CliResult r = RunCli(GetParam().arguments);
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "rcpulse-cli: " + std::string(GetParam().problem) + "\nПодробнее: rcpulse-cli --help\n");
  EXPECT_FALSE(std::filesystem::exists("REZ.TXT"));
}

INSTANTIATE_TEST_SUITE_P(
    Table, UsageErrors,
    ::testing::Values(
        UsageCase{"unknown", {"--bogus"}, "неизвестный параметр --bogus"},
        UsageCase{"no_value", {"--step"}, "нет значения у параметра --step"},
        UsageCase{"switch_with_value", {"--exact=yes"}, "неизвестный параметр --exact=yes"},
        UsageCase{"size_without_height", {"--png", "a.png", "--size", "100"},
                  "--size ждёт ШИРИНАxВЫСОТА, например 800x600: '100'"},
        UsageCase{"size_too_large", {"--png", "a.png", "--size", "20000x10"},
                  "--size ждёт ШИРИНАxВЫСОТА не больше 10000x10000: '20000x10'"},
        UsageCase{"png_named_jpg", {"--png", "out.jpg"}, "--png пишет файл .png, а у 'out.jpg' расширение .jpg"},
        UsageCase{"pdf_named_png", {"--pdf", "chart.PNG"}, "--pdf пишет файл .pdf, а у 'chart.PNG' расширение .PNG"},
        UsageCase{"size_without_picture", {"--size", "800x600"}, "--size действует только вместе с --png или --pdf"},
        UsageCase{"jobs_without_batch", {"--jobs", "2"}, "--jobs действует только вместе с --batch"},
        UsageCase{"jobs_zero", {"--batch", "s.csv", "--jobs", "0"}, "--jobs ждёт число от 1 до 256: '0'"},
        UsageCase{"two_modes", {"--batch", "s.csv", "--compare", "REZ.TXT"}, "--compare не сочетается с --batch"},
        UsageCase{"dump_in_batch", {"--dump", "d.txt", "--batch", "s.csv"}, "--dump не сочетается с --batch"},
        UsageCase{"csv_delimiter", {"--csv-delimiter", "\t"}, "--csv-delimiter ждёт ',' или ';': '\t'"}),
    [](const ::testing::TestParamInfo<UsageCase>& info) { return std::string(info.param.name); });

TEST_F(RunnerPolish, VersionAndHelp) {
  const CliResult version = RunCli({"--version"});
  EXPECT_EQ(version.exitCode, 0);
  EXPECT_EQ(version.out, "rcpulse-cli " RCPULSE_VERSION "\n");
  const CliResult help = RunCli({"--help"});
  EXPECT_EQ(help.exitCode, 0);
  for (const char* part : {"--compare ФАЙЛ", "--batch ФАЙЛ", "--jobs N", "--out КАТАЛОГ", "--version",
                           "--csv-delimiter C", "UTF-8, концы строк LF", "десятичная запятая"})
    EXPECT_NE(help.out.find(part), std::string::npos) << part;
  EXPECT_FALSE(std::filesystem::exists("REZ.TXT"));
}

TEST_F(RunnerPolish, PictureNamesWithTheirOwnOrNoExtensionAreTaken) {
  const char* argv[] = {"rcpulse-cli", "--png", "Chart.PNG", "--pdf", "chart"};
  const CliOptions options = ParseCliOptions(5, argv);
  EXPECT_EQ(options.mode, RunnerMode::Chart);
  EXPECT_EQ(options.pngPath, "Chart.PNG");
  EXPECT_EQ(options.pdfPath, "chart");
}

TEST_F(RunnerPolish, SemicolonCsvHasDecimalCommasAndThreeColumns) {
  const CliResult r = RunCli({"--decimal-separator", ",", "--csv", "rows.csv", "--csv-delimiter", ";", "--exact"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  std::istringstream lines(ReadWholeFile("rows.csv"));
  std::string line;
  std::getline(lines, line);
  EXPECT_EQ(line, "t;u;E;u_exact;error");
  std::getline(lines, line);
  EXPECT_EQ(line, "0;0;0;0;0");
  std::getline(lines, line);
  // Row 2: t = 0.001 and E = 0.03 as the comma CSV writes them, with a decimal comma.
  EXPECT_TRUE(line.starts_with("0,001;0,00033")) << line;
  EXPECT_NE(line.find(";0,029999999999999999;"), std::string::npos) << line;
  std::size_t rows = 2;
  for (; std::getline(lines, line); ++rows) {
    ASSERT_EQ(std::count(line.begin(), line.end(), ';'), 4) << line;
    ASSERT_EQ(line.find('.'), std::string::npos) << line;
  }
  EXPECT_EQ(rows, 501u);
}

}  // namespace
