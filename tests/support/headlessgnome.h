#pragma once
// GNOME Shell, headless, for the tests and benchmarks of zembo on the GNOME desktop. The shell runs
// as root in namespaces of its own: a private mount namespace (tmpfs over /run/systemd, so that it
// takes its plain login manager instead of a logind that is not there, over /run/dbus for a
// private system bus, and over /tmp/.X11-unix for its Xwayland) and a private process namespace,
// whose processes all end when the shell's does, or when this process dies. Its clients connect
// from outside: Wayland through the socket's full path, X11 through Xwayland's abstract socket.
// --unsafe-mode lets the test drive the shell with org.gnome.Shell.Eval.

#include <sys/types.h>

#include <set>
#include <string>
#include <vector>

namespace zembo::test {

// A JavaScript string literal of text, for the shell's Eval.
std::string jsString(const std::string& text);

class HeadlessGnome {
 public:
  // Extensions, each a folder with its metadata.json, are installed for the shell's user before it
  // starts (the shell finds extensions only then); `gnome-extensions enable` switches one on.
  explicit HeadlessGnome(const std::vector<std::string>& extensionFolders = {});
  ~HeadlessGnome();
  HeadlessGnome(const HeadlessGnome&) = delete;
  HeadlessGnome& operator=(const HeadlessGnome&) = delete;

  bool running() const { return ready_; }
  // Whether the shell cannot run here at all (not root, not installed): a test skips then, and
  // fails when the shell could run but did not start.
  bool unavailable() const { return unavailable_; }
  // Why the shell is not running, for the skip or failure message.
  const std::string& whyNot() const { return whyNot_; }

  // Sets this process's environment as a GNOME session gives it to its programs: the session's
  // XDG_RUNTIME_DIR, WAYLAND_DISPLAY (the socket's full path, which holds when a test moves
  // XDG_RUNTIME_DIR), DISPLAY and XAUTHORITY of the shell's Xwayland, the session bus,
  // XDG_CURRENT_DESKTOP=GNOME and XDG_SESSION_TYPE=wayland.
  void enterSession() const;

  // Runs JavaScript in the shell. True when it ran without an exception; *result is what it
  // returned, as JSON (a string with its quotes taken off). Gives up after a few seconds.
  bool eval(const std::string& script, std::string* result = nullptr) const;
  // The result of a script, or "error: ..." when it failed.
  std::string evaluate(const std::string& script) const;

  // What the shell knows of the window with this title: "none", or its state as
  // "minimized=0 focus=1 top=1 attention=0" (top: no other normal window above it).
  std::string windowState(const std::string& title) const;
  // The title of the window that has the focus, empty when none.
  std::string focusedTitle() const;
  // Sets the clipboard's text as a native Wayland program's copy does; the shell's monotonic
  // clock at the copy, in microseconds (CLOCK_MONOTONIC, as std::chrono::steady_clock), or -1.
  long long copy(const std::string& text) const;

  // Presses keys on the seat's keyboard, one after the other, and lets them go in the reverse
  // order, as a user presses Ctrl+C: {"Control_L", "c"} (the names of Clutter's KEY_ constants).
  bool pressChord(const std::vector<std::string>& keys) const;

  // Runs a shell command as a program of the session (its bus, runtime folder and home), with a
  // time limit; its exit code (-1 when it did not end by itself) and, when asked, its output.
  int run(const std::string& command, std::string* output = nullptr) const;

  // The command that runs a program in the shell's own process namespace, as the programs of a
  // user's session run: the shell and its bus see its real process id (from outside the namespace
  // they see none). Empty when the shell is not running.
  std::vector<std::string> inSessionNamespace() const;

  const std::string& waylandSocket() const { return waylandSocket_; }
  const std::string& x11Display() const { return display_; }
  const std::string& busAddress() const { return bus_; }
  // The folder of the shell's log, runtime folder and home.
  const std::string& folder() const { return folder_; }

 private:
  void launch(const std::vector<std::string>& extensionFolders);
  bool waitUntilReady();
  void stop();
  std::string lastLogLines() const;
  // After the shell was killed: the lock files its Xwayland left.
  void removeStaleXLocks() const;

  std::string folder_, whyNot_, bus_, waylandSocket_, display_, xauthority_;
  std::set<std::string> locksBefore_;
  pid_t pid_ = 0;
  bool ready_ = false;
  bool unavailable_ = false;
};

}  // namespace zembo::test
