// Fuzz target for a whole calculation run from the nine texts a user types. The input is the
// decimal separator byte followed by the texts in reading order (t1, t4, step, t2, t3,
// voltage, R, C, u0), one per line; texts the input does not reach are the default texts.
// The run goes into outputs that only count (no REZ.TXT) under a small row maximum, and
// must either complete with as many rows as the accumulated time grid of the parameters it
// read has, or end with one of the program's own errors; every output hears the run's events
// in order and exactly one ending. Nothing may leak (LeakSanitizer).
#include <array>
#include <cfenv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string>
#include <string_view>

#include "model/Errors.h"
#include "model/FloatingPoint.h"
#include "numbertext/LocaleDecimalSeparator.h"
#include "output/ChartOutput.h"
#include "run/CalculationRun.h"
#include "run/ParameterTexts.h"
#include "run/ResultCapture.h"

namespace {

// Small, so that a run is quick and the refusal of larger runs is reached often.
constexpr std::uint64_t kMaxRows = 200;

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "whole-run fuzzer: %s\n", what);
  std::abort();
}

void Require(bool condition, const char* what) {
  if (!condition) Fail(what);
}

class InputTexts : public ParameterTexts {
 public:
  // One text per line; once the lines run out, the default texts.
  explicit InputTexts(std::string_view lines) {
    for (const ParameterInfo& entry : kParameterTable) {
      std::string& text = texts_[static_cast<std::size_t>(entry.parameter)];
      if (lines.empty()) {
        text = DefaultText(entry.parameter);
        continue;
      }
      const std::size_t end = lines.find('\n');
      text = std::string(lines.substr(0, end));
      lines = end == std::string_view::npos ? std::string_view() : lines.substr(end + 1);
    }
  }
  std::string Text(Parameter parameter) const override { return texts_[static_cast<std::size_t>(parameter)]; }

 private:
  std::array<std::string, kParameterTable.size()> texts_;
};

// Counts the rows of every span and checks the order of the run's events.
class CountingOutput : public RunObserver {
 public:
  enum class Stage { Idle, Started, Opened, Read, Finished, Abandoned };

  void RunStarted() override {
    Require(stage_ == Stage::Idle, "run started twice");
    stage_ = Stage::Started;
  }
  void OutputsOpening() override {
    Require(stage_ == Stage::Started, "outputs opened out of order");
    stage_ = Stage::Opened;
  }
  void ParametersRead(const CalcParams& params) override {
    Require(stage_ == Stage::Opened, "parameters read out of order");
    stage_ = Stage::Read;
    params_ = params;
  }
  void RowsEmitted(std::span<const ResultRow> rows) override {
    Require(stage_ == Stage::Read, "rows before the parameters or after the end");
    rows_ += rows.size();
  }
  void RunFinished(double) override {
    Require(stage_ == Stage::Read, "run finished out of order");
    stage_ = Stage::Finished;
  }
  void RunAbandoned() noexcept override {
    Require(stage_ != Stage::Idle && stage_ != Stage::Finished && stage_ != Stage::Abandoned,
            "run abandoned out of order");
    stage_ = Stage::Abandoned;
  }

  Stage GetStage() const { return stage_; }
  std::uint64_t Rows() const { return rows_; }
  const CalcParams& Params() const { return params_; }

 private:
  Stage stage_ = Stage::Idle;
  std::uint64_t rows_ = 0;
  CalcParams params_{};
};

class CountingSeries : public ChartSeries {
 public:
  void ClearPoints() override { points_ = 0; }
  int InsertPoint(double, double) override { return static_cast<int>(points_++); }
  std::uint64_t Points() const { return points_; }

 private:
  std::uint64_t points_ = 7;  // not yet cleared
};

class CountingChart : public ResultsChart {
 public:
  ChartSeries& Series(int position) override { return series_.at(static_cast<std::size_t>(position)); }
  std::uint64_t Points(int position) const { return series_.at(static_cast<std::size_t>(position)).Points(); }

 private:
  std::array<CountingSeries, 2> series_;
};

// Rows of the accumulated time grid: T1, then every time the previous one plus Step rounded
// to a double, up to and including the first time past T4. Zero when the time stops growing
// or leaves the double range first; stops counting past `limit`.
std::uint64_t GridRows(const CalcParams& params, std::uint64_t limit) {
  double t = params.T1;
  std::uint64_t rows = 1;
  do {
    const double next = static_cast<double>(static_cast<long double>(t) + params.Step);
    if (!(next > t) || !std::isfinite(next)) return 0;
    t = next;
    ++rows;
  } while (t <= params.T4 && rows <= limit);
  return rows;
}

bool IsParseMessage(const std::string& message, const InputTexts& texts) {
  for (const ParameterInfo& entry : kParameterTable) {
    if (message == "'" + texts.Text(entry.parameter) + "' is not a valid floating point value") return true;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  SetLocaleDecimalSeparator(static_cast<char>(data[0]));
  const InputTexts texts(std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1));

  TypedParameters parameters(texts);
  CountingOutput counter;
  CountingChart chart;
  ChartOutput chartOutput(chart);
  ResultCapture result;
  bool completed = false;
  try {
    CalculationRun(parameters, {&counter, &chartOutput, &result}, RunOptions{.maxRows = kMaxRows});
    completed = true;
  } catch (const EConvertError& error) {
    Require(counter.GetStage() == CountingOutput::Stage::Abandoned && counter.Rows() == 0, "bad text after the reading");
    Require(IsParseMessage(error.Message(), texts), "conversion error not naming a text");
  } catch (const Exception& error) {
    Require(counter.GetStage() == CountingOutput::Stage::Abandoned, "an error without the abandonment");
    Require(!error.Message().empty(), "an error without a message");
  } catch (...) {
    Fail("an error of a foreign class left the run");
  }
  Require(std::fegetround() == FE_TONEAREST, "the rounding mode changed");
  Require(chart.Points(0) == counter.Rows() && chart.Points(1) == counter.Rows(), "the chart and the rows disagree");
  if (!completed) return 0;

  Require(counter.GetStage() == CountingOutput::Stage::Finished && result.Finished(), "completed without the end");
  const std::uint64_t rows = counter.Rows();
  Require(rows >= 2, "a complete run with fewer than two rows");
  Require(rows <= kMaxRows, "a complete run with more rows than allowed");
  Require(rows == GridRows(counter.Params(), kMaxRows), "row count not that of the time grid");
  Require(std::isfinite(result.GlobalError()) && result.GlobalError() >= 0, "global error not a finite change");
  return 0;
}
