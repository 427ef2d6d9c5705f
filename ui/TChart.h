// Chart1, the results chart: two line series addressed by position (0 "U(t)" blue 2 px,
// 1 "E(t)" red 1 px) in a shallow depth view with walls, left and bottom axes ranging exactly
// over all points, the legend below. Left-drag down-right zooms, up or left undoes; right-drag
// scrolls. Usable on its own, also offscreen to render pictures.
//
// Study tools, all off at start: the exact solution as a third, dashed curve; the true error
// on a right value axis; a flat view; readable labels with axis titles. A right click without
// dragging (or the context-menu key, or Shift+F10, while the chart has the focus) asks for
// the chart's menu, and a small readout follows the pointer with the nearest row's values.
#pragma once

#include <QLabel>
#include <QRubberBand>
#include <QSharedPointer>
#include <QStringList>
#include <QWidget>
#include <array>
#include <functional>
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
  // The study curves: the exact solution (left axis) and the true error (right axis). They
  // are filled by their owner and drawn only while shown.
  TFastLineSeries& ExactSeries() { return *exact_; }
  TFastLineSeries& ErrorSeries() { return *error_; }
  const TFastLineSeries& ExactSeries() const { return *exact_; }
  const TFastLineSeries& ErrorSeries() const { return *error_; }

  // While a run is in progress, repaint requests wait; its end lets one through and gives
  // back the storage the run reserved but did not fill.
  void RunBegins() override;
  void RunEnds() noexcept override;
  bool RunInProgress() const { return runInProgress_; }

  void SetExactShown(bool shown);
  bool ExactShown() const { return exactShown_; }
  void SetErrorShown(bool shown);
  bool ErrorShown() const { return errorShown_; }
  void SetFlatView(bool flat);
  bool FlatView() const { return flatView_; }
  void SetReadableLabels(bool readable);
  bool ReadableLabels() const { return readableLabels_; }
  // Back to the automatic ranges, as the undo drag does.
  void ResetZoom();

  // The axes as the latest drawing showed them.
  AxisRange BottomRange() const;
  AxisRange LeftRange() const;
  AxisRange RightRange() const;
  QStringList BottomLabels() const;
  QStringList LeftLabels() const;
  QStringList RightLabels() const;
  QString BottomTitle() const;
  QString LeftTitle() const;
  QString RightTitle() const;
  bool RightAxisShown() const;
  QStringList LegendTitles() const;
  // True after a zoom or a scroll, until the undo gesture.
  bool RangesFixed() const { return rangesFixed_; }
  // Pixel position of an axis value on the front plane, for tests that drag the mouse.
  QPoint PixelAt(double x, double y) const;
  QWidget* PlotArea() const;
  // The plot's front plane, where the axes stand, and the depth of the view behind it.
  QRect FrontPlane() const;
  int Depth() const;
  // Pixels the curve of a series is drawn up and to the right of the front plane.
  int DepthOffsetOf(const TFastLineSeries& series) const;

  // The readout's text while it is shown, else empty.
  QString ReadoutText() const;

  // Draws at once instead of waiting for the merged repaint.
  void ReplotNow();
  bool SavePng(const QString& fileName, int width, int height);
  bool SavePdf(const QString& fileName, int width, int height);
  bool SaveSvg(const QString& fileName, int width, int height);
  // PNG, PDF or SVG by the file name's extension (any case); false for any other name.
  bool SavePicture(const QString& fileName, int width, int height);
  static bool IsPictureFileName(const QString& fileName);

 signals:
  void Replotted();
  // The chart's menu was asked for, at this screen position.
  void MenuRequested(QPoint globalPosition);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void RequestRepaint();
  void QueuedReplot();
  void PrepareDrawing(QSize size);
  // Draws a picture of the given size: laid out for that size, then for the widget again.
  bool DrawnAtSize(QSize size, const std::function<bool()>& draw);
  void ApplyAutomaticRanges();
  void ApplyRightRange();
  void FixRanges();
  void FinishZoomDrag(QPoint end);
  void ScrollBy(QPoint from, QPoint to);
  void ShowReadout(QPoint at);
  void HideReadout();
  void UpdateLegend();

  QCustomPlot* plot_;
  ChartWalls* walls_;
  std::array<DepthGraph*, 2> graphs_{};
  std::array<std::unique_ptr<TFastLineSeries>, 2> series_;
  DepthGraph* exactGraph_;
  DepthGraph* errorGraph_;
  std::unique_ptr<TFastLineSeries> exact_;
  std::unique_ptr<TFastLineSeries> error_;
  QSharedPointer<AxisLabelTicker> bottomTicker_;
  QSharedPointer<AxisLabelTicker> leftTicker_;
  QSharedPointer<AxisLabelTicker> rightTicker_;
  bool rangesFixed_ = false;
  bool exactShown_ = false;
  bool errorShown_ = false;
  bool flatView_ = false;
  bool readableLabels_ = false;

  bool runInProgress_ = false;
  bool replotWanted_ = false;
  bool replotPosted_ = false;

  enum class Drag { None, Zoom, Scroll };
  Drag drag_ = Drag::None;
  bool scrolling_ = false;
  QPoint dragStart_;
  QPoint dragLast_;
  QRubberBand* rubberBand_;
  QLabel* readout_;
};
