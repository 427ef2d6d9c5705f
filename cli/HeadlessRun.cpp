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
#include "run/CsvRowWriter.h"
#include "run/ExactErrorTracker.h"
#include "run/FormatGeneral.h"
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
  NullResultsChart chart;
  return HeadlessRun(options, chart);
}

int HeadlessRun(const CliOptions& options, ResultsChart& chart) {
  // Opened before the run, so that a CSV path that cannot be written touches no REZ.TXT.
  std::unique_ptr<CsvRowWriter> csv;
  if (options.csvPath) {
    try {
      csv = std::make_unique<CsvRowWriter>(*options.csvPath, options.exact);
    } catch (const Exception& error) {
      PrintLine(stderr, ErrorBoxText(error.Message()));
      return 1;
    }
  }
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
  StartingParameters startingParameters(fieldParameters, progress);
  RememberingParameterSource parameters(startingParameters);
  // The exact solution starts with the first row; for R*C = 0 it raises the division by zero
  // the run would raise at its first slope a moment later.
  std::optional<ExactErrorTracker> exact;
  ResultsFileOutput file;
  RowObservingOutput observedFile(file, [&](const ResultRow& row) {
    if (dump) dump->Write(row);
    progress.Row(row);
    if (options.exact) {
      if (!exact) exact.emplace(*parameters.Read());
      const ExactErrorTracker::RowError error = exact->Observe(row.t, row.u);
      if (csv) csv->Write(row, error.exact, error.error);
    } else if (csv) {
      csv->Write(row);
    }
  });
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
  std::optional<std::string> csvFailure;
  if (csv) {
    try {
      csv->Close();
    } catch (const Exception& error) {
      csvFailure = ErrorBoxText(error.Message());
    }
  }
  // The run's own error is the one to show; a dump or CSV that could not be written next.
  if (failure) {
    PrintLine(stderr, *failure);
    return 1;
  }
  if (dumpFailure) {
    PrintLine(stderr, *dumpFailure);
    return 1;
  }
  if (csvFailure) {
    PrintLine(stderr, *csvFailure);
    return 1;
  }
  PrintLine(stdout, ResultBoxText(resultBox.GlobalError()));
  if (exact) {
    PrintLine(stdout, "Истинная погрешность = " + FormatGeneral(static_cast<double>(exact->LargestError())) +
                          " при t = " + FormatGeneral(exact->TimeOfLargestError()));
  }
  // A result line that never arrived (a full disk, a closed pipe) is no success.
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
    PrintLine(stderr, std::string("rcpulse-cli: не удалось вывести результат: ") + std::strerror(errno));
    return 1;
  }
  return 0;
}
