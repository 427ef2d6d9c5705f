#include "ui/ApplicationSetup.h"

#include <QApplication>
#include <QStyleFactory>

#include "ui/ApplicationTitle.h"
#include "ui/LocaleSettings.h"
#include "ui/ProgramIcon.h"

void InitializeApplication() {
  ReadLocaleDecimalSeparator();
  // Only the application name is set, never a display name: Qt would append a display name
  // to every window caption (" — rcpulse"), and the captions must read exactly as given.
  QCoreApplication::setApplicationName(ApplicationTitle(QCoreApplication::applicationFilePath()));
  QApplication::setWindowIcon(ProgramIcon());
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
}
