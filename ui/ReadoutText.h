// The text of the chart's readout: the nearest row's t, u and E, and the exact solution and
// the true error there when they are shown, one "name = value" per line, each value with six
// significant digits and the locale's decimal separator ("0,1", "1,7963", "5,6123E-5").
#pragma once

#include <optional>
#include <string>

struct ReadoutValues {
  double t = 0, u = 0, E = 0;
  std::optional<double> exact;
  std::optional<double> error;  // u - exact
};

std::string ReadoutNumber(double value, char decimalSeparator);
std::string ReadoutText(const ReadoutValues& values, char decimalSeparator);
