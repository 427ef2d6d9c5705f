// The window with a run of 1,000,001 rows (the defaults with Step 0,0000005): the time from the
// click on OK to the chart drawn with all points behind the result box, and the process's peak
// memory. Offscreen; REZ.TXT goes to a temporary directory. Run by hand, not as a test.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <filesystem>
#include <string>

#include "numbertext/LocaleDecimalSeparator.h"
#include "tests/support/TemporaryDirectory.h"
#include "ui/Unit1.h"

namespace {

void BM_ClickToDrawnChart(benchmark::State& state) {
  const TemporaryDirectory directory;
  const CurrentDirectoryScope inside(directory.Path());  // the window writes REZ.TXT here

  SetLocaleDecimalSeparator(",");
  TForm1 window;
  window.EditOf(Parameter::Step)->setText("0,0000005");
  window.show();
  QApplication::processEvents();

  for (auto _ : state) {
    QElapsedTimer clock;
    qint64 drawnAfter = -1;
    const auto connection = QObject::connect(window.Chart1, &TChart::Replotted, [&] {
      if (drawnAfter < 0 && window.Series1->Count() > 0) drawnAfter = clock.nsecsElapsed();
    });
    // Closes the result box once the chart behind it has been drawn.
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
      if (drawnAfter >= 0 && QApplication::activeModalWidget() != nullptr)
        QApplication::activeModalWidget()->close();
    });
    closer.start(5);
    clock.start();
    window.BitBtn1->click();
    closer.stop();
    QObject::disconnect(connection);
    state.SetIterationTime(static_cast<double>(drawnAfter) / 1e9);
    state.counters["points per series"] = window.Series1->Count();
  }
  struct rusage usage {};
  ::getrusage(RUSAGE_SELF, &usage);
  state.counters["peak RSS MB"] = static_cast<double>(usage.ru_maxrss) / 1024;
}
BENCHMARK(BM_ClickToDrawnChart)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
