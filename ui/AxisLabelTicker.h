// Tick positions and label texts of one chart axis: the library's readable tick steps, labels
// by the axis' pattern, and a single tick in the middle when the axis shows one value only
// (an empty chart, or every point at the same height).
#pragma once

#include <optional>

#include <qcustomplot.h>

class AxisLabelTicker : public QCPAxisTicker {
 public:
  explicit AxisLabelTicker(int maxDecimals) : maxDecimals_(maxDecimals) {}

  // With a value, the axis shows that one label only; without, readable steps.
  void SetSingleValue(std::optional<double> value) { singleValue_ = value; }

  void generate(const QCPRange& range, const QLocale& locale, QChar formatChar, int precision,
                QVector<double>& ticks, QVector<double>* subTicks,
                QVector<QString>* tickLabels) override;

  QString LabelText(double tick) const;

 protected:
  QString getTickLabel(double tick, const QLocale& locale, QChar formatChar, int precision) override;

 private:
  int maxDecimals_;
  std::optional<double> singleValue_;
};
