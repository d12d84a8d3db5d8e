#pragma once
// Plays a WAV file, or 16-bit samples made in the program, and returns when the sound has ended;
// the program takes no user input meanwhile. Without an audio device, or for a file that cannot be
// read, it returns false at once; a device that stalls holds the program no longer than the sound
// lasts and a small margin.

#include <cstddef>
#include <filesystem>

namespace zembo {

bool playSoundFile(const std::filesystem::path& file);
// count samples, frames of channels interleaved, at rate frames a second.
bool playSamples(const short* data, std::size_t count, int rate, int channels);

}  // namespace zembo
