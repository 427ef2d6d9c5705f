#include "cli/CatchingMain.h"

#include <cstdio>
#include <exception>

#include "run/ErrorText.h"

int CatchingMain(int (*body)(int argc, char** argv), int argc, char** argv) {
  try {
    return body(argc, argv);
  } catch (...) {
    std::fprintf(stderr, "%s\n", ErrorText(std::current_exception()).c_str());
    return 1;
  }
}
