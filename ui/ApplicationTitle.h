// The application title, derived from the running program file's name: it captions the
// result box and the error box and names the application. Pure, so it can be tested with
// any file name.
#pragma once

#include <QString>

// The name without its directory, cut at its first point, every character after the first in
// lower case: "/usr/bin/rcpulse" → "rcpulse", "CIRCUIT.EXE" → "Circuit", "lab.final" → "lab".
QString ApplicationTitle(const QString& programFilePath);
