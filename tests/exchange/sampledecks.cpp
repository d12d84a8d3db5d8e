#include "tests/exchange/sampledecks.h"

#include <utility>

namespace zembo::test {

AnkiDeck zemboWordDeck(const std::string& name) {
  AnkiDeck deck;
  deck.name = name;
  deck.noteTypeName = "zembo word";
  deck.fieldNames = {"Word", "Translation", "Pronunciation", "Gender/part of speech", "Example", "Sound"};
  deck.templates = {
      {"Word to translation", "{{Word}}<br>{{Sound}}", "{{FrontSide}}<hr id=answer>{{Translation}}<br>{{Example}}"},
      {"Translation to word", "{{Translation}}", "{{FrontSide}}<hr id=answer>{{Word}}<br>{{Sound}}"}};
  return deck;
}

AnkiNote wordNote(const AnkiDeck& deck, std::vector<std::string> fields) {
  AnkiNote note;
  note.guid = stableGuid(deck.name + "\x1f" + fields.at(0));
  note.fields = std::move(fields);
  return note;
}

std::vector<std::string> sampleDeckNames() { return {"Latin", "Accented", "Cyrillic"}; }

std::string tinyWav() {
  // A RIFF header of 8 kHz mono 8-bit PCM and four samples.
  std::string wav("RIFF\x28\0\0\0WAVEfmt \x10\0\0\0\x01\0\x01\0\x40\x1f\0\0\x40\x1f\0\0\x01\0\x08\0data\x04\0\0\0", 44);
  return wav + std::string("\x80\x90\x80\x70", 4);
}

std::string tinyOgg() { return std::string("OggS\0\x02\0\0\0\0\0\0\0\0zembo", 19); }

AnkiDeck sampleDeck(const std::string& name) {
  AnkiDeck deck = zemboWordDeck(name);
  if (name == "Latin") {
    deck.notes = {wordNote(deck, {"dog", "Hund", "dɒɡ", "noun", "The dog barks.", "[sound:dog.wav]"}),
                  wordNote(deck, {"cat", "Katze", "kæt", "noun", "A cat &amp; a dog", ""}),
                  wordNote(deck, {"run", "laufen", "", "verb", "Run, \"quickly\"!", "[sound:run.ogg]"})};
    deck.media = {{"dog.wav", tinyWav()}, {"run.ogg", tinyOgg()}};
  } else if (name == "Accented") {
    deck.notes = {
        wordNote(deck, {"Straße", "street", "ˈʃtʁaːsə", "die", "Die Straße ist lang.", "[sound:strasse.ogg]"}),
        wordNote(deck, {"être", "to be", "ɛtʁ", "verbe", "Je suis là.<br>Tu es où ?", ""}),
        wordNote(deck, {"Œuvre", "work", "œvʁ", "f", "", ""})};
    deck.media = {{"strasse.ogg", tinyOgg()}};
  } else {
    deck.notes = {wordNote(deck, {"собака", "dog", "sɐˈbakə", "ж.", "Собака лает.", "[sound:sobaka.wav]"}),
                  wordNote(deck, {"ёж", "hedgehog", "jɵʂ", "м.", "", "[sound:ёж.ogg]"})};
    deck.media = {{"sobaka.wav", tinyWav()}, {"ёж.ogg", tinyOgg()}};
  }
  return deck;
}

}  // namespace zembo::test
