#pragma once
// Collation of the current direction and lookup: a word file is kept in its direction's order
// (a sort table of 256 weights, or the locale's case-insensitive collation) so that findWord can
// bisect it.

#include <string_view>

namespace zembo {

extern unsigned char sortTable[256];

// Reads tables\<sourceName>.stb into sortTable when the current direction has one.
void loadSortTable();
// Warns when a name is not among the 70 language names of the C runtime.
void checkLocaleName(const char* localeName);

int compareWords(std::string_view a, std::string_view b);
int compareByTable(std::string_view a, std::string_view b);
int compareByLocale(std::string_view a, std::string_view b);

// The index of a record whose word collates equal to key, or the position where key would be
// inserted (0 ... wordCount). Bisects the word file itself, one record read per probe.
int findWord(std::string_view key);

// Called after currentDirection was set to another direction: its collation, the choice recorded
// in the configuration file, the store reopened for it. 0, or -1 when the choice could not be
// recorded (the store is reopened all the same, so the open files always belong to the current
// direction).
int activateDirection();

}  // namespace zembo
