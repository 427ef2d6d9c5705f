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

#include "output/ResultsLine.h"
#include "run/RunObserver.h"

namespace {

// Room for a whole batch; a row is only begun while its longest line still fits.
constexpr std::size_t kBufferSize = kResultsBatchSize;

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
ssize_t WriteWithoutBrokenPipeSignal(FileWriter& writer, int handle, const char* bytes, std::size_t count) {
  sigset_t brokenPipe;
  sigset_t previous;
  sigemptyset(&brokenPipe);
  sigaddset(&brokenPipe, SIGPIPE);
  pthread_sigmask(SIG_BLOCK, &brokenPipe, &previous);
  const ssize_t written = writer.Write(handle, bytes, count);
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

class SystemWriter : public FileWriter {
 public:
  ssize_t Write(int handle, const char* bytes, std::size_t count) override { return ::write(handle, bytes, count); }
};

FileWriter& SystemFileWriter() {
  static SystemWriter writer;
  return writer;
}

ResultsFile::ResultsFile(ResultsFile&& other) noexcept { *this = std::move(other); }

ResultsFile& ResultsFile::operator=(ResultsFile&& other) noexcept {
  if (this != &other) {
    Release();
    handle_ = std::exchange(other.handle_, -1);
    writer_ = other.writer_;
    isPipe_ = other.isPipe_;
    buffer_ = std::move(other.buffer_);
    used_ = std::exchange(other.used_, 0);
    written_ = std::exchange(other.written_, 0);
    failedErrno_ = std::exchange(other.failedErrno_, 0);
    rowEnds_ = std::move(other.rowEnds_);
  }
  return *this;
}

ResultsFile::~ResultsFile() { Release(); }

void ResultsFile::Release() noexcept {
  if (handle_ >= 0) ::close(std::exchange(handle_, -1));
}

// Until the system has taken every byte: a disk file takes all or fails, but should it take
// only a part (a full disk, a file-size limit, a signal), the rest follows at once, and the
// call that fails is recorded. Nothing is written after a failure.
void ResultsFile::WriteAll(const char* bytes, std::size_t count) {
  while (count > 0 && failedErrno_ == 0) {
    const ssize_t written = isPipe_ ? WriteWithoutBrokenPipeSignal(*writer_, handle_, bytes, count)
                                    : writer_->Write(handle_, bytes, count);
    if (written < 0) {
      if (errno != EINTR) failedErrno_ = errno;
      continue;
    }
    bytes += written;
    count -= static_cast<std::size_t>(written);
    written_ += static_cast<std::uint64_t>(written);
  }
}

// Every whole block in the buffer with one call; the rest of a block stays for later. False
// when the write failed.
bool ResultsFile::WriteWholeBlocks() {
  const std::size_t whole = used_ / kResultsBlockSize * kResultsBlockSize;
  if (whole == 0) return failedErrno_ == 0;
  WriteAll(buffer_.get(), whole);
  if (failedErrno_ != 0) {
    used_ = 0;
    return false;
  }
  std::memmove(buffer_.get(), buffer_.get() + whole, used_ - whole);
  used_ -= whole;
  return true;
}

void ResultsFile::Append(const char* bytes, std::size_t count) {
  std::memcpy(buffer_.get() + used_, bytes, count);
  used_ += count;
}

bool ResultsFile::AppendRow(const ResultRow& row) {
  if (used_ + kLongestResultsLine > kBufferSize && !WriteWholeBlocks()) return false;
  used_ += WriteResultsLine(row, buffer_.get() + used_);
  rowEnds_.push_back(written_ + used_);
  return true;
}

// The first block the file did not take was filled during the first row that reaches its end;
// the rows before it were taken. (Blocks filled by earlier spans were all written.)
void ResultsFile::RaiseRowsFailure() const {
  const std::uint64_t lostBlockEnd = (written_ / kResultsBlockSize + 1) * kResultsBlockSize;
  std::size_t taken = 0;
  while (taken < rowEnds_.size() && rowEnds_[taken] < lostBlockEnd) ++taken;
  throw RowsPartlyTaken{taken, std::make_exception_ptr(ResultsFileError(failedErrno_))};
}

ResultsFile CreateResultsFile(const std::filesystem::path& folder, FileWriter& writer) {
  const std::string name = (folder / kResultsFileName).string();
  bool createdHere = false;
  const int handle = OpenForWriting(name.c_str(), createdHere);
  if (handle < 0) throw ResultsFileError(errno);
  ResultsFile file;  // closes the handle when a refusal leaves here
  file.handle_ = handle;
  file.writer_ = &writer;

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
  file.buffer_ = std::make_unique<char[]>(kBufferSize);
  file.rowEnds_.reserve(4096);
  return file;
}

void WriteResultsHeader(ResultsFile& file) {
  file.Append(kResultsHeaderLine.data(), kResultsHeaderLine.size());
  file.Append(kResultsEmptyLine.data(), kResultsEmptyLine.size());
  if (!file.WriteWholeBlocks()) throw ResultsFileError(file.failedErrno_);
}

void WriteResultRows(ResultsFile& file, std::span<const ResultRow> rows) {
  file.rowEnds_.clear();
  for (const ResultRow& row : rows) {
    if (!file.AppendRow(row)) file.RaiseRowsFailure();
  }
  if (!file.WriteWholeBlocks()) file.RaiseRowsFailure();
}

void WriteResultRow(ResultsFile& file, const ResultRow& row) {
  try {
    WriteResultRows(file, {&row, 1});
  } catch (const RowsPartlyTaken& partly) {
    std::rethrow_exception(partly.error);
  }
}

void CloseResultsFile(ResultsFile& file) {
  if (file.handle_ < 0) return;
  const int earlierFailure = file.failedErrno_;
  if (earlierFailure == 0 && file.used_ > 0) file.WriteAll(file.buffer_.get(), file.used_);
  file.used_ = 0;
  // Closing also releases the lock. Linux releases the descriptor even when close() is
  // interrupted, so EINTR is no failure of ours.
  if (::close(std::exchange(file.handle_, -1)) != 0 && errno != EINTR && file.failedErrno_ == 0)
    file.failedErrno_ = errno;
  // A failure raised before is not raised again.
  if (earlierFailure == 0 && file.failedErrno_ != 0) throw ResultsFileError(file.failedErrno_);
}
