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

#include "output/ChartOutput.h"
#include "output/ResultsFile.h"
#include "output/ResultsFileOutput.h"
#include "run/BoxTexts.h"
#include "run/CalculationRun.h"
#include "run/ParameterTexts.h"
#include "tests/support/FileContents.h"
#include "tests/support/RecordingObservers.h"
#include "tests/support/ScopedDecimalSeparator.h"
#include "tests/support/TemporaryDirectory.h"

namespace {

int OpenDescriptorCount();

using enum Parameter;

struct DefaultTexts : ParameterTexts {
  std::map<Parameter, std::string> texts;
  DefaultTexts() {
    for (const ParameterInfo& entry : kParameterTable) texts.emplace(entry.parameter, entry.defaultText);
  }
  std::string Text(Parameter parameter) const override { return texts.at(parameter); }
};

// Every row the results file took, and how often the run was released or finished.
struct RowsAfterTheFile : RunObserver {
  std::vector<ResultRow> rows;
  std::function<void(const ResultRow&)> onRow;
  int ends = 0;
  void RowsEmitted(std::span<const ResultRow> emitted) override {
    for (const ResultRow& row : emitted) {
      rows.push_back(row);
      if (onRow) onRow(row);
    }
  }
  void RunFinished(double) override { ++ends; }
  void RunAbandoned() noexcept override { ++ends; }
};

// A run of the nine parameter texts into REZ.TXT in a fresh folder, under a comma locale.
class ResultsFileRun : public ::testing::Test {
 protected:
  ScopedDecimalSeparator comma_{','};
  TemporaryDirectory directory_;
  DefaultTexts fields;
  RecordingChart chart;
  ChartOutput chartOutput{chart};
  RecordingResultBox resultBox;
  RowsAfterTheFile after;

  // Runs into the folder and returns the error box text, or "" when the run succeeded.
  std::string Run(const std::filesystem::path& folder) {
    TypedParameters parameters(fields);
    ResultsFileOutput file(folder);
    try {
      CalculationRun(parameters, {&file, &after, &chartOutput, &resultBox});
    } catch (const Exception& error) {
      return ErrorBoxText(error.Message());
    }
    return "";
  }
  std::string Run() { return Run(directory_.Path()); }

  std::string FileName() const { return (directory_ / kResultsFileName).string(); }
  const char* Name() {
    name_ = FileName();
    return name_.c_str();
  }
  std::string Contents() const { return ReadWholeFile(FileName()); }

 private:
  std::string name_;
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
}

// A reader during the run finds whole blocks, a prefix of the final file, growing as the run
// goes on; every row the outputs after the file have heard of is in it.
TEST_F(ResultsFileRun, ReaderDuringTheRunSeesOnlyWholeBlocksOfTheFinalFile) {
  fields.texts.at(Step) = "0,0001";  // 5002 rows, 150 KB
  std::vector<std::string> seen;
  after.onRow = [&](const ResultRow&) {
    const std::string contents = Contents();
    if (seen.empty() || contents.size() != seen.back().size()) seen.push_back(contents);
    const std::size_t rowsHeard = after.rows.size();
    EXPECT_EQ(contents.size() % 128, 0u);
    ASSERT_GE(contents.size(), (24 + 30 * rowsHeard) / 128 * 128) << "row " << rowsHeard;
  };
  ASSERT_EQ(Run(), "");
  const std::string final = Contents();
  ASSERT_EQ(final.size(), 24u + 5002u * 30u);
  ASSERT_GE(seen.size(), 3u);  // it grew during the run, not only at the end
  for (const std::string& contents : seen) EXPECT_TRUE(final.starts_with(contents)) << contents.size();
}

// Failures met while reading or computing: the error box text and what the file holds.
struct FailureCase {
  const char* name;
  Parameter field;
  const char* text;
  const char* message;
  std::size_t rowsInFile;  // rows written before the failure (the header comes with any row)
  bool fileEmpty;
};

void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }

class RunFailures : public ResultsFileRun, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(RunFailures, ShowTheMessageAndLeaveTheFileAsWritten) {
  const FailureCase& c = GetParam();
  WriteWholeFile(FileName(), std::string(40000, 'x'));  // replaced whatever happens
  fields.texts.at(c.field) = c.text;
  EXPECT_EQ(Run(), c.message);
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
        FailureCase{"step_abc", Step, "abc", "'abc' is not a valid floating point value.", 0, true},
        FailureCase{"t4_empty", T4, "", "'' is not a valid floating point value.", 0, true},
        FailureCase{"r_1e400", R, "1e400", "Floating point overflow.", 0, true},
        FailureCase{"point_under_comma", T4, "0.5", "'0.5' is not a valid floating point value.", 0, true},
        FailureCase{"r_zero", R, "0", "Floating point division by zero.", 1, false},
        FailureCase{"c_5e_9", C, "5e-9", "Floating point overflow.", 8, false},
        FailureCase{"step_zero", Step, "0", "Шаг времени не увеличивает время.", 0, true}),
    [](const ::testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.name); });

TEST_F(ResultsFileRun, OnlyTheFirstBadTextIsReported) {
  fields.texts.at(T4) = "x2";
  fields.texts.at(C) = "x13";
  EXPECT_EQ(Run(), "'x2' is not a valid floating point value.");
}

TEST_F(ResultsFileRun, BlanksAroundANumberAreAccepted) {
  fields.texts.at(T4) = " 0,5 ";
  EXPECT_EQ(Run(), "");
  EXPECT_EQ(Contents().size(), 15054u);
}

// Creations the file system refuses: the old file stays byte for byte, the chart empty.
TEST_F(ResultsFileRun, ReadOnlyFileIsRefusedEvenForRoot) {
  WriteWholeFile(FileName(), "old content");
  ::chmod(Name(), 0444);
  EXPECT_EQ(Run(), "File access denied.");
  EXPECT_EQ(Contents(), "old content");
  EXPECT_TRUE(chart.series[0].points.empty());
  // With the attribute removed the next run succeeds.
  ::chmod(Name(), 0644);
  EXPECT_EQ(Run(), "");
  EXPECT_EQ(Contents().size(), 15054u);
}

TEST_F(ResultsFileRun, DirectoryNamedLikeTheFileIsRefused) {
  std::filesystem::create_directory(FileName());
  EXPECT_EQ(Run(), "File access denied.");
}

TEST_F(ResultsFileRun, SecondWriterIsRefusedAndTheFileKept) {
  WriteWholeFile(FileName(), "held by another");
  const int other = ::open(Name(), O_WRONLY);
  ASSERT_EQ(::flock(other, LOCK_EX | LOCK_NB), 0);
  EXPECT_EQ(Run(), "I/O error 32.");
  EXPECT_EQ(Contents(), "held by another");
  ::close(other);
  EXPECT_EQ(Run(), "");
}

TEST_F(ResultsFileRun, LockIsReleasedAfterEveryRun) {
  ASSERT_EQ(Run(), "");
  fields.texts.at(R) = "0";
  ASSERT_EQ(Run(), "Floating point division by zero.");
  const int other = ::open(Name(), O_WRONLY);
  EXPECT_EQ(::flock(other, LOCK_EX | LOCK_NB), 0);
  ::close(other);
}

TEST_F(ResultsFileRun, FullDeviceFailsAtTheEndOfTheRowWhoseBlockWasLost) {
  std::filesystem::create_symlink("/dev/full", FileName());
  EXPECT_EQ(Run(), "I/O error 112.");
  // The first block is written during the fourth row; that row is raised before its points.
  EXPECT_EQ(after.rows.size(), 3u);
  EXPECT_EQ(chart.series[0].points.size(), 3u);
  EXPECT_EQ(after.ends, 1);
}

TEST_F(ResultsFileRun, FieldsWidenAndKeepTheSignOfZero) {
  fields.texts.at(T1) = "-0";
  fields.texts.at(Amplitude) = "150";
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
  WriteWholeFile(FileName(), std::string(20000, '#'));
  ASSERT_EQ(Run(), "");
  const std::string contents = Contents();
  EXPECT_EQ(contents.size(), 15054u);
  EXPECT_EQ(contents.find('#'), std::string::npos);
}

// Refusals and failures give their text and leave no descriptor behind.
TEST_F(ResultsFileRun, RefusalsAndFailuresLeaveNoDescriptorOpen) {
  const int before = OpenDescriptorCount();
  const std::filesystem::path sub = directory_ / "sub";
  std::filesystem::create_directories(sub / kResultsFileName);
  EXPECT_EQ(Run(sub), "File access denied.");
  EXPECT_EQ(Run(directory_ / "missing"), "File not found.");
  WriteWholeFile(FileName(), "old");
  ::chmod(Name(), 0444);
  EXPECT_EQ(Run(), "File access denied.");
  ::chmod(Name(), 0644);
  fields.texts.at(Step) = "abc";
  EXPECT_EQ(Run(), "'abc' is not a valid floating point value.");
  EXPECT_EQ(OpenDescriptorCount(), before);
}

TEST_F(ResultsFileRun, SecondWriterInTheSameProgramIsRefusedToo) {
  ResultsFile first = CreateResultsFile(directory_.Path());
  try {
    CreateResultsFile(directory_.Path());
    FAIL() << "second writer accepted";
  } catch (const EInOutError& error) {
    EXPECT_EQ(error.ErrorCode(), 32);
    EXPECT_EQ(error.Message(), "I/O error 32");
  }
  CloseResultsFile(first);
  ResultsFile again = CreateResultsFile(directory_.Path());
  CloseResultsFile(again);
}

// The descriptor must not outlive the file in a program started meanwhile (it would keep the
// lock), and writing must block normally again once the file is open.
TEST_F(ResultsFileRun, DescriptorIsClosedOnExecAndBlocking) {
  const int before = OpenDescriptorCount();
  ResultsFile file = CreateResultsFile(directory_.Path());
  const std::filesystem::path target = directory_ / kResultsFileName;
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
  std::filesystem::create_symlink("/dev/full", FileName());
  fields.texts.at(T4) = "0";  // two rows, 84 bytes: nothing written before closing
  EXPECT_EQ(Run(), "I/O error 112.");
  EXPECT_EQ(after.rows.size(), 2u);
  EXPECT_TRUE(resultBox.shown.empty());
}

// Devices are neither emptied nor locked: a run writes to /dev/null even while another
// program holds a lock on it.
TEST_F(ResultsFileRun, DeviceIsWrittenWithoutLocking) {
  const int other = ::open("/dev/null", O_WRONLY);
  ASSERT_EQ(::flock(other, LOCK_EX | LOCK_NB), 0);
  std::filesystem::create_symlink("/dev/null", FileName());
  EXPECT_EQ(Run(), "");
  EXPECT_EQ(after.rows.size(), 501u);
  ::close(other);
}

// A pipe nobody reads would block the run for ever; it is refused at once.
TEST_F(ResultsFileRun, PipeWithoutAReaderIsRefusedAtOnce) {
  ASSERT_EQ(::mkfifo(Name(), 0666), 0);
  ::alarm(20);  // a run that waits for a reader ends the test instead of hanging it
  EXPECT_EQ(Run(), "I/O error " + std::to_string(ENXIO) + ".");
  ::alarm(0);
  EXPECT_TRUE(after.rows.empty());
}

// A pipe whose reader goes away during the run: the lost block is an I/O error like any
// other (EPIPE), raised at the end of its row, not a signal that ends the program.
TEST_F(ResultsFileRun, PipeWhoseReaderLeavesFailsTheRowInsteadOfTheProgram) {
  ASSERT_EQ(::mkfifo(Name(), 0666), 0);
  int reader = ::open(Name(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  // The reader goes away as soon as the file is open.
  struct LeavingReader : RunObserver {
    int& reader;
    explicit LeavingReader(int& r) : reader(r) {}
    void OutputsOpening() override { ::close(std::exchange(reader, -1)); }
  } leaving(reader);
  TypedParameters parameters(fields);
  ResultsFileOutput file(directory_.Path());
  try {
    CalculationRun(parameters, {&file, &leaving, &chartOutput, &resultBox});
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
