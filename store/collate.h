#pragma once
// Collation and lookup: a word file is kept in its direction's order (a sort table of 256
// weights, or the locale's case-insensitive collation) so that findWord can bisect it.

#include <string_view>

#include "directions/directions.h"
#include "platform/messagebox.h"
#include "store/store.h"

namespace zembo {

// Reads tables\<sourceName>.stb into the collation's table when the direction has one; a short
// file leaves the rest of the table as it was.
void loadSortTable(WordCollation& collation, const DictionaryDirection& direction);
// The direction's sort table and locale; a locale that cannot be set (the collation keeps the one
// it had; false) and a name that is not among the C runtime's are reported (the box of the first
// under parent).
bool loadCollation(WordCollation& collation, const DictionaryDirection& direction, WindowHandle parent = nullptr);
// Warns when a name is not among the 70 language names of the C runtime.
void checkLocaleName(const char* localeName);

// Under a direction's collation, or the current word file's.
int compareWords(const WordCollation& collation, std::string_view a, std::string_view b);
int compareWords(std::string_view a, std::string_view b);
int compareByTable(const unsigned char table[256], std::string_view a, std::string_view b);

// The index of the first record whose word collates equal to key, or the position where key
// would be inserted (0 ... count). Bisects the first count records of the word file itself (all of them
// when no count is given), one record read per probe.
int findWord(const WordFile& file, std::string_view key, int count);
int findWord(const WordFile& file, std::string_view key);
int findWord(std::string_view key);  // in the current word file

// Where a lookup of a word typed, copied or clicked lands: among the records that collate equal to
// key ("Gehen" and "gehen" under a case-blind collation), the first whose word is key byte for byte,
// else the first of them, as findWord gives it. Reads one record more than findWord per record of
// the equal words it passes.
int findTypedWord(const WordFile& file, std::string_view key);
int findTypedWord(std::string_view key);  // in the current word file

}  // namespace zembo
