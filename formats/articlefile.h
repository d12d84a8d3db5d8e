#pragma once
// The articles of an imported language: each headword's dictd articles, UTF-8 text, kept beside
// the forward word file ("language/Ger_Eng.zb" has "language/Ger_Eng.art") and read by headword
// with random access from the mapped file. Text here is UTF-8, not the word files' code page: the
// articles hold pronunciations and scripts no code page has. The key is the headword as the word
// file holds it (its code page's bytes), so that a record's word finds its articles exactly
// ("gehen" and "Gehen" have articles of their own). A language without the file has no articles.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zembo {

// The file, all numbers little-endian:
//   header (64 bytes): "ZEMBOART", version, chunk count, key count, the chunk table's offset and
//     size, the CRC-32 of the chunk table with the first keys, the CRC-32 of the header before it;
//   chunk table: per chunk its offset in the file, its packed and unpacked sizes, the CRC-32 of its
//     unpacked bytes, where its first key lies in the first keys and how long it is, its entries;
//   first keys: the first key of each chunk, the chunks in the keys' bytewise order;
//   chunks: raw deflate, each on its own. Unpacked, a chunk holds its entries' keys (sorted
//     bytewise) with their articles' lengths, then the articles' text.
// A lookup bisects the first keys for the one chunk that may hold the key and inflates only it
// (the last one inflated is kept); the keys travel in the chunk, compressed with the text that
// repeats them, so the file is hardly larger than the dictionary's own compressed text.
constexpr char articleFileMagic[8] = {'Z', 'E', 'M', 'B', 'O', 'A', 'R', 'T'};
constexpr std::uint32_t articleFileVersion = 1;
// A chunk is closed once its articles reach this many bytes.
constexpr std::size_t articleChunkSize = std::size_t{64} * 1024;

// The article file that belongs to a word file: the same name with ".art" for ".zb".
std::filesystem::path articleFileOf(const std::filesystem::path& wordFile);

class ArticleFile {
 public:
  ArticleFile();
  ~ArticleFile();
  ArticleFile(ArticleFile&&) noexcept;
  ArticleFile& operator=(ArticleFile&&) noexcept;

  // Maps the file and checks its header and index; false, with what is wrong in error (naming the
  // file), when it cannot be read or is damaged. A missing file is no error: false, error empty.
  bool open(const std::filesystem::path& path, std::string& error);
  void close();
  bool isOpen() const;

  // The articles of the headword whose word-file bytes are key, each as the dictionary gives it
  // (its first line the headword line, "Haus /haʊ̯s/ <n, sg>"), separated by an empty line; false
  // when the headword has none or a damaged chunk cannot be read (error says which, the file is
  // kept open for the other headwords).
  bool find(std::string_view key, std::string& articles, std::string& error) const;

 private:
  struct Mapped;
  std::unique_ptr<Mapped> mapped_;
};

// Gathers the headwords' articles and writes an article file.
class ArticleWriter {
 public:
  ArticleWriter();
  ~ArticleWriter();
  ArticleWriter(ArticleWriter&&) noexcept;
  ArticleWriter& operator=(ArticleWriter&&) noexcept;

  // Adds a headword's articles, joined in their order by an empty line (the line ends that close
  // an article are not kept). Keys come in any order; a key added again has its new articles
  // joined after the earlier ones.
  void add(std::string_view key, std::span<const std::string_view> articles);
  void add(std::string_view key, std::string_view articles) {
    add(key, std::span<const std::string_view>(&articles, 1));
  }
  // How many keys were added.
  std::size_t keys() const;
  // Sorts the keys and packs the chunks, on as many threads as given (one or two), asking goOn
  // now and then; false when goOn said no (nothing is then packed) or zlib failed. Another add
  // after it needs another pack.
  bool pack(unsigned threads = 2, const std::function<bool()>& goOn = {});
  // Writes the whole file to out, packing first unless pack did; false when a write fails.
  bool write(std::FILE* out);
  // Writes the file to path, replacing it safely; false with what failed in error.
  bool writeTo(const std::filesystem::path& path, std::string& error);
  // The size of the file that write wrote.
  std::uint64_t writtenSize() const;

 private:
  struct Pending;
  std::unique_ptr<Pending> pending_;
};

}  // namespace zembo
