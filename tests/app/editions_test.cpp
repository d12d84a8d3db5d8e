#include <QAbstractButton>
#include <QApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QTest>

#include "app/mainwindow.h"
#include "directions/directions.h"
#include "platform/messagebox.h"
#include "platform/qt/qtmessagebox.h"
#include "resources/resourcetable.h"
#include "resources/uilanguage.h"
#include "resources/uitext.h"
#include "store/store.h"
#include "tests/support/dialogguard.h"
#include "tests/support/dictionaryfixture.h"
#include "windowkit/qttext.h"

namespace zembo {
namespace {

using test::editionText;
using test::writeEditionDictionary;
using test::writeFile;
using test::writeWords;

// Each edition starts on a small dictionary of its own: its configuration file, its section
// headers, its word-file folder and the name of its own language.
class EditionStartTest : public test::DictionaryTest, public ::testing::WithParamInterface<int> {};

// Whether the toolkit's translations hold its standard buttons in the edition's language (they
// do for all but Swedish).
bool toolkitTranslationsInstalled(const UiLanguage& language) {
  for (const QString& locale : QString::fromLatin1(language.toolkitLocales).split(' '))
    if (QFileInfo::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + "/qtbase_" + locale + ".qm"))
      return true;
  return false;
}

TEST_P(EditionStartTest, StartsWithItsOwnTitleMenusAndFiles) {
  const UiLanguage& language = uiLanguages[GetParam()];
  const int b = language.base;
  const std::string ui = editionText(b, 52);
  writeEditionDictionary(language);
  ASSERT_EQ(start(), -1) << language.iniValue;
  EXPECT_EQ(uiLanguage.uiBase, b);
  EXPECT_STREQ(directions.currentDirection->sourceName, "Spanish");
  EXPECT_EQ(directions.currentDirection->targetName, ui);
  EXPECT_EQ(store.wordCount, 1);
  EXPECT_EQ(mainWindow->windowTitle(), uiQString(editionText(b, 74)));
  const MenuResource* menu = findMenu(std::string(language.iniValue) + "_zembo");
  ASSERT_NE(menu, nullptr);
  const QList<QAction*> popups = mainWindow->menuBar()->actions();
  ASSERT_EQ(popups.size(), 3);
  EXPECT_EQ(popups[0]->text(), uiQString(menu->popups[0].text));
  EXPECT_EQ(popups[1]->text(), uiQString(editionText(b, 76)));
  EXPECT_EQ(popups[2]->text(), uiQString(menu->popups[1].text));
  // The other direction, through the language menu: its twin's file.
  mainWindow->languageMenu()->actions()[2]->trigger();
  EXPECT_EQ(store.wordCount, 2);
  saveGrab(mainWindow, std::string("edition-") + language.iniValue);
  // The toolkit's own buttons and dialogs speak the edition's language too.
  if (b != uiLanguages[0].base && toolkitTranslationsInstalled(language)) {
    EXPECT_NE(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Cancel");
  }
}

INSTANTIATE_TEST_SUITE_P(Editions, EditionStartTest, ::testing::Range(0, uiLanguageCount),
                         [](const ::testing::TestParamInfo<int>& edition) {
                           return std::string(uiLanguages[edition.param].iniValue);
                         });

class ToolkitTextTest : public test::DictionaryTest {};

TEST_F(ToolkitTextTest, AGermanQuestionAsksWithJaAndNein) {
  const UiLanguage& german = *uiLanguageOfBase(uiLanguageBase("german"));
  if (!toolkitTranslationsInstalled(german))
    GTEST_SKIP() << "the toolkit's translations (qt6-translations-l10n) are not installed";
  writeEditionDictionary(german);
  ASSERT_EQ(start(), -1);
  stopRecordingMessageBoxes();
  installQtMessageBoxes();
  // The box, once it shows: its buttons' texts, then a click on "No".
  QStringList shown;
  test::whenShown<QMessageBox>([&](QMessageBox* box) {
    for (QAbstractButton* button : box->buttons()) shown << button->text().remove('&');
    QTest::mouseClick(box->button(QMessageBox::No), Qt::LeftButton);
  });
  EXPECT_EQ(messageBox(messageBoxes.mainWindowHandle, "Wirklich?", "zembo", MB_YESNO | MB_ICONWARNING), IDNO);
  shown.sort();
  EXPECT_EQ(shown, QStringList({"Ja", "Nein"}));
}

}  // namespace
}  // namespace zembo
