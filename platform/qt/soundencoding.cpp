#include "platform/qt/soundencoding.h"

#include <sndfile.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace zembo {

namespace {

// libsndfile writes the file into memory: its caller then writes it in one step.
struct MemoryFile {
  std::string& bytes;
  sf_count_t at = 0;
};
sf_count_t memoryLength(void* user) { return static_cast<sf_count_t>(static_cast<MemoryFile*>(user)->bytes.size()); }
sf_count_t memorySeek(sf_count_t offset, int whence, void* user) {
  auto* f = static_cast<MemoryFile*>(user);
  const sf_count_t base = whence == SEEK_CUR ? f->at : whence == SEEK_END ? memoryLength(user) : 0;
  f->at = std::max<sf_count_t>(0, base + offset);
  return f->at;
}
sf_count_t memoryRead(void* out, sf_count_t count, void* user) {
  auto* f = static_cast<MemoryFile*>(user);
  const sf_count_t n = std::max<sf_count_t>(0, std::min(count, memoryLength(user) - f->at));
  std::memcpy(out, f->bytes.data() + f->at, static_cast<std::size_t>(n));
  f->at += n;
  return n;
}
sf_count_t memoryWrite(const void* in, sf_count_t count, void* user) {
  auto* f = static_cast<MemoryFile*>(user);
  if (f->at + count > memoryLength(user)) f->bytes.resize(static_cast<std::size_t>(f->at + count));
  std::memcpy(f->bytes.data() + f->at, in, static_cast<std::size_t>(count));
  f->at += count;
  return count;
}
sf_count_t memoryTell(void* user) { return static_cast<MemoryFile*>(user)->at; }

int subtypeOf(SampleType type) {
  switch (type) {
    case SampleType::uint8:
      return SF_FORMAT_PCM_U8;
    case SampleType::int16:
      return SF_FORMAT_PCM_16;
    case SampleType::int32:
      return SF_FORMAT_PCM_32;
    case SampleType::float32:
      return SF_FORMAT_FLOAT;
  }
  return SF_FORMAT_PCM_16;
}

int bytesPerSample(SampleType type) { return type == SampleType::uint8 ? 1 : type == SampleType::int16 ? 2 : 4; }

// Opens a file of info's format in out for writing, runs write on it and closes it.
template <typename F>
bool encodeInMemory(SF_INFO info, std::string& out, F write) {
  out.clear();
  MemoryFile memory{out};
  SF_VIRTUAL_IO io{memoryLength, memorySeek, memoryRead, memoryWrite, memoryTell};
  SNDFILE* file = sf_open_virtual(&io, SFM_WRITE, &info, &memory);
  if (!file) return false;
  const bool written = write(file);
  return sf_close(file) == 0 && written;
}

}  // namespace

bool encodeWave(const WaveFormat& format, const std::vector<char>& samples, std::string& out) {
  SF_INFO info{};
  info.samplerate = format.sampleRate;
  info.channels = format.channels;
  info.format = SF_FORMAT_WAV | subtypeOf(format.type);
  // The samples are in the host's order, as the file's little-endian data chunk wants them on
  // the hosts we build for; whole frames only.
  const std::size_t frame =
      static_cast<std::size_t>(bytesPerSample(format.type)) * static_cast<std::size_t>(format.channels);
  const std::size_t usable = samples.size() / frame * frame;
  return encodeInMemory(info, out, [&](SNDFILE* file) {
    return sf_write_raw(file, samples.data(), static_cast<sf_count_t>(usable)) == static_cast<sf_count_t>(usable);
  });
}

bool encodeOggVorbis(const std::vector<short>& samples, int rate, std::string& out) {
  SF_INFO info{};
  info.samplerate = rate;
  info.channels = 1;
  info.format = SF_FORMAT_OGG | SF_FORMAT_VORBIS;
  if (samples.empty() || rate <= 0) return false;
  return encodeInMemory(info, out, [&](SNDFILE* file) {
    const auto count = static_cast<sf_count_t>(samples.size());
    return sf_write_short(file, samples.data(), count) == count;
  });
}

}  // namespace zembo
