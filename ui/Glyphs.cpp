#include "ui/Glyphs.h"

#include <QImage>
#include <QPainter>
#include <QPolygon>

namespace {

QPixmap EmptyGlyph() {
  QPixmap glyph(kGlyphSize, kGlyphSize);
  glyph.fill(Qt::transparent);
  return glyph;
}

}  // namespace

QPixmap CheckMarkGlyph() {
  QPixmap glyph = EmptyGlyph();
  QPainter painter(&glyph);
  const QPolygon mark({{2, 9}, {4, 7}, {7, 10}, {14, 3}, {16, 5}, {7, 14}});
  painter.setPen(QPen(QColor(0, 96, 0), 1));
  painter.setBrush(QColor(0, 160, 0));
  painter.drawPolygon(mark);
  return glyph;
}

QPixmap OpenDoorGlyph() {
  QPixmap glyph = EmptyGlyph();
  QPainter painter(&glyph);
  // The door frame with the dark opening behind the door.
  painter.setPen(QColor(64, 64, 64));
  painter.setBrush(QColor(0, 0, 0));
  painter.drawRect(6, 1, 10, 15);
  // The door leaf, swung open towards the viewer on its left hinge.
  const QPolygon leaf({{6, 1}, {2, 3}, {2, 17}, {6, 16}});
  painter.setBrush(QColor(192, 160, 64));
  painter.setPen(QColor(96, 64, 0));
  painter.drawPolygon(leaf);
  painter.setPen(QColor(255, 255, 0));
  painter.drawPoint(5, 9);
  painter.drawPoint(5, 10);
  // The floor in front of the doorway.
  painter.setPen(QColor(0, 0, 128));
  painter.drawLine(0, 17, 17, 17);
  return glyph;
}

QPixmap GreyedGlyph(const QPixmap& glyph) {
  const QImage source = glyph.toImage().convertToFormat(QImage::Format_ARGB32);
  QImage greyed(source.size(), QImage::Format_ARGB32);
  greyed.fill(Qt::transparent);
  const QRgb shadow = qRgb(255, 255, 255);
  const QRgb shape = qRgb(128, 128, 128);
  for (int y = 0; y < source.height(); ++y) {
    for (int x = 0; x < source.width(); ++x) {
      if (qAlpha(source.pixel(x, y)) == 0) continue;
      if (x + 1 < greyed.width() && y + 1 < greyed.height() && qAlpha(greyed.pixel(x + 1, y + 1)) == 0) {
        greyed.setPixel(x + 1, y + 1, shadow);
      }
    }
  }
  for (int y = 0; y < source.height(); ++y) {
    for (int x = 0; x < source.width(); ++x) {
      if (qAlpha(source.pixel(x, y)) != 0) greyed.setPixel(x, y, shape);
    }
  }
  return QPixmap::fromImage(greyed);
}

QIcon GlyphIcon(const QPixmap& glyph) {
  QIcon icon;
  icon.addPixmap(glyph, QIcon::Normal);
  icon.addPixmap(GreyedGlyph(glyph), QIcon::Disabled);
  return icon;
}
