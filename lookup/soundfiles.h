#pragma once
// Recorded pronunciations: the sound of a word w of a language L is "sound\\" + L + "\\" + w +
// ".wav", w exactly as stored. A word that would lead out of the language's folder (a "/", a "\\"
// or "..") has no sound file.

#include <filesystem>
#include <string>
#include <vector>

namespace zembo {

// The host path of the sound file, or an empty path when the word cannot have one. The language
// name is bytes of the UI language, the word bytes of its own character set.
std::filesystem::path soundFilePath(const std::string& language, const std::string& word, int wordCharset);
bool soundFileExists(const std::string& language, const std::string& word, int wordCharset);
// Plays it synchronously; nothing happens when there is no such file.
void playSound(const std::string& language, const std::string& word, int wordCharset);

// The parts of a translation, split at every comma and stripped of blanks at both ends.
std::vector<std::string> translationTokens(const std::string& translation);

}  // namespace zembo
