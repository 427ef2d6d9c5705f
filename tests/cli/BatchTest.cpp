// rcpulse-cli --batch SETS.csv: many runs from one CSV file on a pool of threads, each
// REZ.TXT byte for byte that of a single run with the same texts, and a summary in the file's
// order.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "CliProcess.h"
#include "cli/BatchSets.h"
#include "tests/support/DefaultParameters.h"

namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// A summary line without its seconds, the one field that changes from run to run.
std::string WithoutSeconds(const std::string& line) { return line.substr(0, line.rfind(',')); }

// Sets that differ in every way a text can: a quoted decimal comma, a negative value, an
// exponent, blanks around a number, a column missing (t3 takes its default).
const std::string kGoodSets =
    "name,t1,t4,step,t2,voltage,r,c,u0\n"
    "default,0,\"0,5\",\"0,001\",\"0,1\",3,9000,5e-6,0\n"
    "charged,0,\"0,3\",\"0,0005\",\"0,05\",5,1000,1e-5,-1\n"
    "blanks, 0 ,\"0,2\",\"0,002\",\"0,1\",\" 2,5 \",9000,5e-6,\"0,5\"\n";

// The same run alone, in a folder of its own: its REZ.TXT and result line.
std::pair<std::string, std::string> SingleRun(const std::vector<std::string>& arguments) {
  std::filesystem::create_directory("single");
  const CurrentDirectoryScope inside("single");
  const CliResult r = RunCli(CommaArgs(arguments));
  EXPECT_EQ(r.exitCode, 0) << r.err;
  return {ReadWholeFile("REZ.TXT"), r.out};
}

class Batch : public ::testing::Test {
 protected:
  TemporaryDirectory directory_;
  CurrentDirectoryScope inside_{directory_.Path()};  // the runner writes into its current folder
};

TEST_F(Batch, EveryRunIsTheSingleRunOfItsTexts) {
  WriteWholeFile("sets.csv", kGoodSets);
  const CliResult r = RunCli(CommaArgs({"--batch", "sets.csv", "--jobs", "2", "--out", "runs"}));
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.err, "");
  const std::vector<std::string> summary = Lines(r.out);
  ASSERT_EQ(summary.size(), 4u) << r.out;
  EXPECT_EQ(summary[0], "name,outcome,text,rows,seconds");
  const std::vector<std::vector<std::string>> singles = {
      {},
      {"--t4", "0,3", "--step", "0,0005", "--t2", "0,05", "--voltage", "5", "--r", "1000", "--c", "1e-5", "--u0", "-1"},
      {"--t1", " 0 ", "--t4", "0,2", "--step", "0,002", "--voltage", " 2,5 ", "--u0", "0,5"}};
  const char* const names[] = {"default", "charged", "blanks"};
  for (std::size_t i = 0; i < singles.size(); ++i) {
    const auto [file, resultLine] = SingleRun(singles[i]);
    EXPECT_TRUE(ReadWholeFile(std::filesystem::path("runs") / names[i] / "REZ.TXT") == file) << names[i];
    const std::string rows = std::to_string(std::count(file.begin(), file.end(), '\n') - 2);
    EXPECT_EQ(WithoutSeconds(summary[i + 1]), std::string(names[i]) + ",ok,\"" +
                                                  resultLine.substr(0, resultLine.size() - 1) + "\"," + rows);
  }
  EXPECT_EQ(WithoutSeconds(summary[1]), "default,ok,\"" + std::string(kDefaultResultText) + "\",501");
}

TEST_F(Batch, ABadRowIsReportedAndTheOthersRun) {
  WriteWholeFile("sets.csv", "step,r\n\"0,001\",9000\nabc,9000\n\"0,001\",0\n\"0,002\",9000\n");
  const CliResult r = RunCli(CommaArgs({"--batch", "sets.csv"}));
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err, "");
  const std::vector<std::string> summary = Lines(r.out);
  ASSERT_EQ(summary.size(), 5u) << r.out;
  // No name column: the row numbers name the runs and their folders.
  EXPECT_EQ(WithoutSeconds(summary[1]), "1,ok,\"" + std::string(kDefaultResultText) + "\",501");
  EXPECT_EQ(WithoutSeconds(summary[2]), "2,error,'abc' is not a valid floating point value.,0");
  // R zero fails in the start step, after the first row was written.
  EXPECT_EQ(WithoutSeconds(summary[3]), "3,error,Floating point division by zero.,1");
  EXPECT_TRUE(summary[4].starts_with("4,ok,")) << summary[4];
  EXPECT_EQ(ReadWholeFile("1/REZ.TXT").size(), 15054u);
  EXPECT_EQ(ReadWholeFile("2/REZ.TXT"), "");  // as a single run leaves it
  EXPECT_EQ(ReadWholeFile("4/REZ.TXT").size(), 24u + 251 * 30);
}

TEST_F(Batch, TwoJobsGiveTheSameRunsAndOrderAsOne) {
  // The first set is the slowest (50,001 rows), so with two jobs it finishes after the others.
  WriteWholeFile("sets.csv",
                 "name,step,u0\nslow,\"0,00001\",0\nb,\"0,002\",1\nc,\"0,001\",-1\nd,\"0,004\",\"0,5\"\n"
                 "e,bad,0\nf,\"0,0005\",2\n");
  const CliResult one = RunCli(CommaArgs({"--batch", "sets.csv", "--jobs", "1", "--out", "one"}));
  const CliResult two = RunCli(CommaArgs({"--batch", "sets.csv", "--jobs", "2", "--out", "two"}));
  EXPECT_EQ(one.exitCode, 1);
  EXPECT_EQ(two.exitCode, 1);
  const std::vector<std::string> oneLines = Lines(one.out);
  const std::vector<std::string> twoLines = Lines(two.out);
  ASSERT_EQ(oneLines.size(), 7u);
  ASSERT_EQ(twoLines.size(), 7u);
  for (std::size_t i = 0; i < oneLines.size(); ++i) EXPECT_EQ(WithoutSeconds(oneLines[i]), WithoutSeconds(twoLines[i]));
  for (const char* name : {"slow", "b", "c", "d", "e", "f"}) {
    const std::string path = std::string("/") + name + "/REZ.TXT";
    EXPECT_TRUE(ReadWholeFile("one" + path) == ReadWholeFile("two" + path)) << name;
  }
}

TEST_F(Batch, MissingColumnsTakeTheCommandLineThenTheDefaults) {
  WriteWholeFile("sets.csv", "name\nonly\n");
  const CliResult r = RunCli(CommaArgs({"--batch", "sets.csv", "--step", "0,002"}));
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const auto [file, resultLine] = SingleRun({"--step", "0,002"});
  EXPECT_TRUE(ReadWholeFile("only/REZ.TXT") == file);
}

TEST_F(Batch, SemicolonFilesForSpreadsheetsInACommaLocale) {
  WriteWholeFile("sets.csv", "name;step\nx;0,002\n");
  const CliResult r = RunCli(CommaArgs({"--batch", "sets.csv", "--csv-delimiter", ";"}));
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const std::vector<std::string> summary = Lines(r.out);
  ASSERT_EQ(summary.size(), 2u);
  EXPECT_EQ(summary[0], "name;outcome;text;rows;seconds");
  // No quotes needed around the decimal comma; the seconds take one too.
  EXPECT_TRUE(summary[1].starts_with("x;ok;Глобальная погрешность = 0,")) << summary[1];
  EXPECT_NE(summary[1].find(";251;0,"), std::string::npos) << summary[1];
}

TEST_F(Batch, TwoRowsForOneFolderRefuseTheSecond) {
  // Row 2 names itself "3", the folder row 3 would take by its number.
  WriteWholeFile("sets.csv", "name,step\na,\"0,002\"\n3,\"0,002\"\n,\"0,004\"\n../up,\"0,002\"\n");
  const CliResult r = RunCli(CommaArgs({"--batch", "sets.csv"}));
  EXPECT_EQ(r.exitCode, 1);
  const std::vector<std::string> summary = Lines(r.out);
  ASSERT_EQ(summary.size(), 5u) << r.out;
  EXPECT_TRUE(summary[2].starts_with("3,ok,")) << summary[2];
  EXPECT_EQ(WithoutSeconds(summary[3]), "3,error,каталог '3' уже занят строкой 3,0");
  EXPECT_EQ(WithoutSeconds(summary[4]), "../up,error,недопустимое имя каталога '../up',0");
  EXPECT_FALSE(std::filesystem::exists("../up"));
}

// A file that cannot be read as sets: exit 2, the file and line named, nothing run.
struct BadSetsCase {
  const char* name;
  const char* contents;
  const char* message;
};

void PrintTo(const BadSetsCase& c, std::ostream* os) { *os << c.name; }

class BadSets : public Batch, public ::testing::WithParamInterface<BadSetsCase> {};

TEST_P(BadSets, ExitTwoNamingTheLine) {
  WriteWholeFile("sets.csv", GetParam().contents);
  const CliResult r = RunCli(CommaArgs({"--batch", "sets.csv", "--out", "runs"}));
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, std::string("rcpulse-cli: sets.csv, ") + GetParam().message + "\n");
  EXPECT_FALSE(std::filesystem::exists("runs"));
}

INSTANTIATE_TEST_SUITE_P(
    Table, BadSets,
    ::testing::Values(
        BadSetsCase{"unknown_column", "t1,R,speed\n0,9000,1\n",
                    "строка 1: неизвестный столбец 'speed'; столбцы: name, t1, t4, step, t2, t3, voltage, r, c, u0"},
        BadSetsCase{"repeated_column", "r, R\n1,2\n", "строка 1: столбец 'r' повторяется"},
        BadSetsCase{"empty_file", "", "строка 1: нет строки заголовка"},
        // The blank line 3 is skipped but counted.
        BadSetsCase{"short_row", "t1,r\n0,9000\n\n0\n", "строка 4: значений: 1, а столбцов в заголовке: 2"},
        BadSetsCase{"stray_quote", "t1,r\n0,9000\n0,9\"000\n", "строка 3: кавычка не на месте"},
        BadSetsCase{"open_quote", "t1,r\n0,\"9000\n", "строка 2: кавычка не закрыта до конца файла"}),
    [](const ::testing::TestParamInfo<BadSetsCase>& info) { return std::string(info.param.name); });

TEST_F(Batch, AMissingSetsFileIsNamed) {
  const CliResult r = RunCli(CommaArgs({"--batch", "missing.csv"}));
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "rcpulse-cli: не удалось прочитать missing.csv: No such file or directory\n");
}

// Reading the file itself: what a spreadsheet may write.
TEST(BatchSets, LinesQuotesAndMarksAreReadAsWritten) {
  const std::vector<BatchSet> sets = ParseBatchSets(
      "\xEF\xBB\xBF Name ,T4,step\r\n"
      "\r\n"
      "\"first, with comma\",\"0,5\",\" 0,001\"\r\n"
      "\"two\nlines\",\"say \"\"hi\"\"\",\r\n",
      "sets.csv", ',');
  ASSERT_EQ(sets.size(), 2u);
  EXPECT_EQ(sets[0].line, 3u);
  EXPECT_EQ(sets[0].name, "first, with comma");
  EXPECT_EQ(sets[0].texts[static_cast<std::size_t>(Parameter::T4)], "0,5");
  EXPECT_EQ(sets[0].texts[static_cast<std::size_t>(Parameter::Step)], " 0,001");  // kept as typed
  EXPECT_FALSE(sets[0].texts[static_cast<std::size_t>(Parameter::T1)].has_value());
  EXPECT_EQ(sets[1].line, 4u);  // where the row begins, not where its quoted break ends it
  EXPECT_EQ(sets[1].name, "two\nlines");
  EXPECT_EQ(sets[1].texts[static_cast<std::size_t>(Parameter::T4)], "say \"hi\"");
  EXPECT_EQ(sets[1].texts[static_cast<std::size_t>(Parameter::Step)], "");  // an empty text, not a default
  EXPECT_THROW(ParseBatchSets("t1\n\"a\"b\n", "x.csv", ','), BatchFileError);
}

}  // namespace
