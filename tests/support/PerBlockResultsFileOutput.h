// REZ.TXT written block by block, the reference the program's batched writer is held to: a
// 128-byte buffer whose every block is written with its own call the moment it is full (also
// in the middle of a field), a check at the end of every line that raises the latest failure,
// and the rest written when the file is closed. Creation is plain (no lock, no refusals).
#pragma once

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <span>
#include <string_view>
#include <utility>

#include "output/FileWriter.h"
#include "output/ResultsFile.h"
#include "output/ResultsFieldText.h"
#include "output/ResultsLine.h"
#include "run/RunObserver.h"

class PerBlockResultsFileOutput : public RunObserver {
 public:
  PerBlockResultsFileOutput(std::filesystem::path folder, FileWriter& writer)
      : folder_(std::move(folder)), writer_(writer) {}
  ~PerBlockResultsFileOutput() override {
    if (handle_ >= 0) ::close(handle_);
  }

  void OutputsOpening() override {
    handle_ = ::open((folder_ / kResultsFileName).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (handle_ < 0) throw ResultsFileError(errno);
    used_ = 0;
    failedErrno_ = 0;
  }
  void ParametersRead(const CalcParams&) override {
    Append(kResultsHeaderLine);
    Check();
    Append(kResultsEmptyLine);
    Check();
  }
  void RowsEmitted(std::span<const ResultRow> rows) override {
    TakeRows(rows, [this](const ResultRow& row) {
      char field[kResultsFieldCapacity];
      Append({field, WriteResultsField(row.t, field)});
      Append("  ");
      Append({field, WriteResultsField(row.u, field)});
      Append("  ");
      Append({field, WriteResultsField(row.E, field)});
      Append("\r\n");
      Check();
    });
  }
  void RunFinished(double) override { Close(); }
  void RunAbandoned() noexcept override {
    try {
      Close();
    } catch (...) {
    }
  }

 private:
  void Append(std::string_view bytes) {
    while (!bytes.empty()) {
      const std::size_t take = std::min(bytes.size(), buffer_.size() - used_);
      std::memcpy(buffer_.data() + used_, bytes.data(), take);
      used_ += take;
      bytes.remove_prefix(take);
      if (used_ == buffer_.size()) WriteBlock();
    }
  }
  // The bytes of a failed block are lost; the check at the end of the line raises.
  void WriteBlock() {
    const char* bytes = buffer_.data();
    std::size_t count = used_;
    while (count > 0) {
      const ssize_t written = writer_.Write(handle_, bytes, count);
      if (written < 0) {
        if (errno == EINTR) continue;
        failedErrno_ = errno;
        break;
      }
      bytes += written;
      count -= static_cast<std::size_t>(written);
    }
    used_ = 0;
  }
  void Check() {
    if (failedErrno_ != 0) throw ResultsFileError(std::exchange(failedErrno_, 0));
  }
  void Close() {
    if (handle_ < 0) return;
    if (used_ > 0) WriteBlock();
    ::close(std::exchange(handle_, -1));
    Check();
  }

  std::filesystem::path folder_;
  FileWriter& writer_;
  int handle_ = -1;
  std::array<char, kResultsBlockSize> buffer_{};
  std::size_t used_ = 0;
  int failedErrno_ = 0;
};
