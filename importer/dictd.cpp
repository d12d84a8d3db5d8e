#include "importer/dictd.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdio>
#include <unordered_set>
#include <utility>

#include "importer/largetables.h"

namespace zembo {

namespace {

constexpr std::string_view base64Digits = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

}  // namespace

// A whole file, its pages mapped for reading: no copy, and the pages come in with one call.
class MappedFile {
 public:
  explicit MappedFile(const std::filesystem::path& file) {
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throw ImportError(ImportFailure::cannotOpen, {file.string()});
    struct stat st {};
    const bool known = ::fstat(fd, &st) == 0;
    size_ = known ? static_cast<std::size_t>(st.st_size) : 0;
    if (known && size_ > 0) {
      data_ = ::mmap(nullptr, size_, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0);
      if (data_ == MAP_FAILED) data_ = nullptr;
    }
    ::close(fd);
    if (!known || (size_ > 0 && !data_)) throw ImportError(ImportFailure::cannotReadWhole, {file.string()});
  }
  ~MappedFile() {
    if (data_) ::munmap(data_, size_);
  }
  MappedFile(const MappedFile&) = delete;
  MappedFile& operator=(const MappedFile&) = delete;
  std::string_view bytes() const { return {static_cast<const char*>(data_), size_}; }

 private:
  void* data_ = nullptr;
  std::size_t size_ = 0;
};

namespace {

unsigned littleEndian16(std::string_view bytes, std::size_t at) {
  return static_cast<unsigned char>(bytes[at]) | static_cast<unsigned char>(bytes[at + 1]) << 8;
}

std::uint32_t littleEndian32(std::string_view bytes, std::size_t at) {
  return littleEndian16(bytes, at) | littleEndian16(bytes, at + 2) << 16;
}

// What may follow the farthest article in a file without a chunk table: a real dictionary has
// little or nothing there, a file made to fill memory has gigabytes.
constexpr std::uint64_t tailAllowed = 1 << 20;
// Deflate never inflates a byte to more than this many.
constexpr std::uint64_t mostInflatedPerByte = 1032;

// The end of the farthest article an index names, and the line that names it.
struct Reach {
  std::uint64_t end = 0;
  int line = 0;
};

Reach reachOf(const std::vector<IndexEntry>& index) {
  Reach reach;
  for (const IndexEntry& entry : index)
    if (entry.offset + entry.length > reach.end) reach = {entry.offset + entry.length, entry.line};
  return reach;
}

// A chunk's checksum as noted: bit 63 set once known, the text's length above its CRC-32.
std::uint64_t notedChunk(std::uint32_t crc, std::size_t length) {
  return std::uint64_t{1} << 63 | static_cast<std::uint64_t>(length) << 32 | crc;
}

ImportFailure damageOf(const z_stream& z) {
  const std::string_view message = z.msg ? z.msg : "";
  if (message == "incorrect data check") return ImportFailure::checksumWrong;
  if (message == "incorrect length check") return ImportFailure::lengthWrong;
  return ImportFailure::damagedData;
}

}  // namespace

bool isDatabaseEntry(std::string_view key) { return key.starts_with("00database") || key.starts_with("00-database"); }

bool decodeBase64Number(std::string_view digits, std::uint64_t& value) {
  // The value of each byte as a digit, 64 for a byte that is none.
  static const std::array<unsigned char, 256> digitValues = [] {
    std::array<unsigned char, 256> values;
    values.fill(64);
    for (std::size_t d = 0; d < base64Digits.size(); ++d)
      values[static_cast<unsigned char>(base64Digits[d])] = static_cast<unsigned char>(d);
    return values;
  }();
  value = 0;
  if (digits.empty() || digits.size() > 10) return false;
  for (char c : digits) {
    const unsigned d = digitValues[static_cast<unsigned char>(c)];
    if (d == 64) return false;
    value = value * 64 + d;
  }
  return true;
}

namespace {

// Calls row(text, lineNumber) for every line of an index that is not empty, without its line end.
template <typename Row>
void forEachIndexRow(std::string_view text, Row&& row) {
  std::size_t at = 0;
  for (int line = 1; at < text.size(); ++line) {
    std::size_t end = text.find('\n', at);
    if (end == std::string_view::npos) end = text.size();
    std::string_view one(text.data() + at, end - at);
    at = end + 1;
    if (!one.empty() && one.back() == '\r') one.remove_suffix(1);
    if (!one.empty()) row(one, line);
  }
}

}  // namespace

std::vector<IndexEntry> readIndex(const std::filesystem::path& indexFile) {
  const MappedFile file(indexFile);
  const std::string_view text = file.bytes();
  std::vector<IndexEntry> entries;
  reserveLarge(entries, static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1);
  forEachIndexRow(text, [&](std::string_view row, int line) {
    const std::size_t tab1 = row.find('\t');
    const std::size_t tab2 = tab1 == std::string_view::npos ? tab1 : row.find('\t', tab1 + 1);
    IndexEntry entry;
    if (tab2 == std::string_view::npos || !decodeBase64Number(row.substr(tab1 + 1, tab2 - tab1 - 1), entry.offset) ||
        !decodeBase64Number(row.substr(tab2 + 1), entry.length))
      throw ImportError(ImportFailure::damagedIndexLine, {indexFile.string(), std::to_string(line)});
    entry.headword = row.substr(0, tab1);
    entry.line = line;
    entries.push_back(std::move(entry));
  });
  return entries;
}

std::int64_t countIndexHeadwords(const std::filesystem::path& indexFile) {
  const MappedFile file(indexFile);
  // A headword of several articles has a line for each; the keys view the mapping, which outlives them.
  std::unordered_set<std::string_view> keys;
  keys.reserve(file.bytes().size() / 24);
  forEachIndexRow(file.bytes(), [&](std::string_view row, int) {
    const std::string_view key = row.substr(0, row.find('\t'));
    if (!key.empty() && !isDatabaseEntry(key)) keys.insert(key);
  });
  return static_cast<std::int64_t>(keys.size());
}

// The chunk table of a dictzip header: every chunk inflates to chunkLength bytes, the last to
// fewer. The trailer's checksum and length are of the whole text.
struct DictData::Chunks {
  std::size_t chunkLength = 0;
  std::vector<std::size_t> starts;  // where each chunk's deflate data begins in raw_, and the end
  std::uint32_t crc = 0, size = 0;
  // Each chunk's checksum once inflated (notedChunk), by whichever reader came first.
  std::unique_ptr<std::atomic<std::uint64_t>[]> noted;
};

DictData::DictData(const std::filesystem::path& file, const std::vector<IndexEntry>& index)
    : file_(file), mapped_(std::make_unique<MappedFile>(file)), raw_(mapped_->bytes()) {
  const Reach reach = reachOf(index);
  const auto refuseBeyond = [&](std::uint64_t most) {
    if (reach.end > most)
      fail(ImportFailure::articleBeyondFile,
           {std::to_string(reach.line), std::to_string(reach.end), std::to_string(most)});
  };
  const bool gzip =
      raw_.size() >= 2 && static_cast<unsigned char>(raw_[0]) == 0x1f && static_cast<unsigned char>(raw_[1]) == 0x8b;
  if (!gzip) {
    if (file_.extension() == ".dz") fail(ImportFailure::notDictzip);
    refuseBeyond(raw_.size());
    whole_ = raw_;
    return;
  }
  readChunkTable();
  if (chunks_) {
    refuseBeyond(static_cast<std::uint64_t>(chunks_->starts.size() - 1) * chunks_->chunkLength);
    return;
  }
  refuseBeyond(raw_.size() * mostInflatedPerByte);
  inflateWhole(reach.end);
  whole_ = inflated_;
  raw_ = {};
  mapped_.reset();
}

void DictData::readChunkTable() {
  if (raw_.size() < 10 || raw_[2] != 8) fail(ImportFailure::damagedHeader);
  const unsigned flags = static_cast<unsigned char>(raw_[3]);
  std::size_t at = 10;
  if (flags & 4) {
    if (at + 2 > raw_.size()) fail(ImportFailure::damagedHeader);
    const std::size_t extraEnd = at + 2 + littleEndian16(raw_, at);
    if (extraEnd > raw_.size()) fail(ImportFailure::damagedHeader);
    for (std::size_t field = at + 2; field + 4 <= extraEnd;) {
      const std::size_t length = littleEndian16(raw_, field + 2);
      if (raw_[field] == 'R' && raw_[field + 1] == 'A' && length >= 6 && field + 4 + length <= extraEnd) {
        chunks_ = std::make_unique<Chunks>();
        chunks_->chunkLength = littleEndian16(raw_, field + 6);
        const std::size_t count = littleEndian16(raw_, field + 8);
        if (length < 6 + 2 * count || chunks_->chunkLength == 0) fail(ImportFailure::damagedChunkTable);
        for (std::size_t k = 0; k < count; ++k) chunks_->starts.push_back(littleEndian16(raw_, field + 10 + 2 * k));
      }
      field += 4 + length;
    }
    at = extraEnd;
  }
  for (unsigned flag : {8u, 16u}) {  // file name, comment
    if (!(flags & flag)) continue;
    at = raw_.find('\0', at);
    if (at == std::string::npos) fail(ImportFailure::damagedHeader);
    ++at;
  }
  if (flags & 2) at += 2;
  if (!chunks_) return;
  // The table holds each chunk's compressed size; it becomes where each chunk begins.
  std::size_t start = at;
  for (std::size_t& size : chunks_->starts) start += std::exchange(size, start);
  chunks_->starts.push_back(start);
  if (start > raw_.size()) fail(ImportFailure::chunksPastEnd);
  if (start + 8 > raw_.size()) fail(ImportFailure::checksumMissing);
  // The trailer ends the file; the end of the deflate stream may lie between it and the last chunk.
  chunks_->crc = littleEndian32(raw_, raw_.size() - 8);
  chunks_->size = littleEndian32(raw_, raw_.size() - 4);
  const std::size_t count = chunks_->starts.size() - 1;
  chunks_->noted = std::make_unique<std::atomic<std::uint64_t>[]>(count);
}

// Keeps the text as far as the articles reach and inflates the rest only to check it; zlib checks
// each member's checksum and length at its end.
void DictData::inflateWhole(std::uint64_t needed) {
  z_stream z{};
  if (inflateInit2(&z, 31) != Z_OK) fail(ImportFailure::outOfMemory);
  struct Ending {
    z_stream& z;
    ~Ending() { inflateEnd(&z); }
  } ending{z};
  const std::uint64_t most = needed + tailAllowed;
  std::uint64_t total = 0;
  std::size_t fed = 0;
  std::string piece(1 << 16, '\0');
  for (;;) {
    if (z.avail_in == 0 && fed < raw_.size()) {
      z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(raw_.data() + fed));
      z.avail_in = static_cast<uInt>(std::min<std::size_t>(raw_.size() - fed, 1u << 30));
      fed += z.avail_in;
    }
    z.next_out = reinterpret_cast<Bytef*>(piece.data());
    z.avail_out = static_cast<uInt>(piece.size());
    const int status = inflate(&z, Z_NO_FLUSH);
    const std::size_t produced = piece.size() - z.avail_out;
    total += produced;
    if (inflated_.size() < needed)
      inflated_.append(piece, 0, std::min<std::uint64_t>(produced, needed - inflated_.size()));
    if (total > most) fail(ImportFailure::inflatesTooFar, {std::to_string(needed), std::to_string(most)});
    if (status == Z_OK) continue;
    if (status == Z_BUF_ERROR && z.avail_in == 0 && fed == raw_.size()) fail(ImportFailure::endsEarly);
    if (status != Z_STREAM_END) fail(damageOf(z));
    // Another member may follow, as in any gzip file; zero bytes after the last one are padding.
    const std::string_view rest = std::string_view(raw_).substr(fed - z.avail_in);
    if (rest.find_first_not_of('\0') == std::string_view::npos) return;
    if (rest.size() < 2 || rest[0] != '\x1f' || rest[1] != '\x8b') fail(ImportFailure::bytesFollow);
    inflateReset(&z);
  }
}

void DictData::inflateChunk(std::size_t k, std::string& out) const {
  const auto& starts = chunks_->starts;
  const std::size_t length = chunks_->chunkLength;
  const bool last = k + 2 == starts.size();
  z_stream z{};
  if (inflateInit2(&z, -15) != Z_OK) fail(ImportFailure::outOfMemory);
  // One byte of room more than a chunk may hold shows a chunk that holds more.
  out.resize(length + 1);
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(raw_.data() + starts[k]));
  z.avail_in = static_cast<uInt>(starts[k + 1] - starts[k]);
  z.next_out = reinterpret_cast<Bytef*>(out.data());
  z.avail_out = static_cast<uInt>(out.size());
  int status = Z_OK;
  while (status == Z_OK && z.avail_in > 0 && z.avail_out > 0) status = inflate(&z, Z_SYNC_FLUSH);
  const std::size_t produced = z.total_out;
  inflateEnd(&z);
  const bool whole = (status == Z_OK || status == Z_STREAM_END || status == Z_BUF_ERROR) && z.avail_in == 0 &&
                     (last ? produced <= length : produced == length);
  if (!whole) fail(ImportFailure::damagedChunk, {std::to_string(k + 1)});
  out.resize(produced);
  const auto crc =
      static_cast<std::uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(out.data()), static_cast<uInt>(produced)));
  chunks_->noted[k].store(notedChunk(crc, produced), std::memory_order_relaxed);
}

void DictData::checkWhole() const {
  if (!chunks_) return;  // checked as it was inflated
  const std::size_t count = chunks_->starts.size() - 1;
  std::string text;
  uLong crc = crc32(0, nullptr, 0);
  std::uint64_t total = 0;
  for (std::size_t k = 0; k < count; ++k) {
    std::uint64_t noted = chunks_->noted[k].load(std::memory_order_relaxed);
    if (noted == 0) {  // no article lies in it
      inflateChunk(k, text);
      noted = chunks_->noted[k].load(std::memory_order_relaxed);
    }
    const auto length = static_cast<std::size_t>((noted >> 32) & 0x7FFFFFFF);
    crc = crc32_combine(crc, static_cast<uLong>(noted & 0xFFFFFFFF), static_cast<z_off_t>(length));
    total += length;
  }
  if (crc != chunks_->crc) fail(ImportFailure::checksumWrong);
  if (static_cast<std::uint32_t>(total) != chunks_->size) fail(ImportFailure::lengthWrong);
}

DictData::~DictData() = default;

void DictData::fail(ImportFailure failure, std::vector<std::string> more) const {
  more.insert(more.begin(), file_.string());
  throw ImportError(failure, std::move(more));
}

const std::string& ArticleReader::chunk(std::size_t k) {
  if (cached_ != k) {
    cached_ = SIZE_MAX;
    data_.inflateChunk(k, text_);
    cached_ = k;
  }
  return text_;
}

std::string_view ArticleReader::article(std::uint64_t offset, std::uint64_t length) {
  if (!data_.chunks_) {
    const std::string_view whole = data_.whole_;
    if (offset > whole.size() || length > whole.size() - offset) data_.fail(ImportFailure::articlePastEnd);
    return whole.substr(offset, length);
  }
  const std::size_t chunkLength = data_.chunks_->chunkLength;
  const std::size_t count = data_.chunks_->starts.size() - 1;
  const std::uint64_t size = static_cast<std::uint64_t>(count) * chunkLength;
  if (offset > size || length > size - offset) data_.fail(ImportFailure::articlePastEnd);
  assembled_.clear();
  for (std::uint64_t at = offset; at < offset + length;) {
    const std::size_t k = at / chunkLength;
    const std::string& text = chunk(k);
    const std::size_t from = at - static_cast<std::uint64_t>(k) * chunkLength;
    if (from >= text.size()) data_.fail(ImportFailure::articlePastEnd);
    const std::size_t n = std::min<std::uint64_t>(text.size() - from, offset + length - at);
    if (n == length) return std::string_view(text).substr(from, n);  // within one chunk: no copy
    assembled_.append(text, from, n);
    at += n;
  }
  return assembled_;
}

}  // namespace zembo
