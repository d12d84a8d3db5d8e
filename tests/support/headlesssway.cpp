#include "tests/support/headlesssway.h"

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

namespace zembo::test {

namespace fs = std::filesystem;

namespace {

bool onPath(const char* program) {
  return std::system(("command -v " + std::string(program) + " >/dev/null 2>&1").c_str()) == 0;
}

// In the child: become nobody when root, then start sway on the folder's configuration.
[[noreturn]] void execSway(const std::string& folder, const std::string& runtime) {
  setsid();
  const int log = ::open((folder + "/sway.log").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (log >= 0) {
    dup2(log, 1);
    dup2(log, 2);
  }
  if (getuid() == 0) {
    const passwd* nobody = getpwnam("nobody");
    if (!nobody || setgroups(0, nullptr) != 0 || setgid(nobody->pw_gid) != 0 || setuid(nobody->pw_uid) != 0) _exit(126);
  }
  setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
  setenv("HOME", folder.c_str(), 1);
  setenv("WLR_BACKENDS", "headless", 1);
  setenv("WLR_RENDERER", "pixman", 1);
  setenv("WLR_LIBINPUT_NO_DEVICES", "1", 1);
  unsetenv("WAYLAND_DISPLAY");
  unsetenv("DISPLAY");
  execlp("sway", "sway", "-c", (folder + "/sway.conf").c_str(), static_cast<char*>(nullptr));
  _exit(127);
}

}  // namespace

HeadlessSway::HeadlessSway() {
  if (!onPath("sway")) {
    whyNot_ = "sway is not installed";
    return;
  }
  char pattern[] = "/tmp/zembo-sway-XXXXXX";
  if (!mkdtemp(pattern)) {
    whyNot_ = "no temporary folder";
    return;
  }
  folder_ = pattern;
  launch();
}

void HeadlessSway::launch() {
  const std::string runtime = folder_ + "/runtime";
  ::chmod(folder_.c_str(), 0755);
  ::mkdir(runtime.c_str(), 0700);
  if (getuid() == 0) {
    if (const passwd* nobody = getpwnam("nobody")) {
      if (::chown(runtime.c_str(), nobody->pw_uid, nobody->pw_gid) != 0)
        whyNot_ = "cannot give the runtime folder to nobody";
    }
  }
  std::ofstream(folder_ + "/sway.conf") << "xwayland disable\noutput HEADLESS-1 resolution 1280x1024\n";
  pid_ = fork();
  if (pid_ == 0) execSway(folder_, runtime);
  if (pid_ < 0 || !waitForSocket()) {
    std::ifstream log(folder_ + "/sway.log");
    std::string line, last;
    while (std::getline(log, line))
      if (!line.empty()) last = line;
    whyNot_ = "sway did not start: " + last;
  }
}

bool HeadlessSway::waitForSocket() {
  const std::string runtime = folder_ + "/runtime";
  for (int i = 0; i < 100; ++i) {
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(runtime, error)) {
      const std::string name = entry.path().filename().string();
      if (name.rfind("wayland-", 0) == 0 && name.find(".lock") == std::string::npos) {
        socket_ = entry.path().string();
        return true;
      }
    }
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) == pid_) {
      pid_ = 0;
      return false;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return false;
}

HeadlessSway::~HeadlessSway() {
  if (pid_ > 0) {
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
  }
  std::error_code error;
  if (!folder_.empty()) fs::remove_all(folder_, error);
}

int HeadlessSway::run(const std::string& command) const {
  const std::string line = "WAYLAND_DISPLAY='" + socket_ + "' " + command;
  const int status = std::system(line.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace zembo::test
