#include "UiTestSupport.h"

#include <QLabel>
#include <QPushButton>

#include "ui/ResultBox.h"

ModalBoxWatcher::ModalBoxWatcher(std::function<void(QWidget*)> inspectOpenBox)
    : inspect_(std::move(inspectOpenBox)) {
  connect(&timer_, &QTimer::timeout, this, &ModalBoxWatcher::Poll);
  timer_.start(20);
}

void ModalBoxWatcher::Poll() {
  QWidget* box = QApplication::activeModalWidget();
  if (!box || !box->isVisible()) return;
  SeenBox seen;
  seen.caption = box->windowTitle();
  if (auto* result = qobject_cast<ResultBox*>(box)) {
    seen.kind = QStringLiteral("ResultBox");
    seen.text = result->Text();
  } else if (auto* message = qobject_cast<QMessageBox*>(box)) {
    seen.kind = QStringLiteral("QMessageBox");
    seen.text = message->text();
    seen.icon = message->icon();
  } else {
    seen.kind = QString::fromLatin1(box->metaObject()->className());
  }
  QPushButton* ok = nullptr;
  for (QPushButton* button : box->findChildren<QPushButton*>()) {
    seen.buttons << button->text();
    if (button->text() == QStringLiteral("OK")) ok = button;
  }
  seen_ << seen;
  if (inspect_) inspect_(box);
  if (ok) ok->click();
  else box->close();
}
