#include "cli/DecimalSeparatorChoice.h"

#include <QLocale>

#include "numbertext/LocaleDecimalSeparator.h"

void ApplyDecimalSeparatorChoice(const std::optional<std::string>& chosen) {
  if (chosen) {
    SetLocaleDecimalSeparator((*chosen)[0]);
  } else {
    SetLocaleDecimalSeparator(QLocale::system().decimalPoint().toStdString());
  }
}
