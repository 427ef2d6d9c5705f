// Brings the window that was active, and the keyboard focus within it, back after a modal box
// or dialog: not every window system hands the activation back by itself.
#pragma once

#include <QApplication>
#include <QPointer>
#include <QWidget>

class FocusRestorer {
 public:
  FocusRestorer() : window_(QApplication::activeWindow()), focus_(QApplication::focusWidget()) {}
  ~FocusRestorer() {
    if (window_ && window_->isVisible()) window_->activateWindow();
    if (focus_ && focus_->isVisible()) focus_->setFocus(Qt::ActiveWindowFocusReason);
  }
  FocusRestorer(const FocusRestorer&) = delete;
  FocusRestorer& operator=(const FocusRestorer&) = delete;

 private:
  QPointer<QWidget> window_;
  QPointer<QWidget> focus_;
};
