// The sample dictionary as the build assembles it: the word files bisect under the collation of
// their direction, every sound belongs to a stored word, and the small files have the form the
// program reads.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "formats/sorttable.h"
#include "formats/wordrecord.h"
#include "platform/codepage.h"
#include "platform/collation.h"

namespace {

namespace fs = std::filesystem;

const fs::path sample = ZEMBO_SAMPLE_DIR;

std::string readBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::vector<zembo::WordRecord> readWordFile(const std::string& name) {
  const std::string bytes = readBytes(sample / "language" / (name + ".zb"));
  EXPECT_EQ(bytes.size() % sizeof(zembo::WordRecord), 0u) << name;
  std::vector<zembo::WordRecord> records(bytes.size() / sizeof(zembo::WordRecord));
  if (!records.empty()) std::memcpy(records.data(), bytes.data(), records.size() * sizeof(zembo::WordRecord));
  return records;
}

// The translations of a record as the program splits them to play their sounds.
std::vector<std::string> translationsOf(const zembo::WordRecord& r) {
  std::vector<std::string> out;
  std::string text(zembo::translationOf(r));
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t comma = text.find(',', start);
    if (comma == std::string::npos) comma = text.size();
    std::string token = text.substr(start, comma - start);
    token.erase(0, token.find_first_not_of(' '));
    token.erase(token.find_last_not_of(' ') + 1);
    out.push_back(token);
    start = comma + 1;
  }
  return out;
}

struct Direction {
  const char* file;
  const char* locale;
  bool table;
};

const Direction directions[] = {
    {"Fre_Eng", "french", false},
    {"Eng_Fre", "english", false},
    {"Ger_Eng", "german", true},
    {"Eng_Ger", "english", false},
};

TEST(SampleWordFiles, HoldLiveWellFormedRecordsInTheOrderOfTheirDirection) {
  const std::string table = readBytes(sample / "tables" / "German.stb");
  ASSERT_EQ(table.size(), 256u);
  const auto* weights = reinterpret_cast<const unsigned char*>(table.data());
  for (const Direction& d : directions) {
    SCOPED_TRACE(d.file);
    const auto records = readWordFile(d.file);
    EXPECT_GE(records.size(), 300u);
    ASSERT_TRUE(zembo::setCollationLocale(d.locale));
    for (std::size_t i = 0; i < records.size(); ++i) {
      const zembo::WordRecord& r = records[i];
      EXPECT_EQ(r.flags, 0);
      EXPECT_NE(std::memchr(r.word, 0, sizeof r.word), nullptr) << i;
      EXPECT_NE(std::memchr(r.translation, 0, sizeof r.translation), nullptr) << i;
      const std::string_view word = zembo::wordOf(r);
      EXPECT_FALSE(word.empty()) << i;
      EXPECT_EQ(word.find(','), std::string_view::npos) << word;
      EXPECT_FALSE(zembo::translationOf(r).empty()) << word;
      if (i == 0) continue;
      const std::string_view previous = zembo::wordOf(records[i - 1]);
      if (d.table) {
        std::string a, b;
        zembo::sortTableKey(weights, previous, a);
        zembo::sortTableKey(weights, word, b);
        EXPECT_LE(a, b) << previous << " / " << word;
      } else {
        EXPECT_LE(zembo::collateNoCase(previous, word), 0) << previous << " / " << word;
      }
    }
  }
}

TEST(SampleSortTable, FoldsCaseAndUmlautsAndOrdersBlankDigitsLetters) {
  const std::string table = readBytes(sample / "tables" / "German.stb");
  ASSERT_EQ(table.size(), 256u);
  const auto w = [&](const char* utf8) {
    return static_cast<unsigned char>(table[static_cast<unsigned char>(zembo::fromUtf8(utf8, 1252)[0])]);
  };
  EXPECT_EQ(w("a"), w("A"));
  EXPECT_EQ(w("a"), w("ä"));
  EXPECT_EQ(w("a"), w("Ä"));
  EXPECT_EQ(w("o"), w("Ö"));
  EXPECT_EQ(w("u"), w("ü"));
  EXPECT_EQ(w("e"), w("é"));
  EXPECT_GT(w("ß"), w("s"));
  EXPECT_LT(w("ß"), w("t"));
  EXPECT_LT(w(" "), w("-"));
  EXPECT_LT(w("-"), w("0"));
  EXPECT_LT(w("9"), w("a"));
  EXPECT_LT(w("y"), w("z"));
  // Only NUL ends a key; no printable character is dropped or ends one.
  EXPECT_EQ(table[0], 0);
  for (int c = 0x20; c < 0x100; ++c) {
    if (c == 0x7f || c == 0x81 || c == 0x8d || c == 0x8f || c == 0x90 || c == 0x9d || c == 0xad) continue;
    EXPECT_GE(static_cast<unsigned char>(table[c]), 2) << c;
  }
}

// Sound folder of each language and the sides of the word files where its words stand.
struct SoundLanguage {
  const char* name;
  std::vector<const char*> sourceOf;  // word files whose headwords are in this language
  std::vector<const char*> targetOf;  // word files whose translations are
};

TEST(SampleSounds, AreShortMonoWavesNamedAfterStoredWords) {
  const SoundLanguage languages[] = {
      {"French", {"Fre_Eng"}, {"Eng_Fre"}},
      {"German", {"Ger_Eng"}, {"Eng_Ger"}},
      {"English", {"Eng_Fre", "Eng_Ger"}, {"Fre_Eng", "Ger_Eng"}},
  };
  for (const SoundLanguage& language : languages) {
    SCOPED_TRACE(language.name);
    std::set<std::string> words;
    for (const char* f : language.sourceOf)
      for (const auto& r : readWordFile(f)) words.insert(std::string(zembo::wordOf(r)));
    for (const char* f : language.targetOf)
      for (const auto& r : readWordFile(f))
        for (const std::string& t : translationsOf(r)) words.insert(t);
    int count = 0;
    for (const auto& entry : fs::directory_iterator(sample / "sound" / language.name)) {
      const std::string name = entry.path().filename().string();
      ASSERT_EQ(entry.path().extension(), ".wav") << name;
      const std::string word = zembo::fromUtf8(entry.path().stem().string(), 1252);
      EXPECT_TRUE(words.count(word)) << name;
      EXPECT_EQ(name.find('/'), std::string::npos);
      EXPECT_NE(name[0], '.');
      const std::string wav = readBytes(entry.path());
      ASSERT_GE(wav.size(), 44u) << name;
      std::uint16_t format, channels, bits;
      std::uint32_t rate;
      std::memcpy(&format, wav.data() + 20, 2);
      std::memcpy(&channels, wav.data() + 22, 2);
      std::memcpy(&rate, wav.data() + 24, 4);
      std::memcpy(&bits, wav.data() + 34, 2);
      EXPECT_EQ(wav.substr(0, 4), "RIFF") << name;
      EXPECT_EQ(wav.substr(8, 8), "WAVEfmt ") << name;
      EXPECT_EQ(format, 1) << name;
      EXPECT_EQ(channels, 1) << name;
      EXPECT_EQ(rate, 16000u) << name;
      EXPECT_EQ(bits, 16) << name;
      // between a quarter of a second and two seconds of speech
      EXPECT_GT(wav.size(), 8000u) << name;
      EXPECT_LT(wav.size(), 64000u) << name;
      ++count;
    }
    EXPECT_GE(count, 20);
  }
}

TEST(SampleCharacterSets, FillTwoRowsWithLettersOfTheCodePage) {
  for (const char* name : {"French", "German", "English"}) {
    const std::string line = readBytes(sample / "charset" / (std::string(name) + ".chs"));
    SCOPED_TRACE(name);
    // every byte becomes a button, a line feed too; an even count keeps both rows full
    EXPECT_EQ(line.find('\n'), std::string::npos);
    EXPECT_EQ(line.size() % 2, 0u);
    EXPECT_GE(line.size(), 2u);
    EXPECT_LE(line.size(), 40u);
    for (unsigned char c : line) EXPECT_GE(c, 0x80) << int(c);
  }
}

TEST(SampleConfiguration, NamesFilesThatExist) {
  EXPECT_EQ(readBytes(sample / "language.ini"), "[Dictionary]\nLanguage=english\n");
  const std::string ini = readBytes(sample / "dict.ini");
  EXPECT_NE(ini.find("\n[language]\nFrench,french,0\nGerman,german,0\n\n"), std::string::npos);
  EXPECT_NE(ini.find("\n[selected]\nFre_Eng.zb\n\n"), std::string::npos);
  EXPECT_NE(ini.find("\n[AddNew]\non\n"), std::string::npos);
  // lines are read in pieces of 99 characters; a longer one would be read as two
  std::size_t start = 0;
  while (start < ini.size()) {
    const std::size_t end = ini.find('\n', start);
    EXPECT_LT((end == std::string::npos ? ini.size() : end) - start, 99u);
    if (end == std::string::npos) break;
    start = end + 1;
  }
  for (const char* icon : {"Fre.ico", "Ger.ico", "Eng.ico"}) EXPECT_TRUE(fs::is_regular_file(sample / "icons" / icon));
  for (const Direction& d : directions)
    EXPECT_TRUE(fs::is_regular_file(sample / "language" / (std::string(d.file) + ".zb")));
  EXPECT_TRUE(fs::is_directory(sample / "list"));
  EXPECT_TRUE(fs::is_regular_file(sample / "dict.avi"));
}

TEST(SampleLogo, IsA24BitPictureThatFitsTheTitleArea) {
  const std::string bmp = readBytes(sample / "logo.bmp");
  ASSERT_GE(bmp.size(), 54u);
  EXPECT_EQ(bmp.substr(0, 2), "BM");
  std::int32_t width, height;
  std::uint16_t bits;
  std::memcpy(&width, bmp.data() + 18, 4);
  std::memcpy(&height, bmp.data() + 22, 4);
  std::memcpy(&bits, bmp.data() + 28, 2);
  EXPECT_EQ(bits, 24);
  EXPECT_GT(width, 200);
  EXPECT_LE(width, 559);
  EXPECT_GT(height, 30);  // positive: stored bottom row first
  EXPECT_LE(height, 96);
}

}  // namespace

namespace {

// The paragraph of the add-words window, in which the log folder new/ is named, with its line
// breaks as blanks.
std::string addWordsParagraph(const std::string& help) {
  const std::size_t log = help.find("<code>new/</code>");
  if (log == std::string::npos) return {};
  const std::size_t start = help.rfind("<p>", log);
  std::string paragraph = help.substr(start, help.find("</p>", log) - start);
  for (char& c : paragraph)
    if (c == '\n') c = ' ';
  return paragraph;
}

TEST(SampleHelp, EveryEditionSaysThatAddedWordsAreFoundAtOnce) {
  const std::pair<const char*, const char*> editions[] = {
      {"dict.hlp", "found at once"},        {"dictionnaire.hlp", "trouvés aussitôt"},
      {"dizionario.hlp", "trovate subito"}, {"ordbog.hlp", "findes med det samme"},
      {"ordbok.hlp", "hittas genast"},      {"ordbok_no.hlp", "funnet med en gang"},
      {"slovar.hlp", "srazu nakhodit"},     {"slovar_cyr.hlp", "сразу находит"},
      {"woerterbuch.hlp", "Suche sofort"},  {"woordenboek.hlp", "opzoeken meteen"}};
  for (const auto& [file, atOnce] : editions) {
    const std::string paragraph = addWordsParagraph(readBytes(sample / file));
    ASSERT_FALSE(paragraph.empty()) << file;
    EXPECT_NE(paragraph.find(atOnce), std::string::npos) << file << ": " << paragraph;
  }
}

}  // namespace
