#include "tests/support/headlessgnome.h"

#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <thread>
#include <vector>

namespace zembo::test {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

// How long the shell may take to start on a loaded machine, and one call of Eval to answer.
constexpr auto startLimit = std::chrono::seconds(60);
constexpr int evalLimitSeconds = 10;

bool onPath(const std::string& program) {
  return std::system(("command -v " + program + " >/dev/null 2>&1").c_str()) == 0;
}

// Run inside the new namespaces, as `sh session.sh FOLDER`. The tmpfs mounts are the namespace's
// own: the machine's /run and /tmp/.X11-unix stay as they are.
const char* const sessionScript = R"(set -e
folder=$1
mkdir -p /run/systemd /run/dbus
mount -t tmpfs -o mode=755 tmpfs /run/systemd
mount -t tmpfs -o mode=755 tmpfs /run/dbus
[ -d /tmp/.X11-unix ] || mkdir -m 1777 /tmp/.X11-unix
mount -t tmpfs -o mode=1777 tmpfs /tmp/.X11-unix
dbus-daemon --system --fork
export XDG_RUNTIME_DIR="$folder/runtime" HOME="$folder/home" XDG_SESSION_TYPE=wayland XDG_CURRENT_DESKTOP=GNOME
unset DISPLAY WAYLAND_DISPLAY DBUS_SESSION_BUS_ADDRESS XAUTHORITY QT_QPA_PLATFORM
exec dbus-run-session -- sh -c 'echo "$DBUS_SESSION_BUS_ADDRESS" >"$0/bus.new" && mv "$0/bus.new" "$0/bus" &&
  exec gnome-shell --headless --wayland --unsafe-mode --virtual-monitor "$1" --wayland-display=wayland-zembo' "$folder" "$2"
)";

// Sets the scale of the shell's monitor through mutter's display configuration, as the Settings
// app does: `gjs scale.js SCALE`.
const char* const scaleScript = R"(const { Gio, GLib } = imports.gi;
const config = Gio.DBusProxy.new_for_bus_sync(Gio.BusType.SESSION, 0, null, 'org.gnome.Mutter.DisplayConfig',
    '/org/gnome/Mutter/DisplayConfig', 'org.gnome.Mutter.DisplayConfig', null);
const [serial, monitors] = config.call_sync('GetCurrentState', null, 0, -1, null).recursiveUnpack();
const [[connector], modes] = monitors[0];
const mode = modes.find(m => m[6]['is-current']) ?? modes[0];
config.call_sync('ApplyMonitorsConfig', new GLib.Variant('(uua(iiduba(ssa{sv}))a{sv})',
    [serial, 1, [[0, 0, parseFloat(ARGV[0]), 0, true, [[connector, mode[0], {}]]]], {}]), 0, -1, null);
print(`${mode[1]}x${mode[2]} at scale ${ARGV[0]}`);
)";

// The scale the tests run the shell at: 1, or what ZEMBO_GNOME_SCALE says (2 on a monitor twice
// as large, since GNOME offers scale 2 only where the screen stays large enough).
int wantedScale() {
  const char* scale = std::getenv("ZEMBO_GNOME_SCALE");
  return scale && std::string(scale) == "2" ? 2 : 1;
}

// Runs a program with a time limit; its exit code (-1 when it did not end by itself) and what it
// wrote to standard output and error.
int runCapturing(const std::vector<std::string>& command, int seconds, std::string& output) {
  int pipeEnds[2];
  if (pipe2(pipeEnds, O_CLOEXEC) != 0) return -1;
  std::vector<char*> argv;
  for (const std::string& word : command) argv.push_back(const_cast<char*>(word.c_str()));
  argv.push_back(nullptr);
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(pipeEnds[1], 1);
    dup2(pipeEnds[1], 2);
    execvp(argv[0], argv.data());
    _exit(127);
  }
  close(pipeEnds[1]);
  if (pid < 0) {
    close(pipeEnds[0]);
    return -1;
  }
  const auto deadline = Clock::now() + std::chrono::seconds(seconds);
  bool timedOut = false;
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) {
      timedOut = true;
      break;
    }
    pollfd wait{pipeEnds[0], POLLIN, 0};
    if (poll(&wait, 1, static_cast<int>(left)) <= 0) continue;
    char buffer[4096];
    const ssize_t n = read(pipeEnds[0], buffer, sizeof buffer);
    if (n <= 0) break;
    output.append(buffer, static_cast<std::size_t>(n));
  }
  close(pipeEnds[0]);
  if (timedOut) kill(pid, SIGKILL);
  int status = 0;
  waitpid(pid, &status, 0);
  if (timedOut) output += "(no answer within " + std::to_string(seconds) + " s)";
  return !timedOut && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// A GVariant string as gdbus prints it ('...' or "..." with backslash escapes), unquoted.
std::string unquoteVariantString(const std::string& text, std::size_t& at) {
  std::string value;
  const char quote = text[at++];
  while (at < text.size() && text[at] != quote) {
    char c = text[at++];
    if (c == '\\' && at < text.size()) {
      c = text[at++];
      if (c == 'n') c = '\n';
      if (c == 't') c = '\t';
    }
    value += c;
  }
  ++at;
  return value;
}

// A JSON string's text without its quotes and escapes; anything else as it is.
std::string unquoteJson(const std::string& json) {
  if (json.size() < 2 || json.front() != '"' || json.back() != '"') return json;
  std::string value;
  for (std::size_t i = 1; i + 1 < json.size(); ++i) {
    char c = json[i];
    if (c == '\\' && i + 2 < json.size()) {
      c = json[++i];
      if (c == 'n') c = '\n';
      if (c == 't') c = '\t';
    }
    value += c;
  }
  return value;
}

// A JavaScript string literal of any text.

// The X display lock files in /tmp.
std::set<std::string> xLockFiles() {
  std::set<std::string> names;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator("/tmp", error)) {
    const std::string name = entry.path().filename().string();
    if (name.rfind(".X", 0) == 0 && name.size() > 7 && name.compare(name.size() - 5, 5, "-lock") == 0)
      names.insert(name);
  }
  return names;
}

// Whether the process a lock file names runs an X server on this machine. The shell's Xwayland
// names a process of its own namespace, which on the machine is another process or none.
bool heldByXServer(const std::string& lockName) {
  std::ifstream lock("/tmp/" + lockName);
  long pid = 0;
  if (!(lock >> pid) || pid <= 0) return false;
  std::ifstream command("/proc/" + std::to_string(pid) + "/comm");
  std::string name;
  return std::getline(command, name) && name.rfind('X', 0) == 0;
}

// The uuid in an extension's metadata.json, empty when there is none.
std::string extensionUuid(const std::string& folder) {
  std::ifstream file(folder + "/metadata.json");
  const std::string metadata((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  const std::size_t key = metadata.find("\"uuid\"");
  const std::size_t open = metadata.find('"', metadata.find(':', key));
  const std::size_t close = metadata.find('"', open + 1);
  if (key == std::string::npos || open == std::string::npos || close == std::string::npos) return {};
  return metadata.substr(open + 1, close - open - 1);
}

// A run killed before its end (a crash, a time limit) leaves its folder and its Xwayland's lock
// files, which would push every later shell to another display: removed once its process is gone.
void removeLeftoversOfKilledRuns() {
  std::error_code error;
  for (const auto& entry : fs::directory_iterator("/tmp", error)) {
    const std::string name = entry.path().filename().string();
    if (name.rfind("zembo-gnome-", 0) != 0) continue;
    long owner = 0;
    std::ifstream(entry.path() / "owner") >> owner;
    if (owner <= 0 || kill(static_cast<pid_t>(owner), 0) == 0 || errno != ESRCH) continue;
    std::ifstream locks(entry.path() / "locks");
    for (std::string lock; std::getline(locks, lock);)
      if (lock.rfind(".X", 0) == 0 && !heldByXServer(lock)) fs::remove("/tmp/" + lock, error);
    fs::remove_all(entry.path(), error);
  }
}

bool exited(pid_t pid, std::chrono::milliseconds within) {
  const auto deadline = Clock::now() + within;
  do {
    if (waitpid(pid, nullptr, WNOHANG) == pid) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  } while (Clock::now() < deadline);
  return false;
}

}  // namespace

std::string jsString(const std::string& text) {
  std::string literal = "'";
  for (const char c : text) {
    if (c == '\'' || c == '\\') literal += '\\';
    if (c == '\n') {
      literal += "\\n";
      continue;
    }
    literal += c;
  }
  return literal + "'";
}

HeadlessGnome::HeadlessGnome(const std::vector<std::string>& extensionFolders) {
  if (getuid() != 0) {
    unavailable_ = true;
    whyNot_ = "GNOME Shell runs headless here only as root (in a mount namespace of its own); run the test as root";
    return;
  }
  for (const char* program : {"gnome-shell", "Xwayland", "dbus-run-session", "dbus-daemon", "gdbus", "unshare"}) {
    if (!onPath(program)) {
      unavailable_ = true;
      whyNot_ = std::string(program) + " is not installed (tools/install-deps installs what the GNOME tests need)";
      return;
    }
  }
  removeLeftoversOfKilledRuns();
  char pattern[] = "/tmp/zembo-gnome-XXXXXX";
  if (!mkdtemp(pattern)) {
    whyNot_ = "no temporary folder";
    return;
  }
  folder_ = pattern;
  launch(extensionFolders);
}

void HeadlessGnome::launch(const std::vector<std::string>& extensionFolders) {
  fs::create_directory(folder_ + "/home");
  const fs::path extensions = folder_ + "/home/.local/share/gnome-shell/extensions";
  for (const std::string& extension : extensionFolders) {
    const std::string uuid = extensionUuid(extension);
    std::error_code error;
    fs::create_directories(extensions / uuid, error);
    if (!uuid.empty()) fs::copy(extension, extensions / uuid, fs::copy_options::recursive, error);
    if (uuid.empty() || error) {
      whyNot_ = "cannot install the extension " + extension + ": " + error.message();
      return;
    }
  }
  fs::create_directory(folder_ + "/runtime");
  fs::permissions(folder_ + "/runtime", fs::perms::owner_all);
  std::ofstream(folder_ + "/session.sh") << sessionScript;
  std::ofstream(folder_ + "/owner") << getpid() << "\n";
  locksBefore_ = xLockFiles();
  pid_ = fork();
  if (pid_ == 0) {
    // The namespace ends with this process: unshare kills its child when it dies, and it dies with
    // the test, however the test ends.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    setsid();
    const int log = ::open((folder_ + "/shell.log").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (log >= 0) {
      dup2(log, 1);
      dup2(log, 2);
    }
    const int none = ::open("/dev/null", O_RDONLY);
    if (none >= 0) dup2(none, 0);
    setenv("NO_AT_BRIDGE", "1", 1);
    const char* monitor = wantedScale() == 2 ? "2560x2048" : "1280x1024";
    execlp("unshare", "unshare", "--mount", "--propagation", "private", "--pid", "--fork", "--kill-child",
           "--mount-proc", "sh", (folder_ + "/session.sh").c_str(), folder_.c_str(), monitor,
           static_cast<char*>(nullptr));
    _exit(127);
  }
  if (pid_ < 0) {
    pid_ = 0;
    whyNot_ = "cannot start a process";
    return;
  }
  if (!waitUntilReady()) {
    if (whyNot_.empty()) whyNot_ = "GNOME Shell did not start";
    whyNot_ += "; its log ends: " + lastLogLines();
    stop();
  }
}

bool HeadlessGnome::waitUntilReady() {
  const auto deadline = Clock::now() + startLimit;
  auto passed = [&] { return Clock::now() > deadline; };
  while (bus_.empty()) {
    if (waitpid(pid_, nullptr, WNOHANG) == pid_) {
      pid_ = 0;
      return false;
    }
    if (passed()) return false;
    std::ifstream file(folder_ + "/bus");
    std::getline(file, bus_);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  // The shell answers on the bus once its start-up is over.
  std::string result;
  while (!eval("Main.layoutManager._startingUp ? 0 : 1", &result) || result != "1") {
    if (waitpid(pid_, nullptr, WNOHANG) == pid_) {
      pid_ = 0;
      return false;
    }
    if (passed()) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  // The shell starts in its overview, which would take the clicks and the focus.
  eval("Main.overview.hide(); 1");
  while (!eval("Main.overview.visible || Main.overview.animationInProgress ? 0 : 1", &result) || result != "1") {
    if (passed()) {
      whyNot_ = "the overview did not close";
      return false;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  // The headless seat has no keyboard: the shell's own virtual one, made now, so that every
  // Wayland client binds it as it starts. It is what the remote-desktop interface types with.
  if (!eval("globalThis.zemboKeyboard = imports.gi.Clutter.get_default_backend().get_default_seat()"
            ".create_virtual_device(imports.gi.Clutter.InputDeviceType.KEYBOARD_DEVICE); 1")) {
    whyNot_ = "the shell made no virtual keyboard";
    return false;
  }
  if (!eval("imports.gi.GLib.getenv('DISPLAY') || ''", &display_) || display_.empty()) {
    whyNot_ = "the shell has no Xwayland";
    return false;
  }
  eval("imports.gi.GLib.getenv('XAUTHORITY') || ''", &xauthority_);
  // The lock files of this shell's Xwayland, for the next run to remove should this one be killed.
  std::ofstream locks(folder_ + "/locks");
  for (const std::string& name : xLockFiles())
    if (!locksBefore_.count(name)) locks << name << "\n";
  waylandSocket_ = folder_ + "/runtime/wayland-zembo";
  if (wantedScale() != 1) {
    std::ofstream(folder_ + "/scale.js") << scaleScript;
    std::string said;
    if (run("gjs '" + folder_ + "/scale.js' " + std::to_string(wantedScale()), &said) != 0) {
      whyNot_ = "the shell did not take the scale: " + said;
      return false;
    }
  }
  ready_ = true;
  return true;
}

void HeadlessGnome::enterSession() const {
  setenv("XDG_RUNTIME_DIR", (folder_ + "/runtime").c_str(), 1);
  setenv("WAYLAND_DISPLAY", waylandSocket_.c_str(), 1);
  setenv("DISPLAY", display_.c_str(), 1);
  if (!xauthority_.empty()) setenv("XAUTHORITY", xauthority_.c_str(), 1);
  setenv("DBUS_SESSION_BUS_ADDRESS", bus_.c_str(), 1);
  setenv("XDG_CURRENT_DESKTOP", "GNOME", 1);
  setenv("XDG_SESSION_TYPE", "wayland", 1);
}

bool HeadlessGnome::eval(const std::string& script, std::string* result) const {
  if (bus_.empty()) return false;
  std::string output;
  const int code =
      runCapturing({"gdbus", "call", "--address", bus_, "--timeout", std::to_string(evalLimitSeconds), "--dest",
                    "org.gnome.Shell", "--object-path", "/org/gnome/Shell", "--method", "org.gnome.Shell.Eval", script},
                   evalLimitSeconds + 2, output);
  // (true, '"the result"')
  const bool ran = code == 0 && output.rfind("(true, ", 0) == 0;
  if (result) {
    std::size_t at = output.find(", ");
    if (code == 0 && at != std::string::npos && at + 2 < output.size()) {
      at += 2;
      *result = unquoteVariantString(output, at);
      if (ran) *result = unquoteJson(*result);
    } else {
      *result = output;
    }
  }
  return ran;
}

int HeadlessGnome::run(const std::string& command, std::string* output) const {
  std::string said;
  const int code = runCapturing({"env", "DBUS_SESSION_BUS_ADDRESS=" + bus_, "XDG_RUNTIME_DIR=" + folder_ + "/runtime",
                                 "HOME=" + folder_ + "/home", "sh", "-c", command},
                                evalLimitSeconds, said);
  if (output) *output = said;
  return code;
}

std::string HeadlessGnome::evaluate(const std::string& script) const {
  std::string result;
  if (!eval(script, &result)) return "error: " + result;
  return result;
}

std::string HeadlessGnome::windowState(const std::string& title) const {
  return evaluate(
      "(() => { const all = global.get_window_actors().map(a => a.meta_window);"
      " const w = all.find(x => x.get_title() === " +
      jsString(title) +
      "); if (!w) return 'none';"
      " const shown = global.display.sort_windows_by_stacking(all.filter(x => !x.minimized && "
      "!x.is_override_redirect()));"
      " const top = shown.length > 0 && shown[shown.length - 1] === w;"
      " return `minimized=${w.minimized ? 1 : 0} focus=${w.has_focus() ? 1 : 0} top=${top ? 1 : 0}"
      " attention=${w.demands_attention ? 1 : 0}`; })()");
}

std::string HeadlessGnome::focusedTitle() const {
  return evaluate("global.display.focus_window ? global.display.focus_window.get_title() : ''");
}

long long HeadlessGnome::copy(const std::string& text) const {
  std::string when;
  if (!eval("imports.gi.St.Clipboard.get_default().set_text(imports.gi.St.ClipboardType.CLIPBOARD, " + jsString(text) +
                "); imports.gi.GLib.get_monotonic_time()",
            &when))
    return -1;
  return std::atoll(when.c_str());
}

bool HeadlessGnome::pressChord(const std::vector<std::string>& keys) const {
  std::string presses, releases;
  for (const std::string& key : keys) {
    presses += "press(Clutter.KEY_" + key + ", Clutter.KeyState.PRESSED); ";
    releases = "press(Clutter.KEY_" + key + ", Clutter.KeyState.RELEASED); " + releases;
  }
  return eval(
      "(() => { const Clutter = imports.gi.Clutter, GLib = imports.gi.GLib;"
      " const press = (key, state) => globalThis.zemboKeyboard.notify_keyval(GLib.get_monotonic_time(), key, state); " +
      presses + releases + "return 1; })()");
}

std::vector<std::string> HeadlessGnome::inSessionNamespace() const {
  // unshare's one child is the first process of the namespace.
  for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
    std::ifstream status(entry.path() / "status");
    std::string line;
    while (pid_ > 0 && std::getline(status, line))
      if (line.rfind("PPid:", 0) == 0 && std::stol(line.substr(5)) == pid_)
        return {"nsenter", "--target", entry.path().filename().string(), "--pid", "--"};
  }
  return {};
}

std::string HeadlessGnome::lastLogLines() const {
  std::ifstream log(folder_ + "/shell.log");
  std::deque<std::string> last;
  std::string line;
  while (std::getline(log, line)) {
    if (line.empty()) continue;
    last.push_back(line);
    if (last.size() > 3) last.pop_front();
  }
  std::string text;
  for (const std::string& kept : last) text += (text.empty() ? "" : " | ") + kept;
  return text;
}

void HeadlessGnome::stop() {
  ready_ = false;
  if (pid_ > 0) {
    // A shell that ends by itself removes its Xwayland's lock files; one that does not answer is
    // killed, and with it everything in its namespace.
    if (!bus_.empty()) eval("global.context.terminate(); 1");
    if (!exited(pid_, std::chrono::seconds(5))) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
      removeStaleXLocks();
    }
    pid_ = 0;
  }
}

void HeadlessGnome::removeStaleXLocks() const {
  for (const std::string& name : xLockFiles())
    if (!locksBefore_.count(name) && !heldByXServer(name)) fs::remove("/tmp/" + name);
}

HeadlessGnome::~HeadlessGnome() {
  stop();
  std::error_code error;
  if (!folder_.empty()) fs::remove_all(folder_, error);
}

}  // namespace zembo::test
