// A runner program's main with nothing unexpected ending the process: an error that escapes
// it prints its text on standard error and exits with 1.
#pragma once

int CatchingMain(int (*body)(int argc, char** argv), int argc, char** argv);
