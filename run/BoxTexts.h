// The texts of the two message boxes, shared by the window and the headless runner (UTF-8).
#pragma once

#include <string>

// "Глобальная погрешность = " and the global error in the general format; no period.
std::string ResultBoxText(double globalError);

// An error's message as the error box shows it: a period is appended unless the message is
// empty or its last byte, unsigned, is '.' (0x2E) or below, so "I/O error 32" reads
// "I/O error 32." and a message ending in a period, blank or '-' gets none.
std::string ErrorBoxText(const std::string& message);
