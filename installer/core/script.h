#pragma once
// The installation script install.inf: its header keys (read when the program starts) and its
// commands (run when the user presses Start), and the installer's fatal error.
//
// Paths are bytes in the installer's code page, formed with "\\" as the program forms them; the
// host-path function maps them when a file is touched.

#include <filesystem>
#include <string>
#include <string_view>

namespace zembo {

// Where install.inf and every copy source are found: the folder the installer was started in,
// ending in a separator.
extern std::string sourceDir;
extern std::string installTitle;       // headline at the top of the window
extern std::string defaultDir;         // initial text of the directory field, as the script says it
extern std::string shortcutArguments;  // the command line the menu entry gives zembo
extern int stepDisplay;                // 1: the word-list builder writes its step texts
extern std::string installDir;         // the target folder, absolute, ending in a separator
extern std::string shortcutName;
extern int makeShortcut;
extern std::string programGroup;
extern std::string programFile;
extern std::string finalTextFile;
extern int makeWordLists;

// The script file, in sourceDir.
constexpr std::string_view scriptFileName = "install.inf";

// Sets the state above to what it is before the script has been read.
void resetScriptState();

// Reads the header keys; a missing install.inf is fatal.
void readHeader();
// Runs the commands into installDir in file order; a missing install.inf is fatal.
void runScript();

// Accepts a target folder that exists or can be made (one level). On success sets installDir
// and returns true; otherwise shows "Invalid Directory" and returns false.
bool checkInstallDir(std::string_view fieldText);

// A folder as the user or the script writes it, as a host folder: "~" stands for the home folder,
// and so does a drive ("c:\\engels" lands in the home folder's "engels"), which means nothing here.
std::string localDirectory(std::string_view dir);
// The user's home folder, without a separator at the end.
std::string homeDirectory();

// Joins a folder and a name with one separator between them.
std::string joinPath(std::string_view folder, std::string_view name);

// Writes a file's whole text through a temporary file flushed to disk and renamed over it.
bool replaceFileWithText(const std::filesystem::path& path, std::string_view text);

// Shows the error with caption "Error" over the installer window and ends the program with
// exit code 1.
[[noreturn]] void reportError(std::string_view text);

}  // namespace zembo
