// The results file REZ.TXT in the folder a run writes into: a Windows-1251 header, an empty
// line and one line per row (output/ResultsLine.h). Bytes leave in whole 128-byte blocks,
// many blocks to one write() (at most 64 KiB), so that a reader during a run always finds a
// length that is a multiple of 128 and a prefix of the final file; the rest goes out when the
// file is closed. A failed write is raised as the check at the end of the row in which its
// first lost block was filled would raise it: the rows before that row count as written,
// nothing after the failure is written, and EInOutError carries the code of the failure.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <vector>

#include "model/Errors.h"
#include "model/ResultRow.h"
#include "output/FileWriter.h"

inline constexpr const char* kResultsFileName = "REZ.TXT";
inline constexpr std::size_t kResultsBlockSize = 128;
inline constexpr std::size_t kResultsBatchSize = 64 * 1024;

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
  friend ResultsFile CreateResultsFile(const std::filesystem::path& folder, FileWriter& writer);
  friend void WriteResultsHeader(ResultsFile& file);
  friend void WriteResultRows(ResultsFile& file, std::span<const ResultRow> rows);
  friend void CloseResultsFile(ResultsFile& file);

  void Append(const char* bytes, std::size_t count);
  bool AppendRow(const ResultRow& row);
  bool WriteWholeBlocks();
  void WriteAll(const char* bytes, std::size_t count);
  [[noreturn]] void RaiseRowsFailure() const;
  void Release() noexcept;

  int handle_ = -1;
  FileWriter* writer_ = nullptr;
  bool isPipe_ = false;  // a reader that goes away must not end the program by SIGPIPE
  std::unique_ptr<char[]> buffer_;
  std::size_t used_ = 0;        // bytes in the buffer, not yet written
  std::uint64_t written_ = 0;   // bytes the file has taken
  int failedErrno_ = 0;         // the failed call's error; nothing is written after it
  std::vector<std::uint64_t> rowEnds_;  // where each row of the current span ends in the file
};

// Creates REZ.TXT in the folder (the window and the runner pass the current one, "."), or
// empties an existing one, and opens it for writing. Refuses, leaving an existing file as it
// was: one whose permission bits give nobody write access (code 5, also for root) and one
// another writer holds locked (code 32). Something other than a regular file (a link to
// /dev/null or /dev/full, a pipe with a reader) is written as it is, neither emptied nor
// locked; a pipe without a reader is refused instead of waited for.
ResultsFile CreateResultsFile(const std::filesystem::path& folder, FileWriter& writer = SystemFileWriter());
// The header line and the empty line; raises EInOutError when a block of them is lost.
void WriteResultsHeader(ResultsFile& file);
// The rows' lines. When a block cannot be written, raises RowsPartlyTaken with the rows before
// the one during which that block was filled and the EInOutError of the failure.
void WriteResultRows(ResultsFile& file, std::span<const ResultRow> rows);
// One row's line; raises the EInOutError itself.
void WriteResultRow(ResultsFile& file, const ResultRow& row);
// Writes what is left (less than a block) with one call, unless a write failed before, and
// releases the file, also when that write failed; then raises the failure of either step.
void CloseResultsFile(ResultsFile& file);

// The code an operating-system error number stands for in EInOutError: 5, 2, 3, 4 or 112 for
// the failures that have a Windows counterpart, else the error number itself.
int ResultsFileErrorCode(int errorNumber);

// The error for a failed call: the mapped code with its message, or, for an unmapped error
// number, "I/O error <number>" even where the number equals a code of the message table
// (EIO is 5 but no "File access denied").
EInOutError ResultsFileError(int errorNumber);
