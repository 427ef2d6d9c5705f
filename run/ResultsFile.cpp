#include "run/ResultsFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

#include "model/Errors.h"
#include "run/ResultsFieldText.h"

namespace {

// "РЕЗУЛЬТАТЫ РАССЧЕТОВ" in Windows-1251.
constexpr char kHeader[] = "\xD0\xC5\xC7\xD3\xCB\xDC\xD2\xC0\xD2\xDB\x20\xD0\xC0\xD1\xD1\xD7\xC5\xD2\xCE\xC2";
constexpr char kLineEnd[] = "\r\n";
constexpr char kFieldGap[] = "  ";

constexpr int kAccessDenied = 5;
constexpr int kSharingViolation = 32;

[[noreturn]] void RaiseForErrno(int errorNumber) {
  throw EInOutError(ResultsFileErrorCode(errorNumber));
}

}  // namespace

int ResultsFileErrorCode(int errorNumber) {
  switch (errorNumber) {
    case EACCES: case EPERM: case EROFS: case EISDIR: case ETXTBSY:
      return kAccessDenied;
    case ENOENT:
      return 2;
    case ENOTDIR: case ENAMETOOLONG: case ELOOP:
      return 3;
    case EMFILE: case ENFILE:
      return 4;
    case ENOSPC: case EDQUOT:
      return 112;
    case EWOULDBLOCK:
      return kSharingViolation;
    default:
      return errorNumber;
  }
}

ResultsFile::ResultsFile(ResultsFile&& other) noexcept
    : handle_(std::exchange(other.handle_, -1)),
      buffer_(other.buffer_),
      used_(std::exchange(other.used_, 0)),
      failureCode_(std::exchange(other.failureCode_, 0)) {}

ResultsFile& ResultsFile::operator=(ResultsFile&& other) noexcept {
  if (this != &other) {
    if (handle_ >= 0) ::close(handle_);
    handle_ = std::exchange(other.handle_, -1);
    buffer_ = other.buffer_;
    used_ = std::exchange(other.used_, 0);
    failureCode_ = std::exchange(other.failureCode_, 0);
  }
  return *this;
}

ResultsFile::~ResultsFile() {
  if (handle_ >= 0) ::close(handle_);
}

void ResultsFile::WriteBlock(std::size_t count) {
  // The count written is not compared; a failure is kept for the next check and the block
  // is dropped either way.
  if (::write(handle_, buffer_.data(), count) < 0) failureCode_ = ResultsFileErrorCode(errno);
  used_ = 0;
}

void ResultsFile::Append(const char* bytes, std::size_t count) {
  while (count > 0) {
    const std::size_t take = std::min(count, kResultsBufferSize - used_);
    std::memcpy(buffer_.data() + used_, bytes, take);
    used_ += take;
    bytes += take;
    count -= take;
    if (used_ == kResultsBufferSize) WriteBlock(kResultsBufferSize);
  }
}

void ResultsFile::Check() {
  if (failureCode_ != 0) throw EInOutError(std::exchange(failureCode_, 0));
}

ResultsFile CreateResultsFile() {
  // Not truncated on open: a refused creation must leave the old file as it was.
  const int handle = ::open(kResultsFileName, O_WRONLY | O_CREAT | O_CLOEXEC | O_NOCTTY, 0666);
  if (handle < 0) RaiseForErrno(errno);
  ResultsFile file;
  file.handle_ = handle;

  // Only one writer at a time, as with a file opened for writing with read sharing only.
  if (::flock(handle, LOCK_EX | LOCK_NB) != 0) RaiseForErrno(errno);
  struct stat status {};
  if (::fstat(handle, &status) != 0) RaiseForErrno(errno);
  if (S_ISREG(status.st_mode)) {
    // The read-only attribute: no write bit for anyone. Root could write it regardless.
    if ((status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) throw EInOutError(kAccessDenied);
    if (::ftruncate(handle, 0) != 0) RaiseForErrno(errno);
  }
  return file;
}

void WriteResultsHeader(ResultsFile& file) {
  file.Append(kHeader, sizeof kHeader - 1);
  file.Append(kLineEnd, 2);
  file.Check();
  file.Append(kLineEnd, 2);
  file.Check();
}

void WriteResultRow(ResultsFile& file, const ResultRow& row) {
  char field[kResultsFieldCapacity];
  file.Append(field, WriteResultsField(row.t, field));
  file.Append(kFieldGap, 2);
  file.Append(field, WriteResultsField(row.u, field));
  file.Append(kFieldGap, 2);
  file.Append(field, WriteResultsField(row.E, field));
  file.Append(kLineEnd, 2);
  file.Check();
}

void CloseResultsFile(ResultsFile& file) {
  if (file.handle_ < 0) return;
  if (file.used_ > 0) file.WriteBlock(file.used_);
  // Closing also releases the lock.
  if (::close(std::exchange(file.handle_, -1)) != 0) file.failureCode_ = ResultsFileErrorCode(errno);
  file.Check();
}
