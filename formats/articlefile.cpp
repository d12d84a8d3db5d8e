#include "formats/articlefile.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>
#include <zstd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <deque>
#include <future>
#include <mutex>
#include <unordered_set>

#include "formats/littleendian.h"
#include "platform/codepage.h"
#include "platform/safefiles.h"

namespace zembo {

namespace {

constexpr std::size_t headerSize = 64;
constexpr std::size_t chunkEntrySize = 24;  // a chunk's entry in the chunk table
// A key's entry in the key directory: its hash's byte and its chunk's number, in one byte when
// the file has no more than 256 chunks.
std::size_t keyEntrySize(std::uint64_t chunks) { return chunks <= 256 ? 2 : 3; }
// Small dictionaries pack at zstd's best level, which costs them little time.
int chunkLevel(std::size_t articleBytes) {
  return articleBytes <= articleSmallSize ? articleSmallLevel : articleChunkLevel;
}
// No chunk unpacks to more than this: a larger size in the table is damage, not an article.
constexpr std::uint32_t maxRawChunk = std::uint32_t{1} << 30;

std::string_view withoutLineEnds(std::string_view text) {
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.remove_suffix(1);
  return text;
}

// The bytes that end an entry of a chunk and that enclose a key the article does not begin with.
constexpr char entryEnd = '\x1e';
constexpr char keyMark = '\x1f';

// A zstd frame of a chunk; false when zstd fails.
bool packChunk(ZSTD_CCtx* context, const std::string& raw, int level, std::string& packed) {
  packed.resize(ZSTD_compressBound(raw.size()));
  const std::size_t size = ZSTD_compressCCtx(context, packed.data(), packed.size(), raw.data(), raw.size(), level);
  if (ZSTD_isError(size) != 0) return false;
  packed.resize(size);
  return true;
}

// Unpacks exactly rawSize bytes; false when the data is damaged.
bool unpackChunk(ZSTD_DCtx* context, const unsigned char* packed, std::size_t packedSize, std::uint32_t rawSize,
                 std::string& raw) {
  raw.resize(rawSize);
  const std::size_t size = ZSTD_decompressDCtx(context, raw.data(), rawSize, packed, packedSize);
  return ZSTD_isError(size) == 0 && size == rawSize;
}

}  // namespace

std::filesystem::path articleFileOf(const std::filesystem::path& wordFile) {
  std::filesystem::path file = wordFile;
  return file.replace_extension(".art");
}

std::uint64_t articleKeyHash(std::string_view key) {
  std::uint64_t hash = 14695981039346656037ULL;
  for (const char c : key) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 1099511628211ULL;
  }
  return hash;
}

std::string_view articleHeadword(std::string_view article) {
  std::string_view line = article.substr(0, article.find('\n'));
  for (const std::string_view mark : {" /", " <"}) line = line.substr(0, line.find(mark));
  while (!line.empty() && (line.back() == ' ' || line.back() == '\t' || line.back() == '\r')) line.remove_suffix(1);
  return line;
}

std::uint64_t articleBucketCount(std::uint64_t keys) {
  std::uint64_t buckets = 1;
  while (buckets * 8 < keys) buckets *= 2;
  return buckets;
}

// ---- reading ----

struct ArticleFile::Mapped {
  std::string name;  // the file, for messages
  const unsigned char* base = nullptr;
  std::size_t size = 0;
  std::uint32_t chunks = 0;
  int codePage = 0;  // of the keys
  std::uint64_t keys = 0, buckets = 0;
  const unsigned char* table = nullptr;
  const unsigned char* bucketStarts = nullptr;
  const unsigned char* entries = nullptr;
  // The chunks inflated last: the keys typed one after another often land in the same ones.
  static constexpr std::size_t cachedChunks = 8;
  mutable std::mutex cacheLock;
  mutable std::uint32_t cached[cachedChunks] = {UINT32_MAX, UINT32_MAX, UINT32_MAX, UINT32_MAX,
                                                UINT32_MAX, UINT32_MAX, UINT32_MAX, UINT32_MAX};
  mutable std::string raw[cachedChunks];
  mutable std::size_t nextCached = 0;
  ZSTD_DCtx* unpacker = ZSTD_createDCtx();

  Mapped() = default;
  Mapped(const Mapped&) = delete;
  Mapped& operator=(const Mapped&) = delete;
  ~Mapped() {
    if (base) ::munmap(const_cast<unsigned char*>(base), size);
    ZSTD_freeDCtx(unpacker);
  }
  const unsigned char* chunk(std::uint32_t k) const { return table + std::size_t{k} * chunkEntrySize; }
  std::uint32_t bucketStart(std::uint64_t b) const { return getU32(bucketStarts + b * 4); }
  std::size_t entrySize() const { return keyEntrySize(chunks); }
  unsigned char fingerprint(std::uint64_t e) const { return entries[e * entrySize()]; }
  std::uint32_t chunkOf(std::uint64_t e) const {
    const unsigned char* at = entries + e * entrySize();
    return entrySize() == 2 ? at[1] : at[1] | static_cast<std::uint32_t>(at[2]) << 8;
  }
  // Appends the articles of key (utf8Key in UTF-8) in chunk k to articles, each after an empty line
  // unless it is the first; false with error set when the chunk is damaged.
  bool findIn(std::uint32_t k, std::string_view key, std::string_view utf8Key, std::string& articles,
              std::string& error) const;
};

ArticleFile::ArticleFile() = default;
ArticleFile::~ArticleFile() = default;
ArticleFile::ArticleFile(ArticleFile&&) noexcept = default;
ArticleFile& ArticleFile::operator=(ArticleFile&&) noexcept = default;

void ArticleFile::close() { mapped_.reset(); }

bool ArticleFile::isOpen() const { return mapped_ != nullptr; }

std::uint64_t ArticleFile::keyCount() const { return mapped_ ? mapped_->keys : 0; }

bool ArticleFile::open(const std::filesystem::path& path, std::string& error) {
  close();
  error.clear();
  auto mapped = std::make_unique<Mapped>();
  mapped->name = path.string();
  const auto fail = [&](const std::string& why) {
    error = mapped->name + ": " + why;
    return false;
  };
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return errno == ENOENT ? false : fail(std::strerror(errno));
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    return fail("not a regular file");
  }
  mapped->size = static_cast<std::size_t>(info.st_size);
  if (mapped->size < headerSize) {
    ::close(fd);
    return fail("too short for an article file (damaged or cut short)");
  }
  void* base = ::mmap(nullptr, mapped->size, PROT_READ, MAP_SHARED, fd, 0);
  const int mapError = errno;
  ::close(fd);  // the mapping stays
  if (base == MAP_FAILED) return fail(std::strerror(mapError));
  mapped->base = static_cast<const unsigned char*>(base);
  const unsigned char* h = mapped->base;
  if (std::memcmp(h, articleFileMagic, sizeof articleFileMagic) != 0) return fail("not an article file");
  if (getU32(h + 60) != crcOf(h, 60)) return fail("its header is damaged");
  if (getU32(h + 8) != articleFileVersion)
    return fail("an article file of version " + std::to_string(getU32(h + 8)) + ", this program reads version " +
                std::to_string(articleFileVersion));
  mapped->chunks = getU32(h + 12);
  mapped->keys = getU32(h + 16);
  mapped->codePage = static_cast<int>(getU32(h + 20));
  const std::uint64_t indexOffset = getU64(h + 24), indexSize = getU64(h + 32), dataOffset = getU64(h + 40),
                      fileSize = getU64(h + 48);
  if (fileSize != mapped->size)
    return fail(mapped->size < fileSize
                    ? "cut short: " + std::to_string(mapped->size) + " bytes of " + std::to_string(fileSize)
                    : "longer than its header says (damaged)");
  if (mapped->chunks > 65536 || mapped->unpacker == nullptr) return fail("its header is damaged");
  mapped->buckets = articleBucketCount(mapped->keys);
  const std::uint64_t chunkTable = std::uint64_t{mapped->chunks} * chunkEntrySize,
                      directory = (mapped->buckets + 1) * 4 + mapped->keys * mapped->entrySize();
  if (indexOffset != headerSize || indexSize != chunkTable + directory || indexOffset + indexSize != dataOffset ||
      dataOffset > fileSize)
    return fail("its header is damaged");
  if (getU32(h + 56) != crcOf(h + indexOffset, indexSize)) return fail("its index is damaged (checksum)");
  mapped->table = h + indexOffset;
  mapped->bucketStarts = mapped->table + chunkTable;
  mapped->entries = mapped->bucketStarts + (mapped->buckets + 1) * 4;
  std::uint64_t next = dataOffset;
  for (std::uint32_t k = 0; k < mapped->chunks; ++k) {
    const unsigned char* c = mapped->chunk(k);
    const std::uint64_t at = getU64(c), packed = getU32(c + 8);
    if (at != next || packed > fileSize - at || getU32(c + 12) > maxRawChunk)
      return fail("its index is damaged (chunk " + std::to_string(k + 1) + ")");
    next = at + packed;
  }
  if (next != fileSize) return fail("its index is damaged (the chunks do not fill the file)");
  for (std::uint64_t b = 0; b < mapped->buckets; ++b)
    if (mapped->bucketStart(b) > mapped->bucketStart(b + 1)) return fail("its index is damaged (key directory)");
  if (mapped->bucketStart(0) != 0 || mapped->bucketStart(mapped->buckets) != mapped->keys)
    return fail("its index is damaged (key directory)");
  for (std::uint64_t e = 0; e < mapped->keys; ++e)
    if (mapped->chunkOf(e) >= mapped->chunks) return fail("its index is damaged (key directory)");
  mapped_ = std::move(mapped);
  return true;
}

bool ArticleFile::Mapped::findIn(std::uint32_t k, std::string_view key, std::string_view utf8Key, std::string& articles,
                                 std::string& error) const {
  const unsigned char* c = chunk(k);
  const std::string damaged = name + ": the articles of chunk " + std::to_string(k + 1) + " are damaged";
  const std::lock_guard<std::mutex> hold(cacheLock);
  std::size_t slot = std::find(cached, cached + cachedChunks, k) - cached;
  if (slot == cachedChunks) {
    slot = nextCached;
    nextCached = (nextCached + 1) % cachedChunks;
    cached[slot] = UINT32_MAX;
    if (!unpackChunk(unpacker, base + getU64(c), getU32(c + 8), getU32(c + 12), raw[slot]))
      return error = damaged, false;
    if (crcOf(raw[slot].data(), raw[slot].size()) != getU32(c + 16)) return error = damaged + " (checksum)", false;
    cached[slot] = k;
  }
  // Entry by entry: an article that begins with its headword, or the key between two marks and
  // then the article; each ends with its mark.
  std::string_view text = raw[slot];
  std::uint32_t count = 0;
  while (!text.empty()) {
    const std::size_t end = text.find(entryEnd);
    if (end == std::string_view::npos) return error = damaged, false;
    std::string_view article = text.substr(0, end);
    text.remove_prefix(end + 1);
    ++count;
    bool match = false;
    if (!article.empty() && article.front() == keyMark) {
      const std::size_t keyEnd = article.find(keyMark, 1);
      if (keyEnd == std::string_view::npos) return error = damaged, false;
      match = article.substr(1, keyEnd - 1) == key;
      article.remove_prefix(keyEnd + 1);
    } else {
      match = article.starts_with(utf8Key) && articleHeadword(article) == utf8Key;
    }
    if (!match || article.empty()) continue;
    if (!articles.empty()) articles += "\n\n";
    articles.append(article);
  }
  if (count != getU32(c + 20)) return error = damaged, false;
  return true;
}

bool ArticleFile::forEachArticle(const std::function<bool(std::string_view key, std::string_view article)>& each,
                                 std::string& error) const {
  error.clear();
  if (!mapped_) return true;
  const Mapped& m = *mapped_;
  std::string raw, key;
  for (std::uint32_t k = 0; k < m.chunks; ++k) {
    const unsigned char* c = m.chunk(k);
    bool unpacked = false;
    {
      const std::lock_guard<std::mutex> hold(m.cacheLock);  // the unpacker is shared with find
      unpacked = unpackChunk(m.unpacker, m.base + getU64(c), getU32(c + 8), getU32(c + 12), raw);
    }
    if (!unpacked || crcOf(raw.data(), raw.size()) != getU32(c + 16)) {
      error = m.name + ": the articles of chunk " + std::to_string(k + 1) + " are damaged";
      return false;
    }
    std::string_view text = raw;
    while (!text.empty()) {
      const std::size_t end = text.find(entryEnd);
      if (end == std::string_view::npos) break;
      std::string_view article = text.substr(0, end);
      text.remove_prefix(end + 1);
      if (!article.empty() && article.front() == keyMark) {
        const std::size_t keyEnd = article.find(keyMark, 1);
        if (keyEnd == std::string_view::npos) break;
        key.assign(article.substr(1, keyEnd - 1));
        article.remove_prefix(keyEnd + 1);
      } else {
        key = fromUtf8(articleHeadword(article), m.codePage);
      }
      if (!each(key, article)) return true;
    }
  }
  return true;
}

bool ArticleFile::find(std::string_view key, std::string& articles, std::string& error) const {
  articles.clear();
  error.clear();
  if (!mapped_) return false;
  const Mapped& m = *mapped_;
  const std::uint64_t hash = articleKeyHash(key), bucket = (hash >> 8) & (m.buckets - 1);
  const unsigned char fingerprint = hash & 0xff;
  const std::string utf8Key = toUtf8(key, m.codePage);
  // The chunks whose entries in the bucket share the key's byte, in the order of the articles:
  // mostly one, or none.
  std::vector<std::uint32_t> tried;
  for (std::uint64_t e = m.bucketStart(bucket); e < m.bucketStart(bucket + 1); ++e) {
    if (m.fingerprint(e) != fingerprint) continue;
    const std::uint32_t k = m.chunkOf(e);
    if (std::find(tried.begin(), tried.end(), k) != tried.end()) continue;
    tried.push_back(k);
    if (!m.findIn(k, key, utf8Key, articles, error)) {
      articles.clear();
      return false;
    }
  }
  return !articles.empty();
}

// ---- writing ----

namespace {

// The chunks of an article file, packed, and its key directory.
struct Packed {
  struct Chunk {
    std::string bytes;
    std::uint32_t rawSize = 0, crc = 0, entries = 0;
    bool ok = false;
  };
  std::vector<Chunk> chunks;
  std::string directory;
  std::uint64_t keys = 0;
};

}  // namespace

struct ArticleWriter::Pending {
  struct Entry {
    std::string_view key, text;  // in owned, or borrowed from the caller
  };
  std::deque<std::string> owned;  // the keys and texts that add copied
  std::vector<std::shared_ptr<const void>> kept;
  std::vector<Entry> entries;
  // While packing: where each chunk's entries begin, the next chunk no packer took, whether one was
  // stopped, and the chunks.
  std::vector<std::size_t> chunkStarts;
  std::atomic<std::size_t> nextChunk{0};
  int level = articleChunkLevel;
  std::atomic<bool> stopped{false};
  std::unique_ptr<Packed> packing;
  std::unique_ptr<Packed> packed;  // what packing made of them, once finished
  std::uint64_t written = 0;
  int codePage = 0;  // of the keys
};

ArticleWriter::ArticleWriter(int keyCodePage) : pending_(std::make_unique<Pending>()) {
  pending_->codePage = keyCodePage;
}
ArticleWriter::~ArticleWriter() = default;
ArticleWriter::ArticleWriter(ArticleWriter&&) noexcept = default;
ArticleWriter& ArticleWriter::operator=(ArticleWriter&&) noexcept = default;

void ArticleWriter::add(std::string_view key, std::span<const std::string_view> articles) {
  Pending& p = *pending_;
  p.packed.reset();
  std::string& kept = p.owned.emplace_back(key);
  bool first = true;
  for (const std::string_view article : articles) {
    const std::string_view text = withoutLineEnds(article);
    if (text.empty()) continue;
    if (!first) kept += "\n\n";
    kept.append(text);
    first = false;
  }
  const std::string_view whole(kept);
  p.entries.push_back({whole.substr(0, key.size()), whole.substr(key.size())});
}

void ArticleWriter::addBorrowed(std::string_view key, std::string_view article) {
  Pending& p = *pending_;
  p.packed.reset();
  p.entries.push_back({key, withoutLineEnds(article)});
}

void ArticleWriter::keepAlive(std::shared_ptr<const void> storage) { pending_->kept.push_back(std::move(storage)); }

void ArticleWriter::reserve(std::size_t entries) { pending_->entries.reserve(entries); }

std::size_t ArticleWriter::entries() const { return pending_->entries.size(); }

std::uint64_t ArticleWriter::writtenSize() const { return pending_->written; }

void ArticleWriter::forEachArticle(const std::function<bool(std::string_view, std::string_view)>& each) const {
  for (const Pending::Entry& entry : pending_->entries)
    if (!each(entry.key, entry.text)) return;
}

void ArticleWriter::planPacking() {
  Pending& p = *pending_;
  p.packed.reset();
  p.chunkStarts.clear();
  std::size_t chunkText = articleChunkSize, allText = 0;
  for (std::size_t k = 0; k < p.entries.size(); ++k) {
    if (chunkText >= articleChunkSize) {
      p.chunkStarts.push_back(k);
      chunkText = 0;
    }
    chunkText += p.entries[k].text.size();
    allText += p.entries[k].text.size();
  }
  p.level = chunkLevel(allText);
  p.chunkStarts.push_back(p.entries.size());
  p.packing = std::make_unique<Packed>();
  p.packing->chunks.resize(p.chunkStarts.size() - 1);
  p.nextChunk = 0;
  p.stopped = false;
}

namespace {

// Appends an entry to a chunk's bytes: the article alone when it begins with its key, else the key
// between two marks before it; the marks never occur in the article or key they enclose.
void appendEntry(std::string& raw, std::string_view key, std::string_view text, int codePage) {
  if (toUtf8(key, codePage) != articleHeadword(text)) {
    raw += keyMark;
    raw.append(key);
    raw += keyMark;
  }
  const std::size_t from = raw.size();
  raw.append(text);
  std::replace_if(
      raw.begin() + static_cast<std::ptrdiff_t>(from), raw.end(), [](char c) { return c == entryEnd || c == keyMark; },
      ' ');
  raw += entryEnd;
}

}  // namespace

bool ArticleWriter::packSome(const std::function<bool()>& goOn) {
  Pending& p = *pending_;
  Packed& packing = *p.packing;
  const std::unique_ptr<ZSTD_CCtx, decltype(&ZSTD_freeCCtx)> packer(ZSTD_createCCtx(), ZSTD_freeCCtx);
  std::string raw;
  for (;;) {
    if (p.stopped || (goOn && !goOn())) {
      p.stopped = true;
      return false;
    }
    const std::size_t c = p.nextChunk.fetch_add(1);
    if (c >= packing.chunks.size()) return true;
    raw.clear();
    for (std::size_t e = p.chunkStarts[c]; e < p.chunkStarts[c + 1]; ++e)
      appendEntry(raw, p.entries[e].key, p.entries[e].text, p.codePage);
    Packed::Chunk& into = packing.chunks[c];
    into.rawSize = static_cast<std::uint32_t>(raw.size());
    into.crc = crcOf(raw.data(), raw.size());
    into.entries = static_cast<std::uint32_t>(p.chunkStarts[c + 1] - p.chunkStarts[c]);
    into.ok = packer != nullptr && raw.size() <= maxRawChunk && packChunk(packer.get(), raw, p.level, into.bytes);
  }
}

bool ArticleWriter::finishPacking() {
  Pending& p = *pending_;
  std::unique_ptr<Packed> packed = std::move(p.packing);
  if (!packed || p.stopped || packed->chunks.size() > 65536 ||
      !std::all_of(packed->chunks.begin(), packed->chunks.end(), [](const Packed::Chunk& c) { return c.ok; }))
    return false;
  // The key directory: each key of each chunk once, by bucket, with its hash's byte and its chunk.
  struct Placed {
    std::uint64_t bucket;  // the key's hash until the buckets are counted
    unsigned char fingerprint;
    std::uint16_t chunk;
  };
  std::vector<Placed> placed;
  placed.reserve(p.entries.size());
  std::unordered_set<std::string_view> keysOfChunk;
  for (std::size_t c = 0; c + 1 < p.chunkStarts.size(); ++c) {
    keysOfChunk.clear();
    for (std::size_t e = p.chunkStarts[c]; e < p.chunkStarts[c + 1]; ++e) {
      if (!keysOfChunk.insert(p.entries[e].key).second) continue;
      const std::uint64_t hash = articleKeyHash(p.entries[e].key);
      placed.push_back({hash, static_cast<unsigned char>(hash & 0xff), static_cast<std::uint16_t>(c)});
    }
  }
  packed->keys = placed.size();
  const std::uint64_t buckets = articleBucketCount(placed.size());
  for (Placed& key : placed) key.bucket = (key.bucket >> 8) & (buckets - 1);
  std::stable_sort(placed.begin(), placed.end(), [](const Placed& a, const Placed& b) { return a.bucket < b.bucket; });
  std::string& directory = packed->directory;
  const std::size_t entrySize = keyEntrySize(packed->chunks.size());
  directory.reserve((buckets + 1) * 4 + placed.size() * entrySize);
  std::size_t e = 0;
  for (std::uint64_t b = 0; b <= buckets; ++b) {
    while (e < placed.size() && placed[e].bucket < b) ++e;
    putU32(directory, static_cast<std::uint32_t>(e));
  }
  for (const Placed& key : placed) {
    directory += static_cast<char>(key.fingerprint);
    directory += static_cast<char>(key.chunk & 0xff);
    if (entrySize == 3) directory += static_cast<char>(key.chunk >> 8);
  }
  p.packed = std::move(packed);
  return true;
}

bool ArticleWriter::pack(unsigned threads, const std::function<bool()>& goOn) {
  planPacking();
  if (threads >= 2) {
    auto second = std::async(std::launch::async, [this, &goOn] { return packSome(goOn); });
    packSome(goOn);
    second.get();
  } else {
    packSome(goOn);
  }
  return finishPacking();
}

bool ArticleWriter::write(std::FILE* out) {
  Pending& p = *pending_;
  if (!p.packed && !pack()) return false;
  const Packed& packed = *p.packed;
  std::string index;
  const std::uint64_t indexSize = packed.chunks.size() * chunkEntrySize + packed.directory.size();
  std::uint64_t at = headerSize + indexSize;
  for (const Packed::Chunk& chunk : packed.chunks) {
    putU64(index, at);
    putU32(index, static_cast<std::uint32_t>(chunk.bytes.size()));
    putU32(index, chunk.rawSize);
    putU32(index, chunk.crc);
    putU32(index, chunk.entries);
    at += chunk.bytes.size();
  }
  index += packed.directory;
  std::string header(articleFileMagic, sizeof articleFileMagic);
  putU32(header, articleFileVersion);
  putU32(header, static_cast<std::uint32_t>(packed.chunks.size()));
  putU32(header, static_cast<std::uint32_t>(packed.keys));
  putU32(header, static_cast<std::uint32_t>(p.codePage));
  putU64(header, headerSize);
  putU64(header, indexSize);
  putU64(header, headerSize + indexSize);
  putU64(header, at);
  putU32(header, crcOf(index.data(), index.size()));
  putU32(header, crcOf(header.data(), header.size()));
  if (std::fwrite(header.data(), 1, header.size(), out) != header.size() ||
      std::fwrite(index.data(), 1, index.size(), out) != index.size())
    return false;
  for (const Packed::Chunk& chunk : packed.chunks)
    if (std::fwrite(chunk.bytes.data(), 1, chunk.bytes.size(), out) != chunk.bytes.size()) return false;
  p.written = at;
  return true;
}

bool ArticleWriter::writeTo(const std::filesystem::path& path, std::string& error) {
  error.clear();
  if (replaceFileSafely(path, [this](std::FILE* out) { return write(out); })) return true;
  error = path.string() + ": " + std::strerror(errno);
  return false;
}

}  // namespace zembo
