#include "installer/core/script.h"

#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <utility>
#include <vector>

#include "formats/articlefile.h"
#include "formats/entryindex.h"
#include "formats/fields.h"
#include "installer/core/display.h"
#include "installer/core/paths.h"
#include "platform/asciicase.h"
#include "platform/hostpath.h"
#include "platform/lzexpand.h"
#include "platform/messagebox.h"
#include "platform/profile.h"
#include "platform/safefiles.h"
#include "platform/textfile.h"

namespace zembo {

namespace {
ScriptState scriptState;  // the one mutable instance
}  // namespace
const ScriptState& script = scriptState;

namespace {

// Script lines are read in pieces of at most 99 characters.
constexpr int scriptLineSize = 100;

// Everything after the first blank; false when the line has none.
bool valueAfterBlank(std::string_view line, std::string& value) {
  const std::size_t blank = line.find(' ');
  if (blank == std::string_view::npos) return false;
  value.assign(line.substr(blank + 1));
  return true;
}

// Calls handle for every line of install.inf that is neither empty nor a comment.
template <typename Handler>
void forEachScriptLine(Handler handle) {
  std::FILE* file = std::fopen((scriptState.sourceDir / scriptFileName).c_str(), "rt");
  if (!file) reportError("Can't open INSTALL.INF");
  char line[scriptLineSize];
  while (readTextLine(file, line, sizeof line)) {
    removeLineEnd(line);
    if (line[0] == '\0' || line[0] == '#') continue;
    handle(std::string_view(line));
  }
  std::fclose(file);
}

std::filesystem::path inSource(std::string_view programPath) { return hostPathIn(scriptState.sourceDir, programPath); }
std::filesystem::path inTarget(std::string_view programPath) { return hostPathIn(scriptState.installDir, programPath); }

// A host path in a message, whose text is in the installer's code page.
std::string hostText(const std::filesystem::path& path) { return programName(path); }

[[noreturn]] void reportFailure(std::string_view what, const std::filesystem::path& path, int error) {
  reportError(std::string(what) + " " + hostText(path) + ": " + std::strerror(error));
}

void makeFolder(std::string_view programPath) {
  const std::filesystem::path folder = inTarget(programPath);
  std::error_code error;
  if (!std::filesystem::create_directory(folder, error) && !std::filesystem::is_directory(folder))
    reportFailure("Can't make the folder", folder, error ? error.value() : EEXIST);
}

void showTarget(const std::filesystem::path& target) {
  if (displays.installDisplay) displays.installDisplay->showTargetPath(target);
}

void copyOne(const std::filesystem::path& source, const std::filesystem::path& target, bool expand) {
  showTarget(target);
  removeLeftovers(target);
  removeArticlesOf(target);
  errno = 0;
  std::string damage;
  const bool copied = expand ? expandCopyTo(source, target, &damage) : copyFileTo(source, target);
  if (copied) return;
  const int error = errno ? errno : EIO;
  if (!std::filesystem::exists(source)) reportFailure("Can't find", source, ENOENT);
  if (!damage.empty()) reportError("The file " + hostText(source) + " is damaged: " + damage + ".");
  reportError("Can't copy " + hostText(source) + " to " + hostText(target) + ": " + std::strerror(error));
}

void copyCommand(const std::vector<std::string_view>& words) {
  if (words.size() < 3) return;
  copyOne(inSource(words[1]), inTarget(words[2]), true);
}

// Copies every file (not folder) of a distribution folder that matches a pattern into a folder of
// the installation. A folder that holds nothing to copy copies nothing.
void copyFoundFiles(std::string_view fromFolder, std::string_view pattern, std::string_view toFolder) {
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(inSource(fromFolder), error)) {
    const std::string name = programName(entry.path().filename());
    if (entry.is_directory(error) || !matchesFilePattern(name, pattern)) continue;
    copyOne(entry.path(), inTarget(joinPath(toFolder, name)), false);
  }
}

// A pattern may name a sub-folder of the distribution; the files are found there.
void xcopyCommand(const std::vector<std::string_view>& words) {
  if (words.size() < 3) return;
  const std::string_view pattern = words[1];
  const std::size_t cut = pattern.find_last_of("\\/");
  if (cut == std::string_view::npos)
    copyFoundFiles("", pattern, words[2]);
  else
    copyFoundFiles(pattern.substr(0, cut), pattern.substr(cut + 1), words[2]);
}

void sndcopyCommand(const std::vector<std::string_view>& words) {
  if (words.size() < 3) return;
  copyFoundFiles(words[1], "*.*", words[2]);
}

enum class Command { none, mkdir, iconname, avidelay, icongroup, iconexe, display, mkwlist, copy, xcopy, sndcopy };

Command commandOf(std::string_view line) {
  static const std::pair<const char*, Command> keywords[] = {
      {"mkdir", Command::mkdir},         {"iconname", Command::iconname}, {"avidelay", Command::avidelay},
      {"icongroup", Command::icongroup}, {"iconexe", Command::iconexe},   {"display", Command::display},
      {"mkwlist", Command::mkwlist},     {"copy", Command::copy},         {"xcopy", Command::xcopy},
      {"sndcopy", Command::sndcopy}};
  for (const auto& [keyword, command] : keywords)
    if (startsWithNoCase(line, keyword)) return command;
  return Command::none;
}

// The paths of a command that are taken inside the distribution or the installation.
std::vector<std::string> pathsOf(Command command, std::string_view line) {
  std::string value;
  const bool hasValue = valueAfterBlank(line, value);
  const std::vector<std::string_view> words = splitFields(line, ' ');
  switch (command) {
    case Command::mkdir:
    case Command::icongroup:
    case Command::iconexe:
    case Command::display:
      return hasValue ? std::vector<std::string>{value} : std::vector<std::string>{};
    case Command::copy:
    case Command::xcopy:
    case Command::sndcopy:
      return words.size() < 3 ? std::vector<std::string>{}
                              : std::vector<std::string>{std::string(words[1]), std::string(words[2])};
    default:
      return {};
  }
}

// Every path of the script is checked before the first command runs, so that a script that would
// write or read outside its two folders changes nothing at all.
void checkScriptLine(std::string_view line) {
  const Command command = commandOf(line);
  for (const std::string& path : pathsOf(command, line))
    if (!staysInside(path))
      reportError("INSTALL.INF names a place outside the installation or the distribution:\n\n" + std::string(line));
  std::string value;
  if (command == Command::iconname && valueAfterBlank(line, value) && !isPlainFileName(value))
    reportError("INSTALL.INF names a menu entry that is no plain name:\n\n" + std::string(line));
}

void runCommand(std::string_view line) {
  std::string value;
  const bool hasValue = valueAfterBlank(line, value);
  switch (commandOf(line)) {
    case Command::mkdir:
      if (hasValue) makeFolder(value);
      break;
    case Command::iconname:
      if (!hasValue) return;
      scriptState.shortcutName = value;
      scriptState.makeShortcut = 1;
      break;
    case Command::avidelay:
      if (hasValue) writeProfileString("Dictionary", "DutchAviDelay", value, "win.ini");
      break;
    case Command::icongroup:
      if (hasValue) scriptState.programGroup = value;
      break;
    case Command::iconexe:
      if (hasValue) scriptState.programFile = value;
      break;
    case Command::display:
      if (hasValue) scriptState.finalTextFile = value;
      break;
    case Command::mkwlist:
      scriptState.makeWordLists = 1;
      break;
    case Command::copy:
      copyCommand(splitFields(line, ' '));
      break;
    case Command::xcopy:
      xcopyCommand(splitFields(line, ' '));
      break;
    case Command::sndcopy:
      sndcopyCommand(splitFields(line, ' '));
      break;
    case Command::none:
      break;
  }
}

void readHeaderKey(std::string_view line) {
  std::string value;
  if (!valueAfterBlank(line, value)) return;
  if (startsWithNoCase(line, "title"))
    scriptState.installTitle = value;
  else if (startsWithNoCase(line, "dir"))
    scriptState.defaultDir = value;
  else if (startsWithNoCase(line, "zbarg"))
    scriptState.shortcutArguments = value;
  // "debug 0" switches the step texts off; any other value leaves them on.
  else if (startsWithNoCase(line, "debug"))
    scriptState.stepDisplay = value == "0" ? 0 : 1;
}

bool refuseTarget(std::string_view text) {
  messageBox(messageOwner(), text, "Error", MB_OK | MB_ICONERROR);
  return false;
}

}  // namespace

void resetScriptState() { scriptState = {}; }

void useScript(const ScriptState& said) { scriptState = said; }

void setPendingTempFile(const std::filesystem::path& file) { scriptState.pendingTempFile = file; }

void setSourceDir(const std::filesystem::path& folder) { scriptState.sourceDir = folder; }

void readHeader() { forEachScriptLine(readHeaderKey); }

void runScript() {
  forEachScriptLine(checkScriptLine);
  forEachScriptLine(runCommand);
}

bool checkInstallDir(std::string_view fieldText) {
  const std::filesystem::path folder = localDirectory(fieldText);
  std::error_code error;
  const bool usable = !folder.empty() && (std::filesystem::is_directory(folder, error) ||
                                          std::filesystem::create_directory(folder, error));
  if (!usable) return refuseTarget("Invalid Directory");
  if (::access(folder.c_str(), W_OK | X_OK) != 0)
    return refuseTarget("The folder " + hostText(folder) + " cannot be entered and written: " + std::strerror(errno));
  if (std::filesystem::equivalent(folder, scriptState.sourceDir, error))
    return refuseTarget("The folder " + hostText(folder) +
                        " holds the distribution itself: install into another folder.");
  // Absolute, because the menu entry starts the program there from wherever the desktop is.
  std::filesystem::path target = std::filesystem::absolute(folder, error).lexically_normal();
  if (!target.has_filename() && target != target.root_path()) target = target.parent_path();
  scriptState.installDir = target;
  return true;
}

void enterInstallDir() {
  std::error_code error;
  std::filesystem::current_path(scriptState.installDir, error);
  if (error) reportFailure("Can't enter the folder", scriptState.installDir, error.value());
}

bool replaceFileWithText(const std::filesystem::path& path, std::string_view text) {
  removeLeftovers(path);
  return replaceFileSafely(
      path, [text](std::FILE* out) { return std::fwrite(text.data(), 1, text.size(), out) == text.size(); });
}

void removeLeftovers(const std::filesystem::path& file) {
  const std::string name = file.filename().string();
  removeTemporaryFiles(file.parent_path(), [&name](std::string_view target) { return target == name; });
}

void removeArticlesOf(const std::filesystem::path& wordFile) {
  std::string extension = wordFile.extension().string();
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (extension != ".zb") return;
  const std::filesystem::path articles = articleFileOf(wordFile);
  std::error_code error;
  // The indexes of its entries go too: zembo makes them again, and never uses one that does not
  // match its files, so one that stays costs only room.
  for (const std::filesystem::path& index : {articleIndexOf(wordFile), wordIndexOf(wordFile)})
    if (std::filesystem::is_regular_file(std::filesystem::symlink_status(index, error)))
      std::filesystem::remove(index, error);
  // The file itself, never what a link there points to.
  if (!std::filesystem::exists(std::filesystem::symlink_status(articles, error))) return;
  std::filesystem::remove(articles, error);
  if (error)
    reportError("Can't remove " + hostText(articles) + ", the articles of the word file " + hostText(wordFile) +
                " that is being replaced: " + error.message());
}

void reportError(std::string_view text) {
  if (!scriptState.pendingTempFile.empty()) {
    std::error_code ignored;
    std::filesystem::remove(scriptState.pendingTempFile, ignored);
    scriptState.pendingTempFile.clear();
  }
  if (displays.installDisplay) displays.installDisplay->restoreArrowCursor();
  messageBox(messageOwner(), text, "Error", MB_OK | MB_ICONERROR);
  exitProcess(1);
}

}  // namespace zembo
