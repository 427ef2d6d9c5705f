#include "cli/StandardStreams.h"

#include <cerrno>
#include <cstring>

void PrintLine(std::FILE* stream, const std::string& text) {
  std::fputs(text.c_str(), stream);
  std::fputc('\n', stream);
}

int FlushStandardOutput() {
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
    PrintLine(stderr, std::string("rcpulse-cli: не удалось вывести результат: ") + std::strerror(errno));
    return 1;
  }
  return 0;
}
