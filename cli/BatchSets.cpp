#include "cli/BatchSets.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <map>
#include <memory>

#include "cli/CsvRecords.h"
#include "cli/FileReadError.h"

namespace {

constexpr std::string_view kNameColumn = "name";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// What a header column stands for: a parameter, or the name when none.
using Column = std::optional<Parameter>;

std::string ColumnKey(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  const std::size_t last = text.find_last_not_of(" \t");
  std::string key(first == std::string_view::npos ? "" : text.substr(first, last - first + 1));
  for (char& c : key)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  return key;
}

std::string KnownColumns() {
  std::string names(kNameColumn);
  for (const ParameterInfo& entry : kParameterTable) names += ", " + std::string(entry.option);
  return names;
}

Column ColumnOf(const std::string& key, const std::string& path, std::size_t line) {
  if (key == kNameColumn) return std::nullopt;
  for (const ParameterInfo& entry : kParameterTable)
    if (key == entry.option) return entry.parameter;
  throw BatchFileError(path, line, "неизвестный столбец '" + key + "'; столбцы: " + KnownColumns());
}

std::vector<Column> ReadHeader(const CsvRecord& header, const std::string& path) {
  std::vector<Column> columns;
  std::vector<std::string> keys;
  for (const std::string& field : header.fields) {
    const std::string key = ColumnKey(field);
    if (std::find(keys.begin(), keys.end(), key) != keys.end())
      throw BatchFileError(path, header.line, "столбец '" + key + "' повторяется");
    columns.push_back(ColumnOf(key, path, header.line));
    keys.push_back(key);
  }
  return columns;
}

// A folder name of one part that stays inside the output folder.
bool IsFolderName(const std::string& name) {
  return name != "." && name != ".." && name.find('/') == std::string::npos &&
         name.find('\0') == std::string::npos;
}

BatchSet ReadSet(const CsvRecord& record, const std::vector<Column>& columns, std::size_t number) {
  BatchSet set;
  set.line = record.line;
  set.name = std::to_string(number);
  for (std::size_t i = 0; i < columns.size(); ++i) {
    if (columns[i]) {
      set.texts[static_cast<std::size_t>(*columns[i])] = record.fields[i];
    } else if (!record.fields[i].empty()) {
      set.name = record.fields[i];
    }
  }
  if (!IsFolderName(set.name)) set.refusal = "недопустимое имя каталога '" + set.name + "'";
  return set;
}

// Two sets in one folder would overwrite each other's REZ.TXT: the later one is refused.
void RefuseSharedFolders(std::vector<BatchSet>& sets) {
  std::map<std::string, std::size_t> owners;
  for (BatchSet& set : sets) {
    const auto [owner, added] = owners.emplace(set.name, set.line);
    if (!added && set.refusal.empty())
      set.refusal = "каталог '" + set.name + "' уже занят строкой " + std::to_string(owner->second);
  }
}

}  // namespace

std::vector<BatchSet> ParseBatchSets(std::string_view text, const std::string& path, char delimiter) {
  if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
  std::vector<CsvRecord> records;
  try {
    records = ReadCsvRecords(text, delimiter);
  } catch (const CsvSyntaxError& error) {
    throw BatchFileError(path, error.Line(), error.what());
  }
  if (records.empty()) throw BatchFileError(path, 1, "нет строки заголовка");
  const std::vector<Column> columns = ReadHeader(records.front(), path);
  std::vector<BatchSet> sets;
  for (std::size_t i = 1; i < records.size(); ++i) {
    if (records[i].fields.size() != columns.size())
      throw BatchFileError(path, records[i].line,
                           "значений: " + std::to_string(records[i].fields.size()) +
                               ", а столбцов в заголовке: " + std::to_string(columns.size()));
    sets.push_back(ReadSet(records[i], columns, i));
  }
  RefuseSharedFolders(sets);
  return sets;
}

std::vector<BatchSet> ReadBatchSets(const std::string& path, char delimiter) {
  errno = 0;
  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), std::fclose);
  if (!file) throw FileReadError(path, errno != 0 ? errno : EIO);
  std::string text;
  char block[65536];
  while (const std::size_t count = std::fread(block, 1, sizeof block, file.get())) text.append(block, count);
  if (std::ferror(file.get())) throw FileReadError(path, errno != 0 ? errno : EIO);
  return ParseBatchSets(text, path, delimiter);
}
