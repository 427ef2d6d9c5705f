#include "ui/ChartTable.h"

#include <algorithm>

#include "output/CsvRowWriter.h"
#include "study/ExactErrorTracker.h"
#include "ui/TChart.h"

void WriteChartTable(const std::string& path, TChart& chart, const std::optional<CalcParams>& exactOf) {
  const TFastLineSeries& solution = chart.FastLineSeries(0);
  const TFastLineSeries& source = chart.FastLineSeries(1);
  CsvRowWriter csv(path, exactOf.has_value());
  ExactErrorTracker exact;
  if (exactOf) exact.ParametersRead(*exactOf);
  const int rows = std::min(solution.Count(), source.Count());
  for (int i = 0; i < rows; ++i) {
    const QPointF u = solution.Point(i);
    const ResultRow row{u.x(), u.y(), source.Point(i).y()};
    if (!exactOf) {
      csv.Write(row);
      continue;
    }
    const ExactErrorTracker::RowError error = exact.Observe(row.t, row.u);
    csv.Write(row, error.exact, error.error);
  }
  csv.Close();
}
