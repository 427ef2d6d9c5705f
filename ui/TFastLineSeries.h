// One line series of the results chart (Series1, Series2, and the study curves): its points
// in ascending x, equal x after the existing ones, and the smallest and largest x and y for
// the automatic ranges. Clearing and inserting never draw; they only ask the chart for one
// later repaint. A run's rows come in spans and are appended in one go when they ascend.
#pragma once

#include <QColor>
#include <QPointF>
#include <QSharedPointer>
#include <QString>
#include <cstddef>
#include <functional>
#include <span>

#include "output/ChartOutput.h"

class DepthGraph;
class SeriesPoints;

struct SeriesBounds {
  double minX = 0, maxX = 0, minY = 0, maxY = 0;
};

class TFastLineSeries : public ChartSeries {
 public:
  TFastLineSeries(DepthGraph* graph, std::function<void()> requestRepaint);
  ~TFastLineSeries() override;

  // Empties the series; its storage stays for the next run, which reserves what it needs.
  void ClearPoints() override;
  // Appending (x not below the last point's) costs one comparison and amortised O(1).
  int InsertPoint(double x, double y) override;
  // Rows whose times ascend from the last point on are appended at once with one repaint
  // request; any other span goes point by point, with the same result.
  void InsertPoints(std::span<const ResultRow> rows, double ResultRow::*value) override;
  // Room for a run of this many points; far more room than that is given back first.
  void ReservePoints(std::size_t count) override;
  // Gives back room far beyond the points held (the end of a run).
  void ShrinkToFit();

  int Count() const;
  QPointF Point(int position) const;
  bool IsEmpty() const { return Count() == 0; }
  const SeriesBounds& Bounds() const { return bounds_; }
  // Points the storage has room for.
  std::size_t Capacity() const;
  // The position of the point whose x is nearest, or -1 when the series is empty.
  int NearestPosition(double x) const;

  QString Title() const;
  QColor Color() const;
  int PenWidth() const;

 private:
  void ExtendBounds(double x, double y);

  DepthGraph* graph_;
  QSharedPointer<SeriesPoints> points_;
  std::function<void()> requestRepaint_;
  SeriesBounds bounds_;
};
