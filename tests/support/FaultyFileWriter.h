// A write(2) for the results file that fails the way a full disk or a file-size limit does: it
// takes bytes up to a limit (the last call before it short), then every call fails with the
// chosen error. Optionally every call takes at most a few bytes, as a signal can make it.
#pragma once

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <limits>

#include "output/FileWriter.h"

class FaultyFileWriter : public FileWriter {
 public:
  FaultyFileWriter(std::uint64_t limit, int error, std::size_t mostPerCall = std::numeric_limits<std::size_t>::max())
      : limit_(limit), error_(error), mostPerCall_(mostPerCall) {}

  ssize_t Write(int handle, const char* bytes, std::size_t count) override {
    ++calls_;
    if (taken_ >= limit_) {
      errno = error_;
      return -1;
    }
    const std::size_t take = static_cast<std::size_t>(std::min<std::uint64_t>({count, limit_ - taken_, mostPerCall_}));
    const ssize_t written = ::write(handle, bytes, take);
    if (written > 0) taken_ += static_cast<std::uint64_t>(written);
    return written;
  }

  int Calls() const { return calls_; }

 private:
  std::uint64_t limit_;
  int error_;
  std::size_t mostPerCall_;
  std::uint64_t taken_ = 0;
  int calls_ = 0;
};
