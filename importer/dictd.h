#pragma once
// Reading a dictd dictionary: the index (one line per headword: the word, the article's offset and
// length in base64 digits, separated by tabs) and the articles, from a plain .dict file or a
// dictzip'd .dict.dz (gzip whose extra field holds a table of separately compressed chunks, so
// that an article is found without inflating what comes before it).

#include <cstdint>
#include <cstddef>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace zembo {

// A failure of the import that ends it: the message names the file (and line).
struct ImportError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

struct IndexEntry {
  std::string headword;
  std::uint64_t offset = 0;
  std::uint64_t length = 0;
  int line = 0;  // in the index file, from 1
};

// The value of a number in dictd's base64 digits; false for a character outside them.
bool decodeBase64Number(std::string_view digits, std::uint64_t& value);
// Every entry of an index file, in file order.
std::vector<IndexEntry> readIndex(const std::filesystem::path& indexFile);

// The articles of a .dict or .dict.dz file, read whole and checked when made; ArticleReader reads
// them, one reader per thread.
class DictData {
 public:
  explicit DictData(const std::filesystem::path& file);
  ~DictData();
  DictData(const DictData&) = delete;
  DictData& operator=(const DictData&) = delete;
  const std::filesystem::path& file() const { return file_; }

 private:
  friend class ArticleReader;
  struct Chunks;
  [[noreturn]] void fail(const std::string& what) const;

  std::filesystem::path file_;
  std::string raw_;    // the file as it is on disk, when it is read by chunks
  std::string whole_;  // the whole text, when it is not
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
