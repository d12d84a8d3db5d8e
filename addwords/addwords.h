#pragma once
// Adding words: a pair typed by a user goes into the current word file, and each part of its
// translation feeds the reverse direction's word file. New records are appended behind the
// sorted part of both files; both are sorted again when the add-words window closes.

#include <string>
#include <string_view>

#include "directions/directions.h"
#include "store/sort.h"

namespace zembo {

// The state of one adding session (the add-words window). needsSort (store/sort.h) is the flag
// of the current word file, shared with the search window.
extern int sortedCount;         // records of the current word file known to be in order
extern DictionaryDirection* reverseDirection;
extern int reverseSortedCount;  // the same for the reverse word file; 0 until it is first opened
extern int newEntryCount;       // entries stored in this session, new and edited alike
extern int reverseNeedsSort;
// The direction the session's counts and flags belong to.
extern DictionaryDirection* sessionDirection;
// No session, nothing owed, as at process start.
void resetAddWordsState();

// Begins a session on the current direction: finds its reverse twin and the sorted parts. Sorts
// that a failed close still owes for the same direction stay owed, with their sorted parts.
void beginAddingWords();

// The texts of the two fields of the add-words window, bytes in their code pages. storeEntry
// reads and changes them as the window's fields.
struct EntryTexts {
  std::string word;
  std::string translation;
};

enum class StoreOutcome {
  stored,        // both fields emptied
  nothing,       // a field was empty or blank
  commaInWord,   // nothing stored: a word may not hold a comma
  tooLong,       // nothing stored: the translation needs more than 50 characters once its parts
                 // are joined by ", "; the fields keep what a user typed
};

// Text without its leading and trailing blanks.
std::string_view trimBlanks(std::string_view text);
// The parts of a translation trimmed, the blank ones dropped, joined by ", ".
std::string normaliseTranslation(std::string_view translation);

// The record of the current word file holding this word (ASCII case aside) among the first
// sortedPart records (by bisection) or among those appended after them; -1 when none.
int findEntry(std::string_view word, int sortedPart);

// Stores the pair of the fields in the current word file (a new record appended and logged, or
// the existing one replaced, flags kept) and its reverse entries; the counter counts it.
StoreOutcome storeEntry(EntryTexts& fields);
// Gives one translation part the word of the entry being stored (wordKey) as its translation in
// the reverse word file, which is current while it runs.
void addReverseEntry(std::string_view part, std::string_view wordKey);

// The new-entries file of the current direction, "new\<source>_<target>.zb".
std::string newEntriesPath();
// Appends currentRecord to it; a file that cannot be written loses the entry and nothing else.
void appendNewEntry();

// Makes a direction current for reading and writing its word file: its collation and the store,
// without recording the choice in the configuration file.
void switchStoreDirection(DictionaryDirection* direction);

// Sorts the files the session appended to, the reverse file first, each under the sorting window
// with "Sort failed" when it fails. A file whose sort failed still owes it.
void resortOnClose();
// Where the time of the last resortOnClose went: the reverse file's merge, then the current
// file's (all zero for a file it did not sort). Benchmarks print them.
extern SortTimings resortTimings[2];

}  // namespace zembo
