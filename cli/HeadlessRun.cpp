#include "cli/HeadlessRun.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <memory>
#include <new>
#include <optional>
#include <stdexcept>
#include <string>

#include "cli/ProgressIndicator.h"
#include "cli/RowDump.h"
#include "model/Errors.h"
#include "run/BoxTexts.h"
#include "run/CalculationRun.h"
#include "run/FieldParameters.h"
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

// The error box's text of whatever left the run; nullopt when it completed.
std::optional<std::string> RunAndCatch(const RunConnections& connections, const RunOptions& options) {
  try {
    CalculationRun(connections, options);
  } catch (const Exception& error) {
    return ErrorBoxText(error.Message());
  } catch (const std::bad_alloc&) {
    return ErrorBoxText(EOutOfMemory().Message());
  } catch (const std::exception& error) {
    return ErrorBoxText(error.what());
  }
  return std::nullopt;
}

}  // namespace

int HeadlessRun(const CliOptions& options) {
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

  const std::optional<std::string> failure =
      RunAndCatch({parameters, observedFile, chart, resultBox}, RunOptions{.maxRows = options.maxRows});
  progress.Clear();
  std::optional<std::string> dumpFailure;
  if (dump) {
    try {
      dump->Close();
    } catch (const std::runtime_error& error) {
      dumpFailure = std::string("rcpulse-cli: ") + error.what();
    }
  }
  // The run's own error is the one to show; a dump that could not be written comes next.
  if (failure) {
    PrintLine(stderr, *failure);
    return 1;
  }
  if (dumpFailure) {
    PrintLine(stderr, *dumpFailure);
    return 1;
  }
  PrintLine(stdout, ResultBoxText(resultBox.GlobalError()));
  // A result line that never arrived (a full disk, a closed pipe) is no success.
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
    PrintLine(stderr, std::string("rcpulse-cli: не удалось вывести результат: ") + std::strerror(errno));
    return 1;
  }
  return 0;
}
