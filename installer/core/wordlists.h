#pragma once
// The builder of a language's reverse word list: every comma-separated part of every translation
// of the shipped FROM list becomes a word whose translation is the FROM word; the new records are
// sorted in the collation in force and byte-equal words merged into one record. It draws its
// progress on the installer window as it goes.

#include <cstdint>
#include <cstdio>
#include <span>
#include <string_view>
#include <vector>

#include "formats/wordrecord.h"

namespace zembo {

// The rows the builder draws on, moving down with each language.
extern int headlineRow;
extern int progressRow;
extern int stepRow;
// Comparisons of the sorts, counted from the first language on.
extern std::int64_t comparisonCount;

constexpr std::string_view wordListFolder = "taal\\";
constexpr std::string_view tempListPath = "taal\\temp.zb";

// The rows as they are before the first language.
void resetDrawingRows();

// Builds "taal\\" + toListName from "taal\\" + fromListName (the current language of the
// languages file), then shows the final message. Every file failure is fatal.
void buildReverseList();

// Writes the record {part without its leading blanks, fromWord} to the temporary list and returns
// its word; a word over 30 or a translation over 50 characters, and a part of blanks only, write
// nothing and return an empty word.
std::string_view writeReverseRecord(std::FILE* temp, std::string_view fromWord, std::string_view part);
// The word of that record, or an empty word when the record is not written.
std::string_view reverseWord(std::string_view fromWord, std::string_view part);

using Records = std::span<const WordRecord>;

// A whole list in memory: the pages of its file mapped for reading, so that a list that was just
// written is read without a copy.
class LoadedList {
 public:
  LoadedList() = default;
  LoadedList(void* mapping, std::size_t count);
  ~LoadedList();
  LoadedList(LoadedList&& other) noexcept;
  LoadedList& operator=(LoadedList&& other) noexcept;
  Records records() const { return {static_cast<const WordRecord*>(mapping_), count_}; }

 private:
  void* mapping_ = nullptr;
  std::size_t count_ = 0;
};

// All records of an open list, in file order, showing the index every 100 records.
LoadedList loadRecords(std::FILE* list);

// The order of the records by word under the collation in force, computing each word's
// collation key once. Byte-equal words end up next to each other, in the records' order.
std::vector<std::uint32_t> sortByCollation(Records records);

// Writes the records in that order, each run of byte-equal words as one record whose translation
// gathers those of the run while they fit; false when a write fails.
bool writeMergedList(std::FILE* out, Records records, const std::vector<std::uint32_t>& order);

// The progress bar from x 30 to 380 at a row, green up to fillEdge, with a centred text.
void drawProgressBar(int row, int fillEdge, std::string_view text);

}  // namespace zembo
