// A text file read line by line, each line with the end it had: CR LF, LF, or none for a last
// line the file does not end. For reading a results file leniently.
#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>

enum class LineEnd { CrLf, Lf, None };

struct TextLine {
  std::string text;  // without its line end
  LineEnd end = LineEnd::CrLf;
};

class TextLineReader {
 public:
  // Opens the file; raises FileReadError when it cannot.
  explicit TextLineReader(std::string path);
  ~TextLineReader();
  TextLineReader(const TextLineReader&) = delete;
  TextLineReader& operator=(const TextLineReader&) = delete;

  // The next line, none at the end of the file; raises FileReadError when reading fails.
  std::optional<TextLine> Next();

 private:
  std::string path_;
  std::FILE* file_ = nullptr;
  char* buffer_ = nullptr;  // getline's, grown as needed
  std::size_t capacity_ = 0;
};
