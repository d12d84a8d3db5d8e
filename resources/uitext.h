#pragma once
// UI text N: string number uiBase + N of the string table, loaded into one shared buffer.
// A caller keeps the text only until the next load; one that needs two texts at once copies.

#include <string>

namespace zembo {

constexpr int uiTextBufferSize = 300;
extern char uiTextBuffer[uiTextBufferSize];

// Copies string number id into buffer, NUL-terminated and cut to size - 1 bytes; returns its
// length, 0 (and an empty buffer) when there is no such string.
int loadString(int id, char* buffer, int size);

// Loads UI text n of the chosen edition into uiTextBuffer and returns the buffer.
const char* loadUiText(int n);
// UI text n as a copy, for callers that need more than one text at a time.
std::string uiTextCopy(int n);
// UI text n read as a decimal number (the rows that hold numbers: 13, 19, 58, 60).
int uiTextNumber(int n);

}  // namespace zembo
