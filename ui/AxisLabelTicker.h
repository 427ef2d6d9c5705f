// Tick positions and label texts of one chart axis: the library's readable tick steps, labels
// by the axis' pattern, and a single tick in the middle when the axis shows one value only
// (an empty chart, or every point at the same height). In the readable mode the labels keep
// distinct ticks distinct instead (more decimals, or SI prefixes with the axis' unit).
#pragma once

#include <optional>
#include <string>

#include <qcustomplot.h>

class AxisLabelTicker : public QCPAxisTicker {
 public:
  // maxDecimals: the pattern's decimals; unit: what the readable labels append to a prefix.
  AxisLabelTicker(int maxDecimals, std::string unit) : maxDecimals_(maxDecimals), unit_(std::move(unit)) {}

  // With a value, the axis shows that one label only; without, readable steps.
  void SetSingleValue(std::optional<double> value) { singleValue_ = value; }
  void SetReadable(bool readable) { readable_ = readable; }
  bool Readable() const { return readable_; }

  void generate(const QCPRange& range, const QLocale& locale, QChar formatChar, int precision,
                QVector<double>& ticks, QVector<double>* subTicks,
                QVector<QString>* tickLabels) override;

  QString LabelText(double tick) const;

 protected:
  QString getTickLabel(double tick, const QLocale& locale, QChar formatChar, int precision) override;

 private:
  QVector<QString> ReadableLabels(const QVector<double>& ticks) const;

  int maxDecimals_;
  std::string unit_;
  bool readable_ = false;
  std::optional<double> singleValue_;
};
