#include "importer/dictd.h"

#include <zlib.h>

#include <cstdio>
#include <utility>

namespace zembo {

namespace {

constexpr std::string_view base64Digits = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// The whole file in one read.
std::string readFileBytes(const std::filesystem::path& file) {
  std::FILE* in = std::fopen(file.c_str(), "rb");
  if (!in) throw ImportError(file.string() + ": cannot be opened");
  std::string bytes;
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(file, error);
  if (!error) bytes.resize(size);
  const std::size_t got = std::fread(bytes.data(), 1, bytes.size(), in);
  const bool whole = got == bytes.size() && std::fgetc(in) == EOF && !std::ferror(in);
  std::fclose(in);
  if (!whole) throw ImportError(file.string() + ": cannot be read whole");
  return bytes;
}

unsigned littleEndian16(const std::string& bytes, std::size_t at) {
  return static_cast<unsigned char>(bytes[at]) | static_cast<unsigned char>(bytes[at + 1]) << 8;
}

// Inflates raw deflate data (windowBits -15) or a gzip stream (31) into out; false when damaged.
bool inflateInto(std::string_view in, int windowBits, std::string& out, std::size_t expected) {
  z_stream z{};
  if (inflateInit2(&z, windowBits) != Z_OK) return false;
  out.resize(expected ? expected : in.size() * 4 + 1024);
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(in.data()));
  z.avail_in = static_cast<uInt>(in.size());
  int status = Z_OK;
  while (status == Z_OK) {
    if (z.total_out == out.size()) out.resize(out.size() * 2);
    z.next_out = reinterpret_cast<Bytef*>(out.data() + z.total_out);
    z.avail_out = static_cast<uInt>(out.size() - z.total_out);
    status = inflate(&z, Z_SYNC_FLUSH);
    if (status == Z_BUF_ERROR && z.avail_in == 0) break;  // a chunk ends at a flush point
    if (status == Z_BUF_ERROR) status = Z_OK;
  }
  out.resize(z.total_out);
  inflateEnd(&z);
  return status == Z_OK || status == Z_STREAM_END || status == Z_BUF_ERROR;
}

}  // namespace

bool decodeBase64Number(std::string_view digits, std::uint64_t& value) {
  value = 0;
  if (digits.empty() || digits.size() > 10) return false;
  for (char c : digits) {
    const std::size_t d = base64Digits.find(c);
    if (d == std::string_view::npos) return false;
    value = value * 64 + d;
  }
  return true;
}

std::vector<IndexEntry> readIndex(const std::filesystem::path& indexFile) {
  const std::string text = readFileBytes(indexFile);
  std::vector<IndexEntry> entries;
  std::size_t at = 0;
  for (int line = 1; at < text.size(); ++line) {
    std::size_t end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    std::string_view row(text.data() + at, end - at);
    at = end + 1;
    if (!row.empty() && row.back() == '\r') row.remove_suffix(1);
    if (row.empty()) continue;
    const std::size_t tab1 = row.find('\t');
    const std::size_t tab2 = tab1 == std::string_view::npos ? tab1 : row.find('\t', tab1 + 1);
    IndexEntry entry;
    if (tab2 == std::string_view::npos ||
        !decodeBase64Number(row.substr(tab1 + 1, tab2 - tab1 - 1), entry.offset) ||
        !decodeBase64Number(row.substr(tab2 + 1), entry.length))
      throw ImportError(indexFile.string() + ":" + std::to_string(line) + ": damaged index line");
    entry.headword = row.substr(0, tab1);
    entry.line = line;
    entries.push_back(std::move(entry));
  }
  return entries;
}

// The chunk table of a dictzip header: every chunk inflates to chunkLength bytes, the last to
// fewer.
struct DictData::Chunks {
  std::size_t chunkLength = 0;
  std::vector<std::size_t> starts;  // where each chunk's deflate data begins in raw_, and the end
};

DictData::DictData(const std::filesystem::path& file) : file_(file), raw_(readFileBytes(file)) {
  const bool gzip = raw_.size() >= 2 && static_cast<unsigned char>(raw_[0]) == 0x1f &&
                    static_cast<unsigned char>(raw_[1]) == 0x8b;
  if (!gzip) {
    if (file_.extension() == ".dz") fail("not a dictzip file");
    whole_ = std::move(raw_);
    return;
  }
  if (raw_.size() < 10 || raw_[2] != 8) fail("damaged gzip header");
  const unsigned flags = static_cast<unsigned char>(raw_[3]);
  std::size_t at = 10;
  if (flags & 4) {
    if (at + 2 > raw_.size()) fail("damaged gzip header");
    const std::size_t extraEnd = at + 2 + littleEndian16(raw_, at);
    if (extraEnd > raw_.size()) fail("damaged gzip header");
    for (std::size_t field = at + 2; field + 4 <= extraEnd;) {
      const std::size_t length = littleEndian16(raw_, field + 2);
      if (raw_[field] == 'R' && raw_[field + 1] == 'A' && length >= 6 && field + 4 + length <= extraEnd) {
        chunks_ = std::make_unique<Chunks>();
        chunks_->chunkLength = littleEndian16(raw_, field + 6);
        const std::size_t count = littleEndian16(raw_, field + 8);
        if (length < 6 + 2 * count || chunks_->chunkLength == 0) fail("damaged chunk table");
        for (std::size_t k = 0; k < count; ++k) chunks_->starts.push_back(littleEndian16(raw_, field + 10 + 2 * k));
      }
      field += 4 + length;
    }
    at = extraEnd;
  }
  for (unsigned flag : {8u, 16u}) {  // file name, comment
    if (!(flags & flag)) continue;
    at = raw_.find('\0', at);
    if (at == std::string::npos) fail("damaged gzip header");
    ++at;
  }
  if (flags & 2) at += 2;
  if (!chunks_) {
    if (!inflateInto(raw_, 31, whole_, 0)) fail("damaged compressed data");
    raw_.clear();
    return;
  }
  // The table holds each chunk's compressed size; it becomes where each chunk begins.
  std::size_t start = at;
  for (std::size_t& size : chunks_->starts) start += std::exchange(size, start);
  chunks_->starts.push_back(start);
  if (start > raw_.size()) fail("truncated: its chunks run past the end of the file");
}

DictData::~DictData() = default;

void DictData::fail(const std::string& what) const { throw ImportError(file_.string() + ": " + what); }

const std::string& ArticleReader::chunk(std::size_t k) {
  if (cached_ != k) {
    cached_ = SIZE_MAX;
    const auto& starts = data_.chunks_->starts;
    const std::size_t length = data_.chunks_->chunkLength;
    const std::string_view in(data_.raw_.data() + starts[k], starts[k + 1] - starts[k]);
    if (!inflateInto(in, -15, text_, length) || (k + 1 < starts.size() - 1 && text_.size() != length))
      data_.fail("damaged compressed data in chunk " + std::to_string(k + 1));
    cached_ = k;
  }
  return text_;
}

std::string_view ArticleReader::article(std::uint64_t offset, std::uint64_t length) {
  if (!data_.chunks_) {
    const std::string& whole = data_.whole_;
    if (offset > whole.size() || length > whole.size() - offset) data_.fail("an article lies past the end of the file");
    return std::string_view(whole).substr(offset, length);
  }
  const std::size_t chunkLength = data_.chunks_->chunkLength;
  const std::size_t count = data_.chunks_->starts.size() - 1;
  const std::uint64_t size = static_cast<std::uint64_t>(count) * chunkLength;
  if (offset > size || length > size - offset) data_.fail("an article lies past the end of the file");
  assembled_.clear();
  for (std::uint64_t at = offset; at < offset + length;) {
    const std::size_t k = at / chunkLength;
    const std::string& text = chunk(k);
    const std::size_t from = at - static_cast<std::uint64_t>(k) * chunkLength;
    if (from >= text.size()) data_.fail("an article lies past the end of the file");
    const std::size_t n = std::min<std::uint64_t>(text.size() - from, offset + length - at);
    if (n == length) return std::string_view(text).substr(from, n);  // within one chunk: no copy
    assembled_.append(text, from, n);
    at += n;
  }
  return assembled_;
}

}  // namespace zembo
