// REZ.TXT and the result line of a long run: the same bytes whether the corrector stops at the
// cycle of its passes or does all 51.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "ScopedDecimalSeparator.h"
#include "TemporaryDirectory.h"
#include "run/BoxTexts.h"
#include "run/CalculationRun.h"
#include "run/NullOutputs.h"
#include "run/ResultsFile.h"

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
  FixedParameters parameters(params);
  ResultsFileOutput file;
  NullResultsChart chart;
  CapturingResultPresenter resultBox;
  RunOptions options;
  options.allCorrectorPasses = allCorrectorPasses;
  CalculationRun({parameters, file, chart, resultBox}, options);
  return {ResultBoxText(resultBox.GlobalError()), ReadWholeFile(kResultsFileName)};
}

class LongResultsFile : public ::testing::Test {
 protected:
  ScopedDecimalSeparator comma_{','};
  TemporaryDirectory directory_;
};

TEST_F(LongResultsFile, IsTheSameWithAllFiftyOneCorrectorPasses) {
  const FinishedRun fast = RunIntoResultsFile(LongRun(), false);
  const FinishedRun literal = RunIntoResultsFile(LongRun(), true);
  EXPECT_EQ(fast.resultLine, literal.resultLine);
  EXPECT_EQ(fast.resultLine, "Глобальная погрешность = 2,67489231804419E-5");
  ASSERT_EQ(fast.file.size(), 24u + 500002u * 30u);
  EXPECT_TRUE(fast.file == literal.file);  // not EXPECT_EQ: no 15 MB diff on failure
}

}  // namespace
