#include "ui/TFastLineSeries.h"

#include <algorithm>

#include "ui/DepthGraph.h"
#include "ui/SeriesPoints.h"

namespace {

// A run's row count is estimated before it starts; the grid's repeated addition can add a
// row, and growing past the room would copy the whole series.
constexpr std::size_t kSparePoints = 64;

bool KeyBefore(double key, const QCPGraphData& point) { return key < point.key; }

}  // namespace

TFastLineSeries::TFastLineSeries(DepthGraph* graph, std::function<void()> requestRepaint)
    : graph_(graph), points_(new SeriesPoints), requestRepaint_(std::move(requestRepaint)) {
  graph_->setData(points_);
}

TFastLineSeries::~TFastLineSeries() = default;

void TFastLineSeries::ClearPoints() {
  points_->clear();
  bounds_ = {};
  requestRepaint_();
}

int TFastLineSeries::InsertPoint(double x, double y) {
  SeriesPoints& data = *points_;
  const int count = data.size();
  int position = count;
  if (count == 0 || !(x < (data.constEnd() - 1)->key)) {
    data.add(QCPGraphData(x, y));
  } else {
    // The library would put an equal x before the existing points; ours go after them.
    const auto after = std::upper_bound(data.constBegin(), data.constEnd(), x, KeyBefore);
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

void TFastLineSeries::InsertPoints(std::span<const ResultRow> rows, double ResultRow::*value) {
  if (rows.empty()) return;
  // Appending keeps the order exactly when no time is below the one before it (the same
  // test InsertPoint makes for each point).
  const bool empty = IsEmpty();
  bool ascending = empty || !(rows.front().t < (points_->constEnd() - 1)->key);
  for (std::size_t i = 1; ascending && i < rows.size(); ++i) ascending = !(rows[i].t < rows[i - 1].t);
  if (!ascending) {
    ChartSeries::InsertPoints(rows, value);
    return;
  }
  points_->Append(rows, value);
  if (empty) bounds_ = {rows.front().t, rows.front().t, rows.front().*value, rows.front().*value};
  for (const ResultRow& row : rows) ExtendBounds(row.t, row.*value);
  requestRepaint_();
}

void TFastLineSeries::ReservePoints(std::size_t count) { points_->Reserve(count + kSparePoints); }

void TFastLineSeries::ShrinkToFit() { points_->ShrinkToFit(); }

void TFastLineSeries::ExtendBounds(double x, double y) {
  bounds_.minX = std::min(bounds_.minX, x);
  bounds_.maxX = std::max(bounds_.maxX, x);
  bounds_.minY = std::min(bounds_.minY, y);
  bounds_.maxY = std::max(bounds_.maxY, y);
}

int TFastLineSeries::Count() const { return points_->size(); }

QPointF TFastLineSeries::Point(int position) const {
  const QCPGraphData& point = *(points_->constBegin() + position);
  return {point.key, point.value};
}

std::size_t TFastLineSeries::Capacity() const { return points_->Capacity(); }

int TFastLineSeries::NearestPosition(double x) const {
  const int count = Count();
  if (count == 0) return -1;
  const auto begin = points_->constBegin();
  const auto after = std::lower_bound(begin, points_->constEnd(), x,
                                      [](const QCPGraphData& point, double key) { return point.key < key; });
  const int right = static_cast<int>(after - begin);
  if (right == 0) return 0;
  if (right == count) return count - 1;
  const double toLeft = x - (begin + right - 1)->key;
  const double toRight = (begin + right)->key - x;
  return toRight < toLeft ? right : right - 1;
}

QString TFastLineSeries::Title() const { return graph_->name(); }
QColor TFastLineSeries::Color() const { return graph_->pen().color(); }
int TFastLineSeries::PenWidth() const { return graph_->pen().width(); }
