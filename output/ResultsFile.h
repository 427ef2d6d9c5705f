// The results file REZ.TXT in the folder a run writes into: a Windows-1251 header, an empty line and
// one line per row of three FormatFixed(value, 8, 5) fields, every line ended by CR LF. Bytes
// go out in blocks of 128 with one write() each; every operation is followed by a check that
// raises EInOutError with the code of the failure.
#pragma once

#include <array>
#include <cstddef>
#include <filesystem>

#include "model/Errors.h"
#include "model/ResultRow.h"

inline constexpr const char* kResultsFileName = "REZ.TXT";
inline constexpr std::size_t kResultsBufferSize = 128;

// The open file of one run. Move-only; a file still open when it is destroyed is released
// without a check.
class ResultsFile {
 public:
  ResultsFile() = default;
  ResultsFile(ResultsFile&& other) noexcept;
  ResultsFile& operator=(ResultsFile&& other) noexcept;
  ResultsFile(const ResultsFile&) = delete;
  ResultsFile& operator=(const ResultsFile&) = delete;
  ~ResultsFile();

  bool IsOpen() const { return handle_ >= 0; }

 private:
  friend ResultsFile CreateResultsFile(const std::filesystem::path& folder);
  friend void WriteResultsHeader(ResultsFile& file);
  friend void WriteResultRow(ResultsFile& file, const ResultRow& row);
  friend void CloseResultsFile(ResultsFile& file);

  void Append(const char* bytes, std::size_t count);
  void WriteBlock(std::size_t count);
  void Check();

  int handle_ = -1;
  std::array<char, kResultsBufferSize> buffer_{};
  std::size_t used_ = 0;
  int failedErrno_ = 0;  // error number of the latest failed call, raised by the next check
  bool isPipe_ = false;  // a reader that goes away must not end the program by SIGPIPE
};

// Creates REZ.TXT in the folder (the window and the runner pass the current one, "."), or
// empties an existing one, and opens it for writing. Refuses, leaving an
// existing file as it was: one whose permission bits give nobody write access (code 5, also
// for root) and one another writer holds locked (code 32). Something other than a regular
// file (a link to /dev/null or /dev/full, a pipe with a reader) is written as it is, neither
// emptied nor locked; a pipe without a reader is refused instead of waited for.
ResultsFile CreateResultsFile(const std::filesystem::path& folder);
void WriteResultsHeader(ResultsFile& file);
void WriteResultRow(ResultsFile& file, const ResultRow& row);
// Writes what is left in the buffer with one call and releases the file, also when that
// write failed; then checks.
void CloseResultsFile(ResultsFile& file);

// The code an operating-system error number stands for in EInOutError: 5, 2, 3, 4 or 112 for
// the failures that have a Windows counterpart, else the error number itself.
int ResultsFileErrorCode(int errorNumber);

// The error for a failed call: the mapped code with its message, or, for an unmapped error
// number, "I/O error <number>" even where the number equals a code of the message table
// (EIO is 5 but no "File access denied").
EInOutError ResultsFileError(int errorNumber);
