// rcpulse-cli-chart: rcpulse-cli's --png and --pdf modes, started by rcpulse-cli. The run's
// points go into the window's own chart (TChart), drawn off screen at the chosen size; the
// result line and error texts are those of rcpulse-cli, and Qt prints nothing of its own.
#include <QApplication>
#include <cstdio>

#include "cli/CatchingMain.h"
#include "cli/CliOptions.h"
#include "cli/DecimalSeparatorChoice.h"
#include "cli/HeadlessRun.h"
#include "ui/TChart.h"

namespace {

void Silent(QtMsgType, const QMessageLogContext&, const QString&) {}

bool Save(TChart& chart, const std::string& path, bool pdf, int width, int height) {
  const QString fileName = QString::fromStdString(path);
  return pdf ? chart.SavePdf(fileName, width, height) : chart.SavePng(fileName, width, height);
}

int Main(int argc, char** argv) {
  const std::optional<CliOptions> parsed = ParseCliOptionsOrShowUsage(argc, argv);
  if (!parsed) return kUsageExitCode;
  const CliOptions& options = *parsed;
  // No display needed, and no warnings of Qt's mixed into the program's own output.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler(Silent);
  QApplication application(argc, argv);
  ApplyDecimalSeparatorChoice(options.decimalSeparator);

  TChart chart;
  chart.resize(options.chartWidth, options.chartHeight);
  const int code = HeadlessRun(options, chart);
  if (code != 0) return code;
  const struct {
    const std::optional<std::string>& path;
    bool pdf;
  } outputs[] = {{options.pngPath, false}, {options.pdfPath, true}};
  for (const auto& output : outputs) {
    if (output.path && !Save(chart, *output.path, output.pdf, options.chartWidth, options.chartHeight)) {
      std::fprintf(stderr, "rcpulse-cli: не удалось записать %s\n", output.path->c_str());
      return 1;
    }
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) { return CatchingMain(Main, argc, argv); }
