#pragma once
// A Syncthing instance of a test's own: its own home, loopback addresses only, discovery, relays
// and NAT traversal off, driven through its REST API (plain HTTP on 127.0.0.1).

#include <sys/types.h>

#include <filesystem>
#include <string>

namespace zembo::test {

class Syncthing {
 public:
  // Generates the home's keys and configuration and starts `syncthing serve`; waits until its API
  // answers. Throws std::runtime_error when it does not come up.
  explicit Syncthing(const std::filesystem::path& home);
  ~Syncthing();
  Syncthing(const Syncthing&) = delete;
  Syncthing& operator=(const Syncthing&) = delete;

  const std::string& deviceId() const { return id_; }
  int listenPort() const { return listenPort_; }

  // The device at 127.0.0.1:its port, and a folder shared with it.
  void introduce(const Syncthing& other);
  void shareFolder(const std::string& folderId, const std::filesystem::path& path, const Syncthing& other);
  void pause(const Syncthing& other);
  void resume(const Syncthing& other);
  void rescan(const std::string& folderId);
  bool connectedTo(const Syncthing& other);
  // Idle, nothing needed from the other, and the other has everything of this one.
  bool inSync(const std::string& folderId, const Syncthing& other);

  // One request; the body of the answer. Throws when the API does not answer with 200.
  std::string request(const std::string& method, const std::string& path, const std::string& body = "");

 private:
  std::filesystem::path home_;
  std::string id_, apiKey_;
  int guiPort_ = 0, listenPort_ = 0;
  pid_t pid_ = -1;
};

// The number after "key": in a JSON text (the first), or -1; the string after it, or "".
long long jsonNumber(const std::string& json, const std::string& key);
std::string jsonString(const std::string& json, const std::string& key);

}  // namespace zembo::test
