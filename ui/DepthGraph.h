// A line graph drawn in its own slice of the chart's depth view: the whole curve, and the
// region it is clipped to, shifted up and to the right by the slice's depth in pixels.
#pragma once

#include <qcustomplot.h>

class DepthGraph : public QCPGraph {
 public:
  DepthGraph(QCPAxis* keyAxis, QCPAxis* valueAxis) : QCPGraph(keyAxis, valueAxis) {}

  void SetDepthOffset(int pixels) { depthOffset_ = pixels; }
  int DepthOffset() const { return depthOffset_; }

 protected:
  QRect clipRect() const override {
    return QCPGraph::clipRect().translated(depthOffset_, -depthOffset_);
  }
  void draw(QCPPainter* painter) override {
    painter->translate(depthOffset_, -depthOffset_);
    QCPGraph::draw(painter);
    painter->translate(-depthOffset_, depthOffset_);
  }

 private:
  int depthOffset_ = 0;
};
