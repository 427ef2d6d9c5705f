#include "ui/HandleEvent.h"

#include <exception>
#include <new>

#include "model/Errors.h"
#include "ui/MessageBoxes.h"

void HandleEvent(const std::function<void()>& handler) {
  try {
    handler();
  } catch (const Exception& error) {
    ShowErrorBox(error.Message());
  } catch (const std::bad_alloc&) {
    ShowErrorBox(EOutOfMemory().Message());
  } catch (const std::exception& error) {
    ShowErrorBox(error.what());
  } catch (...) {
    ShowErrorBox("Unknown error");
  }
}
