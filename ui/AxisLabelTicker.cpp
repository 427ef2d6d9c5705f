#include "ui/AxisLabelTicker.h"

#include <span>

#include "numbertext/LocaleDecimalSeparator.h"
#include "ui/AxisLabelText.h"
#include "ui/ReadableAxisText.h"

namespace {

std::string ThousandsSeparator() { return QLocale::system().groupSeparator().toStdString(); }

}  // namespace

void AxisLabelTicker::generate(const QCPRange& range, const QLocale& locale, QChar formatChar,
                               int precision, QVector<double>& ticks, QVector<double>* subTicks,
                               QVector<QString>* tickLabels) {
  if (singleValue_) {
    ticks = {*singleValue_};
    if (subTicks) subTicks->clear();
  } else {
    // The pattern's labels come from getTickLabel, tick by tick; readable ones need all ticks.
    QCPAxisTicker::generate(range, locale, formatChar, precision, ticks, subTicks,
                            readable_ ? nullptr : tickLabels);
    if (!readable_) return;
  }
  if (!tickLabels) return;
  if (readable_) {
    *tickLabels = ReadableLabels(ticks);
  } else {
    *tickLabels = {LabelText(*singleValue_)};
  }
}

QString AxisLabelTicker::LabelText(double tick) const {
  return QString::fromStdString(AxisLabelText(tick, maxDecimals_, LocaleDecimalSeparator(), ThousandsSeparator()));
}

QVector<QString> AxisLabelTicker::ReadableLabels(const QVector<double>& ticks) const {
  const ReadableScale scale = ChooseReadableScale(std::span<const double>(ticks.constData(), ticks.size()));
  const std::string thousands = ThousandsSeparator();
  QVector<QString> labels;
  labels.reserve(ticks.size());
  for (double tick : ticks)
    labels << QString::fromStdString(ReadableAxisText(tick, scale, unit_, LocaleDecimalSeparator(), thousands));
  return labels;
}

QString AxisLabelTicker::getTickLabel(double tick, const QLocale&, QChar, int) {
  return LabelText(tick);
}
