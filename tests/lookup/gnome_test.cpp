// Clipboard lookup on the GNOME desktop, against a real headless GNOME Shell: zembo runs in it as in
// a user's session (it picks X11 under the shell's Xwayland, since the shell offers no data-control),
// the shell makes the copies as a native Wayland program's copy does, and says what it shows of the
// windows: minimised or not, which has the focus, which is on top.
#include <signal.h>
#include <unistd.h>

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QProcess>
#include <QSocketNotifier>
#include <QWidget>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>

#include "lookup/textwindow.h"
#include "platform/messagebox.h"
#include "platform/qt/gnomeclipboard.h"
#include "platform/qt/qtmessagebox.h"
#include "tests/lookup/lookupfixture.h"
#include "tests/support/dialogguard.h"
#include "tests/support/headlessgnome.h"

namespace zembo {
namespace {

test::HeadlessGnome* gnome = nullptr;
// What chooseDisplayPlatform chose in this session.
std::string chosenPlatform;

using test::waitFor;

bool has(const std::string& state, const char* part) { return state.find(part) != std::string::npos; }

class GnomeClipboardTest : public test::SearchTest {
 protected:
  void SetUp() override {
    if (!gnome) GTEST_SKIP() << "no GNOME Shell for the test";
    if (!gnome->running() && gnome->unavailable()) GTEST_SKIP() << "no GNOME Shell for the test: " << gnome->whyNot();
    if (!gnome->running()) FAIL() << "GNOME Shell could run here but did not start: " << gnome->whyNot();
    test::SearchTest::SetUp();
  }
  void TearDown() override {
    if (!gnome || !gnome->running()) return;
    if (other.state() != QProcess::NotRunning) {
      other.kill();
      other.waitForFinished(5000);
    }
    test::SearchTest::TearDown();
  }

  // The search window open with Automatic Clipboard search on, shown by the shell with the focus.
  void openWithClipboardLookup() {
    openSearch(numberedWords(30));
    search->menuItem(cmdClipboardOn)->trigger();
    title = search->windowTitle().toStdString();
    ASSERT_TRUE(shellShows(title, "focus=1")) << "the search window: " << gnome->windowState(title);
    // What the clipboard held before is no copy of the user's.
    processEvents(300);
  }

  // Waits until the shell's state of a window holds a part ("focus=1"); false when the time is up.
  bool shellShows(const std::string& window, const char* part, int milliseconds = 20000) {
    std::string state;
    return waitFor(
        [&] {
          state = gnome->windowState(window);
          return has(state, part);
        },
        milliseconds);
  }

  // Another program's window, which the user clicked: it has the focus and stands above the
  // search window. A native Wayland program when `copies` names what it copies at Ctrl+C.
  void focusAnotherProgram(const std::string& name = "another program", const std::string& copies = "") {
    QStringList arguments = {"--another-program", QString::fromStdString(name)};
    if (!copies.empty()) {
      arguments << QString::fromStdString(copies);
      QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
      environment.insert("QT_QPA_PLATFORM", "wayland");
      other.setProcessEnvironment(environment);
    }
    other.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    other.start(QCoreApplication::applicationFilePath(), arguments);
    ASSERT_TRUE(other.waitForStarted(10000));
    ASSERT_TRUE(shellShows(name, "minimized=0")) << "the other program's window did not appear";
    // A window of a program started without a click may open without the focus; the user's
    // click gives it.
    gnome->eval("global.get_window_actors().map(a => a.meta_window).find(w => w.get_title() === '" + name +
                "').activate(global.get_current_time()); 1");
    ASSERT_TRUE(shellShows(name, "focus=1 top=1")) << gnome->windowState(name);
    if (search) {
      ASSERT_TRUE(waitFor([this] { return !search->isActiveWindow(); }));
    }
  }

  void copy(const std::string& text) { ASSERT_GT(gnome->copy(text), 0) << "the shell did not copy"; }

  // Waits for the search field to show a copied word.
  bool showsEntry(const char* word) {
    return waitFor([&] { return search->searchField()->text() == word; });
  }

  std::string title;
  QProcess other;
};

TEST_F(GnomeClipboardTest, ZemboRunsUnderXwaylandWhereEveryCopyIsHeard) {
  // The shell offers no data-control, so a native Wayland zembo would hear copies only while it
  // has the focus.
  EXPECT_EQ(chosenPlatform, "xcb");
  EXPECT_EQ(QGuiApplication::platformName().toStdString(), "xcb");
  openSearch(numberedWords(5));
  EXPECT_TRUE(shellShows(search->windowTitle().toStdString(), "minimized=0"));
}

TEST_F(GnomeClipboardTest, CopyWhileMinimisedShowsTheEntryAndBringsTheWindowBack) {
  openWithClipboardLookup();
  gnome->eval("global.display.focus_window.minimize(); 1");
  ASSERT_TRUE(shellShows(title, "minimized=1"));
  ASSERT_TRUE(waitFor([this] { return search->isMinimized(); }));

  copy("w012");
  ASSERT_TRUE(showsEntry("w012"))
      << search->searchField()->text().toStdString() << " | "
      << gnome->evaluate(
             "global.display.sort_windows_by_stacking(global.get_window_actors().map(a => a.meta_window)).map(w => "
             "w.get_title() + ':' + w.get_window_type() + ':' + w.minimized + ':' + w.has_focus()).join(' / ')");
  processEvents();
  EXPECT_EQ(rowWord(0), "w012");
  EXPECT_EQ(rowTranslation(0), "t012");
  EXPECT_TRUE(shellShows(title, "minimized=0 focus=1 top=1")) << "the shell shows " << gnome->windowState(title);
  EXPECT_FALSE(search->isMinimized());
}

TEST_F(GnomeClipboardTest, CopyWhileBehindAnotherWindowShowsTheEntryAndBringsTheWindowForward) {
  openWithClipboardLookup();
  focusAnotherProgram();
  ASSERT_TRUE(has(gnome->windowState(title), "top=0"));

  copy("  w020, ");
  ASSERT_TRUE(showsEntry("w020"));
  processEvents();
  EXPECT_EQ(rowWord(0), "w020");
  EXPECT_TRUE(shellShows(title, "focus=1 top=1")) << "the shell shows " << gnome->windowState(title);
  EXPECT_TRUE(has(gnome->windowState("another program"), "focus=0"));
}

TEST_F(GnomeClipboardTest, CopyWhileTheSearchWindowIsActiveDoesNothing) {
  openWithClipboardLookup();
  ASSERT_TRUE(waitFor([this] { return search->isActiveWindow(); }));
  copy("w025");
  processEvents(800);
  EXPECT_EQ(search->searchField()->text(), "");
  // A copy from elsewhere later is still heard: the first was ignored, not missed.
  focusAnotherProgram();
  copy("w007");
  EXPECT_TRUE(showsEntry("w007"));
}

TEST_F(GnomeClipboardTest, SwitchedOffNoCopyIsLookedUp) {
  openWithClipboardLookup();
  search->menuItem(cmdClipboardOff)->trigger();
  focusAnotherProgram();
  copy("w003");
  processEvents(800);
  EXPECT_EQ(search->searchField()->text(), "");
  EXPECT_TRUE(has(gnome->windowState(title), "top=0"));
}

// GNOME's own programs are native Wayland programs: a copy in one that has the focus, made with
// Ctrl+C from the seat's keyboard (a virtual one of the shell's, since the headless seat has none),
// is looked up as well.
TEST_F(GnomeClipboardTest, CopyInANativeWaylandProgramWithTheFocusIsLookedUp) {
  openWithClipboardLookup();
  focusAnotherProgram("a Wayland program", "w015");
  ASSERT_TRUE(has(gnome->windowState(title), "top=0"));
  ASSERT_TRUE(gnome->pressChord({"Control_L", "c"}));
  ASSERT_TRUE(waitFor([this] { return other.canReadLine(); })) << "Ctrl+C did not reach the Wayland program";
  ASSERT_TRUE(showsEntry("w015"));
  processEvents();
  EXPECT_EQ(rowWord(0), "w015");
  EXPECT_TRUE(shellShows(title, "focus=1 top=1")) << "the shell shows " << gnome->windowState(title);
}

// zembo's GNOME Shell extension, in the module format of GNOME 43 and 44, in the running shell:
// enabled, it signals each copy without its text and gives the text to the program that asks.
TEST_F(GnomeClipboardTest, TheExtensionTellsOfCopiesAndGivesTheirTextWhenAsked) {
  ASSERT_FALSE(GnomeClipboard::available()) << "the extension is on before it was enabled";
  std::string said;
  ASSERT_EQ(gnome->run("gnome-extensions enable clipboard@zembo.org", &said), 0) << said;
  ASSERT_TRUE(waitFor([] { return GnomeClipboard::available(); }))
      << (gnome->run("gnome-extensions info clipboard@zembo.org", &said), said);
  gnome->run("gdbus introspect --session --dest org.zembo.Clipboard --object-path /org/zembo/Clipboard", &said);
  EXPECT_NE(said.find(" Changed();"), std::string::npos) << "the signal carries the text: " << said;

  GnomeClipboard watch;
  std::vector<QString> heard;
  QObject::connect(&watch, &GnomeClipboard::copied, [&](const QString& text) { heard.push_back(text); });
  watch.start();
  ASSERT_TRUE(watch.running());
  copy("Bücher");
  ASSERT_TRUE(waitFor([&] { return !heard.empty(); }));
  processEvents(300);
  EXPECT_EQ(heard, std::vector<QString>({QString::fromUtf8("Bücher")}));

  // Under X11 zembo hears every copy itself: the search window does not listen to the extension
  // as well, which would look each copy up twice.
  openWithClipboardLookup();
  EXPECT_EQ(search->findChild<GnomeClipboard*>(), nullptr);
  // Present brings forward only a window of the program that asks: gdbus has none, and the shell
  // sees no process id of it (it runs outside the session's namespace), as it sees none of this
  // test's windows.
  gnome->run(
      "gdbus call --session --dest org.zembo.Clipboard --object-path /org/zembo/Clipboard --method "
      "org.zembo.Clipboard.Present \"'Search words'\" 2>&1",
      &said);
  EXPECT_NE(said.find("(false,)"), std::string::npos) << said;

  watch.stop();
  copy("w001");
  processEvents(500);
  EXPECT_EQ(heard.size(), 1U) << "heard after the watch stopped";
  ASSERT_EQ(gnome->run("gnome-extensions disable clipboard@zembo.org", &said), 0) << said;
  EXPECT_TRUE(waitFor([] { return !GnomeClipboard::available(); })) << "the extension keeps its name when disabled";
}

// zembo forced to native Wayland under GNOME (as without Xwayland) hears copies made while it is
// in the background through the extension. The toolkit takes one platform per process: this zembo
// runs in a child, which says what its search field shows. GNOME 43 does not let a Wayland program
// without the focus bring its window forward (no activation token): the extension's Present has
// the shell do it.
TEST_F(GnomeClipboardTest, NativeWaylandZemboHearsCopiesThroughTheExtension) {
  // The test before disabled the extension with gnome-extensions, which on GNOME 43 leaves it in
  // disabled-extensions, where a second `gnome-extensions enable` does not take it out: the shell
  // enables it itself, as the Extensions app does.
  ASSERT_TRUE(gnome->eval("Main.extensionManager.enableExtension('clipboard@zembo.org')"));
  ASSERT_TRUE(waitFor([] { return GnomeClipboard::available(); }));
  writeSampleDictionary();
  writeWords("language/Fre_Eng.zb", numberedWords(30));
  QProcess zembo;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("QT_QPA_PLATFORM", "wayland");
  zembo.setProcessEnvironment(environment);
  zembo.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  // In the session's process namespace, where the shell knows which process asks it to present.
  QStringList command;
  for (const std::string& part : gnome->inSessionNamespace()) command << QString::fromStdString(part);
  ASSERT_FALSE(command.isEmpty()) << "no process of the shell's namespace";
  command << QCoreApplication::applicationFilePath() << "--wayland-zembo";
  zembo.start(command.takeFirst(), command);
  std::string lastLine;
  auto says = [&](const std::string& line) {
    return waitFor([&] {
      while (zembo.canReadLine()) lastLine = zembo.readLine().trimmed().toStdString();
      return lastLine == line;
    });
  };
  ASSERT_TRUE(says("ready: wayland, listening to the extension")) << lastLine;
  title = "Search words";
  ASSERT_TRUE(shellShows(title, "focus=1"));

  gnome->eval("global.display.focus_window.minimize(); 1");
  ASSERT_TRUE(shellShows(title, "minimized=1"));
  copy("w012");
  EXPECT_TRUE(says("shows w012")) << lastLine;
  EXPECT_TRUE(shellShows(title, "minimized=0 focus=1")) << "after a copy while minimised";

  // The user brings the window back, then clicks another program.
  gnome->eval("global.get_window_actors().map(a => a.meta_window).find(w => w.get_title() === '" + title +
              "').activate(global.get_current_time()); 1");
  ASSERT_TRUE(shellShows(title, "minimized=0 focus=1"));
  focusAnotherProgram();
  copy("w020");
  EXPECT_TRUE(says("shows w020")) << lastLine;
  EXPECT_TRUE(shellShows(title, "focus=1")) << "after a copy while behind another window";
  // nsenter's child outlives a kill of nsenter: the child ends when its input does.
  zembo.closeWriteChannel();
  if (!zembo.waitForFinished(5000)) zembo.kill();
  gnome->eval("Main.extensionManager.disableExtension('clipboard@zembo.org')");
}

// The rest of the desktop under GNOME: a menu opens as a window of its own where the shell shows
// it, below its menu bar; a message box and the file dialog come up above their window with the
// focus, and go. The shell pictures each (in ZEMBO_GNOME_PICTURES when that names a folder).
TEST_F(GnomeClipboardTest, MenusMessageBoxesAndTheFileDialogShowAboveTheirWindow) {
  openSearch(numberedWords(30));
  title = search->windowTitle().toStdString();
  ASSERT_TRUE(shellShows(title, "focus=1"));
  const char* pictures = std::getenv("ZEMBO_GNOME_PICTURES");
  const std::string folder = pictures ? pictures : gnome->folder();
  auto picture = [&](const std::string& name) {
    const std::string file = folder + "/" + name + ".png";
    std::filesystem::remove(file);
    gnome->run(
        "gdbus call --session --dest org.gnome.Shell.Screenshot --object-path /org/gnome/Shell/Screenshot "
        "--method org.gnome.Shell.Screenshot.Screenshot false false '" +
        file + "'");
    EXPECT_GT(std::filesystem::exists(file) ? std::filesystem::file_size(file) : 0, 1000U) << file;
  };
  picture("search-window");

  // The first menu of the menu bar, as a click on it opens it.
  QMenu* menu = search->menuBar()->actions().at(0)->menu();
  ASSERT_NE(menu, nullptr);
  const QRect item = search->menuBar()->actionGeometry(search->menuBar()->actions().at(0));
  menu->popup(search->menuBar()->mapToGlobal(item.bottomLeft()));
  // The popup's frame in the shell: on the monitor, its top at the menu bar's bottom.
  std::string popup;
  EXPECT_TRUE(waitFor([&] {
    popup = gnome->evaluate(
        "global.get_window_actors().map(a => a.meta_window).filter(w => w.is_override_redirect() && "
        "w.get_frame_rect().width > 20).map(w => { const r = w.get_frame_rect(); return `${r.x},${r.y}`; }).join(' ')");
    return !popup.empty() && popup.rfind("error", 0) != 0;
  })) << popup;
  const QPoint below = search->menuBar()->mapToGlobal(item.bottomLeft());
  EXPECT_NE(popup.find(std::to_string(below.y())), std::string::npos)
      << "the menu at " << popup << ", its bar ends at " << below.y();
  processEvents(300);  // painted before the shell takes the picture
  picture("menu");
  menu->hide();

  // A dialog that opens next: whether the shell shows it above the others with the focus; the
  // shell pictures it, and it closes.
  bool seen = false;
  auto whenShownAbove = [&](const std::string& name) {
    seen = false;
    test::answerNextDialog([](QDialog*) { return true; },
                           [&, name](QDialog* dialog) {
                             seen = shellShows(dialog->windowTitle().toStdString(), "focus=1 top=1");
                             processEvents(300);
                             picture(name);
                             dialog->reject();
                           });
  };

  // A message box of the program's, above the search window with the focus.
  whenShownAbove("message-box");
  // Shown as the program shows it, not recorded as the tests record the program's messages.
  stopRecordingMessageBoxes();
  installQtMessageBoxes();
  messageBox(search, "The file cannot be read.", "Search a text file", MB_ICONWARNING);
  startRecordingMessageBoxes();
  EXPECT_TRUE(seen) << "the message box: " << gnome->windowState("Search a text file");
  EXPECT_TRUE(shellShows(title, "focus=1")) << "back to the search window";

  // The text-file window's file dialog.
  whenShownAbove("file-dialog");
  EXPECT_TRUE(runOpenTextFileDialog(search, "").isEmpty());
  EXPECT_TRUE(seen) << "the file dialog";
  EXPECT_TRUE(shellShows(title, "focus=1")) << "back to the search window";
}

// The processes whose program is zembo and whose folder is folder (the shell's own namespace is
// seen from here too).
std::vector<pid_t> zemboProcessesIn(const std::filesystem::path& folder) {
  std::vector<pid_t> found;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator("/proc", error)) {
    const std::string name = entry.path().filename().string();
    if (name.find_first_not_of("0123456789") != std::string::npos) continue;
    std::error_code unreadable;
    const auto exe = std::filesystem::read_symlink(entry.path() / "exe", unreadable);
    const auto cwd = std::filesystem::read_symlink(entry.path() / "cwd", unreadable);
    if (exe == std::filesystem::path(ZEMBO_PROGRAM) && cwd == folder) found.push_back(std::stoi(name));
  }
  return found;
}

// A folder dropped on zembo's menu entry: GNOME launches the entry with the folder, as the shell
// does (Gio.DesktopAppInfo with the file), and zembo opens the dictionary of that folder, whatever
// its name.
TEST_F(GnomeClipboardTest, AFolderDroppedOnTheMenuEntryOpensItsDictionary) {
  const std::filesystem::path here = std::filesystem::current_path();
  const std::filesystem::path folder = here / "Wörterbuch Проба";
  std::filesystem::create_directory(folder);
  std::filesystem::current_path(folder);
  writeSampleDictionary();
  std::filesystem::current_path(here);
  std::string entry = test::readFile(ZEMBO_DESKTOP_ENTRY);
  const std::string runSample = "@run_sample@";
  ASSERT_NE(entry.find(runSample), std::string::npos);
  entry.replace(entry.find(runSample), runSample.size(), ZEMBO_RUN_SAMPLE);
  test::writeFile(here / "zembo.desktop", entry);
  // The lock of the test's own zembo would turn the new one away, as a second zembo is.
  releaseSingleInstance();
  // The sample script takes the zembo of this build.
  ASSERT_TRUE(
      gnome->eval("(() => { const Gio = imports.gi.Gio, context = global.create_app_launch_context(0, -1);"
                  " context.setenv('ZEMBO_BUILD', " +
                  test::jsString(ZEMBO_BUILD_DIR) + "); return Gio.DesktopAppInfo.new_from_filename(" +
                  test::jsString((here / "zembo.desktop").string()) + ").launch([Gio.File.new_for_path(" +
                  test::jsString(folder.string()) + ")], context) ? 1 : 0; })()"));
  EXPECT_TRUE(shellShows("Dictionary", "focus=1"))
      << "the main window of the dropped folder: " << gnome->windowState("Dictionary") << "; the windows: "
      << gnome->evaluate("global.get_window_actors().map(a => a.meta_window.get_title()).join(' | ')");
  std::vector<pid_t> started;
  EXPECT_TRUE(waitFor([&] { return !(started = zemboProcessesIn(folder)).empty(); })) << "no zembo runs in " << folder;
  for (const pid_t pid : started) kill(pid, SIGKILL);
  EXPECT_TRUE(waitFor([&] { return gnome->windowState("Dictionary") == "none"; }));
}

// The extension's shape for GNOME 45 and later cannot run in this GNOME 43 shell: gjs loads it as
// an ES module instead, with the shell's own libraries (St, Meta) and only the shell's Extension
// base class, which GNOME 43 lacks, in a stand-in. The module must load and give the shell what it
// calls.
TEST(GnomeExtensionModule, LoadsAsAnEsModuleWithWhatTheShellCalls) {
  if (std::system("command -v gjs >/dev/null 2>&1") != 0) GTEST_SKIP() << "gjs is not installed";
  if (!std::filesystem::exists("/usr/lib/gnome-shell/St-1.0.typelib"))
    GTEST_SKIP() << "GNOME Shell's libraries are not installed (gnome-shell)";
  char pattern[] = "/tmp/zembo-gjs-XXXXXX";
  ASSERT_NE(mkdtemp(pattern), nullptr);
  const std::filesystem::path folder = pattern;
  std::string module = test::readFile(std::filesystem::path(ZEMBO_GNOME_EXTENSION_45) / "extension.js");
  const std::string base = "resource:///org/gnome/shell/extensions/extension.js";
  const std::size_t at = module.find(base);
  ASSERT_NE(at, std::string::npos) << "the module does not import the shell's Extension";
  module.replace(at, base.size(), "./shellextension.js");
  test::writeFile(folder / "extension.js", module);
  test::writeFile(folder / "shellextension.js",
                  "export class Extension { constructor(metadata) { this.metadata = metadata; } }\n");
  test::writeFile(
      folder / "check.js",
      "import Extension from './extension.js';\n"
      "const extension = new Extension({uuid: 'clipboard@zembo.org'});\n"
      "print([extension.enable, extension.disable, extension.GetTextAsync].map(f => typeof f).join(' '));\n");
  const std::string command = "cd '" + folder.string() +
                              "' && libraries=$(echo /usr/lib/*/mutter-* | tr ' ' :):/usr/lib/gnome-shell && "
                              "GI_TYPELIB_PATH=$libraries LD_LIBRARY_PATH=$libraries timeout 30 gjs -m check.js 2>&1";
  std::string output;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[512];
    while (fgets(buffer, sizeof buffer, pipe)) output += buffer;
    pclose(pipe);
  }
  std::filesystem::remove_all(folder);
  EXPECT_EQ(output, "function function function\n");
}

// The child that plays another program: a window with the title it is given, until it is killed.
// Given a word, it copies it when Ctrl+C reaches it, as a user copies in a program that has the
// focus, and says so on its standard output.
class AnotherProgram : public QWidget {
 public:
  explicit AnotherProgram(QString word) : word_(std::move(word)) {}

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    if (word_.isEmpty() || !event->matches(QKeySequence::Copy)) return;
    QApplication::clipboard()->setText(word_);
    std::printf("copied\n");
    std::fflush(stdout);
  }

 private:
  QString word_;
};

int anotherProgram(int argc, char** argv) {
  QApplication app(argc, argv);
  AnotherProgram window(argc > 3 ? QString::fromLocal8Bit(argv[3]) : QString());
  window.setWindowTitle(QString::fromLocal8Bit(argv[2]));
  window.resize(600, 500);
  window.show();
  return QApplication::exec();
}

// The child that plays zembo as a native Wayland program, in the folder it is started in: the
// search window open with Automatic Clipboard search on. It says on its standard output how it
// hears copies, then the search field's text each time that changes; it ends when its input does.
int waylandZembo(int argc, char** argv) {
  QApplication app(argc, argv);
  QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
  QObject::connect(&input, &QSocketNotifier::activated, [] {
    char byte = 0;
    if (::read(STDIN_FILENO, &byte, 1) <= 0) QApplication::quit();
  });
  startRecordingMessageBoxes();
  startZembo("");
  if (!mainWindow) return 1;
  mainWindow->command(cmdSearch, commandClicked);
  auto* search = qobject_cast<SearchWindow*>(mainWindow->openToolWindow());
  if (!search) return 1;
  search->command(cmdClipboardOn, commandClicked);
  const bool extension = search->findChild<GnomeClipboard*>() != nullptr;
  std::printf("ready: %s, listening to %s\n", qPrintable(QGuiApplication::platformName()),
              extension ? "the extension" : "the toolkit");
  std::fflush(stdout);
  QString shown;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if (search->searchField()->text() == shown) return;
    shown = search->searchField()->text();
    std::printf("shows %s\n", qPrintable(shown));
    std::fflush(stdout);
  });
  poll.start(10);
  return QApplication::exec();
}

}  // namespace
}  // namespace zembo

int main(int argc, char** argv) {
  if (argc == 2 && std::string(argv[1]) == "--wayland-zembo") return zembo::waylandZembo(argc, argv);
  if (argc >= 3 && std::string(argv[1]) == "--another-program") return zembo::anotherProgram(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  std::optional<zembo::test::HeadlessGnome> shell;
  if (!::testing::GTEST_FLAG(list_tests)) {
    shell.emplace(std::vector<std::string>{ZEMBO_GNOME_EXTENSION});
    // A start on a loaded machine now and then ends before the shell is up: once more, then the
    // tests fail with the reason.
    if (!shell->running() && !shell->unavailable()) {
      std::fprintf(stderr, "GNOME Shell did not start, trying once more: %s\n", shell->whyNot().c_str());
      shell.reset();
      shell.emplace(std::vector<std::string>{ZEMBO_GNOME_EXTENSION});
    }
    zembo::gnome = &*shell;
  }
  zembo::test::prepareForDialogGuard();
  setenv("QT_MEDIA_BACKEND", "ffmpeg", 0);
  if (shell && shell->running()) {
    // As a user's session starts zembo: the desktop's variables set, the platform left to zembo.
    shell->enterSession();
    unsetenv("QT_QPA_PLATFORM");
    zembo::chooseDisplayPlatform();
    const char* chosen = std::getenv("QT_QPA_PLATFORM");
    zembo::chosenPlatform = chosen ? chosen : "";
  } else {
    if (shell) std::fprintf(stderr, "GNOME tests skipped: %s\n", shell->whyNot().c_str());
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
  }
  int result = 0;
  {
    QApplication app(argc, argv);
    zembo::test::guardAgainstUnansweredDialogs();
    result = RUN_ALL_TESTS();
  }
  return result;
}
