// The one system call the results file writes with, write(2), behind an interface so that
// tests can put a failing one in its place (a full disk after N bytes, a short write).
#pragma once

#include <sys/types.h>

#include <cstddef>

class FileWriter {
 public:
  virtual ~FileWriter() = default;
  // As write(2): the count written (possibly fewer than asked), or -1 with errno set.
  virtual ssize_t Write(int handle, const char* bytes, std::size_t count) = 0;
};

// write(2) itself.
FileWriter& SystemFileWriter();
