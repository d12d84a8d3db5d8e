#pragma once
// Text files are read as the C runtime's text mode read them where the data files come from:
// a CR LF pair is one line end, so files written on either kind of system read the same.

#include <cstdio>

namespace zembo {

// fgets in text mode: reads at most size - 1 bytes, up to and including a line end, and
// NUL-terminates. Returns false at the end of the file when nothing was read.
bool readTextLine(std::FILE* file, char* buffer, int size);

// Removes one line end from the end of a line read by readTextLine.
void removeLineEnd(char* line);

}  // namespace zembo
