#pragma once
// Reading the header of a WAV file as a player would.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace zembo::test {

inline std::uint32_t le32(const std::string& bytes, std::size_t at) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(bytes[at + i]);
  return v;
}
inline std::uint16_t le16(const std::string& bytes, std::size_t at) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) | static_cast<unsigned char>(bytes[at + 1])
                                                                                << 8);
}

struct WaveHeader {
  std::uint16_t channels = 0;
  std::uint32_t rate = 0;
  std::uint16_t bits = 0;
  std::uint32_t dataBytes = 0;
};

// The format of a PCM WAV file whose RIFF size matches the file; fails the test otherwise.
inline WaveHeader readWaveHeader(const std::string& wav) {
  WaveHeader header;
  EXPECT_GE(wav.size(), 44u);
  if (wav.size() < 44) return header;
  EXPECT_EQ(wav.substr(0, 4), "RIFF");
  EXPECT_EQ(le32(wav, 4), wav.size() - 8);
  EXPECT_EQ(wav.substr(8, 4), "WAVE");
  const std::size_t fmt = wav.find("fmt ");
  const std::size_t data = wav.find("data", fmt);
  EXPECT_NE(fmt, std::string::npos);
  EXPECT_NE(data, std::string::npos);
  if (fmt == std::string::npos || data == std::string::npos || data + 8 > wav.size()) return header;
  EXPECT_EQ(le16(wav, fmt + 8), 1);  // PCM
  header.channels = le16(wav, fmt + 10);
  header.rate = le32(wav, fmt + 12);
  header.bits = le16(wav, fmt + 22);
  header.dataBytes = le32(wav, data + 4);
  return header;
}

}  // namespace zembo::test
