#include "ui/HandleEvent.h"

#include <exception>

#include "model/Errors.h"
#include "run/ErrorText.h"
#include "ui/MessageBoxes.h"

void HandleEvent(const std::function<void()>& handler) {
  try {
    handler();
  } catch (const ERunCancelled& cancelled) {
    // The user asked for it: information, not an error.
    ShowInformationBox(cancelled.Message());
  } catch (...) {
    ShowErrorBox(ErrorMessage(std::current_exception()));
  }
}
