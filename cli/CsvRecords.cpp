#include "cli/CsvRecords.h"

#include <csv.h>

#include <algorithm>
#include <new>

namespace {

// The records so far and the line libcsv is being fed.
struct Collector {
  std::vector<CsvRecord> records;
  CsvRecord current;
  std::size_t line = 0;
};

// A field ends on the line being fed, so it began as many lines earlier as it holds breaks.
void AddField(void* bytes, std::size_t size, void* data) {
  Collector& collector = *static_cast<Collector*>(data);
  const std::string_view field(static_cast<const char*>(bytes), bytes ? size : 0);
  if (collector.current.fields.empty())
    collector.current.line = collector.line - static_cast<std::size_t>(std::count(field.begin(), field.end(), '\n'));
  collector.current.fields.emplace_back(field);
}

void EndRecord(int, void* data) {
  Collector& collector = *static_cast<Collector*>(data);
  collector.records.push_back(std::move(collector.current));
  collector.current = {};
}

// Values are texts as typed: a blank is part of them, not padding to trim.
int NoBlanks(unsigned char) { return 0; }

[[noreturn]] void RaiseParseError(csv_parser& parser, std::size_t line, const std::string& problem) {
  if (csv_error(&parser) == CSV_ENOMEM) throw std::bad_alloc();
  throw CsvSyntaxError(line, problem);
}

// Frees the parser however the reading ends.
struct Parser {
  csv_parser state;
  Parser() {
    if (csv_init(&state, CSV_STRICT | CSV_STRICT_FINI) != 0) throw std::bad_alloc();
  }
  ~Parser() { csv_free(&state); }
};

}  // namespace

std::vector<CsvRecord> ReadCsvRecords(std::string_view text, char delimiter) {
  Parser parser;
  csv_set_delim(&parser.state, static_cast<unsigned char>(delimiter));
  csv_set_space_func(&parser.state, NoBlanks);
  Collector collector;
  // Fed a line at a time, so that every record and error knows its line.
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t end = std::min(text.find('\n', at), text.size() - 1) + 1;
    ++collector.line;
    if (csv_parse(&parser.state, text.data() + at, end - at, AddField, EndRecord, &collector) != end - at)
      RaiseParseError(parser.state, collector.line, "кавычка не на месте");
    at = end;
  }
  if (csv_fini(&parser.state, AddField, EndRecord, &collector) != 0)
    RaiseParseError(parser.state, collector.line, "кавычка не закрыта до конца файла");
  return collector.records;
}
