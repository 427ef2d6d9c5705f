// What every window test needs: a headless application set up like the program's, and a
// watcher that closes every modal box as soon as it opens and remembers what it showed, so
// that a box never hangs a test.
#pragma once

#include <QApplication>
#include <QDir>
#include <QList>
#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "ui/ApplicationSetup.h"
#include "ui/TApplication.h"

// What one modal box showed when it opened.
struct SeenBox {
  QString kind;  // "ResultBox" or "QMessageBox"
  QString caption;
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QStringList buttons;
};

// Polls QApplication::activeModalWidget() while it lives; each box that opens is recorded,
// handed to the optional inspector while it is still open, then closed with its OK button.
class ModalBoxWatcher : public QObject {
  Q_OBJECT

 public:
  explicit ModalBoxWatcher(std::function<void(QWidget*)> inspectOpenBox = {});
  const QList<SeenBox>& Seen() const { return seen_; }

 private:
  void Poll();

  QTimer timer_;
  std::function<void(QWidget*)> inspect_;
  QList<SeenBox> seen_;
};

// The program's application set-up, offscreen unless a platform was chosen.
#define RCPULSE_UI_TEST_MAIN(TestClass)                                                  \
  int main(int argc, char** argv) {                                                      \
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen"); \
    QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);                             \
    TApplication application(argc, argv);                                                \
    InitializeApplication();                                                             \
    TestClass test;                                                                      \
    return QTest::qExec(&test, argc, argv);                                              \
  }
