#include "ui/ChartWalls.h"

ChartWalls::ChartWalls(QCustomPlot* plot, QCPAxisRect* frontPlane)
    : QCPLayerable(plot, QStringLiteral("grid")), frontPlane_(frontPlane) {}

void ChartWalls::applyDefaultAntialiasingHint(QCPPainter* painter) const {
  applyAntialiasingHint(painter, false, QCP::aeOther);
}

void ChartWalls::draw(QCPPainter* painter) {
  const int left = frontPlane_->left();
  const int right = frontPlane_->right();
  const int top = frontPlane_->top();
  const int bottom = frontPlane_->bottom();
  const QPoint depth(depth_, -depth_);

  const QPen wallPen(Qt::black, 0);
  painter->setPen(wallPen);
  painter->setBrush(Qt::white);
  const QPoint leftWall[] = {{left, bottom}, {left, top}, QPoint(left, top) + depth,
                             QPoint(left, bottom) + depth};
  painter->drawPolygon(leftWall, 4);
  const QPoint bottomWall[] = {{left, bottom}, QPoint(left, bottom) + depth,
                               QPoint(right, bottom) + depth, {right, bottom}};
  painter->drawPolygon(bottomWall, 4);

  // The grid runs along the back wall and across the two side walls to the axes.
  QPen gridPen(QColor(128, 128, 128), 0, Qt::DotLine);
  painter->setPen(gridPen);
  QCPAxis* leftAxis = frontPlane_->axis(QCPAxis::atLeft);
  QCPAxis* bottomAxis = frontPlane_->axis(QCPAxis::atBottom);
  for (double tick : leftAxis->tickVector()) {
    const int y = qRound(leftAxis->coordToPixel(tick));
    if (y <= top || y >= bottom) continue;
    painter->drawLine(QPoint(left, y), QPoint(left, y) + depth);
    painter->drawLine(QPoint(left, y) + depth, QPoint(right, y) + depth);
  }
  for (double tick : bottomAxis->tickVector()) {
    const int x = qRound(bottomAxis->coordToPixel(tick));
    if (x <= left || x >= right) continue;
    painter->drawLine(QPoint(x, bottom), QPoint(x, bottom) + depth);
    painter->drawLine(QPoint(x, bottom) + depth, QPoint(x, top) + depth);
  }

  painter->setPen(wallPen);
  painter->setBrush(Qt::NoBrush);
  painter->drawRect(QRect(QPoint(left, top) + depth, QSize(right - left, bottom - top)));
}
