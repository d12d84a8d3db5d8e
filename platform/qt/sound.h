#pragma once
// Plays a WAV file and returns when it has ended; the program takes no user input meanwhile.
// Without an audio device, or for a file that cannot be read, it returns false at once; a device
// that stalls holds the program no longer than the sound lasts and a small margin.

#include <filesystem>

namespace zembo {

bool playSoundFile(const std::filesystem::path& file);

}  // namespace zembo
