#pragma once
// Plays a sound file and returns when it has ended; the program takes no user input meanwhile.
// Without an audio device, or for a file that cannot be played, it returns false at once.

#include <filesystem>

namespace zembo {

bool playSoundFile(const std::filesystem::path& file);

}  // namespace zembo
