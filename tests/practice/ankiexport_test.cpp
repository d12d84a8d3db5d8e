// The list editor's export of a list as an Anki deck: one note per word with its whole entry and
// its sound (a recording as it is, speech as Ogg Vorbis), read back as another program reads it.

#include <gtest/gtest.h>
#include <zip.h>

#include <filesystem>
#include <string>

#include "exchange/apkg.h"
#include "practice/ankiexport.h"
#include "practice/listeditor.h"
#include "tests/practice/practicefixture.h"

namespace zembo {
namespace {

class AnkiExportTest : public test::PracticeTest {
 protected:
  void TearDown() override {
    setExportFileChooser(chooseExportFileInDialog);
    test::PracticeTest::TearDown();
  }
  // The bytes of a zip entry, empty when there is none.
  static std::string zipEntry(const std::string& file, const char* name) {
    int error = 0;
    zip_t* archive = zip_open(file.c_str(), ZIP_RDONLY, &error);
    if (!archive) return {};
    std::string bytes;
    zip_stat_t st;
    if (zip_stat(archive, name, 0, &st) == 0) {
      zip_file_t* entry = zip_fopen(archive, name, 0);
      bytes.resize(st.size);
      if (entry && zip_fread(entry, bytes.data(), st.size) != static_cast<zip_int64_t>(st.size)) bytes.clear();
      if (entry) zip_fclose(entry);
    }
    zip_close(archive);
    return bytes;
  }
};

TEST_F(AnkiExportTest, AListBecomesADeckOfWholeEntriesWithTheirSounds) {
  std::filesystem::create_directories("sound/French");
  test::writeFile("sound/French/chat.wav", "RIFF recorded");
  startWith({{"animaux", {{"chat", "cat"}, {"chien", "dog"}, {"chat", "tomcat"}, {"\xeatre", "to be"}}}},
            {{"chat", "cat"}, {"chat", "tomcat, puss"}, {"chien", "dog, hound"}, {"\xeatre", "to be, being"}});
  ASSERT_NE(openEditor(), nullptr);
  setExportFileChooser([](QWidget*, const QString& offered, const QString& filter) {
    EXPECT_TRUE(offered.endsWith("/animaux.apkg"));
    EXPECT_TRUE(filter.startsWith("Anki decks (*.apkg)"));
    return QString("animaux.apkg");
  });
  editor->command(cmdExportAnkiDeck, commandClicked);
  const ApkgRead deck = readApkg("animaux.apkg", 64 << 20);
  ASSERT_EQ(deck.error, "");
  ASSERT_EQ(deck.notes.size(), 3u);  // chat once, with the translations of both its entries
  EXPECT_EQ(deck.notes[0][0], "chat");
  EXPECT_EQ(deck.notes[0][1], "cat, tomcat, puss");
  EXPECT_EQ(deck.notes[2][0], "\xc3\xaatre");
  EXPECT_EQ(deck.notes[2][1], "to be, being");
  EXPECT_TRUE(deck.notes[0][5].starts_with("[sound:zembo-") && deck.notes[0][5].ends_with(".wav]"));
  EXPECT_TRUE(deck.notes[1][5].ends_with(".ogg]")) << deck.notes[1][5];  // chien: speech

  // The media map names every sound, and the recording travels as it is.
  const std::string media = zipEntry("animaux.apkg", "media");
  const std::string recorded = deck.notes[0][5].substr(7, deck.notes[0][5].size() - 8);
  EXPECT_NE(media.find("\"" + recorded + "\""), std::string::npos) << media;
  EXPECT_EQ(zipEntry("animaux.apkg", "0"), "RIFF recorded");
  EXPECT_TRUE(zipEntry("animaux.apkg", "1").starts_with("OggS"));

  // A folder that does not exist: a message names the file, nothing is written.
  startRecordingMessageBoxes();
  setExportFileChooser([](QWidget*, const QString&, const QString&) { return QString("no-such-folder/a.apkg"); });
  editor->command(cmdExportAnkiDeck, commandClicked);
  ASSERT_EQ(recordedMessageBoxes().size(), 1u);
  EXPECT_NE(recordedMessageBoxes()[0].text.find("no-such-folder/a.apkg"), std::string::npos);
}

}  // namespace
}  // namespace zembo
