#include "cli/RowDump.h"

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

RowDump::RowDump(const std::string& path) : file_(std::fopen(path.c_str(), "w")) {
  if (!file_) throw std::runtime_error("не удалось создать " + path + ": " + std::strerror(errno));
}

RowDump::~RowDump() {
  if (file_) std::fclose(file_);
}

void RowDump::Write(const ResultRow& row) {
  char line[96];
  const int length = FormatLine(line, sizeof line, ++rowNumber_, row);
  line[length] = '\n';
  std::fwrite(line, 1, static_cast<std::size_t>(length) + 1, file_);
}

std::string RowDumpLine(unsigned long long rowNumber, const ResultRow& row) {
  char line[96];
  FormatLine(line, sizeof line, rowNumber, row);
  return line;
}
