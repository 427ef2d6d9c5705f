#include "ui/HandleEvent.h"

#include <exception>

#include "run/ErrorText.h"
#include "ui/MessageBoxes.h"

void HandleEvent(const std::function<void()>& handler) {
  try {
    handler();
  } catch (...) {
    ShowErrorBox(ErrorMessage(std::current_exception()));
  }
}
