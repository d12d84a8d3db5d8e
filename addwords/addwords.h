#pragma once
// Adding words: a pair typed by a user goes into the current word file, and each part of its
// translation feeds the reverse direction's word file. New records are appended behind the
// sorted part of both files; both are sorted again when the add-words window closes.

#include <string>
#include <string_view>

#include "directions/directions.h"
#include "store/sort.h"
#include "store/store.h"

namespace zembo {

// The state of adding words. The current word file is the store's, with its owed sort and sorted
// part; the reverse direction's word file is opened beside it for the whole session.
struct AddWordsState {
  // The reverse direction's word file: open from beginAddingWords to resortOnClose. Its owed sort
  // and sorted part outlive a failed close for the next session on the same direction.
  WordFile reverse;
  int newEntryCount = 0;  // entries stored in this session, new and edited alike
  // The direction the session's counts and flags belong to.
  const DictionaryDirection* sessionDirection = nullptr;
  // Where the time of the last resortOnClose went: the reverse file's merge, then the current
  // file's (all zero for a file it did not sort). Benchmarks print them.
  SortTimings resortTimings[2];
  // Where the time of the last storeEntry went, in seconds: the current file (lookup and write),
  // the new-entries log, the reverse file (lookups and writes of every part).
  struct EntryTimings {
    double current = 0, log = 0, reverse = 0;
  } entryTimings;
};
extern const AddWordsState& adding;  // read anywhere; written only by addwords/addwords.cpp
// Closes the reverse file and starts from a fresh state; tests begin and end with it.
void resetAddWordsState();

// Begins a session on the current direction: opens its reverse twin's word file beside it. Sorts
// that a failed close still owes for the same direction stay owed, with their sorted parts.
void beginAddingWords();

// The texts of the two fields of the add-words window, bytes in their code pages. storeEntry
// reads and changes them as the window's fields.
struct EntryTexts {
  std::string word;
  std::string translation;
};

enum class StoreOutcome {
  stored,       // both fields emptied
  nothing,      // a field was empty or blank
  commaInWord,  // nothing stored: a word may not hold a comma
  tooLong,      // nothing stored: the translation needs more than 50 characters once its parts
                // are joined by ", "; the fields keep what a user typed
};

// Text without its leading and trailing blanks.
std::string_view trimBlanks(std::string_view text);
// The parts of a translation trimmed, the blank ones dropped, joined by ", ".
std::string normaliseTranslation(std::string_view translation);

// The record of a word file holding this word (ASCII case aside) among its sorted part (by
// bisection) or among the records appended after it; -1 when none. The record found is read into
// record.
int findEntry(const WordFile& file, std::string_view word, WordRecord& record);

// Stores the pair of the fields in the current word file (a new record appended and logged, or
// the existing one replaced, flags kept) and its reverse entries; the counter counts it.
StoreOutcome storeEntry(EntryTexts& fields);
// Gives one translation part the word of the entry being stored (wordKey) as its translation in
// the session's reverse word file.
void addReverseEntry(std::string_view part, std::string_view wordKey);

// What became of a pair of a word list. Its word and translation are bytes in their code pages,
// the word without a comma and short enough for a record, the translation normalised and short
// enough for one.
enum class PairOutcome {
  added,         // a new entry, or translations the word's entry lacked added to it
  alreadyThere,  // the word's entry holds every part of the translation already
  notWritten,    // the word file could not take a new record (a full disk): nothing changed
};
// Stores a pair of a word list without losing what the dictionary holds: translations the word's
// entry lacks join it (in the first of its records with room, else in a record of their own), and
// only what is new is logged and fed to the reverse direction. listed is the record that holds the
// pair afterwards, for the practice list.
PairOutcome storeImportedPair(std::string_view word, std::string_view translation, WordRecord& listed);

// The new-entries file of the current direction, "new\<source>_<target>.zb".
std::string newEntriesPath();
// Appends record to it; a file that cannot be written loses the entry and nothing else.
void appendNewEntry(const WordRecord& record);

// Sorts the files the session appended to, the reverse file first, each under the sorting window
// with "Sort failed" when it fails, and ends the session (the reverse file is closed). A file
// whose sort failed still owes it. Without currentToo only the reverse file is sorted.
void resortOnClose(bool currentToo = true);
// True when either file owes a sort.
bool resortOwed();

}  // namespace zembo
