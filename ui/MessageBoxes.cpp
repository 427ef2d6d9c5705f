#include "ui/MessageBoxes.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include "run/BoxTexts.h"
#include "ui/FocusRestorer.h"
#include "ui/ResultBox.h"

namespace {

QWidget* BlockedWindow() {
  QWidget* active = QApplication::activeWindow();
  return active ? active : QApplication::activeModalWidget();
}

}  // namespace

void ShowResultBox(double globalError) {
  FocusRestorer restorer;
  ResultBox box(QCoreApplication::applicationName(), QString::fromStdString(ResultBoxText(globalError)),
                BlockedWindow());
  box.exec();
}

namespace {

// A standard message box with one "OK" that Enter and Esc press too.
void ShowMessageBox(QMessageBox::Icon icon, const char* name, const std::string& text) {
  FocusRestorer restorer;
  QMessageBox box(icon, QCoreApplication::applicationName(), QString::fromStdString(text),
                  QMessageBox::NoButton, BlockedWindow());
  box.setObjectName(QString::fromLatin1(name));
  box.setTextFormat(Qt::PlainText);
  box.setWindowModality(Qt::ApplicationModal);
  QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
  box.setDefaultButton(ok);
  box.setEscapeButton(ok);
  box.exec();
}

}  // namespace

void ShowErrorBox(const std::string& message) {
  ShowMessageBox(QMessageBox::Critical, "ErrorBox", ErrorBoxText(message));
}

void ShowInformationBox(const std::string& text) {
  ShowMessageBox(QMessageBox::Information, "InformationBox", text);
}
