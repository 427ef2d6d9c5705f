#include "output/ResultsFile.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>
#include <utility>

#include "output/ResultsFieldText.h"

namespace {

// "РЕЗУЛЬТАТЫ РАССЧЕТОВ" in Windows-1251.
constexpr char kHeader[] = "\xD0\xC5\xC7\xD3\xCB\xDC\xD2\xC0\xD2\xDB\x20\xD0\xC0\xD1\xD1\xD7\xC5\xD2\xCE\xC2";
constexpr char kLineEnd[] = "\r\n";
constexpr char kFieldGap[] = "  ";

constexpr int kAccessDenied = 5;
constexpr int kSharingViolation = 32;

// O_CLOEXEC: a program started later must not inherit the descriptor, or it would hold the
// lock after we closed the file. O_NONBLOCK: opening a pipe nobody reads fails (ENXIO) at
// once instead of blocking the run for ever; it is cleared again before writing.
constexpr int kOpenFlags = O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK;

// The file is opened without O_TRUNC, so that a refusal still finds the old contents. A file
// this call creates itself is never refused as read-only, whatever the umask made of it.
int OpenForWriting(const char* name, bool& createdHere) {
  createdHere = false;
  int handle = ::open(name, kOpenFlags);
  if (handle < 0 && errno == ENOENT) {
    handle = ::open(name, kOpenFlags | O_CREAT | O_EXCL, 0666);
    createdHere = handle >= 0;
    // Someone else created it in between, or the name is a dangling symbolic link.
    if (handle < 0 && errno == EEXIST) handle = ::open(name, kOpenFlags | O_CREAT, 0666);
  }
  return handle;
}

// write() to a pipe whose reader has gone raises SIGPIPE, which would end the program; with
// the signal blocked the call fails with EPIPE instead, a failure like any other, and the
// pending signal is taken back before it is unblocked.
ssize_t WriteWithoutBrokenPipeSignal(int handle, const char* bytes, std::size_t count) {
  sigset_t brokenPipe;
  sigset_t previous;
  sigemptyset(&brokenPipe);
  sigaddset(&brokenPipe, SIGPIPE);
  pthread_sigmask(SIG_BLOCK, &brokenPipe, &previous);
  const ssize_t written = ::write(handle, bytes, count);
  const int writeErrno = errno;
  if (written < 0 && writeErrno == EPIPE && !sigismember(&previous, SIGPIPE)) {
    const struct timespec noWait {};
    while (sigtimedwait(&brokenPipe, nullptr, &noWait) < 0 && errno == EINTR) {
    }
  }
  pthread_sigmask(SIG_SETMASK, &previous, nullptr);
  errno = writeErrno;
  return written;
}

bool NobodyMayWrite(const struct stat& status) {
  return (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
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
      return 112;  // what Windows reports for a full disk
    default:
      return errorNumber;
  }
}

EInOutError ResultsFileError(int errorNumber) {
  const int code = ResultsFileErrorCode(errorNumber);
  // ENOENT is the one mapping that keeps its number; every other number that comes through
  // unchanged is unmapped.
  const bool mapped = code != errorNumber || errorNumber == ENOENT;
  if (!mapped) return EInOutError(code, "I/O error " + std::to_string(code));
  return EInOutError(code);
}

ResultsFile::ResultsFile(ResultsFile&& other) noexcept
    : handle_(std::exchange(other.handle_, -1)),
      buffer_(other.buffer_),
      used_(std::exchange(other.used_, 0)),
      failedErrno_(std::exchange(other.failedErrno_, 0)),
      isPipe_(std::exchange(other.isPipe_, false)) {}

ResultsFile& ResultsFile::operator=(ResultsFile&& other) noexcept {
  if (this != &other) {
    if (handle_ >= 0) ::close(handle_);
    handle_ = std::exchange(other.handle_, -1);
    buffer_ = other.buffer_;
    used_ = std::exchange(other.used_, 0);
    failedErrno_ = std::exchange(other.failedErrno_, 0);
    isPipe_ = std::exchange(other.isPipe_, false);
  }
  return *this;
}

ResultsFile::~ResultsFile() {
  if (handle_ >= 0) ::close(handle_);
}

void ResultsFile::WriteBlock(std::size_t count) {
  // One write() per block. A disk file takes all of it or fails; should the system take only
  // a part (a full disk, a signal), the rest follows at once rather than being dropped
  // silently, and the call that fails is recorded. Either way the block leaves the buffer,
  // so the bytes of a failed block are lost, and the check at the end of the line raises.
  const char* bytes = buffer_.data();
  while (count > 0) {
    const ssize_t written =
        isPipe_ ? WriteWithoutBrokenPipeSignal(handle_, bytes, count) : ::write(handle_, bytes, count);
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
  if (failedErrno_ != 0) throw ResultsFileError(std::exchange(failedErrno_, 0));
}

ResultsFile CreateResultsFile(const std::filesystem::path& folder) {
  const std::string name = (folder / kResultsFileName).string();
  bool createdHere = false;
  const int handle = OpenForWriting(name.c_str(), createdHere);
  if (handle < 0) throw ResultsFileError(errno);
  ResultsFile file;  // closes the handle when a refusal leaves here
  file.handle_ = handle;

  struct stat status {};
  if (::fstat(handle, &status) != 0) throw ResultsFileError(errno);
  if (S_ISREG(status.st_mode)) {
    // One writer at a time, as with a file opened for writing with read sharing only. A
    // device or a pipe is not locked: two runs may both write to /dev/null.
    if (::flock(handle, LOCK_EX | LOCK_NB) != 0) {
      if (errno == EWOULDBLOCK) throw EInOutError(kSharingViolation);
      // A file system without locks (ENOLCK, EINVAL, ...) is written unlocked rather than
      // not at all.
    }
    // The read-only attribute: no write bit for anyone. Root could write it regardless.
    if (!createdHere && NobodyMayWrite(status)) throw EInOutError(kAccessDenied);
    if (::ftruncate(handle, 0) != 0) throw ResultsFileError(errno);
  }
  file.isPipe_ = S_ISFIFO(status.st_mode) || S_ISSOCK(status.st_mode);
  const int flags = ::fcntl(handle, F_GETFL);
  if (flags < 0 || ::fcntl(handle, F_SETFL, flags & ~O_NONBLOCK) != 0) throw ResultsFileError(errno);
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
  // Closing also releases the lock. Linux releases the descriptor even when close() is
  // interrupted, so EINTR is no failure of ours.
  if (::close(std::exchange(file.handle_, -1)) != 0 && errno != EINTR) file.failedErrno_ = errno;
  file.Check();
}
