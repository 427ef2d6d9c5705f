// REZ.TXT and the result line of a long run: the same bytes whether the corrector stops at the
// cycle of its passes or does all 51.
#include <gtest/gtest.h>

#include <string>

#include "output/ResultsFile.h"
#include "output/ResultsFileOutput.h"
#include "run/BoxTexts.h"
#include "run/CalculationRun.h"
#include "run/ResultCapture.h"
#include "tests/support/CalculationRunAllPasses.h"
#include "tests/support/DefaultParameters.h"
#include "tests/support/FileContents.h"
#include "tests/support/ScopedDecimalSeparator.h"
#include "tests/support/TemporaryDirectory.h"

namespace {

// Default parameters with Step 0.000001: 500,002 rows, about 15 MB.
CalcParams LongRun() {
  CalcParams p = DefaultCalcParams();
  p.Step = 0.000001;
  return p;
}

struct FinishedRun {
  std::string resultLine;
  std::string file;
};

FinishedRun RunIntoResultsFile(const CalcParams& params, bool allCorrectorPasses) {
  const TemporaryDirectory directory;
  FixedParameters parameters(params);
  ResultsFileOutput file(directory.Path());
  ResultCapture result;
  if (allCorrectorPasses) {
    CalculationRunAllPasses(parameters, {&file, &result});
  } else {
    CalculationRun(parameters, {&file, &result});
  }
  return {ResultBoxText(result.GlobalError()), ReadWholeFile(directory / kResultsFileName)};
}

TEST(LongResultsFile, IsTheSameWithAllFiftyOneCorrectorPasses) {
  const ScopedDecimalSeparator comma(',');
  const FinishedRun fast = RunIntoResultsFile(LongRun(), false);
  const FinishedRun literal = RunIntoResultsFile(LongRun(), true);
  EXPECT_EQ(fast.resultLine, literal.resultLine);
  // This program's output, kept to catch any change.
  EXPECT_EQ(fast.resultLine, "Глобальная погрешность = 2,67489231804419E-5");
  ASSERT_EQ(fast.file.size(), 24u + 500002u * 30u);
  EXPECT_TRUE(fast.file == literal.file);  // not EXPECT_EQ: no 15 MB diff on failure
}

}  // namespace
