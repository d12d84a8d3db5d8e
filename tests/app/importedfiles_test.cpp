// What zembo-import writes, opened as zembo opens it.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "directions/directions.h"
#include "platform/codepage.h"
#include "resources/uilanguage.h"
#include "store/collate.h"
#include "store/currentdirection.h"
#include "store/store.h"
#include "tests/importer/importfixture.h"
#include "tests/support/storereset.h"

namespace zembo::test {
namespace {

// The import runs in this process; the store's state starts and ends fresh around it.
class ImportedFilesTest : public ImportTest {
 protected:
  void SetUp() override {
    ImportTest::SetUp();
    resetStoreLayers();
  }
  void TearDown() override {
    resetStoreLayers();
    ImportTest::TearDown();
  }
};

// The store finds every imported headword in both directions, as zembo opens them.
TEST_F(ImportedFilesTest, StoreFindsEveryImportedHeadwordInBothDirections) {
  std::vector<DictdArticle> articles;
  std::vector<std::string> german, english;
  for (int i = 0; i < 300; ++i) {
    german.push_back((i % 3 == 0 ? "Über" : i % 3 == 1 ? "ähnlich" : "Zug") + std::to_string(i));
    english.push_back("word" + std::to_string(i * 7 % 300));
    articles.push_back(article(german.back(), english.back() + ", thing" + std::to_string(i)));
  }
  options.edition = "english";
  importInto(writeDictionary("freedict-deu-eng", articles), "new");
  std::filesystem::current_path(dir / "new");
  setUiBase(500);
  ASSERT_EQ(loadDirections(), 0);
  ASSERT_EQ(directions.directionCount, 2);
  for (DictionaryDirection* d = directions.directionList; d; d = d->next) {
    setCurrentDirection(d);
    ASSERT_EQ(activateDirection(), 0);
    const bool isForward = std::string(d->wordFileName) == "Ger_Eng.zb";
    EXPECT_EQ(store.wordCount, isForward ? 300 : 600);
    for (const std::string& utf8 : isForward ? german : english) {
      const std::string word = fromUtf8(utf8, 1252);
      const int at = findWord(word);
      ASSERT_GE(at, 0) << utf8;
      WordRecord record;
      ASSERT_EQ(readWordRecord(at, record), 0);
      EXPECT_EQ(wordOf(record), word) << d->wordFileName;
    }
  }
}

}  // namespace
}  // namespace zembo::test
