// The program's own 32 × 32 icon, from the application's resources.
#pragma once

#include <QIcon>

QIcon ProgramIcon();
