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
//   header (64 bytes): "ZEMBOART", version, chunk count, the key directory's entries, the keys'
//     code page, the index's offset and size, where the chunks begin, the file's size, the CRC-32
//     of the index, the CRC-32 of the header before it;
//   index: the chunk table (per chunk its offset in the file, its packed and unpacked sizes, the
//     CRC-32 of its unpacked bytes, its entries), then the key directory: each key of each chunk
//     once, hashed (articleKeyHash) into a power of two of buckets, about eight each (the bucket
//     of a hash is its bits above the lowest eight): each bucket's first directory entry (one more
//     at the end), then per entry, by bucket and then in the chunks' order, the lowest byte of its
//     key's hash and its chunk's number (one byte in a file of 256 chunks or fewer, else two);
//   chunks: each a zstd frame of its own, of the entries in the order they were added (the
//     dictionary's, whose neighbours share their words: it packs far better than any order of
//     the keys). Unpacked, an entry is its article followed by the byte 0x1E; an article whose
//     headword (articleHeadword) is not its key in UTF-8 has the key before it between two bytes
//     0x1F. Articles begin with their headword, so most keys cost nothing.
// A lookup hashes the key, looks in its bucket for the chunks whose entries match the hash's byte
// and unpacks only those (the last eight unpacked are kept), where the key itself is compared
// and every article of it is taken in order. A key the file lacks mostly unpacks nothing.
constexpr char articleFileMagic[8] = {'Z', 'E', 'M', 'B', 'O', 'A', 'R', 'T'};
constexpr std::uint32_t articleFileVersion = 2;
// A chunk is closed once its articles reach this many bytes: larger chunks pack better, smaller
// ones unpack sooner (zstd unpacks this in about a tenth of a millisecond).
constexpr std::size_t articleChunkSize = std::size_t{128} * 1024;
// zstd's level for the chunks: as small as deflate's best at a fraction of its time; articles of no
// more than articleSmallSize bytes in all pack at articleSmallLevel, which takes them a second at
// most and keeps the key directory's share of a small file in bounds.
constexpr int articleChunkLevel = 6;
constexpr std::size_t articleSmallSize = std::size_t{4} << 20;
constexpr int articleSmallLevel = 19;
// The hash of a key that places it in the key directory (64-bit FNV-1a).
std::uint64_t articleKeyHash(std::string_view key);
// The headword an article begins with: its first line up to its pronunciation (" /") or grammar
// (" <"), without the blanks after it.
std::string_view articleHeadword(std::string_view article);
// The buckets of the key directory of a file of this many keys.
std::uint64_t articleBucketCount(std::uint64_t keys);

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
  // How many headwords have articles.
  std::uint64_t keyCount() const;

  // The articles of the headword whose word-file bytes are key, each as the dictionary gives it
  // (its first line the headword line, "Haus /haʊ̯s/ <n, sg>"), separated by an empty line; false
  // when the headword has none or a damaged chunk cannot be read (error says which, the file is
  // kept open for the other headwords).
  bool find(std::string_view key, std::string& articles, std::string& error) const;
  // Every article of the file in its order with its key (word-file bytes), until each says no;
  // false with error set when a chunk is damaged (the articles before it were given).
  bool forEachArticle(const std::function<bool(std::string_view key, std::string_view article)>& each,
                      std::string& error) const;

 private:
  struct Mapped;
  std::unique_ptr<Mapped> mapped_;
};

// Gathers the headwords' articles and writes an article file.
class ArticleWriter {
 public:
  // The keys are in keyCodePage (a code page of platform/codepage.h).
  explicit ArticleWriter(int keyCodePage);
  ~ArticleWriter();
  ArticleWriter(ArticleWriter&&) noexcept;
  ArticleWriter& operator=(ArticleWriter&&) noexcept;

  // Adds articles of a headword, joined in their order by an empty line (the line ends that close
  // an article are not kept). The articles stay in the order they are added (give them in the
  // dictionary's: neighbours there share their words, which packs them well); a key added again
  // has its new articles joined after the earlier ones when it is found.
  void add(std::string_view key, std::span<const std::string_view> texts);
  void add(std::string_view key, std::string_view text) { add(key, std::span<const std::string_view>(&text, 1)); }
  // The same without a copy, for one article: key and article stay where they are until the
  // file is written (keepAlive may hold what holds them).
  void addBorrowed(std::string_view key, std::string_view article);
  void keepAlive(std::shared_ptr<const void> storage);
  void reserve(std::size_t entries);
  // How many times add or addBorrowed was called.
  std::size_t entries() const;
  // Packs the chunks on as many threads as given (one or two), asking goOn before each chunk;
  // false when goOn said no (nothing is then packed) or zlib failed. Another add after it needs
  // another pack.
  bool pack(unsigned threads = 2, const std::function<bool()>& goOn = {});
  // The same in steps, for a caller that packs on threads of its own: planPacking decides the
  // chunks; packSome packs chunks that no other call took until none is left (true) or goOn says
  // no (false), and runs on any number of threads at once; finishPacking, once every packSome has
  // returned, makes the key directory: false when a chunk failed or a packSome was stopped.
  void planPacking();
  bool packSome(const std::function<bool()>& goOn = {});
  bool finishPacking();
  // Writes the whole file to out, packing first unless pack did; false when a write fails.
  bool write(std::FILE* out);
  // Writes the file to path, replacing it safely; false with what failed in error.
  bool writeTo(const std::filesystem::path& path, std::string& error);
  // The size of the file that write wrote.
  std::uint64_t writtenSize() const;
  // Calls each with every article added, in their order, its key's articles joined as add joins
  // them, until each says no.
  void forEachArticle(const std::function<bool(std::string_view key, std::string_view article)>& each) const;

 private:
  struct Pending;
  std::unique_ptr<Pending> pending_;
};

}  // namespace zembo
