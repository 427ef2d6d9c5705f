// The runner's printing: a line on a stream, and the check that standard output really took
// everything, since a result that never arrived (a full disk, a closed pipe) is no success.
#pragma once

#include <cstdio>
#include <string>

void PrintLine(std::FILE* stream, const std::string& text);

// Flushes standard output: 0, or 1 after saying on standard error why it failed.
int FlushStandardOutput();
