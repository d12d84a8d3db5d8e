#include "app/startup.h"

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QLockFile>
#include <QStandardPaths>
#include <QTranslator>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <memory>

#include "app/accelerators.h"
#include "app/mainwindow.h"
#include "app/syncwatch.h"
#include "directions/directions.h"
#include "formats/importjournal.h"
#include "importer/folderchanges.h"
#include "platform/asciicase.h"
#include "platform/codepage.h"
#include "platform/collation.h"
#include "platform/hostpath.h"
#include "platform/messagebox.h"
#include "platform/profile.h"
#include "platform/qt/clipboardwatch.h"
#include "resources/resourcetable.h"
#include "resources/uilanguage.h"
#include "resources/uitext.h"
#include "resources/uitextrows.h"
#include "store/currentdirection.h"
#include "store/store.h"
#include "sync/conflicts.h"
#include "windowkit/qttext.h"
#include "windowkit/uifont.h"

namespace zembo {

namespace {
StartupState startupState;  // the one mutable instance
}  // namespace
const StartupState& startup = startupState;

namespace {

[[noreturn]] void fatal(std::string_view text, std::string_view caption) {
  messageBox(nullptr, text, caption, MB_OK | MB_ICONWARNING);
  exitProcess(1);
}

std::unique_ptr<QTranslator> toolkitTranslator;

// The toolkit's own texts (the standard buttons of message boxes, the file and print dialogs) in
// the edition's language, from the translations installed with the toolkit; English without them.
void loadToolkitTranslations() {
  const UiLanguage* language = uiLanguageOfBase(uiLanguage.uiBase);
  if (!language) return;
  const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  auto translator = std::make_unique<QTranslator>();
  for (const QString& locale : QString::fromLatin1(language->toolkitLocales).split(' ', Qt::SkipEmptyParts))
    if (translator->load(QLocale(locale), "qt", "_", folder)) {
      QCoreApplication::installTranslator(translator.get());
      toolkitTranslator = std::move(translator);
      return;
    }
}

void chooseUiLanguage() {
  readUiLanguage();
  if (!uiLanguage.uiBase)
    fatal("No valid language found in language.ini   \n\nTry installing the program again.", "Error");
  setFileNameCodePage(uiCodePage());
  setMessageBoxCodePage(uiCodePage());
  loadToolkitTranslations();
}

std::unique_ptr<QLockFile> lock;

// Another instance holds a lock named after the main window's class and title.
void refuseSecondInstance() {
  QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (folder.isEmpty()) folder = QDir::tempPath();
  QString title = uiQText(textMainTitle);
  title.replace('/', '_');
  lock = std::make_unique<QLockFile>(folder + "/zembo-" + title + ".lock");
  lock->setStaleLockTime(0);
  if (!lock->tryLock(0)) exitProcess(1);
}

void applyDirectionArgument(const std::string& argument) {
  if (argument.empty()) return;
  const std::size_t n = argument.size();
  if (equalNoCaseN(directions.currentDirection->targetName, argument, n) ||
      equalNoCaseN(directions.currentDirection->sourceName, argument, n))
    return;
  for (DictionaryDirection* d = directions.directionList; d; d = d->next)
    if (std::strlen(d->sourceName) >= n && equalNoCaseN(d->sourceName, argument, n)) {
      selectDirection(d);
      return;
    }
}

void readPracticeList() {
  ensureListFolder();
  char name[150];
  readProfileString("Dictionary", "PracticeList", "", name, 149, "win.ini");
  setPracticeListName(name);
  setListId(readProfileInt("Dictionary", "ListID", firstListId, "win.ini"));
  if (store.practiceListName[0] && !listFolderExists()) {
    setPracticeListName("");
    setListId(firstListId);
  }
}

// A journal that names files no import writes (or is no plain file) is not carried out: a user
// learns where it is, and zembo starts on the files as they are.
void completeInterruptedImportAtStart() {
  std::string why;
  if (completeInterruptedImport(".", &why) != JournalEnd::refused) return;
  const std::string journal = (std::filesystem::current_path() / importJournalName).string();
  messageBox(nullptr, uiTextCopy(textImportJournalRefused) + "\n" + journal, uiTextCopy(textProgramName),
             MB_OK | MB_ICONWARNING);
}

}  // namespace

void chooseDisplayPlatform() {
  auto has = [](const char* name) {
    const char* value = std::getenv(name);
    return value && *value;
  };
  if (has("QT_QPA_PLATFORM") || !has("WAYLAND_DISPLAY") || !has("DISPLAY")) return;
  // With both at hand, the one under which every copy is heard: native Wayland where the
  // compositor lets a program without the focus watch the clipboard, XWayland elsewhere (GNOME).
  // X11 stays the fallback when the toolkit's Wayland plugin is missing.
  const bool watchable = waylandOffersDataControl() && !wlPasteProgram().isEmpty();
  setenv("QT_QPA_PLATFORM", watchable ? "wayland;xcb" : "xcb", 1);
}

std::string parseCommandLine(const std::string& commandLine) {
  const std::string copy = commandLine.substr(0, 99);
  if (equalNoCase(copy, "record")) startupState.recordMode = 1;
  // The first piece as strtok finds it: "/" characters before it are skipped.
  const std::size_t start = copy.find_first_not_of('/');
  if (start == std::string::npos) return {};
  const std::string piece = copy.substr(start, copy.find('/', start) - start);
  const std::size_t zb = piece.find("zb ");
  return zb == std::string::npos ? std::string() : piece.substr(zb + 3);
}

void startZembo(const std::string& commandLine) {
  chooseUiLanguage();
  refuseSecondInstance();
  const std::string argument = parseCommandLine(fromUtf8(commandLine, uiCodePage()));
  // An import killed while its files took their places is completed before they are read.
  completeInterruptedImportAtStart();
  if (loadDirections() != 0) fatal(uiTextCopy(textConfigMissing), uiTextCopy(textProgramName));
  readSelectedDirection();
  applyDirectionArgument(argument);
  prepareCurrentCollation();
  createSharedFonts(uiTextNumber(textCharset));
  auto* window = new MainWindow;
  setMainWindowHandle(window);
  window->show();
  readPracticeList();
  reopenStore();
  std::srand(static_cast<unsigned>(std::time(nullptr)));
  window->buildLanguageMenu();
  // The rich-text and common controls of the original need no loading here: the toolkit has them.
  qApp->installEventFilter(
      new AcceleratorFilter(findAccelerators(std::string(uiLanguage.uiLanguageName) + "_accel"), window));
  // What Syncthing left beside the files while the program was not running.
  (new SyncWatch(window))->mergeNow();
}

int runFolderCommand(const std::string& command) {
  if (command == "--write-stignore") {
    const bool written = writeSyncIgnore(".");
    std::printf("%s\n", written ? ".stignore written" : ".stignore could not be written");
    return written ? 0 : 1;
  }
  readUiLanguage();
  if (!uiLanguage.uiBase) {
    std::printf("No valid language found in language.ini\n");
    return 1;
  }
  setFileNameCodePage(uiCodePage());
  if (loadDirections() != 0) {
    std::printf("%s\n", toUtf8(uiTextCopy(textConfigMissing), uiCodePage()).c_str());
    return 1;
  }
  const MergeCounts counts = mergeConflictCopies();
  if (counts.any()) std::printf("%s\n", mergeSummaryText(counts).c_str());
  return counts.failed.empty() ? 0 : 1;
}

void releaseSingleInstance() { lock.reset(); }

int runMessageLoop() {
  const int code = QApplication::exec();
  delete mainWindow;
  return code;
}

void resetStartupState() {
  startupState = {};
  delete mainWindow;
  mainWindow = nullptr;
  releaseSingleInstance();
  toolkitTranslator.reset();  // a translator removes itself as it goes
}

}  // namespace zembo
