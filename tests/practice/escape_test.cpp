// Esc closes every dialog and tool window of the program, as its Done, Cancel, Quit or Exit
// button does, and leaves the window it came from open. (The review window and the import's
// windows have tests of their own.)

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QTest>
#include <QTextBrowser>

#include <functional>

#include "practice/addrandomwindow.h"
#include "tests/practice/practicefixture.h"
#include "tests/support/dialogguard.h"

namespace zembo {
namespace {

class EscapeTest : public test::PracticeTest {
 protected:
  // Record mode, so that the recording window is there too, and a list to practise.
  void SetUp() override {
    PracticeTest::SetUp();
    writeSampleDictionary();
    std::filesystem::create_directories("list/verbs");
    writeWords("list/verbs/Fre_Eng.ls", numberedWords(3));
    startRecordingMessageBoxes();
    ASSERT_EQ(start("RECORD"), -1);
  }
  // Esc as a user presses it: to whatever has the keyboard focus in the window.
  static void pressEscape(QWidget* window) {
    QWidget* focus = window->focusWidget();
    QTest::keyClick(focus && focus->window() == window ? focus : window, Qt::Key_Escape);
    processEvents();
  }
  static bool gone(const QPointer<QWidget>& window) { return !window || !window->isVisible(); }
  // Runs what opens a modal dialog and presses Esc in the dialog once it is up; true when the
  // dialog closed. One that stays is closed here, so that the test goes on either way.
  static bool escapeClosesModal(const std::function<void()>& open) {
    bool closed = false;
    // The dialog is awaited, so that Esc reaches it inside its own loop.
    test::whenShown<QDialog>([&closed](QDialog* dialog) {
      QPointer<QWidget> shown = dialog;
      pressEscape(shown);
      closed = gone(shown);
      if (shown && shown->isVisible()) shown->close();
    });
    open();
    return closed;
  }
};

TEST_F(EscapeTest, EveryDialogAndToolWindowClosesOnEsc) {
  struct Tool {
    const char* name;
    int command;
  };
  const Tool tools_[] = {{"search", cmdSearch},          {"text file search", cmdTextFileSearch},
                         {"add words", cmdAddWords},     {"record", cmdRecord},
                         {"practice", cmdStartPractice}, {"list editor", cmdCreatePracticeList}};
  for (const Tool& tool : tools_) {
    mainWindow->command(tool.command, commandClicked);
    processEvents();
    QPointer<QWidget> window = mainWindow->openToolWindow();
    ASSERT_NE(window, nullptr) << tool.name;
    if (tool.command == cmdCreatePracticeList) {
      // The editor's own windows first: each goes alone, the editor stays.
      auto* listEditor = qobject_cast<ListEditor*>(window.data());
      ASSERT_NE(listEditor, nullptr);
      listEditor->command(cmdAddRandom, commandClicked);
      QPointer<QWidget> random = listEditor->addRandomWindow();
      ASSERT_NE(random, nullptr);
      pressEscape(random);
      EXPECT_TRUE(gone(random)) << "add random";
      if (random) random->close();
      EXPECT_FALSE(gone(window)) << "the editor after the add-random window";
      EXPECT_TRUE(escapeClosesModal([&] { listEditor->command(cmdCreateNewList, commandClicked); }))
          << "the new list's name";
      EXPECT_FALSE(gone(window)) << "the editor after the name dialog";
    }
    pressEscape(window);
    EXPECT_TRUE(gone(window)) << tool.name;
    // One that stayed is closed as its button closes it, so that the next one can open.
    if (!gone(window)) static_cast<ToolWindow*>(window.data())->finish();
    processEvents();
    EXPECT_EQ(tools.toolWindowOpen, 0) << tool.name;
    EXPECT_TRUE(mainWindow->isVisible()) << tool.name;
  }

  EXPECT_TRUE(escapeClosesModal([&] { mainWindow->command(cmdAbout, commandClicked); })) << "about";
  mainWindow->command(cmdHelp, commandAccelerator);
  QPointer<QWidget> help;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (qobject_cast<QTextBrowser*>(w) && w->isVisible()) help = w;
  ASSERT_NE(help, nullptr);
  pressEscape(help);
  EXPECT_TRUE(gone(help)) << "help";
  EXPECT_TRUE(mainWindow->isVisible());
  EXPECT_TRUE(recordedMessageBoxes().empty());
}

}  // namespace
}  // namespace zembo
