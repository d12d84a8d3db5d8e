#pragma once
// Anki's deck packages (.apkg): a word list written as one, and the notes of one read back.
//
// The package written is the one Anki's exporter writes for older versions: a zip holding
// collection.anki2 (an SQLite collection of schema 11: the tables col, notes, cards, revlog and
// graves, with the note type, the decks and their options as JSON in col), the media map "media"
// ({"0": "name.ogg", ...}) and the media files named "0", "1", .... Every version of Anki since
// 2.0 imports it, and so do the other programs that read Anki's decks.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "exchange/readfault.h"
#include "formats/htmltext.h"

namespace zembo {

struct AnkiNote {
  std::vector<std::string> fields;  // UTF-8 HTML (escapeHtml a plain word), in the note type's order
  std::string guid;                 // the same for the same word in every export (stableGuid)
};

struct AnkiMedia {
  std::string name;  // as the [sound:name] of a field names it
  std::string bytes;
};

struct AnkiTemplate {
  std::string name;
  std::string questionFormat;  // {{Word}}
  std::string answerFormat;    // {{FrontSide}}<hr id=answer>{{Translation}}
};

struct AnkiDeck {
  std::string name;                     // the deck's name: the list's
  std::string noteTypeName;             // "zembo word"
  std::vector<std::string> fieldNames;  // the first is the one Anki sorts by and checks for duplicates
  std::vector<AnkiTemplate> templates;  // one card of each for every note
  std::vector<AnkiNote> notes;
  std::vector<AnkiMedia> media;
};

// Writes the package through a temporary file beside target, which takes its place only when
// whole. now is the time of the export in milliseconds since 1970: the notes' and cards' ids
// and times come from it. False with the reason in error when any step fails.
bool writeApkg(const std::filesystem::path& target, const AnkiDeck& deck, std::string& error, std::int64_t now);

// A guid as Anki makes them (64 bits in its base 91), taken from the SHA-1 of key instead of
// at random: the same word exported again updates the note a learner already has.
std::string stableGuid(std::string_view key);

// The first 8 hex digits of the SHA-1 of the stripped first field, as Anki's notes.csum.
std::int64_t fieldChecksum(std::string_view firstField);

struct ApkgRead {
  std::vector<std::vector<std::string>> notes;  // each note's fields, UTF-8, in the order of their ids
  std::string error;                            // empty when the package was read
  ReadFault fault = ReadFault::none;
};

// Reads the notes of a package: collection.anki21b (zstd-compressed, current Anki) when it holds
// one, else collection.anki21, else collection.anki2. An entry larger than sizeLimit once
// uncompressed, or compressed beyond any real collection's ratio, is refused unread.
ApkgRead readApkg(const std::filesystem::path& file, std::uint64_t sizeLimit);

}  // namespace zembo
