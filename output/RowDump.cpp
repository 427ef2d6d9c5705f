#include "output/RowDump.h"

#include <bit>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <stdexcept>

namespace {

int FormatLine(char* out, std::size_t size, unsigned long long rowNumber, const ResultRow& row) {
  return std::snprintf(out, size, "%llu %016llX %016llX %016llX", rowNumber,
                       static_cast<unsigned long long>(std::bit_cast<std::uint64_t>(row.t)),
                       static_cast<unsigned long long>(std::bit_cast<std::uint64_t>(row.u)),
                       static_cast<unsigned long long>(std::bit_cast<std::uint64_t>(row.E)));
}

}  // namespace

RowDump::RowDump(const std::string& path) : path_(path), file_(std::fopen(path.c_str(), "we")) {
  if (!file_) throw std::runtime_error("не удалось создать " + path + ": " + std::strerror(errno));
}

void RowDump::Close() {
  if (!file_) return;
  std::FILE* file = file_;
  file_ = nullptr;
  errno = 0;
  const bool flushed = std::fflush(file) == 0 && !std::ferror(file);
  if (!flushed && writeError_ == 0) writeError_ = errno != 0 ? errno : EIO;
  if (std::fclose(file) != 0 && writeError_ == 0) writeError_ = errno;
  if (writeError_ != 0) {
    throw std::runtime_error("не удалось записать " + path_ + ": " + std::strerror(writeError_));
  }
}

RowDump::~RowDump() {
  if (file_) std::fclose(file_);
}

void RowDump::Write(const ResultRow& row) {
  char line[96];
  const int length = FormatLine(line, sizeof line, ++rowNumber_, row);
  line[length] = '\n';
  const std::size_t size = static_cast<std::size_t>(length) + 1;
  if (std::fwrite(line, 1, size, file_) != size && writeError_ == 0) writeError_ = errno != 0 ? errno : EIO;
}

std::string RowDumpLine(unsigned long long rowNumber, const ResultRow& row) {
  char line[96];
  FormatLine(line, sizeof line, rowNumber, row);
  return line;
}
