// Speech made in the program: every edition's name of a language finds its voice, a word becomes
// samples of a spoken word's length, and a language the table does not know has no voice.

#include <algorithm>
#include <cstdlib>

#include <gtest/gtest.h>

#include "platform/qt/speech.h"

namespace zembo {
namespace {

TEST(Speech, EveryEditionsNameOfALanguageFindsItsVoice) {
  for (const char* german : {"German", "Allemand", "Tyska", "Nemetskiy", "Немецкий", "Duits", "Tedesco", "Tysk",
                             "Deutsch", "german", " GERMAN "})
    EXPECT_EQ(voiceOfLanguage(german), "de") << german;
  EXPECT_EQ(voiceOfLanguage("Français"), "fr");
  EXPECT_EQ(voiceOfLanguage("Английский"), "en");
  EXPECT_EQ(voiceOfLanguage("Norsk"), "nb");
  EXPECT_EQ(voiceOfLanguage("Tsjechisch"), "cs");
  EXPECT_EQ(voiceOfLanguage("Spanish"), "es");
  EXPECT_EQ(voiceOfLanguage("Polish"), "pl");
  EXPECT_EQ(voiceOfLanguage("Klingon"), "");
  EXPECT_EQ(voiceOfLanguage(""), "");
  for (const char* language : {"German", "French", "English", "Dutch", "Italian", "Swedish", "Norwegian", "Danish",
                               "Russian", "Spanish", "Polish", "Czech"})
    EXPECT_TRUE(canSpeak(language)) << language;
  EXPECT_FALSE(canSpeak("Klingon"));
}

short loudest(const std::vector<short>& samples) {
  short level = 0;
  for (short sample : samples) level = std::max(level, static_cast<short>(std::abs(sample)));
  return level;
}

TEST(Speech, AWordBecomesTheSamplesOfASpokenWord) {
  int firstBuffers = 0;
  const SpokenWord word = synthesize("de", "Grüße", [&] { ++firstBuffers; });
  ASSERT_GT(word.rate, 8000);
  const double seconds = double(word.samples.size()) / word.rate;
  EXPECT_GT(seconds, 0.25);
  EXPECT_LT(seconds, 2.0);
  EXPECT_GT(loudest(word.samples), 2000);
  EXPECT_EQ(firstBuffers, 1);
  // A voice after another, and back: each word is whole.
  EXPECT_GT(synthesize("ru", "спасибо").samples.size(), word.samples.size() / 3);
  EXPECT_GT(synthesize("de", "Haus").samples.size(), static_cast<std::size_t>(word.rate / 5));
  EXPECT_TRUE(synthesize("de", "  ").samples.empty());
  EXPECT_TRUE(synthesize("xx-nonesuch", "Haus").samples.empty());
}

}  // namespace
}  // namespace zembo
