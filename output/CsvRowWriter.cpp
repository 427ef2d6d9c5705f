#include "output/CsvRowWriter.h"

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <charconv>

#include "model/Errors.h"
#include "output/ResultsFile.h"

namespace {

constexpr int kSignificantDigits = 17;  // enough to read every double back exactly

// The results file's codes and texts, so "File access denied" reads the same for both files.
[[noreturn]] void RaiseFileError() { throw ResultsFileError(errno != 0 ? errno : EIO); }

}  // namespace

CsvRowWriter::CsvRowWriter(const std::string& path, bool withExact, CsvFormat format)
    : withExact_(withExact), format_(format) {
  errno = 0;
  file_ = std::fopen(path.c_str(), "wb");
  if (file_ == nullptr) RaiseFileError();
  const char* const names[] = {"t", "u", "E", "u_exact", "error"};
  for (std::size_t i = 0; i < (withExact ? 5u : 3u); ++i) {
    if (i > 0) line_ += format_.delimiter;
    line_ += names[i];
  }
  EndLine();
}

CsvRowWriter::~CsvRowWriter() {
  if (file_ != nullptr) std::fclose(file_);
}

void CsvRowWriter::Write(const ResultRow& row) {
  AppendRow(row);
  EndLine();
}

void CsvRowWriter::Write(const ResultRow& row, Extended exact, Extended error) {
  AppendRow(row);
  line_ += format_.delimiter;
  Append(exact);
  line_ += format_.delimiter;
  Append(error);
  EndLine();
}

void CsvRowWriter::AppendRow(const ResultRow& row) {
  Append(row.t);
  line_ += format_.delimiter;
  Append(row.u);
  line_ += format_.delimiter;
  Append(row.E);
}

void CsvRowWriter::Close() {
  if (file_ == nullptr) return;
  std::FILE* file = file_;
  file_ = nullptr;
  errno = 0;
  const bool flushed = std::fflush(file) == 0;
  const int flushError = errno;
  const bool closed = std::fclose(file) == 0;
  if (!flushed) {
    errno = flushError;
    RaiseFileError();
  }
  if (!closed) RaiseFileError();
}

void CsvRowWriter::Append(double value) {
  char text[32];
  const auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::general,
                                 kSignificantDigits).ptr;
  AppendNumber({text, end});
}

void CsvRowWriter::Append(Extended value) {
  char text[48];
  const auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::general,
                                 kSignificantDigits).ptr;
  AppendNumber({text, end});
}

// In place: the line's string is reused from row to row, a number's text is not.
void CsvRowWriter::AppendNumber(std::string_view pointText) {
  const std::size_t start = line_.size();
  line_ += pointText;
  if (format_.decimalSeparator != '.')
    std::replace(line_.begin() + static_cast<std::ptrdiff_t>(start), line_.end(), '.', format_.decimalSeparator);
}

void CsvRowWriter::EndLine() {
  line_ += '\n';
  errno = 0;
  if (std::fwrite(line_.data(), 1, line_.size(), file_) != line_.size()) RaiseFileError();
  line_.clear();
}
