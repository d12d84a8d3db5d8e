#include "exchange/sha1.h"

#include <cstring>

namespace zembo {
namespace {

std::uint32_t rotateLeft(std::uint32_t x, int n) { return (x << n) | (x >> (32 - n)); }

void compressBlock(std::array<std::uint32_t, 5>& h, const std::uint8_t* block) {
  std::uint32_t w[80];
  for (std::size_t i = 0; i < 16; ++i) {
    const std::uint8_t* word = block + 4 * i;
    w[i] = std::uint32_t(word[0]) << 24 | std::uint32_t(word[1]) << 16 | std::uint32_t(word[2]) << 8 | word[3];
  }
  for (int i = 16; i < 80; ++i) w[i] = rotateLeft(w[i - 3] ^ w[i - 8] ^ w[i - 14] ^ w[i - 16], 1);
  std::uint32_t a = h[0], b = h[1], c = h[2], d = h[3], e = h[4];
  for (int i = 0; i < 80; ++i) {
    std::uint32_t f;
    std::uint32_t k;
    if (i < 20) {
      f = (b & c) | (~b & d);
      k = 0x5A827999;
    } else if (i < 40) {
      f = b ^ c ^ d;
      k = 0x6ED9EBA1;
    } else if (i < 60) {
      f = (b & c) | (b & d) | (c & d);
      k = 0x8F1BBCDC;
    } else {
      f = b ^ c ^ d;
      k = 0xCA62C1D6;
    }
    const std::uint32_t next = rotateLeft(a, 5) + f + e + k + w[i];
    e = d;
    d = c;
    c = rotateLeft(b, 30);
    b = a;
    a = next;
  }
  h[0] += a;
  h[1] += b;
  h[2] += c;
  h[3] += d;
  h[4] += e;
}

}  // namespace

Sha1Digest sha1(std::string_view bytes) {
  std::array<std::uint32_t, 5> h = {0x67452301, 0xEFCDAB89, 0x98BADCFE, 0x10325476, 0xC3D2E1F0};
  const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
  std::size_t whole = bytes.size() / 64 * 64;
  for (std::size_t i = 0; i < whole; i += 64) compressBlock(h, data + i);
  // The tail, the bit 1, zeros and the length in bits fill one or two last blocks.
  std::uint8_t tail[128] = {};
  const std::size_t rest = bytes.size() - whole;
  if (rest > 0) std::memcpy(tail, data + whole, rest);
  tail[rest] = 0x80;
  const std::size_t tailSize = rest < 56 ? 64 : 128;
  const std::uint64_t bits = std::uint64_t(bytes.size()) * 8;
  for (int i = 0; i < 8; ++i) tail[tailSize - 1 - i] = std::uint8_t(bits >> (8 * i));
  for (std::size_t i = 0; i < tailSize; i += 64) compressBlock(h, tail + i);
  Sha1Digest digest{};
  for (int i = 0; i < 20; ++i) digest[i] = std::uint8_t(h[i / 4] >> (24 - 8 * (i % 4)));
  return digest;
}

}  // namespace zembo
