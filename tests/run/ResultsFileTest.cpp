#include <gtest/gtest.h>
#include <sys/file.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <dirent.h>
#include <signal.h>

#include <filesystem>
#include <fstream>
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

int OpenDescriptorCount();

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
  // Every block goes out the moment it is full, not a row later: after row n the file holds
  // the whole blocks of the 24 + 30 n bytes written so far.
  for (std::size_t n = 1; n <= sizes.size(); ++n) {
    EXPECT_EQ(sizes[n - 1], static_cast<long>((24 + 30 * n) / 128 * 128)) << "row " << n;
  }
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
        FailureCase{"step_zero", "Edit5", "0", "Шаг времени не увеличивает время.", 0, true}),
    [](const ::testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.name); });

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

TEST(ResultsFileError, MapsOperatingSystemErrorsToCodesAndMessages) {
  struct {
    int errorNumber, code;
    const char* message;
  } const cases[] = {
      {EACCES, 5, "File access denied"}, {EPERM, 5, "File access denied"},
      {EROFS, 5, "File access denied"},  {EISDIR, 5, "File access denied"},
      {ETXTBSY, 5, "File access denied"}, {ENOENT, 2, "File not found"},
      {ENOTDIR, 3, "Invalid filename"},  {ENAMETOOLONG, 3, "Invalid filename"},
      {ELOOP, 3, "Invalid filename"},    {EMFILE, 4, "Too many open files"},
      {ENFILE, 4, "Too many open files"}, {ENOSPC, 112, "I/O error 112"},
      {EDQUOT, 112, "I/O error 112"},
      // Unmapped numbers keep their number and always read "I/O error", also where the number
      // is one of the table's codes: EIO is 5 on Linux but no access denial.
      {EIO, EIO, "I/O error 5"}, {EINTR, EINTR, "I/O error 4"}, {ESRCH, ESRCH, "I/O error 3"},
      {ENETDOWN, ENETDOWN, "I/O error 100"}, {ENETUNREACH, ENETUNREACH, "I/O error 101"},
      {EISCONN, EISCONN, "I/O error 106"}, {EWOULDBLOCK, EWOULDBLOCK, "I/O error 11"},
      {EPIPE, EPIPE, "I/O error 32"}};
  for (const auto& c : cases) {
    EXPECT_EQ(ResultsFileErrorCode(c.errorNumber), c.code) << c.errorNumber;
    const EInOutError error = ResultsFileError(c.errorNumber);
    EXPECT_EQ(error.ErrorCode(), c.code) << c.errorNumber;
    EXPECT_EQ(error.Message(), c.message) << c.errorNumber;
  }
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
                     {"slash/", "slash/."},  // 2F, the first code that gets a period
                     {"line\n", "line\n"},
                     {"", ""},
                     {"Шаг времени не увеличивает время", "Шаг времени не увеличивает время."}};
  for (const auto& c : cases) EXPECT_EQ(ErrorBoxText(c.message), c.shown);
}

TEST(BoxTexts, ResultTextUsesTheGeneralFormat) {
  ScopedDecimalSeparator comma(',');
  EXPECT_EQ(ResultBoxText(0.0267125657585205), "Глобальная погрешность = 0,0267125657585205");
  EXPECT_EQ(ResultBoxText(0), "Глобальная погрешность = 0");
}

// The descriptors this process has open, to see that no refusal or failure leaks one.
int OpenDescriptorCount() {
  int count = 0;
  for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
    (void)entry;
    ++count;
  }
  return count;
}

TEST_F(ResultsFileRun, ExistingLongerFileIsReplacedCompletely) {
  WriteWholeFile(kResultsFileName, std::string(20000, '#'));
  ASSERT_EQ(Run(), "");
  const std::string contents = Contents();
  EXPECT_EQ(contents.size(), 15054u);
  EXPECT_EQ(contents.find('#'), std::string::npos);
}

// Refusals and failures give their text and leave no descriptor behind.
TEST_F(ResultsFileRun, RefusalsAndFailuresLeaveNoDescriptorOpen) {
  const int before = OpenDescriptorCount();
  std::filesystem::create_directory("sub");
  std::filesystem::current_path("sub");
  std::filesystem::create_directory(kResultsFileName);
  EXPECT_EQ(Run(), "File access denied.");
  std::filesystem::current_path("..");
  WriteWholeFile(kResultsFileName, "old");
  ::chmod(kResultsFileName, 0444);
  EXPECT_EQ(Run(), "File access denied.");
  ::chmod(kResultsFileName, 0644);
  fields.texts.find("Edit5")->second = "abc";
  EXPECT_EQ(Run(), "'abc' is not a valid floating point value.");
  EXPECT_EQ(OpenDescriptorCount(), before);
}

TEST_F(ResultsFileRun, SecondWriterInTheSameProgramIsRefusedToo) {
  ResultsFile first = CreateResultsFile();
  try {
    CreateResultsFile();
    FAIL() << "second writer accepted";
  } catch (const EInOutError& error) {
    EXPECT_EQ(error.ErrorCode(), 32);
    EXPECT_EQ(error.Message(), "I/O error 32");
  }
  CloseResultsFile(first);
  ResultsFile again = CreateResultsFile();
  CloseResultsFile(again);
}

// The descriptor must not outlive the file in a program started meanwhile (it would keep the
// lock), and writing must block normally again once the file is open.
TEST_F(ResultsFileRun, DescriptorIsClosedOnExecAndBlocking) {
  const int before = OpenDescriptorCount();
  ResultsFile file = CreateResultsFile();
  const std::filesystem::path target = std::filesystem::current_path() / kResultsFileName;
  bool found = false;
  for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
    std::error_code ignored;
    if (std::filesystem::read_symlink(entry.path(), ignored) != target) continue;
    std::ifstream info("/proc/self/fdinfo/" + entry.path().filename().string());
    std::string key;
    std::string flags;
    while (info >> key >> flags && key != "flags:") {
    }
    const unsigned long octalFlags = std::stoul(flags, nullptr, 8);
    EXPECT_NE(octalFlags & O_CLOEXEC, 0u);
    EXPECT_EQ(octalFlags & O_NONBLOCK, 0u);
    EXPECT_EQ(octalFlags & O_ACCMODE, static_cast<unsigned long>(O_WRONLY));
    found = true;
  }
  EXPECT_TRUE(found);
  CloseResultsFile(file);
  EXPECT_EQ(OpenDescriptorCount(), before);
}

// A file the run creates itself is written whatever the umask makes of its permissions; only
// a file that was read-only before counts as read-only.
TEST_F(ResultsFileRun, FileCreatedUnderARestrictiveUmaskIsWritten) {
  const mode_t previous = ::umask(0222);
  const std::string message = Run();
  ::umask(previous);
  EXPECT_EQ(message, "");
  EXPECT_EQ(Contents().size(), 15054u);
  // The next run finds it read-only, as any read-only file.
  EXPECT_EQ(Run(), "File access denied.");
  EXPECT_EQ(Contents().size(), 15054u);
}

// The last, partly filled block is written at closing: when that fails the run reports it
// instead of the result.
TEST_F(ResultsFileRun, FailedWriteAtClosingIsReported) {
  std::filesystem::create_symlink("/dev/full", kResultsFileName);
  fields.texts.find("Edit2")->second = "0";  // two rows, 84 bytes: nothing written before closing
  EXPECT_EQ(Run(), "I/O error 112.");
  EXPECT_EQ(rowsWritten.size(), 2u);
  EXPECT_EQ(closes, 1);
  EXPECT_TRUE(resultBox.shown.empty());
}

// Devices are neither emptied nor locked: a run writes to /dev/null even while another
// program holds a lock on it.
TEST_F(ResultsFileRun, DeviceIsWrittenWithoutLocking) {
  const int other = ::open("/dev/null", O_WRONLY);
  ASSERT_EQ(::flock(other, LOCK_EX | LOCK_NB), 0);
  std::filesystem::create_symlink("/dev/null", kResultsFileName);
  EXPECT_EQ(Run(), "");
  EXPECT_EQ(rowsWritten.size(), 501u);
  ::close(other);
}

// A pipe nobody reads would block the run for ever; it is refused at once.
TEST_F(ResultsFileRun, PipeWithoutAReaderIsRefusedAtOnce) {
  ASSERT_EQ(::mkfifo(kResultsFileName, 0666), 0);
  ::alarm(20);  // a run that waits for a reader ends the test instead of hanging it
  EXPECT_EQ(Run(), "I/O error " + std::to_string(ENXIO) + ".");
  ::alarm(0);
  EXPECT_EQ(closes, 0);
}

// A pipe whose reader goes away during the run: the lost block is an I/O error like any
// other (EPIPE), raised at the end of its row, not a signal that ends the program.
TEST_F(ResultsFileRun, PipeWhoseReaderLeavesFailsTheRowInsteadOfTheProgram) {
  ASSERT_EQ(::mkfifo(kResultsFileName, 0666), 0);
  int reader = ::open(kResultsFileName, O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  struct LeavingReader : ResultsOutput {
    ResultsFileOutput file;
    int& reader;
    explicit LeavingReader(int& r) : reader(r) {}
    void CreateResultsFile() override {
      file.CreateResultsFile();
      ::close(std::exchange(reader, -1));
    }
    void WriteResultsHeader() override { file.WriteResultsHeader(); }
    void WriteResultRow(const ResultRow& row) override { file.WriteResultRow(row); }
    void CloseResultsFile() override { file.CloseResultsFile(); }
  } output(reader);
  FieldParameters parameters(fields);
  try {
    CalculationRun({parameters, output, chart, resultBox});
    FAIL() << "the run succeeded";
  } catch (const EInOutError& error) {
    EXPECT_EQ(error.ErrorCode(), EPIPE);
    EXPECT_EQ(ErrorBoxText(error.Message()), "I/O error 32.");
  }
  // The first block goes out during the fourth row.
  EXPECT_EQ(chart.series[0].points.size(), 3u);
  sigset_t pending;
  sigpending(&pending);
  EXPECT_FALSE(sigismember(&pending, SIGPIPE));
}

}  // namespace
