#include "ui/AxisLabelText.h"

#include <cmath>
#include <cstdio>
#include <vector>

namespace {

// Adds one unit in the last place of a string of decimal digits; returns the carry.
bool IncrementDigits(std::string& digits) {
  for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
    if (*it != '9') {
      ++*it;
      return false;
    }
    *it = '0';
  }
  return true;
}

std::string GroupedInThrees(const std::string& integerDigits, std::string_view separator) {
  std::string grouped;
  const std::size_t count = integerDigits.size();
  for (std::size_t i = 0; i < count; ++i) {
    if (i > 0 && (count - i) % 3 == 0) grouped += separator;
    grouped += integerDigits[i];
  }
  return grouped;
}

}  // namespace

std::string AxisLabelText(double value, int maxDecimals, char decimalSeparator,
                          std::string_view thousandsSeparator) {
  if (!std::isfinite(value)) return std::isnan(value) ? "NAN" : (value < 0 ? "-INF" : "INF");

  // glibc prints the exact binary value, so the first dropped digit decides the rounding
  // without any earlier rounding in between (a double has at most 1074 fractional digits).
  std::vector<char> exact(1500);
  std::snprintf(exact.data(), exact.size(), "%.1100f", std::fabs(value));
  const std::string text(exact.data());
  const std::size_t point = text.find('.');
  std::string integerDigits = text.substr(0, point);
  std::string fraction = text.substr(point + 1, static_cast<std::size_t>(maxDecimals));
  if (text[point + 1 + static_cast<std::size_t>(maxDecimals)] >= '5') {
    if (IncrementDigits(fraction) && IncrementDigits(integerDigits)) integerDigits = std::string(1, '1').append(integerDigits);
  }
  while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();

  const bool roundsToZero = fraction.empty() && integerDigits.find_first_not_of('0') == std::string::npos;
  std::string label;
  if (value < 0 && !roundsToZero) label.push_back('-');
  label += GroupedInThrees(integerDigits, thousandsSeparator);
  if (!fraction.empty()) {
    label.push_back(decimalSeparator);
    label.append(fraction);
  }
  return label;
}
