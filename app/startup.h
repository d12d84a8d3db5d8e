#pragma once
// The program's start: the UI language, a single instance, the command line, the directions and
// collation, the shared fonts, the main window, the store and the language menu, then the one
// event loop of the process.

#include <string>

#include "practice/lists.h"

namespace zembo {

struct StartupState {
  int recordMode = 0;  // the command line was "record"
};
extern const StartupState& startup;
// Back to the state of process start: no record mode, no main window, no instance lock.
void resetStartupState();

// Before the application object exists: on a Wayland desktop that also offers X11 (XWayland),
// and unless the user chose a platform, run where the program hears of clipboard changes while
// another program has the focus: natively when the compositor offers data-control and wl-paste
// is there to use it, else under X11.
void chooseDisplayPlatform();

// Runs the start-up up to the event loop. A fatal failure shows its message and ends the
// process with exit code 1. commandLine is the program's arguments joined by blanks (UTF-8).
void startZembo(const std::string& commandLine);
// Lets another instance start: the end of the program.
void releaseSingleInstance();
// The event loop; returns the exit code.
int runMessageLoop();
// The commands that work on the program's folder without a window: "--write-stignore" writes the
// folder's .stignore for Syncthing; "--merge" merges the conflict copies Syncthing left and prints
// what it merged. Returns the exit code.
int runFolderCommand(const std::string& command);

// The direction argument of a command line: the text after "zb " in the first piece between "/"
// characters; empty when there is none. Sets recordMode for the line "record".
std::string parseCommandLine(const std::string& commandLine);

}  // namespace zembo
