#include "cli/ResultsComparison.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <utility>

#include "output/ResultsLine.h"

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
// REZ.TXT's header line without its line end.
constexpr std::string_view kHeaderText = kResultsHeaderLine.substr(0, kResultsHeaderLine.size() - 2);
constexpr std::string_view kUtf8Header = "РЕЗУЛЬТАТЫ РАССЧЕТОВ";

// A row's three numbers, whatever blanks stand between them; none when the line is not a row.
std::optional<std::array<double, 3>> RowValues(std::string_view text) {
  std::array<double, 3> values{};
  std::size_t count = 0;
  std::size_t at = 0;
  while (true) {
    at = text.find_first_not_of(" \t", at);
    if (at == std::string_view::npos) break;
    const std::size_t end = std::min(text.find_first_of(" \t", at), text.size());
    if (count == 3) return std::nullopt;
    const auto [stop, error] = std::from_chars(text.data() + at, text.data() + end, values[count++]);
    if (error != std::errc() || stop != text.data() + end || !std::isfinite(values[count - 1]))
      return std::nullopt;
    at = end;
  }
  if (count != 3) return std::nullopt;
  return values;
}

}  // namespace

void ResultsComparison::ParametersRead(const CalcParams&) {
  CompareHeader();
  CompareEmptyLine();
}

void ResultsComparison::RowsEmitted(std::span<const ResultRow> rows) {
  char line[kLongestResultsLine];
  for (const ResultRow& row : rows) CompareRow(std::string(line, WriteResultsLine(row, line) - 2));
}

void ResultsComparison::RunFinished(double) {
  summary_.referenceLines = referenceLine_;
  for (ComparedLine extra = NextFileLine(); extra.line; extra = NextFileLine())
    Compare(extra, {referenceLine_ + 1, std::nullopt});
}

ComparedLine ResultsComparison::NextFileLine() {
  if (pending_) return *std::exchange(pending_, std::nullopt);
  std::optional<TextLine> line = file_.Next();
  if (!line) return {summary_.fileLines + 1, std::nullopt};
  summary_.lfLineEnds += line->end == LineEnd::Lf;
  summary_.lastLineUnended = line->end == LineEnd::None;
  return {++summary_.fileLines, std::move(line)};
}

ComparedLine ResultsComparison::NextReferenceLine(std::string_view text) {
  return {++referenceLine_, TextLine{std::string(text), LineEnd::CrLf}};
}

void ResultsComparison::CompareHeader() {
  ComparedLine file = NextFileLine();
  const ComparedLine reference = NextReferenceLine(kHeaderText);
  if (file.line) {
    std::string_view text = file.line->text;
    summary_.byteOrderMark = text.starts_with(kByteOrderMark);
    if (summary_.byteOrderMark) text.remove_prefix(kByteOrderMark.size());
    if (text == kUtf8Header) {
      summary_.header = HeaderKind::Utf8;
    } else if (RowValues(text)) {
      summary_.header = HeaderKind::Missing;
      pending_ = file;  // the table starts here
    } else if (text != kHeaderText) {
      summary_.header = HeaderKind::Other;
    }
  }
  Compare(file, reference);
}

void ResultsComparison::CompareEmptyLine() {
  const ComparedLine reference = NextReferenceLine("");
  if (summary_.header == HeaderKind::Missing) {
    summary_.emptyLineMissing = true;
    return;
  }
  const ComparedLine file = NextFileLine();
  if (file.line && RowValues(file.line->text)) {
    summary_.emptyLineMissing = true;
    pending_ = file;
  }
  Compare(file, reference);
}

void ResultsComparison::CompareRow(const std::string& reference) {
  ++summary_.referenceRows;
  const ComparedLine referenceLine = NextReferenceLine(reference);
  const ComparedLine file = NextFileLine();
  if (file.line) {
    if (file.line->text != reference) ++summary_.differingRows;
    CompareValues(file.line->text, reference);
  }
  Compare(file, referenceLine);
}

void ResultsComparison::CompareValues(const std::string& file, const std::string& reference) {
  if (file == reference) {
    ++summary_.readRows;
    return;
  }
  const std::optional<std::array<double, 3>> fileValues = RowValues(file);
  const std::optional<std::array<double, 3>> referenceValues = RowValues(reference);
  if (!fileValues || !referenceValues) {
    ++summary_.unreadableRows;
    return;
  }
  ++summary_.readRows;
  for (std::size_t i = 0; i < 3; ++i) {
    const double difference = std::fabs((*fileValues)[i] - (*referenceValues)[i]);
    if (difference > summary_.largestDifference[i]) summary_.largestDifference[i] = difference;
  }
}

void ResultsComparison::Compare(const ComparedLine& file, const ComparedLine& reference) {
  if (summary_.first) return;
  const bool same = file.line && reference.line && file.line->text == reference.line->text &&
                    file.line->end == reference.line->end;
  if (!same) summary_.first.emplace(file, reference);
}
