#include "tests/support/dictionaryfixture.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QThread>
#include <QTimer>
#include <cstring>

#include "addwords/addwords.h"
#include "app/importdialog.h"
#include "app/mainwindow.h"
#include "app/startup.h"
#include "formats/wordrecord.h"
#include "lookup/articles.h"
#include "lookup/charsetwindow.h"
#include "lookup/entrysearch.h"
#include "lookup/recordwindow.h"
#include "lookup/soundfiles.h"
#include "lookup/textwindow.h"
#include "morphology/morphology.h"
#include "platform/messagebox.h"
#include "practice/listeditor.h"
#include "practice/lists.h"
#include "practice/practicewindow.h"
#include "resources/uilanguage.h"
#include "resources/uitext.h"
#include "store/store.h"
#include "tests/support/storereset.h"
#include "windowkit/toolwindow.h"

namespace zembo::test {

namespace {

// Every layer's process-wide state as at process start, the windows gone.
void resetEveryLayer() {
  resetCharsetState();
  resetSoundFileState();
  resetRecordWindowState();
  resetTextWindowState();
  resetArticleState();
  resetEntrySearchState();
  resetListEditorState();
  resetAddRandomState();
  resetDrillState();
  resetStartupState();
  resetToolWindowState();
  resetListState();
  resetAddWordsState();
  resetStoreLayers();
  resetMorphologyState();
  resetImportChoosingState();
}

}  // namespace

void DictionaryTest::SetUp() {
  TempDirTest::SetUp();
  resetEveryLayer();
  // Only the Hunspell dictionaries a test writes for itself, never the system's.
  setHunspellFolder(dir / "hunspell");
  const std::filesystem::path runtime = dir / "runtime";
  std::filesystem::create_directory(runtime);
  std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
  ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
}

void DictionaryTest::TearDown() {
  closeEverything();
  TempDirTest::TearDown();
}

int DictionaryTest::restart(const std::string& commandLine) {
  closeEverything();
  return start(commandLine);
}

void DictionaryTest::closeEverything() {
  if (mainWindow) {
    mainWindow->destroyWindow();
    delete mainWindow;
  }
  // Menus are top-level widgets too, but their windows delete them: guard against deleting twice.
  QList<QPointer<QWidget>> windows;
  for (QWidget* w : QApplication::topLevelWidgets()) windows << w;
  for (const QPointer<QWidget>& w : windows) delete w.data();
  // The program's end leaves the application quitting, which would end every modal loop of the
  // next test (a menu, a message box) at once: the application's own loop, run and ended once,
  // clears that.
  QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
  QApplication::exec();
  resetEveryLayer();
}

std::string editionText(int base, int n) {
  char buffer[300];
  loadString(base + n, buffer, sizeof buffer);
  return buffer;
}

void writeEditionDictionary(const UiLanguage& language) {
  const int b = language.base;
  const std::string ui = editionText(b, 52);
  writeFile("language.ini", std::string("[Dictionary]\nLanguage=") + language.iniValue + "\n");
  writeFile(programPath(editionText(b, 53), language.codePage),
            "# " + editionText(b, 53) + "\n" + editionText(b, 56) + "\nSpanish,spanish,0\n\n" + editionText(b, 57) +
                "\nSpa_" + ui.substr(0, 3) + ".zb\n\n" + editionText(b, 59) + "\n" + editionText(b, 54) + "\n");
  const std::string folder = editionText(b, 1);
  writeWords(programPath(folder + "Spa_" + ui.substr(0, 3) + ".zb", language.codePage), {{"casa", "x"}});
  writeWords(programPath(folder + ui.substr(0, 3) + "_Spa.zb", language.codePage), {{"x", "casa"}, {"y", "z"}});
}

void DictionaryTest::writeSampleDictionary(const std::string& selected) {
  writeFile("language.ini", "[Dictionary]\nLanguage=english\n");
  writeFile("dict.ini", "# test dictionary\n[language]\nFrench,french,0\nGerman,german,0\n\n[selected]\n" + selected +
                            "\n\n[AddNew]\non\n");
  writeWords("language/Fre_Eng.zb", {{"chat", "cat"}, {"chien", "dog"}, {"maison", "house, home"}});
  writeWords("language/Eng_Fre.zb", {{"cat", "chat"}, {"dog", "chien"}, {"home", "maison"}, {"house", "maison"}});
  writeWords("language/Ger_Eng.zb", {{"Haus", "house"}, {"Hund", "dog"}});
  writeWords("language/Eng_Ger.zb", {{"dog", "Hund"}, {"house", "Haus"}});
}

int DictionaryTest::start(const std::string& commandLine) {
  try {
    startZembo(commandLine);
  } catch (const ProcessExit& e) {
    return e.code;
  }
  processEvents();
  return -1;
}

void DictionaryTest::exitProgram() {
  mainWindow->command(cmdExit, commandClicked);
  processEvents();
}

void DictionaryTest::processEvents(int milliseconds) {
  QElapsedTimer timer;
  timer.start();
  do {
    QApplication::processEvents(QEventLoop::AllEvents, 20);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    if (milliseconds) QThread::msleep(5);
  } while (timer.elapsed() < milliseconds);
}

QImage DictionaryTest::grab(QWidget* window) { return window->grab().toImage(); }

void DictionaryTest::saveGrab(QWidget* window, const std::string& name) {
  const char* folder = std::getenv("ZEMBO_GRAB_DIR");
  if (folder && *folder) grab(window).save(QString::fromStdString(std::string(folder) + "/" + name + ".png"));
}

}  // namespace zembo::test
