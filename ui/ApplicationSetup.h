// What the application object does before the main window exists: the locale's decimal
// separator, the application title from the program file's name, the program icon, and the
// widget style and dialogs the window is designed for.
#pragma once

// Call right after the QApplication is constructed.
void InitializeApplication();
