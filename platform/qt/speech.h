#pragma once
// Speech for words that have no recording, made in the program by eSpeak NG. A language is named
// as the dictionary directions name it, in any edition's spelling ("German", "Allemand", "Tysk",
// "Немецкий"), in UTF-8; a small table gives its voice. The engine starts at the first use and
// keeps the last voice loaded, so a row after row of one language loads it once.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace zembo {

// The eSpeak NG voice of a language name, or empty when the table has none.
std::string voiceOfLanguage(std::string_view language);
// Whether words of the language can be spoken: the table has a voice and the engine loads it.
bool canSpeak(std::string_view language);

struct SpokenWord {
  int rate = 0;                // frames a second, one channel
  std::vector<short> samples;  // empty when nothing could be made
};
// The samples of the text in the voice; firstBuffer, when given, runs as the first samples arrive.
SpokenWord synthesize(std::string_view voice, std::string_view utf8Text, const std::function<void()>& firstBuffer = {});
// Speaks the text in the language's voice and returns when the sound has ended; false at once
// without a voice, an engine or an audio device.
bool speak(std::string_view language, std::string_view utf8Text);

}  // namespace zembo
