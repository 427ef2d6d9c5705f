#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <span>
#include <string>
#include <vector>

#include "run/CalculationRun.h"
#include "tests/support/DefaultParameters.h"
#include "tests/support/DefaultRunReference.h"
#include "tests/support/RecordingObservers.h"

namespace {

CalcParams Defaults() { return DefaultCalcParams(); }

TEST(CalculationRun, DefaultRunProducesTheReferenceTable) {
  RecordedRun run(Defaults());
  CalculationRun(run.parameters, run.Observers());

  ExpectDefaultRunReferenceRows(run.file.rows);
  // Times are accumulated sums: a little above the round values later on, so row 401 is
  // already on the falling edge and the last row lies just past T4.
  EXPECT_GT(run.file.rows[400].t, 0.4);
  EXPECT_LT(run.file.rows[400].E, 3);
  EXPECT_GT(run.file.rows[500].t, 0.5);

  ASSERT_EQ(run.resultBox.shown.size(), 1u);
  const double globalError = run.resultBox.shown[0];
  EXPECT_NEAR(globalError, 0.0267126, 5e-8);
  // The global error is the largest change between consecutive values, met near t = 0.1.
  std::size_t largest = 1;
  for (std::size_t i = 1; i < run.file.rows.size(); ++i) {
    const double change = std::fabs(run.file.rows[i].u - run.file.rows[i - 1].u);
    EXPECT_LE(change, globalError);
    if (change == globalError) largest = i;
  }
  EXPECT_NEAR(run.file.rows[largest].t, 0.1, 1e-9);
}

TEST(CalculationRun, EmitsEveryRowToFileThenBothSeriesInOrder) {
  RecordedRun run(Defaults());
  CalculationRun(run.parameters, run.Observers());

  EXPECT_EQ(run.chart.series[0].clears, 1);
  EXPECT_EQ(run.chart.series[1].clears, 1);
  ASSERT_EQ(run.chart.series[0].points.size(), 501u);
  ASSERT_EQ(run.chart.series[1].points.size(), 501u);
  for (std::size_t i = 0; i < 501; ++i) {
    const ResultRow& row = run.file.rows[i];
    EXPECT_EQ(run.chart.series[0].points[i], std::make_pair(row.t, row.u));
    EXPECT_EQ(run.chart.series[1].points[i], std::make_pair(row.t, row.E));
    if (i > 0) {
      EXPECT_EQ(row.t, static_cast<double>(static_cast<long double>(run.file.rows[i - 1].t) + 0.001));
    }
  }
  EXPECT_EQ(run.file.calls.front(), "create");
  EXPECT_EQ(run.file.calls[1], "header");
  EXPECT_EQ(run.file.calls.back(), "close");
  EXPECT_EQ(run.file.closes, 1);
}

TEST(CalculationRun, ShortRunsHaveExactlyTwoRows) {
  for (double t4 : {0.0005, 0.0, -5.0}) {
    CalcParams p = Defaults();
    p.T4 = t4;
    RecordedRun run(p);
    CalculationRun(run.parameters, run.Observers());
    ASSERT_EQ(run.file.rows.size(), 2u) << t4;
    EXPECT_EQ(run.file.rows[1].t, 0.001);
    // The global error is the start step's change.
    EXPECT_EQ(run.resultBox.shown.at(0), std::fabs(run.file.rows[1].u - run.file.rows[0].u));
  }
}

TEST(CalculationRun, GridTimeEqualToT4GetsOneFurtherRow) {
  CalcParams p = Defaults();
  p.Step = 0.25;
  p.T4 = 0.5;  // 0 + 0.25 + 0.25 is exact
  RecordedRun run(p);
  CalculationRun(run.parameters, run.Observers());
  ASSERT_EQ(run.file.rows.size(), 4u);
  EXPECT_EQ(run.file.rows[2].t, 0.5);
  EXPECT_EQ(run.file.rows[3].t, 0.75);
}

TEST(CalculationRun, NoSlopeKeepsEveryValue) {
  CalcParams p = Defaults();
  p.Amplitude = 0;
  RecordedRun run(p);
  CalculationRun(run.parameters, run.Observers());
  for (const ResultRow& row : run.file.rows) {
    EXPECT_EQ(row.u, 0);
    EXPECT_EQ(row.E, 0);
  }
  EXPECT_EQ(run.resultBox.shown.at(0), 0);
}

// What an abandoned run leaves behind: rows in the file and points in each series.
struct AbandonCase {
  const char* name;
  double r, c;
  std::size_t rowsLeft;
  bool zeroDivide;
};

void PrintTo(const AbandonCase& c, std::ostream* os) { *os << c.name; }

class AbandonedRuns : public ::testing::TestWithParam<AbandonCase> {};

TEST_P(AbandonedRuns, CloseTheFileOnceAndKeepWhatWasEmitted) {
  const AbandonCase& a = GetParam();
  CalcParams p = Defaults();
  p.R = a.r;
  p.C = a.c;
  RecordedRun run(p);
  if (a.zeroDivide) {
    EXPECT_THROW(CalculationRun(run.parameters, run.Observers()), EZeroDivide);
  } else {
    EXPECT_THROW(CalculationRun(run.parameters, run.Observers()), EOverflow);
  }
  EXPECT_EQ(run.file.rows.size(), a.rowsLeft) << a.name;
  EXPECT_EQ(run.chart.series[0].points.size(), a.rowsLeft);
  EXPECT_EQ(run.chart.series[1].points.size(), a.rowsLeft);
  EXPECT_EQ(run.file.closes, 1);
  EXPECT_EQ(run.file.calls.back(), "close");
  EXPECT_TRUE(run.resultBox.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Faults, AbandonedRuns,
    ::testing::Values(
        // The start step's first slope divides by R*C = 0, after the header and first row.
        AbandonCase{"R_zero", 0, 5e-6, 1, true}, AbandonCase{"C_zero", 9000, 0, 1, true},
        // The corrector diverges: each pass multiplies the iterate by about -9.3, each step
        // by about 1e49, so the seventh corrector step overflows after 8 rows; the row being
        // computed is neither written nor plotted.
        AbandonCase{"C_5e_9", 9000, 5e-9, 8, false}));

TEST(CalculationRun, BadParameterTextLeavesAnEmptyClosedFileAndEmptyChart) {
  RecordedRun run(Defaults());
  run.parameters.read = []() -> CalcParams { throw EConvertError("'abc' is not a valid floating point value"); };
  run.chart.series[0].points.emplace_back(1, 1);  // left over from an earlier run
  EXPECT_THROW(CalculationRun(run.parameters, run.Observers()), EConvertError);
  EXPECT_EQ(run.file.calls, (std::vector<std::string>{"create", "close"}));
  EXPECT_TRUE(run.chart.series[0].points.empty());
  EXPECT_TRUE(run.resultBox.shown.empty());
}

TEST(CalculationRun, FailedCreationStopsBeforeReadingAndClosesNothing) {
  RecordedRun run(Defaults());
  run.file.failCreate = true;
  EXPECT_THROW(CalculationRun(run.parameters, run.Observers()), EInOutError);
  EXPECT_EQ(run.parameters.reads, 0);
  EXPECT_EQ(run.file.closes, 0);
  EXPECT_EQ(run.chart.series[0].clears, 1);
  EXPECT_EQ(run.chart.series[1].clears, 1);
}

TEST(CalculationRun, FailedRowWriteAddsNoPointsForThatRow) {
  RecordedRun run(Defaults());
  run.file.failOnRow = 3;
  EXPECT_THROW(CalculationRun(run.parameters, run.Observers()), EInOutError);
  EXPECT_EQ(run.chart.series[0].points.size(), 3u);
  EXPECT_EQ(run.chart.series[1].points.size(), 3u);
  EXPECT_EQ(run.file.closes, 1);
}

TEST(CalculationRun, FirstErrorWinsWhenClosingFailsToo) {
  RecordedRun run(DefaultCalcParams());
  run.file.failClose = true;
  run.parameters.read = []() -> CalcParams { throw EConvertError("'' is not a valid floating point value"); };
  EXPECT_THROW(CalculationRun(run.parameters, run.Observers()), EConvertError);
  EXPECT_EQ(run.file.closes, 1);

  // On the successful path a failing close is the run's error and no result box is shown.
  RecordedRun run2(DefaultCalcParams());
  run2.file.failClose = true;
  EXPECT_THROW(CalculationRun(run2.parameters, run2.Observers()), EInOutError);
  EXPECT_EQ(run2.file.closes, 1);
  EXPECT_TRUE(run2.resultBox.shown.empty());
}

// What every output hears, in order: the chart empties before the file is created, the file
// takes each row before the chart, and the result box opens after the file is closed.
TEST(CalculationRun, ObserversHearEveryEventInTheirOrder) {
  struct Journal : RunObserver {
    std::vector<std::string>& events;
    std::string name;
    Journal(std::vector<std::string>& e, std::string n) : events(e), name(std::move(n)) {}
    void RunStarted() override { events.push_back(name + " started"); }
    void OutputsOpening() override { events.push_back(name + " opening"); }
    void ParametersRead(const CalcParams& p) override { events.push_back(name + " parameters " + std::to_string(p.Step)); }
    void RowsEmitted(std::span<const ResultRow> rows) override {
      events.push_back(name + " rows " + std::to_string(rows.size()));
    }
    void RunFinished(double) override { events.push_back(name + " finished"); }
    void RunAbandoned() noexcept override { events.push_back(name + " abandoned"); }
  };
  std::vector<std::string> events;
  Journal first(events, "a");
  Journal second(events, "b");
  CalcParams p = DefaultCalcParams();
  p.T4 = 0.001;  // three rows
  FixedParameters parameters(p);
  CalculationRun(parameters, {&first, &second});
  EXPECT_EQ(events, (std::vector<std::string>{"a started", "b started", "a opening", "b opening",
                                              "a parameters 0.001000", "b parameters 0.001000",
                                              "a rows 3", "b rows 3", "a finished", "b finished"}));

  // An observer that raises stops the event there; every observer hears the abandonment.
  struct FailingRows : RunObserver {
    void RowsEmitted(std::span<const ResultRow>) override { throw EInOutError(112); }
  } failing;
  events.clear();
  EXPECT_THROW(CalculationRun(parameters, {&failing, &first}), EInOutError);
  EXPECT_EQ(events, (std::vector<std::string>{"a started", "a opening", "a parameters 0.001000", "a abandoned"}));
}

// Rows reach the outputs in batches, all of them in order; an output that takes only part of
// a batch before failing leaves the outputs after it with that part.
TEST(CalculationRun, RowsComeInBatchesAndAPartlyTakenBatchStopsTheOutputsAfter) {
  struct Spans : RunObserver {
    std::vector<std::size_t> sizes;
    std::vector<ResultRow> rows;
    void RowsEmitted(std::span<const ResultRow> emitted) override {
      sizes.push_back(emitted.size());
      rows.insert(rows.end(), emitted.begin(), emitted.end());
    }
  } spans;
  CalcParams p = DefaultCalcParams();
  p.Step = 0.0001;  // 5002 rows
  RecordedRun run(p);
  CalculationRun(run.parameters, {&run.file, &spans});
  EXPECT_EQ(spans.sizes, (std::vector<std::size_t>{2048, 2048, 906}));
  ASSERT_EQ(spans.rows.size(), run.file.rows.size());
  for (std::size_t i = 0; i < spans.rows.size(); ++i) ASSERT_EQ(spans.rows[i].t, run.file.rows[i].t);

  RecordedRun failing(p);
  failing.file.failOnRow = 3000;
  Spans after;
  EXPECT_THROW(CalculationRun(failing.parameters, {&failing.file, &after}), EInOutError);
  EXPECT_EQ(after.sizes, (std::vector<std::size_t>{2048, 952}));
  EXPECT_EQ(after.rows.size(), 3000u);
}

// The rows computed before a fault reach the outputs before the run is abandoned.
TEST(CalculationRun, RowsBeforeAFaultAreHandedOnFirst) {
  CalcParams p = DefaultCalcParams();
  p.C = 5e-9;  // the corrector's passes diverge and overflow after 8 rows
  RecordedRun run(p);
  EXPECT_THROW(CalculationRun(run.parameters, run.Observers()), EOverflow);
  EXPECT_EQ(run.file.rows.size(), 8u);
  EXPECT_EQ(run.chart.series[0].points.size(), 8u);
  EXPECT_EQ(run.file.calls.back(), "close");
}

// Steps that would never end the run are refused before the header is written.
class RefusedSteps : public ::testing::TestWithParam<double> {};

TEST_P(RefusedSteps, AreRefusedBeforeTheHeader) {
  CalcParams p = Defaults();
  p.T1 = 1;
  p.T4 = 2;
  p.Step = GetParam();
  RecordedRun run(p);
  try {
    CalculationRun(run.parameters, run.Observers());
    FAIL() << "no error";
  } catch (const ERunRefused& e) {
    EXPECT_EQ(e.Message(), "Шаг времени не увеличивает время");
  }
  EXPECT_EQ(run.file.calls, (std::vector<std::string>{"create", "close"}));
  EXPECT_TRUE(run.chart.series[0].points.empty());
}

INSTANTIATE_TEST_SUITE_P(Steps, RefusedSteps, ::testing::Values(0.0, -0.0, -0.001, 1e-30));

TEST(CalculationRun, TooManyRowsAreRefusedWithBothCounts) {
  CalcParams p = Defaults();
  p.Step = 1e-9;  // about 5e8 rows
  RecordedRun run(p);
  try {
    CalculationRun(run.parameters, run.Observers());
    FAIL() << "no error";
  } catch (const ERunRefused& e) {
    EXPECT_EQ(e.Message(), "Слишком много строк: 500000001, допустимо не более 10000000");
  }
  EXPECT_EQ(run.file.calls, (std::vector<std::string>{"create", "close"}));

  // Inside the maximum the same parameters run; the maximum is the caller's to choose.
  p.Step = 0.0001;
  RecordedRun small(p);
  EXPECT_THROW(CalculationRun(small.parameters, small.Observers(), RunOptions{.maxRows = 4000}), ERunRefused);
  // (T4 - T1)/Step promises 5001 rows; the accumulated times fall slightly short of the round
  // values here, so the grid has one further row, and that row counts too.
  RecordedRun oneOver(p);
  try {
    CalculationRun(oneOver.parameters, oneOver.Observers(), RunOptions{.maxRows = 5001});
    FAIL() << "no error";
  } catch (const ERunRefused& e) {
    EXPECT_EQ(e.Message(), "Слишком много строк: 5002, допустимо не более 5001");
  }
  RecordedRun allowed(p);
  CalculationRun(allowed.parameters, allowed.Observers(), RunOptions{.maxRows = 5002});
  EXPECT_EQ(allowed.file.rows.size(), 5002u);
}

// Near 2^53 doubles lie 2 apart, so every step of 2.8 adds 2: from T1 to T1 + 28 the grid has
// 16 rows where (T4 - T1)/Step promises 12. The maximum holds for the rows the run makes.
TEST(CalculationRun, RowsOfACoarseGridAreCountedAsTheRunMakesThem) {
  CalcParams p = Defaults();
  p.T1 = 9007199254740992.0;  // 2^53
  p.T4 = p.T1 + 28;
  p.Step = 2.8;
  p.R = 1e6;  // a slow circuit, so the corrector converges at this step
  p.C = 1;
  RecordedRun refused(p);
  try {
    CalculationRun(refused.parameters, refused.Observers(), RunOptions{.maxRows = 15});
    FAIL() << "no error";
  } catch (const ERunRefused& e) {
    EXPECT_EQ(e.Message(), "Слишком много строк: 16, допустимо не более 15");
  }
  EXPECT_EQ(refused.file.calls, (std::vector<std::string>{"create", "close"}));

  RecordedRun allowed(p);
  CalculationRun(allowed.parameters, allowed.Observers(), RunOptions{.maxRows = 16});
  ASSERT_EQ(allowed.file.rows.size(), 16u);
  EXPECT_EQ(allowed.file.rows[1].t, p.T1 + 2);
  EXPECT_EQ(allowed.file.rows[15].t, p.T4 + 2);
}

TEST(CalculationRun, StepThatStallsWhereTheSpacingDoublesIsRaisedInTheLoop) {
  CalcParams p = Defaults();
  p.T1 = std::nextafter(1.0, 0.0);  // 1 - 2^-53: 1e-16 still advances it, to 1.0
  p.T4 = 1;
  p.Step = 1e-16;                   // below half the spacing above 1.0
  RecordedRun run(p);
  EXPECT_THROW(CalculationRun(run.parameters, run.Observers()), ERunRefused);
  ASSERT_EQ(run.file.rows.size(), 2u);
  EXPECT_EQ(run.file.rows[1].t, 1.0);
  EXPECT_EQ(run.file.closes, 1);
}

TEST(CalculationRun, TimeOverflowIsRaisedWhereTheTimeIsStored) {
  CalcParams p = Defaults();
  p.T1 = std::numeric_limits<double>::max();
  p.T4 = p.T1;
  p.Step = p.T1;
  RecordedRun run(p);
  EXPECT_THROW(CalculationRun(run.parameters, run.Observers()), EOverflow);
  EXPECT_EQ(run.file.rows.size(), 1u);
}

TEST(CalculationRun, EveryRunStartsAfresh) {
  RecordedRun first(Defaults());
  CalculationRun(first.parameters, first.Observers());
  RecordedRun second(Defaults());
  CalculationRun(second.parameters, second.Observers());
  ASSERT_EQ(first.file.rows.size(), second.file.rows.size());
  for (std::size_t i = 0; i < first.file.rows.size(); ++i)
    EXPECT_EQ(first.file.rows[i].u, second.file.rows[i].u);
}

}  // namespace
