#include "ui/LocaleSettings.h"

#include <QLocale>

#include "run/LocaleDecimalSeparator.h"

void ReadLocaleDecimalSeparator() {
  SetLocaleDecimalSeparator(QLocale::system().decimalPoint().toStdString());
}
