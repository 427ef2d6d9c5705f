#include "ui/TFastLineSeries.h"

#include <algorithm>

#include "ui/DepthGraph.h"

TFastLineSeries::TFastLineSeries(DepthGraph* graph, std::function<void()> requestRepaint)
    : graph_(graph), requestRepaint_(std::move(requestRepaint)) {}

void TFastLineSeries::ClearPoints() {
  graph_->data()->clear();
  bounds_ = {};
  requestRepaint_();
}

int TFastLineSeries::InsertPoint(double x, double y) {
  QCPGraphDataContainer& data = *graph_->data();
  const int count = data.size();
  int position = count;
  if (count == 0 || !(x < (data.constEnd() - 1)->key)) {
    data.add(QCPGraphData(x, y));
  } else {
    // The library would put an equal x before the existing points; ours go after them.
    const auto after = std::upper_bound(data.constBegin(), data.constEnd(), x,
                                        [](double key, const QCPGraphData& point) { return key < point.key; });
    position = static_cast<int>(after - data.constBegin());
    QVector<QCPGraphData> points(data.constBegin(), data.constEnd());
    points.insert(position, QCPGraphData(x, y));
    data.set(points, true);
  }
  if (count == 0) bounds_ = {x, x, y, y};
  else ExtendBounds(x, y);
  requestRepaint_();
  return position;
}

void TFastLineSeries::ExtendBounds(double x, double y) {
  bounds_.minX = std::min(bounds_.minX, x);
  bounds_.maxX = std::max(bounds_.maxX, x);
  bounds_.minY = std::min(bounds_.minY, y);
  bounds_.maxY = std::max(bounds_.maxY, y);
}

int TFastLineSeries::Count() const { return graph_->data()->size(); }

QPointF TFastLineSeries::Point(int position) const {
  const QCPGraphData& point = *(graph_->data()->constBegin() + position);
  return {point.key, point.value};
}

QString TFastLineSeries::Title() const { return graph_->name(); }
QColor TFastLineSeries::Color() const { return graph_->pen().color(); }
int TFastLineSeries::PenWidth() const { return graph_->pen().width(); }
