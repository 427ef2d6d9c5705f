// What every window test needs: a headless application set up like the program's, a fresh
// temporary working directory per test (runs write REZ.TXT), and a watcher that closes every
// modal box as soon as it opens and remembers what it showed, so that a box never hangs a test.
#pragma once

#include <QApplication>
#include <QDir>
#include <QList>
#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "ui/ApplicationSetup.h"

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

// A fresh empty working directory for one test, left again when the test ends.
class TemporaryWorkingDirectory {
 public:
  TemporaryWorkingDirectory() : previous_(QDir::currentPath()) { QDir::setCurrent(directory_.path()); }
  ~TemporaryWorkingDirectory() { QDir::setCurrent(previous_); }
  QString FilePath(const QString& name) const { return directory_.filePath(name); }

 private:
  QString previous_;
  QTemporaryDir directory_;
};

// The program's application set-up, offscreen unless a platform was chosen.
#define RCPULSE_UI_TEST_MAIN(TestClass)                                                  \
  int main(int argc, char** argv) {                                                      \
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen"); \
    QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);                             \
    QApplication application(argc, argv);                                                \
    InitializeApplication();                                                             \
    TestClass test;                                                                      \
    return QTest::qExec(&test, argc, argv);                                              \
  }
