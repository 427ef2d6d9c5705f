// The one place where errors that escape an event handler are caught: the handler runs inside
// it, and whatever it raises is shown in the error box (a run the user cancelled in the
// information box), after which the message loop goes on.
// No exception ever unwinds through Qt's own frames.
#pragma once

#include <functional>

void HandleEvent(const std::function<void()>& handler);
