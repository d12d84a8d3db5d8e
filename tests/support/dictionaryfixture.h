#pragma once
// A small English-edition dictionary in a fresh folder, and zembo started on it in the test's own
// process: its windows are real and driven with real key and mouse events.

#include <QImage>
#include <QWidget>
#include <string>
#include <vector>

// The window tests drive the program as a user does, through its main window, which opens every
// tool window; this harness is where the tests of the window layers reach the program.
#include "app/mainwindow.h"
#include "app/startup.h"
#include "tests/support/testenv.h"
#include "tests/support/wordfiles.h"

namespace zembo {
struct UiLanguage;
}

namespace zembo::test {

// Text n of the edition whose texts begin at base, in the edition's code page.
std::string editionText(int base, int n);
// language.ini of the edition, its configuration file with Spanish (its section headers, its
// word-file folder, the name of its own language) and the two word files.
void writeEditionDictionary(const UiLanguage& language);

class DictionaryTest : public TempDirTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // language.ini, dict.ini with French and German, and the four word files.
  void writeSampleDictionary(const std::string& selected = "Fre_Eng.zb");
  // startZembo with the command line; the exit code when start-up ended the process, else -1.
  int start(const std::string& commandLine = "");
  // The windows gone and every layer reset as at a new process, then start again in the same
  // folder: what the program kept on disk is all the next start has.
  int restart(const std::string& commandLine = "");
  // The end of the program as command 3 ends it.
  void exitProgram();
  // Lets the event loop run for a while (posted events, timers, deferred deletions).
  static void processEvents(int milliseconds = 0);
  static QImage grab(QWidget* window);
  // Saves a picture of a window when ZEMBO_GRAB_DIR names a folder, to look at by eye.
  static void saveGrab(QWidget* window, const std::string& name);
  // Every window gone and every layer's state reset, as restart does before it starts again.
  void closeEverything();
};

}  // namespace zembo::test
