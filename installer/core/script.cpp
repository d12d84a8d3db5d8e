#include "installer/core/script.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

#include "formats/fields.h"
#include "installer/core/display.h"
#include "platform/asciicase.h"
#include "platform/hostpath.h"
#include "platform/lzexpand.h"
#include "platform/messagebox.h"
#include "platform/profile.h"
#include "platform/textfile.h"

namespace zembo {

std::string sourceDir;
std::string installTitle;
std::string defaultDir;
std::string shortcutArguments;
int stepDisplay = 1;
std::string installDir;
std::string shortcutName;
int makeShortcut = 0;
std::string programGroup;
std::string programFile;
std::string finalTextFile;
int makeWordLists = 0;

namespace {

// Script lines are read in pieces of at most 99 characters.
constexpr int scriptLineSize = 100;

bool endsWithSeparator(std::string_view path) {
  return !path.empty() && (path.back() == '\\' || path.back() == '/');
}

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
  std::FILE* script = openFile(joinPath(sourceDir, scriptFileName), "rt");
  if (!script) reportError("Can't open INSTALL.INF");
  char line[scriptLineSize];
  while (readTextLine(script, line, sizeof line)) {
    removeLineEnd(line);
    if (line[0] == '\0' || line[0] == '#') continue;
    handle(std::string_view(line));
  }
  std::fclose(script);
}

void makeFolder(std::string_view programPath) {
  std::error_code ignored;
  std::filesystem::create_directory(hostPath(programPath), ignored);
}

void copyCommand(const std::vector<std::string_view>& words) {
  if (words.size() < 3) return;
  const std::string target = installDir + std::string(words[2]);
  if (installDisplay) installDisplay->showTargetPath(target);
  expandCopy(sourceDir + std::string(words[1]), target);
}

// Copies every file (not folder) that a search finds into a folder of the installation.
void copyFoundFiles(std::string_view fromFolder, std::string_view pattern, std::string_view toFolder) {
  for (const DirectoryEntry& entry : findFiles(joinPath(fromFolder, pattern))) {
    if (entry.isDirectory) continue;
    const std::string target = joinPath(installDir + std::string(toFolder), entry.name);
    if (installDisplay) installDisplay->showTargetPath(target);
    copyFileReplacing(joinPath(fromFolder, entry.name), target);
  }
}

void xcopyCommand(const std::vector<std::string_view>& words) {
  if (words.size() < 3) return;
  // A pattern may name a sub-folder of the distribution; the files are found there.
  const std::string pattern(words[1]);
  const std::size_t cut = pattern.find_last_of("\\/");
  const std::string folder = cut == std::string::npos ? sourceDir : sourceDir + pattern.substr(0, cut + 1);
  copyFoundFiles(folder, cut == std::string::npos ? pattern : pattern.substr(cut + 1), words[2]);
}

void sndcopyCommand(const std::vector<std::string_view>& words) {
  if (words.size() < 3) return;
  copyFoundFiles(sourceDir + std::string(words[1]), "*.*", words[2]);
}

void runCommand(std::string_view line) {
  std::string value;
  const bool hasValue = valueAfterBlank(line, value);
  if (startsWithNoCase(line, "mkdir")) {
    if (hasValue) makeFolder(installDir + value);
  } else if (startsWithNoCase(line, "iconname")) {
    if (!hasValue) return;
    shortcutName = value;
    makeShortcut = 1;
  } else if (startsWithNoCase(line, "avidelay")) {
    if (hasValue) writeProfileString("Dictionary", "DutchAviDelay", value, "win.ini");
  } else if (startsWithNoCase(line, "icongroup")) {
    if (hasValue) programGroup = value;
  } else if (startsWithNoCase(line, "iconexe")) {
    if (hasValue) programFile = value;
  } else if (startsWithNoCase(line, "display")) {
    if (hasValue) finalTextFile = value;
  } else if (startsWithNoCase(line, "mkwlist")) {
    makeWordLists = 1;
  } else if (startsWithNoCase(line, "copy")) {
    copyCommand(splitFields(line, ' '));
  } else if (startsWithNoCase(line, "xcopy")) {
    xcopyCommand(splitFields(line, ' '));
  } else if (startsWithNoCase(line, "sndcopy")) {
    sndcopyCommand(splitFields(line, ' '));
  }
}

void readHeaderKey(std::string_view line) {
  std::string value;
  if (!valueAfterBlank(line, value)) return;
  if (startsWithNoCase(line, "title")) installTitle = value;
  else if (startsWithNoCase(line, "dir")) defaultDir = value;
  else if (startsWithNoCase(line, "zbarg")) shortcutArguments = value;
  // "debug 0" switches the step texts off; any other value leaves them on.
  else if (startsWithNoCase(line, "debug")) stepDisplay = value == "0" ? 0 : 1;
}

}  // namespace

void resetScriptState() {
  installTitle.clear();
  defaultDir = "~\\zembo";
  shortcutArguments.clear();
  stepDisplay = 1;
  installDir.clear();
  shortcutName.clear();
  makeShortcut = 0;
  programGroup.clear();
  programFile.clear();
  finalTextFile.clear();
  makeWordLists = 0;
}

void readHeader() { forEachScriptLine(readHeaderKey); }

void runScript() { forEachScriptLine(runCommand); }

std::string joinPath(std::string_view folder, std::string_view name) {
  std::string path(folder);
  if (!path.empty() && !endsWithSeparator(path)) path += '\\';
  return path.append(name);
}

std::string homeDirectory() {
  const char* home = std::getenv("HOME");
  if (!home || !*home) {
    const passwd* user = ::getpwuid(::getuid());
    home = user && user->pw_dir ? user->pw_dir : "/";
  }
  std::string dir = programName(home);
  while (dir.size() > 1 && endsWithSeparator(dir)) dir.pop_back();
  return dir;
}

std::string localDirectory(std::string_view dir) {
  std::string_view rest;
  if (!dir.empty() && dir[0] == '~')
    rest = dir.substr(1);
  else if (dir.size() >= 2 && dir[1] == ':' && ((dir[0] | 0x20) >= 'a' && (dir[0] | 0x20) <= 'z'))
    rest = dir.substr(2);
  else
    return std::string(dir);
  while (!rest.empty() && (rest.front() == '\\' || rest.front() == '/')) rest.remove_prefix(1);
  return rest.empty() ? homeDirectory() : joinPath(homeDirectory(), rest);
}

bool checkInstallDir(std::string_view fieldText) {
  const std::string dir = localDirectory(fieldText);
  std::error_code error;
  const std::filesystem::path folder = hostPath(dir);
  const bool usable = !dir.empty() && (std::filesystem::is_directory(folder, error) ||
                                       std::filesystem::create_directory(folder, error));
  if (!usable) {
    messageBox(messageOwner(), "Invalid Directory", "Error", MB_OK | MB_ICONERROR);
    return false;
  }
  // Absolute, because the menu entry starts the program there from wherever the desktop is.
  installDir = programName(std::filesystem::absolute(folder, error).lexically_normal());
  if (!endsWithSeparator(installDir)) installDir += '\\';
  return true;
}

bool replaceFileWithText(const std::filesystem::path& path, std::string_view text) {
  return replaceFileSafely(path, [text](std::FILE* out) { return std::fwrite(text.data(), 1, text.size(), out) == text.size(); });
}

void reportError(std::string_view text) {
  if (installDisplay) installDisplay->restoreArrowCursor();
  messageBox(messageOwner(), text, "Error", MB_OK | MB_ICONERROR);
  exitProcess(1);
}

}  // namespace zembo
