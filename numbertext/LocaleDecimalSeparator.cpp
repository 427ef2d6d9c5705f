#include "numbertext/LocaleDecimalSeparator.h"

namespace {

// Only the user-interface thread writes it, and never during a run.
char decimalSeparator = '.';

}  // namespace

char LocaleDecimalSeparator() { return decimalSeparator; }

void SetLocaleDecimalSeparator(std::string_view localeSeparator) {
  decimalSeparator = localeSeparator.size() == 1 ? localeSeparator.front() : '.';
}

void SetLocaleDecimalSeparator(char separator) { decimalSeparator = separator; }
