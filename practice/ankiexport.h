#pragma once
// The current practice list as an Anki deck: one note for each word of the list with its whole
// entry (every translation the direction holds for it; the pronunciation, gender or part of speech
// and first example of its article, when the language has articles) and its sound (the word's
// recording, or its speech rendered by eSpeak NG). Each note's guid comes from the list, the
// direction and the word, so a second export updates the notes Anki has.

#include <cstdint>
#include <filesystem>
#include <string>

#include "exchange/apkg.h"

namespace zembo {

AnkiDeck currentListAnkiDeck();
// Writes the deck to target; false with the reason in error.
bool exportCurrentListAsAnkiDeck(const std::filesystem::path& target, std::int64_t nowMilliseconds, std::string& error);

}  // namespace zembo
