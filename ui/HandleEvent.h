// The one place where errors that escape an event handler are caught: the handler runs inside
// it, and whatever it raises is shown in the error box (a run the user cancelled in the
// information box), after which the message loop goes on.
// No exception ever unwinds through Qt's own frames.
#pragma once

#include <exception>

// Shows what escaped a handler: the error box, or the information box for a cancelled run.
void ShowEscapedError(const std::exception_ptr& error);

// A template rather than a std::function: the application object runs every event through it.
template <class Handler>
void HandleEvent(Handler&& handler) {
  try {
    handler();
  } catch (...) {
    ShowEscapedError(std::current_exception());
  }
}
