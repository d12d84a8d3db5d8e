#pragma once
// Reading a dictd dictionary: the index (one line per headword: the word, the article's offset and
// length in base64 digits, separated by tabs) and the articles, from a plain .dict file or a
// dictzip'd .dict.dz (gzip whose extra field holds a table of separately compressed chunks, so
// that an article is found without inflating what comes before it).

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "importer/importerror.h"

namespace zembo {

struct IndexEntry {
  std::string headword;
  std::uint64_t offset = 0;
  std::uint64_t length = 0;
  int line = 0;  // in the index file, from 1
};

// The entries a dictd file holds about itself ("00databaseinfo", "00-database-short"...), no headwords.
bool isDatabaseEntry(std::string_view key);

// The value of a number in dictd's base64 digits; false for a character outside them.
bool decodeBase64Number(std::string_view digits, std::uint64_t& value);
// Every entry of an index file, in file order.
std::vector<IndexEntry> readIndex(const std::filesystem::path& indexFile);
// How many different headwords an index holds, its own entries not counted; nothing is decoded.
std::int64_t countIndexHeadwords(const std::filesystem::path& indexFile);

// The articles of a .dict or .dict.dz file that an index names; ArticleReader reads them, one
// reader per thread. A gzip file without a chunk table is inflated when made, only as far as the
// articles reach (a file that inflates far beyond them is refused), and its checksum checked; a
// dictzip file is inflated by chunks as its articles are read, and checked by checkWhole once
// they all have been.
class MappedFile;

class DictData {
 public:
  DictData(const std::filesystem::path& file, const std::vector<IndexEntry>& index);
  ~DictData();
  DictData(const DictData&) = delete;
  DictData& operator=(const DictData&) = delete;
  const std::filesystem::path& file() const { return file_; }
  // Checks the checksum (CRC-32) and the length of the whole text, inflating the chunks that no
  // article needed; throws ImportError when the file is damaged.
  void checkWhole() const;

 private:
  friend class ArticleReader;
  struct Chunks;
  // Throws the failure, naming the file before the other arguments.
  [[noreturn]] void fail(ImportFailure failure, std::vector<std::string> more = {}) const;
  void readChunkTable();
  void inflateWhole(std::uint64_t needed);
  // Inflates chunk k into out, noting its checksum; throws ImportError when it is damaged.
  void inflateChunk(std::size_t k, std::string& out) const;

  std::filesystem::path file_;
  std::unique_ptr<MappedFile> mapped_;
  std::string_view raw_;    // the file as it is on disk, mapped
  std::string inflated_;    // the text of a gzip file without a chunk table, as far as the articles reach
  std::string_view whole_;  // the text when it is not read by chunks: the file's own, or inflated_
  std::unique_ptr<Chunks> chunks_;
};

class ArticleReader {
 public:
  explicit ArticleReader(const DictData& data) : data_(data) {}
  // The bytes of one article; valid until the next call.
  std::string_view article(std::uint64_t offset, std::uint64_t length);

 private:
  const std::string& chunk(std::size_t k);

  const DictData& data_;
  std::size_t cached_ = SIZE_MAX;  // the chunk that text_ holds
  std::string text_;
  std::string assembled_;  // an article that spans chunks
};

}  // namespace zembo
