#include "ui/TApplication.h"

#include "ui/HandleEvent.h"

bool TApplication::notify(QObject* receiver, QEvent* event) {
  bool handled = false;
  HandleEvent([&] { handled = QApplication::notify(receiver, event); });
  return handled;
}
