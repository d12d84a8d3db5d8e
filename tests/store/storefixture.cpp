#include "tests/store/storefixture.h"

#include <fstream>

#include "directions/directions.h"
#include "resources/uilanguage.h"
#include "store/store.h"
#include "tests/support/storereset.h"

namespace zembo::test {

void StoreTest::SetUp() {
  TempDirTest::SetUp();
  resetStoreLayers();
  setUiBase(500);
  writeFile("dict.ini", "[language]\nFrench,french,0\nGerman,german,0\n\n[selected]\nFre_Eng.zb\n");
}

void StoreTest::TearDown() {
  resetStoreLayers();
  TempDirTest::TearDown();
}

void StoreTest::useDirection(const char* wordFileName) {
  ASSERT_EQ(loadDirections(), 0);
  for (DictionaryDirection* d = directions.directionList; d; d = d->next)
    if (std::string(d->wordFileName) == wordFileName) setCurrentDirection(d);
  ASSERT_STREQ(directions.currentDirection->wordFileName, wordFileName);
}

}  // namespace zembo::test
