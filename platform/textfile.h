#pragma once
// Text files are read as the C runtime's text mode read them where the data files come from:
// a CR LF pair is one line end, so files written on either kind of system read the same.

#include <cstddef>
#include <cstdio>
#include <string>

namespace zembo {

// fgets in text mode: reads at most size - 1 bytes, up to and including a line end, and
// NUL-terminates. Returns false at the end of the file when nothing was read.
bool readTextLine(std::FILE* file, char* buffer, int size);

// The same into a string, NUL bytes included: at most maxBytes bytes, up to and including a line
// end. False at the end of the file when nothing was read.
bool readTextLine(std::FILE* file, std::string& line, std::size_t maxBytes);

// A line of a file opened in binary mode exactly as it is stored, NUL bytes and a CR before its
// line end included, up to and including the '\n'. False at the end of the file when nothing was read.
bool readStoredLine(std::FILE* file, std::string& line);

// Removes one line end from the end of a line read by readTextLine.
void removeLineEnd(char* line);

}  // namespace zembo
