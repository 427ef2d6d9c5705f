#include <gtest/gtest.h>
#include <sys/file.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "RecordingConnections.h"
#include "ScopedDecimalSeparator.h"
#include "TemporaryDirectory.h"
#include "run/BoxTexts.h"
#include "run/CalculationRun.h"
#include "run/FieldParameters.h"
#include "run/ObservedConnections.h"
#include "run/ResultsFile.h"

namespace {

struct TextFields : ParameterFields {
  std::map<std::string, std::string, std::less<>> texts;
  TextFields() {
    for (const FieldDefault& field : kParameterFieldDefaults) texts.emplace(field.fieldName, field.defaultText);
  }
  std::string FieldText(std::string_view name) const override { return texts.find(name)->second; }
};

// A run of the nine field texts into REZ.TXT in a fresh directory, under a comma locale.
class ResultsFileRun : public ::testing::Test {
 protected:
  ScopedDecimalSeparator comma_{','};
  TemporaryDirectory directory_;
  TextFields fields;
  RecordingChart chart;
  RecordingResultBox resultBox;
  std::vector<ResultRow> rowsWritten;
  int closes = 0;

  // Runs and returns the error box text, or "" when the run succeeded.
  std::string Run() {
    FieldParameters parameters(fields);
    ResultsFileOutput file;
    struct CountingClose : RowObservingOutput {
      int& closes;
      CountingClose(ResultsOutput& out, std::function<void(const ResultRow&)> f, int& c)
          : RowObservingOutput(out, std::move(f)), closes(c) {}
      void CloseResultsFile() override {
        ++closes;
        RowObservingOutput::CloseResultsFile();
      }
    } observed(file, [this](const ResultRow& row) { rowsWritten.push_back(row); }, closes);
    try {
      CalculationRun({parameters, observed, chart, resultBox});
    } catch (const Exception& error) {
      return ErrorBoxText(error.Message());
    }
    return "";
  }

  std::string Contents() const { return ReadWholeFile(kResultsFileName); }
};

const std::string kHeaderLines =
    "\xD0\xC5\xC7\xD3\xCB\xDC\xD2\xC0\xD2\xDB\x20\xD0\xC0\xD1\xD1\xD7\xC5\xD2\xCE\xC2\r\n\r\n";
const std::string kFirstRow = " 0.00000   0.00000   0.00000\r\n";

TEST_F(ResultsFileRun, DefaultRunWritesTheWorkedExampleByteForByte) {
  ASSERT_EQ(Run(), "");
  const std::string contents = Contents();
  EXPECT_EQ(contents.size(), 15054u);
  EXPECT_EQ(std::count(contents.begin(), contents.end(), '\n'), 503);
  EXPECT_EQ(contents.substr(0, 24 + 90),
            kHeaderLines + kFirstRow + " 0.00100   0.00033   0.03000\r\n" +
                " 0.00200   0.00131   0.06000\r\n");
  EXPECT_EQ(contents.substr(contents.size() - 30), " 0.50000   1.20354   0.00000\r\n");
  EXPECT_EQ(contents.find("\xEF\xBB\xBF"), std::string::npos);
  EXPECT_EQ(resultBox.shown.size(), 1u);
  EXPECT_EQ(closes, 1);
}

TEST_F(ResultsFileRun, ReaderDuringTheRunSeesOnlyWholeBlocks) {
  std::vector<long> sizes;
  FieldParameters parameters(fields);
  ResultsFileOutput file;
  RowObservingOutput observed(file, [&](const ResultRow&) {
    struct stat status {};
    ::stat(kResultsFileName, &status);
    sizes.push_back(static_cast<long>(status.st_size));
  });
  CalculationRun({parameters, observed, chart, resultBox});
  ASSERT_EQ(sizes.size(), 501u);
  // The first block goes out during the fourth row: 24 + 3*30 + 14 bytes.
  EXPECT_EQ(sizes[2], 0);
  EXPECT_EQ(sizes[3], 128);
  for (long size : sizes) EXPECT_EQ(size % 128, 0) << size;
  EXPECT_EQ(Contents().size(), 15054u);
}

// Failures met while reading or computing: the error box text and what the file holds.
struct FailureCase {
  const char* name;
  const char* field;
  const char* text;
  const char* message;
  std::size_t rowsInFile;  // rows written before the failure (the header comes with any row)
  bool fileEmpty;
};

void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }

class RunFailures : public ResultsFileRun, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(RunFailures, ShowTheMessageAndLeaveTheFileAsWritten) {
  const FailureCase& c = GetParam();
  WriteWholeFile(kResultsFileName, std::string(40000, 'x'));  // replaced whatever happens
  fields.texts.find(c.field)->second = c.text;
  EXPECT_EQ(Run(), c.message);
  EXPECT_EQ(closes, 1);
  EXPECT_TRUE(resultBox.shown.empty());
  const std::string contents = Contents();
  if (c.fileEmpty) {
    EXPECT_EQ(contents, "");
    EXPECT_TRUE(chart.series[0].points.empty());
  } else {
    // Diverging values take the 10-character exponent form, so count lines, not bytes.
    EXPECT_EQ(std::count(contents.begin(), contents.end(), '\n'), static_cast<long>(2 + c.rowsInFile));
    EXPECT_TRUE(contents.ends_with("\r\n"));
    EXPECT_EQ(contents.substr(0, 24), kHeaderLines);
    EXPECT_EQ(chart.series[0].points.size(), c.rowsInFile);
    EXPECT_EQ(chart.series[1].points.size(), c.rowsInFile);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Table, RunFailures,
    ::testing::Values(
        FailureCase{"step_abc", "Edit5", "abc", "'abc' is not a valid floating point value.", 0, true},
        FailureCase{"t4_empty", "Edit2", "", "'' is not a valid floating point value.", 0, true},
        FailureCase{"r_1e400", "Edit7", "1e400", "Floating point overflow.", 0, true},
        FailureCase{"point_under_comma", "Edit2", "0.5", "'0.5' is not a valid floating point value.", 0, true},
        FailureCase{"r_zero", "Edit7", "0", "Floating point division by zero.", 1, false},
        FailureCase{"c_5e_9", "Edit13", "5e-9", "Floating point overflow.", 8, false},
        FailureCase{"step_zero", "Edit5", "0", "Шаг времени не увеличивает время.", 0, true}));

TEST_F(ResultsFileRun, OnlyTheFirstBadTextIsReported) {
  fields.texts.find("Edit2")->second = "x2";
  fields.texts.find("Edit13")->second = "x13";
  EXPECT_EQ(Run(), "'x2' is not a valid floating point value.");
}

TEST_F(ResultsFileRun, BlanksAroundANumberAreAccepted) {
  fields.texts.find("Edit2")->second = " 0,5 ";
  EXPECT_EQ(Run(), "");
  EXPECT_EQ(Contents().size(), 15054u);
}

// Creations the file system refuses: the old file stays byte for byte, the chart empty.
TEST_F(ResultsFileRun, ReadOnlyFileIsRefusedEvenForRoot) {
  WriteWholeFile(kResultsFileName, "old content");
  ::chmod(kResultsFileName, 0444);
  EXPECT_EQ(Run(), "File access denied.");
  EXPECT_EQ(Contents(), "old content");
  EXPECT_EQ(closes, 0);
  EXPECT_TRUE(chart.series[0].points.empty());
  // With the attribute removed the next run succeeds.
  ::chmod(kResultsFileName, 0644);
  EXPECT_EQ(Run(), "");
  EXPECT_EQ(Contents().size(), 15054u);
}

TEST_F(ResultsFileRun, DirectoryNamedLikeTheFileIsRefused) {
  std::filesystem::create_directory(kResultsFileName);
  EXPECT_EQ(Run(), "File access denied.");
}

TEST_F(ResultsFileRun, SecondWriterIsRefusedAndTheFileKept) {
  WriteWholeFile(kResultsFileName, "held by another");
  const int other = ::open(kResultsFileName, O_WRONLY);
  ASSERT_EQ(::flock(other, LOCK_EX | LOCK_NB), 0);
  EXPECT_EQ(Run(), "I/O error 32.");
  EXPECT_EQ(Contents(), "held by another");
  ::close(other);
  EXPECT_EQ(Run(), "");
}

TEST_F(ResultsFileRun, LockIsReleasedAfterEveryRun) {
  ASSERT_EQ(Run(), "");
  fields.texts.find("Edit7")->second = "0";
  ASSERT_EQ(Run(), "Floating point division by zero.");
  const int other = ::open(kResultsFileName, O_WRONLY);
  EXPECT_EQ(::flock(other, LOCK_EX | LOCK_NB), 0);
  ::close(other);
}

TEST_F(ResultsFileRun, FullDeviceFailsAtTheEndOfTheRowWhoseBlockWasLost) {
  std::filesystem::create_symlink("/dev/full", kResultsFileName);
  EXPECT_EQ(Run(), "I/O error 112.");
  // The first block is written during the fourth row; that row is raised before its points.
  EXPECT_EQ(rowsWritten.size(), 3u);
  EXPECT_EQ(chart.series[0].points.size(), 3u);
  EXPECT_EQ(closes, 1);
}

TEST_F(ResultsFileRun, FieldsWidenAndKeepTheSignOfZero) {
  fields.texts.find("Edit1")->second = "-0";
  fields.texts.find("Edit6")->second = "150";
  ASSERT_EQ(Run(), "");
  const std::string contents = Contents();
  EXPECT_EQ(contents.substr(24, 30), "-0.00000   0.00000   0.00000\r\n");
  EXPECT_NE(contents.find("  150.00000\r\n"), std::string::npos);
}

TEST(ResultsFileErrorCode, MapsOperatingSystemErrors) {
  struct {
    int errorNumber, code;
  } const cases[] = {{EACCES, 5}, {EPERM, 5}, {EROFS, 5}, {EISDIR, 5}, {ETXTBSY, 5},
                     {ENOENT, 2}, {ENOTDIR, 3}, {ENAMETOOLONG, 3}, {ELOOP, 3}, {EMFILE, 4},
                     {ENFILE, 4}, {ENOSPC, 112}, {EDQUOT, 112}, {EWOULDBLOCK, 32}, {EIO, EIO}};
  for (const auto& c : cases) EXPECT_EQ(ResultsFileErrorCode(c.errorNumber), c.code) << c.errorNumber;
}

TEST(BoxTexts, PeriodRule) {
  struct {
    const char* message;
    const char* shown;
  } const cases[] = {{"Floating point overflow", "Floating point overflow."},
                     {"I/O error 32", "I/O error 32."},
                     {"ends with colon:", "ends with colon:."},
                     {"already.", "already."},
                     {"blank ", "blank "},
                     {"dash-", "dash-"},
                     {"bang!", "bang!"},
                     {"", ""},
                     {"Шаг времени не увеличивает время", "Шаг времени не увеличивает время."}};
  for (const auto& c : cases) EXPECT_EQ(ErrorBoxText(c.message), c.shown);
}

TEST(BoxTexts, ResultTextUsesTheGeneralFormat) {
  ScopedDecimalSeparator comma(',');
  EXPECT_EQ(ResultBoxText(0.0267125657585205), "Глобальная погрешность = 0,0267125657585205");
  EXPECT_EQ(ResultBoxText(0), "Глобальная погрешность = 0");
}

}  // namespace
