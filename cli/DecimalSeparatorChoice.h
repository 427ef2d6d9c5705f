// The decimal separator the runner's texts use: the one chosen on the command line, else the
// regional settings' (LC_ALL, then LC_NUMERIC, then LANG), read as the window reads them.
#pragma once

#include <optional>
#include <string>

void ApplyDecimalSeparatorChoice(const std::optional<std::string>& chosen);
