#include "ui/ProgramIcon.h"

// The resource lives in a static library, so it must be registered by hand.
static void RegisterProgramIconResource() { Q_INIT_RESOURCE(ProgramIcon); }

QIcon ProgramIcon() {
  RegisterProgramIconResource();
  return QIcon(QStringLiteral(":/icons/rcpulse-32.png"));
}
