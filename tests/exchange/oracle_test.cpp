// The sample decks as other programs read them: what the reference reader (anki-reader, run by
// tools/anki-reader-oracle) read in the committed packages, and the tables the sqlite3 shell shows.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "exchange/apkg.h"
#include "tests/exchange/packagetools.h"
#include "tests/exchange/sampledecks.h"
#include "tests/support/testenv.h"

namespace zembo {
namespace {

namespace fs = std::filesystem;
using ReferenceReader = test::TempDirTest;
using SqliteShell = test::TempDirTest;

const fs::path dataFolder = ZEMBO_EXCHANGE_DATA;

std::string escaped(const std::string& field) {
  std::string out;
  for (const char c : field) {
    if (c == '\\')
      out += "\\\\";
    else if (c == '\t')
      out += "\\t";
    else if (c == '\n')
      out += "\\n";
    else
      out += c;
  }
  return out;
}

// The lines the oracle writes for a deck, as the deck's own contents give them: the decks by
// name with their cards, the note type with its fields, the notes in order, the media with their
// sizes.
std::vector<std::string> readingOf(const AnkiDeck& deck) {
  std::vector<std::string> decks = {
      "deck\tDefault\t0", "deck\t" + deck.name + "\t" + std::to_string(deck.notes.size() * deck.templates.size())};
  std::sort(decks.begin(), decks.end());
  std::vector<std::string> lines = decks;
  std::string noteType = "notetype\t" + deck.noteTypeName;
  for (const std::string& field : deck.fieldNames) noteType += "\t" + field;
  lines.push_back(noteType);
  for (const AnkiNote& note : deck.notes) {
    std::string line = "note";
    for (const std::string& field : note.fields) line += "\t" + escaped(field);
    lines.push_back(line);
  }
  for (const AnkiMedia& media : deck.media)
    lines.push_back("media\t" + media.name + "\t" + std::to_string(media.bytes.size()));
  return lines;
}

std::vector<std::string> expectedLines(const std::string& name) {
  std::ifstream in(dataFolder / (name + ".expected.tsv"));
  EXPECT_TRUE(in) << name;
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);)
    if (!line.empty() && line[0] != '#') lines.push_back(line);
  return lines;
}

TEST(ExchangeData, DISABLED_WritesTheSampleDecks) {
  for (const std::string& name : test::sampleDeckNames()) {
    std::string error;
    EXPECT_TRUE(writeApkg(dataFolder / (name + ".apkg"), test::sampleDeck(name), error, test::sampleExportTime))
        << error;
  }
}

TEST_F(ReferenceReader, ReadEveryNoteAndMediaFileOfTheSampleDecks) {
  for (const std::string& name : test::sampleDeckNames()) {
    EXPECT_EQ(expectedLines(name), readingOf(test::sampleDeck(name))) << name;
  }
}

TEST_F(ReferenceReader, ReadWhatAnExportWritesNow) {
  // The committed packages and a fresh export hold the same: notes, media map and media bytes.
  for (const std::string& name : test::sampleDeckNames()) {
    const AnkiDeck deck = test::sampleDeck(name);
    std::string error;
    ASSERT_TRUE(writeApkg(name + ".apkg", deck, error, test::sampleExportTime)) << error;
    const fs::path committed = dataFolder / (name + ".apkg");
    EXPECT_EQ(readApkg(name + ".apkg", 1 << 20).notes, readApkg(committed, 1 << 20).notes) << name;
    EXPECT_EQ(test::zipNames(name + ".apkg"), test::zipNames(committed)) << name;
    for (const std::string& entry : test::zipNames(committed)) {
      if (entry == "collection.anki2") continue;
      EXPECT_EQ(test::zipEntry(name + ".apkg", entry), test::zipEntry(committed, entry)) << entry;
    }
  }
}

// The statements of an SQL text that create tables and indexes, in a form where only what they
// mean counts: comments gone, lower case, white space only where it separates words.
std::vector<std::string> definitions(const std::string& sql) {
  std::string text;
  std::istringstream lines(sql);
  for (std::string line; std::getline(lines, line);) text += line.substr(0, line.find("--")) + " ";
  std::vector<std::string> statements;
  std::istringstream parts(text);
  for (std::string part; std::getline(parts, part, ';');) {
    std::string normal;
    for (const char c : part) {
      const char low = c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
      const bool space = low == ' ' || low == '\n' || low == '\t' || low == '\r';
      if (space && (normal.empty() || normal.back() == ' ')) continue;
      if ((low == '(' || low == ')' || low == ',') && !normal.empty() && normal.back() == ' ') normal.pop_back();
      if (space && (normal.back() == '(' || normal.back() == ',')) continue;
      normal += space ? ' ' : low;
    }
    while (!normal.empty() && normal.back() == ' ') normal.pop_back();
    if (normal.rfind("create ", 0) == 0) statements.push_back(normal);
  }
  return statements;
}

std::string commandOutput(const std::string& command) {
  std::string out;
  std::FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return out;
  char buffer[4096];
  std::size_t n = 0;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
  ::pclose(pipe);
  return out;
}

TEST_F(SqliteShell, ShowsTheTablesAndIndexesOfAnkisSchema11) {
  if (std::system("command -v sqlite3 >/dev/null 2>&1") != 0) GTEST_SKIP() << "the sqlite3 command is not installed";
  std::string error;
  ASSERT_TRUE(writeApkg("deck.apkg", test::sampleDeck("Latin"), error, test::sampleExportTime)) << error;
  test::writeFile("collection.anki2", test::zipEntry("deck.apkg", "collection.anki2"));
  const std::vector<std::string> shown = definitions(commandOutput("sqlite3 collection.anki2 .schema"));
  const std::vector<std::string> anki = definitions(test::readFile(dataFolder / "anki-schema11.sql"));
  EXPECT_EQ(anki.size(), 12u);
  EXPECT_EQ(shown, anki);
}

}  // namespace
}  // namespace zembo
