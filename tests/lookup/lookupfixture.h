#pragma once
// zembo started on a dictionary whose French word file the test chooses, with the search window
// open as a user opens it (Alt+S).

#include <QApplication>
#include <QScrollBar>
#include <QTest>

#include "app/mainwindow.h"
#include "lookup/entryfield.h"
#include "lookup/searchwindow.h"
#include "store/store.h"
#include "tests/support/dictionaryfixture.h"

namespace zembo::test {

class SearchTest : public DictionaryTest {
 protected:
  // Words w000, w001, ... with translations t000, ...
  static std::vector<WordPair> numberedWords(int count) {
    std::vector<WordPair> words;
    char word[16], translation[16];
    for (int i = 0; i < count; ++i) {
      std::snprintf(word, sizeof word, "w%03d", i);
      std::snprintf(translation, sizeof translation, "t%03d", i);
      words.push_back({word, translation});
    }
    return words;
  }
  void openSearch(const std::vector<WordPair>& french) {
    writeSampleDictionary();
    writeWords("language/Fre_Eng.zb", french);
    ASSERT_EQ(start(), -1);
    QTest::keyClick(mainWindow, Qt::Key_S, Qt::AltModifier);
    search = qobject_cast<SearchWindow*>(mainWindow->openToolWindow());
    ASSERT_NE(search, nullptr);
    processEvents();
  }
  std::string rowWord(int row) const { return search->wordField(row)->text().toStdString(); }
  std::string rowTranslation(int row) const { return search->translationField(row)->text().toStdString(); }
  void type(const char* text) { QTest::keyClicks(search->searchField(), text); }
  void key(Qt::Key k) { QTest::keyClick(search->searchField(), k); }
  void closeSearch() {
    search->command(cmdDone, commandClicked);
    processEvents();
  }

  SearchWindow* search = nullptr;
};

}  // namespace zembo::test
