#include <QApplication>
#include <QFrame>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QTest>
#include <filesystem>

#include "installer/core/languages.h"
#include "installer/core/script.h"
#include "installer/core/wordlists.h"
#include "installer/window/installwindow.h"
#include "platform/collation.h"
#include "platform/messagebox.h"
#include "tests/installer/installerfixture.h"
#include "tests/support/dialogguard.h"

namespace zembo {
namespace {

class WindowTest : public test::InstallerTest {
 protected:
  void SetUp() override {
    InstallerTest::SetUp();
    static int argc = 1;
    static char name[] = "installer_tests";
    static char* argv[] = {name, nullptr};
    if (QApplication::instance()) return;
    test::prepareForDialogGuard();
    new QApplication(argc, argv);
    test::guardAgainstUnansweredDialogs();
  }
  QLineEdit* field(InstallWindow& w) { return static_cast<QLineEdit*>(w.control(InstallWindow::directoryFieldId)); }
  QListWidget* list(InstallWindow& w, int id) { return static_cast<QListWidget*>(w.control(id)); }
  void click(InstallWindow& w, int id) { QTest::mouseClick(w.control(id), Qt::LeftButton); }
  // The controls out of the way, as they are while the installation runs.
  void showOnlyTheDrawing(InstallWindow& w) {
    w.show();
    for (QWidget* child : w.findChildren<QWidget*>()) child->hide();
  }
};

TEST_F(WindowTest, TheFieldOffersTheScriptsFolderInTheHomeFolder) {
  test::changeScript(&ScriptState::defaultDir, "c:\\engels");
  InstallWindow window;
  EXPECT_EQ(field(window)->text().toStdString(), (dir / "home/engels").string());
  EXPECT_TRUE(window.control(InstallWindow::startId)->isVisibleTo(&window));
  EXPECT_FALSE(window.control(InstallWindow::driveListId)->isVisibleTo(&window));
}

TEST_F(WindowTest, ARefusedFolderLeavesTheWindowAsItWas) {
  InstallWindow window;
  window.show();
  field(window)->setText(QString::fromStdString((dir / "missing/dict").string()));
  click(window, InstallWindow::startId);
  EXPECT_EQ(test::lastMessage(), "Invalid Directory");
  EXPECT_TRUE(window.control(InstallWindow::startId)->isVisible());
  EXPECT_TRUE(window.isVisible());
}

TEST_F(WindowTest, ChoosingFoldersPutsTheFullPathIntoTheField) {
  std::filesystem::create_directories("home/Woordenboeken/Engels");
  std::filesystem::create_directories("home/.verborgen");
  InstallWindow window;
  window.show();
  click(window, InstallWindow::changeDirectoryId);
  EXPECT_FALSE(window.control(InstallWindow::changeDirectoryId)->isEnabled());
  EXPECT_EQ(window.control(InstallWindow::panelId)->size(), QSize(440, 320));
  EXPECT_TRUE(list(window, InstallWindow::driveListId)->isVisible());
  EXPECT_FALSE(list(window, InstallWindow::driveListId)->findItems((dir / "home").c_str(), Qt::MatchExactly).isEmpty());
  EXPECT_EQ(field(window)->text().toStdString(), (dir / "home").string());
  QListWidget* folders = list(window, InstallWindow::directoryListId);
  EXPECT_EQ(folders->count(), 3);  // ".", ".." and Woordenboeken; hidden folders are left out
  EXPECT_TRUE(folders->findItems(".verborgen", Qt::MatchExactly).isEmpty());

  folders->findItems("Woordenboeken", Qt::MatchExactly).front()->setSelected(true);
  EXPECT_EQ(field(window)->text().toStdString(), (dir / "home/Woordenboeken").string());
  EXPECT_TRUE(folders->findItems(".", Qt::MatchExactly).isEmpty());
  folders->findItems("..", Qt::MatchExactly).front()->setSelected(true);
  EXPECT_EQ(field(window)->text().toStdString(), (dir / "home").string());
}

TEST_F(WindowTest, EnterInTheFieldStartsTheInstallation) {
  test::writeFile("install.inf", "mkdir taal\ncopy install.inf taal\\install.inf\n");
  InstallWindow window;
  window.show();
  field(window)->setText(QString::fromStdString((dir / "doel").string()));
  QTest::keyClick(field(window), Qt::Key_Return);
  EXPECT_TRUE(std::filesystem::exists(dir / "doel/taal/install.inf")) << test::lastMessage();
  EXPECT_FALSE(window.isVisible());
  EXPECT_EQ(std::filesystem::current_path(), dir / "doel");
  EXPECT_TRUE(recordedMessageBoxes().empty());  // no word lists, no final message
}

TEST_F(WindowTest, TheBackgroundIsABlueGradient) {
  QImage image(100, 64, QImage::Format_RGB32);
  QPainter painter(&image);
  paintBackground(painter, image.size(), 32);
  EXPECT_EQ(image.pixelColor(50, 0), QColor(0, 0, 200));
  EXPECT_EQ(image.pixelColor(99, 63), QColor(0, 0, 200 - 3 * 62));
  paintBackground(painter, image.size(), 16);
  EXPECT_EQ(image.pixelColor(50, 0), QColor(0, 0, 200 - 3 * 32));
  EXPECT_EQ(image.pixelColor(50, 63), QColor(0, 0, 200 - 3 * 32));
}

TEST_F(WindowTest, TheBuilderDrawsItsProgressOnTheWindow) {
  test::writeWordList("taal/Engels_Nederlands.zb", {{"house", "huis, woning"}, {"home", "huis, thuis"}});
  setCollationLocale("dutch");
  test::changeRegistering(&LanguageState::languageTitle, "Engels");
  test::changeRegistering(&LanguageState::fromListName, "Engels_Nederlands.zb");
  test::changeRegistering(&LanguageState::toListName, "Nederlands_Engels.zb");
  InstallWindow window;
  showOnlyTheDrawing(window);
  createConfigFile();  // as for the first language: the steps start a row lower
  buildReverseList();
  const QImage shown = window.grab().toImage();
  EXPECT_EQ(shown.pixelColor(35, 160), QColor(0, 128, 0));   // the bar full, at 100%
  EXPECT_EQ(shown.pixelColor(30, 155), QColor(Qt::white));   // its frame
  EXPECT_EQ(shown.pixelColor(250, 205), QColor(0, 0, 104));  // the counter of the first step
  int white = 0;
  for (int y = 195; y < 215; ++y)
    for (int x = 300; x < 340; ++x) white += shown.pixelColor(x, y) == QColor(Qt::white);
  EXPECT_GT(white, 10);  // "Done."
  EXPECT_EQ(drawing.headlineRow, 150);
  EXPECT_EQ(drawing.progressRow, 205);
  EXPECT_EQ(drawing.stepRow, 195 + 5 * 25);
}

TEST_F(WindowTest, WithoutStepTextsOnlyTheHeadlineAndTheBarAreDrawn) {
  test::writeWordList("taal/Engels_Nederlands.zb", {{"house", "huis"}});
  test::changeScript(&ScriptState::stepDisplay, 0);
  test::changeRegistering(&LanguageState::languageTitle, "Engels");
  test::changeRegistering(&LanguageState::fromListName, "Engels_Nederlands.zb");
  test::changeRegistering(&LanguageState::toListName, "Nederlands_Engels.zb");
  InstallWindow window;
  showOnlyTheDrawing(window);
  const QColor background = window.grab().toImage().pixelColor(250, 182);
  buildReverseList();
  const QImage shown = window.grab().toImage();
  EXPECT_EQ(shown.pixelColor(250, 182), background);
  EXPECT_EQ(shown.pixelColor(300, 160), QColor(0, 128, 0));
  EXPECT_EQ(drawing.stepRow, 170);
}

}  // namespace
}  // namespace zembo
