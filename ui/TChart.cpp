#include "ui/TChart.h"

#include <QMouseEvent>
#include <QVBoxLayout>
#include <algorithm>
#include <optional>

#include "ui/AxisLabelTicker.h"
#include "ui/ChartWalls.h"
#include "ui/DepthGraph.h"

namespace {

// The depth of the view as a share of the chart's smaller side; each series takes half.
constexpr double kDepthShare = 0.05;
// Mouse movement below this many pixels is a click, not a gesture.
constexpr int kGestureThreshold = 3;

struct SeriesStyle {
  const char* title;
  QColor color;
  int penWidth;
};
// Series1 first, so that it is drawn first and lies behind Series2.
const SeriesStyle kSeriesStyles[2] = {{"U(t)", Qt::blue, 2}, {"E(t)", Qt::red, 1}};

void StyleAxis(QCPAxis* axis, const QFont& font) {
  axis->setTickLabelFont(font);
  axis->setLabelFont(font);
  axis->setTickLengthIn(0);
  axis->setTickLengthOut(4);
  axis->setSubTicks(false);
  axis->grid()->setVisible(false);
  axis->setPadding(2);
}

// Shows lower..upper exactly; a single value (or a span the library cannot show) is put in
// the middle of the axis with its one label.
void SetExactRange(QCPAxis* axis, AxisLabelTicker& ticker, double lower, double upper) {
  if (lower < upper && QCPRange::validRange(lower, upper)) {
    ticker.SetSingleValue(std::nullopt);
    axis->setRange(lower, upper);
    return;
  }
  const double middle = lower + (upper - lower) / 2;
  const double halfSpan = middle == 0 ? 1.0 : std::fabs(middle) * 1e-3;
  ticker.SetSingleValue(middle);
  axis->setRange(middle - halfSpan, middle + halfSpan);
}

}  // namespace

TChart::TChart(QWidget* parent) : QWidget(parent), plot_(new QCustomPlot(this)) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(plot_);
  setFocusPolicy(Qt::NoFocus);
  plot_->setFocusPolicy(Qt::NoFocus);
  plot_->setInteractions(QCP::Interactions());
  plot_->setBackground(palette().color(QPalette::Button));
  plot_->setNoAntialiasingOnDrag(true);

  QCPAxisRect* frontPlane = plot_->axisRect();
  frontPlane->setBackground(Qt::NoBrush);
  bottomTicker_.reset(new AxisLabelTicker(3));
  leftTicker_.reset(new AxisLabelTicker(5));
  plot_->xAxis->setTicker(bottomTicker_);
  plot_->yAxis->setTicker(leftTicker_);
  StyleAxis(plot_->xAxis, font());
  StyleAxis(plot_->yAxis, font());

  walls_ = new ChartWalls(plot_, frontPlane);

  for (std::size_t i = 0; i < graphs_.size(); ++i) {
    auto* graph = new DepthGraph(plot_->xAxis, plot_->yAxis);
    graph->setName(QString::fromUtf8(kSeriesStyles[i].title));
    graph->setPen(QPen(kSeriesStyles[i].color, kSeriesStyles[i].penWidth));
    graph->setLineStyle(QCPGraph::lsLine);
    graph->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssNone));
    graph->setAdaptiveSampling(true);
    graphs_[i] = graph;
    series_[i] = std::make_unique<TFastLineSeries>(graph, [this] { RequestRepaint(); });
  }

  // The legend stands below the plot, centred, its entries side by side.
  QCPLegend* legend = plot_->legend;
  legend->setVisible(true);
  legend->setFont(font());
  legend->setFillOrder(QCPLayoutGrid::foColumnsFirst);
  legend->setWrap(0);
  legend->setBrush(Qt::white);
  legend->setBorderPen(QPen(Qt::black, 0));
  legend->setIconSize(24, 10);
  frontPlane->insetLayout()->take(legend);
  auto* legendRow = new QCPLayoutGrid;
  plot_->plotLayout()->addElement(1, 0, legendRow);
  legendRow->addElement(0, 0, new QCPLayoutElement(plot_));
  legendRow->addElement(0, 1, legend);
  legendRow->addElement(0, 2, new QCPLayoutElement(plot_));
  legendRow->setColumnStretchFactors({1, 0.001, 1});
  legendRow->setMargins(QMargins(0, 4, 0, 4));
  plot_->plotLayout()->setRowStretchFactor(1, 0.001);

  rubberBand_ = new QRubberBand(QRubberBand::Rectangle, plot_);
  plot_->installEventFilter(this);

  connect(plot_, &QCustomPlot::beforeReplot, this, [this] { PrepareDrawing(plot_->viewport().size()); });
  connect(plot_, &QCustomPlot::afterReplot, this, &TChart::Replotted);
  PrepareDrawing(size());
}

TChart::~TChart() = default;

ChartSeries& TChart::Series(int position) { return FastLineSeries(position); }

TFastLineSeries& TChart::FastLineSeries(int position) {
  return *series_.at(static_cast<std::size_t>(position));
}

AxisRange TChart::BottomRange() const {
  return {plot_->xAxis->range().lower, plot_->xAxis->range().upper};
}
AxisRange TChart::LeftRange() const {
  return {plot_->yAxis->range().lower, plot_->yAxis->range().upper};
}

QStringList TChart::BottomLabels() const { return plot_->xAxis->tickVectorLabels().toList(); }
QStringList TChart::LeftLabels() const { return plot_->yAxis->tickVectorLabels().toList(); }

QPoint TChart::PixelAt(double x, double y) const {
  return QPoint(qRound(plot_->xAxis->coordToPixel(x)), qRound(plot_->yAxis->coordToPixel(y)));
}

QWidget* TChart::PlotArea() const { return plot_; }

QRect TChart::FrontPlane() const { return plot_->axisRect()->rect(); }

int TChart::Depth() const { return walls_->Depth(); }

void TChart::RequestRepaint() { plot_->replot(QCustomPlot::rpQueuedReplot); }

void TChart::ReplotNow() { plot_->replot(QCustomPlot::rpImmediateRefresh); }

bool TChart::SavePng(const QString& fileName, int width, int height) {
  PrepareDrawing(QSize(width, height));
  const bool saved = plot_->savePng(fileName, width, height);
  PrepareDrawing(plot_->viewport().size());
  return saved;
}

bool TChart::SavePdf(const QString& fileName, int width, int height) {
  PrepareDrawing(QSize(width, height));
  const bool saved = plot_->savePdf(fileName, width, height);
  PrepareDrawing(plot_->viewport().size());
  return saved;
}

// Depth, room for the back wall above and to the right of the front plane, and the ranges.
void TChart::PrepareDrawing(QSize size) {
  const int depth = qRound(kDepthShare * std::min(size.width(), size.height()));
  walls_->SetDepth(depth);
  graphs_[0]->SetDepthOffset(depth / 2);
  graphs_[1]->SetDepthOffset(0);
  const int labelHeight = QFontMetrics(font()).height();
  plot_->axisRect()->setMinimumMargins(QMargins(0, depth + labelHeight / 2 + 2, depth + 4 * labelHeight / 3, 0));
  if (!rangesFixed_) ApplyAutomaticRanges();
}

void TChart::ApplyAutomaticRanges() {
  std::optional<SeriesBounds> all;
  for (const auto& series : series_) {
    if (series->IsEmpty()) continue;
    const SeriesBounds& b = series->Bounds();
    if (!all) {
      all = b;
    } else {
      all->minX = std::min(all->minX, b.minX);
      all->maxX = std::max(all->maxX, b.maxX);
      all->minY = std::min(all->minY, b.minY);
      all->maxY = std::max(all->maxY, b.maxY);
    }
  }
  const SeriesBounds bounds = all.value_or(SeriesBounds{});
  SetExactRange(plot_->xAxis, *bottomTicker_, bounds.minX, bounds.maxX);
  SetExactRange(plot_->yAxis, *leftTicker_, bounds.minY, bounds.maxY);
}

void TChart::FixRanges() {
  rangesFixed_ = true;
  bottomTicker_->SetSingleValue(std::nullopt);
  leftTicker_->SetSingleValue(std::nullopt);
}

bool TChart::eventFilter(QObject* watched, QEvent* event) {
  if (watched != plot_) return QWidget::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::MouseButtonPress: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      if (drag_ != Drag::None) return true;
      if (mouse->button() == Qt::LeftButton) drag_ = Drag::Zoom;
      else if (mouse->button() == Qt::RightButton) drag_ = Drag::Scroll;
      else return true;
      dragStart_ = dragLast_ = mouse->position().toPoint();
      return true;
    }
    case QEvent::MouseMove: {
      const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
      if (drag_ == Drag::Zoom) {
        rubberBand_->setGeometry(QRect(dragStart_, at).normalized());
        rubberBand_->show();
      } else if (drag_ == Drag::Scroll) {
        ScrollBy(dragLast_, at);
      }
      dragLast_ = at;
      return true;
    }
    case QEvent::MouseButtonRelease: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      const QPoint at = mouse->position().toPoint();
      if (drag_ == Drag::Zoom && mouse->button() == Qt::LeftButton) {
        rubberBand_->hide();
        drag_ = Drag::None;
        FinishZoomDrag(at);
      } else if (drag_ == Drag::Scroll && mouse->button() == Qt::RightButton) {
        ScrollBy(dragLast_, at);
        drag_ = Drag::None;
      }
      return true;
    }
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
      return true;
    default:
      return QWidget::eventFilter(watched, event);
  }
}

void TChart::FinishZoomDrag(QPoint end) {
  const QPoint moved = end - dragStart_;
  if (moved.x() >= kGestureThreshold && moved.y() >= kGestureThreshold) {
    QCPAxis* bottom = plot_->xAxis;
    QCPAxis* left = plot_->yAxis;
    const QCPRange x(bottom->pixelToCoord(dragStart_.x()), bottom->pixelToCoord(end.x()));
    const QCPRange y(left->pixelToCoord(end.y()), left->pixelToCoord(dragStart_.y()));
    FixRanges();
    bottom->setRange(x.lower, x.upper);
    left->setRange(y.lower, y.upper);
  } else if (moved.x() <= -kGestureThreshold || moved.y() <= -kGestureThreshold) {
    rangesFixed_ = false;
  } else {
    return;
  }
  RequestRepaint();
}

void TChart::ScrollBy(QPoint from, QPoint to) {
  if (from == to) return;
  FixRanges();
  QCPAxis* bottom = plot_->xAxis;
  QCPAxis* left = plot_->yAxis;
  bottom->moveRange(bottom->pixelToCoord(from.x()) - bottom->pixelToCoord(to.x()));
  left->moveRange(left->pixelToCoord(from.y()) - left->pixelToCoord(to.y()));
  RequestRepaint();
}
