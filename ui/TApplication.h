// The application object: a QApplication that shows every error escaping the handling of an
// event in the error box and goes on with the next event, so that no error ends the program.
// The OK button's handler has its own boundary (HandleEvent); this one catches the rest.
#pragma once

#include <QApplication>

class TApplication : public QApplication {
 public:
  TApplication(int& argc, char** argv) : QApplication(argc, argv) {}
  bool notify(QObject* receiver, QEvent* event) override;
};
