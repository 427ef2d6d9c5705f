#include <gtest/gtest.h>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <set>
#include <sstream>
#include <thread>
#include <chrono>

#include "CliProcess.h"
#include "tests/support/DefaultParameters.h"
#include "tests/support/DefaultRunReference.h"
#include "cli/CliOptions.h"
#include "tests/support/ScopedDecimalSeparator.h"
#include "output/RowDump.h"

namespace {

const std::string kResultLine = DefaultResultLine();

class Cli : public ::testing::Test {
 protected:
  TemporaryDirectory directory_;
  CurrentDirectoryScope inside_{directory_.Path()};  // the runner writes into its current folder
};

TEST_F(Cli, DefaultRunWritesTheFileAndPrintsTheResultLine) {
  const CliResult r = RunCli({"--decimal-separator", ","});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out, kResultLine);
  EXPECT_EQ(r.err, "");
  const std::string contents = ReadWholeFile("REZ.TXT");
  EXPECT_EQ(contents.size(), 15054u);
  EXPECT_EQ(contents.substr(24, 30), " 0.00000   0.00000   0.00000\r\n");
  EXPECT_EQ(contents.substr(contents.size() - 30), " 0.50000   1.20354   0.00000\r\n");
}

TEST_F(Cli, SeparatorFollowsTheLocaleUnlessGiven) {
  // Under a point locale the defaults take the point too; a comma typed there fails.
  const CliResult point = RunCli({}, {{"LC_ALL", "C"}, {"LANG", "C"}});
  EXPECT_EQ(point.exitCode, 0) << point.err;
  EXPECT_EQ(point.out, "Глобальная погрешность = 0.0267125657585205\n");
  const std::string pointFile = ReadWholeFile("REZ.TXT");
  const CliResult typedComma = RunCli({"--t4", "0,5"}, {{"LC_ALL", "C"}, {"LANG", "C"}});
  EXPECT_EQ(typedComma.err, "'0,5' is not a valid floating point value.\n");
  const CliResult comma = RunCli({}, {{"LC_ALL", "ru_RU.UTF-8"}});
  EXPECT_EQ(comma.exitCode, 0);
  EXPECT_EQ(comma.out, kResultLine);
  EXPECT_TRUE(ReadWholeFile("REZ.TXT") == pointFile);
  const CliResult typedWithPoints =
      RunCli({"--t4", "0.5", "--step", "0.001", "--t2", "0.1", "--t3", "0.4"},
             {{"LC_ALL", "C"}, {"LANG", "C"}});
  // The default run's global error (see DefaultParameters.h) written with a point.
  EXPECT_EQ(typedWithPoints.out, "Глобальная погрешность = 0.0267125657585205\n");
}

struct FailureCase {
  const char* name;
  std::vector<std::string> arguments;
  const char* message;
};

void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }

class CliFailures : public Cli, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(CliFailures, PrintOnlyTheErrorTextAndExitWithOne) {
  std::vector<std::string> arguments{"--decimal-separator", ","};
  arguments.insert(arguments.end(), GetParam().arguments.begin(), GetParam().arguments.end());
  const CliResult r = RunCli(arguments);
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err, std::string(GetParam().message) + "\n");
  EXPECT_EQ(r.out, "");
}

INSTANTIATE_TEST_SUITE_P(
    Table, CliFailures,
    ::testing::Values(
        FailureCase{"step_abc", {"--step", "abc"}, "'abc' is not a valid floating point value."},
        FailureCase{"t4_empty", {"--t4", ""}, "'' is not a valid floating point value."},
        FailureCase{"r_1e400", {"--r", "1e400"}, "Floating point overflow."},
        FailureCase{"r_zero", {"--r", "0"}, "Floating point division by zero."},
        FailureCase{"c_5e_9", {"--c", "5e-9"}, "Floating point overflow."},
        FailureCase{"step_zero", {"--step", "0"}, "Шаг времени не увеличивает время."},
        FailureCase{"too_many_rows", {"--max-rows", "100"},
                    "Слишком много строк: 501, допустимо не более 100."}),
    [](const ::testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.name); });

TEST_F(Cli, FileSystemRefusalsKeepTheOldFile) {
  WriteWholeFile("REZ.TXT", "old");
  ::chmod("REZ.TXT", 0444);
  const CliResult readOnly = RunCli({"--decimal-separator", ","});
  EXPECT_EQ(readOnly.err, "File access denied.\n");
  EXPECT_EQ(ReadWholeFile("REZ.TXT"), "old");
  std::filesystem::remove("REZ.TXT");
  std::filesystem::create_symlink("/dev/full", "REZ.TXT");
  const CliResult full = RunCli({"--decimal-separator", ","});
  EXPECT_EQ(full.exitCode, 1);
  EXPECT_EQ(full.err, "I/O error 112.\n");
}

TEST_F(Cli, BadCommandLinesExitWithTwo) {
  for (const std::vector<std::string>& arguments :
       {std::vector<std::string>{"--bogus"}, {"--step"}, {"--max-rows", "x"},
        {"--decimal-separator", ",,"}}) {
    const CliResult r = RunCli(arguments);
    EXPECT_EQ(r.exitCode, 2) << arguments[0];
    // One line naming the problem, then where to read more; not the whole usage text.
    EXPECT_TRUE(r.err.starts_with("rcpulse-cli: ")) << r.err;
    EXPECT_TRUE(r.err.ends_with("\nПодробнее: rcpulse-cli --help\n")) << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 2) << r.err;
    EXPECT_FALSE(std::filesystem::exists("REZ.TXT"));
  }
  const CliResult help = RunCli({"--help"});
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_NE(help.out.find("--decimal-separator"), std::string::npos);
}

TEST(CliOptions, ParameterTextsAreTakenExactlyAsTyped) {
  const char* argv[] = {"rcpulse-cli", "--t1", " -0 ", "--c=", "--u0", "-1", "--max-rows=7"};
  const CliOptions options = ParseCliOptions(7, argv);
  const OptionTexts texts(options);
  EXPECT_EQ(texts.Text(Parameter::T1), " -0 ");
  EXPECT_EQ(texts.Text(Parameter::C), "");
  EXPECT_EQ(texts.Text(Parameter::U0), "-1");
  // Not given: the default text with the decimal separator in force.
  const ScopedDecimalSeparator point('.');
  EXPECT_EQ(texts.Text(Parameter::T4), "0.5");
  EXPECT_EQ(texts.Text(Parameter::C), "");
  EXPECT_EQ(options.maxRows, 7u);
}

// The dump of the default run, this program's output kept so that no change moves a bit. Its rows agree with the
// reference table of the default run to five decimals.
TEST_F(Cli, DumpOfTheDefaultRunMatchesTheGoldenDump) {
  const CliResult r = RunCli({"--decimal-separator", ",", "--dump", "run.dump"});
  ASSERT_EQ(r.exitCode, 0);
  const std::string dump = ReadWholeFile("run.dump");
  const std::string golden = ReadWholeFile(std::string(RCPULSE_CLI_TEST_DATA) + "/default-run.dump");
  ASSERT_FALSE(golden.empty());
  EXPECT_EQ(dump, golden);

  std::vector<ResultRow> rows;
  std::istringstream lines(golden);
  std::string line;
  while (std::getline(lines, line)) {
    unsigned long long number, t, u, e;
    ASSERT_EQ(std::sscanf(line.c_str(), "%llu %llx %llx %llx", &number, &t, &u, &e), 4);
    ASSERT_EQ(number, rows.size() + 1);
    rows.push_back({std::bit_cast<double>(std::uint64_t{t}), std::bit_cast<double>(std::uint64_t{u}),
                    std::bit_cast<double>(std::uint64_t{e})});
  }
  ASSERT_EQ(rows.size(), 501u);
  // Row 2: the doubles 0.001 and 0.03 and the start step's value (see the integration steps'
  // test), each as its IEEE-754 bits.
  EXPECT_EQ(RowDumpLine(2, rows[1]), "2 3F50624DD2F1A9FC 3F35AF35D2DD2E78 3F9EB851EB851EB8");
  ExpectDefaultRunReferenceRows(rows);
}

TEST_F(Cli, DumpKeepsTheRowsOfARunThatFailsLater) {
  const CliResult r = RunCli({"--decimal-separator", ",", "--c", "5e-9", "--dump", "run.dump"});
  EXPECT_EQ(r.exitCode, 1);
  const std::string dump = ReadWholeFile("run.dump");
  EXPECT_EQ(std::count(dump.begin(), dump.end(), '\n'), 8);
}

// Refusals of the file system: the error text alone, exit 1, the old file byte for byte.
struct RefusalCase {
  const char* name;
  std::function<void()> prepare;  // leaves REZ.TXT as the refusal needs it
  const char* message;
};

void PrintTo(const RefusalCase& c, std::ostream* os) { *os << c.name; }

class CliRefusals : public Cli, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(CliRefusals, PrintTheErrorAndKeepTheOldFile) {
  GetParam().prepare();
  const bool isFile = std::filesystem::is_regular_file("REZ.TXT");
  const CliResult r = RunCli({"--decimal-separator", ","});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err, std::string(GetParam().message) + "\n");
  EXPECT_EQ(r.out, "");
  if (isFile) {
    EXPECT_EQ(ReadWholeFile("REZ.TXT"), "old content");
  }
}

int lockHolder = -1;  // the other writer's descriptor, held for the rest of the test process

INSTANTIATE_TEST_SUITE_P(
    Table, CliRefusals,
    ::testing::Values(
        RefusalCase{"read_only",
                    [] {
                      WriteWholeFile("REZ.TXT", "old content");
                      ::chmod("REZ.TXT", 0444);
                    },
                    "File access denied."},
        RefusalCase{"directory", [] { std::filesystem::create_directory("REZ.TXT"); },
                    "File access denied."},
        RefusalCase{"locked_by_another_writer",
                    [] {
                      WriteWholeFile("REZ.TXT", "old content");
                      lockHolder = ::open("REZ.TXT", O_WRONLY);
                      ASSERT_EQ(::flock(lockHolder, LOCK_EX | LOCK_NB), 0);
                    },
                    "I/O error 32."},
        RefusalCase{"missing_directory",
                    [] { std::filesystem::create_symlink("missing/REZ.TXT", "REZ.TXT"); },
                    "File not found."}),
    [](const ::testing::TestParamInfo<RefusalCase>& info) { return std::string(info.param.name); });

// Another program reading REZ.TXT while a long run writes it finds whole 128-byte blocks only.
TEST_F(Cli, ReaderPollingDuringARunSeesOnlyWholeBlocks) {
  CliProcess run({"--decimal-separator", ",", "--step", "0,000001"});  // 500,001 rows
  std::set<long long> sizesSeen;
  while (run.Running()) {
    struct stat status {};
    if (::stat("REZ.TXT", &status) == 0) sizesSeen.insert(static_cast<long long>(status.st_size));
  }
  const CliResult r = run.Wait();
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const std::string contents = ReadWholeFile("REZ.TXT");
  const long long rows = std::count(contents.begin(), contents.end(), '\n') - 2;
  const long long finalSize = 24 + rows * 30;
  EXPECT_EQ(static_cast<long long>(contents.size()), finalSize);
  EXPECT_GT(rows, 500000);
  sizesSeen.erase(finalSize);  // after closing
  EXPECT_GT(sizesSeen.size(), 2u) << "the reader saw the run only once or twice";
  for (long long size : sizesSeen) EXPECT_EQ(size % 128, 0) << size;
}

// A run of a few seconds: 5,000,001 rows, into /dev/null so that no disk fills.
const std::vector<std::string> kLongRun = {"--decimal-separator", ",", "--step", "0,0000001"};

TEST_F(Cli, LongRunShowsProgressOnATerminalAndClearsIt) {
  // REZ.TXT is a pipe that the test leaves unread for more than the progress line's second,
  // so the run lasts long enough on any machine; then it is read to the end.
  ASSERT_EQ(::mkfifo("REZ.TXT", 0666), 0);
  const int results = ::open("REZ.TXT", O_RDONLY | O_NONBLOCK);
  ASSERT_GE(results, 0);
  std::thread reader([results] {
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    ::fcntl(results, F_SETFL, ::fcntl(results, F_GETFL) & ~O_NONBLOCK);
    char block[65536];
    while (::read(results, block, sizeof block) > 0) {
    }
    ::close(results);
  });
  const int terminal = ::posix_openpt(O_RDWR | O_NOCTTY);
  ASSERT_GE(terminal, 0);
  ASSERT_EQ(::grantpt(terminal), 0);
  ASSERT_EQ(::unlockpt(terminal), 0);
  CliProcess run(kLongRun, {}, ::ptsname(terminal));
  std::string shown;
  char bytes[4096];
  // The terminal's output is read while the run goes on; its end shows as EIO once the run
  // has exited and nobody holds the other side.
  for (;;) {
    const ssize_t count = ::read(terminal, bytes, sizeof bytes);
    if (count <= 0) break;
    shown.append(bytes, static_cast<std::size_t>(count));
  }
  const CliResult r = run.Wait();
  ::close(terminal);
  reader.join();
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_TRUE(r.out.starts_with("Глобальная погрешность = ")) << r.out;
  EXPECT_NE(shown.find("\rрасчёт: "), std::string::npos) << shown;
  EXPECT_TRUE(shown.ends_with("\r\033[K")) << shown;
}

TEST_F(Cli, LongRunPrintsNothingElseWhenStandardErrorIsNoTerminal) {
  std::filesystem::create_symlink("/dev/null", "REZ.TXT");
  const CliResult r = RunCli(kLongRun);
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.err, "");
  EXPECT_TRUE(r.out.starts_with("Глобальная погрешность = ")) << r.out;
}

TEST_F(Cli, DumpThatCannotBeWrittenFailsTheCommand) {
  const CliResult full = RunCli({"--decimal-separator", ",", "--dump", "/dev/full"});
  EXPECT_EQ(full.exitCode, 1);
  EXPECT_EQ(full.out, "");
  EXPECT_TRUE(full.err.starts_with("rcpulse-cli: ")) << full.err;
  std::filesystem::remove("REZ.TXT");
  const CliResult missing = RunCli({"--decimal-separator", ",", "--dump", "missing/run.dump"});
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_EQ(missing.out, "");
  EXPECT_FALSE(std::filesystem::exists("REZ.TXT"));
}

TEST_F(Cli, ResultLineThatCannotBeWrittenFailsTheCommand) {
  const CliResult r = CliProcess({"--decimal-separator", ","}, {}, "", "/dev/full").Wait();
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_TRUE(r.err.starts_with("rcpulse-cli: ")) << r.err;
  EXPECT_EQ(ReadWholeFile("REZ.TXT").size(), 15054u);
}

// The separator comes from the numeric category of the regional settings: LC_ALL, else
// LC_NUMERIC, else LANG; no generated system locale is needed.
TEST_F(Cli, SeparatorFollowsTheNumericCategory) {
  const CliResult commaNumbers = RunCli({}, {{"LC_ALL", std::nullopt},
                                             {"LC_NUMERIC", "de_DE.UTF-8"},
                                             {"LANG", "C"}});
  EXPECT_EQ(commaNumbers.exitCode, 0) << commaNumbers.err;
  EXPECT_TRUE(commaNumbers.out.starts_with("Глобальная погрешность = 0,0267")) << commaNumbers.out;
  const CliResult pointNumbers = RunCli({}, {{"LC_ALL", std::nullopt},
                                             {"LC_NUMERIC", "C"},
                                             {"LANG", "de_DE.UTF-8"}});
  EXPECT_EQ(pointNumbers.exitCode, 0) << pointNumbers.err;
  EXPECT_TRUE(pointNumbers.out.starts_with("Глобальная погрешность = 0.0267")) << pointNumbers.out;
}

}  // namespace
