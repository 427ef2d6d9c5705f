// A file the runner was given to read (a results file to compare, a batch's parameter sets)
// that cannot be opened or read; its text names the file and the system's reason.
#pragma once

#include <cstring>
#include <stdexcept>
#include <string>

class FileReadError : public std::runtime_error {
 public:
  FileReadError(const std::string& path, int errorNumber)
      : std::runtime_error("rcpulse-cli: не удалось прочитать " + path + ": " + std::strerror(errorNumber)) {}
};
