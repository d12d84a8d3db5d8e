#include "tests/support/dictdfiles.h"

#include <zlib.h>

#include <fstream>
#include <stdexcept>

namespace zembo::test {

namespace {

void put16(std::string& out, std::size_t value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>((value >> 8) & 0xFF);
}

void put32(std::string& out, std::uint32_t value) {
  put16(out, value & 0xFFFF);
  put16(out, value >> 16);
}

void writeBytes(const std::filesystem::path& file, const std::string& bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + file.string());
}

}  // namespace

std::string base64Number(std::uint64_t value) {
  static const char digits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  do {
    out.insert(out.begin(), digits[value % 64]);
    value /= 64;
  } while (value > 0);
  return out;
}

// One deflate stream, flushed fully at the end of each chunk, so that each chunk inflates alone.
std::string dictzip(const std::string& data, std::size_t chunkLength) {
  z_stream z{};
  deflateInit2(&z, Z_BEST_SPEED, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY);
  std::string body;
  std::vector<std::size_t> sizes;
  std::string buffer(chunkLength + chunkLength / 2 + 1024, '\0');
  for (std::size_t at = 0; at < data.size() || sizes.empty(); at += chunkLength) {
    const std::size_t n = std::min(chunkLength, data.size() - std::min(at, data.size()));
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data() + std::min(at, data.size())));
    z.avail_in = static_cast<uInt>(n);
    z.next_out = reinterpret_cast<Bytef*>(buffer.data());
    z.avail_out = static_cast<uInt>(buffer.size());
    deflate(&z, at + chunkLength >= data.size() ? Z_FINISH : Z_FULL_FLUSH);
    const std::size_t produced = buffer.size() - z.avail_out;
    sizes.push_back(produced);
    body.append(buffer, 0, produced);
  }
  deflateEnd(&z);
  std::string out = {'\x1f', '\x8b', 8, 4, 0, 0, 0, 0, 0, 3};
  put16(out, 10 + 2 * sizes.size());
  out += "RA";
  put16(out, 6 + 2 * sizes.size());
  put16(out, 1);
  put16(out, chunkLength);
  put16(out, sizes.size());
  for (std::size_t size : sizes) put16(out, size);
  out += body;
  put32(out, static_cast<std::uint32_t>(
                 crc32(0, reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size()))));
  put32(out, static_cast<std::uint32_t>(data.size()));
  return out;
}

void writeDictd(const std::filesystem::path& base, const std::vector<DictdArticle>& articles, bool compressed,
                std::size_t chunkLength) {
  std::string data, index;
  for (const DictdArticle& article : articles) {
    index += article.headword + "\t" + base64Number(data.size()) + "\t" + base64Number(article.text.size()) + "\n";
    data += article.text;
  }
  writeBytes(base.string() + ".index", index);
  if (compressed)
    writeBytes(base.string() + ".dict.dz", dictzip(data, chunkLength));
  else
    writeBytes(base.string() + ".dict", data);
}

}  // namespace zembo::test
