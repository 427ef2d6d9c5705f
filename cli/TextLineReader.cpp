#include "cli/TextLineReader.h"

#include <sys/types.h>

#include <cerrno>
#include <cstdlib>
#include <utility>

#include "cli/FileReadError.h"

TextLineReader::TextLineReader(std::string path) : path_(std::move(path)) {
  errno = 0;
  file_ = std::fopen(path_.c_str(), "rb");
  if (file_ == nullptr) throw FileReadError(path_, errno != 0 ? errno : EIO);
}

TextLineReader::~TextLineReader() {
  if (file_ != nullptr) std::fclose(file_);
  std::free(buffer_);
}

std::optional<TextLine> TextLineReader::Next() {
  errno = 0;
  const ssize_t length = ::getline(&buffer_, &capacity_, file_);
  if (length < 0) {
    if (std::ferror(file_)) throw FileReadError(path_, errno != 0 ? errno : EIO);
    return std::nullopt;
  }
  TextLine line{std::string(buffer_, static_cast<std::size_t>(length)), LineEnd::None};
  if (line.text.ends_with("\r\n")) {
    line.text.resize(line.text.size() - 2);
    line.end = LineEnd::CrLf;
  } else if (line.text.ends_with('\n')) {
    line.text.pop_back();
    line.end = LineEnd::Lf;
  }
  return line;
}
