// Compares a results file with the REZ.TXT a run would write, as the run's rows arrive, without
// writing REZ.TXT. The file is read leniently: LF as well as CR LF, any blanks between the
// fields, the header in UTF-8 or missing; each such liberty still counts as a difference, and
// the file matches only when every byte would be the same.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>

#include "cli/TextLineReader.h"
#include "run/RunObserver.h"

// A line as one side has it, with its number from 1; none where that side has no such line.
struct ComparedLine {
  std::uint64_t number = 0;
  std::optional<TextLine> line;
};

enum class HeaderKind { Same, Utf8, Missing, Other };

struct ComparisonSummary {
  std::uint64_t fileLines = 0;
  std::uint64_t referenceLines = 0;
  std::uint64_t referenceRows = 0;
  std::uint64_t differingRows = 0;    // table rows of both whose text differs
  std::uint64_t readRows = 0;         // rows of the file read as three numbers
  std::uint64_t unreadableRows = 0;   // rows of the file that are not three numbers
  std::array<double, 3> largestDifference{};  // |file - run| over the rows read: t, u, E
  std::uint64_t lfLineEnds = 0;       // lines ended by LF alone
  bool lastLineUnended = false;
  bool byteOrderMark = false;
  HeaderKind header = HeaderKind::Same;
  bool emptyLineMissing = false;
  // The first line that differs, in text or line end: the file's and the run's.
  std::optional<std::pair<ComparedLine, ComparedLine>> first;

  bool Identical() const { return !first; }
};

class ResultsComparison : public RunObserver {
 public:
  explicit ResultsComparison(TextLineReader& file) : file_(file) {}

  void ParametersRead(const CalcParams& params) override;
  void RowsEmitted(std::span<const ResultRow> rows) override;
  void RunFinished(double globalError) override;

  const ComparisonSummary& Summary() const { return summary_; }

 private:
  ComparedLine NextFileLine();
  ComparedLine NextReferenceLine(std::string_view text);
  void CompareHeader();
  void CompareEmptyLine();
  void CompareRow(const std::string& reference);
  void CompareValues(const std::string& file, const std::string& reference);
  void Compare(const ComparedLine& file, const ComparedLine& reference);

  TextLineReader& file_;
  std::optional<ComparedLine> pending_;  // a row found where the header or empty line belongs
  std::uint64_t referenceLine_ = 0;
  ComparisonSummary summary_;
};
