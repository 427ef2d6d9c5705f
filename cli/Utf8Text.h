// Widths of the runner's UTF-8 texts in characters, for columns that line up on a terminal.
#pragma once

#include <cstddef>
#include <string_view>

// Characters, not bytes: "ФАЙЛ" takes two bytes a letter.
inline std::size_t CharacterCount(std::string_view text) {
  std::size_t characters = 0;
  for (const unsigned char byte : text) characters += (byte & 0xC0) != 0x80;
  return characters;
}
