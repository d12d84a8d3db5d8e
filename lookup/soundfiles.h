#pragma once
// Pronunciations: the sound of a word w of a language L is "sound\\" + L + "\\" + w + ".wav",
// w exactly as stored, or, for a word that has none, speech in the language's voice. A word that would lead out of the
// language's folder (a "/", a "\\" or "..") has no sound file.

#include <filesystem>
#include <string>
#include <vector>

namespace zembo {

// The host path of the sound file, or an empty path when the word cannot have one. The language
// name is bytes of the UI language, the word bytes of its own character set.
std::filesystem::path soundFilePath(const std::string& language, const std::string& word, int wordCharset);
bool soundFileExists(const std::string& language, const std::string& word, int wordCharset);
// Whether Play has something for the word: its recording, or else (while words are spoken) a voice
// of its language.
bool canBeHeard(const std::string& language, const std::string& word, int wordCharset);
// Plays the recording synchronously, or else speaks the word while words are spoken; nothing
// happens when neither can be.
void playSound(const std::string& language, const std::string& word, int wordCharset);

struct SoundFileState {
  bool wordsSpoken = true;  // words without a recording are spoken; on until a user switches it off
};
extern const SoundFileState& soundFiles;
void setSpeakWords(bool on);
// Words spoken again, as at process start.
void resetSoundFileState();

// The parts of a translation, split at every comma and stripped of blanks at both ends.
std::vector<std::string> translationTokens(const std::string& translation);

}  // namespace zembo
