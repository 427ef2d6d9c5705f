// The results file writes many blocks to one call; the block-by-block writer it replaces is
// the reference. A write that fails at any block of a run, or takes only part of what it is
// given, must leave the same bytes, the same error text and the same rows in the outputs after
// the file as the reference does.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdint>
#include <limits>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "output/ChartOutput.h"
#include "output/ResultsFile.h"
#include "output/ResultsFileOutput.h"
#include "run/CalculationRun.h"
#include "run/ErrorText.h"
#include "tests/support/DefaultParameters.h"
#include "tests/support/FaultyFileWriter.h"
#include "tests/support/FileContents.h"
#include "tests/support/PerBlockResultsFileOutput.h"
#include "tests/support/RecordingObservers.h"
#include "tests/support/TemporaryDirectory.h"

namespace {

constexpr std::uint64_t kNoLimit = std::numeric_limits<std::uint64_t>::max();

struct Fault {
  std::uint64_t limit = kNoLimit;  // bytes the file takes before every call fails
  int error = ENOSPC;
  std::size_t mostPerCall = std::numeric_limits<std::size_t>::max();
};

struct Outcome {
  std::string file;
  std::string error;  // "" when the run succeeded
  std::vector<ResultRow> rowsAfter;
  std::size_t chartPoints = 0;
  std::size_t resultsShown = 0;
};

struct RowsAfter : RunObserver {
  std::vector<ResultRow> rows;
  void RowsEmitted(std::span<const ResultRow> emitted) override { rows.insert(rows.end(), emitted.begin(), emitted.end()); }
};

Outcome RunWriting(const CalcParams& params, const Fault& fault, bool batched) {
  const TemporaryDirectory directory;
  FaultyFileWriter writer(fault.limit, fault.error, fault.mostPerCall);
  std::unique_ptr<RunObserver> file;
  if (batched) {
    file = std::make_unique<ResultsFileOutput>(directory.Path(), writer);
  } else {
    file = std::make_unique<PerBlockResultsFileOutput>(directory.Path(), writer);
  }
  RowsAfter after;
  RecordingChart chart;
  ChartOutput chartOutput(chart);
  RecordingResultBox resultBox;
  FixedParameters parameters(params);
  Outcome outcome;
  try {
    CalculationRun(parameters, {file.get(), &after, &chartOutput, &resultBox});
  } catch (...) {
    outcome.error = ErrorText(std::current_exception());
  }
  outcome.file = ReadWholeFile(directory / kResultsFileName);
  outcome.rowsAfter = std::move(after.rows);
  outcome.chartPoints = chart.series[0].points.size();
  outcome.resultsShown = resultBox.shown.size();
  return outcome;
}

void ExpectSameAsPerBlock(const CalcParams& params, const Fault& fault) {
  const Outcome reference = RunWriting(params, fault, false);
  const Outcome batched = RunWriting(params, fault, true);
  const std::string where = "limit " + std::to_string(fault.limit) + ", error " + std::to_string(fault.error) +
                            ", at most " + std::to_string(fault.mostPerCall) + " a call";
  ASSERT_TRUE(batched.file == reference.file) << where << ": " << batched.file.size() << " bytes, not "
                                               << reference.file.size();
  ASSERT_EQ(batched.error, reference.error) << where;
  ASSERT_EQ(batched.rowsAfter.size(), reference.rowsAfter.size()) << where;
  for (std::size_t i = 0; i < batched.rowsAfter.size(); ++i) ASSERT_EQ(batched.rowsAfter[i].t, reference.rowsAfter[i].t);
  ASSERT_EQ(batched.chartPoints, reference.chartPoints) << where;
  ASSERT_EQ(batched.resultsShown, reference.resultsShown) << where;
}

struct RunCase {
  const char* name;
  CalcParams params;
  friend void PrintTo(const RunCase& c, std::ostream* out) { *out << c.name; }
};

CalcParams Short(double t4) {
  CalcParams p = DefaultCalcParams();
  p.T4 = t4;
  return p;
}

// Rows of 30 bytes; rows of about 130 bytes (fields of 36 integer digits), so that one row
// fills two blocks; and fields in the exponent form.
CalcParams WideRows() {
  CalcParams p = Short(0.01);
  p.Amplitude = 1e35;
  p.U0 = 9e35;
  return p;
}

CalcParams ExponentFields() {
  CalcParams p = Short(0.03);
  p.Amplitude = 1e40;
  return p;
}

class FailingWrites : public testing::TestWithParam<RunCase> {};

TEST_P(FailingWrites, LeaveWhatTheBlockByBlockWriterLeaves) {
  const CalcParams& params = GetParam().params;
  const std::uint64_t size = RunWriting(params, {}, false).file.size();
  ASSERT_GT(size, 4 * kResultsBlockSize);
  for (std::uint64_t block = 0; block * kResultsBlockSize <= size; ++block) {
    for (const int error : {ENOSPC, EFBIG, EPIPE, EIO})
      ASSERT_NO_FATAL_FAILURE(ExpectSameAsPerBlock(params, {block * kResultsBlockSize, error}));
  }
  // A call that takes part of a block before the failure: the file keeps that part.
  for (const std::uint64_t limit : {std::uint64_t{50}, 3 * kResultsBlockSize + 77, size - 5})
    ASSERT_NO_FATAL_FAILURE(ExpectSameAsPerBlock(params, {limit, ENOSPC}));
  // Calls that take only a part each time, without a failure, and with one.
  ASSERT_NO_FATAL_FAILURE(ExpectSameAsPerBlock(params, {kNoLimit, ENOSPC, 100}));
  ASSERT_NO_FATAL_FAILURE(ExpectSameAsPerBlock(params, {5 * kResultsBlockSize + 10, EFBIG, 33}));
}

INSTANTIATE_TEST_SUITE_P(Runs, FailingWrites,
                         testing::Values(RunCase{"ThirtyByteRows", Short(0.05)}, RunCase{"WideRows", WideRows()},
                                         RunCase{"ExponentFields", ExponentFields()}),
                         [](const auto& info) { return std::string(info.param.name); });

// A 64 KiB file system that fills in the middle of a 150 KB run.
TEST(BatchedResultsFile, FileSystemThatFillsMidRunLeavesWhatTheBlockByBlockWriterLeaves) {
  CalcParams p = DefaultCalcParams();
  p.Step = 0.0001;  // 5002 rows
  const Outcome batched = RunWriting(p, {64 * 1024, ENOSPC}, true);
  EXPECT_EQ(batched.file.size(), 64u * 1024u);
  EXPECT_EQ(batched.error, "I/O error 112.");
  // The first lost block is the 513th, filled by row (65536 + 128 - 24) / 30 rounded up.
  EXPECT_EQ(batched.rowsAfter.size(), (64u * 1024u + 128u - 24u + 29u) / 30u - 1u);
  ExpectSameAsPerBlock(p, {64 * 1024, ENOSPC});
}

// Without a fault both writers give the same file, and the batched one needs far fewer calls.
TEST(BatchedResultsFile, WritesManyBlocksToACall) {
  CalcParams p = DefaultCalcParams();
  p.Step = 0.0001;
  ExpectSameAsPerBlock(p, {});
  const TemporaryDirectory directory;
  FaultyFileWriter counting(kNoLimit, 0);
  ResultsFileOutput file(directory.Path(), counting);
  FixedParameters parameters(p);
  CalculationRun(parameters, {&file});
  const std::uint64_t size = 24 + 5002 * 30;
  EXPECT_EQ(ReadWholeFile(directory / kResultsFileName).size(), size);
  EXPECT_LE(counting.Calls(), 4);  // three batches of rows and the last part of a block
}

}  // namespace
