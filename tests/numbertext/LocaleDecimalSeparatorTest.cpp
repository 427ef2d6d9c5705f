#include <gtest/gtest.h>

#include <ostream>

#include <string_view>

#include "tests/support/ScopedDecimalSeparator.h"
#include "numbertext/LocaleDecimalSeparator.h"

namespace {

TEST(LocaleDecimalSeparator, IsAPointUntilSomeoneSetsIt) {
  // Every test restores what it changed, so this holds in any order.
  EXPECT_EQ(LocaleDecimalSeparator(), '.');
}

struct LocaleTextCase {
  std::string_view localeSeparator;
  char expected;
};

void PrintTo(const LocaleTextCase& example, std::ostream* out) {
  *out << example.localeSeparator.size() << " bytes";
  for (const char byte : example.localeSeparator)
    *out << ' ' << std::hex << static_cast<int>(static_cast<unsigned char>(byte)) << std::dec;
}

class LocaleSeparatorText : public testing::TestWithParam<LocaleTextCase> {};

TEST_P(LocaleSeparatorText, OneByteIsTakenAnythingElseFallsBackToAPoint) {
  const ScopedDecimalSeparator restore(LocaleDecimalSeparator());
  SetLocaleDecimalSeparator('x');
  SetLocaleDecimalSeparator(GetParam().localeSeparator);
  EXPECT_EQ(LocaleDecimalSeparator(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, LocaleSeparatorText,
    testing::Values(LocaleTextCase{",", ','}, LocaleTextCase{".", '.'},
                    LocaleTextCase{"", '.'}, LocaleTextCase{",,", '.'},
                    // U+066B ARABIC DECIMAL SEPARATOR is two bytes in UTF-8.
                    LocaleTextCase{"\xd9\xab", '.'},
                    // An 8-bit byte on its own is still one character.
                    LocaleTextCase{"\xb7", '\xb7'}));

}  // namespace
