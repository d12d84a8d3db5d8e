#include "tests/support/syncthing.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <thread>
#include <vector>

namespace zembo::test {

namespace fs = std::filesystem;

namespace {

// A port nobody listens on now: the kernel's choice for a socket bound to port 0.
int freePort() {
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
  ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
  ::close(fd);
  return ntohs(address.sin_port);
}

pid_t run(const std::vector<std::string>& arguments, const fs::path& log) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    std::vector<char*> argv;
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    if (!std::freopen(log.c_str(), "a", stdout) || !std::freopen(log.c_str(), "a", stderr)) ::_exit(126);
    ::setenv("STNOUPGRADE", "1", 1);
    ::setenv("STNODEFAULTFOLDER", "1", 1);
    ::execvp(argv[0], argv.data());
    ::_exit(127);
  }
  return pid;
}

std::string answerTo(int port, const std::string& text) {
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<std::uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    ::close(fd);
    return {};
  }
  for (std::size_t sent = 0; sent < text.size();) {
    const ssize_t n = ::send(fd, text.data() + sent, text.size() - sent, MSG_NOSIGNAL);
    if (n <= 0) break;
    sent += static_cast<std::size_t>(n);
  }
  std::string answer;
  char buffer[65536];
  for (ssize_t n; (n = ::recv(fd, buffer, sizeof buffer, 0)) > 0;) answer.append(buffer, static_cast<std::size_t>(n));
  ::close(fd);
  return answer;
}

}  // namespace

long long jsonNumber(const std::string& json, const std::string& key) {
  std::size_t at = json.find("\"" + key + "\"");
  if (at == std::string::npos) return -1;
  at = json.find(':', at);
  return at == std::string::npos ? -1 : std::strtoll(json.c_str() + at + 1, nullptr, 10);
}

std::string jsonString(const std::string& json, const std::string& key) {
  std::size_t at = json.find("\"" + key + "\"");
  if (at == std::string::npos) return {};
  at = json.find('"', json.find(':', at));
  const std::size_t end = json.find('"', at + 1);
  return at == std::string::npos || end == std::string::npos ? std::string() : json.substr(at + 1, end - at - 1);
}

Syncthing::Syncthing(const fs::path& home) : home_(home), apiKey_("zembo-test-key") {
  guiPort_ = freePort();
  listenPort_ = freePort();
  fs::create_directories(home);
  const fs::path log = home / "syncthing.log";
  const pid_t generate = run({"syncthing", "generate", "--home=" + home.string(), "--no-default-folder"}, log);
  int status = 0;
  ::waitpid(generate, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) throw std::runtime_error("syncthing generate failed");
  pid_ = run({"syncthing", "serve", "--home=" + home.string(), "--no-browser", "--no-restart", "--no-upgrade",
              "--no-default-folder", "--skip-port-probing",
              "--gui-address=http://127.0.0.1:" + std::to_string(guiPort_), "--gui-apikey=" + apiKey_},
             log);
  for (int attempt = 0; attempt < 300 && id_.empty(); ++attempt) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    try {
      id_ = jsonString(request("GET", "/rest/system/status"), "myID");
    } catch (const std::runtime_error&) {
    }
  }
  if (id_.empty()) throw std::runtime_error("syncthing did not start: see " + log.string());
  request("PATCH", "/rest/config/options",
          "{\"listenAddresses\":[\"tcp://127.0.0.1:" + std::to_string(listenPort_) +
              "\"],\"globalAnnounceEnabled\":false,\"localAnnounceEnabled\":false,\"relaysEnabled\":false,"
              "\"natEnabled\":false,\"urAccepted\":-1,\"crashReportingEnabled\":false,\"autoUpgradeIntervalH\":0,"
              "\"startBrowser\":false}");
}

Syncthing::~Syncthing() {
  if (pid_ <= 0) return;
  ::kill(pid_, SIGTERM);
  for (int i = 0; i < 50; ++i) {
    if (::waitpid(pid_, nullptr, WNOHANG) == pid_) return;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  ::kill(pid_, SIGKILL);
  ::waitpid(pid_, nullptr, 0);
}

std::string Syncthing::request(const std::string& method, const std::string& path, const std::string& body) {
  // HTTP/1.0: the answer comes whole, without chunks, and the connection closes after it.
  const std::string text = method + " " + path + " HTTP/1.0\r\nHost: 127.0.0.1\r\nX-API-Key: " + apiKey_ +
                           "\r\nContent-Type: application/json\r\nContent-Length: " + std::to_string(body.size()) +
                           "\r\n\r\n" + body;
  const std::string answer = answerTo(guiPort_, text);
  const std::size_t headEnd = answer.find("\r\n\r\n");
  if (answer.compare(0, 12, "HTTP/1.0 200") != 0 && answer.compare(0, 12, "HTTP/1.1 200") != 0)
    throw std::runtime_error(method + " " + path + ": " + answer.substr(0, answer.find('\r')));
  return headEnd == std::string::npos ? std::string() : answer.substr(headEnd + 4);
}

void Syncthing::introduce(const Syncthing& other) {
  request("POST", "/rest/config/devices",
          "{\"deviceID\":\"" + other.id_ + "\",\"name\":\"other\",\"addresses\":[\"tcp://127.0.0.1:" +
              std::to_string(other.listenPort_) + "\"],\"autoAcceptFolders\":false}");
}

void Syncthing::shareFolder(const std::string& folderId, const fs::path& path, const Syncthing& other) {
  // No watcher: the test says when to look (rescan), so that what each side sent is known.
  request("POST", "/rest/config/folders",
          "{\"id\":\"" + folderId + "\",\"label\":\"" + folderId + "\",\"path\":\"" + path.string() +
              "\",\"type\":\"sendreceive\",\"devices\":[{\"deviceID\":\"" + id_ + "\"},{\"deviceID\":\"" + other.id_ +
              "\"}],\"fsWatcherEnabled\":false,\"rescanIntervalS\":3600,\"maxConflicts\":10}");
}

void Syncthing::pause(const Syncthing& other) { request("POST", "/rest/system/pause?device=" + other.id_); }
void Syncthing::resume(const Syncthing& other) { request("POST", "/rest/system/resume?device=" + other.id_); }
void Syncthing::rescan(const std::string& folderId) { request("POST", "/rest/db/scan?folder=" + folderId); }

bool Syncthing::connectedTo(const Syncthing& other) {
  const std::string connections = request("GET", "/rest/system/connections");
  const std::size_t at = connections.find("\"" + other.id_ + "\"");
  const std::size_t key = connections.find("\"connected\"", at);
  if (at == std::string::npos || key == std::string::npos) return false;
  const std::string value = connections.substr(key, connections.find_first_of(",}", key) - key);
  return value.find("true") != std::string::npos;
}

bool Syncthing::inSync(const std::string& folderId, const Syncthing& other) {
  const std::string status = request("GET", "/rest/db/status?folder=" + folderId);
  const std::string theirs = request("GET", "/rest/db/completion?folder=" + folderId + "&device=" + other.id_);
  return jsonString(status, "state") == "idle" && jsonNumber(status, "needTotalItems") == 0 &&
         jsonNumber(status, "pullErrors") <= 0 && jsonNumber(theirs, "completion") == 100 &&
         jsonNumber(theirs, "needItems") == 0;
}

}  // namespace zembo::test
