#include <QMenu>
#include <QMenuBar>

#include "directions/directions.h"
#include "app/mainwindow.h"
#include "windowkit/qttext.h"
#include "resources/resourcetable.h"
#include "resources/uilanguage.h"
#include "resources/uitext.h"
#include "store/store.h"
#include "tests/support/dictionaryfixture.h"

namespace zembo {
namespace {

using test::writeFile;
using test::writeWords;

// Each edition starts on a small dictionary of its own: its configuration file, its section
// headers, its word-file folder and the name of its own language.
class EditionStartTest : public test::DictionaryTest, public ::testing::WithParamInterface<int> {};

std::string row(int base, int n) {
  char buffer[300];
  loadString(base + n, buffer, sizeof buffer);
  return buffer;
}

TEST_P(EditionStartTest, StartsWithItsOwnTitleMenusAndFiles) {
  const UiLanguage& language = uiLanguages[GetParam()];
  const int b = language.base;
  const std::string ui = row(b, 52);
  writeFile("language.ini", std::string("[Dictionary]\nLanguage=") + language.iniValue + "\n");
  writeFile(test::programPath(row(b, 53), language.codePage), "# " + row(b, 53) + "\n" + row(b, 56) + "\nSpanish,spanish,0\n\n" + row(b, 57) +
                                             "\nSpa_" + ui.substr(0, 3) + ".zb\n\n" + row(b, 59) + "\n" + row(b, 54) + "\n");
  const std::string folder = row(b, 1);
  writeWords(test::programPath(folder + "Spa_" + ui.substr(0, 3) + ".zb", language.codePage), {{"casa", "x"}});
  writeWords(test::programPath(folder + ui.substr(0, 3) + "_Spa.zb", language.codePage), {{"x", "casa"}, {"y", "z"}});
  ASSERT_EQ(start(), -1) << language.iniValue;
  EXPECT_EQ(uiLanguage.uiBase, b);
  EXPECT_STREQ(directions.currentDirection->sourceName, "Spanish");
  EXPECT_EQ(directions.currentDirection->targetName, ui);
  EXPECT_EQ(store.wordCount, 1);
  EXPECT_EQ(mainWindow->windowTitle(), uiQString(row(b, 74)));
  const MenuResource* menu = findMenu(std::string(language.iniValue) + "_zembo");
  ASSERT_NE(menu, nullptr);
  const QList<QAction*> popups = mainWindow->menuBar()->actions();
  ASSERT_EQ(popups.size(), 3);
  EXPECT_EQ(popups[0]->text(), uiQString(menu->popups[0].text));
  EXPECT_EQ(popups[1]->text(), uiQString(row(b, 76)));
  EXPECT_EQ(popups[2]->text(), uiQString(menu->popups[1].text));
  // The other direction, through the language menu: its twin's file.
  mainWindow->languageMenu()->actions()[2]->trigger();
  EXPECT_EQ(store.wordCount, 2);
  saveGrab(mainWindow, std::string("edition-") + language.iniValue);
}

INSTANTIATE_TEST_SUITE_P(Editions, EditionStartTest, ::testing::Range(0, uiLanguageCount),
                         [](const ::testing::TestParamInfo<int>& edition) { return std::string(uiLanguages[edition.param].iniValue); });

}  // namespace
}  // namespace zembo
