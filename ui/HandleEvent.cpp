#include "ui/HandleEvent.h"

#include "model/Errors.h"
#include "run/ErrorText.h"
#include "ui/MessageBoxes.h"

void ShowEscapedError(const std::exception_ptr& error) {
  try {
    std::rethrow_exception(error);
  } catch (const ERunCancelled& cancelled) {
    // The user asked for it: information, not an error.
    ShowInformationBox(cancelled.Message());
  } catch (...) {
    ShowErrorBox(ErrorMessage(error));
  }
}
