#include "ui/ApplicationTitle.h"

QString ApplicationTitle(const QString& programFilePath) {
  QString name = programFilePath.mid(programFilePath.lastIndexOf(QLatin1Char('/')) + 1);
  const qsizetype point = name.indexOf(QLatin1Char('.'));
  if (point >= 0) name.truncate(point);
  if (name.isEmpty()) return name;
  return name.left(1) + name.mid(1).toLower();
}
