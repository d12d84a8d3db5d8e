#pragma once
// The numbers of the program's binary files (the article file, the entry indexes): little-endian
// whatever the host, and the CRC-32 that checks their parts.

#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <string>

namespace zembo {

inline void putU32(std::string& out, std::uint32_t v) {
  for (int k = 0; k < 4; ++k) out += static_cast<char>((v >> (8 * k)) & 0xff);
}
inline void putU64(std::string& out, std::uint64_t v) {
  for (int k = 0; k < 8; ++k) out += static_cast<char>((v >> (8 * k)) & 0xff);
}
inline std::uint32_t getU32(const unsigned char* at) {
  return static_cast<std::uint32_t>(at[0]) | static_cast<std::uint32_t>(at[1]) << 8 |
         static_cast<std::uint32_t>(at[2]) << 16 | static_cast<std::uint32_t>(at[3]) << 24;
}
inline std::uint64_t getU64(const unsigned char* at) {
  return static_cast<std::uint64_t>(getU32(at)) | static_cast<std::uint64_t>(getU32(at + 4)) << 32;
}

// The CRC-32 of size bytes, in pieces that zlib's counts hold.
inline std::uint32_t crcOf(const void* data, std::size_t size) {
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

}  // namespace zembo
