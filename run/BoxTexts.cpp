#include "run/BoxTexts.h"

#include "numbertext/FormatGeneral.h"

std::string ResultBoxText(double globalError) {
  return "Глобальная погрешность = " + FormatGeneral(globalError);
}

std::string ErrorBoxText(const std::string& message) {
  if (message.empty() || static_cast<unsigned char>(message.back()) <= 0x2E) return message;
  return message + ".";
}
