// One number field of the results file, FormatFixed(value, 8, 5), written straight into a
// caller's buffer: the same bytes, without building a string, and with integer digit work for
// the magnitudes a run meets (below 10^12); any other value is passed to FormatFixed itself.
#pragma once

#include <cstddef>

// The longest field FormatFixed can write.
inline constexpr std::size_t kResultsFieldCapacity = 255;

// Writes the field into out (room for kResultsFieldCapacity characters, no terminator) and
// returns its length: 8 for values that round into -9.99999 .. 99.99999, more for larger ones.
std::size_t WriteResultsField(double value, char* out);
