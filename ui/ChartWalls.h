// The walls of the chart's depth view, drawn beneath the curves: an outlined back wall with
// the grid, and the filled left and bottom walls joining it to the front plane, where the
// axes stand. A plain oblique projection: depth goes up and to the right at 45 degrees.
#pragma once

#include <qcustomplot.h>

class ChartWalls : public QCPLayerable {
 public:
  ChartWalls(QCustomPlot* plot, QCPAxisRect* frontPlane);

  void SetDepth(int pixels) { depth_ = pixels; }
  int Depth() const { return depth_; }

 protected:
  void applyDefaultAntialiasingHint(QCPPainter* painter) const override;
  void draw(QCPPainter* painter) override;

 private:
  QCPAxisRect* frontPlane_;
  int depth_ = 0;
};
