// The decimal separator of the user's regional settings: one process-wide 8-bit character,
// read by ParseNumber and FormatGeneral at every call. The window sets it at start-up and on
// a locale change; tests set it explicitly.
#pragma once

#include <string_view>

// '.' until someone sets it.
char LocaleDecimalSeparator();

// Takes the locale's separator text: exactly one byte is used as it is, anything else
// (empty, or longer, such as a multi-byte character) falls back to '.'.
void SetLocaleDecimalSeparator(std::string_view localeSeparator);

// Takes one byte as it is.
void SetLocaleDecimalSeparator(char separator);
