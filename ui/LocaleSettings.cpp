#include "ui/LocaleSettings.h"

#include <QLocale>

#include "numbertext/LocaleDecimalSeparator.h"

void ReadLocaleDecimalSeparator() {
  SetLocaleDecimalSeparator(QLocale::system().decimalPoint().toStdString());
}
