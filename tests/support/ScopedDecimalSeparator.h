// Sets the process-wide decimal separator for one test and puts the previous one back, so
// that no test depends on the order in which the others ran.
#pragma once

#include "numbertext/LocaleDecimalSeparator.h"

class ScopedDecimalSeparator {
 public:
  explicit ScopedDecimalSeparator(char separator) : previous_(LocaleDecimalSeparator()) {
    SetLocaleDecimalSeparator(separator);
  }
  ~ScopedDecimalSeparator() { SetLocaleDecimalSeparator(previous_); }
  ScopedDecimalSeparator(const ScopedDecimalSeparator&) = delete;
  ScopedDecimalSeparator& operator=(const ScopedDecimalSeparator&) = delete;

 private:
  char previous_;
};
