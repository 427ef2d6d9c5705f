// The runner's tools for studying the method: --exact, --csv and --convergence, each leaving
// REZ.TXT and the result line as they are.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "CliProcess.h"
#include "tests/support/DefaultParameters.h"

namespace {

const std::string kResultLine = DefaultResultLine();

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

double CommaNumber(std::string text) {
  for (char& c : text)
    if (c == ',') c = '.';
  return std::strtod(text.c_str(), nullptr);
}

class StudyOptions : public ::testing::Test {
 protected:
  TemporaryDirectory directory_;
  CurrentDirectoryScope inside_{directory_.Path()};  // the runner writes into its current folder
};

TEST_F(StudyOptions, ExactAddsTheTrueErrorAfterTheUnchangedResultLine) {
  const CliResult plain = RunCli({"--decimal-separator", ","});
  const std::string plainFile = ReadWholeFile("REZ.TXT");
  const CliResult exact = RunCli({"--decimal-separator", ",", "--exact"});
  EXPECT_EQ(exact.exitCode, 0);
  EXPECT_EQ(exact.err, "");
  EXPECT_TRUE(ReadWholeFile("REZ.TXT") == plainFile);
  ASSERT_TRUE(exact.out.starts_with(kResultLine)) << exact.out;
  const std::string second = exact.out.substr(kResultLine.size());
  const std::string prefix = "Истинная погрешность = ";
  ASSERT_TRUE(second.starts_with(prefix)) << second;
  const std::size_t at = second.find(" при t = ");
  ASSERT_NE(at, std::string::npos);
  // The corrector's quadratic misses the kink of the source at T2 by D*h^2/12 with
  // D = (3/0.1)/(9000*5e-6): 5.56e-5, met on the first row past the kink.
  const double trueError = CommaNumber(second.substr(prefix.size(), at - prefix.size()));
  EXPECT_NEAR(trueError, 30 / 0.045 * 1e-6 / 12, 1e-6);
  EXPECT_NEAR(CommaNumber(second.substr(at + std::string(" при t = ").size())), 0.101, 1e-9);
  EXPECT_EQ(second.back(), '\n');
  EXPECT_EQ(plain.out, kResultLine);
}

TEST_F(StudyOptions, CsvHoldsEveryRowWithSeventeenDigits) {
  const CliResult plain = RunCli({"--decimal-separator", ","});
  const std::string plainFile = ReadWholeFile("REZ.TXT");
  const CliResult withCsv = RunCli({"--decimal-separator", ",", "--csv", "rows.csv"});
  EXPECT_EQ(withCsv.out, kResultLine);
  EXPECT_EQ(withCsv.err, "");
  EXPECT_TRUE(ReadWholeFile("REZ.TXT") == plainFile);
  const std::vector<std::string> lines = Lines(ReadWholeFile("rows.csv"));
  ASSERT_EQ(lines.size(), 502u);
  EXPECT_EQ(lines[0], "t,u,E");
  EXPECT_EQ(lines[1], "0,0,0");
  // Row 2: t = 0.001 and E = 30*t as %.17g writes them; u to five decimals 0.00033.
  EXPECT_TRUE(lines[2].starts_with("0.001,0.00033")) << lines[2];
  EXPECT_TRUE(lines[2].ends_with(",0.029999999999999999")) << lines[2];

  const CliResult both = RunCli({"--decimal-separator", ",", "--csv", "exact.csv", "--exact"});
  const std::vector<std::string> exactLines = Lines(ReadWholeFile("exact.csv"));
  ASSERT_EQ(exactLines.size(), 502u);
  EXPECT_EQ(exactLines[0], "t,u,E,u_exact,error");
  for (std::size_t i = 1; i < exactLines.size(); ++i) {
    std::istringstream fields(exactLines[i]);
    std::string t, u, e, exact, error;
    std::getline(fields, t, ',');
    std::getline(fields, u, ',');
    std::getline(fields, e, ',');
    std::getline(fields, exact, ',');
    std::getline(fields, error, ',');
    ASSERT_FALSE(error.empty()) << exactLines[i];
    // The error column is |u - u_exact| of the other two, up to u_exact read back as a
    // double (half a unit in its last place, u below 3 V).
    EXPECT_NEAR(std::strtod(error.c_str(), nullptr),
                std::fabs(std::strtod(u.c_str(), nullptr) - std::strtod(exact.c_str(), nullptr)), 5e-16);
  }
}

TEST_F(StudyOptions, ConvergenceShowsSecondOrderWithoutAResultsFile) {
  const CliResult r = RunCli({"--decimal-separator", ",", "--convergence", "3"});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.err, "");
  const std::vector<std::string> lines = Lines(r.out);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_TRUE(lines[0].starts_with("шаг")) << lines[0];
  EXPECT_TRUE(lines[1].starts_with("0,001 ")) << lines[1];
  EXPECT_TRUE(lines[1].ends_with(" -")) << lines[1];
  EXPECT_TRUE(lines[2].starts_with("0,0005 ")) << lines[2];
  // The kinks of the pulse make the error O(h^2): observed order 2.00.
  EXPECT_TRUE(lines[2].ends_with(" 2,00")) << lines[2];
  EXPECT_TRUE(lines[3].ends_with(" 2,00")) << lines[3];
  EXPECT_FALSE(std::filesystem::exists("REZ.TXT"));
}

TEST_F(StudyOptions, ProblemsAreReportedAloneOnStandardError) {
  const CliResult csv = RunCli({"--decimal-separator", ",", "--csv", "missing/rows.csv"});
  EXPECT_EQ(csv.exitCode, 1);
  EXPECT_EQ(csv.out, "");
  EXPECT_EQ(csv.err, "File not found.\n");
  EXPECT_FALSE(std::filesystem::exists("REZ.TXT"));

  const CliResult zero = RunCli({"--decimal-separator", ",", "--convergence", "2", "--r", "0"});
  EXPECT_EQ(zero.exitCode, 1);
  EXPECT_EQ(zero.out, "");
  EXPECT_EQ(zero.err, "Floating point division by zero.\n");

  const CliResult badCount = RunCli({"--convergence", "0"});
  EXPECT_EQ(badCount.exitCode, 2);
  EXPECT_EQ(badCount.out, "");
}

}  // namespace
