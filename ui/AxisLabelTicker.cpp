#include "ui/AxisLabelTicker.h"

#include "numbertext/LocaleDecimalSeparator.h"
#include "ui/AxisLabelText.h"

void AxisLabelTicker::generate(const QCPRange& range, const QLocale& locale, QChar formatChar,
                               int precision, QVector<double>& ticks, QVector<double>* subTicks,
                               QVector<QString>* tickLabels) {
  if (!singleValue_) {
    QCPAxisTicker::generate(range, locale, formatChar, precision, ticks, subTicks, tickLabels);
    return;
  }
  ticks = {*singleValue_};
  if (subTicks) subTicks->clear();
  if (tickLabels) *tickLabels = {LabelText(*singleValue_)};
}

QString AxisLabelTicker::LabelText(double tick) const {
  const std::string thousands = QLocale::system().groupSeparator().toStdString();
  return QString::fromStdString(AxisLabelText(tick, maxDecimals_, LocaleDecimalSeparator(), thousands));
}

QString AxisLabelTicker::getTickLabel(double tick, const QLocale&, QChar, int) {
  return LabelText(tick);
}
