// Chart1, the results chart: two line series addressed by position (0 "U(t)" blue 2 px,
// 1 "E(t)" red 1 px) in a shallow depth view with walls, left and bottom axes ranging exactly
// over all points, the legend below. Left-drag down-right zooms, up or left undoes; right-drag
// scrolls. Usable on its own, also offscreen to render pictures.
#pragma once

#include <QRubberBand>
#include <QSharedPointer>
#include <QStringList>
#include <QWidget>
#include <array>
#include <memory>

#include "output/ChartOutput.h"
#include "ui/TFastLineSeries.h"

class QCustomPlot;
class QCPAxis;
class AxisLabelTicker;
class ChartWalls;
class DepthGraph;

struct AxisRange {
  double lower = 0;
  double upper = 0;
};

class TChart : public QWidget, public ResultsChart {
  Q_OBJECT

 public:
  explicit TChart(QWidget* parent = nullptr);
  ~TChart() override;

  ChartSeries& Series(int position) override;
  TFastLineSeries& FastLineSeries(int position);
  int SeriesCount() const { return static_cast<int>(series_.size()); }

  // The axes as the latest drawing showed them.
  AxisRange BottomRange() const;
  AxisRange LeftRange() const;
  QStringList BottomLabels() const;
  QStringList LeftLabels() const;
  // True after a zoom or a scroll, until the undo gesture.
  bool RangesFixed() const { return rangesFixed_; }
  // Pixel position of an axis value on the front plane, for tests that drag the mouse.
  QPoint PixelAt(double x, double y) const;
  QWidget* PlotArea() const;
  // The plot's front plane, where the axes stand, and the depth of the view behind it.
  QRect FrontPlane() const;
  int Depth() const;

  // Draws at once instead of waiting for the merged repaint.
  void ReplotNow();
  bool SavePng(const QString& fileName, int width, int height);
  bool SavePdf(const QString& fileName, int width, int height);

 signals:
  void Replotted();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void RequestRepaint();
  void PrepareDrawing(QSize size);
  void ApplyAutomaticRanges();
  void FixRanges();
  void FinishZoomDrag(QPoint end);
  void ScrollBy(QPoint from, QPoint to);

  QCustomPlot* plot_;
  ChartWalls* walls_;
  std::array<DepthGraph*, 2> graphs_{};
  std::array<std::unique_ptr<TFastLineSeries>, 2> series_;
  QSharedPointer<AxisLabelTicker> bottomTicker_;
  QSharedPointer<AxisLabelTicker> leftTicker_;
  bool rangesFixed_ = false;

  enum class Drag { None, Zoom, Scroll };
  Drag drag_ = Drag::None;
  QPoint dragStart_;
  QPoint dragLast_;
  QRubberBand* rubberBand_;
};
