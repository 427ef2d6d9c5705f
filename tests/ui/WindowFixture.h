// One shown and active main window per test, kept in Form1 as the program keeps it, in a
// fresh working directory, under a comma decimal separator (the default texts' own).
#pragma once

#include <memory>

#include "UiTestSupport.h"
#include "tests/run/ScopedDecimalSeparator.h"
#include "ui/Unit1.h"

class WindowFixture {
 public:
  WindowFixture() : form_(std::make_unique<TForm1>()) {
    Form1 = form_.get();
    form_->show();
    form_->activateWindow();
  }
  ~WindowFixture() { Form1 = nullptr; }
  bool Ready() { return QTest::qWaitForWindowActive(form_.get()); }
  TForm1& Form() { return *form_; }
  const TemporaryWorkingDirectory& Directory() const { return directory_; }

 private:
  ScopedDecimalSeparator comma_{','};
  TemporaryWorkingDirectory directory_;
  std::unique_ptr<TForm1> form_;
};
