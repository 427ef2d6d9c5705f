#include "cli/CliOptions.h"

#include <cstdio>
#include <string_view>
#include <vector>

#include "cli/RunnerOptionTable.h"

namespace {

const ParameterInfo* FindParameterOption(std::string_view name) {
  for (const ParameterInfo& entry : kParameterTable)
    if (name.starts_with("--") && name.substr(2) == entry.option) return &entry;
  return nullptr;
}

const RunnerOption* FindRunnerOption(std::string_view name) {
  if (name == "-h") name = "--help";
  for (const RunnerOption& option : RunnerOptionTable())
    if (name == option.name) return &option;
  return nullptr;
}

// "--option=value" or "--option value"; the value may be empty or start with '-'.
class ArgumentReader {
 public:
  ArgumentReader(int argc, const char* const* argv) : argc_(argc), argv_(argv) {}
  bool Next() {
    if (++index_ >= argc_) return false;
    argument_ = argv_[index_];
    name_ = argument_;
    value_.reset();
    if (const auto equals = argument_.find('='); argument_.starts_with("--") && equals != std::string_view::npos) {
      name_ = argument_.substr(0, equals);
      value_ = std::string(argument_.substr(equals + 1));
    }
    return true;
  }
  std::string_view Argument() const { return argument_; }
  std::string_view Name() const { return name_; }
  bool HasInlineValue() const { return value_.has_value(); }
  std::string TakeValue() {
    if (value_) return *value_;
    if (index_ + 1 >= argc_) throw CliUsageError("нет значения у параметра " + std::string(name_));
    return argv_[++index_];
  }

 private:
  int argc_;
  const char* const* argv_;
  int index_ = 0;
  std::string_view argument_;
  std::string_view name_;
  std::optional<std::string> value_;
};

// "--png или --pdf": the options that choose one of the modes.
std::string ChoosersOf(unsigned modes) {
  std::string names;
  for (const RunnerOption& option : RunnerOptionTable()) {
    if (option.chooses == RunnerMode::Run || (modes & ModeBit(option.chooses)) == 0) continue;
    names += (names.empty() ? "" : " или ") + std::string(option.name);
  }
  return names;
}

// The mode the given options choose; refuses two modes at once and an option that has no
// meaning in the chosen mode.
RunnerMode ChooseMode(const std::vector<const RunnerOption*>& given) {
  const RunnerOption* chooser = nullptr;
  for (const RunnerOption* option : given) {
    if (option->chooses == RunnerMode::Run) continue;
    if (chooser != nullptr && chooser->chooses != option->chooses)
      throw CliUsageError(std::string(option->name) + " не сочетается с " + std::string(chooser->name));
    chooser = option;
  }
  const RunnerMode mode = chooser ? chooser->chooses : RunnerMode::Run;
  for (const RunnerOption* option : given) {
    if ((option->modes & ModeBit(mode)) != 0) continue;
    if (chooser != nullptr)
      throw CliUsageError(std::string(option->name) + " не сочетается с " + std::string(chooser->name));
    throw CliUsageError(std::string(option->name) + " действует только вместе с " + ChoosersOf(option->modes));
  }
  return mode;
}

}  // namespace

CliOptions ParseCliOptions(int argc, const char* const* argv) {
  CliOptions options;
  std::vector<const RunnerOption*> given;
  ArgumentReader arguments(argc, argv);
  while (arguments.Next()) {
    if (const ParameterInfo* parameter = FindParameterOption(arguments.Name())) {
      options.parameterTexts[static_cast<std::size_t>(parameter->parameter)] = arguments.TakeValue();
    } else if (const RunnerOption* option = FindRunnerOption(arguments.Name());
               option != nullptr && !(option->valueName.empty() && arguments.HasInlineValue())) {
      option->apply(options, option->valueName.empty() ? std::string() : arguments.TakeValue());
      given.push_back(option);
    } else {
      throw CliUsageError("неизвестный параметр " + std::string(arguments.Argument()));
    }
  }
  options.mode = ChooseMode(given);
  return options;
}

std::optional<CliOptions> ParseCliOptionsOrShowUsage(int argc, const char* const* argv) {
  try {
    return ParseCliOptions(argc, argv);
  } catch (const CliUsageError& error) {
    std::fprintf(stderr, "rcpulse-cli: %s\nПодробнее: rcpulse-cli --help\n", error.what());
    return std::nullopt;
  }
}
