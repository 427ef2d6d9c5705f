// The runner's own options in one table, in the order of the usage text: each option's name,
// the name of its value ("" for a switch), its lines in the usage text, the modes it may be
// given in, the mode it chooses and what it sets. The parser and the usage text loop over it.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "cli/CliOptions.h"

[[nodiscard]] constexpr unsigned ModeBit(RunnerMode mode) { return static_cast<unsigned>(mode); }

inline constexpr unsigned kEveryMode = 31;
inline constexpr unsigned kSingleRunModes = ModeBit(RunnerMode::Run) | ModeBit(RunnerMode::Chart);

struct RunnerOption {
  std::string_view name;
  std::string_view valueName;
  std::string_view help;
  void (*apply)(CliOptions& options, const std::string& value);
  unsigned modes = kEveryMode;           // ModeBit of every mode it may be given in
  RunnerMode chooses = RunnerMode::Run;  // the mode it chooses; Run: none
  std::string_view section = {};         // the heading of the usage section it opens
};

std::span<const RunnerOption> RunnerOptionTable();
