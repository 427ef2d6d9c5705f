// The window with large runs, offscreen, REZ.TXT in a temporary directory. Run by hand, not as
// a test:
// - a run of 1,000,001 rows (the defaults with Step 0,0000005): the time from the click on OK
//   to the chart drawn with all points behind the result box, and the process's peak memory;
// - a run of 5,000,002 rows (Step 0,0000001) through the window's outputs (REZ.TXT into
//   /dev/null), with and without the progress dialog, in alternation so that both see the
//   same load: the dialog's cost;
// - a run of 10,000,000 rows, then one of 501, from the window: the memory each leaves.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <fstream>
#include <limits>
#include <string>
#include <vector>

#include "numbertext/LocaleDecimalSeparator.h"
#include "output/ChartOutput.h"
#include "output/ResultsFileOutput.h"
#include "run/CalculationRun.h"
#include "run/ParameterSource.h"
#include "tests/support/DefaultParameters.h"
#include "tests/support/TemporaryDirectory.h"
#include "ui/ExactCurves.h"
#include "ui/RunProgress.h"
#include "ui/Unit1.h"

namespace {

double PeakMegabytes() {
  struct rusage usage {};
  ::getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024;
}

// The memory the process holds now (resident set), from /proc.
double ResidentMegabytes() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0, resident = 0;
  statm >> pages >> resident;
  return static_cast<double>(resident) * static_cast<double>(::sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

double ThreadSeconds() {
  timespec now {};
  ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

// Clicks OK and closes the result box once it is open; the time until the chart was drawn
// behind it, in seconds.
double ClickAndCloseTheBox(TForm1& window) {
  QElapsedTimer clock;
  qint64 drawnAfter = -1;
  const auto connection = QObject::connect(window.Chart1, &TChart::Replotted, [&] {
    if (drawnAfter < 0 && window.Series1->Count() > 0) drawnAfter = clock.nsecsElapsed();
  });
  QTimer closer;
  QObject::connect(&closer, &QTimer::timeout, [&] {
    QWidget* box = QApplication::activeModalWidget();
    if (drawnAfter >= 0 && box != nullptr && box->objectName() == QLatin1String("ResultBox")) box->close();
  });
  closer.start(5);
  clock.start();
  window.BitBtn1->click();
  closer.stop();
  QObject::disconnect(connection);
  return static_cast<double>(drawnAfter) / 1e9;
}

// Arg: the rows of the run, 1,000,001 or 10,000,000 (the most a run may make).
void BM_ClickToDrawnChart(benchmark::State& state) {
  const TemporaryDirectory directory;
  const CurrentDirectoryScope inside(directory.Path());  // the window writes REZ.TXT here

  SetLocaleDecimalSeparator(",");
  TForm1 window;
  window.EditOf(Parameter::Step)->setText(state.range(0) == 1'000'000 ? "0,0000005" : "0,00000005000001");
  window.show();
  QApplication::processEvents();

  for (auto _ : state) {
    state.SetIterationTime(ClickAndCloseTheBox(window));
    state.counters["points per series"] = window.Series1->Count();
  }
  state.counters["peak RSS MB"] = PeakMegabytes();
}
BENCHMARK(BM_ClickToDrawnChart)
    ->ArgName("rows")
    ->Arg(1'000'000)
    ->Arg(10'000'000)
    ->Iterations(3)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// The window's outputs of a run, without the result box: REZ.TXT, the study curves (off),
// the chart; with the progress observer between the file and the rest when given.
double RunThroughWindowOutputs(TForm1& window, const std::filesystem::path& folder, RunProgress* progress) {
  CalcParams params = DefaultCalcParams();
  params.Step = 1e-7;
  FixedParameters parameters(params);
  ResultsFileOutput file(folder);
  ExactCurves curves(*window.Chart1);
  ChartOutput chart(*window.Chart1);
  RunObservers observers{&file};
  if (progress) observers.Add(*progress);
  observers.Add(curves);
  observers.Add(chart);
  const double start = ThreadSeconds();
  CalculationRun(parameters, observers);
  return ThreadSeconds() - start;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Each iteration is three runs, in an order that turns: without the progress observer, with
// it but its dialog never due (counting rows and reading the clock only), and with the dialog
// as the window shows it. Times are the thread's CPU time (the dialog's drawing and event
// processing included); the costs are the medians over the iterations of each run's excess
// over the iteration's run without, in percent. On a shared machine these differences are
// noisy; the dialog's own time (creating, drawing, processing events, measured inside it) is
// not, and is given as a share of its run too. The reported time is the dialog's run.
void BM_ProgressDialogCost(benchmark::State& state) {
  const TemporaryDirectory directory;
  // REZ.TXT is written as always, into /dev/null: the file system's write-back would add more
  // noise than the dialog costs.
  std::filesystem::create_symlink("/dev/null", directory / "REZ.TXT");
  SetLocaleDecimalSeparator(",");
  TForm1 window;
  window.show();
  QApplication::processEvents();
  RunProgress counting(&window, RunProgress::Timing{std::numeric_limits<int>::max(), 50});
  RunProgress showing(&window);

  RunThroughWindowOutputs(window, directory.Path(), nullptr);  // the chart's storage mapped once
  std::vector<double> observerCosts, dialogCosts, withoutTimes, refreshShares;
  int refreshes = 0;
  RunProgress* const arms[3] = {nullptr, &counting, &showing};
  int iteration = 0;
  for (auto _ : state) {
    // The order turns with every iteration, so that no arm always runs first or last.
    double seconds[3] = {};
    for (int k = 0; k < 3; ++k) {
      const int arm = (iteration + k) % 3;
      seconds[arm] = RunThroughWindowOutputs(window, directory.Path(), arms[arm]);
    }
    ++iteration;
    const double without = seconds[0], observing = seconds[1], with = seconds[2];
    withoutTimes.push_back(without);
    observerCosts.push_back(100 * (observing - without) / without);
    dialogCosts.push_back(100 * (with - without) / without);
    refreshes += showing.Refreshes();
    refreshShares.push_back(100 * showing.SecondsRefreshing() / with);
    state.SetIterationTime(with);
  }
  state.counters["rows"] = window.Series1->Count();
  state.counters["run without s"] = Median(withoutTimes);
  state.counters["observer cost %"] = Median(observerCosts);
  state.counters["dialog cost %"] = Median(dialogCosts);
  state.counters["dialog's own time %"] = Median(refreshShares);
  state.counters["refreshes per run"] = static_cast<double>(refreshes) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_ProgressDialogCost)->Iterations(9)->UseManualTime()->Unit(benchmark::kMillisecond);

// The progress observer's part of every row: counting it, and reading the clock every few
// thousand rows (the dialog never due), with rows one at a time as the run hands them over.
void BM_ProgressObserverPerRow(benchmark::State& state) {
  QWidget window;
  RunProgress progress(&window, RunProgress::Timing{std::numeric_limits<int>::max(), 50});
  RunObservers observers{&progress};
  const ResultRow row{0.25, 1, 3};
  progress.RunStarted();
  for (auto _ : state) observers.RowsEmitted({&row, 1});
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ProgressObserverPerRow);

// The largest run the window allows, then the default one: the peak, and what each leaves.
void BM_MemoryAfterLongThenShortRun(benchmark::State& state) {
  const TemporaryDirectory directory;
  const CurrentDirectoryScope inside(directory.Path());
  SetLocaleDecimalSeparator(",");
  TForm1 window;
  window.show();
  QApplication::processEvents();
  const double before = ResidentMegabytes();

  for (auto _ : state) {
    window.EditOf(Parameter::Step)->setText("0,00000005000001");  // 10,000,000 rows
    const double longRun = ClickAndCloseTheBox(window);
    state.counters["long run rows"] = window.Series1->Count();
    state.counters["long run s"] = longRun;
    state.counters["RSS after long MB"] = ResidentMegabytes();
    state.counters["series capacity after long"] = static_cast<double>(window.Series1->Capacity());

    window.EditOf(Parameter::Step)->setText("0,001");
    ClickAndCloseTheBox(window);
    state.counters["RSS after short MB"] = ResidentMegabytes();
    state.counters["series capacity after short"] = static_cast<double>(window.Series1->Capacity());
    state.SetIterationTime(longRun);
  }
  state.counters["RSS before MB"] = before;
  state.counters["peak RSS MB"] = PeakMegabytes();
}
BENCHMARK(BM_MemoryAfterLongThenShortRun)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
