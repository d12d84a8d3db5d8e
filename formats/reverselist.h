#pragma once
// The pieces of a reverse word list that the installer and the importer share: the words a
// record's translation gives and their records, the writer of a list of them, a whole list mapped
// into memory, and the writers of sorted records.
// Progress goes to a counter the caller gives, so nothing here draws.

#include <cstdint>
#include <cstdio>
#include <functional>
#include <span>
#include <string_view>
#include <vector>

#include "formats/fields.h"
#include "formats/wordrecord.h"

namespace zembo {

using Records = std::span<const WordRecord>;
// Hears how many records a loop has done, often; a caller that shows nothing passes none.
using RecordCounter = std::function<void(std::int64_t done)>;

// The word of the reverse record {part without its leading blanks, fromWord}, or an empty word
// when there is none: a word over 30 or a translation over 50 characters, or a part of blanks only.
std::string_view reverseWord(std::string_view fromWord, std::string_view part);

// Calls handle(word) with the word of each comma-separated part of a translation of fromWord that
// gives a reverse record, in their order. Inline: the importer runs it over millions of records.
template <typename Handler>
void forEachReverseWord(std::string_view fromWord, std::string_view translation, Handler handle) {
  forEachField(translation, ',', [&](std::string_view part) {
    if (const std::string_view word = reverseWord(fromWord, part); !word.empty()) handle(word);
  });
}

// The reverse record {word, fromWord}.
WordRecord reverseRecord(std::string_view word, std::string_view fromWord);

// The most reverse records a list can give: every piece of a translation that is long enough has
// at most one comma after it, and the last piece none, so a full field of one-letter pieces gives
// the most.
std::size_t mostReverseRecords(Records fromRecords);

// Writes the reverse records of the FROM records to out in their order, and tells added each
// word written (a sort may start on them at once); counts the FROM records every 100. The space
// for them is set aside in large steps as the file grows, and what was not used is given back at
// the end. False when a write fails.
bool writeReverseRecords(std::FILE* out, Records fromRecords, const std::function<void(std::string_view word)>& added,
                         const RecordCounter& counter = {});

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

// All records of an open list, in file order, counting every 100 records; false when the list
// cannot be mapped.
bool loadRecords(std::FILE* list, LoadedList& into, const RecordCounter& counter = {});

// Sets space aside for a file that is about to grow by that many bytes (where it is not supported
// files just grow), and gives back what was not used once the file is complete.
void reserveSpace(std::FILE* file, std::int64_t bytes);
bool giveBackSpace(std::FILE* file);

// Writes records in large blocks and sets the disk to work on each block at once, so that little
// is left to wait for when the file is flushed at the end.
class RecordWriter {
 public:
  // Sets space aside for the records expected: growing a file record by record is much slower.
  RecordWriter(std::FILE* out, std::size_t expected);
  bool add(const WordRecord& record);
  // Writes what is left and gives back the space set aside but not used.
  bool finish();

 private:
  bool writeBlock();
  std::FILE* out_;
  std::vector<WordRecord> block_;
  std::int64_t written_ = 0;
};

// Writes the records in that order, each run of byte-equal words as one record whose translation
// gathers those of the run while they fit; false when a write fails.
bool writeMergedList(std::FILE* out, Records records, const std::vector<std::uint32_t>& order,
                     const RecordCounter& counter = {});

}  // namespace zembo
