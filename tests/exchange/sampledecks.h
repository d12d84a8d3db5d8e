#pragma once
// Three small word lists as Anki decks, the same in every test and in the packages the reference
// reader read (tests/exchange/data, written by ExchangeData.DISABLED_WritesTheSampleDecks).

#include <cstdint>
#include <string>
#include <vector>

#include "exchange/apkg.h"

namespace zembo::test {

// The export time of the sample decks: a December 2025 morning, in milliseconds.
constexpr std::int64_t sampleExportTime = 1'765'000'000'000;

// The note type the program gives its words: six fields, a card each way.
AnkiDeck zemboWordDeck(const std::string& name);
// A note with its guid taken from the deck and the word.
AnkiNote wordNote(const AnkiDeck& deck, std::vector<std::string> fields);

// "Latin", "Accented" and "Cyrillic": the names of the sample decks and of their packages.
std::vector<std::string> sampleDeckNames();
AnkiDeck sampleDeck(const std::string& name);

// A few bytes that start as the sound files they are named for.
std::string tinyWav();
std::string tinyOgg();

}  // namespace zembo::test
