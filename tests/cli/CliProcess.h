// Starts rcpulse-cli in the current directory with chosen arguments and environment, its
// standard output and error going to files (or standard error to a terminal), and collects
// the exit code and both streams.
#pragma once

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/FileContents.h"
#include "tests/support/TemporaryDirectory.h"

extern char** environ;

struct CliResult {
  int exitCode = -1;
  std::string out;
  std::string err;
};

// Variables to set for the child, on top of this process's environment; one without a value
// is removed.
using Environment = std::vector<std::pair<std::string, std::optional<std::string>>>;

// A started rcpulse-cli; Wait() collects it.
class CliProcess {
 public:
  // stderrPath "" sends standard error to cli.err, else to the given path (a terminal);
  // stdoutPath "" sends standard output to cli.out, else to the given path.
  CliProcess(const std::vector<std::string>& arguments, const Environment& environment = {},
             const std::string& stderrPath = "", const std::string& stdoutPath = "") {
    std::vector<std::string> argumentTexts{RCPULSE_CLI};
    argumentTexts.insert(argumentTexts.end(), arguments.begin(), arguments.end());
    std::vector<std::string> environmentTexts;
    for (char** variable = environ; *variable != nullptr; ++variable) {
      const std::string text = *variable;
      bool replaced = false;
      for (const auto& [name, value] : environment) replaced |= text.starts_with(name + "=");
      if (!replaced) environmentTexts.push_back(text);
    }
    for (const auto& [name, value] : environment) {
      if (value) environmentTexts.push_back(name + "=" + *value);
    }

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    if (stdoutPath.empty()) {
      posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "cli.out", O_WRONLY | O_CREAT | O_TRUNC, 0644);
    } else {
      posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, stdoutPath.c_str(), O_WRONLY, 0);
    }
    if (stderrPath.empty()) {
      posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "cli.err", O_WRONLY | O_CREAT | O_TRUNC, 0644);
    } else {
      posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, stderrPath.c_str(), O_RDWR, 0);
    }
    const std::vector<char*> argv = Pointers(argumentTexts);
    const std::vector<char*> envp = Pointers(environmentTexts);
    if (posix_spawn(&pid_, RCPULSE_CLI, &actions, nullptr, argv.data(), envp.data()) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
  }

  // Still running: not yet exited (the exit is left for Wait to collect).
  bool Running() const {
    siginfo_t info{};
    return pid_ > 0 && ::waitid(P_PID, static_cast<id_t>(pid_), &info, WEXITED | WNOHANG | WNOWAIT) == 0 &&
           info.si_pid == 0;
  }

  CliResult Wait() {
    CliResult result;
    int status = 0;
    if (pid_ > 0 && ::waitpid(pid_, &status, 0) == pid_ && WIFEXITED(status)) {
      result.exitCode = WEXITSTATUS(status);
    }
    pid_ = -1;
    result.out = ReadWholeFile("cli.out");
    result.err = ReadWholeFile("cli.err");
    std::remove("cli.out");
    std::remove("cli.err");
    return result;
  }

 private:
  static std::vector<char*> Pointers(std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    for (std::string& text : texts) pointers.push_back(text.data());
    pointers.push_back(nullptr);
    return pointers;
  }

  pid_t pid_ = -1;
};

inline CliResult RunCli(const std::vector<std::string>& arguments, const Environment& environment = {}) {
  return CliProcess(arguments, environment).Wait();
}

// The arguments after "--decimal-separator ,": the exercise's separator whatever the locale.
inline std::vector<std::string> CommaArgs(const std::vector<std::string>& more = {}) {
  std::vector<std::string> arguments{"--decimal-separator", ","};
  arguments.insert(arguments.end(), more.begin(), more.end());
  return arguments;
}
