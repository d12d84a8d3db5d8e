#include "formats/articlefile.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <future>
#include <mutex>

#include "platform/safefiles.h"

namespace zembo {

namespace {

constexpr std::size_t headerSize = 64;
constexpr std::size_t tableEntrySize = 32;
// No chunk unpacks to more than this: a larger size in the table is damage, not an article.
constexpr std::uint32_t maxRawChunk = std::uint32_t{1} << 30;

void putU32(std::string& out, std::uint32_t v) {
  for (int k = 0; k < 4; ++k) out += static_cast<char>((v >> (8 * k)) & 0xff);
}
void putU64(std::string& out, std::uint64_t v) {
  for (int k = 0; k < 8; ++k) out += static_cast<char>((v >> (8 * k)) & 0xff);
}
std::uint32_t getU32(const unsigned char* at) {
  return static_cast<std::uint32_t>(at[0]) | static_cast<std::uint32_t>(at[1]) << 8 |
         static_cast<std::uint32_t>(at[2]) << 16 | static_cast<std::uint32_t>(at[3]) << 24;
}
std::uint64_t getU64(const unsigned char* at) {
  return static_cast<std::uint64_t>(getU32(at)) | static_cast<std::uint64_t>(getU32(at + 4)) << 32;
}
void putVarint(std::string& out, std::uint64_t v) {
  while (v >= 0x80) {
    out += static_cast<char>((v & 0x7f) | 0x80);
    v >>= 7;
  }
  out += static_cast<char>(v);
}
// Reads a number from at, no further than end; false when it runs past end or is too long.
bool getVarint(const unsigned char*& at, const unsigned char* end, std::uint64_t& v) {
  v = 0;
  for (int shift = 0; shift < 64; shift += 7) {
    if (at == end) return false;
    const unsigned char byte = *at++;
    v |= static_cast<std::uint64_t>(byte & 0x7f) << shift;
    if ((byte & 0x80) == 0) return true;
  }
  return false;
}

std::uint32_t crcOf(const void* data, std::size_t size) {
  uLong crc = crc32(0L, Z_NULL, 0);
  const auto* bytes = static_cast<const Bytef*>(data);
  while (size > 0) {
    const auto piece = static_cast<uInt>(std::min<std::size_t>(size, 1u << 30));
    crc = crc32(crc, bytes, piece);
    bytes += piece;
    size -= piece;
  }
  return static_cast<std::uint32_t>(crc);
}

std::string_view withoutLineEnds(std::string_view text) {
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.remove_suffix(1);
  return text;
}

// Raw deflate of a chunk; false when zlib fails.
bool deflateChunk(const std::string& raw, std::string& packed) {
  z_stream z{};
  if (deflateInit2(&z, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -15, 9, Z_DEFAULT_STRATEGY) != Z_OK) return false;
  packed.resize(deflateBound(&z, raw.size()));
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(raw.data()));
  z.avail_in = static_cast<uInt>(raw.size());
  z.next_out = reinterpret_cast<Bytef*>(packed.data());
  z.avail_out = static_cast<uInt>(packed.size());
  const int result = deflate(&z, Z_FINISH);
  packed.resize(z.total_out);
  deflateEnd(&z);
  return result == Z_STREAM_END;
}

// Raw inflate of exactly rawSize bytes; false when the data is damaged.
bool inflateChunk(const unsigned char* packed, std::size_t packedSize, std::uint32_t rawSize, std::string& raw) {
  raw.resize(rawSize);
  z_stream z{};
  if (inflateInit2(&z, -15) != Z_OK) return false;
  z.next_in = const_cast<Bytef*>(packed);
  z.avail_in = static_cast<uInt>(packedSize);
  z.next_out = reinterpret_cast<Bytef*>(raw.data());
  z.avail_out = rawSize;
  const int result = inflate(&z, Z_FINISH);
  const bool whole = result == Z_STREAM_END && z.total_out == rawSize && z.avail_in == 0;
  inflateEnd(&z);
  return whole;
}

}  // namespace

std::filesystem::path articleFileOf(const std::filesystem::path& wordFile) {
  std::filesystem::path file = wordFile;
  return file.replace_extension(".art");
}

// ---- reading ----

struct ArticleFile::Mapped {
  std::string name;  // the file, for messages
  const unsigned char* base = nullptr;
  std::size_t size = 0;
  std::uint32_t chunks = 0;
  const unsigned char* table = nullptr;
  const unsigned char* firstKeys = nullptr;
  std::size_t firstKeysSize = 0;
  // The chunk inflated last: the keys typed one after another mostly land in the same one.
  mutable std::mutex cacheLock;
  mutable std::uint32_t cached = UINT32_MAX;
  mutable std::string raw;

  ~Mapped() {
    if (base) ::munmap(const_cast<unsigned char*>(base), size);
  }
  const unsigned char* entry(std::uint32_t k) const { return table + std::size_t{k} * tableEntrySize; }
  std::string_view firstKey(std::uint32_t k) const {
    const unsigned char* e = entry(k);
    return {reinterpret_cast<const char*>(firstKeys) + getU32(e + 20), getU32(e + 24)};
  }
};

ArticleFile::ArticleFile() = default;
ArticleFile::~ArticleFile() = default;
ArticleFile::ArticleFile(ArticleFile&&) noexcept = default;
ArticleFile& ArticleFile::operator=(ArticleFile&&) noexcept = default;

void ArticleFile::close() { mapped_.reset(); }

bool ArticleFile::isOpen() const { return mapped_ != nullptr; }

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
  const std::uint64_t tableOffset = getU64(h + 24), tableSize = getU64(h + 32), dataOffset = getU64(h + 40),
                      fileSize = getU64(h + 48);
  if (fileSize != mapped->size)
    return fail(mapped->size < fileSize
                    ? "cut short: " + std::to_string(mapped->size) + " bytes of " + std::to_string(fileSize)
                    : "longer than its header says (damaged)");
  const std::uint64_t chunkTable = std::uint64_t{mapped->chunks} * tableEntrySize;
  if (tableOffset != headerSize || tableSize < chunkTable || tableOffset + tableSize != dataOffset ||
      dataOffset > fileSize)
    return fail("its header is damaged");
  if (getU32(h + 56) != crcOf(h + tableOffset, tableSize)) return fail("its index is damaged (checksum)");
  mapped->table = h + tableOffset;
  mapped->firstKeys = mapped->table + chunkTable;
  mapped->firstKeysSize = tableSize - chunkTable;
  std::uint64_t next = dataOffset;
  for (std::uint32_t k = 0; k < mapped->chunks; ++k) {
    const unsigned char* e = mapped->entry(k);
    const std::uint64_t at = getU64(e), packed = getU32(e + 8);
    if (at != next || packed > fileSize - at || getU32(e + 12) > maxRawChunk ||
        std::uint64_t{getU32(e + 20)} + getU32(e + 24) > mapped->firstKeysSize ||
        (k > 0 && mapped->firstKey(k - 1) >= mapped->firstKey(k)))
      return fail("its index is damaged (chunk " + std::to_string(k + 1) + ")");
    next = at + packed;
  }
  if (next != fileSize) return fail("its index is damaged (the chunks do not fill the file)");
  mapped_ = std::move(mapped);
  return true;
}

bool ArticleFile::find(std::string_view key, std::string& articles, std::string& error) const {
  articles.clear();
  error.clear();
  if (!mapped_) return false;
  const Mapped& m = *mapped_;
  // The last chunk whose first key is not after the key.
  std::uint32_t low = 0, high = m.chunks;
  while (low < high) {
    const std::uint32_t middle = low + (high - low) / 2;
    if (m.firstKey(middle) <= key)
      low = middle + 1;
    else
      high = middle;
  }
  if (low == 0) return false;
  const std::uint32_t chunk = low - 1;
  const unsigned char* e = m.entry(chunk);
  const std::string damaged = m.name + ": the articles of chunk " + std::to_string(chunk + 1) + " are damaged";
  const std::lock_guard<std::mutex> hold(m.cacheLock);
  if (m.cached != chunk) {
    m.cached = UINT32_MAX;
    if (!inflateChunk(m.base + getU64(e), getU32(e + 8), getU32(e + 12), m.raw)) return error = damaged, false;
    if (crcOf(m.raw.data(), m.raw.size()) != getU32(e + 16)) return error = damaged + " (checksum)", false;
    m.cached = chunk;
  }
  const auto* at = reinterpret_cast<const unsigned char*>(m.raw.data());
  const unsigned char* const end = at + m.raw.size();
  const std::uint32_t count = getU32(e + 28);
  std::uint64_t textAt = 0, found = UINT64_MAX, foundLength = 0;
  // The keys with their lengths come first; the text follows them.
  for (std::uint32_t k = 0; k < count; ++k) {
    std::uint64_t keyLength = 0, textLength = 0;
    if (!getVarint(at, end, keyLength) || keyLength > static_cast<std::uint64_t>(end - at))
      return error = damaged, false;
    const std::string_view entryKey(reinterpret_cast<const char*>(at), keyLength);
    at += keyLength;
    if (!getVarint(at, end, textLength)) return error = damaged, false;
    if (entryKey == key) {
      found = textAt;
      foundLength = textLength;
    }
    textAt += textLength;
  }
  if (textAt != static_cast<std::uint64_t>(end - at)) return error = damaged, false;
  if (found == UINT64_MAX) return false;
  articles.assign(reinterpret_cast<const char*>(at) + found, foundLength);
  return true;
}

// ---- writing ----

namespace {

// The chunks of an article file, packed, in the order of their keys.
struct Packed {
  struct Chunk {
    std::string_view firstKey;  // in the writer's keys
    std::string bytes;
    std::uint32_t rawSize = 0, crc = 0, entries = 0;
    bool ok = false;
  };
  std::vector<Chunk> chunks;
  std::uint64_t keys = 0;
};

}  // namespace

struct ArticleWriter::Pending {
  struct Entry {
    std::size_t keyAt, keyLength, textAt, textLength;
  };
  std::string keys, text;
  std::vector<Entry> entries;
  std::unique_ptr<Packed> packed;  // what pack made of them
  std::uint64_t written = 0;
};

ArticleWriter::ArticleWriter() : pending_(std::make_unique<Pending>()) {}
ArticleWriter::~ArticleWriter() = default;
ArticleWriter::ArticleWriter(ArticleWriter&&) noexcept = default;
ArticleWriter& ArticleWriter::operator=(ArticleWriter&&) noexcept = default;

void ArticleWriter::add(std::string_view key, std::span<const std::string_view> articles) {
  Pending& p = *pending_;
  p.packed.reset();
  const std::size_t keyAt = p.keys.size(), textAt = p.text.size();
  p.keys.append(key);
  bool first = true;
  for (const std::string_view article : articles) {
    const std::string_view kept = withoutLineEnds(article);
    if (kept.empty()) continue;
    if (!first) p.text += "\n\n";
    p.text.append(kept);
    first = false;
  }
  p.entries.push_back({keyAt, key.size(), textAt, p.text.size() - textAt});
}

std::size_t ArticleWriter::keys() const { return pending_->entries.size(); }

std::uint64_t ArticleWriter::writtenSize() const { return pending_->written; }

bool ArticleWriter::pack(unsigned threads, const std::function<bool()>& goOn) {
  Pending& p = *pending_;
  p.packed.reset();
  const auto keyOf = [&p](const Pending::Entry& e) { return std::string_view(p.keys).substr(e.keyAt, e.keyLength); };
  const auto textOf = [&p](const Pending::Entry& e) { return std::string_view(p.text).substr(e.textAt, e.textLength); };
  std::vector<std::uint32_t> order(p.entries.size());
  for (std::size_t k = 0; k < order.size(); ++k) order[k] = static_cast<std::uint32_t>(k);
  std::stable_sort(order.begin(), order.end(),
                   [&](std::uint32_t a, std::uint32_t b) { return keyOf(p.entries[a]) < keyOf(p.entries[b]); });
  // The keys, each once (a key added again is one group), and where each chunk's groups begin.
  std::vector<std::size_t> groups, chunkStarts;
  std::size_t chunkText = articleChunkSize;
  for (std::size_t k = 0; k < order.size(); ++k) {
    if (k > 0 && keyOf(p.entries[order[k]]) == keyOf(p.entries[order[k - 1]])) continue;
    if (chunkText >= articleChunkSize) {
      chunkStarts.push_back(groups.size());
      chunkText = 0;
    }
    groups.push_back(k);
    for (std::size_t j = k; j < order.size() && keyOf(p.entries[order[j]]) == keyOf(p.entries[order[k]]); ++j)
      chunkText += p.entries[order[j]].textLength + 2;
  }
  groups.push_back(order.size());
  chunkStarts.push_back(groups.size() - 1);
  const std::size_t chunkCount = chunkStarts.size() - 1;

  auto packed = std::make_unique<Packed>();
  packed->keys = groups.size() - 1;
  packed->chunks.resize(chunkCount);
  std::atomic<bool> stopped{false};
  const auto packChunks = [&](std::size_t from, std::size_t to, bool asking) {
    std::string raw, text;
    for (std::size_t c = from; c < to && !stopped; ++c) {
      if (asking && goOn && !goOn()) stopped = true;
      raw.clear();
      text.clear();
      for (std::size_t g = chunkStarts[c]; g < chunkStarts[c + 1]; ++g) {
        const std::size_t textBefore = text.size();
        for (std::size_t j = groups[g]; j < groups[g + 1]; ++j) {
          const std::string_view piece = textOf(p.entries[order[j]]);
          if (piece.empty()) continue;
          if (text.size() > textBefore) text += "\n\n";
          text.append(piece);
        }
        const std::string_view key = keyOf(p.entries[order[groups[g]]]);
        putVarint(raw, key.size());
        raw.append(key);
        putVarint(raw, text.size() - textBefore);
      }
      raw += text;
      Packed::Chunk& into = packed->chunks[c];
      into.firstKey = keyOf(p.entries[order[groups[chunkStarts[c]]]]);
      into.rawSize = static_cast<std::uint32_t>(raw.size());
      into.crc = crcOf(raw.data(), raw.size());
      into.entries = static_cast<std::uint32_t>(chunkStarts[c + 1] - chunkStarts[c]);
      into.ok = raw.size() <= maxRawChunk && deflateChunk(raw, into.bytes);
    }
  };
  if (threads >= 2 && chunkCount > 1) {
    // The second thread packs the second half; the first asks goOn for both.
    auto secondHalf = std::async(std::launch::async, packChunks, chunkCount / 2, chunkCount, false);
    packChunks(0, chunkCount / 2, true);
    secondHalf.get();
  } else {
    packChunks(0, chunkCount, true);
  }
  if (stopped ||
      !std::all_of(packed->chunks.begin(), packed->chunks.end(), [](const Packed::Chunk& c) { return c.ok; }))
    return false;
  p.packed = std::move(packed);
  return true;
}

bool ArticleWriter::write(std::FILE* out) {
  Pending& p = *pending_;
  if (!p.packed && !pack()) return false;
  const Packed& packed = *p.packed;
  std::string table, firstKeys;
  for (const Packed::Chunk& chunk : packed.chunks) firstKeys += chunk.firstKey;
  const std::uint64_t tableSize = packed.chunks.size() * tableEntrySize + firstKeys.size();
  std::uint64_t at = headerSize + tableSize;
  std::uint32_t keyAt = 0;
  for (const Packed::Chunk& chunk : packed.chunks) {
    putU64(table, at);
    putU32(table, static_cast<std::uint32_t>(chunk.bytes.size()));
    putU32(table, chunk.rawSize);
    putU32(table, chunk.crc);
    putU32(table, keyAt);
    putU32(table, static_cast<std::uint32_t>(chunk.firstKey.size()));
    putU32(table, chunk.entries);
    keyAt += static_cast<std::uint32_t>(chunk.firstKey.size());
    at += chunk.bytes.size();
  }
  table += firstKeys;
  std::string header(articleFileMagic, sizeof articleFileMagic);
  putU32(header, articleFileVersion);
  putU32(header, static_cast<std::uint32_t>(packed.chunks.size()));
  putU64(header, packed.keys);
  putU64(header, headerSize);
  putU64(header, tableSize);
  putU64(header, headerSize + tableSize);
  putU64(header, at);
  putU32(header, crcOf(table.data(), table.size()));
  putU32(header, crcOf(header.data(), header.size()));
  if (std::fwrite(header.data(), 1, header.size(), out) != header.size() ||
      std::fwrite(table.data(), 1, table.size(), out) != table.size())
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
