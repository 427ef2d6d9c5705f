// The one translation from whatever was raised to the text the user sees: the window's error
// box, the runner's standard error and each row of a convergence study all show this.
#pragma once

#include <exception>
#include <string>

// The error's message before the period rule: an error of the program's own its text,
// exhausted memory "Out of memory", any other standard exception its what(), and anything
// else "Unknown error".
std::string ErrorMessage(const std::exception_ptr& error);

// The message with the error box's period rule (ErrorBoxText).
std::string ErrorText(const std::exception_ptr& error);
