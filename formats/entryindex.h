#pragma once
// The index behind "Find in entries": which entries (a headword of one direction of a language)
// hold a word in their translations, in the rest of their senses (notes, synonyms, references) or
// in their examples. Words are folded (platform/wordfold.h), so case and accents do not matter.
// The index names the state of the word files it was made from; one that does not match them is
// made again, never trusted.

#include <cstdint>
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

// Where in an entry a word stands; a word found as a translation ranks above one found only in a
// sense's notes, and that above one found only in an example.
enum class EntryPart : std::uint8_t { translation = 0, sense = 1, example = 2 };

// Splits a dictionary's article (as the article file gives it) into the parts the index keeps:
// the translations of each sense without their grammar tags and labels, the notes, synonyms and
// references, and each example with its translation. The headword line is left out.
void forEachArticlePart(std::string_view article, const std::function<void(std::string_view, EntryPart)>& part);

// A word file as an index records it: its size and the CRC-32 of its bytes.
struct WordFileState {
  std::uint64_t size = 0;
  std::uint32_t crc = 0;
  bool operator==(const WordFileState&) const = default;
};
// The state of the file at path; false with error set when it cannot be read.
bool readWordFileState(const std::filesystem::path& path, WordFileState& state, std::string& error);

// Both word files of a language.
struct EntryIndexState {
  WordFileState forward, reverse;
  bool operator==(const EntryIndexState&) const = default;
};

// Gathers the entries' words and writes an index.
class EntryIndexWriter {
 public:
  EntryIndexWriter();
  ~EntryIndexWriter();
  EntryIndexWriter(const EntryIndexWriter&) = delete;
  EntryIndexWriter& operator=(const EntryIndexWriter&) = delete;

  // The number of the entry of headword (word-file bytes) in direction (0 the forward word file,
  // 1 the reverse one), made when it is new.
  std::uint32_t entry(int direction, std::string_view headword);
  // Indexes the words of text (UTF-8) as standing in part of the entry.
  void add(std::uint32_t entry, std::string_view utf8Text, EntryPart part);
  // Writes the index for the word files' state, replacing the file safely; false with error set.
  bool writeTo(const std::filesystem::path& path, const EntryIndexState& state, std::string& error);
  std::uint64_t writtenSize() const;

 private:
  struct Gathered;
  std::unique_ptr<Gathered> gathered_;
};

// Indexes a language: the translations of the live records of both its word files (their words
// in the code page of the first language, their translations in that of the second; the reverse
// file the other way round) and, when articles is given, every article of its forward direction;
// false with error set when an article's chunk is damaged.
struct LanguageCodePages {
  int source;  // the language's own (the forward file's words)
  int home;    // the edition's (the forward file's translations)
};
bool indexLanguage(EntryIndexWriter& writer, std::span<const WordRecord> forward, std::span<const WordRecord> reverse,
                   LanguageCodePages codePages, const ArticleFile* articles, std::string& error);

// An entry a search found: its direction and headword, and how well it matched (the sum over the
// words typed of the best part each stands in: 0 when every word is a translation).
struct FoundEntry {
  int direction = 0;
  std::string headword;
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

  // The entries that hold every word of typed (UTF-8, in any order; the last one as the beginning
  // of a word), best rank first and then in the word files' order, at most limit of them.
  std::vector<FoundEntry> find(std::string_view typed, std::size_t limit) const;

 private:
  struct Mapped;
  std::unique_ptr<Mapped> mapped_;
};

}  // namespace zembo
