#include "ui/ReadoutText.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

std::string ReadoutNumber(double value, char decimalSeparator) {
  if (value == 0) return "0";  // also -0
  char text[40];
  std::snprintf(text, sizeof text, "%.6G", value);
  std::string number(text);
  for (char& c : number)
    if (c == '.') c = decimalSeparator;
  // The exponent as the result box writes it: "E-5", not "E-05".
  const std::size_t e = number.find('E');
  if (e != std::string::npos) {
    const int exponent = std::atoi(number.c_str() + e + 1);
    number = number.substr(0, e + 1) + std::to_string(exponent);
  }
  return number;
}

std::string ReadoutText(const ReadoutValues& values, char decimalSeparator) {
  std::string text = "t = " + ReadoutNumber(values.t, decimalSeparator) + "\nu = " +
                     ReadoutNumber(values.u, decimalSeparator) + "\nE = " + ReadoutNumber(values.E, decimalSeparator);
  if (values.exact) text += "\nuточн = " + ReadoutNumber(*values.exact, decimalSeparator);
  if (values.error) text += "\nu − uточн = " + ReadoutNumber(*values.error, decimalSeparator);
  return text;
}
