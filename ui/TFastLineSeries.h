// One line series of the results chart (Series1, Series2): its points in ascending x, equal x
// after the existing ones, and the smallest and largest x and y for the automatic ranges.
// Clearing and inserting never draw; they only ask the chart for one later repaint.
#pragma once

#include <QColor>
#include <QPointF>
#include <QString>
#include <functional>

#include "output/ChartOutput.h"

class DepthGraph;

struct SeriesBounds {
  double minX = 0, maxX = 0, minY = 0, maxY = 0;
};

class TFastLineSeries : public ChartSeries {
 public:
  TFastLineSeries(DepthGraph* graph, std::function<void()> requestRepaint);

  void ClearPoints() override;
  // Appending (x not below the last point's) costs one comparison and amortised O(1).
  int InsertPoint(double x, double y) override;

  int Count() const;
  QPointF Point(int position) const;
  bool IsEmpty() const { return Count() == 0; }
  const SeriesBounds& Bounds() const { return bounds_; }

  QString Title() const;
  QColor Color() const;
  int PenWidth() const;

 private:
  void ExtendBounds(double x, double y);

  DepthGraph* graph_;
  std::function<void()> requestRepaint_;
  SeriesBounds bounds_;
};
