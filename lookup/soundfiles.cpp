#include "lookup/soundfiles.h"

#include "platform/codepage.h"
#include "platform/hostpath.h"
#include "platform/qt/sound.h"
#include "platform/qt/speech.h"
#include "resources/uilanguage.h"

namespace zembo {

namespace {
SoundFileState soundFilesState;  // the one mutable instance
}  // namespace
const SoundFileState& soundFiles = soundFilesState;

namespace {

bool isBlank(const std::string& word) { return word.find_first_not_of(' ') == std::string::npos; }

// Language names are bytes of the UI language.
std::string languageUtf8(const std::string& language) { return toUtf8(language, uiCodePage()); }

bool staysInItsFolder(const std::string& name) {
  return name.find('/') == std::string::npos && name.find('\\') == std::string::npos &&
         name.find("..") == std::string::npos;
}

}  // namespace

std::filesystem::path soundFilePath(const std::string& language, const std::string& word, int wordCharset) {
  if (!staysInItsFolder(language) || !staysInItsFolder(word) || language.empty()) return {};
  return hostPath("sound\\" + language + "\\") / toUtf8(word + ".wav", codePageOfCharset(wordCharset));
}

bool soundFileExists(const std::string& language, const std::string& word, int wordCharset) {
  const std::filesystem::path path = soundFilePath(language, word, wordCharset);
  return !path.empty() && std::filesystem::is_regular_file(path);
}

bool canBeHeard(const std::string& language, const std::string& word, int wordCharset) {
  if (soundFileExists(language, word, wordCharset)) return true;
  return soundFilesState.wordsSpoken && !isBlank(word) && canSpeak(languageUtf8(language));
}

void playSound(const std::string& language, const std::string& word, int wordCharset) {
  if (soundFileExists(language, word, wordCharset)) {
    playSoundFile(soundFilePath(language, word, wordCharset));
  } else if (soundFilesState.wordsSpoken && !isBlank(word)) {
    speak(languageUtf8(language), toUtf8(word, codePageOfCharset(wordCharset)));
  }
}

void setSpeakWords(bool on) { soundFilesState.wordsSpoken = on; }
void resetSoundFileState() { soundFilesState = {}; }

std::vector<std::string> translationTokens(const std::string& translation) {
  std::vector<std::string> tokens;
  std::size_t start = 0;
  while (true) {
    const std::size_t comma = translation.find(',', start);
    std::string token = translation.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    const std::size_t first = token.find_first_not_of(' ');
    token = first == std::string::npos ? std::string() : token.substr(first, token.find_last_not_of(' ') - first + 1);
    tokens.push_back(token);
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  return tokens;
}

}  // namespace zembo
