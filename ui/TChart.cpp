#include "ui/TChart.h"

#include <QFileInfo>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QSvgGenerator>
#include <QVBoxLayout>
#include <algorithm>
#include <optional>

#include "numbertext/LocaleDecimalSeparator.h"
#include "ui/AxisLabelTicker.h"
#include "ui/ChartWalls.h"
#include "ui/DepthGraph.h"
#include "ui/ReadoutText.h"

namespace {

// The depth of the view as a share of the chart's smaller side; each series takes half.
constexpr double kDepthShare = 0.05;
// Mouse movement below this many pixels is a click, not a gesture.
constexpr int kGestureThreshold = 3;
// The readout stands this far below and to the right of the pointer.
constexpr int kReadoutDistance = 14;

struct SeriesStyle {
  const char* title;
  QColor color;
  int penWidth;
};
// Series1 first, so that it is drawn first and lies behind Series2.
const SeriesStyle kSeriesStyles[2] = {{"U(t)", Qt::blue, 2}, {"E(t)", Qt::red, 1}};
const SeriesStyle kExactStyle = {"Uточн(t)", QColor(255, 128, 0), 1};
const SeriesStyle kErrorStyle = {"U − Uточн", QColor(160, 0, 160), 1};

const char* const kBottomTitle = "t, с";
const char* const kLeftTitle = "U, В";
const char* const kRightTitle = "U − Uточн, В";

void StyleAxis(QCPAxis* axis, const QFont& font) {
  axis->setTickLabelFont(font);
  axis->setLabelFont(font);
  axis->setTickLengthIn(0);
  axis->setTickLengthOut(4);
  axis->setSubTicks(false);
  axis->grid()->setVisible(false);
  axis->setPadding(2);
  axis->setLabelPadding(2);
}

DepthGraph* CreateGraph(QCPAxis* keyAxis, QCPAxis* valueAxis, const SeriesStyle& style, Qt::PenStyle line) {
  auto* graph = new DepthGraph(keyAxis, valueAxis);
  graph->setName(QString::fromUtf8(style.title));
  graph->setPen(QPen(style.color, style.penWidth, line));
  graph->setLineStyle(QCPGraph::lsLine);
  graph->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssNone));
  graph->setAdaptiveSampling(true);
  return graph;
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

void Extend(std::optional<SeriesBounds>& all, const TFastLineSeries& series) {
  if (series.IsEmpty()) return;
  const SeriesBounds& b = series.Bounds();
  if (!all) {
    all = b;
    return;
  }
  all->minX = std::min(all->minX, b.minX);
  all->maxX = std::max(all->maxX, b.maxX);
  all->minY = std::min(all->minY, b.minY);
  all->maxY = std::max(all->maxY, b.maxY);
}

}  // namespace

TChart::TChart(QWidget* parent) : QWidget(parent), plot_(new QCustomPlot(this)) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(plot_);
  // Never a Tab stop; a click gives it the focus, so that its menu key works.
  setFocusPolicy(Qt::ClickFocus);
  plot_->setFocusPolicy(Qt::NoFocus);
  plot_->setInteractions(QCP::Interactions());
  plot_->setBackground(palette().color(QPalette::Button));
  plot_->setNoAntialiasingOnDrag(true);
  plot_->setMouseTracking(true);

  QCPAxisRect* frontPlane = plot_->axisRect();
  frontPlane->setBackground(Qt::NoBrush);
  bottomTicker_.reset(new AxisLabelTicker(3, "с"));
  leftTicker_.reset(new AxisLabelTicker(5, "В"));
  rightTicker_.reset(new AxisLabelTicker(5, "В"));
  // The error axis is new, with no pattern of its own: it always labels readably.
  rightTicker_->SetReadable(true);
  plot_->xAxis->setTicker(bottomTicker_);
  plot_->yAxis->setTicker(leftTicker_);
  plot_->yAxis2->setTicker(rightTicker_);
  for (QCPAxis* axis : {plot_->xAxis, plot_->yAxis, plot_->yAxis2}) StyleAxis(axis, font());
  plot_->yAxis2->setLabel(QString::fromUtf8(kRightTitle));
  plot_->yAxis2->setVisible(false);

  walls_ = new ChartWalls(plot_, frontPlane);

  for (std::size_t i = 0; i < graphs_.size(); ++i) {
    graphs_[i] = CreateGraph(plot_->xAxis, plot_->yAxis, kSeriesStyles[i], Qt::SolidLine);
    series_[i] = std::make_unique<TFastLineSeries>(graphs_[i], [this] { RequestRepaint(); });
  }
  exactGraph_ = CreateGraph(plot_->xAxis, plot_->yAxis, kExactStyle, Qt::DashLine);
  errorGraph_ = CreateGraph(plot_->xAxis, plot_->yAxis2, kErrorStyle, Qt::SolidLine);
  exact_ = std::make_unique<TFastLineSeries>(exactGraph_, [this] { if (exactShown_) RequestRepaint(); });
  error_ = std::make_unique<TFastLineSeries>(errorGraph_, [this] { if (errorShown_) RequestRepaint(); });

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
  UpdateLegend();

  rubberBand_ = new QRubberBand(QRubberBand::Rectangle, plot_);
  readout_ = new QLabel(plot_);
  readout_->setObjectName(QStringLiteral("Readout"));
  readout_->setTextFormat(Qt::PlainText);
  readout_->setAttribute(Qt::WA_TransparentForMouseEvents);
  readout_->setStyleSheet(QStringLiteral("QLabel { background: #ffffe1; color: black; border: 1px solid #808080; padding: 2px 4px; }"));
  readout_->hide();
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
AxisRange TChart::RightRange() const {
  return {plot_->yAxis2->range().lower, plot_->yAxis2->range().upper};
}

QStringList TChart::BottomLabels() const { return plot_->xAxis->tickVectorLabels().toList(); }
QStringList TChart::LeftLabels() const { return plot_->yAxis->tickVectorLabels().toList(); }
QStringList TChart::RightLabels() const { return plot_->yAxis2->tickVectorLabels().toList(); }
QString TChart::BottomTitle() const { return plot_->xAxis->label(); }
QString TChart::LeftTitle() const { return plot_->yAxis->label(); }
QString TChart::RightTitle() const { return plot_->yAxis2->label(); }
bool TChart::RightAxisShown() const { return plot_->yAxis2->visible(); }

QStringList TChart::LegendTitles() const {
  QStringList titles;
  for (int i = 0; i < plot_->legend->itemCount(); ++i) {
    if (auto* item = qobject_cast<QCPPlottableLegendItem*>(plot_->legend->item(i)))
      titles << item->plottable()->name();
  }
  return titles;
}

QPoint TChart::PixelAt(double x, double y) const {
  return QPoint(qRound(plot_->xAxis->coordToPixel(x)), qRound(plot_->yAxis->coordToPixel(y)));
}

QWidget* TChart::PlotArea() const { return plot_; }

QRect TChart::FrontPlane() const { return plot_->axisRect()->rect(); }

int TChart::Depth() const { return walls_->Depth(); }

int TChart::DepthOffsetOf(const TFastLineSeries& series) const {
  if (&series == series_[0].get() || &series == exact_.get()) return graphs_[0]->DepthOffset();
  return 0;
}

QString TChart::ReadoutText() const { return readout_->isVisible() ? readout_->text() : QString(); }

// A run's points and a study tool's change both end up here: one repaint, posted once,
// whatever asked for it in between. During a run the request waits for the run's end, so
// that events processed meanwhile (the progress dialog's) never draw a partial run.
void TChart::RequestRepaint() {
  replotWanted_ = true;
  if (runInProgress_ || replotPosted_) return;
  replotPosted_ = true;
  QMetaObject::invokeMethod(this, &TChart::QueuedReplot, Qt::QueuedConnection);
}

void TChart::QueuedReplot() {
  replotPosted_ = false;
  if (runInProgress_ || !replotWanted_) return;
  replotWanted_ = false;
  plot_->replot(QCustomPlot::rpRefreshHint);
}

void TChart::RunBegins() {
  runInProgress_ = true;
  HideReadout();
}

void TChart::RunEnds() noexcept {
  runInProgress_ = false;
  try {
    for (auto& series : series_) series->ShrinkToFit();
    exact_->ShrinkToFit();
    error_->ShrinkToFit();
  } catch (...) {
    // Without memory for a tighter copy the series simply keep their room.
  }
  if (replotWanted_) RequestRepaint();
}

void TChart::ReplotNow() {
  replotWanted_ = false;
  plot_->replot(QCustomPlot::rpImmediateRefresh);
}

void TChart::SetExactShown(bool shown) {
  exactShown_ = shown;
  exactGraph_->setVisible(shown);
  UpdateLegend();
  RequestRepaint();
}

void TChart::SetErrorShown(bool shown) {
  errorShown_ = shown;
  errorGraph_->setVisible(shown);
  plot_->yAxis2->setVisible(shown);
  UpdateLegend();
  ApplyRightRange();
  RequestRepaint();
}

void TChart::SetFlatView(bool flat) {
  flatView_ = flat;
  RequestRepaint();
}

void TChart::SetReadableLabels(bool readable) {
  readableLabels_ = readable;
  bottomTicker_->SetReadable(readable);
  leftTicker_->SetReadable(readable);
  plot_->xAxis->setLabel(readable ? QString::fromUtf8(kBottomTitle) : QString());
  plot_->yAxis->setLabel(readable ? QString::fromUtf8(kLeftTitle) : QString());
  RequestRepaint();
}

void TChart::ResetZoom() {
  rangesFixed_ = false;
  RequestRepaint();
}

// The run's two series always; the study curves after them while shown.
void TChart::UpdateLegend() {
  exactGraph_->removeFromLegend();
  errorGraph_->removeFromLegend();
  exactGraph_->setVisible(exactShown_);
  errorGraph_->setVisible(errorShown_);
  if (exactShown_) exactGraph_->addToLegend();
  if (errorShown_) errorGraph_->addToLegend();
}

bool TChart::IsPictureFileName(const QString& fileName) {
  const QString suffix = QFileInfo(fileName).suffix().toLower();
  return suffix == QLatin1String("png") || suffix == QLatin1String("pdf") || suffix == QLatin1String("svg");
}

bool TChart::SavePicture(const QString& fileName, int width, int height) {
  const QString suffix = QFileInfo(fileName).suffix().toLower();
  if (suffix == QLatin1String("png")) return SavePng(fileName, width, height);
  if (suffix == QLatin1String("pdf")) return SavePdf(fileName, width, height);
  if (suffix == QLatin1String("svg")) return SaveSvg(fileName, width, height);
  return false;
}

bool TChart::DrawnAtSize(QSize size, const std::function<bool()>& draw) {
  PrepareDrawing(size);
  const bool drawn = draw();
  PrepareDrawing(plot_->viewport().size());
  return drawn;
}

bool TChart::SavePng(const QString& fileName, int width, int height) {
  return DrawnAtSize({width, height}, [&] { return plot_->savePng(fileName, width, height); });
}

bool TChart::SavePdf(const QString& fileName, int width, int height) {
  return DrawnAtSize({width, height}, [&] { return plot_->savePdf(fileName, width, height); });
}

bool TChart::SaveSvg(const QString& fileName, int width, int height) {
  QSvgGenerator svg;
  svg.setFileName(fileName);
  svg.setSize(QSize(width, height));
  svg.setViewBox(QRect(0, 0, width, height));
  // The file states its size in millimetres; at 96 per inch a browser shows it pixel for pixel.
  svg.setResolution(96);
  svg.setTitle(QStringLiteral("rcpulse"));
  QCPPainter painter;
  if (!painter.begin(&svg)) return false;
  const bool saved = DrawnAtSize({width, height}, [&] {
    plot_->toPainter(&painter, width, height);
    return painter.end();
  });
  return saved && QFileInfo(fileName).size() > 0;
}

// Depth, room for the back wall above and to the right of the front plane, and the ranges.
void TChart::PrepareDrawing(QSize size) {
  const int depth = flatView_ ? 0 : qRound(kDepthShare * std::min(size.width(), size.height()));
  walls_->SetDepth(depth);
  graphs_[0]->SetDepthOffset(depth / 2);
  graphs_[1]->SetDepthOffset(0);
  exactGraph_->SetDepthOffset(depth / 2);
  errorGraph_->SetDepthOffset(0);
  // The error axis stands right of the back wall, where its labels are free.
  plot_->yAxis2->setOffset(depth);
  const int labelHeight = QFontMetrics(font()).height();
  const int right = errorShown_ ? 0 : depth + 4 * labelHeight / 3;
  plot_->axisRect()->setMinimumMargins(QMargins(0, depth + labelHeight / 2 + 2, right, 0));
  if (!rangesFixed_) ApplyAutomaticRanges();
}

void TChart::ApplyAutomaticRanges() {
  std::optional<SeriesBounds> all;
  for (const auto& series : series_) Extend(all, *series);
  if (exactShown_) Extend(all, *exact_);
  const SeriesBounds bounds = all.value_or(SeriesBounds{});
  SetExactRange(plot_->xAxis, *bottomTicker_, bounds.minX, bounds.maxX);
  SetExactRange(plot_->yAxis, *leftTicker_, bounds.minY, bounds.maxY);
  ApplyRightRange();
}

void TChart::ApplyRightRange() {
  const SeriesBounds bounds = error_->IsEmpty() ? SeriesBounds{} : error_->Bounds();
  SetExactRange(plot_->yAxis2, *rightTicker_, bounds.minY, bounds.maxY);
}

void TChart::FixRanges() {
  rangesFixed_ = true;
  bottomTicker_->SetSingleValue(std::nullopt);
  leftTicker_->SetSingleValue(std::nullopt);
  rightTicker_->SetSingleValue(std::nullopt);
}

void TChart::keyPressEvent(QKeyEvent* event) {
  const bool menuKey = event->key() == Qt::Key_Menu && event->modifiers() == Qt::NoModifier;
  const bool shiftF10 = event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier;
  if (menuKey || shiftF10) {
    event->accept();
    HideReadout();
    emit MenuRequested(mapToGlobal(rect().center()));
    return;
  }
  QWidget::keyPressEvent(event);
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
      HideReadout();
      scrolling_ = false;
      dragStart_ = dragLast_ = mouse->position().toPoint();
      return true;
    }
    case QEvent::MouseMove: {
      const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
      if (drag_ == Drag::Zoom) {
        rubberBand_->setGeometry(QRect(dragStart_, at).normalized());
        rubberBand_->show();
      } else if (drag_ == Drag::Scroll) {
        // A right click that hardly moves opens the menu instead of scrolling.
        if (!scrolling_ && (at - dragStart_).manhattanLength() < kGestureThreshold) return true;
        scrolling_ = true;
        ScrollBy(dragLast_, at);
      } else {
        ShowReadout(at);
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
        drag_ = Drag::None;
        if (scrolling_ || (at - dragStart_).manhattanLength() >= kGestureThreshold) {
          ScrollBy(dragLast_, at);
        } else {
          emit MenuRequested(plot_->mapToGlobal(at));
        }
      }
      return true;
    }
    case QEvent::Leave:
      HideReadout();
      return false;
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
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
    QCPAxis* right = plot_->yAxis2;
    const QCPRange x(bottom->pixelToCoord(dragStart_.x()), bottom->pixelToCoord(end.x()));
    const QCPRange y(left->pixelToCoord(end.y()), left->pixelToCoord(dragStart_.y()));
    const QCPRange y2(right->pixelToCoord(end.y()), right->pixelToCoord(dragStart_.y()));
    FixRanges();
    bottom->setRange(x.lower, x.upper);
    left->setRange(y.lower, y.upper);
    right->setRange(y2.lower, y2.upper);
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
  bottom->moveRange(bottom->pixelToCoord(from.x()) - bottom->pixelToCoord(to.x()));
  for (QCPAxis* value : {plot_->yAxis, plot_->yAxis2})
    value->moveRange(value->pixelToCoord(from.y()) - value->pixelToCoord(to.y()));
  RequestRepaint();
}

// The row nearest in time to the pointer's position on the bottom axis, over the plot only.
void TChart::ShowReadout(QPoint at) {
  const TFastLineSeries& solution = *series_[0];
  const QRect plotArea = FrontPlane().adjusted(0, -Depth(), Depth(), 0);
  if (solution.IsEmpty() || !plotArea.contains(at)) {
    HideReadout();
    return;
  }
  const int position = solution.NearestPosition(plot_->xAxis->pixelToCoord(at.x()));
  const QPointF point = solution.Point(position);
  ReadoutValues values;
  values.t = point.x();
  values.u = point.y();
  values.E = position < series_[1]->Count() ? series_[1]->Point(position).y() : 0;
  // The study curves hold the same times as the solution while they are complete.
  if (exactShown_ && position < exact_->Count() && exact_->Point(position).x() == point.x())
    values.exact = exact_->Point(position).y();
  if (errorShown_ && position < error_->Count() && error_->Point(position).x() == point.x())
    values.error = error_->Point(position).y();
  readout_->setText(QString::fromStdString(::ReadoutText(values, LocaleDecimalSeparator())));
  readout_->adjustSize();

  // Beside the pointer, turned to the other side where it would leave the chart.
  QPoint place = at + QPoint(kReadoutDistance, kReadoutDistance);
  if (place.x() + readout_->width() > plot_->width()) place.setX(at.x() - kReadoutDistance - readout_->width());
  if (place.y() + readout_->height() > plot_->height()) place.setY(at.y() - kReadoutDistance - readout_->height());
  readout_->move(std::max(place.x(), 0), std::max(place.y(), 0));
  readout_->show();
  readout_->raise();
}

void TChart::HideReadout() { readout_->hide(); }
