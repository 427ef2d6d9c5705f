#include "ui/ReadableAxisText.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "ui/AxisLabelText.h"

namespace {

constexpr int kSmallestPower = -12;
constexpr int kLargestPower = 9;
constexpr int kMostDecimals = 15;

// The smallest number of decimals at which each value differs from its rounding by less than
// the tolerance.
int DecimalsWithin(std::span<const double> values, double tolerance) {
  for (int decimals = 0; decimals < kMostDecimals; ++decimals) {
    const double factor = std::pow(10.0, decimals);
    const bool exact = std::all_of(values.begin(), values.end(), [&](double value) {
      const double scaled = value * factor;
      return std::fabs(scaled - std::round(scaled)) <= tolerance * factor;
    });
    if (exact) return decimals;
  }
  return kMostDecimals;
}

}  // namespace

ReadableScale ChooseReadableScale(std::span<const double> ticks) {
  double largest = 0;
  for (double tick : ticks)
    if (std::isfinite(tick)) largest = std::max(largest, std::fabs(tick));
  ReadableScale scale;
  if (largest != 0 && (largest < 0.1 || largest >= 1000)) {
    const int power = 3 * static_cast<int>(std::floor(std::log10(largest) / 3));
    scale.power = std::clamp(power, kSmallestPower, kLargestPower);
  }
  const double unit = std::pow(10.0, scale.power);
  std::vector<double> scaled;
  for (double tick : ticks)
    if (std::isfinite(tick)) scaled.push_back(tick / unit);
  if (scaled.empty()) return scale;

  // Neighbouring ticks must differ in their text: write each to a millionth of the step.
  double step = 0;
  for (std::size_t i = 1; i < scaled.size(); ++i) {
    const double gap = std::fabs(scaled[i] - scaled[i - 1]);
    if (gap > 0 && (step == 0 || gap < step)) step = gap;
  }
  if (step == 0) step = std::max(std::fabs(scaled.front()), 1.0);
  scale.decimals = DecimalsWithin(scaled, step * 1e-6);
  return scale;
}

std::string_view SiPrefix(int power) {
  switch (power) {
    case -12: return "п";
    case -9: return "н";
    case -6: return "мк";
    case -3: return "м";
    case 3: return "к";
    case 6: return "М";
    case 9: return "Г";
    default: return "";
  }
}

std::string ReadableAxisText(double tick, const ReadableScale& scale, std::string_view unit,
                             char decimalSeparator, std::string_view thousandsSeparator) {
  const double scaled = tick / std::pow(10.0, scale.power);
  std::string text = AxisLabelText(scaled, scale.decimals, decimalSeparator, thousandsSeparator);
  if (scale.power != 0 && text != "0") {
    text += ' ';
    text += SiPrefix(scale.power);
    text += unit;
  }
  return text;
}
