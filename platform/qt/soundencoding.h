#pragma once
// Sounds encoded in memory by libsndfile: a recording as WAV, a word's speech as Ogg Vorbis (the
// compact form a flash-card deck carries).

#include <string>
#include <vector>

namespace zembo {

// Samples as the input delivers them, interleaved, in the host's byte order.
enum class SampleType { uint8, int16, int32, float32 };
struct WaveFormat {
  int sampleRate = 0;
  int channels = 0;
  SampleType type = SampleType::int16;
};

// The bytes of a WAV file of the samples (whole frames only); false when libsndfile failed.
bool encodeWave(const WaveFormat& format, const std::vector<char>& samples, std::string& out);
// The bytes of an Ogg Vorbis file of 16-bit mono samples at rate; false when libsndfile failed.
bool encodeOggVorbis(const std::vector<short>& samples, int rate, std::string& out);

}  // namespace zembo
