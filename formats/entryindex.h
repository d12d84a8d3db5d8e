#pragma once
// The indexes behind "Find in entries": which entries (a headword of one direction of a language)
// hold a word in their word-file translations, their articles' translations, the rest of their
// senses (notes, synonyms, references) or their examples. Words are folded
// (platform/wordfold.h), so case and accents do not matter.
//
// A language has two: the articles' index ("Ger_Eng.fnd"), made by the import, and the word files'
// index ("Ger_Eng.fnw"), which numbers its entries after the articles' index, so that a search
// reads both into one ranking. The word files change with every edit and word added, the articles
// never: only the small index is made again then. Each names the state of the files it was made
// from; one that does not match them is made again, never trusted.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "formats/articlefile.h"
#include "formats/wordrecord.h"

namespace zembo {

// Where in an entry a word stands, best first: a translation the word file shows, one of the
// articles, a sense's notes, an example.
enum class EntryPart : std::uint8_t { wordFile = 0, translation = 1, sense = 2, example = 3 };

// Splits a dictionary's article (as the article file gives it) into the parts the index keeps:
// the translations of each sense without their grammar tags and labels, the notes, synonyms and
// references, and each example with its translation. The headword line is left out.
void forEachArticlePart(std::string_view article, const std::function<void(std::string_view, EntryPart)>& part);

// A file as an index records it: its size and the CRC-32 of its bytes.
struct WordFileState {
  std::uint64_t size = 0;
  std::uint32_t crc = 0;
  bool operator==(const WordFileState&) const = default;
};
// The state of the file at path; false with error set when it cannot be read.
bool readWordFileState(const std::filesystem::path& path, WordFileState& state, std::string& error);
// Every record of a word file; false with error set when it cannot be read.
bool readWordFileRecords(const std::filesystem::path& path, std::vector<WordRecord>& records, std::string& error);

// What an index was made from: the articles' index from the article file (articles); the word
// files' index from both word files and the article file, whose keys in their order number its
// first entries as they number the articles' index (nothing when the language has no articles).
struct EntryIndexState {
  WordFileState forward, reverse, articles;
  bool operator==(const EntryIndexState&) const = default;
};

class EntryIndex;

// Gathers the entries' words and writes an index.
class EntryIndexWriter {
 public:
  EntryIndexWriter();
  ~EntryIndexWriter();
  EntryIndexWriter(const EntryIndexWriter&) = delete;
  EntryIndexWriter& operator=(const EntryIndexWriter&) = delete;

  // Makes room for about this many entries (and as many words) at once.
  void expect(std::size_t entries);
  std::size_t entries() const;
  // Numbers the entries of another index first, in its order, so that both read as one (an
  // article file's keys, each given to entry in their order, number them alike).
  void numberEntriesOf(const EntryIndex& index);
  // The number of the entry of headword (word-file bytes) in direction (0 the forward word file,
  // 1 the reverse one), made when it is new.
  std::uint32_t entry(int direction, std::string_view headword);
  // Indexes the words of text (UTF-8) as standing in part of the entry.
  void add(std::uint32_t entry, std::string_view utf8Text, EntryPart part);
  // Writes the index for the files' state to out; false when a write fails.
  bool write(std::FILE* out, const EntryIndexState& state);
  // The same, replacing the file at path safely; false with error set.
  bool writeTo(const std::filesystem::path& path, const EntryIndexState& state, std::string& error);
  std::uint64_t writtenSize() const;

 private:
  struct Gathered;
  std::unique_ptr<Gathered> gathered_;
};

// Indexes the translations of the live records of a language's word files (the forward file's
// words in the code page of the language, its translations in that of the edition; the reverse
// file the other way round).
struct LanguageCodePages {
  int source;  // the language's own (the forward file's words)
  int home;    // the edition's (the forward file's translations)
};
void indexWordFiles(EntryIndexWriter& writer, std::span<const WordRecord> forward, std::span<const WordRecord> reverse,
                    LanguageCodePages codePages);
// Indexes one article of the forward direction's headword key.
void indexArticle(EntryIndexWriter& writer, std::string_view key, std::string_view article);
// Indexes every article of a file; false with error set when a chunk is damaged.
bool indexArticles(EntryIndexWriter& writer, const ArticleFile& articles, std::string& error);

// The index file of each kind beside a language's forward word file ("Ger_Eng.zb").
std::filesystem::path articleIndexOf(const std::filesystem::path& wordFile);
std::filesystem::path wordIndexOf(const std::filesystem::path& wordFile);

// An entry a search found: its direction and headword, how many of the words typed it lacks, and
// how well it holds the others (the sum of the best part each stands in: 0 when every word is a
// translation its word file shows).
struct FoundEntry {
  int direction = 0;
  std::string headword;
  int missing = 0;
  int rank = 0;
};

class EntryIndex {
 public:
  EntryIndex();
  ~EntryIndex();
  EntryIndex(EntryIndex&&) noexcept;
  EntryIndex& operator=(EntryIndex&&) noexcept;

  // Maps the file and checks it; false with error set (naming the file) when it cannot be read or
  // is damaged, false with error empty when there is none.
  bool open(const std::filesystem::path& path, std::string& error);
  bool isOpen() const;
  const EntryIndexState& state() const;
  std::uint32_t entryCount() const;
  // Entry number's direction and headword; false past the last.
  bool entryAt(std::uint32_t number, FoundEntry& entry) const;
  // How many translations this index gave entry number (at most 255; 0 past the last).
  int weightAt(std::uint32_t number) const;

  // The entries that hold the words of typed (UTF-8, in any order; the last one as the beginning
  // of a word): first those that hold all of them, then those that lack one, and so on; among
  // those the best rank first, then the entries with more translations in all the indexes (the
  // commoner words), then the entries' order. At most limit of them. The same of several indexes whose entries are
  // numbered alike (the last one has them all) with findEntries.
  std::vector<FoundEntry> find(std::string_view typed, std::size_t limit) const;

 private:
  friend std::vector<FoundEntry> findEntries(std::span<const EntryIndex* const> indexes, std::string_view typed,
                                             std::size_t limit);
  struct Mapped;
  std::unique_ptr<Mapped> mapped_;
};

std::vector<FoundEntry> findEntries(std::span<const EntryIndex* const> indexes, std::string_view typed,
                                    std::size_t limit);

}  // namespace zembo
