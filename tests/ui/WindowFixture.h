// One shown and active main window per test, in a fresh current folder (a run writes REZ.TXT
// there), under a comma decimal separator (the default texts' own).
#pragma once

#include <QString>
#include <memory>

#include "UiTestSupport.h"
#include "tests/support/ScopedDecimalSeparator.h"
#include "tests/support/TemporaryDirectory.h"
#include "ui/Unit1.h"

class WindowFixture {
 public:
  WindowFixture() : form_(std::make_unique<TForm1>()) {
    form_->show();
    form_->activateWindow();
  }
  bool Ready() { return QTest::qWaitForWindowActive(form_.get()); }
  TForm1& Form() { return *form_; }
  QString FilePath(const char* name) const { return QString::fromStdString((directory_ / name).string()); }

 private:
  ScopedDecimalSeparator comma_{','};
  TemporaryDirectory directory_;
  CurrentDirectoryScope inside_{directory_.Path()};
  std::unique_ptr<TForm1> form_;
};
