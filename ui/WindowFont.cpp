#include "ui/WindowFont.h"

#include <QFontMetrics>

QFont WindowFont() {
  QFont font(QStringLiteral("DejaVu Sans Condensed"));
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(11);
  // The condensed face is still a little wider than the design font: the longest label,
  // "Время окончания сигнала t4:", would touch its field at left 168 without this.
  font.setLetterSpacing(QFont::PercentageSpacing, 97);
  return font;
}

double DesignScale(const QFont& font) {
  return static_cast<double>(QFontMetrics(font).height()) / kDesignTextHeight;
}
