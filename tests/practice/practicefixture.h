#pragma once
// zembo started on the small test dictionary with practice lists of the test's choosing, and the
// list editor or the practice window opened as a user opens them.

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "lookup/searchwindow.h"
#include "platform/messagebox.h"
#include "practice/listeditor.h"
#include "practice/lists.h"
#include "practice/practicewindow.h"
#include "store/store.h"
#include "tests/support/dialogguard.h"
#include "tests/support/dictionaryfixture.h"

namespace zembo::test {

class PracticeTest : public DictionaryTest {
 protected:
  void SetUp() override {
    DictionaryTest::SetUp();
    // The end of the program in an earlier test told the event loop to quit; a nested loop such
    // as a dialog's would end at once until the application's own loop has run.
    QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
    QApplication::exec();
  }
  // Words w000, w001, ... with translations t000, ...
  static std::vector<WordPair> numberedWords(int count, const char* prefix = "w") {
    std::vector<WordPair> words;
    char word[16], translation[16];
    for (int i = 0; i < count; ++i) {
      std::snprintf(word, sizeof word, "%s%04d", prefix, i);
      std::snprintf(translation, sizeof translation, "t%04d", i);
      words.push_back({word, translation});
    }
    return words;
  }
  // The sample dictionary with these French words (when given) and these lists of French entries.
  void startWith(const std::map<std::string, std::vector<WordPair>>& lists, const std::vector<WordPair>& french = {}) {
    writeSampleDictionary();
    if (!french.empty()) writeWords("language/Fre_Eng.zb", french);
    std::filesystem::create_directories("list");
    for (const auto& [name, words] : lists) {
      std::filesystem::create_directories("list/" + name);
      writeWords("list/" + name + "/Fre_Eng.ls", words);
    }
    startRecordingMessageBoxes();
    ASSERT_EQ(start(), -1);
  }
  std::vector<WordPair> listOnDisk(const std::string& name) { return readWords("list/" + name + "/Fre_Eng.ls"); }

  // Answers the next list-name dialog with a name; when the dialog refuses it, it is cancelled.
  // Returns whether the dialog refused the name.
  void answerListDialog(const std::string& name) {
    whenShown<QDialog>([this, name](QDialog* dialog) {
      dialog->findChild<QLineEdit*>()->setText(QString::fromLatin1(name.c_str()));
      const QList<QPushButton*> buttons = dialog->findChildren<QPushButton*>();
      buttons[0]->click();
      dialogRefused = dialog->isVisible();
      if (dialogRefused) buttons[1]->click();
    });
  }

  ListEditor* openEditor() {
    mainWindow->command(cmdCreatePracticeList, commandClicked);
    processEvents();
    return editor = qobject_cast<ListEditor*>(mainWindow->openToolWindow());
  }
  void closeEditor() {
    editor->command(cmdDone, commandClicked);
    processEvents();
    editor = nullptr;
  }
  std::string listBoxText(int k) const { return editor->listBox(k)->text().toStdString(); }
  std::string dictionaryBoxText(int k) const { return editor->dictionaryBox(k)->text().toStdString(); }
  static void click(QWidget* widget, Qt::MouseButton button = Qt::LeftButton) { QTest::mouseClick(widget, button); }

  bool dialogRefused = false;
  ListEditor* editor = nullptr;
};

}  // namespace zembo::test
