#include "ui/MessageBoxes.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>

#include "run/BoxTexts.h"
#include "ui/ResultBox.h"

namespace {

QWidget* BlockedWindow() {
  QWidget* active = QApplication::activeWindow();
  return active ? active : QApplication::activeModalWidget();
}

// Brings the window that was active, and the keyboard focus within it, back after a box:
// not every window system hands the activation back by itself.
class FocusRestorer {
 public:
  FocusRestorer() : window_(QApplication::activeWindow()), focus_(QApplication::focusWidget()) {}
  ~FocusRestorer() {
    if (window_ && window_->isVisible()) window_->activateWindow();
    if (focus_ && focus_->isVisible()) focus_->setFocus(Qt::ActiveWindowFocusReason);
  }

 private:
  QPointer<QWidget> window_;
  QPointer<QWidget> focus_;
};

}  // namespace

void ShowResultBox(double globalError) {
  FocusRestorer restorer;
  ResultBox box(QCoreApplication::applicationName(), QString::fromStdString(ResultBoxText(globalError)),
                BlockedWindow());
  box.exec();
}

void ShowErrorBox(const std::string& message) {
  FocusRestorer restorer;
  QMessageBox box(QMessageBox::Critical, QCoreApplication::applicationName(),
                  QString::fromStdString(ErrorBoxText(message)), QMessageBox::NoButton, BlockedWindow());
  box.setObjectName(QStringLiteral("ErrorBox"));
  box.setTextFormat(Qt::PlainText);
  box.setWindowModality(Qt::ApplicationModal);
  QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
  box.setDefaultButton(ok);
  box.setEscapeButton(ok);
  box.exec();
}
