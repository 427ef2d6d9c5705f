// rcpulse-cli: one calculation run without a window, from the nine field texts given as
// options. The result line goes to standard output, an error's text alone to standard error.
#include <QLocale>

#include <cstdio>
#include <memory>
#include <new>
#include <stdexcept>

#include "cli/CliOptions.h"
#include "cli/ProgressIndicator.h"
#include "cli/RowDump.h"
#include "model/Errors.h"
#include "run/BoxTexts.h"
#include "run/CalculationRun.h"
#include "run/FieldParameters.h"
#include "run/LocaleDecimalSeparator.h"
#include "run/NullOutputs.h"
#include "run/ObservedConnections.h"
#include "run/ResultsFile.h"

namespace {

void PrintLine(std::FILE* stream, const std::string& text) {
  std::fputs(text.c_str(), stream);
  std::fputc('\n', stream);
}

// The parameters as read are handed to the progress line before the run uses them.
class StartingParameters : public ParameterSource {
 public:
  StartingParameters(ParameterSource& source, ProgressIndicator& progress)
      : source_(source), progress_(progress) {}
  CalcParams ReadCalcParams() override {
    const CalcParams params = source_.ReadCalcParams();
    progress_.Start(params);
    return params;
  }

 private:
  ParameterSource& source_;
  ProgressIndicator& progress_;
};

int RunOnce(const CliOptions& options) {
  std::unique_ptr<RowDump> dump;
  if (options.dumpPath) {
    try {
      dump = std::make_unique<RowDump>(*options.dumpPath);
    } catch (const std::runtime_error& error) {
      PrintLine(stderr, std::string("rcpulse-cli: ") + error.what());
      return 1;
    }
  }

  ProgressIndicator progress;
  OptionFields fields(options);
  FieldParameters fieldParameters(fields);
  StartingParameters parameters(fieldParameters, progress);
  ResultsFileOutput file;
  RowObservingOutput observedFile(file, [&](const ResultRow& row) {
    if (dump) dump->Write(row);
    progress.Row(row);
  });
  NullResultsChart chart;
  CapturingResultPresenter resultBox;

  try {
    CalculationRun({parameters, observedFile, chart, resultBox}, RunOptions{.maxRows = options.maxRows});
  } catch (const Exception& error) {
    progress.Clear();
    PrintLine(stderr, ErrorBoxText(error.Message()));
    return 1;
  } catch (const std::bad_alloc&) {
    progress.Clear();
    PrintLine(stderr, ErrorBoxText(EOutOfMemory().Message()));
    return 1;
  }
  progress.Clear();
  PrintLine(stdout, ResultBoxText(resultBox.GlobalError()));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  CliOptions options;
  try {
    options = ParseCliOptions(argc, argv);
    if (options.decimalSeparator && options.decimalSeparator->size() != 1)
      throw CliUsageError("--decimal-separator ждёт один символ");
  } catch (const CliUsageError& error) {
    std::fprintf(stderr, "rcpulse-cli: %s\n\n%s", error.what(), CliUsage().c_str());
    return 2;
  }
  if (options.help) {
    std::fputs(CliUsage().c_str(), stdout);
    return 0;
  }
  if (options.decimalSeparator) {
    SetLocaleDecimalSeparator((*options.decimalSeparator)[0]);
  } else {
    SetLocaleDecimalSeparator(QLocale::system().decimalPoint().toStdString());
  }
  return RunOnce(options);
}
