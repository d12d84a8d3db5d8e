#pragma once
// The installation script install.inf: its header keys (read when the program starts) and its
// commands (run when the user presses Start), and the installer's fatal error.
//
// The two folders of an installation, the distribution and the target, are the host's own
// folders (a user's home may hold any character) and stay host paths. The script's paths are
// bytes in the installer's code page, formed with "\\" as the program forms them, relative to one
// of those folders; they are mapped when a file is touched and must stay inside their folder.

#include <filesystem>
#include <string>
#include <string_view>

namespace zembo {

// What the script said and where the installation goes. The installer's own operations change it.
struct ScriptState {
  // Where install.inf and every copy source are found: the folder the installer was started in.
  std::filesystem::path sourceDir;
  std::string installTitle;             // headline at the top of the window
  std::string defaultDir = "~\\zembo";  // initial text of the directory field, as the script says it
  std::string shortcutArguments;        // the command line the menu entry gives zembo
  int stepDisplay = 1;                  // 1: the word-list builder writes its step texts
  std::filesystem::path installDir;     // the target folder, absolute
  std::string shortcutName;
  int makeShortcut = 0;
  std::string programGroup;
  std::string programFile;
  std::string finalTextFile;
  int makeWordLists = 0;
  // A temporary file of the installer that reportError removes while it is set.
  std::filesystem::path pendingTempFile;
};
extern const ScriptState& script;

// The script file, in sourceDir.
constexpr std::string_view scriptFileName = "install.inf";

// Sets the state above to what it is before the script has been read.
void resetScriptState();
// Takes what a script said as a whole, as a test states it without an install.inf.
void useScript(const ScriptState& said);
// The temporary file reportError removes from now on; an empty path: none.
void setPendingTempFile(const std::filesystem::path& file);
// The distribution's folder, where the script is read.
void setSourceDir(const std::filesystem::path& folder);

// Reads the header keys; a missing install.inf is fatal.
void readHeader();
// Checks every command, then runs them into installDir in file order. A missing install.inf, a
// path that would leave its folder and every failed step are fatal.
void runScript();

// Accepts a target folder (host text, as typed) that exists or can be made (one level), can be
// entered and written, and is not the distribution itself. On success sets installDir and returns
// true; otherwise says why and returns false.
bool checkInstallDir(std::string_view fieldText);
// Makes installDir the current folder; fatal when it cannot be entered.
void enterInstallDir();

// Writes a file's whole text through a temporary file flushed to disk and renamed over it.
bool replaceFileWithText(const std::filesystem::path& path, std::string_view text);
// Removes what an earlier, interrupted run left of its temporary copies of a file: the file's
// temporary names (platform/safefiles.h), beside it.
void removeLeftovers(const std::filesystem::path& file);

// Removes the article file of a word file ("Ger_Eng.art" of "Ger_Eng.zb") before the word file
// is replaced: an import's articles belong to the word file it wrote, never to another. Nothing
// for a file that is no word file or has no article file; fatal, with a message naming the file,
// when it cannot be removed. The indexes of its entries ("Ger_Eng.fnd", "Ger_Eng.fnw") go as well
// where they can.
void removeArticlesOf(const std::filesystem::path& wordFile);

// Shows the error with caption "Error" over the installer window and ends the program with
// exit code 1, after removing the temporary files of the step that failed.
[[noreturn]] void reportError(std::string_view text);

}  // namespace zembo
