// Runs rcpulse-cli in the current directory and collects its exit code and both streams.
#pragma once

#include <sys/wait.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "TemporaryDirectory.h"

struct CliResult {
  int exitCode = -1;
  std::string out;
  std::string err;
};

inline void AppendShellQuoted(std::string& command, const std::string& text) {
  command.push_back('\'');
  for (char c : text) {
    if (c == '\'') {
      command.append("'\\''");
    } else {
      command.push_back(c);
    }
  }
  command.push_back('\'');
}

inline CliResult RunCli(const std::vector<std::string>& arguments, const std::string& environment = "") {
  std::string command = environment;
  command.push_back(' ');
  AppendShellQuoted(command, RCPULSE_CLI);
  for (const std::string& argument : arguments) {
    command.push_back(' ');
    AppendShellQuoted(command, argument);
  }
  command += " >cli.out 2>cli.err </dev/null";
  const int status = std::system(command.c_str());
  CliResult result;
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  result.out = ReadWholeFile("cli.out");
  result.err = ReadWholeFile("cli.err");
  std::remove("cli.out");
  std::remove("cli.err");
  return result;
}
