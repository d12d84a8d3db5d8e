#pragma once
// A headless Wayland compositor (sway, without a GPU) for the tests of what a native Wayland
// program hears. sway refuses to run as root, so under root it runs as nobody; the test process
// itself stays as it is and connects through the socket's full path.

#include <sys/types.h>
#include <string>

namespace zembo::test {

class HeadlessSway {
 public:
  HeadlessSway();
  ~HeadlessSway();
  HeadlessSway(const HeadlessSway&) = delete;
  HeadlessSway& operator=(const HeadlessSway&) = delete;

  bool running() const { return !socket_.empty(); }
  // Why the compositor is not running, for the skip message.
  const std::string& whyNot() const { return whyNot_; }
  // The full path of the compositor's socket, as WAYLAND_DISPLAY takes it.
  const std::string& socket() const { return socket_; }
  // Runs a shell command as a client of the compositor; its exit code.
  int run(const std::string& command) const;

 private:
  void launch();
  bool waitForSocket();

  std::string folder_, socket_, whyNot_;
  pid_t pid_ = 0;
};

}  // namespace zembo::test
