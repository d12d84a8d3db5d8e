#pragma once
// A teacher's word list, or an Anki deck, into the dictionary: the file read as a table of fields,
// the two columns a user chose taken as pairs of a word and its translation, each pair stored in
// the current direction as an added word is (logged, fed to the reverse direction, sorted in at
// the end) and its word listed in the current practice list.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "exchange/readfault.h"

namespace zembo {

struct WordTable {
  std::vector<std::vector<std::string>> rows;  // the fields as the file holds them
  std::vector<std::string> columnNames;        // the names the file gave its columns (UTF-8)
  bool utf8 = true;                            // the fields are UTF-8; else bytes of a code page a user names
  bool html = false;                           // the fields are HTML: a deck's notes, or Anki's text with "#html:true"
  ReadFault fault = ReadFault::none;
  int faultLine = 0;
  std::string error;  // the reader's own words on the fault
};

// No teacher's list comes near this; a larger file is refused unread.
constexpr std::uint64_t wordListSizeLimit = 64u << 20;

// Reads a CSV, tab-separated or Anki text file, or a deck package (by its name or its first bytes).
WordTable readWordTable(const std::filesystem::path& file);

struct PairChoice {
  int wordColumn = 0;
  int translationColumn = 1;
  bool headerRow = false;  // the first row names the columns and holds no pair
  int codePage = 0;        // the code page of a file that is not UTF-8; 0 for UTF-8
};

// The first two columns, the code page given when the file is not UTF-8, and a header row when
// the first row looks like column names.
PairChoice suggestedChoice(const WordTable& table, int codePage);

// A field as plain UTF-8 text on one line: HTML and Anki's sound tags taken off, runs of blanks
// made one. Line breaks separate a translation's parts (asParts) or become blanks.
std::string plainField(const WordTable& table, std::string_view field, int codePage, bool asParts);

struct ImportCounts {
  int added = 0;            // pairs that added an entry or a translation to one
  int alreadyThere = 0;     // pairs the dictionary held already
  int tooLong = 0;          // a word over 30 bytes or a translation over 50 in the code page
  int outsideCodePage = 0;  // characters the language's code page lacks
  int leftOut = 0;          // no word or no translation, or a comma in the word
  int listed = 0;           // words added to the practice list
  bool notWritten = false;  // the word file could not be written: the import stopped there
};

// Stores the chosen pairs in the current direction and lists their words in the current practice
// list (each word once). progress hears the rows done and the rows in all.
ImportCounts importPairs(const WordTable& table, const PairChoice& choice,
                         const std::function<void(int done, int total)>& progress);

}  // namespace zembo
