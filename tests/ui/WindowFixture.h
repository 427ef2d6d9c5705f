// One shown and active main window per test, in a fresh current folder (a run writes REZ.TXT
// there), under a comma decimal separator unless a test chooses another.
#pragma once

#include <QString>
#include <memory>

#include "UiTestSupport.h"
#include "tests/support/ScopedDecimalSeparator.h"
#include "tests/support/TemporaryDirectory.h"
#include "ui/Unit1.h"

class WindowFixture {
 public:
  explicit WindowFixture(char separator = ',') : separator_(separator), form_(std::make_unique<TForm1>()) {
    form_->show();
    form_->activateWindow();
  }
  bool Ready() { return QTest::qWaitForWindowActive(form_.get()); }
  TForm1& Form() { return *form_; }
  QString FilePath(const char* name) const { return QString::fromStdString((directory_ / name).string()); }

 private:
  ScopedDecimalSeparator separator_;
  TemporaryDirectory directory_;
  CurrentDirectoryScope inside_{directory_.Path()};
  std::unique_ptr<TForm1> form_;
};
