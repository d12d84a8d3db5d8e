#include "store/store.h"

#include "directions/directions.h"
#include "platform/messagebox.h"
#include "tests/store/storefixture.h"

namespace zembo {
namespace {

using test::readFile;
using test::WordPair;
using test::writeFile;
using test::writeWords;

class WordFileTest : public test::StoreTest {};

TEST_F(WordFileTest, CountsWholeRecordsAndNeverReadsAPartialOne) {
  useDirection("Fre_Eng.zb");
  writeWords("language/Fre_Eng.zb", {{"chat", "cat"}, {"chien", "dog"}});
  std::string bytes = readFile("language/Fre_Eng.zb");
  writeFile("language/Fre_Eng.zb", bytes + "\x01\x02");  // 170 bytes
  ASSERT_EQ(openWordFile(), 0);
  countWordRecords();
  EXPECT_EQ(store.wordCount, 2);
  WordRecord record;
  ASSERT_EQ(readWordRecord(1, record), 0);
  EXPECT_EQ(wordOf(record), "chien");
  // Reading at the count fails and leaves the record as it was, as do negative indexes.
  for (const int index : {2, -1, 3}) EXPECT_EQ(readWordRecord(index, record), -1) << index;
  EXPECT_EQ(wordOf(record), "chien");
}

TEST_F(WordFileTest, EmptyFileHasNoRecords) {
  useDirection("Fre_Eng.zb");
  writeFile("language/Fre_Eng.zb", "");
  openWordFile();
  countWordRecords();
  EXPECT_EQ(store.wordCount, 0);
  WordRecord record;
  EXPECT_EQ(readWordRecord(0, record), -1);
}

TEST_F(WordFileTest, WritesInPlaceAndAppendsOnlyAtTheCount) {
  useDirection("Fre_Eng.zb");
  writeWords("language/Fre_Eng.zb", {{"chat", "cat"}, {"chien", "dog"}});
  openWordFile();
  countWordRecords();
  WordRecord record;
  ASSERT_EQ(readWordRecord(0, record), 0);
  record.flags = 1;
  ASSERT_EQ(writeWordRecord(0, record), 0);
  const WordRecord zebra = test::makeRecord({"zebre", "zebra"});
  ASSERT_EQ(writeWordRecord(store.wordCount, zebra), 0);
  EXPECT_EQ(readFile("language/Fre_Eng.zb").size(), 3 * 84u);
  // Beyond the count a gap of zero records would open: refused.
  EXPECT_EQ(writeWordRecord(store.wordCount + 2, zebra), -1);
  EXPECT_EQ(writeWordRecord(-1, zebra), -1);
  const auto entries = test::readWords("language/Fre_Eng.zb");
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0].flags, 1);
  EXPECT_EQ(entries[2].word, "zebre");
}

TEST_F(WordFileTest, FieldsWithoutNulAreCutAtTheirEnd) {
  WordRecord r{};
  std::memset(r.word, 'w', sizeof r.word);
  std::memset(r.translation, 't', sizeof r.translation);
  r.flags = 2;
  writeFile("language/Fre_Eng.zb", std::string(reinterpret_cast<const char*>(&r), sizeof r));
  useDirection("Fre_Eng.zb");
  openWordFile();
  countWordRecords();
  WordRecord record;
  ASSERT_EQ(readWordRecord(0, record), 0);
  EXPECT_EQ(wordOf(record), std::string(31, 'w'));
  EXPECT_EQ(translationOf(record), std::string(51, 't'));
  EXPECT_TRUE(isDeleted(record));  // any nonzero flags
}

TEST_F(WordFileTest, MissingWordFileEndsTheProgramWithItsPath) {
  useDirection("Eng_Ger.zb");
  try {
    openWordFile();
    FAIL() << "returned";
  } catch (const ProcessExit& e) {
    EXPECT_EQ(e.code, 1);
  }
  ASSERT_EQ(recordedMessageBoxes().size(), 1u);
  EXPECT_EQ(recordedMessageBoxes()[0].text, "Can't open language\\Eng_Ger.zb   \n\nProgram aborted");
  EXPECT_EQ(recordedMessageBoxes()[0].caption, "Dictionary");
  EXPECT_EQ(recordedMessageBoxes()[0].type, MB_OK | MB_ICONWARNING);
}

class ListFileTest : public test::StoreTest {
 protected:
  void SetUp() override {
    StoreTest::SetUp();
    useDirection("Fre_Eng.zb");
    writeWords("language/Fre_Eng.zb", {{"chat", "cat"}});
  }
};

TEST_F(ListFileTest, NoListFolderMeansNoListFile) {
  openWordFile();
  countWordRecords();
  EXPECT_EQ(store.listFile, -1);
  EXPECT_EQ(store.listCount, 0);
  WordRecord record{};
  EXPECT_EQ(readListRecord(0, record), -1);
  EXPECT_EQ(writeListRecord(0, record), -1);
  EXPECT_EQ(countListFolders(), 0);
}

TEST_F(ListFileTest, FirstNamedListIsChosenAndItsFileCreated) {
  std::filesystem::create_directories("list/verbs");
  openWordFile();
  countWordRecords();
  EXPECT_STREQ(store.practiceListName, "verbs");
  EXPECT_EQ(store.namedListCount, 1);
  EXPECT_TRUE(std::filesystem::exists("list/verbs/Fre_Eng.ls"));
  EXPECT_EQ(store.listCount, 0);
  WordRecord record;
  ASSERT_EQ(readWordRecord(0, record), 0);
  ASSERT_EQ(writeListRecord(0, record), 0);
  countListRecords();
  EXPECT_EQ(store.listCount, 1);
}

TEST_F(ListFileTest, DotFoldersAreCountedButNeverLists) {
  std::filesystem::create_directories("list/.b");
  std::filesystem::create_directories("list/a");
  test::writeFile("list/notes.txt", "x");
  EXPECT_EQ(countListFolders(), 4);  // . .. .b a
  EXPECT_EQ(selectFirstList(), 400);
  EXPECT_STREQ(store.practiceListName, "a");
  for (const auto& [name, exists] : {std::pair{"A", 1}, {".b", 0}, {"notes.txt", 0}, {"..", 0}}) {
    setPracticeListName(name);
    EXPECT_EQ(listFolderExists(), exists) << name;
  }
  std::filesystem::remove_all("list/a");
  setPracticeListName("");
  EXPECT_EQ(selectFirstList(), 0);
  EXPECT_STREQ(store.practiceListName, "");
}

}  // namespace
}  // namespace zembo
